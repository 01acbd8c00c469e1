// Conversions between decimal text and the dialect's 16-bit values.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace marlinet::basic {

// Cuts a wider integer to its low 16 bits, as every operation of the dialect does.
constexpr std::int16_t wrap16(std::int32_t value) noexcept {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(value)));
}

// Leading white space, an optional sign, then decimal digits up to the first
// other character. Formed in wrapping 32-bit arithmetic, then cut to 16 bits.
// Text without digits gives 0.
std::int16_t to_number(std::string_view text) noexcept;

// Decimal text of a value: a minus sign for negative values, no blanks, no
// leading zeros. Held by value, so nothing is allocated.
class NumberText {
public:
    explicit NumberText(std::int32_t value) noexcept;
    std::string_view view() const noexcept { return {chars_.data() + start_, size_}; }
    operator std::string_view() const noexcept { return view(); }

private:
    std::array<char, 12> chars_{};
    std::uint8_t start_ = 0;
    std::uint8_t size_ = 0;
};

// Text without the blanks and control characters (codes 0 to 32, and 127) at
// either end.
std::string_view trim_blanks(std::string_view text) noexcept;

// The value typed into an analog input field: the text, trimmed as
// trim_blanks does, must be an integer (optional sign, decimal digits) in the 32-bit range; an
// empty field is 0. Anything else is not a value.
std::optional<std::int32_t> parse_adc_text(std::string_view text) noexcept;

} // namespace marlinet::basic
