// The settings the main window gives its editor SynEdit1: 477 x 189 pixels,
// lime 13-pixel "Courier New" on black, a 3-digit gutter in "Fixedsys", the
// BASIC highlighter, a vertical scroll bar only and whole-line selection.
#pragma once

#include "editor/qt/synedit.h"
#include "highlight/vb_highlighter.h"
#include "workbench/main_window_editor_options.h"

namespace marlinet::workbench {

inline constexpr int kMainWindowEditorWidth = 477;
inline constexpr int kMainWindowEditorHeight = 189;

// Applies the settings and binds Highlighter (which must outlive the editor
// or be destroyed first; the editor unbinds itself either way).
void ApplyMainWindowEditorSettings(editor::qt::TSynEdit& Edit, highlight::TSynVBSyn* Highlighter);

} // namespace marlinet::workbench
