// TMainForm: the workbench's main window. A fixed 601 x 443 client area
// under the menu bar holds the editor SynEdit1, the speed-button column
// Panel5, the board panel, the console, the variables grid and StatusBar1.
//
// Besides the window it keeps the current file name and the program buffer
// that a run executes, and offers the operations the execution control
// builds on: load program, save and reload, the run state, the board, the
// grid and the console. Window thread only, except where a member says
// otherwise.
#pragma once

#include <array>
#include <atomic>
#include <memory>

#include <QMainWindow>
#include <QTimer>

#include "interpreter/program_buffer.h"
#include "interpreter/run_state.h"
#include "workbench/dialogs.h"

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
class TForm2;
class TStatusBar;
class TVariablesGrid;

// The status bar text of a run state; "Unknown" for values outside the enum.
QString RunStateText(basic::RunState State);

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

    // ---- operations for the execution control ----
    // Loads the current file into the editor and the program buffer and
    // shows its name in the caption. On failure shows the error and changes
    // nothing; returns whether it loaded.
    bool LoadProgram();
    // Saves the editor to the current file, loads the program and sets the
    // run state to Reset. On failure shows the error, leaves the run state
    // as it was and returns false.
    bool SaveAndReload();
    const basic::ProgramBuffer& Program() const { return program_; }

    // Any thread.
    basic::RunState RunState() const { return runState_.load(); }
    void SetRunState(basic::RunState State) { runState_.store(State); }
    // Writes the run state's text into status panel 1.
    void ShowRunState();
    void SetErrorText(const QString& Text);

    const QString& CurrentFileName() const { return currentFileName_; }
    const QString& SaveDialogFileName() const { return saveDialogFileName_; }

    // ---- the components ----
    QWidget* Client() const { return client_; }
    editor::qt::TSynEdit* SynEdit1 = nullptr;
    TBoardPanel* Board = nullptr;
    TConsole* Console = nullptr;
    TVariablesGrid* StringGrid1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TForm2* Form2 = nullptr;
    // SpeedButtons[n - 1] is SpeedButtonn.
    std::array<QToolButton*, 7> SpeedButtons{};

private:
    void FormCreate();
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
    template <class F>
    bool Attempt(F&& Command);

    std::unique_ptr<TWorkbenchDialogs> dialogs_;
    std::unique_ptr<highlight::TSynVBSyn> highlighter_;
    QWidget* client_ = nullptr;
    QTimer statusTimer_;

    std::atomic<basic::RunState> runState_{basic::RunState::Idle};
    basic::ProgramBuffer program_;
    QString currentFileName_;
    QString saveDialogFileName_;
    // Whether the editor shows the current file's text, as loaded or saved.
    // New writes an empty editor over a file only when it does.
    bool editorFromFile_ = false;
};

} // namespace marlinet::workbench
