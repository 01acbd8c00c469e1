// A line of a program as its user counts lines: 1 is the first. The line a
// run is at travels in this one type from the interpreter's report to the
// editor, which alone turns it into a selection; so a 0-based index or a flat
// character position is never taken for a line on the way.
#pragma once

namespace marlinet::support {

struct TProgramLine {
    int Number = 0; // 1-based; 0 for no line

    constexpr bool IsLine() const noexcept { return Number >= 1; }
    constexpr auto operator<=>(const TProgramLine&) const = default;
};

} // namespace marlinet::support
