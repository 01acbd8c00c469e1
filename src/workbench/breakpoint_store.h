// The breakpoints of each program file, remembered in the program's settings
// store (the INI file of highlight::TSynRegistry, in the user's configuration
// folder), so that they come back when the file is opened again.
//
// A file's breakpoints are one section, named after a hash of the file's
// absolute path: "Breakpoints" and 16 hexadecimal digits. It holds Count and
// one entry per breakpoint, "N=LINE on|off HITS CHUNKS", its condition in
// CHUNKS entries "N.K" (percent-encoded, so that no blank at an end, comment
// character or byte outside printable ASCII reaches the file, and short
// enough that the INI reader takes every line whole). Entries beyond Count
// are left over from an earlier, longer list and mean nothing.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "editor/markers.h"

namespace marlinet::workbench {

class TBreakpointStore {
public:
    // The user's settings store.
    TBreakpointStore();
    explicit TBreakpointStore(std::filesystem::path SettingsFile)
        : file_(std::move(SettingsFile)) {}

    const std::filesystem::path& SettingsFile() const { return file_; }

    // The breakpoints remembered for ProgramFile; none when the store holds
    // none or cannot be read. Entries that do not describe a breakpoint are
    // left out.
    std::vector<editor::TSynBreakpoint> Load(const std::filesystem::path& ProgramFile) const;
    // Remembers Breakpoints for ProgramFile. Writes only when they differ
    // from what the store holds (nothing for a file without breakpoints that
    // never had any). False when the store cannot be written.
    bool Save(const std::filesystem::path& ProgramFile,
              const std::vector<editor::TSynBreakpoint>& Breakpoints) const;

    // The section that holds ProgramFile's breakpoints.
    static std::string SectionOf(const std::filesystem::path& ProgramFile);

private:
    std::filesystem::path file_;
};

} // namespace marlinet::workbench
