// Fuzz target: the INI reader reads an arbitrary file, writes to it and
// saves it.
//
// Every section named on a line of the file (and the unnamed one) is read
// with all its keys. What must hold for any file:
// - a key that ReadSection lists exists and reads its value;
// - writing a key that exists, a new key and a new section each reads back
//   the value written, and changes the value of no other key;
// - an integer written reads back as that integer;
// - saved and read again from disk, the file gives the same values.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "highlight/ini_file.h"
#include "support/ascii.h"

namespace {

using marlinet::support::SameText;
using marlinet::highlight::TIniFile;

void fail(const char* what) {
    marlinet::fuzz::fail("ini_file", what);
}

struct Value {
    std::string section, key, value;
    bool operator==(const Value&) const = default;
};
using Values = std::vector<Value>;

// Names agree in any case and on their first 49 bytes, all the parser keeps.
bool same_section(std::string_view a, std::string_view b) {
    return SameText(a.substr(0, 49), b.substr(0, 49));
}

bool fits_a_header(std::string_view name) {
    if (name.size() > 150) return false; // the parser reads 198 bytes of a line
    for (std::size_t i = 0; i < name.size(); ++i)
        if (name[i] == '\0' ||
            (i > 0 && name[i] == ';' && std::isspace(static_cast<unsigned char>(name[i - 1]))))
            return false;
    return true;
}

// The section names a reader could be asked for: the text between "[" and
// "]" on each line, once each, and the unnamed section. A name that no
// header can hold (too long, with a NUL, or with what starts a comment) is
// left out.
std::vector<std::string> section_names(std::string_view text) {
    std::vector<std::string> names{""};
    // Lines end at LF, as the reader splits them; a CR may be part of a name.
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        const std::size_t open = line.find('[');
        const std::size_t close = line.find(']', open);
        if (open == std::string_view::npos || close == std::string_view::npos) continue;
        const std::string name(line.substr(open + 1, close - open - 1));
        if (!fits_a_header(name)) continue;
        if (std::none_of(names.begin(), names.end(),
                         [&](const std::string& n) { return same_section(n, name); }))
            names.push_back(name);
        if (names.size() == 16) break;
    }
    return names;
}

Values read_all(const TIniFile& ini, const std::vector<std::string>& sections) {
    Values values;
    for (const std::string& section : sections) {
        for (const std::string& key : ini.ReadSection(section)) {
            if (!ini.ValueExists(section, key)) fail("a listed key does not exist");
            values.push_back({section, key, ini.ReadString(section, key, "a")});
            if (ini.ReadString(section, key, "b") != values.back().value)
                fail("a listed key has no value");
            (void)ini.ReadInteger(section, key, 0);
        }
    }
    return values;
}

// Writes one key and checks that exactly that value changed.
void write_and_check(TIniFile& ini, std::vector<std::string>& sections, const Value& write) {
    Values expected = read_all(ini, sections);
    if (std::none_of(sections.begin(), sections.end(),
                     [&](const std::string& s) { return same_section(s, write.section); }))
        sections.push_back(write.section);
    ini.WriteString(write.section, write.key, write.value);
    if (ini.ReadString(write.section, write.key, "") != write.value)
        fail("a value written does not read back");
    // Every other key keeps its value; the one written may be new.
    Values got = read_all(ini, sections);
    std::erase_if(got, [&](const Value& v) {
        return same_section(v.section, write.section) && SameText(v.key, write.key);
    });
    std::erase_if(expected, [&](const Value& v) {
        return same_section(v.section, write.section) && SameText(v.key, write.key);
    });
    if (got != expected) {
        for (const Values* list : {&expected, &got})
            for (const Value& v : *list)
                std::fprintf(stderr, "%s [%s] %s=%s\n", list == &got ? "after " : "before",
                             v.section.c_str(), v.key.c_str(), v.value.c_str());
        fail("writing one key changed another");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto file = marlinet::fuzz::scratch_folder() / "settings.ini";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;

    TIniFile ini(file.string());
    if (!ini.Readable()) fail("a regular file read as unreadable");
    std::vector<std::string> sections = section_names(text);
    const Values before = read_all(ini, sections);

    // A key whose line would not fit the parser's line buffer once written
    // cannot read back whole; this program only writes short lines.
    if (!before.empty() && before[before.size() / 2].key.size() < 150) {
        const Value& first = before[before.size() / 2];
        write_and_check(ini, sections, {first.section, first.key, "written"});
    }
    write_and_check(ini, sections, {sections.back(), "FuzzNewKey", "new key"});
    write_and_check(ini, sections, {"Fuzz New Section", "Style", "3"});

    std::int32_t number = 0;
    std::memcpy(&number, data, std::min<std::size_t>(size, sizeof number));
    ini.WriteInteger("Fuzz New Section", "Background", number);
    if (ini.ReadInteger("Fuzz New Section", "Background", ~number) != number)
        fail("an integer written does not read back");

    const Values saved = read_all(ini, sections);
    if (!ini.UpdateFile()) fail("the file could not be saved");
    const TIniFile reread(file.string());
    if (read_all(reread, sections) != saved) fail("the saved file reads other values");
    return 0;
}
