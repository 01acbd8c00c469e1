#include "editor/document.h"

#include <algorithm>
#include <climits>

namespace marlinet::editor {

namespace {

constexpr std::string_view kLineBreak = "\r\n";
// A line break counts as two characters in a flat character index.
constexpr int kLineBreakLength = 2;

// Bytes [From, To) of Line (0-based), cut to the line's end.
std::string_view Slice(std::string_view Line, int From, int To) {
    const int size = static_cast<int>(Line.size());
    From = std::clamp(From, 0, size);
    To = std::clamp(To, From, size);
    return Line.substr(static_cast<std::size_t>(From), static_cast<std::size_t>(To - From));
}

} // namespace

TDisplayCoord TSynDocument::BufferToDisplayPos(const TBufferCoord& P) const {
    return {CharIndex2CaretPos(P.X, lines_.TabWidth(), lines_.GetView(P.Y - 1)), P.Y};
}

TBufferCoord TSynDocument::DisplayToBufferPos(const TDisplayCoord& P) const {
    const std::string_view line = lines_.GetView(P.Row - 1);
    const int tabWidth = lines_.TabWidth();
    const int target = std::max(P.Column, 1) - 1; // 0-based display column
    int column = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        int next = column + 1;
        if (line[i] == '\t' && tabWidth > 1) next = (column / tabWidth + 1) * tabWidth;
        if (target < next) return {static_cast<int>(i) + 1, P.Row};
        column = next;
    }
    return {static_cast<int>(line.size()) + 1 + (target - column), P.Row};
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
    const TBufferCoord first = SelectionFirst(), last = SelectionLast();
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
