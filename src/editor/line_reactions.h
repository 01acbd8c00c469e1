// TSynLineReactions: what the editor does when its line store changes —
// markers and highlighter ranges follow the lines, the rows that moved
// repaint once the change is done, the selection collapses onto the caret,
// the scroll bar, gutter and top line catch up, and a cleared store resets
// caret, selection, scroll position and undo.
#pragma once

#include "editor/document.h"
#include "editor/edit_settings.h"
#include "editor/highlighter_ranges.h"

namespace marlinet::editor {

class TSynViewport;
class TSynCaret;
class TSynCaretDisplay;
class TSynEditStatus;
class TSynScroller;
class TSynDisplay;
class TSynEditState;

struct TSynLineReactionsContext {
    TSynDocument& Doc;
    TSynViewport& View;
    TSynCaret& Caret;
    TSynCaretDisplay& CaretDisplay;
    TSynEditStatus& Status;
    TSynScroller& Scroller;
    TSynDisplay& Display;
    TSynEditState& State;
    TSynHighlighterRanges& Ranges;
    const TSynEditSettings& Settings;
};

class TSynLineReactions {
public:
    // Listens to the document's lines for its lifetime.
    explicit TSynLineReactions(const TSynLineReactionsContext& Context);
    ~TSynLineReactions();
    TSynLineReactions(const TSynLineReactions&) = delete;
    TSynLineReactions& operator=(const TSynLineReactions&) = delete;

private:
    void LinesChanging(TObject* Sender);
    void LinesChanged(TObject* Sender);
    void ListClearing(TObject* Sender);
    void ListCleared(TObject* Sender);
    void ListDeleted(TObject* Sender, int Index, int NumLines);
    void ListInserted(TObject* Sender, int Index, int NumLines);
    void ListPutted(TObject* Sender, int Index, int NumLines);
    void RangeNeeded(int Index) { ctx_.Ranges.MakeCurrent(Index); }
    void MaxScrollWidthCovers(int Index, int NumLines);

    TSynLineReactionsContext ctx_;
};

} // namespace marlinet::editor
