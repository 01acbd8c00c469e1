// The version texts the window shows: the product version and the BASIC
// dialect's own.
#pragma once

#include "interpreter/version.h"
#include "support/version.h"

namespace marlinet::workbench {

inline constexpr const char* kSimulatorVersion = support::kVersion;
inline constexpr const char* kInterpreterVersion = basic::kInterpreterVersion;

} // namespace marlinet::workbench
