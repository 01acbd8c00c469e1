// The execution control against a window without widgets: the run state
// machine, stepping and stopping, INPUT, errors, the end of a run, and
// ending a run from every kind of wait.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>
#include <variant>

#include "fake_window.h"
#include "interpreter/numbers.h"
#include "workbench/workbench_host.h"

namespace marlinet::workbench {
namespace {

using basic::RunState;
using namespace std::chrono_literals;

class ExecutionTest : public testing::TExecutionFixture {
protected:
    bool UntilState(RunState State) {
        return Until([&] { return control.State() == State && !control.HasThread(); });
    }
    std::int16_t Var(char Name) { return control.Interpreter().variable(Name - 'A'); }
};

TEST_F(ExecutionTest, RunAndStepDoNothingUntilAProgramIsLoaded) {
    EXPECT_EQ(RunStateName(control.State()), "Idle");
    control.Run();
    control.Step();
    EXPECT_FALSE(control.HasThread());
    EXPECT_EQ(control.State(), RunState::Idle);
}

TEST_F(ExecutionTest, StepFromResetParksBeforeTheFirstStatementThenRunsOneAtATime) {
    Load("\r\nA = 5\r\nB = -3\r\nEND");
    window.Grid.fill(9);
    control.Step();
    ASSERT_TRUE(ParkedAt(2)) << RunStateName(control.State());
    EXPECT_EQ(window.Grid, TVariableValues{});
    EXPECT_EQ(window.GridResets, 1);
    EXPECT_TRUE(window.WholeLines);
    const struct {
        int line;
        std::int16_t a, b;
    } steps[] = {{3, 5, 0}, {4, 5, -3}};
    for (const auto& step : steps) {
        control.Step();
        ASSERT_TRUE(ParkedAt(step.line));
        EXPECT_EQ(window.Grid[0], step.a);
        EXPECT_EQ(window.Grid[1], step.b);
    }
    window.EditorText = "END"; // what the editor holds when the run ends is saved
    control.Step();
    ASSERT_TRUE(UntilState(RunState::Reset));
    EXPECT_EQ(window.File, "END");
    EXPECT_EQ(window.Saves, 2);
}

TEST_F(ExecutionTest, StopParksBeforeTheNextStatementAndRunGoesOn) {
    Load("10 A = A + 1\r\nB = B + 1\r\nGOTO 10");
    control.Run();
    ASSERT_TRUE(Until([&] { return Var('A') > 100; }));
    control.Stop();
    ASSERT_TRUE(Until([&] { return control.State() == RunState::Stopped && window.ShownLine; }));
    ASSERT_TRUE(Until([&] { return window.GridRefreshes == 1; }));
    const std::int16_t a = Var('A');
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(Var('A'), a);
    EXPECT_EQ(window.Grid[0], a);
    EXPECT_EQ(window.Grid[1], Var('B'));
    const int line = *window.ShownLine;
    EXPECT_EQ(line == 2 ? a - 1 : a, Var('B')) << "parked before line " << line;

    control.Run();
    EXPECT_EQ(control.State(), RunState::Running);
    ASSERT_TRUE(Until([&] { return Var('A') > a + 100; }));
}

TEST_F(ExecutionTest, StopActsOnlyWhileRunningAndResetActsOnlyOnTheBoardWhileRunning) {
    for (RunState state : {RunState::Idle, RunState::Reset, RunState::Modified}) {
        control.SetState(state);
        control.Stop();
        EXPECT_EQ(control.State(), state);
    }
    Load("10 GOTO 10");
    control.Run();
    control.ResetAndReload();
    EXPECT_EQ(window.BoardResets, 1);
    EXPECT_EQ(control.State(), RunState::Running);
    EXPECT_TRUE(control.HasThread());
}

TEST_F(ExecutionTest, AKeyWhileRunningEndsTheRunSilentlyAndTheNextRunReloads) {
    Load("10 A = A + 1\r\nGOTO 10");
    control.Run();
    ASSERT_TRUE(Until([&] { return Var('A') > 0; }));
    control.EditorKeyDown();
    EXPECT_EQ(control.State(), RunState::Modified);
    EXPECT_FALSE(window.WholeLines);
    ASSERT_TRUE(UntilState(RunState::Modified));
    EXPECT_EQ(window.Console, "");
    EXPECT_EQ(window.Status, "");
    EXPECT_EQ(window.Saves, 1);

    window.EditorText = "PRINT \"new\"\r\nEND";
    control.Run();
    EXPECT_EQ(window.File, window.EditorText);
    ASSERT_TRUE(UntilState(RunState::Reset));
    EXPECT_EQ(window.Console, "new\r\n");
    EXPECT_EQ(window.GridResets, 2);
}

// The error's line is selected and the grid shows the variables at the
// error (the run zeroed them at its start).
TEST_F(ExecutionTest, AnErrorFillsPanelTwoShowsItsLineAndVariablesAndLeavesReset) {
    const struct {
        const char* program;
        const char* console;
        const char* status;
        int shown;
        std::int16_t a;
    } cases[] = {
        {"\r\n\r\nREM\r\n\r\nGOTO 99", "\r\nERROR:7,5\r\n", "ERROR: Undefined label in line 5", 5,
         0},
        {"A = 1\r\nRETURN\r\nEND", "\r\nERROR:13,2\r\n", "ERROR: RETURN without GOSUB in line 2", 2,
         1},
    };
    for (const auto& c : cases) {
        window.Console.clear();
        Load(c.program);
        control.Run();
        ASSERT_TRUE(UntilState(RunState::Reset)) << c.program;
        EXPECT_EQ(window.Console, c.console);
        EXPECT_EQ(window.Status, c.status);
        EXPECT_EQ(window.ShownLine, c.shown);
        EXPECT_EQ(window.Grid[0], c.a);
    }
    control.Run(); // clears the status
    EXPECT_EQ(window.Status, "");
    EXPECT_TRUE(UntilState(RunState::Reset));
}

TEST_F(ExecutionTest, InputIsAnsweredEchoedOrStopped) {
    const struct {
        const char* program;
        std::optional<std::string> answer;
        TInputMode mode;
        std::int16_t stored;
        std::string console;
    } cases[] = {
        {"INPUT A\r\nEND", "42", TInputMode::Value, 42, "? 42\r\n"},
        {"INPUT \"n \", A\r\nEND", std::string(100, '9'), TInputMode::Value,
         basic::to_number(std::string(79, '9')), "n " + std::string(79, '9') + "\r\n"},
        {"INPUT \"$\", A\r\nEND", "A", TInputMode::Key, 65, ""},
        {"INPUT A\r\nEND", std::nullopt, TInputMode::Value, 0, "? "},
        {"INPUT \"$\", A\r\nEND", std::nullopt, TInputMode::Key, 48, ""},
    };
    for (const auto& c : cases) {
        Load(c.program);
        window.Console.clear();
        window.Asked.clear();
        window.Answers = {c.answer};
        board.SetInput(TBoardModel::kRxBit, true);
        const int rxCleared = window.RxCleared;
        control.Run();
        // Stop & Exit parks the run before END, on line 1.
        ASSERT_TRUE(c.answer ? UntilState(RunState::Reset) : ParkedAt(2)) << c.program;
        EXPECT_EQ(window.Asked, std::vector<TInputMode>{c.mode});
        EXPECT_EQ(Var('A'), c.stored) << c.program;
        EXPECT_EQ(window.Console, c.console);
        EXPECT_EQ(window.RxCleared, rxCleared + 1);
        if (!c.answer) control.ResetAndReload();
    }
}

TEST_F(ExecutionTest, TheStopStatementParksLikeStop) {
    Load("A = 1\r\nSTOP\r\nA = 2\r\nEND");
    control.Run();
    ASSERT_TRUE(ParkedAt(2));
    EXPECT_EQ(window.Grid[0], 1);
    control.Run();
    ASSERT_TRUE(UntilState(RunState::Reset));
    EXPECT_EQ(Var('A'), 2);
}

TEST_F(ExecutionTest, ResetAndReloadEndsAParkedRunAndReloadsTheEditorText) {
    Load("SETB 1\r\nA = 1\r\nEND");
    control.Step();
    ASSERT_TRUE(ParkedAt(1));
    control.Step();
    ASSERT_TRUE(ParkedAt(2));
    EXPECT_TRUE(window.Lamps[0]);
    window.EditorText = "A = 3\r\nEND";
    control.ResetAndReload();
    EXPECT_FALSE(control.HasThread());
    EXPECT_EQ(control.State(), RunState::Reset);
    EXPECT_EQ(window.File, "A = 3\r\nEND");
    EXPECT_FALSE(window.Lamps[0]);

    control.Step();
    ASSERT_TRUE(ParkedAt(1));
    window.SaveFails = true;
    control.ResetAndReload();
    EXPECT_FALSE(control.HasThread());
    EXPECT_EQ(control.State(), RunState::ResetRequest);
}

// Every wait of a run ends at once when the window closes: the join returns.
TEST_F(ExecutionTest, ClosingEndsARunWhateverItWaitsFor) {
    const struct {
        const char* program;
        bool step;
        // Whether the run waits now; nothing: it waits after a while.
        std::function<bool(testing::TFakeWindow&, TExecutionControl&)> waiting;
    } cases[] = {
        {"DELAY 30000\r\nEND", false, {}},
        {"INPUT A\r\nEND", false,
         [](auto& w, auto&) { return !w.Asked.empty(); }}, // from the dialog
        {"INPUT A\r\nEND", false, {}},                     // the request not yet shown
        {"A = 1\r\nEND", true, [](auto&, auto& r) { return r.State() == RunState::Stopped; }},
        // Nobody delivers: the mailbox fills and the printer waits for room.
        {"10 PRINT \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\"\r\nGOTO 10", false, {}},
    };
    for (const auto& c : cases) {
        testing::TFakeWindow closing;
        TBoardModel closingBoard;
        TExecutionControl run(closing, closing, closingBoard);
        closing.EditorText = c.program;
        closing.SaveAndReload();
        run.SetState(RunState::Reset);
        closing.DuringInput = [&] { run.Close(); };
        c.step ? run.Step() : run.Run();
        if (c.waiting)
            ASSERT_TRUE(closing.Pump(run, [&] { return c.waiting(closing, run); })) << c.program;
        else
            std::this_thread::sleep_for(50ms);
        const auto start = std::chrono::steady_clock::now();
        run.Close();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 1s) << c.program;
        EXPECT_FALSE(run.HasThread());
        EXPECT_EQ(run.LiveThreads(), 0);
        run.Run();
        EXPECT_FALSE(run.HasThread()) << "no run starts after closing";
    }
}

TEST_F(ExecutionTest, DelayWakesEarlyOnlyWhenTheRunMustEnd) {
    Load("DELAY 30000\r\nEND");
    control.Run();
    std::this_thread::sleep_for(20ms);
    control.Stop(); // acts after the delay
    window.Pump(
        control, [] { return false; }, 50ms);
    EXPECT_EQ(control.State(), RunState::StopRequest);
    const auto start = std::chrono::steady_clock::now();
    control.EditorKeyDown();
    ASSERT_TRUE(UntilState(RunState::Modified));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

TEST_F(ExecutionTest, PrintedTextArrivesWholeAndInOrder) {
    Load("FOR A = 1 TO 20\r\nFOR B = 1 TO 1000\r\nPRINT B\r\nNEXT\r\nNEXT\r\nEND");
    control.Run();
    ASSERT_TRUE(UntilState(RunState::Reset));
    std::string expected;
    for (int a = 0; a < 20; ++a)
        for (int b = 1; b <= 1000; ++b)
            expected += std::to_string(b) + "\r\n";
    EXPECT_EQ(window.Console, expected);
}

// The window ends the run just after the INPUT statement printed its prompt
// and before the request resets the input event: the set that came with the
// end is wiped, and the request must still see that the run is to end.
TEST(ExecutionHostTest, AnEndAskedJustBeforeAnInputRequestEndsTheRun) {
    TBoardModel board;
    basic::Interpreter* interpreter = nullptr;
    TRunChannel* channel = nullptr;
    // Plays the window: takes every post, and answers the prompt with an end.
    TRunChannel realChannel([&] {
        while (std::optional<TWindowPost> item = channel->Queue.Pop()) {
            const auto* event = std::get_if<post::Event>(&*item);
            if (!event || !std::holds_alternative<machine::io::Print>(event->Stored.what)) continue;
            interpreter->run_state() = RunState::ResetRequest;
            channel->WakeRun();
        }
    });
    channel = &realChannel;
    TWorkbenchHost host(realChannel, board);
    basic::Interpreter realInterpreter(host.Machine());
    interpreter = &realInterpreter;
    host.Attach(realInterpreter);
    realInterpreter.set_program(basic::ProgramBuffer::from_file_bytes("INPUT \"Q\", A\r\nEND"));
    host.BeginRun(1);
    realInterpreter.run_state() = RunState::Running;

    std::promise<basic::RunEnd> ended;
    std::future<basic::RunEnd> end = ended.get_future();
    std::thread run([&] { ended.set_value(realInterpreter.run_program()); });
    const bool done = end.wait_for(2s) == std::future_status::ready;
    if (!done) realChannel.Input.Set(); // rescue the thread so the test can fail cleanly
    run.join();
    EXPECT_TRUE(done) << "the INPUT request waited for an answer that never comes";
    EXPECT_EQ(end.get(), basic::RunEnd::Host);
}

// Only the open request is pending: one replaced, answered or abandoned is
// never served again, nor is serial 0 (no request).
TEST(RunChannelTest, OnlyTheOpenRequestIsPending) {
    TRunChannel channel([] {});
    EXPECT_FALSE(channel.IsPending(0));
    const std::uint64_t replaced = channel.BeginRequest();
    const std::uint64_t answered = channel.BeginRequest();
    EXPECT_FALSE(channel.IsPending(replaced));
    EXPECT_FALSE(channel.Answer(replaced, "1"));
    EXPECT_TRUE(channel.IsPending(answered));
    EXPECT_TRUE(channel.Answer(answered, "2"));
    EXPECT_FALSE(channel.IsPending(answered));
    EXPECT_EQ(channel.TakeAnswer()->Text, "2");
    const std::uint64_t abandoned = channel.BeginRequest();
    channel.AbandonRequest();
    EXPECT_FALSE(channel.IsPending(abandoned));
    EXPECT_FALSE(channel.Answer(abandoned, "3"));
}

TEST(RunStateNameTest, NamesEveryStateAndUnknownOutside) {
    const char* names[] = {"Idle",         "Reset",        "Running",       "Stopped",
                           "Step request", "Stop request", "Reset request", "Modified"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(RunStateName(static_cast<RunState>(i)), names[i]);
    EXPECT_EQ(RunStateName(static_cast<RunState>(8)), "Unknown");
    EXPECT_EQ(RunStateName(static_cast<RunState>(-1)), "Unknown");
}

} // namespace
} // namespace marlinet::workbench
