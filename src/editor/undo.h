// The undo log: small items, each recording one change of the text with a
// change number. Items with equal numbers belong to one editing operation.
// The editor keeps two of these lists, one for undo and one for redo.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor/events.h"
#include "editor/types.h"

namespace marlinet::editor {

// Declaration order is the numeric value.
enum TSynChangeReason : std::uint8_t {
    crInsert,
    crPaste,
    crDragDropInsert,
    crDeleteAfterCursor,
    crDelete,
    crLineBreak,
    crIndent,
    crUnindent,
    crSilentDelete,
    crSilentDeleteAfterCursor,
    crAutoCompleteBegin,
    crAutoCompleteEnd,
    crPasteBegin,
    crPasteEnd,
    crSpecial1Begin,
    crSpecial1End,
    crSpecial2Begin,
    crSpecial2End,
    crCaret,
    crSelection,
    crNothing, // never stored: LastChangeReason of an empty list
    crGroupBreak,
    crDeleteAll,
    crWhiteSpaceAdd
};

class TSynEditUndoItem {
public:
    TSynChangeReason ChangeReason = crNothing;
    TSynSelectionMode ChangeSelMode = smNormal;
    TBufferCoord ChangeStartPos;
    TBufferCoord ChangeEndPos;
    std::string ChangeStr; // the text the change removed; empty for pure insertions
    std::int32_t ChangeNumber = 0;

    void Assign(const TSynEditUndoItem& Source) { *this = Source; }
};

class TSynEditUndoList : public TObject {
public:
    static constexpr int kDefaultMaxUndoActions = 1024;

    TSynEditUndoList() = default;
    TSynEditUndoList(const TSynEditUndoList&) = delete;
    TSynEditUndoList& operator=(const TSynEditUndoList&) = delete;

    // Records a change (nothing while locked). Inside a block the item takes
    // the block's number, otherwise the next change number.
    void AddChange(TSynChangeReason AReason, const TBufferCoord& AStart, const TBufferCoord& AEnd,
                   const std::string& ChangeText, TSynSelectionMode SelMode);
    void BeginBlock();
    void EndBlock();
    // Adds a crGroupBreak unless the top item already is one.
    void AddGroupBreak();
    void Lock() { ++lockCount_; }
    void Unlock() {
        if (lockCount_ > 0) --lockCount_;
    }
    // Frees all items and clears the full-undo-impossible flag.
    void Clear();

    const TSynEditUndoItem* PeekItem() const;
    std::unique_ptr<TSynEditUndoItem> PopItem();
    // Appends Item, drops the oldest items beyond MaxUndoActions and notifies
    // OnAddedUndo unless Item is a group break.
    void PushItem(std::unique_ptr<TSynEditUndoItem> Item);

    // AddChange in steps, for undo and redo, which must not fail between
    // changing the text and recording the change: MakeChange builds the
    // item and takes its number (null while locked); Reserve makes room so
    // that PushItemQuietly cannot fail; PushItemQuietly appends (dropping
    // the oldest beyond the limit) without notifying; NotifyAdded notifies.
    std::unique_ptr<TSynEditUndoItem>
    MakeChange(TSynChangeReason AReason, const TBufferCoord& AStart, const TBufferCoord& AEnd,
               const std::string& ChangeText, TSynSelectionMode SelMode);
    void Reserve() { items_.reserve(items_.size() + 1); }
    void PushItemQuietly(std::unique_ptr<TSynEditUndoItem> Item) noexcept;
    void NotifyAdded() {
        if (OnAddedUndo) OnAddedUndo(this);
    }

    TSynChangeReason LastChangeReason() const;
    bool CanUndo() const { return !items_.empty(); }
    int ItemCount() const { return static_cast<int>(items_.size()); }
    // Raise EListError for an index outside 0..ItemCount - 1.
    const TSynEditUndoItem& Items(int Index) const;
    void DeleteItem(int Index);

    int MaxUndoActions() const { return maxUndoActions_; }
    // A negative value counts as 0; a change trims the list at once.
    void SetMaxUndoActions(int Value);

    // True when the text is as it was when last marked unmodified.
    bool InitialState() const;
    // true: the current state becomes the unmodified one. false: when the
    // current state is the unmodified one, no state is any more.
    void SetInitialState(bool Value);

    // Copies the items and every recorded field; OnAddedUndo stays this list's own.
    void Assign(const TSynEditUndoList& Source);

    int BlockCount() const { return blockCount_; }
    std::int32_t BlockChangeNumber() const { return blockChangeNumber_; }
    // Used while undo or redo runs: the items the other list records then
    // share the number of the item being reverted.
    void SetBlockChangeNumber(std::int32_t Value) { blockChangeNumber_ = Value; }
    std::int32_t NextChangeNumber() const { return nextChangeNumber_; }
    std::int32_t InitialChangeNumber() const { return initialChangeNumber_; }
    bool FullUndoImpossible() const { return fullUndoImpossible_; }
    int LockCount() const { return lockCount_; }
    bool InsideRedo() const { return insideRedo_; }
    void SetInsideRedo(bool Value) { insideRedo_ = Value; }

    TNotifyEvent OnAddedUndo;

private:
    std::int32_t TakeChangeNumber();
    void AdvanceChangeNumber();
    void EnsureMaxEntries() noexcept;

    std::vector<std::unique_ptr<TSynEditUndoItem>> items_;
    std::int32_t blockChangeNumber_ = 0;
    int blockCount_ = 0;
    bool fullUndoImpossible_ = false;
    int lockCount_ = 0;
    int maxUndoActions_ = kDefaultMaxUndoActions;
    std::int32_t nextChangeNumber_ = 1;
    std::int32_t initialChangeNumber_ = 0;
    bool insideRedo_ = false;
};

} // namespace marlinet::editor
