// Value types shared by every part of the editor core.
#pragma once

#include <compare>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace marlinet::editor {

// A set of the enumerators of E, one bit per enumerator value (values < 32).
template <class E>
class EnumSet {
public:
    using Bits = std::uint32_t;

    constexpr EnumSet() = default;
    constexpr EnumSet(std::initializer_list<E> items) {
        for (E item : items)
            bits_ |= bit(item);
    }
    static constexpr EnumSet FromBits(Bits bits) {
        EnumSet s;
        s.bits_ = bits;
        return s;
    }

    constexpr bool Contains(E item) const { return (bits_ & bit(item)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr Bits ToBits() const { return bits_; }

    constexpr EnumSet& Include(E item) {
        bits_ |= bit(item);
        return *this;
    }
    constexpr EnumSet& Exclude(E item) {
        bits_ &= ~bit(item);
        return *this;
    }
    constexpr EnumSet operator|(EnumSet other) const { return FromBits(bits_ | other.bits_); }
    constexpr EnumSet operator&(EnumSet other) const { return FromBits(bits_ & other.bits_); }
    constexpr EnumSet& operator|=(EnumSet other) {
        bits_ |= other.bits_;
        return *this;
    }
    constexpr bool operator==(const EnumSet&) const = default;

private:
    static constexpr Bits bit(E item) { return Bits{1} << static_cast<unsigned>(item); }
    Bits bits_ = 0;
};

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

// Base of the objects that appear as the sender of a notification.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = default;
    TObject& operator=(const TObject&) = default;
    virtual ~TObject() = default;
};

} // namespace marlinet::editor
