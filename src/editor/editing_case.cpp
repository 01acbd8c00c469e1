// Case changes and REM comments, and rewriting lines as one undo step with
// the caret and selection they had.
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

constexpr std::string_view kComment = "REM ";
// What a comment of an empty line is stored as once trimmed.
constexpr std::string_view kBareComment = "REM";

bool Commented(std::string_view Line) {
    return Line.starts_with(kComment) || Line == kBareComment;
}

} // namespace

// --- Rewriting lines --------------------------------------------------------------------

TSynEditingCommands::Placement TSynEditingCommands::CurrentPlacement() const {
    return {ctx_.Doc.SelAvail(), ctx_.Doc.ActiveSelectionMode(), ctx_.Doc.BlockBegin(),
            ctx_.Doc.BlockEnd(), ctx_.Doc.Caret()};
}

void TSynEditingCommands::Place(const Placement& P) {
    if (P.Selected) {
        Select(P.Mode, P.Begin, P.End, P.Caret);
    } else {
        CollapseAt(P.Caret);
    }
}

void TSynEditingCommands::RecordPlacement() {
    // Undo puts a selection back with the caret at its end, where every
    // command that selects leaves it.
    if (ctx_.Doc.SelAvail())
        Record(crSelection, ctx_.Doc.BlockBegin(), ctx_.Doc.BlockEnd(), {},
               ctx_.Doc.ActiveSelectionMode());
    else
        Record(crCaret, ctx_.Doc.Caret(), ctx_.Doc.Caret(), {}, ctx_.Doc.ActiveSelectionMode());
}

void TSynEditingCommands::BreakGroup() {
    if (ctx_.Settings.Options.Contains(eoGroupUndo) && ctx_.Doc.UndoList().CanUndo())
        ctx_.Doc.UndoList().AddGroupBreak();
}

std::vector<std::string_view> TSynEditingCommands::LinesOf(std::string_view Text) {
    std::vector<std::string_view> pieces;
    SplitLines(Text, [&](std::string_view piece) { pieces.push_back(piece); });
    if (pieces.empty()) pieces.emplace_back();
    return pieces;
}

void TSynEditingCommands::RewriteLines(std::vector<std::pair<int, std::string>> Changed,
                                       const Placement& After) {
    if (Changed.empty()) return;
    const TSynEditStringList& lines = ctx_.Doc.Lines();
    const int first = Changed.front().first, last = Changed.back().first;
    TSynLineChange change;
    change.First = first - 1;
    change.Count = last - first + 1;
    auto next = Changed.begin();
    for (int y = first; y <= last; ++y) {
        if (next == Changed.end() || next->first != y) {
            change.Lines.emplace_back(lines.GetView(y - 1));
            continue;
        }
        for (const std::string_view piece : LinesOf(next->second))
            change.Lines.emplace_back(Trim() ? TrimTrailing(piece) : piece);
        ++next;
    }
    TSynPaintLock lock(ctx_.Status);
    // Its own step: its placement items must not group with another's.
    BreakGroup();
    UndoBlock block(ctx_.Doc.UndoList());
    RecordPlacement();
    CommitWholeLines(std::move(change), crInsert);
    Place(After);
    RecordPlacement();
}

// --- Case ---------------------------------------------------------------------------------

void TSynEditingCommands::ChangeCase(TSynCaseChange How, bool WordAtCaret) {
    std::vector<Span> spans;
    if (ctx_.Doc.SelAvail()) {
        spans = SelectedSpans();
    } else if (WordAtCaret) {
        const TBufferCoord caret = ctx_.Doc.Caret();
        const std::string_view line = ctx_.Doc.Lines().GetView(caret.Y - 1);
        const int length = static_cast<int>(line.size());
        auto word = [&](int i) {
            return ctx_.Movement.IsWordChar(line[static_cast<std::size_t>(i)]);
        };
        // The word the caret stands in or right after.
        int from = caret.X - 1;
        if (from > length) return;
        if (from == length || !word(from)) --from;
        if (from < 0 || !word(from)) return;
        int to = from + 1;
        while (from > 0 && word(from - 1))
            --from;
        while (to < length && word(to))
            ++to;
        spans.push_back({caret.Y, from, to});
    }
    std::vector<std::pair<int, std::string>> changed;
    for (const Span& span : spans) {
        const std::string_view line = ctx_.Doc.Lines().GetView(span.Line - 1);
        const auto from = static_cast<std::size_t>(span.From);
        const auto count = static_cast<std::size_t>(span.To - span.From);
        std::string piece(line.substr(from, count));
        editor::ChangeCase(piece, How, from > 0 ? line[from - 1] : '\0');
        if (piece == line.substr(from, count)) continue;
        std::string text(line);
        text.replace(from, count, piece);
        changed.emplace_back(span.Line, std::move(text));
    }
    // Case keeps every character where it was: so do caret and selection.
    RewriteLines(std::move(changed), CurrentPlacement());
}

// --- Comments -------------------------------------------------------------------------------

void TSynEditingCommands::CommentBlock() {
    const TSynEditStringList& lines = ctx_.Doc.Lines();
    int first = ctx_.Doc.Caret().Y, last = first;
    Block b;
    if (SelectedBlock(b)) {
        first = b.First;
        last = b.Last;
    }
    last = std::min(last, lines.Count());
    if (first > last) return;
    bool anyText = false, allCommented = true;
    for (int y = first; y <= last; ++y) {
        const std::string_view line = lines.GetView(y - 1);
        if (line.empty()) continue;
        anyText = true;
        allCommented = allCommented && Commented(line);
    }
    const bool remove = anyText && allCommented;
    std::vector<std::pair<int, std::string>> changed;
    std::vector<int> shift(static_cast<std::size_t>(last - first + 1), 0);
    for (int y = first; y <= last; ++y) {
        const std::string_view line = lines.GetView(y - 1);
        if (anyText && line.empty()) continue;
        std::string text;
        if (!remove)
            text = std::string(kComment) + std::string(line);
        else
            text = line.substr(std::min(line.size(), kComment.size()));
        shift[static_cast<std::size_t>(y - first)] =
            static_cast<int>(text.size()) - static_cast<int>(line.size());
        changed.emplace_back(y, std::move(text));
    }
    // Caret and selection keep to their characters; column 1 stays column 1.
    auto shifted = [&](TBufferCoord p) {
        if (p.Y >= first && p.Y <= last && p.X > 1)
            p.X = std::max(1, p.X + shift[static_cast<std::size_t>(p.Y - first)]);
        return p;
    };
    Placement after = CurrentPlacement();
    after.Begin = shifted(after.Begin);
    after.End = shifted(after.End);
    after.Caret = shifted(after.Caret);
    RewriteLines(std::move(changed), after);
}

} // namespace marlinet::editor
