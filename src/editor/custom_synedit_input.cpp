// Keys, commands and the mouse: how TCustomSynEdit turns input into caret
// movement and selections. Editing commands (typing, deleting, clipboard,
// drag and drop) are not handled here.
#include <algorithm>
#include <cstdlib>

#include "editor/custom_synedit.h"

namespace marlinet::editor {

namespace {

// Blanks, word characters and everything else: a double click selects a run
// of one kind.
enum class CharKind { Blank, Word, Other };

} // namespace

// --- Keys --------------------------------------------------------------------------

bool TCustomSynEdit::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    if (Key == 0) return true;
    kbdHandler_.ExecuteKeyDown(this, Key, Shift);
    if (Key == 0) return true;
    void* data = nullptr;
    const TSynEditorCommand command = TranslateKeyCode(Key, Shift, data);
    if (command == ecNone) {
        stateFlags_.Exclude(sfIgnoreNextChar);
        return false;
    }
    Key = 0;
    stateFlags_.Include(sfIgnoreNextChar);
    CommandProcessor(command, '\0', data);
    return true;
}

void TCustomSynEdit::KeyPress(char& Key) {
    if (charsToDrop_ > 0) {
        --charsToDrop_;
        return;
    }
    if (stateFlags_.Contains(sfIgnoreNextChar)) {
        stateFlags_.Exclude(sfIgnoreNextChar);
        return;
    }
    if (OnKeyPress) OnKeyPress(this, Key);
    if (Key == '\0') return;
    kbdHandler_.ExecuteKeyPress(this, Key);
    if (Key == '\0') return;
    CommandProcessor(ecChar, Key, nullptr);
}

void TCustomSynEdit::CommandProcessor(TSynEditorCommand Command, char AChar, void* Data) {
    if (Command < ecUserFirst) {
        if (OnProcessCommand) OnProcessCommand(this, Command, AChar, Data);
    } else if (OnProcessUserCommand) {
        OnProcessUserCommand(this, Command, AChar, Data);
    }
    if (Command == ecNone) return;
    NotifyHookedCommandHandlers(false, Command, AChar, Data);
    if (Command != ecNone && Command < ecUserFirst) ExecuteCommand(Command, AChar, Data);
    NotifyHookedCommandHandlers(true, Command, AChar, Data);
    if (OnCommandProcessed) OnCommandProcessed(this, Command, AChar, Data);
}

void TCustomSynEdit::ExecuteCommand(TSynEditorCommand Command, char, void* Data) {
    IncPaintLock();
    struct Unlock {
        TCustomSynEdit& edit;
        ~Unlock() { edit.DecPaintLock(); }
    } unlock{*this};
    switch (Command) {
    case ecSelWord: SetWordBlock(caret_); break;
    case ecSelectAll: SelectAll(); break;
    case ecInsertMode: SetInsertMode(true); break;
    case ecOverwriteMode: SetInsertMode(false); break;
    case ecToggleMode: SetInsertMode(!insertMode_); break;
    case ecNormalSelect: SetSelectionMode(smNormal); break;
    case ecColumnSelect: SetSelectionMode(smColumn); break;
    case ecLineSelect: SetSelectionMode(smLine); break;
    case ecScrollUp:
    case ecScrollDown: {
        SetTopLine(topLine_ + (Command == ecScrollUp ? -1 : 1));
        // The caret moves as little as keeps it in the window.
        const int lastRow = topLine_ + std::max(LinesInWindow(), 1) - 1;
        const int row = std::clamp(caret_.Y, topLine_, lastRow);
        if (row != caret_.Y) MoveCaretVert(row - caret_.Y, false);
        break;
    }
    case ecScrollLeft: SetLeftChar(leftChar_ - 1); break;
    case ecScrollRight: SetLeftChar(leftChar_ + 1); break;
    default:
        if ((Command >= ecLeft && Command <= ecGotoXY) ||
            (Command >= ecSelLeft && Command <= ecSelGotoXY))
            ExecuteMovement(Command, Data);
        // Editing commands belong to the editing layer.
        break;
    }
}

// --- Movement ------------------------------------------------------------------------

void TCustomSynEdit::MoveCaretAndSelection(const TBufferCoord& From, const TBufferCoord& To,
                                           bool Extend) {
    if (options_.Contains(eoGroupUndo) && undoList_.CanUndo()) undoList_.AddGroupBreak();
    IncPaintLock();
    if (Extend) {
        if (!SelAvail()) SetBlockBegin(From);
        SetBlockEnd(To);
    } else {
        SetBlockBegin(To);
    }
    SetCaretXY(To);
    DecPaintLock();
}

void TCustomSynEdit::MoveCaretHorz(int DX, bool Extend) {
    TBufferCoord to{caret_.X + DX, caret_.Y};
    if (!options_.Contains(eoScrollPastEol)) {
        // Without room past the end, the caret wraps between lines.
        if (to.X < 1) {
            to = caret_.Y > 1 ? TBufferCoord{LineEndColumn(caret_.Y - 1), caret_.Y - 1} : caret_;
        } else if (to.X > LineEndColumn(caret_.Y)) {
            to = caret_.Y < lines_.Count() ? TBufferCoord{1, caret_.Y + 1} : caret_;
        }
    }
    to.X = std::max(to.X, 1);
    MoveCaretAndSelection(caret_, to, Extend);
}

void TCustomSynEdit::MoveCaretVert(int DY, bool Extend) {
    const int keptColumn = lastCaretX_;
    const int row = std::clamp(caret_.Y + DY, 1, std::max(lines_.Count(), 1));
    TBufferCoord to = DisplayToBufferPos({keptColumn, row});
    if (!options_.Contains(eoScrollPastEol)) to.X = std::min(to.X, LineEndColumn(row));
    MoveCaretAndSelection(caret_, to, Extend);
    lastCaretX_ = keptColumn;
}

void TCustomSynEdit::DoLineEnd(bool Extend) {
    const std::string_view line = lines_.GetView(caret_.Y - 1);
    const int length = static_cast<int>(line.size());
    int x = length + 1;
    if (options_.Contains(eoEnhanceEndKey)) {
        // A first End stops after the last non-blank character, a second one
        // reaches the true end.
        int trimmed = length;
        while (trimmed > 0 && (line[trimmed - 1] == ' ' || line[trimmed - 1] == '\t'))
            --trimmed;
        x = caret_.X - 1 == trimmed ? length + 1 : trimmed + 1;
    }
    MoveCaretAndSelection(caret_, {x, caret_.Y}, Extend);
}

void TCustomSynEdit::ExecuteMovement(TSynEditorCommand Command, void* Data) {
    const bool extend = Command >= ecSelection;
    const TSynEditorCommand move =
        extend ? static_cast<TSynEditorCommand>(Command - ecSelection) : Command;
    const int rows = std::max(LinesInWindow(), 1);
    const int count = lines_.Count();
    bool repaintNow = false;
    switch (move) {
    case ecLeft: MoveCaretHorz(-1, extend); break;
    case ecRight: MoveCaretHorz(1, extend); break;
    case ecUp:
    case ecDown:
        MoveCaretVert(move == ecUp ? -1 : 1, extend);
        repaintNow = true;
        break;
    case ecWordLeft: MoveCaretAndSelection(caret_, PrevWordPos(), extend); break;
    case ecWordRight: MoveCaretAndSelection(caret_, NextWordPos(), extend); break;
    case ecLineStart: MoveCaretAndSelection(caret_, {1, caret_.Y}, extend); break;
    case ecLineEnd: DoLineEnd(extend); break;
    case ecPageUp:
    case ecPageDown: {
        const int delta = move == ecPageUp ? -rows : rows;
        SetTopLine(topLine_ + delta);
        MoveCaretVert(delta, extend);
        break;
    }
    case ecPageLeft:
    case ecPageRight: {
        const int delta = move == ecPageLeft ? -CharsInWindow() : CharsInWindow();
        SetLeftChar(leftChar_ + delta);
        MoveCaretHorz(delta, extend);
        break;
    }
    case ecPageTop:
    case ecPageBottom: {
        const int row =
            move == ecPageTop ? topLine_ : std::min(topLine_ + rows - 1, std::max(count, 1));
        MoveCaretVert(row - caret_.Y, extend);
        break;
    }
    case ecEditorTop: MoveCaretAndSelection(caret_, {1, 1}, extend); break;
    case ecEditorBottom:
        MoveCaretAndSelection(caret_, {LineEndColumn(std::max(count, 1)), std::max(count, 1)},
                              extend);
        break;
    case ecGotoXY:
        if (Data) MoveCaretAndSelection(caret_, *static_cast<const TBufferCoord*>(Data), extend);
        break;
    default: return;
    }
    EnsureCursorPosVisible();
    if (repaintNow) UpdateWindowNow();
}

// --- Words --------------------------------------------------------------------------------

bool TCustomSynEdit::IsWordChar(char C) const {
    if (highlighter_)
        return (highlighter_->GetIdentChars() - highlighter_->WordBreakChars()).Contains(C);
    static const highlight::TSynIdentChars base =
        highlight::TSynIdentChars().IncludeRange(33, 255) - highlight::TSynWordBreakChars;
    return base.Contains(C);
}

TBufferCoord TCustomSynEdit::NextWordPos() const {
    const std::string_view line = lines_.GetView(caret_.Y - 1);
    const int n = static_cast<int>(line.size());
    int x = caret_.X;
    if (x < n) {
        auto word = [&](int p) { return IsWordChar(line[static_cast<std::size_t>(p - 1)]); };
        if (word(x))
            while (x <= n && word(x))
                ++x;
        while (x <= n && !word(x))
            ++x;
        return {x, caret_.Y};
    }
    if (caret_.Y >= lines_.Count()) return caret_;
    const std::string_view next = lines_.GetView(caret_.Y);
    for (std::size_t i = 0; i < next.size(); ++i)
        if (IsWordChar(next[i])) return {static_cast<int>(i) + 1, caret_.Y + 1};
    return {1, caret_.Y + 1};
}

TBufferCoord TCustomSynEdit::PrevWordPos() const {
    const std::string_view line = lines_.GetView(caret_.Y - 1);
    const int x = std::min(caret_.X, static_cast<int>(line.size()) + 1);
    if (x > 1) {
        int p = x - 1; // the character just before the caret, 1-based
        while (p >= 1 && !IsWordChar(line[static_cast<std::size_t>(p - 1)]))
            --p;
        if (p >= 1) {
            while (p > 1 && IsWordChar(line[static_cast<std::size_t>(p - 2)]))
                --p;
            return {p, caret_.Y};
        }
    }
    if (caret_.Y > 1) return {LineEndColumn(caret_.Y - 1), caret_.Y - 1};
    return {1, 1};
}

void TCustomSynEdit::SetWordBlock(const TBufferCoord& P) {
    const std::string_view line = lines_.GetView(P.Y - 1);
    const int n = static_cast<int>(line.size());
    if (n == 0) {
        MoveCaretAndSelection(P, {1, P.Y}, false);
        return;
    }
    auto kind = [&](int i) { // 0-based
        const char c = line[static_cast<std::size_t>(i)];
        if (c == ' ' || c == '\t') return CharKind::Blank;
        return IsWordChar(c) ? CharKind::Word : CharKind::Other;
    };
    // The character at the caret, or the one before it at the line's end.
    const int at = std::clamp(P.X - 1, 0, n - 1);
    const CharKind k = kind(at);
    int start = at, end = at + 1;
    while (start > 0 && kind(start - 1) == k)
        --start;
    while (end < n && kind(end) == k)
        ++end;
    IncPaintLock();
    SetBlockBegin({start + 1, P.Y});
    SetBlockEnd({end + 1, P.Y});
    SetCaretXY({end + 1, P.Y});
    DecPaintLock();
}

void TCustomSynEdit::SelectAll() {
    const int count = std::max(lines_.Count(), 1);
    const TBufferCoord last{LineEndColumn(count), count};
    IncPaintLock();
    SetBlockBegin({1, 1});
    SetBlockEnd(last);
    SetCaretXY(last);
    DecPaintLock();
}

// --- Mouse -------------------------------------------------------------------------------

namespace {

bool InSelection(const TBufferCoord& P, TBufferCoord First, TBufferCoord Last,
                 TSynSelectionMode Mode) {
    if (First > Last) std::swap(First, Last);
    switch (Mode) {
    case smNormal: return P >= First && P < Last;
    case smLine: return P.Y >= First.Y && P.Y <= Last.Y;
    case smColumn:
        return P.Y >= First.Y && P.Y <= Last.Y && P.X >= std::min(First.X, Last.X) &&
               P.X < std::max(First.X, Last.X);
    }
    return false;
}

} // namespace

void TCustomSynEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    lastMouseShift_ = Shift;
    kbdHandler_.ExecuteMouseDown(this, Button, Shift, X, Y);
    if (Button == mbLeft && Shift.Contains(ssDouble)) return; // DblClick follows
    if (Button != mbLeft && Button != mbRight) return;
    if (Button == mbRight && !options_.Contains(eoRightMouseMovesCursor)) return;

    const TDisplayCoord cell = PixelsToNearestRowColumn(X, Y);
    TBufferCoord pos =
        DisplayToBufferPos({cell.Column, std::clamp(cell.Row, 1, std::max(lines_.Count(), 1))});
    const bool inSelection =
        SelAvail() && InSelection(pos, blockBegin_, blockEnd_, activeSelectionMode_);
    const bool rightOfMargin = X >= gutterWidth_ + 2;

    IncPaintLock();
    if (Button == mbRight) {
        if (!inSelection) {
            SetCaretXY(pos);
            SetBlockBegin(caret_);
        }
    } else {
        SetCaretXY(pos);
        window_->SetMouseCapture(true);
        mouseDownPos_ = {X, Y};
        if (inSelection && selectionMode_ == smNormal && options_.Contains(eoDragDropEditing) &&
            rightOfMargin) {
            stateFlags_.Include(sfWaitForDragging);
        } else if (Shift.Contains(ssShift)) {
            SetBlockEnd(caret_);
        } else {
            SetBlockBegin(caret_);
        }
    }
    DecPaintLock();
    if (window_ && !window_->Focused()) window_->SetFocus();
}

void TCustomSynEdit::DblClick(int X, int) {
    if (X < gutterWidth_ + 2) return;
    SetWordBlock(caret_);
    stateFlags_.Include(sfDblClicked);
}

void TCustomSynEdit::ComputeScrollDeltas(int X, int Y) {
    const int left = gutterWidth_ + 2;
    const int right = left + CharsInWindow() * charWidth_;
    const int bottom = LinesInWindow() * lineHeight_;
    scrollDeltaX_ = 0;
    scrollDeltaY_ = 0;
    if (X < left)
        scrollDeltaX_ = (X - left) / charWidth_ - 1;
    else if (X >= right)
        scrollDeltaX_ = (X - right) / charWidth_ + 1;
    if (Y < 0)
        scrollDeltaY_ = Y / lineHeight_ - 1;
    else if (Y >= bottom)
        scrollDeltaY_ = (Y - bottom) / lineHeight_ + 1;
    const bool wanted = scrollDeltaX_ != 0 || scrollDeltaY_ != 0;
    if (wanted && !scrollTimerRunning_) {
        window_->StartScrollTimer(kScrollTimerInterval);
        scrollTimerRunning_ = true;
    } else if (!wanted && scrollTimerRunning_) {
        window_->StopScrollTimer();
        scrollTimerRunning_ = false;
    }
}

void TCustomSynEdit::MoveCaretToPointer(int X, int Y, bool KeepColumn, bool KeepRow) {
    TDisplayCoord cell = PixelsToNearestRowColumn(X, Y);
    const TDisplayCoord caret = DisplayXY();
    if (KeepColumn) cell.Column = caret.Column;
    if (KeepRow) cell.Row = caret.Row;
    cell.Row = std::clamp(cell.Row, 1, std::max(lines_.Count(), 1));
    SetCaretXY(DisplayToBufferPos(cell));
}

void TCustomSynEdit::MouseMove(TShiftState Shift, int X, int Y) {
    lastMouseShift_ = Shift;
    if (!window_ || !window_->MouseCapture() || charWidth_ <= 0 || lineHeight_ <= 0) return;
    if (stateFlags_.Contains(sfWaitForDragging)) {
        const int threshold = window_->DragThreshold();
        if (std::abs(X - mouseDownPos_.X) >= threshold ||
            std::abs(Y - mouseDownPos_.Y) >= threshold) {
            stateFlags_.Exclude(sfWaitForDragging);
            StartDragSelection();
        }
        return;
    }
    if (!Shift.Contains(ssLeft)) return;
    ComputeScrollDeltas(X, Y);
    IncPaintLock();
    MoveCaretToPointer(X, Y, scrollDeltaX_ != 0, scrollDeltaY_ != 0);
    SetBlockEnd(caret_);
    DecPaintLock();
}

void TCustomSynEdit::ScrollTimerTick() {
    if (scrollDeltaX_ == 0 && scrollDeltaY_ == 0) return;
    IncPaintLock();
    TDisplayCoord cell = DisplayXY();
    if (scrollDeltaX_ != 0) {
        SetLeftChar(leftChar_ + scrollDeltaX_);
        cell.Column = scrollDeltaX_ < 0 ? leftChar_ : leftChar_ + CharsInWindow() - 1;
    }
    if (scrollDeltaY_ != 0) {
        const int rows = std::max(LinesInWindow(), 1);
        SetTopLine(topLine_ +
                   (lastMouseShift_.Contains(ssShift) ? scrollDeltaY_ * rows : scrollDeltaY_));
        cell.Row = scrollDeltaY_ < 0 ? topLine_ : std::min(topLine_ + rows - 1, lines_.Count());
    }
    cell.Row = std::clamp(cell.Row, 1, std::max(lines_.Count(), 1));
    SetCaretXY(DisplayToBufferPos(cell));
    if (window_->MouseCapture()) SetBlockEnd(caret_);
    DecPaintLock();
}

void TCustomSynEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    lastMouseShift_ = Shift;
    kbdHandler_.ExecuteMouseUp(this, Button, Shift, X, Y);
    if (scrollTimerRunning_) {
        window_->StopScrollTimer();
        scrollTimerRunning_ = false;
    }
    scrollDeltaX_ = scrollDeltaY_ = 0;
    if (Button != mbLeft) return;
    if (window_ && window_->MouseCapture()) window_->SetMouseCapture(false);
    if (stateFlags_.Contains(sfDblClicked)) {
        stateFlags_.Exclude(sfDblClicked);
        return;
    }
    if (stateFlags_.Contains(sfWaitForDragging)) {
        // The press inside the selection never became a drag: a plain click.
        stateFlags_.Exclude(sfWaitForDragging);
        const TDisplayCoord cell = PixelsToNearestRowColumn(X, Y);
        const TBufferCoord pos =
            DisplayToBufferPos({cell.Column, std::clamp(cell.Row, 1, std::max(lines_.Count(), 1))});
        IncPaintLock();
        SetCaretXY(pos);
        if (Shift.Contains(ssShift))
            SetBlockEnd(pos);
        else
            SetBlockBegin(pos);
        DecPaintLock();
    }
}

} // namespace marlinet::editor
