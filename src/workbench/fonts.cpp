#include "workbench/fonts.h"

#include "editor/qt/qt_platform.h"

namespace marlinet::workbench {

namespace {

// DejaVu Sans Mono at 13 pixels advances 8 pixels per character, as the
// bitmap console face does.
constexpr int kFormFontPixels = 11;    // 8 pt
constexpr int kConsoleFontPixels = 13; // one 8 x 15 cell per character
constexpr int kTitleFontPixels = 15;   // 11 pt

QFont MakeFont(const char* Face, int Pixels, bool FixedPitch) {
    QFont font(
        editor::qt::ResolveFontFamily(Face, FixedPitch ? editor::fpFixed : editor::fpVariable));
    font.setPixelSize(Pixels);
    if (FixedPitch) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
    }
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace

QFont FormFont() {
    return MakeFont("MS Sans Serif", kFormFontPixels, false);
}

QFont ConsoleFont() {
    return MakeFont("Fixedsys", kConsoleFontPixels, true);
}

QFont TitleFont() {
    QFont font = MakeFont("Comic Sans MS", kTitleFontPixels, false);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

} // namespace marlinet::workbench
