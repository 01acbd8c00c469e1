#include "workbench/breakpoint_store.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#include "highlight/ini_file.h"
#include "highlight/settings_registry.h"
#include "interpreter/debugging.h"
#include "workbench/workbench_settings.h"

namespace marlinet::workbench {

namespace {

// Encoded bytes per condition entry: with its key, far below the 198 bytes
// of a line that the INI reader takes whole.
constexpr std::size_t kChunk = 120;

// The encoded text cut into chunks, never inside an escape.
std::vector<std::string> Chunks(const std::string& Encoded) {
    std::vector<std::string> chunks;
    for (std::size_t at = 0; at < Encoded.size();) {
        std::size_t end = std::min(at + kChunk, Encoded.size());
        if (end < Encoded.size()) {
            if (Encoded[end - 1] == '%')
                end -= 1;
            else if (end >= 2 && Encoded[end - 2] == '%')
                end -= 2;
        }
        chunks.push_back(Encoded.substr(at, end - at));
        at = end;
    }
    return chunks;
}

template <class T>
bool ReadNumber(std::string_view& Text, T& Value) {
    while (!Text.empty() && Text.front() == ' ')
        Text.remove_prefix(1);
    const auto [end, error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
    if (error != std::errc()) return false;
    Text.remove_prefix(static_cast<std::size_t>(end - Text.data()));
    return true;
}

std::string Key(int Entry) {
    return std::to_string(Entry);
}

std::string ChunkKey(int Entry, int Chunk) {
    return std::to_string(Entry) + "." + std::to_string(Chunk);
}

// One entry, or nothing when it does not describe a breakpoint.
std::optional<editor::TSynBreakpoint> ReadEntry(const highlight::TIniFile& Ini,
                                                const std::string& Section, int Entry) {
    const std::string value = Ini.ReadString(Section, Key(Entry), "");
    std::string_view text = value;
    editor::TSynBreakpoint breakpoint;
    int chunks = 0;
    if (!ReadNumber(text, breakpoint.Line) || breakpoint.Line < 1) return std::nullopt;
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    if (text.starts_with("on")) {
        breakpoint.Enabled = true;
    } else if (text.starts_with("off")) {
        breakpoint.Enabled = false;
    } else {
        return std::nullopt;
    }
    text.remove_prefix(breakpoint.Enabled ? 2 : 3);
    if (!ReadNumber(text, breakpoint.HitCount) || breakpoint.HitCount < 0) return std::nullopt;
    if (!ReadNumber(text, chunks) || chunks < 0 || !text.empty()) return std::nullopt;
    std::string encoded;
    for (int k = 1; k <= chunks; ++k)
        encoded += Ini.ReadString(Section, ChunkKey(Entry, k), "");
    std::string condition = TWorkbenchSettings::Decode(encoded);
    if (condition.size() > basic::PauseLine::kMaxConditionLength ||
        condition.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
        return std::nullopt;
    breakpoint.Condition = std::move(condition);
    return breakpoint;
}

} // namespace

TBreakpointStore::TBreakpointStore()
    : file_(highlight::TSynRegistry::StoreFile(highlight::TSynRootKey::HKEY_CURRENT_USER)) {}

std::string TBreakpointStore::SectionOf(const std::filesystem::path& ProgramFile) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::weakly_canonical(ProgramFile, error);
    if (error) path = std::filesystem::absolute(ProgramFile, error);
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (const char c : path.string()) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return std::string("Breakpoints ") + digits;
}

std::vector<editor::TSynBreakpoint>
TBreakpointStore::Load(const std::filesystem::path& ProgramFile) const {
    const highlight::TIniFile ini(file_.string());
    const std::string section = SectionOf(ProgramFile);
    const int count = ini.ReadInteger(section, "Count", 0);
    std::vector<editor::TSynBreakpoint> breakpoints;
    for (int entry = 1; entry <= count && entry <= 100000; ++entry)
        if (std::optional<editor::TSynBreakpoint> breakpoint = ReadEntry(ini, section, entry))
            breakpoints.push_back(std::move(*breakpoint));
    return breakpoints;
}

bool TBreakpointStore::Save(const std::filesystem::path& ProgramFile,
                            const std::vector<editor::TSynBreakpoint>& Breakpoints) const {
    if (Load(ProgramFile) == Breakpoints) return true;
    highlight::TIniFile ini(file_.string());
    if (!ini.Readable()) return false;
    const std::string section = SectionOf(ProgramFile);
    const std::string name = TWorkbenchSettings::Encode(ProgramFile.string());
    if (name.size() <= kChunk) ini.WriteString(section, "File", name);
    ini.WriteInteger(section, "Count", static_cast<int>(Breakpoints.size()));
    int entry = 0;
    for (const editor::TSynBreakpoint& breakpoint : Breakpoints) {
        ++entry;
        const std::vector<std::string> chunks =
            Chunks(TWorkbenchSettings::Encode(breakpoint.Condition));
        ini.WriteString(section, Key(entry),
                        std::to_string(breakpoint.Line) + (breakpoint.Enabled ? " on " : " off ") +
                            std::to_string(breakpoint.HitCount) + " " +
                            std::to_string(chunks.size()));
        for (std::size_t k = 0; k < chunks.size(); ++k)
            ini.WriteString(section, ChunkKey(entry, static_cast<int>(k + 1)), chunks[k]);
    }
    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
    return ini.UpdateFile();
}

} // namespace marlinet::workbench
