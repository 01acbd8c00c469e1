// The search engine: which matches a pattern has in a text with each set of
// options, stepping from match to match with and without wrapping, faulty
// patterns and replacements as values, and what replacing does to a line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "editor/search.h"
#include "editor/string_list.h"

namespace marlinet::editor {
namespace {

using namespace std::string_literals;

// Options written as letters: c match case, w whole word, r regular expression.
TSynSearchOptions Options(std::string_view Letters) {
    return {Letters.find('c') != std::string_view::npos,
            Letters.find('w') != std::string_view::npos,
            Letters.find('r') != std::string_view::npos};
}

// Matches as "line:start-end" (1-based columns, end after the last
// character), separated by blanks; "none" for no match.
std::string Written(const TSynSearchMatch& M) {
    return std::to_string(M.Start.Y) + ":" + std::to_string(M.Start.X) + "-" +
           std::to_string(M.End.X);
}

std::string Written(const std::vector<TSynSearchMatch>& Matches) {
    std::string out;
    for (const TSynSearchMatch& m : Matches)
        out += (out.empty() ? "" : " ") + Written(m);
    return out.empty() ? "none" : out;
}

void Load(TSynEditStringList& Lines, std::string_view Text) {
    Lines.SetText(std::string(Text));
}

struct FindAllCase {
    const char* name;
    std::string text; // lines separated by '\n'; may hold NUL
    std::string pattern;
    const char* options;
    const char* matches;
};

// clang-format off
const FindAllCase kFindAllCases[] = {
    {"IgnoringCaseFindsEveryForm", "PRINT A\nprint b\nPrInT", "print", "", "1:1-6 2:1-6 3:1-6"},
    {"MatchingCaseFindsOnlyOne", "PRINT A\nprint b\nPrInT", "PRINT", "c", "1:1-6"},
    {"MatchesDoNotOverlap", "AAAA", "AA", "", "1:1-3 1:3-5"},
    {"WholeWordsNeedBoundaries", "A AB BA A_ (A)", "A", "w", "1:1-2 1:13-14"},
    {"AnEdgeThatIsNoWordCharacterNeedsNoBoundary", "X(A)", "(A", "w", "1:2-4"},
    {"Latin1LettersFoldInPlainText", "\xC9T\xE9", "\xE9", "", "1:1-2 1:3-4"},
    {"OnlyAsciiFoldsInRegularExpressions", "\xC9\xE9", "\xE9", "r", "1:2-3"},
    {"LinesMayHoldNul", "A\0B\0"s, "B", "", "1:3-4"},
    {"PatternsMayHoldNul", "A\0B"s, "\0B"s, "c", "1:2-4"},
    {"ARegularExpressionMatchesNul", "A\0B"s, "A.B", "r", "1:1-4"},
    {"EmptyMatchesAtEveryLineStart", "AB\n\nC", "^", "r", "1:1-1 2:1-1 3:1-1"},
    {"NoEmptyMatchRightAfterAMatch", "xxA", "x*", "r", "1:1-3 1:4-4"},
    {"EmptyMatchesBetweenOthers", "abc", "b*", "r", "1:1-1 1:2-3 1:4-4"},
    {"LookBehindSeesTheTextBefore", "AB B", "(?<=A)B", "r", "1:2-3"},
    {"WholeWordsWithARegularExpression", "AB XAB AC", "A\\w*", "rw", "1:1-3 1:8-10"},
    {"CaselessRegularExpression", "Print\nPRINT", "pri", "r", "1:1-4 2:1-4"},
    {"PlainTextIsNoRegularExpression", "A.B AxB", "A.B", "", "1:1-4"},
    {"AnEmptyPatternFindsNothing", "AB", "", "r", "none"},
};
// clang-format on

class FindAll : public ::testing::TestWithParam<FindAllCase> {};

TEST_P(FindAll, FindsTheMatches) {
    const FindAllCase& c = GetParam();
    TSynEditStringList lines;
    Load(lines, c.text);
    TSynSearch search;
    EXPECT_FALSE(search.SetPattern(c.pattern, Options(c.options)));
    EXPECT_EQ(Written(search.FindAll(lines, 1, lines.Count())), c.matches);
}

INSTANTIATE_TEST_SUITE_P(, FindAll, ::testing::ValuesIn(kFindAllCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct StepCase {
    const char* name;
    const char* text; // '|' marks where the search starts
    const char* pattern;
    const char* options;
    bool backwards;
    bool wrap;
    const char* match; // "none" when nothing is found
    bool wrapped;
};

// clang-format off
const StepCase kStepCases[] = {
    {"NextFindsAMatchAtTheStart", "|AB AB", "AB", "", false, true, "1:1-3", false},
    {"NextGoesOnAfterAMatch", "AB| AB", "AB", "", false, true, "1:4-6", false},
    {"NextGoesToLaterLines", "X|\nY\nZX", "X", "", false, true, "3:2-3", false},
    {"NextWrapsToTheStart", "AB AB|", "AB", "", false, true, "1:1-3", true},
    {"NextWithoutWrapStops", "AB AB|", "AB", "", false, false, "none", false},
    {"NextWrapsToAMatchAtTheStartItself", "A|BC", "ABC", "", false, true, "1:1-4", true},
    {"NextSkipsAnEmptyMatchAtTheStart", "|A\nB", "^", "r", false, true, "2:1-1", false},
    {"NextWrapsToTheOnlyEmptyMatch", "|A", "^", "r", false, true, "1:1-1", true},
    {"PreviousFindsTheLastBefore", "AB AB|", "AB", "", true, true, "1:4-6", false},
    {"PreviousSkipsTheMatchAtTheStart", "AB |AB", "AB", "", true, true, "1:1-3", false},
    {"PreviousGoesToEarlierLines", "ZX\nY\n|X", "X", "", true, true, "1:2-3", false},
    {"PreviousWrapsToTheEnd", "|AB AB", "AB", "", true, true, "1:4-6", true},
    {"PreviousWithoutWrapStops", "|AB AB", "AB", "", true, false, "none", false},
    {"PreviousStepsThroughTheMatchesNextSees", "AAAA|", "AA", "", true, true, "1:3-5", false},
};
// clang-format on

class Step : public ::testing::TestWithParam<StepCase> {};

TEST_P(Step, FindsTheMatch) {
    const StepCase& c = GetParam();
    std::string text = c.text;
    const std::size_t bar = text.find('|');
    const std::string before = text.substr(0, bar);
    const TBufferCoord from{static_cast<int>(before.size() - (before.rfind('\n') + 1)) + 1,
                            1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'))};
    text.erase(bar, 1);
    TSynEditStringList lines;
    Load(lines, text);
    TSynSearch search;
    search.SetPattern(c.pattern, Options(c.options));
    const TSynSearchResult result = c.backwards ? search.FindPrevious(lines, from, c.wrap)
                                                : search.FindNext(lines, from, c.wrap);
    EXPECT_EQ(result.Found ? Written(result.Match) : "none", c.match);
    EXPECT_EQ(result.Wrapped, c.wrapped);
    EXPECT_FALSE(result.Error);
}

INSTANTIATE_TEST_SUITE_P(, Step, ::testing::ValuesIn(kStepCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadPattern {
    const char* pattern;
    int offset;
};

class InvalidPattern : public ::testing::TestWithParam<BadPattern> {};

TEST_P(InvalidPattern, IsReportedWithItsOffsetAndFindsNothing) {
    TSynEditStringList lines;
    Load(lines, "(AB [ \\");
    TSynSearch search;
    const std::optional<TSynSearchError> error =
        search.SetPattern(GetParam().pattern, Options("r"));
    ASSERT_TRUE(error);
    EXPECT_FALSE(error->Message.empty());
    EXPECT_EQ(error->Offset, GetParam().offset);
    EXPECT_EQ(search.PatternError(), error);
    EXPECT_FALSE(search.Active());
    EXPECT_FALSE(search.FindNext(lines, {1, 1}, true).Found);
    EXPECT_TRUE(search.FindAll(lines, 1, 1).empty());
}

INSTANTIATE_TEST_SUITE_P(, InvalidPattern,
                         ::testing::Values(BadPattern{"(AB", 3}, BadPattern{"[", 1},
                                           BadPattern{"\\", 1}, BadPattern{"A{2,1}", 5}));

TEST(Search, AMatchThatBacktracksWithoutEndGivesUpWithAnError) {
    TSynEditStringList lines;
    Load(lines, std::string(40, 'a') + "!\nb");
    TSynSearch search;
    search.SetPattern("(a+)+$", Options("r"));
    const TSynSearchResult result = search.FindNext(lines, {1, 1}, true);
    EXPECT_FALSE(result.Found);
    ASSERT_TRUE(result.Error);
    EXPECT_FALSE(result.Error->Message.empty());
}

struct ReplaceCase {
    const char* name;
    std::string line;
    const char* pattern;
    const char* options;
    const char* replacement;
    int from, to;      // the span of the line to replace in
    std::string after; // empty when nothing is replaced
    int count;
};

// clang-format off
const ReplaceCase kReplaceCases[] = {
    {"PlainText", "A B A", "a", "", "XY", 0, 5, "XY B XY", 2},
    {"PlainDollarIsLiteral", "A", "A", "", "$1", 0, 1, "$1", 1},
    {"Groups", "a=b c=d", "(\\w+)=(\\w+)", "r", "$2=${1}", 0, 7, "b=a d=c", 2},
    {"NamedGroupAndDollar", "a1", "(?<n>\\d)", "r", "$$${n}", 0, 2, "a$1", 1},
    {"UnsetGroupIsEmpty", "b", "(a)|(b)", "r", "[$1]", 0, 1, "[]", 1},
    {"EmptyMatches", "xxA", "x*", "r", "-", 0, 3, "-A-", 2},
    {"OnlyInsideTheSpan", "AAAAAA", "A", "", "X", 1, 4, "AXXXAA", 3},
    {"AMatchReachingPastTheSpanStays", "ABAB", "AB", "", "X", 0, 3, "XAB", 1},
    {"NoMatch", "ABC", "X", "", "Y", 0, 3, "", 0},
};
// clang-format on

class ReplaceInLine : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceInLine, ReplacesTheMatches) {
    const ReplaceCase& c = GetParam();
    TSynSearch search;
    search.SetPattern(c.pattern, Options(c.options));
    const TSynLineReplace r = search.ReplaceInLine(c.line, c.from, c.to, c.replacement);
    EXPECT_FALSE(r.Error);
    EXPECT_EQ(r.Count, c.count);
    EXPECT_EQ(r.Text, c.after);
}

INSTANTIATE_TEST_SUITE_P(, ReplaceInLine, ::testing::ValuesIn(kReplaceCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Search, AFaultyReplacementIsReportedAndReplacesNothing) {
    TSynSearch search;
    search.SetPattern("(A)", Options("r"));
    for (const char* replacement : {"${1", "$9", "$"}) {
        SCOPED_TRACE(replacement);
        const TSynLineReplace r = search.ReplaceInLine("A A", 0, 3, replacement);
        EXPECT_EQ(r.Count, 0);
        ASSERT_TRUE(r.Error);
        EXPECT_FALSE(r.Error->Message.empty());
    }
}

} // namespace
} // namespace marlinet::editor
