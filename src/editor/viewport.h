// TSynViewport: the editor's window and its geometry — the cell size, the
// gutter width, the top line and first column shown, cells and pixels — and
// the repaint requests, which it collects while the lines are changing and
// hands to the window when they are done.
//
// Rows are 1-based lines, columns 1-based display columns; pixels are in
// the window's client area.
#pragma once

#include <climits>

#include "editor/document.h"
#include "editor/edit_settings.h"
#include "editor/platform.h"

namespace marlinet::editor {

class TSynEditStatus;

class TSynViewport {
public:
    TSynViewport(TSynEditWindow* Window, const TSynDocument& Doc, TSynEditStatus& Status)
        : window_(Window), doc_(Doc), status_(Status) {}
    TSynViewport(const TSynViewport&) = delete;
    TSynViewport& operator=(const TSynViewport&) = delete;

    TSynEditWindow* Window() const { return window_; }
    void StoreWindow(TSynEditWindow* Value) { window_ = Value; }
    // A window with a handle that is visible: repaints and scrolls reach it.
    bool WindowShowing() const;
    bool HandleAllocated() const { return window_ && window_->HandleAllocated(); }

    int TopLine() const { return topLine_; }
    void StoreTopLine(int Value) { topLine_ = Value; }
    int LeftChar() const { return leftChar_; }
    void StoreLeftChar(int Value) { leftChar_ = Value; }
    int CharWidth() const { return charWidth_; }
    int LineHeight() const { return lineHeight_; }
    void StoreCell(int Width, int Height) {
        charWidth_ = Width;
        lineHeight_ = Height;
    }
    int GutterWidth() const { return gutterWidth_; }
    void StoreGutterWidth(int Value) { gutterWidth_ = Value; }
    // x of the left edge of column 1.
    int TextOffset() const {
        return gutterWidth_ + kSynGutterMargin - (leftChar_ - 1) * charWidth_;
    }

    // Whole rows and columns that fit the client area (0 without a window or
    // before the cell size is known).
    int LinesInWindow() const;
    int CharsInWindow() const;
    // Top-left pixel of a display cell.
    TPoint RowColumnToPixels(const TDisplayCoord& RowCol) const;
    // The cell under a pixel.
    TDisplayCoord PixelsToRowColumn(int X, int Y) const;
    // The cell boundary nearest to a pixel, with Y first limited to the last
    // fully visible row.
    TDisplayCoord PixelsToNearestRowColumn(int X, int Y) const;

    // --- Repaint requests ---
    // Lines FirstLine..LastLine (1-based, either order; -1, -1 for the whole
    // text area).
    void InvalidateLines(int FirstLine, int LastLine);
    void InvalidateGutterLines(int FirstLine, int LastLine);
    void InvalidateLine(int Line);
    void InvalidateSelection();
    void Invalidate();
    void InvalidateClientRect(const TRect& Rect);
    // Lines from Line (1-based) to the end moved: text and gutter repaint,
    // once when the lines are done if they are changing.
    void RepaintFromLine(int Line);
    // The lines are done changing: the lines that moved and what was
    // collected go to the window (FlushCollected), or are forgotten without
    // a window handle.
    void RepaintMovedLines();
    void FlushCollected();
    void ForgetCollected() {
        invalidRect_ = {};
        invalidAll_ = false;
        repaintFromLine_ = INT_MAX;
    }
    // Asks the window to paint what is invalid now.
    void UpdateNow();

private:
    bool LinesChanging() const;
    bool CollectedAll() const { return invalidAll_ && LinesChanging(); }
    void InvalidateRows(int FirstLine, int LastLine, int Left, int Right);

    TSynEditWindow* window_;
    const TSynDocument& doc_;
    TSynEditStatus& status_;
    int topLine_ = 1;
    int leftChar_ = 1;
    int charWidth_ = 0;
    int lineHeight_ = 0;
    int gutterWidth_ = 0;
    TRect invalidRect_; // repaints collected while the lines are changing
    // invalidRect_ holds the whole client area: a bulk load collects nothing
    // more line by line.
    bool invalidAll_ = false;
    // Lines from here (1-based) to the end moved while the lines are
    // changing; repainted once, when they are done.
    int repaintFromLine_ = INT_MAX;
};

} // namespace marlinet::editor
