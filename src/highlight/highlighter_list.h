// The placeable highlighter list: the highlighter classes (descriptors, not
// instances) that the program offers. It exists from program start to
// program end; every built-in highlighter class is in it from the start.
#pragma once

#include <string_view>
#include <vector>

#include "highlight/custom_highlighter.h"

namespace marlinet::highlight {

class TSynHighlighterList {
public:
    int Count() const noexcept { return static_cast<int>(classes_.size()); }
    // Null outside 0..Count()-1.
    TSynCustomHighlighterClass GetItem(int Index) const noexcept;
    // The index of the first class that the component is an instance of,
    // directly or through a subclass; -1 when none (or not a highlighter).
    int FindByClass(const TComponent* Comp) const;
    // The index of the first class whose language name equals the name,
    // letter case included; -1 when none.
    int FindByName(std::string_view Name) const;

    // Adds the class unless it is already listed.
    void Add(TSynCustomHighlighterClass AClass);

private:
    std::vector<TSynCustomHighlighterClass> classes_;
};

TSynHighlighterList& GetPlaceableHighlighters();
void RegisterPlaceableHighlighter(TSynCustomHighlighterClass AClass);

} // namespace marlinet::highlight
