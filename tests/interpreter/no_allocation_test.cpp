// A run allocates nothing: every global operator new is counted while a
// program that uses every statement runs, and while a debugger works on one.
#include <gtest/gtest.h>

#include <vector>

#include "allocation_counter.h"
#include "interpreter/interpreter.h"

namespace marlinet::basic {
namespace {

// A host that itself never allocates.
class QuietHost : public Host {
public:
    Interpreter* interpreter = nullptr;
    int host_print(std::string_view text) override { return static_cast<int>(text.size()); }
    std::string_view host_request_value() override { return "123"; }
    int host_request_key() override { return 'k'; }
    void host_checkpoint() override { interpreter->run_state().store(RunState::Running); }
    void host_end_of_run() override {}
    void host_report_error() override {}
    void host_reset_variables() override {}
    std::optional<std::int32_t> host_read_adc() override { return 4000; }
    void host_write_dac(std::int16_t) override {}
    void host_set_output(int) override {}
    void host_clear_output(int) override {}
    void host_select_adc(bool) override {}
    bool host_test_input(std::uint8_t input) override { return input == 2; }
    void host_delay(int) override {}
};

TEST(NoAllocation, ARunUsingEveryStatementAllocatesNothing) {
    QuietHost host;
    Interpreter interpreter(host);
    host.interpreter = &interpreter;
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
class DebuggingHost : public QuietHost {
public:
    std::vector<PauseLine> changes;
    int checkpoints = 0;
    int pauses = 0;
    void host_checkpoint() override {
        pauses += interpreter->run_state().load() == RunState::StopRequest;
        const int n = ++checkpoints % 50;
        if (n == 10) interpreter->set_pause_lines(changes);
        if (n == 20) interpreter->request_step_over();
        if (n == 30) interpreter->request_run_to_line(7);
        if (n == 40) interpreter->request_step_out();
        interpreter->run_state().store(RunState::Running);
    }
};

TEST(NoAllocation, ARunWithPauseLinesAndDebuggerCommandsAllocatesNothing) {
    DebuggingHost host;
    Interpreter interpreter(host);
    host.interpreter = &interpreter;
    std::vector<PauseLine> lines(3);
    lines[0] = {3, true, "I % 7 = 3", 0};
    lines[1] = {6, true, "", 4};
    lines[2] = {9, true, "(A + I) * 2 > 100", 0};
    host.changes.assign(lines.begin() + 1, lines.end());
    interpreter.set_program(ProgramBuffer::from_file_bytes(
        "FOR I = 1 TO 300\nA = I % 13\nIF A = 1 THEN GOSUB 100\nNEXT\nEND\n"
        "100 B = B + 1\nGOSUB 200\nRETURN\n200 C = C + A\nRETURN\n"));
    interpreter.set_checkpoint_every_statement(true);
    interpreter.set_pause_lines(lines);
    interpreter.run_state().store(RunState::Running);
    const std::int64_t before = marlinet::testing::Allocations();
    EXPECT_EQ(interpreter.run_program(), RunEnd::EndOfProgram);
    EXPECT_EQ(marlinet::testing::Allocations() - before, 0);
    EXPECT_GT(host.pauses, 10);
    EXPECT_EQ(interpreter.variable('B' - 'A'), 24);
}

} // namespace
} // namespace marlinet::basic
