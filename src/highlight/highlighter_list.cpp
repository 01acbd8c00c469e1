#include "highlight/highlighter_list.h"

#include <algorithm>

#include "highlight/vb_highlighter.h"

namespace marlinet::highlight {

TSynCustomHighlighterClass TSynHighlighterList::GetItem(int Index) const noexcept {
    if (Index < 0 || Index >= Count()) return nullptr;
    return classes_[static_cast<std::size_t>(Index)];
}

int TSynHighlighterList::FindByClass(const TComponent* Comp) const {
    const auto* highlighter = dynamic_cast<const TSynCustomHighlighter*>(Comp);
    if (highlighter == nullptr) return -1;
    const TSynCustomHighlighterClass type = highlighter->ClassType();
    for (int i = 0; i < Count(); ++i)
        if (type->InheritsFrom(GetItem(i))) return i;
    return -1;
}

int TSynHighlighterList::FindByName(std::string_view Name) const {
    for (int i = 0; i < Count(); ++i)
        if (GetItem(i)->GetLanguageName() == Name) return i;
    return -1;
}

void TSynHighlighterList::Add(TSynCustomHighlighterClass AClass) {
    if (AClass == nullptr) return;
    if (std::find(classes_.begin(), classes_.end(), AClass) == classes_.end())
        classes_.push_back(AClass);
}

TSynHighlighterList& GetPlaceableHighlighters() {
    // Built on first use, which the initialiser below makes program start.
    // The built-in classes are added here rather than by initialisers in
    // their own files, which a static library would drop when nothing else
    // refers to them.
    static TSynHighlighterList list = [] {
        TSynHighlighterList built_in;
        built_in.Add(&TSynVBSyn::ClassInfo());
        return built_in;
    }();
    return list;
}

void RegisterPlaceableHighlighter(TSynCustomHighlighterClass AClass) {
    GetPlaceableHighlighters().Add(AClass);
}

namespace {
[[maybe_unused]] const TSynHighlighterList& kCreatedAtStart = GetPlaceableHighlighters();
} // namespace

} // namespace marlinet::highlight
