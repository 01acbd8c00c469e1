// Renders the main window's editor, with a sample program, into PNG files:
//   editor_snapshot [DIR]
// writes DIR/synedit1.png (caret on line 1) and DIR/synedit1_line3.png (line 3
// selected as the workbench shows the executing line). DIR defaults to the
// build folder.
#include "snapshot_main.h"
#include "workbench/main_window_editor.h"
#include "workbench/main_window_highlighter.h"

namespace {

constexpr const char* kSampleProgram = "REM Blink the lamps and report the ADC\n"
                                       "FOR N = 1 TO 10\n"
                                       "  SETB 2\n"
                                       "  DELAY 250\n"
                                       "  CLRB 2\n"
                                       "NEXT\n"
                                       "ADC V\n"
                                       "SCALE V, 5000, 4095\n"
                                       "PRINT \"Millivolts\", V\n"
                                       "IF V > 2500 THEN GOTO 20\n"
                                       "END\n"
                                       "20 PRINT \"High\" ' a comment\n"
                                       "END";

} // namespace

bool marlinet::testing::TakeSnapshots(const QString& dir) {
    auto highlighter = marlinet::workbench::CreateMainWindowHighlighter(nullptr);
    marlinet::editor::qt::TSynEdit edit;
    marlinet::workbench::ApplyMainWindowEditorSettings(edit, highlighter.get());
    edit.Lines().SetText(kSampleProgram);
    edit.show();
    edit.activateWindow();
    edit.setFocus();

    bool ok = SaveSnapshot(edit, dir + "/synedit1.png");
    // The executing line as the workbench marks it: line 3 in line mode.
    edit.SetSelectionMode(marlinet::editor::smLine);
    edit.SetSelStart(edit.Core().RowColToCharIndex({1, 3}));
    edit.SetSelLength(1);
    return SaveSnapshot(edit, dir + "/synedit1_line3.png") && ok;
}
