// Fonts as the editor core sees them: a logical font the platform resolves,
// and the font setting with its change event.
#pragma once

#include <cstdint>
#include <string>

#include "editor/settings_object.h"
#include "support/graphics.h"

namespace marlinet::editor {

using support::clAqua;
using support::clBlack;
using support::clBtnFace;
using support::clHighlight;
using support::clHighlightText;
using support::clInfoBk;
using support::clInfoText;
using support::clLime;
using support::clNone;
using support::clSilver;
using support::clWhite;
using support::clWindow;
using support::clWindowText;
using support::clYellow;
using support::fsBold;
using support::fsItalic;
using support::fsStrikeOut;
using support::fsUnderline;
using support::IsSystemColor;
using support::RGB;
using support::SystemColor;
using support::SystemColorIndex;
using support::TColor;
using support::TFontStyles;

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

// A font setting: each setter that changes a value fires OnChange.
class TFont : public TSynSettingsObject {
public:
    static constexpr int kScreenDpi = 96;

    TFont() = default;
    TFont(std::string Name, int Height, TColor Color = clWindowText, TFontPitch Pitch = fpDefault);
    TFont(const TFont& Other) = default;

    // Copies every value; fires OnChange once when anything changed.
    void Assign(const TFont& Source);

    const std::string& Name() const { return data_.Name; }
    void SetName(const std::string& Value) { Set(data_.Name, Value); }
    // Character height in pixels; a negative value counts as its magnitude.
    int Height() const { return data_.Height; }
    void SetHeight(int Value) { Set(data_.Height, Value < 0 ? -Value : Value); }
    // Points at kScreenDpi; setting it sets Height (rounded).
    int Size() const { return (data_.Height * 72 + kScreenDpi / 2) / kScreenDpi; }
    void SetSize(int Points) { SetHeight((Points * kScreenDpi + 36) / 72); }
    TFontPitch Pitch() const { return data_.Pitch; }
    void SetPitch(TFontPitch Value) { Set(data_.Pitch, Value); }
    TFontStyles Style() const { return data_.Style; }
    void SetStyle(TFontStyles Value) { Set(data_.Style, Value); }
    int Charset() const { return data_.Charset; }
    void SetCharset(int Value) { Set(data_.Charset, Value); }
    TColor Color() const { return color_; }
    void SetColor(TColor Value) { Set(color_, Value); }

    // The logical font without the colour.
    const TSynLogFont& LogFont() const { return data_; }

private:
    TSynLogFont data_;
    TColor color_ = clWindowText;
};

} // namespace marlinet::editor
