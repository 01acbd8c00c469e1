// The execution control between the window thread and the one interpreter
// thread: the run state machine, the Run, Step, Stop and Reset & Reload
// commands, the editor's key-down, closing, the error status, and the
// delivery of what a run posts to the window, and the debugger's commands.
// Standard library only: the program comes from a TProgramSource, and the
// run is shown through a TRunView.
//
// Invariants:
// - at most one interpreter thread exists; every command that replaces the
//   program, its file or the window tells a run to end and joins its thread
//   first (no sleeps);
// - the interpreter thread touches no widget and waits for the window thread
//   only on the resume and input events and for room in the mailbox, and
//   each of those waits ends when the window asks the run to end;
// - every command first delivers what the run has posted so far (except an
//   INPUT request), so that the window shows the run's effects in order with
//   the user's commands.
//
// Everything is for the window thread unless a member says otherwise.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>

#include "interpreter/interpreter.h"
#include "machine/history.h"
#include "machine/recorder.h"
#include "workbench/program_source.h"
#include "workbench/run_channel.h"
#include "workbench/run_view.h"
#include "workbench/workbench_host.h"

namespace marlinet::workbench {

// The status bar text of a run state; "Unknown" for values outside the enum.
std::string_view RunStateName(basic::RunState State);
// "ERROR: %s in line %d" for an error number and line.
std::string ErrorStatusText(int Number, int Line);

class TExecutionControl {
public:
    TExecutionControl(TProgramSource& Source, TRunView& View, TBoardModel& Board);
    // Ends a run and joins its thread; delivers nothing more.
    ~TExecutionControl();
    TExecutionControl(const TExecutionControl&) = delete;
    TExecutionControl& operator=(const TExecutionControl&) = delete;

    // ---- commands ----
    void Run();            // SpeedButton2Click
    void Step();           // SpeedButton4Click
    void Stop();           // SpeedButton3Click
    void ResetAndReload(); // SpeedButton1Click, the board reset included
    void EditorKeyDown();  // SynEdit1KeyDown: EditorEdited, then ShowEdited
    // The halves of EditorKeyDown, for a key handler that must not deliver:
    // EditorEdited tells the run at once that the text changed (it ends,
    // Modified) and shows nothing; ShowEdited, once the key event is over,
    // delivers what the run posted before and shows the editing state.
    void EditorEdited();
    void ShowEdited();
    // Step over: a GOSUB runs until it has returned, and the run pauses at
    // the statement after it. Step out: the run pauses once the current
    // subroutine has returned. Both start a run as Step does (it parks before
    // its first statement) and do nothing while a program runs.
    void StepOver();
    void StepOut();
    // Run to cursor: as Run, with a one-shot pause at the caret's line (taken
    // before a reload), gone at any pause. While a program runs, it pauses
    // when it next arrives there.
    void RunToCursor();
    // The enabled breakpoints, whenever they change; a run has them at once.
    // Throws std::invalid_argument with a message for the user, changing
    // nothing, for more than a run can hold or a condition it cannot take.
    void SetBreakpoints(std::span<const basic::PauseLine> Breakpoints);
    // FormClose and Exit: ends the run and joins it; no run starts after.
    void Close();
    // Joins a run that is ending by itself (Modified), then saves the editor,
    // reloads the program and sets Reset. On failure the state stays.
    bool SaveAndReload();
    // File open and New: ends a run (Reset request) and joins its thread
    // before the caller touches the file or the program buffer. Returns the
    // state before.
    basic::RunState EndRun();
    // After EndRun, a file command that failed leaves the state as it was,
    // as far as a run that has ended allows.
    void Restore(basic::RunState Before);
    // The editor shows the current file's text again (loaded, or emptied by
    // New): no typed change is pending.
    void EditorMatchesFile() { editorChanged_ = false; }

    // ---- stepping back (execution_travel.cpp) ----
    // Whether the kept history of the last run can be shown: while it is
    // paused, or after it ended until the text or the board is changed.
    bool CanTravel() const;
    // Shows the moment one statement before the one shown.
    void StepBack();
    // Shows the latest earlier moment at which the run paused or arrived at
    // an enabled breakpoint, else the oldest moment kept.
    void RunBack();
    // Shows moment Statement (a click on the timeline), within the history.
    void TravelTo(std::uint64_t Statement);
    // The moment shown instead of the present; nothing in the present.
    std::optional<std::uint64_t> ShownMoment() const { return viewed_; }
    // The run's recorded history; any thread may query it.
    const machine::History& History() const { return history_; }

    // Sets the error number to -1 and shows the error status.
    void ClearError();
    // Panel 2: empty without an error; else the error text, and the state
    // becomes Reset.
    void ShowErrorStatus();

    // Applies what the run posted, for a few milliseconds at most; asks to be
    // called again when more is left.
    void Deliver();
    // Applies everything posted so far, except an INPUT request, which
    // Deliver serves.
    void Flush();

    // ---- state (any thread) ----
    basic::RunState State() const { return state_.load(); }
    void SetState(basic::RunState State) { state_.store(State); }
    basic::Interpreter& Interpreter() { return interpreter_; }
    // Interpreter threads running now, and the most that ever ran at once.
    int LiveThreads() const { return liveThreads_.load(); }
    int MostLiveThreads() const { return mostLiveThreads_.load(); }
    bool HasThread() const { return thread_.joinable(); }
    bool IsClosed() const { return channel_.Shutdown.IsSet(); }

private:
    // How a command goes on from Reset and from Stopped, and the one-shot
    // pause it asks for when the run then runs freely.
    struct TGoOn {
        basic::RunState FromReset;
        basic::RunState FromStopped;
        enum class TOneShot : std::uint8_t { None, StepOver, StepOut, RunToCursor } OneShot;
        bool IsStep; // names an untitled file as Step does
    };
    enum class TAfterEnd : std::uint8_t { Live, Ended };

    void Start(const TGoOn& How);
    // Asks the interpreter for How's one-shot pause, when the run is to run
    // freely as Target.
    void RequestOneShot(const TGoOn& How, basic::RunState Target, TProgramLine CaretLine);
    // Joins a run that is ending by itself (Modified), then Reload.
    std::optional<TProgramSnapshot> JoinAndReload();
    // Saves the editor, loads the program from the file and sets Reset. On
    // failure the state stays.
    std::optional<TProgramSnapshot> Reload();
    void StartThread(const TGoOn& How, const TProgramSnapshot& Snapshot);
    void ThreadBody(std::uint64_t Run);
    void StartThreadFrom(const TGoOn& How, basic::Snapshot From);
    void JoinThread();
    // Joins a run told to end, then applies what it left in the mailbox.
    void JoinEndedRun();
    // Stores State and wakes every wait of the run.
    void RequestEnd(basic::RunState State);
    void Apply(TWindowPost& Item, TAfterEnd Mode);
    void ServeRequest(const post::Request& Request);
    void OnEndOfRun();
    // CurrentRun: the error ended the run whose thread this control holds;
    // otherwise that thread has been joined and only the text is shown.
    void OnError(bool CurrentRun);
    void OnFinished(std::uint64_t Run);
    TVariableValues Variables() const;
    // A thread has ended: a state that speaks of a live run is replaced.
    void SettleEndedRun();

    // ---- stepping back (execution_travel.cpp) ----
    // The latest moment recorded: where the run is parked, or its end.
    std::optional<machine::Moment> Present() const;
    // The statement Step back and Run back start from, or nothing when there
    // is nowhere to go (the status bar then says so).
    std::optional<std::uint64_t> TravelBackFrom();
    // Shows moment Statement of the history, or the present when it is that.
    void ShowMoment(std::uint64_t Statement);
    // Shows the present again, if a past moment is shown.
    void BackToPresent();
    // The kept history is no longer the window's: the present is shown and
    // no travel is offered until the next run.
    void ForgetHistory();
    // Step in the past moves on one statement; the other commands go on
    // from the moment shown with the live board, dropping the later history.
    void GoOnFromPast(const TGoOn& How);
    // The text the run printed (CR dropped) from console character From up
    // to To, as the history keeps it.
    std::string PrintedBetween(std::uint64_t From, std::uint64_t To) const;

    TProgramSource& source_;
    TRunView& view_;
    TRunChannel channel_;
    TWorkbenchHost host_;
    basic::Interpreter interpreter_;
    std::atomic<basic::RunState>& state_; // the interpreter's
    // Every run records into the history through the recorder, which passes
    // the host's control and sink their calls.
    machine::History history_;
    machine::Recorder recorder_{history_, &host_, &host_};
    bool historyKept_ = false;
    // The past moment shown, the present it was reached from, and the run's
    // console characters the view shows.
    std::optional<std::uint64_t> viewed_;
    std::optional<machine::PastState> present_;
    std::uint64_t shownCharacters_ = 0;
    // The snapshot the next thread resumes from; none: it runs from the start.
    std::optional<basic::Snapshot> resumeFrom_;
    std::thread thread_;
    std::uint64_t run_ = 0;
    std::atomic<int> liveThreads_{0};
    std::atomic<int> mostLiveThreads_{0};
    bool editorChanged_ = false;
    // An edit ended the run and ShowEdited has not yet shown it.
    bool editEnded_ = false;
    bool delivering_ = false;
};

} // namespace marlinet::workbench
