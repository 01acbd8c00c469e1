#include "editor/mouse_controller.h"

#include <algorithm>
#include <cstdlib>

#include "editor/custom_synedit.h"

namespace marlinet::editor {

TBufferCoord TSynMouseController::TextAt(TDisplayCoord Cell) const {
    Cell.Row = std::clamp(Cell.Row, 1, edit_.Document().RowCount());
    return edit_.DisplayToBufferPos(Cell);
}

TBufferCoord TSynMouseController::PositionAt(int X, int Y) const {
    return TextAt(edit_.PixelsToNearestRowColumn(X, Y));
}

bool TSynMouseController::InGutter(int X) const {
    return X < edit_.GutterWidth();
}

void TSynMouseController::GutterPress(TMouseButton Button, TShiftState Shift, int X, int Y) {
    // Until the release: the press belongs to the gutter, not to the text.
    edit_.stateFlags_.Include(sfPossibleGutterClick);
    TSynEditWindow* window = edit_.Window();
    if (window && !window->Focused()) window->SetFocus();
    const int line = edit_.PixelsToRowColumn(X, Y).Row;
    if (line <= edit_.Lines().Count() && edit_.OnGutterClick)
        edit_.OnGutterClick(&edit_, Button, Shift, X, Y, line);
}

void TSynMouseController::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    lastMouseShift_ = Shift;
    edit_.stateFlags_.Exclude(sfPossibleGutterClick);
    edit_.kbdHandler_.ExecuteMouseDown(&edit_, Button, Shift, X, Y);
    if (InGutter(X)) {
        GutterPress(Button, Shift, X, Y);
        return;
    }
    if (Button == mbLeft && Shift.Contains(ssDouble)) return; // DblClick follows
    if (Button != mbLeft && Button != mbRight) return;
    if (Button == mbRight && !edit_.options_.Contains(eoRightMouseMovesCursor)) return;

    const TBufferCoord pos = PositionAt(X, Y);
    const bool inSelection = edit_.SelAvail() && edit_.Document().InSelection(pos);
    const bool rightOfMargin = X >= edit_.GutterWidth() + TCustomSynEdit::kGutterMargin;
    TSynEditWindow* window = edit_.Window();
    {
        TSynPaintLock lock(edit_);
        if (Button == mbRight) {
            // A right click inside the selection keeps it for a context menu.
            if (!inSelection) {
                edit_.SetCaretXY(pos);
                edit_.SetBlockBegin(edit_.CaretXY());
            }
        } else {
            edit_.SetCaretXY(pos);
            if (window) window->SetMouseCapture(true);
            mouseDownPos_ = {X, Y};
            if (inSelection && edit_.SelectionMode() == smNormal &&
                edit_.options_.Contains(eoDragDropEditing) && rightOfMargin) {
                edit_.stateFlags_.Include(sfWaitForDragging);
            } else if (Shift.Contains(ssShift)) {
                edit_.SetBlockEnd(edit_.CaretXY());
            } else {
                edit_.SetBlockBegin(edit_.CaretXY());
            }
        }
    }
    if (window && !window->Focused()) window->SetFocus();
}

void TSynMouseController::DblClick(int X, int) {
    if (X < edit_.GutterWidth() + TCustomSynEdit::kGutterMargin) return;
    edit_.SetWordBlock(edit_.CaretXY());
    edit_.stateFlags_.Include(sfDblClicked);
}

void TSynMouseController::ComputeScrollDeltas(int X, int Y, bool Dragging) {
    const int charWidth = edit_.CharWidth(), lineHeight = edit_.LineHeight();
    const int bandX = Dragging ? charWidth / 2 : 0, bandY = Dragging ? lineHeight / 2 : 0;
    const int left = edit_.GutterWidth() + TCustomSynEdit::kGutterMargin + bandX;
    const int right = left - 2 * bandX + edit_.CharsInWindow() * charWidth;
    const int top = bandY;
    const int bottom = edit_.LinesInWindow() * lineHeight - bandY;
    scrollDeltaX_ = 0;
    scrollDeltaY_ = 0;
    if (X < left)
        scrollDeltaX_ = (X - left) / charWidth - 1;
    else if (X >= right)
        scrollDeltaX_ = (X - right) / charWidth + 1;
    if (Y < top)
        scrollDeltaY_ = (Y - top) / lineHeight - 1;
    else if (Y >= bottom)
        scrollDeltaY_ = (Y - bottom) / lineHeight + 1;
    const bool wanted = scrollDeltaX_ != 0 || scrollDeltaY_ != 0;
    if (!edit_.Window()) return;
    if (wanted && !scrollTimerRunning_) {
        edit_.Window()->StartScrollTimer(TCustomSynEdit::kScrollTimerInterval);
        scrollTimerRunning_ = true;
    } else if (!wanted && scrollTimerRunning_) {
        StopScrollTimer();
    }
}

void TSynMouseController::StopScrollTimer() {
    if (scrollTimerRunning_ && edit_.Window()) edit_.Window()->StopScrollTimer();
    scrollTimerRunning_ = false;
}

void TSynMouseController::MoveCaretToPointer(int X, int Y, bool KeepColumn, bool KeepRow) {
    TDisplayCoord cell = edit_.PixelsToNearestRowColumn(X, Y);
    const TDisplayCoord caret = edit_.DisplayXY();
    if (KeepColumn) cell.Column = caret.Column;
    if (KeepRow) cell.Row = caret.Row;
    edit_.SetCaretXY(TextAt(cell));
}

void TSynMouseController::MouseMove(TShiftState Shift, int X, int Y) {
    lastMouseShift_ = Shift;
    TSynEditWindow* window = edit_.Window();
    if (!window || !window->MouseCapture() || edit_.CharWidth() <= 0 || edit_.LineHeight() <= 0)
        return;
    if (edit_.stateFlags_.Contains(sfWaitForDragging)) {
        const int threshold = window->DragThreshold();
        if (std::abs(X - mouseDownPos_.X) >= threshold ||
            std::abs(Y - mouseDownPos_.Y) >= threshold) {
            edit_.stateFlags_.Exclude(sfWaitForDragging);
            edit_.StartDragSelection();
        }
        return;
    }
    if (!Shift.Contains(ssLeft)) return;
    ComputeScrollDeltas(X, Y);
    TSynPaintLock lock(edit_);
    // Outside the text area the timer scrolls; the caret keeps that axis.
    MoveCaretToPointer(X, Y, scrollDeltaX_ != 0, scrollDeltaY_ != 0);
    edit_.SetBlockEnd(edit_.CaretXY());
}

void TSynMouseController::ScrollTimerTick() {
    if (scrollDeltaX_ == 0 && scrollDeltaY_ == 0) return;
    TSynPaintLock lock(edit_);
    TDisplayCoord cell = edit_.DisplayXY();
    if (scrollDeltaX_ != 0) {
        edit_.SetLeftChar(edit_.LeftChar() + scrollDeltaX_);
        cell.Column =
            scrollDeltaX_ < 0 ? edit_.LeftChar() : edit_.LeftChar() + edit_.CharsInWindow() - 1;
    }
    if (scrollDeltaY_ != 0) {
        const int rows = std::max(edit_.LinesInWindow(), 1);
        // With Shift held the drag scrolls by pages.
        const int step = lastMouseShift_.Contains(ssShift) ? scrollDeltaY_ * rows : scrollDeltaY_;
        edit_.SetTopLine(edit_.TopLine() + step);
        cell.Row = scrollDeltaY_ < 0 ? edit_.TopLine()
                                     : std::min(edit_.TopLine() + rows - 1, edit_.Lines().Count());
    }
    edit_.SetCaretXY(TextAt(cell));
    if (edit_.Window()->MouseCapture()) edit_.SetBlockEnd(edit_.CaretXY());
}

void TSynMouseController::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    lastMouseShift_ = Shift;
    edit_.kbdHandler_.ExecuteMouseUp(&edit_, Button, Shift, X, Y);
    StopScrollTimer();
    scrollDeltaX_ = scrollDeltaY_ = 0;
    if (edit_.stateFlags_.Contains(sfPossibleGutterClick)) {
        edit_.stateFlags_.Exclude(sfPossibleGutterClick);
        return;
    }
    if (Button != mbLeft) return;
    TSynEditWindow* window = edit_.Window();
    if (window && window->MouseCapture()) window->SetMouseCapture(false);
    if (edit_.stateFlags_.Contains(sfDblClicked)) {
        edit_.stateFlags_.Exclude(sfDblClicked);
        return;
    }
    if (!edit_.stateFlags_.Contains(sfWaitForDragging)) return;
    // The press inside the selection never became a drag: a plain click.
    edit_.stateFlags_.Exclude(sfWaitForDragging);
    const TBufferCoord pos = PositionAt(X, Y);
    TSynPaintLock lock(edit_);
    edit_.SetCaretXY(pos);
    if (Shift.Contains(ssShift))
        edit_.SetBlockEnd(pos);
    else
        edit_.SetBlockBegin(pos);
}

// --- Drag and drop ------------------------------------------------------------------

TSynDropEffect TSynMouseController::DropEffect(const TCustomSynEdit* Source,
                                               TShiftState Shift) const {
    if (edit_.ReadOnly()) return TSynDropEffect::None;
    if (Source == &edit_)
        return Shift.Contains(ssCtrl) ? TSynDropEffect::Copy : TSynDropEffect::Move;
    if (Source) return Shift.Contains(ssShift) ? TSynDropEffect::Move : TSynDropEffect::Copy;
    return TSynDropEffect::Copy;
}

TSynDropEffect TSynMouseController::DragOver(const TCustomSynEdit* Source, TShiftState Shift, int X,
                                             int Y) {
    const TSynDropEffect effect = DropEffect(Source, Shift);
    if (effect == TSynDropEffect::None || edit_.CharWidth() <= 0 || edit_.LineHeight() <= 0) {
        DragLeave();
        return effect;
    }
    lastMouseShift_ = Shift;
    ComputeScrollDeltas(X, Y, true);
    TSynPaintLock lock(edit_);
    edit_.SetCaretXY(PositionAt(X, Y));
    return effect;
}

void TSynMouseController::DragLeave() {
    StopScrollTimer();
    scrollDeltaX_ = scrollDeltaY_ = 0;
}

TSynDropEffect TSynMouseController::DragDrop(TCustomSynEdit* Source, const std::string& Text,
                                             TShiftState Shift, int X, int Y) {
    DragLeave();
    const TSynDropEffect effect = DropEffect(Source, Shift);
    if (effect == TSynDropEffect::None) return effect;
    const TBufferCoord at = PositionAt(X, Y);
    // Another editor's selection is the text, byte for byte.
    const std::string text =
        Source && Source != &edit_ && Source->SelAvail() ? Source->SelText() : Text;
    return edit_.editing_.Drop(Source, text, effect, at);
}

void TCustomSynEdit::StartDragSelection() {
    if (!window_ || !SelAvail()) return;
    // The drag takes the mouse over; the press's gesture ends here.
    if (window_->MouseCapture()) window_->SetMouseCapture(false);
    mouse_.DragLeave();
    window_->StartDrag(editing_.SelectionData());
}

void TSynMouseController::MouseWheel(int WheelDelta, TShiftState Shift) {
    const int rows = edit_.LinesInWindow();
    wheelAccumulator_ += WheelDelta;
    const int notches = wheelAccumulator_ / TCustomSynEdit::kWheelDelta;
    wheelAccumulator_ %= TCustomSynEdit::kWheelDelta;
    TSynEditWindow* window = edit_.Window();
    if (notches == 0 || !window) return;
    // Ctrl scrolls by pages; never more than a page per notch.
    const int perNotch = std::min(Shift.Contains(ssCtrl) ? rows : window->WheelScrollLines(), rows);
    edit_.SetTopLine(edit_.TopLine() - notches * perNotch);
    edit_.UpdateWindowNow();
}

} // namespace marlinet::editor
