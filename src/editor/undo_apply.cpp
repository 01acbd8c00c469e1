#include "editor/undo_apply.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "editor/caret.h"
#include "editor/edit_state.h"
#include "editor/edit_status.h"
#include "editor/editing.h"
#include "editor/scroller.h"

namespace marlinet::editor {

namespace {

// The reason that closes a bracketed run starting with Reason (undo walks
// from the end item back to the begin item, redo the other way), or
// crNothing when Reason opens no bracket.
TSynChangeReason ClosingReason(TSynChangeReason Reason, bool Redoing) {
    struct Pair {
        TSynChangeReason begin, end;
    };
    static constexpr Pair kPairs[] = {{crAutoCompleteBegin, crAutoCompleteEnd},
                                      {crPasteBegin, crPasteEnd},
                                      {crSpecial1Begin, crSpecial1End},
                                      {crSpecial2Begin, crSpecial2End}};
    for (const Pair& pair : kPairs) {
        if (!Redoing && Reason == pair.end) return pair.begin;
        if (Redoing && Reason == pair.begin) return pair.end;
    }
    return crNothing;
}

bool AfterCursor(TSynChangeReason Reason) {
    return Reason == crDeleteAfterCursor || Reason == crSilentDeleteAfterCursor;
}

} // namespace

void TSynUndoApplier::MoveGroupBreak(TSynEditUndoList& From, TSynEditUndoList& To) {
    const TSynEditUndoItem* top = From.PeekItem();
    if (!top || top->ChangeReason != crGroupBreak) return;
    To.Reserve();
    To.PushItemQuietly(From.PopItem());
}

void TSynUndoApplier::Run(bool Redoing) {
    if (ctx_.Settings.ReadOnly) return;
    TSynEditUndoList& from = Redoing ? ctx_.Doc.RedoList() : ctx_.Doc.UndoList();
    TSynEditUndoList& to = Redoing ? ctx_.Doc.UndoList() : ctx_.Doc.RedoList();
    TSynPaintLock lock(ctx_.Status);
    MoveGroupBreak(from, to);
    const TSynEditUndoItem* top = from.PeekItem();
    if (!top) {
        ctx_.State.UpdateModifiedStatus();
        return;
    }
    const std::int32_t number = top->ChangeNumber;

    // For the duration: what the other list records shares this step's
    // number, a redo does not count as a new edit, and the caret may stand
    // past the end of a line (the user's options untouched); afterwards the
    // caret keeps to the options again.
    struct Scope {
        const TSynUndoApplierContext& ctx;
        TSynEditUndoList& to;
        std::int32_t oldNumber;
        bool oldInsideRedo;
        bool oldPastEol;
        ~Scope() {
            to.SetBlockChangeNumber(oldNumber);
            ctx.Doc.UndoList().SetInsideRedo(oldInsideRedo);
            ctx.Settings.StepPastEol = oldPastEol;
            if (!ctx.Settings.PastEol()) ctx.Caret.Reclamp();
        }
    } scope{ctx_, to, to.BlockChangeNumber(), ctx_.Doc.UndoList().InsideRedo(),
            ctx_.Settings.StepPastEol};
    to.SetBlockChangeNumber(number);
    if (Redoing) ctx_.Doc.UndoList().SetInsideRedo(true);
    touchedFirst_ = INT_MAX;
    touchedLast_ = -1;
    ctx_.Settings.StepPastEol = true;
    RevertStep(from, to, Redoing);
    if (Redoing && editing_.Trim()) TrimTouched();
    if (Redoing) MoveGroupBreak(from, to);
    ctx_.State.UpdateModifiedStatus();
}

void TSynUndoApplier::RevertStep(TSynEditUndoList& From, TSynEditUndoList& To, bool Redoing) {
    const std::int32_t number = From.PeekItem()->ChangeNumber;
    const TSynChangeReason closing = ClosingReason(From.PeekItem()->ChangeReason, Redoing);
    const bool group = ctx_.Settings.Options.Contains(eoGroupUndo);
    while (const TSynEditUndoItem* item = From.PeekItem()) {
        // The item about to be undone: grouping compares the next one with
        // it, not with the step's first item, so a run of like edits ends
        // where another kind of change (the blanks added before a
        // character typed past the end of a line) ends it.
        const std::int32_t operation = item->ChangeNumber;
        const TSynChangeReason reason = item->ChangeReason;
        ApplyTop(From, To, Redoing);
        const TSynEditUndoItem* next = From.PeekItem();
        if (!next) break;
        if (closing != crNothing) {
            if (next->ChangeReason != closing) continue;
            ApplyTop(From, To, Redoing); // the bracket's other end
            break;
        }
        // A step never ends inside one operation: a run of like edits that
        // reaches into one of several items takes all of it, so the lines
        // are never left with blanks that only the rest of it removes.
        const bool sameStep = next->ChangeNumber == number || next->ChangeNumber == operation;
        // What one Undo reverted went to the redo list under one number, so
        // a Redo takes exactly that much back, and no more.
        const bool likeEdit = group && !Redoing && next->ChangeReason == reason &&
                              reason != crIndent && reason != crUnindent;
        if (!sameStep && !likeEdit) break;
    }
}

void TSynUndoApplier::Touch(int First, int Removed, int Added) {
    const int shift = Added - Removed;
    if (touchedFirst_ != INT_MAX && touchedFirst_ >= First + Removed) touchedFirst_ += shift;
    if (touchedLast_ >= First + Removed)
        touchedLast_ += shift;
    else if (touchedLast_ >= First)
        touchedLast_ = First + Added - 1;
    touchedFirst_ = std::min(touchedFirst_, First);
    touchedLast_ = std::max(touchedLast_, First + Added - 1);
}

void TSynUndoApplier::TrimTouched() {
    TSynEditStringList& lines = ctx_.Doc.Lines();
    const int last = std::min(touchedLast_, lines.Count() - 1);
    int from = -1, to = -1; // the lines that end in white space
    for (int i = std::max(touchedFirst_, 0); i <= last; ++i) {
        const std::string_view line = lines.GetView(i);
        if (TrimTrailing(line).size() == line.size()) continue;
        if (from < 0) from = i;
        to = i;
    }
    if (from < 0) return;
    std::vector<std::string> trimmed;
    for (int i = from; i <= to; ++i)
        trimmed.emplace_back(TrimTrailing(lines.GetView(i)));
    lines.ReplaceLines(from, to - from + 1, std::move(trimmed));
}

void TSynUndoApplier::ApplyTop(TSynEditUndoList& From, TSynEditUndoList& To, bool Redoing) {
    const TSynEditUndoItem item = *From.PeekItem();
    ctx_.Caret.SetActiveSelectionMode(item.ChangeSelMode);
    switch (item.ChangeReason) {
    case crInsert:
    case crPaste:
    case crDragDropInsert:
    case crWhiteSpaceAdd: ApplyReplacement(From, To, item, Redoing); break;
    case crDeleteAfterCursor:
    case crDelete:
    case crSilentDelete:
    case crSilentDeleteAfterCursor:
    case crDeleteAll: ApplyDeletion(From, To, item, Redoing); break;
    case crLineBreak: ApplyLineBreak(From, To, item, Redoing); break;
    case crUnindent: ApplyUnindent(From, To, item, Redoing); break;
    case crIndent:
        Transact(From, To, {}, item);
        editing_.Select(item.ChangeSelMode, item.ChangeStartPos, item.ChangeEndPos,
                        ctx_.Doc.Caret());
        break;
    case crCaret: {
        TSynEditUndoItem inverse = item;
        inverse.ChangeStartPos = inverse.ChangeEndPos = ctx_.Doc.Caret();
        Transact(From, To, {}, inverse);
        editing_.CollapseAt(item.ChangeStartPos);
        break;
    }
    case crSelection: {
        TSynEditUndoItem inverse = item;
        inverse.ChangeSelMode = ctx_.Doc.ActiveSelectionMode();
        inverse.ChangeStartPos = ctx_.Doc.BlockBegin();
        inverse.ChangeEndPos = ctx_.Doc.BlockEnd();
        Transact(From, To, {}, inverse);
        editing_.Select(item.ChangeSelMode, item.ChangeStartPos, item.ChangeEndPos,
                        item.ChangeEndPos);
        break;
    }
    default: Transact(From, To, {}, item); break; // brackets and breaks
    }
    ctx_.Scroller.EnsureCursorPosVisible();
}

// The text between start and end is what the change put there; it goes
// back to the item's text (what the change replaced, often nothing). The
// inverse does the same the other way, so undo and redo are one operation.
void TSynUndoApplier::ApplyReplacement(TSynEditUndoList& From, TSynEditUndoList& To,
                                       const TSynEditUndoItem& Item, bool Redoing) {
    const TSynTextChanger changer = editing_.Changer(false);
    const TSynSelectionMode mode = Item.ChangeSelMode;
    TSynEditUndoItem inverse = Item;
    inverse.ChangeStr = changer.Text(mode, Item.ChangeStartPos, Item.ChangeEndPos);
    TSynLineChange change = changer.Replace(mode, Item.ChangeStartPos, Item.ChangeEndPos,
                                            Item.ChangeStr, inverse.ChangeEndPos);
    Transact(From, To, std::move(change), inverse);
    editing_.CollapseAt(Redoing ? inverse.ChangeEndPos : Item.ChangeStartPos);
}

void TSynUndoApplier::ApplyDeletion(TSynEditUndoList& From, TSynEditUndoList& To,
                                    const TSynEditUndoItem& Item, bool Redoing) {
    const TSynTextChanger changer = editing_.Changer(false);
    const TSynSelectionMode mode = Item.ChangeSelMode;
    const TBufferCoord start = Item.ChangeStartPos, end = Item.ChangeEndPos;
    // Where the deleted text began (a column block's left column stays where
    // it was).
    const TBufferCoord at = changer.InsertionPoint(mode, start, end);
    TSynEditUndoItem inverse = Item;
    if (Redoing) {
        inverse.ChangeStr = changer.Text(mode, start, end);
        Transact(From, To, changer.Delete(mode, start, end), inverse);
        editing_.CollapseAt(at);
        return;
    }
    inverse.ChangeStr.clear();
    TBufferCoord inserted;
    Transact(From, To, changer.Insert(mode, at, Item.ChangeStr, inserted), inverse);
    const TBufferCoord caret = AfterCursor(Item.ChangeReason) ? start : end;
    if (Item.ChangeReason == crDeleteAll)
        editing_.CollapseAt({1, 1});
    else if (Item.ChangeReason == crDeleteAfterCursor || Item.ChangeReason == crDelete)
        editing_.Select(mode, start, end, caret);
    else
        editing_.CollapseAt(caret);
}

void TSynUndoApplier::ApplyLineBreak(TSynEditUndoList& From, TSynEditUndoList& To,
                                     const TSynEditUndoItem& Item, bool Redoing) {
    const TSynTextChanger changer = editing_.Changer(false);
    const TBufferCoord at = Item.ChangeStartPos;
    if (Redoing) {
        TBufferCoord end;
        Transact(From, To, changer.Insert(smNormal, at, "\r\n", end), Item);
        editing_.CollapseAt({1, at.Y + 1});
        return;
    }
    // Joined again at the column it was split at, blanks making up what the
    // first part lost to trimming.
    Transact(From, To, changer.Delete(smNormal, at, {1, at.Y + 1}), Item);
    editing_.CollapseAt(at);
}

void TSynUndoApplier::ApplyUnindent(TSynEditUndoList& From, TSynEditUndoList& To,
                                    const TSynEditUndoItem& Item, bool Redoing) {
    const TSynTextChanger changer = editing_.Changer(false);
    const int first = std::min(Item.ChangeStartPos.Y, Item.ChangeEndPos.Y);
    TBufferCoord end;
    TSynLineChange change = Redoing ? changer.DeletePrefixes(first, Item.ChangeStr)
                                    : changer.Insert(smColumn, {1, first}, Item.ChangeStr, end);
    Transact(From, To, std::move(change), Item);
    editing_.Select(Item.ChangeSelMode, Item.ChangeStartPos, Item.ChangeEndPos, ctx_.Doc.Caret());
}

void TSynUndoApplier::Transact(TSynEditUndoList& From, TSynEditUndoList& To, TSynLineChange Change,
                               const TSynEditUndoItem& Inverse) {
    TSynEditStringList& lines = ctx_.Doc.Lines();
    std::optional<TSynLineReplacement> prepared;
    if (!Change.Empty())
        prepared = lines.PrepareReplace(Change.First, Change.Count, std::move(Change.Lines));
    std::unique_ptr<TSynEditUndoItem> inverse =
        To.MakeChange(Inverse.ChangeReason, Inverse.ChangeStartPos, Inverse.ChangeEndPos,
                      Inverse.ChangeStr, Inverse.ChangeSelMode);
    To.Reserve();
    // Nothing below can fail until the lines have changed.
    From.PopItem();
    const bool recorded = inverse != nullptr;
    To.PushItemQuietly(std::move(inverse));
    if (prepared) {
        Touch(prepared->Index(), prepared->Count(), prepared->NewCount());
        try {
            lines.CommitReplace(std::move(*prepared));
        } catch (...) {
            // A listener failed after the change: the lists agree with the
            // text, and the modified state must too.
            ctx_.State.UpdateModifiedStatus();
            throw;
        }
    }
    if (recorded) To.NotifyAdded();
}

} // namespace marlinet::editor
