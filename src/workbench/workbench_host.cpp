#include "workbench/workbench_host.h"

#include "interpreter/interpreter.h"

namespace marlinet::workbench {

using basic::RunState;

TWorkbenchHost::TWorkbenchHost(TRunChannel& Channel, TBoardModel& Board)
    : channel_(Channel), board_(Board) {
    machine_.set_control(this);
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

void TWorkbenchHost::print(std::string_view Text) {
    channel_.Queue.PostText(Text, [this] { return MustEnd(); });
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

void TWorkbenchHost::checkpoint(machine::MachineHost& Host) {
    for (bool parked = false; !parked;) {
        RunState state = State().load();
        if (state != RunState::StepRequest && state != RunState::StopRequest) break;
        const int line = interpreter_->line_index_of(interpreter_->position());
        Show(post::SelectLine{line});
        Show(post::RefreshGrid{Variables()});
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
    Show(post::ResetGrid{});
}

void TWorkbenchHost::finished(machine::MachineHost&, machine::EndReason Reason) {
    if (Reason == machine::EndReason::Error) {
        channel_.Queue.Post(post::Error{run_});
        return;
    }
    Show(post::RefreshGrid{Variables()});
    channel_.Queue.Post(post::EndOfRun{run_});
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

void TWorkbenchHost::select_adc(AdcChannel Channel) {
    board_.SelectAdc(Channel);
    Show(post::ShowAdcSelection{});
}

void TWorkbenchHost::set_output(int Output, bool On) {
    if (On)
        Show(post::SetOutput{Output});
    else
        Show(post::ClearOutput{Output});
}

void TWorkbenchHost::write_dac(std::int16_t Value) {
    Show(post::WriteDac{Value});
}

void TWorkbenchHost::input_answered() {
    board_.SetInput(TBoardModel::kRxBit, false);
    Show(post::ClearRxBit{});
}

void TWorkbenchHost::delay(machine::MachineHost&, int Milliseconds) {
    channel_.Sleep(Milliseconds, State());
    EndIfAsked();
}

} // namespace marlinet::workbench
