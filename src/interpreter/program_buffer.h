// The program text as the interpreter reads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace marlinet::basic {

// The program file's text with every line break as CR LF, followed by the
// trailer CR LF CR LF NUL. The first NUL ends the program; because the buffer
// always ends with one, no reader can run past its end.
class ProgramBuffer {
public:
    static constexpr std::size_t kMaxFileSize = std::size_t{1} << 20;
    static constexpr std::string_view kTrailer{"\r\n\r\n\0", 5};
    // Zero bytes kept after the trailer so that a reader may load a whole
    // word at any position up to the final NUL.
    static constexpr std::size_t kPadding = 8;

    // An empty program: only the trailer.
    ProgramBuffer();

    // Builds the buffer from a file's bytes. CR LF, LF and a lone CR each
    // become CR LF; every other byte (NUL and bytes above 127 included) is
    // kept as it is.
    static ProgramBuffer from_file_bytes(std::string_view bytes);

    const char* data() const noexcept { return bytes_.data(); }
    // Size including the trailer (and not the padding).
    std::size_t size() const noexcept { return bytes_.size() - kPadding; }
    // The bytes before the trailer.
    std::string_view text() const noexcept { return {bytes_.data(), size() - kTrailer.size()}; }

    // Offset of the first NUL: where the program ends for every reader.
    std::size_t end_of_program() const noexcept { return first_nul_; }

    // The number of CR characters before `position`: the 0-based line that
    // holds it. O(log lines).
    int line_index_of(std::size_t position) const noexcept;
    // Offset of the first character of the 0-based line `line_index` (size()
    // for a line past the buffer). The trailer's empty lines count.
    std::size_t line_start(std::size_t line_index) const noexcept;

    // Replaces the text as from_file_bytes does, in the storage already held:
    // allocates nothing when reserve() has made room for `bytes` before.
    void refill(std::string_view bytes);
    // Makes room for a file of `file_bytes` bytes holding at most `line_breaks` line breaks.
    void reserve(std::size_t file_bytes, std::size_t line_breaks);

private:
    explicit ProgramBuffer(std::string_view bytes);

    std::vector<char> bytes_;
    std::vector<std::uint32_t> carriage_returns_; // ascending offsets of every CR
    std::size_t first_nul_ = 0;
};

// A program file that cannot be run: unreadable, or over kMaxFileSize bytes.
class ProgramFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a program file into a buffer. Throws ProgramFileError with a message
// that names the file.
ProgramBuffer load_program_buffer(const std::filesystem::path& file);

} // namespace marlinet::basic
