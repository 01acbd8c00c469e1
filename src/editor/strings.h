// TStrings: the abstract list of text lines that the line store derives from.
// It owns the update counter and the whole-text and file operations that can
// be written in terms of the per-line ones.
#pragma once

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>

#include "editor/types.h"

namespace marlinet::editor {

// Which line breaks a split met.
struct TLineBreaksSeen {
    bool CR = false;
    bool LF = false;
};

// Calls onLine(std::string_view) for each line of text. CR LF is one break,
// LF CR two, CR and LF alone one each; a break at the very end is followed by
// one more, empty, line; an empty text has no lines.
template <class OnLine>
TLineBreaksSeen SplitLines(std::string_view text, OnLine&& onLine) {
    TLineBreaksSeen seen;
    if (text.empty()) return seen;
    const char* p = text.data();
    const char* const end = p + text.size();
    // The next CR and LF at or after p, each found with one memchr and kept
    // until passed, so the scan stays linear whatever the break kind.
    auto find = [end](const char* from, char c) {
        const void* hit = std::memchr(from, c, static_cast<std::size_t>(end - from));
        return hit ? static_cast<const char*>(hit) : end;
    };
    const char* nextCR = find(p, '\r');
    const char* nextLF = find(p, '\n');
    while (p < end) {
        if (nextCR < p) nextCR = find(p, '\r');
        if (nextLF < p) nextLF = find(p, '\n');
        const char* stop = nextCR < nextLF ? nextCR : nextLF;
        onLine(std::string_view(p, static_cast<std::size_t>(stop - p)));
        p = stop;
        if (p < end && *p == '\r') {
            ++p;
            seen.CR = true;
        }
        if (p < end && *p == '\n') {
            ++p;
            seen.LF = true;
        }
    }
    if (text.back() == '\r' || text.back() == '\n') onLine(std::string_view());
    return seen;
}

class TStrings : public TObject {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    // Update bracket: SetUpdateState(true) when the counter leaves 0,
    // SetUpdateState(false) when it returns to 0. Brackets nest.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    int Count() const { return GetCount(); }
    int Capacity() const { return GetCapacity(); }
    std::string Strings(int Index) const { return Get(Index); }
    void* Objects(int Index) const { return GetObject(Index); }

    // All lines joined by CR LF, with no break after the last line.
    std::string Text() const { return GetTextStr(); }
    // Replaces every line by the lines of Value (split as SplitLines does, so
    // SetText(Text()) gives back the same lines).
    void SetText(std::string_view Value) { SetTextStr(Value); }

    virtual std::string Get(int Index) const = 0;
    virtual int GetCount() const = 0;
    virtual int GetCapacity() const { return GetCount(); }
    virtual void* GetObject(int Index) const;
    virtual std::string GetTextStr() const;
    virtual void Put(int Index, std::string_view S);
    virtual void PutObject(int Index, void* AObject);
    virtual void SetCapacity(int NewCapacity);
    virtual void SetTextStr(std::string_view Value);

    virtual int Add(std::string_view S);
    virtual int AddObject(std::string_view S, void* AObject);
    virtual void AddStrings(const TStrings& Strings);
    // Replaces every line and object by those of Source.
    virtual void Assign(const TStrings& Source);
    virtual void Clear() = 0;
    virtual void Delete(int Index) = 0;
    virtual void Exchange(int Index1, int Index2);
    // Index of the first line equal to S (byte for byte), or -1.
    virtual int IndexOf(std::string_view S) const;
    virtual void Insert(int Index, std::string_view S) = 0;
    // Moves the line and its object from CurIndex to NewIndex.
    virtual void Move(int CurIndex, int NewIndex);

    // Files: a missing or unreadable file raises EFileStreamError naming it,
    // and the lines stay as they were. Saving replaces the file only once the
    // new text is completely written.
    virtual void LoadFromFile(const std::filesystem::path& FileName);
    virtual void LoadFromStream(std::istream& Stream);
    virtual void SaveToFile(const std::filesystem::path& FileName);
    virtual void SaveToStream(std::ostream& Stream);

protected:
    virtual void SetUpdateState(bool Updating);

private:
    int updateCount_ = 0;
};

// Opens an update bracket for the lifetime of the guard.
class TStringsUpdate {
public:
    explicit TStringsUpdate(TStrings& strings) : strings_(strings) { strings_.BeginUpdate(); }
    ~TStringsUpdate() { strings_.EndUpdate(); }
    TStringsUpdate(const TStringsUpdate&) = delete;
    TStringsUpdate& operator=(const TStringsUpdate&) = delete;

private:
    TStrings& strings_;
};

} // namespace marlinet::editor
