// ASCII case-insensitive comparison of names (attribute names, INI sections
// and keys, editor command names). Text is 8-bit; bytes above 127 compare as
// they are, whatever the locale: a name never matches differently on another
// machine.
#pragma once

#include <cstddef>
#include <string_view>

namespace marlinet::support {

constexpr char AsciiLower(char c) noexcept {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Negative, zero or positive as `a` sorts before, with or after `b`.
constexpr int CompareText(std::string_view a, std::string_view b) noexcept {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(AsciiLower(a[i]));
        const auto cb = static_cast<unsigned char>(AsciiLower(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

constexpr bool SameText(std::string_view a, std::string_view b) noexcept {
    return CompareText(a, b) == 0;
}

} // namespace marlinet::support
