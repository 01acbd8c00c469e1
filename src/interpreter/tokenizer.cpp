// Tokenizer: scanning a token from the program text into the token memo,
// keyword look-up, and the current token's text.
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
        buckets.entries[len][buckets.counts[len]++] = {pack_head(k.name), k.code};
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

inline char lower_char(char c) noexcept {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c;
}

// What a scan found: the token, with `end` counted from its first character
// until the blanks before it are added; or an error found at that character.
struct Scan {
    DecodedToken token;
    int error = kNoError;
};

constexpr Scan scanned(TokenType type, std::size_t length, std::size_t end, char first,
                       TokenCode code = TokenCode::None) noexcept {
    DecodedToken t;
    t.type = static_cast<std::uint8_t>(type);
    t.code = code;
    t.length = static_cast<std::uint8_t>(length);
    t.end = static_cast<std::uint8_t>(end);
    t.first = first;
    return {t};
}

constexpr Scan failed(int error) noexcept {
    Scan scan = scanned(TokenType::None, 0, 0, '\0');
    scan.error = error;
    return scan;
}

// Letters, digits and everything else up to a token-ending character; a
// keyword when the whole lowercased text is one.
Scan scan_identifier(const char* p) noexcept {
    std::size_t n = 1;
    while (!(class_of(p[n]) & kTokenEnd))
        ++n;
    if (n > Token::kMaxLength) return failed(kTokenTooLong);
    Scan scan = scanned(TokenType::Variable, n, n, lower_char(p[0]));
    if (n > kLongestKeyword) return scan;
    // The padding after the program makes the whole-word load safe.
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    word = lower_ascii(word & ((std::uint64_t{1} << (8 * n)) - 1));
    scan.token.code = keyword_code(word, n);
    if (scan.token.code != TokenCode::None)
        scan.token.type = static_cast<std::uint8_t>(TokenType::Keyword);
    return scan;
}

// Digits and whatever follows them up to a token-ending character. The value
// is that of the leading digits, formed in wrapping 32-bit arithmetic.
Scan scan_number(const char* p) noexcept {
    std::size_t n = 0;
    std::uint32_t value = 0;
    bool in_digits = true;
    do {
        if (n == Token::kMaxLength) return failed(kTokenTooLong);
        in_digits = in_digits && (class_of(p[n]) & kDigit);
        if (in_digits) value = value * 10u + static_cast<std::uint32_t>(p[n] - '0');
        ++n;
    } while (!(class_of(p[n]) & kTokenEnd));
    Scan scan = scanned(TokenType::Number, n, n, p[0]);
    scan.token.number = wrap16(static_cast<std::int32_t>(value));
    return scan;
}

// The quotation marks are not part of the text; a string ends at its line,
// and at the first NUL, which ends the program.
Scan scan_string(const char* p) noexcept {
    const char* const s = p + 1;
    std::size_t n = 0;
    while (s[n] != '"' && s[n] != '\r' && s[n] != '\0') {
        if (n == Token::kMaxLength) return failed(kTokenTooLong);
        ++n;
    }
    if (s[n] != '"') return failed(kUnbalancedParentheses);
    return scanned(TokenType::String, n, n + 2, n ? s[0] : '\0');
}

// A loaded program has LF after every CR; over one character only if not,
// so a reader never passes the final NUL.
Scan scan_line_end(const char* p) noexcept {
    const std::size_t n = p[1] == '\n' ? 2 : 1;
    return scanned(TokenType::Delimiter, n, n, '\r', TokenCode::EndOfLine);
}

// The token that starts at `p`, where no blank stands.
Scan scan_token(const char* p) noexcept {
    switch (kind_of(*p)) {
    case Kind::Letter: return scan_identifier(p);
    case Kind::Operator: return scanned(TokenType::Delimiter, 1, 1, *p);
    case Kind::Digit: return scan_number(p);
    case Kind::LineEnd: return scan_line_end(p);
    // The pointer stays on the NUL: every later read gives EndOfText again.
    case Kind::End: return scanned(TokenType::Delimiter, 0, 0, '\0', TokenCode::EndOfText);
    case Kind::Quote: return scan_string(p);
    case Kind::Other: break;
    }
    // A character that starts no token: nothing after the blanks is consumed.
    return scanned(TokenType::None, 0, 0, '\0');
}

std::size_t count_blanks(const char* p) noexcept {
    std::size_t n = 0;
    while (class_of(p[n]) & kBlank)
        ++n;
    return n;
}

bool is_identifier(TokenType type) noexcept {
    return type == TokenType::Variable || type == TokenType::Keyword;
}

} // namespace

TokenCode find_keyword(std::string_view lowercase_text) noexcept {
    if (lowercase_text.size() > kLongestKeyword) return TokenCode::None;
    return keyword_code(pack_head(lowercase_text), lowercase_text.size());
}

DecodedToken& Interpreter::decode_at_pointer() {
    const char* const text = program_.data();
    std::size_t blanks = count_blanks(text + pc_);
    if (blanks > TokenMemo::kMaxBlanks) {
        // Too many blanks for an entry to count: they are stepped over at each
        // read from here, and the token after them is remembered at its own place.
        pc_ += blanks;
        blanks = 0;
        if (memo_.at(pc_).decoded()) return memo_.at(pc_);
    }
    Scan scan = scan_token(text + pc_ + blanks);
    scan.token.end = static_cast<std::uint8_t>(scan.token.end + blanks);
    if (scan.error != kNoError) raise_error_at(scan.error, pc_ + scan.token.start());
    DecodedToken& entry = memo_.at(pc_);
    entry = scan.token;
    return entry;
}

std::size_t Interpreter::token_position() const noexcept {
    return current_ == &no_token_ ? pc_ : read_at_ + current_->start();
}

std::string_view Interpreter::token_text() {
    if (current_ == &no_token_) return {};
    const char* const text = program_.data() + read_at_ + current_->text_start();
    if (!is_identifier(current_->token_type())) return {text, current_->length};
    for (std::size_t i = 0; i < current_->length; ++i)
        identifier_text_[i] = lower_char(text[i]);
    return {identifier_text_.data(), current_->length};
}

Token Interpreter::token() const {
    Token t;
    t.type = current_->token_type();
    t.code = current_->code;
    t.length = current_->length;
    t.number = current_->number;
    const char* const text = program_.data() + read_at_ + current_->text_start();
    const bool identifier = is_identifier(t.type);
    for (std::size_t i = 0; i < t.length; ++i)
        t.text[i] = identifier ? lower_char(text[i]) : text[i];
    t.text[t.length] = '\0';
    return t;
}

} // namespace marlinet::basic
