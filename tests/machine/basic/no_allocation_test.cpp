// A run allocates nothing: every global operator new is counted while a
// program that uses every statement runs on the one host, MachineHost, and
// while a debugger works on one.
#include <gtest/gtest.h>

#include <vector>

#include "allocation_counter.h"
#include "interpreter/interpreter.h"
#include "machine/clock.h"
#include "machine/machine_host.h"

namespace marlinet::basic {
namespace {

// Ports that themselves never allocate.
class QuietConsole : public machine::ConsolePort {
public:
    void print(std::string_view) override {}
    machine::Answer read_answer(machine::InputForm form, std::string& text) override {
        text = form == machine::InputForm::Key ? "k" : "123";
        return machine::Answer::Typed;
    }
};

TEST(NoAllocation, ARunUsingEveryStatementAllocatesNothing) {
    QuietConsole console;
    machine::Board board;
    board.set_adc_text(machine::AdcChannel::Adc1, "4000");
    board.set_input(2, true);
    machine::LocalBoard board_port(board);
    machine::VirtualClock clock;
    machine::MachineHost host(console, board_port, clock);
    Interpreter interpreter(host);
    host.attach(interpreter);
    interpreter.set_program(ProgramBuffer::from_file_bytes(
        "REM every statement\n"
        "FOR I = 1 TO 50\n"
        "GOSUB 100\n"
        "IF I % 10 = 0 THEN PRINT \"I=\"; I, (I * 3) & 255 | 1, \"$\"; 65\n"
        "NEXT\n"
        "STOP\n"
        "INPUT \"value \", V\n"
        "INPUT \"$\", K\n"
        "INPUT W\n"
        "GOTO 200\n"
        "100 ADC A SETB 128 ADC B CLRB 128 SETB 1 CLRB 1 DAC A / 2\n"
        "TSTB T, 2\n"
        "SCALE A, 1000, 4096\n"
        "DELAY 1\n"
        "RETURN\n"
        "200 END\n"));
    interpreter.run_state().store(RunState::Running);
    const std::int64_t before = marlinet::testing::Allocations();
    const RunEnd end = interpreter.run_program();
    const std::int64_t during_run = marlinet::testing::Allocations() - before;
    EXPECT_EQ(end, RunEnd::EndOfProgram);
    EXPECT_EQ(interpreter.variable('V' - 'A'), 123);
    EXPECT_EQ(interpreter.variable('T' - 'A'), 1);
    EXPECT_EQ(during_run, 0);

    // An error report allocates nothing either.
    interpreter.set_program(ProgramBuffer::from_file_bytes("A = 1\nGOTO 99\n"));
    const std::int64_t before_error = marlinet::testing::Allocations();
    EXPECT_EQ(interpreter.run_program(), RunEnd::Error);
    EXPECT_EQ(marlinet::testing::Allocations() - before_error, 0);
}

// Acts as the window does at every checkpoint: changes the pause lines and
// gives one-shot commands, prepared before the run.
class DebuggingControl : public machine::RunControl {
public:
    std::vector<PauseLine> changes;
    int checkpoints = 0;
    int pauses = 0;
    void checkpoint(machine::MachineHost& host) override {
        Interpreter& interpreter = host.interpreter();
        pauses += interpreter.run_state().load() == RunState::StopRequest;
        const int n = ++checkpoints % 50;
        if (n == 10) interpreter.set_pause_lines(changes);
        if (n == 20) interpreter.request_step_over();
        if (n == 30) interpreter.request_run_to_line(7);
        if (n == 40) interpreter.request_step_out();
        interpreter.run_state().store(RunState::Running);
    }
};

TEST(NoAllocation, ARunWithPauseLinesAndDebuggerCommandsAllocatesNothing) {
    QuietConsole console;
    machine::Board board;
    machine::LocalBoard board_port(board);
    machine::VirtualClock clock;
    machine::MachineHost host(console, board_port, clock);
    DebuggingControl control;
    host.set_control(&control);
    Interpreter interpreter(host);
    host.attach(interpreter);
    std::vector<PauseLine> lines(3);
    lines[0] = {3, true, "I % 7 = 3", 0};
    lines[1] = {6, true, "", 4};
    lines[2] = {9, true, "(A + I) * 2 > 100", 0};
    control.changes.assign(lines.begin() + 1, lines.end());
    interpreter.set_program(ProgramBuffer::from_file_bytes(
        "FOR I = 1 TO 300\nA = I % 13\nIF A = 1 THEN GOSUB 100\nNEXT\nEND\n"
        "100 B = B + 1\nGOSUB 200\nRETURN\n200 C = C + A\nRETURN\n"));
    interpreter.set_checkpoint_every_statement(true);
    interpreter.set_pause_lines(lines);
    interpreter.run_state().store(RunState::Running);
    const std::int64_t before = marlinet::testing::Allocations();
    EXPECT_EQ(interpreter.run_program(), RunEnd::EndOfProgram);
    EXPECT_EQ(marlinet::testing::Allocations() - before, 0);
    EXPECT_GT(control.pauses, 10);
    EXPECT_EQ(interpreter.variable('B' - 'A'), 24);
}

} // namespace
} // namespace marlinet::basic
