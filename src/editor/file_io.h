// The line store's buffered file writer. The file is replaced only once the
// new text is completely written (support/files.h).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <vector>

#include "support/files.h"

namespace marlinet::editor {

using support::ReadFileBytes;
using support::ReadStreamBytes;
using support::TAtomicFile;

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
