// The program files a student may hand in that no program should choke on,
// made in a folder for the tests and benchmarks of the workbench and the
// runner, and a way for a root process to meet file permissions as any user
// does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace marlinet::testing {

struct THostileFile {
    std::string name;
    std::filesystem::path path;
    // Refused files: what the message says besides the file's name.
    std::string refusal;
    // The others: whether a run ends in an error (else at the end).
    bool error = false;
    // Readable only by a process that ignores permissions (root).
    bool unreadable = false;
};

inline constexpr std::size_t kOneMiB = std::size_t{1} << 20;

// The seven files, written into Dir.
inline std::vector<THostileFile> MakeHostileFiles(const std::filesystem::path& Dir) {
    namespace fs = std::filesystem;
    const auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(Dir / name, std::ios::binary) << bytes;
        return Dir / name;
    };
    std::string line;
    while (line.size() + 6 <= kOneMiB)
        line += "A=A+1 "; // 174,762 statements
    line.resize(kOneMiB, ' ');

    std::mt19937 random(13);
    std::string binary(64 * 1024, '\0');
    for (char& c : binary)
        c = static_cast<char>(random() % 256);
    binary[1000] = '\0'; // NULs however the bytes fall

    std::string every(256, '\0');
    for (std::size_t i = 0; i < every.size(); ++i)
        every[i] = static_cast<char>(i);

    std::vector<THostileFile> files = {
        {"one line of 1 MiB", write("one_line.bas", line), "", false},
        {"random bytes with NULs", write("random.bin", binary), "", true},
        {"only CRs (1 MiB)", write("only_crs.bas", std::string(kOneMiB, '\r')), "", false},
        // The NUL at its start ends the program at once.
        {"every byte 0-255", write("every_byte.bin", every), "", false},
        {"1 MiB and one byte", write("over_1MiB.bas", std::string(kOneMiB + 1, ' ')), "too large"},
        {"no read permission", write("unreadable.bas", "PRINT 1\n"), "Permission denied"},
        {"a folder", Dir / "folder.bas", "Is a directory"},
    };
    files[5].unreadable = true;
    fs::permissions(files[5].path, fs::perms::none);
    fs::create_directory(files[6].path);
    return files;
}

// While it lives, the calling thread opens files as an ordinary user would:
// it drops the capabilities that let root read any file. Threads hold their
// capabilities each for itself, so the rest of the process keeps them.
class TWithoutFileOverride {
public:
    TWithoutFileOverride() {
        if (Call(SYS_capget) != 0) return;
        saved_ = data_[0].effective;
        data_[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        dropped_ = Call(SYS_capset) == 0;
    }
    ~TWithoutFileOverride() {
        if (!dropped_) return;
        data_[0].effective = saved_;
        (void)Call(SYS_capset);
    }
    TWithoutFileOverride(const TWithoutFileOverride&) = delete;
    TWithoutFileOverride& operator=(const TWithoutFileOverride&) = delete;

private:
    long Call(long Number) { return ::syscall(Number, &header_, data_); }

    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data_[2]{};
    std::uint32_t saved_ = 0;
    bool dropped_ = false;
};

} // namespace marlinet::testing
