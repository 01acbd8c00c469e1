// Error reports: console text, number, line, run state, and that no input
// makes a run loop without end or read outside its buffer.
#include <gtest/gtest.h>

#include <random>

#include "interpreter/errors.h"
#include "recording_host.h"

namespace marlinet::basic {
namespace {

using testing::BasicRun;

TEST(ErrorReport, ConsoleLineNumberLineAndRunState) {
    BasicRun r;
    EXPECT_EQ(r.run("PRINT \"a\"\r\nA = 1\r\nGOTO 55"), RunEnd::Error);
    EXPECT_EQ(r.host.console, "a\r\n\r\nERROR:7,3\r\n");
    EXPECT_EQ(r.error(), 7);
    EXPECT_EQ(r.error_line(), 3);
    EXPECT_EQ(r.host.report_error_calls, 1);
    EXPECT_EQ(r.host.end_of_run_calls, 0);
    EXPECT_EQ(r.interpreter.run_state().load(), RunState::Stopped);
    EXPECT_EQ(error_message(7), "Undefined label");
    r.interpreter.clear_error();
    EXPECT_EQ(r.error(), -1);
}

TEST(ErrorReport, EveryNumberHasItsMessage) {
    EXPECT_EQ(kErrorMessages.size(), 18u);
    EXPECT_EQ(error_message(0), "Syntax error");
    EXPECT_EQ(error_message(13), "RETURN without GOSUB");
    EXPECT_EQ(error_message(14), "Division by zero");
    EXPECT_EQ(error_message(15), "Token too long");
    EXPECT_EQ(error_message(16), "Invalid ADC value");
    EXPECT_EQ(error_message(17), "Expression too complex");
    EXPECT_EQ(error_message(18), "");
    EXPECT_EQ(error_message(-1), "");
}

TEST(ErrorReport, StatusTextNamesTheMessageAndTheLine) {
    EXPECT_EQ(error_status_text(7, 3), "ERROR: Undefined label in line 3");
    EXPECT_EQ(error_status_text(0, 120), "ERROR: Syntax error in line 120");
}

TEST(ErrorReport, UnclosedStringIsReportedOnItsOwnLine) {
    BasicRun r;
    EXPECT_EQ(r.run("A = 1\r\nPRINT \"open\r\nB = 2"), RunEnd::Error);
    EXPECT_EQ(r.error(), 1);
    EXPECT_EQ(r.error_line(), 2);
    // At the start of a line it is met while labels are collected: before any statement.
    EXPECT_EQ(r.run("A = 1\r\n\"open"), RunEnd::Error);
    EXPECT_EQ(r.error(), 1);
    EXPECT_EQ(r.var('A'), 0);
}

// An error is reported on the line holding the first character of the token
// at which it was found; a line end belongs to the line it ends.
TEST(ErrorReport, Issue9ErrorsFoundAtALineEndNameThatLine) {
    struct Case {
        std::string program;
        int error;
        int line;
    };
    const Case cases[] = {
        {"A = 1\r\nSTOPE\r\nB = 1", 3, 2},
        {"FOR I = 1\r\nNEXT", 9, 1},
        {"A = 1 +\r\nPRINT A", 0, 1},
        {"A = 1\r\nB = A/0\r\nC = 1", 14, 2},
        {"A = (1+2\r\nB = 1", 1, 1},
        {"IF 1 = 1\r\nA = 1", 8, 1},
        {"IF 1\r\nA = 1", 0, 1},
        {"SCALE A, 1, 0\r\nB = 1", 14, 1},
        {"TSTB A\r\nB = 1", 1, 1},
        {"PRINT 1 2\r\nB = 1", 0, 1},
        {std::string("A = (1\0\r\n", 9), 1, 1}, // the NUL ends the text on line 1
        {"A = 1\r\n  GOTO 7\r\n", 7, 2},        // found inside a line: as before
        {"A = 1\r\nB = 2 + \"x\r\n", 1, 2},
    };
    for (const Case& c : cases) {
        BasicRun r;
        EXPECT_EQ(r.run(c.program), RunEnd::Error) << c.program;
        EXPECT_EQ(r.error(), c.error) << c.program;
        EXPECT_EQ(r.error_line(), c.line) << c.program;
        EXPECT_EQ(r.host.console.substr(r.host.console.find("ERROR:")),
                  "ERROR:" + std::to_string(c.error) + "," + std::to_string(c.line) + "\r\n");
    }
}

TEST(ErrorReport, ACharacterThatStartsNoTokenInStatementPositionIsASyntaxError) {
    for (const char* program :
         {"A = 1\r\n# comment", "A = 1\r\n  : B = 2", "A = 1\r\n.", "A = 1\r\n!"}) {
        BasicRun r;
        EXPECT_EQ(r.run(program), RunEnd::Error) << program;
        EXPECT_EQ(r.error(), 0);
        EXPECT_EQ(r.error_line(), 2);
        EXPECT_EQ(r.var('A'), 1);
    }
}

TEST(ErrorReport, LineNumbersBeyondSixteenBitsAreReportedWhole) {
    std::string program;
    for (int i = 0; i < 40000; ++i)
        program += "\r\n";
    program += "GOTO 1";
    BasicRun r;
    EXPECT_EQ(r.run(program), RunEnd::Error);
    EXPECT_EQ(r.error_line(), 40001);
    EXPECT_EQ(r.host.console, "\r\nERROR:7,40001\r\n");
}

// What a run did, to compare two runs of one program.
std::string outcome_of(BasicRun& r, RunEnd end) {
    std::string out = std::to_string(static_cast<int>(end)) + "|" + r.host.console + "|" +
                      std::to_string(r.error()) + "," + std::to_string(r.error_line()) + "|" +
                      std::to_string(r.interpreter.statements()) + "|";
    for (int line : r.host.checkpoint_lines)
        out += std::to_string(line) + " ";
    for (char v = 'A'; v <= 'Z'; ++v)
        out += std::to_string(r.var(v)) + " ";
    return out;
}

// Random bytes drawn from the characters the dialect cares about: every run
// must end (by END, error or end of text) within a bounded number of
// statements, and the sanitizers check that no read leaves the buffer. A
// second run of the same program reads every token from the memo the first
// one filled, and must do exactly what the first did.
TEST(Robustness, RandomProgramsAlwaysEndAndRunAlikeAgain) {
    const std::string alphabet = "AbXz019 \t\r\n\"$,;()+-*/%&|=<>#:.!\x80\xff"
                                 "PRINT INPUT IF THEN FOR TO NEXT GOTO GOSUB RETURN END REM STOP ";
    std::mt19937 random(12345);
    for (int round = 0; round < 3000; ++round) {
        std::string program(random() % 120, ' ');
        for (char& c : program)
            c = alphabet[random() % alphabet.size()];
        BasicRun r;
        r.interpreter.set_checkpoint_every_statement(true);
        int checkpoints = 0;
        r.host.on_checkpoint = [&] {
            r.interpreter.run_state().store(RunState::Running);
            if (++checkpoints > 10000) end_run(); // a program that loops by its own GOTO or FOR
        };
        const auto run_again = [&](bool first) {
            r.host.console.clear();
            r.host.checkpoint_lines.clear();
            r.host.typed_values.assign(5, "1");
            r.host.pressed_keys.assign(5, 'k');
            checkpoints = 0;
            r.interpreter.clear_error();
            r.interpreter.run_state().store(RunState::Running);
            if (first) r.interpreter.set_program(ProgramBuffer::from_file_bytes(program));
            return outcome_of(r, r.interpreter.run_program());
        };
        const std::string cold = run_again(true);
        EXPECT_EQ(run_again(false), cold) << program;
    }
}

} // namespace
} // namespace marlinet::basic
