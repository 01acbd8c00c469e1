#include <gtest/gtest.h>

#include "recording_host.h"

namespace marlinet::basic {
namespace {

using testing::BasicRun;

std::string printed(const std::string& program) {
    BasicRun r;
    EXPECT_EQ(r.run(program), RunEnd::EndOfProgram) << program << " -> error " << r.error();
    return r.host.console;
}

TEST(Print, CommaPadsToTheNextMultipleOfEightAndSemicolonJoins) {
    EXPECT_EQ(printed("X = 5\r\nPRINT X, X/2; X"), "5       25\r\n");
    EXPECT_EQ(printed("PRINT \"12345678\", 1"), "12345678        1\r\n");
    EXPECT_EQ(printed("PRINT -5;\"|\""), "-5|\r\n");
}

TEST(Print, TrailingSeparatorLeavesTheLineOpenAndTabStopsRestartPerStatement) {
    EXPECT_EQ(printed("PRINT \"abc\";\r\nPRINT \"d\", 1"), "abcd       1\r\n");
    EXPECT_EQ(printed("PRINT 1,\r\nPRINT 2"), "1       2\r\n");
}

TEST(Print, BarePrintEndsTheLine) {
    EXPECT_EQ(printed("PRINT\r\nPRINT"), "\r\n\r\n");
}

TEST(Print, DollarStringPrintsTheNextValueAsACharacter) {
    EXPECT_EQ(printed("PRINT \"$\";65"), "A\r\n");
    EXPECT_EQ(printed("PRINT \"$\";\"x\";65"), "x65\r\n");   // an ordinary string cancels it
    EXPECT_EQ(printed("PRINT \"$\";321"), "A\r\n");          // low 8 bits
    EXPECT_EQ(printed("PRINT \"$\";0;\"|\""), "|\r\n");      // character 0 writes nothing
    EXPECT_EQ(printed("PRINT \"$\";66,1"), "B       1\r\n"); // the character counts one column
}

TEST(Print, ItemMustBeFollowedBySeparatorOrLineEnd) {
    BasicRun r;
    EXPECT_EQ(r.run("PRINT 1 2"), RunEnd::Error);
    EXPECT_EQ(r.error(), 0);
    EXPECT_EQ(r.host.console, "1\r\nERROR:0,1\r\n");
}

TEST(Input, ValueFormAsksWithQuestionMarkOrThePrompt) {
    BasicRun r;
    r.host.typed_values = {"42", "this text"};
    r.host.rx = true;
    EXPECT_EQ(r.run("INPUT H\r\nINPUT \"this is as test \",y"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('H'), 42);
    EXPECT_EQ(r.var('Y'), 0);
    EXPECT_FALSE(r.host.rx);
    EXPECT_EQ(r.host.console, "? 42\r\nthis is as test this text\r\n");
}

TEST(Input, TypedTextIsReadAsANumberWithoutFailing) {
    BasicRun r;
    r.host.typed_values = {"abc", "70000", "-5", "  12xyz"};
    EXPECT_EQ(r.run("INPUT A\r\nINPUT B\r\nINPUT C\r\nINPUT D"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 0);
    EXPECT_EQ(r.var('B'), 4464);
    EXPECT_EQ(r.var('C'), -5);
    EXPECT_EQ(r.var('D'), 12);
}

TEST(Input, KeyFormStoresTheKeyCodeAndWritesNothing) {
    BasicRun r;
    r.host.pressed_keys = {255, 'q'};
    EXPECT_EQ(r.run("INPUT \"$\", K\r\nINPUT \"$\",Q"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('K'), 255);
    EXPECT_EQ(r.var('Q'), 'q');
    EXPECT_EQ(r.host.console, "");
}

TEST(Input, OperandErrors) {
    BasicRun r;
    EXPECT_EQ(r.run("INPUT \"x\" A"), RunEnd::Error);
    EXPECT_EQ(r.error(), 1);
    r.host.console.clear();
    EXPECT_EQ(r.run("INPUT 5"), RunEnd::Error);
    EXPECT_EQ(r.error(), 4);
    EXPECT_EQ(r.host.console, "? \r\nERROR:4,1\r\n");
}

TEST(Board, SetbAndClrbDriveOutputsOneToFourAndTheAdcChannel) {
    BasicRun r;
    EXPECT_EQ(r.run("SETB 1 SETB 4 SETB 5 SETB 0 SETB -1\r\nCLRB 4 CLRB 0"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.host.outputs, (std::array<bool, 4>{true, false, false, false}));
    r.host.adc1 = "100";
    r.host.adc2 = " 2000 ";
    EXPECT_EQ(r.run("ADC A\r\nSETB 128\r\nADC B\r\nCLRB 128\r\nADC C"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 100);
    EXPECT_EQ(r.var('B'), 2000);
    EXPECT_EQ(r.var('C'), 100);
}

TEST(Board, AdcKeepsTheLowSixteenBitsAndRejectsText) {
    BasicRun r;
    r.host.adc1 = "70000";
    EXPECT_EQ(r.run("ADC A"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 4464);
    // An empty field is one the user is typing into: it reads as the last
    // number it held, 0 when it never held one.
    r.host.adc1 = "";
    EXPECT_EQ(r.run("A = 3\r\nADC A"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 4464);
    BasicRun fresh;
    fresh.host.adc1 = "";
    EXPECT_EQ(fresh.run("A = 3\r\nADC A"), RunEnd::EndOfProgram);
    EXPECT_EQ(fresh.var('A'), 0);
    r.host.adc1 = "12 volts";
    EXPECT_EQ(r.run("A = 3\r\nADC A"), RunEnd::Error);
    EXPECT_EQ(r.error(), 16);
    EXPECT_EQ(r.error_line(), 2);
    EXPECT_EQ(r.var('A'), 3);
    EXPECT_EQ(r.run("ADC 1"), RunEnd::Error);
    EXPECT_EQ(r.error(), 4);
}

TEST(Board, DacShowsTheValue) {
    BasicRun r;
    EXPECT_EQ(r.run("DAC 40000"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.host.dac, -25536);
}

TEST(Board, TstbTestsTheLowEightBitsOfTheInputNumber) {
    BasicRun r;
    r.host.inputs = {false, true, false, false};
    r.host.rx = true;
    EXPECT_EQ(r.run("TSTB A, 2\r\nTSTB B, 1\r\nTSTB C, 382\r\nTSTB D, 127"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 1);
    EXPECT_EQ(r.var('B'), 0);
    EXPECT_EQ(r.var('C'), 1);
    EXPECT_EQ(r.var('D'), 0);
    EXPECT_EQ(r.host.tested_inputs, (std::vector<int>{2, 1, 126, 127}));
    EXPECT_EQ(r.run("TSTB A 2"), RunEnd::Error);
    EXPECT_EQ(r.error(), 1);
}

TEST(Board, RxIsClearedByAnInput) {
    BasicRun r;
    r.host.rx = true;
    r.host.typed_values = {"1"};
    EXPECT_EQ(r.run("TSTB A, 126\r\nINPUT X\r\nTSTB B, 126"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('A'), 1);
    EXPECT_EQ(r.var('B'), 0);
}

TEST(Board, DelayWaitsItsValueAndNegativeWaitsNothing) {
    BasicRun r;
    EXPECT_EQ(r.run("DELAY 250\r\nDELAY -5\r\nDELAY 0"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.host.delays, (std::vector<int>{250, 0, 0}));
}

TEST(Scale, UsesAThirtyTwoBitProduct) {
    BasicRun r;
    EXPECT_EQ(r.run("V = 200\r\nSCALE V, 300, 100"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('V'), 600);
    EXPECT_EQ(r.run("V = 4095\r\nSCALE V, 1000, 4096"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('V'), 999);
    EXPECT_EQ(r.run("V = -7\r\nSCALE V, 1, 2"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('V'), -3);
}

TEST(Scale, ErrorsAndAZeroDivisor) {
    BasicRun r;
    EXPECT_EQ(r.run("V = 5\r\nSCALE V, 3, 0"), RunEnd::Error);
    EXPECT_EQ(r.error(), 14);
    EXPECT_EQ(r.var('V'), 5);
    EXPECT_EQ(r.run("SCALE V 3, 1"), RunEnd::Error);
    EXPECT_EQ(r.error(), 1);
    EXPECT_EQ(r.run("SCALE V, 3 1"), RunEnd::Error);
    EXPECT_EQ(r.error(), 1);
    EXPECT_EQ(r.run("SCALE 9, 3, 1"), RunEnd::Error);
    EXPECT_EQ(r.error(), 4);
}

} // namespace
} // namespace marlinet::basic
