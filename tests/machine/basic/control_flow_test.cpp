#include <gtest/gtest.h>

#include <string>

#include "interpreter/errors.h"
#include "recording_host.h"

namespace marlinet::basic {
namespace {

using testing::BasicRun;

TEST(Run, StartsWithZeroedVariablesAndEndsAtTheEndOfText) {
    BasicRun r;
    r.interpreter.set_variable(3, 99);
    EXPECT_EQ(r.run("A = D + 1"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 1);
    EXPECT_EQ(r.host.reset_variables_calls, 1);
    EXPECT_EQ(r.host.end_of_run_calls, 1);
    EXPECT_EQ(r.error(), -1);
}

TEST(Run, EndStopsTheProgramAndLaterStatementsNeverRun) {
    BasicRun r;
    EXPECT_EQ(r.run("A = 1\r\nEND\r\nA = 2"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 1);
    EXPECT_EQ(r.host.end_of_run_calls, 1);
    EXPECT_EQ(r.interpreter.statements(), 2u);
}

TEST(Run, EmptyProgramEndsAtOnce) {
    BasicRun r;
    EXPECT_EQ(r.run(""), RunEnd::EndOfProgram);
    EXPECT_TRUE(r.host.checkpoint_lines.empty());
}

TEST(Checkpoints, OnePerStatementAtItsLineButNoneForLabelsBlankLinesOrStrayTokens) {
    BasicRun r;
    r.interpreter.set_checkpoint_every_statement(true);
    EXPECT_EQ(r.run("10\r\n\r\nA = 1 B = 2\r\n\"x\" 5 + REM text\r\nIF A > 0 THEN PRINT A"),
              RunEnd::EndOfProgram);
    EXPECT_EQ(r.host.checkpoint_lines, (std::vector<int>{3, 3, 4, 5, 5}));
    EXPECT_EQ(r.interpreter.statements(), 5u);
}

TEST(Checkpoints, FreeRunningProgramCallsTheHostOnlyWhenTheRunStateAsks) {
    BasicRun r;
    r.host.on_checkpoint = [&] { r.interpreter.run_state().store(RunState::Running); };
    EXPECT_EQ(r.run("A = 1\r\nB = 2\r\nSTOP\r\nC = 3"), RunEnd::EndOfProgram);
    // Only STOP, which sets Stop request, reached the host.
    EXPECT_EQ(r.host.checkpoint_lines, (std::vector<int>{3}));
    EXPECT_EQ(r.interpreter.statements(), 4u);
}

TEST(Checkpoints, StopPausesAtItsLineAndTheRestOfThatLineIsSkipped) {
    BasicRun r;
    RunState seen = RunState::Idle;
    r.host.on_checkpoint = [&] {
        seen = r.interpreter.run_state().load();
        r.interpreter.run_state().store(RunState::Running); // the user presses Run
    };
    EXPECT_EQ(r.run("A = 1\r\nSTOP A = 5\r\nB = A"), RunEnd::EndOfProgram);
    EXPECT_EQ(seen, RunState::StopRequest);
    EXPECT_EQ(r.host.checkpoint_lines, (std::vector<int>{2}));
    EXPECT_EQ(r.var('B'), 1);
}

TEST(Checkpoints, HostCanEndTheRunAtACheckpoint) {
    BasicRun r;
    r.interpreter.set_checkpoint_every_statement(true);
    r.host.on_checkpoint = [&] {
        if (r.host.checkpoint_lines.size() == 3) end_run();
    };
    EXPECT_EQ(r.run("10 A = A + 1\r\nGOTO 10"), RunEnd::Host);
    EXPECT_EQ(r.var('A'), 1);
    EXPECT_EQ(r.interpreter.statements(), 2u);
    EXPECT_EQ(r.host.end_of_run_calls, 0);
}

const std::string kGosubChain = "GOSUB 1\r\nEND\r\n1 GOSUB 2\r\nRETURN\r\n2 GOSUB 3\r\nRETURN\r\n"
                                "3 GOSUB 4\r\nRETURN\r\n4 A = 4\r\n";

TEST(Errors, EachFaultStopsTheRunWithItsNumberAndLine) {
    const struct {
        std::string program;
        int error;
        int line; // 0: any
    } cases[] = {
        // Found on the line end, which belongs to the line it ends.
        {"A = 1\r\nSTOPE\r\nB = 1", kEqualsExpected, 2},
        {"GOTO 010\r\n10 A = 1", kUndefinedLabel, 1}, // labels compare as text
        {"GOSUB 99", kUndefinedLabel, 1},
        {"IF 1 THEN A = 1", kSyntaxError, 1},
        {"IF 1 = 1 A = 1", kThenExpected, 1},
        {"IF 1 <= 2 THEN A = 1", kSyntaxError, 1}, // relations are one character
        {"FOR A = 1 TO 2\r\nFOR B = 1 TO 2\r\nFOR C = 1 TO 2\r\nFOR D = 1 TO 2\r\n"
         "FOR E = 1 TO 2\r\nFOR F = 1 TO 2\r\nNEXT",
         kTooManyFors, 6},
        {"NEXT", kNextWithoutFor, 1},
        {"FOR 5 = 1 TO 2", kNotAVariable, 1},
        {"FOR I 1 TO 2", kEqualsExpected, 1},
        {"FOR I = 1\r\nNEXT", kToExpected, 1},
        // A character that starts no token ends the search for NEXT.
        {"FOR X = 2 TO 1\r\nA = 2\r\n# oops\r\nNEXT", kSyntaxError, 3},
        {kGosubChain + "GOSUB 5\r\nRETURN\r\n5 RETURN", kTooManyGosubs, 10},
        {"RETURN", kReturnWithoutGosub, 1},
    };
    for (const auto& c : cases) {
        BasicRun r;
        EXPECT_EQ(r.run(c.program), RunEnd::Error) << c.program;
        EXPECT_EQ(r.error(), c.error) << c.program;
        if (c.line != 0) {
            EXPECT_EQ(r.error_line(), c.line) << c.program;
        }
    }
}

TEST(Goto, JumpsToJustAfterTheLabelOnItsLine) {
    BasicRun r;
    EXPECT_EQ(r.run("GOTO 20\r\nA = 1\r\n20 B = 2\r\nC = 3"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 0);
    EXPECT_EQ(r.var('B'), 2);
    EXPECT_EQ(r.var('C'), 3);
}

TEST(Goto, LabelsAreComparedByTheirWholeText) {
    BasicRun r;
    EXPECT_EQ(r.run("GOTO 1001\r\n1000 A = 1 END\r\n1001 A = 2"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 2);

    EXPECT_EQ(r.run("GOTO 12345678\r\n12345678 A = 9"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 9);

    // A full table of labels that all begin with a shorter target's text:
    // the target is none of them, wherever its look-up lands in the table.
    for (int head = 1000; head < 1040; ++head) {
        const std::string target = "1234" + std::to_string(head);
        std::string program = "GOTO " + target;
        for (int i = 10; i < 50; ++i)
            program += "\r\n" + target + std::to_string(i) + " A = 1";
        ASSERT_EQ(r.run(program), RunEnd::Error) << target;
        EXPECT_EQ(r.error(), 7);
    }
}

TEST(Goto, ANewProgramForgetsWhereTheOldOnesJumpsWent) {
    BasicRun r;
    EXPECT_EQ(r.run("GOTO 20\r\n10 A = 1 END\r\n20 A = 2"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 2);
    EXPECT_EQ(r.run("GOTO 20\r\n20 A = 3 END\r\n10 A = 4"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 3);
    EXPECT_EQ(r.run("GOTO \"20\"\r\n10 A = 5 END\r\n20 A = 6"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 6); // the target is the operand's text, quoted or not
}

TEST(Labels, DuplicatesAndOverflowStopTheRunBeforeAnyStatement) {
    BasicRun r;
    EXPECT_EQ(r.run("A = 1\r\n10 B = 1\r\n10 C = 1"), RunEnd::Error);
    EXPECT_EQ(r.error(), 6);
    EXPECT_EQ(r.error_line(), 3);
    EXPECT_EQ(r.var('A'), 0);

    std::string forty;
    for (int i = 1; i <= 40; ++i)
        forty += std::to_string(i) + " A = A + 1\r\n";
    EXPECT_EQ(r.run(forty), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 40);
    EXPECT_EQ(r.run(forty + "41\r\n"), RunEnd::Error);
    EXPECT_EQ(r.error(), 5);
    EXPECT_EQ(r.error_line(), 41);
    EXPECT_EQ(r.var('A'), 0);
}

TEST(If, ConditionHoldsRunsTheRestOfTheLineOtherwiseSkipsIt) {
    BasicRun r;
    EXPECT_EQ(r.run("H = 5\r\nIF H<11 THEN GOTO 200\r\nA = 1\r\n200 B = 1"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 0);
    EXPECT_EQ(r.run("H = 11\r\nIF H<11 THEN GOTO 200\r\nA = 1\r\n200 B = 1"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 1);
    EXPECT_EQ(r.run("IF -1 < 1 THEN A = 1\r\nIF 2 > 1 THEN B = 1\r\nIF 3 = 3 THEN C = 1"),
              RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A') + r.var('B') + r.var('C'), 3);
}

TEST(If, ANumberAfterThenIsNotAJump) {
    BasicRun r;
    EXPECT_EQ(r.run("IF 1 = 1 THEN 20\r\nA = 1\r\n20 B = 1"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 1);
}

TEST(If, AFalseConditionDoesNotLookForThen) {
    BasicRun r;
    EXPECT_EQ(r.run("IF 1 = 2 A = 1"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 0);
}

TEST(For, RunsTheBodyUpToTheTargetAndLeavesTheVariableOnePast) {
    BasicRun r;
    EXPECT_EQ(r.run("FOR X = 1 TO 100\r\nS = S + 1\r\nNEXT"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('S'), 100);
    EXPECT_EQ(r.var('X'), 101);
}

TEST(For, StartAboveTargetPassesOverTheBodyToTheFirstNext) {
    BasicRun r;
    EXPECT_EQ(r.run("FOR X = 5 TO 1\r\nS = 1\r\nFOR Y = 1 TO 2\r\nNEXT\r\nT = 1\r\nNEXT"),
              RunEnd::Error); // nesting is not counted: the inner NEXT ends the search
    EXPECT_EQ(r.var('X'), 5);
    EXPECT_EQ(r.var('S'), 0);
    EXPECT_EQ(r.var('T'), 1);
    EXPECT_EQ(r.error(), 11);
}

TEST(For, BodyPassedOverWithNoNextEndsTheRunLikeTheEndOfText) {
    BasicRun r;
    EXPECT_EQ(r.run("A = 1\r\nFOR X = 2 TO 1\r\nA = 2"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 1);
    EXPECT_EQ(r.host.end_of_run_calls, 1);
}

TEST(For, AfterNextJumpsBackThePauseIsAtTheFirstBodyStatement) {
    BasicRun r;
    r.interpreter.set_checkpoint_every_statement(true);
    EXPECT_EQ(r.run("FOR I = 1 TO 2\r\nA = A + I\r\nNEXT"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.host.checkpoint_lines, (std::vector<int>{1, 2, 3, 2, 3}));
    EXPECT_EQ(r.var('A'), 3);
}

TEST(For, TheRestOfTheForLineRunsOnEveryPass) {
    BasicRun r;
    EXPECT_EQ(r.run("FOR I = 1 TO 3 A = A + 1\r\nNEXT"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 3);
}

TEST(For, UpTo32767NeverEndsButTheCheckpointStillActs) {
    BasicRun r;
    int checkpoints = 0;
    r.interpreter.set_checkpoint_every_statement(true);
    r.host.on_checkpoint = [&] {
        if (++checkpoints == 200000) end_run();
    };
    EXPECT_EQ(r.run("FOR I = 32000 TO 32767\r\nNEXT"), RunEnd::Host);
    EXPECT_LT(r.var('I'), 32000); // wrapped past 32767 and kept going
}

TEST(For, FiveLoopsNest) {
    BasicRun r;
    const std::string five = "FOR A = 1 TO 2\r\nFOR B = 1 TO 2\r\nFOR C = 1 TO 2\r\n"
                             "FOR D = 1 TO 2\r\nFOR E = 1 TO 2\r\nS = S + 1\r\n"
                             "NEXT\r\nNEXT\r\nNEXT\r\nNEXT\r\nNEXT";
    EXPECT_EQ(r.run(five), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('S'), 32);
}

TEST(For, AVariableNamedAfterNextIsReadAsAnAssignment) {
    BasicRun r;
    EXPECT_EQ(r.run("FOR I = 1 TO 2\r\nNEXT I"), RunEnd::Error);
    EXPECT_EQ(r.error(), 3);
    EXPECT_EQ(r.var('I'), 3);
}

TEST(Gosub, ReturnsToJustAfterTheLabelOnTheGosubLine) {
    BasicRun r;
    EXPECT_EQ(r.run("GOSUB 100 A = A + 10\r\nEND\r\n100 A = A + 1\r\nRETURN"),
              RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 11);
}

TEST(Gosub, FourCallsNest) {
    BasicRun r;
    EXPECT_EQ(r.run(kGosubChain + "RETURN"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 4);
}

TEST(Rem, SkipsTheRestOfItsLine) {
    BasicRun r;
    EXPECT_EQ(r.run("REM A = 1 \"unclosed\r\nB = 2"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 0);
    EXPECT_EQ(r.var('B'), 2);
}

TEST(ProgramText, LinuxAndOldMacLineBreaksRunLikeCrLf) {
    BasicRun r;
    EXPECT_EQ(r.run("A = 1\nGOTO 10\rA = 5\r\n10 B = A\n"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('B'), 1);
    EXPECT_EQ(r.run("A = 1\nB = \nC = 1"), RunEnd::Error);
    EXPECT_EQ(r.error_line(), 2); // found on the line end of line 2
}

TEST(ProgramText, ANulByteEndsTheProgram) {
    BasicRun r;
    EXPECT_EQ(r.run(std::string("A = 1\r\n\0B = 2\r\n", 15)), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('B'), 0);
    // Also inside a string, which is then unterminated: error 1 on the string's line.
    EXPECT_EQ(r.run(std::string("A = 1\r\nPRINT \"ab\0cd\"\r\nB = 2", 25)), RunEnd::Error);
    EXPECT_EQ(r.error(), 1);
    EXPECT_EQ(r.error_line(), 2);
    EXPECT_EQ(r.host.console, "\r\nERROR:1,2\r\n");
    EXPECT_EQ(r.run(std::string("\"ab\0\"", 5)), RunEnd::Error); // met while collecting labels
    EXPECT_EQ(r.error_line(), 1);
}

TEST(Checkpoints, StopAndErrorsKeepAnEndRequestTheWindowMadeMeanwhile) {
    for (const RunState request : {RunState::Modified, RunState::ResetRequest}) {
        SCOPED_TRACE(static_cast<int>(request));
        BasicRun stop;
        RunState seen = RunState::Idle;
        stop.host.on_delay = [&] { stop.interpreter.run_state().store(request); };
        stop.host.on_checkpoint = [&] {
            seen = stop.interpreter.run_state().load();
            end_run();
        };
        EXPECT_EQ(stop.run("DELAY 1\r\nSTOP\r\nA = 1"), RunEnd::Host);
        EXPECT_EQ(seen, request);

        BasicRun error;
        error.host.on_delay = [&] { error.interpreter.run_state().store(request); };
        EXPECT_EQ(error.run("DELAY 1\r\nA = 1/0"), RunEnd::Error);
        EXPECT_EQ(error.interpreter.run_state().load(), request);
    }
}

} // namespace
} // namespace marlinet::basic
