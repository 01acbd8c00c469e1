#include "editor/strings.h"

#include <ostream>

#include "editor/errors.h"
#include "editor/file_io.h"

namespace marlinet::editor {

void TStrings::BeginUpdate() {
    if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void* TStrings::GetObject(int) const {
    return nullptr;
}

std::string TStrings::GetTextStr() const {
    std::string text;
    for (int i = 0, n = GetCount(); i < n; ++i) {
        if (i > 0) text += "\r\n";
        text += Get(i);
    }
    return text;
}

void TStrings::Put(int Index, std::string_view S) {
    TStringsUpdate update(*this);
    void* object = GetObject(Index);
    Delete(Index);
    Insert(Index, S);
    PutObject(Index, object);
}

void TStrings::PutObject(int, void*) {}

void TStrings::SetCapacity(int) {}

void TStrings::SetTextStr(std::string_view Value) {
    TStringsUpdate update(*this);
    Clear();
    SplitLines(Value, [this](std::string_view line) { Add(line); });
}

int TStrings::Add(std::string_view S) {
    int index = GetCount();
    Insert(index, S);
    return index;
}

int TStrings::AddObject(std::string_view S, void* AObject) {
    TStringsUpdate update(*this);
    int index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TStrings::AddStrings(const TStrings& Strings) {
    TStringsUpdate update(*this);
    for (int i = 0, n = Strings.Count(); i < n; ++i)
        AddObject(Strings.Get(i), Strings.GetObject(i));
}

void TStrings::Assign(const TStrings& Source) {
    if (&Source == this) return;
    TStringsUpdate update(*this);
    Clear();
    AddStrings(Source);
}

void TStrings::Exchange(int Index1, int Index2) {
    TStringsUpdate update(*this);
    std::string s1 = Get(Index1);
    void* o1 = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s1);
    PutObject(Index2, o1);
}

int TStrings::IndexOf(std::string_view S) const {
    for (int i = 0, n = GetCount(); i < n; ++i) {
        if (Get(i) == S) return i;
    }
    return -1;
}

void TStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    TStringsUpdate update(*this);
    std::string s = Get(CurIndex);
    void* object = GetObject(CurIndex);
    Delete(CurIndex);
    Insert(NewIndex, s);
    PutObject(NewIndex, object);
}

void TStrings::LoadFromFile(const std::filesystem::path& FileName) {
    std::string bytes = ReadFileBytes(FileName);
    SetTextStr(bytes);
}

void TStrings::LoadFromStream(std::istream& Stream) {
    SetTextStr(ReadStreamBytes(Stream));
}

void TStrings::SaveToFile(const std::filesystem::path& FileName) {
    support::SaveFileAtomically(FileName, GetTextStr());
}

void TStrings::SaveToStream(std::ostream& Stream) {
    std::string text = GetTextStr();
    Stream.write(text.data(), static_cast<std::streamsize>(text.size()));
}

} // namespace marlinet::editor
