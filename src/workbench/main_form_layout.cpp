#include "workbench/main_form_layout.h"

#include <algorithm>

namespace marlinet::workbench {

TMainFormPlaces MainFormPlaces(QSize Client, int FindBarHeight) {
    const int wider = std::max(Client.width() - kDesignClientSize.width(), 0);
    const int taller = std::max(Client.height() - kDesignClientSize.height(), 0);
    const int editorTaller = taller - taller / 2;
    const int board = 196 + editorTaller; // the board row's top
    TMainFormPlaces places;
    places.SynEdit1 = {4, 4, 477 + wider, 189 + editorTaller};
    // The speed-button column reaches down as far as the console: the
    // debugger's buttons show below the described ones where there is room.
    places.Panel5 = {4, board, 41, 225 + taller / 2};
    places.Panel1 = {48, board, 85, 53};
    places.Panel2 = {136, board, 81, 53};
    places.Panel3 = {220, board, 97, 53};
    places.Panel4 = {320, board, 57, 53};
    places.Panel7 = {380, board, 101, 53};
    places.Console = {48, board + 56, 433 + wider, 169 + taller / 2};
    places.Panel6 = {484 + wider, 4, 113, 421};
    places.StatusBar1 = {0, 424 + taller, 601 + wider, 19};
    if (FindBarHeight > 0) {
        places.SynEdit1.setHeight(places.SynEdit1.height() - FindBarHeight);
        places.FindBar = {4, places.SynEdit1.bottom() + 1, places.SynEdit1.width(), FindBarHeight};
    }
    return places;
}

} // namespace marlinet::workbench
