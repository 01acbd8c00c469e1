// Setting the caret and the selection (the model changes, then the view and
// the window hear of it), cells and pixels, and the caret on screen.
#include <algorithm>
#include <climits>

#include "editor/custom_synedit.h"

namespace marlinet::editor {

// --- Caret ---------------------------------------------------------------------------

TBufferCoord TCustomSynEdit::ClampCaret(TBufferCoord P) const {
    P.Y = std::clamp(P.Y, 1, doc_.RowCount());
    const int maxX =
        options_.Contains(eoScrollPastEol) ? maxScrollWidth_ + 1 : doc_.LineEndColumn(P.Y);
    P.X = std::clamp(P.X, 1, maxX);
    return P;
}

void TCustomSynEdit::SetCaretXY(const TBufferCoord& Value) {
    const TBufferCoord p = ClampCaret(Value);
    const TBufferCoord old = CaretXY();
    TSynStatusChanges changes;
    if (p.X != old.X) changes.Include(scCaretX);
    if (p.Y != old.Y) changes.Include(scCaretY);
    doc_.StoreCaret(p);
    UpdateLastCaretX();
    if (changes.Empty()) return;
    if (ActiveLineColor() != clNone && old.Y != p.Y) {
        InvalidateLine(old.Y);
        InvalidateLine(p.Y);
    }
    UpdateCaret();
    StatusChanged(changes);
}

// --- Selection -------------------------------------------------------------------------

TBufferCoord TCustomSynEdit::ClampBlockEnd(TBufferCoord P) const {
    P.Y = std::clamp(P.Y, 1, doc_.RowCount());
    int maxX = maxScrollWidth_ + 1;
    if (SelectionMode() == smNormal) maxX = std::min(maxX, doc_.LineEndColumn(P.Y));
    P.X = std::clamp(P.X, 1, maxX);
    return P;
}

void TCustomSynEdit::SetBlockBegin(const TBufferCoord& Value) {
    const TSynSelectionMode oldMode = ActiveSelectionMode();
    doc_.StoreActiveSelectionMode(SelectionMode());
    const TBufferCoord p = ClampBlockEnd(Value);
    if (p == BlockBegin() && p == BlockEnd() && oldMode == ActiveSelectionMode()) return;
    if (SelAvail()) InvalidateSelection();
    doc_.StoreBlock(p, p);
    StatusChanged({scSelection});
}

void TCustomSynEdit::SetBlockEnd(const TBufferCoord& Value) {
    const TSynSelectionMode oldMode = ActiveSelectionMode();
    doc_.StoreActiveSelectionMode(SelectionMode());
    const TBufferCoord p = ClampBlockEnd(Value);
    const TBufferCoord old = BlockEnd();
    if (p == old && oldMode == ActiveSelectionMode()) return;
    doc_.StoreBlock(BlockBegin(), p);
    const int begin = BlockBegin().Y;
    if (oldMode != ActiveSelectionMode() || ActiveSelectionMode() == smColumn) {
        // The columns of every selected line may change.
        InvalidateLines(std::min({begin, old.Y, p.Y}), std::max({begin, old.Y, p.Y}));
    } else {
        InvalidateLines(old.Y, p.Y);
    }
    StatusChanged({scSelection});
}

void TCustomSynEdit::SetSelectionMode(TSynSelectionMode Value) {
    if (Value == SelectionMode()) return;
    doc_.StoreSelectionMode(Value);
    doc_.StoreActiveSelectionMode(Value);
    InvalidateSelection();
    StatusChanged({scSelection});
}

void TCustomSynEdit::SetActiveSelectionMode(TSynSelectionMode Value) {
    if (Value == ActiveSelectionMode()) return;
    doc_.StoreActiveSelectionMode(Value);
    InvalidateSelection();
    StatusChanged({scSelection});
}

void TCustomSynEdit::SetSelStart(int Value) {
    SetCaretXY(CharIndexToRowCol(Value));
    SetBlockBegin(CaretXY());
}

void TCustomSynEdit::SetSelLength(int Value) {
    const long long start = RowColToCharIndex(BlockBegin());
    // A backwards count that reaches before the text stops at its start.
    const long long target = std::clamp<long long>(start + Value, 0, INT_MAX);
    SetBlockEnd(CharIndexToRowCol(static_cast<int>(target)));
    SetCaretXY(BlockEnd());
}

void TCustomSynEdit::ShowProgramLine(support::TProgramLine Line) {
    if (!Line.IsLine() || Line.Number > Lines().Count()) return;
    SetCaretXY({1, Line.Number});
    SetBlockBegin(CaretXY());
    SetSelLength(1);
    ShowLineCentred(Line.Number);
}

bool TCustomSynEdit::ShowsProgramLine(support::TProgramLine Line) const {
    return Line.IsLine() && SelLength() == 1 && SelStart() == RowColToCharIndex({1, Line.Number});
}

void TCustomSynEdit::SelectProgramLineText(support::TProgramLine Line) {
    if (!Line.IsLine() || Line.Number > Lines().Count()) return;
    SetCaretXY({1, Line.Number});
    SetBlockBegin(CaretXY());
    SetSelLength(static_cast<int>(Lines().GetView(Line.Number - 1).size()));
    ShowLineCentred(Line.Number);
}

// --- Cells and pixels ----------------------------------------------------------------

int TCustomSynEdit::LinesInWindow() const {
    if (!window_ || lineHeight_ <= 0) return 0;
    return std::max(window_->ClientHeight(), 0) / lineHeight_;
}

int TCustomSynEdit::CharsInWindow() const {
    if (!window_ || charWidth_ <= 0) return 0;
    return std::max(window_->ClientWidth() - gutterWidth_ - kGutterMargin, 0) / charWidth_;
}

TPoint TCustomSynEdit::RowColumnToPixels(const TDisplayCoord& RowCol) const {
    return {(RowCol.Column - 1) * charWidth_ + TextOffset(), (RowCol.Row - topLine_) * lineHeight_};
}

TDisplayCoord TCustomSynEdit::PixelsToRowColumn(int X, int Y) const {
    if (charWidth_ <= 0 || lineHeight_ <= 0) return {1, 1};
    return {std::max(1, (X - gutterWidth_ - kGutterMargin) / charWidth_ + leftChar_),
            std::max(1, Y / lineHeight_ + topLine_)};
}

TDisplayCoord TCustomSynEdit::PixelsToNearestRowColumn(int X, int Y) const {
    if (charWidth_ <= 0 || lineHeight_ <= 0) return {1, 1};
    const int lastVisibleY = std::max(LinesInWindow() * lineHeight_ - 1, 0);
    Y = std::min(Y, lastVisibleY);
    // Half a cell either side of a boundary belongs to it.
    const int f = (X - gutterWidth_ - kGutterMargin) + charWidth_ / 2;
    const int column = f < 0 ? 1 : f / charWidth_ + leftChar_;
    return {std::max(1, column), std::max(1, Y / lineHeight_ + topLine_)};
}

// --- Caret on screen ---------------------------------------------------------------------

void TCustomSynEdit::InitializeCaret() {
    if (!window_ || !window_->Focused() || charWidth_ <= 0) return;
    const TSynEditCaretType type = insertMode_ ? InsertCaret() : OverwriteCaret();
    int width = charWidth_, height = lineHeight_ - 2;
    caretOffset_ = {0, 0};
    switch (type) {
    case ctVerticalLine:
        width = 2;
        caretOffset_ = {-1, 0};
        break;
    case ctHorizontalLine:
        height = 2;
        caretOffset_ = {0, lineHeight_ - 2};
        break;
    case ctHalfBlock:
        height = (lineHeight_ - 2) / 2;
        caretOffset_ = {0, height};
        break;
    case ctBlock: break;
    }
    stateFlags_.Exclude(sfCaretVisible);
    window_->CreateCaret(width, std::max(height, 1));
    UpdateCaret();
}

void TCustomSynEdit::UpdateCaret() {
    if (paintLock_ > 0 || !window_ || !window_->Focused()) {
        stateFlags_.Include(sfCaretChanged);
        return;
    }
    stateFlags_.Exclude(sfCaretChanged);
    const TPoint p = RowColumnToPixels(DisplayXY());
    const int x = p.X + caretOffset_.X;
    const int y = p.Y + caretOffset_.Y + 1;
    if (x >= gutterWidth_ && x < window_->ClientWidth() && y >= 0 && y < window_->ClientHeight()) {
        window_->SetCaretPos(x, y);
        ShowCaret();
    } else {
        HideCaret();
    }
}

void TCustomSynEdit::HideCaret() {
    if (!stateFlags_.Contains(sfCaretVisible)) return;
    stateFlags_.Exclude(sfCaretVisible);
    if (window_) window_->HideCaret();
}

void TCustomSynEdit::ShowCaret() {
    if (stateFlags_.Contains(sfCaretVisible) || !window_) return;
    stateFlags_.Include(sfCaretVisible);
    window_->ShowCaret();
}

void TCustomSynEdit::FocusIn() {
    InitializeCaret();
    if (HideSelection() && SelAvail()) InvalidateSelection();
}

void TCustomSynEdit::FocusOut() {
    HideCaret();
    if (window_) window_->DestroyCaret();
    if (HideSelection() && SelAvail()) InvalidateSelection();
}

} // namespace marlinet::editor
