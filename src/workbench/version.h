// The version texts the window shows.
#pragma once

namespace marlinet::workbench {

inline constexpr const char* kSimulatorVersion = "1.5";
inline constexpr const char* kInterpreterVersion = "1.5D";

} // namespace marlinet::workbench
