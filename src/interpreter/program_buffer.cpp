#include "interpreter/program_buffer.h"

#include <algorithm>
#include <string>

#include "support/errors.h"
#include "support/files.h"

namespace marlinet::basic {

ProgramBuffer::ProgramBuffer() : ProgramBuffer(std::string_view{}) {}

ProgramBuffer ProgramBuffer::from_file_bytes(std::string_view bytes) {
    return ProgramBuffer(bytes);
}

ProgramBuffer::ProgramBuffer(std::string_view bytes) {
    bytes_.reserve(bytes.size() + bytes.size() / 16 + kTrailer.size() + kPadding);
    refill(bytes);
}

void ProgramBuffer::reserve(std::size_t file_bytes, std::size_t line_breaks) {
    bytes_.reserve(file_bytes + line_breaks + kTrailer.size() + kPadding);
    carriage_returns_.reserve(line_breaks + 2);
}

void ProgramBuffer::refill(std::string_view bytes) {
    std::vector<char>& out = bytes_;
    out.clear();
    carriage_returns_.clear();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            carriage_returns_.push_back(static_cast<std::uint32_t>(out.size()));
            out.push_back('\r');
            out.push_back('\n');
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            out.push_back(c);
        }
    }
    for (char c : kTrailer) {
        if (c == '\r') carriage_returns_.push_back(static_cast<std::uint32_t>(out.size()));
        out.push_back(c);
    }
    first_nul_ = static_cast<std::size_t>(std::find(out.begin(), out.end(), '\0') - out.begin());
    out.resize(out.size() + kPadding, '\0');
}

std::size_t ProgramBuffer::line_start(std::size_t line_index) const noexcept {
    if (line_index == 0) return 0;
    if (line_index > carriage_returns_.size()) return size();
    return carriage_returns_[line_index - 1] + std::size_t{2}; // past the CR LF
}

int ProgramBuffer::line_index_of(std::size_t position) const noexcept {
    const auto end = std::lower_bound(carriage_returns_.begin(), carriage_returns_.end(), position);
    return static_cast<int>(end - carriage_returns_.begin());
}

ProgramBuffer load_program_buffer(const std::filesystem::path& file) {
    std::string bytes;
    try {
        bytes = support::ReadFileBytes(file, ProgramBuffer::kMaxFileSize);
    } catch (const support::EFileStreamError& e) {
        throw ProgramFileError(e.what());
    }
    if (bytes.size() > ProgramBuffer::kMaxFileSize)
        throw ProgramFileError("File " + file.string() + " is too large to run: the limit is " +
                               std::to_string(ProgramBuffer::kMaxFileSize) + " bytes (1 MiB)");
    return ProgramBuffer::from_file_bytes(bytes);
}

} // namespace marlinet::basic
