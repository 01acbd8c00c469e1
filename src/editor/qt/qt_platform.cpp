#include "editor/qt/qt_platform.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QPalette>

namespace marlinet::editor::qt {

namespace {

struct FaceAlias {
    const char* name;
    const char* installed; // tried first
    const char* second;
};

// Faces the program names that a Linux machine lacks, and what stands in for
// them (see QT_NOTES.md). The window's labels are sized for narrow faces:
// Liberation Sans keeps their advances where a wide desktop face would cut
// them. No rounded hand-lettered face is installed by default; DejaVu Sans
// keeps the About title's weight and slant.
constexpr FaceAlias kAliases[] = {
    {"Courier New", "Liberation Mono", "DejaVu Sans Mono"},
    {"Courier", "Liberation Mono", "DejaVu Sans Mono"},
    {"Fixedsys", "DejaVu Sans Mono", "Liberation Mono"},
    {"Terminal", "DejaVu Sans Mono", "Liberation Mono"},
    {"MS Sans Serif", "Liberation Sans", "DejaVu Sans"},
    {"Arial", "Liberation Sans", "DejaVu Sans"},
    {"Comic Sans MS", "DejaVu Sans", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif", "DejaVu Serif"},
};

bool HasFamily(const QString& Family) {
    return QFontDatabase::families().contains(Family, Qt::CaseInsensitive);
}

} // namespace

QString FromLatin1(std::string_view Text) {
    return QString::fromLatin1(Text.data(), static_cast<qsizetype>(Text.size()));
}

std::string ToLatin1(QStringView Text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(Text.size()));
    for (const uint c : Text.toUcs4())
        out += c <= 0xFF ? static_cast<char>(c) : '?';
    return out;
}

QString ResolveFontFamily(const std::string& Name, TFontPitch Pitch) {
    const QString name = FromLatin1(Name);
    if (HasFamily(name)) return name;
    for (const auto& alias : kAliases) {
        if (name.compare(QLatin1String(alias.name), Qt::CaseInsensitive) != 0) continue;
        for (const char* family : {alias.installed, alias.second})
            if (HasFamily(QLatin1String(family))) return QLatin1String(family);
    }
    if (Pitch == fpFixed) return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    return QApplication::font().family();
}

QFont ToQFont(const TSynLogFont& Font) {
    QFont font(ResolveFontFamily(Font.Name, Font.Pitch));
    font.setPixelSize(std::max(Font.Height, 1));
    font.setBold(Font.Style.Contains(fsBold));
    font.setItalic(Font.Style.Contains(fsItalic));
    font.setUnderline(Font.Style.Contains(fsUnderline));
    font.setStrikeOut(Font.Style.Contains(fsStrikeOut));
    if (Font.Pitch == fpFixed) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
    }
    // Whole-pixel advances, so that "M" measures what a cell holds.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QColor ToQColor(TColor Color) {
    if (Color == clNone) return Qt::transparent;
    if (IsSystemColor(Color)) {
        const QPalette palette = QApplication::palette();
        switch (SystemColorIndex(Color)) {
        case support::kSysWindow: return palette.color(QPalette::Base);
        case support::kSysWindowText: return palette.color(QPalette::Text);
        case support::kSysHighlight: return palette.color(QPalette::Highlight);
        case support::kSysHighlightText: return palette.color(QPalette::HighlightedText);
        case support::kSysBtnFace: return palette.color(QPalette::Button);
        case support::kSysInfoText: return palette.color(QPalette::ToolTipText);
        case support::kSysInfoBk: return palette.color(QPalette::ToolTipBase);
        default: return palette.color(QPalette::WindowText);
        }
    }
    const auto c = static_cast<std::uint32_t>(Color);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

// --- Fonts ---------------------------------------------------------------------------

TQtFont::TQtFont(const TSynLogFont& Font)
    : font_(ToQFont(Font)), metrics_(font_), raw_(QRawFont::fromFont(font_)),
      height_(std::max(Font.Height, 1)) {
    advance_ = metrics_.horizontalAdvance(QLatin1Char('M'));
    if (advance_ <= 0) advance_ = metrics_.averageCharWidth();
    // The face's ascent and descent centred in the character height, so the
    // letters sit in the middle of their cell and descenders keep clear of
    // the next row.
    baseline_ = (height_ - (metrics_.ascent() + metrics_.descent())) / 2 + metrics_.ascent();
    if (raw_.isValid()) {
        QString latin1(256, QChar());
        for (int c = 0; c < 256; ++c)
            latin1[c] = QChar(c);
        const QList<quint32> glyphs = raw_.glyphIndexesForString(latin1);
        for (int c = 0; c < 256 && c < glyphs.size(); ++c)
            glyphs_[static_cast<std::size_t>(c)] = glyphs[c];
    }
}

int TQtFont::CharOverhang(char C) const {
    const int bearing = metrics_.rightBearing(QChar(static_cast<unsigned char>(C)));
    const int own = metrics_.horizontalAdvance(QChar(static_cast<unsigned char>(C)));
    // Ink past the character's own advance, plus any advance beyond the cell.
    return std::max(0, -bearing + own - advance_);
}

int TQtFont::TextWidth(std::string_view Text) const {
    return metrics_.horizontalAdvance(FromLatin1(Text));
}

TQtFontEngine& TQtFontEngine::Instance() {
    static TQtFontEngine engine;
    return engine;
}

std::unique_ptr<TSynPlatformFont> TQtFontEngine::CreateFont(const TSynLogFont& Font) {
    return std::make_unique<TQtFont>(Font);
}

// --- Canvas --------------------------------------------------------------------------

TQtCanvas::TQtCanvas(QPainter& Painter, const TRect& Clip) : painter_(Painter), clip_(Clip) {}

void TQtCanvas::SaveState() {
    saved_.push_back({font_, text_, back_});
}

void TQtCanvas::RestoreState() {
    if (saved_.empty()) return;
    font_ = saved_.back().font;
    text_ = saved_.back().text;
    back_ = saved_.back().back;
    saved_.pop_back();
}

void TQtCanvas::SelectFont(const TSynPlatformFont& Font) {
    font_ = &static_cast<const TQtFont&>(Font);
}

void TQtCanvas::SetTextColor(TColor Color) {
    text_ = Color;
}

void TQtCanvas::SetBkColor(TColor Color) {
    back_ = Color;
}

void TQtCanvas::ExtTextOut(int X, int Y, TSynTextOutOptions Options, const TRect* Rect,
                           std::string_view Text, const int* Dx) {
    if (Rect && Options.Contains(etoOpaque) && !Rect->IsEmpty())
        painter_.fillRect(ToQRect(*Rect), ToQColor(back_));
    if (Text.empty() || !font_) return;
    const bool clipped = Rect && Options.Contains(etoClipped);
    if (clipped) {
        painter_.save();
        painter_.setClipRect(ToQRect(*Rect), Qt::IntersectClip);
    }
    painter_.setPen(ToQColor(text_));
    const int baseline = Y + font_->Baseline();
    if (font_->RawFont().isValid()) {
        // One glyph run with a position per character: every character
        // stands in its own cell whatever the face's advances.
        glyphs_.resize(static_cast<qsizetype>(Text.size()));
        positions_.resize(static_cast<qsizetype>(Text.size()));
        int x = X;
        for (std::size_t i = 0; i < Text.size(); ++i) {
            glyphs_[static_cast<qsizetype>(i)] = font_->Glyph(static_cast<unsigned char>(Text[i]));
            positions_[static_cast<qsizetype>(i)] = QPointF(x, baseline);
            x += Dx ? Dx[i] : font_->CharAdvance();
        }
        QGlyphRun run;
        run.setRawFont(font_->RawFont());
        run.setGlyphIndexes(glyphs_);
        run.setPositions(positions_);
        run.setUnderline(font_->Font().underline());
        run.setStrikeOut(font_->Font().strikeOut());
        painter_.drawGlyphRun(QPointF(0, 0), run);
    } else {
        painter_.setFont(font_->Font());
        int x = X;
        for (std::size_t i = 0; i < Text.size(); ++i) {
            painter_.drawText(QPoint(x, baseline),
                              QString(QChar(static_cast<unsigned char>(Text[i]))));
            x += Dx ? Dx[i] : font_->CharAdvance();
        }
    }
    if (clipped) painter_.restore();
}

void TQtCanvas::FillRect(const TRect& Rect, TColor Color) {
    if (Rect.IsEmpty()) return;
    painter_.fillRect(ToQRect(Rect), ToQColor(Color));
}

void TQtCanvas::Line(int X1, int Y1, int X2, int Y2, TColor Color) {
    // Half-open like the rest: the end point is not drawn.
    if (X1 == X2 && Y1 != Y2)
        painter_.fillRect(QRect(X1, std::min(Y1, Y2), 1, std::abs(Y2 - Y1)), ToQColor(Color));
    else if (Y1 == Y2 && X1 != X2)
        painter_.fillRect(QRect(std::min(X1, X2), Y1, std::abs(X2 - X1), 1), ToQColor(Color));
    else if (X1 != X2 || Y1 != Y2) {
        painter_.setPen(ToQColor(Color));
        painter_.drawLine(X1, Y1, X2, Y2);
    }
}

void TQtCanvas::DrawBitmap(int X, int Y, const TSynBitmap& Source, int SourceLeft, int SourceTop,
                           int SourceWidth, int SourceHeight) {
    QImage image(SourceWidth, SourceHeight, QImage::Format_ARGB32);
    for (int y = 0; y < SourceHeight; ++y) {
        for (int x = 0; x < SourceWidth; ++x) {
            const int sx = SourceLeft + x, sy = SourceTop + y;
            const TColor c = (sx < Source.Width && sy < Source.Height)
                                 ? Source.Pixels[static_cast<std::size_t>(sy * Source.Width + sx)]
                                 : clNone;
            image.setPixelColor(x, y, ToQColor(c));
        }
    }
    painter_.drawImage(QPoint(X, Y), image);
}

} // namespace marlinet::editor::qt
