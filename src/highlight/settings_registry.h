// A hierarchical settings store with registry-style operations: keys open
// beneath a root, relative to the current key or absolute, holding named
// integer values. It stands in for the platform registry of the highlighter
// persistence and is kept in an INI file: the first key of a path names the
// section ("General" for values at the root), the rest of the path, keys
// separated by "\", names the entry; bytes other than letters, digits, "_",
// "-" and "." are written as "%" and two hexadecimal digits.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "highlight/ini_file.h"

namespace marlinet::highlight {

// The roots of the store: the user's settings and the machine's.
enum class TSynRootKey { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE };

class TSynRegistry {
public:
    // The program's settings of that root: Marlinet/registry.ini in the
    // user's configuration folder ($XDG_CONFIG_HOME, else ~/.config) or in
    // the machine's (/etc/xdg).
    explicit TSynRegistry(TSynRootKey RootKey);
    // A store kept in the given INI file.
    explicit TSynRegistry(const std::string& FileName);
    ~TSynRegistry();
    TSynRegistry(const TSynRegistry&) = delete;
    TSynRegistry& operator=(const TSynRegistry&) = delete;

    // Key paths separate keys with "\"; a path that starts with "\" is
    // taken from the root, any other from the current key. Empty keys in a
    // path are ignored.
    //
    // Makes the key current for reading and writing. Without CanCreate a
    // key that does not exist is not opened and the current key stays.
    bool OpenKey(std::string_view Key, bool CanCreate);
    // Makes an existing key current for reading only; writes then fail.
    bool OpenKeyReadOnly(std::string_view Key);
    // Back to the root, for reading and writing.
    void CloseKey();
    bool KeyExists(std::string_view Key) const;

    // The current key from the root, keys separated by "\", without a
    // leading one; empty at the root.
    std::string CurrentPath() const;
    bool ReadOnly() const noexcept { return read_only_; }
    // Makes a key current again exactly as it was before (see CurrentPath).
    void RestoreKey(std::string_view Path, bool ReadOnly);

    bool ValueExists(std::string_view Name) const;
    // False, leaving Value alone, when the value is missing or no integer.
    bool ReadInteger(std::string_view Name, int& Value) const;
    // False when the current key is open for reading only.
    bool WriteInteger(std::string_view Name, int Value);

    // Writes what changed to the store (creating its folder when needed);
    // false when it cannot be written. Destruction flushes too.
    bool Flush();

    // Where a root's store is kept.
    static std::filesystem::path StoreFile(TSynRootKey RootKey);

private:
    struct Entry {
        std::string Section;
        std::string Key;
    };
    std::string Resolve(std::string_view Key) const;
    bool Exists(const std::string& Path) const;
    static Entry EntryOf(std::string_view Path);

    TIniFile ini_;
    std::string current_; // keys separated by "/", no leading one
    bool read_only_ = false;
};

} // namespace marlinet::highlight
