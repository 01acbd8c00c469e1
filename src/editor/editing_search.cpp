// Find, replace and go to line.
#include <algorithm>

#include "editor/edit_state.h"
#include "editor/edit_status.h"
#include "editor/editing.h"
#include "editor/movement.h"
#include "editor/scroller.h"
#include "editor/undo_apply.h"
#include "editor/viewport.h"

namespace marlinet::editor {

TSynSearchResult TSynEditingCommands::Find(TSynSearch& Search, bool Backwards, bool Wrap) {
    const TSynDocument& doc = ctx_.Doc;
    TBufferCoord from = ctx_.Doc.Caret();
    if (doc.SelAvail()) from = Backwards ? doc.SelectionFirst() : doc.SelectionLast();
    return FindFrom(Search, from, Backwards, Wrap);
}

TSynSearchResult TSynEditingCommands::FindFrom(TSynSearch& Search, TBufferCoord From,
                                               bool Backwards, bool Wrap) {
    const TSynSearchResult result = Backwards ? Search.FindPrevious(ctx_.Doc.Lines(), From, Wrap)
                                              : Search.FindNext(ctx_.Doc.Lines(), From, Wrap);
    if (!result.Found) return result;
    TSynPaintLock lock(ctx_.Status);
    BreakGroup(); // the caret moves as by a movement command
    Select(smNormal, result.Match.Start, result.Match.End, result.Match.End);
    ctx_.Scroller.EnsureCursorPosVisibleEx(true);
    return result;
}

TSynReplaceResult TSynEditingCommands::ReplaceCurrent(TSynSearch& Search,
                                                      std::string_view Replacement) {
    TSynReplaceResult result;
    if (ctx_.Settings.ReadOnly || !Search.Active()) return result;
    const TSynDocument& doc = ctx_.Doc;
    TBufferCoord first = ctx_.Doc.Caret(), last = first;
    if (doc.SelAvail()) {
        first = doc.SelectionFirst();
        last = doc.SelectionLast();
        if (first.Y != last.Y || doc.ActiveSelectionMode() == smLine) return result;
    }
    const std::string_view line = ctx_.Doc.Lines().GetView(first.Y - 1);
    if (first.Y > ctx_.Doc.Lines().Count() || last.X - 1 > static_cast<int>(line.size()))
        return result;
    const std::optional<std::string> text =
        Search.Expand(line, first.X - 1, last.X - 1, Replacement, result.Error);
    if (!text) return result;
    TSynPaintLock lock(ctx_.Status);
    BreakGroup();
    TBufferCoord end;
    {
        UndoBlock block(ctx_.Doc.UndoList());
        Select(smNormal, first, last, last);
        end = ReplaceSelection(*text, crDelete, crInsert, smNormal);
    }
    CollapseAt(end);
    ctx_.Scroller.EnsureCursorPosVisible();
    result.Count = 1;
    return result;
}

TSynReplaceResult TSynEditingCommands::ReplaceAll(TSynSearch& Search,
                                                  std::string_view Replacement) {
    TSynReplaceResult result;
    if (ctx_.Settings.ReadOnly || !Search.Active()) return result;
    const TSynDocument& doc = ctx_.Doc;
    const TSynEditStringList& lines = ctx_.Doc.Lines();
    const bool inSelection = doc.SelAvail() && doc.SelectionFirst().Y != doc.SelectionLast().Y;
    std::vector<Span> spans;
    if (inSelection) {
        spans = SelectedSpans();
    } else {
        for (int y = 1; y <= lines.Count(); ++y)
            spans.push_back({y, 0, static_cast<int>(lines.GetView(y - 1).size())});
    }
    std::vector<std::pair<int, std::string>> changed;
    int count = 0;
    for (const Span& span : spans) {
        const std::string_view line = lines.GetView(span.Line - 1);
        TSynLineReplace replaced = Search.ReplaceInLine(line, span.From, span.To, Replacement);
        if (replaced.Error) {
            result.Error = std::move(replaced.Error);
            return result;
        }
        count += replaced.Count;
        if (replaced.Count > 0 && replaced.Text != line)
            changed.emplace_back(span.Line, std::move(replaced.Text));
    }
    result.Count = count;
    Placement after = CurrentPlacement();
    // A selection on one line (the match last found) no longer covers what
    // it did; the caret stays.
    if (!inSelection) after.Selected = false;
    if (inSelection && after.Mode == smNormal && !changed.empty()) {
        // The selection still ends before the same text: nothing after its
        // end on its last line was replaced, though lines may have split.
        TBufferCoord& last = after.End < after.Begin ? after.Begin : after.End;
        const TBufferCoord old = last;
        for (const auto& [y, text] : changed) {
            if (y > old.Y) break;
            const std::vector<std::string_view> pieces = LinesOf(text);
            last.Y += static_cast<int>(pieces.size()) - 1;
            if (y == old.Y) {
                const int tail = static_cast<int>(lines.GetView(y - 1).size()) - (old.X - 1);
                last.X = static_cast<int>(pieces.back().size()) - tail + 1;
            }
        }
        if (after.Caret == old) after.Caret = last;
    }
    RewriteLines(std::move(changed), after);
    return result;
}

void TSynEditingCommands::GotoLine(int Line) {
    const TBufferCoord to{1, std::clamp(Line, 1, ctx_.Doc.RowCount())};
    TSynPaintLock lock(ctx_.Status);
    ctx_.Movement.MoveCaretAndSelection(ctx_.Doc.Caret(), to, false);
    ctx_.Scroller.EnsureCursorPosVisibleEx(true);
}

} // namespace marlinet::editor
