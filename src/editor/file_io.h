// File access for the line store: reading a whole file, and writing a file so
// that the old one is replaced only by a completely written new one.
#pragma once

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace marlinet::editor {

// The whole content of a file. Raises EFileStreamError naming the file when it
// cannot be opened or read, or is a directory.
std::string ReadFileBytes(const std::filesystem::path& FileName);

// The whole content of a stream, from position 0 when the stream can seek.
// Raises EFileStreamError when the stream reports a read failure.
std::string ReadStreamBytes(std::istream& Stream);

// Writes a new version of a file. The bytes go to a temporary file in the
// same folder; Commit() flushes it to disk and renames it over the target in
// one step. Until then the old file is untouched, and a writer destroyed
// without Commit() removes its temporary file. A symbolic link is followed,
// so the file it points to is replaced; an existing file keeps its
// permission bits. Every failure raises EFileStreamError naming the target.
class TAtomicFile {
public:
    explicit TAtomicFile(const std::filesystem::path& FileName);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    void Write(const char* data, std::size_t size);
    void Commit();

    const std::filesystem::path& Target() const { return target_; }

private:
    [[noreturn]] void Fail(const char* what, int error);
    void Discard() noexcept;

    std::filesystem::path name_;   // as the caller gave it, for messages
    std::filesystem::path target_; // the file that is replaced
    std::filesystem::path temp_;
    int fd_ = -1;
};

// Base of the buffered file writers: owns the file being written.
class TSynEditFiler {
public:
    explicit TSynEditFiler(const std::filesystem::path& FileName) : file_(FileName) {}
    virtual ~TSynEditFiler() = default;
    TSynEditFiler(const TSynEditFiler&) = delete;
    TSynEditFiler& operator=(const TSynEditFiler&) = delete;

protected:
    TAtomicFile file_;
};

// Writes lines through a buffer of kBufferSize bytes. A line and its break
// are appended together; when they do not fit, the buffer is flushed first,
// and a single line longer than the buffer grows it to that line's size.
// Close() writes the rest and puts the file in place; a writer destroyed
// without Close() (because writing failed) leaves the old file as it was.
class TSynEditFileWriter : public TSynEditFiler {
public:
    static constexpr std::size_t kBufferSize = 16384;

    explicit TSynEditFileWriter(const std::filesystem::path& FileName);

    void WriteLine(std::string_view Line, std::string_view LineBreak);
    void Close();

    std::size_t BufferCapacity() const { return buffer_.size(); }

private:
    void Flush();

    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

} // namespace marlinet::editor
