// Scrolling, the scroll bar and its hint, the wheel, the caret's place and
// shape, and the highlighter ranges kept per line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/highlighter_ranges.h"
#include "fake_window.h"
#include "highlight/custom_highlighter.h"

namespace marlinet::editor {
namespace {

using ::testing::ElementsAre;
using testing::FakeWindow;
using testing::RecordingCanvas;
using testing::TestEditor;

std::string NumberedLines(int Count) {
    std::string text;
    for (int i = 1; i <= Count; ++i) {
        text += "10 PRINT " + std::to_string(i);
        if (i < Count) text += '\n';
    }
    return text;
}

class Scrolling : public ::testing::Test {
protected:
    FakeWindow window;
    TestEditor edit{window};
};

// --- Vertical scrolling ------------------------------------------------------------------

TEST_F(Scrolling, OneLineMovesThePixelsByOneRowAndRepaintsNothingElse) {
    edit.Lines().SetText(NumberedLines(50));
    window.Forget();
    edit.SetTopLine(2);
    EXPECT_THAT(window.scrolls, ElementsAre(FakeWindow::Scroll{0, -20, {0, 0, 400, 200}}));
    EXPECT_TRUE(window.invalidated.empty());
    EXPECT_THAT(window.statuses, ElementsAre(TSynStatusChanges{scTopLine}));
}

TEST_F(Scrolling, AJumpOfAWindowOrMoreRepaintsEverything) {
    edit.Lines().SetText(NumberedLines(50));
    window.Forget();
    edit.SetTopLine(11);
    EXPECT_TRUE(window.scrolls.empty());
    EXPECT_THAT(window.invalidated, ElementsAre(TRect{0, 0, 400, 200}));
}

TEST_F(Scrolling, TopLineStaysWithinTheText) {
    edit.Lines().SetText(NumberedLines(50));
    edit.SetTopLine(100);
    EXPECT_EQ(edit.TopLine(), 41); // the last line at the bottom
    edit.SetTopLine(-4);
    EXPECT_EQ(edit.TopLine(), 1);
    edit.SetOptions(edit.Options() | TSynEditorOptions{eoScrollPastEof});
    edit.SetTopLine(100);
    EXPECT_EQ(edit.TopLine(), 50);
}

TEST_F(Scrolling, LeftCharScrollsTheTextAreaOnly) {
    edit.Lines().SetText("X");
    window.Forget();
    edit.SetLeftChar(3);
    EXPECT_THAT(window.scrolls, ElementsAre(FakeWindow::Scroll{-20, 0, {32, 0, 400, 200}}));
    EXPECT_EQ(edit.TextOffset(), 32 - 20);
    edit.SetLeftChar(5000);
    EXPECT_EQ(edit.LeftChar(), 1024 - edit.CharsInWindow() + 1);
}

TEST_F(Scrolling, CaretIsKeptVisible) {
    edit.Lines().SetText(NumberedLines(50));
    edit.SetCaretXY({1, 30});
    edit.EnsureCursorPosVisible();
    EXPECT_EQ(edit.TopLine(), 21);
    edit.SetCaretXY({60, 5});
    edit.EnsureCursorPosVisible();
    EXPECT_EQ(edit.TopLine(), 5);
    EXPECT_EQ(edit.LeftChar(), 60 - edit.CharsInWindow() + 1);
    edit.SetCaretXY({2, 5});
    edit.EnsureCursorPosVisibleEx(true);
    EXPECT_EQ(edit.LeftChar(), 2);
    edit.SetCaretXY({1, 40});
    edit.EnsureCursorPosVisibleEx(true);
    EXPECT_EQ(edit.TopLine(), 40 - 4); // about the middle
}

// The view moves only for a line not wholly in the 10-row window, and then
// puts it on the fifth row, as far as the text's ends allow.
TEST_F(Scrolling, ShowLineCentredScrollsOnlyToALineOutOfView) {
    edit.Lines().SetText(NumberedLines(50));
    edit.SetCaretXY({3, 2});
    const int cases[][3] = {{11, 11, 11}, {11, 20, 11}, {11, 21, 17}, {11, 10, 6},
                            {1, 50, 41},  {30, 1, 1},   {1, 99, 41},  {30, -3, 1}};
    for (const auto& [top, line, expected] : cases) {
        edit.SetTopLine(top);
        edit.ShowLineCentred(line);
        EXPECT_EQ(edit.TopLine(), expected) << top << ", line " << line;
    }
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{3, 2}));
}

// --- Scroll bar ------------------------------------------------------------------------------

TEST_F(Scrolling, EmptyTextHasRangeZeroToOneAndNoArrows) {
    edit.UpdateScrollBars();
    EXPECT_EQ(window.scrollBar.Min, 0);
    EXPECT_EQ(window.scrollBar.Max, 1);
    EXPECT_EQ(window.scrollBar.Page, 10);
    EXPECT_FALSE(window.scrollBar.UpArrowEnabled);
    EXPECT_FALSE(window.scrollBar.DownArrowEnabled);
}

TEST_F(Scrolling, RangePageAndPositionFollowTheText) {
    edit.Lines().SetText(NumberedLines(50));
    edit.SetTopLine(7);
    EXPECT_EQ(window.scrollBar, (TSynScrollInfo{true, 0, 50, 10, 7, true, true}));
    // Past the end the last line can reach the top row.
    edit.SetOptions(edit.Options() | TSynEditorOptions{eoScrollPastEof});
    edit.UpdateScrollBars();
    EXPECT_EQ(window.scrollBar, (TSynScrollInfo{true, 0, 59, 10, 7, true, true}));
    edit.SetScrollBars(ssHorizontal);
    EXPECT_FALSE(window.scrollBar.Visible);
}

// An arrow is enabled only towards lines out of view, or while the text is
// too long for the window; a short text scrolled past its end shows all of
// its lines, so only the up arrow is enabled.
TEST_F(Scrolling, ArrowsFollowWhetherTheTextFitsAndTheTopLine) {
    struct Case {
        int lines, top;
        bool up, down;
    };
    edit.SetOptions(edit.Options() | TSynEditorOptions{eoScrollPastEof});
    for (const Case& c : {Case{5, 1, false, false}, Case{5, 3, true, false},
                          Case{10, 2, true, false}, Case{11, 2, true, true}}) {
        SCOPED_TRACE(std::to_string(c.lines) + " lines from " + std::to_string(c.top));
        edit.Lines().SetText(NumberedLines(c.lines));
        edit.SetTopLine(c.top);
        ASSERT_EQ(edit.TopLine(), c.top);
        EXPECT_EQ(window.scrollBar.UpArrowEnabled, c.up);
        EXPECT_EQ(window.scrollBar.DownArrowEnabled, c.down);
    }
}

TEST_F(Scrolling, FortyThousandLinesAreScaledIntoTheBarsRange) {
    edit.Lines().SetText(NumberedLines(40000));
    edit.SetTopLine(20000);
    EXPECT_EQ(window.scrollBar.Max, 32767);
    EXPECT_EQ(window.scrollBar.Page, 10 * 32767 / 40000);
    EXPECT_EQ(window.scrollBar.Position, 20000LL * 32767 / 40000);
    edit.WMVScroll(SB_THUMBPOSITION, 16384);
    EXPECT_NEAR(edit.TopLine(), 20000, 20);
    edit.WMVScroll(SB_THUMBPOSITION, 32767);
    EXPECT_EQ(edit.TopLine(), 40000 - 10 + 1);
}

TEST_F(Scrolling, ScrollBarRequestsMoveTheTopLineAndRepaintAtOnce) {
    edit.Lines().SetText(NumberedLines(100));
    struct Counter {
        int n = 0;
        void Scrolled(TObject*, TScrollBarKind kind) { n += kind == sbVertical; }
    } counter;
    edit.OnScroll = TScrollEvent::Of<&Counter::Scrolled>(&counter);
    edit.WMVScroll(SB_LINEDOWN, 0);
    EXPECT_EQ(edit.TopLine(), 2);
    edit.WMVScroll(SB_PAGEDOWN, 0);
    EXPECT_EQ(edit.TopLine(), 12);
    edit.WMVScroll(SB_LINEUP, 0);
    edit.WMVScroll(SB_PAGEUP, 0);
    EXPECT_EQ(edit.TopLine(), 1);
    edit.WMVScroll(SB_BOTTOM, 0);
    EXPECT_EQ(edit.TopLine(), 91);
    edit.WMVScroll(SB_TOP, 0);
    EXPECT_EQ(edit.TopLine(), 1);
    edit.WMVScroll(SB_THUMBTRACK, 33);
    EXPECT_EQ(edit.TopLine(), 33);
    EXPECT_EQ(counter.n, 7);
    EXPECT_GE(window.updates, 7);
}

TEST_F(Scrolling, ThumbTrackingShowsTheTopLineHintUntilTheEnd) {
    edit.Lines().SetText(NumberedLines(100));
    edit.WMVScroll(SB_THUMBTRACK, 42);
    EXPECT_TRUE(window.hintShown);
    EXPECT_EQ(window.hintText, "Top Line: 42");
    EXPECT_EQ(window.hintColor, clInfoBk);
    EXPECT_EQ(window.hintMaxWidth, 200);
    const int width = static_cast<int>(std::string("Top Line: 42").size()) * 6 + 6;
    EXPECT_EQ(window.hintRect, (TRect{400 - width - 4, 10, 400 - 4, 26}));
    edit.SetScrollHintFormat(shfTopToBottom);
    edit.WMVScroll(SB_THUMBTRACK, 50);
    EXPECT_EQ(window.hintText, "50 - 59");
    edit.WMVScroll(SB_ENDSCROLL, 0);
    EXPECT_FALSE(window.hintShown);

    edit.SetOptions(TSynEditorOptions{eoScrollPastEol});
    edit.WMVScroll(SB_THUMBTRACK, 60);
    EXPECT_FALSE(window.hintShown);
}

TEST_F(Scrolling, ScrollBarUpdatesWaitForThePaintLock) {
    edit.Lines().SetText(NumberedLines(100));
    window.scrollBar = {};
    edit.IncPaintLock();
    edit.SetTopLine(5);
    edit.SetTopLine(9);
    EXPECT_EQ(window.scrollBar.Position, 0);
    EXPECT_TRUE(edit.StateFlags().Contains(sfScrollbarChanged));
    edit.DecPaintLock();
    EXPECT_EQ(window.scrollBar.Position, 9);
    EXPECT_FALSE(edit.StateFlags().Contains(sfScrollbarChanged));
}

// --- Wheel ------------------------------------------------------------------------------------

TEST_F(Scrolling, WheelScrollsByTheUsersLinesPerWholeNotch) {
    edit.Lines().SetText(NumberedLines(100));
    edit.SetTopLine(50);
    edit.MouseWheel(-120, {});
    EXPECT_EQ(edit.TopLine(), 53);
    edit.MouseWheel(60, {});
    EXPECT_EQ(edit.TopLine(), 53); // half a notch waits for the other half
    edit.MouseWheel(60, {});
    EXPECT_EQ(edit.TopLine(), 50);
    edit.MouseWheel(-120, {ssCtrl});
    EXPECT_EQ(edit.TopLine(), 60);
    window.wheelLines = 50; // never more than a window
    edit.MouseWheel(120, {});
    EXPECT_EQ(edit.TopLine(), 50);
}

// --- Caret -----------------------------------------------------------------------------------

TEST_F(Scrolling, CaretSitsAtItsCellWithTheShapesOffset) {
    edit.Lines().SetText("10 PRINT A\n20 END");
    window.focused = true;
    edit.FocusIn();
    EXPECT_EQ(window.caretSize, (TSize{2, 18}));
    edit.SetCaretXY({3, 2});
    // Column 3 starts at 32 + 2 * 10; a vertical line stands one pixel left.
    EXPECT_EQ(window.caretPos, (TPoint{51, 21}));
    EXPECT_TRUE(window.caretShown);
    EXPECT_EQ(edit.RowColumnToPixels({3, 2}), (TPoint{52, 20}));

    edit.SetInsertMode(false);
    EXPECT_EQ(window.caretSize, (TSize{10, 18}));
    EXPECT_EQ(window.caretPos, (TPoint{52, 21}));
    edit.SetOverwriteCaret(ctHorizontalLine);
    EXPECT_EQ(window.caretSize, (TSize{10, 2}));
    EXPECT_EQ(window.caretPos, (TPoint{52, 20 + 18 + 1}));
    edit.SetOverwriteCaret(ctHalfBlock);
    EXPECT_EQ(window.caretSize, (TSize{10, 9}));

    edit.FocusOut();
    EXPECT_FALSE(window.caretExists);
}

TEST_F(Scrolling, CaretOutsideTheWindowIsHiddenAndMovesWaitForThePaintLock) {
    edit.Lines().SetText(NumberedLines(50));
    window.focused = true;
    edit.FocusIn();
    edit.SetTopLine(20);
    EXPECT_FALSE(window.caretShown);
    edit.IncPaintLock();
    edit.SetCaretXY({1, 25});
    EXPECT_FALSE(window.caretShown);
    edit.DecPaintLock();
    EXPECT_TRUE(window.caretShown);
    EXPECT_EQ(window.caretPos, (TPoint{31, 5 * 20 + 1}));
}

TEST_F(Scrolling, PixelsAndCellsConvertBothWays) {
    edit.Lines().SetText(NumberedLines(50));
    edit.SetTopLine(3);
    EXPECT_EQ(edit.PixelsToRowColumn(32, 0), (TDisplayCoord{1, 3}));
    EXPECT_EQ(edit.PixelsToRowColumn(41, 39), (TDisplayCoord{1, 4}));
    EXPECT_EQ(edit.PixelsToRowColumn(42, 40), (TDisplayCoord{2, 5}));
    EXPECT_EQ(edit.PixelsToRowColumn(0, 0), (TDisplayCoord{1, 3}));
    EXPECT_EQ(edit.PixelsToNearestRowColumn(36, 5), (TDisplayCoord{1, 3}));
    EXPECT_EQ(edit.PixelsToNearestRowColumn(37, 5), (TDisplayCoord{2, 3}));
    // Below the last whole row the nearest row is that row.
    EXPECT_EQ(edit.PixelsToNearestRowColumn(40, 500), (TDisplayCoord{2, 12}));
}

TEST_F(Scrolling, AutoSizedMaxScrollWidthGrowsWithAddedAndReplacedLines) {
    edit.SetOptions(edit.Options() | TSynEditorOptions{eoAutoSizeMaxScrollWidth});
    edit.SetMaxScrollWidth(20);
    edit.Lines().Add(std::string(25, 'x'));
    EXPECT_EQ(edit.MaxScrollWidth(), 25);
    edit.Lines().Put(0, std::string(30, 'y'));
    EXPECT_EQ(edit.MaxScrollWidth(), 30);
    edit.Lines().Put(0, "short");
    EXPECT_EQ(edit.MaxScrollWidth(), 30); // never shrinks
}

// --- Ranges ------------------------------------------------------------------------------------

// Braces open and close a construct that spans lines; the range is the
// nesting depth at the end of a line. Records the lines it scans.
class BraceHighlighter : public highlight::TSynCustomHighlighter {
public:
    BraceHighlighter() : TSynCustomHighlighter(nullptr) {}
    using TSynCustomHighlighter::SetLine;
    void SetLine(const std::string& Line, int LineNumber) override {
        line_ = &Line;
        pos_ = 0;
        scanned.push_back(LineNumber);
    }
    bool GetEol() const override { return pos_ >= static_cast<int>(line_->size()); }
    void Next() override {
        const char c = (*line_)[static_cast<std::size_t>(pos_)];
        if (c == '{') ++depth_;
        if (c == '}' && depth_ > 0) --depth_;
        ++pos_;
    }
    std::string GetToken() const override {
        return line_->substr(static_cast<std::size_t>(pos_), 1);
    }
    int GetTokenPos() const override { return pos_; }
    int GetTokenKind() const override { return 0; }
    highlight::TSynHighlighterAttributes* GetTokenAttribute() const override { return nullptr; }
    highlight::TSynHighlighterAttributes* GetDefaultAttribute(int) const override {
        return nullptr;
    }
    highlight::TSynRange GetRange() const override { return depth_; }
    void SetRange(highlight::TSynRange Value) override { depth_ = static_cast<int>(Value); }
    void ResetRange() override { depth_ = 0; }

    std::vector<int> scanned;

private:
    const std::string* line_ = nullptr;
    int pos_ = 0;
    int depth_ = 0;
};

// Ranges are computed when first needed; the fixture reads them all, so
// the tests below start from a text whose ranges are known.
class Ranges : public Scrolling {
protected:
    Ranges() {
        edit.Lines().SetText("a\n{\nb\nc\n}\nd\ne");
        edit.SetHighlighter(&highlighter);
        StoredRanges();
        highlighter.scanned.clear();
    }
    std::vector<TSynEditRange> StoredRanges() const {
        std::vector<TSynEditRange> out;
        for (int i = 0; i < edit.Lines().Count(); ++i)
            out.push_back(edit.Lines().GetRange(i));
        return out;
    }
    BraceHighlighter highlighter;
};

TEST_F(Ranges, AreScannedOnlyAsFarAsTheyAreReadOrPainted) {
    EXPECT_THAT(StoredRanges(), ElementsAre(0, 1, 1, 1, 0, 0, 0));
    BraceHighlighter fresh;
    edit.SetHighlighter(&fresh);
    EXPECT_THAT(fresh.scanned, ElementsAre());
    EXPECT_EQ(edit.Lines().GetRange(2), 1);
    EXPECT_THAT(fresh.scanned, ElementsAre(0, 1, 2));
    edit.SetTopLine(1);
    RecordingCanvas canvas({0, 0, 400, 80}); // rows 1 to 4
    edit.Paint(canvas);
    // Row 4 starts in the range line 3 ends in; painting scans the lines it shows.
    EXPECT_THAT(fresh.scanned, ElementsAre(0, 1, 2, 0, 1, 2, 3));
    EXPECT_THAT(StoredRanges(), ElementsAre(0, 1, 1, 1, 0, 0, 0));
    edit.SetHighlighter(&highlighter);
}

// Asked for more lines than there are, the ranges stop at the last line,
// and a line added afterwards waits for its turn.
TEST(HighlighterRanges, MakeCurrentPastTheLastLineScansOnlyTheLinesThere) {
    TSynEditStringList lines;
    lines.SetText("a\n{\nb");
    BraceHighlighter highlighter;
    TSynHighlighterRanges ranges(lines);
    ranges.SetHighlighter(&highlighter);
    ranges.MakeCurrent(5);
    EXPECT_THAT(highlighter.scanned, ElementsAre(0, 1, 2));
    EXPECT_EQ(lines.StoredRange(2), 1);
    lines.Add("}");
    ranges.LinesInserted(3, 1);
    EXPECT_THAT(highlighter.scanned, ElementsAre(0, 1, 2));
}

TEST_F(Ranges, AnEditInsideAConstructRescansOneLine) {
    edit.Lines().Put(2, "bb");
    EXPECT_THAT(highlighter.scanned, ElementsAre(2));
}

TEST_F(Ranges, ChangingTheLineThatOpensAConstructRescansUntilARangeMatches) {
    window.Forget();
    edit.Lines().Put(1, "x");
    EXPECT_THAT(highlighter.scanned, ElementsAre(1, 2, 3, 4));
    EXPECT_THAT(StoredRanges(), ElementsAre(0, 0, 0, 0, 0, 0, 0));
    // The rescanned lines are repainted with it.
    EXPECT_THAT(window.invalidated, ElementsAre(TRect{30, 20, 400, 100}));
    EXPECT_EQ(edit.ScanFrom(6), 6);
    EXPECT_EQ(edit.ScanFrom(99), 99);
}

TEST_F(Ranges, InsertedAndDeletedLinesAreScannedFromTheirPlace) {
    edit.Lines().Insert(1, "{");
    EXPECT_THAT(highlighter.scanned, ElementsAre(1, 2, 3, 4, 5, 6, 7));
    EXPECT_THAT(StoredRanges(), ElementsAre(0, 1, 2, 2, 2, 1, 1, 1));
    highlighter.scanned.clear();
    edit.Lines().Delete(1);
    EXPECT_THAT(StoredRanges(), ElementsAre(0, 1, 1, 1, 0, 0, 0));
    EXPECT_THAT(highlighter.scanned, ElementsAre(1, 2, 3, 4, 5, 6));
}

TEST_F(Ranges, EditsOfSeveralLinesLeaveTheRangesAWholeScanGives) {
    struct Edit {
        TBufferCoord from, to;
        const char* text;
    };
    for (const Edit& e : {Edit{{1, 2}, {1, 4}, "}\n{\n{x"}, Edit{{1, 1}, {2, 5}, "{"},
                          Edit{{2, 3}, {1, 6}, ""}, Edit{{1, 2}, {1, 2}, "{\n}\n{"}}) {
        edit.SetBlockBegin(e.from);
        edit.SetBlockEnd(e.to);
        edit.SetSelText(e.text);
        const std::vector<TSynEditRange> kept = StoredRanges();
        edit.ScanRanges();
        EXPECT_EQ(StoredRanges(), kept) << edit.Lines().Text();
    }
}

TEST_F(Ranges, TheEditorUnbindsWhenTheHighlighterGoes) {
    {
        BraceHighlighter shortLived;
        edit.SetHighlighter(&shortLived);
        EXPECT_EQ(edit.Highlighter(), &shortLived);
    }
    EXPECT_EQ(edit.Highlighter(), nullptr);
    edit.Lines().Put(0, "{"); // would touch the dead highlighter if still bound
}

} // namespace
} // namespace marlinet::editor
