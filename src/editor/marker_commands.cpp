#include "editor/marker_commands.h"

namespace marlinet::editor {

namespace {

bool InRange(TSynEditorCommand Command, TSynEditorCommand First) {
    return Command >= First && Command < First + kBookmarkCount;
}

} // namespace

bool IsMarkerCommand(TSynEditorCommand Command) {
    return InRange(Command, ecSetMarker0) || InRange(Command, ecGotoMarker0);
}

void ExecuteMarkerCommand(TSynEditorCommand Command, const TSynBookMarkOpt& Options,
                          TSynMarkerSet& Markers, const TBufferCoord& Caret,
                          const TSynCommandSlot& Execute) {
    if (!Options.EnableKeys()) return;
    if (InRange(Command, ecSetMarker0)) {
        Markers.ToggleBookmark(Command - ecSetMarker0, Caret);
        return;
    }
    TBufferCoord at;
    if (Markers.GetBookmark(Command - ecGotoMarker0, at)) Execute(ecGotoXY, '\0', &at);
}

} // namespace marlinet::editor
