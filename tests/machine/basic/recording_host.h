// The interpreter's host for tests that run BASIC text: MachineHost over stub
// ports that record what a program did and answer INPUT from lists.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "interpreter/interpreter.h"
#include "interpreter/numbers.h"
#include "machine/board.h"
#include "machine/clock.h"
#include "machine/machine_host.h"

namespace marlinet::basic::testing {

class RecordingHost : public machine::ConsolePort,
                      public machine::RunControl,
                      public machine::EventSink {
public:
    std::string console;
    std::deque<std::string> typed_values; // answers to INPUT, value form
    std::deque<int> pressed_keys;         // answers to INPUT, key form
    // The board as a run starts (adc1, adc2, inputs, rx) and as it left it.
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

    machine::Board board;
    machine::LocalBoard board_port{board};
    machine::VirtualClock clock;
    machine::MachineHost machine{*this, board_port, clock};

    RecordingHost() {
        machine.set_control(this);
        machine.set_sink(this);
    }
    void attach(Interpreter& interpreter) { machine.attach(interpreter); }

    // ---- console ----
    void print(std::string_view text) override { console.append(text); }
    machine::Answer read_answer(machine::InputForm form, std::string& text) override {
        if (form == machine::InputForm::Value) {
            if (typed_values.empty()) end_run();
            text = typed_values.front();
            typed_values.pop_front();
        } else {
            if (pressed_keys.empty()) end_run();
            text.assign(1, static_cast<char>(pressed_keys.front()));
            pressed_keys.pop_front();
        }
        return machine::Answer::Typed;
    }

    // ---- control ----
    void started(machine::MachineHost&) override {
        ++reset_variables_calls;
        board.set_adc_text(machine::AdcChannel::Adc1, adc1);
        board.set_adc_text(machine::AdcChannel::Adc2, adc2);
        for (int i = 0; i < 4; ++i)
            board.set_input(i + 1, inputs[static_cast<std::size_t>(i)]);
        board.set_input(machine::Board::kRxBit, rx);
    }
    // Records and leaves the run state alone: after a STOP every statement
    // comes here.
    void checkpoint(machine::MachineHost& host) override {
        checkpoint_lines.push_back(host.line());
        if (on_checkpoint) on_checkpoint();
    }
    void delay(machine::MachineHost&, int) override {
        if (on_delay) on_delay();
    }
    void finished(machine::MachineHost&, machine::EndReason reason) override {
        ++(reason == machine::EndReason::Error ? report_error_calls : end_of_run_calls);
    }

    // ---- events ----
    void on_event(const machine::IoEvent& event) override {
        std::visit(
            [this](const auto& e) {
                using E = std::decay_t<decltype(e)>;
                if constexpr (std::is_same_v<E, machine::io::Lamp>)
                    outputs.at(static_cast<std::size_t>(e.output - 1)) = e.on;
                else if constexpr (std::is_same_v<E, machine::io::Dac>)
                    dac = e.value;
                else if constexpr (std::is_same_v<E, machine::io::AdcSelect>)
                    adc2_selected = e.channel == machine::AdcChannel::Adc2;
                else if constexpr (std::is_same_v<E, machine::io::InputRead>)
                    tested_inputs.push_back(e.input);
                else if constexpr (std::is_same_v<E, machine::io::InputAnswer>)
                    rx = board.test_input(machine::Board::kRxBit);
                else if constexpr (std::is_same_v<E, machine::io::Delay>)
                    delays.push_back(e.milliseconds);
            },
            event.what);
    }
};

// Runs BASIC text on a fresh interpreter and keeps what happened.
class BasicRun {
public:
    RecordingHost host;
    Interpreter interpreter{host.machine};

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
