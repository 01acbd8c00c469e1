#include "editor/custom_synedit.h"

#include <algorithm>
#include <cassert>

namespace marlinet::editor {

TCustomSynEdit::TCustomSynEdit(TSynEditWindow* Window) : window_(Window), keystrokes_(this) {
    lines_.OnChanging = TNotifyEvent::Of<&TCustomSynEdit::LinesChanging>(this);
    lines_.OnChange = TNotifyEvent::Of<&TCustomSynEdit::LinesChanged>(this);
    lines_.OnCleared = TNotifyEvent::Of<&TCustomSynEdit::ListCleared>(this);
    lines_.OnDeleted = TStringListChangeEvent::Of<&TCustomSynEdit::ListDeleted>(this);
    lines_.OnInserted = TStringListChangeEvent::Of<&TCustomSynEdit::ListInserted>(this);
    lines_.OnPutted = TStringListChangeEvent::Of<&TCustomSynEdit::ListPutted>(this);
    lines_.SetTabWidth(tabWidth_);
    undoList_.OnAddedUndo = TNotifyEvent::Of<&TCustomSynEdit::UndoRedoAdded>(this);
    redoList_.OnAddedUndo = TNotifyEvent::Of<&TCustomSynEdit::UndoRedoAdded>(this);
    // SetDefaultKeystrokes is virtual, but a constructor only reaches this
    // class's version; derived editors with other defaults call theirs again.
    TCustomSynEdit::SetDefaultKeystrokes();
}

TCustomSynEdit::~TCustomSynEdit() {
    lines_.OnChanging = {};
    lines_.OnChange = {};
    lines_.OnCleared = {};
    lines_.OnDeleted = {};
    lines_.OnInserted = {};
    lines_.OnPutted = {};
    undoList_.OnAddedUndo = {};
    redoList_.OnAddedUndo = {};
}

// --- Settings -------------------------------------------------------------------

void TCustomSynEdit::SetOptions(TSynEditorOptions Value) {
    if (Value == options_) return;
    const bool pastEolChanged =
        Value.Contains(eoScrollPastEol) != options_.Contains(eoScrollPastEol);
    options_ = Value;
    if (pastEolChanged) SetCaretXY(caret_); // re-clamp to the new column limit
    Invalidate();
}

void TCustomSynEdit::SetTabWidth(int Value) {
    Value = std::clamp(Value, 1, kMaxTabWidth);
    if (Value == tabWidth_) return;
    tabWidth_ = Value;
    lines_.SetTabWidth(Value);
    UpdateLastCaretX();
    Invalidate();
}

void TCustomSynEdit::SetMaxScrollWidth(int Value) {
    Value = std::max(Value, 1);
    if (Value == maxScrollWidth_) return;
    maxScrollWidth_ = Value;
    SetCaretXY(caret_);
}

void TCustomSynEdit::SetReadOnly(bool Value) {
    if (Value == readOnly_) return;
    readOnly_ = Value;
    StatusChanged({scReadOnly});
}

// --- Key bindings -----------------------------------------------------------------

void TCustomSynEdit::SetKeystrokes(const TSynEditKeyStrokes* Value) {
    if (Value)
        keystrokes_.Assign(*Value);
    else
        keystrokes_.Clear();
}

void TCustomSynEdit::SetDefaultKeystrokes() {
    keystrokes_.ResetDefaults();
}

TSynEditorCommand TCustomSynEdit::TranslateKeyCode(std::uint16_t Code, TShiftState Shift, void*&) {
    TSynEditorCommand command = ecNone;
    int i = lastKey_ != 0 ? keystrokes_.FindKeycode2(lastKey_, lastShiftState_, Code, Shift) : -1;
    if (i < 0) i = keystrokes_.FindKeycode(Code, Shift);
    if (i >= 0) command = keystrokes_.Items(i).Command();

    // An unbound ordinary key may start a chord; anything else ends one.
    if (command == ecNone && Code >= 30 && Code <= 145) {
        lastKey_ = Code;
        lastShiftState_ = Shift;
    } else {
        lastKey_ = 0;
        lastShiftState_ = {};
    }
    return command;
}

void TCustomSynEdit::RegisterCommandHandler(const THookedCommandEvent& AHandlerProc,
                                            void* AHandlerData) {
    if (!AHandlerProc) return;
    if (!hookedCommandHandlers_)
        hookedCommandHandlers_ = std::make_unique<std::vector<HookedCommandHandler>>();
    for (const auto& entry : *hookedCommandHandlers_) {
        if (entry.Event == AHandlerProc) return;
    }
    hookedCommandHandlers_->push_back({AHandlerProc, AHandlerData});
}

void TCustomSynEdit::UnregisterCommandHandler(const THookedCommandEvent& AHandlerProc) {
    if (!hookedCommandHandlers_) return;
    std::erase_if(*hookedCommandHandlers_,
                  [&](const HookedCommandHandler& e) { return e.Event == AHandlerProc; });
}

void TCustomSynEdit::NotifyHookedCommandHandlers(bool AfterProcessing, TSynEditorCommand& Command,
                                                 char& AChar, void* Data) {
    if (!hookedCommandHandlers_) return;
    bool handled = false;
    // A hook may unregister hooks: walk a snapshot and skip the removed ones.
    const std::vector<HookedCommandHandler> snapshot = *hookedCommandHandlers_;
    for (const auto& entry : snapshot) {
        const auto& live = *hookedCommandHandlers_;
        if (std::none_of(live.begin(), live.end(),
                         [&](const HookedCommandHandler& e) { return e.Event == entry.Event; }))
            continue;
        entry.Event(this, AfterProcessing, handled, Command, AChar, Data, entry.Data);
    }
    if (handled) Command = ecNone;
}

const TSynEditKeyStrokes& TCustomSynEdit::ReferenceOrDefaults(const TSynEditKeyStrokes* Reference,
                                                              TSynEditKeyStrokes& Defaults) const {
    if (Reference) return *Reference;
    Defaults.ResetDefaults();
    return Defaults;
}

bool TCustomSynEdit::KeystrokesStored(const TSynEditKeyStrokes* Reference) const {
    TSynEditKeyStrokes defaults;
    return !keystrokes_.SameAs(ReferenceOrDefaults(Reference, defaults));
}

void TCustomSynEdit::GetRemovedKeystrokes(TSynEditKeyStrokes& Removed,
                                          const TSynEditKeyStrokes* Reference) const {
    TSynEditKeyStrokes defaults;
    editor::GetRemovedKeystrokes(keystrokes_, ReferenceOrDefaults(Reference, defaults), Removed);
}

void TCustomSynEdit::GetAddedKeystrokes(TSynEditKeyStrokes& Added,
                                        const TSynEditKeyStrokes* Reference) const {
    TSynEditKeyStrokes defaults;
    editor::GetAddedKeystrokes(keystrokes_, ReferenceOrDefaults(Reference, defaults), Added);
}

void TCustomSynEdit::SetRemovedKeystrokes(const TSynEditKeyStrokes& Removed) {
    ApplyRemovedKeystrokes(keystrokes_, Removed);
}

void TCustomSynEdit::SetAddedKeystrokes(const TSynEditKeyStrokes& Added) {
    ApplyAddedKeystrokes(keystrokes_, Added);
}

// --- Undo -------------------------------------------------------------------------

void TCustomSynEdit::LockUndo() {
    undoList_.Lock();
    redoList_.Lock();
}

void TCustomSynEdit::UnlockUndo() {
    undoList_.Unlock();
    redoList_.Unlock();
}

void TCustomSynEdit::ClearUndo() {
    undoList_.Clear();
    redoList_.Clear();
}

void TCustomSynEdit::SetMaxUndo(int Value) {
    if (Value < 0) return;
    undoList_.SetMaxUndoActions(Value);
    redoList_.SetMaxUndoActions(Value);
}

void TCustomSynEdit::SetModified(bool Value) {
    if (Value == modified_) return;
    if (!Value && options_.Contains(eoGroupUndo) && undoList_.CanUndo()) undoList_.AddGroupBreak();
    undoList_.SetInitialState(!Value);
    modified_ = Value;
    StatusChanged({scModified});
}

void TCustomSynEdit::UpdateModifiedStatus() {
    const bool modified = !undoList_.InitialState();
    if (modified == modified_) return;
    modified_ = modified;
    StatusChanged({scModified});
}

void TCustomSynEdit::UndoRedoAdded(TObject* Sender) {
    UpdateModifiedStatus();
    // A new edit makes the undone changes unreachable.
    if (Sender == &undoList_ && !undoList_.InsideRedo() && undoList_.PeekItem() &&
        undoList_.PeekItem()->ChangeReason != crGroupBreak) {
        redoList_.Clear();
    }
    const auto* list = static_cast<const TSynEditUndoList*>(Sender);
    if (list->BlockCount() == 0 && OnChange) OnChange(this);
}

// --- Status and painting ----------------------------------------------------------

void TCustomSynEdit::StatusChanged(TSynStatusChanges AChanges) {
    statusChanges_ |= AChanges;
    if (paintLock_ == 0) DoOnStatusChange();
}

void TCustomSynEdit::DoOnStatusChange() {
    if (statusChanges_.Empty()) return;
    const TSynStatusChanges changes = statusChanges_;
    statusChanges_ = {};
    if (window_) window_->StatusChanged(changes);
    if (OnStatusChange) OnStatusChange(this, changes);
}

void TCustomSynEdit::DecPaintLock() {
    assert(paintLock_ > 0 && "unbalanced DecPaintLock");
    if (paintLock_ == 0) return;
    if (--paintLock_ == 0) DoOnStatusChange();
}

void TCustomSynEdit::SetCellMetrics(int ACharWidth, int ALineHeight, int AGutterWidth) {
    charWidth_ = std::max(ACharWidth, 0);
    lineHeight_ = std::max(ALineHeight, 0);
    gutterWidth_ = std::max(AGutterWidth, 0);
}

int TCustomSynEdit::LinesInWindow() const {
    if (!window_ || lineHeight_ <= 0) return 0;
    return std::max(window_->ClientHeight(), 0) / lineHeight_;
}

int TCustomSynEdit::CharsInWindow() const {
    if (!window_ || charWidth_ <= 0) return 0;
    return std::max(window_->ClientWidth() - gutterWidth_ - 2, 0) / charWidth_;
}

bool TCustomSynEdit::WindowShowing() const {
    return window_ && window_->HandleAllocated() && window_->Visible();
}

void TCustomSynEdit::InvalidateClientRect(const TRect& Rect) {
    if (Rect.IsEmpty()) return;
    if (stateFlags_.Contains(sfLinesChanging))
        invalidRect_ = UnionRect(invalidRect_, Rect);
    else
        window_->InvalidateRect(Rect);
}

void TCustomSynEdit::Invalidate() {
    if (!WindowShowing()) return;
    InvalidateClientRect({0, 0, window_->ClientWidth(), window_->ClientHeight()});
}

void TCustomSynEdit::InvalidateRows(int FirstLine, int LastLine, int Left, int Right) {
    if (!WindowShowing()) return;
    if (FirstLine == -1 && LastLine == -1) {
        InvalidateClientRect({Left, 0, Right, window_->ClientHeight()});
        return;
    }
    FirstLine = std::max(FirstLine, 1);
    LastLine = std::max(LastLine, 1);
    if (LastLine < FirstLine) std::swap(FirstLine, LastLine);
    // A change at or past the last line also clears the rows below the text.
    const int lastVisible = topLine_ + LinesInWindow();
    if (LastLine >= lines_.Count()) LastLine = std::max(LastLine, lastVisible);
    FirstLine = std::max(FirstLine, topLine_);
    LastLine = std::min(LastLine, lastVisible);
    if (FirstLine > LastLine) return;
    InvalidateClientRect({Left, (FirstLine - topLine_) * lineHeight_, Right,
                          (LastLine - topLine_ + 1) * lineHeight_});
}

void TCustomSynEdit::InvalidateLines(int FirstLine, int LastLine) {
    if (!WindowShowing()) return;
    InvalidateRows(FirstLine, LastLine, gutterWidth_, window_->ClientWidth());
}

void TCustomSynEdit::InvalidateGutterLines(int FirstLine, int LastLine) {
    InvalidateRows(FirstLine, LastLine, 0, gutterWidth_);
}

void TCustomSynEdit::InvalidateSelection() {
    InvalidateLines(std::min(blockBegin_.Y, blockEnd_.Y), std::max(blockBegin_.Y, blockEnd_.Y));
}

// --- Line store reactions ---------------------------------------------------------

void TCustomSynEdit::LinesChanging(TObject*) {
    stateFlags_.Include(sfLinesChanging);
}

void TCustomSynEdit::LinesChanged(TObject*) {
    stateFlags_.Exclude(sfLinesChanging);
    // The old selection may reach beyond the changed text: collapse it onto
    // the caret without leaving a mode that undo or paste chose.
    const TSynSelectionMode active = activeSelectionMode_;
    SetBlockBegin(caret_);
    activeSelectionMode_ = active;
    if (WindowShowing() && !invalidRect_.IsEmpty()) window_->InvalidateRect(invalidRect_);
    invalidRect_ = {};
}

void TCustomSynEdit::ListCleared(TObject*) {
    ClearUndo();
    invalidRect_ = {};
    Invalidate();
    caret_ = {1, 1};
    lastCaretX_ = 1;
    blockBegin_ = blockEnd_ = caret_;
    topLine_ = 1;
    leftChar_ = 1;
    StatusChanged({scAll});
}

void TCustomSynEdit::ListDeleted(TObject*, int Index, int) {
    InvalidateLines(Index + 1, INT32_MAX);
    InvalidateGutterLines(Index + 1, INT32_MAX);
}

void TCustomSynEdit::ListInserted(TObject*, int Index, int) {
    InvalidateLines(Index + 1, INT32_MAX);
    InvalidateGutterLines(Index + 1, INT32_MAX);
}

void TCustomSynEdit::ListPutted(TObject*, int Index, int) {
    InvalidateLines(Index + 1, Index + 1);
}

} // namespace marlinet::editor
