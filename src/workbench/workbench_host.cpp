#include "workbench/workbench_host.h"

#include "interpreter/interpreter.h"

namespace marlinet::workbench {

using basic::RunState;

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

int TWorkbenchHost::host_print(std::string_view Text) {
    int written = 0;
    for (char c : Text)
        if (c != '\r' && c != '\n') ++written;
    channel_.Queue.PostText(Text, [this] { return MustEnd(); });
    return written;
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

void TWorkbenchHost::host_checkpoint() {
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
        Park();
        parked = true;
    }
    EndIfAsked();
}

void TWorkbenchHost::host_end_of_run() {
    Show(post::RefreshGrid{Variables()});
    channel_.Queue.Post(post::EndOfRun{run_});
}

void TWorkbenchHost::host_report_error() {
    channel_.Queue.Post(post::Error{run_});
}

void TWorkbenchHost::host_reset_variables() {
    Show(post::ResetGrid{});
}

std::string TWorkbenchHost::Ask(TInputMode Mode) {
    const std::uint64_t serial = channel_.BeginRequest();
    channel_.Queue.Post(post::Request{Mode, serial});
    // The state is looked at after each reset of the input event and before
    // each wait: an end asked before the reset in BeginRequest has had its
    // set wiped, and only the look finds it.
    for (;;) {
        if (std::optional<std::string> answer = channel_.TakeAnswer()) return std::move(*answer);
        if (MustEnd()) {
            channel_.AbandonRequest();
            EndIfAsked();
        }
        channel_.Input.Wait();
        channel_.Input.Reset();
    }
}

std::string_view TWorkbenchHost::host_request_value() {
    answer_ = Ask(TInputMode::Value);
    if (answer_.size() > basic::kMaxInputLength) answer_.resize(basic::kMaxInputLength);
    return answer_;
}

int TWorkbenchHost::host_request_key() {
    const std::string answer = Ask(TInputMode::Key);
    return answer.empty() ? 0 : static_cast<unsigned char>(answer.front());
}

std::optional<std::int32_t> TWorkbenchHost::host_read_adc() {
    AdcReading reading = board_.ReadAdc();
    const std::optional<std::int32_t> value = reading.Value;
    if (reading.Trimmed != reading.Text) Show(post::ShowTrimmedAdcText{std::move(reading)});
    return value;
}

void TWorkbenchHost::host_write_dac(std::int16_t Value) {
    Show(post::WriteDac{Value});
}

void TWorkbenchHost::host_set_output(int Output) {
    Show(post::SetOutput{Output});
}

void TWorkbenchHost::host_clear_output(int Output) {
    Show(post::ClearOutput{Output});
}

void TWorkbenchHost::host_select_adc(bool Adc2) {
    board_.SelectAdc(Adc2 ? AdcChannel::Adc2 : AdcChannel::Adc1);
    Show(post::ShowAdcSelection{});
}

bool TWorkbenchHost::host_test_input(std::uint8_t Input) {
    return board_.TestInput(Input);
}

void TWorkbenchHost::host_delay(int Milliseconds) {
    channel_.Sleep(Milliseconds, State());
    EndIfAsked();
}

} // namespace marlinet::workbench
