// Fuzz target: the editor's line store loads arbitrary text and saves it.
//
// What must hold for any text:
// - the lines are those of a plain split at CR LF, CR and LF, and the file
//   format names the breaks seen;
// - saved again, a text whose breaks are all of one kind comes back byte for
//   byte; any text comes back as the same lines (loaded into the same list,
//   whose lines were slices of the previous text);
// - the file writer writes what the stream writer writes;
// - lines replaced, inserted and deleted after a load (owned text beside
//   slices) save as a plain list of strings would;
// - tab expansion, for a tab width taken from the input, matches a plain
//   column count, and the longest line is the longest.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "editor/string_list.h"
#include "fuzz_support.h"

namespace {

using namespace marlinet::editor;
using marlinet::fuzz::split_lines;

void fail(const char* what) {
    marlinet::fuzz::fail("line_store", what);
}

void expect_lines(const TSynEditStringList& list, const std::vector<std::string>& lines,
                  const char* what) {
    if (list.GetCount() != static_cast<int>(lines.size())) fail(what);
    for (int i = 0; i < list.GetCount(); ++i)
        if (list.Get(i) != lines[static_cast<std::size_t>(i)] ||
            list.GetView(i) != lines[static_cast<std::size_t>(i)])
            fail(what);
}

std::string save_to_stream(TSynEditStringList& list) {
    std::ostringstream out;
    list.SaveToStream(out);
    return out.str();
}

// The file writer against the stream writer.
void check_file_save(TSynEditStringList& list, const std::string& expected) {
    const auto file = marlinet::fuzz::scratch_folder() / "lines.bas";
    list.SaveToFile(file);
    std::ifstream in(file, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    if (written != expected) fail("SaveToFile wrote other bytes than SaveToStream");
}

TSynEditFileFormat format_of(std::string_view text, bool& one_kind) {
    bool crlf = false, cr = false, lf = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            crlf = true;
            ++i;
        } else if (text[i] == '\r') {
            cr = true;
        } else if (text[i] == '\n') {
            lf = true;
        }
    }
    one_kind = crlf + cr + lf <= 1;
    if ((cr || crlf) == (lf || crlf)) return sffDos; // both seen, or neither
    return cr ? sffMac : sffUnix;
}

std::string expand(std::string_view line, int width) {
    std::string out;
    for (char c : line) {
        if (c != '\t') {
            out += c;
        } else if (width <= 1) {
            out += ' ';
        } else {
            out.append(static_cast<std::size_t>(width) -
                           out.size() % static_cast<std::size_t>(width),
                       '\t');
        }
    }
    return out;
}

void check_tabs(TSynEditStringList& list, const std::vector<std::string>& lines, int width) {
    list.SetTabWidth(width);
    std::size_t longest = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string expanded = expand(lines[i], width);
        const int index = static_cast<int>(i);
        if (list.ExpandedStrings(index) != expanded) fail("a line expanded wrongly");
        if (list.ExpandedStringLengths(index) != static_cast<int>(expanded.size()))
            fail("a wrong expanded length");
        if (GetExpandedLength(lines[i], width) != static_cast<int>(expanded.size()))
            fail("GetExpandedLength disagrees");
        longest = std::max(longest, expanded.size());
    }
    if (list.LengthOfLongestLine() != static_cast<int>(longest)) fail("a wrong longest line");
}

// Replaces, inserts and deletes a line, on the list and on a plain model.
void edit(TSynEditStringList& list, std::vector<std::string>& model) {
    if (!model.empty()) {
        const std::size_t middle = model.size() / 2;
        model[middle] += "\tEND";
        list.Put(static_cast<int>(middle), model[middle]);
        model.erase(model.begin());
        list.Delete(0);
    }
    const std::size_t at = model.size() / 3;
    model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), "PRINT 1");
    list.Insert(static_cast<int>(at), "PRINT 1");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TSynEditStringList list;
    std::istringstream in(text);
    list.LoadFromStream(in);

    std::vector<std::string> lines;
    for (std::string_view line : split_lines(text))
        lines.emplace_back(line);
    expect_lines(list, lines, "the loaded lines are not the text's");
    bool one_kind = false;
    if (list.FileFormat() != format_of(text, one_kind)) fail("a wrong file format");

    const std::string saved = save_to_stream(list);
    if (one_kind && saved != text) fail("a text with one kind of break saved differently");
    check_file_save(list, saved);
    std::istringstream again(saved);
    list.LoadFromStream(again);
    expect_lines(list, lines, "the saved text loads as other lines");

    check_tabs(list, lines, size > 0 ? data[0] % 10 : 8);

    edit(list, lines);
    const std::string edited = save_to_stream(list);
    std::istringstream back(edited);
    list.LoadFromStream(back);
    expect_lines(list, lines, "edited lines saved and loaded as other lines");
    return 0;
}
