#include "editor/line_reactions.h"

#include <algorithm>
#include <climits>

#include "editor/caret.h"
#include "editor/caret_display.h"
#include "editor/display.h"
#include "editor/edit_state.h"
#include "editor/edit_status.h"
#include "editor/scroller.h"
#include "editor/viewport.h"

namespace marlinet::editor {

using Self = TSynLineReactions;

TSynLineReactions::TSynLineReactions(const TSynLineReactionsContext& Context) : ctx_(Context) {
    TSynEditStringList& lines = ctx_.Doc.Lines();
    lines.OnChanging = TNotifyEvent::Of<&Self::LinesChanging>(this);
    lines.OnChange = TNotifyEvent::Of<&Self::LinesChanged>(this);
    lines.OnClearing = TNotifyEvent::Of<&Self::ListClearing>(this);
    lines.OnCleared = TNotifyEvent::Of<&Self::ListCleared>(this);
    lines.OnDeleted = TStringListChangeEvent::Of<&Self::ListDeleted>(this);
    lines.OnInserted = TStringListChangeEvent::Of<&Self::ListInserted>(this);
    lines.OnPutted = TStringListChangeEvent::Of<&Self::ListPutted>(this);
    lines.OnRangeNeeded = TRangeNeededEvent::Of<&Self::RangeNeeded>(this);
}

TSynLineReactions::~TSynLineReactions() {
    TSynEditStringList& lines = ctx_.Doc.Lines();
    lines.OnChanging = {};
    lines.OnChange = {};
    lines.OnClearing = {};
    lines.OnCleared = {};
    lines.OnDeleted = {};
    lines.OnInserted = {};
    lines.OnPutted = {};
    lines.OnRangeNeeded = {};
}

void TSynLineReactions::LinesChanging(TObject*) {
    ctx_.Status.Flags().Include(sfLinesChanging);
}

void TSynLineReactions::LinesChanged(TObject*) {
    ctx_.Doc.Markers().LinesChanged();
    ctx_.View.RepaintMovedLines();
    ctx_.Status.Flags().Exclude(sfLinesChanging);
    if (!ctx_.View.HandleAllocated()) {
        ctx_.View.ForgetCollected();
        return;
    }
    ctx_.Scroller.UpdateScrollBars();
    // The old selection may reach beyond the changed text: collapse it onto
    // the caret without leaving a mode that undo or paste chose.
    const TSynSelectionMode active = ctx_.Doc.ActiveSelectionMode();
    ctx_.Caret.SetBlockBegin(ctx_.Doc.Caret());
    ctx_.Doc.StoreActiveSelectionMode(active);
    ctx_.View.FlushCollected();
    ctx_.Display.AutoSizeGutter();
    if (!ctx_.Settings.Options.Contains(eoScrollPastEof))
        ctx_.Scroller.SetTopLine(ctx_.View.TopLine());
}

void TSynLineReactions::ListClearing(TObject*) {
    ctx_.Doc.Markers().LinesClearing();
}

void TSynLineReactions::ListCleared(TObject*) {
    ctx_.Ranges.Cleared();
    ctx_.State.ClearUndo();
    ctx_.View.ForgetCollected();
    ctx_.View.Invalidate();
    ctx_.Doc.StoreCaret({1, 1});
    ctx_.Doc.StoreLastCaretX(1);
    ctx_.Doc.StoreBlock({1, 1}, {1, 1});
    ctx_.View.StoreTopLine(1);
    ctx_.View.StoreLeftChar(1);
    ctx_.CaretDisplay.UpdateCaret();
    ctx_.Status.StatusChanged({scAll});
}

void TSynLineReactions::ListDeleted(TObject*, int Index, int NumLines) {
    ctx_.Doc.Markers().LinesDeleted(Index, NumLines);
    ctx_.Ranges.LinesDeleted(Index, NumLines);
    ctx_.View.RepaintFromLine(Index + 1);
}

void TSynLineReactions::ListInserted(TObject*, int Index, int NumLines) {
    ctx_.Doc.Markers().LinesInserted(Index, NumLines);
    ctx_.Ranges.LinesInserted(Index, NumLines);
    ctx_.View.RepaintFromLine(Index + 1);
    MaxScrollWidthCovers(Index, NumLines);
}

void TSynLineReactions::ListPutted(TObject*, int Index, int NumLines) {
    const int last = ctx_.Ranges.LinesPutted(Index, NumLines);
    ctx_.View.InvalidateLines(Index + 1, std::max(Index + 1, last + 1));
    MaxScrollWidthCovers(Index, NumLines);
}

void TSynLineReactions::MaxScrollWidthCovers(int Index, int NumLines) {
    if (!ctx_.Settings.Options.Contains(eoAutoSizeMaxScrollWidth)) return;
    for (int i = Index; i < Index + NumLines; ++i)
        ctx_.State.SetMaxScrollWidth(
            std::max(ctx_.Settings.MaxScrollWidth, ctx_.Doc.Lines().ExpandedStringLengths(i)));
}

} // namespace marlinet::editor
