// The pictures the window draws itself: the board's lamps and the speed
// buttons' glyphs. Drawn with QPainter at start-up; no image files.
#pragma once

#include <QColor>
#include <QPixmap>

namespace marlinet::workbench {

inline constexpr int kLampSize = 14;

// A 14 x 14 round lamp on a transparent background: a disc with a white
// highlight at the upper right and a darker crescent at the lower left.
QPixmap LampOffImage(); // grey disc, black shadow
QPixmap LampOnImage();  // lime disc, grey shadow

// The colour of a lamp's disc, for those who check a drawn lamp.
inline const QColor kLampOffColor{128, 128, 128};
inline const QColor kLampOnColor{0, 255, 0};

enum class Glyph {
    Open,
    Save,
    Run,
    Step,
    Reset,
    Stop,
    ClearConsole,
    ToggleBreakpoint,
    StepOver,
    StepOut,
    RunToCursor
};

// A 16 x 16 glyph for a speed button.
QPixmap GlyphImage(Glyph Which);

} // namespace marlinet::workbench
