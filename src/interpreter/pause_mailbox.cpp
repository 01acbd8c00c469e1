#include "interpreter/pause_mailbox.h"

#include <stdexcept>
#include <string>

namespace marlinet::basic {
namespace {

// Blanks around a condition mean nothing; a condition of blanks is none.
std::string_view trimmed(std::string_view text) noexcept {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string line_text(int line) {
    return "The breakpoint in line " + std::to_string(line);
}

void check(const PauseLine& pause) {
    if (pause.line < 1)
        throw std::invalid_argument("A breakpoint needs a line number of 1 or more, not " +
                                    std::to_string(pause.line) + ".");
    const std::string_view condition = trimmed(pause.condition);
    if (condition.size() > PauseLine::kMaxConditionLength)
        throw std::invalid_argument(line_text(pause.line) + " has a condition of " +
                                    std::to_string(condition.size()) + " characters; the most is " +
                                    std::to_string(PauseLine::kMaxConditionLength) + ".");
    // The condition is read as one line of program text: a line break would
    // end it early and a NUL would end it for every reader.
    if (condition.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        throw std::invalid_argument(line_text(pause.line) +
                                    " has a condition that is not on one line.");
}

constexpr std::uint64_t pack(OneShotRequest request) noexcept {
    return std::uint64_t{static_cast<std::uint8_t>(request.kind)} |
           std::uint64_t{static_cast<std::uint32_t>(request.line)} << 8;
}

} // namespace

void PauseMailbox::publish(std::span<const PauseLine> lines) {
    if (lines.size() > PauseTable::kCapacity)
        throw std::invalid_argument("At most " + std::to_string(PauseTable::kCapacity) +
                                    " breakpoints can be set, not " + std::to_string(lines.size()) +
                                    ".");
    for (const PauseLine& pause : lines)
        check(pause);
    PauseTable& table = slots_[writer_];
    table.generation = ++generation_;
    table.count = static_cast<std::uint32_t>(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const PauseLine& pause = lines[i];
        PauseEntry& entry = table.entries[i];
        entry.line = pause.line;
        entry.hit_count = pause.hit_count;
        entry.enabled = pause.enabled;
        const std::string_view condition = trimmed(pause.condition);
        entry.condition_length = static_cast<std::uint8_t>(condition.size());
        condition.copy(entry.condition.data(), condition.size());
    }
    writer_ =
        shared_.exchange(static_cast<std::uint8_t>(writer_ | kFresh), std::memory_order_acq_rel) &
        ~kFresh;
    news_.store(true, std::memory_order_seq_cst);
}

void PauseMailbox::request(OneShotRequest request) noexcept {
    request_.store(pack(request), std::memory_order_release);
    news_.store(true, std::memory_order_seq_cst);
}

const PauseTable* PauseMailbox::take_table() noexcept {
    if (!(shared_.load(std::memory_order_relaxed) & kFresh)) return nullptr;
    reader_ = shared_.exchange(reader_, std::memory_order_acq_rel) & ~kFresh;
    return &slots_[reader_];
}

std::optional<OneShotRequest> PauseMailbox::take_request() noexcept {
    const std::uint64_t word = request_.exchange(0, std::memory_order_acquire);
    if (word == 0) return std::nullopt;
    return OneShotRequest{static_cast<OneShot>(word & 0xff), static_cast<int>(word >> 8)};
}

} // namespace marlinet::basic
