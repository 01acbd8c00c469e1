#include "workbench/execution_control.h"

#include <chrono>
#include <exception>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "interpreter/errors.h"
#include "support/scoped_flag.h"

namespace marlinet::workbench {

using basic::RunState;

namespace {

// The longest stretch the window thread spends applying posts before it
// answers its other events again.
constexpr auto kDeliveryBudget = std::chrono::milliseconds(4);

constexpr std::string_view kRunStateNames[] = {"Idle",          "Reset",        "Running",
                                               "Stopped",       "Step request", "Stop request",
                                               "Reset request", "Modified"};

// The states in which a run executes or is parked: they mean nothing once its
// thread has ended.
bool IsLive(RunState State) {
    return State == RunState::Running || State == RunState::Stopped ||
           State == RunState::StepRequest || State == RunState::StopRequest;
}

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};

} // namespace

std::string_view RunStateName(RunState State) {
    const auto value = static_cast<int>(State);
    if (value < 0 || value >= static_cast<int>(std::size(kRunStateNames))) return "Unknown";
    return kRunStateNames[value];
}

std::string ErrorStatusText(int Number, int Line) {
    return basic::error_status_text(Number, Line);
}

TExecutionControl::TExecutionControl(TProgramSource& Source, TRunView& View, TBoardModel& Board)
    : source_(Source), view_(View), channel_([&View] { View.WakeWindow(); }),
      host_(channel_, Board), interpreter_(host_.Machine()), state_(interpreter_.run_state()) {
    host_.Attach(interpreter_);
    recorder_.attach(host_.Machine());
}

TExecutionControl::~TExecutionControl() {
    RequestEnd(RunState::ResetRequest);
    channel_.Shutdown.Set();
    JoinThread();
}

// ---- commands ----

void TExecutionControl::Run() {
    Start({RunState::Running, RunState::Running, TGoOn::TOneShot::None, false});
}

void TExecutionControl::Step() {
    Start({RunState::StepRequest, RunState::StepRequest, TGoOn::TOneShot::None, true});
}

void TExecutionControl::StepOver() {
    Start({RunState::StepRequest, RunState::Running, TGoOn::TOneShot::StepOver, true});
}

void TExecutionControl::StepOut() {
    Start({RunState::StepRequest, RunState::Running, TGoOn::TOneShot::StepOut, true});
}

void TExecutionControl::RunToCursor() {
    Start({RunState::Running, RunState::Running, TGoOn::TOneShot::RunToCursor, false});
}

void TExecutionControl::Start(const TGoOn& How) {
    Flush();
    if (IsClosed()) return;
    if (viewed_) {
        GoOnFromPast(How);
        return;
    }
    ClearError();
    view_.FocusConsole();
    source_.NameUntitledFile(How.IsStep);
    std::optional<TProgramSnapshot> reloaded;
    if (State() == RunState::Modified && !(reloaded = JoinAndReload())) return;
    const RunState state = State();
    if (state == RunState::Reset) {
        view_.Resuming();
        StartThread(How, reloaded ? *reloaded : source_.Snapshot());
    } else if (state == RunState::Stopped) {
        view_.Resuming();
        RequestOneShot(How, How.FromStopped, source_.CaretLine());
        SetState(How.FromStopped);
        channel_.Resume.Set();
    } else if (state == RunState::Running && How.OneShot == TGoOn::TOneShot::RunToCursor) {
        // A program running on pauses where the caret is when it gets there.
        RequestOneShot(How, RunState::Running, source_.CaretLine());
    }
}

void TExecutionControl::RequestOneShot(const TGoOn& How, RunState Target, TProgramLine CaretLine) {
    if (Target != RunState::Running) return;
    switch (How.OneShot) {
    case TGoOn::TOneShot::None: break;
    case TGoOn::TOneShot::StepOver: interpreter_.request_step_over(); break;
    case TGoOn::TOneShot::StepOut: interpreter_.request_step_out(); break;
    case TGoOn::TOneShot::RunToCursor: interpreter_.request_run_to_line(CaretLine.Number); break;
    }
}

void TExecutionControl::SetBreakpoints(std::span<const basic::PauseLine> Breakpoints) {
    interpreter_.set_pause_lines(Breakpoints);
}

void TExecutionControl::Stop() {
    // No delivery first: Stop changes nothing the run has shown, and should
    // not wait behind a printing program's backlog.
    RunState running = RunState::Running;
    if (state_.compare_exchange_strong(running, RunState::StopRequest)) channel_.Resume.Set();
}

void TExecutionControl::ResetAndReload() {
    // What the run showed before the command comes before the reset.
    Flush();
    ForgetHistory();
    view_.ResetBoard();
    const RunState state = State();
    if (state != RunState::Stopped && state != RunState::Modified) return;
    EndRun();
    if (!Reload()) SetState(RunState::ResetRequest);
}

void TExecutionControl::EditorKeyDown() {
    EditorEdited();
    ShowEdited();
}

void TExecutionControl::EditorEdited() {
    // The past shown goes now: a command before ShowEdited must not go on
    // from it with the edited text.
    ForgetHistory();
    editorChanged_ = true;
    if (State() == RunState::Modified) return;
    editEnded_ = true;
    // The input event too: a request not yet shown is then never shown, and
    // the run ends silently.
    RequestEnd(RunState::Modified);
}

void TExecutionControl::ShowEdited() {
    // What the run posted before the edit; its pauses and requests are no
    // longer shown, the state being Modified.
    Flush();
    if (!std::exchange(editEnded_, false)) return;
    ClearError();
    view_.Editing();
}

void TExecutionControl::Close() {
    if (IsClosed()) return;
    EndRun();
    channel_.Shutdown.Set();
}

bool TExecutionControl::SaveAndReload() {
    return JoinAndReload().has_value();
}

std::optional<TProgramSnapshot> TExecutionControl::JoinAndReload() {
    if (HasThread()) {
        // The old run would go on executing the program being replaced.
        if (!TRunChannel::MustEnd(State())) SetState(RunState::Modified);
        channel_.WakeRun();
        JoinEndedRun();
    }
    return Reload();
}

std::optional<TProgramSnapshot> TExecutionControl::Reload() {
    std::optional<TProgramSnapshot> snapshot = source_.SaveAndReload();
    if (!snapshot) return std::nullopt;
    editorChanged_ = false;
    SetState(RunState::Reset);
    return snapshot;
}

RunState TExecutionControl::EndRun() {
    ForgetHistory();
    const RunState before = State();
    RequestEnd(RunState::ResetRequest);
    JoinEndedRun();
    return before;
}

void TExecutionControl::Restore(RunState Before) {
    SetState(Before);
    SettleEndedRun();
}

void TExecutionControl::ClearError() {
    interpreter_.clear_error();
    ShowErrorStatus();
}

void TExecutionControl::ShowErrorStatus() {
    const int number = interpreter_.error_number();
    if (number == basic::kNoError) {
        view_.ShowStatus({});
        return;
    }
    view_.ShowStatus(ErrorStatusText(number, interpreter_.error_line()));
    SetState(RunState::Reset);
}

// ---- the interpreter thread ----

void TExecutionControl::StartThread(const TGoOn& How, const TProgramSnapshot& Snapshot) {
    // A thread left from the last run has finished (Reset is only set once it
    // has); one that has not would be told to end rather than waited for.
    if (HasThread()) EndRun();
    try {
        interpreter_.set_pause_lines(Snapshot.Breakpoints);
    } catch (const std::invalid_argument& error) {
        view_.ShowStatus(error.what());
        return;
    }
    interpreter_.set_program(Snapshot.Program);
    RequestOneShot(How, How.FromReset, Snapshot.CaretLine);
    recorder_.set_outputs_at_start(view_.Outputs());
    historyKept_ = true;
    resumeFrom_.reset();
    // An edit not yet shown belongs to the run that ended; this one is not
    // to be shown as edited.
    editEnded_ = false;
    host_.BeginRun(++run_);
    SetState(How.FromReset);
    thread_ = std::thread(&TExecutionControl::ThreadBody, this, run_);
}

void TExecutionControl::ThreadBody(std::uint64_t Run) {
    const int live = liveThreads_.fetch_add(1) + 1;
    int most = mostLiveThreads_.load();
    while (live > most && !mostLiveThreads_.compare_exchange_weak(most, live)) {
    }
    try {
        if (resumeFrom_)
            host_.Machine().resume(*resumeFrom_);
        else
            host_.Machine().run();
    } catch (const std::exception&) {
        // Out of memory while posting: the run ends; the window settles the
        // state when it sees the thread finish.
    }
    liveThreads_.fetch_sub(1);
    channel_.Queue.Post(post::Finished{Run});
}

void TExecutionControl::JoinThread() {
    if (thread_.joinable()) thread_.join();
}

void TExecutionControl::JoinEndedRun() {
    JoinThread();
    // The run's last posts: what it showed is shown; its questions and its
    // end-of-run message are answered by the command that ended it.
    while (std::optional<TWindowPost> item = channel_.Queue.Pop())
        Apply(*item, TAfterEnd::Ended);
}

void TExecutionControl::RequestEnd(RunState State) {
    SetState(State);
    channel_.WakeRun();
}

// ---- delivery ----

void TExecutionControl::Deliver() {
    // A modal dialog opened while applying a post runs a nested event loop;
    // the outer delivery goes on after it.
    if (delivering_) return;
    const support::TScopedFlag delivering(delivering_);
    const auto deadline = std::chrono::steady_clock::now() + kDeliveryBudget;
    while (std::optional<TWindowPost> item = channel_.Queue.Pop()) {
        Apply(*item, TAfterEnd::Live);
        if (std::chrono::steady_clock::now() >= deadline) {
            channel_.Queue.WakeAgain();
            break;
        }
    }
}

void TExecutionControl::Flush() {
    // Only what is there now: a program printing without end cannot keep
    // the command waiting.
    const auto stale = [this](const post::Request& Request) {
        return !channel_.IsPending(Request.Serial);
    };
    for (std::size_t n = channel_.Queue.Size(); n > 0; --n) {
        std::optional<TWindowPost> item = channel_.Queue.Pop(stale);
        if (!item) break;
        Apply(*item, TAfterEnd::Live);
    }
}

void TExecutionControl::Apply(TWindowPost& Item, TAfterEnd Mode) {
    const bool live = Mode == TAfterEnd::Live;
    std::visit(Overloaded{
                   [&](post::Event& p) { view_.Show(p.View()); },
                   [&](post::ShowTrimmedAdcText& p) { view_.ShowAdcText(p.Reading); },
                   [&](post::Started&) { view_.Started(); },
                   [&](post::Paused& p) {
                       // A pause that a command overtook (the run was told to
                       // end as it parked) shows nothing.
                       if (live && IsLive(State())) view_.Paused(p.Pause);
                   },
                   [&](post::Request& p) {
                       if (live) ServeRequest(p);
                   },
                   [&](post::EndOfRun& p) {
                       view_.Ended(p.Variables);
                       if (live && p.Run == run_) OnEndOfRun();
                   },
                   [&](post::Error& p) { OnError(live && p.Run == run_); },
                   [&](post::Finished& p) {
                       if (live) OnFinished(p.Run);
                   },
               },
               Item);
}

void TExecutionControl::ServeRequest(const post::Request& Request) {
    if (!channel_.IsPending(Request.Serial)) return; // the run ended before it was shown
    // A run told to end (an edit, Reset) asks nothing more; the wake that
    // told it releases its wait.
    if (TRunChannel::MustEnd(State())) return;
    std::optional<std::string> answer = view_.AskInput(Request.Mode);
    if (!channel_.IsPending(Request.Serial)) return; // ended while the dialog was up
    // The run's host echoes a typed value and clears the RX bit.
    if (answer) {
        channel_.Answer(Request.Serial, std::move(*answer));
        return;
    }
    // Stop & Exit: the run parks at its next statement, with "0" stored.
    for (RunState from : {RunState::Running, RunState::StepRequest})
        if (state_.compare_exchange_strong(from, RunState::StopRequest)) break;
    channel_.Resume.Set();
    channel_.Answer(Request.Serial, "0", false);
}

void TExecutionControl::OnEndOfRun() {
    // The thread has posted its last message and is returning.
    JoinThread();
    SetState(RunState::Idle);
    Reload();
}

void TExecutionControl::OnError(bool CurrentRun) {
    const int number = interpreter_.error_number();
    if (number == basic::kNoError) return;
    if (CurrentRun) {
        JoinThread();
        if (IsLive(State())) {
            ShowErrorStatus();
            // A key typed while the error was raised: the text still needs
            // saving and reloading before the next run, and its line numbers
            // may no longer be the program's.
            if (editorChanged_) {
                SetState(RunState::Modified);
                return;
            }
            // Where the run stopped, as a pause shows it: the line and the
            // variables as they were at the error.
            view_.Failed({TProgramLine{interpreter_.error_line()}, Variables(), {}, {}});
            return;
        }
    }
    view_.ShowStatus(ErrorStatusText(number, interpreter_.error_line()));
}

TVariableValues TExecutionControl::Variables() const {
    TVariableValues values{};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = interpreter_.variable(static_cast<int>(i));
    return values;
}

void TExecutionControl::OnFinished(std::uint64_t Run) {
    if (Run != run_) return; // an earlier run, joined already
    JoinThread();
    SettleEndedRun();
}

void TExecutionControl::SettleEndedRun() {
    if (IsLive(State())) SetState(editorChanged_ ? RunState::Modified : RunState::Reset);
}

} // namespace marlinet::workbench
