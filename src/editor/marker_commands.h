// The key table's bookmark commands. ecSetMarker0..9 sets bookmark n at the
// caret, or clears it when it is already on the caret line; ecGotoMarker0..9
// moves the caret to bookmark n, collapsing the selection there, and
// scrolls it into view. Both do nothing while the bookmark options turn the
// keys off.
#pragma once

#include "editor/commands.h"
#include "editor/edit_settings.h"
#include "editor/gutter.h"
#include "editor/markers.h"

namespace marlinet::editor {

bool IsMarkerCommand(TSynEditorCommand Command);
// Command must be one of the marker commands; a jump runs ecGotoXY through
// Execute.
void ExecuteMarkerCommand(TSynEditorCommand Command, const TSynBookMarkOpt& Options,
                          TSynMarkerSet& Markers, const TBufferCoord& Caret,
                          const TSynCommandSlot& Execute);

} // namespace marlinet::editor
