// The debugger's side of the main window: breakpoints in the gutter (a left
// click toggles one, a right click offers Enable/Disable, Condition..., Hit
// count... and Delete), the Debug menu's Toggle breakpoint (F5), Step over
// (Shift+F8), Step out (Ctrl+Shift+F8), Run to cursor (F7), Delete all
// breakpoints and Call stack, their speed buttons below the described ones
// where the column has room, and what a pause shows besides the line and the
// grid: the execution arrow or error mark in the gutter, why it paused, and
// the call stack.
//
// Breakpoints live in the editor's marker set, where they follow edits. Every
// change reaches the execution control at once, so a run has it by its next
// statement, and is remembered for the current file in the settings store
// (TBreakpointStore) whenever the editor holds the file's text: shortly after
// a run of changes (a write of the store waits for the disk), and at the
// latest when the window closes. An edited text's breakpoints are remembered
// with its next save. Window thread only.
#pragma once

#include <array>
#include <filesystem>
#include <vector>

#include <QObject>
#include <QPoint>
#include <QTimer>

#include "interpreter/debugging.h"
#include "workbench/breakpoint_store.h"
#include "workbench/run_view.h"

class QAction;
class QToolButton;

namespace marlinet::workbench {

class TCallStackView;
class TMainForm;
class TWorkbenchDialogs;

class TDebuggerCommands : public QObject {
    Q_OBJECT

public:
    // Adds its entries to Form's Debug menu and its buttons to Panel5.
    TDebuggerCommands(TMainForm& Form, TWorkbenchDialogs& Dialogs);
    ~TDebuggerCommands() override;

    // ---- commands ----
    // Toggles a breakpoint on the caret's line.
    void ToggleBreakpoint();
    void StepOver();
    void StepOut();
    void RunToCursor();
    void DeleteAllBreakpoints();
    // Opens the call stack window.
    void ShowCallStack();

    // ---- the gutter ----
    void GutterClicked(int Line, Qt::MouseButton Button, const QPoint& GlobalPos);
    // The menu of Line's breakpoint at At (global), and what was picked.
    void BreakpointMenu(int Line, const QPoint& At);
    // Toggles the breakpoint on Line, unless that would make more than a run
    // can hold (then says so). Answers whether the line has one now.
    bool ToggleBreakpointAt(int Line);
    void EditCondition(int Line);
    void EditHitCount(int Line);

    // ---- files ----
    // Where breakpoints are remembered (the user's settings by default).
    void SetSettingsFile(const std::filesystem::path& File) { store_ = TBreakpointStore(File); }
    const TBreakpointStore& Store() const { return store_; }
    // FileName was loaded into the editor: its remembered breakpoints come back.
    void FileLoaded(const QString& FileName);
    // The editor's text was written to FileName: its breakpoints are remembered.
    void FileSaved(const QString& FileName);
    // Remembers now what a change of breakpoints left to remember later.
    void StorePending();

    // ---- what a run shows ----
    void Paused(const TRunPause& Pause);
    void Failed(const TRunPause& Pause);
    // The run goes on, ends or is ended: the run's marks in the gutter go.
    void RunMarksGone();

    // The enabled breakpoints as a run takes them.
    std::vector<basic::PauseLine> EnabledBreakpoints() const;
    TCallStackView* CallStackView() const { return callStack_; }
    // Toggle breakpoint, Step over, Step out, Run to cursor, in that order.
    const std::array<QToolButton*, 4>& Buttons() const { return buttons_; }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void AddMenuEntries();
    void AddButtons();
    // Shows the buttons that fit the speed-button column's height.
    void PlaceButtons();
    void BreakpointsChanged();
    // Remembers the breakpoints when the editor holds the file's text.
    void StoreIfSaved();
    bool MayEnableAnother() const;

    TMainForm& form_;
    TWorkbenchDialogs& dialogs_;
    TBreakpointStore store_;
    TCallStackView* callStack_ = nullptr;
    QWidget* panel_ = nullptr;
    std::array<QToolButton*, 4> buttons_{};
    QTimer storeTimer_;
    bool showsPause_ = false; // the status bar tells why the run paused
};

} // namespace marlinet::workbench
