#include "machine/board.h"

#include "interpreter/numbers.h"

namespace marlinet::machine {
namespace {

int input_index(int bit) noexcept {
    if (bit >= 1 && bit <= 4) return bit - 1;
    if (bit == Board::kRxBit) return 4;
    return -1;
}

} // namespace

std::string_view adc_name(AdcChannel channel) noexcept {
    return channel == AdcChannel::Adc2 ? "ADC2" : "ADC1";
}

AdcValue classify_adc_text(std::string_view text) noexcept {
    const std::string_view trimmed = basic::trim_blanks(text);
    if (trimmed.empty() || trimmed == "+" || trimmed == "-") return {};
    const std::optional<std::int32_t> number = basic::parse_adc_text(trimmed);
    if (!number) return {AdcValue::Kind::Invalid, 0};
    return {AdcValue::Kind::Number, *number};
}

void Board::set_input(int bit, bool on) noexcept {
    const int i = input_index(bit);
    if (i < 0) return;
    const auto mask = static_cast<std::uint8_t>(1u << i);
    inputs_ =
        on ? static_cast<std::uint8_t>(inputs_ | mask) : static_cast<std::uint8_t>(inputs_ & ~mask);
}

bool Board::test_input(int bit) const noexcept {
    const int i = input_index(bit);
    return i >= 0 && (inputs_ & (1u << i)) != 0;
}

void Board::set_adc_text(AdcChannel channel, std::string_view text) {
    adc_texts_[index(channel)].assign(text);
    const AdcValue value = classify_adc_text(text);
    if (value.kind == AdcValue::Kind::Number) last_numbers_[index(channel)] = value.number;
}

AdcSample Board::read_adc() {
    AdcSample sample;
    sample.channel = selected_;
    std::string& text = adc_texts_[index(selected_)];
    const AdcValue value = classify_adc_text(text);
    switch (value.kind) {
    case AdcValue::Kind::Number: {
        sample.value = value.number;
        last_numbers_[index(selected_)] = value.number;
        const std::string_view trimmed = basic::trim_blanks(text);
        if (trimmed.size() != text.size()) {
            // In place: no allocation.
            const auto start = static_cast<std::size_t>(trimmed.data() - text.data());
            text.erase(start + trimmed.size());
            text.erase(0, start);
            sample.trimmed = true;
        }
        break;
    }
    case AdcValue::Kind::Pending: sample.value = last_numbers_[index(selected_)]; break;
    case AdcValue::Kind::Invalid: break;
    }
    return sample;
}

void Board::set_output(int output, bool on) noexcept {
    if (output >= 1 && output <= 4) outputs_[static_cast<std::size_t>(output - 1)] = on;
}

bool Board::output(int output) const noexcept {
    return output >= 1 && output <= 4 && outputs_[static_cast<std::size_t>(output - 1)];
}

void Board::reset() {
    inputs_ = 0;
    outputs_ = {};
    dac_.reset();
    selected_ = AdcChannel::Adc1;
    for (AdcChannel channel : {AdcChannel::Adc1, AdcChannel::Adc2})
        set_adc_text(channel, "0");
}

} // namespace marlinet::machine
