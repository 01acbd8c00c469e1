// The settings the main window gives its editor SynEdit1: 477 x 189 pixels,
// lime 13-pixel "Courier New" on black, a 3-digit gutter in "Fixedsys", the
// BASIC highlighter, a vertical scroll bar only and whole-line selection.
// Part of the main window's configuration: this file moves to src/workbench/
// when that folder is created.
#pragma once

#include "editor/qt/synedit.h"
#include "highlight/vb_highlighter.h"

namespace marlinet::editor::qt {

inline constexpr int kMainWindowEditorWidth = 477;
inline constexpr int kMainWindowEditorHeight = 189;

// The window's editor options.
inline constexpr TSynEditorOptions kMainWindowEditorOptions{
    eoDragDropEditing, eoEnhanceEndKey,     eoGroupUndo,      eoRightMouseMovesCursor,
    eoScrollPastEol,   eoShowScrollHint,    eoSmartTabDelete, eoSmartTabs,
    eoTabsToSpaces,    eoTrimTrailingSpaces};

// Applies the settings and binds Highlighter (which must outlive the editor
// or be destroyed first; the editor unbinds itself either way).
void ApplyMainWindowEditorSettings(TSynEdit& Edit, highlight::TSynVBSyn* Highlighter);

} // namespace marlinet::editor::qt
