// Pause lines, one-shot pauses and the call stack, seen from a host that
// acts as the window does at a pause: it looks, may give a command, and
// resumes the run. DebuggerThreads gives the commands from another thread;
// scripts/test runs it under ThreadSanitizer.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "interpreter/errors.h"
#include "recording_host.h"

namespace marlinet::basic {
namespace {

PauseLine at(int line, std::string condition = {}, std::uint32_t hits = 0, bool enabled = true) {
    PauseLine pause;
    pause.line = line;
    pause.condition = std::move(condition);
    pause.hit_count = hits;
    pause.enabled = enabled;
    return pause;
}

// A run whose host writes each pause into `trace` as reason, line and the
// variable I ("P2@5": pause line 2 with I = 5), then resumes it with what
// on_pause returns, after any command it gives.
class DebugRun : public testing::BasicRun {
public:
    std::string trace;
    std::vector<PauseCause> causes;
    std::function<RunState(std::size_t pause)> on_pause;

    DebugRun() {
        host.on_checkpoint = [this] {
            const RunState state = interpreter.run_state().load();
            if (state != RunState::StopRequest && state != RunState::StepRequest) return;
            const PauseCause cause = interpreter.last_pause();
            causes.push_back(cause);
            trace += std::string(trace.empty() ? "" : " ") +
                     "-SPFROU"[static_cast<int>(cause.reason)] + std::to_string(cause.line) + "@" +
                     std::to_string(var('I'));
            if (causes.size() > 200) end_run();
            interpreter.run_state().store(on_pause ? on_pause(causes.size() - 1)
                                                   : RunState::Running);
        };
    }
    RunEnd run_with(std::string_view program, std::vector<PauseLine> lines) {
        interpreter.set_pause_lines(lines);
        return run(program);
    }
};

TEST(PauseLines, ConditionsAndHitCountsDecideWhichArrivalsPause) {
    struct Case {
        PauseLine pause;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {at(2), "P2@1 P2@2 P2@3 P2@4 P2@5 P2@6"},
        {at(2, "I > 4"), "P2@5 P2@6"},
        {at(2, "I = 3"), "P2@3"},
        {at(2, "  I = 4\t"), "P2@4"},
        {at(2, "A = B + 6"), "P2@4"}, // before the statement runs: A = 1 + 2 + 3
        {at(2, "I > 9"), ""},
        {at(2, "", 4), "P2@4"},
        {at(2, "I > 2", 2), "P2@4"},
        {at(2, "", 0, false), ""},
        // A condition that cannot be evaluated pauses at every arrival; it is no hit.
        {at(2, "I >= 5"), "F2@1 F2@2 F2@3 F2@4 F2@5 F2@6"},
        {at(2, "6 / (I - 2) > 0"), "F2@2 P2@3 P2@4 P2@5 P2@6"},
        {at(2, "6 / (I - 2) > 0", 2), "F2@2 P2@4"},
        {at(4), "P4@7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("line " + std::to_string(c.pause.line) + " condition '" + c.pause.condition +
                     "' hits " + std::to_string(c.pause.hit_count));
        DebugRun r;
        EXPECT_EQ(r.run_with("FOR I = 1 TO 6\nA = A + I\nNEXT\nEND", {c.pause}),
                  RunEnd::EndOfProgram);
        EXPECT_EQ(r.trace, c.expected);
        EXPECT_EQ(r.var('A'), 21); // the evaluations disturbed nothing
        EXPECT_EQ(r.host.report_error_calls, 0);
    }
}

TEST(PauseLines, AnInvalidConditionGivesItsErrorAndNeverEndsTheRun) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"I >= 5", kSyntaxError},
        {"I", kSyntaxError},
        {"I > 1 THEN", kSyntaxError},
        {"I >", kSyntaxError},
        {"(I > 3", kUnbalancedParentheses},
        {"I / 0 = 1", kDivisionByZero},
        {"\"abc = 1", kUnbalancedParentheses},
        {"I = " + std::string(70, '9'), kTokenTooLong},
        {std::string(65, '(') + "1", kExpressionTooComplex},
        {"# = 1", kNoExpression},
    };
    for (const auto& [condition, error] : cases) {
        SCOPED_TRACE(condition);
        DebugRun r;
        EXPECT_EQ(r.run_with("I = 3\nB = I + 1\nPRINT B", {at(2, condition)}),
                  RunEnd::EndOfProgram);
        EXPECT_EQ(r.causes, (std::vector<PauseCause>{{PauseReason::ConditionFailed, 2, error}}));
        EXPECT_EQ(r.host.console, "4\r\n");
        EXPECT_EQ(r.error(), -1);
    }
}

TEST(PauseLines, AStatementArrivesAtItsLineUnlessItContinuesThatLine) {
    struct Case {
        std::string program;
        int line;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"A = 1 B = 2\nC = 3", 1, "P1@0"},
        {"FOR I = 1 TO 3\nIF I > 1 THEN A = I\nNEXT", 2, "P2@1 P2@2 P2@3"},
        // Each pass of a loop on one line comes back to an earlier statement.
        {"FOR I = 1 TO 3 A = A + I NEXT", 1, "P1@0 P1@2 P1@3"},
        {"10 I = I + 1 IF I < 3 THEN GOTO 10", 1, "P1@0 P1@1 P1@2"},
        // Coming back from a subroutine into the GOSUB's line is no arrival ...
        {"GOSUB 100 A = 5\nEND\n100 B = 1\nRETURN", 1, "P1@0"},
        // ... but the line after it is one.
        {"GOSUB 100\nA = 5\nEND\n100 RETURN", 2, "P2@0"},
        {"FOR I = 1 TO 2\nGOSUB 100\nNEXT\nEND\n100 RETURN", 2, "P2@1 P2@2"},
        // Labels, blank lines and lines past the text hold no statement.
        {"10\n\nA = 1", 1, ""},
        {"A = 1", 5, ""},
        {"STOP", 1, "P1@0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program + " at line " + std::to_string(c.line));
        DebugRun r;
        EXPECT_EQ(r.run_with(c.program, {at(c.line)}), RunEnd::EndOfProgram);
        EXPECT_EQ(r.trace, c.expected);
    }
}

TEST(PauseLines, TheFirstEnabledEntryOfALineRulesAndHitsCountPerRun) {
    DebugRun r;
    const std::string program = "FOR I = 1 TO 5\nA = I\nNEXT";
    r.run_with(program, {at(2, "I = 1", 0, false), at(2, "I = 2"), at(2, "I = 3")});
    r.interpreter.set_pause_lines(std::vector{at(2, "", 3)});
    r.run(program);
    r.run(program);
    // Pause lines stay for the next program.
    r.interpreter.set_pause_lines(std::vector{at(2)});
    r.run("A = 1\nB = 2");
    r.run("A = 1\nEND\nB = 2");
    r.run("A = 1\n\nB = 2");
    EXPECT_EQ(r.trace, "P2@2 P2@3 P2@3 P2@0 P2@0");
}

TEST(PauseLines, SetAndClearedWhileRunningTakeEffectAtTheNextStatement) {
    DebugRun r;
    r.interpreter.set_checkpoint_every_statement(true);
    const auto outer = r.host.on_checkpoint;
    // As the window thread would, between two statements: FOR, then for each
    // pass A = I (line 2) and NEXT.
    r.host.on_checkpoint = [&] {
        outer();
        const std::uint64_t n = r.interpreter.statements();
        if (n == 4) r.interpreter.set_pause_lines(std::vector{at(2, "I > 0")});
        if (n == 8) r.interpreter.set_pause_lines(std::vector<PauseLine>{});
    };
    r.run("FOR I = 1 TO 9\nA = I\nNEXT");
    EXPECT_EQ(r.trace, "P2@3 P2@4");
}

TEST(PauseLines, RefusedListsChangeNothing) {
    DebugRun r;
    r.interpreter.set_pause_lines(std::vector(128, at(1, std::string(127, ' ') + "A = 0")));
    r.interpreter.set_pause_lines(std::vector{at(1)});
    for (const auto& lines : std::vector<std::vector<PauseLine>>{
             {at(0)},
             {at(2, std::string(128, 'A'))},
             {at(2, "A = 1\nB = 2")},
             {at(2, std::string("A = 1\0", 6))},
             std::vector<PauseLine>(129, at(3)),
         })
        EXPECT_THROW(r.interpreter.set_pause_lines(lines), std::invalid_argument);
    r.run("A = 1\nB = 2\nC = 3");
    EXPECT_EQ(r.trace, "P1@0");
}

// A full table of distinct lines: each pauses, in the program the table came
// with and in the next one, which gets the lines marked when it is set.
TEST(PauseLines, AFullTableOfLinesStaysWholeForTheNextProgram) {
    std::vector<PauseLine> lines;
    std::string program;
    for (int line = 1; line <= 128; ++line) {
        lines.push_back(at(line));
        program += "I = I + 1\n";
    }
    DebugRun r;
    r.run_with(program, lines);
    EXPECT_EQ(r.causes.size(), 128u);
    r.causes.clear();
    r.run("I = 0\n" + program);
    EXPECT_EQ(r.causes.size(), 128u);
    EXPECT_EQ(r.causes.back(), (PauseCause{PauseReason::PauseLine, 128}));
}

TEST(RunToLine, PausesAtTheNextArrivalOnceAndIsGoneAtAnyPause) {
    const std::string program = "FOR I = 1 TO 3\nA = I\nB = I\nNEXT\nEND";
    DebugRun before; // given before the run starts; for one run only
    before.interpreter.request_run_to_line(3);
    before.run(program);
    before.run(program);
    EXPECT_EQ(before.trace, "R3@1");

    DebugRun taken; // a pause line reached first takes it away
    taken.interpreter.request_run_to_line(3);
    taken.run_with(program, {at(2, "I = 1")});
    EXPECT_EQ(taken.trace, "P2@1");

    DebugRun here; // given at a pause on its own line: the next arrival, not this one
    here.on_pause = [&](std::size_t) {
        here.interpreter.set_pause_lines(std::vector<PauseLine>{});
        here.interpreter.request_run_to_line(2);
        return RunState::Running;
    };
    here.run_with(program, {at(2, "I = 1")});
    EXPECT_EQ(here.trace, "P2@1 R2@2 R2@3");
}

// One loop with two levels of subroutines in it.
const std::string kNested = "FOR I = 1 TO 2\n"        // 1
                            "A = 1\n"                 // 2
                            "GOSUB 100\n"             // 3
                            "B = 2 GOSUB 100 C = 3\n" // 4
                            "NEXT\n"                  // 5
                            "END\n"                   // 6
                            "100 FOR J = 5 TO 6\n"    // 7
                            "GOSUB 200\n"             // 8
                            "NEXT\n"                  // 9
                            "RETURN\n"                // 10
                            "200 D = D + 1\n"         // 11
                            "E = D\n"                 // 12
                            "RETURN\n";               // 13

TEST(Stepping, StepOverRunsAGosubToItsReturnAndStepOutLeavesTheSubroutine) {
    struct Case {
        std::vector<PauseLine> pause_lines;
        std::string commands; // one per pause: O over, U out, S step; Run after them
        std::string expected; // the first pauses
    };
    const std::vector<Case> cases = {
        {{at(2)}, "O", "P2@1 O3@1 P2@2"}, // over a plain statement is a step
        {{at(3, "I = 1")}, "OO", "P3@1 O4@1 O4@1"},
        {{at(4)}, "OOO", "P4@1 O4@1 O4@1 O5@1 P4@2"}, // a GOSUB mid-line
        {{at(8)}, "O", "P8@1 O9@1 P8@1"},             // nested
        {{at(13)}, "O", "P13@1 O9@1 P13@1"},          // over a RETURN
        {{at(12)}, "U", "P12@1 U9@1 P12@1"},
        {{at(9, "J = 5")}, "U", "P9@1 U4@1 P9@1"},
        {{at(2)}, "U", "P2@1 U3@1 P2@2"},     // at the top, a step
        {{at(3, "I = 1")}, "U", "P3@1 U7@1"}, // ... into the subroutine
        // Any pause ends a step: here a pause line, then a Step.
        {{at(12)}, "UU", "P12@1 U9@1 P12@1 P12@1"},
        {{at(3, "I = 1"), at(12)}, "O", "P3@1 P12@1 P12@1"},
        {{at(3, "I = 1")}, "OS", "P3@1 O4@1 S4@1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        DebugRun r;
        r.on_pause = [&](std::size_t n) {
            const char command = n < c.commands.size() ? c.commands[n] : 'R';
            if (command == 'O') r.interpreter.request_step_over();
            if (command == 'U') r.interpreter.request_step_out();
            if (r.trace.size() > c.expected.size()) end_run();
            return command == 'S' ? RunState::StepRequest : RunState::Running;
        };
        r.run_with(kNested, c.pause_lines);
        EXPECT_EQ(r.trace.substr(0, c.expected.size()), c.expected);
    }
}

TEST(CallStack, ListsOpenGosubsAndForLoopsOldestFirst) {
    DebugRun r;
    std::vector<CallStack> stacks;
    r.on_pause = [&](std::size_t) {
        stacks.push_back(r.interpreter.call_stack());
        return RunState::Running;
    };
    r.run_with(kNested, {at(12, "D = 2"), at(2, "I = 2"), at(6)});
    // D = 2 before the second call of 200 from the GOSUB of line 3; then the
    // loop alone; at the END, nothing.
    EXPECT_EQ(stacks,
              (std::vector<CallStack>{
                  {{3, 8}, 2, {{{'I', 2, 1}, {'J', 6, 7}}}, 2}, {{}, 0, {{{'I', 2, 1}}}, 1}, {}}));
}

using namespace std::chrono_literals;

// Parks at a pause as the window's host does, until the test resumes it.
class ParkingHost : public testing::RecordingHost {
public:
    Interpreter* interpreter = nullptr;

    void checkpoint(machine::MachineHost&) override {
        std::atomic<RunState>& state = interpreter->run_state();
        RunState seen = state.load();
        if (seen == RunState::StopRequest || seen == RunState::StepRequest) {
            std::unique_lock lock(mutex_);
            if (state.compare_exchange_strong(seen, RunState::Stopped)) {
                ++parks_;
                changed_.notify_all();
                changed_.wait(lock, [&] { return resumes_ == parks_; });
            }
        }
        if (state.load() == RunState::ResetRequest) end_run();
    }

    // Test thread.
    bool wait_parked(int parks) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 10s, [&] { return parks_ >= parks; });
    }
    void resume(RunState next) {
        std::lock_guard lock(mutex_);
        interpreter->run_state().store(next);
        resumes_ = parks_;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int parks_ = 0;
    int resumes_ = 0;
};

// Waits until variable A of a running program has grown by `by`.
bool a_grows(const Interpreter& in, int by) {
    const int start = in.variable(0);
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < deadline) {
        if (static_cast<std::int16_t>(in.variable(0) - start) >= by) return true;
        std::this_thread::sleep_for(1ms);
    }
    return false;
}

TEST(DebuggerThreads, CommandsFromTheWindowThreadReachARunningProgram) {
    ParkingHost host;
    Interpreter in(host.machine);
    host.attach(in);
    host.interpreter = &in;
    in.set_program(ProgramBuffer::from_file_bytes(
        "10 FOR I = 1 TO 3\nGOSUB 100\nNEXT\nGOTO 10\n100 A = A + 1\nRETURN\n"));
    in.run_state().store(RunState::Running);
    RunEnd end = RunEnd::EndOfProgram;
    std::thread run([&] { end = in.run_program(); });

    // A pause line set while the program loops pauses it.
    ASSERT_TRUE(a_grows(in, 100));
    in.set_pause_lines(std::vector{at(5)});
    ASSERT_TRUE(host.wait_parked(1));
    EXPECT_EQ(in.last_pause(), (PauseCause{PauseReason::PauseLine, 5}));
    EXPECT_EQ(in.call_stack(), (CallStack{{2}, 1, {{{'I', 3, 1}}}, 1}));
    EXPECT_EQ(in.snapshot().value().variables[0], in.variable(0));

    // Step out, from the window thread while parked.
    in.request_step_out();
    host.resume(RunState::Running);
    ASSERT_TRUE(host.wait_parked(2));
    EXPECT_EQ(in.last_pause(), (PauseCause{PauseReason::StepOut, 3}));

    // Cleared, the program runs on freely: a parked run would not count on.
    in.set_pause_lines(std::vector<PauseLine>{});
    host.resume(RunState::Running);
    ASSERT_TRUE(a_grows(in, 1000));

    // Run to a line while running.
    in.request_run_to_line(3);
    ASSERT_TRUE(host.wait_parked(3));
    EXPECT_EQ(in.last_pause(), (PauseCause{PauseReason::RunToLine, 3}));

    host.resume(RunState::ResetRequest);
    run.join();
    EXPECT_EQ(end, RunEnd::Host);
}

} // namespace
} // namespace marlinet::basic
