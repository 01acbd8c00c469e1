#include "interpreter/token_memo.h"

namespace marlinet::basic {

TokenMemo::TokenMemo(const ProgramBuffer& program) {
    reserve(program.end_of_program());
    refill(program);
}

void TokenMemo::reserve(std::size_t end_of_program) {
    entries_.reserve(end_of_program + 1);
    next_line_.reserve(end_of_program + 1);
}

void TokenMemo::refill(const ProgramBuffer& program) {
    // Positions are stored in 32 bits: the loader caps a file at 1 MiB, and
    // even a file of line breaks only doubles when they become CR LF.
    static_assert(ProgramBuffer::kMaxFileSize * 2 + ProgramBuffer::kTrailer.size() < UINT32_MAX);
    entries_.assign(program.end_of_program() + 1, DecodedToken{});
    next_line_.assign(program.end_of_program() + 1, 0);
    const char* const text = program.data();
    std::uint32_t next = static_cast<std::uint32_t>(program.end_of_program());
    for (std::size_t position = next_line_.size(); position-- > 0;) {
        if (text[position] == '\n') next = static_cast<std::uint32_t>(position + 1);
        next_line_[position] = next;
    }
}

} // namespace marlinet::basic
