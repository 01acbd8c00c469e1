// Undo and redo applied to the text. One step reverts one operation (the
// items sharing a change number), a whole bracketed paste, or, with
// eoGroupUndo, a run of like edits; each item reverted is recorded in the
// other list, so that redo mirrors undo.
//
// Items are applied to the lines untrimmed, whatever eoTrimTrailingSpaces
// says: undo puts back exactly what was there, and a step's intermediate
// states must not lose white space that a later item of the step puts text
// after. A redo step ends by trimming the lines it touched, as the commands
// it repeats stored them.
//
// Invariant: the text and the two lists always agree. Each item is applied
// as one transaction: the change of the text and the inverse item are built
// first (a failure there changes nothing); then the item leaves its list,
// its inverse joins the other and the lines change, none of which can fail;
// only the notifications that follow may throw, and by then everything
// agrees. A step that fails part way leaves the rest of its items where
// they were, ready for the next Undo or Redo.
#pragma once

#include "editor/document.h"
#include "editor/edit_settings.h"
#include "editor/text_change.h"
#include "editor/undo.h"

namespace marlinet::editor {

class TSynEditingCommands;
class TSynCaret;
class TSynEditStatus;
class TSynScroller;
class TSynEditState;

struct TSynUndoApplierContext {
    TSynDocument& Doc;
    TSynEditingCommands& Editing;
    TSynCaret& Caret;
    TSynEditStatus& Status;
    TSynScroller& Scroller;
    TSynEditState& State;
    // The applier only sets StepPastEol for the duration of a step; the
    // user's options stay as they are.
    TSynEditSettings& Settings;
};

class TSynUndoApplier {
public:
    explicit TSynUndoApplier(const TSynUndoApplierContext& Context)
        : ctx_(Context), editing_(Context.Editing) {}
    TSynUndoApplier(const TSynUndoApplier&) = delete;
    TSynUndoApplier& operator=(const TSynUndoApplier&) = delete;

    void Undo() { Run(false); }
    void Redo() { Run(true); }

private:
    void Run(bool Redoing);
    // Reverts From's top items that make one step, recording into To.
    void RevertStep(TSynEditUndoList& From, TSynEditUndoList& To, bool Redoing);
    // Applies From's top item and records its inverse into To.
    void ApplyTop(TSynEditUndoList& From, TSynEditUndoList& To, bool Redoing);
    void ApplyReplacement(TSynEditUndoList& From, TSynEditUndoList& To,
                          const TSynEditUndoItem& Item, bool Redoing);
    void ApplyDeletion(TSynEditUndoList& From, TSynEditUndoList& To, const TSynEditUndoItem& Item,
                       bool Redoing);
    void ApplyLineBreak(TSynEditUndoList& From, TSynEditUndoList& To, const TSynEditUndoItem& Item,
                        bool Redoing);
    void ApplyUnindent(TSynEditUndoList& From, TSynEditUndoList& To, const TSynEditUndoItem& Item,
                       bool Redoing);
    // Changes the lines, pops From's top and pushes Inverse (numbered by To)
    // into To, as one transaction (see above).
    void Transact(TSynEditUndoList& From, TSynEditUndoList& To, TSynLineChange Change,
                  const TSynEditUndoItem& Inverse);
    // A group break on top of From moves to To, keeping its number.
    static void MoveGroupBreak(TSynEditUndoList& From, TSynEditUndoList& To);
    // Widens the range of lines the step touched by a change of lines
    // [First, First + Removed) into Added lines.
    void Touch(int First, int Removed, int Added);
    // Stores the lines the step touched trimmed.
    void TrimTouched();

    TSynUndoApplierContext ctx_;
    TSynEditingCommands& editing_;
    int touchedFirst_ = 0; // 0-based, in the lines as they are now
    int touchedLast_ = -1;
};

} // namespace marlinet::editor
