// TMainForm: the workbench's main window. The client area under the menu
// bar holds the editor SynEdit1, the speed-button column Panel5, the board
// panel, the console, the variables grid and StatusBar1; it opens at the
// design size, 601 x 443, which is also its smallest (main_form_layout.h).
//
// Besides the window it keeps the current file name and the program buffer
// that a run executes, and owns the execution control, which runs programs
// on the interpreter thread and reaches the window only through this form's
// program source and run view (main_form_run.h). Window thread only, except
// where a member says otherwise.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <QMainWindow>
#include <QTimer>

#include "editor/edit_types.h"
#include "interpreter/program_buffer.h"
#include "interpreter/run_state.h"
#include "machine/io_event.h"
#include "machine/past_state.h"
#include "support/program_line.h"
#include "workbench/dialogs.h"
#include "workbench/examples.h"
#include "workbench/input_mode.h"

class QAction;
class QMenu;
class QToolButton;

namespace marlinet::highlight {
class TSynVBSyn;
}
namespace marlinet::editor::qt {
class TSynEdit;
}

namespace marlinet::workbench {

class TBoardPanel;
class TConsole;
class TDebuggerCommands;
class TEditCommands;
class TExecutionControl;
class TFindBar;
class TForm2;
class TInputForm;
class TRecentFiles;
class TRecentFilesMenu;
class TScenarioCheck;
class TStatusBar;
class TTimelineWidget;
struct TTimeView;
class TVariablesGrid;
struct TRunPause;
class TWorkbenchSettings;
class TZoom;

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 601;
    static constexpr int kClientHeight = 443;
    static constexpr const char* kCaption = "Marlinet Simulator";
    static constexpr const char* kStartUpFileName = "NoName.Bas";
    // A grid edit while a past moment is shown.
    static inline const QString kPastIsReadOnly =
        QStringLiteral("The variables of a past moment cannot be changed. Step (F8) up to the "
                       "present, or go on from this moment, and then edit.");
    // The caption's and the questions' name for a program without a file.
    static constexpr const char* kUntitledName = "Untitled";

    // Dialogs answers the window's questions; Qt's own dialogs when null.
    // SettingsFile keeps the recent files, the zoom and each file's
    // breakpoints; the user's settings store when empty.
    explicit TMainForm(std::unique_ptr<TWorkbenchDialogs> Dialogs = nullptr,
                       const QString& SettingsFile = {});
    ~TMainForm() override;

    // ---- menu and speed-button handlers ----
    void New1Click();
    void Fileopen1Click();
    void Save1Click();
    void Saveas1Click();
    void Exit1Click();
    void About1Click();
    void SpeedButton1Click(); // Reset & Reload
    void SpeedButton2Click(); // Run
    void SpeedButton3Click(); // Stop
    void SpeedButton4Click(); // Step
    void SpeedButton7Click(); // Clear Console
    // A key in the editor that has changed the text.
    void SynEdit1KeyDown();
    // Closing the window: the run ends and its thread is joined. Exit too.
    void FormClose();
    // Help > Examples: after asking about unsaved edits, opens the user's
    // copy of example Name (made on first use).
    void OpenExample(const QString& Name);
    // The examples the Help menu lists (the installed ones by default).
    void SetExampleLibrary(TExampleLibrary Library);
    const TExampleLibrary& ExampleLibrary() const { return examples_; }
    // File > Recent files: after asking about unsaved edits, opens File.
    void OpenRecentFile(const QString& File);
    TRecentFiles& RecentFiles() { return *recentFiles_; }

    // ---- program files ----
    // Ends a run, saves the editor to the current file, loads the program and
    // sets the run state to Reset. On failure shows the error, leaves the
    // run state as it was and returns false.
    bool SaveAndReload();
    const basic::ProgramBuffer& Program() const { return program_; }
    // File open without the dialog (also the file named on the command
    // line): ends a run, loads FileName and makes it the current file with
    // the run state Reset. On failure shows the error, keeps the old file and
    // returns false.
    bool OpenFile(const QString& FileName);

    // ---- stepping back and the I/O timeline (main_form_travel.cpp) ----
    void StepBackClick();  // Debug > Step back
    void RunBackClick();   // Debug > Run back
    void ShowTimeline();   // View > I/O timeline
    void ExportTimeline(); // File > Export timeline...
    // Writes the timeline to FileName (VCD, or PNG for ".png"); shows the
    // error and returns false on failure.
    bool ExportTimelineTo(const QString& FileName);
    // The timeline window, made with the main window and shown on demand.
    TTimelineWidget* Timeline = nullptr;
    QAction* StepBackAction = nullptr;
    QAction* RunBackAction = nullptr;

    // Any thread.
    basic::RunState RunState() const;
    void SetRunState(basic::RunState State);
    // Writes the run state's text into status panel 1.
    void ShowRunState();
    void SetErrorText(const QString& Text);
    TExecutionControl& Execution() { return *execution_; }

    const QString& CurrentFileName() const { return currentFileName_; }
    const QString& SaveDialogFileName() const { return saveDialogFileName_; }
    // The editor holds edits that are not in its file.
    bool HasUnsavedEdits() const;

    // ---- the components ----
    QWidget* Client() const { return client_; }
    editor::qt::TSynEdit* SynEdit1 = nullptr;
    TBoardPanel* Board = nullptr;
    TConsole* Console = nullptr;
    TVariablesGrid* StringGrid1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TInputForm* InputForm = nullptr;
    TForm2* Form2 = nullptr;
    TScenarioCheck* ScenarioCheck = nullptr; // Debug > Check with scenario...
    TDebuggerCommands* Debugger = nullptr;   // breakpoints and the debugger's commands
    // Below the editor: find and replace (main_form_editing.cpp).
    TFindBar* FindBar = nullptr;
    // The Edit menu and the editor's context menu, which takes more entries
    // through EditCommands->ContextMenu().AddEntry.
    TEditCommands* EditCommands = nullptr;
    TZoom* Zoom = nullptr;
    TRecentFilesMenu* RecentFilesMenu = nullptr;
    QMenu* FileMenu = nullptr;
    QMenu* EditMenu = nullptr;
    QMenu* ViewMenu = nullptr;
    QMenu* DebugMenu = nullptr;
    // SpeedButtons[n - 1] is SpeedButtonn.
    std::array<QToolButton*, 7> SpeedButtons{};

protected:
    void closeEvent(QCloseEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    class TRunWindow;
    // What a command that may edit the text found before it ran.
    struct TLineSelection {
        editor::TSynSelectionMode Mode;
        support::TProgramLine Shown;
    };

    void FormCreate();
    void MakeExecution(); // main_form_run.cpp
    void MakeTravel();    // main_form_travel.cpp
    // A moment of the run's history, or the present again.
    void ShowTime(const TTimeView& View);
    // The lamps, DAC and ADC selection the board shows.
    machine::BoardOutputs Outputs() const;
    void WatchEditor(); // main_form_edits.cpp
    void MakeMenus();
    void MakeExamplesMenu();
    // Find bar, Edit menu, context menu, zoom (main_form_editing.cpp).
    void MakeEditing();
    // A program opened or saved under Name goes to the top of the recent
    // files.
    void NoteRecentFile(const QString& Name);
    void MakeSpeedButtons();
    void MakeVariablesPanel();
    void CentreOnScreen();
    // Places every part for the client area's size.
    void LayOut();
    // The caption: the program's name once one is known, and a leading "*"
    // while there are unsaved edits.
    void SetCaptionFor(const QString& FileName);
    void UpdateCaption();
    enum class TEditorLoad { Always, UnlessSame };
    // Loads FileName into the program buffer and the editor, both or
    // neither, and sets the caption. UnlessSame leaves the editor as it is
    // (top line, caret, undo) when it already holds the file's text. Throws
    // on failure.
    void LoadProgramFrom(const QString& FileName, TEditorLoad Editor = TEditorLoad::Always);
    // Writes the editor's lines to FileName, unless the file holds exactly
    // those bytes already. Throws on failure.
    void SaveLinesTo(const QString& FileName);
    // The editor's text as SaveLinesTo writes it.
    std::string EditorBytes() const;
    // Whether the editor's lines, joined with CR LF, are Text.
    bool EditorHolds(std::string_view Text) const;
    // The editor's text is in its file now.
    void MarkEditorSaved();
    // The save dialog for a new name, with ".bas" added as Save adds it and
    // a question before an existing file other than the one the dialog
    // named is replaced. Nothing when cancelled.
    std::optional<QString> AskNewFileName();
    // Before unsaved edits would be lost: asks Save, Discard or Cancel, and
    // saves on Save. True when the caller may go on.
    bool SaveChangesFirst();
    QString ProgramName() const;
    // Runs Command; an exception it throws is shown in the error box.
    // Returns whether it completed.
    bool Attempt(const std::function<void()>& Command);

    // Runs an execution command and shows the state it leaves.
    void RunCommand(void (TExecutionControl::*Command)());
    // What a run did, on the board and in the console.
    void ShowRunEvent(const machine::IoEvent& Event);
    // Where a run paused or failed: its line selected whole and in view, and
    // the variables, those that changed marked.
    void ShowRunStop(const TRunPause& Pause);
    // Before the editor leaves whole-line selection for a key: the shown line
    // is a one-character selection, which in character mode would be real
    // and the key would replace the line's first character.
    void LeaveProgramLine();
    // The shown line goes and the editor selects by characters again.
    void LeaveLineSelection();
    // A run is executing or paused (not ended, not ending).
    bool RunIsLive() const;

    // ---- the editor's events (main_form_edits.cpp) ----
    void EditorMouseDown(editor::TObject*, editor::TMouseButton, editor::TShiftState, int, int);
    void EditorCommand(editor::TObject*, bool AfterProcessing, bool&,
                       editor::TSynEditorCommand& Command, char&, void*, void*);
    void EditorChanged(editor::TObject*);
    // A command changed the text: the run is told now, the window shows it
    // once the key event is over.
    void EditedDuringCommand();
    // The INPUT dialog until it has an answer or is stopped.
    std::optional<std::string> AskInput(TInputMode Mode);
    // Run and Step without a current file name.
    void NameUntitledFile(bool SetCaption);

    std::unique_ptr<TWorkbenchDialogs> dialogs_;
    std::unique_ptr<TWorkbenchSettings> settings_;
    std::unique_ptr<TRecentFiles> recentFiles_;
    std::unique_ptr<highlight::TSynVBSyn> highlighter_;
    QWidget* client_ = nullptr;
    QTimer statusTimer_;
    TExampleLibrary examples_;
    QMenu* examplesMenu_ = nullptr;

    basic::ProgramBuffer program_;
    QString currentFileName_;
    support::TProgramLine shownLine_; // the line a paused or failed run shows; none: 0
    QString saveDialogFileName_;
    // The name the caption shows; none at start-up.
    std::optional<QString> captionName_;
    // Whether the editor shows the current file's text, as loaded or saved.
    // New writes an empty editor over a file only when it does.
    bool editorFromFile_ = false;
    // Between the editor's hooks before and after one command.
    bool commandRunning_ = false;
    bool commandChangedText_ = false;
    std::optional<TLineSelection> leftForCommand_;
    bool editToShow_ = false;
    // Status panel 2 as the present showed it, while a past moment is shown.
    std::optional<QString> presentStatus_;

    // Last: destroyed first, so the interpreter thread is joined while the
    // widgets it reports to still exist.
    std::unique_ptr<TRunWindow> runWindow_;
    std::unique_ptr<TExecutionControl> execution_;
};

} // namespace marlinet::workbench
