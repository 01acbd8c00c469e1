// Tokenizer, keyword look-up and the program-position operations.
#include <bit>
#include <cstring>

#include "interpreter/errors.h"
#include "interpreter/interpreter.h"
#include "interpreter/numbers.h"

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

// What a token starting with a character is.
enum class Kind : std::uint8_t { Other, Letter, Operator, Digit, LineEnd, End, Quote };

constexpr std::array<Kind, 256> make_kinds() {
    std::array<Kind, 256> table{};
    for (std::size_t c = 0; c < 256; ++c) {
        const std::uint8_t cls = kClasses[c];
        table[c] = (cls & kLetter)     ? Kind::Letter
                   : (cls & kOperator) ? Kind::Operator
                   : (cls & kDigit)    ? Kind::Digit
                                       : Kind::Other;
    }
    table['\r'] = Kind::LineEnd;
    table[0] = Kind::End;
    table['"'] = Kind::Quote;
    return table;
}
constexpr std::array<Kind, 256> kKinds = make_kinds();

inline Kind kind_of(char c) noexcept {
    return kKinds[static_cast<unsigned char>(c)];
}

static_assert(std::endian::native == std::endian::little,
              "keywords are packed into words with the first character lowest");

// Lowercases the ASCII capitals among the eight bytes of a word, leaving
// every other byte as it is.
constexpr std::uint64_t lower_ascii(std::uint64_t word) noexcept {
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    const std::uint64_t low7 = word & (0x7f * ones);
    const std::uint64_t at_least_a = low7 + (0x80 - 'A') * ones; // high bit: byte >= 'A'
    const std::uint64_t beyond_z = low7 + (0x7f - 'Z') * ones;   // high bit: byte > 'Z'
    const std::uint64_t capital = at_least_a & ~beyond_z & ~word & (0x80 * ones);
    return word | (capital >> 2);
}
static_assert(lower_ascii(0x5a41405b7a61ff00ull) == 0x7a61405b7a61ff00ull);

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

// The code of the keyword packed as `word`, `length` characters long.
inline TokenCode keyword_code(std::uint64_t word, std::size_t length) noexcept {
    if (length > kLongestKeyword) return TokenCode::None;
    const auto& bucket = kBuckets.entries[length];
    for (std::size_t i = 0; i < kBuckets.counts[length]; ++i)
        if (bucket[i].word == word) return bucket[i].code;
    return TokenCode::None;
}

} // namespace

TokenCode find_keyword(std::string_view lowercase_text) noexcept {
    if (lowercase_text.size() > kLongestKeyword) return TokenCode::None;
    return keyword_code(pack(lowercase_text), lowercase_text.size());
}

TokenType Interpreter::scan_token() {
    token_start_ = nullptr; // an error inside the scan must not leave a stale entry
    const TokenType type = scan_at(pc_);
    if (type != TokenType::String) {
        token_start_ = pc_ - token_.length;
        token_end_ = pc_;
    }
    return type;
}

TokenType Interpreter::scan_at(const char* p) {
    Token& t = token_;
    t.code = TokenCode::None;
    while (class_of(*p) & kBlank)
        ++p;
    const char c = *p;

    // One multi-way branch on the character's kind: the indirect jump predicts
    // the mix of token kinds in a statement better than a chain of tests.
    switch (kind_of(c)) {
    case Kind::Letter: {
        std::size_t n = 1;
        while (!(class_of(p[n]) & kTokenEnd))
            ++n;
        if (n > Token::kMaxLength) raise_token_too_long(p + Token::kMaxLength);
        t.length = static_cast<std::uint8_t>(n);
        pc_ = p + n;
        t.type = TokenType::Variable;
        if (n > sizeof(std::uint64_t)) [[unlikely]]
            return scan_long_identifier(p, n);
        // Up to eight characters: lowercased and classified as one word. The
        // padding after the program makes the whole-word load safe.
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if (n < sizeof word) word &= (std::uint64_t{1} << (8 * n)) - 1;
        word = lower_ascii(word);
        std::memcpy(t.text.data(), &word, sizeof word); // the zero bytes end the text
        t.text[sizeof word] = '\0';
        t.code = keyword_code(word, n);
        if (t.code != TokenCode::None) t.type = TokenType::Keyword;
        return t.type;
    }
    case Kind::Operator:
        t.text[0] = c;
        t.text[1] = '\0';
        t.length = 1;
        pc_ = p + 1;
        return t.type = TokenType::Delimiter;
    case Kind::Digit: {
        // The value is formed while copying, in wrapping 32-bit arithmetic,
        // from the digits before the first other character.
        std::size_t n = 0;
        std::uint32_t value = 0;
        bool in_digits = true;
        do {
            if (n == Token::kMaxLength) raise_token_too_long(p);
            const char d = p[n];
            in_digits = in_digits && (class_of(d) & kDigit);
            if (in_digits) value = value * 10u + static_cast<std::uint32_t>(d - '0');
            t.text[n] = d;
            ++n;
        } while (!(class_of(p[n]) & kTokenEnd));
        t.text[n] = '\0';
        t.length = static_cast<std::uint8_t>(n);
        t.number = wrap16(static_cast<std::int32_t>(value));
        pc_ = p + n;
        return t.type = TokenType::Number;
    }
    case Kind::LineEnd: {
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
    case Kind::End:
        pc_ = p; // stays on the NUL: every later read gives EndOfText again
        t.text[0] = '\0';
        t.length = 0;
        t.code = TokenCode::EndOfText;
        return t.type = TokenType::Delimiter;
    case Kind::Quote: return scan_string(p);
    case Kind::Other: break;
    }
    // A character that starts no token: nothing is consumed.
    pc_ = p;
    t.text[0] = '\0';
    t.length = 0;
    return t.type = TokenType::None;
}

// The quotation marks are not part of the text; a string ends at its line.
TokenType Interpreter::scan_string(const char* p) {
    Token& t = token_;
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

// An identifier too long to be a keyword or to fit in one word: a variable.
TokenType Interpreter::scan_long_identifier(const char* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        token_.text[i] = static_cast<char>(lower_ascii(static_cast<unsigned char>(p[i])));
    token_.text[n] = '\0';
    return token_.type;
}

void Interpreter::raise_token_too_long(const char* at) {
    pc_ = at;
    raise_error(kTokenTooLong);
}

void Interpreter::skip_to_next_line() noexcept {
    // Nothing reads past the first NUL, so the pointer never stands after it.
    const char* const end = program_.data() + program_.end_of_program();
    const void* lf = std::memchr(pc_, '\n', static_cast<std::size_t>(end - pc_));
    pc_ = lf ? static_cast<const char*>(lf) + 1 : end;
}

} // namespace marlinet::basic
