// Where things are on screen: cells and pixels, scrolling, the scroll bar and
// its hint, the mouse wheel and the caret.
#include <algorithm>
#include <cstdint>
#include <string>

#include "editor/custom_synedit.h"

namespace marlinet::editor {

int TCustomSynEdit::LinesInWindow() const {
    if (!window_ || lineHeight_ <= 0) return 0;
    return std::max(window_->ClientHeight(), 0) / lineHeight_;
}

int TCustomSynEdit::CharsInWindow() const {
    if (!window_ || charWidth_ <= 0) return 0;
    return std::max(window_->ClientWidth() - gutterWidth_ - 2, 0) / charWidth_;
}

// --- Coordinates -------------------------------------------------------------------

TPoint TCustomSynEdit::RowColumnToPixels(const TDisplayCoord& RowCol) const {
    return {(RowCol.Column - 1) * charWidth_ + TextOffset(), (RowCol.Row - topLine_) * lineHeight_};
}

TDisplayCoord TCustomSynEdit::PixelsToRowColumn(int X, int Y) const {
    if (charWidth_ <= 0 || lineHeight_ <= 0) return {1, 1};
    return {std::max(1, (X - gutterWidth_ - 2) / charWidth_ + leftChar_),
            std::max(1, Y / lineHeight_ + topLine_)};
}

TDisplayCoord TCustomSynEdit::PixelsToNearestRowColumn(int X, int Y) const {
    if (charWidth_ <= 0 || lineHeight_ <= 0) return {1, 1};
    const int lastVisibleY = std::max(LinesInWindow() * lineHeight_ - 1, 0);
    Y = std::min(Y, lastVisibleY);
    // Half a cell either side of a boundary belongs to it.
    const int f = (X - gutterWidth_ - 2) + charWidth_ / 2;
    const int column = f < 0 ? 1 : f / charWidth_ + leftChar_;
    return {std::max(1, column), std::max(1, Y / lineHeight_ + topLine_)};
}

// --- Scrolling -------------------------------------------------------------------------

void TCustomSynEdit::SetTopLine(int Value) {
    const int count = lines_.Count();
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
                          : lines_.LengthOfLongestLine() - CharsInWindow() + 1;
    Value = std::clamp(Value, 1, std::max(upper, 1));
    if (Value == leftChar_) return;
    const int delta = leftChar_ - Value;
    leftChar_ = Value;
    if (WindowShowing()) {
        const TRect textArea{gutterWidth_ + 2, 0, window_->ClientWidth(), window_->ClientHeight()};
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
    IncPaintLock();
    struct Unlock {
        TCustomSynEdit& edit;
        ~Unlock() { edit.DecPaintLock(); }
    } unlock{*this};
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

void TCustomSynEdit::UpdateScrollBars() {
    if (!window_ || !window_->HandleAllocated()) return;
    if (paintLock_ > 0) {
        stateFlags_.Include(sfScrollbarChanged);
        return;
    }
    stateFlags_.Exclude(sfScrollbarChanged);
    TSynScrollInfo info;
    info.Visible = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
    if (!info.Visible) {
        window_->SetVerticalScrollBar(info);
        return;
    }
    const int count = lines_.Count();
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
    if (scrollHintFormat_ == shfTopLineOnly) {
        text = "Top Line: " + std::to_string(TopLineValue);
    } else {
        const int last = std::min(TopLineValue + LinesInWindow() - 1, std::max(lines_.Count(), 1));
        text = std::to_string(TopLineValue) + " - " + std::to_string(last);
    }
    const TSize size = window_->HintExtent(text, kScrollHintMaxWidth);
    const int left = window_->ClientWidth() - size.Width - 4;
    window_->ShowHint(text, {left, 10, left + size.Width, 10 + size.Height}, scrollHintColor_);
}

void TCustomSynEdit::WMVScroll(TSynScrollCode Code, int Pos) {
    const int count = lines_.Count();
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

void TCustomSynEdit::MouseWheel(int WheelDelta, TShiftState Shift) {
    const int rows = LinesInWindow();
    wheelAccumulator_ += WheelDelta;
    const int notches = wheelAccumulator_ / kWheelDelta;
    wheelAccumulator_ %= kWheelDelta;
    if (notches == 0 || !window_) return;
    int perNotch = Shift.Contains(ssCtrl) ? rows : window_->WheelScrollLines();
    perNotch = std::min(perNotch, rows);
    SetTopLine(topLine_ - notches * perNotch);
    UpdateWindowNow();
}

// --- Caret -----------------------------------------------------------------------------

void TCustomSynEdit::InitializeCaret() {
    if (!window_ || !window_->Focused() || charWidth_ <= 0) return;
    const TSynEditCaretType type = insertMode_ ? insertCaret_ : overwriteCaret_;
    int width = charWidth_, height = lineHeight_ - 2;
    caretOffset_ = {0, 0};
    switch (type) {
    case ctVerticalLine:
        width = 2;
        caretOffset_ = {-1, 0};
        break;
    case ctHorizontalLine:
        height = 2;
        caretOffset_ = {0, lineHeight_ - 2};
        break;
    case ctHalfBlock:
        height = (lineHeight_ - 2) / 2;
        caretOffset_ = {0, height};
        break;
    case ctBlock: break;
    }
    stateFlags_.Exclude(sfCaretVisible);
    window_->CreateCaret(width, std::max(height, 1));
    UpdateCaret();
}

void TCustomSynEdit::UpdateCaret() {
    if (paintLock_ > 0 || !window_ || !window_->Focused()) {
        stateFlags_.Include(sfCaretChanged);
        return;
    }
    stateFlags_.Exclude(sfCaretChanged);
    const TPoint p = RowColumnToPixels(DisplayXY());
    const int x = p.X + caretOffset_.X;
    const int y = p.Y + caretOffset_.Y + 1;
    if (x >= gutterWidth_ && x < window_->ClientWidth() && y >= 0 && y < window_->ClientHeight()) {
        window_->SetCaretPos(x, y);
        ShowCaret();
    } else {
        HideCaret();
    }
}

void TCustomSynEdit::HideCaret() {
    if (!stateFlags_.Contains(sfCaretVisible)) return;
    stateFlags_.Exclude(sfCaretVisible);
    if (window_) window_->HideCaret();
}

void TCustomSynEdit::ShowCaret() {
    if (stateFlags_.Contains(sfCaretVisible) || !window_) return;
    stateFlags_.Include(sfCaretVisible);
    window_->ShowCaret();
}

void TCustomSynEdit::FocusIn() {
    InitializeCaret();
    if (hideSelection_ && SelAvail()) InvalidateSelection();
}

void TCustomSynEdit::FocusOut() {
    HideCaret();
    if (window_) window_->DestroyCaret();
    if (hideSelection_ && SelAvail()) InvalidateSelection();
}

} // namespace marlinet::editor
