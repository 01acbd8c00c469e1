#include "editor/viewport.h"

#include <algorithm>
#include <utility>

#include "editor/edit_status.h"

namespace marlinet::editor {

// --- Cells and pixels ----------------------------------------------------------------

int TSynViewport::LinesInWindow() const {
    if (!window_ || lineHeight_ <= 0) return 0;
    return std::max(window_->ClientHeight(), 0) / lineHeight_;
}

int TSynViewport::CharsInWindow() const {
    if (!window_ || charWidth_ <= 0) return 0;
    return std::max(window_->ClientWidth() - gutterWidth_ - kSynGutterMargin, 0) / charWidth_;
}

TPoint TSynViewport::RowColumnToPixels(const TDisplayCoord& RowCol) const {
    return {(RowCol.Column - 1) * charWidth_ + TextOffset(), (RowCol.Row - topLine_) * lineHeight_};
}

TDisplayCoord TSynViewport::PixelsToRowColumn(int X, int Y) const {
    if (charWidth_ <= 0 || lineHeight_ <= 0) return {1, 1};
    return {std::max(1, (X - gutterWidth_ - kSynGutterMargin) / charWidth_ + leftChar_),
            std::max(1, Y / lineHeight_ + topLine_)};
}

TDisplayCoord TSynViewport::PixelsToNearestRowColumn(int X, int Y) const {
    if (charWidth_ <= 0 || lineHeight_ <= 0) return {1, 1};
    const int lastVisibleY = std::max(LinesInWindow() * lineHeight_ - 1, 0);
    Y = std::min(Y, lastVisibleY);
    // Half a cell either side of a boundary belongs to it.
    const int f = (X - gutterWidth_ - kSynGutterMargin) + charWidth_ / 2;
    const int column = f < 0 ? 1 : f / charWidth_ + leftChar_;
    return {std::max(1, column), std::max(1, Y / lineHeight_ + topLine_)};
}

// --- Repaint requests ------------------------------------------------------------------

bool TSynViewport::WindowShowing() const {
    return window_ && window_->HandleAllocated() && window_->Visible();
}

bool TSynViewport::LinesChanging() const {
    return status_.Flags().Contains(sfLinesChanging);
}

void TSynViewport::InvalidateClientRect(const TRect& Rect) {
    if (Rect.IsEmpty()) return;
    if (LinesChanging())
        invalidRect_ = UnionRect(invalidRect_, Rect);
    else
        window_->InvalidateRect(Rect);
}

void TSynViewport::Invalidate() {
    if (CollectedAll() || !WindowShowing()) return;
    InvalidateClientRect({0, 0, window_->ClientWidth(), window_->ClientHeight()});
    invalidAll_ = LinesChanging();
}

void TSynViewport::InvalidateRows(int FirstLine, int LastLine, int Left, int Right) {
    if (CollectedAll() || !WindowShowing()) return;
    if (FirstLine == -1 && LastLine == -1) {
        InvalidateClientRect({Left, 0, Right, window_->ClientHeight()});
        return;
    }
    FirstLine = std::max(FirstLine, 1);
    LastLine = std::max(LastLine, 1);
    if (LastLine < FirstLine) std::swap(FirstLine, LastLine);
    // A change at or past the last line also clears the rows below the text.
    const int lastVisible = topLine_ + LinesInWindow();
    if (LastLine >= doc_.Lines().Count()) LastLine = std::max(LastLine, lastVisible);
    FirstLine = std::max(FirstLine, topLine_);
    LastLine = std::min(LastLine, lastVisible);
    if (FirstLine > LastLine) return;
    InvalidateClientRect({Left, (FirstLine - topLine_) * lineHeight_, Right,
                          (LastLine - topLine_ + 1) * lineHeight_});
}

void TSynViewport::InvalidateLines(int FirstLine, int LastLine) {
    if (CollectedAll() || !WindowShowing()) return;
    InvalidateRows(FirstLine, LastLine, gutterWidth_, window_->ClientWidth());
}

void TSynViewport::InvalidateGutterLines(int FirstLine, int LastLine) {
    InvalidateRows(FirstLine, LastLine, 0, gutterWidth_);
}

void TSynViewport::InvalidateSelection() {
    InvalidateLines(doc_.BlockBegin().Y, doc_.BlockEnd().Y);
}

void TSynViewport::InvalidateLine(int Line) {
    if (Line < 1 || !WindowShowing()) return;
    InvalidateLines(Line, Line);
}

void TSynViewport::RepaintFromLine(int Line) {
    // The line store's events always come inside its update bracket: a
    // bulk load of many lines asks for one repaint at its end.
    if (LinesChanging()) {
        repaintFromLine_ = std::min(repaintFromLine_, Line);
        return;
    }
    InvalidateLines(Line, INT_MAX);
    InvalidateGutterLines(Line, INT_MAX);
}

void TSynViewport::RepaintMovedLines() {
    if (repaintFromLine_ == INT_MAX) return;
    const int line = std::exchange(repaintFromLine_, INT_MAX);
    InvalidateLines(line, INT_MAX);
    InvalidateGutterLines(line, INT_MAX);
}

void TSynViewport::FlushCollected() {
    if (WindowShowing() && !invalidRect_.IsEmpty()) window_->InvalidateRect(invalidRect_);
    ForgetCollected();
}

void TSynViewport::UpdateNow() {
    if (WindowShowing()) window_->Update();
}

} // namespace marlinet::editor
