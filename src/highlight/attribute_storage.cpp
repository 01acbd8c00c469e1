#include "highlight/attribute_storage.h"

namespace marlinet::highlight {

namespace {

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

// Visits every attribute, even after one failed; true when all succeeded.
template <class Visit>
bool EveryAttribute(const TSynCustomHighlighter& Highlighter, Visit&& Each) {
    bool ok = true;
    for (int i = 0; i < Highlighter.GetAttribCount(); ++i)
        ok = Each(*Highlighter.GetAttribute(i)) && ok;
    return ok;
}

} // namespace

bool LoadFromFile(TSynHighlighterAttributes& Attr, const TIniFile& Ini) {
    const std::string& name = Attr.Name();
    if (Ini.ReadSection(name).empty()) return false;
    if (Ini.ValueExists(name, kBackgroundKey))
        Attr.SetBackground(Ini.ReadInteger(name, kBackgroundKey, Attr.Background()));
    if (Ini.ValueExists(name, kForegroundKey))
        Attr.SetForeground(Ini.ReadInteger(name, kForegroundKey, Attr.Foreground()));
    if (Ini.ValueExists(name, kStyleKey))
        Attr.SetStyleFromInt(Ini.ReadInteger(name, kStyleKey, Attr.GetStyleFromInt()));
    return true;
}

bool SaveToFile(const TSynHighlighterAttributes& Attr, TIniFile& Ini) {
    Ini.WriteInteger(Attr.Name(), kBackgroundKey, Attr.Background());
    Ini.WriteInteger(Attr.Name(), kForegroundKey, Attr.Foreground());
    Ini.WriteInteger(Attr.Name(), kStyleKey, Attr.GetStyleFromInt());
    return true;
}

bool LoadFromRegistry(TSynHighlighterAttributes& Attr, TSynRegistry& Reg) {
    KeyKeeper keeper(Reg);
    if (!Reg.OpenKeyReadOnly(Attr.Name())) return false;
    int value = 0;
    if (Reg.ReadInteger(kBackgroundKey, value)) Attr.SetBackground(value);
    if (Reg.ReadInteger(kForegroundKey, value)) Attr.SetForeground(value);
    if (Reg.ReadInteger(kStyleKey, value)) Attr.SetStyleFromInt(value);
    return true;
}

bool SaveToRegistry(const TSynHighlighterAttributes& Attr, TSynRegistry& Reg) {
    KeyKeeper keeper(Reg);
    if (!Reg.OpenKey(Attr.Name(), true)) return false;
    bool ok = Reg.WriteInteger(kBackgroundKey, Attr.Background());
    ok = Reg.WriteInteger(kForegroundKey, Attr.Foreground()) && ok;
    ok = Reg.WriteInteger(kStyleKey, Attr.GetStyleFromInt()) && ok;
    return ok;
}

bool LoadFromFile(TSynCustomHighlighter& Highlighter, const std::string& AFileName) {
    const TIniFile ini(AFileName);
    return EveryAttribute(Highlighter, [&](TSynHighlighterAttributes& a) {
        return LoadFromFile(a, ini);
    });
}

bool SaveToFile(const TSynCustomHighlighter& Highlighter, const std::string& AFileName) {
    TIniFile ini(AFileName);
    const bool ok = EveryAttribute(Highlighter, [&](const TSynHighlighterAttributes& a) {
        return SaveToFile(a, ini);
    });
    return ini.UpdateFile() && ok;
}

bool LoadFromRegistry(TSynCustomHighlighter& Highlighter, TSynRootKey RootKey,
                      const std::string& Key) {
    TSynRegistry reg(RootKey);
    return LoadFromRegistry(Highlighter, reg, Key);
}

bool SaveToRegistry(const TSynCustomHighlighter& Highlighter, TSynRootKey RootKey,
                    const std::string& Key) {
    TSynRegistry reg(RootKey);
    return SaveToRegistry(Highlighter, reg, Key);
}

bool LoadFromRegistry(TSynCustomHighlighter& Highlighter, TSynRegistry& Reg,
                      const std::string& Key) {
    if (!Reg.OpenKeyReadOnly(Key)) return false;
    return EveryAttribute(Highlighter, [&](TSynHighlighterAttributes& a) {
        return LoadFromRegistry(a, Reg);
    });
}

bool SaveToRegistry(const TSynCustomHighlighter& Highlighter, TSynRegistry& Reg,
                    const std::string& Key) {
    if (!Reg.OpenKey(Key, true)) return false;
    const bool ok = EveryAttribute(Highlighter, [&](const TSynHighlighterAttributes& a) {
        return SaveToRegistry(a, Reg);
    });
    return Reg.Flush() && ok;
}

} // namespace marlinet::highlight
