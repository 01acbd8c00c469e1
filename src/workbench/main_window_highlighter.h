// The BASIC highlighter of the main window's editor, with the window's
// colours: identifiers yellow, keywords white in bold italic, numbers aqua,
// strings light cyan. Every other colour stays clNone, so the editor's own
// colours (lime on black) show through.
#pragma once

#include <memory>

#include "highlight/vb_highlighter.h"

namespace marlinet::workbench {

inline constexpr support::TColor kMainWindowStringColor = 16777088; // light cyan (128, 255, 255)

// Applies the window's values while the component is marked as loading, so
// nobody hears them one by one; then Loaded tells the listeners once.
void LoadMainWindowSettings(highlight::TSynVBSyn& Highlighter);

// A new highlighter named "SynVBSyn1" with the window's values.
std::unique_ptr<highlight::TSynVBSyn> CreateMainWindowHighlighter(highlight::TComponent* AOwner);

} // namespace marlinet::workbench
