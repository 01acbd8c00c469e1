// Runs one program against a scenario on the virtual clock, so that the
// verdict (and the transcript) is the same on every machine and every run.
#pragma once

#include <cstdint>
#include <string>

#include "interpreter/program_buffer.h"
#include "machine/scenario.h"

namespace marlinet::machine {

class Cancellation;
class EventSink;

struct Verdict {
    bool passed = false;
    // Why it failed: "step 3 (scenario line 12) at 1.500 s, program line 7:
    // lamp1 expected on, was off". Empty when it passed.
    std::string message;
    int program_line = 0; // the program line of a failure; 0 for none
    std::int64_t time_us = 0;
    std::uint64_t statements = 0;
};

// Runs `program` from its start. A cancellation ends the run as failed
// ("interrupted"); `sink`, when given, receives every event of the run.
Verdict run_scenario(const Scenario& scenario, const basic::ProgramBuffer& program,
                     const Cancellation* cancel = nullptr, EventSink* sink = nullptr);

} // namespace marlinet::machine
