// TMainForm: the workbench's main window. A fixed 601 x 443 client area
// under the menu bar holds the editor SynEdit1, the speed-button column
// Panel5, the board panel, the console, the variables grid and StatusBar1.
//
// Besides the window it keeps the current file name and the program buffer
// that a run executes, and owns the execution control, which runs programs
// on the interpreter thread and reaches the window only through this form's
// TExecutionWindow side (main_form_run.cpp). Window thread only, except where
// a member says otherwise.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QMainWindow>
#include <QTimer>

#include "interpreter/program_buffer.h"
#include "interpreter/run_state.h"
#include "workbench/dialogs.h"
#include "workbench/input_mode.h"

class QAction;
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
class TExecutionControl;
class TForm2;
class TInputForm;
class TScenarioCheck;
class TStatusBar;
class TVariablesGrid;

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 601;
    static constexpr int kClientHeight = 443;
    static constexpr const char* kCaption = "Marlinet Simulator";
    static constexpr const char* kStartUpFileName = "NoName.Bas";

    // Dialogs answers the window's questions; Qt's own dialogs when null.
    explicit TMainForm(std::unique_ptr<TWorkbenchDialogs> Dialogs = nullptr);
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
    // Every key that reaches the editor, before the editor acts on it.
    void SynEdit1KeyDown();
    // Closing the window: the run ends and its thread is joined. Exit too.
    void FormClose();

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

    // Any thread.
    basic::RunState RunState() const;
    void SetRunState(basic::RunState State);
    // Writes the run state's text into status panel 1.
    void ShowRunState();
    void SetErrorText(const QString& Text);
    TExecutionControl& Execution() { return *execution_; }

    const QString& CurrentFileName() const { return currentFileName_; }
    const QString& SaveDialogFileName() const { return saveDialogFileName_; }

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
    // SpeedButtons[n - 1] is SpeedButtonn.
    std::array<QToolButton*, 7> SpeedButtons{};

protected:
    void closeEvent(QCloseEvent* Event) override;

private:
    class TRunWindow;

    void FormCreate();
    void MakeExecution(); // main_form_run.cpp
    void MakeMenus();
    void MakeSpeedButtons();
    void MakeVariablesPanel();
    void CentreOnScreen();
    void SetCaptionFor(const QString& FileName);
    // Loads FileName into the program buffer and the editor, both or
    // neither, and sets the caption. Throws on failure.
    void LoadProgramFrom(const QString& FileName);
    // Writes the editor's lines to FileName. Throws on failure.
    void SaveLinesTo(const QString& FileName);
    // Runs Command; an exception it throws is shown in the error box.
    // Returns whether it completed.
    bool Attempt(const std::function<void()>& Command);

    // Runs an execution command and shows the state it leaves.
    void RunCommand(void (TExecutionControl::*Command)());
    // Whole line Line (0-based) selected, as a paused run shows it.
    void SelectProgramLine(int Line);
    // Before the editor leaves whole-line selection for a key: the shown line
    // is a one-character selection, which in character mode would be real
    // and the key would replace the line's first character.
    void LeaveProgramLine();
    // The INPUT dialog until it has an answer or is stopped.
    std::optional<std::string> AskInput(TInputMode Mode);
    // Run and Step without a current file name.
    void NameUntitledFile(bool SetCaption);

    std::unique_ptr<TWorkbenchDialogs> dialogs_;
    std::unique_ptr<highlight::TSynVBSyn> highlighter_;
    QWidget* client_ = nullptr;
    QTimer statusTimer_;

    basic::ProgramBuffer program_;
    QString currentFileName_;
    int programLineStart_ = -1; // flat index of the shown executing line; -1 none
    QString saveDialogFileName_;
    // Whether the editor shows the current file's text, as loaded or saved.
    // New writes an empty editor over a file only when it does.
    bool editorFromFile_ = false;

    // Last: destroyed first, so the interpreter thread is joined while the
    // widgets it reports to still exist.
    std::unique_ptr<TRunWindow> runWindow_;
    std::unique_ptr<TExecutionControl> execution_;
};

} // namespace marlinet::workbench
