// Scrolling: the top line and the first column, keeping the caret in view,
// the vertical scroll bar and its hint.
#include <algorithm>
#include <cstdint>
#include <string>

#include "editor/scroller.h"

#include "editor/caret_display.h"
#include "editor/edit_status.h"
#include "editor/viewport.h"

namespace marlinet::editor {

// --- Scrolling -------------------------------------------------------------------------

void TSynScroller::SetTopLine(int Value) {
    TSynViewport& view = ctx_.View;
    const int count = ctx_.Doc.Lines().Count();
    const int upper = ctx_.Settings.Options.Contains(eoScrollPastEof)
                          ? std::max(count, 1)
                          : std::max(count - view.LinesInWindow() + 1, 1);
    Value = std::clamp(Value, 1, upper);
    if (Value == view.TopLine()) return;
    const int delta = view.TopLine() - Value;
    view.StoreTopLine(Value);
    if (view.WindowShowing()) {
        if (std::abs(delta) < view.LinesInWindow())
            view.Window()->ScrollRect(
                0, delta * view.LineHeight(),
                {0, 0, view.Window()->ClientWidth(), view.Window()->ClientHeight()});
        else
            view.Invalidate();
    }
    UpdateScrollBars();
    ctx_.Caret.UpdateCaret();
    ctx_.Status.StatusChanged({scTopLine});
}

void TSynScroller::SetLeftChar(int Value) {
    TSynViewport& view = ctx_.View;
    const int upper = ctx_.Settings.PastEol()
                          ? ctx_.Settings.MaxScrollWidth - view.CharsInWindow() + 1
                          : ctx_.Doc.Lines().LengthOfLongestLine() - view.CharsInWindow() + 1;
    Value = std::clamp(Value, 1, std::max(upper, 1));
    if (Value == view.LeftChar()) return;
    const int delta = view.LeftChar() - Value;
    view.StoreLeftChar(Value);
    if (view.WindowShowing()) {
        const TRect textArea{view.GutterWidth() + kSynGutterMargin, 0, view.Window()->ClientWidth(),
                             view.Window()->ClientHeight()};
        if (std::abs(delta) < view.CharsInWindow())
            view.Window()->ScrollRect(delta * view.CharWidth(), 0, textArea);
        else
            view.InvalidateClientRect(textArea);
    }
    UpdateScrollBars();
    ctx_.Caret.UpdateCaret();
    ctx_.Status.StatusChanged({scLeftChar});
}

void TSynScroller::EnsureCursorPosVisibleEx(bool ForceToMiddle) {
    TSynViewport& view = ctx_.View;
    TSynPaintLock lock(ctx_.Status);
    const TDisplayCoord caret = ctx_.Doc.BufferToDisplayPos(ctx_.Doc.Caret());
    const int chars = view.CharsInWindow();
    if (caret.Column < view.LeftChar())
        SetLeftChar(caret.Column);
    else if (caret.Column >= view.LeftChar() + chars)
        SetLeftChar(caret.Column - chars + 1);
    const int rows = view.LinesInWindow();
    if (ForceToMiddle) {
        if (caret.Row < view.TopLine() || caret.Row > view.TopLine() + rows - 1)
            SetTopLine(caret.Row - (rows - 1) / 2);
    } else if (caret.Row < view.TopLine()) {
        SetTopLine(caret.Row);
    } else if (caret.Row > view.TopLine() + std::max(rows, 1) - 1) {
        SetTopLine(caret.Row - rows + 1);
    }
}

void TSynScroller::ShowLineCentred(int Line) {
    TSynViewport& view = ctx_.View;
    const int line = std::clamp(Line, 1, std::max(ctx_.Doc.Lines().Count(), 1));
    const int row = ctx_.Doc.BufferToDisplayPos({1, line}).Row;
    const int rows = std::max(view.LinesInWindow(), 1);
    if (row >= view.TopLine() && row < view.TopLine() + rows) return;
    SetTopLine(row - (rows - 1) / 2);
}

void TSynScroller::UpdateScrollBars() {
    TSynViewport& view = ctx_.View;
    if (!view.Window() || !view.Window()->HandleAllocated()) return;
    if (ctx_.Status.Locked()) {
        ctx_.Status.Flags().Include(sfScrollbarChanged);
        return;
    }
    ctx_.Status.Flags().Exclude(sfScrollbarChanged);
    TSynScrollInfo info;
    info.Visible = ctx_.Style.ScrollBars == ssVertical || ctx_.Style.ScrollBars == ssBoth;
    if (!info.Visible) {
        view.Window()->SetVerticalScrollBar(info);
        return;
    }
    const int count = ctx_.Doc.Lines().Count();
    const int rows = view.LinesInWindow();
    int max = std::max(count, 1);
    if (ctx_.Settings.Options.Contains(eoScrollPastEof)) max += rows - 1;
    info.Min = 0;
    if (count > kSynMaxScrollRange) {
        // The platform's bar holds 16 bits: scale page and position into it.
        info.Max = kSynMaxScrollRange;
        info.Page = static_cast<int>(static_cast<long long>(rows) * kSynMaxScrollRange / count);
        info.Position =
            static_cast<int>(static_cast<long long>(view.TopLine()) * kSynMaxScrollRange / count);
    } else {
        info.Max = max;
        info.Page = rows;
        info.Position = view.TopLine();
    }
    const bool allFit = count <= rows;
    if (allFit && view.TopLine() == 1) {
        info.UpArrowEnabled = info.DownArrowEnabled = false;
    } else if (allFit) {
        // Only scrolled past the end can a short text have its last line
        // at the bottom with more lines above.
        info.DownArrowEnabled = view.TopLine() + rows - 1 < count;
    }
    view.Window()->SetVerticalScrollBar(info);
}

void TSynScroller::DoScrollHint(int TopLineValue) {
    TSynViewport& view = ctx_.View;
    if (!ctx_.Settings.Options.Contains(eoShowScrollHint) || !view.Window()) return;
    std::string text;
    if (ctx_.Style.ScrollHintFormat == shfTopLineOnly) {
        text = "Top Line: " + std::to_string(TopLineValue);
    } else {
        const int last = std::min(TopLineValue + view.LinesInWindow() - 1,
                                  std::max(ctx_.Doc.Lines().Count(), 1));
        text = std::to_string(TopLineValue) + " - " + std::to_string(last);
    }
    const TSize size = view.Window()->HintExtent(text, kSynScrollHintMaxWidth);
    const int left = view.Window()->ClientWidth() - size.Width - 4;
    view.Window()->ShowHint(text, {left, 10, left + size.Width, 10 + size.Height},
                            ctx_.Style.ScrollHintColor);
}

void TSynScroller::WMVScroll(TSynScrollCode Code, int Pos) {
    TSynViewport& view = ctx_.View;
    const int count = ctx_.Doc.Lines().Count();
    const int rows = view.LinesInWindow();
    switch (Code) {
    case SB_LINEUP: SetTopLine(view.TopLine() - 1); break;
    case SB_LINEDOWN: SetTopLine(view.TopLine() + 1); break;
    case SB_PAGEUP: SetTopLine(view.TopLine() - rows); break;
    case SB_PAGEDOWN: SetTopLine(view.TopLine() + rows); break;
    case SB_TOP: SetTopLine(1); break;
    case SB_BOTTOM: SetTopLine(count); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        int line = Pos;
        if (count > kSynMaxScrollRange)
            line = static_cast<int>(static_cast<long long>(count + rows - 1) * Pos /
                                    kSynMaxScrollRange);
        SetTopLine(line);
        if (Code == SB_THUMBTRACK) DoScrollHint(view.TopLine());
        break;
    }
    case SB_ENDSCROLL:
        if (view.Window()) view.Window()->HideHint();
        break;
    }
    view.UpdateNow();
    if (ctx_.Events.OnScroll) ctx_.Events.OnScroll(ctx_.Sender, sbVertical);
}

void TSynScroller::Reclamp() {
    if (!ctx_.Settings.Options.Contains(eoScrollPastEol)) SetLeftChar(ctx_.View.LeftChar());
    if (!ctx_.Settings.Options.Contains(eoScrollPastEof)) SetTopLine(ctx_.View.TopLine());
}

} // namespace marlinet::editor
