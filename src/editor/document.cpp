#include "editor/document.h"

#include "editor/text_change.h"

#include <algorithm>
#include <climits>

namespace marlinet::editor {

namespace {

// A line break counts as two characters in a flat character index.
constexpr int kLineBreakLength = 2;

} // namespace

// --- Caret and selection rules -----------------------------------------------------

TBufferCoord TSynDocument::ClampCaret(TBufferCoord P, bool PastEol, int MaxScrollWidth) const {
    P.Y = std::clamp(P.Y, 1, RowCount());
    const int maxX = PastEol ? MaxScrollWidth + 1 : LineEndColumn(P.Y);
    P.X = std::clamp(P.X, 1, maxX);
    return P;
}

TSynStatusChanges TSynDocument::MoveCaret(const TBufferCoord& P, bool PastEol, int MaxScrollWidth) {
    const TBufferCoord p = ClampCaret(P, PastEol, MaxScrollWidth);
    TSynStatusChanges changes;
    if (p.X != caret_.X) changes.Include(scCaretX);
    if (p.Y != caret_.Y) changes.Include(scCaretY);
    caret_ = p;
    UpdateLastCaretX();
    return changes;
}

TBufferCoord TSynDocument::ClampBlockEnd(TBufferCoord P, TSynSelectionMode Mode,
                                         int MaxScrollWidth) const {
    P.Y = std::clamp(P.Y, 1, RowCount());
    int maxX = MaxScrollWidth + 1;
    if (Mode == smNormal) maxX = std::min(maxX, LineEndColumn(P.Y));
    P.X = std::clamp(P.X, 1, maxX);
    return P;
}

TSynSelectionChange TSynDocument::SetBlockBegin(const TBufferCoord& P, int MaxScrollWidth) {
    const TSynSelectionMode oldMode = activeSelectionMode_;
    activeSelectionMode_ = selectionMode_;
    const TBufferCoord p = ClampBlockEnd(P, selectionMode_, MaxScrollWidth);
    if (p == blockBegin_ && p == blockEnd_ && oldMode == activeSelectionMode_) return {};
    const TSynSelectionChange change{true, SelAvail(), blockBegin_.Y, blockEnd_.Y};
    blockBegin_ = blockEnd_ = p;
    return change;
}

TSynSelectionChange TSynDocument::SetBlockEnd(const TBufferCoord& P, int MaxScrollWidth) {
    const TSynSelectionMode oldMode = activeSelectionMode_;
    activeSelectionMode_ = selectionMode_;
    const TBufferCoord p = ClampBlockEnd(P, selectionMode_, MaxScrollWidth);
    const TBufferCoord old = blockEnd_;
    if (p == old && oldMode == activeSelectionMode_) return {};
    blockEnd_ = p;
    const int begin = blockBegin_.Y;
    if (oldMode != activeSelectionMode_ || activeSelectionMode_ == smColumn) {
        // The columns of every selected line may change.
        return {true, true, std::min({begin, old.Y, p.Y}), std::max({begin, old.Y, p.Y})};
    }
    return {true, true, old.Y, p.Y};
}

bool TSynDocument::SetSelectionMode(TSynSelectionMode Value) {
    if (Value == selectionMode_) return false;
    selectionMode_ = activeSelectionMode_ = Value;
    return true;
}

bool TSynDocument::SetActiveSelectionMode(TSynSelectionMode Value) {
    if (Value == activeSelectionMode_) return false;
    activeSelectionMode_ = Value;
    return true;
}

void TSynDocument::Select(TSynSelectionMode Mode, const TBufferCoord& From, const TBufferCoord& To,
                          int MaxScrollWidth) {
    // A normal selection may reach the end of a line longer than the caret
    // may go.
    auto clamp = [&](TBufferCoord p) {
        p.Y = std::clamp(p.Y, 1, RowCount());
        p.X = std::clamp(p.X, 1, Mode == smNormal ? LineEndColumn(p.Y) : MaxScrollWidth + 1);
        return p;
    };
    blockBegin_ = clamp(From);
    blockEnd_ = clamp(To);
    activeSelectionMode_ = Mode;
}

// --- Positions -----------------------------------------------------------------------

TDisplayCoord TSynDocument::BufferToDisplayPos(const TBufferCoord& P) const {
    return {CharIndex2CaretPos(P.X, lines_.TabWidth(), lines_.GetView(P.Y - 1)), P.Y};
}

TBufferCoord TSynDocument::DisplayToBufferPos(const TDisplayCoord& P) const {
    return {DisplayColumnToCharIndex(lines_.GetView(P.Row - 1), P.Column, lines_.TabWidth()),
            P.Row};
}

TBufferCoord TSynDocument::CharIndexToRowCol(int Index) const {
    Index = std::max(Index, 0);
    long long start = 0;
    const int count = lines_.Count();
    for (int i = 0; i < count; ++i) {
        const long long next =
            start + static_cast<long long>(lines_.GetView(i).size()) + kLineBreakLength;
        if (Index < next) return {static_cast<int>(Index - start + 1), i + 1};
        start = next;
    }
    return {1, count + 1};
}

int TSynDocument::RowColToCharIndex(const TBufferCoord& RowCol) const {
    const int before = std::clamp(RowCol.Y - 1, 0, lines_.Count());
    long long index = 0;
    for (int i = 0; i < before; ++i)
        index += static_cast<long long>(lines_.GetView(i).size()) + kLineBreakLength;
    index += RowCol.X - 1;
    return static_cast<int>(std::clamp<long long>(index, INT_MIN, INT_MAX));
}

bool TSynDocument::SelAvail() const {
    return blockBegin_.X != blockEnd_.X ||
           (blockBegin_.Y != blockEnd_.Y && activeSelectionMode_ != smColumn);
}

bool TSynDocument::InSelection(const TBufferCoord& P) const {
    const TBufferCoord first = SelectionFirst(), last = SelectionLast();
    switch (activeSelectionMode_) {
    case smNormal: return P >= first && P < last;
    case smLine: return P.Y >= first.Y && P.Y <= last.Y;
    case smColumn:
        return P.Y >= first.Y && P.Y <= last.Y && P.X >= std::min(first.X, last.X) &&
               P.X < std::max(first.X, last.X);
    }
    return false;
}

int TSynDocument::SelStart() const {
    return RowColToCharIndex(SelectionFirst());
}

int TSynDocument::SelLength() const {
    return RowColToCharIndex(SelectionLast()) - RowColToCharIndex(SelectionFirst());
}

std::string TSynDocument::GetSelText() const {
    if (!SelAvail()) return {};
    return TSynTextChanger(lines_, false).Text(activeSelectionMode_, blockBegin_, blockEnd_);
}

} // namespace marlinet::editor
