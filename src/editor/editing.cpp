// Editing: the undo and redo lists' bookkeeping (the modified flag, group
// breaks, a new edit making the undone changes unreachable) and the
// commands that change the text. This is where typing, deleting, line
// breaks, the clipboard and applying undo and redo items to the text belong.
#include "editor/custom_synedit.h"

namespace marlinet::editor {

void TCustomSynEdit::ExecuteEditingCommand(TSynEditorCommand, char, void*) {
    // No command changes the text yet: every text-changing command code
    // reaches here and leaves the text as it is.
}

void TCustomSynEdit::LockUndo() {
    UndoList().Lock();
    RedoList().Lock();
}

void TCustomSynEdit::UnlockUndo() {
    UndoList().Unlock();
    RedoList().Unlock();
}

void TCustomSynEdit::ClearUndo() {
    UndoList().Clear();
    RedoList().Clear();
}

void TCustomSynEdit::SetMaxUndo(int Value) {
    if (Value < 0) return;
    UndoList().SetMaxUndoActions(Value);
    RedoList().SetMaxUndoActions(Value);
}

void TCustomSynEdit::SetModified(bool Value) {
    if (Value == modified_) return;
    if (!Value && options_.Contains(eoGroupUndo) && UndoList().CanUndo())
        UndoList().AddGroupBreak();
    UndoList().SetInitialState(!Value);
    modified_ = Value;
    StatusChanged({scModified});
}

void TCustomSynEdit::UpdateModifiedStatus() {
    const bool modified = !UndoList().InitialState();
    if (modified == modified_) return;
    modified_ = modified;
    StatusChanged({scModified});
}

void TCustomSynEdit::UndoRedoAdded(TObject* Sender) {
    UpdateModifiedStatus();
    // A new edit makes the undone changes unreachable.
    if (Sender == &UndoList() && !UndoList().InsideRedo() && UndoList().PeekItem() &&
        UndoList().PeekItem()->ChangeReason != crGroupBreak) {
        RedoList().Clear();
    }
    const auto* list = static_cast<const TSynEditUndoList*>(Sender);
    if (list->BlockCount() == 0 && OnChange) OnChange(this);
}

} // namespace marlinet::editor
