// Value types shared by every part of the editor core.
#pragma once

#include <compare>
#include <cstdint>

#include "support/enum_set.h"
#include "support/object.h"

namespace marlinet::editor {

using support::EnumSet;
using support::TObject;

// Position in the text: X is the 1-based character in the line, Y the
// 1-based line. Ordered by line, then character.
struct TBufferCoord {
    int X = 1;
    int Y = 1;

    constexpr bool operator==(const TBufferCoord&) const = default;
    constexpr std::strong_ordering operator<=>(const TBufferCoord& other) const {
        if (auto c = Y <=> other.Y; c != 0) return c;
        return X <=> other.X;
    }
};

// Position on screen: Column is the 1-based column of the tab-expanded line,
// Row the 1-based row (equal to the line: the editor never wraps).
struct TDisplayCoord {
    int Column = 1;
    int Row = 1;

    constexpr bool operator==(const TDisplayCoord&) const = default;
};

enum TSynSelectionMode : std::uint8_t { smNormal, smLine, smColumn };

// Modifier keys and mouse buttons held with a key or mouse event. The bit
// positions are part of the keystroke stream format.
enum TShiftStateElem : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = EnumSet<TShiftStateElem>;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// What changed since the last status report to the window and the owner.
enum TSynStatusChange : std::uint8_t {
    scAll,
    scCaretX,
    scCaretY,
    scLeftChar,
    scTopLine,
    scInsertMode,
    scModified,
    scSelection,
    scReadOnly
};
using TSynStatusChanges = EnumSet<TSynStatusChange>;

// A pixel position.
struct TPoint {
    int X = 0;
    int Y = 0;

    constexpr bool operator==(const TPoint&) const = default;
};

// Pixel rectangle, half-open: Left <= x < Right, Top <= y < Bottom.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool operator==(const TRect&) const = default;
};

constexpr bool PtInRect(const TRect& r, int x, int y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

// The smallest rectangle holding both; an empty rectangle adds nothing.
constexpr TRect UnionRect(const TRect& a, const TRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {a.Left < b.Left ? a.Left : b.Left, a.Top < b.Top ? a.Top : b.Top,
            a.Right > b.Right ? a.Right : b.Right, a.Bottom > b.Bottom ? a.Bottom : b.Bottom};
}

} // namespace marlinet::editor
