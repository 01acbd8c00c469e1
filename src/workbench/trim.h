// Trimming of typed numbers, shared by the board model and the grid.
// Standard library only.
#pragma once

#include <string_view>

namespace marlinet::workbench {

// Text without the blanks and control characters (0 to 32, and 127) at either
// end.
std::string_view TrimBlanks(std::string_view Text);

} // namespace marlinet::workbench
