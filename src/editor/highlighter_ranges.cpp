#include "editor/highlighter_ranges.h"

#include <algorithm>

namespace marlinet::editor {

void TSynHighlighterRanges::SetHighlighter(highlight::TSynCustomHighlighter* Value) {
    highlighter_ = Value;
    valid_ = 0;
}

TSynEditRange TSynHighlighterRanges::ScanLine(int Index) {
    highlighter_->SetLine(lines_.GetRef(Index), Index);
    highlighter_->NextToEol();
    return highlighter_->GetRange();
}

void TSynHighlighterRanges::StartAt(int Index) {
    if (Index == 0)
        highlighter_->ResetRange();
    else
        highlighter_->SetRange(lines_.StoredRange(Index - 1));
}

void TSynHighlighterRanges::MakeCurrent(int Index) {
    Index = std::min(Index, lines_.Count() - 1);
    if (!highlighter_ || Index < valid_) return;
    if (highlighter_->ScansLinesIndependently()) {
        // Every line ends in the range every line starts from.
        highlighter_->ResetRange();
        const TSynEditRange range = highlighter_->GetRange();
        for (int i = valid_; i <= Index; ++i)
            lines_.StoreRange(i, range);
    } else {
        StartAt(valid_);
        for (int i = valid_; i <= Index; ++i)
            lines_.StoreRange(i, ScanLine(i));
    }
    valid_ = Index + 1;
}

int TSynHighlighterRanges::Rescan(int Index, bool StopAtUnknown) {
    const int last = lines_.Count() - 1;
    StartAt(Index);
    for (int i = Index;; ++i) {
        const TSynEditRange range = ScanLine(i);
        if (i >= valid_) {
            lines_.PutRange(i, range);
            valid_ = i + 1;
            if (StopAtUnknown) return last; // what follows was never known
        } else {
            if (range == lines_.StoredRange(i)) return i;
            lines_.PutRange(i, range);
        }
        if (i == last) return i;
    }
}

void TSynHighlighterRanges::LinesInserted(int Index, int Count) {
    if (!highlighter_ || Index >= valid_) return;
    // The known lines after the insertion moved down; the new ones are
    // scanned now, and so is what follows until a range matches again.
    valid_ += Count;
    Guarded(Index, [&] {
        int c = Index;
        do {
            c = Rescan(c, true) + 1;
        } while (c < Index + Count);
    });
}

void TSynHighlighterRanges::LinesDeleted(int Index, int Count) {
    if (!highlighter_ || Index >= valid_) return;
    valid_ = std::max(Index, valid_ - Count);
    const int first = std::min(Index, lines_.Count() - 1);
    if (first >= 0 && first < valid_) Guarded(first, [&] { return Rescan(first, true); });
}

int TSynHighlighterRanges::LinesPutted(int Index, int Count) {
    const int lastPut = Index + std::max(Count, 1) - 1;
    if (!highlighter_ || Index >= valid_) return lastPut;
    // Every replaced line is scanned, then what follows until a range
    // comes out as it was.
    return Guarded(Index, [&] {
        int last = Index - 1;
        while (last < lastPut && last + 1 < valid_)
            last = Rescan(last + 1, true);
        return std::max(last, lastPut);
    });
}

int TSynHighlighterRanges::ScanFrom(int Index) {
    if (!highlighter_ || Index < 0 || Index >= lines_.Count()) return Index;
    MakeCurrent(Index - 1);
    return Rescan(Index, false);
}

void TSynHighlighterRanges::ScanRanges() {
    if (!highlighter_) return;
    highlighter_->ResetRange();
    const int count = lines_.Count();
    for (int i = 0; i < count; ++i)
        lines_.PutRange(i, ScanLine(i));
    valid_ = count;
}

} // namespace marlinet::editor
