// TSynEditState: the behaviour settings that need a reaction when they
// change (options, tab width, the caret's column limit, read-only, insert
// mode), the keys the editor wants from its window, and the undo lists'
// bookkeeping: the modified flag, locks, limits, and a new edit making the
// undone changes unreachable.
#pragma once

#include "editor/document.h"
#include "editor/edit_settings.h"

namespace marlinet::editor {

class TSynViewport;
class TSynCaret;
class TSynCaretDisplay;
class TSynEditStatus;

struct TSynEditStateContext {
    TSynDocument& Doc;
    TSynViewport& View;
    TSynCaret& Caret;
    TSynCaretDisplay& CaretDisplay;
    TSynEditStatus& Status;
    TSynEditSettings& Settings;
    const TSynEditEvents& Events;
    TObject* Sender;
};

class TSynEditState {
public:
    explicit TSynEditState(const TSynEditStateContext& Context);
    ~TSynEditState();
    TSynEditState(const TSynEditState&) = delete;
    TSynEditState& operator=(const TSynEditState&) = delete;

    void SetOptions(TSynEditorOptions Value);
    // Clamped to 1..kSynMaxTabWidth and passed on to the lines.
    void SetTabWidth(int Value);
    void SetMaxScrollWidth(int Value);
    void SetReadOnly(bool Value);
    // The caret shape follows.
    void SetInsertMode(bool Value);
    // Arrows and characters always; every key with WantReturns; Tab only
    // with WantTabs, so without it Tab moves the focus on.
    TSynDlgCodes GetDlgCode() const;

    void LockUndo();
    void UnlockUndo();
    void ClearUndo();
    // A value >= 0 goes to both lists; a negative one is ignored.
    void SetMaxUndo(int Value);
    bool CanUndo() const;
    bool CanRedo() const;
    void SetModified(bool Value);
    // The modified flag as the undo list's initial state says.
    void UpdateModifiedStatus();

private:
    // Both undo lists report every addition here.
    void UndoRedoAdded(TObject* Sender);

    TSynEditStateContext ctx_;
};

} // namespace marlinet::editor
