// The faces the window's design names, resolved to faces a Linux desktop has.
// Every widget of the window layer takes its font from here; the stand-in
// faces come from the editor front end's one table of them.
//
// Sizes are pixels, not points: the layout is fixed in pixels and must not
// grow with the screen's DPI. 8 pt and 11 pt are taken at 96 dpi.
#pragma once

#include <QFont>
#include <QString>

namespace marlinet::workbench {

// "MS Sans Serif" 8 pt: the form font of every window.
QFont FormFont();
// "Fixedsys": the console's fixed-pitch face.
QFont ConsoleFont();
// "Comic Sans MS" 11 pt bold italic: the About box title.
QFont TitleFont();

} // namespace marlinet::workbench
