// The run state shared by the window thread, the interpreter thread and the
// status display. Each transition is a single store.
#pragma once

#include <cstdint>

namespace marlinet::basic {

enum class RunState : std::int8_t {
    Idle = 0,
    Reset = 1,
    Running = 2,
    Stopped = 3,
    StepRequest = 4,
    StopRequest = 5,
    ResetRequest = 6,
    Modified = 7,
};

} // namespace marlinet::basic
