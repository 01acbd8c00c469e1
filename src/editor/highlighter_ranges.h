// The highlighter's range at the end of every line (the scanning state the
// next line starts from), kept in the line store's records and computed
// lazily.
//
// Invariant: the stored ranges of the first valid_ lines are exactly what a
// scan from the first line gives. Later lines are brought up to date when
// their range is read (TSynEditStringList::GetRange) or a row below them is
// painted, so opening a long text scans nothing until it is shown. An edit
// inside the known part rescans from the changed line until a stored range
// comes out unchanged, as a scan of the whole text would leave it; an edit
// beyond it only waits for its turn.
#pragma once

#include <algorithm>

#include "editor/string_list.h"
#include "highlight/custom_highlighter.h"

namespace marlinet::editor {

class TSynHighlighterRanges {
public:
    explicit TSynHighlighterRanges(TSynEditStringList& Lines) : lines_(Lines) {}

    // A new highlighter, or none: every range is out of date.
    void SetHighlighter(highlight::TSynCustomHighlighter* Value);
    // The highlighter changed how it scans.
    void InvalidateAll() { valid_ = 0; }

    // Makes the ranges of lines 0..Index (0-based) current.
    void MakeCurrent(int Index);

    // Reactions to the line store; each answers the last line it rescanned,
    // or the last line of the text when lines beyond the known part may
    // have changed with it.
    void LinesInserted(int Index, int Count);
    void LinesDeleted(int Index, int Count);
    int LinesPutted(int Index, int Count);
    void Cleared() { valid_ = 0; }

    // From line Index until a stored range comes out as it was: answers the
    // last line scanned (Index itself when out of range or without a
    // highlighter).
    int ScanFrom(int Index);
    // Every line from the first, unconditionally.
    void ScanRanges();

private:
    // Scans one line; the highlighter's range must be the one before it.
    TSynEditRange ScanLine(int Index);
    void StartAt(int Index);
    // Rescans from Index (within the known part) until a stored range
    // matches; beyond the known part it stops (StopAtUnknown) or goes on.
    int Rescan(int Index, bool StopAtUnknown);
    // A scan that failed (the highlighter threw) leaves the ranges from
    // Index on unknown, to be scanned again when needed.
    template <class Scan>
    auto Guarded(int Index, Scan scan) {
        try {
            return scan();
        } catch (...) {
            valid_ = std::min(valid_, Index);
            throw;
        }
    }

    TSynEditStringList& lines_;
    highlight::TSynCustomHighlighter* highlighter_ = nullptr;
    int valid_ = 0;
};

} // namespace marlinet::editor
