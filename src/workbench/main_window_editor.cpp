#include "workbench/main_window_editor.h"

namespace marlinet::workbench {

using namespace editor;
using namespace editor::qt;

void ApplyMainWindowEditorSettings(TSynEdit& Edit, highlight::TSynVBSyn* Highlighter) {
    TCustomSynEdit& core = Edit.Core();
    Edit.resize(kMainWindowEditorWidth, kMainWindowEditorHeight);
    core.SetColor(clBlack);
    TFont font("Courier New", 13, clLime, fpFixed);
    core.SetFont(font);
    TSynGutter& gutter = core.Gutter();
    gutter.SetDigitCount(3);
    gutter.SetShowLineNumbers(true);
    TFont gutterFont("Fixedsys", 11, clWindowText);
    gutterFont.SetCharset(RUSSIAN_CHARSET);
    gutter.SetFont(gutterFont);
    core.SetHighlighter(Highlighter);
    core.SetScrollBars(ssVertical);
    core.SetOptions(kMainWindowEditorOptions);
    core.SetSelectionMode(smLine);
}

} // namespace marlinet::workbench
