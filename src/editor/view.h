// TSynEditView: paints the editor from its const state. One view object
// serves one Paint call; what it needs between calls (text buffers that keep
// their capacity, so that a warm paint allocates nothing) lives in
// TSynPaintBuffers, which the editor keeps.
//
// Every pixel of the clip rectangle is painted: the window never erases its
// background separately.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/document.h"
#include "editor/edit_settings.h"
#include "editor/edit_types.h"
#include "editor/gutter.h"
#include "editor/markers.h"
#include "editor/platform.h"
#include "editor/search.h"
#include "editor/style.h"
#include "editor/text_drawer.h"
#include "editor/viewport.h"
#include "highlight/attributes.h"
#include "highlight/custom_highlighter.h"

namespace marlinet::editor {

// What a paint reads: the model, the geometry, the looks, and the events
// through which the owner colours lines and the gutter (Sender names the
// editor in them).
struct TSynViewSource {
    const TSynDocument& Doc;
    const TSynViewport& View;
    const TSynEditStyle& Style;
    const TFont& Font;
    const TSynGutter& Gutter;
    const TSynSelectedColor& SelectedColor;
    const TSynBookMarkOpt& BookMarkOptions;
    highlight::TSynCustomHighlighter* Highlighter;
    TSynSearch* MarkedSearch;
    const TSynEditEvents& Events;
    TObject* Sender;
};

struct TSynPaintBuffers {
    std::string Line;                     // a line with its tabs expanded
    std::string Run;                      // tokens waiting to be written as one run
    std::string Cells;                    // a run piece with tab cells as blanks
    std::string GutterText;               // one line number
    std::vector<int> MarkOffsets;         // per row: marks before the one drawn
    std::vector<TSynSearchMatch> Matches; // of the marked search, on the rows painted
    // The painted row's marked matches: display columns [first, second).
    std::vector<std::pair<int, int>> MarkColumns;
};

class TSynEditView {
public:
    TSynEditView(const TSynViewSource& Source, TheTextDrawer& Drawer, TSynCanvas& Canvas,
                 TSynPaintBuffers& Buffers);

    // Rows are 1-based lines; columns 1-based display columns.
    void PaintGutter(const TRect& AClip, int FirstRow, int LastRow);
    void PaintTextLines(const TRect& AClip, int FirstRow, int LastRow, int FirstCol, int LastCol);

private:
    using Attributes = highlight::TSynHighlighterAttributes;

    // --- Gutter ---
    void PaintGutterGradient(const TRect& AClip);
    void PaintLineNumbers(const TRect& AClip, int FirstRow, int LastRow);
    void PaintGutterBorder(const TRect& AClip);
    void PaintGutterMarks(int FirstRow, int LastRow);
    // Breakpoints, the error line and the execution point, at LeftMargin.
    void PaintDebugMarkers(const TSynMarkerSet& Markers, int FirstRow, int LastRow);
    // Bookmarks and the front end's marks, right of a debug marker's glyph.
    void PaintMarks(const TSynMarkerSet& Markers, int FirstRow, int LastRow);
    // Glyph Index of a strip of Count equal-width glyphs, at X on Line's row.
    void PaintGlyph(const TSynBitmap& Strip, int Count, int Index, int Line, int X);

    // --- Text ---
    void FindSelection(int FirstRow, int LastRow);
    void PaintLine(int Row);
    void SetLineColours(int Row);
    void SetLineSelection(int Row, int TextLength);
    // The marked matches of the rows, found once per paint, and those of Row.
    void FindMarkedMatches(int FirstRow, int LastRow);
    void SetLineMarks(int Row);
    // Where the piece of a run that starts at Column ends: at the next
    // selection or mark boundary, or at End.
    int PieceEnd(int Column, int End);
    bool MarkedAt(int Column);
    void PaintMargin();
    void PaintHighlightedLine(int Row, const std::string& Text);
    void PaintPlainLine(const std::string& Text);
    void FillRestOfRow(int TextLength);
    void PaintRightEdge(int Top, int Bottom);
    void PaintBelowText(int Row);

    // --- Runs: tokens of equal looks written in one piece ---
    void AddToRun(int Column, std::string_view Token, TFontStyles Style, TColor Fg, TColor Bg);
    bool JoinsRun(std::string_view Token, TFontStyles Style, TColor Fg, TColor Bg) const;
    void FlushRun();
    void WritePiece(int Column, std::string_view Text, TColor Fg, TColor Bg, bool Last);
    void TokenColours(const Attributes* Attr, TColor& Fg, TColor& Bg) const;
    int ColumnX(int Column) const;

    const TSynViewSource& src_;
    TObject* sender_;
    TheTextDrawer& drawer_;
    TSynCanvas& canvas_;
    TSynPaintBuffers& buffers_;
    const int charWidth_;
    const int lineHeight_;
    const int textOffset_;

    TRect clip_;
    int firstCol_ = 1;
    int lastCol_ = 1;
    TColor defaultBackground_ = clNone;

    // The selection, ordered, in display columns.
    bool hasSelection_ = false;
    TDisplayCoord selFirst_;
    TDisplayCoord selLast_;

    // The line being painted.
    int rowTop_ = 0;
    TColor lineForeground_ = clNone;
    TColor lineBackground_ = clNone;
    TColor selForeground_ = clNone;
    TColor selBackground_ = clNone;
    bool specialLine_ = false;
    int lineSelStart_ = 0; // selected display columns [lineSelStart_, lineSelEnd_)
    int lineSelEnd_ = 0;
    bool whollySelected_ = false;
    std::size_t nextMatch_ = 0;  // first match of buffers_.Matches not yet on a row
    std::size_t markCursor_ = 0; // first mark of the row not yet left behind

    // The run of tokens waiting to be written (its text is buffers_.Run).
    int runColumn_ = 0;
    TFontStyles runStyle_;
    TColor runForeground_ = clNone;
    TColor runBackground_ = clNone;
};

} // namespace marlinet::editor
