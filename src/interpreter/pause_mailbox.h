// How the window thread hands pause lines and debugger commands to a run that
// is executing, without a lock and without allocating.
//
// The pause lines travel as fixed-size tables through three slots: the
// window fills the slot it owns and swaps it with the shared one; the run
// swaps the shared one with the slot it reads. A one-shot command is a
// single word. Either raises the news flag, which the run looks at between
// statements.
//
// Thread contract: publish, request and clear_request are for one writer
// thread (the window); every other member is for the run's thread.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "interpreter/debugging.h"

namespace marlinet::basic {

struct PauseEntry {
    std::int32_t line = 0;
    std::uint32_t hit_count = 0;
    bool enabled = false;
    std::uint8_t condition_length = 0;
    std::array<char, PauseLine::kMaxConditionLength> condition{};

    std::string_view condition_text() const noexcept {
        return {condition.data(), condition_length};
    }
};

struct PauseTable {
    static constexpr std::size_t kCapacity = 128;

    std::uint32_t generation = 0; // counts publications: equal generations, equal tables
    std::uint32_t count = 0;
    std::array<PauseEntry, kCapacity> entries{};
};

enum class OneShot : std::uint8_t { None, RunToLine, StepOver, StepOut };

struct OneShotRequest {
    OneShot kind = OneShot::None;
    int line = 0; // RunToLine
};

class PauseMailbox {
public:
    PauseMailbox() = default;
    PauseMailbox(const PauseMailbox&) = delete;
    PauseMailbox& operator=(const PauseMailbox&) = delete;

    // ---- writer ----
    // Validates `lines` and makes them the newest table. Throws
    // std::invalid_argument, with a message for the user, for more than
    // kCapacity lines, a line below 1, or a condition that is too long or
    // holds a line break or NUL; nothing is published then.
    void publish(std::span<const PauseLine> lines);
    // Replaces any one-shot command not yet taken.
    void request(OneShotRequest request) noexcept;
    void clear_request() noexcept { request_.store(0, std::memory_order_relaxed); }

    // ---- reader ----
    // True once after each publish or request: clears the flag.
    bool take_news() noexcept { return news_.exchange(false, std::memory_order_acq_rel); }
    bool has_news() const noexcept { return news_.load(std::memory_order_seq_cst); }
    // The newest table if one was published since the last call, else nullptr.
    // The table stays valid and unchanged until the next call.
    const PauseTable* take_table() noexcept;
    // The table the last take_table gave (empty before the first).
    const PauseTable& table() const noexcept { return slots_[reader_]; }
    std::optional<OneShotRequest> take_request() noexcept;

private:
    static constexpr std::uint8_t kFresh = 4; // the shared slot holds an unread table

    std::array<PauseTable, 3> slots_{};
    std::uint8_t writer_ = 0;               // writer's own
    std::uint8_t reader_ = 1;               // reader's own
    std::atomic<std::uint8_t> shared_{2};   // slot index, with kFresh
    std::uint32_t generation_ = 0;          // writer's own
    std::atomic<std::uint64_t> request_{0}; // packed OneShotRequest; 0 for none
    std::atomic<bool> news_{false};
};

} // namespace marlinet::basic
