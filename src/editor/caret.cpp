#include "editor/caret.h"

#include <algorithm>
#include <climits>

#include "editor/caret_display.h"
#include "editor/edit_status.h"
#include "editor/viewport.h"

namespace marlinet::editor {

void TSynCaret::SetCaretXY(const TBufferCoord& Value) {
    const int oldY = CaretXY().Y;
    const TSynStatusChanges changes =
        ctx_.Doc.MoveCaret(Value, ctx_.Settings.PastEol(), ctx_.Settings.MaxScrollWidth);
    if (changes.Empty()) return;
    if (ctx_.Style.ActiveLineColor != clNone && changes.Contains(scCaretY)) {
        ctx_.View.InvalidateLine(oldY);
        ctx_.View.InvalidateLine(CaretXY().Y);
    }
    ctx_.Display.UpdateCaret();
    ctx_.Status.StatusChanged(changes);
}

void TSynCaret::Apply(const TSynSelectionChange& Change) {
    if (!Change.Changed) return;
    if (Change.Repaint) ctx_.View.InvalidateLines(Change.First, Change.Last);
    ctx_.Status.StatusChanged({scSelection});
}

void TSynCaret::SetBlockBegin(const TBufferCoord& Value) {
    Apply(ctx_.Doc.SetBlockBegin(Value, ctx_.Settings.MaxScrollWidth));
}

void TSynCaret::SetBlockEnd(const TBufferCoord& Value) {
    Apply(ctx_.Doc.SetBlockEnd(Value, ctx_.Settings.MaxScrollWidth));
}

void TSynCaret::SetSelectionMode(TSynSelectionMode Value) {
    if (!ctx_.Doc.SetSelectionMode(Value)) return;
    ctx_.View.InvalidateSelection();
    ctx_.Status.StatusChanged({scSelection});
}

void TSynCaret::SetActiveSelectionMode(TSynSelectionMode Value) {
    if (!ctx_.Doc.SetActiveSelectionMode(Value)) return;
    ctx_.View.InvalidateSelection();
    ctx_.Status.StatusChanged({scSelection});
}

void TSynCaret::SetSelStart(int Value) {
    SetCaretXY(ctx_.Doc.CharIndexToRowCol(Value));
    SetBlockBegin(CaretXY());
}

void TSynCaret::SetSelLength(int Value) {
    const long long start = ctx_.Doc.RowColToCharIndex(ctx_.Doc.BlockBegin());
    // A backwards count that reaches before the text stops at its start.
    const long long target = std::clamp<long long>(start + Value, 0, INT_MAX);
    SetBlockEnd(ctx_.Doc.CharIndexToRowCol(static_cast<int>(target)));
    SetCaretXY(ctx_.Doc.BlockEnd());
}

void TSynCaret::CollapseAt(const TBufferCoord& P) {
    const TSynSelectionMode active = ctx_.Doc.ActiveSelectionMode();
    SetCaretXY(P);
    SetBlockBegin(CaretXY());
    ctx_.Doc.StoreActiveSelectionMode(active);
}

void TSynCaret::Select(TSynSelectionMode Mode, const TBufferCoord& From, const TBufferCoord& To,
                       const TBufferCoord& Caret) {
    TSynPaintLock lock(ctx_.Status);
    if (ctx_.Doc.SelAvail()) ctx_.View.InvalidateSelection();
    ctx_.Doc.Select(Mode, From, To, ctx_.Settings.MaxScrollWidth);
    ctx_.View.InvalidateSelection();
    ctx_.Status.StatusChanged({scSelection});
    SetCaretXY(Caret);
}

} // namespace marlinet::editor
