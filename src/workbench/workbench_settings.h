// The window's own settings (recent files, zoom), kept in the program's
// settings store: the INI file of the highlighter's settings registry, in
// its section "Workbench".
//
// Every read takes the file as it is now and every write rewrites it at
// once (atomically), so two windows open at the same time see each other's
// changes and nothing waits for the program to end. A store that cannot be
// read or written reads as empty and keeps nothing; it is never an error.
//
// Texts may hold any byte but NUL: the file keeps them percent-encoded, and
// cut into pieces that each fit a line the INI parser reads whole.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marlinet::workbench {

class TWorkbenchSettings {
public:
    static constexpr std::string_view kSection = "Workbench";

    // The user's settings store, as the highlighter's registry keeps it.
    TWorkbenchSettings();
    explicit TWorkbenchSettings(std::filesystem::path File);

    const std::filesystem::path& File() const { return file_; }

    std::optional<int> ReadInteger(std::string_view Name) const;
    void WriteInteger(std::string_view Name, int Value);

    // The texts stored as Name1, Name2, ... up to NameMaxCount; empty ones
    // are left out.
    std::vector<std::string> ReadList(std::string_view Name, int MaxCount) const;
    // Stores Values (at most MaxCount of them) as Name1, Name2, ... and
    // empties the rest up to NameMaxCount.
    void WriteList(std::string_view Name, const std::vector<std::string>& Values, int MaxCount);

    // How a text is kept in the file, and back.
    static std::string Encode(std::string_view Text);
    static std::string Decode(std::string_view Stored);

private:
    std::filesystem::path file_;
};

} // namespace marlinet::workbench
