// The platform side of the editor core on Qt: fonts measured with
// QFontMetrics and drawn as glyph runs, and a drawing target over a QPainter.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QRawFont>
#include <QRect>
#include <QString>

#include "editor/platform.h"

class QPainter;

namespace marlinet::editor::qt {

// The editor's 8-bit text and Qt's strings: bytes are Latin-1 characters;
// a character Latin-1 cannot hold becomes one '?' (a character outside the
// basic plane, two UTF-16 units, is still one '?').
QString FromLatin1(std::string_view Text);
std::string ToLatin1(QStringView Text);

// An installed family for a face name: the name itself when installed, else
// a metric-compatible or similar face, else the system's fixed-pitch font
// for fixed-pitch requests and the default font otherwise.
QString ResolveFontFamily(const std::string& Name, TFontPitch Pitch);
// The QFont for a logical font: the resolved family at the character height
// in pixels, with its style.
QFont ToQFont(const TSynLogFont& Font);
// Platform colour to RGB; system colours come from the application palette.
QColor ToQColor(TColor Color);
inline QRect ToQRect(const TRect& R) {
    return QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
}

class TQtFont : public TSynPlatformFont {
public:
    explicit TQtFont(const TSynLogFont& Font);

    int CharAdvance() const override { return advance_; }
    int CharHeight() const override { return height_; }
    int CharOverhang(char C) const override;
    int TextWidth(std::string_view Text) const override;

    const QFont& Font() const { return font_; }
    const QRawFont& RawFont() const { return raw_; }
    // Glyph of a Latin-1 character; 0 when the face has none.
    quint32 Glyph(unsigned char C) const { return glyphs_[C]; }
    // From the top of a cell to the baseline.
    int Baseline() const { return baseline_; }

private:
    QFont font_;
    QFontMetrics metrics_;
    QRawFont raw_;
    std::array<quint32, 256> glyphs_{};
    int advance_ = 0;
    int height_ = 0;
    int baseline_ = 0;
};

class TQtFontEngine : public TSynFontEngine {
public:
    // The engine of the process; it outlives every editor.
    static TQtFontEngine& Instance();
    std::unique_ptr<TSynPlatformFont> CreateFont(const TSynLogFont& Font) override;
};

// A paint's drawing target: one rectangle of a painter's device.
class TQtCanvas : public TSynCanvas {
public:
    TQtCanvas(QPainter& Painter, const TRect& Clip);

    TRect ClipRect() const override { return clip_; }
    void SaveState() override;
    void RestoreState() override;
    void SelectFont(const TSynPlatformFont& Font) override;
    void SetTextColor(TColor Color) override;
    void SetBkColor(TColor Color) override;
    void ExtTextOut(int X, int Y, TSynTextOutOptions Options, const TRect* Rect,
                    std::string_view Text, const int* Dx) override;
    void FillRect(const TRect& Rect, TColor Color) override;
    void Line(int X1, int Y1, int X2, int Y2, TColor Color) override;
    void DrawBitmap(int X, int Y, const TSynBitmap& Source, int SourceLeft, int SourceTop,
                    int SourceWidth, int SourceHeight) override;

private:
    struct State {
        const TQtFont* font;
        TColor text;
        TColor back;
    };
    QPainter& painter_;
    TRect clip_;
    const TQtFont* font_ = nullptr;
    TColor text_ = clWindowText;
    TColor back_ = clWindow;
    std::vector<State> saved_;
    // Reused between calls: one paint writes many runs.
    QVector<quint32> glyphs_;
    QVector<QPointF> positions_;
};

} // namespace marlinet::editor::qt
