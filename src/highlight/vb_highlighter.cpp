#include "highlight/vb_highlighter.h"

#include <climits>
#include <stdexcept>
#include <utility>

#include "highlight/vb_keywords.h"

namespace marlinet::highlight {

namespace {

constexpr unsigned char Byte(char c) noexcept {
    return static_cast<unsigned char>(c);
}

// Lead bytes of double-byte characters: text is single-byte here, so the set
// is empty and every unknown character is a token of one byte.
constexpr TSynIdentChars kLeadBytes{};

constexpr const char* kEmptyLine = "";

// Bytes that continue a run of blanks: the control characters and the blank,
// except the line ends.
constexpr std::array<bool, 256> kSpaceRun = [] {
    std::array<bool, 256> table{};
    for (int c = 1; c <= ' '; ++c)
        table[static_cast<std::size_t>(c)] = c != '\n' && c != '\r';
    return table;
}();

// Bytes that continue a number.
constexpr std::array<bool, 256> kNumberChar = [] {
    std::array<bool, 256> table{};
    for (int c = '0'; c <= '9'; ++c)
        table[static_cast<std::size_t>(c)] = true;
    table['.'] = table['e'] = table['E'] = true;
    return table;
}();

} // namespace

const TSynHighlighterClassInfo& TSynVBSyn::ClassInfo() noexcept {
    static const TSynHighlighterClassInfo info{
        "TSynVBSyn", &TSynCustomHighlighter::ClassInfo(), &TSynVBSyn::GetLanguageName,
        &TSynVBSyn::GetCapabilities,
        [](TComponent* AOwner) -> std::unique_ptr<TSynCustomHighlighter> {
            return std::make_unique<TSynVBSyn>(AOwner);
        }};
    return info;
}

TSynVBSyn::TSynVBSyn(TComponent* AOwner) : TSynCustomHighlighter(AOwner), line_(kEmptyLine) {
    auto add = [this](const char* name, TFontStyles style) {
        TSynHighlighterAttributes* attribute =
            AddAttribute(std::make_unique<TSynHighlighterAttributes>(name));
        attribute->SetStyle(style);
        return attribute;
    };
    comment_attri_ = add("Comment", fsItalic);
    identifier_attri_ = add("Identifier", {});
    key_attri_ = add("Reserved Word", fsBold);
    number_attri_ = add("Number", {});
    space_attri_ = add("Space", {});
    string_attri_ = add("String", {});
    symbol_attri_ = add("Symbol", {});
    token_attributes_[tkComment] = comment_attri_;
    token_attributes_[tkIdentifier] = identifier_attri_;
    token_attributes_[tkKey] = key_attri_;
    token_attributes_[tkNull] = nullptr;
    token_attributes_[tkNumber] = number_attri_;
    token_attributes_[tkSpace] = space_attri_;
    token_attributes_[tkString] = string_attri_;
    token_attributes_[tkSymbol] = symbol_attri_;
    token_attributes_[tkUnknown] = identifier_attri_;
    TSynCustomHighlighter* self = this;
    SetAttributesOnChange(TNotifyEvent::Of<&TSynCustomHighlighter::DefHighlightChange>(self));
    InitIdent();
    MakeMethodTables();
    SetDefaultFilter(std::string(kDefaultFilter));
}

// ---- tables ----

template <std::size_t... Hash>
constexpr std::array<TSynVBSyn::TIdentFuncTableFunc, sizeof...(Hash)>
TSynVBSyn::BucketRoutines(std::index_sequence<Hash...>) {
    return {(vb::kBuckets[Hash].count > 0 ? &TSynVBSyn::Func<Hash> : &TSynVBSyn::AltFunc)...};
}

void TSynVBSyn::InitIdent() {
    static constexpr auto routines =
        BucketRoutines(std::make_index_sequence<static_cast<std::size_t>(vb::kBucketCount)>());
    ident_func_table_.fill(&TSynVBSyn::AltFunc);
    for (std::size_t hash = 0; hash < ident_func_table_.size(); ++hash)
        if (vb::kBuckets[hash].count > 0) ident_func_table_[hash] = routines[hash];
}

void TSynVBSyn::MakeMethodTables() {
    for (int c = 0; c < 256; ++c) {
        TProcTableProc proc = &TSynVBSyn::UnknownProc;
        switch (c) {
        case 0: proc = &TSynVBSyn::NullProc; break;
        case '\n': proc = &TSynVBSyn::LFProc; break;
        case '\r': proc = &TSynVBSyn::CRProc; break;
        case '"': proc = &TSynVBSyn::StringProc; break;
        case '#': proc = &TSynVBSyn::DateProc; break;
        case '\'': proc = &TSynVBSyn::ApostropheProc; break;
        case '<': proc = &TSynVBSyn::LowerProc; break;
        case '>': proc = &TSynVBSyn::GreaterProc; break;
        case '&':
        case '(':
        case ')':
        case '*':
        case '+':
        case ',':
        case '-':
        case '.':
        case '/':
        case ':':
        case ';':
        case '=':
        case '^':
        case '{':
        case '}': proc = &TSynVBSyn::SymbolProc; break;
        default:
            if (c <= ' ')
                proc = &TSynVBSyn::SpaceProc;
            else if (c >= '0' && c <= '9')
                proc = &TSynVBSyn::NumberProc;
            else if (vb::kIdentifierChar[static_cast<std::size_t>(c)])
                proc = &TSynVBSyn::IdentProc;
        }
        proc_table_[static_cast<std::size_t>(c)] = proc;
    }
}

// ---- keyword lookup ----

std::uint32_t TSynVBSyn::KeyHash(const char* ToHash) {
    std::uint32_t hash = 0;
    const char* p = ToHash;
    for (std::int8_t step; (step = vb::kHashStep[Byte(*p)]) >= 0; ++p)
        hash += static_cast<std::uint32_t>(step);
    string_len_ = static_cast<int>(p - ToHash);
    return hash;
}

bool TSynVBSyn::KeyComp(std::string_view AKey) const noexcept {
    if (static_cast<int>(AKey.size()) != string_len_) return false;
    for (std::size_t i = 0; i < AKey.size(); ++i)
        if (vb::kLetterValue[Byte(to_ident_[i])] != vb::kLetterValue[Byte(AKey[i])]) return false;
    return true;
}

template <std::size_t Hash>
TtkTokenKind TSynVBSyn::Func() {
    constexpr vb::Bucket bucket = vb::kBuckets[Hash];
    for (std::size_t i = bucket.first; i < bucket.first + bucket.count; ++i) {
        const vb::Keyword& keyword = vb::kKeywords[i];
        if (!KeyComp(keyword.word)) continue;
        if (!keyword.starts_comment) return tkKey;
        // The comment token starts at the word and takes the rest of the
        // line; the identifier then covers nothing more.
        ApostropheProc();
        string_len_ = 0;
        return tkComment;
    }
    return tkIdentifier;
}

TtkTokenKind TSynVBSyn::IdentKind(const char* MayBe) {
    to_ident_ = MayBe;
    const std::uint32_t hash = KeyHash(MayBe);
    if (hash < ident_func_table_.size()) return (this->*ident_func_table_[hash])();
    return tkIdentifier;
}

// ---- scanning ----

void TSynVBSyn::SetLine(const std::string& NewValue, int LineNumber) {
    // Offsets are ints; a line must leave room for the terminator.
    if (NewValue.size() >= static_cast<std::size_t>(INT_MAX))
        throw std::length_error("Line too long to highlight");
    line_ = NewValue.c_str();
    line_number_ = LineNumber;
    run_ = 0;
    Next();
}

void TSynVBSyn::Next() {
    token_pos_ = run_;
    (this->*proc_table_[Byte(At(run_))])();
}

std::string TSynVBSyn::GetToken() const {
    return std::string(line_ + token_pos_, static_cast<std::size_t>(run_ - token_pos_));
}

void TSynVBSyn::NullProc() {
    token_id_ = tkNull;
}

void TSynVBSyn::SpaceProc() {
    token_id_ = tkSpace;
    ++run_;
    while (kSpaceRun[Byte(At(run_))])
        ++run_;
}

void TSynVBSyn::LFProc() {
    token_id_ = tkSpace;
    ++run_;
}

void TSynVBSyn::CRProc() {
    token_id_ = tkSpace;
    ++run_;
    if (At(run_) == '\n') ++run_;
}

void TSynVBSyn::DelimitedProc(char Delimiter) {
    token_id_ = tkString;
    for (;;) {
        if (IsLineEnd(At(run_))) break;
        ++run_;
        if (At(run_) == Delimiter) break;
    }
    // The closing delimiter; an unterminated token stops at the line end.
    if (At(run_) != '\0') ++run_;
}

void TSynVBSyn::StringProc() {
    // Three quotes in a row open a string that starts with a quote.
    if (At(run_ + 1) == '"' && At(run_ + 2) == '"') run_ += 2;
    DelimitedProc('"');
}

void TSynVBSyn::DateProc() {
    DelimitedProc('#');
}

void TSynVBSyn::SymbolProc() {
    token_id_ = tkSymbol;
    ++run_;
}

void TSynVBSyn::ApostropheProc() {
    token_id_ = tkComment;
    while (!IsLineEnd(At(run_)))
        ++run_;
}

void TSynVBSyn::NumberProc() {
    token_id_ = tkNumber;
    ++run_;
    while (kNumberChar[Byte(At(run_))])
        ++run_;
}

void TSynVBSyn::LowerProc() {
    token_id_ = tkSymbol;
    ++run_;
    if (At(run_) == '=' || At(run_) == '>') ++run_;
}

void TSynVBSyn::GreaterProc() {
    token_id_ = tkSymbol;
    ++run_;
    if (At(run_) == '=') ++run_;
}

void TSynVBSyn::IdentProc() {
    token_id_ = IdentKind(line_ + run_);
    run_ += string_len_;
    while (vb::kIdentifierChar[Byte(At(run_))])
        ++run_;
}

void TSynVBSyn::UnknownProc() {
    token_id_ = tkUnknown;
    // A lead byte takes its trail byte along, but never the terminator.
    if (kLeadBytes.Contains(At(run_)) && At(run_ + 1) != '\0') ++run_;
    ++run_;
}

// ---- attributes and description ----

TSynHighlighterAttributes* TSynVBSyn::GetDefaultAttribute(int Index) const {
    switch (Index) {
    case SYN_ATTR_COMMENT: return comment_attri_;
    case SYN_ATTR_IDENTIFIER: return identifier_attri_;
    case SYN_ATTR_KEYWORD: return key_attri_;
    case SYN_ATTR_STRING: return string_attri_;
    case SYN_ATTR_WHITESPACE: return space_attri_;
    case SYN_ATTR_SYMBOL: return symbol_attri_;
    default: return nullptr;
    }
}

TSynHighlighterAttributes* TSynVBSyn::GetTokenAttribute() const {
    // A lookup, not a switch: the painter asks for every token, and token
    // kinds follow each other too irregularly for a jump to be predicted.
    return token_attributes_[token_id_];
}

TSynIdentChars TSynVBSyn::GetIdentChars() const {
    return TSynIdentChars()
        .IncludeRange('0', '9')
        .IncludeRange('A', 'Z')
        .Include('_')
        .IncludeRange('a', 'z')
        .IncludeRange(192, 214)
        .IncludeRange(216, 246)
        .IncludeRange(248, 255);
}

std::string TSynVBSyn::GetSampleSource() const {
    return "' Syntax highlighting\r\n"
           "Function PrintNumber\r\n"
           "  Dim Number\r\n"
           "  Dim X\r\n"
           "\r\n"
           "  Number = 123456\r\n"
           "  Response.Write \"The number is \" & number\r\n"
           "\r\n"
           "  For I = 0 To Number\r\n"
           "    X = X + &h4c\r\n"
           "    X = X - &o8\r\n"
           "    X = X + 1.0\r\n"
           "  Next\r\n"
           "\r\n"
           "  I = I + @;  ' illegal character\r\n"
           "End Function";
}

} // namespace marlinet::highlight
