// Tokenizer, keyword look-up and the program-position operations.
#include <cstring>

#include "interpreter/errors.h"
#include "interpreter/interpreter.h"

namespace marlinet::basic {
namespace {

enum CharClass : std::uint8_t {
    kBlank = 1,    // space, TAB
    kOperator = 2, // each a token of its own
    kTokenEnd = 4, // ends a number or an identifier
    kDigit = 8,
    kLetter = 16,
};

constexpr std::array<std::uint8_t, 256> make_classes() {
    std::array<std::uint8_t, 256> table{};
    for (unsigned char c : std::string_view{"&|+-*/%=;(),><"})
        table[c] |= kOperator | kTokenEnd;
    table[' '] |= kBlank | kTokenEnd;
    table['\t'] |= kBlank | kTokenEnd;
    table['\r'] |= kTokenEnd;
    table[0] |= kTokenEnd;
    for (int c = '0'; c <= '9'; ++c)
        table[static_cast<std::size_t>(c)] |= kDigit;
    for (int c = 'a'; c <= 'z'; ++c) {
        table[static_cast<std::size_t>(c)] |= kLetter;
        table[static_cast<std::size_t>(c - 'a' + 'A')] |= kLetter;
    }
    return table;
}
constexpr std::array<std::uint8_t, 256> kClasses = make_classes();

inline std::uint8_t class_of(char c) noexcept {
    return kClasses[static_cast<unsigned char>(c)];
}

// Keywords bucketed by length, with each name packed into an integer, so a
// look-up is a handful of integer compares and never touches memory twice.
constexpr std::size_t kLongestKeyword = 6;

constexpr std::uint64_t pack(std::string_view text) {
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        word |= std::uint64_t{static_cast<unsigned char>(text[i])} << (8 * i);
    return word;
}

struct PackedKeyword {
    std::uint64_t word = 0;
    TokenCode code = TokenCode::None;
};
struct KeywordBuckets {
    std::array<std::array<PackedKeyword, kKeywordTable.size()>, kLongestKeyword + 1> entries{};
    std::array<std::uint8_t, kLongestKeyword + 1> counts{};
};

constexpr KeywordBuckets make_buckets() {
    KeywordBuckets buckets{};
    for (const Keyword& k : kKeywordTable) {
        if (k.name.empty()) break;
        const std::size_t len = k.name.size();
        buckets.entries[len][buckets.counts[len]++] = {pack(k.name), k.code};
    }
    return buckets;
}
constexpr KeywordBuckets kBuckets = make_buckets();
static_assert(kBuckets.counts[1] == 0, "one-letter names must always be variables");

} // namespace

TokenCode find_keyword(std::string_view lowercase_text) noexcept {
    const std::size_t len = lowercase_text.size();
    if (len == 0 || len > kLongestKeyword) return TokenCode::None;
    const std::uint64_t word = pack(lowercase_text);
    const auto& bucket = kBuckets.entries[len];
    for (std::size_t i = 0; i < kBuckets.counts[len]; ++i)
        if (bucket[i].word == word) return bucket[i].code;
    return TokenCode::None;
}

TokenType Interpreter::read_token() {
    Token& t = token_;
    t.code = TokenCode::None;
    const char* p = pc_;
    while (class_of(*p) & kBlank)
        ++p;
    const char c = *p;
    const std::uint8_t cls = class_of(c);

    if (cls & kLetter) {
        // Identifier: lowercased as it is copied, then classified.
        std::size_t n = 0;
        std::uint64_t word = 0;
        do {
            if (n == Token::kMaxLength) raise_token_too_long(p);
            char lower = p[n];
            if (lower >= 'A' && lower <= 'Z') lower = static_cast<char>(lower - 'A' + 'a');
            t.text[n] = lower;
            if (n < 8) word |= std::uint64_t{static_cast<unsigned char>(lower)} << (8 * n);
            ++n;
        } while (!(class_of(p[n]) & kTokenEnd));
        t.text[n] = '\0';
        t.length = static_cast<std::uint8_t>(n);
        pc_ = p + n;
        t.type = TokenType::Variable;
        if (n > 1 && n <= kLongestKeyword) {
            const auto& bucket = kBuckets.entries[n];
            for (std::size_t i = 0; i < kBuckets.counts[n]; ++i) {
                if (bucket[i].word == word) {
                    t.type = TokenType::Keyword;
                    t.code = bucket[i].code;
                    break;
                }
            }
        }
        return t.type;
    }
    if (cls & kOperator) {
        t.text[0] = c;
        t.text[1] = '\0';
        t.length = 1;
        pc_ = p + 1;
        return t.type = TokenType::Delimiter;
    }
    if (cls & kDigit) {
        std::size_t n = 0;
        do {
            if (n == Token::kMaxLength) raise_token_too_long(p);
            t.text[n] = p[n];
            ++n;
        } while (!(class_of(p[n]) & kTokenEnd));
        t.text[n] = '\0';
        t.length = static_cast<std::uint8_t>(n);
        pc_ = p + n;
        return t.type = TokenType::Number;
    }
    if (c == '\r') {
        // A CR is always followed by LF in a loaded buffer; step over one
        // character only if it is not, so a reader never passes the final NUL.
        t.text[0] = '\r';
        std::size_t n = 1;
        if (p[1] == '\n') t.text[n++] = '\n';
        t.text[n] = '\0';
        t.length = static_cast<std::uint8_t>(n);
        pc_ = p + n;
        t.code = TokenCode::EndOfLine;
        return t.type = TokenType::Delimiter;
    }
    if (c == '\0') {
        pc_ = p; // stays on the NUL: every later read gives EndOfText again
        t.text[0] = '\0';
        t.length = 0;
        t.code = TokenCode::EndOfText;
        return t.type = TokenType::Delimiter;
    }
    if (c == '"') {
        const char* s = p + 1;
        std::size_t n = 0;
        while (s[n] != '"' && s[n] != '\r' && s[n] != '\0') {
            if (n == Token::kMaxLength) raise_token_too_long(s + n);
            t.text[n] = s[n];
            ++n;
        }
        if (s[n] != '"') {
            pc_ = s + n;
            raise_error(kUnbalancedParentheses);
        }
        t.text[n] = '\0';
        t.length = static_cast<std::uint8_t>(n);
        pc_ = s + n + 1;
        return t.type = TokenType::String;
    }
    // A character that starts no token: nothing is consumed.
    pc_ = p;
    t.text[0] = '\0';
    t.length = 0;
    return t.type = TokenType::None;
}

void Interpreter::raise_token_too_long(const char* at) {
    pc_ = at;
    raise_error(kTokenTooLong);
}

void Interpreter::skip_to_next_line() noexcept {
    const char* p = pc_;
    while (*p != '\n' && *p != '\0')
        ++p;
    if (*p == '\n') ++p;
    pc_ = p;
}

} // namespace marlinet::basic
