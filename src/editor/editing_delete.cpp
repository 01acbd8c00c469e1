// Deleting: Backspace, Delete, words, to either end of the line, whole
// lines, and clearing everything.
#include <algorithm>

#include "editor/custom_synedit.h"
#include "editor/editing.h"

namespace marlinet::editor {

namespace {

int LengthOf(std::string_view Line) {
    return static_cast<int>(Line.size());
}

} // namespace

void TSynEditingCommands::DeleteLastChar() {
    if (edit_.SelAvail()) {
        // A selection made forwards is undone with the caret at its start.
        DeleteSelection(edit_.BlockBegin() < edit_.BlockEnd() ? crDeleteAfterCursor : crDelete);
        return;
    }
    const TBufferCoord caret = edit_.CaretXY();
    const std::string_view line = edit_.Lines().GetView(caret.Y - 1);
    const int length = LengthOf(line);
    if (caret.X > length + 1) {
        // Past the end there is nothing to delete: the caret goes back to the
        // text (on an empty line to its start).
        int x = length + 1;
        if (length == 0 && !edit_.Options().Contains(eoSmartTabDelete)) x = caret.X - 1;
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
        const std::string_view stored = edit_.Lines().GetView(caret.Y - 1);
        if (stored != rest && rest.find('\t') != std::string::npos) {
            const int tabWidth = edit_.TabWidth();
            x = DisplayColumnToCharIndex(stored, CharIndex2CaretPos(from.X, tabWidth, rest),
                                         tabWidth);
        }
        CollapseAt({x, caret.Y});
    } else if (caret.Y > 1) {
        // Joined at the end of the previous line's text; white space it ends
        // in goes with the line break (and comes back with undo).
        const std::string_view previous = edit_.Lines().GetView(caret.Y - 2);
        const int joint = LengthOf(Trim() ? TrimTrailing(previous) : previous) + 1;
        const TBufferCoord from{joint, caret.Y - 1};
        DeleteRecorded(from, caret, crSilentDelete);
        CollapseAt(from);
    }
}

void TSynEditingCommands::DeleteChar() {
    if (edit_.SelAvail()) {
        DeleteSelection(edit_.BlockBegin() < edit_.BlockEnd() ? crDeleteAfterCursor : crDelete);
        return;
    }
    const TBufferCoord caret = edit_.CaretXY();
    const int length = LengthOf(edit_.Lines().GetView(caret.Y - 1));
    if (caret.X <= length)
        DeleteRecorded(caret, {caret.X + 1, caret.Y}, crSilentDeleteAfterCursor);
    else if (caret.Y < edit_.Lines().Count()) // the next line joins, padded up to the caret
        DeleteRecorded(caret, {1, caret.Y + 1}, crSilentDeleteAfterCursor);
    CollapseAt(caret);
}

void TSynEditingCommands::DeleteWord() {
    const TBufferCoord caret = edit_.CaretXY();
    const std::string_view line = edit_.Lines().GetView(caret.Y - 1);
    const int length = LengthOf(line);
    if (caret.X > length) {
        if (caret.Y < edit_.Lines().Count())
            DeleteRecorded(caret, {1, caret.Y + 1}, crSilentDeleteAfterCursor);
        CollapseAt(caret);
        return;
    }
    auto at = [&](int i) { return line[static_cast<std::size_t>(i)]; };
    int i = caret.X - 1;
    if (edit_.IsWordChar(at(i))) {
        while (i < length && edit_.IsWordChar(at(i)))
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
    const TBufferCoord caret = edit_.CaretXY();
    const TBufferCoord from = edit_.PrevWordPos();
    if (from < caret) DeleteRecorded(from, caret, crSilentDelete);
    CollapseAt(std::min(from, caret));
}

void TSynEditingCommands::DeleteBOL() {
    const TBufferCoord caret = edit_.CaretXY();
    if (caret.X <= 1) return;
    DeleteRecorded({1, caret.Y}, caret, crSilentDelete);
    CollapseAt({1, caret.Y});
}

void TSynEditingCommands::DeleteEOL() {
    const TBufferCoord caret = edit_.CaretXY();
    const int length = LengthOf(edit_.Lines().GetView(caret.Y - 1));
    if (caret.X <= length) DeleteRecorded(caret, {length + 1, caret.Y}, crSilentDeleteAfterCursor);
    CollapseAt(caret);
}

void TSynEditingCommands::DeleteLine() {
    const int count = edit_.Lines().Count();
    const int y = edit_.CaretY();
    if (count == 0) return;
    if (y < count) {
        DeleteRecorded({1, y}, {1, y + 1}, crSilentDeleteAfterCursor);
    } else {
        // The last line is emptied rather than removed.
        const int length = LengthOf(edit_.Lines().GetView(y - 1));
        if (length == 0) return;
        DeleteRecorded({1, y}, {length + 1, y}, crSilentDeleteAfterCursor);
    }
    CollapseAt({1, y});
}

void TSynEditingCommands::ClearAll() {
    edit_.Lines().Clear();
    edit_.ClearUndo();
    for (int i = 0; i < kInternalImageCount; ++i)
        edit_.ClearBookMark(i);
    // The empty text is the unmodified state now.
    edit_.UndoList().SetInitialState(true);
    edit_.UpdateModifiedStatus();
    CollapseAt({1, 1});
}

} // namespace marlinet::editor
