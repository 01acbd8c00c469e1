// What reading a token from each position of the program gives, remembered.
//
// The program text never changes while it is loaded, so the token that a read
// starting at a position gives is a function of that position alone. The
// memo keeps it for every position a read has started at: the first read
// from a position scans the text, every later one is a table look-up. Both
// tables are allocated when the program is set, never while it runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "interpreter/program_buffer.h"
#include "interpreter/token.h"

namespace marlinet::basic {

// One token as a read from some position gives it. The text itself is not
// kept: it is the program's own characters (lowercased, for an identifier).
struct DecodedToken {
    static constexpr std::uint8_t kNotRead = 0xff;

    std::uint8_t type = kNotRead; // a TokenType once a read has decoded it
    TokenCode code = TokenCode::None;
    std::uint8_t length = 0; // characters in the text: what unread_token steps back
    std::uint8_t end = 0;    // from the reading position to just past the token
    char first = 0;          // the text's first character, lowercased; 0 when the text is empty
    std::uint8_t label = 0;  // a GOTO or GOSUB operand: 1 + the index of its label; 0 unknown
    std::int16_t number = 0; // a Number: the value of its leading digits

    bool decoded() const noexcept { return type != kNotRead; }
    TokenType token_type() const noexcept { return static_cast<TokenType>(type); }
    // From the reading position to the token's first character (a String's opening quote).
    std::size_t start() const noexcept {
        return end - length - (token_type() == TokenType::String ? 2u : 0u);
    }
    // From the reading position to the text's first character.
    std::size_t text_start() const noexcept {
        return end - length - (token_type() == TokenType::String ? 1u : 0u);
    }
};
static_assert(sizeof(DecodedToken) == 8, "the memo holds one of these per program byte");

class TokenMemo {
public:
    // Blanks a remembered token may have before it, so that `end` fits its byte
    // even after the longest String (its text and two quotes).
    static constexpr std::size_t kMaxBlanks = 255 - (Token::kMaxLength + 2);

    TokenMemo() = default;
    // Empty tables for every position up to the program's first NUL.
    explicit TokenMemo(const ProgramBuffer& program);

    // Empties the tables for another program in the storage already held:
    // allocates nothing when reserve() has made room for it before.
    void refill(const ProgramBuffer& program);
    // Makes room for a program whose first NUL stands at `end_of_program`.
    void reserve(std::size_t end_of_program);

    DecodedToken& at(std::size_t position) noexcept { return entries_[position]; }
    // Where skip_to_next_line goes from `position`: just past the first LF at
    // or after it, or the first NUL when none comes before it.
    std::size_t next_line(std::size_t position) const noexcept { return next_line_[position]; }

    // Bytes the tables hold.
    std::size_t memory() const noexcept {
        return entries_.capacity() * sizeof(DecodedToken) +
               next_line_.capacity() * sizeof(std::uint32_t);
    }

private:
    std::vector<DecodedToken> entries_;
    std::vector<std::uint32_t> next_line_;
};

} // namespace marlinet::basic
