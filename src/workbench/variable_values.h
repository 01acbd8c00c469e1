// The values of the 26 variables A to Z, as a run hands them to the window.
#pragma once

#include <array>
#include <cstdint>

namespace marlinet::workbench {

// Index 0 is A.
using TVariableValues = std::array<std::int16_t, 26>;

} // namespace marlinet::workbench
