// Painting through the recording canvas: the gutter, token runs and their
// colours, the selection in each mode, tab cells and the text drawer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "editor/errors.h"
#include "editor/text_drawer.h"
#include "fake_window.h"

namespace marlinet::editor {
namespace {

using testing::DrawOp;
using testing::FakeWindow;
using testing::RecordingCanvas;
using testing::TestEditor;

constexpr TColor kLightCyan = testing::kWindowStringColor;

// A window with the main window's colours and highlighter on 10 x 20 cells.
class Display : public ::testing::Test {
protected:
    Display() {
        edit.SetColor(clBlack);
        edit.Font().SetColor(clLime);
    }
    RecordingCanvas PaintAll() {
        RecordingCanvas canvas({0, 0, window.width, window.height});
        edit.Paint(canvas);
        return canvas;
    }
    // Text writes on the row of a line (1-based, TopLine 1), left to right.
    static std::vector<DrawOp> RowTexts(const RecordingCanvas& canvas, int Line, int Left) {
        std::vector<DrawOp> out;
        for (const auto& op : canvas.Texts())
            if (op.y == (Line - 1) * 20 && op.x >= Left) out.push_back(op);
        return out;
    }
    void UseHighlighter() { edit.SetHighlighter(highlighter.get()); }

    FakeWindow window;
    TestEditor edit{window};
    std::unique_ptr<highlight::TSynVBSyn> highlighter = testing::MakeWindowHighlighter();
};

// --- Gutter ---------------------------------------------------------------------------

TEST_F(Display, GutterNumbersAreRightAlignedInTheDigitCount) {
    edit.Gutter().SetDigitCount(3);
    edit.Gutter().SetShowLineNumbers(true);
    // Gutter font "Courier New" 11 px: 6-pixel cells; 16 + 2 + 3 * 6 + 2.
    ASSERT_EQ(edit.GutterWidth(), 38);
    std::string text;
    for (int i = 1; i <= 1000; ++i)
        text += "X\n";
    edit.Lines().SetText(text);
    edit.SetTopLine(12);
    const RecordingCanvas canvas = PaintAll();
    std::vector<DrawOp> numbers;
    for (const auto& op : canvas.Texts())
        if (op.x < edit.GutterWidth()) numbers.push_back(op);
    ASSERT_EQ(numbers.size(), 10u);
    EXPECT_EQ(numbers[0].text, " 12");
    // 2 pixels plus RightOffset from the gutter's right edge.
    EXPECT_EQ(numbers[0].x, 38 - 2 - 2 - 18);
    EXPECT_EQ(numbers[0].y, (20 - 11) / 2);
    EXPECT_EQ(numbers[0].fontName, "Courier New");
    EXPECT_EQ(numbers[0].fontHeight, 11);
    EXPECT_EQ(numbers[0].back, clBtnFace);
    EXPECT_EQ(numbers[0].rect, (TRect{0, 0, 38, 20}));
    EXPECT_THAT(numbers[0].dx, ::testing::Each(6));

    edit.SetTopLine(995);
    const RecordingCanvas late = PaintAll();
    const auto it = std::find_if(late.ops.begin(), late.ops.end(),
                                 [](const DrawOp& op) { return op.text == "1000"; });
    ASSERT_NE(it, late.ops.end());
    EXPECT_EQ(it->x, 38 - 2 - 2 - 24); // written in full, further left
}

TEST_F(Display, GutterSettersClampAndFireTheirChangeEvent) {
    TSynGutter& gutter = edit.Gutter();
    gutter.SetDigitCount(1);
    EXPECT_EQ(gutter.DigitCount(), 2);
    gutter.SetDigitCount(40);
    EXPECT_EQ(gutter.DigitCount(), 12);
    EXPECT_EQ(gutter.AutoSizeDigitCountValue(), 12);
    gutter.SetLeftOffset(-5);
    EXPECT_EQ(gutter.LeftOffset(), 0);
    gutter.SetLineNumberStart(-3);
    EXPECT_EQ(gutter.LineNumberStart(), 0);
    EXPECT_TRUE(gutter.ZeroStart());
    gutter.SetLineNumberStart(5);
    EXPECT_FALSE(gutter.ZeroStart());

    int changes = 0;
    struct Counter {
        int* n;
        void Changed(TObject*) { ++*n; }
    } counter{&changes};
    gutter.OnChange = TNotifyEvent::Of<&Counter::Changed>(&counter);
    gutter.SetColor(gutter.Color());
    EXPECT_EQ(changes, 0);
    gutter.SetColor(clBlack);
    gutter.Font().SetHeight(15);
    EXPECT_EQ(changes, 2);
}

TEST(Gutter, LineNumberTextFollowsStartZerosAndAutoSize) {
    TSynGutter gutter;
    gutter.SetDigitCount(3);
    EXPECT_EQ(gutter.FormatLineNumber(7), "  7");
    gutter.SetLeadingZeros(true);
    EXPECT_EQ(gutter.FormatLineNumber(7), "007");
    EXPECT_EQ(gutter.FormatLineNumber(1234), "1234");
    gutter.SetLeadingZeros(false);
    gutter.SetZeroStart(true);
    EXPECT_EQ(gutter.FormatLineNumber(1), "  0");
    gutter.SetLineNumberStart(100);
    EXPECT_EQ(gutter.FormatLineNumber(2), "101");

    gutter.SetLineNumberStart(1);
    gutter.SetShowLineNumbers(true);
    gutter.SetAutoSize(true);
    gutter.AutoSizeDigitCount(123456);
    EXPECT_EQ(gutter.AutoSizeDigitCountValue(), 6);
    EXPECT_EQ(gutter.RealGutterWidth(6), 16 + 2 + 36 + 2);
    gutter.SetShowLineNumbers(false);
    EXPECT_EQ(gutter.RealGutterWidth(6), 30);
    gutter.SetVisible(false);
    EXPECT_EQ(gutter.RealGutterWidth(6), 0);
}

// Only a visible, auto-sized gutter showing numbers widens to the longest
// number; any other falls back to its digit count.
TEST(Gutter, AutoSizeNeedsVisibleAutoSizedAndNumbered) {
    struct Case {
        bool visible, autoSize, numbers;
        int digits;
    };
    for (const Case& c : {Case{true, true, true, 6}, Case{false, true, true, 4},
                          Case{true, false, true, 4}, Case{true, true, false, 4}}) {
        SCOPED_TRACE(::testing::Message() << c.visible << c.autoSize << c.numbers);
        TSynGutter gutter;
        gutter.SetVisible(c.visible);
        gutter.SetAutoSize(c.autoSize);
        gutter.SetShowLineNumbers(c.numbers);
        gutter.AutoSizeDigitCount(123456);
        EXPECT_EQ(gutter.AutoSizeDigitCountValue(), c.digits);
    }
}

TEST_F(Display, AnEmptyTextShowsRowOneNumbered) {
    edit.Gutter().SetShowLineNumbers(true);
    const RecordingCanvas canvas = PaintAll();
    const auto texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "   1");
}

TEST_F(Display, GutterBorderAndBookmarkGlyph) {
    edit.Lines().SetText("A\nB\nC");
    edit.SetBookMark(4, 1, 2);
    const RecordingCanvas canvas = PaintAll();
    std::vector<DrawOp> lines, bitmaps;
    for (const auto& op : canvas.ops) {
        if (op.kind == DrawOp::Line && op.rect.Left < 30) lines.push_back(op);
        if (op.kind == DrawOp::Bitmap) bitmaps.push_back(op);
    }
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rect.Left, 28);
    EXPECT_EQ(lines[0].fore, clWindow);
    EXPECT_EQ(lines[1].rect.Left, 29);
    EXPECT_EQ(lines[1].fore, clBtnFace);
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(bitmaps[0].x, 2);
    EXPECT_EQ(bitmaps[0].sourceLeft, 4 * EditorInternalImages().Width / 10);
    EXPECT_EQ(bitmaps[0].y, 20 + (20 - EditorInternalImages().Height) / 2);
}

// Each bookmark glyph shows its digit, every font pixel two by two, from
// the third pixel of the card across and down.
TEST_F(Display, BookmarkGlyphsShowTheirDigits) {
    static const char* const kDigits[] = {
        "###|#.#|#.#|#.#|###", ".#.|##.|.#.|.#.|###", "###|..#|###|#..|###", "###|..#|###|..#|###",
        "#.#|#.#|###|..#|..#", "###|#..|###|..#|###", "###|#..|###|#.#|###", "###|..#|..#|.#.|.#.",
        "###|#.#|###|#.#|###", "###|#.#|###|..#|###"};
    const TSynBitmap& strip = EditorInternalImages();
    const int width = strip.Width / 10;
    for (int n = 0; n < 10; ++n) {
        std::string art;
        for (int y = 2; y < 12; y += 2) {
            if (!art.empty()) art += '|';
            for (int x = 2; x < 8; x += 2) {
                int ink = 0;
                for (int d = 0; d < 4; ++d) {
                    const int at = (y + d / 2) * strip.Width + n * width + x + d % 2;
                    ink += strip.Pixels[static_cast<std::size_t>(at)] == RGB(0, 0, 0);
                }
                art += ink == 4 ? '#' : ink == 0 ? '.' : '?';
            }
        }
        EXPECT_EQ(art, kDigits[n]) << "bookmark " << n;
    }
}

// The breakpoint dot is round: its middle row and column reach five pixels
// out, its corners stay clear.
TEST_F(Display, BreakpointGlyphIsADisc) {
    const TSynBitmap& strip = EditorDebugImages();
    const int size = strip.Height, middle = size / 2, left = dgBreakpoint * size;
    auto at = [&](int dx, int dy) {
        return strip
            .Pixels[static_cast<std::size_t>((middle + dy) * strip.Width + left + middle + dx)];
    };
    for (const auto& [dx, dy] : {std::pair{0, 0}, {5, 0}, {0, -5}, {3, 4}, {-4, 3}})
        EXPECT_NE(at(dx, dy), clNone) << dx << "," << dy;
    for (const auto& [dx, dy] : {std::pair{5, 5}, {-5, -5}, {5, -3}, {-3, 5}, {4, 4}})
        EXPECT_EQ(at(dx, dy), clNone) << dx << "," << dy;
}

// --- Text -----------------------------------------------------------------------------

TEST_F(Display, TokensWithEqualLooksAreMergedIntoRuns) {
    UseHighlighter();
    edit.Lines().SetText("PRINT \"Hi\", A1 ' c");
    const RecordingCanvas canvas = PaintAll();
    const auto texts = RowTexts(canvas, 1, 30);
    std::vector<std::string> runs;
    for (const auto& op : texts)
        runs.push_back(op.text);
    // The blank after a token joins it whatever its own colour and style.
    EXPECT_THAT(runs, ::testing::ElementsAre("PRINT ", "\"Hi\"", ", ", "A1 ", "' c"));
    EXPECT_EQ(texts[0].fore, clWhite);
    EXPECT_EQ(texts[0].style, fsBold | fsItalic);
    EXPECT_EQ(texts[1].fore, kLightCyan);
    EXPECT_EQ(texts[2].fore, clLime); // symbols have no colour of their own
    EXPECT_EQ(texts[3].fore, clYellow);
    EXPECT_EQ(texts[4].style, fsItalic);
    for (const auto& op : texts) {
        EXPECT_EQ(op.back, clBlack);
        EXPECT_EQ(op.y, 0);
        EXPECT_THAT(op.dx, ::testing::Each(10));
    }
    EXPECT_EQ(texts[1].x, 32 + 6 * 10);
    EXPECT_EQ(texts[1].rect, (TRect{92, 0, 132, 20}));
}

TEST_F(Display, TabCellsAreBlanksAndTheTextAfterStandsInColumnNine) {
    UseHighlighter();
    edit.Lines().SetText("\tX");
    const auto texts = RowTexts(PaintAll(), 1, 30);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, std::string(8, ' '));
    EXPECT_EQ(texts[0].back, clBlack);
    EXPECT_EQ(texts[1].text, "X");
    EXPECT_EQ(texts[1].x, 32 + 8 * 10);
}

TEST_F(Display, DisabledHighlighterOrNoneWritesTheLinePlainly) {
    UseHighlighter();
    highlighter->SetEnabled(false);
    edit.Lines().SetText("PRINT 1");
    auto texts = RowTexts(PaintAll(), 1, 30);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "PRINT 1");
    EXPECT_EQ(texts[0].fore, clLime);
    EXPECT_TRUE(texts[0].style.Empty());
}

TEST_F(Display, TheRestAfterANulIsWrittenInOnePiece) {
    UseHighlighter();
    edit.Lines().SetText(std::string("A ' x\0yz", 8));
    const auto texts = RowTexts(PaintAll(), 1, 30);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, std::string("\0yz", 3));
    EXPECT_TRUE(texts.back().style.Empty());
    EXPECT_EQ(texts.back().fore, clLime); // the comment attribute has no colour
}

TEST_F(Display, SpecialLineColoursReplaceTheLineColours) {
    edit.Lines().SetText("ABC\nDEF");
    struct Colours {
        void Get(TObject*, int line, bool& special, TColor& fg, TColor& bg) {
            if (line != 2) return;
            special = true;
            fg = clBlack;
            bg = clYellow;
        }
    } colours;
    edit.OnSpecialLineColors = TSpecialLineColorsEvent::Of<&Colours::Get>(&colours);
    const RecordingCanvas canvas = PaintAll();
    const auto row2 = RowTexts(canvas, 2, 30);
    ASSERT_EQ(row2.size(), 1u);
    EXPECT_EQ(row2[0].fore, clBlack);
    EXPECT_EQ(row2[0].back, clYellow);
    EXPECT_EQ(RowTexts(canvas, 1, 30)[0].back, clBlack);
    // Its selection shows in its own colours, swapped.
    edit.SetBlockBegin({2, 2});
    edit.SetBlockEnd({3, 2});
    const auto selected = RowTexts(PaintAll(), 2, 30);
    ASSERT_EQ(selected.size(), 3u);
    EXPECT_EQ(selected[1].text, "E");
    EXPECT_EQ(selected[1].fore, clYellow);
    EXPECT_EQ(selected[1].back, clBlack);
}

TEST_F(Display, TheMarginOfTheCaretLineTakesTheActiveLineColour) {
    edit.Lines().SetText("A\nB\nC");
    edit.SetActiveLineColor(clYellow);
    edit.SetCaretXY({1, 2});
    const RecordingCanvas canvas = PaintAll();
    auto marginFill = [&](int Line) {
        for (const auto& op : canvas.ops)
            if (op.kind == DrawOp::Fill && op.rect == TRect{30, (Line - 1) * 20, 32, Line * 20})
                return op.fore;
        return clNone;
    };
    EXPECT_EQ(marginFill(1), clBlack);
    EXPECT_EQ(marginFill(2), clYellow);
    EXPECT_EQ(marginFill(3), clBlack);
}

TEST_F(Display, TheTokenAtAPositionAsTheHighlighterCutsItsLine) {
    edit.Lines().SetText("PRINT \"Hi\", A1\nEND");
    highlight::TSynHighlighterAttributes* attr = nullptr;
    std::string token;
    EXPECT_FALSE(edit.GetHighlighterAttriAtRowCol({1, 1}, token, attr)); // no highlighter
    UseHighlighter();
    struct Case {
        TBufferCoord at;
        std::string token;
        int kind, start;
        const highlight::TSynHighlighterAttributes* attr;
    };
    const Case cases[] = {
        {{1, 1}, "PRINT", highlight::tkKey, 1, highlighter->KeyAttri()},
        {{5, 1}, "PRINT", highlight::tkKey, 1, highlighter->KeyAttri()},
        {{6, 1}, " ", highlight::tkSpace, 6, highlighter->SpaceAttri()},
        {{10, 1}, "\"Hi\"", highlight::tkString, 7, highlighter->StringAttri()},
        {{14, 1}, "A1", highlight::tkIdentifier, 13, highlighter->IdentifierAttri()},
        {{2, 2}, "END", highlight::tkKey, 1, highlighter->KeyAttri()},
    };
    for (const Case& c : cases) {
        int kind = -1, start = -1;
        ASSERT_TRUE(edit.GetHighlighterAttriAtRowColEx(c.at, token, kind, start, attr))
            << c.at.X << "," << c.at.Y;
        EXPECT_EQ(token, c.token);
        EXPECT_EQ(kind, c.kind);
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(attr, c.attr);
    }
    for (const TBufferCoord outside : {TBufferCoord{15, 1}, TBufferCoord{1, 3}, TBufferCoord{0, 1}})
        EXPECT_FALSE(edit.GetHighlighterAttriAtRowCol(outside, token, attr));
}

// --- Selection ------------------------------------------------------------------------

class SelectionPainting : public Display {
protected:
    SelectionPainting() {
        edit.Lines().SetText("line one\nline two\nline three\nline four\nline five\nsix");
    }
    // The fill after the text of a row, in the selection colour, if any.
    static std::vector<DrawOp> SelectedFills(const RecordingCanvas& canvas, int Line) {
        std::vector<DrawOp> out;
        for (const auto& op : canvas.ops)
            if (op.kind == DrawOp::Fill && op.rect.Top == (Line - 1) * 20 && op.fore == clHighlight)
                out.push_back(op);
        return out;
    }
    static bool RowHasSelectedText(const RecordingCanvas& canvas, int Line) {
        for (const auto& op : RowTexts(canvas, Line, 30))
            if (op.back == clHighlight) return true;
        return false;
    }
};

TEST_F(SelectionPainting, LineModeColoursWholeRowsAcrossTheWidth) {
    edit.SetSelectionMode(smLine);
    edit.SetSelStart(edit.RowColToCharIndex({1, 3}));
    edit.SetSelLength(edit.RowColToCharIndex({1, 5}) - edit.SelStart());
    const RecordingCanvas canvas = PaintAll();
    for (int line = 3; line <= 5; ++line) {
        const auto texts = RowTexts(canvas, line, 30);
        ASSERT_EQ(texts.size(), 1u) << line;
        EXPECT_EQ(texts[0].back, clHighlight);
        EXPECT_EQ(texts[0].fore, clHighlightText);
        const auto fills = SelectedFills(canvas, line);
        ASSERT_EQ(fills.size(), 1u) << line;
        EXPECT_EQ(fills[0].rect.Right, 400); // beyond the line's end
    }
    EXPECT_FALSE(RowHasSelectedText(canvas, 2));
    EXPECT_FALSE(RowHasSelectedText(canvas, 6));
}

TEST_F(SelectionPainting, WorkbenchMarkOfTheExecutingLineShowsTheWholeLine) {
    edit.SetSelectionMode(smLine);
    edit.SetSelStart(edit.RowColToCharIndex({1, 5}));
    edit.SetSelLength(1);
    const RecordingCanvas canvas = PaintAll();
    EXPECT_EQ(RowTexts(canvas, 5, 30)[0].text, "line five");
    EXPECT_EQ(RowTexts(canvas, 5, 30)[0].back, clHighlight);
    EXPECT_EQ(SelectedFills(canvas, 5).size(), 1u);
    EXPECT_FALSE(RowHasSelectedText(canvas, 4));
}

TEST_F(SelectionPainting, NormalModeSplitsRunsAtTheEndsAndStopsAtLineEnds) {
    edit.SetBlockBegin({6, 2});
    edit.SetBlockEnd({3, 4});
    const RecordingCanvas canvas = PaintAll();
    const auto row2 = RowTexts(canvas, 2, 30);
    ASSERT_EQ(row2.size(), 2u);
    EXPECT_EQ(row2[0].text, "line ");
    EXPECT_EQ(row2[0].back, clBlack);
    EXPECT_EQ(row2[1].text, "two");
    EXPECT_EQ(row2[1].back, clHighlight);
    EXPECT_EQ(RowTexts(canvas, 3, 30)[0].back, clHighlight);
    const auto row4 = RowTexts(canvas, 4, 30);
    ASSERT_EQ(row4.size(), 2u);
    EXPECT_EQ(row4[0].text, "li");
    EXPECT_EQ(row4[0].back, clHighlight);
    EXPECT_EQ(row4[1].text, "ne four");
    for (int line = 2; line <= 4; ++line)
        EXPECT_TRUE(SelectedFills(canvas, line).empty()) << line;
}

TEST_F(SelectionPainting, ColumnModeColoursTheSameColumnsOnEveryRow) {
    edit.SetSelectionMode(smColumn);
    edit.SetBlockBegin({2, 2});
    edit.SetBlockEnd({4, 4});
    const RecordingCanvas canvas = PaintAll();
    for (int line = 2; line <= 4; ++line) {
        const auto texts = RowTexts(canvas, line, 30);
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[1].text, "in");
        EXPECT_EQ(texts[1].x, 32 + 10);
        EXPECT_EQ(texts[1].back, clHighlight);
    }
    EXPECT_FALSE(RowHasSelectedText(canvas, 5));
}

TEST_F(SelectionPainting, HiddenWhenUnfocusedOnlyWithHideSelection) {
    edit.SetBlockBegin({1, 1});
    edit.SetBlockEnd({5, 1});
    EXPECT_TRUE(RowHasSelectedText(PaintAll(), 1));
    edit.SetHideSelection(true);
    EXPECT_FALSE(RowHasSelectedText(PaintAll(), 1));
    window.focused = true;
    EXPECT_TRUE(RowHasSelectedText(PaintAll(), 1));
}

// --- Marked matches ----------------------------------------------------------------------

// The text's rows as pieces: [marked], {selected}, plain; rows end in "/".
std::string MarkedPieces(const RecordingCanvas& Canvas, TColor MatchBackground) {
    std::string out;
    int row = 0;
    for (const auto& op : Canvas.Texts()) {
        if (op.x < 30) continue;
        for (; row < op.y; row += 20)
            out += "/";
        if (op.back == MatchBackground)
            out += "[" + op.text + "]";
        else if (op.back == clHighlight)
            out += "{" + op.text + "}";
        else
            out += op.text;
    }
    return out;
}

TEST_F(Display, MarkedSearchColoursEveryMatchOfTheRowsPaintedUnderTheSelection) {
    struct Case {
        const char* text;
        const char* pattern;
        TSynSearchOptions options;
        TBufferCoord selBegin, selEnd; // equal: none
        const char* pieces;
    };
    const Case cases[] = {
        {"line one", "ne", {}, {1, 1}, {1, 1}, "li[ne] o[ne]"},
        {"LINE one\nnone", "ne", {.MatchCase = true}, {1, 1}, {1, 1}, "LINE o[ne]/no[ne]"},
        {"\tab ab", "ab", {}, {1, 1}, {1, 1}, "        [ab] [ab]"},
        {"x1 x12 x1", "x1", {.WholeWord = true}, {1, 1}, {1, 1}, "[x1] x12 [x1]"},
        {"abcabc", "bca", {}, {2, 1}, {3, 1}, "a{b}[ca]bc"},
        {"abcabc", "b", {}, {1, 1}, {6, 1}, "{abcab}c"},
        {"aaa", "a*", {.RegularExpression = true}, {1, 1}, {1, 1}, "[aaa]"},
        {"abc", "x*", {.RegularExpression = true}, {1, 1}, {1, 1}, "abc"},
        {"abc", "(", {.RegularExpression = true}, {1, 1}, {1, 1}, "abc"},
    };
    TSynSearch search;
    edit.SetMarkedSearch(&search);
    for (const Case& c : cases) {
        edit.Lines().SetText(c.text);
        search.SetPattern(c.pattern, c.options);
        edit.SetBlockBegin(c.selBegin);
        edit.SetBlockEnd(c.selEnd);
        EXPECT_EQ(MarkedPieces(PaintAll(), edit.MatchBackground()), c.pieces) << c.text;
    }
    // Over the highlighter's token colours too.
    UseHighlighter();
    edit.Lines().SetText("PRINT A");
    search.SetPattern("A", {.WholeWord = true});
    EXPECT_EQ(MarkedPieces(PaintAll(), edit.MatchBackground()), "PRINT [A]");
    edit.SetMarkedSearch(nullptr);
    EXPECT_EQ(MarkedPieces(PaintAll(), edit.MatchBackground()), "PRINT A");
}

TEST_F(Display, RightEdgeAndBelowTheText) {
    edit.SetRightEdge(20);
    edit.Lines().SetText("A\nB");
    const RecordingCanvas canvas = PaintAll();
    std::vector<DrawOp> edges;
    for (const auto& op : canvas.ops)
        if (op.kind == DrawOp::Line && op.rect.Left == 20 * 10 + 32) edges.push_back(op);
    ASSERT_EQ(edges.size(), 3u); // two rows and the rest below
    EXPECT_EQ(edges[0].rect, (TRect{232, 0, 232, 21}));
    EXPECT_EQ(edges[0].fore, clSilver);
    EXPECT_EQ(edges[2].rect, (TRect{232, 40, 232, 200}));
    const auto below = std::find_if(canvas.ops.begin(), canvas.ops.end(), [](const DrawOp& op) {
        return op.kind == DrawOp::Fill && op.rect == TRect{30, 40, 400, 200};
    });
    EXPECT_NE(below, canvas.ops.end());
}

TEST_F(Display, AClipRectanglePaintsOnlyTheRowsItTouches) {
    edit.Lines().SetText("1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12");
    RecordingCanvas canvas({0, 180, 400, 200});
    edit.Paint(canvas);
    const auto texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "10");
}

// The text is written through the last column the clip touches, even when
// only a pixel of it shows, and not beyond: column 37 is x 392..401.
TEST_F(Display, TheTextIsWrittenThroughTheLastColumnTheClipTouches) {
    UseHighlighter();
    edit.Lines().SetText(std::string(35, 'A') + " B C");
    for (const auto& [right, lastColumn] : {std::pair{392, 36}, {393, 37}, {402, 37}, {403, 38}}) {
        RecordingCanvas canvas({0, 0, right, 20});
        edit.Paint(canvas);
        int written = 0;
        for (const auto& op : canvas.Texts())
            if (op.x >= 32) written = std::max(written, (op.x - 32) / 10 + int(op.text.size()));
        EXPECT_EQ(written, lastColumn) << "clip right " << right;
    }
}

// --- Cell and text drawer ----------------------------------------------------------------

TEST_F(Display, CellSizeCoversEveryStyleTheHighlighterUses) {
    window.engine.boldExtra = 3;
    FakeWindow other;
    other.engine.boldExtra = 3;
    TestEditor wide(other);
    EXPECT_EQ(wide.CharWidth(), 10); // plain text only
    wide.SetHighlighter(highlighter.get());
    EXPECT_EQ(wide.CharWidth(), 13); // keywords are bold
    EXPECT_EQ(wide.LineHeight(), 20);
    wide.SetExtraLineSpacing(4);
    EXPECT_EQ(wide.LineHeight(), 24);
    // Bold text is written in the same cells as the rest.
    wide.Lines().SetText("END X");
    RecordingCanvas canvas({0, 0, 400, 200});
    wide.Paint(canvas);
    for (const auto& op : canvas.Texts()) {
        if (op.x < 30) continue;
        EXPECT_THAT(op.dx, ::testing::Each(13));
    }
}

TEST(TextDrawer, SetBaseFontNeedsAFont) {
    testing::FakeFontEngine engine;
    TFont font("Courier New", 13);
    TheTextDrawer drawer(engine, fsBold, &font);
    try {
        drawer.SetBaseFont(nullptr);
        FAIL() << "no error";
    } catch (const ESynError& e) {
        EXPECT_STREQ(e.what(), "SetBaseFont: 'Value' must be specified.");
    }
    TheFontStock stock(engine);
    EXPECT_THROW(stock.SetBaseFont(nullptr), ESynError);
}

TEST(TextDrawer, EqualFontsAreCreatedOnceAndSharedBetweenStocks) {
    testing::FakeFontEngine engine;
    TFont font("Courier New", 13);
    const int entries = TheFontsInfoManager::Instance().EntryCount();
    {
        TheTextDrawer a(engine, fsBold, &font);
        TheTextDrawer b(engine, fsBold, &font);
        a.SetStyle(fsItalic);
        b.SetStyle(fsItalic);
        EXPECT_EQ(engine.created, 3); // plain, bold (the cell), italic
        EXPECT_EQ(TheFontsInfoManager::Instance().EntryCount(), entries + 1);
    }
    EXPECT_EQ(TheFontsInfoManager::Instance().EntryCount(), entries);
}

TEST(TextDrawer, SwitchingBetweenTwoBaseFontsCreatesEachOnce) {
    testing::FakeFontEngine engine;
    TFont text("Courier New", 13), gutter("Fixedsys", 11);
    TheTextDrawer drawer(engine, {}, &text);
    for (int i = 0; i < 5; ++i) {
        drawer.SetBaseFont(&gutter);
        drawer.SetBaseFont(&text);
    }
    EXPECT_EQ(engine.created, 2);
}

TEST(TextDrawer, DrawingBracketsNestAndCellsIncludeTheExtraSpacing) {
    testing::FakeFontEngine engine;
    TFont font("Courier New", 13);
    TheTextDrawer drawer(engine, {}, &font);
    EXPECT_EQ(drawer.GetCharWidth(), 7);
    drawer.SetCharExtra(2);
    EXPECT_EQ(drawer.GetCharWidth(), 9);
    RecordingCanvas canvas({0, 0, 100, 100});
    drawer.SetForeColor(clYellow);
    drawer.BeginDrawing(canvas);
    drawer.BeginDrawing(canvas);
    drawer.SetBackColor(clBlack);
    drawer.ExtTextOut(5, 6, {etoOpaque}, {5, 6, 50, 19}, std::string(70, 'x'));
    drawer.EndDrawing();
    EXPECT_TRUE(drawer.Drawing());
    drawer.EndDrawing();
    EXPECT_FALSE(drawer.Drawing());
    const auto texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].fore, clYellow);
    EXPECT_EQ(texts[0].back, clBlack);
    EXPECT_EQ(texts[0].dx.size(), 70u);
    EXPECT_THAT(texts[0].dx, ::testing::Each(9));
}

} // namespace
} // namespace marlinet::editor
