// How TSynVBSyn cuts a line into tokens.
#include <string>

#include <gtest/gtest.h>

#include "highlight/vb_highlighter.h"
#include "token_dump.h"

namespace marlinet::highlight {
namespace {

using testing::ScanLine;

class VBScanner : public ::testing::Test {
protected:
    std::string Scan(const std::string& line) { return ScanLine(hl, line); }
    TSynVBSyn hl{nullptr};
};

TEST_F(VBScanner, EmptyLineIsAtOnceEndOfLine) {
    const std::string line;
    hl.SetLine(line, 0);
    EXPECT_TRUE(hl.GetEol());
    EXPECT_EQ(hl.GetTokenID(), tkNull);
    EXPECT_EQ(hl.GetTokenKind(), 3);
    EXPECT_EQ(hl.GetTokenPos(), 0);
    EXPECT_EQ(hl.GetToken(), "");
    EXPECT_EQ(hl.GetTokenAttribute(), nullptr);
}

TEST_F(VBScanner, NextAfterEndOfLineStaysPut) {
    const std::string line = "x";
    hl.SetLine(line, 0);
    hl.NextToEol();
    for (int i = 0; i < 3; ++i) {
        hl.Next();
        EXPECT_TRUE(hl.GetEol());
        EXPECT_EQ(hl.GetTokenPos(), 1);
        EXPECT_EQ(hl.GetToken(), "");
    }
}

TEST_F(VBScanner, KeywordsInAnyCaseAndIdentifiersThatMerelyStartLikeOne) {
    EXPECT_EQ(Scan("PRINT X"), "key[PRINT] sp[ ] id[X]");
    EXPECT_EQ(Scan("Print print"), "key[Print] sp[ ] key[print]");
    EXPECT_EQ(Scan("PRINTX print2 _print"), "id[PRINTX] sp[ ] id[print2] sp[ ] id[_print]");
    EXPECT_EQ(Scan("end with"), "key[end] sp[ ] key[with]");
    EXPECT_EQ(Scan("rdac wradc"), "key[rdac] sp[ ] key[wradc]");
}

TEST_F(VBScanner, TypicalStatementLine) {
    EXPECT_EQ(Scan("IF H<11 THEN GOTO 200"),
              "key[IF] sp[ ] id[H] sym[<] num[11] sp[ ] key[THEN] sp[ ] key[GOTO] sp[ ] num[200]");
}

TEST_F(VBScanner, TokenPositionsAreZeroBasedOffsets) {
    const std::string line = "10 LET A=1";
    std::string positions;
    for (hl.SetLine(line, 7); !hl.GetEol(); hl.Next())
        positions += std::to_string(hl.GetTokenPos()) + ",";
    EXPECT_EQ(positions, "0,2,3,6,7,8,9,");
    EXPECT_EQ(hl.GetTokenPos(), 10);
}

TEST_F(VBScanner, RemStartsACommentOnlyAsAWholeWord) {
    EXPECT_EQ(Scan("10 REM hello"), "num[10] sp[ ] com[REM hello]");
    EXPECT_EQ(Scan("10rem x"), "num[10] com[rem x]");
    EXPECT_EQ(Scan("rem"), "com[rem]");
    EXPECT_EQ(Scan("a=1:rem:b"), "id[a] sym[=] num[1] sym[:] com[rem:b]");
    EXPECT_EQ(Scan("remark rem1 Rem_"), "id[remark] sp[ ] id[rem1] sp[ ] id[Rem_]");
}

TEST_F(VBScanner, ApostropheCommentRunsToTheLineEndButNotPastIt) {
    EXPECT_EQ(Scan("x = 1 ' note"), "id[x] sp[ ] sym[=] sp[ ] num[1] sp[ ] com[' note]");
    EXPECT_EQ(Scan("'a\r\nb"), "com['a] sp[\\x0D\\x0A] id[b]");
    EXPECT_EQ(Scan("rem a\nb"), "com[rem a] sp[\\x0A] id[b]");
    EXPECT_EQ(Scan("'"), "com[']");
}

TEST_F(VBScanner, ComparisonOperatorsPairOnlyAsDescribed) {
    EXPECT_EQ(Scan("a<>b"), "id[a] sym[<>] id[b]");
    EXPECT_EQ(Scan("a<=b"), "id[a] sym[<=] id[b]");
    EXPECT_EQ(Scan("a>=b"), "id[a] sym[>=] id[b]");
    EXPECT_EQ(Scan("a=<b"), "id[a] sym[=] sym[<] id[b]");
    EXPECT_EQ(Scan("a>>b"), "id[a] sym[>] sym[>] id[b]");
    EXPECT_EQ(Scan("a><b"), "id[a] sym[>] sym[<] id[b]");
    EXPECT_EQ(Scan("<<="), "sym[<] sym[<=]");
}

TEST_F(VBScanner, EverySymbolCharacterIsATokenOfItsOwn) {
    EXPECT_EQ(Scan("**"), "sym[*] sym[*]");
    EXPECT_EQ(Scan("&()*+,-./:;=^{}"),
              "sym[&] sym[(] sym[)] sym[*] sym[+] sym[,] sym[-] sym[.] sym[/] sym[:] sym[;] "
              "sym[=] sym[^] sym[{] sym[}]");
}

TEST_F(VBScanner, NumbersTakeDigitsDotsAndExponentLettersOnly) {
    EXPECT_EQ(Scan("1.5e3"), "num[1.5e3]");
    EXPECT_EQ(Scan("1e-5"), "num[1e] sym[-] num[5]");
    EXPECT_EQ(Scan(".5"), "sym[.] num[5]");
    EXPECT_EQ(Scan("&h4c"), "sym[&] id[h4c]");
    EXPECT_EQ(Scan("1.2.3E"), "num[1.2.3E]");
    EXPECT_EQ(Scan("12abc"), "num[12] id[abc]");
    EXPECT_EQ(Scan("0x1F"), "num[0] id[x1F]");
}

TEST_F(VBScanner, StringsKeepTheirQuotes) {
    EXPECT_EQ(Scan("PRINT \"hello\""), "key[PRINT] sp[ ] str[\"hello\"]");
    EXPECT_EQ(Scan("\"\""), "str[\"\"]");
    EXPECT_EQ(Scan("\"a\"\"b\""), "str[\"a\"] str[\"b\"]");
    EXPECT_EQ(Scan("\"\"\"x\""), "str[\"\"\"x\"]");
    EXPECT_EQ(Scan("\"'not a comment\"x"), "str[\"'not a comment\"] id[x]");
}

TEST_F(VBScanner, UnterminatedStringsAndDatesRunToTheLineEnd) {
    EXPECT_EQ(Scan("PRINT \"abc"), "key[PRINT] sp[ ] str[\"abc]");
    EXPECT_EQ(Scan("\""), "str[\"]");
    EXPECT_EQ(Scan("\"\"\""), "str[\"\"\"]");
    EXPECT_EQ(Scan("x #"), "id[x] sp[ ] str[#]");
    EXPECT_EQ(Scan("#1/2"), "str[#1/2]");
}

TEST_F(VBScanner, DateLiteralsAreStringTokens) {
    EXPECT_EQ(Scan("#1/2/2000#"), "str[#1/2/2000#]");
    EXPECT_EQ(Scan("d=#1/2/3#+1"), "id[d] sym[=] str[#1/2/3#] sym[+] num[1]");
    // No special case for doubled delimiters in dates.
    EXPECT_EQ(Scan("###"), "str[##] str[#]");
}

TEST_F(VBScanner, AStringStopsAtALineBreakAndTakesItAlong) {
    // Lines from the editor never hold line breaks; raw text still scans
    // without reading past the terminator.
    EXPECT_EQ(Scan("\"ab\nc"), "str[\"ab\\x0A] id[c]");
    EXPECT_EQ(Scan("\"ab\r\nc"), "str[\"ab\\x0D] sp[\\x0A] id[c]");
}

TEST_F(VBScanner, StrayCharactersAreUnknownTokensOfOneByte) {
    EXPECT_EQ(Scan("@!$%?[]|~`\\"),
              "unk[@] unk[!] unk[$] unk[%] unk[?] unk[[] unk[]] unk[|] unk[~] unk[`] unk[\\\\]");
    EXPECT_EQ(Scan("\x7F\x80\xC9\xFF"), "unk[\\x7F] unk[\\x80] unk[\\xC9] unk[\\xFF]");
    EXPECT_EQ(Scan("A$=\"x\""), "id[A] unk[$] sym[=] str[\"x\"]");
}

TEST_F(VBScanner, BlanksAndControlCharactersFormOneSpaceToken) {
    EXPECT_EQ(Scan(" \t \x01\x1F x"), "sp[ \\x09 \\x01\\x1F ] id[x]");
    EXPECT_EQ(Scan("\t\r\n\n\r\r"), "sp[\\x09] sp[\\x0D\\x0A] sp[\\x0A] sp[\\x0D] sp[\\x0D]");
}

TEST_F(VBScanner, EmbeddedNulEndsTheScan) {
    const std::string line("PRINT\0X", 7);
    EXPECT_EQ(Scan(line), "key[PRINT]");
    hl.SetLine(line, 0);
    hl.NextToEol();
    EXPECT_EQ(hl.GetTokenPos(), 5);
}

TEST_F(VBScanner, TokensMapToTheirAttributes) {
    struct Case {
        const char* line;
        TSynHighlighterAttributes* attribute;
    } cases[] = {
        {"'c", hl.CommentAttri()},   {"x", hl.IdentifierAttri()}, {"@", hl.IdentifierAttri()},
        {"goto", hl.KeyAttri()},     {"7", hl.NumberAttri()},     {" ", hl.SpaceAttri()},
        {"\"s\"", hl.StringAttri()}, {"#d#", hl.StringAttri()},   {"+", hl.SymbolAttri()},
    };
    for (const Case& c : cases) {
        const std::string line = c.line;
        hl.SetLine(line, 0);
        EXPECT_EQ(hl.GetTokenAttribute(), c.attribute) << line;
    }
}

TEST_F(VBScanner, ANewLineAbandonsTheScanInProgress) {
    const std::string first = "abc def";
    const std::string second = "10";
    hl.SetLine(first, 0);
    hl.SetLine(second, 1);
    EXPECT_EQ(hl.GetTokenID(), tkNumber);
    EXPECT_EQ(hl.GetToken(), "10");
    hl.Next();
    EXPECT_TRUE(hl.GetEol());
}

TEST_F(VBScanner, KeepsNoRangeBetweenLines) {
    const std::string line = "\"open string";
    hl.SetLine(line, 0);
    hl.NextToEol();
    EXPECT_EQ(hl.GetRange(), 0);
    hl.SetRange(42);
    EXPECT_EQ(hl.GetRange(), 0);
    hl.ResetRange();
    EXPECT_EQ(hl.GetRange(), 0);
}

TEST_F(VBScanner, ScansThroughTheBaseInterfaceLikeAnEditor) {
    TSynCustomHighlighter& base = hl;
    const std::string line = "FOR I=1 TO 9";
    base.ResetRange();
    base.SetLine(line, 0);
    std::string rebuilt;
    while (!base.GetEol()) {
        EXPECT_EQ(base.GetTokenPos(), static_cast<int>(rebuilt.size()));
        rebuilt += base.GetToken();
        base.Next();
    }
    EXPECT_EQ(rebuilt, line);
}

} // namespace
} // namespace marlinet::highlight
