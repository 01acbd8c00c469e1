// A host that records what a program did, for tests that run BASIC text.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/host.h"
#include "interpreter/interpreter.h"
#include "interpreter/numbers.h"

namespace marlinet::basic::testing {

class RecordingHost : public Host {
public:
    std::string console;
    std::deque<std::string> typed_values; // answers to INPUT, value form
    std::deque<int> pressed_keys;         // answers to INPUT, key form
    std::array<bool, 4> outputs{};
    std::optional<std::int16_t> dac;
    bool adc2_selected = false;
    std::string adc1 = "0";
    std::string adc2 = "0";
    std::array<bool, 4> inputs{};
    bool rx = false;
    std::vector<int> checkpoint_lines; // 1-based line of each checkpoint call
    std::vector<int> delays;
    std::vector<int> tested_inputs;
    int end_of_run_calls = 0;
    int report_error_calls = 0;
    int reset_variables_calls = 0;
    // Runs at every checkpoint call (after it is recorded), e.g. to end the run.
    std::function<void()> on_checkpoint;
    // Runs at every DELAY, e.g. to act as the window thread would meanwhile.
    std::function<void()> on_delay;

    void attach(Interpreter& interpreter) { interpreter_ = &interpreter; }

    int host_print(std::string_view text) override {
        console.append(text);
        int visible = 0;
        for (char c : text)
            visible += c != '\r' && c != '\n';
        return visible;
    }
    std::string_view host_request_value() override {
        if (typed_values.empty()) end_run();
        answer_ = typed_values.front();
        typed_values.pop_front();
        rx = false;
        console += answer_ + "\r\n";
        return answer_;
    }
    int host_request_key() override {
        if (pressed_keys.empty()) end_run();
        const int key = pressed_keys.front();
        pressed_keys.pop_front();
        rx = false;
        return key;
    }
    void host_checkpoint() override {
        checkpoint_lines.push_back(interpreter_->line_index_of(interpreter_->position()) + 1);
        if (on_checkpoint) on_checkpoint();
    }
    void host_end_of_run() override { ++end_of_run_calls; }
    void host_report_error() override { ++report_error_calls; }
    void host_reset_variables() override { ++reset_variables_calls; }
    std::optional<std::int32_t> host_read_adc() override {
        return parse_adc_text(adc2_selected ? adc2 : adc1);
    }
    void host_write_dac(std::int16_t value) override { dac = value; }
    void host_set_output(int output) override {
        outputs.at(static_cast<std::size_t>(output - 1)) = true;
    }
    void host_clear_output(int output) override {
        outputs.at(static_cast<std::size_t>(output - 1)) = false;
    }
    void host_select_adc(bool adc2) override { adc2_selected = adc2; }
    bool host_test_input(std::uint8_t input) override {
        tested_inputs.push_back(input);
        if (input >= 1 && input <= 4) return inputs[input - 1u];
        return input == 126 && rx;
    }
    void host_delay(int milliseconds) override {
        delays.push_back(milliseconds);
        if (on_delay) on_delay();
    }

private:
    Interpreter* interpreter_ = nullptr;
    std::string answer_;
};

// Runs BASIC text on a fresh interpreter and keeps what happened.
class BasicRun {
public:
    RecordingHost host;
    Interpreter interpreter{host};

    BasicRun() { host.attach(interpreter); }

    RunEnd run(std::string_view program) {
        interpreter.set_program(ProgramBuffer::from_file_bytes(program));
        interpreter.run_state().store(RunState::Running);
        return interpreter.run_program();
    }
    std::int16_t var(char name) const { return interpreter.variable(name - 'A'); }
    int error() const { return interpreter.error_number(); }
    int error_line() const { return interpreter.error_line(); }
};

} // namespace marlinet::basic::testing
