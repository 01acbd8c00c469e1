// What an edit makes of the lines it touches, worked out before anything
// changes: a deletion, an insertion or a replacement in one of the three
// selection modes becomes one TSynLineChange, which the line store carries
// out in one step (TSynEditStringList::ReplaceLines). Building a change
// never alters the lines, so a failure while building leaves the text as it
// was.
//
// Positions are 1-based TBufferCoord. A position past the end of a line
// stands for blanks up to it, and a line below the last stands for an empty
// line (an insertion there adds the lines up to it). Column-mode positions
// are turned into display columns on their own lines, so that a column
// block lines up as it is seen, tabs included.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/string_list.h"
#include "editor/types.h"

namespace marlinet::editor {

// Lines [First, First + Count) (0-based) are replaced by Lines.
struct TSynLineChange {
    int First = 0;
    int Count = 0;
    std::vector<std::string> Lines;

    bool Empty() const { return Count == 0 && Lines.empty(); }
};

// The white space of a line: a blank or a tab.
constexpr bool IsBlank(char C) {
    return C == ' ' || C == '\t';
}
// Trailing blanks and tabs removed.
std::string_view TrimTrailing(std::string_view S);
// The 1-based character of Line shown at display Column: a column inside a
// tab's cells gives that tab; columns past the end give positions past it,
// one per column.
int DisplayColumnToCharIndex(std::string_view Line, int Column, int TabWidth);

class TSynTextChanger {
public:
    // Trim: every line a change writes loses its trailing blanks and tabs
    // (once, at the end: nothing is trimmed between the steps of a Replace).
    TSynTextChanger(const TSynEditStringList& Lines, bool Trim) : lines_(Lines), trim_(Trim) {}

    // The text between A and B (either order) as a selection in Mode holds
    // it: lines joined by CR LF; in smLine each line is followed by CR LF
    // except the text's last one.
    std::string Text(TSynSelectionMode Mode, TBufferCoord A, TBufferCoord B) const;
    // Removes the text between A and B. smNormal joins the first line's text
    // before A with the last line's text from B on; smLine removes the lines
    // of A to B, emptying instead the text's last line; smColumn cuts the
    // column range out of each line.
    TSynLineChange Delete(TSynSelectionMode Mode, TBufferCoord A, TBufferCoord B) const;
    // Inserts Text at P (smLine: in front of line P.Y, so complete lines go
    // above it). CR, LF and CR LF each break a line once. End receives the
    // position after the inserted text: the column after its last character
    // on its last line; in smColumn the column after its widest piece.
    TSynLineChange Insert(TSynSelectionMode Mode, TBufferCoord P, std::string_view Text,
                          TBufferCoord& End) const;
    // Delete, then Insert where the deleted text began, as one change.
    TSynLineChange Replace(TSynSelectionMode Mode, TBufferCoord A, TBufferCoord B,
                           std::string_view Text, TBufferCoord& End) const;
    // The same with the text inserted in another mode.
    TSynLineChange Replace(TSynSelectionMode DeleteMode, TBufferCoord A, TBufferCoord B,
                           TSynSelectionMode InsertMode, std::string_view Text,
                           TBufferCoord& End) const;
    // Where a deletion between A and B leaves the point to insert at: the
    // first position; column 1 in smLine; the block's left column in smColumn.
    TBufferCoord InsertionPoint(TSynSelectionMode Mode, TBufferCoord A, TBufferCoord B) const;
    // Lines [First, First + Count) (0-based) joined by CR LF.
    std::string LinesText(int First, int Count) const;

    // Takes off the start of each line from Line (1-based) on the matching
    // line of Prefixes (CR LF-separated), where the line begins with it.
    TSynLineChange DeletePrefixes(int Line, std::string_view Prefixes) const;

private:
    // The lines as they are, or as they would be after Base.
    struct Source {
        const TSynEditStringList& Lines;
        const TSynLineChange* Base = nullptr;
        int Count() const;
        std::string_view Line(int Index) const; // 0-based; empty out of range
    };

    std::string TextIn(const Source& S, TSynSelectionMode Mode, TBufferCoord A,
                       TBufferCoord B) const;
    TSynLineChange DeleteIn(const Source& S, TSynSelectionMode Mode, TBufferCoord A,
                            TBufferCoord B) const;
    TSynLineChange InsertNormal(const Source& S, TBufferCoord P, std::string_view Text,
                                TBufferCoord& End) const;
    TSynLineChange InsertColumn(const Source& S, TBufferCoord P, std::string_view Text,
                                TBufferCoord& End) const;
    // InsertionPoint, with the column's character looked up in S's lines.
    TBufferCoord InsertionPointIn(const Source& S, TSynSelectionMode Mode, TBufferCoord A,
                                  TBufferCoord B) const;
    // The display columns of a column block between A and B.
    void ColumnRange(const Source& S, TBufferCoord A, TBufferCoord B, int& Left, int& Right) const;
    // The change as the lines store it (trimmed when asked to trim).
    TSynLineChange Stored(TSynLineChange Change) const;
    // One change doing After's base change and then Second, which was built
    // on the lines as that base change leaves them.
    TSynLineChange Merge(const Source& After, TSynLineChange Second) const;

    const TSynEditStringList& lines_;
    bool trim_;
};

} // namespace marlinet::editor
