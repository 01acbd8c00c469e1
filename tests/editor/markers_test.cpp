// Markers on the lines: how they follow every kind of edit, the breakpoint
// and bookmark operations and their notifications, the bookmark keys, the
// gutter's hit test and what the gutter draws for each kind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "fake_window.h"

namespace marlinet::editor {
namespace {

using ::testing::ElementsAre;
using testing::FakeWindow;
using testing::Keys;
using testing::LoadWithCaret;
using testing::RecordingCanvas;
using testing::TestEditor;

class Markers : public ::testing::Test {
protected:
    Markers() {
        edit.SetOptions(testing::kWindowOptions);
        edit.Markers().AddChangeListener(TSynMarkerChangeEvent::Of<&Markers::Heard>(this));
    }
    ~Markers() override {
        edit.Markers().RemoveChangeListener(TSynMarkerChangeEvent::Of<&Markers::Heard>(this));
    }
    std::vector<int> BreakpointLines() const {
        std::vector<int> lines;
        for (const TSynBreakpoint& b : edit.Markers().Breakpoints())
            lines.push_back(b.Line);
        return lines;
    }
    void Heard(TObject*, TSynMarkerKinds Kinds, int First, int Last) {
        heard.push_back({Kinds, First, Last});
    }
    struct Change {
        TSynMarkerKinds kinds;
        int first, last;
        bool operator==(const Change&) const = default;
    };
    FakeWindow window;
    TestEditor edit{window};
    std::vector<Change> heard;
};

// --- Following the lines ------------------------------------------------------------------

struct MoveCase {
    const char* name;
    const char* before; // '|' is the caret
    std::vector<int> breakpoints;
    std::function<void(TCustomSynEdit&)> edit;
    std::vector<int> after;
};

void PrintTo(const MoveCase& c, std::ostream* os) {
    *os << c.name;
}

auto Typed(const char* keys) {
    return [keys](TCustomSynEdit& e) { Keys(e, keys); };
}
auto Selected(TBufferCoord from, TBufferCoord to, const char* keys) {
    return [=](TCustomSynEdit& e) {
        e.SetBlockBegin(from);
        e.SetBlockEnd(to);
        e.SetCaretXY(to);
        Keys(e, keys);
    };
}

const MoveCase kMoveCases[] = {
    {"TypingKeepsThem", "A\nB|\nC", {2}, Typed("XY{DeleteLastChar}"), {2}},
    {"EnterAtColumnOneMovesTheLineDown", "A\n|B\nC", {2, 3}, Typed("{LineBreak}"), {3, 4}},
    {"EnterInsideKeepsItOnTheFirstHalf", "A\nB|B\nC", {2, 3}, Typed("{LineBreak}"), {2, 4}},
    {"EnterAtTheEndMovesOnlyTheLinesBelow", "A\nB|\nC", {2, 3}, Typed("{LineBreak}"), {2, 4}},
    {"BackspaceJoinDropsTheJoinedLine", "A\n|B\nC", {1, 2, 3}, Typed("{DeleteLastChar}"), {1, 2}},
    {"BackspaceOfAnEmptyLineAboveMovesItUp", "A\n\n|B", {3}, Typed("{DeleteLastChar}"), {2}},
    {"DeleteLineDropsIt", "A\n|B\nC", {2, 3}, Typed("{DeleteLine}"), {2}},
    {"BlockDeleteOfWholeLines",
     "A\nB\nC\nD",
     {2, 3, 4},
     Selected({1, 2}, {1, 4}, "{DeleteChar}"),
     {2}},
    {"BlockDeleteInsideLines",
     "A\nBB\nC\nDD",
     {2, 3, 4},
     Selected({2, 2}, {2, 4}, "{DeleteChar}"),
     {2}},
    {"PastedLinesPushItDown",
     "A\n|B",
     {1, 2},
     [](TCustomSynEdit& e) {
         FakeWindow::Clipboard() = {"X\r\nY\r\n", false, {}};
         e.PasteFromClipboard();
     },
     {1, 4}},
    {"DroppedLinesPushItDown",
     "A\nB",
     {2},
     [](TCustomSynEdit& e) { e.DragDrop(nullptr, "X\r\n", {}, e.TextOffset(), 25); },
     {3}},
    {"UndoOfEnterBringsItBack", "A\n|B", {2}, Typed("{LineBreak}{Undo}"), {2}},
    {"RedoOfEnterMovesItAgain", "A\n|B", {2}, Typed("{LineBreak}{Undo}{Redo}"), {3}},
    {"LineStoreInsertAndDelete",
     "A\nB\nC",
     {1, 3},
     [](TCustomSynEdit& e) {
         e.Lines().Insert(0, "new");
         e.Lines().Delete(1);
     },
     {3}},
    {"ClearDropsAll", "A\nB", {1, 2}, [](TCustomSynEdit& e) { e.Lines().Clear(); }, {}},
    {"ReloadOfTheSameTextKeepsThem",
     "A\nB\nC",
     {1, 3},
     [](TCustomSynEdit& e) {
         std::istringstream file("A\r\nB\r\nC");
         e.Lines().LoadFromStream(file);
     },
     {1, 3}},
    {"ReloadKeepsOnlyLinesThatCameBackUnchanged",
     "A\nB\nC",
     {1, 2, 3},
     [](TCustomSynEdit& e) { e.Lines().SetText("A\nX\nC\nD"); },
     {1, 3}},
};

class MarkersMove : public Markers, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MarkersMove, WithTheirLines) {
    const MoveCase& c = GetParam();
    LoadWithCaret(edit, c.before);
    for (int line : c.breakpoints)
        edit.Markers().ToggleBreakpoint(line);
    c.edit(edit);
    EXPECT_EQ(BreakpointLines(), c.after);
}

INSTANTIATE_TEST_SUITE_P(Edits, MarkersMove, ::testing::ValuesIn(kMoveCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Markers, EveryKindMovesAndIsDroppedWithItsLine) {
    LoadWithCaret(edit, "A\n|B\nC");
    TSynMarkerSet& m = edit.Markers();
    m.SetExecutionLine(2);
    m.SetErrorLine(3);
    m.SetBookmark(4, {1, 3});
    Keys(edit, "{LineBreak}");
    EXPECT_EQ(m.ExecutionLine(), 3);
    EXPECT_EQ(m.ErrorLine(), 4);
    EXPECT_EQ(edit.Marks().at(0).Line, 4);
    EXPECT_EQ(heard.back(), (Change{{mkBookmark, mkExecutionPoint, mkErrorLine}, 2, INT_MAX}));
    heard.clear();
    edit.Lines().Delete(3);
    EXPECT_EQ(m.ErrorLine(), 0);
    EXPECT_TRUE(edit.Marks().empty());
    EXPECT_EQ(m.ExecutionLine(), 3);
    EXPECT_THAT(heard, ElementsAre(Change{{mkBookmark, mkErrorLine}, 4, INT_MAX}));
}

// --- Operations ---------------------------------------------------------------------------

TEST_F(Markers, BreakpointsAndTheRunsLinesAreSetAlteredAndReportedLineByLine) {
    edit.Lines().SetText("A\nB\nC");
    TSynMarkerSet& m = edit.Markers();
    heard.clear();
    EXPECT_TRUE(m.ToggleBreakpoint(3));
    EXPECT_FALSE(m.ToggleBreakpoint(4)); // no such line
    EXPECT_FALSE(m.ToggleBreakpoint(0));
    EXPECT_TRUE(m.SetBreakpointEnabled(3, false));
    EXPECT_TRUE(m.SetBreakpointCondition(3, "I > 10"));
    EXPECT_TRUE(m.SetBreakpointHitCount(3, -2));   // 0 already: nothing heard
    EXPECT_TRUE(m.SetBreakpointEnabled(3, false)); // no change either
    EXPECT_FALSE(m.SetBreakpointHitCount(2, 5));
    EXPECT_EQ(*m.BreakpointAt(3), (TSynBreakpoint{3, false, "I > 10", 0}));
    EXPECT_EQ(heard.size(), 3u);
    EXPECT_FALSE(m.ToggleBreakpoint(3));
    EXPECT_EQ(m.BreakpointAt(3), nullptr);
    m.SetBreakpoints({{3, true, "", 0}, {9, true, "", 0}, {1, true, "A", 0}, {3, false, "", 2}});
    EXPECT_THAT(m.Breakpoints(),
                ElementsAre(TSynBreakpoint{1, true, "A", 0}, TSynBreakpoint{3, false, "", 2}));
    EXPECT_EQ(heard.back(), (Change{{mkBreakpoint}, 1, 3}));

    heard.clear();
    m.SetExecutionLine(1);
    m.SetExecutionLine(3);
    m.SetExecutionLine(7); // not in the text: cleared
    m.SetErrorLine(2);
    EXPECT_EQ(m.ExecutionLine(), 0);
    EXPECT_THAT(heard,
                ElementsAre(Change{{mkExecutionPoint}, 1, 1}, Change{{mkExecutionPoint}, 1, 1},
                            Change{{mkExecutionPoint}, 3, 3}, Change{{mkExecutionPoint}, 3, 3},
                            Change{{mkErrorLine}, 2, 2}));
}

// A breakpoint set on a line that has one replaces it; one set beside
// others goes between them.
TEST_F(Markers, SetBreakpointReplacesTheOneOnItsLineAndKeepsItsNeighbours) {
    edit.Lines().SetText("A\nB\nC");
    TSynMarkerSet& m = edit.Markers();
    m.SetBreakpoints({{1, true, "", 0}, {3, true, "", 0}});
    heard.clear();
    EXPECT_TRUE(m.SetBreakpoint({2, true, "", 0}));
    EXPECT_TRUE(m.SetBreakpoint({3, false, "X", 1}));
    EXPECT_TRUE(m.SetBreakpoint({3, false, "X", 1})); // no change: nothing heard
    EXPECT_THAT(m.Breakpoints(),
                ElementsAre(TSynBreakpoint{1, true, "", 0}, TSynBreakpoint{2, true, "", 0},
                            TSynBreakpoint{3, false, "X", 1}));
    EXPECT_THAT(heard, ElementsAre(Change{{mkBreakpoint}, 2, 2}, Change{{mkBreakpoint}, 3, 3}));
}

// --- Bookmark keys -------------------------------------------------------------------------

TEST_F(Markers, ShiftCtrlDigitSetsMovesAndClearsCtrlDigitGoesThere) {
    edit.Lines().SetText(std::string(99, '\n'));
    edit.SetCaretXY({3, 80});
    std::uint16_t key = '3';
    ASSERT_TRUE(edit.KeyDown(key, {ssShift, ssCtrl}));
    TBufferCoord at;
    ASSERT_TRUE(edit.Markers().GetBookmark(3, at));
    EXPECT_EQ(at, (TBufferCoord{3, 80}));
    edit.SetCaretXY({1, 1});
    edit.SetBlockEnd({2, 2});
    edit.CommandProcessor(ecGotoMarker(3), '\0', nullptr);
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{3, 80}));
    EXPECT_FALSE(edit.SelAvail());
    EXPECT_EQ(edit.TopLine(), 80 - edit.LinesInWindow() + 1);

    edit.SetCaretXY({5, 80}); // the same line: cleared
    edit.CommandProcessor(ecSetMarker(3), '\0', nullptr);
    EXPECT_FALSE(edit.Markers().GetBookmark(3, at));
    edit.CommandProcessor(ecSetMarker(3), '\0', nullptr);
    edit.SetCaretXY({1, 9}); // another line: moved
    edit.CommandProcessor(ecSetMarker(3), '\0', nullptr);
    EXPECT_THAT(edit.Marks(), ElementsAre(TSynEditMark{9, 1, 3, 3, true}));
    edit.BookMarkOptions().SetEnableKeys(false);
    edit.CommandProcessor(ecSetMarker(3), '\0', nullptr);
    EXPECT_EQ(edit.Marks().size(), 1u);
}

// Only the numbers 0 to 9 name bookmarks, and only a line of the text holds
// one; anything else is refused and sets nothing.
TEST_F(Markers, BookmarksAreNumberedFromZeroToNineAndSitOnALine) {
    edit.Lines().SetText("a\nbc\nd");
    struct Case {
        int number, line;
        bool valid;
    };
    for (const Case c : {Case{-1, 2, false}, Case{0, 2, true}, Case{9, 2, true}, Case{10, 2, false},
                         Case{5, 4, false}, Case{5, 0, false}}) {
        EXPECT_EQ(edit.Markers().SetBookmark(c.number, {2, c.line}), c.valid) << c.number;
        int x = 0, y = 0;
        const TBufferCoord expected = c.valid ? TBufferCoord{2, c.line} : TBufferCoord{0, 0};
        EXPECT_EQ(edit.GetBookMark(c.number, x, y), c.valid) << c.number;
        EXPECT_EQ((TBufferCoord{x, y}), expected) << c.number;
    }
}

// --- Gutter clicks -------------------------------------------------------------------------

struct ClickRecorder {
    void On(TObject*, TMouseButton B, TShiftState S, int, int, int Line) {
        clicks.push_back("line " + std::to_string(Line) + " button " + std::to_string(B) +
                         " shift " + std::to_string(S.Bits()));
    }
    std::vector<std::string> clicks;
};

TEST_F(Markers, APressInTheGutterIsReportedAndLeavesCaretAndSelection) {
    LoadWithCaret(edit, "A\nBB|B\nC");
    edit.SetBlockBegin({1, 1});
    edit.SetBlockEnd({2, 2});
    ClickRecorder recorder;
    edit.OnGutterClick = TGutterClickEvent::Of<&ClickRecorder::On>(&recorder);
    ASSERT_EQ(edit.GutterWidth(), 30);
    edit.MouseDown(mbLeft, {ssLeft}, 29, 45); // the gutter's last pixel column, row 3
    edit.MouseUp(mbLeft, {}, 29, 45);
    edit.MouseDown(mbRight, {ssCtrl}, 0, 5);
    edit.MouseUp(mbRight, {}, 0, 5);
    edit.MouseDown(mbLeft, {ssLeft}, 10, 75); // below the text: nothing to report
    EXPECT_THAT(recorder.clicks, ElementsAre("line 3 button 0 shift 8", "line 1 button 1 shift 4"));
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{3, 2}));
    EXPECT_EQ(edit.BlockEnd(), (TBufferCoord{2, 2}));
    EXPECT_FALSE(window.capture);

    edit.MouseDown(mbLeft, {ssLeft}, 30, 45); // the margin belongs to the text
    edit.MouseUp(mbLeft, {}, 30, 45);
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{1, 3}));
    EXPECT_EQ(recorder.clicks.size(), 2u);
}

// --- Drawing -------------------------------------------------------------------------------

// The glyphs a paint drew: "d" for the run's markers, "b" for bookmarks,
// then the glyph's number, its x and its line.
std::vector<std::string> Glyphs(TCustomSynEdit& edit, const FakeWindow& window) {
    RecordingCanvas canvas({0, 0, window.width, window.height});
    edit.Paint(canvas);
    std::vector<std::string> glyphs;
    for (const auto& op : canvas.ops) {
        // A bitmap's rect holds its source: left, top, width, height.
        if (op.kind != testing::DrawOp::Bitmap) continue;
        const bool debug = op.rect.Bottom == EditorDebugImages().Height;
        glyphs.push_back((debug ? "d" : "b") + std::to_string(op.sourceLeft / op.rect.Right) + "@" +
                         std::to_string(op.x) + "," + std::to_string(op.y / 20 + 1));
    }
    return glyphs;
}

TEST_F(Markers, TheGutterDrawsEachKindAndRepaintsOnlyTheRowsThatChanged) {
    edit.Lines().SetText("A\nB\nC\nD");
    TSynMarkerSet& m = edit.Markers();
    window.Forget();
    m.ToggleBreakpoint(2);
    EXPECT_THAT(window.invalidated, ElementsAre(TRect{0, 20, 30, 40}));
    m.SetBreakpoint({3, false, "", 0});
    m.SetExecutionLine(3);
    m.SetErrorLine(4);
    m.SetBookmark(7, {1, 1});
    EXPECT_THAT(Glyphs(edit, window),
                ElementsAre("d0@2,2", "d1@2,3", "d3@2,4", "d2@2,3", "b7@2,1"));

    // A bookmark beside a run's marker goes right of it, and the gutter
    // widens so that the numbers keep clear of both.
    edit.Gutter().SetShowLineNumbers(true);
    const int narrow = edit.GutterWidth();
    m.SetBookmark(7, {1, 2});
    EXPECT_EQ(edit.GutterWidth(), narrow + 26 - 16);
    EXPECT_EQ(Glyphs(edit, window).back(), "b7@14,2");
    m.ClearBookmark(7);
    EXPECT_EQ(edit.GutterWidth(), narrow);
}

} // namespace
} // namespace marlinet::editor
