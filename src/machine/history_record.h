// How a history keeps a run: segments, each starting with a snapshot of the
// interpreter and the levels of the board at that moment, followed by the
// run's events as fixed-size records (texts in one byte string beside
// them). Shared by History, its replay and the timeline.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/debugging.h"
#include "machine/io_event.h"
#include "machine/past_state.h"

namespace marlinet::machine {

// The IoPayload alternatives in their order, then two times the history
// keeps for itself: when a paused run went on, and when a DELAY ended.
enum class RecordKind : std::uint8_t {
    Print,
    Lamp,
    Dac,
    AdcSelect,
    AdcRead,
    InputRead,
    InputRequest,
    InputAnswer,
    Delay,
    Pause,
    Error,
    End,
    Resumed,
    DelayEnded,
};

struct Record {
    // The longest text kept; longer ones (analog input texts) are cut.
    static constexpr std::size_t kMaxText = 255;
    static constexpr std::uint8_t kHasValue = 1; // AdcRead: the text was a number

    std::int64_t time_us = 0;
    std::uint64_t statement = 0;
    std::int32_t line = 0;
    // Lamp: on; Dac, AdcRead, InputAnswer: the value; InputRead: on; Delay:
    // milliseconds; Error: number; End: EndReason; AdcSelect: channel.
    std::int32_t value = 0;
    std::uint32_t text = 0; // offset of the text in the segment's texts
    RecordKind kind = RecordKind::Print;
    // Lamp: output; InputRead: the bit tested; AdcRead: channel; InputRequest
    // and InputAnswer: form.
    std::uint8_t detail = 0;
    std::uint8_t text_length = 0;
    std::uint8_t flags = 0;

    // Advances the clock's mapping but is no event of the program.
    bool anchor_only() const noexcept {
        return kind == RecordKind::Resumed || kind == RecordKind::DelayEnded;
    }
};
static_assert(sizeof(Record) == 32);

// The record of an event; its text is appended to `texts`.
Record make_record(const IoEvent& event, std::string& texts);
// A record without an event (Resumed, DelayEnded).
Record make_anchor(RecordKind kind, Moment moment, int line);
// The event a record was made from (texts viewed in `texts`). Not for
// anchor-only records.
IoEvent event_of(const Record& record, std::string_view texts);
std::string_view text_of(const Record& record, std::string_view texts) noexcept;

// The strip a record shows on and its value there; nothing for records of
// no strip (DELAY, reads of inputs that are no box).
struct StripValue {
    Strip strip;
    std::int32_t value;
    bool changes_level; // false for an analog read that had no value
};
std::optional<StripValue> strip_value(const Record& record) noexcept;

// Levels and console length after the record.
void apply(const Record& record, std::string_view texts, Levels& levels, ConsoleLength& console);

// What a run of kRecords records shows on each strip, so the timeline
// takes a run that falls in one pixel column whole instead of record by
// record. Values count as in a column: a mark's always, a stepped strip's
// when it sets the level.
struct BlockSummary {
    static constexpr std::size_t kRecords = 256;
    struct Cell {
        std::int32_t min = 0;
        std::int32_t max = 0;
        std::int32_t last = 0; // the last value
        std::uint32_t events = 0;
        bool valued = false; // min, max and last mean something
    };
    std::int64_t first_us = 0; // the earliest time of a record
    std::int64_t last_us = 0;  // the latest
    std::array<Cell, kStripCount> strips{};
};
BlockSummary summarize(std::span<const Record> records) noexcept;

struct Segment {
    // Nothing while the run has not reached its first statement.
    std::optional<basic::Snapshot> snapshot;
    Moment start;
    Levels levels;         // at the start
    ConsoleLength console; // at the start
    std::vector<Record> records;
    std::string texts;
    // Of every whole kRecords records, in order; none for the rest.
    std::vector<BlockSummary> blocks;

    // Summarizes the records not yet in a block; after records were removed,
    // summarizes them all again.
    void summarize_blocks(bool removed = false);
    // Bytes held, for the history's bound.
    std::size_t memory() const noexcept {
        return sizeof(Segment) + records.capacity() * sizeof(Record) + texts.capacity() +
               blocks.capacity() * sizeof(BlockSummary);
    }
    std::string_view text(const Record& record) const noexcept { return text_of(record, texts); }
};

// The time of moment `statement` within a segment whose moments run up to
// `end` (the next segment's start, or the last moment recorded): the times
// of the records around it, with the statements between spread evenly. A
// run that waited (paused, DELAY, INPUT) reached the moment when the wait
// began.
std::int64_t time_of(const Segment& segment, Moment end, std::uint64_t statement);
// The moment of time `time_us` within such a segment: the last statement
// that had started by then.
std::uint64_t statement_at(const Segment& segment, Moment end, std::int64_t time_us);

} // namespace marlinet::machine
