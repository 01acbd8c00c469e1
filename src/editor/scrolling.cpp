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
    const int count = ctx_.Doc.Lines().Count();
    const int upper = ctx_.Settings.Options.Contains(eoScrollPastEof)
                          ? std::max(count, 1)
                          : std::max(count - ctx_.View.LinesInWindow() + 1, 1);
    Value = std::clamp(Value, 1, upper);
    if (Value == ctx_.View.TopLine()) return;
    const int delta = ctx_.View.TopLine() - Value;
    ctx_.View.StoreTopLine(Value);
    if (ctx_.View.WindowShowing()) {
        if (std::abs(delta) < ctx_.View.LinesInWindow())
            ctx_.View.Window()->ScrollRect(
                0, delta * ctx_.View.LineHeight(),
                {0, 0, ctx_.View.Window()->ClientWidth(), ctx_.View.Window()->ClientHeight()});
        else
            ctx_.View.Invalidate();
    }
    UpdateScrollBars();
    ctx_.Caret.UpdateCaret();
    ctx_.Status.StatusChanged({scTopLine});
}

void TSynScroller::SetLeftChar(int Value) {
    const int upper = ctx_.Settings.PastEol()
                          ? ctx_.Settings.MaxScrollWidth - ctx_.View.CharsInWindow() + 1
                          : ctx_.Doc.Lines().LengthOfLongestLine() - ctx_.View.CharsInWindow() + 1;
    Value = std::clamp(Value, 1, std::max(upper, 1));
    if (Value == ctx_.View.LeftChar()) return;
    const int delta = ctx_.View.LeftChar() - Value;
    ctx_.View.StoreLeftChar(Value);
    if (ctx_.View.WindowShowing()) {
        const TRect textArea{ctx_.View.GutterWidth() + kSynGutterMargin, 0,
                             ctx_.View.Window()->ClientWidth(), ctx_.View.Window()->ClientHeight()};
        if (std::abs(delta) < ctx_.View.CharsInWindow())
            ctx_.View.Window()->ScrollRect(delta * ctx_.View.CharWidth(), 0, textArea);
        else
            ctx_.View.InvalidateClientRect(textArea);
    }
    UpdateScrollBars();
    ctx_.Caret.UpdateCaret();
    ctx_.Status.StatusChanged({scLeftChar});
}

void TSynScroller::EnsureCursorPosVisibleEx(bool ForceToMiddle) {
    TSynPaintLock lock(ctx_.Status);
    const TDisplayCoord caret = ctx_.Doc.BufferToDisplayPos(ctx_.Doc.Caret());
    const int chars = ctx_.View.CharsInWindow();
    if (caret.Column < ctx_.View.LeftChar())
        SetLeftChar(caret.Column);
    else if (caret.Column >= ctx_.View.LeftChar() + chars)
        SetLeftChar(caret.Column - chars + 1);
    const int rows = ctx_.View.LinesInWindow();
    if (ForceToMiddle) {
        if (caret.Row < ctx_.View.TopLine() || caret.Row > ctx_.View.TopLine() + rows - 1)
            SetTopLine(caret.Row - (rows - 1) / 2);
    } else if (caret.Row < ctx_.View.TopLine()) {
        SetTopLine(caret.Row);
    } else if (caret.Row > ctx_.View.TopLine() + std::max(rows, 1) - 1) {
        SetTopLine(caret.Row - rows + 1);
    }
}

void TSynScroller::ShowLineCentred(int Line) {
    const int line = std::clamp(Line, 1, std::max(ctx_.Doc.Lines().Count(), 1));
    const int row = ctx_.Doc.BufferToDisplayPos({1, line}).Row;
    const int rows = std::max(ctx_.View.LinesInWindow(), 1);
    if (row >= ctx_.View.TopLine() && row < ctx_.View.TopLine() + rows) return;
    SetTopLine(row - (rows - 1) / 2);
}

void TSynScroller::UpdateScrollBars() {
    if (!ctx_.View.Window() || !ctx_.View.Window()->HandleAllocated()) return;
    if (ctx_.Status.Locked()) {
        ctx_.Status.Flags().Include(sfScrollbarChanged);
        return;
    }
    ctx_.Status.Flags().Exclude(sfScrollbarChanged);
    TSynScrollInfo info;
    info.Visible = ctx_.Style.ScrollBars == ssVertical || ctx_.Style.ScrollBars == ssBoth;
    if (!info.Visible) {
        ctx_.View.Window()->SetVerticalScrollBar(info);
        return;
    }
    const int count = ctx_.Doc.Lines().Count();
    const int rows = ctx_.View.LinesInWindow();
    int max = std::max(count, 1);
    if (ctx_.Settings.Options.Contains(eoScrollPastEof)) max += rows - 1;
    info.Min = 0;
    if (count > kSynMaxScrollRange) {
        // The platform's bar holds 16 bits: scale page and position into it.
        info.Max = kSynMaxScrollRange;
        info.Page = static_cast<int>(static_cast<long long>(rows) * kSynMaxScrollRange / count);
        info.Position = static_cast<int>(static_cast<long long>(ctx_.View.TopLine()) *
                                         kSynMaxScrollRange / count);
    } else {
        info.Max = max;
        info.Page = rows;
        info.Position = ctx_.View.TopLine();
    }
    const bool allFit = count <= rows;
    if (allFit && ctx_.View.TopLine() == 1) {
        info.UpArrowEnabled = info.DownArrowEnabled = false;
    } else if (allFit) {
        // Only scrolled past the end can a short text have its last line
        // at the bottom with more lines above.
        info.DownArrowEnabled = ctx_.View.TopLine() + rows - 1 < count;
    }
    ctx_.View.Window()->SetVerticalScrollBar(info);
}

void TSynScroller::DoScrollHint(int TopLineValue) {
    if (!ctx_.Settings.Options.Contains(eoShowScrollHint) || !ctx_.View.Window()) return;
    std::string text;
    if (ctx_.Style.ScrollHintFormat == shfTopLineOnly) {
        text = "Top Line: " + std::to_string(TopLineValue);
    } else {
        const int last = std::min(TopLineValue + ctx_.View.LinesInWindow() - 1,
                                  std::max(ctx_.Doc.Lines().Count(), 1));
        text = std::to_string(TopLineValue) + " - " + std::to_string(last);
    }
    const TSize size = ctx_.View.Window()->HintExtent(text, kSynScrollHintMaxWidth);
    const int left = ctx_.View.Window()->ClientWidth() - size.Width - 4;
    ctx_.View.Window()->ShowHint(text, {left, 10, left + size.Width, 10 + size.Height},
                                 ctx_.Style.ScrollHintColor);
}

void TSynScroller::WMVScroll(TSynScrollCode Code, int Pos) {
    const int count = ctx_.Doc.Lines().Count();
    const int rows = ctx_.View.LinesInWindow();
    switch (Code) {
    case SB_LINEUP: SetTopLine(ctx_.View.TopLine() - 1); break;
    case SB_LINEDOWN: SetTopLine(ctx_.View.TopLine() + 1); break;
    case SB_PAGEUP: SetTopLine(ctx_.View.TopLine() - rows); break;
    case SB_PAGEDOWN: SetTopLine(ctx_.View.TopLine() + rows); break;
    case SB_TOP: SetTopLine(1); break;
    case SB_BOTTOM: SetTopLine(count); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        int line = Pos;
        if (count > kSynMaxScrollRange)
            line = static_cast<int>(static_cast<long long>(count + rows - 1) * Pos /
                                    kSynMaxScrollRange);
        SetTopLine(line);
        if (Code == SB_THUMBTRACK) DoScrollHint(ctx_.View.TopLine());
        break;
    }
    case SB_ENDSCROLL:
        if (ctx_.View.Window()) ctx_.View.Window()->HideHint();
        break;
    }
    ctx_.View.UpdateNow();
    if (ctx_.Events.OnScroll) ctx_.Events.OnScroll(ctx_.Sender, sbVertical);
}

void TSynScroller::Reclamp() {
    if (!ctx_.Settings.Options.Contains(eoScrollPastEol)) SetLeftChar(ctx_.View.LeftChar());
    if (!ctx_.Settings.Options.Contains(eoScrollPastEof)) SetTopLine(ctx_.View.TopLine());
}

} // namespace marlinet::editor
