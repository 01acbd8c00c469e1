#include "highlight/settings_registry.h"

#include <QSettings>
#include <QString>
#include <QStringList>

#include "highlight/attributes.h"

namespace marlinet::highlight {

namespace {

QString ToQt(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QSettings::Scope ScopeOf(TSynRootKey RootKey) {
    return RootKey == TSynRootKey::HKEY_LOCAL_MACHINE ? QSettings::SystemScope
                                                      : QSettings::UserScope;
}

// Restores the key that was current when it was made.
class KeyKeeper {
public:
    explicit KeyKeeper(TSynRegistry& Reg)
        : reg_(Reg), path_(Reg.CurrentPath()), read_only_(Reg.ReadOnly()) {}
    ~KeyKeeper() { reg_.RestoreKey(path_, read_only_); }
    KeyKeeper(const KeyKeeper&) = delete;
    KeyKeeper& operator=(const KeyKeeper&) = delete;

private:
    TSynRegistry& reg_;
    std::string path_;
    bool read_only_;
};

} // namespace

TSynRegistry::TSynRegistry(TSynRootKey RootKey)
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, ScopeOf(RootKey),
                                            QStringLiteral("Marlinet"),
                                            QStringLiteral("registry"))) {}

TSynRegistry::TSynRegistry(const std::string& FileName)
    : settings_(std::make_unique<QSettings>(ToQt(FileName), QSettings::IniFormat)) {}

TSynRegistry::~TSynRegistry() = default;

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
    settings_->beginGroup(ToQt(Path));
    const bool exists = !settings_->allKeys().isEmpty();
    settings_->endGroup();
    return exists;
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
    current_ = Resolve("\\" + std::string(Path));
    read_only_ = ReadOnly;
}

bool TSynRegistry::ValueExists(std::string_view Name) const {
    return settings_->contains(ToQt(Resolve(Name)));
}

bool TSynRegistry::ReadInteger(std::string_view Name, int& Value) const {
    const QVariant stored = settings_->value(ToQt(Resolve(Name)));
    if (!stored.isValid()) return false;
    bool ok = false;
    const int value = stored.toInt(&ok);
    if (ok) Value = value;
    return ok;
}

bool TSynRegistry::WriteInteger(std::string_view Name, int Value) {
    if (read_only_) return false;
    settings_->setValue(ToQt(Resolve(Name)), Value);
    return true;
}

bool TSynRegistry::Flush() {
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

bool TSynHighlighterAttributes::LoadFromRegistry(TSynRegistry& Reg) {
    KeyKeeper keeper(Reg);
    if (!Reg.OpenKeyReadOnly(name_)) return false;
    int value = 0;
    if (Reg.ReadInteger(kBackgroundKey, value)) SetBackground(value);
    if (Reg.ReadInteger(kForegroundKey, value)) SetForeground(value);
    if (Reg.ReadInteger(kStyleKey, value)) SetStyleFromInt(value);
    return true;
}

bool TSynHighlighterAttributes::SaveToRegistry(TSynRegistry& Reg) const {
    KeyKeeper keeper(Reg);
    if (!Reg.OpenKey(name_, true)) return false;
    bool ok = Reg.WriteInteger(kBackgroundKey, background_);
    ok = Reg.WriteInteger(kForegroundKey, foreground_) && ok;
    ok = Reg.WriteInteger(kStyleKey, GetStyleFromInt()) && ok;
    return ok;
}

} // namespace marlinet::highlight
