#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_host.h"

namespace marlinet::basic {
namespace {

using testing::BasicRun;

// Reads every token of a program up to EndOfText, as "type:text" strings.
class Tokens : public ::testing::Test {
protected:
    BasicRun r;

    void load(std::string_view program) {
        r.interpreter.set_program(ProgramBuffer::from_file_bytes(program));
    }
    std::string next() {
        const TokenType type = r.interpreter.read_token();
        const Token& t = r.interpreter.token();
        std::string text(t.view());
        if (t.code == TokenCode::EndOfLine) text = "EOL";
        if (t.code == TokenCode::EndOfText) text = "EOT";
        const char* names[] = {"none", "delim", "var", "num", "kw", "?", "str"};
        return std::string(names[static_cast<int>(type)]) + ":" + text;
    }
    std::vector<std::string> all(std::string_view program) {
        load(program);
        std::vector<std::string> out;
        for (int guard = 0; guard < 1000; ++guard) {
            out.push_back(next());
            if (out.back() == "delim:EOT" || out.back().rfind("none", 0) == 0) break;
        }
        return out;
    }
};

TEST_F(Tokens, KeywordsInAnyCaseOnlyAsWholeIdentifiers) {
    EXPECT_EQ(all("GOTO GoTo goto gotox STOPE"),
              (std::vector<std::string>{"kw:goto", "kw:goto", "kw:goto", "var:gotox", "var:stope",
                                        "delim:EOL", "delim:EOL", "delim:EOT"}));
    for (const Keyword& k : kKeywordTable) {
        if (k.name.empty()) continue;
        load(k.name);
        r.interpreter.read_token();
        EXPECT_EQ(r.interpreter.token().type, TokenType::Keyword) << k.name;
        EXPECT_EQ(r.interpreter.token().code, k.code) << k.name;
    }
}

TEST_F(Tokens, KeywordLookupMatchesTheTableExactly) {
    for (const Keyword& k : kKeywordTable) {
        if (k.name.empty()) continue;
        EXPECT_EQ(find_keyword(k.name), k.code);
        std::string longer(k.name);
        longer += 'x';
        EXPECT_EQ(find_keyword(longer), TokenCode::None) << longer;
        EXPECT_EQ(find_keyword(k.name.substr(0, k.name.size() - 1)), TokenCode::None);
    }
    EXPECT_EQ(find_keyword(""), TokenCode::None);
    EXPECT_EQ(find_keyword("a"), TokenCode::None);
}

TEST_F(Tokens, OperatorsAreSingleCharacterTokens) {
    EXPECT_EQ(all("<>=;"), (std::vector<std::string>{"delim:<", "delim:>", "delim:=", "delim:;",
                                                     "delim:EOL", "delim:EOL", "delim:EOT"}));
}

TEST_F(Tokens, NumbersAndIdentifiersRunToATokenEndingCharacter) {
    EXPECT_EQ(
        all("007 12AB 3.5 x1$ a\"b\" 9+"),
        (std::vector<std::string>{"num:007", "num:12AB", "num:3.5", "var:x1$", "var:a\"b\"",
                                  "num:9", "delim:+", "delim:EOL", "delim:EOL", "delim:EOT"}));
}

TEST_F(Tokens, StringsKeepTheirCaseBlanksAndDelimiters) {
    EXPECT_EQ(
        all("\"A, b; C \"\"\""),
        (std::vector<std::string>{"str:A, b; C ", "str:", "delim:EOL", "delim:EOL", "delim:EOT"}));
}

TEST_F(Tokens, LineEndIsOneTokenOfTwoCharacters) {
    load("A\r\nB");
    r.interpreter.read_token();
    const std::size_t before = r.interpreter.position();
    r.interpreter.read_token();
    EXPECT_EQ(r.interpreter.token().code, TokenCode::EndOfLine);
    EXPECT_EQ(r.interpreter.token().view(), "\r\n");
    EXPECT_EQ(r.interpreter.position(), before + 2);
}

TEST_F(Tokens, EndOfTextRepeatsWithoutMoving) {
    load("  ");
    EXPECT_EQ(next(), "delim:EOL");
    EXPECT_EQ(next(), "delim:EOL");
    EXPECT_EQ(next(), "delim:EOT");
    const std::size_t at = r.interpreter.position();
    EXPECT_EQ(next(), "delim:EOT");
    r.interpreter.unread_token();
    EXPECT_EQ(r.interpreter.position(), at);
    EXPECT_EQ(r.interpreter.program().data()[at], '\0');
}

TEST_F(Tokens, UnreadPutsThePointerOnTheTokensFirstCharacter) {
    load("A =  \tprint 5");
    next();
    next();
    EXPECT_EQ(next(), "kw:print");
    r.interpreter.unread_token();
    EXPECT_EQ(r.interpreter.position(), 6u); // the p, not the blanks before it
    EXPECT_EQ(next(), "kw:print");
}

TEST_F(Tokens, UnreadAfterAStringStepsBackOnlyOverItsText) {
    load("\"abc\"");
    next();
    EXPECT_EQ(r.interpreter.position(), 5u);
    r.interpreter.unread_token();
    EXPECT_EQ(r.interpreter.position(), 2u);
}

TEST_F(Tokens, ReadingAgainAfterUnreadingAStringStartsInsideIt) {
    load("\"ab\" 5");
    EXPECT_EQ(next(), "str:ab");
    r.interpreter.unread_token();
    EXPECT_EQ(next(), "var:b\"");
}

TEST_F(Tokens, IdentifiersOfEveryLengthAreLowercasedWholly) {
    EXPECT_EQ(all("XrAy PrInT ABCDEFGH ABCDEFGHIJKLMNOPQRSTUVWXYZ Z@[`{"),
              (std::vector<std::string>{"var:xray", "kw:print", "var:abcdefgh",
                                        "var:abcdefghijklmnopqrstuvwxyz", "var:z@[`{", "delim:EOL",
                                        "delim:EOL", "delim:EOT"}));
}

TEST_F(Tokens, ACharacterThatStartsNoTokenIsNotConsumed) {
    load("  #x");
    EXPECT_EQ(next(), "none:");
    const std::size_t at = r.interpreter.position();
    EXPECT_EQ(next(), "none:");
    EXPECT_EQ(r.interpreter.position(), at);
}

TEST_F(Tokens, SkipToNextLineLandsOnTheNextLinesFirstCharacter) {
    load("PRINT 1\r\nB=2");
    r.interpreter.read_token();
    r.interpreter.skip_to_next_line();
    EXPECT_EQ(r.interpreter.position(), 9u);
    EXPECT_EQ(r.interpreter.line_index_of(r.interpreter.position()), 1);
    r.interpreter.skip_to_next_line();
    r.interpreter.skip_to_next_line();
    r.interpreter.skip_to_next_line(); // past the trailer: stays on the final NUL
    EXPECT_EQ(r.interpreter.program().data()[r.interpreter.position()], '\0');
}

TEST_F(Tokens, LineIndexCountsCarriageReturnsBeforeThePosition) {
    load("ab\ncd\r\nef");
    const ProgramBuffer& p = r.interpreter.program();
    EXPECT_EQ(p.line_index_of(0), 0);
    EXPECT_EQ(p.line_index_of(2), 0); // the CR itself belongs to its line
    EXPECT_EQ(p.line_index_of(3), 1); // the LF follows the CR
    EXPECT_EQ(p.line_index_of(4), 1);
    EXPECT_EQ(p.line_index_of(8), 2);
}

// A remembered token counts the blanks before it in a byte; longer runs of
// blanks are stepped over at each read and must give the same tokens.
TEST_F(Tokens, BlankRunsOfAnyLengthBeforeTheLongestToken) {
    const std::string text(63, 's');
    for (std::size_t n : {1u, 190u, 191u, 400u}) {
        const std::string blanks(n, ' ');
        BasicRun run;
        const std::string program = "PRINT" + blanks + "\"" + text + "\"" + blanks + ";" + blanks +
                                    "-5\r\nA =" + blanks + "(1 +" + blanks + "\r\n";
        for (int pass = 0; pass < 2; ++pass) { // the second pass reads from the memo
            run.host.console.clear();
            EXPECT_EQ(run.run(program), RunEnd::Error) << n;
            EXPECT_EQ(run.host.console, text + "-5\r\n\r\nERROR:0,2\r\n") << n;
        }
        load("A" + blanks + "B");
        next();
        EXPECT_EQ(next(), "var:b");
        EXPECT_EQ(r.interpreter.position(), n + 2);
        r.interpreter.unread_token();
        EXPECT_EQ(r.interpreter.position(), n + 1);
    }
}

TEST_F(Tokens, SixtyThreeCharactersFitAndSixtyFourAreTooLong) {
    const std::string fits(63, 'z');
    load(fits);
    EXPECT_EQ(next(), "var:" + fits);

    BasicRun too_long;
    EXPECT_EQ(too_long.run("A = 1\r\nB = " + std::string(64, '9')), RunEnd::Error);
    EXPECT_EQ(too_long.error(), 15);
    EXPECT_EQ(too_long.error_line(), 2);

    BasicRun after_blanks; // blanks open the line: the error is still on it, not the one before
    EXPECT_EQ(after_blanks.run("A = 1\r\n   " + std::string(64, 'z')), RunEnd::Error);
    EXPECT_EQ(after_blanks.error(), 15);
    EXPECT_EQ(after_blanks.error_line(), 2);

    BasicRun long_label; // met while labels are collected: before any statement runs
    EXPECT_EQ(long_label.run("A = 1\r\n" + std::string(64, '1') + " B = 2"), RunEnd::Error);
    EXPECT_EQ(long_label.error(), 15);
    EXPECT_EQ(long_label.var('A'), 0);

    BasicRun long_string;
    EXPECT_EQ(long_string.run("PRINT \"" + std::string(64, 's') + "\""), RunEnd::Error);
    EXPECT_EQ(long_string.error(), 15);
}

} // namespace
} // namespace marlinet::basic
