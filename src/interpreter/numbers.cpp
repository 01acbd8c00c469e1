#include "interpreter/numbers.h"

#include <cstdint>

namespace marlinet::basic {
namespace {

constexpr bool is_space(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
constexpr bool is_digit(char c) noexcept {
    return c >= '0' && c <= '9';
}
constexpr bool is_blank_or_control(char c) noexcept {
    return static_cast<unsigned char>(c) <= ' ' || c == '\x7f';
}

} // namespace

std::int16_t to_number(std::string_view text) noexcept {
    std::size_t i = 0;
    while (i < text.size() && is_space(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t value = 0; // unsigned: the 32-bit accumulation wraps by design
    for (; i < text.size() && is_digit(text[i]); ++i)
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    if (negative) value = 0u - value;
    return wrap16(static_cast<std::int32_t>(value));
}

NumberText::NumberText(std::int32_t value) noexcept {
    // Work on the magnitude as unsigned so that the most negative value needs no special case.
    std::uint32_t magnitude =
        value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    std::size_t pos = chars_.size();
    do {
        chars_[--pos] = static_cast<char>('0' + magnitude % 10u);
        magnitude /= 10u;
    } while (magnitude != 0);
    if (value < 0) chars_[--pos] = '-';
    start_ = static_cast<std::uint8_t>(pos);
    size_ = static_cast<std::uint8_t>(chars_.size() - pos);
}

std::string_view trim_blanks(std::string_view text) noexcept {
    while (!text.empty() && is_blank_or_control(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank_or_control(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::int32_t> parse_adc_text(std::string_view text) noexcept {
    // Blanks and control characters (DEL included) around the number are not part of it.
    text = trim_blanks(text);
    if (text.empty()) return 0;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (!is_digit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

} // namespace marlinet::basic
