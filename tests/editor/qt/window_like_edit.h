// The Qt editor's tests and benchmarks run the widget as the main window
// configures its editor: 477 x 189 pixels, lime 13-pixel "Courier New" on
// black, a 3-digit gutter in "Fixedsys", the BASIC highlighter in the
// window's colours, a vertical scroll bar only and whole-line selection. The
// window's own unit is a layer above; main_window_config_test (workbench)
// fails when the two configurations drift apart.
#pragma once

#include "editor/qt/synedit.h"
#include "highlight/vb_highlighter.h"
#include "window_settings.h"

namespace marlinet::editor::testing {

inline constexpr int kWindowEditorWidth = 477;
inline constexpr int kWindowEditorHeight = 189;

// Binds Highlighter (which must outlive the editor or be destroyed first).
inline void ConfigureLikeTheWindow(qt::TSynEdit& Edit, highlight::TSynVBSyn* Highlighter) {
    TCustomSynEdit& core = Edit.Core();
    Edit.resize(kWindowEditorWidth, kWindowEditorHeight);
    core.SetColor(clBlack);
    core.SetFont(TFont("Courier New", 13, clLime, fpFixed));
    TSynGutter& gutter = core.Gutter();
    gutter.SetDigitCount(3);
    gutter.SetShowLineNumbers(true);
    TFont gutterFont("Fixedsys", 11, clWindowText);
    gutterFont.SetCharset(RUSSIAN_CHARSET);
    gutter.SetFont(gutterFont);
    core.SetHighlighter(Highlighter);
    core.SetScrollBars(ssVertical);
    core.SetOptions(kWindowOptions);
    core.SetSelectionMode(smLine);
}

} // namespace marlinet::editor::testing
