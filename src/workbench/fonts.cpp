#include "workbench/fonts.h"

#include "editor/qt/qt_platform.h"

namespace marlinet::workbench {

namespace {

// DejaVu Sans Mono at 13 pixels advances 8 pixels per character, as the
// bitmap console face does.
constexpr int kFormFontPixels = 11;    // 8 pt
constexpr int kConsoleFontPixels = 13; // one 8 x 15 cell per character
constexpr int kTitleFontPixels = 15;   // 11 pt

// The editor front end's conversion, so that a face resolves and hints the
// same in every widget.
QFont MakeFont(const char* Face, int Pixels, bool FixedPitch,
               editor::TFontStyles Style = editor::TFontStyles()) {
    return editor::qt::ToQFont({.Name = Face,
                                .Height = Pixels,
                                .Pitch = FixedPitch ? editor::fpFixed : editor::fpVariable,
                                .Style = Style});
}

} // namespace

QFont FormFont() {
    return MakeFont("MS Sans Serif", kFormFontPixels, false);
}

QFont ConsoleFont() {
    return MakeFont("Fixedsys", kConsoleFontPixels, true);
}

QFont TitleFont() {
    return MakeFont("Comic Sans MS", kTitleFontPixels, false, editor::fsBold | editor::fsItalic);
}

} // namespace marlinet::workbench
