// What the fuzz targets share: how a broken promise stops the run, a folder
// for the targets that must go through files, and splitting text at line
// breaks the way every text reader of this program does.
#pragma once

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace marlinet::fuzz {

// libFuzzer keeps the input that got here as a crash artifact.
[[noreturn]] inline void fail(const char* target, const char* what) {
    std::fprintf(stderr, "%s_fuzz: %s\n", target, what);
    std::abort();
}

// A private folder for the whole fuzzing process, in memory when the machine
// has /dev/shm: the targets that read or write files do so thousands of
// times a second. Removed when the process ends normally; one left by a
// process that crashed goes when the next one starts.
inline const std::filesystem::path& scratch_folder() {
    struct Folder {
        std::filesystem::path path;
        Folder() {
            std::error_code error;
            std::filesystem::path base = "/dev/shm";
            if (!std::filesystem::is_directory(base, error))
                base = std::filesystem::temp_directory_path();
            const std::string prefix = "marlinet-fuzz-";
            for (const auto& entry : std::filesystem::directory_iterator(base, error)) {
                const std::string name = entry.path().filename().string();
                if (!name.starts_with(prefix)) continue;
                const int pid = std::atoi(name.c_str() + prefix.size());
                if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH)
                    std::filesystem::remove_all(entry.path(), error);
            }
            path = base / (prefix + std::to_string(::getpid()));
            std::filesystem::remove_all(path, error);
            if (!std::filesystem::create_directory(path, error))
                fail("fuzz", "cannot make a scratch folder");
        }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path;
}

// The lines of a text: CR LF is one break, CR and LF alone are one each (so
// LF CR is two), and a text that ends in a break ends with an empty line. An
// empty text has no lines.
inline std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (!text.empty()) lines.push_back(text.substr(start));
    return lines;
}

} // namespace marlinet::fuzz
