// The editor's display settings as one value. The editor changes a field only
// through its generic setter, which compares, stores and then runs the one
// reaction that field needs (a repaint, a new caret, a new cell size...).
#pragma once

#include "editor/edit_types.h"

namespace marlinet::editor {

struct TSynEditStyle {
    TColor Color = clWindow; // text background
    // Column of the right-margin line; 0 or less hides it.
    int RightEdge = 80;
    TColor RightEdgeColor = clSilver;
    // Background of the caret line; clNone for none.
    TColor ActiveLineColor = clNone;
    int ExtraLineSpacing = 0;
    TSynEditCaretType InsertCaret = ctVerticalLine;
    TSynEditCaretType OverwriteCaret = ctBlock;
    TColor ScrollHintColor = clInfoBk;
    TScrollHintFormat ScrollHintFormat = shfTopLineOnly;
    // Only the vertical bar exists; ssHorizontal and ssNone hide it.
    TScrollStyle ScrollBars = ssBoth;
    TSynBorderStyle BorderStyle = bsSingle;
    // Hide the selection while the editor has no focus.
    bool HideSelection = false;
    // The marked matches of a search (TCustomSynEdit::SetMarkedSearch).
    TColor MatchForeground = clBlack;
    TColor MatchBackground = RGB(255, 200, 0);

    bool operator==(const TSynEditStyle&) const = default;
};

} // namespace marlinet::editor
