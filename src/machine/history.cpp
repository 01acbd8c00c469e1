#include "machine/history.h"

#include <algorithm>

#include "machine/replayer.h"

namespace marlinet::machine {
namespace {

std::string outside(std::uint64_t statement, const std::optional<History::Extent>& extent) {
    if (!extent) return "The run has not reached its first statement.";
    return "Statement " + std::to_string(statement) + " is not in the history kept (" +
           std::to_string(extent->first.statement) + " to " +
           std::to_string(extent->last.statement) + ").";
}

} // namespace

History::History(std::size_t memory_bound, std::uint64_t snapshot_interval)
    : bound_(memory_bound), interval_(std::max<std::uint64_t>(snapshot_interval, 1)) {}

History::~History() = default;

// ---- queries ----

std::optional<History::Extent> History::extent() const {
    const Lock lock(mutex_);
    return extent_locked();
}

std::optional<History::Extent> History::extent_locked() const {
    const auto first = std::find_if(segments_.begin(), segments_.end(),
                                    [](const Segment& s) { return s.snapshot.has_value(); });
    if (first == segments_.end()) return std::nullopt;
    const Segment& last_segment = segments_.back();
    const Moment last{last_.statement, time_of(last_segment, last_, last_.statement)};
    return Extent{first->start, last, ended_};
}

History::MemoryUse History::memory() const {
    const Lock lock(mutex_);
    return {bound_, used_, dropped_events_, dropped_before_};
}

std::size_t History::segment_for(std::uint64_t statement) const {
    std::size_t low = 0;
    std::size_t high = segments_.size();
    while (low < high) { // the first segment that starts after the statement
        const std::size_t mid = low + (high - low) / 2;
        if (segments_[mid].start.statement <= statement)
            low = mid + 1;
        else
            high = mid;
    }
    // Only the oldest segment can lack a snapshot (the run before its first
    // statement), and the caller has checked that the statement is kept.
    std::size_t index = low == 0 ? 0 : low - 1;
    while (index + 1 < segments_.size() && !segments_[index].snapshot)
        ++index;
    return index;
}

Moment History::end_of(std::size_t segment) const {
    return segment + 1 < segments_.size() ? segments_[segment + 1].start : last_;
}

Replayer& History::replayer() const {
    if (!replayer_) replayer_ = std::make_unique<Replayer>();
    if (replayer_generation_ != program_generation_) {
        replayer_->set_program(program_);
        replayer_generation_ = program_generation_;
    }
    return *replayer_;
}

PastState History::state_at(std::uint64_t statement) const {
    const Lock lock(mutex_);
    return state_at_locked(statement);
}

PastState History::state_at_locked(std::uint64_t statement) const {
    const std::optional<Extent> extent = extent_locked();
    if (!extent || statement < extent->first.statement || statement > extent->last.statement)
        throw HistoryError(outside(statement, extent));
    const std::size_t index = segment_for(statement);
    PastState state = replayer().state_at(segments_[index], statement);
    state.time_us = time_of(segments_[index], end_of(index), statement);
    return state;
}

Moment History::moment_at(std::int64_t time_us) const {
    const Lock lock(mutex_);
    const std::optional<Extent> extent = extent_locked();
    if (!extent) throw HistoryError(outside(0, extent));
    if (time_us <= extent->first.time_us) return extent->first;
    if (time_us >= extent->last.time_us) return extent->last;
    // The last segment with a snapshot that starts by then.
    auto it = std::upper_bound(
        segments_.begin(), segments_.end(), time_us,
        [](std::int64_t time, const Segment& segment) { return time < segment.start.time_us; });
    std::size_t index = static_cast<std::size_t>(it - segments_.begin());
    index = segment_for(segments_[index == 0 ? 0 : index - 1].start.statement);
    const Segment& segment = segments_[index];
    const std::uint64_t statement = statement_at(segment, end_of(index), time_us);
    return {statement, time_of(segment, end_of(index), statement)};
}

std::vector<std::uint64_t> History::pauses() const {
    const Lock lock(mutex_);
    std::vector<std::uint64_t> moments;
    for (const Segment& segment : segments_)
        for (const Record& record : segment.records)
            if (record.kind == RecordKind::Pause) moments.push_back(record.statement);
    return moments;
}

std::uint64_t History::previous_stop(std::uint64_t before,
                                     std::span<const basic::PauseLine> lines) const {
    const Lock lock(mutex_);
    const std::optional<Extent> extent = extent_locked();
    if (!extent) throw HistoryError(outside(before, extent));
    const std::uint64_t first = extent->first.statement;
    if (before <= first) return first;
    for (std::size_t index = segment_for(std::min(before - 1, extent->last.statement));; --index) {
        const Segment& segment = segments_[index];
        std::optional<std::uint64_t> stop;
        // A pause at a segment's last moment is kept with the segment it ends.
        for (const Record& record : segment.records)
            if (record.kind == RecordKind::Pause && record.statement < before)
                stop = std::max(stop.value_or(0), record.statement);
        // An arrival at a segment's first moment is found by the replay of
        // the segment before, which knows the statement that came before it.
        const bool oldest = segment.start.statement == first;
        const std::uint64_t counted = oldest ? first : segment.start.statement + 1;
        const std::uint64_t target = std::min(end_of(index).statement, before - 1);
        if (!lines.empty() && target >= counted) {
            if (const auto arrival = replayer().last_arrival(segment, counted, target, lines))
                stop = std::max(stop.value_or(0), *arrival);
        }
        if (stop) return *stop;
        if (oldest || index == 0) return first;
    }
}

void History::for_each_event(const std::function<void(const Levels&)>& start,
                             const std::function<void(const IoEvent&)>& visit) const {
    const Lock lock(mutex_);
    start(segments_.empty() ? Levels{} : segments_.front().levels);
    for (const Segment& segment : segments_)
        for (const Record& record : segment.records)
            if (!record.anchor_only()) visit(event_of(record, segment.texts));
}

void History::read(
    const std::function<void(const std::deque<Segment>&, Moment last)>& reader) const {
    const Lock lock(mutex_);
    reader(segments_, last_);
}

// ---- recording ----

void History::start(const basic::ProgramBuffer& program, const Levels& levels) {
    const Lock lock(mutex_);
    program_ = program;
    ++program_generation_;
    segments_.clear();
    Segment& first = segments_.emplace_back();
    first.levels = levels;
    last_ = {};
    ended_ = false;
    dropped_events_ = 0;
    dropped_before_ = 0;
    recount();
}

void History::begin_segment(const basic::Snapshot& snapshot, Moment moment, const Levels& levels,
                            const ConsoleLength& console) {
    const Lock lock(mutex_);
    // The run before its first statement, or a second snapshot at a moment
    // that nothing followed yet: the segment is taken over.
    const bool empty =
        !segments_.empty() && segments_.back().records.empty() &&
        (!segments_.back().snapshot || segments_.back().start.statement == moment.statement);
    if (!empty) segments_.emplace_back();
    Segment& segment = segments_.back();
    segment.snapshot = snapshot;
    segment.start = moment;
    segment.levels = levels;
    segment.console = console;
    last_ = std::max(last_, moment, [](Moment a, Moment b) { return a.statement < b.statement; });
    recount();
    drop_oldest();
}

bool History::append(PendingRecords& pending, bool wait) {
    Lock lock(mutex_, std::defer_lock);
    if (wait)
        lock.lock();
    else if (!lock.try_lock())
        return false;
    if (segments_.empty()) segments_.emplace_back();
    Segment& segment = segments_.back();
    used_ -= segment.memory();
    const auto offset = static_cast<std::uint32_t>(segment.texts.size());
    segment.texts += pending.texts;
    for (Record record : pending.records) {
        record.text += offset;
        segment.records.push_back(record);
    }
    segment.summarize_blocks();
    used_ += segment.memory();
    if (pending.last) {
        last_ = *pending.last;
    } else if (!pending.records.empty()) {
        // The statement of the last record may go on; the one before it is
        // complete.
        const Record& newest = pending.records.back();
        const std::uint64_t complete = std::max(newest.statement, std::uint64_t{1}) - 1;
        if (complete > last_.statement) last_ = {complete, newest.time_us};
    }
    pending.clear();
    drop_oldest();
    return true;
}

void History::finish(Moment last) {
    const Lock lock(mutex_);
    last_ = last;
    ended_ = true;
}

History::Continuation History::truncate_after(std::uint64_t statement) {
    const Lock lock(mutex_);
    PastState state = state_at_locked(statement);
    if (!state.snapshot)
        throw HistoryError("The run cannot go on from statement " + std::to_string(statement) +
                           ": it ended there.");
    const std::size_t index = segment_for(statement);
    segments_.erase(segments_.begin() + static_cast<std::ptrdiff_t>(index) + 1, segments_.end());
    Segment& segment = segments_.back();
    // What happened up to the moment stays, its pause too; what came after
    // it, the end of the run and the going on from the pause go.
    const auto later = [&](const Record& r) {
        return r.statement > statement ||
               (r.statement == statement &&
                (r.kind == RecordKind::Resumed || r.kind == RecordKind::End));
    };
    std::erase_if(segment.records, later);
    segment.summarize_blocks(true);
    Continuation going_on{state, segment.levels};
    ConsoleLength console = segment.console;
    for (const Record& record : segment.records)
        apply(record, segment.texts, going_on.levels, console);
    ended_ = false;
    last_ = {statement, state.time_us};
    if (segment.start.statement != statement || !segment.records.empty()) segments_.emplace_back();
    Segment& next = segments_.back();
    next.snapshot = state.snapshot;
    next.start = last_;
    next.levels = going_on.levels;
    next.console = state.console;
    recount();
    return going_on;
}

void History::recount() {
    used_ = 0;
    for (const Segment& segment : segments_)
        used_ += segment.memory();
}

void History::drop_oldest() {
    while (used_ > bound_ && segments_.size() > 1) {
        const Segment& oldest = segments_.front();
        used_ -= oldest.memory();
        dropped_events_ += static_cast<std::uint64_t>(
            std::count_if(oldest.records.begin(), oldest.records.end(),
                          [](const Record& r) { return !r.anchor_only(); }));
        segments_.pop_front();
        dropped_before_ = segments_.front().start.statement;
    }
}

} // namespace marlinet::machine
