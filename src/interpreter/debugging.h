// Values the debugger exchanges with the interpreter: pause lines as the
// window gives them, why a run paused, the open GOSUBs and FOR loops, and a
// snapshot of a run at a statement boundary.
//
// Lines are 1-based program lines throughout.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace marlinet::basic {

// A line at which a run pauses (a breakpoint).
struct PauseLine {
    static constexpr std::size_t kMaxConditionLength = 127;

    int line = 0; // 1-based
    bool enabled = true;
    // A comparison as IF reads it (I > 10, A = B + 1), on the variables at
    // the moment the line is reached; empty for none. One line of text.
    std::string condition;
    // 0: every arrival that passes the condition pauses. N: only the Nth
    // such arrival in a run.
    std::uint32_t hit_count = 0;
};

enum class PauseReason : std::uint8_t {
    None,            // no pause yet in this run
    Requested,       // the run state asked: Step, Stop, or a STOP statement
    PauseLine,       // a pause line was reached
    ConditionFailed, // a pause line's condition could not be evaluated
    RunToLine,       // the run-to-line target was reached
    StepOver,        // a step over has finished
    StepOut,         // a step out has finished
};

// Why the last pause happened and where.
struct PauseCause {
    PauseReason reason = PauseReason::None;
    int line = 0;   // the line of the statement at which the run paused
    int error = -1; // ConditionFailed: the interpreter error number the condition gave

    bool operator==(const PauseCause&) const = default;
};

// Text for the status bar: "Paused at breakpoint in line 12", "Condition of
// the breakpoint in line 12 cannot be evaluated: Division by zero", ...
// Empty for PauseReason::None.
std::string describe_pause(const PauseCause& cause);

// The open GOSUBs and FOR loops of a run, oldest first.
struct CallStack {
    struct ForLoop {
        char variable = 'A';
        std::int16_t limit = 0;
        int line = 0; // the FOR statement's line, where each pass starts
        bool operator==(const ForLoop&) const = default;
    };
    std::array<int, 4> gosub_return_lines{}; // the line each GOSUB returns to
    int gosub_count = 0;
    std::array<ForLoop, 5> for_loops{};
    int for_count = 0;

    bool operator==(const CallStack&) const = default;
};

// The whole state of a run just before a statement starts: restored into an
// interpreter holding the same program, the run goes on from that statement
// exactly as the original did, given the same answers from its host. Pause
// lines, hit counts and one-shot pauses are not part of it.
struct Snapshot {
    struct ForLoop {
        std::uint32_t loop_position = 0;
        std::int16_t target = 0;
        std::uint8_t variable = 0;
        bool operator==(const ForLoop&) const = default;
    };

    std::uint64_t program = 0;    // fingerprint of the program text
    std::uint64_t statements = 0; // statements started before this one
    std::array<std::int16_t, 26> variables{};
    std::uint32_t position = 0; // where the read of the statement's first token starts
    std::array<ForLoop, 5> for_stack{};
    std::array<std::uint32_t, 4> gosub_stack{}; // return positions
    std::uint8_t for_count = 0;
    std::uint8_t gosub_count = 0;
    std::int32_t error_number = -1;
    std::int32_t error_line = 0;

    bool operator==(const Snapshot&) const = default;
};

} // namespace marlinet::basic
