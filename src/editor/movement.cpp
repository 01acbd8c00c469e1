// Movement commands and word positions: how keys and commands move the caret
// and extend or collapse the selection.
#include "editor/movement.h"

#include <algorithm>

#include "editor/caret.h"
#include "editor/display.h"
#include "editor/edit_state.h"
#include "editor/edit_status.h"
#include "editor/editing.h"
#include "editor/marker_commands.h"
#include "editor/scroller.h"
#include "editor/viewport.h"

namespace marlinet::editor {

namespace {

// Blanks, word characters and everything else: a double click selects a run
// of one kind.
enum class CharKind { Blank, Word, Other };

} // namespace

// --- Movement ------------------------------------------------------------------------

void TSynMovement::Execute(TSynEditorCommand Command, char AChar, void* Data) {
    TSynPaintLock lock(ctx_.Status);
    switch (Command) {
    case ecSelWord: SetWordBlock(ctx_.Doc.Caret()); break;
    case ecSelectAll: SelectAll(); break;
    case ecInsertMode: ctx_.State.SetInsertMode(true); break;
    case ecOverwriteMode: ctx_.State.SetInsertMode(false); break;
    case ecToggleMode: ctx_.State.SetInsertMode(!ctx_.Settings.InsertMode); break;
    case ecNormalSelect: ctx_.Caret.SetSelectionMode(smNormal); break;
    case ecColumnSelect: ctx_.Caret.SetSelectionMode(smColumn); break;
    case ecLineSelect: ctx_.Caret.SetSelectionMode(smLine); break;
    case ecScrollUp:
    case ecScrollDown: ScrollCaretIntoWindow(Command); break;
    case ecScrollLeft: ctx_.Scroller.SetLeftChar(ctx_.View.LeftChar() - 1); break;
    case ecScrollRight: ctx_.Scroller.SetLeftChar(ctx_.View.LeftChar() + 1); break;
    default:
        if ((Command >= ecLeft && Command <= ecGotoXY) ||
            (Command >= ecSelLeft && Command <= ecSelGotoXY))
            ExecuteMovement(Command, Data);
        else if (IsMarkerCommand(Command))
            ExecuteMarkerCommand(Command, ctx_.Display.BookMarkOptions(), ctx_.Doc.Markers(),
                                 ctx_.Doc.Caret(), ctx_.Execute);
        else
            ctx_.Editing.Execute(Command, AChar); // the commands that change the text
        break;
    }
}

void TSynMovement::ScrollCaretIntoWindow(TSynEditorCommand Command) {
    ctx_.Scroller.SetTopLine(ctx_.View.TopLine() + (Command == ecScrollUp ? -1 : 1));
    // The caret moves as little as keeps it in the window.
    const int lastRow = ctx_.View.TopLine() + std::max(ctx_.View.LinesInWindow(), 1) - 1;
    const int row = std::clamp(ctx_.Doc.Caret().Y, ctx_.View.TopLine(), lastRow);
    if (row != ctx_.Doc.Caret().Y) MoveCaretVert(row - ctx_.Doc.Caret().Y, false);
}

void TSynMovement::MoveCaretAndSelection(const TBufferCoord& From, const TBufferCoord& To,
                                         bool Extend) {
    if (ctx_.Settings.Options.Contains(eoGroupUndo) && ctx_.Doc.UndoList().CanUndo())
        ctx_.Doc.UndoList().AddGroupBreak();
    TSynPaintLock lock(ctx_.Status);
    if (Extend) {
        if (!ctx_.Doc.SelAvail()) ctx_.Caret.SetBlockBegin(From);
        ctx_.Caret.SetBlockEnd(To);
    } else {
        ctx_.Caret.SetBlockBegin(To);
    }
    ctx_.Caret.SetCaretXY(To);
}

void TSynMovement::MoveCaretHorz(int DX, bool Extend) {
    const TBufferCoord caret = ctx_.Doc.Caret();
    TBufferCoord to{caret.X + DX, caret.Y};
    if (!ctx_.Settings.PastEol()) {
        // Without room past the end, the caret wraps between lines.
        if (to.X < 1) {
            to = caret.Y > 1 ? TBufferCoord{ctx_.Doc.LineEndColumn(caret.Y - 1), caret.Y - 1}
                             : caret;
        } else if (to.X > ctx_.Doc.LineEndColumn(caret.Y)) {
            to = caret.Y < ctx_.Doc.Lines().Count() ? TBufferCoord{1, caret.Y + 1} : caret;
        }
    }
    to.X = std::max(to.X, 1);
    MoveCaretAndSelection(caret, to, Extend);
}

void TSynMovement::MoveCaretVert(int DY, bool Extend) {
    const int keptColumn = ctx_.Doc.LastCaretX();
    const int row = std::clamp(ctx_.Doc.Caret().Y + DY, 1, ctx_.Doc.RowCount());
    TBufferCoord to = ctx_.Doc.DisplayToBufferPos({keptColumn, row});
    if (!ctx_.Settings.PastEol()) to.X = std::min(to.X, ctx_.Doc.LineEndColumn(row));
    MoveCaretAndSelection(ctx_.Doc.Caret(), to, Extend);
    ctx_.Doc.StoreLastCaretX(keptColumn);
}

void TSynMovement::DoLineEnd(bool Extend) {
    const TBufferCoord caret = ctx_.Doc.Caret();
    const std::string_view line = ctx_.Doc.Lines().GetView(caret.Y - 1);
    const int length = static_cast<int>(line.size());
    int x = length + 1;
    if (ctx_.Settings.Options.Contains(eoEnhanceEndKey)) {
        // A first End stops after the last non-blank character, a second one
        // reaches the true end.
        const int trimmed = static_cast<int>(TrimTrailing(line).size());
        x = caret.X - 1 == trimmed ? length + 1 : trimmed + 1;
    }
    MoveCaretAndSelection(caret, {x, caret.Y}, Extend);
}

void TSynMovement::ExecuteMovement(TSynEditorCommand Command, void* Data) {
    const bool extend = Command >= ecSelection;
    const TSynEditorCommand move =
        extend ? static_cast<TSynEditorCommand>(Command - ecSelection) : Command;
    const int rows = std::max(ctx_.View.LinesInWindow(), 1);
    const int count = ctx_.Doc.Lines().Count();
    bool repaintNow = false;
    switch (move) {
    case ecLeft: MoveCaretHorz(-1, extend); break;
    case ecRight: MoveCaretHorz(1, extend); break;
    case ecUp:
    case ecDown:
        MoveCaretVert(move == ecUp ? -1 : 1, extend);
        repaintNow = true;
        break;
    case ecWordLeft: MoveCaretAndSelection(ctx_.Doc.Caret(), PrevWordPos(), extend); break;
    case ecWordRight: MoveCaretAndSelection(ctx_.Doc.Caret(), NextWordPos(), extend); break;
    case ecLineStart:
        MoveCaretAndSelection(ctx_.Doc.Caret(), {1, ctx_.Doc.Caret().Y}, extend);
        break;
    case ecLineEnd: DoLineEnd(extend); break;
    case ecPageUp:
    case ecPageDown: {
        const int delta = move == ecPageUp ? -rows : rows;
        ctx_.Scroller.SetTopLine(ctx_.View.TopLine() + delta);
        MoveCaretVert(delta, extend);
        break;
    }
    case ecPageLeft:
    case ecPageRight: {
        const int delta =
            move == ecPageLeft ? -ctx_.View.CharsInWindow() : ctx_.View.CharsInWindow();
        ctx_.Scroller.SetLeftChar(ctx_.View.LeftChar() + delta);
        MoveCaretHorz(delta, extend);
        break;
    }
    case ecPageTop:
    case ecPageBottom: {
        const int row = move == ecPageTop
                            ? ctx_.View.TopLine()
                            : std::min(ctx_.View.TopLine() + rows - 1, std::max(count, 1));
        MoveCaretVert(row - ctx_.Doc.Caret().Y, extend);
        break;
    }
    case ecEditorTop: MoveCaretAndSelection(ctx_.Doc.Caret(), {1, 1}, extend); break;
    case ecEditorBottom:
        MoveCaretAndSelection(ctx_.Doc.Caret(),
                              {ctx_.Doc.LineEndColumn(std::max(count, 1)), std::max(count, 1)},
                              extend);
        break;
    case ecGotoXY:
        if (Data)
            MoveCaretAndSelection(ctx_.Doc.Caret(), *static_cast<const TBufferCoord*>(Data),
                                  extend);
        break;
    default: return;
    }
    ctx_.Scroller.EnsureCursorPosVisible();
    if (repaintNow) ctx_.View.UpdateNow();
}

// --- Words --------------------------------------------------------------------------------

bool TSynMovement::IsWordChar(char C) const {
    if (const highlight::TSynCustomHighlighter* highlighter = ctx_.Display.Highlighter())
        return (highlighter->GetIdentChars() - highlighter->WordBreakChars()).Contains(C);
    static const highlight::TSynIdentChars base =
        highlight::TSynIdentChars().IncludeRange(33, 255) - highlight::TSynWordBreakChars;
    return base.Contains(C);
}

TBufferCoord TSynMovement::NextWordPos() const {
    const TBufferCoord caret = ctx_.Doc.Caret();
    const std::string_view line = ctx_.Doc.Lines().GetView(caret.Y - 1);
    const int n = static_cast<int>(line.size());
    int x = caret.X;
    if (x < n) {
        auto word = [&](int p) { return IsWordChar(line[static_cast<std::size_t>(p - 1)]); };
        if (word(x))
            while (x <= n && word(x))
                ++x;
        while (x <= n && !word(x))
            ++x;
        return {x, caret.Y};
    }
    if (caret.Y >= ctx_.Doc.Lines().Count()) return caret;
    const std::string_view next = ctx_.Doc.Lines().GetView(caret.Y);
    for (std::size_t i = 0; i < next.size(); ++i)
        if (IsWordChar(next[i])) return {static_cast<int>(i) + 1, caret.Y + 1};
    return {1, caret.Y + 1};
}

TBufferCoord TSynMovement::PrevWordPos() const {
    const TBufferCoord caret = ctx_.Doc.Caret();
    const std::string_view line = ctx_.Doc.Lines().GetView(caret.Y - 1);
    const int x = std::min(caret.X, static_cast<int>(line.size()) + 1);
    if (x > 1) {
        int p = x - 1; // the character just before the caret, 1-based
        while (p >= 1 && !IsWordChar(line[static_cast<std::size_t>(p - 1)]))
            --p;
        if (p >= 1) {
            while (p > 1 && IsWordChar(line[static_cast<std::size_t>(p - 2)]))
                --p;
            return {p, caret.Y};
        }
    }
    if (caret.Y > 1) return {ctx_.Doc.LineEndColumn(caret.Y - 1), caret.Y - 1};
    return {1, 1};
}

void TSynMovement::SetWordBlock(const TBufferCoord& P) {
    const std::string_view line = ctx_.Doc.Lines().GetView(P.Y - 1);
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
    TSynPaintLock lock(ctx_.Status);
    ctx_.Caret.SetBlockBegin({start + 1, P.Y});
    ctx_.Caret.SetBlockEnd({end + 1, P.Y});
    ctx_.Caret.SetCaretXY({end + 1, P.Y});
}

void TSynMovement::SelectAll() {
    const int count = ctx_.Doc.RowCount();
    const TBufferCoord last{ctx_.Doc.LineEndColumn(count), count};
    TSynPaintLock lock(ctx_.Status);
    ctx_.Caret.SetBlockBegin({1, 1});
    ctx_.Caret.SetBlockEnd(last);
    ctx_.Caret.SetCaretXY(last);
}

// --- The line a run is at ------------------------------------------------------------------

void TSynMovement::ShowProgramLine(support::TProgramLine Line) {
    if (!Line.IsLine() || Line.Number > ctx_.Doc.Lines().Count()) return;
    ctx_.Caret.SetCaretXY({1, Line.Number});
    ctx_.Caret.SetBlockBegin(ctx_.Doc.Caret());
    ctx_.Caret.SetSelLength(1);
    ctx_.Scroller.ShowLineCentred(Line.Number);
}

bool TSynMovement::ShowsProgramLine(support::TProgramLine Line) const {
    return Line.IsLine() && ctx_.Doc.SelLength() == 1 &&
           ctx_.Doc.SelStart() == ctx_.Doc.RowColToCharIndex({1, Line.Number});
}

void TSynMovement::SelectProgramLineText(support::TProgramLine Line) {
    if (!Line.IsLine() || Line.Number > ctx_.Doc.Lines().Count()) return;
    ctx_.Caret.SetCaretXY({1, Line.Number});
    ctx_.Caret.SetBlockBegin(ctx_.Doc.Caret());
    ctx_.Caret.SetSelLength(static_cast<int>(ctx_.Doc.Lines().GetView(Line.Number - 1).size()));
    ctx_.Scroller.ShowLineCentred(Line.Number);
}

} // namespace marlinet::editor
