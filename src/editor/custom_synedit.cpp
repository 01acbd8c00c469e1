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
    font_.OnChange = TNotifyEvent::Of<&TCustomSynEdit::FontChanged>(this);
    gutter_.OnChange = TNotifyEvent::Of<&TCustomSynEdit::GutterChanged>(this);
    selectedColor_.OnChange = TNotifyEvent::Of<&TCustomSynEdit::SelectedColorsChanged>(this);
    bookMarkOpt_.OnChange = TNotifyEvent::Of<&TCustomSynEdit::BookMarkOptionsChanged>(this);
    CreateTextDrawer();
    // SetDefaultKeystrokes is virtual, but a constructor only reaches this
    // class's version; derived editors with other defaults call theirs again.
    TCustomSynEdit::SetDefaultKeystrokes();
}

TCustomSynEdit::~TCustomSynEdit() {
    UnbindHighlighter();
    if (scrollTimerRunning_ && window_) window_->StopScrollTimer();
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
    if (--paintLock_ > 0) return;
    if (window_ && window_->HandleAllocated()) {
        if (stateFlags_.Contains(sfScrollbarChanged)) UpdateScrollBars();
        if (stateFlags_.Contains(sfCaretChanged)) UpdateCaret();
    }
    DoOnStatusChange();
}

// --- Window, fonts and cell -------------------------------------------------------

void TCustomSynEdit::SetWindow(TSynEditWindow* Value) {
    if (Value == window_) return;
    if (window_ && scrollTimerRunning_) window_->StopScrollTimer();
    scrollTimerRunning_ = false;
    window_ = Value;
    CreateTextDrawer();
}

void TCustomSynEdit::CreateTextDrawer() {
    textDrawer_.reset();
    TSynFontEngine* engine = window_ ? window_->FontEngine() : nullptr;
    if (!engine) {
        charWidth_ = lineHeight_ = 0;
        return;
    }
    // Bold is the widest style of most faces: a cell sized for it fits all.
    textDrawer_ = std::make_unique<TheTextDrawer>(*engine, fsBold, &font_);
    RecalcCharExtent();
    GutterChanged(&gutter_);
    SizeOrFontChanged(true);
}

void TCustomSynEdit::FontChanged(TObject*) {
    if (!textDrawer_) return;
    textDrawer_->SetBaseFont(&font_);
    RecalcCharExtent();
    SizeOrFontChanged(true);
}

void TCustomSynEdit::RecalcCharExtent() {
    if (!textDrawer_) return;
    // The bold/italic combinations the text is drawn in.
    bool used[4] = {false, false, false, false};
    const TFontStyles boldItalic = fsBold | fsItalic;
    const int attribCount = highlighter_ ? highlighter_->GetAttribCount() : 0;
    for (int i = 0; i < attribCount; ++i)
        used[(highlighter_->GetAttribute(i)->Style() & boldItalic).Bits()] = true;
    if (attribCount == 0) used[(font_.Style() & boldItalic).Bits()] = true;

    int width = 0, height = 0;
    TFontStyles widest = textDrawer_->BaseStyle();
    for (int bits = 0; bits < 4; ++bits) {
        if (!used[bits]) continue;
        const TFontStyles style = TFontStyles::FromBits(bits);
        textDrawer_->SetBaseStyle(style);
        height = std::max(height, textDrawer_->GetCharHeight());
        if (textDrawer_->GetCharWidth() > width) {
            width = textDrawer_->GetCharWidth();
            widest = style;
        }
    }
    // The drawer's cells must be exactly CharWidth wide.
    textDrawer_->SetBaseStyle(widest);
    lineHeight_ = height + extraLineSpacing_;
    charWidth_ = width;
}

void TCustomSynEdit::SizeOrFontChanged(bool FontChanged) {
    if (!window_ || !window_->HandleAllocated() || charWidth_ == 0) return;
    if (FontChanged) {
        if (gutter_.ShowLineNumbers())
            GutterChanged(&gutter_);
        else
            UpdateScrollBars();
        InitializeCaret();
        Invalidate();
    } else {
        UpdateScrollBars();
    }
    if (!options_.Contains(eoScrollPastEol)) SetLeftChar(leftChar_);
    if (!options_.Contains(eoScrollPastEof)) SetTopLine(topLine_);
}

void TCustomSynEdit::GutterChanged(TObject*) {
    if (gutter_.ShowLineNumbers() && gutter_.AutoSize()) gutter_.AutoSizeDigitCount(lines_.Count());
    int width = charWidth_;
    if (gutter_.UseFontStyle() && textDrawer_) {
        textDrawer_->SetBaseFont(&gutter_.Font());
        width = textDrawer_->GetCharWidth();
        textDrawer_->SetBaseFont(&font_); // keeps the base style of the cell
    }
    const int newWidth = gutter_.RealGutterWidth(width);
    if (newWidth == gutterWidth_)
        InvalidateGutter();
    else
        SetGutterWidth(newWidth);
}

void TCustomSynEdit::SetGutterWidth(int Value) {
    Value = std::max(Value, 0);
    if (Value == gutterWidth_) return;
    gutterWidth_ = Value;
    UpdateScrollBars();
    Invalidate();
}

// --- Display settings ---------------------------------------------------------------

void TCustomSynEdit::SetColor(TColor Value) {
    if (Value == color_) return;
    color_ = Value;
    Invalidate();
}

void TCustomSynEdit::SetRightEdge(int Value) {
    if (Value == rightEdge_) return;
    rightEdge_ = Value;
    Invalidate();
}

void TCustomSynEdit::SetRightEdgeColor(TColor Value) {
    if (Value == rightEdgeColor_) return;
    rightEdgeColor_ = Value;
    Invalidate();
}

void TCustomSynEdit::SetActiveLineColor(TColor Value) {
    if (Value == activeLineColor_) return;
    activeLineColor_ = Value;
    InvalidateLine(caret_.Y);
}

void TCustomSynEdit::SetExtraLineSpacing(int Value) {
    if (Value == extraLineSpacing_) return;
    extraLineSpacing_ = Value;
    RecalcCharExtent();
    SizeOrFontChanged(true);
}

void TCustomSynEdit::SetInsertMode(bool Value) {
    if (Value == insertMode_) return;
    insertMode_ = Value;
    InitializeCaret();
    StatusChanged({scInsertMode});
}

void TCustomSynEdit::SetInsertCaret(TSynEditCaretType Value) {
    if (Value == insertCaret_) return;
    insertCaret_ = Value;
    InitializeCaret();
}

void TCustomSynEdit::SetOverwriteCaret(TSynEditCaretType Value) {
    if (Value == overwriteCaret_) return;
    overwriteCaret_ = Value;
    InitializeCaret();
}

void TCustomSynEdit::SetScrollBars(TScrollStyle Value) {
    if (Value == scrollBars_) return;
    scrollBars_ = Value;
    UpdateScrollBars();
}

void TCustomSynEdit::SetHideSelection(bool Value) {
    if (Value == hideSelection_) return;
    hideSelection_ = Value;
    InvalidateSelection();
}

TSynDlgCodes TCustomSynEdit::GetDlgCode() const {
    TSynDlgCodes codes{dlgWantArrows, dlgWantChars};
    if (wantTabs_) codes.Include(dlgWantTab);
    if (wantReturns_) codes.Include(dlgWantAllKeys);
    return codes;
}

// --- Highlighter ------------------------------------------------------------------------

void TCustomSynEdit::THighlighterLink::Notification(highlight::TComponent* AComponent,
                                                    highlight::TOperation Operation) {
    if (Operation == highlight::TOperation::opRemove && AComponent == owner_.highlighter_)
        owner_.SetHighlighter(nullptr);
}

void TCustomSynEdit::UnbindHighlighter() {
    if (!highlighter_) return;
    highlighter_->UnhookAttrChangeEvent(
        highlight::TNotifyEvent::Of<&THighlighterLink::AttrChanged>(&highlighterLink_));
    highlighter_->RemoveFreeNotification(&highlighterLink_);
    highlighter_ = nullptr;
}

void TCustomSynEdit::SetHighlighter(highlight::TSynCustomHighlighter* Value) {
    if (Value == highlighter_) return;
    UnbindHighlighter();
    highlighter_ = Value;
    if (highlighter_) {
        highlighter_->HookAttrChangeEvent(
            highlight::TNotifyEvent::Of<&THighlighterLink::AttrChanged>(&highlighterLink_));
        highlighter_->FreeNotification(&highlighterLink_);
        HighlighterAttrChanged(highlighter_);
    } else {
        RecalcCharExtent();
        Invalidate();
        SizeOrFontChanged(true);
    }
}

void TCustomSynEdit::HighlighterAttrChanged(TObject* Sender) {
    RecalcCharExtent();
    if (Sender && Sender == highlighter_) {
        TStringsUpdate update(lines_);
        ScanRanges();
    } else {
        Invalidate();
    }
    SizeOrFontChanged(true);
}

int TCustomSynEdit::ScanFrom(int Index) {
    const int count = lines_.Count();
    if (!highlighter_ || Index < 0 || Index >= count) return Index;
    if (Index == 0)
        highlighter_->ResetRange();
    else
        highlighter_->SetRange(lines_.GetRange(Index - 1));
    for (;; ++Index) {
        highlighter_->SetLine(lines_.GetRef(Index), Index);
        highlighter_->NextToEol();
        const highlight::TSynRange range = highlighter_->GetRange();
        if (range == lines_.GetRange(Index)) break;
        lines_.PutRange(Index, range);
        if (Index == count - 1) break;
    }
    return Index;
}

void TCustomSynEdit::ScanRanges() {
    if (!highlighter_) return;
    highlighter_->ResetRange();
    const int count = lines_.Count();
    for (int i = 0; i < count; ++i) {
        highlighter_->SetLine(lines_.GetRef(i), i);
        highlighter_->NextToEol();
        lines_.PutRange(i, highlighter_->GetRange());
    }
}

// --- Marks --------------------------------------------------------------------------------

void TCustomSynEdit::MarksChanged(int Line) {
    InvalidateGutterLines(Line, Line);
}

void TCustomSynEdit::SetBookMark(int BookMark, int X, int Y) {
    if (BookMark < 0 || BookMark >= kInternalImageCount || Y < 1 || Y > lines_.Count()) return;
    ClearBookMark(BookMark);
    marks_.push_back({Y, X, BookMark, BookMark, true});
    MarksChanged(Y);
}

void TCustomSynEdit::ClearBookMark(int BookMark) {
    for (auto it = marks_.begin(); it != marks_.end(); ++it) {
        if (it->BookmarkNumber != BookMark) continue;
        const int line = it->Line;
        marks_.erase(it);
        MarksChanged(line);
        return;
    }
}

bool TCustomSynEdit::GetBookMark(int BookMark, int& X, int& Y) const {
    for (const auto& mark : marks_) {
        if (mark.BookmarkNumber != BookMark) continue;
        X = mark.Char;
        Y = mark.Line;
        return true;
    }
    return false;
}

void TCustomSynEdit::AddMark(const TSynEditMark& Mark) {
    TSynEditMark mark = Mark;
    mark.BookmarkNumber = -1;
    marks_.push_back(mark);
    MarksChanged(mark.Line);
}

void TCustomSynEdit::ClearMarks() {
    if (marks_.empty()) return;
    marks_.clear();
    InvalidateGutter();
}

// --- Line store reactions ---------------------------------------------------------

void TCustomSynEdit::LinesChanging(TObject*) {
    stateFlags_.Include(sfLinesChanging);
}

void TCustomSynEdit::LinesChanged(TObject*) {
    stateFlags_.Exclude(sfLinesChanging);
    if (!window_ || !window_->HandleAllocated()) {
        invalidRect_ = {};
        return;
    }
    UpdateScrollBars();
    // The old selection may reach beyond the changed text: collapse it onto
    // the caret without leaving a mode that undo or paste chose.
    const TSynSelectionMode active = activeSelectionMode_;
    SetBlockBegin(caret_);
    activeSelectionMode_ = active;
    if (WindowShowing() && !invalidRect_.IsEmpty()) window_->InvalidateRect(invalidRect_);
    invalidRect_ = {};
    if (gutter_.ShowLineNumbers() && gutter_.AutoSize()) gutter_.AutoSizeDigitCount(lines_.Count());
    if (!options_.Contains(eoScrollPastEof)) SetTopLine(topLine_);
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
    UpdateCaret();
    StatusChanged({scAll});
}

void TCustomSynEdit::ListDeleted(TObject*, int Index, int) {
    if (highlighter_ && lines_.Count() > 0) ScanFrom(std::min(Index, lines_.Count() - 1));
    InvalidateLines(Index + 1, INT32_MAX);
    InvalidateGutterLines(Index + 1, INT32_MAX);
}

void TCustomSynEdit::ListInserted(TObject*, int Index, int NumLines) {
    if (highlighter_ && lines_.Count() > 0) {
        int c = Index;
        do {
            c = ScanFrom(c) + 1;
        } while (c < Index + NumLines);
    }
    InvalidateLines(Index + 1, INT32_MAX);
    InvalidateGutterLines(Index + 1, INT32_MAX);
    if (options_.Contains(eoAutoSizeMaxScrollWidth)) {
        for (int i = Index; i < Index + NumLines; ++i)
            if (lines_.ExpandedStringLengths(i) > maxScrollWidth_)
                SetMaxScrollWidth(lines_.ExpandedStringLengths(i));
    }
}

void TCustomSynEdit::ListPutted(TObject*, int Index, int NumLines) {
    const int last = highlighter_ ? ScanFrom(Index) : Index;
    InvalidateLines(Index + 1, std::max(Index + 1, last + 1));
    if (options_.Contains(eoAutoSizeMaxScrollWidth)) {
        for (int i = Index; i < Index + NumLines; ++i)
            if (lines_.ExpandedStringLengths(i) > maxScrollWidth_)
                SetMaxScrollWidth(lines_.ExpandedStringLengths(i));
    }
}

} // namespace marlinet::editor
