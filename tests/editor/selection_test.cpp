// The caret and selection model: clamping, character indices, selected text
// in the three modes, status reports and repaint requests.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fake_window.h"

namespace marlinet::editor {
namespace {

using ::testing::ElementsAre;
using testing::FakeWindow;
using testing::LoadWithCaret;
using testing::TestEditor;

class Selection : public ::testing::Test {
protected:
    FakeWindow window;
    TestEditor edit{window};
};

// --- Caret -------------------------------------------------------------------------

TEST_F(Selection, CaretIsClampedToTheTextAndTheScrollWidth) {
    LoadWithCaret(edit, "10 PRINT\n20 END");
    edit.SetCaretXY({5000, 9});
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{1025, 2}));
    edit.SetCaretXY({0, -3});
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{1, 1}));
    edit.SetMaxScrollWidth(40);
    edit.SetCaretX(100);
    EXPECT_EQ(edit.CaretX(), 41);
}

TEST_F(Selection, WithoutScrollPastEolTheCaretStopsAfterTheLine) {
    LoadWithCaret(edit, "10 PRINT|");
    edit.SetCaretX(20);
    EXPECT_EQ(edit.CaretX(), 20);
    edit.SetOptions(TSynEditorOptions{eoGroupUndo});
    EXPECT_EQ(edit.CaretX(), 9); // re-clamped when the option went away
    edit.SetCaretX(30);
    EXPECT_EQ(edit.CaretX(), 9);
}

TEST_F(Selection, AnEmptyTextKeepsTheCaretOnLineOne) {
    edit.SetCaretXY({4, 7});
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{4, 1}));
}

TEST_F(Selection, CaretMovesReportOnlyWhatChanged) {
    LoadWithCaret(edit, "|10 PRINT\n20 END");
    window.Forget();
    edit.SetCaretX(3);
    edit.SetCaretY(2);
    edit.SetCaretXY({3, 2});
    EXPECT_THAT(window.statuses,
                ElementsAre(TSynStatusChanges{scCaretX}, TSynStatusChanges{scCaretY}));
}

TEST_F(Selection, APaintLockCollectsStatusChangesIntoOneReport) {
    LoadWithCaret(edit, "|10 PRINT\n20 END");
    window.Forget();
    edit.IncPaintLock();
    edit.IncPaintLock();
    edit.SetCaretXY({3, 2});
    edit.SetSelectionMode(smLine);
    edit.DecPaintLock();
    EXPECT_TRUE(window.statuses.empty());
    edit.DecPaintLock();
    EXPECT_THAT(window.statuses, ElementsAre(TSynStatusChanges{scCaretX, scCaretY, scSelection}));
}

TEST_F(Selection, LastCaretColumnIsTheDisplayColumn) {
    LoadWithCaret(edit, "\tA|B");
    EXPECT_EQ(edit.CaretX(), 3);
    EXPECT_EQ(edit.LastCaretX(), 10);
    edit.SetTabWidth(4);
    EXPECT_EQ(edit.LastCaretX(), 6);
    EXPECT_EQ(edit.Lines().TabWidth(), 4);
    edit.SetTabWidth(1000);
    EXPECT_EQ(edit.TabWidth(), 256);
    edit.SetTabWidth(0);
    EXPECT_EQ(edit.TabWidth(), 1);
}

TEST_F(Selection, DisplayAndBufferPositionsConvertAcrossTabs) {
    LoadWithCaret(edit, "a\tb");
    EXPECT_EQ(edit.BufferToDisplayPos({3, 1}), (TDisplayCoord{9, 1}));
    EXPECT_EQ(edit.BufferToDisplayPos({5, 1}), (TDisplayCoord{11, 1}));
    EXPECT_EQ(edit.DisplayToBufferPos({9, 1}), (TBufferCoord{3, 1}));
    EXPECT_EQ(edit.DisplayToBufferPos({5, 1}), (TBufferCoord{2, 1})); // inside the tab
    EXPECT_EQ(edit.DisplayToBufferPos({12, 1}), (TBufferCoord{6, 1}));
    for (int x = 1; x <= 6; ++x)
        EXPECT_EQ(edit.DisplayToBufferPos(edit.BufferToDisplayPos({x, 1})).X, x);
}

// --- Character indices ----------------------------------------------------------------

TEST_F(Selection, EveryLineBreakCountsTwoCharacters) {
    LoadWithCaret(edit, "10 A=1\n20 PRINT A\n\n30 END");
    EXPECT_EQ(edit.CharIndexToRowCol(0), (TBufferCoord{1, 1}));
    EXPECT_EQ(edit.RowColToCharIndex({1, 2}), 8); // length of line 1 plus 2
    EXPECT_EQ(edit.CharIndexToRowCol(8), (TBufferCoord{1, 2}));
    EXPECT_EQ(edit.CharIndexToRowCol(7), (TBufferCoord{8, 1})); // inside the break
    EXPECT_EQ(edit.CharIndexToRowCol(19), (TBufferCoord{12, 2}));
    EXPECT_EQ(edit.CharIndexToRowCol(20), (TBufferCoord{1, 3}));
    EXPECT_EQ(edit.CharIndexToRowCol(22), (TBufferCoord{1, 4}));
    EXPECT_EQ(edit.CharIndexToRowCol(30), (TBufferCoord{1, 5})); // past the end
    EXPECT_EQ(edit.CharIndexToRowCol(1000), (TBufferCoord{1, 5}));
    EXPECT_EQ(edit.CharIndexToRowCol(-4), (TBufferCoord{1, 1}));
    for (int y = 1; y <= 4; ++y) {
        for (int x = 1; x <= static_cast<int>(edit.Lines().Get(y - 1).size()) + 1; ++x)
            EXPECT_EQ(edit.CharIndexToRowCol(edit.RowColToCharIndex({x, y})), (TBufferCoord{x, y}));
    }
}

TEST_F(Selection, SelStartPutsCaretAndBothEndsAtTheIndex) {
    LoadWithCaret(edit, "10 PRINT|\n20 END");
    edit.SetSelStart(0);
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{1, 1}));
    edit.SetSelStart(13);
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{4, 2}));
    EXPECT_EQ(edit.BlockBegin(), edit.CaretXY());
    EXPECT_EQ(edit.BlockEnd(), edit.CaretXY());
    EXPECT_FALSE(edit.SelAvail());
    EXPECT_EQ(edit.SelStart(), 13);
}

TEST_F(Selection, SelLengthSelectsForwardsOrBackwardsFromBlockBegin) {
    LoadWithCaret(edit, "10 PRINT\n20 END");
    edit.SetSelStart(3);
    edit.SetSelLength(5);
    EXPECT_EQ(edit.GetSelText(), "PRINT");
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{9, 1}));
    EXPECT_EQ(edit.SelLength(), 5);

    edit.SetSelStart(13);
    edit.SetSelLength(-7);
    EXPECT_EQ(edit.BlockEnd(), (TBufferCoord{7, 1}));
    EXPECT_EQ(edit.GetSelText(), "NT\r\n20 ");
    EXPECT_EQ(edit.SelStart(), 6);
    EXPECT_EQ(edit.SelLength(), 7);
}

TEST_F(Selection, ABackwardsCountPastTheStartStopsAtTheStart) {
    LoadWithCaret(edit, "10 PRINT\n20 END");
    edit.SetSelStart(13);
    edit.SetSelLength(-50);
    EXPECT_EQ(edit.BlockEnd(), (TBufferCoord{1, 1}));
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{1, 1}));
    EXPECT_EQ(edit.GetSelText(), "10 PRINT\r\n20 ");
}

TEST_F(Selection, LineModeShowsTheExecutingLineAsTheWorkbenchMarksIt) {
    LoadWithCaret(edit, "10 A=1\n20 B=2\n30 C=3\n40 D=4\n50 PRINT A\n60 END");
    edit.SetSelectionMode(smLine);
    int index = 0;
    for (int i = 0; i < 4; ++i)
        index += static_cast<int>(edit.Lines().Get(i).size()) + 2;
    edit.SetSelStart(index);
    edit.SetSelLength(1);
    EXPECT_TRUE(edit.SelAvail());
    EXPECT_EQ(edit.GetSelText(), "50 PRINT A\r\n");
    edit.SetSelStart(index + 12); // the last line has no break after it
    edit.SetSelLength(1);
    EXPECT_EQ(edit.GetSelText(), "60 END");
}

// --- Selected text --------------------------------------------------------------------

TEST_F(Selection, NormalModeTakesTheTextBetweenTheEndsInEitherOrder) {
    LoadWithCaret(edit, "10 PRINT\n20 GOTO 10\n30 END");
    edit.SetBlockBegin({4, 3});
    edit.SetBlockEnd({4, 1});
    EXPECT_EQ(edit.GetSelText(), "PRINT\r\n20 GOTO 10\r\n30 ");
    edit.SetBlockBegin({4, 1});
    edit.SetBlockEnd({9, 1});
    EXPECT_EQ(edit.GetSelText(), "PRINT");
    edit.SetBlockEnd({4, 1});
    EXPECT_EQ(edit.GetSelText(), "");
}

TEST_F(Selection, ColumnModeTakesTheSameDisplayColumnsOfEachLine) {
    LoadWithCaret(edit, "10 PRINT\n\t20\n30 GOTO 10\nx");
    edit.SetSelectionMode(smColumn);
    edit.SetBlockBegin({4, 1});
    edit.SetBlockEnd({7, 4});
    // Columns 4..6 lie inside the tab of line 2: nothing of it is taken.
    EXPECT_EQ(edit.GetSelText(), "PRI\r\n\r\nGOT\r\n");
    edit.SetBlockEnd({4, 3});
    EXPECT_FALSE(edit.SelAvail()); // same column on other lines is no selection here
}

TEST_F(Selection, ClampingOfBlockEndsDependsOnTheMode) {
    LoadWithCaret(edit, "10 PRINT\n20 END");
    edit.SetBlockBegin({50, 7});
    EXPECT_EQ(edit.BlockBegin(), (TBufferCoord{7, 2}));
    edit.SetSelectionMode(smLine);
    edit.SetBlockBegin({50, 1});
    EXPECT_EQ(edit.BlockBegin(), (TBufferCoord{50, 1}));
    edit.SetBlockEnd({2000, 0});
    EXPECT_EQ(edit.BlockEnd(), (TBufferCoord{1025, 1}));
}

TEST_F(Selection, SettingABlockEndResetsTheActiveMode) {
    LoadWithCaret(edit, "10 PRINT\n20 END");
    edit.SetSelectionMode(smLine);
    edit.SetActiveSelectionMode(smColumn);
    EXPECT_EQ(edit.ActiveSelectionMode(), smColumn);
    edit.SetBlockEnd({3, 2});
    EXPECT_EQ(edit.ActiveSelectionMode(), smLine);
    edit.SetActiveSelectionMode(smNormal);
    edit.SetBlockBegin({1, 1});
    EXPECT_EQ(edit.ActiveSelectionMode(), smLine);
}

TEST_F(Selection, SelectionChangesReportScSelectionOnlyWhenSomethingChanged) {
    LoadWithCaret(edit, "10 PRINT\n20 END");
    edit.SetBlockBegin({1, 1});
    window.Forget();
    edit.SetBlockBegin({1, 1});
    edit.SetSelectionMode(smNormal);
    EXPECT_TRUE(window.statuses.empty());
    edit.SetBlockEnd({3, 1});
    edit.SetSelectionMode(smLine);
    EXPECT_THAT(window.statuses,
                ElementsAre(TSynStatusChanges{scSelection}, TSynStatusChanges{scSelection}));
}

// --- Repaint requests -------------------------------------------------------------------

TEST_F(Selection, MovingTheBlockEndRepaintsTheLinesBetweenOldAndNewEnd) {
    LoadWithCaret(edit, "a\nb\nc\nd\ne\nf");
    edit.SetBlockBegin({1, 1});
    edit.SetBlockEnd({1, 3});
    window.Forget();
    edit.SetBlockEnd({1, 5});
    // Rows 3..5 of 20 pixels, right of the 30-pixel gutter.
    EXPECT_THAT(window.invalidated, ElementsAre(TRect{30, 40, 400, 100}));
}

TEST_F(Selection, ChangingTheModeRepaintsTheWholeSelection) {
    LoadWithCaret(edit, "a\nb\nc\nd\ne\nf");
    edit.SetBlockBegin({1, 4});
    edit.SetBlockEnd({1, 2});
    window.Forget();
    edit.SetSelectionMode(smLine);
    EXPECT_THAT(window.invalidated, ElementsAre(TRect{30, 20, 400, 80}));
}

TEST_F(Selection, RepaintsAreClippedToTheWindowAndReachBelowTheLastLine) {
    for (int i = 0; i < 30; ++i)
        edit.Lines().Add("line");
    window.Forget();
    edit.InvalidateLines(25, 20); // reversed, and below the visible rows 1..11
    EXPECT_TRUE(window.invalidated.empty());
    edit.InvalidateLines(0, 3);
    EXPECT_THAT(window.invalidated, ElementsAre(TRect{30, 0, 400, 60}));
    window.Forget();
    edit.InvalidateLines(8, 30); // at the last line: to the bottom of the window
    edit.InvalidateGutterLines(2, 2);
    edit.InvalidateLines(-1, -1);
    EXPECT_THAT(window.invalidated, ElementsAre(TRect{30, 140, 400, 220}, TRect{0, 20, 30, 40},
                                                TRect{30, 0, 400, 200}));
    edit.SetTopLine(21);
    window.Forget();
    edit.InvalidateLines(30, 30); // the last line alone still reaches the bottom
    EXPECT_THAT(window.invalidated, ElementsAre(TRect{30, 180, 400, 220}));
}

TEST_F(Selection, NoRepaintsWithoutAShownWindow) {
    LoadWithCaret(edit, "a\nb");
    window.visible = false;
    window.Forget();
    edit.SetBlockBegin({1, 1});
    edit.SetBlockEnd({1, 2});
    edit.Lines().Add("c");
    EXPECT_TRUE(window.invalidated.empty());
    EXPECT_FALSE(window.statuses.empty()); // statuses still arrive

    TCustomSynEdit headless;
    headless.Lines().Add("x");
    headless.SetBlockEnd({2, 1});
    EXPECT_EQ(headless.GetSelText(), "x");
    EXPECT_EQ(headless.LinesInWindow(), 0);
}

TEST_F(Selection, RepaintsDuringALineChangeAreIssuedOnceAtTheEnd) {
    LoadWithCaret(edit, "a\nb\nc\nd");
    window.Forget();
    edit.Lines().BeginUpdate();
    edit.Lines().Put(1, "B");
    edit.Lines().Put(2, "C");
    EXPECT_TRUE(window.invalidated.empty());
    edit.Lines().EndUpdate();
    EXPECT_THAT(window.invalidated, ElementsAre(TRect{30, 20, 400, 60}));
}

// --- Reactions to the line store -------------------------------------------------------

TEST_F(Selection, ChangedLinesCollapseTheSelectionOntoTheCaret) {
    LoadWithCaret(edit, "10 PRINT\n20 E|ND");
    edit.SetSelectionMode(smLine);
    edit.SetBlockBegin({1, 1});
    edit.SetBlockEnd({3, 2});
    edit.SetActiveSelectionMode(smColumn);
    edit.Lines().Put(0, "10 REM");
    EXPECT_FALSE(edit.SelAvail());
    EXPECT_EQ(edit.BlockBegin(), (TBufferCoord{5, 2}));
    EXPECT_EQ(edit.ActiveSelectionMode(), smColumn);
}

TEST_F(Selection, ClearingTheLinesResetsCaretAndReportsEverything) {
    LoadWithCaret(edit, "10 PRINT\n20 E|ND");
    edit.SetBlockBegin({1, 1});
    window.Forget();
    edit.Lines().Clear();
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{1, 1}));
    EXPECT_EQ(edit.BlockEnd(), (TBufferCoord{1, 1}));
    EXPECT_EQ(edit.TopLine(), 1);
    ASSERT_FALSE(window.statuses.empty());
    EXPECT_TRUE(window.statuses.front().Contains(scAll));
    EXPECT_FALSE(window.invalidated.empty());
}

TEST_F(Selection, ReadOnlyChangesAreReported) {
    window.Forget();
    edit.SetReadOnly(true);
    edit.SetReadOnly(true);
    EXPECT_THAT(window.statuses, ElementsAre(TSynStatusChanges{scReadOnly}));
}

} // namespace
} // namespace marlinet::editor
