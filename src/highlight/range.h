// Scanning state carried from the end of one line into the next: a
// pointer-sized value, opaque to the editor, which stores one per line and
// hands it back before scanning the following line. 0 is the initial range.
#pragma once

#include <cstdint>

namespace marlinet::highlight {

using TSynRange = std::intptr_t;

} // namespace marlinet::highlight
