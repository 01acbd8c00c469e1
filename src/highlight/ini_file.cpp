#include "highlight/ini_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <filesystem>

#include <ini.h>

#include "support/ascii.h"
#include "support/errors.h"
#include "support/files.h"

namespace marlinet::highlight {

using support::SameText;

namespace {

constexpr bool IsBlank(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

std::string_view TrimFront(std::string_view s) noexcept {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view Trim(std::string_view s) noexcept {
    s = TrimFront(s);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Where the parser would stop looking for one of `chars`: at the first of
// them, or at an inline comment (";" after a blank), or at the end.
std::size_t FindCharsOrComment(std::string_view s, std::string_view chars) noexcept {
    bool was_blank = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (chars.find(s[i]) != std::string_view::npos) return i;
        if (was_blank && s[i] == ';') return i;
        was_blank = IsBlank(s[i]);
    }
    return s.size();
}

// The reader hands the parser at most this much of a line: its line buffer
// less the line break and the terminator.
constexpr std::size_t kParserLine = INI_MAX_LINE - 2;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A line as the parser sees it: cut to fit its buffer, ended at a NUL (it
// reads C strings), and without the byte order mark it skips on the first line.
std::string_view ParserView(std::string_view line, bool first) noexcept {
    line = line.substr(0, std::min(line.find('\0'), kParserLine));
    if (first && line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
    return line;
}

// How the parser reads one line: which section it opens or which key it
// sets. Mirrors inih's rules (comment prefixes ";" and "#", continuation
// lines, "=" or ":" separators) so that a write lands on the line a later
// read takes its value from.
struct LineMeaning {
    enum Kind { kOther, kSection, kKey, kContinuation } kind = kOther;
    std::string_view name;
};

LineMeaning Classify(std::string_view line, bool continues) noexcept {
    const std::string_view start = TrimFront(line);
    if (start.empty() || start.front() == ';' || start.front() == '#') return {};
    if (continues && start.size() < line.size()) return {LineMeaning::kContinuation, {}};
    if (start.front() == '[') {
        const std::size_t end = FindCharsOrComment(start.substr(1), "]");
        if (end + 1 >= start.size() || start[end + 1] != ']') return {};
        return {LineMeaning::kSection, start.substr(1, end)};
    }
    const std::size_t end = FindCharsOrComment(start, "=:");
    if (end >= start.size() || (start[end] != '=' && start[end] != ':')) return {};
    return {LineMeaning::kKey, Trim(start.substr(0, end))};
}

// Reads the lines one after the other as the parser does. An indented line
// continues the value of the last key with a name, up to the next header.
class ParserWalk {
public:
    LineMeaning Next(const std::string& line, bool first) {
        const LineMeaning meaning = Classify(ParserView(line, first), continues_);
        if (meaning.kind == LineMeaning::kSection || meaning.kind == LineMeaning::kKey)
            continues_ = meaning.kind == LineMeaning::kKey && !meaning.name.empty();
        return meaning;
    }

private:
    bool continues_ = false;
};

// The parser keeps a section name to this many bytes, so names that agree
// that far are one section.
constexpr std::size_t kParserSectionName = 49;

bool SameSection(std::string_view a, std::string_view b) noexcept {
    return SameText(a.substr(0, kParserSectionName), b.substr(0, kParserSectionName));
}

std::string OneLine(std::string_view value) {
    std::string text(value);
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

} // namespace

TIniFile::TIniFile(std::string FileName) : file_name_(std::move(FileName)) {
    std::error_code error;
    const auto status = std::filesystem::status(file_name_, error);
    // Only a missing file reads as an empty one; a folder or a device is
    // not an INI file at all, and is never overwritten.
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        readable_ = false;
        return;
    }
    std::string text;
    try {
        text = support::ReadFileBytes(file_name_);
    } catch (const support::EFileStreamError& e) {
        readable_ = e.Error() == ENOENT;
        return;
    }
    if (text.find("\r\n") != std::string::npos) line_break_ = "\r\n";
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + begin, end - begin);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines_.emplace_back(line);
        begin = end + 1;
    }
    Parse();
}

void TIniFile::Parse() {
    // The parser reads through a fixed line buffer and would take the rest
    // of a longer line for a line of its own (a stray key, perhaps). Each
    // call of this reader hands over one whole line, cut to fit instead.
    // A continuation line is handed over blank: the first line holds the
    // value read, and the parser would report the rest under the key's name
    // cut short, a key of its own for a long name.
    struct Reader {
        const std::vector<std::string>* lines;
        std::size_t next = 0;
        ParserWalk walk;
        static char* Read(char* buffer, int size, void* stream) {
            auto* self = static_cast<Reader*>(stream);
            if (self->next >= self->lines->size() || size < 2) return nullptr;
            const bool first = self->next == 0;
            const std::string& line = (*self->lines)[self->next++];
            std::size_t n =
                std::min({line.size(), static_cast<std::size_t>(size - 2), kParserLine});
            if (self->walk.Next(line, first).kind == LineMeaning::kContinuation) n = 0;
            line.copy(buffer, n);
            buffer[n] = '\n';
            buffer[n + 1] = '\0';
            return buffer;
        }
    } reader{&lines_, 0, {}};
    entries_.clear();
    ini_parse_stream(
        &Reader::Read, &reader,
        [](void* user, const char* section, const char* name, const char* value) -> int {
            static_cast<std::vector<Entry>*>(user)->push_back({section, name, value});
            return 1;
        },
        &entries_);
}

const TIniFile::Entry* TIniFile::Find(std::string_view Section, std::string_view Ident) const {
    for (const Entry& entry : entries_)
        if (SameSection(entry.section, Section) && SameText(entry.key, Ident)) return &entry;
    return nullptr;
}

bool TIniFile::SectionExists(std::string_view Section) const {
    for (const Entry& entry : entries_)
        if (SameSection(entry.section, Section)) return true;
    // A section with no keys still exists.
    ParserWalk walk;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const LineMeaning meaning = walk.Next(lines_[i], i == 0);
        if (meaning.kind == LineMeaning::kSection && SameSection(meaning.name, Section))
            return true;
    }
    return false;
}

std::vector<std::string> TIniFile::ReadSection(std::string_view Section) const {
    std::vector<std::string> keys;
    for (const Entry& entry : entries_) {
        if (!SameSection(entry.section, Section)) continue;
        bool seen = false;
        for (const std::string& key : keys)
            seen = seen || SameText(key, entry.key);
        if (!seen) keys.push_back(entry.key);
    }
    return keys;
}

bool TIniFile::ValueExists(std::string_view Section, std::string_view Ident) const {
    return Find(Section, Ident) != nullptr;
}

std::string TIniFile::ReadString(std::string_view Section, std::string_view Ident,
                                 std::string_view Default) const {
    const Entry* entry = Find(Section, Ident);
    return entry != nullptr ? entry->value : std::string(Default);
}

int TIniFile::ReadInteger(std::string_view Section, std::string_view Ident, int Default) const {
    const Entry* entry = Find(Section, Ident);
    if (entry == nullptr) return Default;
    std::string_view text = Trim(entry->value);
    const char* first = text.data();
    const char* last = text.data() + text.size();
    int base = 10;
    if (text.starts_with("$")) {
        first += 1;
        base = 16;
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        first += 2;
        base = 16;
    }
    if (base == 16) {
        // Hexadecimal gives the 32-bit pattern, so $FFFFFFFF is -1.
        std::uint32_t bits = 0;
        const auto [end, error] = std::from_chars(first, last, bits, 16);
        if (error != std::errc() || end != last || first == last) return Default;
        return static_cast<int>(bits);
    }
    if (first != last && *first == '+') ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value, 10);
    if (error != std::errc() || end != last || first == last) return Default;
    return value;
}

void TIniFile::WriteString(std::string_view Section, std::string_view Ident,
                           std::string_view Value) {
    const std::string value = OneLine(Value);
    // Keys before the first header belong to the unnamed section, which
    // starts at the top of the file.
    bool in_section = Section.empty();
    bool section_seen = in_section;
    ParserWalk walk;
    std::size_t insert_at = 0; // after the last non-blank line of the first matching section
    bool first_occurrence = in_section;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const LineMeaning meaning = walk.Next(lines_[i], i == 0);
        if (meaning.kind == LineMeaning::kSection) {
            first_occurrence = !section_seen && SameSection(meaning.name, Section);
            in_section = SameSection(meaning.name, Section);
            section_seen = section_seen || in_section;
            if (first_occurrence) insert_at = i + 1;
            continue;
        }
        if (!in_section) continue;
        if (meaning.kind == LineMeaning::kKey && SameText(meaning.name, Ident)) {
            // What comes before the name (a byte order mark, indentation)
            // stays, unless the parser would then not read the line whole.
            std::size_t keep = static_cast<std::size_t>(meaning.name.data() - lines_[i].data());
            if (keep + meaning.name.size() + 1 + value.size() > kParserLine)
                keep = i == 0 && lines_[i].starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
            std::string line(lines_[i], 0, keep);
            line += meaning.name;
            line += '=';
            line += value;
            lines_[i] = std::move(line);
            modified_ = true;
            Parse();
            return;
        }
        if (first_occurrence && !Trim(lines_[i]).empty()) insert_at = i + 1;
    }
    std::string line = std::string(Ident) + "=" + value;
    if (section_seen) {
        // A key that goes first takes the byte order mark over.
        if (insert_at == 0 && !lines_.empty() && lines_[0].starts_with(kByteOrderMark)) {
            lines_[0].erase(0, kByteOrderMark.size());
            line.insert(0, kByteOrderMark);
        }
        // Only blank lines lie between the new key and the next header. An
        // indented header would read as the rest of the new key's value.
        auto next =
            std::find_if(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), lines_.end(),
                         [](const std::string& l) { return !Trim(l).empty(); });
        if (next != lines_.end()) next->erase(0, next->size() - TrimFront(*next).size());
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(line));
    } else {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
        std::string header(1, '[');
        header += Section;
        header += ']';
        lines_.push_back(std::move(header));
        lines_.push_back(std::move(line));
    }
    modified_ = true;
    Parse();
}

void TIniFile::WriteInteger(std::string_view Section, std::string_view Ident, int Value) {
    WriteString(Section, Ident, std::to_string(Value));
}

bool TIniFile::UpdateFile() {
    if (!readable_) return false;
    if (!modified_) return true;
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += line_break_;
    }
    try {
        support::SaveFileAtomically(file_name_, text);
    } catch (const support::EFileStreamError&) {
        return false; // the old file stays as it was
    }
    modified_ = false;
    return true;
}

} // namespace marlinet::highlight
