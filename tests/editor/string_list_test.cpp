// The line store: operations, events, growth, tabs and the longest line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "editor/errors.h"
#include "editor/string_list.h"

namespace marlinet::editor {
namespace {

using ::testing::ElementsAre;

// Records every event of a list as text, in order.
class EventLog {
public:
    explicit EventLog(TSynEditStringList& list) {
        list.OnChanging = TNotifyEvent::Of<&EventLog::Changing>(this);
        list.OnChange = TNotifyEvent::Of<&EventLog::Change>(this);
        list.OnCleared = TNotifyEvent::Of<&EventLog::Cleared>(this);
        list.OnInserted = TStringListChangeEvent::Of<&EventLog::Inserted>(this);
        list.OnDeleted = TStringListChangeEvent::Of<&EventLog::Deleted>(this);
        list.OnPutted = TStringListChangeEvent::Of<&EventLog::Putted>(this);
    }
    std::vector<std::string> events;

private:
    void Changing(TObject*) { events.push_back("changing"); }
    void Change(TObject*) { events.push_back("change"); }
    void Cleared(TObject*) { events.push_back("cleared"); }
    void Inserted(TObject*, int i, int n) { Add("inserted", i, n); }
    void Deleted(TObject*, int i, int n) { Add("deleted", i, n); }
    void Putted(TObject*, int i, int n) { Add("putted", i, n); }
    void Add(const char* what, int i, int n) {
        events.push_back(std::string(what) + " " + std::to_string(i) + "," + std::to_string(n));
    }
};

std::vector<std::string> LinesOf(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.Get(i));
    return lines;
}

// Fills a list with the given lines inside one bracket.
void Fill(TSynEditStringList& list, std::initializer_list<const char*> lines) {
    list.BeginUpdate();
    for (const char* line : lines)
        list.Add(line);
    list.EndUpdate();
}

// Asserts that f raises ESynEditStringList with the given index in its text.
template <class F>
void ExpectIndexError(F f, int index) {
    try {
        f();
        FAIL() << "no error for index " << index;
    } catch (const ESynEditStringList& e) {
        EXPECT_STREQ(e.what(), ("Invalid stringlist index " + std::to_string(index)).c_str());
        EXPECT_EQ(e.Index(), index);
    }
}

TEST(StringListOperations, EachOperationFiresItsEventInsideOneUpdateBracket) {
    TSynEditStringList list;
    EventLog log(list);
    list.Add("A");
    list.Insert(0, "B");
    list.Put(1, "C");
    list.Delete(0);
    EXPECT_THAT(log.events, ElementsAre("changing", "inserted 0,1", "change", "changing",
                                        "inserted 0,1", "change", "changing", "putted 1,1",
                                        "change", "changing", "deleted 0,1", "change"));
    EXPECT_THAT(LinesOf(list), ElementsAre("C"));
}

TEST(StringListOperations, OuterBracketRaisesOneChangingChangePair) {
    TSynEditStringList list;
    EventLog log(list);
    list.BeginUpdate();
    list.Add("A");
    list.Add("B");
    list.PutRange(0, 7);
    list.EndUpdate();
    EXPECT_THAT(log.events, ElementsAre("changing", "inserted 0,1", "inserted 1,1", "change"));
}

TEST(StringListOperations, PutAtCountAppendsAndKeepsRangeAndObjectOnReplace) {
    TSynEditStringList list;
    EventLog log(list);
    list.Put(0, "first"); // 0 == Count on an empty list
    EXPECT_THAT(log.events, ElementsAre("changing", "inserted 0,1", "change"));
    int marker = 0;
    list.PutRange(0, 42);
    list.PutObject(0, &marker);
    list.Put(0, "second");
    EXPECT_EQ(list.Get(0), "second");
    EXPECT_EQ(list.GetRange(0), 42);
    EXPECT_EQ(list.GetObject(0), &marker);
    EXPECT_EQ(list.GetFlags(0), TSynEditStringFlags{sfExpandedLengthUnknown});
}

TEST(StringListOperations, ReplaceLinesChangesInOneStepAndReportsCountThenText) {
    TSynEditStringList list;
    std::istringstream file("A\r\nB\r\nC");
    list.LoadFromStream(file); // slices of the loaded text
    list.PutRange(1, 5);
    EventLog log(list);
    list.ReplaceLines(1, 1, {"X", "Y", "Z"});
    EXPECT_EQ(list.GetRange(1), 5); // replaced in place: B's range stays
    EXPECT_EQ(list.GetRange(2), kRangeNotScanned);
    list.ReplaceLines(0, 3, {"W"});
    EXPECT_THAT(log.events, ElementsAre("changing", "inserted 2,2", "putted 1,1", "change",
                                        "changing", "deleted 1,2", "putted 0,1", "change"));
    EXPECT_THAT(LinesOf(list), ElementsAre("W", "Z", "C"));
    list.ReplaceLines(1, 1, {"B"});
    EXPECT_EQ(list.Text(), "W\r\nB\r\nC");
    // A range beyond the lines is refused before anything changes.
    log.events.clear();
    EXPECT_THROW(list.ReplaceLines(2, 2, {"Q"}), ESynEditStringList);
    EXPECT_THROW(list.ReplaceLines(4, 0, {"Q"}), ESynEditStringList);
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(list.Text(), "W\r\nB\r\nC");
}

TEST(StringListOperations, ReplaceLinesReportsOnlyTheLinesItChanges) {
    TSynEditStringList list;
    Fill(list, {"A", "B", "C"});
    EventLog log(list);
    list.ReplaceLines(0, 2, {"", "A", "B"}); // a line in front of A
    list.ReplaceLines(1, 2, {"AB"});         // A and B joined
    list.ReplaceLines(0, 2, {"", "AB"});     // as it was
    EXPECT_THAT(log.events,
                ElementsAre("changing", "inserted 0,1", "change", "changing", "deleted 2,1",
                            "putted 1,1", "change", "changing", "change"));
    EXPECT_THAT(LinesOf(list), ElementsAre("", "AB", "C"));
}

TEST(StringListOperations, NewRecordsStartUnscannedAndUnmeasured) {
    TSynEditStringList list;
    list.Add("x");
    list.InsertLines(0, 2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.GetRange(i), kRangeNotScanned);
        EXPECT_EQ(list.GetObject(i), nullptr);
        EXPECT_EQ(list.GetFlags(i), TSynEditStringFlags{sfExpandedLengthUnknown});
    }
}

TEST(StringListOperations, BadIndicesRaiseWithTheIndexAndChangeNothing) {
    TSynEditStringList list;
    Fill(list, {"A", "B"});
    EventLog log(list);
    ExpectIndexError([&] { list.Delete(2); }, 2);
    ExpectIndexError([&] { list.Delete(-1); }, -1);
    ExpectIndexError([&] { list.Insert(3, "x"); }, 3);
    ExpectIndexError([&] { list.InsertLines(-2, 1); }, -2);
    ExpectIndexError([&] { list.DeleteLines(2, 1); }, 2);
    ExpectIndexError([&] { list.Put(3, "x"); }, 3);
    ExpectIndexError([&] { list.PutObject(2, nullptr); }, 2);
    ExpectIndexError([&] { list.PutRange(2, 0); }, 2);
    ExpectIndexError([&] { list.Exchange(0, 2); }, 2);
    EXPECT_THAT(LinesOf(list), ElementsAre("A", "B"));
    EXPECT_TRUE(log.events.empty());
}

TEST(StringListOperations, ReadsOutOfRangeGiveEmptyValues) {
    TSynEditStringList list;
    list.Add("A\tB");
    EXPECT_EQ(list.Get(1), "");
    EXPECT_EQ(list.Get(-1), "");
    EXPECT_EQ(list.GetObject(3), nullptr);
    EXPECT_EQ(list.GetRange(3), 0);
    EXPECT_EQ(list.ExpandedStrings(1), "");
    EXPECT_EQ(list.ExpandedStringLengths(-1), 0);
    // The deleted record's memory past the end still holds its flags.
    list.Add("B");
    list.Delete(1);
    for (const int index : {-1, 1, 2})
        EXPECT_EQ(list.GetFlags(index), TSynEditStringFlags{}) << index;
}

TEST(StringListOperations, InsertLinesAndDeleteLinesWorkInBlocks) {
    TSynEditStringList list;
    Fill(list, {"A", "B", "C"});
    EventLog log(list);
    list.InsertLines(1, 2);
    EXPECT_EQ(list.Capacity(), 5); // exactly Count + N
    EXPECT_THAT(LinesOf(list), ElementsAre("A", "", "", "B", "C"));
    list.InsertLines(1, 0);
    list.DeleteLines(3, 10); // cut to Count - Index
    list.DeleteLines(0, -1);
    EXPECT_THAT(LinesOf(list), ElementsAre("A", "", ""));
    EXPECT_THAT(log.events, ElementsAre("changing", "inserted 1,2", "change", "changing",
                                        "deleted 3,2", "change"));
}

TEST(StringListOperations, InsertStringsAndInsertTextPutEachLine) {
    TSynEditStringList list;
    Fill(list, {"A", "B"});
    EventLog log(list);
    list.InsertText(1, "x\r\ny\nz");
    EXPECT_THAT(LinesOf(list), ElementsAre("A", "x", "y", "z", "B"));
    EXPECT_THAT(log.events, ElementsAre("changing", "inserted 1,3", "putted 1,1", "putted 2,1",
                                        "putted 3,1", "change"));
    list.InsertText(0, "");
    EXPECT_EQ(list.Count(), 5);
}

TEST(StringListOperations, InsertStringsFromItselfCopiesTheOriginalLines) {
    TSynEditStringList list;
    Fill(list, {"A", "B"});
    list.InsertStrings(1, list);
    EXPECT_THAT(LinesOf(list), ElementsAre("A", "A", "B", "B"));
}

TEST(StringListOperations, AddStringsCopiesTextAndObjectsWithOneEvent) {
    TSynEditStringList source;
    int marker = 0;
    Fill(source, {"x", "y"});
    source.PutObject(1, &marker);
    TSynEditStringList list;
    list.Add("A");
    EventLog log(list);
    list.AddStrings(source);
    EXPECT_THAT(LinesOf(list), ElementsAre("A", "x", "y"));
    EXPECT_EQ(list.GetObject(2), &marker);
    EXPECT_EQ(list.Capacity(), 16);
    EXPECT_THAT(log.events, ElementsAre("changing", "inserted 1,2", "change"));
    TSynEditStringList empty;
    list.AddStrings(empty);
    EXPECT_EQ(log.events.size(), 3u);
}

TEST(StringListOperations, ExchangeSwapsWholeRecordsAndTheLongestLineFollows) {
    TSynEditStringList list;
    Fill(list, {"short", "the longest line"});
    list.PutRange(0, 3);
    EXPECT_EQ(list.LengthOfLongestLine(), 16);
    list.Exchange(0, 1);
    EXPECT_THAT(LinesOf(list), ElementsAre("the longest line", "short"));
    EXPECT_EQ(list.GetRange(1), 3);
    list.Put(1, "x"); // the longest line itself is untouched, but the cache is dropped
    EXPECT_EQ(list.LengthOfLongestLine(), 16);
}

TEST(StringListOperations, ClearFiresClearedOnlyWhenLinesExisted) {
    TSynEditStringList list;
    EventLog log(list);
    list.Clear();
    EXPECT_TRUE(log.events.empty());
    list.Add("A");
    log.events.clear();
    list.Clear();
    EXPECT_THAT(log.events, ElementsAre("changing", "cleared", "change"));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
}

TEST(StringListCapacity, GrowsBySixteenThenByAQuarter) {
    TSynEditStringList list;
    std::vector<int> capacities{list.Capacity()};
    for (int i = 0; i < 101; ++i) {
        list.Add("l");
        if (list.Capacity() != capacities.back()) capacities.push_back(list.Capacity());
    }
    EXPECT_THAT(capacities, ElementsAre(0, 16, 32, 48, 64, 80, 100, 125));
}

TEST(StringListCapacity, CannotShrinkBelowCount) {
    TSynEditStringList list;
    Fill(list, {"a", "b", "c"});
    try {
        list.SetCapacity(2);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "Stringlist capacity cannot be smaller than count");
    }
    EXPECT_EQ(list.Capacity(), 16);
    list.SetCapacity(3);
    EXPECT_EQ(list.Capacity(), 3);
}

TEST(StringListText, TextJoinsWithCrLfAndSetTextSplitsEveryBreakKind) {
    TSynEditStringList list;
    list.SetText("a\r\nb\nc\rd\n\re");
    EXPECT_THAT(LinesOf(list), ElementsAre("a", "b", "c", "d", "", "e"));
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n\r\ne");
}

TEST(StringListText, SetTextOfTextGivesBackTheSameLines) {
    TSynEditStringList list;
    Fill(list, {"10 PRINT", "", "20 END", ""});
    const std::string text = list.Text();
    list.SetText(text);
    EXPECT_THAT(LinesOf(list), ElementsAre("10 PRINT", "", "20 END", ""));
}

TEST(StringListText, IndexOfAndMoveComeFromTheBase) {
    TSynEditStringList list;
    Fill(list, {"a", "b", "c"});
    EXPECT_EQ(list.IndexOf("c"), 2);
    EXPECT_EQ(list.IndexOf("C"), -1);
    list.Move(0, 2);
    EXPECT_THAT(LinesOf(list), ElementsAre("b", "c", "a"));
}

TEST(StringListTabs, ExpansionFillsTabCellsWithTabCharacters) {
    TSynEditStringList list;
    Fill(list, {"\tX", "ab\tc", "", "plain"});
    EXPECT_EQ(list.ExpandedStrings(0), std::string(8, '\t') + "X");
    EXPECT_EQ(list.ExpandedStringLengths(0), 9);
    EXPECT_EQ(list.GetFlags(0), TSynEditStringFlags{sfHasTabs});
    EXPECT_EQ(list.ExpandedStrings(1), "ab" + std::string(6, '\t') + "c");
    EXPECT_EQ(list.ExpandedStringLengths(2), 0);
    EXPECT_EQ(list.GetFlags(2), TSynEditStringFlags{sfHasNoTabs});
    EXPECT_EQ(list.ExpandedStrings(3), "plain");
    EXPECT_EQ(list.GetFlags(3), TSynEditStringFlags{sfHasNoTabs});
}

TEST(StringListTabs, TabWidthOneOrLessTurnsEachTabIntoOneSpace) {
    TSynEditStringList list;
    list.Add("\tX");
    list.SetTabWidth(1);
    EXPECT_EQ(list.ExpandedStrings(0), " X");
    list.SetTabWidth(0);
    EXPECT_EQ(list.ExpandedStringLengths(0), 2);
    list.SetTabWidth(-3);
    EXPECT_EQ(list.ExpandedStrings(0), " X");
}

TEST(StringListTabs, AllConversionRoutinesAgree) {
    const std::string line = "a\tbc\t\tdefgh\tij\t";
    for (int width = 2; width <= 12; ++width) {
        std::string expected;
        for (char c : line) {
            if (c == '\t')
                expected.append(static_cast<std::size_t>(width - expected.size() % width), '\t');
            else
                expected += c;
        }
        std::string got = "left over";
        EXPECT_TRUE(GetBestConvertTabsProc(width)(line, width, got));
        EXPECT_EQ(got, expected) << "width " << width;
        EXPECT_EQ(GetExpandedLength(line, width), static_cast<int>(expected.size()));
    }
}

TEST(StringListTabs, ChangingTabWidthForgetsEveryLengthAndTheLongestLine) {
    TSynEditStringList list;
    Fill(list, {"\t\tX", "abcdefghijklmnopq"});
    EXPECT_EQ(list.LengthOfLongestLine(), 17);
    list.SetTabWidth(4);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(list.GetFlags(i).Contains(sfExpandedLengthUnknown));
        EXPECT_FALSE(list.GetFlags(i).Contains(sfHasNoTabs));
    }
    EXPECT_EQ(list.LengthOfLongestLine(), 17);
    list.SetTabWidth(16);
    EXPECT_EQ(list.LengthOfLongestLine(), 33);
}

TEST(StringListTabs, LongestLineIsTheFirstWithTheGreatestLengthAndZeroWhenAllEmpty) {
    TSynEditStringList list;
    EXPECT_EQ(list.LengthOfLongestLine(), 0);
    Fill(list, {"", ""});
    EXPECT_EQ(list.LengthOfLongestLine(), 0);
    list.Add("\t");
    EXPECT_EQ(list.LengthOfLongestLine(), 8);
    list.Delete(2);
    EXPECT_EQ(list.LengthOfLongestLine(), 0);
}

TEST(StringListTabs, CharIndexToCaretPosCountsTabStopsAndColumnsPastTheEnd) {
    EXPECT_EQ(CharIndex2CaretPos(0, 8, "\tX"), 1);
    EXPECT_EQ(CharIndex2CaretPos(1, 8, "\tX"), 1);
    EXPECT_EQ(CharIndex2CaretPos(2, 8, "\tX"), 9);
    EXPECT_EQ(CharIndex2CaretPos(3, 8, "\tX"), 10);
    EXPECT_EQ(CharIndex2CaretPos(5, 8, "\tX"), 12);  // two past the end
    EXPECT_EQ(CharIndex2CaretPos(3, 8, "ab\tc"), 3); // at the first tab
    EXPECT_EQ(CharIndex2CaretPos(4, 8, "ab\tc"), 9);
    EXPECT_EQ(CharIndex2CaretPos(4, 3, "a\t\tb"), 7);
    EXPECT_EQ(CharIndex2CaretPos(4, 1, "a\t\tb"), 4);
    EXPECT_EQ(CharIndex2CaretPos(7, 8, "abc"), 7);
}

} // namespace
} // namespace marlinet::editor
