// TSynMarkerSet: what the gutter shows on the lines of a text: bookmarks 0
// to 9, breakpoints, the execution point, the error line, and marks of the
// front end's own. The document owns one beside its lines.
//
// Invariant: every marker sits on a line of the text, 1 <= Line <= line
// count, and follows that line. The editor passes the line store's
// structural events on (LinesInserted, LinesDeleted, LinesClearing,
// LinesChanged), so a marker moves with its line whatever changed the text:
// typing, joins and splits, block edits, paste, drop, undo and redo, or the
// line store's own Insert and Delete. A marker whose line is deleted is
// dropped. A whole-text reload (Clear or a load, then the new lines, within
// one update bracket) keeps each marker whose line comes back at the same
// place with the same text, so saving and reloading the text loses nothing.
//
// Lines are 1-based throughout. Listeners hear every change, moves by edits
// included (a move of one line to another may come as two reports); a
// listener called while the lines are changing must not change them. Only
// the thread that owns the editor uses the set: a run works on a copy of
// Breakpoints().
#pragma once

#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/events.h"
#include "editor/types.h"

namespace marlinet::editor {

class TSynEditStringList;

inline constexpr int kBookmarkCount = 10;

// A mark in the gutter: a bookmark (numbers 0..9) or another mark with an
// image of the front end's.
struct TSynEditMark {
    int Line = 1;
    int Char = 1;
    int ImageIndex = 0;
    int BookmarkNumber = -1; // -1: not a bookmark
    bool Visible = true;

    bool IsBookmark() const { return BookmarkNumber >= 0; }
    bool operator==(const TSynEditMark&) const = default;
};

struct TSynBreakpoint {
    int Line = 1;
    bool Enabled = true;
    // An expression the run evaluates at the line; empty: always true.
    std::string Condition;
    // Pause on the HitCount-th arrival only; 0: on every arrival.
    int HitCount = 0;

    bool operator==(const TSynBreakpoint&) const = default;
};

enum TSynMarkerKind : std::uint8_t {
    mkBookmark,
    mkBreakpoint,
    mkExecutionPoint,
    mkErrorLine,
    mkMark // a front-end mark that is not a bookmark
};
using TSynMarkerKinds = EnumSet<TSynMarkerKind>;

// Markers of Kinds changed (set, cleared, altered or moved) on lines
// FirstLine..LastLine; LastLine is INT_MAX when every line from FirstLine
// on may be affected, as when lines were inserted or deleted.
using TSynMarkerChangeEvent =
    TMethod<void(TObject* Sender, TSynMarkerKinds Kinds, int FirstLine, int LastLine)>;

class TSynMarkerSet : public TObject {
public:
    explicit TSynMarkerSet(const TSynEditStringList& Lines) : lines_(Lines) {}
    TSynMarkerSet(const TSynMarkerSet&) = delete;
    TSynMarkerSet& operator=(const TSynMarkerSet&) = delete;

    void AddChangeListener(const TSynMarkerChangeEvent& Listener) { listeners_.Add(Listener); }
    void RemoveChangeListener(const TSynMarkerChangeEvent& Listener) {
        listeners_.Remove(Listener);
    }

    // --- Breakpoints ----------------------------------------------------------
    // Ordered by line, at most one per line.
    const std::vector<TSynBreakpoint>& Breakpoints() const { return state_.Breakpoints; }
    // Null when the line has none.
    const TSynBreakpoint* BreakpointAt(int Line) const;
    // Adds Value, or replaces the one on its line. False (nothing changes)
    // when its line is not in the text.
    bool SetBreakpoint(const TSynBreakpoint& Value);
    // Adds an enabled breakpoint without condition or hit count, or removes
    // the one there. Answers whether the line has one now.
    bool ToggleBreakpoint(int Line);
    // False when the line had none.
    bool DeleteBreakpoint(int Line);
    // Each false when the line has no breakpoint. A negative hit count is 0.
    bool SetBreakpointEnabled(int Line, bool Enabled);
    bool SetBreakpointCondition(int Line, const std::string& Condition);
    bool SetBreakpointHitCount(int Line, int HitCount);
    // Replaces every breakpoint (to restore a saved set): those on lines not
    // in the text are left out; of two on one line the later wins.
    void SetBreakpoints(std::vector<TSynBreakpoint> Values);
    void ClearBreakpoints();

    // --- Execution point and error line (0: none) -------------------------------
    int ExecutionLine() const { return state_.ExecutionLine; }
    // A line not in the text (0 among them) clears the marker.
    void SetExecutionLine(int Line);
    int ErrorLine() const { return state_.ErrorLine; }
    void SetErrorLine(int Line);

    // --- Bookmarks and marks ------------------------------------------------------
    // Bookmarks and the front end's marks, in the order they were set.
    const std::vector<TSynEditMark>& Marks() const { return state_.Marks; }
    // Puts bookmark Number (0..9) at At, moving it from where it was. False
    // (nothing changes) for another number or a line not in the text.
    bool SetBookmark(int Number, const TBufferCoord& At);
    // False when the bookmark is not set.
    bool ClearBookmark(int Number);
    bool GetBookmark(int Number, TBufferCoord& At) const;
    bool GetBookmark(int Number, int& X, int& Y) const;
    // The bookmark key: clears bookmark Number when it is on At's line, else
    // puts it at At. Answers whether it is set now.
    bool ToggleBookmark(int Number, const TBufferCoord& At);
    // A mark that is not a bookmark (its BookmarkNumber is ignored); false
    // when its line is not in the text.
    bool AddMark(const TSynEditMark& Mark);
    // Every bookmark and mark.
    void ClearMarks();

    // Whether a line shows both a mark (bookmark or other) and a breakpoint,
    // the execution point or the error line: the gutter then needs room for
    // two glyphs side by side.
    bool MarksShareALineWithDebugMarkers() const;

    // --- The line store's events, passed on by the editor (0-based indices) ---
    void LinesInserted(int Index, int Count);
    void LinesDeleted(int Index, int Count);
    // Before Clear or a load removes every line, while they can be read.
    void LinesClearing();
    // The outermost update bracket closed.
    void LinesChanged();

private:
    // Everything the set holds, as one value a reload can put aside.
    struct State {
        std::vector<TSynBreakpoint> Breakpoints;
        std::vector<TSynEditMark> Marks;
        int ExecutionLine = 0;
        int ErrorLine = 0;
        bool Empty() const {
            return Breakpoints.empty() && Marks.empty() && ExecutionLine == 0 && ErrorLine == 0;
        }
        bool operator==(const State&) const = default;
    };
    // A reload in progress: the markers it removed and the text of their lines.
    struct Reload {
        State Markers;
        std::vector<std::pair<int, std::string>> LineTexts; // ordered by line
    };

    bool HasLine(int Line) const;
    // The first breakpoint at or after Line.
    std::vector<TSynBreakpoint>::iterator LowerBound(int Line);
    TSynBreakpoint* BreakpointOn(int Line);
    std::vector<TSynEditMark>::iterator FindBookmark(int Number);
    // Applies Change to the breakpoint on Line and reports it when it
    // changed anything; false when the line has none.
    template <class F>
    bool AlterBreakpoint(int Line, F Change);
    void SetSingleLine(int& Field, int Line, TSynMarkerKind Kind);
    void Changed(TSynMarkerKinds Kinds, int FirstLine, int LastLine);
    // Moves every marker on a line after Index (0-based) by Delta lines and
    // drops those on lines Index + 1 .. Index + Dropped; answers the kinds
    // that moved or went.
    TSynMarkerKinds Shift(int Index, int Dropped, int Delta);
    // The markers of the reload whose lines came back unchanged.
    State Kept(const Reload& From) const;

    const TSynEditStringList& lines_;
    State state_;
    std::optional<Reload> reload_;
    TMethodList<TSynMarkerChangeEvent> listeners_;
};

} // namespace marlinet::editor
