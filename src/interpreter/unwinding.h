// The two ways out of the middle of a statement, private to the interpreter.
#pragma once

#include "interpreter/host.h"

namespace marlinet::basic::detail {

// Carries the end of a run from wherever it happens back to the run's entry
// (run_program or resume_from). Nothing else catches it.
struct RunEnded {
    RunEnd how;
};

// Carries an error found while a pause line's condition is evaluated back to
// the evaluation, which turns it into a pause. The run goes on.
struct ConditionError {
    int number;
};

} // namespace marlinet::basic::detail
