// The options the main window gives its editor SynEdit1. Qt-free, so that the
// editor core's tests and benchmarks run under exactly these options.
#pragma once

#include "editor/edit_types.h"

namespace marlinet::workbench {

inline constexpr editor::TSynEditorOptions kMainWindowEditorOptions = [] {
    using namespace editor;
    return TSynEditorOptions{eoDragDropEditing,       eoEnhanceEndKey, eoGroupUndo,
                             eoRightMouseMovesCursor, eoScrollPastEol, eoShowScrollHint,
                             eoSmartTabDelete,        eoSmartTabs,     eoTabsToSpaces,
                             eoTrimTrailingSpaces};
}();

} // namespace marlinet::workbench
