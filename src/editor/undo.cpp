#include "editor/undo.h"

#include "editor/errors.h"

namespace marlinet::editor {

void TSynEditUndoList::AdvanceChangeNumber() {
    // Wraps through the negative numbers but never hands out 0, which means
    // "no item" to InitialState.
    auto next = static_cast<std::uint32_t>(nextChangeNumber_) + 1u;
    if (next == 0) next = 1;
    nextChangeNumber_ = static_cast<std::int32_t>(next);
}

std::int32_t TSynEditUndoList::TakeChangeNumber() {
    if (blockChangeNumber_ != 0) return blockChangeNumber_;
    std::int32_t number = nextChangeNumber_;
    AdvanceChangeNumber();
    return number;
}

std::unique_ptr<TSynEditUndoItem> TSynEditUndoList::MakeChange(TSynChangeReason AReason,
                                                               const TBufferCoord& AStart,
                                                               const TBufferCoord& AEnd,
                                                               const std::string& ChangeText,
                                                               TSynSelectionMode SelMode) {
    if (lockCount_ > 0) return nullptr;
    auto item = std::make_unique<TSynEditUndoItem>();
    item->ChangeReason = AReason;
    item->ChangeSelMode = SelMode;
    item->ChangeStartPos = AStart;
    item->ChangeEndPos = AEnd;
    item->ChangeStr = ChangeText;
    item->ChangeNumber = TakeChangeNumber();
    return item;
}

void TSynEditUndoList::AddChange(TSynChangeReason AReason, const TBufferCoord& AStart,
                                 const TBufferCoord& AEnd, const std::string& ChangeText,
                                 TSynSelectionMode SelMode) {
    PushItem(MakeChange(AReason, AStart, AEnd, ChangeText, SelMode));
}

void TSynEditUndoList::BeginBlock() {
    ++blockCount_;
    blockChangeNumber_ = nextChangeNumber_;
}

void TSynEditUndoList::EndBlock() {
    if (blockCount_ == 0) return;
    if (--blockCount_ > 0) return;
    const std::int32_t closed = blockChangeNumber_;
    blockChangeNumber_ = 0;
    AdvanceChangeNumber();
    const TSynEditUndoItem* top = PeekItem();
    if (top && top->ChangeNumber == closed) NotifyAdded();
}

void TSynEditUndoList::AddGroupBreak() {
    if (LastChangeReason() != crGroupBreak) AddChange(crGroupBreak, {}, {}, {}, smNormal);
}

void TSynEditUndoList::Clear() {
    items_.clear();
    fullUndoImpossible_ = false;
}

const TSynEditUndoItem* TSynEditUndoList::PeekItem() const {
    return items_.empty() ? nullptr : items_.back().get();
}

std::unique_ptr<TSynEditUndoItem> TSynEditUndoList::PopItem() {
    if (items_.empty()) return nullptr;
    auto item = std::move(items_.back());
    items_.pop_back();
    return item;
}

void TSynEditUndoList::PushItem(std::unique_ptr<TSynEditUndoItem> Item) {
    if (!Item) return;
    const bool isBreak = Item->ChangeReason == crGroupBreak;
    items_.push_back(std::move(Item));
    EnsureMaxEntries();
    if (!isBreak) NotifyAdded();
}

void TSynEditUndoList::PushItemQuietly(std::unique_ptr<TSynEditUndoItem> Item) noexcept {
    if (!Item) return;
    items_.push_back(std::move(Item)); // room was reserved
    EnsureMaxEntries();
}

void TSynEditUndoList::EnsureMaxEntries() noexcept {
    if (static_cast<int>(items_.size()) <= maxUndoActions_) return;
    fullUndoImpossible_ = true;
    // An empty list can no longer mean "as when marked unmodified": the dropped
    // changes cannot be undone, so undoing everything left must not clear
    // Modified.
    if (initialChangeNumber_ == 0) initialChangeNumber_ = -1;
    items_.erase(items_.begin(), items_.end() - maxUndoActions_);
}

TSynChangeReason TSynEditUndoList::LastChangeReason() const {
    return items_.empty() ? crNothing : items_.back()->ChangeReason;
}

const TSynEditUndoItem& TSynEditUndoList::Items(int Index) const {
    if (Index < 0 || Index >= ItemCount())
        throw EListError("Undo item index " + std::to_string(Index) + " out of bounds");
    return *items_[static_cast<std::size_t>(Index)];
}

void TSynEditUndoList::DeleteItem(int Index) {
    if (Index < 0 || Index >= ItemCount())
        throw EListError("Undo item index " + std::to_string(Index) + " out of bounds");
    items_.erase(items_.begin() + Index);
}

void TSynEditUndoList::SetMaxUndoActions(int Value) {
    if (Value < 0) Value = 0;
    if (Value == maxUndoActions_) return;
    maxUndoActions_ = Value;
    EnsureMaxEntries();
}

bool TSynEditUndoList::InitialState() const {
    if (items_.empty()) return initialChangeNumber_ == 0;
    return items_.back()->ChangeNumber == initialChangeNumber_;
}

void TSynEditUndoList::SetInitialState(bool Value) {
    if (Value) {
        initialChangeNumber_ = items_.empty() ? 0 : items_.back()->ChangeNumber;
    } else if (InitialState()) {
        initialChangeNumber_ = -1;
    }
}

void TSynEditUndoList::Assign(const TSynEditUndoList& Source) {
    if (&Source == this) return;
    items_.clear();
    for (const auto& item : Source.items_)
        items_.push_back(std::make_unique<TSynEditUndoItem>(*item));
    blockChangeNumber_ = Source.blockChangeNumber_;
    blockCount_ = Source.blockCount_;
    fullUndoImpossible_ = Source.fullUndoImpossible_;
    lockCount_ = Source.lockCount_;
    maxUndoActions_ = Source.maxUndoActions_;
    nextChangeNumber_ = Source.nextChangeNumber_;
    initialChangeNumber_ = Source.initialChangeNumber_;
    insideRedo_ = Source.insideRedo_;
}

} // namespace marlinet::editor
