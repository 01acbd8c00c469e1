// Scrolling: the top line and the first column, keeping the caret in view,
// the vertical scroll bar and its hint.
#include <algorithm>
#include <cstdint>
#include <string>

#include "editor/custom_synedit.h"

namespace marlinet::editor {

// --- Scrolling -------------------------------------------------------------------------

void TCustomSynEdit::SetTopLine(int Value) {
    const int count = Lines().Count();
    const int upper = options_.Contains(eoScrollPastEof) ? std::max(count, 1)
                                                         : std::max(count - LinesInWindow() + 1, 1);
    Value = std::clamp(Value, 1, upper);
    if (Value == topLine_) return;
    const int delta = topLine_ - Value;
    topLine_ = Value;
    if (WindowShowing()) {
        if (std::abs(delta) < LinesInWindow())
            window_->ScrollRect(0, delta * lineHeight_,
                                {0, 0, window_->ClientWidth(), window_->ClientHeight()});
        else
            Invalidate();
    }
    UpdateScrollBars();
    UpdateCaret();
    StatusChanged({scTopLine});
}

void TCustomSynEdit::SetLeftChar(int Value) {
    const int upper = options_.Contains(eoScrollPastEol)
                          ? maxScrollWidth_ - CharsInWindow() + 1
                          : Lines().LengthOfLongestLine() - CharsInWindow() + 1;
    Value = std::clamp(Value, 1, std::max(upper, 1));
    if (Value == leftChar_) return;
    const int delta = leftChar_ - Value;
    leftChar_ = Value;
    if (WindowShowing()) {
        const TRect textArea{gutterWidth_ + kGutterMargin, 0, window_->ClientWidth(),
                             window_->ClientHeight()};
        if (std::abs(delta) < CharsInWindow())
            window_->ScrollRect(delta * charWidth_, 0, textArea);
        else
            InvalidateClientRect(textArea);
    }
    UpdateScrollBars();
    UpdateCaret();
    StatusChanged({scLeftChar});
}

void TCustomSynEdit::EnsureCursorPosVisibleEx(bool ForceToMiddle) {
    TSynPaintLock lock(*this);
    const TDisplayCoord caret = DisplayXY();
    const int chars = CharsInWindow();
    if (caret.Column < leftChar_)
        SetLeftChar(caret.Column);
    else if (caret.Column >= leftChar_ + chars)
        SetLeftChar(caret.Column - chars + 1);
    const int rows = LinesInWindow();
    if (ForceToMiddle) {
        if (caret.Row < topLine_ || caret.Row > topLine_ + rows - 1)
            SetTopLine(caret.Row - (rows - 1) / 2);
    } else if (caret.Row < topLine_) {
        SetTopLine(caret.Row);
    } else if (caret.Row > topLine_ + std::max(rows, 1) - 1) {
        SetTopLine(caret.Row - rows + 1);
    }
}

void TCustomSynEdit::ShowLineCentred(int Line) {
    const int line = std::clamp(Line, 1, std::max(Lines().Count(), 1));
    const int row = BufferToDisplayPos({1, line}).Row;
    const int rows = std::max(LinesInWindow(), 1);
    if (row >= topLine_ && row < topLine_ + rows) return;
    SetTopLine(row - (rows - 1) / 2);
}

void TCustomSynEdit::UpdateScrollBars() {
    if (!window_ || !window_->HandleAllocated()) return;
    if (paintLock_ > 0) {
        stateFlags_.Include(sfScrollbarChanged);
        return;
    }
    stateFlags_.Exclude(sfScrollbarChanged);
    TSynScrollInfo info;
    info.Visible = style_.ScrollBars == ssVertical || style_.ScrollBars == ssBoth;
    if (!info.Visible) {
        window_->SetVerticalScrollBar(info);
        return;
    }
    const int count = Lines().Count();
    const int rows = LinesInWindow();
    int max = std::max(count, 1);
    if (options_.Contains(eoScrollPastEof)) max += rows - 1;
    info.Min = 0;
    if (count > kMaxScrollRange) {
        // The platform's bar holds 16 bits: scale page and position into it.
        info.Max = kMaxScrollRange;
        info.Page = static_cast<int>(static_cast<long long>(rows) * kMaxScrollRange / count);
        info.Position =
            static_cast<int>(static_cast<long long>(topLine_) * kMaxScrollRange / count);
    } else {
        info.Max = max;
        info.Page = rows;
        info.Position = topLine_;
    }
    const bool allFit = count <= rows;
    if (allFit && topLine_ == 1) {
        info.UpArrowEnabled = info.DownArrowEnabled = false;
    } else if (allFit) {
        // Only scrolled past the end can a short text have its last line
        // at the bottom with more lines above.
        info.DownArrowEnabled = topLine_ + rows - 1 < count;
    }
    window_->SetVerticalScrollBar(info);
}

void TCustomSynEdit::DoScrollHint(int TopLineValue) {
    if (!options_.Contains(eoShowScrollHint) || !window_) return;
    std::string text;
    if (style_.ScrollHintFormat == shfTopLineOnly) {
        text = "Top Line: " + std::to_string(TopLineValue);
    } else {
        const int last = std::min(TopLineValue + LinesInWindow() - 1, std::max(Lines().Count(), 1));
        text = std::to_string(TopLineValue) + " - " + std::to_string(last);
    }
    const TSize size = window_->HintExtent(text, kScrollHintMaxWidth);
    const int left = window_->ClientWidth() - size.Width - 4;
    window_->ShowHint(text, {left, 10, left + size.Width, 10 + size.Height},
                      style_.ScrollHintColor);
}

void TCustomSynEdit::WMVScroll(TSynScrollCode Code, int Pos) {
    const int count = Lines().Count();
    const int rows = LinesInWindow();
    switch (Code) {
    case SB_LINEUP: SetTopLine(topLine_ - 1); break;
    case SB_LINEDOWN: SetTopLine(topLine_ + 1); break;
    case SB_PAGEUP: SetTopLine(topLine_ - rows); break;
    case SB_PAGEDOWN: SetTopLine(topLine_ + rows); break;
    case SB_TOP: SetTopLine(1); break;
    case SB_BOTTOM: SetTopLine(count); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        int line = Pos;
        if (count > kMaxScrollRange)
            line =
                static_cast<int>(static_cast<long long>(count + rows - 1) * Pos / kMaxScrollRange);
        SetTopLine(line);
        if (Code == SB_THUMBTRACK) DoScrollHint(topLine_);
        break;
    }
    case SB_ENDSCROLL:
        if (window_) window_->HideHint();
        break;
    }
    UpdateWindowNow();
    if (OnScroll) OnScroll(this, sbVertical);
}

void TCustomSynEdit::UpdateWindowNow() {
    if (WindowShowing()) window_->Update();
}

} // namespace marlinet::editor
