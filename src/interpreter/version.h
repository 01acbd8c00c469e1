// The version of the BASIC dialect, a fixed text of its own: it is not the
// product version and does not follow it.
#pragma once

namespace marlinet::basic {

inline constexpr const char* kInterpreterVersion = "1.5D";

} // namespace marlinet::basic
