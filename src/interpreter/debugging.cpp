#include "interpreter/debugging.h"

#include "interpreter/errors.h"

namespace marlinet::basic {

std::string describe_pause(const PauseCause& cause) {
    const std::string line = std::to_string(cause.line);
    switch (cause.reason) {
    case PauseReason::None: return {};
    case PauseReason::Requested: return "Paused in line " + line;
    case PauseReason::PauseLine: return "Paused at the breakpoint in line " + line;
    case PauseReason::ConditionFailed: {
        const std::string_view message = error_message(cause.error);
        return "Paused: the condition of the breakpoint in line " + line +
               " cannot be evaluated (" + std::string(message.empty() ? "error" : message) + ")";
    }
    case PauseReason::RunToLine: return "Paused at line " + line + " (run to cursor)";
    case PauseReason::StepOver: return "Stepped over to line " + line;
    case PauseReason::StepOut: return "Stepped out to line " + line;
    }
    return {};
}

} // namespace marlinet::basic
