#include "interpreter/token_memo.h"

namespace marlinet::basic {

TokenMemo::TokenMemo(const ProgramBuffer& program)
    : entries_(program.end_of_program() + 1), next_line_(program.end_of_program() + 1) {
    // Positions are stored in 32 bits: the loader caps a file at 1 MiB, and
    // even a file of line breaks only doubles when they become CR LF.
    static_assert(ProgramBuffer::kMaxFileSize * 2 + ProgramBuffer::kTrailer.size() < UINT32_MAX);
    const char* const text = program.data();
    std::uint32_t next = static_cast<std::uint32_t>(program.end_of_program());
    for (std::size_t position = next_line_.size(); position-- > 0;) {
        if (text[position] == '\n') next = static_cast<std::uint32_t>(position + 1);
        next_line_[position] = next;
    }
}

} // namespace marlinet::basic
