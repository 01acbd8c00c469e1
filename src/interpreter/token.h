// Tokens of the BASIC dialect: types, codes and the keyword table.
//
// The token codes, the keyword table below and the statement dispatch in
// statements.cpp must stay in step: a keyword's code is what the dispatch
// switches on.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace marlinet::basic {

enum class TokenType : std::uint8_t {
    None = 0,
    Delimiter = 1,
    Variable = 2,
    Number = 3,
    Keyword = 4,
    // 5 is reserved: an identifier being classified. It never leaves read_token.
    String = 6,
};

enum class TokenCode : std::uint8_t {
    None = 0,
    Print = 1,
    Input = 2,
    If = 3,
    Then = 4,
    For = 5,
    Next = 6,
    To = 7,
    Goto = 8,
    EndOfLine = 9,
    EndOfText = 11,
    Gosub = 12,
    Return = 15,
    End = 16,
    Adc = 17,
    Dac = 18,
    Setb = 19,
    Clrb = 20,
    Tstb = 21,
    Delay = 22,
    Stop = 23,
    Scale = 24,
    Rem = 25,
};

struct Keyword {
    std::string_view name; // lowercase
    TokenCode code;
};

// Every keyword with its code; the empty entry ends the table. A look-up
// (find_keyword) matches the whole lowercased identifier, so no entry can
// shadow another.
inline constexpr std::array<Keyword, 21> kKeywordTable{{
    {"print", TokenCode::Print},   {"input", TokenCode::Input}, {"if", TokenCode::If},
    {"then", TokenCode::Then},     {"goto", TokenCode::Goto},   {"for", TokenCode::For},
    {"next", TokenCode::Next},     {"to", TokenCode::To},       {"gosub", TokenCode::Gosub},
    {"return", TokenCode::Return}, {"adc", TokenCode::Adc},     {"dac", TokenCode::Dac},
    {"setb", TokenCode::Setb},     {"clrb", TokenCode::Clrb},   {"tstb", TokenCode::Tstb},
    {"delay", TokenCode::Delay},   {"end", TokenCode::End},     {"scale", TokenCode::Scale},
    {"rem", TokenCode::Rem},       {"stop", TokenCode::Stop},   {"", TokenCode::None},
}};

// The code of the keyword spelled exactly `lowercase_text`, or TokenCode::None.
TokenCode find_keyword(std::string_view lowercase_text) noexcept;

// The first eight characters of `text` (fewer when it is shorter) packed
// into a word, the first character lowest: one integer compare stands for
// comparing them.
constexpr std::uint64_t pack_head(std::string_view text) noexcept {
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < text.size() && i < 8; ++i)
        word |= std::uint64_t{static_cast<unsigned char>(text[i])} << (8 * i);
    return word;
}

// A token with its text, as Interpreter::token gives it. The text is
// NUL-terminated and holds at most 63 characters.
struct Token {
    static constexpr std::size_t kMaxLength = 63;

    std::array<char, kMaxLength + 1> text{};
    std::uint8_t length = 0;
    TokenType type = TokenType::None;
    TokenCode code = TokenCode::None;
    // For a Number token: the value of its leading digits, as to_number gives it.
    std::int16_t number = 0;

    std::string_view view() const noexcept { return {text.data(), length}; }
    char first() const noexcept { return text[0]; }
};

} // namespace marlinet::basic
