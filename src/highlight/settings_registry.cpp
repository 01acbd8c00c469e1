#include "highlight/settings_registry.h"

#include <charconv>
#include <cstdlib>

#include "support/ascii.h"

namespace marlinet::highlight {

using support::SameText;

namespace {

// The section of the values at the root, and how a first key of that name
// is written so that the two cannot meet.
constexpr std::string_view kRootSection = "General";
constexpr std::string_view kEscapedRootSection = "%General";

// A key path ("/" between keys) as an INI name: "/" becomes "\", and every
// byte but a letter, a digit, "_", "-" and "." becomes "%" and two digits.
std::string EscapeName(std::string_view Path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : Path) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/') {
            out += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '_' || c == '-' || c == '.') {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        }
    }
    return out;
}

} // namespace

std::filesystem::path TSynRegistry::StoreFile(TSynRootKey RootKey) {
    std::filesystem::path folder = "/etc/xdg";
    if (RootKey == TSynRootKey::HKEY_CURRENT_USER) {
        const char* config = std::getenv("XDG_CONFIG_HOME");
        const char* home = std::getenv("HOME");
        if (config != nullptr && *config != '\0')
            folder = config;
        else
            folder = std::filesystem::path(home != nullptr ? home : ".") / ".config";
    }
    return folder / "Marlinet" / "registry.ini";
}

TSynRegistry::TSynRegistry(TSynRootKey RootKey) : ini_(StoreFile(RootKey).string()) {}

TSynRegistry::TSynRegistry(const std::string& FileName) : ini_(FileName) {}

TSynRegistry::~TSynRegistry() {
    Flush();
}

TSynRegistry::Entry TSynRegistry::EntryOf(std::string_view Path) {
    const std::size_t slash = Path.find('/');
    if (slash == std::string_view::npos) return {std::string(kRootSection), EscapeName(Path)};
    std::string section = EscapeName(Path.substr(0, slash));
    if (section == kRootSection) section = kEscapedRootSection;
    return {std::move(section), EscapeName(Path.substr(slash + 1))};
}

std::string TSynRegistry::Resolve(std::string_view Key) const {
    std::string path = Key.starts_with('\\') ? std::string() : current_;
    std::size_t begin = 0;
    while (begin <= Key.size()) {
        std::size_t end = Key.find('\\', begin);
        if (end == std::string_view::npos) end = Key.size();
        if (end > begin) {
            if (!path.empty()) path += '/';
            path += Key.substr(begin, end - begin);
        }
        begin = end + 1;
    }
    return path;
}

bool TSynRegistry::Exists(const std::string& Path) const {
    if (Path.empty()) return true;
    // A key exists once some value lies beneath it.
    const Entry entry = EntryOf(Path + "/");
    for (const std::string& key : ini_.ReadSection(entry.Section))
        if (key.size() > entry.Key.size() && SameText(key.substr(0, entry.Key.size()), entry.Key))
            return true;
    return false;
}

bool TSynRegistry::OpenKey(std::string_view Key, bool CanCreate) {
    std::string path = Resolve(Key);
    // A key exists in the store once it holds a value; creating one only
    // makes it current until the first write gives it substance.
    if (!CanCreate && !Exists(path)) return false;
    current_ = std::move(path);
    read_only_ = false;
    return true;
}

bool TSynRegistry::OpenKeyReadOnly(std::string_view Key) {
    std::string path = Resolve(Key);
    if (!Exists(path)) return false;
    current_ = std::move(path);
    read_only_ = true;
    return true;
}

void TSynRegistry::CloseKey() {
    current_.clear();
    read_only_ = false;
}

bool TSynRegistry::KeyExists(std::string_view Key) const {
    return Exists(Resolve(Key));
}

std::string TSynRegistry::CurrentPath() const {
    std::string path = current_;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

void TSynRegistry::RestoreKey(std::string_view Path, bool ReadOnly) {
    std::string fromRoot(1, '\\');
    fromRoot += Path;
    current_ = Resolve(fromRoot);
    read_only_ = ReadOnly;
}

bool TSynRegistry::ValueExists(std::string_view Name) const {
    const Entry entry = EntryOf(Resolve(Name));
    return ini_.ValueExists(entry.Section, entry.Key);
}

bool TSynRegistry::ReadInteger(std::string_view Name, int& Value) const {
    const Entry entry = EntryOf(Resolve(Name));
    if (!ini_.ValueExists(entry.Section, entry.Key)) return false;
    const std::string text = ini_.ReadString(entry.Section, entry.Key, "");
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value, 10);
    if (error != std::errc() || end != last || first == last) return false;
    Value = value;
    return true;
}

bool TSynRegistry::WriteInteger(std::string_view Name, int Value) {
    if (read_only_) return false;
    const Entry entry = EntryOf(Resolve(Name));
    ini_.WriteInteger(entry.Section, entry.Key, Value);
    return true;
}

bool TSynRegistry::Flush() {
    // Reading alone leaves no trace: the folder is made only for a write.
    if (ini_.Modified()) {
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::path(ini_.FileName()).parent_path();
        if (!folder.empty()) std::filesystem::create_directories(folder, error);
    }
    return ini_.UpdateFile();
}

} // namespace marlinet::highlight
