// Whole-file reading, and writing a file so that the old one is replaced only
// by a completely written new one. Every failure raises EFileStreamError
// naming the file and the reason.
#pragma once

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>

namespace marlinet::support {

// The whole content of a file; a directory is refused. At most MaxBytes + 1
// bytes are read: a longer result tells a caller with a limit that the file
// is over it, without reading the rest of a huge file.
std::string ReadFileBytes(const std::filesystem::path& FileName,
                          std::size_t MaxBytes = std::string::npos - 1);

// The whole content of a stream, from position 0 when the stream can seek.
std::string ReadStreamBytes(std::istream& Stream);

// Writes a new version of a file. The bytes go to a temporary file in the
// same folder; Commit() flushes it to disk and renames it over the target in
// one step. Until then the old file is untouched, and a writer destroyed
// without Commit() removes its temporary file. A writer holds a lock on its
// temporary file; one that was killed leaves the file behind unlocked, and
// the next save of the same target removes it. A symbolic link is followed,
// so the file it points to is replaced; an existing file keeps its
// permission bits.
class TAtomicFile {
public:
    explicit TAtomicFile(const std::filesystem::path& FileName);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    void Write(const char* data, std::size_t size);
    void Commit();

private:
    [[noreturn]] void Fail(const char* what, int error);
    void Discard() noexcept;

    std::filesystem::path name_;   // as the caller gave it, for messages
    std::filesystem::path target_; // the file that is replaced
    std::filesystem::path temp_;
    int fd_ = -1;
};

// Writes Text as the whole new content of FileName (see TAtomicFile).
void SaveFileAtomically(const std::filesystem::path& FileName, std::string_view Text);

} // namespace marlinet::support
