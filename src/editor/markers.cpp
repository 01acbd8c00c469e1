#include "editor/markers.h"

#include <algorithm>

#include "editor/string_list.h"

namespace marlinet::editor {

namespace {

template <class Breakpoints>
auto LowerBoundIn(Breakpoints& List, int Line) {
    return std::lower_bound(List.begin(), List.end(), Line,
                            [](const TSynBreakpoint& B, int L) { return B.Line < L; });
}

template <class Marks>
auto FindBookmarkIn(Marks& List, int Number) {
    return std::find_if(List.begin(), List.end(),
                        [&](const TSynEditMark& M) { return M.BookmarkNumber == Number; });
}

bool IsBookmarkNumber(int Number) {
    return Number >= 0 && Number < kBookmarkCount;
}

// Where a marker on Line goes when Dropped lines after 0-based Index go
// and Delta lines are added there: 0 when its own line went.
int Moved(int Line, int Index, int Dropped, int Delta) {
    if (Line <= Index) return Line;
    if (Line <= Index + Dropped) return 0;
    return Line + Delta;
}

} // namespace

bool TSynMarkerSet::HasLine(int Line) const {
    return Line >= 1 && Line <= lines_.Count();
}

void TSynMarkerSet::Changed(TSynMarkerKinds Kinds, int FirstLine, int LastLine) {
    if (Kinds.Empty()) return;
    listeners_.CallInOrder(this, Kinds, FirstLine, LastLine);
}

// --- Breakpoints ----------------------------------------------------------------------

std::vector<TSynBreakpoint>::iterator TSynMarkerSet::LowerBound(int Line) {
    return LowerBoundIn(state_.Breakpoints, Line);
}

TSynBreakpoint* TSynMarkerSet::BreakpointOn(int Line) {
    const auto it = LowerBound(Line);
    return it != state_.Breakpoints.end() && it->Line == Line ? &*it : nullptr;
}

const TSynBreakpoint* TSynMarkerSet::BreakpointAt(int Line) const {
    const auto it = LowerBoundIn(state_.Breakpoints, Line);
    return it != state_.Breakpoints.end() && it->Line == Line ? &*it : nullptr;
}

bool TSynMarkerSet::SetBreakpoint(const TSynBreakpoint& Value) {
    // A copy first: Value may be one of the set's own.
    TSynBreakpoint b = Value;
    const int line = b.Line;
    if (!HasLine(line)) return false;
    b.HitCount = std::max(b.HitCount, 0);
    const auto it = LowerBound(b.Line);
    if (it != state_.Breakpoints.end() && it->Line == b.Line) {
        if (*it == b) return true;
        *it = std::move(b);
    } else {
        state_.Breakpoints.insert(it, std::move(b));
    }
    Changed({mkBreakpoint}, line, line);
    return true;
}

bool TSynMarkerSet::ToggleBreakpoint(int Line) {
    if (!HasLine(Line)) return false;
    if (DeleteBreakpoint(Line)) return false;
    TSynBreakpoint b;
    b.Line = Line;
    return SetBreakpoint(b);
}

bool TSynMarkerSet::DeleteBreakpoint(int Line) {
    const auto it = LowerBound(Line);
    if (it == state_.Breakpoints.end() || it->Line != Line) return false;
    state_.Breakpoints.erase(it);
    Changed({mkBreakpoint}, Line, Line);
    return true;
}

template <class F>
bool TSynMarkerSet::AlterBreakpoint(int Line, F Change) {
    TSynBreakpoint* b = BreakpointOn(Line);
    if (!b) return false;
    const TSynBreakpoint before = *b;
    Change(*b);
    if (!(*b == before)) Changed({mkBreakpoint}, Line, Line);
    return true;
}

bool TSynMarkerSet::SetBreakpointEnabled(int Line, bool Enabled) {
    return AlterBreakpoint(Line, [&](TSynBreakpoint& B) { B.Enabled = Enabled; });
}

bool TSynMarkerSet::SetBreakpointCondition(int Line, const std::string& Condition) {
    return AlterBreakpoint(Line, [&](TSynBreakpoint& B) { B.Condition = Condition; });
}

bool TSynMarkerSet::SetBreakpointHitCount(int Line, int HitCount) {
    return AlterBreakpoint(Line, [&](TSynBreakpoint& B) { B.HitCount = std::max(HitCount, 0); });
}

void TSynMarkerSet::SetBreakpoints(std::vector<TSynBreakpoint> Values) {
    std::erase_if(Values, [this](const TSynBreakpoint& B) { return !HasLine(B.Line); });
    std::stable_sort(
        Values.begin(), Values.end(),
        [](const TSynBreakpoint& A, const TSynBreakpoint& B) { return A.Line < B.Line; });
    // Of equal lines the later one stays: keep the last of each run.
    std::vector<TSynBreakpoint> kept;
    for (std::size_t i = 0; i < Values.size(); ++i) {
        if (i + 1 < Values.size() && Values[i + 1].Line == Values[i].Line) continue;
        kept.push_back(std::move(Values[i]));
        kept.back().HitCount = std::max(kept.back().HitCount, 0);
    }
    if (kept == state_.Breakpoints) return;
    int first = INT_MAX, last = 0;
    for (const auto* list : {&kept, &state_.Breakpoints}) {
        if (list->empty()) continue;
        first = std::min(first, list->front().Line);
        last = std::max(last, list->back().Line);
    }
    state_.Breakpoints = std::move(kept);
    Changed({mkBreakpoint}, first, last);
}

void TSynMarkerSet::ClearBreakpoints() {
    if (state_.Breakpoints.empty()) return;
    const int first = state_.Breakpoints.front().Line, last = state_.Breakpoints.back().Line;
    state_.Breakpoints.clear();
    Changed({mkBreakpoint}, first, last);
}

// --- Execution point and error line ----------------------------------------------------

void TSynMarkerSet::SetSingleLine(int& Field, int Line, TSynMarkerKind Kind) {
    if (!HasLine(Line)) Line = 0;
    if (Line == Field) return;
    const int old = Field;
    Field = Line;
    if (old != 0) Changed({Kind}, old, old);
    if (Line != 0) Changed({Kind}, Line, Line);
}

void TSynMarkerSet::SetExecutionLine(int Line) {
    SetSingleLine(state_.ExecutionLine, Line, mkExecutionPoint);
}

void TSynMarkerSet::SetErrorLine(int Line) {
    SetSingleLine(state_.ErrorLine, Line, mkErrorLine);
}

// --- Bookmarks and marks ------------------------------------------------------------

std::vector<TSynEditMark>::iterator TSynMarkerSet::FindBookmark(int Number) {
    return IsBookmarkNumber(Number) ? FindBookmarkIn(state_.Marks, Number) : state_.Marks.end();
}

bool TSynMarkerSet::SetBookmark(int Number, const TBufferCoord& At) {
    if (!IsBookmarkNumber(Number) || !HasLine(At.Y)) return false;
    const auto it = FindBookmark(Number);
    if (it != state_.Marks.end() && it->Line == At.Y && it->Char == At.X) return true;
    ClearBookmark(Number);
    state_.Marks.push_back({At.Y, At.X, Number, Number, true});
    Changed({mkBookmark}, At.Y, At.Y);
    return true;
}

bool TSynMarkerSet::ClearBookmark(int Number) {
    const auto it = FindBookmark(Number);
    if (it == state_.Marks.end()) return false;
    const int line = it->Line;
    state_.Marks.erase(it);
    Changed({mkBookmark}, line, line);
    return true;
}

bool TSynMarkerSet::GetBookmark(int Number, TBufferCoord& At) const {
    if (!IsBookmarkNumber(Number)) return false;
    const auto it = FindBookmarkIn(state_.Marks, Number);
    if (it == state_.Marks.end()) return false;
    At = {it->Char, it->Line};
    return true;
}

bool TSynMarkerSet::GetBookmark(int Number, int& X, int& Y) const {
    TBufferCoord at;
    if (!GetBookmark(Number, at)) return false;
    X = at.X;
    Y = at.Y;
    return true;
}

bool TSynMarkerSet::ToggleBookmark(int Number, const TBufferCoord& At) {
    TBufferCoord now;
    if (GetBookmark(Number, now) && now.Y == At.Y) {
        ClearBookmark(Number);
        return false;
    }
    return SetBookmark(Number, At);
}

bool TSynMarkerSet::AddMark(const TSynEditMark& Mark) {
    if (!HasLine(Mark.Line)) return false;
    TSynEditMark mark = Mark;
    mark.BookmarkNumber = -1;
    state_.Marks.push_back(mark);
    Changed({mkMark}, mark.Line, mark.Line);
    return true;
}

void TSynMarkerSet::ClearMarks() {
    if (state_.Marks.empty()) return;
    int first = INT_MAX, last = 0;
    TSynMarkerKinds kinds;
    for (const TSynEditMark& mark : state_.Marks) {
        first = std::min(first, mark.Line);
        last = std::max(last, mark.Line);
        kinds.Include(mark.IsBookmark() ? mkBookmark : mkMark);
    }
    state_.Marks.clear();
    Changed(kinds, first, last);
}

bool TSynMarkerSet::MarksShareALineWithDebugMarkers() const {
    return std::any_of(state_.Marks.begin(), state_.Marks.end(), [this](const TSynEditMark& M) {
        return M.Visible && (M.Line == state_.ExecutionLine || M.Line == state_.ErrorLine ||
                             BreakpointAt(M.Line));
    });
}

// --- Following the lines -------------------------------------------------------------

TSynMarkerKinds TSynMarkerSet::Shift(int Index, int Dropped, int Delta) {
    TSynMarkerKinds kinds;
    auto move = [&](int& Line, TSynMarkerKind Kind) {
        const int moved = Moved(Line, Index, Dropped, Delta);
        if (moved != Line) kinds.Include(Kind);
        Line = moved;
        return moved == 0;
    };
    std::erase_if(state_.Breakpoints,
                  [&](TSynBreakpoint& B) { return move(B.Line, mkBreakpoint); });
    std::erase_if(state_.Marks, [&](TSynEditMark& M) {
        return move(M.Line, M.IsBookmark() ? mkBookmark : mkMark);
    });
    move(state_.ExecutionLine, mkExecutionPoint);
    move(state_.ErrorLine, mkErrorLine);
    return kinds;
}

void TSynMarkerSet::LinesInserted(int Index, int Count) {
    if (Count <= 0 || state_.Empty()) return;
    Changed(Shift(Index, 0, Count), Index + 1, INT_MAX);
}

void TSynMarkerSet::LinesDeleted(int Index, int Count) {
    if (Count <= 0 || state_.Empty()) return;
    Changed(Shift(Index, Count, -Count), Index + 1, INT_MAX);
}

void TSynMarkerSet::LinesClearing() {
    // A second clearing within one reload: what was set on the lines in
    // between goes with them, the markers of the text before stay aside.
    if (reload_) state_ = {};
    if (state_.Empty()) return;
    Reload reload;
    std::vector<int> lines;
    for (const TSynBreakpoint& b : state_.Breakpoints)
        lines.push_back(b.Line);
    for (const TSynEditMark& m : state_.Marks)
        lines.push_back(m.Line);
    for (const int line : {state_.ExecutionLine, state_.ErrorLine})
        if (line != 0) lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    for (const int line : lines)
        reload.LineTexts.emplace_back(line, std::string(lines_.GetView(line - 1)));
    reload.Markers = std::move(state_);
    state_ = {};
    reload_ = std::move(reload);
}

TSynMarkerSet::State TSynMarkerSet::Kept(const Reload& From) const {
    auto same = [&](int Line) {
        const auto it = std::lower_bound(
            From.LineTexts.begin(), From.LineTexts.end(), Line,
            [](const std::pair<int, std::string>& P, int L) { return P.first < L; });
        return HasLine(Line) && it != From.LineTexts.end() && it->first == Line &&
               lines_.GetView(Line - 1) == it->second;
    };
    State kept;
    for (const TSynBreakpoint& b : From.Markers.Breakpoints)
        if (same(b.Line)) kept.Breakpoints.push_back(b);
    for (const TSynEditMark& m : From.Markers.Marks)
        if (same(m.Line)) kept.Marks.push_back(m);
    if (From.Markers.ExecutionLine != 0 && same(From.Markers.ExecutionLine))
        kept.ExecutionLine = From.Markers.ExecutionLine;
    if (From.Markers.ErrorLine != 0 && same(From.Markers.ErrorLine))
        kept.ErrorLine = From.Markers.ErrorLine;
    return kept;
}

void TSynMarkerSet::LinesChanged() {
    if (!reload_) return;
    const Reload reload = std::move(*reload_);
    reload_.reset();
    State kept = Kept(reload);
    if (kept == reload.Markers && state_.Empty()) {
        state_ = std::move(kept);
        return; // as it was: nothing to report
    }
    // Markers set while the lines were being reloaded stay as they were set.
    for (TSynBreakpoint& b : kept.Breakpoints)
        if (!BreakpointAt(b.Line)) state_.Breakpoints.push_back(std::move(b));
    std::sort(state_.Breakpoints.begin(), state_.Breakpoints.end(),
              [](const TSynBreakpoint& A, const TSynBreakpoint& B) { return A.Line < B.Line; });
    for (TSynEditMark& m : kept.Marks)
        if (!m.IsBookmark() || FindBookmark(m.BookmarkNumber) == state_.Marks.end())
            state_.Marks.push_back(m);
    if (state_.ExecutionLine == 0) state_.ExecutionLine = kept.ExecutionLine;
    if (state_.ErrorLine == 0) state_.ErrorLine = kept.ErrorLine;
    TSynMarkerKinds kinds;
    if (!reload.Markers.Breakpoints.empty()) kinds.Include(mkBreakpoint);
    for (const TSynEditMark& m : reload.Markers.Marks)
        kinds.Include(m.IsBookmark() ? mkBookmark : mkMark);
    if (reload.Markers.ExecutionLine != 0) kinds.Include(mkExecutionPoint);
    if (reload.Markers.ErrorLine != 0) kinds.Include(mkErrorLine);
    Changed(kinds, 1, INT_MAX);
}

} // namespace marlinet::editor
