#include "workbench/glyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace marlinet::workbench {

namespace {

QPixmap Transparent(int Size) {
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap Lamp(const QColor& Disc, const QColor& Shadow) {
    QPixmap pixmap = Transparent(kLampSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QRectF disc(0.5, 0.5, kLampSize - 1.0, kLampSize - 1.0);
    QPainterPath outline;
    outline.addEllipse(disc);
    p.setClipPath(outline);
    // The shadow is what the disc, moved up and right, leaves uncovered.
    p.setBrush(Shadow);
    p.drawEllipse(disc);
    p.setBrush(Disc);
    p.drawEllipse(disc.translated(1.5, -1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(8.0, 2.5, 3.0, 3.0));
    return pixmap;
}

void Folder(QPainter& p) {
    p.setPen(QColor(128, 96, 0));
    p.setBrush(QColor(255, 208, 64));
    p.drawPolygon(QPolygon({{1, 4}, {6, 4}, {7, 6}, {14, 6}, {14, 13}, {1, 13}}));
    p.setBrush(QColor(255, 232, 128));
    p.drawPolygon(QPolygon({{3, 8}, {15, 8}, {13, 13}, {1, 13}}));
}

void Disk(QPainter& p) {
    p.setPen(QColor(0, 0, 96));
    p.setBrush(QColor(48, 64, 176));
    p.drawRect(1, 1, 13, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(4, 2, 8, 5); // label
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(5, 10, 6, 4); // shutter
    p.setBrush(QColor(0, 0, 96));
    p.drawRect(9, 11, 1, 2);
}

void Triangle(QPainter& p, int Left, const QColor& Fill) {
    p.setPen(Fill.darker(160));
    p.setBrush(Fill);
    p.drawPolygon(QPolygon({{Left, 2}, {Left + 10, 8}, {Left, 14}}));
}

void ResetArrow(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 96, 160), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 100 * 16, 280 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 96, 160));
    p.drawPolygon(QPolygonF({{6.0, 0.5}, {11.0, 3.0}, {6.0, 6.5}}));
}

void Eraser(QPainter& p) {
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::black);
    p.drawRect(1, 1, 13, 10); // the console
    p.setPen(Qt::white);
    p.drawLine(3, 4, 9, 4);
    p.drawLine(3, 7, 7, 7);
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(8, 8, 14, 14);
    p.drawLine(14, 8, 8, 14);
}

void Dot(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(128, 0, 0));
    p.setBrush(QColor(224, 32, 32));
    p.drawEllipse(QRectF(3.5, 3.5, 9, 9));
}

// A statement line to the right of the arrow's head.
void Statement(QPainter& p, int Top) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 160));
    p.drawRect(2, Top, 12, 2);
}

void Arrow(QPainter& p, const QPainterPath& Shaft, const QPolygonF& Head) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 128, 0), 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Shaft);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 0));
    p.drawPolygon(Head);
}

// An arc over the statement that a step over passes.
void StepOverArrow(QPainter& p) {
    QPainterPath shaft;
    shaft.moveTo(3, 10);
    shaft.cubicTo(3, 1, 13, 1, 13, 8);
    Arrow(p, shaft, QPolygonF({{9.5, 7.5}, {16.0, 7.5}, {13.0, 12.0}}));
    Statement(p, 13);
}

// Up and out of the statements of a subroutine.
void StepOutArrow(QPainter& p) {
    QPainterPath shaft;
    shaft.moveTo(8, 14);
    shaft.lineTo(8, 5);
    Arrow(p, shaft, QPolygonF({{3.5, 6.0}, {8.0, 0.5}, {12.5, 6.0}}));
    p.setPen(QColor(0, 0, 160));
    p.drawLine(QPointF(2, 10), QPointF(5, 10));
    p.drawLine(QPointF(11, 10), QPointF(14, 10));
}

// A run that ends at a text cursor.
void RunToCursorGlyph(QPainter& p) {
    Triangle(p, 1, QColor(0, 176, 0));
    p.setPen(QPen(Qt::black, 1.0));
    p.drawLine(13, 2, 13, 14);
    p.drawLine(11, 2, 15, 2);
    p.drawLine(11, 14, 15, 14);
}

} // namespace

QPixmap LampOffImage() {
    return Lamp(kLampOffColor, Qt::black);
}

QPixmap LampOnImage() {
    return Lamp(kLampOnColor, QColor(128, 128, 128));
}

QPixmap GlyphImage(Glyph Which) {
    QPixmap pixmap = Transparent(16);
    QPainter p(&pixmap);
    switch (Which) {
    case Glyph::Open: Folder(p); break;
    case Glyph::Save: Disk(p); break;
    case Glyph::Run: Triangle(p, 4, QColor(0, 176, 0)); break;
    case Glyph::Step:
        Triangle(p, 2, QColor(0, 176, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 160));
        p.drawRect(12, 2, 3, 13);
        break;
    case Glyph::Reset: ResetArrow(p); break;
    case Glyph::Stop:
        p.setPen(QColor(128, 0, 0));
        p.setBrush(QColor(224, 0, 0));
        p.drawRect(3, 3, 10, 10);
        break;
    case Glyph::ClearConsole: Eraser(p); break;
    case Glyph::ToggleBreakpoint: Dot(p); break;
    case Glyph::StepOver: StepOverArrow(p); break;
    case Glyph::StepOut: StepOutArrow(p); break;
    case Glyph::RunToCursor: RunToCursorGlyph(p); break;
    }
    return pixmap;
}

} // namespace marlinet::workbench
