// Where the main window's parts go in a client area of a given size. The
// design size is the default and the smallest: there every part is at its
// design place. Extra width goes to the editor and the console; extra height
// is shared by them (the editor takes the larger half). The board panels
// and the variables keep their size, and the board row stays between the
// editor and the console; the speed-button column grows down beside the
// console, its described buttons where they were.
#pragma once

#include <QRect>
#include <QSize>

namespace marlinet::workbench {

struct TMainFormPlaces {
    QRect SynEdit1;
    QRect Panel5; // speed buttons
    QRect Panel1; // outputs
    QRect Panel2; // inputs
    QRect Panel3; // ADC
    QRect Panel4; // DAC
    QRect Panel7; // RX bit
    QRect Console;
    QRect Panel6; // variables
    QRect StatusBar1;
    QRect FindBar; // below the editor, empty while hidden
};

inline constexpr QSize kDesignClientSize{601, 443};

// A size below the design size counts as the design size. A find bar
// FindBarHeight pixels high takes the bottom of the editor's place.
TMainFormPlaces MainFormPlaces(QSize Client, int FindBarHeight = 0);

} // namespace marlinet::workbench
