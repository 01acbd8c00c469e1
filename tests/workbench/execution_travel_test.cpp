// Stepping back through the window's run without widgets: Step back N and
// Step N again, Run back to a breakpoint, going on from the past, and the
// commands that leave the past.
#include <gtest/gtest.h>

#include <algorithm>

#include "fake_window.h"

namespace marlinet::workbench {
namespace {

using basic::RunState;

// Lamp 1 follows A's parity; each pass prints A.
constexpr const char* kProgram = "A = 0\r\n"                  // 1
                                 "10 A = A + 1\r\n"           // 2
                                 "SETB 1\r\n"                 // 3
                                 "PRINT A\r\n"                // 4
                                 "CLRB 1\r\n"                 // 5
                                 "IF A < 50 THEN GOTO 10\r\n" // 6
                                 "END";                       // 7

std::string WithoutCr(std::string Text) {
    std::erase(Text, '\r');
    return Text;
}

class ExecutionTravelTest : public testing::TExecutionFixture {
protected:
    // Steps from the start Count times; the run is parked after them.
    void StepTimes(int Count) {
        Load(kProgram);
        for (int i = 0; i < Count; ++i) {
            const int pauses = window.Pauses;
            control.Step();
            ASSERT_TRUE(Until(
                [&] { return control.State() == RunState::Stopped && window.Pauses > pauses; }));
        }
    }
    struct Shown {
        std::optional<int> line;
        TVariableValues grid;
        std::array<bool, 4> lamps;
        std::string console;
        bool operator==(const Shown&) const = default;
    };
    Shown Now() const {
        return {window.ShownLine, window.Grid, window.Lamps, WithoutCr(window.Console)};
    }
};

// Each step back shows the state one statement earlier, as a straight run
// showed it; stepping forward as often comes back to the present.
TEST_F(ExecutionTravelTest, StepBackShowsEarlierStatesAndStepComesBack) {
    std::vector<Shown> straight;
    Load(kProgram);
    for (int i = 0; i < 12; ++i) {
        const int pauses = window.Pauses;
        control.Step();
        ASSERT_TRUE(
            Until([&] { return control.State() == RunState::Stopped && window.Pauses > pauses; }));
        straight.push_back(Now());
    }
    ASSERT_TRUE(control.CanTravel());
    for (int back = 1; back <= 5; ++back) {
        control.StepBack();
        SCOPED_TRACE(back);
        ASSERT_TRUE(window.Time);
        EXPECT_EQ(window.Time->StatementsBack, static_cast<std::uint64_t>(back));
        EXPECT_EQ(Now(), straight[straight.size() - 1 - static_cast<std::size_t>(back)]);
        EXPECT_EQ(window.Status.substr(0, 2), std::to_string(back) + " ");
    }
    for (int forward = 4; forward >= 0; --forward) {
        control.Step();
        EXPECT_EQ(Now(), straight[straight.size() - 1 - static_cast<std::size_t>(forward)]);
        EXPECT_EQ(control.ShownMoment().has_value(), forward > 0);
    }
    EXPECT_TRUE(window.Time->Present);
    EXPECT_EQ(control.State(), RunState::Stopped); // the run never moved
}

TEST_F(ExecutionTravelTest, StepBackStopsAtTheStartOfTheRun) {
    StepTimes(2);
    control.StepBack();
    control.StepBack();
    EXPECT_EQ(control.ShownMoment(), 0u);
    const int travels = window.Travels;
    control.StepBack();
    EXPECT_EQ(window.Travels, travels);
    EXPECT_EQ(window.Status, "At the start of the run");
}

// Run back stops at the latest earlier arrival at a breakpoint line, then
// at the one before, and at the start when there is none.
TEST_F(ExecutionTravelTest, RunBackStopsAtBreakpointLinesThenAtTheStart) {
    Load(kProgram);
    window.Breakpoints = {{5, true, "", 0}};
    control.SetBreakpoints(window.Breakpoints);
    control.Run();
    ASSERT_TRUE(Until([&] { return control.State() == RunState::Stopped && window.Pauses == 1; }));
    control.Run();
    ASSERT_TRUE(Until([&] { return control.State() == RunState::Stopped && window.Pauses == 2; }));
    ASSERT_EQ(window.Grid[0], 2);
    control.StepBack(); // leave the pause's own moment
    control.RunBack();
    EXPECT_EQ(window.ShownLine, 5);
    EXPECT_EQ(window.Grid[0], 1); // the first arrival
    control.RunBack();
    EXPECT_EQ(control.ShownMoment(), 0u);
    EXPECT_EQ(window.ShownLine, 1);
}

// Run from a past moment goes on from there: the later history is dropped,
// the console loses the later text, and the run repeats the same path.
TEST_F(ExecutionTravelTest, GoingOnFromThePastDropsTheFuture) {
    StepTimes(14);
    const std::string before = WithoutCr(window.Console);
    const std::uint64_t present = control.History().extent()->last.statement;
    for (int i = 0; i < 6; ++i)
        control.StepBack();
    const std::uint64_t moment = *control.ShownMoment();
    EXPECT_EQ(moment, present - 6);
    const std::string then = WithoutCr(window.Console);
    EXPECT_LT(then.size(), before.size());
    EXPECT_EQ(before.substr(0, then.size()), then);

    control.StepOver(); // a command that goes on: one statement, then a pause
    ASSERT_TRUE(Until([&] {
        return control.State() == RunState::Stopped &&
               control.History().extent()->last.statement == moment + 1;
    }));
    EXPECT_FALSE(control.ShownMoment());
    EXPECT_EQ(control.History().extent()->last.statement, moment + 1);
    // The old future is gone: stepping forward is not offered past the present.
    control.StepBack();
    EXPECT_EQ(control.ShownMoment(), moment);
    control.Run();
    ASSERT_TRUE(Until([&] { return control.State() == RunState::Reset && !control.HasThread(); }));
    std::string expected;
    for (int a = 1; a <= 50; ++a)
        expected += std::to_string(a) + "\n";
    EXPECT_EQ(WithoutCr(window.Console), expected);
    EXPECT_EQ(window.Grid[0], 50);
}

// After a run ends its history can still be stepped through; a key in the
// editor, Reset & Reload and a new run each leave the past and end that.
TEST_F(ExecutionTravelTest, TheEndedRunsHistoryLastsUntilTheTextOrBoardChanges) {
    const struct {
        const char* name;
        void (TExecutionControl::*command)();
    } cases[] = {
        {"key", &TExecutionControl::EditorKeyDown},
        {"reset", &TExecutionControl::ResetAndReload},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Load(kProgram);
        window.Console.clear();
        control.Run();
        ASSERT_TRUE(
            Until([&] { return control.State() == RunState::Reset && !control.HasThread(); }));
        const std::string full = window.Console;
        ASSERT_TRUE(control.CanTravel());
        for (int i = 0; i < 4; ++i)
            control.StepBack(); // before PRINT 50
        EXPECT_EQ(window.Grid[0], 50);
        EXPECT_EQ(WithoutCr(window.Console) + "50\n", WithoutCr(full));
        (control.*c.command)();
        EXPECT_FALSE(control.CanTravel());
        EXPECT_FALSE(control.ShownMoment());
        EXPECT_EQ(WithoutCr(window.Console), WithoutCr(full)); // the text came back
    }
}

} // namespace
} // namespace marlinet::workbench
