// The I/O timeline of a history, for a widget that draws it: per strip
// (timeline strips in past_state.h) and per pixel column, the least and
// greatest value and how many events fell in the column, so a million
// events draw as a few thousand lines. Stepped strips carry their level
// through columns without events; marks have values only where they are.
//
// Threads: as History's queries (any thread, also while a run records).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "machine/history.h"

namespace marlinet::machine {

struct TimelineCell {
    std::int32_t min = 0;
    std::int32_t max = 0;
    std::uint32_t events = 0; // in this column
    bool known = false;       // min and max mean something
};

// Columns of every strip; reused from one query to the next.
class TimelineColumns {
public:
    int width() const noexcept { return width_; }
    const TimelineCell& at(Strip strip, int column) const noexcept {
        return cells_[index(strip, column)];
    }
    TimelineCell& at(Strip strip, int column) noexcept { return cells_[index(strip, column)]; }
    // `width` unknown cells in every strip.
    void reset(int width);

private:
    std::size_t index(Strip strip, int column) const noexcept {
        return static_cast<std::size_t>(strip) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(column);
    }

    int width_ = 0;
    std::vector<TimelineCell> cells_;
};

class TimelineModel {
public:
    explicit TimelineModel(const History& history) : history_(history) {}

    // The times the history holds; nothing before a run has started.
    struct Span {
        std::int64_t from_us = 0;
        std::int64_t to_us = 0;
    };
    std::optional<Span> span() const;
    // Column c of `width` (at least 1) covers the times from
    // from_us + c * (to_us - from_us) / width up to the next column's.
    void columns(std::int64_t from_us, std::int64_t to_us, int width, TimelineColumns& out) const;
    // The statement and line at a time, for the cursor and a click
    // (History::moment_at, then the line by replay).
    struct Place {
        Moment moment;
        int line = 0;
    };
    Place place_at(std::int64_t time_us) const;

private:
    const History& history_;
};

} // namespace marlinet::machine
