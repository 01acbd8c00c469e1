// Grading: one scenario against many programs (a class's hand-ins), run in
// parallel in this process, and the reports: one line per program and a
// JUnit XML file.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "machine/scenario.h"
#include "machine/scenario_run.h"

namespace marlinet::machine {

class Cancellation;

struct GradeResult {
    std::string program; // the name as given
    Verdict verdict;
    double seconds = 0; // wall time of the run
};

// Runs every program on `jobs` threads (at least 1). Reported calls
// OnResult for each result in the programs' order, as soon as it and every
// earlier one are known (from a worker thread, one call at a time). A
// program that cannot be loaded fails with the loader's message.
std::vector<GradeResult> grade(const Scenario& scenario, const std::vector<std::string>& programs,
                               int jobs, const Cancellation* cancel = nullptr,
                               const std::function<void(const GradeResult&)>& on_result = {});

// "PASS name" or "FAIL name: message".
std::string verdict_line(const GradeResult& result);
// "N passed, M failed".
std::string summary_line(const std::vector<GradeResult>& results);

// One test suite named after the scenario, one test case per program, the
// failure message as in verdict_line.
void write_junit(std::ostream& out, const Scenario& scenario,
                 const std::vector<GradeResult>& results);

} // namespace marlinet::machine
