#include "editor/edit_state.h"

#include <algorithm>

#include "editor/caret.h"
#include "editor/caret_display.h"
#include "editor/edit_status.h"
#include "editor/viewport.h"

namespace marlinet::editor {

TSynEditState::TSynEditState(const TSynEditStateContext& Context) : ctx_(Context) {
    ctx_.Doc.UndoList().OnAddedUndo = TNotifyEvent::Of<&TSynEditState::UndoRedoAdded>(this);
    ctx_.Doc.RedoList().OnAddedUndo = TNotifyEvent::Of<&TSynEditState::UndoRedoAdded>(this);
}

TSynEditState::~TSynEditState() {
    ctx_.Doc.UndoList().OnAddedUndo = {};
    ctx_.Doc.RedoList().OnAddedUndo = {};
}

// --- Settings -------------------------------------------------------------------

void TSynEditState::SetOptions(TSynEditorOptions Value) {
    TSynEditorOptions& options = ctx_.Settings.Options;
    if (Value == options) return;
    const bool pastEolChanged =
        Value.Contains(eoScrollPastEol) != options.Contains(eoScrollPastEol);
    options = Value;
    if (pastEolChanged) ctx_.Caret.Reclamp(); // to the new column limit
    ctx_.View.Invalidate();
}

void TSynEditState::SetTabWidth(int Value) {
    Value = std::clamp(Value, 1, kSynMaxTabWidth);
    if (Value == ctx_.Doc.Lines().TabWidth()) return;
    ctx_.Doc.Lines().SetTabWidth(Value);
    ctx_.Doc.UpdateLastCaretX();
    ctx_.View.Invalidate();
}

void TSynEditState::SetMaxScrollWidth(int Value) {
    Value = std::max(Value, 1);
    if (Value == ctx_.Settings.MaxScrollWidth) return;
    ctx_.Settings.MaxScrollWidth = Value;
    ctx_.Caret.Reclamp();
}

void TSynEditState::SetReadOnly(bool Value) {
    if (Value == ctx_.Settings.ReadOnly) return;
    ctx_.Settings.ReadOnly = Value;
    ctx_.Status.StatusChanged({scReadOnly});
}

void TSynEditState::SetInsertMode(bool Value) {
    if (Value == ctx_.Settings.InsertMode) return;
    ctx_.Settings.InsertMode = Value;
    ctx_.CaretDisplay.InitializeCaret();
    ctx_.Status.StatusChanged({scInsertMode});
}

TSynDlgCodes TSynEditState::GetDlgCode() const {
    TSynDlgCodes codes{dlgWantArrows, dlgWantChars};
    if (ctx_.Settings.WantTabs) codes.Include(dlgWantTab);
    if (ctx_.Settings.WantReturns) codes.Include(dlgWantAllKeys);
    return codes;
}

// --- Undo bookkeeping -------------------------------------------------------------

void TSynEditState::LockUndo() {
    ctx_.Doc.UndoList().Lock();
    ctx_.Doc.RedoList().Lock();
}

void TSynEditState::UnlockUndo() {
    ctx_.Doc.UndoList().Unlock();
    ctx_.Doc.RedoList().Unlock();
}

void TSynEditState::ClearUndo() {
    ctx_.Doc.UndoList().Clear();
    ctx_.Doc.RedoList().Clear();
}

void TSynEditState::SetMaxUndo(int Value) {
    if (Value < 0) return;
    ctx_.Doc.UndoList().SetMaxUndoActions(Value);
    ctx_.Doc.RedoList().SetMaxUndoActions(Value);
}

bool TSynEditState::CanUndo() const {
    return !ctx_.Settings.ReadOnly && ctx_.Doc.UndoList().CanUndo();
}

bool TSynEditState::CanRedo() const {
    return !ctx_.Settings.ReadOnly && ctx_.Doc.RedoList().CanUndo();
}

void TSynEditState::SetModified(bool Value) {
    if (Value == ctx_.Settings.Modified) return;
    TSynEditUndoList& undo = ctx_.Doc.UndoList();
    if (!Value && ctx_.Settings.Options.Contains(eoGroupUndo) && undo.CanUndo())
        undo.AddGroupBreak();
    undo.SetInitialState(!Value);
    ctx_.Settings.Modified = Value;
    ctx_.Status.StatusChanged({scModified});
}

void TSynEditState::UpdateModifiedStatus() {
    const bool modified = !ctx_.Doc.UndoList().InitialState();
    if (modified == ctx_.Settings.Modified) return;
    ctx_.Settings.Modified = modified;
    ctx_.Status.StatusChanged({scModified});
}

void TSynEditState::UndoRedoAdded(TObject* Sender) {
    UpdateModifiedStatus();
    TSynEditUndoList& undo = ctx_.Doc.UndoList();
    // A new edit makes the undone changes unreachable.
    if (Sender == &undo && !undo.InsideRedo() && undo.PeekItem() &&
        undo.PeekItem()->ChangeReason != crGroupBreak) {
        ctx_.Doc.RedoList().Clear();
    }
    const auto* list = static_cast<const TSynEditUndoList*>(Sender);
    if (list->BlockCount() == 0 && ctx_.Events.OnChange) ctx_.Events.OnChange(ctx_.Sender);
}

} // namespace marlinet::editor
