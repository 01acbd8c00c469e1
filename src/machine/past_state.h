// Values that describe a past moment of a run: what a window shows when it
// steps back, and the strips of the I/O timeline.
//
// A moment is named by a statement count n: the run has started n
// statements and the next one is about to start (the count a snapshot
// carries). Moment 0 is before the first statement; after the last
// statement of a run that ended, the moment is the count of statements it
// started.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "interpreter/debugging.h"
#include "machine/board.h"

namespace marlinet::machine {

// What the program has set on the board; it outlives a run.
struct BoardOutputs {
    std::array<bool, 4> lamps{};     // lamp 1 first
    std::optional<std::int16_t> dac; // nothing: not written yet
    AdcChannel adc = AdcChannel::Adc1;

    bool operator==(const BoardOutputs&) const = default;
};

// How much the run has printed since it started: the console's text as the
// runner prints it (CR dropped) has `characters` bytes, `lines` of them LF.
struct ConsoleLength {
    std::uint64_t characters = 0;
    std::uint64_t lines = 0;

    bool operator==(const ConsoleLength&) const = default;
};

struct PastState {
    std::uint64_t statement = 0;
    // On the run's clock. Exact for a virtual clock; for a real clock, the
    // times of the recorded events with the statements between them spread
    // evenly.
    std::int64_t time_us = 0;
    // The line of the statement about to run; at the end of a run, the line
    // it ended on (of an error: the error's line).
    int line = 0;
    std::array<std::int16_t, 26> variables{};
    basic::CallStack call_stack;
    BoardOutputs outputs;
    ConsoleLength console;
    // The interpreter's state to go on from; nothing at the end of a run or
    // inside a statement the run was ended in.
    std::optional<basic::Snapshot> snapshot;

    bool operator==(const PastState&) const = default;
};

// A moment and its time.
struct Moment {
    std::uint64_t statement = 0;
    std::int64_t time_us = 0;

    bool operator==(const Moment&) const = default;
};

// A query the kept history cannot answer: a moment outside it, or a record
// that does not replay (the run's state was changed in a way it cannot see).
class HistoryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The I/O timeline's strips. The stepped ones hold a level from one event
// to the next; the others are marks.
enum class Strip : std::uint8_t {
    Lamp1,
    Lamp2,
    Lamp3,
    Lamp4,
    Input1, // as read by TSTB
    Input2,
    Input3,
    Input4,
    Rx,
    AdcSelect, // 0 ADC1, 1 ADC2
    Adc,       // the value read
    Dac,
    // marks, with a value each:
    InputRequest, // 0 value form, 1 key form
    InputAnswer,  // the value the variable received
    Print,        // the characters printed (CR and LF not counted)
    Pause,        // the line paused at
    Error,        // the error number
    End,          // the EndReason
};
inline constexpr std::size_t kStripCount = 18;
inline constexpr std::size_t kSteppedStripCount = 12;

std::string_view strip_name(Strip strip) noexcept;

// A stepped strip's level; unknown before its first event (an input not yet
// read, an analog output not yet written).
struct Level {
    std::int32_t value = 0;
    bool known = false;

    bool operator==(const Level&) const = default;
};
using Levels = std::array<Level, kSteppedStripCount>;

// The outputs a board shows.
BoardOutputs board_outputs(const Board& board);
// The levels of a run that starts with these outputs.
Levels levels_at_start(const BoardOutputs& outputs) noexcept;
BoardOutputs outputs_of(const Levels& levels) noexcept;

} // namespace marlinet::machine
