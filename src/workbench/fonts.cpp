#include "workbench/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace marlinet::workbench {

namespace {

struct FaceChoice {
    const char* face;
    const char* installed; // tried in this order
    const char* second;
};

// The design's faces are narrow Windows faces; the labels are sized for
// them. Liberation Sans has Arial's narrow advances, so the panel titles fit
// their panels where a wide desktop face would be cut. DejaVu Sans Mono at
// 13 pixels advances 8 pixels per character, as the bitmap console face
// does. No rounded hand-lettered face is installed by default; DejaVu Sans
// in bold italic keeps the title's weight and slant.
constexpr FaceChoice kChoices[] = {
    {"MS Sans Serif", "Liberation Sans", "DejaVu Sans"},
    {"Fixedsys", "DejaVu Sans Mono", "Liberation Mono"},
    {"Comic Sans MS", "DejaVu Sans", "Liberation Sans"},
};

constexpr int kFormFontPixels = 11;    // 8 pt
constexpr int kConsoleFontPixels = 13; // one 8 x 15 cell per character
constexpr int kTitleFontPixels = 15;   // 11 pt

bool Installed(const QString& Family) {
    return QFontDatabase::families().contains(Family, Qt::CaseInsensitive);
}

QFont MakeFont(const char* Face, int Pixels, bool FixedPitch) {
    QFont font(ResolveFamily(QLatin1String(Face), FixedPitch));
    font.setPixelSize(Pixels);
    if (FixedPitch) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
    }
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace

QString ResolveFamily(const QString& Face, bool FixedPitch) {
    if (Installed(Face)) return Face;
    for (const FaceChoice& choice : kChoices) {
        if (Face.compare(QLatin1String(choice.face), Qt::CaseInsensitive) != 0) continue;
        for (const char* family : {choice.installed, choice.second})
            if (Installed(QLatin1String(family))) return QLatin1String(family);
    }
    const auto fallback = FixedPitch ? QFontDatabase::FixedFont : QFontDatabase::GeneralFont;
    return QFontDatabase::systemFont(fallback).family();
}

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
