#include <gtest/gtest.h>

#include <string>

#include "recording_host.h"

namespace marlinet::basic {
namespace {

using testing::BasicRun;

// The value an expression gives, assigned to A by a one-line program.
std::int16_t value_of(const std::string& expression, const std::string& setup = "") {
    BasicRun r;
    EXPECT_EQ(r.run(setup + "A = " + expression), RunEnd::EndOfProgram)
        << expression << " -> error " << r.error();
    return r.var('A');
}

int error_of(const std::string& expression) {
    BasicRun r;
    EXPECT_EQ(r.run("A = " + expression), RunEnd::Error) << expression;
    return r.error();
}

TEST(Expressions, PrecedenceAndAssociativity) {
    EXPECT_EQ(value_of("12-4/2"), 10);
    EXPECT_EQ(value_of("1+2*3"), 7);
    EXPECT_EQ(value_of("(1+2)*3"), 9);
    EXPECT_EQ(value_of("10-3-2"), 5);
    EXPECT_EQ(value_of("64/4/2"), 8);
    // & and | bind like * and /
    EXPECT_EQ(value_of("1 + 6 & 3"), 3);
    EXPECT_EQ(value_of("2 | 4 * 3"), 18);
    EXPECT_EQ(value_of("X/2", "X = 5\r\n"), 2);
}

TEST(Expressions, ArithmeticWrapsToSixteenBits) {
    EXPECT_EQ(value_of("32767 + 1"), -32768);
    EXPECT_EQ(value_of("300 * 300"), 24464);
    EXPECT_EQ(value_of("40000"), -25536);
    EXPECT_EQ(value_of("65535"), -1);
    EXPECT_EQ(value_of("-32768 - 1"), 32767);
    EXPECT_EQ(value_of("-(0-32768)"), -32768); // negation wraps too
}

TEST(Expressions, DivisionTruncatesTowardZeroAndRemainderFollowsTheLeftSign) {
    EXPECT_EQ(value_of("7 / 2"), 3);
    EXPECT_EQ(value_of("-7 / 2"), -3);
    EXPECT_EQ(value_of("-7 % 2"), -1);
    EXPECT_EQ(value_of("7 % -2"), 1);
    EXPECT_EQ(value_of("X / -1", "X = -32768\r\n"), -32768);
    EXPECT_EQ(value_of("X % -1", "X = -32768\r\n"), 0);
}

TEST(Expressions, DivisionByZeroIsAnErrorAndNotCarriedOut) {
    BasicRun r;
    EXPECT_EQ(r.run("A = 7\r\nA = 5 / 0"), RunEnd::Error);
    EXPECT_EQ(r.error(), 14);
    EXPECT_EQ(r.error_line(), 2); // found on the line end of line 2
    EXPECT_EQ(r.var('A'), 7);
    EXPECT_EQ(error_of("5 % (2 - 2)"), 14);
}

TEST(Expressions, SignsAndBitwiseOperators) {
    EXPECT_EQ(value_of("-5"), -5);
    EXPECT_EQ(value_of("+5"), 5);
    EXPECT_EQ(value_of("-(-5)"), 5);
    EXPECT_EQ(value_of("6 & 3 | 8"), 10);
    EXPECT_EQ(value_of("-1 & 255"), 255);
    EXPECT_EQ(error_of("--5"), 0); // only one sign before an atom
}

TEST(Expressions, VariablesAreNamedByTheFirstLetterInAnyCase) {
    EXPECT_EQ(value_of("xray + X + x", "X = 2\r\n"), 6);
}

TEST(Expressions, NumberTokensTakeTheirLeadingDigits) {
    EXPECT_EQ(value_of("3.5"), 3);
    EXPECT_EQ(value_of("12AB"), 12);
    EXPECT_EQ(value_of("007"), 7);
}

TEST(Expressions, AnExpressionStopsAtTheFirstTokenNotOfItsLevel) {
    // 5 is assigned; the statement loop then meets the stray 6 and passes it over.
    BasicRun r;
    EXPECT_EQ(r.run("A = 5 6\r\nB = A"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('B'), 5);
    // Statements may follow an expression on the same line without a separator.
    EXPECT_EQ(r.run("A = 1 B = A + 1 SETB 2"), RunEnd::EndOfProgram);
    EXPECT_EQ(r.var('B'), 2);
    EXPECT_TRUE(r.host.outputs[1]);
}

TEST(Expressions, MalformedExpressionsGiveTheirErrors) {
    EXPECT_EQ(error_of("(1 + 2"), 1);
    EXPECT_EQ(error_of("1 +"), 0);
    EXPECT_EQ(error_of("print"), 0); // a keyword is not an operand
    EXPECT_EQ(error_of("\"5\""), 0); // nor is a string
    EXPECT_EQ(error_of("* 2"), 0);
    EXPECT_EQ(error_of("#"), 2); // a character that starts no token
    EXPECT_EQ(error_of("(#)"), 0);
    BasicRun r;
    EXPECT_EQ(r.run("A ="), RunEnd::Error);
    EXPECT_EQ(r.error(), 0); // the line end is not an operand
}

TEST(Expressions, NestingIsBoundedSoNoInputCanExhaustTheStack) {
    const auto nested = [](int depth) {
        return std::string(static_cast<std::size_t>(depth), '(') + "7" +
               std::string(static_cast<std::size_t>(depth), ')');
    };
    EXPECT_EQ(value_of(nested(64)), 7);
    EXPECT_EQ(error_of(nested(65)), 17);
    std::string signs;
    for (int i = 0; i < 65; ++i)
        signs += "-(";
    signs += "1" + std::string(65, ')');
    EXPECT_EQ(error_of(signs), 17);
    // Far deeper than any stack could take if it were not bounded.
    EXPECT_EQ(error_of(std::string(50000, '(')), 17);
}

TEST(Numbers, ToNumberReadsSignAndLeadingDigits) {
    EXPECT_EQ(to_number("  -5"), -5);
    EXPECT_EQ(to_number("\t\r\n+12x"), 12);
    EXPECT_EQ(to_number("abc"), 0);
    EXPECT_EQ(to_number(""), 0);
    EXPECT_EQ(to_number("70000"), 4464);
    EXPECT_EQ(to_number("-32768"), -32768);
    EXPECT_EQ(to_number("4294967297"), 1); // 2^32 + 1 wraps in 32 bits
}

TEST(Numbers, NumberTextHasNoBlanksOrLeadingZeros) {
    EXPECT_EQ(NumberText(-5).view(), "-5");
    EXPECT_EQ(NumberText(100).view(), "100");
    EXPECT_EQ(NumberText(0).view(), "0");
    EXPECT_EQ(NumberText(-32768).view(), "-32768");
    EXPECT_EQ(NumberText(INT32_MIN).view(), "-2147483648");
}

TEST(Numbers, AdcTextMustBeAnIntegerOnceTrimmed) {
    EXPECT_EQ(parse_adc_text(""), 0);
    EXPECT_EQ(parse_adc_text("   "), 0);
    EXPECT_EQ(parse_adc_text(" 4095 "), 4095);
    EXPECT_EQ(parse_adc_text("\x01\t5\x1f"), 5);
    EXPECT_EQ(parse_adc_text("5\x7f"), 5); // issue 9: DEL is a control character too
    EXPECT_EQ(parse_adc_text("\x7f-5 \x7f\r"), -5);
    EXPECT_EQ(parse_adc_text("\x7f"), 0);
    EXPECT_EQ(parse_adc_text("5\x7f"
                             "5"),
              std::nullopt);
    EXPECT_EQ(parse_adc_text("5\x80"), std::nullopt);
    EXPECT_EQ(parse_adc_text("-12"), -12);
    EXPECT_EQ(parse_adc_text("+7"), 7);
    EXPECT_EQ(parse_adc_text("2147483647"), INT32_MAX);
    EXPECT_EQ(parse_adc_text("-2147483648"), INT32_MIN);
    EXPECT_EQ(parse_adc_text("2147483648"), std::nullopt);
    EXPECT_EQ(parse_adc_text("12a"), std::nullopt);
    EXPECT_EQ(parse_adc_text("1 2"), std::nullopt);
    EXPECT_EQ(parse_adc_text("-"), std::nullopt);
    EXPECT_EQ(parse_adc_text("3.3"), std::nullopt);
}

} // namespace
} // namespace marlinet::basic
