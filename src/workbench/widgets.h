// Helpers that place the window's plain widgets at their design places.
// Every widget gets its design name as its object name.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

namespace marlinet::workbench {

// A raised panel at Place inside Parent.
QFrame* MakePanel(QWidget* Parent, const char* Name, const QRect& Place);

// A label sized to its text, with its top-left corner at Left, Top.
QLabel* MakeLabel(QWidget* Parent, const QString& Text, int Left, int Top);

// A panel's title at Left, Top, squeezed horizontally when the font is wider
// than the design's so that it fits in the panel.
QLabel* MakeTitle(QFrame* Panel, const QString& Text, int Left, int Top);

// A single-line edit field at Place with bold text in TextColor.
QLineEdit* MakeField(QWidget* Parent, const char* Name, const QRect& Place,
                     const QColor& TextColor);

// Sets the background and text colours of a field.
void ColourField(QLineEdit* Field, const QColor& Background, const QColor& Text);

} // namespace marlinet::workbench
