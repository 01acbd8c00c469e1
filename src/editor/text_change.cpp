#include "editor/text_change.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace marlinet::editor {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

std::size_t Size(int N) {
    return static_cast<std::size_t>(std::max(N, 0));
}

// Bytes [From, To) of Line (0-based), cut to the line.
std::string_view Slice(std::string_view Line, int From, int To) {
    const int size = static_cast<int>(Line.size());
    From = std::clamp(From, 0, size);
    To = std::clamp(To, From, size);
    return Line.substr(Size(From), Size(To - From));
}

// The first Chars characters of Line; with Pad, blanks make up what the line
// lacks. Blanks are only worth adding when text follows them on the line.
std::string Left(std::string_view Line, int Chars, bool Pad) {
    std::string left(Slice(Line, 0, Chars));
    if (Pad && static_cast<int>(left.size()) < Chars) left.resize(Size(Chars), ' ');
    return left;
}

std::vector<std::string_view> Pieces(std::string_view Text) {
    std::vector<std::string_view> pieces;
    SplitLines(Text, [&](std::string_view piece) { pieces.push_back(piece); });
    return pieces;
}

} // namespace

std::string_view TrimTrailing(std::string_view S) {
    while (!S.empty() && IsBlank(S.back()))
        S.remove_suffix(1);
    return S;
}

int DisplayColumnToCharIndex(std::string_view Line, int Column, int TabWidth) {
    const int target = std::max(Column, 1) - 1; // 0-based display column
    int column = 0;
    for (std::size_t i = 0; i < Line.size(); ++i) {
        int next = column + 1;
        if (Line[i] == '\t' && TabWidth > 1) next = (column / TabWidth + 1) * TabWidth;
        if (target < next) return static_cast<int>(i) + 1;
        column = next;
    }
    return static_cast<int>(Line.size()) + 1 + (target - column);
}

// --- Source --------------------------------------------------------------------------

int TSynTextChanger::Source::Count() const {
    if (!Base) return Lines.Count();
    return Lines.Count() - Base->Count + static_cast<int>(Base->Lines.size());
}

std::string_view TSynTextChanger::Source::Line(int Index) const {
    if (!Base || Index < Base->First) return Lines.GetView(Index);
    const int added = static_cast<int>(Base->Lines.size());
    if (Index < Base->First + added) return Base->Lines[Size(Index - Base->First)];
    return Lines.GetView(Index - added + Base->Count);
}

TSynLineChange TSynTextChanger::Stored(TSynLineChange Change) const {
    if (trim_) {
        for (std::string& line : Change.Lines)
            line.resize(TrimTrailing(line).size());
    }
    return Change;
}

void TSynTextChanger::ColumnRange(const Source& S, TBufferCoord A, TBufferCoord B, int& Left,
                                  int& Right) const {
    const int tabWidth = lines_.TabWidth();
    const int a = CharIndex2CaretPos(A.X, tabWidth, S.Line(A.Y - 1));
    const int b = CharIndex2CaretPos(B.X, tabWidth, S.Line(B.Y - 1));
    Left = std::min(a, b);
    Right = std::max(a, b);
}

// --- Text ------------------------------------------------------------------------------

std::string TSynTextChanger::Text(TSynSelectionMode Mode, TBufferCoord A, TBufferCoord B) const {
    return TextIn(Source{lines_}, Mode, A, B);
}

std::string TSynTextChanger::TextIn(const Source& S, TSynSelectionMode Mode, TBufferCoord A,
                                    TBufferCoord B) const {
    const TBufferCoord first = std::min(A, B), last = std::max(A, B);
    std::string text;
    switch (Mode) {
    case smNormal:
        if (first.Y == last.Y)
            return std::string(Slice(S.Line(first.Y - 1), first.X - 1, last.X - 1));
        text = Slice(S.Line(first.Y - 1), first.X - 1, INT_MAX);
        for (int y = first.Y + 1; y < last.Y; ++y) {
            text += kLineBreak;
            text += S.Line(y - 1);
        }
        text += kLineBreak;
        text += Slice(S.Line(last.Y - 1), 0, last.X - 1);
        break;
    case smLine:
        for (int y = first.Y; y <= last.Y; ++y) {
            text += S.Line(y - 1);
            if (y < S.Count()) text += kLineBreak;
        }
        break;
    case smColumn: {
        int left = 0, right = 0;
        ColumnRange(S, A, B, left, right);
        const int tabWidth = lines_.TabWidth();
        for (int y = first.Y; y <= last.Y; ++y) {
            const std::string_view line = S.Line(y - 1);
            const int from = DisplayColumnToCharIndex(line, left, tabWidth);
            const int to = DisplayColumnToCharIndex(line, right, tabWidth);
            text += Slice(line, from - 1, to - 1);
            if (y < last.Y) text += kLineBreak;
        }
        break;
    }
    }
    return text;
}

// --- Delete ----------------------------------------------------------------------------

TSynLineChange TSynTextChanger::Delete(TSynSelectionMode Mode, TBufferCoord A,
                                       TBufferCoord B) const {
    return Stored(DeleteIn(Source{lines_}, Mode, A, B));
}

TSynLineChange TSynTextChanger::DeleteIn(const Source& S, TSynSelectionMode Mode, TBufferCoord A,
                                         TBufferCoord B) const {
    const TBufferCoord first = std::min(A, B), last = std::max(A, B);
    const int count = S.Count();
    TSynLineChange change;
    if (first.Y > count || first.Y < 1) return change;
    const int lastLine = std::min(last.Y, count);
    change.First = first.Y - 1;
    switch (Mode) {
    case smNormal: {
        if (first == last) return {};
        const std::string_view right =
            last.Y <= count ? Slice(S.Line(last.Y - 1), last.X - 1, INT_MAX) : std::string_view();
        change.Count = lastLine - first.Y + 1;
        change.Lines.push_back(Left(S.Line(first.Y - 1), first.X - 1, !right.empty()) +
                               std::string(right));
        break;
    }
    case smLine:
        change.Count = lastLine - first.Y + 1;
        // The text keeps a line where its last one was.
        if (lastLine == count) change.Lines.emplace_back();
        break;
    case smColumn: {
        int left = 0, right = 0;
        ColumnRange(S, A, B, left, right);
        if (left == right) return {};
        const int tabWidth = lines_.TabWidth();
        change.Count = lastLine - first.Y + 1;
        for (int y = first.Y; y <= lastLine; ++y) {
            const std::string_view line = S.Line(y - 1);
            const int from = DisplayColumnToCharIndex(line, left, tabWidth);
            const int to = DisplayColumnToCharIndex(line, right, tabWidth);
            change.Lines.push_back(std::string(Slice(line, 0, from - 1)) +
                                   std::string(Slice(line, to - 1, INT_MAX)));
        }
        break;
    }
    }
    return change;
}

// --- Insert ----------------------------------------------------------------------------

TSynLineChange TSynTextChanger::Insert(TSynSelectionMode Mode, TBufferCoord P,
                                       std::string_view Text, TBufferCoord& End) const {
    const Source source{lines_};
    if (Mode == smColumn) return Stored(InsertColumn(source, P, Text, End));
    if (Mode == smLine) P.X = 1;
    return Stored(InsertNormal(source, P, Text, End));
}

TSynLineChange TSynTextChanger::InsertNormal(const Source& S, TBufferCoord P, std::string_view Text,
                                             TBufferCoord& End) const {
    End = P;
    if (Text.empty() || P.Y < 1) return {};
    const std::vector<std::string_view> pieces = Pieces(Text);
    const int count = S.Count();
    TSynLineChange change;
    change.First = std::min(P.Y - 1, count);
    change.Count = P.Y <= count ? 1 : 0;
    // Lines below the text up to P become empty lines.
    for (int y = count + 1; y < P.Y; ++y)
        change.Lines.emplace_back();
    const std::string_view line = S.Line(P.Y - 1);
    const std::string_view right = Slice(line, P.X - 1, INT_MAX);
    const std::size_t n = pieces.size();
    std::string last = Left(line, P.X - 1, !pieces.front().empty() || (n == 1 && !right.empty()));
    last += pieces.front();
    for (std::size_t i = 1; i < n; ++i) {
        change.Lines.push_back(std::move(last));
        last = pieces[i];
    }
    End = {static_cast<int>(last.size()) + 1, P.Y + static_cast<int>(n) - 1};
    last += right;
    change.Lines.push_back(std::move(last));
    return change;
}

TSynLineChange TSynTextChanger::InsertColumn(const Source& S, TBufferCoord P, std::string_view Text,
                                             TBufferCoord& End) const {
    End = P;
    if (Text.empty() || P.Y < 1) return {};
    std::vector<std::string_view> pieces = Pieces(Text);
    // A final line break ends the block rather than adding an empty row.
    if (pieces.size() > 1 && pieces.back().empty()) pieces.pop_back();
    const int tabWidth = lines_.TabWidth();
    const int count = S.Count();
    const int column = CharIndex2CaretPos(P.X, tabWidth, S.Line(P.Y - 1));
    TSynLineChange change;
    change.First = std::min(P.Y - 1, count);
    for (int y = count + 1; y < P.Y; ++y)
        change.Lines.emplace_back();
    int widest = 0;
    std::string last;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const int y = P.Y + static_cast<int>(i);
        if (y <= count) ++change.Count;
        const std::string_view line = S.Line(y - 1);
        const int x = DisplayColumnToCharIndex(line, column, tabWidth);
        const std::string_view right = Slice(line, x - 1, INT_MAX);
        last = Left(line, x - 1, !pieces[i].empty() || !right.empty());
        last += pieces[i];
        last += right;
        widest = std::max(widest, static_cast<int>(pieces[i].size()));
        change.Lines.push_back(last);
    }
    End = {DisplayColumnToCharIndex(last, column + widest, tabWidth),
           P.Y + static_cast<int>(pieces.size()) - 1};
    return change;
}

TSynLineChange TSynTextChanger::Replace(TSynSelectionMode Mode, TBufferCoord A, TBufferCoord B,
                                        std::string_view Text, TBufferCoord& End) const {
    return Replace(Mode, A, B, Mode, Text, End);
}

TSynLineChange TSynTextChanger::Replace(TSynSelectionMode DeleteMode, TBufferCoord A,
                                        TBufferCoord B, TSynSelectionMode InsertMode,
                                        std::string_view Text, TBufferCoord& End) const {
    // Nothing is trimmed between the two steps: what the deletion leaves at
    // the end of a line may stand before the inserted text.
    const TSynLineChange removal = DeleteIn(Source{lines_}, DeleteMode, A, B);
    const Source after{lines_, &removal};
    TBufferCoord at = InsertionPointIn(after, DeleteMode, A, B);
    if (InsertMode == smLine) at.X = 1;
    TSynLineChange insertion = InsertMode == smColumn ? InsertColumn(after, at, Text, End)
                                                      : InsertNormal(after, at, Text, End);
    return Stored(Merge(after, std::move(insertion)));
}

TBufferCoord TSynTextChanger::InsertionPoint(TSynSelectionMode Mode, TBufferCoord A,
                                             TBufferCoord B) const {
    return InsertionPointIn(Source{lines_}, Mode, A, B);
}

TBufferCoord TSynTextChanger::InsertionPointIn(const Source& S, TSynSelectionMode Mode,
                                               TBufferCoord A, TBufferCoord B) const {
    TBufferCoord at = std::min(A, B);
    if (Mode == smLine) at.X = 1;
    if (Mode == smColumn) {
        // The block's left column, on the lines as they are now, and where
        // that column falls in S's line (the lines left of it are the same).
        int left = 0, right = 0;
        ColumnRange(Source{lines_}, A, B, left, right);
        at.X = DisplayColumnToCharIndex(S.Line(at.Y - 1), left, lines_.TabWidth());
    }
    return at;
}

std::string TSynTextChanger::LinesText(int First, int Count) const {
    std::string text;
    for (int i = First; i < First + Count; ++i) {
        if (i > First) text += kLineBreak;
        text += lines_.GetView(i);
    }
    return text;
}

TSynLineChange TSynTextChanger::DeletePrefixes(int Line, std::string_view Prefixes) const {
    TSynLineChange change;
    if (Line < 1) return change;
    change.First = Line - 1;
    const std::vector<std::string_view> pieces = Pieces(Prefixes);
    for (std::size_t i = 0; i < pieces.size() && Line - 1 + static_cast<int>(i) < lines_.Count();
         ++i) {
        const std::string_view line = lines_.GetView(Line - 1 + static_cast<int>(i));
        const std::size_t cut = line.starts_with(pieces[i]) ? pieces[i].size() : 0;
        change.Lines.emplace_back(line.substr(cut));
        ++change.Count;
    }
    return Stored(std::move(change));
}

TSynLineChange TSynTextChanger::Merge(const Source& After, TSynLineChange Second) const {
    const TSynLineChange& first = *After.Base;
    if (first.Empty()) return Second;
    if (Second.Empty()) return first;
    // In the lines as the first change leaves them: the range both touch.
    const int firstEnd = first.First + static_cast<int>(first.Lines.size());
    const int from = std::min(first.First, Second.First);
    const int to = std::max(firstEnd, Second.First + Second.Count);
    TSynLineChange merged;
    merged.First = from;
    merged.Count = to - from - static_cast<int>(first.Lines.size()) + first.Count;
    for (int i = from; i < Second.First; ++i)
        merged.Lines.emplace_back(After.Line(i));
    for (std::string& line : Second.Lines)
        merged.Lines.push_back(std::move(line));
    for (int i = Second.First + Second.Count; i < to; ++i)
        merged.Lines.emplace_back(After.Line(i));
    return merged;
}

} // namespace marlinet::editor
