#include "workbench/workbench_host.h"

#include <type_traits>

#include "interpreter/interpreter.h"

namespace marlinet::workbench {

using basic::RunState;

TWorkbenchHost::TWorkbenchHost(TRunChannel& Channel, TBoardModel& Board)
    : channel_(Channel), board_(Board) {
    machine_.set_control(this);
    machine_.set_sink(this);
}

void TWorkbenchHost::Attach(basic::Interpreter& Interpreter) {
    interpreter_ = &Interpreter;
    machine_.attach(Interpreter);
}

std::atomic<RunState>& TWorkbenchHost::State() {
    return interpreter_->run_state();
}

bool TWorkbenchHost::MustEnd() {
    return TRunChannel::MustEnd(State().load());
}

void TWorkbenchHost::Show(TWindowPost Item) {
    channel_.Queue.PostWaiting(std::move(Item), [this] { return MustEnd(); });
}

TVariableValues TWorkbenchHost::Variables() const {
    static_assert(static_cast<int>(TVariableValues{}.size()) == basic::Interpreter::kVariableCount);
    TVariableValues values{};
    for (int i = 0; i < basic::Interpreter::kVariableCount; ++i)
        values[static_cast<std::size_t>(i)] = interpreter_->variable(i);
    return values;
}

void TWorkbenchHost::EndIfAsked() {
    RunState state = State().load();
    if (state == RunState::ResetRequest) {
        // Only this request is answered with Stopped: a state the window
        // stored meanwhile stands.
        State().compare_exchange_strong(state, RunState::Stopped);
        basic::end_run();
    }
    if (state == RunState::Modified) basic::end_run();
}

void TWorkbenchHost::Park() {
    // The resume event was reset before the state became Stopped; the window
    // stores the new state before it sets the event. After a reset the state
    // is looked at again, so a set that the reset wiped is never missed.
    for (;;) {
        channel_.Resume.Wait();
        if (State().load() != RunState::Stopped) return;
        channel_.Resume.Reset();
        if (State().load() != RunState::Stopped) return;
    }
}

TRunPause TWorkbenchHost::Pause() const {
    return {TProgramLine{interpreter_->current_line()}, Variables(), interpreter_->last_pause(),
            interpreter_->call_stack()};
}

void TWorkbenchHost::checkpoint(machine::MachineHost& Host) {
    for (bool parked = false; !parked;) {
        RunState state = State().load();
        if (state != RunState::StepRequest && state != RunState::StopRequest) break;
        Show(post::Paused{Pause()});
        channel_.Resume.Reset();
        // A compare, not a store: a key in the editor or a reset that came
        // after the look above must not be overwritten with Stopped.
        if (!State().compare_exchange_strong(state, RunState::Stopped)) continue;
        Host.report(machine::io::Pause{});
        Park();
        parked = true;
    }
    EndIfAsked();
}

void TWorkbenchHost::started(machine::MachineHost&) {
    clock_ = machine::RealClock();
    Show(post::Started{});
}

void TWorkbenchHost::finished(machine::MachineHost&, machine::EndReason Reason) {
    if (Reason == machine::EndReason::Error) {
        channel_.Queue.Post(post::Error{run_});
        return;
    }
    channel_.Queue.Post(post::EndOfRun{run_, Variables()});
}

machine::Answer TWorkbenchHost::read_answer(machine::InputForm Form, std::string& Text) {
    const std::uint64_t serial = channel_.BeginRequest();
    const TInputMode mode = Form == machine::InputForm::Key ? TInputMode::Key : TInputMode::Value;
    channel_.Queue.Post(post::Request{mode, serial});
    // The state is looked at after each reset of the input event and before
    // each wait: an end asked before the reset in BeginRequest has had its
    // set wiped, and only the look finds it.
    for (;;) {
        if (std::optional<TInputAnswer> answer = channel_.TakeAnswer()) {
            Text = std::move(answer->Text);
            return answer->Typed ? machine::Answer::Typed : machine::Answer::Stopped;
        }
        if (MustEnd()) {
            channel_.AbandonRequest();
            EndIfAsked();
        }
        channel_.Input.Wait();
        channel_.Input.Reset();
    }
}

machine::AdcSample TWorkbenchHost::read_adc(std::string& Text) {
    AdcReading reading = board_.ReadAdc();
    const machine::AdcSample sample{reading.Channel, reading.Value,
                                    reading.Trimmed != reading.Text};
    Text = reading.Text;
    if (sample.trimmed) Show(post::ShowTrimmedAdcText{std::move(reading)});
    return sample;
}

void TWorkbenchHost::on_event(const machine::IoEvent& Event) {
    using namespace machine::io;
    const auto abandon = [this] { return MustEnd(); };
    std::visit(
        [&](const auto& What) {
            using T = std::decay_t<decltype(What)>;
            if constexpr (std::is_same_v<T, Print>) {
                channel_.Queue.PostText(Event, What.text, abandon);
            } else if constexpr (std::is_same_v<T, Lamp> || std::is_same_v<T, Dac> ||
                                 std::is_same_v<T, AdcSelect> || std::is_same_v<T, InputAnswer>) {
                channel_.Queue.PostWaiting(post::Event::Keep(Event), abandon);
            }
            // The rest the window does not show: reads, requests (read_answer
            // posts its own, which the answer needs), delays, and the pause,
            // error and end, which the run control reports.
        },
        Event.what);
}

void TWorkbenchHost::delay(machine::MachineHost&, int Milliseconds) {
    channel_.Sleep(Milliseconds, State());
    EndIfAsked();
}

} // namespace marlinet::workbench
