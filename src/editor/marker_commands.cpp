#include "editor/marker_commands.h"

#include "editor/custom_synedit.h"

namespace marlinet::editor {

namespace {

bool InRange(TSynEditorCommand Command, TSynEditorCommand First) {
    return Command >= First && Command < First + kBookmarkCount;
}

} // namespace

bool IsMarkerCommand(TSynEditorCommand Command) {
    return InRange(Command, ecSetMarker0) || InRange(Command, ecGotoMarker0);
}

void ExecuteMarkerCommand(TCustomSynEdit& Edit, TSynEditorCommand Command) {
    if (!Edit.BookMarkOptions().EnableKeys()) return;
    if (InRange(Command, ecSetMarker0)) {
        Edit.Markers().ToggleBookmark(Command - ecSetMarker0, Edit.CaretXY());
        return;
    }
    TBufferCoord at;
    if (Edit.Markers().GetBookmark(Command - ecGotoMarker0, at))
        Edit.ExecuteCommand(ecGotoXY, '\0', &at);
}

} // namespace marlinet::editor
