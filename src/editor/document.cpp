#include "editor/document.h"

#include "editor/text_change.h"

#include <algorithm>
#include <climits>

namespace marlinet::editor {

namespace {

// A line break counts as two characters in a flat character index.
constexpr int kLineBreakLength = 2;

} // namespace

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
