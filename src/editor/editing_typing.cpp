// Typing characters and breaking lines.
#include <algorithm>

#include "editor/edit_state.h"
#include "editor/edit_status.h"
#include "editor/editing.h"
#include "editor/movement.h"
#include "editor/scroller.h"
#include "editor/undo_apply.h"
#include "editor/viewport.h"

namespace marlinet::editor {

namespace {

// How far the view jumps right when typing reaches its right edge.
constexpr int kTypingJump = 25;

} // namespace

void TSynEditingCommands::TypeChar(char C) {
    const auto code = static_cast<unsigned char>(C);
    if (code < 32 || code == 127) return;
    if (ctx_.Doc.SelAvail()) {
        TBufferCoord end;
        {
            UndoBlock block(ctx_.Doc.UndoList());
            end = ReplaceSelection(std::string_view(&C, 1), crDelete, crInsert,
                                   ctx_.Doc.ActiveSelectionMode());
        }
        CollapseAt(end);
    } else {
        TypeAtCaret(C);
    }
    KeepCaretInWindow();
}

void TSynEditingCommands::TypeAtCaret(char C) {
    const TBufferCoord caret = ctx_.Doc.Caret();
    // The caret may stand one column past the widest line; nothing is typed there.
    if (caret.X > ctx_.Settings.MaxScrollWidth) return;
    const std::string_view line = ctx_.Doc.Lines().GetView(caret.Y - 1);
    const int length = static_cast<int>(line.size());
    const bool overwrite = !ctx_.Settings.InsertMode && caret.X <= length;
    const std::string replaced = overwrite ? std::string(1, line[caret.X - 1]) : std::string();
    const TBufferCoord after{caret.X + 1, caret.Y};

    // A blank typed into a line of nothing but white space is not kept (the
    // line is stored trimmed), but the caret goes where the blank showed.
    int caretX = after.X;
    if (C == ' ' && Trim()) {
        const auto at = static_cast<std::size_t>(caret.X - 1);
        std::string typed(line.substr(0, std::min(line.size(), at)));
        typed.resize(at, ' ');
        typed += C;
        typed += line.substr(std::min(line.size(), overwrite ? at + 1 : at));
        if (TrimTrailing(typed).empty())
            caretX = GetExpandedLength(typed, ctx_.Doc.Lines().TabWidth()) + 1;
    }

    const TSynTextChanger changer = Changer();
    TBufferCoord end;
    {
        UndoBlock block(ctx_.Doc.UndoList());
        Commit(overwrite ? changer.Replace(smNormal, caret, after, std::string_view(&C, 1), end)
                         : changer.Insert(smNormal, caret, std::string_view(&C, 1), end),
               {caret});
        Record(crInsert, caret, after, replaced, smNormal);
    }
    CollapseAt({caretX, caret.Y});
}

void TSynEditingCommands::KeepCaretInWindow() {
    const int chars = ctx_.View.CharsInWindow();
    if (chars > 0 &&
        ctx_.Doc.BufferToDisplayPos(ctx_.Doc.Caret()).Column >= ctx_.View.LeftChar() + chars)
        ctx_.Scroller.SetLeftChar(ctx_.View.LeftChar() + std::min(kTypingJump, chars - 1));
    ctx_.Scroller.EnsureCursorPosVisible();
}

void TSynEditingCommands::LineBreak(bool MoveCaret) {
    TBufferCoord at;
    {
        UndoBlock block(ctx_.Doc.UndoList());
        if (ctx_.Doc.SelAvail()) DeleteSelection(crDelete);
        at = ctx_.Doc.Caret();
        const std::string_view line = ctx_.Doc.Lines().GetView(at.Y - 1);
        // What moves to the new line: the line's text from the caret on.
        const std::string moved(line.substr(std::min<std::size_t>(line.size(), at.X - 1)));
        TBufferCoord end;
        Commit(Changer().Insert(smNormal, at, "\r\n", end), {at});
        Record(crLineBreak, at, at, moved, smNormal);
    }
    CollapseAt(MoveCaret ? TBufferCoord{1, at.Y + 1} : at);
}

} // namespace marlinet::editor
