#include "editor/mouse_controller.h"

#include <algorithm>
#include <cstdlib>

#include "editor/caret.h"
#include "editor/edit_status.h"
#include "editor/movement.h"
#include "editor/scroller.h"
#include "editor/viewport.h"

namespace marlinet::editor {

TBufferCoord TSynMouseController::TextAt(TDisplayCoord Cell) const {
    Cell.Row = std::clamp(Cell.Row, 1, ctx_.Doc.RowCount());
    return ctx_.Doc.DisplayToBufferPos(Cell);
}

TBufferCoord TSynMouseController::PositionAt(int X, int Y) const {
    return TextAt(ctx_.View.PixelsToNearestRowColumn(X, Y));
}

bool TSynMouseController::InGutter(int X) const {
    return X < ctx_.View.GutterWidth();
}

void TSynMouseController::GutterPress(TMouseButton Button, TShiftState Shift, int X, int Y) {
    // Until the release: the press belongs to the gutter, not to the text.
    ctx_.Status.Flags().Include(sfPossibleGutterClick);
    TSynEditWindow* window = ctx_.View.Window();
    if (window && !window->Focused()) window->SetFocus();
    const int line = ctx_.View.PixelsToRowColumn(X, Y).Row;
    if (line <= ctx_.Doc.Lines().Count() && ctx_.Events.OnGutterClick)
        ctx_.Events.OnGutterClick(ctx_.Sender, Button, Shift, X, Y, line);
}

void TSynMouseController::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    lastMouseShift_ = Shift;
    ctx_.Status.Flags().Exclude(sfPossibleGutterClick);
    ctx_.KbdHandler.ExecuteMouseDown(ctx_.Sender, Button, Shift, X, Y);
    if (InGutter(X)) {
        GutterPress(Button, Shift, X, Y);
        return;
    }
    if (Button == mbLeft && Shift.Contains(ssDouble)) return; // DblClick follows
    if (Button != mbLeft && Button != mbRight) return;
    if (Button == mbRight && !ctx_.Settings.Options.Contains(eoRightMouseMovesCursor)) return;

    const TBufferCoord pos = PositionAt(X, Y);
    const bool inSelection = ctx_.Doc.SelAvail() && ctx_.Doc.InSelection(pos);
    const bool rightOfMargin = X >= ctx_.View.GutterWidth() + kSynGutterMargin;
    TSynEditWindow* window = ctx_.View.Window();
    {
        TSynPaintLock lock(ctx_.Status);
        if (Button == mbRight) {
            // A right click inside the selection keeps it for a context menu.
            if (!inSelection) {
                ctx_.Caret.SetCaretXY(pos);
                ctx_.Caret.SetBlockBegin(ctx_.Doc.Caret());
            }
        } else {
            ctx_.Caret.SetCaretXY(pos);
            if (window) window->SetMouseCapture(true);
            mouseDownPos_ = {X, Y};
            if (inSelection && ctx_.Doc.SelectionMode() == smNormal &&
                ctx_.Settings.Options.Contains(eoDragDropEditing) && rightOfMargin) {
                ctx_.Status.Flags().Include(sfWaitForDragging);
            } else if (Shift.Contains(ssShift)) {
                ctx_.Caret.SetBlockEnd(ctx_.Doc.Caret());
            } else {
                ctx_.Caret.SetBlockBegin(ctx_.Doc.Caret());
            }
        }
    }
    if (window && !window->Focused()) window->SetFocus();
}

void TSynMouseController::DblClick(int X, int) {
    if (X < ctx_.View.GutterWidth() + kSynGutterMargin) return;
    ctx_.Movement.SetWordBlock(ctx_.Doc.Caret());
    ctx_.Status.Flags().Include(sfDblClicked);
}

void TSynMouseController::ComputeScrollDeltas(int X, int Y, bool Dragging) {
    const int charWidth = ctx_.View.CharWidth(), lineHeight = ctx_.View.LineHeight();
    const int bandX = Dragging ? charWidth / 2 : 0, bandY = Dragging ? lineHeight / 2 : 0;
    const int left = ctx_.View.GutterWidth() + kSynGutterMargin + bandX;
    const int right = left - 2 * bandX + ctx_.View.CharsInWindow() * charWidth;
    const int top = bandY;
    const int bottom = ctx_.View.LinesInWindow() * lineHeight - bandY;
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
    if (!ctx_.View.Window()) return;
    if (wanted && !scrollTimerRunning_) {
        ctx_.View.Window()->StartScrollTimer(kSynScrollTimerInterval);
        scrollTimerRunning_ = true;
    } else if (!wanted && scrollTimerRunning_) {
        StopScrollTimer();
    }
}

void TSynMouseController::StopScrollTimer() {
    if (scrollTimerRunning_ && ctx_.View.Window()) ctx_.View.Window()->StopScrollTimer();
    scrollTimerRunning_ = false;
}

void TSynMouseController::MoveCaretToPointer(int X, int Y, bool KeepColumn, bool KeepRow) {
    TDisplayCoord cell = ctx_.View.PixelsToNearestRowColumn(X, Y);
    const TDisplayCoord caret = ctx_.Doc.BufferToDisplayPos(ctx_.Doc.Caret());
    if (KeepColumn) cell.Column = caret.Column;
    if (KeepRow) cell.Row = caret.Row;
    ctx_.Caret.SetCaretXY(TextAt(cell));
}

void TSynMouseController::MouseMove(TShiftState Shift, int X, int Y) {
    lastMouseShift_ = Shift;
    TSynEditWindow* window = ctx_.View.Window();
    if (!window || !window->MouseCapture() || ctx_.View.CharWidth() <= 0 ||
        ctx_.View.LineHeight() <= 0)
        return;
    if (ctx_.Status.Flags().Contains(sfWaitForDragging)) {
        const int threshold = window->DragThreshold();
        if (std::abs(X - mouseDownPos_.X) >= threshold ||
            std::abs(Y - mouseDownPos_.Y) >= threshold) {
            ctx_.Status.Flags().Exclude(sfWaitForDragging);
            ctx_.StartDrag();
        }
        return;
    }
    if (!Shift.Contains(ssLeft)) return;
    ComputeScrollDeltas(X, Y);
    TSynPaintLock lock(ctx_.Status);
    // Outside the text area the timer scrolls; the caret keeps that axis.
    MoveCaretToPointer(X, Y, scrollDeltaX_ != 0, scrollDeltaY_ != 0);
    ctx_.Caret.SetBlockEnd(ctx_.Doc.Caret());
}

void TSynMouseController::ScrollTimerTick() {
    if (scrollDeltaX_ == 0 && scrollDeltaY_ == 0) return;
    TSynPaintLock lock(ctx_.Status);
    TDisplayCoord cell = ctx_.Doc.BufferToDisplayPos(ctx_.Doc.Caret());
    if (scrollDeltaX_ != 0) {
        ctx_.Scroller.SetLeftChar(ctx_.View.LeftChar() + scrollDeltaX_);
        cell.Column = scrollDeltaX_ < 0 ? ctx_.View.LeftChar()
                                        : ctx_.View.LeftChar() + ctx_.View.CharsInWindow() - 1;
    }
    if (scrollDeltaY_ != 0) {
        const int rows = std::max(ctx_.View.LinesInWindow(), 1);
        // With Shift held the drag scrolls by pages.
        const int step = lastMouseShift_.Contains(ssShift) ? scrollDeltaY_ * rows : scrollDeltaY_;
        ctx_.Scroller.SetTopLine(ctx_.View.TopLine() + step);
        cell.Row = scrollDeltaY_ < 0
                       ? ctx_.View.TopLine()
                       : std::min(ctx_.View.TopLine() + rows - 1, ctx_.Doc.Lines().Count());
    }
    ctx_.Caret.SetCaretXY(TextAt(cell));
    if (ctx_.View.Window()->MouseCapture()) ctx_.Caret.SetBlockEnd(ctx_.Doc.Caret());
}

void TSynMouseController::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    lastMouseShift_ = Shift;
    ctx_.KbdHandler.ExecuteMouseUp(ctx_.Sender, Button, Shift, X, Y);
    StopScrollTimer();
    scrollDeltaX_ = scrollDeltaY_ = 0;
    if (ctx_.Status.Flags().Contains(sfPossibleGutterClick)) {
        ctx_.Status.Flags().Exclude(sfPossibleGutterClick);
        return;
    }
    if (Button != mbLeft) return;
    TSynEditWindow* window = ctx_.View.Window();
    if (window && window->MouseCapture()) window->SetMouseCapture(false);
    if (ctx_.Status.Flags().Contains(sfDblClicked)) {
        ctx_.Status.Flags().Exclude(sfDblClicked);
        return;
    }
    if (!ctx_.Status.Flags().Contains(sfWaitForDragging)) return;
    // The press inside the selection never became a drag: a plain click.
    ctx_.Status.Flags().Exclude(sfWaitForDragging);
    const TBufferCoord pos = PositionAt(X, Y);
    TSynPaintLock lock(ctx_.Status);
    ctx_.Caret.SetCaretXY(pos);
    if (Shift.Contains(ssShift))
        ctx_.Caret.SetBlockEnd(pos);
    else
        ctx_.Caret.SetBlockBegin(pos);
}

// --- Drag and drop ------------------------------------------------------------------

TSynDropEffect TSynMouseController::DropEffect(const TSynEditingCommands* Source,
                                               TShiftState Shift) const {
    if (ctx_.Settings.ReadOnly) return TSynDropEffect::None;
    if (Source == &ctx_.Editing)
        return Shift.Contains(ssCtrl) ? TSynDropEffect::Copy : TSynDropEffect::Move;
    if (Source) return Shift.Contains(ssShift) ? TSynDropEffect::Move : TSynDropEffect::Copy;
    return TSynDropEffect::Copy;
}

TSynDropEffect TSynMouseController::DragOver(const TSynEditingCommands* Source, TShiftState Shift,
                                             int X, int Y) {
    const TSynDropEffect effect = DropEffect(Source, Shift);
    if (effect == TSynDropEffect::None || ctx_.View.CharWidth() <= 0 ||
        ctx_.View.LineHeight() <= 0) {
        DragLeave();
        return effect;
    }
    lastMouseShift_ = Shift;
    ComputeScrollDeltas(X, Y, true);
    TSynPaintLock lock(ctx_.Status);
    ctx_.Caret.SetCaretXY(PositionAt(X, Y));
    return effect;
}

void TSynMouseController::DragLeave() {
    StopScrollTimer();
    scrollDeltaX_ = scrollDeltaY_ = 0;
}

TSynDropEffect TSynMouseController::DragDrop(TSynEditingCommands* Source, const std::string& Text,
                                             TShiftState Shift, int X, int Y) {
    DragLeave();
    const TSynDropEffect effect = DropEffect(Source, Shift);
    if (effect == TSynDropEffect::None) return effect;
    const TBufferCoord at = PositionAt(X, Y);
    // Another editor's selection is the text, byte for byte.
    const std::string text =
        Source && Source != &ctx_.Editing && Source->SelAvail() ? Source->SelText() : Text;
    return ctx_.Editing.Drop(Source, text, effect, at);
}

void TSynMouseController::StartDragSelection() {
    TSynEditWindow* window = ctx_.View.Window();
    if (!window || !ctx_.Doc.SelAvail()) return;
    // The drag takes the mouse over; the press's gesture ends here.
    if (window->MouseCapture()) window->SetMouseCapture(false);
    DragLeave();
    window->StartDrag(ctx_.Editing.SelectionData());
}

void TSynMouseController::MouseWheel(int WheelDelta, TShiftState Shift) {
    const int rows = ctx_.View.LinesInWindow();
    wheelAccumulator_ += WheelDelta;
    const int notches = wheelAccumulator_ / kSynWheelDelta;
    wheelAccumulator_ %= kSynWheelDelta;
    TSynEditWindow* window = ctx_.View.Window();
    if (notches == 0 || !window) return;
    // Ctrl scrolls by pages; never more than a page per notch.
    const int perNotch = std::min(Shift.Contains(ssCtrl) ? rows : window->WheelScrollLines(), rows);
    ctx_.Scroller.SetTopLine(ctx_.View.TopLine() - notches * perNotch);
    ctx_.View.UpdateNow();
}

} // namespace marlinet::editor
