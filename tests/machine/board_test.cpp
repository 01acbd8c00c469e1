// The board's rules: inputs and outputs by number, the analog texts and
// their values, INPUT clearing RX, and the reset.
#include <gtest/gtest.h>

#include "machine/board.h"

namespace marlinet::machine {
namespace {

using Kind = AdcValue::Kind;

TEST(BoardRules, AnAnalogTextIsANumberStillBeingTypedOrInvalid) {
    const struct {
        const char* text;
        Kind kind;
        std::int32_t number;
    } cases[] = {
        {"12", Kind::Number, 12},
        {" -7\t", Kind::Number, -7},
        {"+5", Kind::Number, 5},
        {"\x7f"
         "3\r\n",
         Kind::Number, 3},
        {"2147483647", Kind::Number, 2147483647},
        {"-2147483648", Kind::Number, -2147483647 - 1},
        {"", Kind::Pending, 0},
        {" \t ", Kind::Pending, 0},
        {"-", Kind::Pending, 0},
        {" + ", Kind::Pending, 0},
        {"2147483648", Kind::Invalid, 0},
        {"--", Kind::Invalid, 0},
        {"- 5", Kind::Invalid, 0},
        {"4e3", Kind::Invalid, 0},
        {"12 volts", Kind::Invalid, 0},
    };
    for (const auto& c : cases) {
        const AdcValue value = classify_adc_text(c.text);
        EXPECT_EQ(value.kind, c.kind) << c.text;
        EXPECT_EQ(value.number, c.number) << c.text;
    }
}

// Issue 17: typing "-5" over "300" must not end the run at the "-".
TEST(BoardRules, Issue17ATextBeingTypedReadsTheLastNumberAndIsNotRewritten) {
    Board board;
    board.set_adc_text(AdcChannel::Adc1, "300");
    for (const char* typing : {"", "-", " "}) {
        board.set_adc_text(AdcChannel::Adc1, typing);
        const AdcSample sample = board.read_adc();
        EXPECT_EQ(sample.value, 300) << typing;
        EXPECT_FALSE(sample.trimmed) << typing;
        EXPECT_EQ(board.adc_text(AdcChannel::Adc1), typing);
    }
    board.set_adc_text(AdcChannel::Adc1, " -5 ");
    const AdcSample typed = board.read_adc();
    EXPECT_EQ(typed.value, -5);
    EXPECT_TRUE(typed.trimmed);
    EXPECT_EQ(board.adc_text(AdcChannel::Adc1), "-5");
    board.set_adc_text(AdcChannel::Adc1, "-");
    EXPECT_EQ(board.read_adc().value, -5);

    // Each field remembers its own number; one that never held one reads 0.
    board.select_adc(AdcChannel::Adc2);
    board.set_adc_text(AdcChannel::Adc2, "+");
    EXPECT_EQ(board.read_adc().value, 0);
    board.set_adc_text(AdcChannel::Adc2, "x");
    EXPECT_EQ(board.read_adc().value, std::nullopt);
    EXPECT_EQ(board.adc_text(AdcChannel::Adc2), "x");
}

TEST(BoardRules, InputsOutputsAnsweredInputAndReset) {
    Board board;
    for (int bit : {1, 2, 3, 4, 126, 0, 5, 127, -1, 382})
        board.set_input(bit, true);
    for (const auto& [bit, on] : {std::pair{1, true},
                                  {4, true},
                                  {126, true},
                                  {0, false},
                                  {5, false},
                                  {127, false},
                                  {382, false}})
        EXPECT_EQ(board.test_input(bit), on) << bit;
    board.input_answered();
    EXPECT_FALSE(board.test_input(Board::kRxBit));
    EXPECT_TRUE(board.test_input(1));

    board.set_output(1, true);
    board.set_output(4, true);
    board.set_output(5, true);
    board.set_output(0, true);
    board.set_output(4, false);
    EXPECT_EQ(board.outputs(), (std::array<bool, 4>{true, false, false, false}));
    EXPECT_FALSE(board.output(5));

    board.write_dac(-3);
    board.select_adc(AdcChannel::Adc2);
    board.set_adc_text(AdcChannel::Adc2, "9");
    board.reset();
    EXPECT_EQ(board.outputs(), (std::array<bool, 4>{}));
    EXPECT_FALSE(board.test_input(1));
    EXPECT_EQ(board.selected_adc(), AdcChannel::Adc1);
    EXPECT_EQ(board.adc_text(AdcChannel::Adc2), "0");
    EXPECT_EQ(board.dac(), std::nullopt);
    board.set_adc_text(AdcChannel::Adc2, "");
    board.select_adc(AdcChannel::Adc2);
    EXPECT_EQ(board.read_adc().value, 0); // the reset's "0" is the last number
}

} // namespace
} // namespace marlinet::machine
