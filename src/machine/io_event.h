// One stream of what a run does and reads: every console write, board write
// and board read, INPUT request and answer, DELAY, pause, error and end, in
// the order it happened. The window, transcripts and scenarios consume it.
//
// Texts are views valid only while the event is being handled: a sink that
// keeps an event copies what it needs.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

#include "machine/board.h"

namespace marlinet::machine {

enum class InputForm : std::uint8_t { Value, Key };

// How a run ended.
enum class EndReason : std::uint8_t {
    Program,     // END, or the end of the text
    Error,       // an interpreter error
    Limit,       // a statement or time limit
    InputEnded,  // an INPUT waited and no answer can come
    Interrupted, // the user interrupted the run
    Stopped,     // the host ended it (reset, edited text, a scenario that is done)
};

std::string_view end_reason_name(EndReason reason) noexcept;

namespace io {
struct Print {
    std::string_view text; // as the program wrote it: CR LF ends a line
};
struct Lamp {
    int output; // 1..4
    bool on;
};
struct Dac {
    std::int16_t value;
};
struct AdcSelect {
    AdcChannel channel;
};
struct AdcRead {
    AdcChannel channel;
    std::string_view text;             // the field's text as read
    std::optional<std::int32_t> value; // nothing: error 16 follows
};
struct InputRead {
    int input; // the number tested: 1..4 and 126 are inputs, others read false
    bool on;
};
struct InputRequest {
    InputForm form;
};
struct InputAnswer {
    InputForm form;
    std::string_view text; // the text kept (value form) or the key as one character
    int value;             // what the variable receives
};
struct Delay {
    int milliseconds;
};
struct Pause {};
struct Error {
    int number;
};
struct End {
    EndReason reason;
};
} // namespace io

using IoPayload =
    std::variant<io::Print, io::Lamp, io::Dac, io::AdcSelect, io::AdcRead, io::InputRead,
                 io::InputRequest, io::InputAnswer, io::Delay, io::Pause, io::Error, io::End>;

struct IoEvent {
    std::uint64_t statement = 0; // statements started before the event
    int line = 0;                // 1-based program line (of an error: the error's line)
    std::int64_t time_us = 0;    // since the run started, on the run's clock
    IoPayload what;
};

} // namespace marlinet::machine
