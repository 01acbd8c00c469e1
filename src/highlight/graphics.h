// Colour and font-style values shared by the highlighter attributes and the
// editor that paints with them.
#pragma once

#include <cstdint>

namespace marlinet::highlight {

// 32-bit colour: red in the low byte, then green, then blue. Negative values
// with the top byte 0x80 name platform system colours; they only travel
// through persisted settings and are never resolved here.
using TColor = std::int32_t;

// The attribute has no colour of its own: the editor's colour applies.
inline constexpr TColor clNone = 0x1FFFFFFF;

constexpr TColor RGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue) noexcept {
    return static_cast<TColor>(red | (green << 8) | (blue << 16));
}

inline constexpr TColor clBlack = RGB(0, 0, 0);
inline constexpr TColor clWhite = RGB(255, 255, 255);
inline constexpr TColor clLime = RGB(0, 255, 0);
inline constexpr TColor clYellow = RGB(255, 255, 0);
inline constexpr TColor clAqua = RGB(0, 255, 255);

// A set of the four font styles in one byte. The bit values double as the
// integer style of the persisted settings, so they must not change.
class TFontStyles {
public:
    constexpr TFontStyles() noexcept = default;
    // Bits above the four styles are dropped.
    static constexpr TFontStyles FromBits(int bits) noexcept {
        return TFontStyles(static_cast<std::uint8_t>(bits & 0x0F));
    }

    constexpr std::uint8_t Bits() const noexcept { return bits_; }
    constexpr bool Empty() const noexcept { return bits_ == 0; }
    // True when every style of `styles` is in this set.
    constexpr bool Contains(TFontStyles styles) const noexcept {
        return (bits_ & styles.bits_) == styles.bits_;
    }

    friend constexpr TFontStyles operator|(TFontStyles a, TFontStyles b) noexcept {
        return TFontStyles(static_cast<std::uint8_t>(a.bits_ | b.bits_));
    }
    friend constexpr TFontStyles operator&(TFontStyles a, TFontStyles b) noexcept {
        return TFontStyles(static_cast<std::uint8_t>(a.bits_ & b.bits_));
    }
    friend constexpr TFontStyles operator-(TFontStyles a, TFontStyles b) noexcept {
        return TFontStyles(static_cast<std::uint8_t>(a.bits_ & ~b.bits_));
    }
    friend constexpr bool operator==(TFontStyles, TFontStyles) noexcept = default;

private:
    constexpr explicit TFontStyles(std::uint8_t bits) noexcept : bits_(bits) {}
    std::uint8_t bits_ = 0;
};

inline constexpr TFontStyles fsBold = TFontStyles::FromBits(1);
inline constexpr TFontStyles fsItalic = TFontStyles::FromBits(2);
inline constexpr TFontStyles fsUnderline = TFontStyles::FromBits(4);
inline constexpr TFontStyles fsStrikeOut = TFontStyles::FromBits(8);

} // namespace marlinet::highlight
