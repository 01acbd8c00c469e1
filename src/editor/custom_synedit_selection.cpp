// The caret and selection model of TCustomSynEdit.
#include <algorithm>
#include <climits>

#include "editor/custom_synedit.h"

namespace marlinet::editor {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// Bytes [From, To) of Line (0-based), cut to the line's end.
std::string_view Slice(std::string_view Line, int From, int To) {
    const int size = static_cast<int>(Line.size());
    From = std::clamp(From, 0, size);
    To = std::clamp(To, From, size);
    return Line.substr(static_cast<std::size_t>(From), static_cast<std::size_t>(To - From));
}

} // namespace

// --- Positions ----------------------------------------------------------------------

TDisplayCoord TCustomSynEdit::BufferToDisplayPos(const TBufferCoord& P) const {
    return {CharIndex2CaretPos(P.X, tabWidth_, lines_.GetView(P.Y - 1)), P.Y};
}

TBufferCoord TCustomSynEdit::DisplayToBufferPos(const TDisplayCoord& P) const {
    const std::string_view line = lines_.GetView(P.Row - 1);
    const int target = std::max(P.Column, 1) - 1; // 0-based display column
    int column = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        int next = column + 1;
        if (line[i] == '\t' && tabWidth_ > 1) next = (column / tabWidth_ + 1) * tabWidth_;
        if (target < next) return {static_cast<int>(i) + 1, P.Row};
        column = next;
    }
    return {static_cast<int>(line.size()) + 1 + (target - column), P.Row};
}

TBufferCoord TCustomSynEdit::CharIndexToRowCol(int Index) const {
    Index = std::max(Index, 0);
    long long start = 0;
    const int count = lines_.Count();
    for (int i = 0; i < count; ++i) {
        const long long next = start + static_cast<long long>(lines_.GetView(i).size()) + 2;
        if (Index < next) return {static_cast<int>(Index - start + 1), i + 1};
        start = next;
    }
    return {1, count + 1};
}

int TCustomSynEdit::RowColToCharIndex(const TBufferCoord& RowCol) const {
    const int before = std::clamp(RowCol.Y - 1, 0, lines_.Count());
    long long index = 0;
    for (int i = 0; i < before; ++i)
        index += static_cast<long long>(lines_.GetView(i).size()) + 2;
    index += RowCol.X - 1;
    return static_cast<int>(std::clamp<long long>(index, INT_MIN, INT_MAX));
}

// --- Caret ---------------------------------------------------------------------------

TBufferCoord TCustomSynEdit::ClampCaret(TBufferCoord P) const {
    P.Y = std::clamp(P.Y, 1, std::max(lines_.Count(), 1));
    const int maxX = options_.Contains(eoScrollPastEol) ? maxScrollWidth_ + 1 : LineLength(P.Y) + 1;
    P.X = std::clamp(P.X, 1, maxX);
    return P;
}

void TCustomSynEdit::SetCaretXY(const TBufferCoord& Value) {
    const TBufferCoord p = ClampCaret(Value);
    TSynStatusChanges changes;
    if (p.X != caret_.X) changes.Include(scCaretX);
    if (p.Y != caret_.Y) changes.Include(scCaretY);
    const int oldLine = caret_.Y;
    caret_ = p;
    UpdateLastCaretX();
    if (changes.Empty()) return;
    if (activeLineColor_ != clNone && oldLine != caret_.Y) {
        InvalidateLine(oldLine);
        InvalidateLine(caret_.Y);
    }
    UpdateCaret();
    StatusChanged(changes);
}

// --- Selection -------------------------------------------------------------------------

TBufferCoord TCustomSynEdit::ClampBlockEnd(TBufferCoord P) const {
    P.Y = std::clamp(P.Y, 1, std::max(lines_.Count(), 1));
    int maxX = maxScrollWidth_ + 1;
    if (selectionMode_ == smNormal) maxX = std::min(maxX, LineLength(P.Y) + 1);
    P.X = std::clamp(P.X, 1, maxX);
    return P;
}

bool TCustomSynEdit::SelAvail() const {
    return blockBegin_.X != blockEnd_.X ||
           (blockBegin_.Y != blockEnd_.Y && activeSelectionMode_ != smColumn);
}

void TCustomSynEdit::SetBlockBegin(const TBufferCoord& Value) {
    const TSynSelectionMode oldMode = activeSelectionMode_;
    activeSelectionMode_ = selectionMode_;
    const TBufferCoord p = ClampBlockEnd(Value);
    const bool changed = p != blockBegin_ || p != blockEnd_ || oldMode != activeSelectionMode_;
    if (!changed) return;
    if (SelAvail()) InvalidateSelection();
    blockBegin_ = blockEnd_ = p;
    StatusChanged({scSelection});
}

void TCustomSynEdit::SetBlockEnd(const TBufferCoord& Value) {
    const TSynSelectionMode oldMode = activeSelectionMode_;
    activeSelectionMode_ = selectionMode_;
    const TBufferCoord p = ClampBlockEnd(Value);
    if (p == blockEnd_ && oldMode == activeSelectionMode_) return;
    const TBufferCoord old = blockEnd_;
    blockEnd_ = p;
    if (oldMode != activeSelectionMode_ || activeSelectionMode_ == smColumn) {
        // The columns of every selected line may change.
        InvalidateLines(std::min({blockBegin_.Y, old.Y, p.Y}),
                        std::max({blockBegin_.Y, old.Y, p.Y}));
    } else {
        InvalidateLines(old.Y, p.Y);
    }
    StatusChanged({scSelection});
}

void TCustomSynEdit::SetSelectionMode(TSynSelectionMode Value) {
    if (Value == selectionMode_) return;
    selectionMode_ = Value;
    activeSelectionMode_ = Value;
    InvalidateSelection();
    StatusChanged({scSelection});
}

void TCustomSynEdit::SetActiveSelectionMode(TSynSelectionMode Value) {
    if (Value == activeSelectionMode_) return;
    activeSelectionMode_ = Value;
    InvalidateSelection();
    StatusChanged({scSelection});
}

int TCustomSynEdit::SelStart() const {
    return RowColToCharIndex(std::min(blockBegin_, blockEnd_));
}

int TCustomSynEdit::SelLength() const {
    return RowColToCharIndex(std::max(blockBegin_, blockEnd_)) -
           RowColToCharIndex(std::min(blockBegin_, blockEnd_));
}

void TCustomSynEdit::SetSelStart(int Value) {
    SetCaretXY(CharIndexToRowCol(Value));
    SetBlockBegin(caret_);
}

void TCustomSynEdit::SetSelLength(int Value) {
    const long long start = RowColToCharIndex(blockBegin_);
    // A backwards count that reaches before the text stops at its start.
    const long long target = std::clamp<long long>(start + Value, 0, INT_MAX);
    SetBlockEnd(CharIndexToRowCol(static_cast<int>(target)));
    SetCaretXY(blockEnd_);
}

std::string TCustomSynEdit::GetSelText() const {
    if (!SelAvail()) return {};
    const TBufferCoord first = std::min(blockBegin_, blockEnd_);
    const TBufferCoord last = std::max(blockBegin_, blockEnd_);
    std::string text;
    switch (activeSelectionMode_) {
    case smNormal:
        if (first.Y == last.Y)
            return std::string(Slice(lines_.GetView(first.Y - 1), first.X - 1, last.X - 1));
        text = Slice(lines_.GetView(first.Y - 1), first.X - 1, INT_MAX);
        for (int y = first.Y + 1; y < last.Y; ++y) {
            text += kLineBreak;
            text += lines_.GetView(y - 1);
        }
        text += kLineBreak;
        text += Slice(lines_.GetView(last.Y - 1), 0, last.X - 1);
        break;
    case smLine:
        for (int y = first.Y; y <= last.Y; ++y) {
            text += lines_.GetView(y - 1);
            if (y < lines_.Count()) text += kLineBreak;
        }
        break;
    case smColumn: {
        // Columns are display columns, so tabs line up as they are seen.
        const int c1 = BufferToDisplayPos(blockBegin_).Column;
        const int c2 = BufferToDisplayPos(blockEnd_).Column;
        const int left = std::min(c1, c2), right = std::max(c1, c2);
        for (int y = first.Y; y <= last.Y; ++y) {
            const int from = DisplayToBufferPos({left, y}).X;
            const int to = DisplayToBufferPos({right, y}).X;
            text += Slice(lines_.GetView(y - 1), from - 1, to - 1);
            if (y < last.Y) text += kLineBreak;
        }
        break;
    }
    }
    return text;
}

} // namespace marlinet::editor
