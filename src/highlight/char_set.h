// A set of the 256 byte values, usable in constant expressions, for the
// identifier and word-break characters of a highlighter.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace marlinet::highlight {

class TSynIdentChars {
public:
    constexpr TSynIdentChars() noexcept = default;

    constexpr bool Contains(unsigned char c) const noexcept {
        return (words_[c >> 6] >> (c & 63)) & 1U;
    }
    constexpr bool Contains(char c) const noexcept {
        return Contains(static_cast<unsigned char>(c));
    }

    constexpr TSynIdentChars& Include(unsigned char c) noexcept {
        words_[c >> 6] |= std::uint64_t{1} << (c & 63);
        return *this;
    }
    constexpr TSynIdentChars& Exclude(unsigned char c) noexcept {
        words_[c >> 6] &= ~(std::uint64_t{1} << (c & 63));
        return *this;
    }
    // Includes every byte from `first` to `last`, both included.
    constexpr TSynIdentChars& IncludeRange(unsigned char first, unsigned char last) noexcept {
        for (int c = first; c <= last; ++c)
            Include(static_cast<unsigned char>(c));
        return *this;
    }
    constexpr TSynIdentChars& IncludeAll(std::string_view chars) noexcept {
        for (char c : chars)
            Include(static_cast<unsigned char>(c));
        return *this;
    }

    constexpr std::size_t Count() const noexcept {
        std::size_t n = 0;
        for (int c = 0; c < 256; ++c)
            n += Contains(static_cast<unsigned char>(c)) ? 1 : 0;
        return n;
    }

    friend constexpr TSynIdentChars operator-(TSynIdentChars a, const TSynIdentChars& b) noexcept {
        for (std::size_t i = 0; i < a.words_.size(); ++i)
            a.words_[i] &= ~b.words_[i];
        return a;
    }
    friend constexpr bool operator==(const TSynIdentChars&, const TSynIdentChars&) = default;

private:
    std::array<std::uint64_t, 4> words_{};
};

} // namespace marlinet::highlight
