// Colours and font styles, as the highlighter attributes store them and the
// editor paints with them.
//
// TColor is 32 bits: red in the low byte, then green, then blue. clNone means
// "no colour of its own": the editor's colour applies. A value whose top byte
// is 0x80 names a system colour by its platform index; it is resolved only
// when drawn, so a theme change needs no editor change.
#pragma once

#include <cstdint>

#include "support/enum_set.h"

namespace marlinet::support {

using TColor = std::int32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;

constexpr TColor RGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue) noexcept {
    return static_cast<TColor>(red | (green << 8) | (blue << 16));
}

constexpr TColor SystemColor(std::uint8_t Index) noexcept {
    return static_cast<TColor>(0x80000000u | Index);
}
constexpr bool IsSystemColor(TColor Color) noexcept {
    return (static_cast<std::uint32_t>(Color) & 0xFF000000u) == 0x80000000u;
}
constexpr int SystemColorIndex(TColor Color) noexcept {
    return static_cast<int>(static_cast<std::uint32_t>(Color) & 0xFFu);
}

inline constexpr TColor clBlack = RGB(0, 0, 0);
inline constexpr TColor clWhite = RGB(255, 255, 255);
inline constexpr TColor clLime = RGB(0, 255, 0);
inline constexpr TColor clYellow = RGB(255, 255, 0);
inline constexpr TColor clAqua = RGB(0, 255, 255);
inline constexpr TColor clSilver = RGB(192, 192, 192);

// The indices of the system colours in use; a platform maps each to its own
// palette by these names.
enum TSystemColorIndex : std::uint8_t {
    kSysWindow = 5,
    kSysWindowText = 8,
    kSysHighlight = 13,
    kSysHighlightText = 14,
    kSysBtnFace = 15,
    kSysInfoText = 23,
    kSysInfoBk = 24,
};

inline constexpr TColor clWindow = SystemColor(kSysWindow);
inline constexpr TColor clWindowText = SystemColor(kSysWindowText);
inline constexpr TColor clHighlight = SystemColor(kSysHighlight);
inline constexpr TColor clHighlightText = SystemColor(kSysHighlightText);
inline constexpr TColor clBtnFace = SystemColor(kSysBtnFace);
inline constexpr TColor clInfoText = SystemColor(kSysInfoText);
inline constexpr TColor clInfoBk = SystemColor(kSysInfoBk);

// The four font styles. Their bit values double as the integer style of the
// persisted settings (bold 1, italic 2, underline 4, strike-out 8), so the
// order must not change.
enum class TFontStyle : std::uint8_t { Bold, Italic, Underline, StrikeOut };
using TFontStyles = EnumSet<TFontStyle, std::uint8_t>;

inline constexpr TFontStyles fsBold{TFontStyle::Bold};
inline constexpr TFontStyles fsItalic{TFontStyle::Italic};
inline constexpr TFontStyles fsUnderline{TFontStyle::Underline};
inline constexpr TFontStyles fsStrikeOut{TFontStyle::StrikeOut};
// Every style bit; the integer style ignores anything above.
inline constexpr TFontStyles kAllFontStyles = fsBold | fsItalic | fsUnderline | fsStrikeOut;

} // namespace marlinet::support
