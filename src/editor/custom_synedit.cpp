// Construction, settings, the window and its fonts, the bound highlighter,
// markers, and the reactions to the line store.
#include "editor/custom_synedit.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace marlinet::editor {

TCustomSynEdit::TCustomSynEdit(TSynEditWindow* Window) : window_(Window), keystrokes_(this) {
    TSynEditStringList& lines = Lines();
    lines.OnChanging = TNotifyEvent::Of<&Self::LinesChanging>(this);
    lines.OnChange = TNotifyEvent::Of<&Self::LinesChanged>(this);
    lines.OnClearing = TNotifyEvent::Of<&Self::ListClearing>(this);
    lines.OnCleared = TNotifyEvent::Of<&Self::ListCleared>(this);
    lines.OnDeleted = TStringListChangeEvent::Of<&Self::ListDeleted>(this);
    lines.OnInserted = TStringListChangeEvent::Of<&Self::ListInserted>(this);
    lines.OnPutted = TStringListChangeEvent::Of<&Self::ListPutted>(this);
    lines.OnRangeNeeded = TRangeNeededEvent::Of<&Self::RangeNeeded>(this);
    lines.SetTabWidth(TSynEditStringList::kDefaultTabWidth);
    UndoList().OnAddedUndo = TNotifyEvent::Of<&Self::UndoRedoAdded>(this);
    RedoList().OnAddedUndo = TNotifyEvent::Of<&Self::UndoRedoAdded>(this);
    font_.OnChange = TNotifyEvent::Of<&Self::FontChanged>(this);
    gutter_.OnChange = TNotifyEvent::Of<&Self::GutterChanged>(this);
    selectedColor_.OnChange = TNotifyEvent::Of<&Self::SelectedColorsChanged>(this);
    bookMarkOpt_.OnChange = TNotifyEvent::Of<&Self::BookMarkOptionsChanged>(this);
    doc_.Markers().AddChangeListener(TSynMarkerChangeEvent::Of<&Self::MarkersChanged>(this));
    CreateTextDrawer();
    // SetDefaultKeystrokes is virtual, but a constructor only reaches this
    // class's version; derived editors with other defaults call theirs again.
    TCustomSynEdit::SetDefaultKeystrokes();
}

TCustomSynEdit::~TCustomSynEdit() {
    UnbindHighlighter();
    mouse_.StopScrollTimer();
    TSynEditStringList& lines = Lines();
    lines.OnChanging = {};
    lines.OnChange = {};
    lines.OnClearing = {};
    lines.OnCleared = {};
    lines.OnDeleted = {};
    lines.OnInserted = {};
    lines.OnPutted = {};
    lines.OnRangeNeeded = {};
    UndoList().OnAddedUndo = {};
    RedoList().OnAddedUndo = {};
    doc_.Markers().RemoveChangeListener(TSynMarkerChangeEvent::Of<&Self::MarkersChanged>(this));
}

// --- Settings -------------------------------------------------------------------

void TCustomSynEdit::SetOptions(TSynEditorOptions Value) {
    if (Value == options_) return;
    const bool pastEolChanged =
        Value.Contains(eoScrollPastEol) != options_.Contains(eoScrollPastEol);
    options_ = Value;
    if (pastEolChanged) SetCaretXY(CaretXY()); // re-clamp to the new column limit
    Invalidate();
}

void TCustomSynEdit::SetTabWidth(int Value) {
    Value = std::clamp(Value, 1, kMaxTabWidth);
    if (Value == TabWidth()) return;
    Lines().SetTabWidth(Value);
    UpdateLastCaretX();
    Invalidate();
}

void TCustomSynEdit::SetMaxScrollWidth(int Value) {
    Value = std::max(Value, 1);
    if (Value == maxScrollWidth_) return;
    maxScrollWidth_ = Value;
    SetCaretXY(CaretXY());
}

void TCustomSynEdit::SetReadOnly(bool Value) {
    if (Value == readOnly_) return;
    readOnly_ = Value;
    StatusChanged({scReadOnly});
}

void TCustomSynEdit::SetInsertMode(bool Value) {
    if (Value == insertMode_) return;
    insertMode_ = Value;
    InitializeCaret();
    StatusChanged({scInsertMode});
}

TSynDlgCodes TCustomSynEdit::GetDlgCode() const {
    TSynDlgCodes codes{dlgWantArrows, dlgWantChars};
    if (wantTabs_) codes.Include(dlgWantTab);
    if (wantReturns_) codes.Include(dlgWantAllKeys);
    return codes;
}

// --- Status -------------------------------------------------------------------------

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

// --- Window, fonts and cell -------------------------------------------------------

void TCustomSynEdit::SetWindow(TSynEditWindow* Value) {
    if (Value == window_) return;
    mouse_.StopScrollTimer();
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
    CellChanged();
}

void TCustomSynEdit::CellChanged() {
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
    for (unsigned bits = 0; bits < 4; ++bits) {
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
    lineHeight_ = height + style_.ExtraLineSpacing;
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
    if (gutter_.ShowLineNumbers() && gutter_.AutoSize())
        gutter_.AutoSizeDigitCount(Lines().Count());
    int width = charWidth_;
    if (gutter_.UseFontStyle() && textDrawer_) {
        textDrawer_->SetBaseFont(&gutter_.Font());
        width = textDrawer_->GetCharWidth();
        textDrawer_->SetBaseFont(&font_); // keeps the base style of the cell
    }
    markerArea_ = MarkerAreaWidth(bookMarkOpt_, doc_.Markers());
    const int newWidth = gutter_.RealGutterWidth(width, markerArea_);
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

// --- Highlighter ------------------------------------------------------------------------

void TCustomSynEdit::THighlighterLink::Notification(highlight::TComponent* AComponent,
                                                    highlight::TOperation Operation) {
    if (Operation == highlight::TOperation::opRemove && AComponent == owner_.highlighter_)
        owner_.SetHighlighter(nullptr);
}

void TCustomSynEdit::UnbindHighlighter() {
    if (!highlighter_) return;
    highlighter_->UnhookAttrChangeEvent(TNotifyEvent::Of<&Self::HighlighterAttrChanged>(this));
    highlighter_->RemoveFreeNotification(&highlighterLink_);
    highlighter_ = nullptr;
    ranges_.SetHighlighter(nullptr);
}

void TCustomSynEdit::SetHighlighter(highlight::TSynCustomHighlighter* Value) {
    if (Value == highlighter_) return;
    UnbindHighlighter();
    highlighter_ = Value;
    ranges_.SetHighlighter(Value);
    if (highlighter_) {
        highlighter_->HookAttrChangeEvent(TNotifyEvent::Of<&Self::HighlighterAttrChanged>(this));
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
        // The scan may come out differently now: every range is recomputed
        // when it is next needed.
        TStringsUpdate update(Lines());
        ranges_.InvalidateAll();
    } else {
        Invalidate();
    }
    SizeOrFontChanged(true);
}

bool TCustomSynEdit::GetHighlighterAttriAtRowCol(const TBufferCoord& XY, std::string& Token,
                                                 highlight::TSynHighlighterAttributes*& Attri) {
    int kind = 0, start = 0;
    return GetHighlighterAttriAtRowColEx(XY, Token, kind, start, Attri);
}

bool TCustomSynEdit::GetHighlighterAttriAtRowColEx(const TBufferCoord& XY, std::string& Token,
                                                   int& TokenType, int& Start,
                                                   highlight::TSynHighlighterAttributes*& Attri) {
    const int line = XY.Y - 1;
    if (!highlighter_ || line < 0 || line >= Lines().Count() || XY.X < 1) return false;
    if (line == 0) {
        highlighter_->ResetRange();
    } else {
        ranges_.MakeCurrent(line - 1);
        highlighter_->SetRange(Lines().StoredRange(line - 1));
    }
    highlighter_->SetLine(Lines().GetRef(line), line);
    for (; !highlighter_->GetEol(); highlighter_->Next()) {
        const int start = highlighter_->GetTokenPos() + 1;
        Token = highlighter_->GetToken();
        if (XY.X < start || XY.X >= start + static_cast<int>(Token.size())) continue;
        TokenType = highlighter_->GetTokenKind();
        Start = start;
        Attri = highlighter_->GetTokenAttribute();
        return true;
    }
    Token.clear();
    Attri = nullptr;
    return false;
}

// --- Markers ------------------------------------------------------------------------------

void TCustomSynEdit::MarkersChanged(TObject*, TSynMarkerKinds, int FirstLine, int LastLine) {
    if (MarkerAreaWidth(bookMarkOpt_, doc_.Markers()) != markerArea_)
        GutterChanged(&gutter_);
    else
        InvalidateGutterLines(FirstLine, LastLine);
}

bool TCustomSynEdit::GetBookMark(int BookMark, int& X, int& Y) const {
    TBufferCoord at;
    if (!doc_.Markers().GetBookmark(BookMark, at)) return false;
    X = at.X;
    Y = at.Y;
    return true;
}

// --- Line store reactions ---------------------------------------------------------

void TCustomSynEdit::LinesChanging(TObject*) {
    stateFlags_.Include(sfLinesChanging);
}

void TCustomSynEdit::RepaintFromLine(int Line) {
    // The line store's events always come inside its update bracket: a
    // bulk load of many lines asks for one repaint at its end.
    if (stateFlags_.Contains(sfLinesChanging)) {
        repaintFromLine_ = std::min(repaintFromLine_, Line);
        return;
    }
    InvalidateLines(Line, INT_MAX);
    InvalidateGutterLines(Line, INT_MAX);
}

void TCustomSynEdit::LinesChanged(TObject*) {
    doc_.Markers().LinesChanged();
    if (repaintFromLine_ != INT_MAX) {
        const int line = std::exchange(repaintFromLine_, INT_MAX);
        InvalidateLines(line, INT_MAX);
        InvalidateGutterLines(line, INT_MAX);
    }
    stateFlags_.Exclude(sfLinesChanging);
    if (!window_ || !window_->HandleAllocated()) {
        ForgetCollectedRepaints();
        return;
    }
    UpdateScrollBars();
    // The old selection may reach beyond the changed text: collapse it onto
    // the caret without leaving a mode that undo or paste chose.
    const TSynSelectionMode active = ActiveSelectionMode();
    SetBlockBegin(CaretXY());
    doc_.StoreActiveSelectionMode(active);
    if (WindowShowing() && !invalidRect_.IsEmpty()) window_->InvalidateRect(invalidRect_);
    ForgetCollectedRepaints();
    if (gutter_.ShowLineNumbers() && gutter_.AutoSize())
        gutter_.AutoSizeDigitCount(Lines().Count());
    if (!options_.Contains(eoScrollPastEof)) SetTopLine(topLine_);
}

void TCustomSynEdit::ListCleared(TObject*) {
    ranges_.Cleared();
    ClearUndo();
    ForgetCollectedRepaints();
    Invalidate();
    doc_.StoreCaret({1, 1});
    doc_.StoreLastCaretX(1);
    doc_.StoreBlock({1, 1}, {1, 1});
    topLine_ = 1;
    leftChar_ = 1;
    UpdateCaret();
    StatusChanged({scAll});
}

void TCustomSynEdit::ListDeleted(TObject*, int Index, int NumLines) {
    doc_.Markers().LinesDeleted(Index, NumLines);
    ranges_.LinesDeleted(Index, NumLines);
    RepaintFromLine(Index + 1);
}

void TCustomSynEdit::ListInserted(TObject*, int Index, int NumLines) {
    doc_.Markers().LinesInserted(Index, NumLines);
    ranges_.LinesInserted(Index, NumLines);
    RepaintFromLine(Index + 1);
    MaxScrollWidthCovers(Index, NumLines);
}

void TCustomSynEdit::ListPutted(TObject*, int Index, int NumLines) {
    const int last = ranges_.LinesPutted(Index, NumLines);
    InvalidateLines(Index + 1, std::max(Index + 1, last + 1));
    MaxScrollWidthCovers(Index, NumLines);
}

void TCustomSynEdit::MaxScrollWidthCovers(int Index, int NumLines) {
    if (!options_.Contains(eoAutoSizeMaxScrollWidth)) return;
    for (int i = Index; i < Index + NumLines; ++i)
        SetMaxScrollWidth(std::max(maxScrollWidth_, Lines().ExpandedStringLengths(i)));
}

} // namespace marlinet::editor
