// Reads a scenario file (YAML). Every mistake in the file (bad YAML, an
// unknown key, a wrong type, a bad duration, a value out of range) is a
// ScenarioError naming the file, the 1-based line and column, and what is
// wrong; nothing of a file with a mistake is used.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "machine/scenario.h"

namespace marlinet::machine {

class ScenarioError : public std::runtime_error {
public:
    // what() is "FILE:LINE:COLUMN: message" (or "FILE: message" without a place).
    ScenarioError(const std::string& file, int line, int column, const std::string& message);
    int line() const noexcept { return line_; }
    int column() const noexcept { return column_; }

private:
    int line_;
    int column_;
};

// The biggest scenario file read.
inline constexpr std::size_t kMaxScenarioFileSize = 1 << 20;

// `file_name` names the file in messages; a relative `program` is resolved
// against `folder`.
Scenario read_scenario(std::string_view text, const std::string& file_name,
                       const std::filesystem::path& folder);
Scenario read_scenario_file(const std::string& file_name);

// "10us", "5ms", "2s", "1.5s" in microseconds; nothing for any other text or
// a time that is not a whole number of microseconds.
std::optional<std::int64_t> parse_duration(std::string_view text);

} // namespace marlinet::machine
