// Letter rules shared by the statements: a variable is named by the first
// letter of a token, in either case.
#pragma once

namespace marlinet::basic {

constexpr bool is_letter(char c) noexcept {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// 0 for A or a, up to 25 for Z or z. Only for letters.
constexpr int letter_index(char c) noexcept {
    return (c | 0x20) - 'a';
}

} // namespace marlinet::basic
