// A program run to its end on a virtual clock with no console or board, its
// I/O recorded into a history: the timeline's tests and benchmark draw it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "interpreter/interpreter.h"
#include "interpreter/program_buffer.h"
#include "machine/clock.h"
#include "machine/history.h"
#include "machine/machine_host.h"
#include "machine/recorder.h"

namespace marlinet::workbench::testing {

// INPUT reads 1, ADC reads 0, every input is low; nothing is shown.
struct TQuietPorts final : machine::ConsolePort, machine::BoardPort {
    void print(std::string_view) override {}
    machine::Answer read_answer(machine::InputForm, std::string& Text) override {
        Text = "1";
        return machine::Answer::Typed;
    }
    bool test_input(int) override { return false; }
    machine::AdcSample read_adc(std::string& Text) override {
        Text = "0";
        return {};
    }
    void select_adc(machine::AdcChannel) override {}
    void set_output(int, bool) override {}
    void write_dac(std::int16_t) override {}
    void input_answered() override {}
};

inline void RecordProgram(machine::History& History, const char* Program) {
    TQuietPorts ports;
    machine::VirtualClock clock;
    machine::MachineHost host(ports, ports, clock);
    basic::Interpreter interpreter(host);
    host.attach(interpreter);
    machine::Recorder recorder(History);
    recorder.attach(host);
    interpreter.set_program(basic::ProgramBuffer::from_file_bytes(Program));
    interpreter.run_state().store(basic::RunState::Running);
    host.run();
}

} // namespace marlinet::workbench::testing
