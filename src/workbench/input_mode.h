// The two kinds of INPUT request.
#pragma once

#include <cstdint>

namespace marlinet::workbench {

// The values are the codes the window side knows the requests by.
enum class TInputMode : std::uint8_t { Value = '1', Key = '4' };

} // namespace marlinet::workbench
