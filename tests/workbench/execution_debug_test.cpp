// The debugger's commands against a window without widgets: step over, step
// out and run to cursor from each run state, and breakpoints that reach a run
// from the snapshot and while it runs.
#include <gtest/gtest.h>

#include "fake_window.h"

namespace marlinet::workbench {
namespace {

using basic::PauseReason;
using basic::RunState;

// Lines 3 and 4 call a subroutine at 6 to 8; the loop never ends.
constexpr const char* kProgram = "A = 0\r\n"         // 1
                                 "10 A = A + 1\r\n"  // 2
                                 "GOSUB 100\r\n"     // 3
                                 "B = A\r\n"         // 4
                                 "GOTO 10\r\n"       // 5
                                 "100 C = C + 1\r\n" // 6
                                 "D = 1\r\n"         // 7
                                 "RETURN";           // 8

class ExecutionDebugTest : public testing::TExecutionFixture {
protected:
    // Steps from the start until the run is parked before Line.
    void StopAt(int Line) {
        Load(kProgram);
        for (;;) {
            control.Step();
            ASSERT_TRUE(
                Until([&] { return control.State() == RunState::Stopped && window.ShownLine; }));
            if (window.ShownLine == Line) return;
            ASSERT_LT(window.Pauses, 20) << "never parked at line " << Line;
        }
    }
};

// Each command from each state: where the run parks next (0: it does not
// park) and why, or the state it leaves.
TEST_F(ExecutionDebugTest, EachCommandFromEachState) {
    using Command = void (TExecutionControl::*)();
    const struct {
        const char* name;
        Command command;
        const char* from;
        int caret;
        int parksAt;
        PauseReason reason;
        RunState state = RunState::Stopped; // when it does not park
    } cases[] = {
        {"step over", &TExecutionControl::StepOver, "idle", 1, 0, {}, RunState::Idle},
        {"step out", &TExecutionControl::StepOut, "idle", 1, 0, {}, RunState::Idle},
        {"run to cursor", &TExecutionControl::RunToCursor, "idle", 7, 0, {}, RunState::Idle},
        {"step over", &TExecutionControl::StepOver, "reset", 1, 1, PauseReason::Requested},
        {"step out", &TExecutionControl::StepOut, "reset", 1, 1, PauseReason::Requested},
        {"run to cursor", &TExecutionControl::RunToCursor, "reset", 7, 7, PauseReason::RunToLine},
        {"step over", &TExecutionControl::StepOver, "modified", 1, 1, PauseReason::Requested},
        {"run to cursor", &TExecutionControl::RunToCursor, "modified", 4, 4,
         PauseReason::RunToLine},
        {"step over", &TExecutionControl::StepOver, "running", 1, 0, {}, RunState::Running},
        {"step out", &TExecutionControl::StepOut, "running", 1, 0, {}, RunState::Running},
        {"run to cursor", &TExecutionControl::RunToCursor, "running", 7, 7, PauseReason::RunToLine},
        // At the GOSUB: the whole subroutine runs in one step.
        {"step over", &TExecutionControl::StepOver, "stopped at 3", 1, 4, PauseReason::StepOver},
        // Inside it: back after the GOSUB that called it.
        {"step out", &TExecutionControl::StepOut, "stopped at 7", 1, 4, PauseReason::StepOut},
        // No GOSUB open: the next statement.
        {"step out", &TExecutionControl::StepOut, "stopped at 2", 1, 3, PauseReason::StepOut},
        {"run to cursor", &TExecutionControl::RunToCursor, "stopped at 2", 7, 7,
         PauseReason::RunToLine},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " from " + c.from);
        control.EndRun();
        control.SetState(RunState::Idle);
        window.Pauses = 0;
        const std::string from = c.from;
        if (from == "reset") Load(kProgram);
        if (from == "modified") {
            Load(kProgram);
            control.EditorKeyDown();
        }
        if (from == "running") {
            Load(kProgram);
            control.Run();
            ASSERT_TRUE(Until([&] { return control.Interpreter().variable(0) > 3; }));
        }
        if (from.starts_with("stopped")) StopAt(std::stoi(from.substr(11)));
        const int saves = window.Saves;
        window.Caret = c.caret;
        window.Pauses = 0;
        (control.*c.command)();
        if (c.parksAt == 0) {
            window.Pump(
                control, [] { return false; }, std::chrono::milliseconds(30));
            EXPECT_EQ(control.State(), c.state);
            EXPECT_EQ(window.Pauses, 0);
            continue;
        }
        ASSERT_TRUE(ParkedAt(c.parksAt))
            << RunStateName(control.State()) << " at " << window.ShownLine.value_or(0);
        EXPECT_EQ(window.Cause.reason, c.reason);
        EXPECT_EQ(window.Pauses, 1);
        EXPECT_EQ(window.Saves, saves + (from == "modified"));
    }
}

// The snapshot's breakpoints hold from the first statement; one set while the
// program runs stops it when it next arrives; a disabled one never does.
TEST_F(ExecutionDebugTest, BreakpointsReachARunFromTheSnapshotAndWhileItRuns) {
    window.Breakpoints = {{7, true, "", 0}};
    Load(kProgram);
    control.Run();
    ASSERT_TRUE(ParkedAt(7));
    EXPECT_EQ(window.Cause, (basic::PauseCause{PauseReason::PauseLine, 7}));
    EXPECT_EQ(window.Calls.gosub_count, 1);
    EXPECT_EQ(window.Calls.gosub_return_lines[0], 3); // the rest of the GOSUB's line

    const basic::PauseLine none[] = {{7, false, "", 0}};
    control.SetBreakpoints(none);
    control.Run();
    ASSERT_TRUE(Until([&] { return control.Interpreter().variable(0) > 20; }));
    EXPECT_EQ(control.State(), RunState::Running);
    const basic::PauseLine atFour[] = {{4, true, "", 0}};
    control.SetBreakpoints(atFour);
    ASSERT_TRUE(ParkedAt(4));
    EXPECT_EQ(window.Cause, (basic::PauseCause{PauseReason::PauseLine, 4}));
}

} // namespace
} // namespace marlinet::workbench
