// The key table's bookmark commands. ecSetMarker0..9 sets bookmark n at the
// caret, or clears it when it is already on the caret line; ecGotoMarker0..9
// moves the caret to bookmark n, collapsing the selection there, and
// scrolls it into view. Both do nothing while the bookmark options turn the
// keys off.
#pragma once

#include "editor/commands.h"

namespace marlinet::editor {

class TCustomSynEdit;

bool IsMarkerCommand(TSynEditorCommand Command);
// Command must be one of the marker commands.
void ExecuteMarkerCommand(TCustomSynEdit& Edit, TSynEditorCommand Command);

} // namespace marlinet::editor
