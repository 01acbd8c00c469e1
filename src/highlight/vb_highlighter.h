// The BASIC highlighter: apostrophe and "rem" comments, double-quoted
// strings, date literals between number signs, numbers, symbols and a fixed
// list of reserved words shown as keywords in any letter case.
//
// Every line is scanned on its own: no state carries from one line to the
// next, so the range stays 0. Scanning allocates nothing; only GetToken
// builds a string (GetTokenLength measures it without).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "highlight/custom_highlighter.h"

namespace marlinet::highlight {

// The values that GetTokenKind answers.
enum TtkTokenKind : std::uint8_t {
    tkComment = 0,
    tkIdentifier = 1,
    tkKey = 2,
    tkNull = 3, // end of line
    tkNumber = 4,
    tkSpace = 5,
    tkString = 6,
    tkSymbol = 7,
    tkUnknown = 8,
};

class TSynVBSyn : public TSynCustomHighlighter {
public:
    // Creates and styles the seven attributes, then fills the tables; none
    // of it notifies anybody.
    explicit TSynVBSyn(TComponent* AOwner);

    static const TSynHighlighterClassInfo& ClassInfo() noexcept;
    TSynCustomHighlighterClass ClassType() const noexcept override { return &ClassInfo(); }
    static std::string GetLanguageName() { return "Visual Basic"; }

    static constexpr std::string_view kDefaultFilter = "Visual Basic Files (*.bas)|*.bas";

    // ---- attributes, by the roles SYN_ATTR_COMMENT ... SYN_ATTR_SYMBOL ----
    TSynHighlighterAttributes* GetDefaultAttribute(int Index) const override;
    TSynHighlighterAttributes* CommentAttri() const noexcept { return comment_attri_; }
    TSynHighlighterAttributes* IdentifierAttri() const noexcept { return identifier_attri_; }
    TSynHighlighterAttributes* KeyAttri() const noexcept { return key_attri_; }
    TSynHighlighterAttributes* NumberAttri() const noexcept { return number_attri_; }
    TSynHighlighterAttributes* SpaceAttri() const noexcept { return space_attri_; }
    TSynHighlighterAttributes* StringAttri() const noexcept { return string_attri_; }
    TSynHighlighterAttributes* SymbolAttri() const noexcept { return symbol_attri_; }

    // ---- scanning protocol ----
    using TSynCustomHighlighter::SetLine;
    // Lines of 2 GiB or more are refused with std::length_error.
    void SetLine(const std::string& NewValue, int LineNumber) override;
    bool GetEol() const override { return token_id_ == tkNull; }
    void Next() override;
    std::string GetToken() const override;
    int GetTokenLength() const override { return run_ - token_pos_; }
    int GetTokenPos() const override { return token_pos_; }
    int GetTokenKind() const override { return token_id_; }
    TtkTokenKind GetTokenID() const noexcept { return token_id_; }
    TSynHighlighterAttributes* GetTokenAttribute() const override;
    bool ScansLinesIndependently() const override { return true; }

    // ---- description ----
    // The word characters of the editor's word operations: wider than what
    // the scanner takes as an identifier (bytes from 192 up count here).
    TSynIdentChars GetIdentChars() const override;
    std::string GetSampleSource() const override;
    // Only a filter that differs from kDefaultFilter is recorded.
    bool IsFilterStored() const override { return GetDefaultFilter() != kDefaultFilter; }

private:
    using TProcTableProc = void (TSynVBSyn::*)();
    using TIdentFuncTableFunc = TtkTokenKind (TSynVBSyn::*)();

    void InitIdent();
    void MakeMethodTables();

    // ---- keyword lookup ----
    // Walks the identifier at `ToHash`, sets its length and answers the sum
    // of its letter values. Unsigned, so that no identifier can overflow it.
    std::uint32_t KeyHash(const char* ToHash);
    // Whether the identifier being looked up is this word, ignoring case.
    bool KeyComp(std::string_view AKey) const noexcept;
    TtkTokenKind IdentKind(const char* MayBe);
    // The routine of the bucket of one hash value: tkKey for a word of the
    // bucket, tkComment (after scanning the comment) for "rem", else tkIdentifier.
    template <std::size_t Hash>
    TtkTokenKind Func();
    TtkTokenKind AltFunc() { return tkIdentifier; }
    template <std::size_t... Hash>
    static constexpr std::array<TIdentFuncTableFunc, sizeof...(Hash)>
        BucketRoutines(std::index_sequence<Hash...>);

    // ---- scanners: each consumes one token and sets its kind ----
    void NullProc();
    void SpaceProc();
    void LFProc();
    void CRProc();
    void StringProc();
    void DateProc();
    void SymbolProc();
    void ApostropheProc();
    void NumberProc();
    void LowerProc();
    void GreaterProc();
    void IdentProc();
    void UnknownProc();
    // Strings and dates: runs to the closing delimiter, or to the line end.
    void DelimitedProc(char Delimiter);
    char At(int Position) const noexcept { return line_[Position]; }
    static bool IsLineEnd(char c) noexcept { return c == '\0' || c == '\n' || c == '\r'; }

    const char* line_;    // NUL-terminated; the caller's text
    int line_number_ = 0; // as handed to SetLine; no scanner reads it
    std::array<TProcTableProc, 256> proc_table_{};
    int run_ = 0;        // first byte not yet consumed
    int string_len_ = 0; // length of the identifier being looked up
    const char* to_ident_ = nullptr;
    int token_pos_ = 0;
    TtkTokenKind token_id_ = tkNull;
    std::array<TIdentFuncTableFunc, 134> ident_func_table_{};

    TSynHighlighterAttributes* comment_attri_;
    TSynHighlighterAttributes* identifier_attri_;
    TSynHighlighterAttributes* key_attri_;
    TSynHighlighterAttributes* number_attri_;
    TSynHighlighterAttributes* space_attri_;
    TSynHighlighterAttributes* string_attri_;
    TSynHighlighterAttributes* symbol_attri_;
    // The attribute of each token kind (null for tkNull).
    std::array<TSynHighlighterAttributes*, tkUnknown + 1> token_attributes_{};
};

} // namespace marlinet::highlight
