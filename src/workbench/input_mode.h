// The two kinds of INPUT request, and how long an answer may be.
#pragma once

#include <cstddef>
#include <cstdint>

namespace marlinet::workbench {

// The values are the codes the window side knows the requests by.
enum class TInputMode : std::uint8_t { Value = '1', Key = '4' };

// The most characters an INPUT answer keeps.
inline constexpr std::size_t kMaxInputLength = 79;

} // namespace marlinet::workbench
