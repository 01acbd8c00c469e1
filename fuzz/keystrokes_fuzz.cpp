// Fuzz target: a keystroke table loads an arbitrary stream.
//
// What must hold for any stream:
// - it loads exactly when it holds the items its count announces (none for
//   a count of 0 or less); a stream that ends early raises ESynKeyError and
//   leaves the table as it was;
// - a loaded table saves as the bytes it was loaded from;
// - stored as differences from the defaults (removed and added keystrokes,
//   as a form does) and applied to the defaults again, a table without two
//   items on the same shortcuts binds every shortcut to the same command.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <utility>

#include "editor/errors.h"
#include "editor/keystrokes.h"
#include "fuzz_support.h"

namespace {

using namespace marlinet::editor;

void fail(const char* what) {
    marlinet::fuzz::fail("keystrokes", what);
}

using Bindings = std::map<std::pair<TShortCut, TShortCut>, TSynEditorCommand>;

// The command each pair of shortcuts finds (the first item's); false when
// two items share a pair.
bool bindings_of(const TSynEditKeyStrokes& table, Bindings& out) {
    for (int i = 0; i < table.Count(); ++i) {
        const TSynEditKeyStroke& k = table.Items(i);
        if (!out.emplace(std::make_pair(k.GetShortCut(), k.GetShortCut2()), k.Command()).second)
            return false;
    }
    return true;
}

void check_stored_as_differences(const TSynEditKeyStrokes& table) {
    Bindings expected;
    if (!bindings_of(table, expected)) return;
    TSynEditKeyStrokes defaults(nullptr), removed(nullptr), added(nullptr);
    defaults.ResetDefaults();
    GetRemovedKeystrokes(table, defaults, removed);
    GetAddedKeystrokes(table, defaults, added);
    TSynEditKeyStrokes read(nullptr);
    read.ResetDefaults();
    ApplyRemovedKeystrokes(read, removed);
    ApplyAddedKeystrokes(read, added);
    Bindings got;
    if (!bindings_of(read, got) || got != expected)
        fail("stored as differences, the table reads back with other bindings");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    constexpr std::size_t kItemSize = 8;
    std::int32_t count = 0;
    if (size >= 4) std::memcpy(&count, data, 4); // little-endian, as the stream
    const std::size_t items = count > 0 ? static_cast<std::size_t>(count) : 0;
    const bool complete = size >= 4 && (size - 4) / kItemSize >= items;

    TSynEditKeyStrokes table(nullptr);
    table.ResetDefaults();
    std::istringstream in(bytes);
    try {
        table.LoadFromStream(in);
    } catch (const ESynKeyError&) {
        if (complete) fail("a complete stream was refused");
        TSynEditKeyStrokes defaults(nullptr);
        defaults.ResetDefaults();
        if (!table.SameAs(defaults)) fail("a refused stream changed the table");
        return 0;
    }
    if (!complete) fail("a stream that ends early was loaded");
    if (static_cast<std::size_t>(table.Count()) != items) fail("a wrong number of items");

    std::ostringstream out;
    table.SaveToStream(out);
    std::string expected = bytes.substr(0, 4 + items * kItemSize);
    if (items == 0) expected.assign(4, '\0');
    if (out.str() != expected) fail("the table saved other bytes than it loaded");

    check_stored_as_differences(table);
    return 0;
}
