// marlinet-run --scenario: checks programs against a scenario file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "machine/cancellation.h"

namespace marlinet::runner {

struct ScenarioArguments {
    std::string scenario;
    std::vector<std::string> programs; // none: the scenario's own program
    unsigned jobs = 0;                 // 0: one per core
    std::string junit;
    std::string transcript;
    std::string vcd;
};

// Exit status: 0 every program passed, 5 some failed, 2 a bad scenario file
// or arguments (nothing runs), 130 interrupted.
int run_scenarios(const ScenarioArguments& arguments, machine::Cancellation& cancel);

} // namespace marlinet::runner
