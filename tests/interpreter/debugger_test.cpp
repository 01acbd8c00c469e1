// Pause lines, one-shot pauses and the call stack, seen from a host that
// acts as the window does at a pause: it looks, may give a command, and
// resumes the run.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "interpreter/errors.h"
#include "recording_host.h"

namespace marlinet::basic {
namespace {

struct Pause {
    PauseReason reason;
    int line;
    int i; // the variable I at the pause
    bool operator==(const Pause&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Pause& p) {
    return out << "{reason " << static_cast<int>(p.reason) << ", line " << p.line << ", I " << p.i
               << "}";
}

PauseLine at(int line, std::string condition = {}, std::uint32_t hits = 0, bool enabled = true) {
    PauseLine pause;
    pause.line = line;
    pause.condition = std::move(condition);
    pause.hit_count = hits;
    pause.enabled = enabled;
    return pause;
}

// A run whose host records each pause and resumes it, first giving the
// command that on_pause returns (the run state to resume with).
class DebugRun : public testing::BasicRun {
public:
    std::vector<Pause> pauses;
    std::vector<PauseCause> causes;
    std::function<RunState(std::size_t pause)> on_pause;

    DebugRun() {
        host.on_checkpoint = [this] {
            const RunState state = interpreter.run_state().load();
            if (state != RunState::StopRequest && state != RunState::StepRequest) return;
            const PauseCause cause = interpreter.last_pause();
            causes.push_back(cause);
            pauses.push_back({cause.reason, cause.line, var('I')});
            if (pauses.size() > 200) end_run();
            interpreter.run_state().store(on_pause ? on_pause(pauses.size() - 1)
                                                   : RunState::Running);
        };
    }
    RunEnd run_with(std::string_view program, std::vector<PauseLine> lines) {
        interpreter.set_pause_lines(lines);
        return run(program);
    }
    std::vector<int> lines() const {
        std::vector<int> result;
        for (const Pause& p : pauses)
            result.push_back(p.line);
        return result;
    }
};

constexpr auto kLine = PauseReason::PauseLine;
constexpr auto kFailed = PauseReason::ConditionFailed;

TEST(PauseLines, ConditionsAndHitCountsDecideWhichArrivalsPause) {
    const std::string program = "FOR I = 1 TO 6\nA = A + I\nNEXT\nEND";
    struct Case {
        PauseLine pause;
        std::vector<Pause> expected;
    };
    const std::vector<Case> cases = {
        {at(2),
         {{kLine, 2, 1},
          {kLine, 2, 2},
          {kLine, 2, 3},
          {kLine, 2, 4},
          {kLine, 2, 5},
          {kLine, 2, 6}}},
        {at(2, "I > 4"), {{kLine, 2, 5}, {kLine, 2, 6}}},
        {at(2, "I = 3"), {{kLine, 2, 3}}},
        {at(2, "I < 2"), {{kLine, 2, 1}}},
        {at(2, "  I = 4\t"), {{kLine, 2, 4}}},
        // The variables as they are before the statement runs: A = 1 + 2 + 3 at I = 4.
        {at(2, "A = B + 6"), {{kLine, 2, 4}}},
        {at(2, "(I * 2) % 5 = 1"), {{kLine, 2, 3}}},
        {at(2, "I > 9"), {}},
        {at(2, "", 4), {{kLine, 2, 4}}},
        {at(2, "I > 2", 2), {{kLine, 2, 4}}},
        {at(2, "I > 5", 2), {}},
        {at(2, "", 0, false), {}},
        {at(2, "I = 3", 0, false), {}},
        // A condition that cannot be evaluated pauses at every arrival and says why.
        {at(2, "I >= 5"),
         {{kFailed, 2, 1},
          {kFailed, 2, 2},
          {kFailed, 2, 3},
          {kFailed, 2, 4},
          {kFailed, 2, 5},
          {kFailed, 2, 6}}},
        {at(2, "6 / (I - 2) > 0", 0),
         {{kFailed, 2, 2}, {kLine, 2, 3}, {kLine, 2, 4}, {kLine, 2, 5}, {kLine, 2, 6}}},
        // Failures do not count as hits.
        {at(2, "6 / (I - 2) > 0", 2), {{kFailed, 2, 2}, {kLine, 2, 4}}},
        {at(4), {{kLine, 4, 7}}},
        {at(3, "I = 6"), {{kLine, 3, 6}}},
        {at(9), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("line " + std::to_string(c.pause.line) + " condition '" + c.pause.condition +
                     "' hits " + std::to_string(c.pause.hit_count));
        DebugRun r;
        EXPECT_EQ(r.run_with(program, {c.pause}), RunEnd::EndOfProgram);
        EXPECT_EQ(r.pauses, c.expected);
        EXPECT_EQ(r.var('A'), 21); // the condition's evaluation disturbed nothing
        EXPECT_EQ(r.error(), -1);
        EXPECT_EQ(r.host.report_error_calls, 0);
    }
}

TEST(PauseLines, AnInvalidConditionGivesItsErrorAndNeverEndsTheRun) {
    struct Case {
        std::string condition;
        int error;
    };
    const std::vector<Case> cases = {
        {"I >= 5", kSyntaxError},
        {"I", kSyntaxError},
        {"I > 1 THEN", kSyntaxError},
        {"I = 1 2", kSyntaxError},
        {"I >", kSyntaxError},
        {"(I > 3", kUnbalancedParentheses},
        {"(I + 1 > 3", kUnbalancedParentheses},
        {"I / 0 = 1", kDivisionByZero},
        {"I = 1 % (I - I)", kDivisionByZero},
        {"\"abc = 1", kUnbalancedParentheses},
        {"I = " + std::string(70, '9'), kTokenTooLong},
        {std::string(65, '(') + "1", kExpressionTooComplex},
        {"# = 1", kNoExpression},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.condition);
        DebugRun r;
        EXPECT_EQ(r.run_with("I = 3\nB = I + 1\nPRINT B", {at(2, c.condition)}),
                  RunEnd::EndOfProgram);
        ASSERT_EQ(r.causes.size(), 1u);
        EXPECT_EQ(r.causes[0], (PauseCause{kFailed, 2, c.error}));
        EXPECT_EQ(r.host.console, "4\r\n");
        EXPECT_EQ(r.error(), -1);
        EXPECT_EQ(r.host.report_error_calls, 0);
    }
}

TEST(PauseLines, AStatementArrivesAtItsLineUnlessItContinuesThatLine) {
    struct Case {
        std::string program;
        int line;
        std::vector<int> expected_lines;
    };
    const std::vector<Case> cases = {
        {"A = 1 B = 2\nC = 3", 1, {1}},
        {"FOR I = 1 TO 3\nIF I > 1 THEN A = I\nNEXT", 2, {2, 2, 2}},
        // Each pass of a loop on one line comes back to an earlier statement.
        {"FOR I = 1 TO 3 A = A + I NEXT", 1, {1, 1, 1}},
        {"10 A = A + 1 IF A < 3 THEN GOTO 10", 1, {1, 1, 1}},
        // Coming back from a subroutine into the GOSUB's line is no arrival.
        {"GOSUB 100 A = 5\nEND\n100 B = 1\nRETURN", 1, {1}},
        {"GOSUB 100 A = 5\nEND\n100 B = 1\nRETURN", 3, {3}},
        // ... but the line after it is one.
        {"GOSUB 100\nA = 5\nEND\n100 RETURN", 2, {2}},
        {"FOR I = 1 TO 2\nGOSUB 100\nNEXT\nEND\n100 RETURN", 2, {2, 2}},
        // Labels, blank lines and lines past the text hold no statement.
        {"10\n\nA = 1", 1, {}},
        {"10\n\nA = 1", 2, {}},
        {"A = 1", 5, {}},
        {"STOP", 1, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program + " at line " + std::to_string(c.line));
        DebugRun r;
        EXPECT_EQ(r.run_with(c.program, {at(c.line)}), RunEnd::EndOfProgram);
        EXPECT_EQ(r.lines(), c.expected_lines);
    }
}

TEST(PauseLines, TheFirstEnabledEntryOfALineRulesAndHitsCountPerRun) {
    DebugRun r;
    const std::string program = "FOR I = 1 TO 5\nA = I\nNEXT";
    r.run_with(program, {at(2, "I = 1", 0, false), at(2, "I = 2"), at(2, "I = 3")});
    EXPECT_EQ(r.pauses, (std::vector<Pause>{{kLine, 2, 2}}));
    r.pauses.clear();
    r.interpreter.set_pause_lines(std::vector{at(2, "", 3)});
    r.run(program);
    r.run(program); // counted afresh
    EXPECT_EQ(r.pauses, (std::vector<Pause>{{kLine, 2, 3}, {kLine, 2, 3}}));
}

TEST(PauseLines, StayForTheNextProgram) {
    DebugRun r;
    r.interpreter.set_pause_lines(std::vector{at(2)});
    r.run("A = 1\nB = 2\nC = 3");
    r.run("A = 1\nEND\nB = 2"); // line 2 is the END
    r.run("A = 1\n\n");
    EXPECT_EQ(r.lines(), (std::vector<int>{2, 2}));
}

TEST(PauseLines, SetAndClearedWhileRunningTakeEffectAtTheNextStatement) {
    DebugRun r;
    r.interpreter.set_checkpoint_every_statement(true);
    const auto outer = r.host.on_checkpoint;
    // Acts as the window thread would between two statements.
    r.host.on_checkpoint = [&] {
        outer();
        const std::uint64_t n = r.interpreter.statements();
        if (n == 4) r.interpreter.set_pause_lines(std::vector{at(2, "I > 0")});
        if (n == 8) r.interpreter.set_pause_lines(std::vector<PauseLine>{});
    };
    // Statements: FOR, then per pass A = I (line 2), NEXT (line 3).
    r.run("FOR I = 1 TO 9\nA = I\nNEXT");
    // Set before statement 5 (I = 3 at line 2), cleared before statement 9.
    EXPECT_EQ(r.pauses, (std::vector<Pause>{{kLine, 2, 3}, {kLine, 2, 4}}));
}

TEST(PauseLines, RefusedListsChangeNothing) {
    DebugRun r;
    r.interpreter.set_pause_lines(std::vector{at(1)});
    const std::vector<std::vector<PauseLine>> refused = {
        {at(0)},
        {at(2, std::string(128, 'A'))},
        {at(2, "A = 1\nB = 2")},
        {at(2, std::string("A = 1\0", 6))},
        std::vector<PauseLine>(129, at(3)),
    };
    for (const auto& lines : refused)
        EXPECT_THROW(r.interpreter.set_pause_lines(lines), std::invalid_argument);
    r.interpreter.set_pause_lines(std::vector(128, at(4, std::string(127, ' ') + "A = 0")));
    r.interpreter.set_pause_lines(std::vector{at(1)});
    EXPECT_THROW(r.interpreter.set_pause_lines(refused[1]), std::invalid_argument);
    r.run("A = 1\nB = 2");
    EXPECT_EQ(r.lines(), (std::vector<int>{1}));
}

TEST(RunToLine, PausesAtTheNextArrivalOnceAndIsGoneAtAnyPause) {
    const std::string program = "FOR I = 1 TO 3\nA = I\nB = I\nNEXT\nEND";
    {
        DebugRun r; // given before the run starts
        r.interpreter.request_run_to_line(3);
        r.run(program);
        EXPECT_EQ(r.pauses, (std::vector<Pause>{{PauseReason::RunToLine, 3, 1}}));
        r.pauses.clear();
        r.run(program); // one run only
        EXPECT_TRUE(r.pauses.empty());
    }
    {
        DebugRun r; // a pause line reached first takes the one-shot away
        r.interpreter.request_run_to_line(3);
        r.run_with(program, {at(2, "I = 1")});
        EXPECT_EQ(r.pauses, (std::vector<Pause>{{kLine, 2, 1}}));
    }
    {
        DebugRun r; // given at a pause on its own line: the next arrival, not this one
        r.on_pause = [&](std::size_t) {
            r.interpreter.set_pause_lines(std::vector<PauseLine>{});
            r.interpreter.request_run_to_line(2);
            return RunState::Running;
        };
        r.run_with(program, {at(2, "I = 1")});
        EXPECT_EQ(r.pauses, (std::vector<Pause>{{kLine, 2, 1},
                                                {PauseReason::RunToLine, 2, 2},
                                                {PauseReason::RunToLine, 2, 3}}));
    }
    {
        DebugRun r; // a Step before it is reached takes it away too
        r.on_pause = [](std::size_t n) {
            return n == 0 ? RunState::StepRequest : RunState::Running;
        };
        r.interpreter.request_run_to_line(5);
        r.run_with(program, {at(2, "I = 2")});
        EXPECT_EQ(r.pauses, (std::vector<Pause>{{kLine, 2, 2}, {PauseReason::Requested, 3, 2}}));
    }
}

// 1 FOR I = 1 TO 2 ... 13 NEXT, with two subroutines nested in the loop.
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
    enum Command { Over, Out, Step, Run };
    struct Case {
        std::string name;
        std::vector<PauseLine> breakpoints; // line 3 only on the first pass
        std::vector<Command> commands;      // one per pause, then Run
        std::vector<std::pair<PauseReason, int>> expected;
    };
    const auto over = PauseReason::StepOver;
    const auto out = PauseReason::StepOut;
    const std::vector<Case> cases = {
        {"over a plain statement is a step", {at(2)}, {Over}, {{kLine, 2}, {over, 3}, {kLine, 2}}},
        {"over a GOSUB at a line end",
         {at(3, "I = 1")},
         {Over, Over},
         {{kLine, 3}, {over, 4}, {over, 4}}},
        {"over a GOSUB mid-line",
         {at(4)},
         {Over, Over, Over},
         {{kLine, 4}, {over, 4}, {over, 4}, {over, 5}, {kLine, 4}}},
        {"over a nested GOSUB", {at(8)}, {Over}, {{kLine, 8}, {over, 9}, {kLine, 8}}},
        {"over a RETURN", {at(13)}, {Over}, {{kLine, 13}, {over, 9}, {kLine, 13}}},
        {"out of a nested subroutine", {at(12)}, {Out}, {{kLine, 12}, {out, 9}, {kLine, 12}}},
        {"out of the outer subroutine",
         {at(9, "J = 5")},
         {Out},
         {{kLine, 9}, {out, 4}, {kLine, 9}}},
        {"a pause line inside ends a step out",
         {at(12)},
         {Out, Out},
         {{kLine, 12}, {out, 9}, {kLine, 12}, {kLine, 12}}},
        {"out at the top is a step", {at(2)}, {Out}, {{kLine, 2}, {out, 3}, {kLine, 2}}},
        {"out at the top onto a GOSUB's subroutine",
         {at(3, "I = 1")},
         {Out},
         {{kLine, 3}, {out, 7}}},
        {"a pause line inside ends a step over",
         {at(3, "I = 1"), at(12)},
         {Over},
         {{kLine, 3}, {kLine, 12}, {kLine, 12}, {kLine, 12}}},
        {"a step after a step over",
         {at(3, "I = 1")},
         {Over, Step},
         {{kLine, 3}, {over, 4}, {PauseReason::Requested, 4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DebugRun r;
        r.on_pause = [&](std::size_t n) {
            if (n >= c.commands.size()) return RunState::Running;
            switch (c.commands[n]) {
            case Over: r.interpreter.request_step_over(); break;
            case Out: r.interpreter.request_step_out(); break;
            case Step: return RunState::StepRequest;
            case Run: break;
            }
            return RunState::Running;
        };
        EXPECT_EQ(r.run_with(kNested, c.breakpoints), RunEnd::EndOfProgram);
        std::vector<std::pair<PauseReason, int>> seen;
        for (const Pause& p : r.pauses)
            seen.emplace_back(p.reason, p.line);
        seen.resize(std::min(seen.size(), c.expected.size()));
        EXPECT_EQ(seen, c.expected);
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
    ASSERT_EQ(stacks.size(), 3u);
    using For = CallStack::ForLoop;
    // D = 2 before the second call of 200: from the GOSUB of line 3, J at 6.
    EXPECT_EQ(stacks[0].gosub_count, 2);
    EXPECT_EQ(stacks[0].gosub_return_lines[0], 3);
    EXPECT_EQ(stacks[0].gosub_return_lines[1], 8);
    EXPECT_EQ(stacks[0].for_count, 2);
    EXPECT_EQ(stacks[0].for_loops[0], (For{'I', 2, 1}));
    EXPECT_EQ(stacks[0].for_loops[1], (For{'J', 6, 7}));
    EXPECT_EQ(stacks[1].gosub_count, 0);
    EXPECT_EQ(stacks[1].for_count, 1);
    EXPECT_EQ(stacks[1].for_loops[0], (For{'I', 2, 1}));
    EXPECT_EQ(stacks[2], CallStack{}); // at END, after the last NEXT
}

TEST(PauseCauses, DescribeWhyARunPaused) {
    EXPECT_EQ(describe_pause({}), "");
    EXPECT_EQ(describe_pause({PauseReason::Requested, 4}), "Paused in line 4");
    EXPECT_EQ(describe_pause({kLine, 12}), "Paused at the breakpoint in line 12");
    EXPECT_EQ(describe_pause({kFailed, 7, kDivisionByZero}),
              "Paused: the condition of the breakpoint in line 7 cannot be evaluated (Division "
              "by zero)");
    EXPECT_EQ(describe_pause({PauseReason::RunToLine, 3}), "Paused at line 3 (run to cursor)");
    EXPECT_EQ(describe_pause({PauseReason::StepOver, 5}), "Stepped over to line 5");
    EXPECT_EQ(describe_pause({PauseReason::StepOut, 9}), "Stepped out to line 9");
}

} // namespace
} // namespace marlinet::basic
