// Find, replace and go to line in the editor: what is selected and where the
// caret goes, replacing as one undo step that gives back text, caret and
// selection, and the font size changed at run time.
#include <gtest/gtest.h>

#include <string>

#include "fake_window.h"

namespace marlinet::editor {
namespace {

using testing::FakeWindow;
using testing::Keys;
using testing::LoadWithCaret;
using testing::TestEditor;
using testing::TextWithCaret;

class FindReplace : public ::testing::Test {
protected:
    FindReplace() { edit.SetOptions(testing::kWindowOptions); }
    TSynSearch Search(std::string_view Pattern, TSynSearchOptions Options = {}) {
        TSynSearch search;
        search.SetPattern(Pattern, Options);
        return search;
    }
    std::string Selection() const {
        const TBufferCoord b = edit.BlockBegin(), e = edit.BlockEnd();
        return std::to_string(b.X) + "," + std::to_string(b.Y) + "-" + std::to_string(e.X) + "," +
               std::to_string(e.Y);
    }
    FakeWindow window;
    TestEditor edit{window};
};

TEST_F(FindReplace, FindNextSelectsEachMatchInTurnAndWraps) {
    LoadWithCaret(edit, "10 GOSUB 100\n|20 GOSUB 200\n30 END");
    edit.SetSelectionMode(smLine); // a paused run leaves line selection on
    TSynSearch search = Search("gosub");
    TSynSearchResult r = edit.FindNext(search);
    EXPECT_TRUE(r.Found && !r.Wrapped);
    EXPECT_EQ(edit.ActiveSelectionMode(), smNormal);
    EXPECT_EQ(edit.SelText(), "GOSUB");
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{9, 2}));
    r = edit.FindNext(search);
    EXPECT_TRUE(r.Found && r.Wrapped);
    EXPECT_EQ(Selection(), "4,1-9,1");
    r = edit.FindPrevious(search);
    EXPECT_TRUE(r.Found && r.Wrapped);
    EXPECT_EQ(Selection(), "4,2-9,2");
}

TEST_F(FindReplace, FindScrollsAMatchOutOfSightToTheMiddle) {
    std::string text = "|";
    for (int i = 1; i <= 100; ++i)
        text += "LINE " + std::to_string(i) + "\n";
    LoadWithCaret(edit, text);
    TSynSearch search = Search("LINE 60", {true, true, false});
    ASSERT_TRUE(edit.FindNext(search).Found);
    EXPECT_EQ(edit.CaretY(), 60);
    EXPECT_EQ(edit.TopLine(), 60 - (edit.LinesInWindow() - 1) / 2);
}

TEST_F(FindReplace, ReplaceAllIsOneUndoStepThatGivesBackCaretAndSelection) {
    LoadWithCaret(edit, "A=1\nB=A+A\n|C=B");
    Keys(edit, "X{Left}{SelRight}"); // a step before, and a selection on one line
    const std::string before = edit.Lines().Text();
    TSynSearch search = Search("a", {false, true, false});
    const TSynReplaceResult r = edit.ReplaceAll(search, "Total");
    EXPECT_EQ(r.Count, 3);
    EXPECT_FALSE(r.Error);
    EXPECT_EQ(edit.Lines().Text(), "Total=1\r\nB=Total+Total\r\nXC=B");
    EXPECT_FALSE(edit.SelAvail());
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{2, 3}));
    edit.Undo();
    EXPECT_EQ(edit.Lines().Text(), before);
    EXPECT_EQ(Selection(), "1,3-2,3");
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{2, 3}));
    edit.Redo();
    EXPECT_EQ(edit.Lines().Text(), "Total=1\r\nB=Total+Total\r\nXC=B");
    edit.Undo();
    edit.Undo();
    EXPECT_EQ(TextWithCaret(edit), "A=1\nB=A+A\n|C=B");
}

TEST_F(FindReplace, ReplaceAllOfMoreMatchesThanTheUndoLimitIsStillOneStep) {
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "PRINT A\n";
    LoadWithCaret(edit, text);
    TSynSearch search = Search("A", {true, true, false});
    EXPECT_EQ(edit.ReplaceAll(search, "B").Count, 3000);
    EXPECT_EQ(edit.Lines().Get(2999), "PRINT B");
    edit.Undo();
    EXPECT_EQ(edit.Lines().Get(2999), "PRINT A");
    EXPECT_EQ(edit.Lines().Get(0), "PRINT A");
    EXPECT_FALSE(edit.CanUndo());
    EXPECT_FALSE(edit.UndoList().FullUndoImpossible());
}

// A caret at the selection's end follows it; one at its start stays.
TEST_F(FindReplace, ReplaceAllInASelectionOverLinesKeepsToItAndItsEnd) {
    for (const auto& [caret, after] : {std::pair{TBufferCoord{2, 3}, TBufferCoord{3, 3}},
                                       std::pair{TBufferCoord{3, 1}, TBufferCoord{3, 1}}}) {
        LoadWithCaret(edit, "AAA\nAAA\nAAA");
        edit.SetBlockBegin({3, 1});
        edit.SetBlockEnd({2, 3});
        edit.SetCaretXY(caret);
        TSynSearch search = Search("A");
        EXPECT_EQ(edit.ReplaceAll(search, "xy").Count, 5);
        EXPECT_EQ(edit.Lines().Text(), "AAxy\r\nxyxyxy\r\nxyAA");
        EXPECT_EQ(Selection(), "3,1-3,3");
        EXPECT_EQ(edit.SelText(), "xy\r\nxyxyxy\r\nxy");
        EXPECT_EQ(edit.CaretXY(), after) << caret.X << "," << caret.Y;
    }
}

TEST_F(FindReplace, ReplaceAllWithLineBreaksMovesTheSelectionsEnd) {
    LoadWithCaret(edit, "A A\nA A.");
    edit.SetBlockBegin({1, 1});
    edit.SetBlockEnd({4, 2});
    edit.SetCaretXY({4, 2});
    TSynSearch search = Search("A");
    EXPECT_EQ(edit.ReplaceAll(search, "1\r\n2").Count, 4);
    EXPECT_EQ(edit.Lines().Count(), 6);
    EXPECT_EQ(Selection(), "1,1-2,6");
    EXPECT_EQ(edit.Lines().Get(5), "2.");
}

TEST_F(FindReplace, AFaultyReplacementOrReadOnlyTextChangesNothing) {
    LoadWithCaret(edit, "A|B");
    TSynSearch search = Search("(A)", {false, false, true});
    const TSynReplaceResult r = edit.ReplaceAll(search, "$2");
    EXPECT_EQ(r.Count, 0);
    EXPECT_TRUE(r.Error);
    edit.SetReadOnly(true);
    EXPECT_EQ(edit.ReplaceAll(search, "X").Count, 0);
    ASSERT_TRUE(edit.FindNext(search).Found);
    EXPECT_EQ(edit.ReplaceCurrent(search, "X").Count, 0);
    EXPECT_EQ(edit.Lines().Text(), "AB");
    EXPECT_FALSE(edit.CanUndo());
}

TEST_F(FindReplace, ReplaceCurrentReplacesTheSelectedMatchOnly) {
    LoadWithCaret(edit, "|N=N+1");
    TSynSearch search = Search("N", {true, true, true});
    EXPECT_EQ(edit.ReplaceCurrent(search, "X").Count, 0); // nothing selected yet
    edit.FindNext(search);
    EXPECT_EQ(edit.ReplaceCurrent(search, "[$0]").Count, 1);
    EXPECT_EQ(TextWithCaret(edit), "[N]|=N+1");
    edit.Undo();
    EXPECT_EQ(edit.Lines().Text(), "N=N+1");
    EXPECT_EQ(edit.SelText(), "N");
    Keys(edit, "{SelRight}");
    EXPECT_EQ(edit.ReplaceCurrent(search, "X").Count, 0); // a selection that is no match
}

TEST_F(FindReplace, ReplaceCurrentOfAnEmptyMatchInsertsAtTheCaret) {
    LoadWithCaret(edit, "A\n|B");
    TSynSearch search = Search("^", {false, false, true});
    EXPECT_EQ(edit.ReplaceCurrent(search, "REM ").Count, 1);
    EXPECT_EQ(TextWithCaret(edit), "A\nREM |B");
}

TEST_F(FindReplace, CaseChangesUndoOneAtATimeAndGiveBackTheSelection) {
    LoadWithCaret(edit, "ab|");
    Keys(edit, "{UpperCase}{TitleCase}");
    EXPECT_EQ(TextWithCaret(edit), "Ab|");
    edit.Undo();
    EXPECT_EQ(TextWithCaret(edit), "AB|");
    LoadWithCaret(edit, "|ab\ncd");
    Keys(edit, "{SelDown}{SelRight}{UpperCaseBlock}");
    EXPECT_EQ(Selection(), "1,1-2,2");
    edit.Undo();
    EXPECT_EQ(edit.Lines().Text(), "ab\r\ncd");
    EXPECT_EQ(Selection(), "1,1-2,2");
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{2, 2}));
    edit.Redo();
    EXPECT_EQ(edit.Lines().Text(), "AB\r\nCd");
    EXPECT_EQ(Selection(), "1,1-2,2");
}

TEST_F(FindReplace, GotoLinePutsTheCaretAtTheLineStartInView) {
    std::string text;
    for (int i = 1; i <= 100; ++i)
        text += "    LINE " + std::to_string(i) + "\n";
    LoadWithCaret(edit, "|" + text);
    Keys(edit, "{SelRight}");
    edit.GotoLine(31);
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{1, 31}));
    EXPECT_FALSE(edit.SelAvail());
    EXPECT_EQ(edit.TopLine(), 31 - (edit.LinesInWindow() - 1) / 2);
    edit.GotoLine(1000);
    EXPECT_EQ(edit.CaretY(), edit.Lines().Count());
}

TEST_F(FindReplace, ALargerFontRecomputesTheCellAndRepaints) {
    LoadWithCaret(edit, "10 PRINT|");
    window.focused = true;
    edit.Gutter().SetUseFontStyle(false); // numbers in the text's cells
    edit.Gutter().SetShowLineNumbers(true);
    ASSERT_EQ(edit.CharWidth(), 10);
    const int gutter = edit.GutterWidth();
    window.Forget();
    edit.Font().SetHeight(30);
    EXPECT_EQ(edit.CharWidth(), 15);
    EXPECT_EQ(edit.LineHeight(), 30);
    EXPECT_EQ(edit.LinesInWindow(), 200 / 30);
    EXPECT_GT(edit.GutterWidth(), gutter);
    EXPECT_FALSE(window.invalidated.empty());
    EXPECT_EQ(window.caretSize.Height, 30 - 2);
    EXPECT_EQ(window.scrollBar.Page, 200 / 30);
}

} // namespace
} // namespace marlinet::editor
