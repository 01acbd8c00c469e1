// TSynEditStringList: the editor's text as an array of line records. Besides
// each line's text it caches what drawing needs: the highlighter's state at
// the end of the line and the line's length with tabs expanded.
//
// Indices are 0-based. Operations that change lines run inside an update
// bracket, so OnChanging/OnChange surround each of them unless the caller has
// opened an outer bracket; the per-line events fire inside it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/events.h"
#include "editor/strings.h"
#include "highlight/range.h"

namespace marlinet::editor {

// The highlighter's scanning state after a line; pointer-sized and opaque.
using TSynEditRange = highlight::TSynRange;
constexpr TSynEditRange kRangeNotScanned = -1;

enum TSynEditStringFlag : std::uint8_t { sfHasTabs, sfHasNoTabs, sfExpandedLengthUnknown };
using TSynEditStringFlags = EnumSet<TSynEditStringFlag>;

enum TSynEditFileFormat : std::uint8_t { sffDos, sffUnix, sffMac };

// The line break written for each file format.
std::string_view LineBreakOf(TSynEditFileFormat Format);

// One line. A loaded line's text stays a slice of the text it was loaded
// from (kept by the list), so that loading allocates nothing per line; the
// record owns its text once the line is replaced.
struct TSynEditStringRec {
    TSynEditStringRec() = default;
    explicit TSynEditStringRec(std::string_view S) : Owned(S) {}

    std::string_view Text() const {
        return Loaded ? std::string_view(Loaded, LoadedLength) : std::string_view(Owned);
    }
    void SetText(std::string_view S) {
        Owned.assign(S);
        Loaded = nullptr;
        LoadedLength = 0;
    }

    std::string Owned;
    const char* Loaded = nullptr; // the slice, or null when Owned holds the text
    std::size_t LoadedLength = 0;
    void* Object = nullptr;
    TSynEditRange Range = kRangeNotScanned;
    // Cache of the tab-expanded length; filled on demand by const readers.
    mutable int ExpandedLength = -1;
    mutable TSynEditStringFlags Flags{sfExpandedLengthUnknown};
};
using TSynEditStringRecList = std::vector<TSynEditStringRec>;

// (Sender, Index, Count): Count lines at 0-based Index were inserted, deleted
// or replaced.
using TStringListChangeEvent = TMethod<void(TObject* Sender, int Index, int Count)>;
// Index is about to be read: the ranges of lines 0..Index must be current.
using TRangeNeededEvent = TMethod<void(int Index)>;

// Writes the expanded form of Line into Out (replacing what it held, keeping
// its capacity) and answers whether the line held a tab.
using TConvertTabsProc = bool (*)(std::string_view Line, int TabWidth, std::string& Out);

// The conversion routine for a tab width: one space per tab below 2, a bit
// mask for powers of two, a remainder otherwise. All give the same result.
TConvertTabsProc GetBestConvertTabsProc(int TabWidth);

// Length of S with tabs expanded to TabWidth (tabs count one column when
// TabWidth is 1 or less).
int GetExpandedLength(std::string_view S, int TabWidth);

// Display column (1-based) of the character at 1-based Index of Line; columns
// past the end of the line count one each.
int CharIndex2CaretPos(int Index, int TabWidth, std::string_view Line);

// Lines [Index, Index + Count) of a list and the records that are to take
// their place, built beforehand (TSynEditStringList::PrepareReplace) so that
// carrying the replacement out cannot fail half way.
class TSynLineReplacement {
public:
    int Index() const { return index_; }
    int Count() const { return count_; }
    int NewCount() const { return static_cast<int>(records_.size()); }

private:
    friend class TSynEditStringList;
    int index_ = 0;
    int count_ = 0;
    std::vector<TSynEditStringRec> records_;
};

class TSynEditStringList : public TStrings {
public:
    static constexpr int kDefaultTabWidth = 8;

    TSynEditStringList();
    ~TSynEditStringList() override;

    // TStrings
    std::string Get(int Index) const override;
    int GetCount() const override { return static_cast<int>(records_.size()); }
    int GetCapacity() const override { return capacity_; }
    void* GetObject(int Index) const override;
    std::string GetTextStr() const override;
    void Put(int Index, std::string_view S) override;
    void PutObject(int Index, void* AObject) override;
    void SetCapacity(int NewCapacity) override;
    int Add(std::string_view S) override;
    void AddStrings(const TStrings& Strings) override;
    void Clear() override;
    void Delete(int Index) override;
    void Exchange(int Index1, int Index2) override;
    void Insert(int Index, std::string_view S) override;
    void LoadFromFile(const std::filesystem::path& FileName) override;
    void LoadFromStream(std::istream& Stream) override;
    void SaveToFile(const std::filesystem::path& FileName) override;
    void SaveToStream(std::ostream& Stream) override;

    // Text of the line without a copy; empty out of range.
    std::string_view GetView(int Index) const;
    // The text as a string that stays put, for a reader that views it (a
    // highlighter scanning the line); valid until the line changes or the
    // next GetRef. An empty string out of range.
    const std::string& GetRef(int Index) const;
    // The range after the line; 0 out of range. With OnRangeNeeded set the
    // range is brought up to date first, so ranges can be computed lazily.
    TSynEditRange GetRange(int Index) const;
    // The range as stored, whether current or not; 0 out of range.
    TSynEditRange StoredRange(int Index) const;
    void PutRange(int Index, TSynEditRange ARange);
    // Fills in a range computed from the lines as they are: no update
    // bracket, since no text changes. Index must be valid.
    void StoreRange(int Index, TSynEditRange ARange);
    TSynEditStringFlags GetFlags(int Index) const;

    void InsertLines(int Index, int NumLines);
    void InsertStrings(int Index, const TStrings& Strings);
    void InsertText(int Index, std::string_view NewText);
    void DeleteLines(int Index, int NumLines);

    // Replaces lines [Index, Index + Count) by NewLines in one step. Lines
    // at the start and at the end of the range that NewLines leave as they
    // were keep their records and raise no event, so that a line moved by a
    // split or a join keeps its identity (and what follows it); of the rest,
    // the lines both have keep their Range and Object. Events, after the
    // text has changed: OnInserted or OnDeleted for the difference in count,
    // then one OnPutted for the lines replaced in place (when there are any).
    void ReplaceLines(int Index, int Count, std::vector<std::string> NewLines) {
        CommitReplace(PrepareReplace(Index, Count, std::move(NewLines)));
    }
    // The same in two steps. PrepareReplace checks the range and allocates
    // everything; it may throw and then changes nothing. CommitReplace
    // changes the lines without failing; only a listener of its events may
    // throw, and the text has changed by then. No other change of the list
    // may come between the two.
    TSynLineReplacement PrepareReplace(int Index, int Count, std::vector<std::string> NewLines);
    void CommitReplace(TSynLineReplacement Replacement);

    std::string ExpandedStrings(int Index) const;
    // The same into Buffer, whose capacity is reused (an owned line without
    // a tab is answered itself). Valid until the line or Buffer changes.
    const std::string& ExpandedText(int Index, std::string& Buffer) const;
    int ExpandedStringLengths(int Index) const;
    int LengthOfLongestLine() const;

    TSynEditFileFormat FileFormat() const { return fileFormat_; }
    void SetFileFormat(TSynEditFileFormat Value) { fileFormat_ = Value; }
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int Value);

    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;
    // Before Clear (or a load) removes the lines, while they can be read.
    TNotifyEvent OnClearing;
    TNotifyEvent OnCleared;
    TStringListChangeEvent OnDeleted;
    TStringListChangeEvent OnInserted;
    TStringListChangeEvent OnPutted;
    TRangeNeededEvent OnRangeNeeded;

protected:
    void SetUpdateState(bool Updating) override;

private:
    void CheckIndex(int Index, int Limit) const;
    // Clear without giving the array's memory back.
    void ClearRecords();
    static int GrowthStep(int Capacity);
    void Grow();
    // The capacity the growth rule reaches when Lines lines are added.
    std::size_t CapacityAfterGrowing(std::size_t Lines) const;
    void InsertItem(int Index, std::string_view S);
    // Takes the bytes over: the loaded lines are slices of them.
    void LoadFromText(std::string Bytes);
    // Add, with the text a slice of loaded_ (Slice) or a copy.
    int Append(std::string_view S, bool Slice);
    // Fills the expanded-length cache of one record; returns the length.
    int ExpandLength(const TSynEditStringRec& Rec) const;
    void Fire(const TStringListChangeEvent& Event, int Index, int Count);

    TSynEditStringRecList records_;
    std::string loaded_;            // the text of the last load, which loaded lines slice
    mutable std::string refBuffer_; // what GetRef answers for a loaded line
    int capacity_ = 0;
    TSynEditFileFormat fileFormat_ = sffDos;
    int tabWidth_ = kDefaultTabWidth;
    TConvertTabsProc convertTabs_;
    mutable int indexOfLongestLine_ = -1;
};

} // namespace marlinet::editor
