#include "machine/timeline.h"

#include <algorithm>
#include <array>

namespace marlinet::machine {
namespace {

__extension__ typedef __int128 Wide;

// One pass over the events of a time range, column by column.
class ColumnScan {
public:
    ColumnScan(TimelineColumns& out, std::int64_t from, std::int64_t to, const Levels& levels)
        : out_(out), from_(from), to_(to), width_(out.width()), levels_(levels) {
        filled_.fill(-1);
        next_boundary_ = boundary(1);
    }

    // Records come in time order; those before the range only set levels.
    void add(const Record& record) {
        const std::optional<StripValue> value = strip_value(record);
        if (!value) return;
        const auto strip = static_cast<std::size_t>(value->strip);
        const bool stepped = strip < kSteppedStripCount;
        if (record.time_us < from_) {
            if (stepped && value->changes_level) levels_[strip] = {value->value, true};
            return;
        }
        advance(record.time_us);
        if (stepped) fill(strip, column_);
        TimelineCell& cell = out_.at(value->strip, column_);
        ++cell.events;
        if (stepped && !value->changes_level) return;
        if (!cell.known) {
            cell.min = cell.max = value->value;
            cell.known = true;
        } else {
            cell.min = std::min(cell.min, value->value);
            cell.max = std::max(cell.max, value->value);
        }
        if (stepped) levels_[strip] = {value->value, true};
    }

    // Takes a block whole when it lies before the range or within one
    // column (and before the range's end); false when its records must be
    // added one by one.
    bool take(const BlockSummary& block) {
        if (block.last_us < from_) {
            for (std::size_t strip = 0; strip < kSteppedStripCount; ++strip)
                if (block.strips[strip].valued) levels_[strip] = {block.strips[strip].last, true};
            return true;
        }
        if (block.first_us < from_ || block.last_us >= to_) return false;
        advance(block.first_us);
        if (column_ + 1 < width_ && block.last_us >= next_boundary_) return false;
        for (std::size_t strip = 0; strip < kStripCount; ++strip) {
            const BlockSummary::Cell& summary = block.strips[strip];
            if (summary.events == 0) continue;
            const bool stepped = strip < kSteppedStripCount;
            if (stepped) fill(strip, column_);
            TimelineCell& cell = out_.at(static_cast<Strip>(strip), column_);
            cell.events += summary.events;
            if (!summary.valued) continue;
            cell.min = cell.known ? std::min(cell.min, summary.min) : summary.min;
            cell.max = cell.known ? std::max(cell.max, summary.max) : summary.max;
            cell.known = true;
            if (stepped) levels_[strip] = {summary.last, true};
        }
        return true;
    }

    void finish() {
        for (std::size_t strip = 0; strip < kSteppedStripCount; ++strip)
            fill(strip, width_ - 1);
    }

private:
    std::int64_t boundary(int column) const noexcept {
        return from_ + static_cast<std::int64_t>(Wide{to_ - from_} * column / width_);
    }
    void advance(std::int64_t time) {
        while (column_ + 1 < width_ && time >= next_boundary_) {
            ++column_;
            next_boundary_ = boundary(column_ + 1);
        }
    }
    // A level holds through the columns up to and including `column`.
    void fill(std::size_t strip, int column) {
        const Level level = levels_[strip];
        for (int c = filled_[strip] + 1; c <= column; ++c)
            out_.at(static_cast<Strip>(strip), c) = {level.value, level.value, 0, level.known};
        filled_[strip] = std::max(filled_[strip], column);
    }

    TimelineColumns& out_;
    std::int64_t from_;
    std::int64_t to_;
    int width_;
    Levels levels_;
    std::array<int, kSteppedStripCount> filled_{};
    int column_ = 0;
    std::int64_t next_boundary_ = 0;
};

} // namespace

void TimelineColumns::reset(int width) {
    width_ = std::max(width, 0);
    cells_.assign(kStripCount * static_cast<std::size_t>(width_), TimelineCell{});
}

std::optional<TimelineModel::Span> TimelineModel::span() const {
    std::optional<Span> span;
    history_.read([&](const std::deque<Segment>& segments, Moment last) {
        if (segments.empty()) return;
        const Segment& newest = segments.back();
        const std::int64_t end =
            std::max(last.time_us,
                     newest.records.empty() ? newest.start.time_us : newest.records.back().time_us);
        span = Span{segments.front().start.time_us, end};
    });
    return span;
}

void TimelineModel::columns(std::int64_t from_us, std::int64_t to_us, int width,
                            TimelineColumns& out) const {
    out.reset(width);
    if (width < 1) return;
    to_us = std::max(to_us, from_us + 1);
    history_.read([&](const std::deque<Segment>& segments, Moment) {
        if (segments.empty()) return;
        // The last segment that starts by the range's start holds its levels,
        // but the one before it may end with a pause timed a little later
        // than the moment the next one starts at.
        auto first = std::upper_bound(
            segments.begin(), segments.end(), from_us,
            [](std::int64_t time, const Segment& segment) { return time < segment.start.time_us; });
        for (int back = 0; back < 2 && first != segments.begin(); ++back)
            --first;
        ColumnScan scan(out, from_us, to_us, first->levels);
        constexpr std::size_t n = BlockSummary::kRecords;
        for (auto segment = first; segment != segments.end(); ++segment) {
            const std::vector<Record>& records = segment->records;
            for (std::size_t i = 0; i < records.size();) {
                if (i % n == 0 && i / n < segment->blocks.size() &&
                    scan.take(segment->blocks[i / n])) {
                    i += n;
                    continue;
                }
                if (records[i].time_us >= to_us) return scan.finish();
                scan.add(records[i++]);
            }
        }
        scan.finish();
    });
}

TimelineModel::Place TimelineModel::place_at(std::int64_t time_us) const {
    const Moment moment = history_.moment_at(time_us);
    return {moment, history_.state_at(moment.statement).line};
}

} // namespace marlinet::machine
