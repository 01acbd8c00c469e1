// Deleting: Backspace, Delete, words, to either end of the line, whole
// lines, and clearing everything.
#include <algorithm>

#include "editor/edit_state.h"
#include "editor/edit_status.h"
#include "editor/editing.h"
#include "editor/gutter.h"
#include "editor/movement.h"
#include "editor/scroller.h"
#include "editor/undo_apply.h"
#include "editor/viewport.h"

namespace marlinet::editor {

namespace {

int LengthOf(std::string_view Line) {
    return static_cast<int>(Line.size());
}

} // namespace

void TSynEditingCommands::DeleteLastChar() {
    if (ctx_.Doc.SelAvail()) {
        // A selection made forwards is undone with the caret at its start.
        DeleteSelection(ctx_.Doc.BlockBegin() < ctx_.Doc.BlockEnd() ? crDeleteAfterCursor
                                                                    : crDelete);
        return;
    }
    const TBufferCoord caret = ctx_.Doc.Caret();
    const std::string_view line = ctx_.Doc.Lines().GetView(caret.Y - 1);
    const int length = LengthOf(line);
    if (caret.X > length + 1) {
        // Past the end there is nothing to delete: the caret goes back to the
        // text (on an empty line to its start).
        int x = length + 1;
        if (length == 0 && !ctx_.Settings.Options.Contains(eoSmartTabDelete)) x = caret.X - 1;
        Record(crSilentDelete, {x, caret.Y}, caret, {}, smNormal);
        CollapseAt({x, caret.Y});
    } else if (caret.X > 1) {
        const TBufferCoord from{caret.X - 1, caret.Y};
        std::string rest(line);
        rest.erase(static_cast<std::size_t>(from.X - 1), 1);
        DeleteRecorded(from, caret, crSilentDelete);
        // Trimming the line may drop tabs before the caret; the caret keeps
        // the display column it had.
        int x = from.X;
        const std::string_view stored = ctx_.Doc.Lines().GetView(caret.Y - 1);
        if (stored != rest && rest.find('\t') != std::string::npos) {
            const int tabWidth = ctx_.Doc.Lines().TabWidth();
            x = DisplayColumnToCharIndex(stored, CharIndex2CaretPos(from.X, tabWidth, rest),
                                         tabWidth);
        }
        CollapseAt({x, caret.Y});
    } else if (caret.Y > 1) {
        // Joined at the end of the previous line's text; white space it ends
        // in goes with the line break (and comes back with undo).
        const std::string_view previous = ctx_.Doc.Lines().GetView(caret.Y - 2);
        const int joint = LengthOf(Trim() ? TrimTrailing(previous) : previous) + 1;
        const TBufferCoord from{joint, caret.Y - 1};
        DeleteRecorded(from, caret, crSilentDelete);
        CollapseAt(from);
    }
}

void TSynEditingCommands::DeleteChar() {
    if (ctx_.Doc.SelAvail()) {
        DeleteSelection(ctx_.Doc.BlockBegin() < ctx_.Doc.BlockEnd() ? crDeleteAfterCursor
                                                                    : crDelete);
        return;
    }
    const TBufferCoord caret = ctx_.Doc.Caret();
    const int length = LengthOf(ctx_.Doc.Lines().GetView(caret.Y - 1));
    if (caret.X <= length)
        DeleteRecorded(caret, {caret.X + 1, caret.Y}, crSilentDeleteAfterCursor);
    else if (caret.Y < ctx_.Doc.Lines().Count()) // the next line joins, padded up to the caret
        DeleteRecorded(caret, {1, caret.Y + 1}, crSilentDeleteAfterCursor);
    CollapseAt(caret);
}

void TSynEditingCommands::DeleteWord() {
    const TBufferCoord caret = ctx_.Doc.Caret();
    const std::string_view line = ctx_.Doc.Lines().GetView(caret.Y - 1);
    const int length = LengthOf(line);
    if (caret.X > length) {
        if (caret.Y < ctx_.Doc.Lines().Count())
            DeleteRecorded(caret, {1, caret.Y + 1}, crSilentDeleteAfterCursor);
        CollapseAt(caret);
        return;
    }
    auto at = [&](int i) { return line[static_cast<std::size_t>(i)]; };
    int i = caret.X - 1;
    if (ctx_.Movement.IsWordChar(at(i))) {
        while (i < length && ctx_.Movement.IsWordChar(at(i)))
            ++i;
    } else if (!IsBlank(at(i))) {
        ++i;
    }
    while (i < length && IsBlank(at(i)))
        ++i;
    if (i > caret.X - 1) DeleteRecorded(caret, {i + 1, caret.Y}, crSilentDeleteAfterCursor);
    CollapseAt(caret);
}

void TSynEditingCommands::DeleteLastWord() {
    const TBufferCoord caret = ctx_.Doc.Caret();
    const TBufferCoord from = ctx_.Movement.PrevWordPos();
    if (from < caret) DeleteRecorded(from, caret, crSilentDelete);
    CollapseAt(std::min(from, caret));
}

void TSynEditingCommands::DeleteBOL() {
    const TBufferCoord caret = ctx_.Doc.Caret();
    if (caret.X <= 1) return;
    DeleteRecorded({1, caret.Y}, caret, crSilentDelete);
    CollapseAt({1, caret.Y});
}

void TSynEditingCommands::DeleteEOL() {
    const TBufferCoord caret = ctx_.Doc.Caret();
    const int length = LengthOf(ctx_.Doc.Lines().GetView(caret.Y - 1));
    if (caret.X <= length) DeleteRecorded(caret, {length + 1, caret.Y}, crSilentDeleteAfterCursor);
    CollapseAt(caret);
}

void TSynEditingCommands::DeleteLine() {
    const int count = ctx_.Doc.Lines().Count();
    const int y = ctx_.Doc.Caret().Y;
    if (count == 0) return;
    if (y < count) {
        DeleteRecorded({1, y}, {1, y + 1}, crSilentDeleteAfterCursor);
    } else {
        // The last line is emptied rather than removed.
        const int length = LengthOf(ctx_.Doc.Lines().GetView(y - 1));
        if (length == 0) return;
        DeleteRecorded({1, y}, {length + 1, y}, crSilentDeleteAfterCursor);
    }
    CollapseAt({1, y});
}

void TSynEditingCommands::ClearAll() {
    ctx_.Doc.Lines().Clear();
    ctx_.State.ClearUndo();
    for (int i = 0; i < kInternalImageCount; ++i)
        ctx_.Doc.Markers().ClearBookmark(i);
    // The empty text is the unmodified state now.
    ctx_.Doc.UndoList().SetInitialState(true);
    ctx_.State.UpdateModifiedStatus();
    CollapseAt({1, 1});
}

} // namespace marlinet::editor
