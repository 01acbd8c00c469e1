// The history of a run, for stepping back: every event of the run (the
// readings it made among them) and a snapshot of the interpreter every
// snapshot_interval() statements (kSnapshotInterval unless told otherwise).
// To show moment n, the last snapshot at or before it is restored on an
// interpreter of the history's own and run with the recorded readings up to
// n (replayer.h); the state is exactly the run's (variables, program
// position, stacks, board outputs, console length). The memory is bounded:
// the oldest segments are dropped first.
//
// A Recorder (recorder.h) fills it from a run. Threads: the recorder's
// calls come from the run's thread; the queries may come from any thread,
// also while a run records. They take the history's lock, which the
// recorder only tries while the program runs freely (it waits for it only
// at a snapshot, a pause, an INPUT, a DELAY and the end), so a query does
// not slow the run. A query that replays runs up to one interval of
// statements.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "interpreter/debugging.h"
#include "interpreter/program_buffer.h"
#include "machine/history_record.h"
#include "machine/past_state.h"

namespace marlinet::machine {

class Replayer;

// Records not yet in the history, with their texts (Record::text counts
// from the start of `texts`).
struct PendingRecords {
    std::vector<Record> records;
    std::string texts;
    // The latest moment that is complete, when known exactly.
    std::optional<Moment> last;

    void clear() noexcept {
        records.clear();
        texts.clear();
        last.reset();
    }
};

class History {
public:
    static constexpr std::size_t kDefaultMemoryBound = std::size_t{64} << 20;
    static constexpr std::uint64_t kSnapshotInterval = 65536;

    // A shorter interval makes replays shorter and snapshots more frequent.
    explicit History(std::size_t memory_bound = kDefaultMemoryBound,
                     std::uint64_t snapshot_interval = kSnapshotInterval);
    ~History();
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    std::uint64_t snapshot_interval() const noexcept { return interval_; }

    // ---- what is kept ----
    struct Extent {
        Moment first; // the oldest moment kept
        Moment last;  // the latest moment recorded
        bool ended = false;
    };
    // The moments state_at reaches; nothing before the run reached its first
    // statement.
    std::optional<Extent> extent() const;

    struct MemoryUse {
        std::size_t bound = 0;
        std::size_t used = 0; // records, texts and snapshots
        // What was dropped to stay within the bound: events, and the moments
        // before `dropped_before` (0: nothing).
        std::uint64_t dropped_events = 0;
        std::uint64_t dropped_before = 0;
    };
    MemoryUse memory() const;

    // ---- moments ----
    // The state at moment `statement`. Throws HistoryError for a moment
    // outside extent(), or when the record does not replay.
    PastState state_at(std::uint64_t statement) const;
    // The moment the run was at by `time_us` (within extent()).
    Moment moment_at(std::int64_t time_us) const;
    // The moments at which the run paused, oldest first.
    std::vector<std::uint64_t> pauses() const;
    // Where Run back stops, going back from moment `before`: the latest
    // earlier moment at which the run paused or arrived at one of `lines`
    // (enabled, with their conditions; hit counts are left out), else the
    // oldest moment kept. Replays segment after segment backwards, so it can
    // take a while in a long history. Throws as state_at does.
    std::uint64_t previous_stop(std::uint64_t before,
                                std::span<const basic::PauseLine> lines) const;

    // Calls `visit` with every event kept, oldest first, and the board's
    // levels where the kept history starts. `visit` must not call the history.
    void for_each_event(const std::function<void(const Levels& at_start)>& start,
                        const std::function<void(const IoEvent&)>& visit) const;
    // Calls `reader` with the segments and the latest moment, under the
    // lock. `reader` must not call the history.
    void read(const std::function<void(const std::deque<Segment>&, Moment last)>& reader) const;

    // ---- recording: the Recorder, on the run's thread ----
    // A run of `program` starts, its board at `levels`: forgets everything.
    void start(const basic::ProgramBuffer& program, const Levels& levels);
    // Opens a segment at a snapshot; the pending records must have been
    // appended before.
    void begin_segment(const basic::Snapshot& snapshot, Moment moment, const Levels& levels,
                       const ConsoleLength& console);
    // Moves the pending records into the history and clears them. Without
    // `wait`, gives up (false, nothing moved) while a query holds the lock.
    bool append(PendingRecords& pending, bool wait);
    // The run ended at `last`.
    void finish(Moment last);
    // Going on from moment `statement`: drops every later moment and
    // returns the state to go on from, with the board's levels then.
    // Throws HistoryError when there is no snapshot to go on from (the end
    // of a run, or a moment outside the history).
    struct Continuation {
        PastState state;
        Levels levels;
    };
    Continuation truncate_after(std::uint64_t statement);

private:
    using Lock = std::unique_lock<std::mutex>;
    std::optional<Extent> extent_locked() const;
    // The segment to replay for `statement`: the last one with a snapshot
    // that starts at or before it.
    std::size_t segment_for(std::uint64_t statement) const;
    Moment end_of(std::size_t segment) const;
    PastState state_at_locked(std::uint64_t statement) const;
    Replayer& replayer() const;
    void recount();
    void drop_oldest();

    mutable std::mutex mutex_;
    const std::size_t bound_;
    const std::uint64_t interval_;
    std::deque<Segment> segments_;
    Moment last_;
    bool ended_ = false;
    std::size_t used_ = 0;
    std::uint64_t dropped_events_ = 0;
    std::uint64_t dropped_before_ = 0;
    basic::ProgramBuffer program_;
    // The replayer has the program when this equals program_generation_.
    std::uint64_t program_generation_ = 0;
    mutable std::uint64_t replayer_generation_ = UINT64_MAX;
    mutable std::unique_ptr<Replayer> replayer_;
};

} // namespace marlinet::machine
