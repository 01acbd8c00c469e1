// A scenario: how to drive a program and what it must do. Read from YAML by
// read_scenario (scenario_reader.h), run by run_scenario (scenario_run.h).
//
//   board: start state          input: INPUT answers in order
//   steps: in order, each waits for its trigger (at / after / when, or none:
//          right after the previous step), then does set, answer, expect
//   end:   checked when the program ends
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "machine/board.h"

namespace marlinet::machine {

// Console text: contained in the transcript, or the whole transcript.
struct TextCheck {
    std::string text;
    bool whole = false;
};

// Every field that is set must hold. Index 0 of lamps and inputs is number 1.
struct Condition {
    std::array<std::optional<bool>, 4> lamps;
    std::array<std::optional<bool>, 4> inputs;
    std::optional<bool> rx;
    std::optional<std::int16_t> dac;
    std::optional<AdcChannel> adc;
    std::vector<std::pair<int, std::int16_t>> variables; // variable index (A = 0), value
    std::optional<TextCheck> console;
    std::optional<int> line; // the program is about to run this line
    std::optional<bool> ended;
};

// What a step's `set` changes on the board.
struct BoardChange {
    std::array<std::optional<bool>, 4> inputs;
    std::optional<bool> rx;
    std::optional<std::string> adc1;
    std::optional<std::string> adc2;
};

enum class Trigger : std::uint8_t { None, At, After, When };

struct Step {
    int source_line = 0; // 1-based line of the step in the scenario file
    Trigger trigger = Trigger::None;
    std::int64_t time_us = 0; // At: since the start; After: since the previous step
    Condition when;
    std::optional<std::int64_t> within_us;
    std::optional<BoardChange> set;
    std::vector<std::string> answers;
    std::optional<Condition> expect;
};

struct ErrorCheck {
    std::optional<int> number; // nothing: no error
    std::optional<int> line;
};

struct EndCheck {
    int source_line = 0;
    std::optional<ErrorCheck> error;
    Condition state;
};

struct Scenario {
    std::string file; // as given
    std::string name;
    std::optional<std::string> program; // resolved against the scenario's folder
    std::int64_t statement_us = 10;
    std::int64_t time_limit_us = 60'000'000;
    std::uint64_t statement_limit = 10'000'000;
    Board board; // the start state
    std::vector<std::string> answers;
    std::vector<Step> steps;
    std::optional<EndCheck> end;
};

} // namespace marlinet::machine
