#include "workbench/workbench_settings.h"

#include <algorithm>
#include <system_error>

#include "highlight/ini_file.h"
#include "highlight/settings_registry.h"

namespace marlinet::workbench {

namespace {

// Stored bytes per line: a key, "=" and this much stay well inside the
// parser's line.
constexpr std::size_t kPieceSize = 150;

// Bytes the INI file keeps as they are: printable ASCII but the ones its
// parser reads as comments, and the escape itself. Blanks would be trimmed.
bool KeptAsIs(unsigned char C) {
    return C > ' ' && C < 0x7F && C != '%' && C != ';' && C != '#';
}

int HexValue(char C) {
    if (C >= '0' && C <= '9') return C - '0';
    if (C >= 'A' && C <= 'F') return C - 'A' + 10;
    if (C >= 'a' && C <= 'f') return C - 'a' + 10;
    return -1;
}

// The key of piece Index (0-based) of the text stored as Name.
std::string PieceKey(std::string_view Name, std::size_t Index) {
    std::string key(Name);
    if (Index > 0) key += "." + std::to_string(Index + 1);
    return key;
}

std::string ReadText(const highlight::TIniFile& Ini, std::string_view Name) {
    const std::string_view section = TWorkbenchSettings::kSection;
    std::string stored = Ini.ReadString(section, Name, "");
    for (std::size_t i = 1;; ++i) {
        const std::string piece = Ini.ReadString(section, PieceKey(Name, i), "");
        if (piece.empty()) break;
        stored += piece;
    }
    return TWorkbenchSettings::Decode(stored);
}

void WriteText(highlight::TIniFile& Ini, std::string_view Name, std::string_view Text) {
    const std::string_view section = TWorkbenchSettings::kSection;
    const std::string stored = TWorkbenchSettings::Encode(Text);
    // No key is added for nothing.
    if (stored.empty() && !Ini.ValueExists(section, Name)) return;
    std::size_t i = 0;
    for (std::size_t at = 0; i == 0 || at < stored.size(); at += kPieceSize, ++i)
        Ini.WriteString(section, PieceKey(Name, i),
                        std::string_view(stored).substr(at, kPieceSize));
    // The file cannot lose a key: pieces of a longer text before are emptied.
    for (; !Ini.ReadString(section, PieceKey(Name, i), "").empty(); ++i)
        Ini.WriteString(section, PieceKey(Name, i), "");
}

// Writes Ini back, making its folder first.
void Save(highlight::TIniFile& Ini) {
    if (!Ini.Modified()) return;
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(Ini.FileName()).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, error);
    Ini.UpdateFile();
}

} // namespace

TWorkbenchSettings::TWorkbenchSettings()
    : file_(highlight::TSynRegistry::StoreFile(highlight::TSynRootKey::HKEY_CURRENT_USER)) {}

TWorkbenchSettings::TWorkbenchSettings(std::filesystem::path File) : file_(std::move(File)) {}

std::optional<int> TWorkbenchSettings::ReadInteger(std::string_view Name) const {
    const highlight::TIniFile ini(file_.string());
    if (!ini.ValueExists(kSection, Name)) return std::nullopt;
    constexpr int kMissing = -2147483647 - 1;
    const int value = ini.ReadInteger(kSection, Name, kMissing);
    if (value == kMissing) return std::nullopt;
    return value;
}

void TWorkbenchSettings::WriteInteger(std::string_view Name, int Value) {
    highlight::TIniFile ini(file_.string());
    ini.WriteInteger(kSection, Name, Value);
    Save(ini);
}

std::vector<std::string> TWorkbenchSettings::ReadList(std::string_view Name, int MaxCount) const {
    const highlight::TIniFile ini(file_.string());
    std::vector<std::string> values;
    for (int i = 1; i <= MaxCount; ++i) {
        std::string text = ReadText(ini, std::string(Name) + std::to_string(i));
        if (!text.empty()) values.push_back(std::move(text));
    }
    return values;
}

void TWorkbenchSettings::WriteList(std::string_view Name, const std::vector<std::string>& Values,
                                   int MaxCount) {
    highlight::TIniFile ini(file_.string());
    for (int i = 1; i <= MaxCount; ++i) {
        const auto index = static_cast<std::size_t>(i - 1);
        WriteText(ini, std::string(Name) + std::to_string(i),
                  index < Values.size() ? std::string_view(Values[index]) : std::string_view());
    }
    Save(ini);
}

std::string TWorkbenchSettings::Encode(std::string_view Text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(Text.size());
    for (const char c : Text) {
        const auto byte = static_cast<unsigned char>(c);
        if (KeptAsIs(byte)) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        }
    }
    return out;
}

std::string TWorkbenchSettings::Decode(std::string_view Stored) {
    std::string out;
    out.reserve(Stored.size());
    for (std::size_t i = 0; i < Stored.size(); ++i) {
        const int high = i + 2 < Stored.size() && Stored[i] == '%' ? HexValue(Stored[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(Stored[i + 2]) : -1;
        if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += Stored[i]; // not an escape: kept as written
        }
    }
    return out;
}

} // namespace marlinet::workbench
