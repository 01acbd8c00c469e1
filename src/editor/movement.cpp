// Movement commands and word positions: how keys and commands move the caret
// and extend or collapse the selection.
#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/marker_commands.h"

namespace marlinet::editor {

namespace {

// Blanks, word characters and everything else: a double click selects a run
// of one kind.
enum class CharKind { Blank, Word, Other };

} // namespace

// --- Movement ------------------------------------------------------------------------

void TCustomSynEdit::ExecuteCommand(TSynEditorCommand Command, char AChar, void* Data) {
    TSynPaintLock lock(*this);
    switch (Command) {
    case ecSelWord: SetWordBlock(CaretXY()); break;
    case ecSelectAll: SelectAll(); break;
    case ecInsertMode: SetInsertMode(true); break;
    case ecOverwriteMode: SetInsertMode(false); break;
    case ecToggleMode: SetInsertMode(!insertMode_); break;
    case ecNormalSelect: SetSelectionMode(smNormal); break;
    case ecColumnSelect: SetSelectionMode(smColumn); break;
    case ecLineSelect: SetSelectionMode(smLine); break;
    case ecScrollUp:
    case ecScrollDown: ScrollCaretIntoWindow(Command); break;
    case ecScrollLeft: SetLeftChar(leftChar_ - 1); break;
    case ecScrollRight: SetLeftChar(leftChar_ + 1); break;
    default:
        if ((Command >= ecLeft && Command <= ecGotoXY) ||
            (Command >= ecSelLeft && Command <= ecSelGotoXY))
            ExecuteMovement(Command, Data);
        else if (IsMarkerCommand(Command))
            ExecuteMarkerCommand(*this, Command);
        else
            editing_.Execute(Command, AChar); // the commands that change the text
        break;
    }
}

void TCustomSynEdit::ScrollCaretIntoWindow(TSynEditorCommand Command) {
    SetTopLine(topLine_ + (Command == ecScrollUp ? -1 : 1));
    // The caret moves as little as keeps it in the window.
    const int lastRow = topLine_ + std::max(LinesInWindow(), 1) - 1;
    const int row = std::clamp(CaretY(), topLine_, lastRow);
    if (row != CaretY()) MoveCaretVert(row - CaretY(), false);
}

void TCustomSynEdit::MoveCaretAndSelection(const TBufferCoord& From, const TBufferCoord& To,
                                           bool Extend) {
    if (options_.Contains(eoGroupUndo) && UndoList().CanUndo()) UndoList().AddGroupBreak();
    TSynPaintLock lock(*this);
    if (Extend) {
        if (!SelAvail()) SetBlockBegin(From);
        SetBlockEnd(To);
    } else {
        SetBlockBegin(To);
    }
    SetCaretXY(To);
}

void TCustomSynEdit::MoveCaretHorz(int DX, bool Extend) {
    TBufferCoord to{CaretX() + DX, CaretY()};
    if (!options_.Contains(eoScrollPastEol)) {
        // Without room past the end, the caret wraps between lines.
        if (to.X < 1) {
            to = CaretY() > 1 ? TBufferCoord{doc_.LineEndColumn(CaretY() - 1), CaretY() - 1}
                              : CaretXY();
        } else if (to.X > doc_.LineEndColumn(CaretY())) {
            to = CaretY() < Lines().Count() ? TBufferCoord{1, CaretY() + 1} : CaretXY();
        }
    }
    to.X = std::max(to.X, 1);
    MoveCaretAndSelection(CaretXY(), to, Extend);
}

void TCustomSynEdit::MoveCaretVert(int DY, bool Extend) {
    const int keptColumn = LastCaretX();
    const int row = std::clamp(CaretY() + DY, 1, doc_.RowCount());
    TBufferCoord to = DisplayToBufferPos({keptColumn, row});
    if (!options_.Contains(eoScrollPastEol)) to.X = std::min(to.X, doc_.LineEndColumn(row));
    MoveCaretAndSelection(CaretXY(), to, Extend);
    doc_.StoreLastCaretX(keptColumn);
}

void TCustomSynEdit::DoLineEnd(bool Extend) {
    const std::string_view line = Lines().GetView(CaretY() - 1);
    const int length = static_cast<int>(line.size());
    int x = length + 1;
    if (options_.Contains(eoEnhanceEndKey)) {
        // A first End stops after the last non-blank character, a second one
        // reaches the true end.
        const int trimmed = static_cast<int>(TrimTrailing(line).size());
        x = CaretX() - 1 == trimmed ? length + 1 : trimmed + 1;
    }
    MoveCaretAndSelection(CaretXY(), {x, CaretY()}, Extend);
}

void TCustomSynEdit::ExecuteMovement(TSynEditorCommand Command, void* Data) {
    const bool extend = Command >= ecSelection;
    const TSynEditorCommand move =
        extend ? static_cast<TSynEditorCommand>(Command - ecSelection) : Command;
    const int rows = std::max(LinesInWindow(), 1);
    const int count = Lines().Count();
    bool repaintNow = false;
    switch (move) {
    case ecLeft: MoveCaretHorz(-1, extend); break;
    case ecRight: MoveCaretHorz(1, extend); break;
    case ecUp:
    case ecDown:
        MoveCaretVert(move == ecUp ? -1 : 1, extend);
        repaintNow = true;
        break;
    case ecWordLeft: MoveCaretAndSelection(CaretXY(), PrevWordPos(), extend); break;
    case ecWordRight: MoveCaretAndSelection(CaretXY(), NextWordPos(), extend); break;
    case ecLineStart: MoveCaretAndSelection(CaretXY(), {1, CaretY()}, extend); break;
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
        MoveCaretVert(row - CaretY(), extend);
        break;
    }
    case ecEditorTop: MoveCaretAndSelection(CaretXY(), {1, 1}, extend); break;
    case ecEditorBottom:
        MoveCaretAndSelection(CaretXY(),
                              {doc_.LineEndColumn(std::max(count, 1)), std::max(count, 1)}, extend);
        break;
    case ecGotoXY:
        if (Data) MoveCaretAndSelection(CaretXY(), *static_cast<const TBufferCoord*>(Data), extend);
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
    const std::string_view line = Lines().GetView(CaretY() - 1);
    const int n = static_cast<int>(line.size());
    int x = CaretX();
    if (x < n) {
        auto word = [&](int p) { return IsWordChar(line[static_cast<std::size_t>(p - 1)]); };
        if (word(x))
            while (x <= n && word(x))
                ++x;
        while (x <= n && !word(x))
            ++x;
        return {x, CaretY()};
    }
    if (CaretY() >= Lines().Count()) return CaretXY();
    const std::string_view next = Lines().GetView(CaretY());
    for (std::size_t i = 0; i < next.size(); ++i)
        if (IsWordChar(next[i])) return {static_cast<int>(i) + 1, CaretY() + 1};
    return {1, CaretY() + 1};
}

TBufferCoord TCustomSynEdit::PrevWordPos() const {
    const std::string_view line = Lines().GetView(CaretY() - 1);
    const int x = std::min(CaretX(), static_cast<int>(line.size()) + 1);
    if (x > 1) {
        int p = x - 1; // the character just before the caret, 1-based
        while (p >= 1 && !IsWordChar(line[static_cast<std::size_t>(p - 1)]))
            --p;
        if (p >= 1) {
            while (p > 1 && IsWordChar(line[static_cast<std::size_t>(p - 2)]))
                --p;
            return {p, CaretY()};
        }
    }
    if (CaretY() > 1) return {doc_.LineEndColumn(CaretY() - 1), CaretY() - 1};
    return {1, 1};
}

void TCustomSynEdit::SetWordBlock(const TBufferCoord& P) {
    const std::string_view line = Lines().GetView(P.Y - 1);
    const int n = static_cast<int>(line.size());
    if (n == 0) {
        MoveCaretAndSelection(P, {1, P.Y}, false);
        return;
    }
    auto kind = [&](int i) { // 0-based
        const char c = line[static_cast<std::size_t>(i)];
        if (IsBlank(c)) return CharKind::Blank;
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
    TSynPaintLock lock(*this);
    SetBlockBegin({start + 1, P.Y});
    SetBlockEnd({end + 1, P.Y});
    SetCaretXY({end + 1, P.Y});
}

void TCustomSynEdit::SelectAll() {
    const int count = doc_.RowCount();
    const TBufferCoord last{doc_.LineEndColumn(count), count};
    TSynPaintLock lock(*this);
    SetBlockBegin({1, 1});
    SetBlockEnd(last);
    SetCaretXY(last);
}

} // namespace marlinet::editor
