// Colours and fonts as the editor core sees them. Colours are platform colour
// values (red in the low byte); system colours are markers that the platform
// resolves only when it draws, so a theme change needs no editor change.
#pragma once

#include <cstdint>
#include <string>

#include "editor/events.h"
#include "highlight/graphics.h"

namespace marlinet::editor {

using highlight::clAqua;
using highlight::clBlack;
using highlight::clLime;
using highlight::clNone;
using highlight::clWhite;
using highlight::clYellow;
using highlight::fsBold;
using highlight::fsItalic;
using highlight::fsStrikeOut;
using highlight::fsUnderline;
using highlight::RGB;
using highlight::TColor;
using highlight::TFontStyles;

// A system colour: the top byte 0x80 and the platform's colour index below.
constexpr TColor SystemColor(std::uint8_t Index) {
    return static_cast<TColor>(0x80000000u | Index);
}
constexpr bool IsSystemColor(TColor Color) {
    return (static_cast<std::uint32_t>(Color) & 0xFF000000u) == 0x80000000u;
}
constexpr int SystemColorIndex(TColor Color) {
    return static_cast<int>(static_cast<std::uint32_t>(Color) & 0xFFu);
}

inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);
inline constexpr TColor clSilver = RGB(192, 192, 192);

enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };

inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr int RUSSIAN_CHARSET = 204;

// What the editor asks of the platform for one font: the face, the character
// height in pixels (the height of the letters without internal leading) and
// the style. Equal logical fonts share their platform objects.
struct TSynLogFont {
    std::string Name;
    int Height = 13;
    TFontPitch Pitch = fpDefault;
    TFontStyles Style;
    int Charset = DEFAULT_CHARSET;

    bool operator==(const TSynLogFont&) const = default;
};

// A font setting with a change event, like every settings object of the
// editor: each setter that changes a value fires OnChange.
class TFont : public TObject {
public:
    static constexpr int kScreenDpi = 96;

    TFont() = default;
    TFont(std::string Name, int Height, TColor Color = clWindowText, TFontPitch Pitch = fpDefault);
    TFont(const TFont& Other) : TObject(), data_(Other.data_), color_(Other.color_) {}
    TFont& operator=(const TFont&) = delete;

    // Copies every value; fires OnChange once when anything changed.
    void Assign(const TFont& Source);

    const std::string& Name() const { return data_.Name; }
    void SetName(const std::string& Value);
    // Character height in pixels.
    int Height() const { return data_.Height; }
    void SetHeight(int Value);
    // Points at kScreenDpi; setting it sets Height (rounded).
    int Size() const { return (data_.Height * 72 + kScreenDpi / 2) / kScreenDpi; }
    void SetSize(int Points) { SetHeight((Points * kScreenDpi + 36) / 72); }
    TFontPitch Pitch() const { return data_.Pitch; }
    void SetPitch(TFontPitch Value);
    TFontStyles Style() const { return data_.Style; }
    void SetStyle(TFontStyles Value);
    int Charset() const { return data_.Charset; }
    void SetCharset(int Value);
    TColor Color() const { return color_; }
    void SetColor(TColor Value);

    // The logical font without the colour.
    const TSynLogFont& LogFont() const { return data_; }

    TNotifyEvent OnChange;

private:
    void Changed();

    TSynLogFont data_;
    TColor color_ = clWindowText;
};

} // namespace marlinet::editor
