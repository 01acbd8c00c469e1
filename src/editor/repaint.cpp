// Repaint requests, the paint entry point and the paint lock.
#include <algorithm>
#include <cassert>

#include "editor/custom_synedit.h"

namespace marlinet::editor {

// --- Repaint requests ------------------------------------------------------------------

bool TCustomSynEdit::WindowShowing() const {
    return window_ && window_->HandleAllocated() && window_->Visible();
}

void TCustomSynEdit::InvalidateClientRect(const TRect& Rect) {
    if (Rect.IsEmpty()) return;
    if (stateFlags_.Contains(sfLinesChanging))
        invalidRect_ = UnionRect(invalidRect_, Rect);
    else
        window_->InvalidateRect(Rect);
}

void TCustomSynEdit::Invalidate() {
    if (CollectedAll() || !WindowShowing()) return;
    InvalidateClientRect({0, 0, window_->ClientWidth(), window_->ClientHeight()});
    invalidAll_ = stateFlags_.Contains(sfLinesChanging);
}

void TCustomSynEdit::InvalidateRows(int FirstLine, int LastLine, int Left, int Right) {
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
    if (LastLine >= Lines().Count()) LastLine = std::max(LastLine, lastVisible);
    FirstLine = std::max(FirstLine, topLine_);
    LastLine = std::min(LastLine, lastVisible);
    if (FirstLine > LastLine) return;
    InvalidateClientRect({Left, (FirstLine - topLine_) * lineHeight_, Right,
                          (LastLine - topLine_ + 1) * lineHeight_});
}

void TCustomSynEdit::InvalidateLines(int FirstLine, int LastLine) {
    if (CollectedAll() || !WindowShowing()) return;
    InvalidateRows(FirstLine, LastLine, gutterWidth_, window_->ClientWidth());
}

void TCustomSynEdit::InvalidateGutterLines(int FirstLine, int LastLine) {
    InvalidateRows(FirstLine, LastLine, 0, gutterWidth_);
}

void TCustomSynEdit::InvalidateSelection() {
    InvalidateLines(BlockBegin().Y, BlockEnd().Y);
}

void TCustomSynEdit::InvalidateLine(int Line) {
    if (Line < 1 || !WindowShowing()) return;
    InvalidateLines(Line, Line);
}

void TCustomSynEdit::SetMarkedSearch(TSynSearch* Search) {
    if (!Search && !markedSearch_) return;
    markedSearch_ = Search;
    InvalidateLines(-1, -1);
}

// --- Paint ---------------------------------------------------------------------------

void TCustomSynEdit::Paint(TSynCanvas& ACanvas) {
    const TRect clip = ACanvas.ClipRect();
    if (clip.IsEmpty()) return;
    if (!textDrawer_ || charWidth_ <= 0 || lineHeight_ <= 0) {
        ACanvas.FillRect(clip, Color());
        return;
    }
    const int marginRight = gutterWidth_ + kGutterMargin;
    int firstCol = leftChar_;
    if (clip.Left > marginRight) firstCol = (clip.Left - marginRight) / charWidth_ + leftChar_;
    const int lastCol = (clip.Right + charWidth_ - marginRight - 1) / charWidth_ + leftChar_;
    // The rows holding the clip's first and last pixels; an empty text still
    // shows row 1.
    const int firstRow = std::max(clip.Top / lineHeight_ + topLine_, topLine_);
    const int lastRow = std::clamp((clip.Bottom - 1) / lineHeight_ + topLine_, 1, doc_.RowCount());
    // Each painted row starts in the range its previous line ends in.
    ranges_.MakeCurrent(lastRow - 2);

    HideCaret();
    struct CaretRestorer {
        TCustomSynEdit& edit;
        ~CaretRestorer() { edit.UpdateCaret(); }
    } restorer{*this};
    textDrawer_->BeginDrawing(ACanvas);
    struct DrawingEnder {
        TheTextDrawer& drawer;
        ~DrawingEnder() { drawer.EndDrawing(); }
    } ender{*textDrawer_};

    TSynEditView view(*this, this, *textDrawer_, ACanvas, paintBuffers_);
    if (clip.Left < gutterWidth_)
        view.PaintGutter({clip.Left, clip.Top, gutterWidth_, clip.Bottom}, firstRow, lastRow);
    if (clip.Right > gutterWidth_)
        view.PaintTextLines({std::max(clip.Left, gutterWidth_), clip.Top, clip.Right, clip.Bottom},
                            firstRow, lastRow, firstCol, lastCol);
    if (OnPaint) OnPaint(this, ACanvas);
}

// --- Paint lock ------------------------------------------------------------------------

void TCustomSynEdit::DecPaintLock() {
    assert(paintLock_ > 0 && "unbalanced DecPaintLock");
    if (paintLock_ == 0) return;
    if (--paintLock_ > 0) return;
    if (window_ && window_->HandleAllocated()) {
        if (stateFlags_.Contains(sfScrollbarChanged)) UpdateScrollBars();
        if (stateFlags_.Contains(sfCaretChanged)) UpdateCaret();
    }
    DoOnStatusChange();
}

void TCustomSynEdit::AbandonPaintLock() {
    if (paintLock_ > 0) --paintLock_;
}

} // namespace marlinet::editor
