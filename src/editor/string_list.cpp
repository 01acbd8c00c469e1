#include "editor/string_list.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <ostream>

#include "editor/errors.h"
#include "editor/file_io.h"

namespace marlinet::editor {

namespace {

bool HasTab(std::string_view s) {
    return std::memchr(s.data(), '\t', s.size()) != nullptr;
}

bool ConvertTabsToOneSpace(std::string_view Line, int, std::string& Out) {
    Out.assign(Line);
    std::replace(Out.begin(), Out.end(), '\t', ' ');
    return HasTab(Line);
}

// Expands every tab to the cells CellsOf(column) gives for its 0-based column.
template <class CellsOf>
bool ExpandTabs(std::string_view Line, std::string& Out, CellsOf cellsOf) {
    Out.clear();
    if (!HasTab(Line)) {
        Out.assign(Line);
        return false;
    }
    int column = 0;
    for (char c : Line) {
        if (c == '\t') {
            const int cells = cellsOf(column);
            Out.append(static_cast<std::size_t>(cells), '\t');
            column += cells;
        } else {
            Out += c;
            ++column;
        }
    }
    return true;
}

// Only valid for widths that are powers of two.
bool ConvertTabsPowerOfTwo(std::string_view Line, int TabWidth, std::string& Out) {
    const int mask = TabWidth - 1;
    return ExpandTabs(Line, Out, [=](int column) { return TabWidth - (column & mask); });
}

bool ConvertTabsGeneral(std::string_view Line, int TabWidth, std::string& Out) {
    return ExpandTabs(Line, Out, [=](int column) { return TabWidth - column % TabWidth; });
}

std::size_t CountOf(std::string_view s, char c) {
    std::size_t n = 0;
    const char* p = s.data();
    const char* const end = p + s.size();
    while (const void* hit = std::memchr(p, c, static_cast<std::size_t>(end - p))) {
        ++n;
        p = static_cast<const char*>(hit) + 1;
    }
    return n;
}

int NextTabStop(int column, int TabWidth) {
    return (column / TabWidth + 1) * TabWidth;
}

} // namespace

std::string_view LineBreakOf(TSynEditFileFormat Format) {
    switch (Format) {
    case sffUnix: return "\n";
    case sffMac: return "\r";
    case sffDos: break;
    }
    return "\r\n";
}

TConvertTabsProc GetBestConvertTabsProc(int TabWidth) {
    if (TabWidth < 2) return &ConvertTabsToOneSpace;
    if ((TabWidth & (TabWidth - 1)) == 0) return &ConvertTabsPowerOfTwo;
    return &ConvertTabsGeneral;
}

int GetExpandedLength(std::string_view S, int TabWidth) {
    if (TabWidth <= 1) return static_cast<int>(S.size());
    int column = 0;
    for (char c : S)
        column = c == '\t' ? NextTabStop(column, TabWidth) : column + 1;
    return column;
}

int CharIndex2CaretPos(int Index, int TabWidth, std::string_view Line) {
    if (Index < 2) return 1;
    std::size_t firstTab = Line.find('\t');
    if (TabWidth <= 1 || firstTab == std::string_view::npos ||
        Index <= static_cast<int>(firstTab) + 1) {
        return Index;
    }
    int column = static_cast<int>(firstTab);
    const int before = Index - 1; // characters before the one at Index
    const int inLine = std::min(before, static_cast<int>(Line.size()));
    for (int i = column; i < inLine; ++i)
        column =
            Line[static_cast<std::size_t>(i)] == '\t' ? NextTabStop(column, TabWidth) : column + 1;
    column += before - inLine;
    return column + 1;
}

TSynEditStringList::TSynEditStringList() : convertTabs_(GetBestConvertTabsProc(kDefaultTabWidth)) {}

TSynEditStringList::~TSynEditStringList() {
    // Owners are being torn down: no notifications from here on.
    OnChanging = {};
    OnChange = {};
}

void TSynEditStringList::SetUpdateState(bool Updating) {
    const TNotifyEvent& event = Updating ? OnChanging : OnChange;
    if (event) event(this);
}

void TSynEditStringList::Fire(const TStringListChangeEvent& Event, int Index, int Count) {
    if (Event) Event(this, Index, Count);
}

void TSynEditStringList::CheckIndex(int Index, int Limit) const {
    if (Index < 0 || Index > Limit) throw ESynEditStringList(Index);
}

std::string TSynEditStringList::Get(int Index) const {
    return std::string(GetView(Index));
}

std::string_view TSynEditStringList::GetView(int Index) const {
    if (Index < 0 || Index >= GetCount()) return {};
    return records_[static_cast<std::size_t>(Index)].Text();
}

const std::string& TSynEditStringList::GetRef(int Index) const {
    static const std::string empty;
    if (Index < 0 || Index >= GetCount()) return empty;
    const auto& rec = records_[static_cast<std::size_t>(Index)];
    if (!rec.Loaded) return rec.Owned;
    refBuffer_.assign(rec.Text());
    return refBuffer_;
}

void* TSynEditStringList::GetObject(int Index) const {
    if (Index < 0 || Index >= GetCount()) return nullptr;
    return records_[static_cast<std::size_t>(Index)].Object;
}

TSynEditRange TSynEditStringList::GetRange(int Index) const {
    if (Index < 0 || Index >= GetCount()) return 0;
    if (OnRangeNeeded) OnRangeNeeded(Index);
    return records_[static_cast<std::size_t>(Index)].Range;
}

TSynEditRange TSynEditStringList::StoredRange(int Index) const {
    if (Index < 0 || Index >= GetCount()) return 0;
    return records_[static_cast<std::size_t>(Index)].Range;
}

TSynEditStringFlags TSynEditStringList::GetFlags(int Index) const {
    if (Index < 0 || Index >= GetCount()) return {};
    return records_[static_cast<std::size_t>(Index)].Flags;
}

std::string TSynEditStringList::GetTextStr() const {
    std::size_t size = records_.empty() ? 0 : 2 * (records_.size() - 1);
    for (const auto& rec : records_)
        size += rec.Text().size();
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += records_[i].Text();
    }
    return text;
}

void TSynEditStringList::SetCapacity(int NewCapacity) {
    if (NewCapacity < GetCount())
        throw EListError("Stringlist capacity cannot be smaller than count");
    capacity_ = NewCapacity;
    records_.reserve(static_cast<std::size_t>(NewCapacity));
}

int TSynEditStringList::GrowthStep(int Capacity) {
    return Capacity > 64 ? Capacity / 4 : 16;
}

void TSynEditStringList::Grow() {
    const int delta = GrowthStep(capacity_);
    if (capacity_ > INT_MAX - delta) throw EListError("Stringlist cannot hold more lines");
    SetCapacity(capacity_ + delta);
}

std::size_t TSynEditStringList::CapacityAfterGrowing(std::size_t Lines) const {
    std::size_t capacity = static_cast<std::size_t>(capacity_);
    while (capacity < Lines && capacity < INT_MAX)
        capacity += static_cast<std::size_t>(GrowthStep(static_cast<int>(capacity)));
    return capacity;
}

void TSynEditStringList::InsertItem(int Index, std::string_view S) {
    if (GetCount() == capacity_) Grow();
    records_.insert(records_.begin() + Index, TSynEditStringRec(S));
    indexOfLongestLine_ = -1;
}

int TSynEditStringList::Add(std::string_view S) {
    return Append(S, false);
}

int TSynEditStringList::Append(std::string_view S, bool Slice) {
    TStringsUpdate update(*this);
    const int index = GetCount();
    if (index == capacity_) Grow();
    TSynEditStringRec& rec = records_.emplace_back();
    if (Slice) {
        rec.Loaded = S.data();
        rec.LoadedLength = S.size();
    } else {
        rec.Owned.assign(S);
    }
    indexOfLongestLine_ = -1;
    Fire(OnInserted, index, 1);
    return index;
}

void TSynEditStringList::Insert(int Index, std::string_view S) {
    CheckIndex(Index, GetCount());
    TStringsUpdate update(*this);
    InsertItem(Index, S);
    Fire(OnInserted, Index, 1);
}

void TSynEditStringList::InsertLines(int Index, int NumLines) {
    if (NumLines <= 0) return;
    CheckIndex(Index, GetCount());
    if (NumLines > INT_MAX - GetCount()) throw EListError("Stringlist cannot hold more lines");
    TStringsUpdate update(*this);
    SetCapacity(GetCount() + NumLines);
    records_.insert(records_.begin() + Index, static_cast<std::size_t>(NumLines),
                    TSynEditStringRec{});
    indexOfLongestLine_ = -1;
    Fire(OnInserted, Index, NumLines);
}

void TSynEditStringList::InsertStrings(int Index, const TStrings& Strings) {
    const int n = Strings.Count();
    if (n <= 0) return;
    CheckIndex(Index, GetCount());
    // Read the source first: it may be this list, which the insertion shifts.
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        lines.push_back(Strings.Get(i));
    TStringsUpdate update(*this);
    InsertLines(Index, n);
    for (int i = 0; i < n; ++i)
        Put(Index + i, lines[static_cast<std::size_t>(i)]);
}

void TSynEditStringList::InsertText(int Index, std::string_view NewText) {
    if (NewText.empty()) return;
    CheckIndex(Index, GetCount());
    std::vector<std::string_view> lines;
    SplitLines(NewText, [&lines](std::string_view line) { lines.push_back(line); });
    TStringsUpdate update(*this);
    InsertLines(Index, static_cast<int>(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i)
        Put(Index + static_cast<int>(i), lines[i]);
}

void TSynEditStringList::AddStrings(const TStrings& Strings) {
    const int n = Strings.Count();
    if (n <= 0) return;
    const int first = GetCount();
    if (n > INT_MAX - 16 - first) throw EListError("Stringlist cannot hold more lines");
    TStringsUpdate update(*this);
    const int needed = first + n;
    if (needed > capacity_) SetCapacity((needed + 15) / 16 * 16);
    for (int i = 0; i < n; ++i) {
        TSynEditStringRec rec(Strings.Get(i));
        rec.Object = Strings.GetObject(i);
        records_.push_back(std::move(rec));
    }
    indexOfLongestLine_ = -1;
    Fire(OnInserted, first, n);
}

void TSynEditStringList::Delete(int Index) {
    CheckIndex(Index, GetCount() - 1);
    TStringsUpdate update(*this);
    records_.erase(records_.begin() + Index);
    indexOfLongestLine_ = -1;
    Fire(OnDeleted, Index, 1);
}

void TSynEditStringList::DeleteLines(int Index, int NumLines) {
    if (NumLines <= 0) return;
    CheckIndex(Index, GetCount() - 1);
    NumLines = std::min(NumLines, GetCount() - Index);
    TStringsUpdate update(*this);
    records_.erase(records_.begin() + Index, records_.begin() + Index + NumLines);
    indexOfLongestLine_ = -1;
    Fire(OnDeleted, Index, NumLines);
}

TSynLineReplacement TSynEditStringList::PrepareReplace(int Index, int Count,
                                                       std::vector<std::string> NewLines) {
    CheckIndex(Index, GetCount());
    if (Count < 0 || Count > GetCount() - Index) throw ESynEditStringList(Index + Count);
    const std::size_t added = NewLines.size() > static_cast<std::size_t>(Count)
                                  ? NewLines.size() - static_cast<std::size_t>(Count)
                                  : 0;
    if (added > static_cast<std::size_t>(INT_MAX - GetCount()))
        throw EListError("Stringlist cannot hold more lines");
    TSynLineReplacement r;
    r.index_ = Index;
    r.count_ = Count;
    r.records_.reserve(NewLines.size());
    for (std::string& line : NewLines) {
        TSynEditStringRec& rec = r.records_.emplace_back();
        rec.Owned = std::move(line);
    }
    // The array grows now, so that the commit only moves records.
    records_.reserve(std::max(records_.capacity(), CapacityAfterGrowing(records_.size() + added)));
    return r;
}

void TSynEditStringList::CommitReplace(TSynLineReplacement R) {
    TStringsUpdate update(*this);
    // The lines left as they were, at the start and at the end of the range.
    int same = 0, sameAtEnd = 0;
    {
        const int count = R.count_, newCount = R.NewCount();
        auto equal = [&](int Old, int New) {
            return records_[static_cast<std::size_t>(R.index_ + Old)].Text() ==
                   R.records_[static_cast<std::size_t>(New)].Owned;
        };
        while (same < count && same < newCount && equal(same, same))
            ++same;
        while (sameAtEnd < count - same && sameAtEnd < newCount - same &&
               equal(count - 1 - sameAtEnd, newCount - 1 - sameAtEnd))
            ++sameAtEnd;
    }
    const int index = R.index_ + same;
    const int count = R.count_ - same - sameAtEnd;
    const int n = R.NewCount() - same - sameAtEnd;
    const int kept = std::min(count, n);
    const auto at = records_.begin() + index;
    const auto from = R.records_.begin() + same; // the new records that count
    for (int i = 0; i < kept; ++i) {
        TSynEditStringRec& rec = at[i];
        rec.Owned = std::move(from[i].Owned);
        rec.Loaded = nullptr;
        rec.LoadedLength = 0;
        rec.Flags = {sfExpandedLengthUnknown};
        rec.ExpandedLength = -1;
    }
    if (n > count)
        records_.insert(at + count, std::make_move_iterator(from + kept),
                        std::make_move_iterator(from + n));
    else if (n < count)
        records_.erase(at + n, at + count);
    if (records_.size() > static_cast<std::size_t>(capacity_))
        capacity_ =
            static_cast<int>(std::min<std::size_t>(CapacityAfterGrowing(records_.size()), INT_MAX));
    indexOfLongestLine_ = -1;
    // The count changes first, so that a listener reading the replaced lines
    // finds them where they now are.
    if (n > count) Fire(OnInserted, index + count, n - count);
    if (n < count) Fire(OnDeleted, index + n, count - n);
    if (kept > 0) Fire(OnPutted, index, kept);
}

void TSynEditStringList::Put(int Index, std::string_view S) {
    if (Index == GetCount()) {
        Add(S);
        return;
    }
    CheckIndex(Index, GetCount() - 1);
    TStringsUpdate update(*this);
    auto& rec = records_[static_cast<std::size_t>(Index)];
    rec.SetText(S);
    rec.Flags = {sfExpandedLengthUnknown};
    rec.ExpandedLength = -1;
    indexOfLongestLine_ = -1;
    Fire(OnPutted, Index, 1);
}

void TSynEditStringList::PutObject(int Index, void* AObject) {
    CheckIndex(Index, GetCount() - 1);
    TStringsUpdate update(*this);
    records_[static_cast<std::size_t>(Index)].Object = AObject;
}

void TSynEditStringList::PutRange(int Index, TSynEditRange ARange) {
    CheckIndex(Index, GetCount() - 1);
    TStringsUpdate update(*this);
    records_[static_cast<std::size_t>(Index)].Range = ARange;
}

void TSynEditStringList::StoreRange(int Index, TSynEditRange ARange) {
    records_[static_cast<std::size_t>(Index)].Range = ARange;
}

void TSynEditStringList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1, GetCount() - 1);
    CheckIndex(Index2, GetCount() - 1);
    TStringsUpdate update(*this);
    std::swap(records_[static_cast<std::size_t>(Index1)],
              records_[static_cast<std::size_t>(Index2)]);
    if (indexOfLongestLine_ == Index1)
        indexOfLongestLine_ = Index2;
    else if (indexOfLongestLine_ == Index2)
        indexOfLongestLine_ = Index1;
}

void TSynEditStringList::Clear() {
    ClearRecords();
    TSynEditStringRecList().swap(records_);
    std::string().swap(loaded_);
}

void TSynEditStringList::ClearRecords() {
    if (records_.empty()) return;
    TStringsUpdate update(*this);
    if (OnClearing) OnClearing(this);
    records_.clear();
    capacity_ = 0;
    indexOfLongestLine_ = -1;
    if (OnCleared) OnCleared(this);
}

int TSynEditStringList::ExpandLength(const TSynEditStringRec& Rec) const {
    if (!HasTab(Rec.Text())) {
        Rec.ExpandedLength = static_cast<int>(Rec.Text().size());
        Rec.Flags = {sfHasNoTabs};
    } else {
        Rec.ExpandedLength = GetExpandedLength(Rec.Text(), tabWidth_);
        Rec.Flags = {sfHasTabs};
    }
    return Rec.ExpandedLength;
}

std::string TSynEditStringList::ExpandedStrings(int Index) const {
    std::string buffer;
    const std::string& text = ExpandedText(Index, buffer);
    return &text == &buffer ? std::move(buffer) : text;
}

const std::string& TSynEditStringList::ExpandedText(int Index, std::string& Buffer) const {
    static const std::string empty;
    if (Index < 0 || Index >= GetCount()) return empty;
    const auto& rec = records_[static_cast<std::size_t>(Index)];
    const std::string_view text = rec.Text();
    if (!rec.Flags.Contains(sfHasNoTabs) && HasTab(text)) {
        const bool hasTabs = convertTabs_(text, tabWidth_, Buffer);
        rec.ExpandedLength = static_cast<int>(Buffer.size());
        rec.Flags = {hasTabs ? sfHasTabs : sfHasNoTabs};
        return Buffer;
    }
    rec.ExpandedLength = static_cast<int>(text.size());
    rec.Flags = {sfHasNoTabs};
    if (!rec.Loaded) return rec.Owned;
    Buffer.assign(text);
    return Buffer;
}

int TSynEditStringList::ExpandedStringLengths(int Index) const {
    if (Index < 0 || Index >= GetCount()) return 0;
    const auto& rec = records_[static_cast<std::size_t>(Index)];
    if (rec.Flags.Contains(sfExpandedLengthUnknown)) return ExpandLength(rec);
    return rec.ExpandedLength;
}

int TSynEditStringList::LengthOfLongestLine() const {
    if (indexOfLongestLine_ < 0) {
        int longest = 0;
        for (std::size_t i = 0; i < records_.size(); ++i) {
            const auto& rec = records_[i];
            int length = rec.Flags.Contains(sfExpandedLengthUnknown) ? ExpandLength(rec)
                                                                     : rec.ExpandedLength;
            if (length > longest) {
                longest = length;
                indexOfLongestLine_ = static_cast<int>(i);
            }
        }
    }
    if (indexOfLongestLine_ < 0) return 0;
    return records_[static_cast<std::size_t>(indexOfLongestLine_)].ExpandedLength;
}

void TSynEditStringList::SetTabWidth(int Value) {
    if (Value == tabWidth_) return;
    tabWidth_ = Value;
    convertTabs_ = GetBestConvertTabsProc(Value);
    indexOfLongestLine_ = -1;
    for (auto& rec : records_) {
        rec.ExpandedLength = -1;
        rec.Flags.Exclude(sfHasNoTabs);
        rec.Flags.Include(sfExpandedLengthUnknown);
    }
}

void TSynEditStringList::LoadFromText(std::string Bytes) {
    TStringsUpdate update(*this);
    // The old array's memory is kept for the new lines, and reserved once for
    // all of them; Capacity still follows the growth rule.
    ClearRecords();
    // No record slices the previous text any more.
    loaded_ = std::move(Bytes);
    std::size_t lines = CountOf(loaded_, '\n');
    if (lines == 0) lines = CountOf(loaded_, '\r');
    records_.reserve(CapacityAfterGrowing(lines + 1));
    const TLineBreaksSeen seen =
        SplitLines(loaded_, [this](std::string_view line) { Append(line, true); });
    if (seen.CR && !seen.LF)
        fileFormat_ = sffMac;
    else if (seen.LF && !seen.CR)
        fileFormat_ = sffUnix;
    else
        fileFormat_ = sffDos;
}

void TSynEditStringList::LoadFromFile(const std::filesystem::path& FileName) {
    LoadFromText(ReadFileBytes(FileName));
}

void TSynEditStringList::LoadFromStream(std::istream& Stream) {
    LoadFromText(ReadStreamBytes(Stream));
}

void TSynEditStringList::SaveToFile(const std::filesystem::path& FileName) {
    TSynEditFileWriter writer(FileName);
    const std::string_view lineBreak = LineBreakOf(fileFormat_);
    for (std::size_t i = 0; i < records_.size(); ++i)
        writer.WriteLine(records_[i].Text(),
                         i + 1 < records_.size() ? lineBreak : std::string_view());
    writer.Close();
}

void TSynEditStringList::SaveToStream(std::ostream& Stream) {
    const std::string_view lineBreak = LineBreakOf(fileFormat_);
    std::size_t size = records_.empty() ? 0 : lineBreak.size() * (records_.size() - 1);
    for (const auto& rec : records_)
        size += rec.Text().size();
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (i > 0) text += lineBreak;
        text += records_[i].Text();
    }
    Stream.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!Stream) throw EFileStreamError("Cannot write stream: write error");
}

} // namespace marlinet::editor
