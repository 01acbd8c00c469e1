// What the editor tests and benchmarks take from the main window: the
// options and the highlighter colours the window gives its editor. The
// window's own units are a layer above the editor, so the values are
// repeated here, and a workbench test (main_window_config_test) fails when
// the two drift apart.
#pragma once

#include <memory>

#include "editor/edit_types.h"
#include "highlight/vb_highlighter.h"

namespace marlinet::editor::testing {

inline constexpr TSynEditorOptions kWindowOptions{
    eoDragDropEditing,       eoEnhanceEndKey, eoGroupUndo,      eoRightMouseMovesCursor,
    eoScrollPastEol,         eoShowScrollHint, eoSmartTabDelete, eoSmartTabs,
    eoTabsToSpaces,          eoTrimTrailingSpaces};

// The window's string colour, light cyan (128, 255, 255).
inline constexpr support::TColor kWindowStringColor = 16777088;

// A BASIC highlighter in the window's colours: identifiers yellow, keywords
// white in bold italic, numbers aqua, strings light cyan.
inline std::unique_ptr<highlight::TSynVBSyn> MakeWindowHighlighter() {
    auto highlighter = std::make_unique<highlight::TSynVBSyn>(nullptr);
    highlighter->BeginLoading();
    highlighter->IdentifierAttri()->SetForeground(support::clYellow);
    highlighter->KeyAttri()->SetForeground(support::clWhite);
    highlighter->KeyAttri()->SetStyle(support::fsBold | support::fsItalic);
    highlighter->NumberAttri()->SetForeground(support::clAqua);
    highlighter->StringAttri()->SetForeground(kWindowStringColor);
    highlighter->Loaded();
    return highlighter;
}

} // namespace marlinet::editor::testing
