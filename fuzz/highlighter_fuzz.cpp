// Fuzz target: the BASIC highlighter scans arbitrary lines.
//
// The input is scanned whole, as one line (line breaks and NULs included, as
// a line of a binary file reaches the painter), and then line by line as the
// line store would split it, all on one highlighter. What must hold for any
// line:
// - the tokens cover the line from offset 0 without gaps or overlaps, each at
//   least one byte long, and the scan ends at the first NUL or the end;
// - GetToken is the text between the token's position and the next one's;
// - the kind is one of the table and the attribute is the one of its kind;
// - a word is a keyword exactly when it is in the keyword list, in any case,
//   and a comment that does not start with an apostrophe starts with "rem";
// - once at the end, Next stays there;
// - no line leaves anything behind: a fresh highlighter scans a line exactly
//   as the one that has scanned every other line.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "highlight/vb_highlighter.h"
#include "highlight/vb_keywords.h"

namespace {

using namespace marlinet::highlight;

void fail(const char* what) {
    marlinet::fuzz::fail("highlighter", what);
}

struct Token {
    int pos;
    int kind;
    bool operator==(const Token&) const = default;
};

const std::set<std::string, std::less<>>& keywords() {
    static const std::set<std::string, std::less<>> words = [] {
        std::set<std::string, std::less<>> set;
        for (const vb::Keyword& k : vb::kKeywords)
            if (!k.starts_comment) set.emplace(k.word);
        return set;
    }();
    return words;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool is_word_byte(char c) {
    return vb::kIdentifierChar[static_cast<unsigned char>(c)];
}

// The attribute each kind must be painted with.
TSynHighlighterAttributes* attribute_of(const TSynVBSyn& h, int kind) {
    switch (kind) {
    case tkComment: return h.CommentAttri();
    case tkIdentifier:
    case tkUnknown: return h.IdentifierAttri();
    case tkKey: return h.KeyAttri();
    case tkNumber: return h.NumberAttri();
    case tkSpace: return h.SpaceAttri();
    case tkString: return h.StringAttri();
    case tkSymbol: return h.SymbolAttri();
    default: return nullptr;
    }
}

void check_token(const TSynVBSyn& h, std::string_view text) {
    const int kind = h.GetTokenKind();
    if (kind < tkComment || kind > tkUnknown || kind == tkNull) fail("a kind outside the table");
    if (h.GetTokenAttribute() != attribute_of(h, kind)) fail("the attribute is not its kind's");
    if (kind == tkKey || kind == tkIdentifier) {
        if (!is_word_byte(text.front())) return; // a word starts with a word byte
        const bool listed = keywords().contains(lower(text));
        if (listed != (kind == tkKey)) fail("a keyword missed, or a word taken for one");
    }
    if (kind == tkComment && text.front() != '\'') {
        if (text.size() < 3 || lower(text.substr(0, 3)) != "rem" ||
            (text.size() > 3 && is_word_byte(text[3])))
            fail("a comment that starts with neither an apostrophe nor rem");
    }
}

std::vector<Token> scan(TSynVBSyn& h, const std::string& line, int index) {
    h.SetLine(line, index);
    const std::size_t nul = line.find('\0');
    const int end = static_cast<int>(nul == std::string::npos ? line.size() : nul);
    std::vector<Token> tokens;
    int expected = 0;
    while (!h.GetEol()) {
        const int pos = h.GetTokenPos();
        const int length = h.GetTokenLength();
        if (pos != expected) fail("a gap or an overlap between tokens");
        if (length < 1 || pos + length > end) fail("a token empty or past the end of the line");
        const std::string text = h.GetToken();
        if (text != std::string_view(line).substr(static_cast<std::size_t>(pos),
                                                  static_cast<std::size_t>(length)))
            fail("GetToken is not the text of the token");
        check_token(h, text);
        tokens.push_back({pos, h.GetTokenKind()});
        expected = pos + length;
        h.Next();
        if (tokens.size() > line.size()) fail("more tokens than bytes");
    }
    if (h.GetTokenPos() != end || expected != end) fail("the scan did not end at the line's end");
    if (!h.GetToken().empty() || h.GetTokenAttribute() != nullptr) fail("a token at the end");
    h.Next();
    if (!h.GetEol() || h.GetTokenPos() != end) fail("Next moved on from the end of the line");
    return tokens;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static TSynVBSyn highlighter(nullptr);
    const std::string text(reinterpret_cast<const char*>(data), size);

    const std::vector<Token> whole = scan(highlighter, text, 0);
    int index = 1;
    for (std::string_view piece : marlinet::fuzz::split_lines(text))
        scan(highlighter, std::string(piece), index++);

    TSynVBSyn fresh(nullptr);
    if (scan(fresh, text, 0) != whole) fail("a line scanned differently after other lines");
    return 0;
}
