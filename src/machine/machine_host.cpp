#include "machine/machine_host.h"

#include <algorithm>

#include "interpreter/numbers.h"

namespace marlinet::machine {

std::string_view end_reason_name(EndReason reason) noexcept {
    switch (reason) {
    case EndReason::Program: return "end";
    case EndReason::Error: return "error";
    case EndReason::Limit: return "limit";
    case EndReason::InputEnded: return "input";
    case EndReason::Interrupted: return "interrupt";
    case EndReason::Stopped: break;
    }
    return "stopped";
}

void shape_answer(std::string_view answer, std::string& out) {
    out.clear();
    for (char c : answer) {
        if (c == '\n' || c == '\0') break;
        if (c == '\r') continue;
        if (out.size() == basic::kMaxInputLength) break;
        out.push_back(c);
    }
}

void RunControl::checkpoint(MachineHost& host) {
    auto& state = host.interpreter().run_state();
    for (basic::RunState pause : {basic::RunState::StopRequest, basic::RunState::StepRequest}) {
        // A compare: a request to end stored meanwhile stands.
        if (state.compare_exchange_strong(pause, basic::RunState::Running)) break;
    }
}

void RunControl::delay(MachineHost& host, int milliseconds) {
    host.clock().delay(milliseconds);
}

EndReason MachineHost::run() {
    end_reason_ = EndReason::Stopped;
    return ended(interpreter_->run_program());
}

EndReason MachineHost::resume(const basic::Snapshot& snapshot) {
    end_reason_ = EndReason::Stopped;
    return ended(interpreter_->resume_from(snapshot));
}

EndReason MachineHost::ended(basic::RunEnd how) {
    switch (how) {
    case basic::RunEnd::EndOfProgram: return EndReason::Program;
    case basic::RunEnd::Error: return EndReason::Error;
    case basic::RunEnd::Host: break;
    }
    if (sink_) send(io::End{end_reason_}, line());
    return end_reason_;
}

void MachineHost::end(EndReason reason) {
    end_reason_ = reason;
    basic::end_run();
}

void MachineHost::send(const IoPayload& what, int line) {
    sink_->on_event(IoEvent{interpreter_->statements(), line, now_us(), what});
}

int MachineHost::host_print(std::string_view text) {
    int written = 0;
    for (char c : text)
        written += c != '\r' && c != '\n';
    console_.print(text);
    report(io::Print{text});
    return written;
}

std::string_view MachineHost::host_request_value() {
    report(io::InputRequest{InputForm::Value});
    const Answer how = console_.read_answer(InputForm::Value, raw_answer_);
    shape_answer(raw_answer_, answer_);
    board_.input_answered();
    report(io::InputAnswer{InputForm::Value, answer_, basic::to_number(answer_)});
    if (how == Answer::Typed) {
        host_print(answer_);
        host_print("\r\n");
    }
    return answer_;
}

int MachineHost::host_request_key() {
    report(io::InputRequest{InputForm::Key});
    console_.read_answer(InputForm::Key, raw_answer_);
    const int key = raw_answer_.empty() ? 0 : static_cast<unsigned char>(raw_answer_.front());
    board_.input_answered();
    report(io::InputAnswer{InputForm::Key, std::string_view(raw_answer_).substr(0, 1), key});
    return key;
}

void MachineHost::host_checkpoint() {
    if (control_)
        control_->checkpoint(*this);
    else
        RunControl().checkpoint(*this);
}

void MachineHost::finish(EndReason reason) {
    end_reason_ = reason;
    if (control_) control_->finished(*this, reason);
}

void MachineHost::host_end_of_run() {
    if (sink_) {
        // At the end of the text the token read stands in the trailer: the
        // run ended on the text's last line.
        std::string_view text = interpreter_->program().text();
        if (text.ends_with("\r\n")) text.remove_suffix(2);
        const int last = interpreter_->program().line_index_of(text.size()) + 1;
        send(io::End{EndReason::Program}, std::min(line(), last));
    }
    finish(EndReason::Program);
}

void MachineHost::host_report_error() {
    if (sink_) {
        const int line = interpreter_->error_line();
        send(io::Error{interpreter_->error_number()}, line);
        send(io::End{EndReason::Error}, line);
    }
    finish(EndReason::Error);
}

void MachineHost::host_reset_variables() {
    if (control_) control_->started(*this);
}

std::optional<std::int32_t> MachineHost::host_read_adc() {
    const AdcSample sample = board_.read_adc(adc_text_);
    report(io::AdcRead{sample.channel, adc_text_, sample.value});
    return sample.value;
}

void MachineHost::host_write_dac(std::int16_t value) {
    board_.write_dac(value);
    report(io::Dac{value});
}

void MachineHost::host_set_output(int output) {
    board_.set_output(output, true);
    report(io::Lamp{output, true});
}

void MachineHost::host_clear_output(int output) {
    board_.set_output(output, false);
    report(io::Lamp{output, false});
}

void MachineHost::host_select_adc(bool adc2) {
    const AdcChannel channel = adc2 ? AdcChannel::Adc2 : AdcChannel::Adc1;
    board_.select_adc(channel);
    report(io::AdcSelect{channel});
}

bool MachineHost::host_test_input(std::uint8_t input) {
    const bool on = board_.test_input(input);
    report(io::InputRead{input, on});
    return on;
}

void MachineHost::host_delay(int milliseconds) {
    report(io::Delay{milliseconds});
    if (control_)
        control_->delay(*this, milliseconds);
    else
        clock_.delay(milliseconds);
}

} // namespace marlinet::machine
