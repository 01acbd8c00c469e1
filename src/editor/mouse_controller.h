// The mouse side of the editor: presses that place the caret, drags that
// extend the selection, the auto-scroll timer while a drag leaves the text
// area, the wait before a press inside the selection becomes a drag of it,
// double clicks and the wheel. It moves the caret and the selection through
// the editor's own operations and keeps only the state of the gesture in
// progress. A press in the gutter (left of GutterWidth) is not a press in the
// text: it raises OnGutterClick and leaves the caret and the selection
// alone. Coordinates are client pixels.
#pragma once

#include <string>

#include "editor/document.h"
#include "editor/edit_settings.h"
#include "editor/editing.h"
#include "editor/kbd_handler.h"
#include "editor/types.h"

namespace marlinet::editor {

class TSynViewport;
class TSynCaret;
class TSynEditStatus;
class TSynScroller;
class TSynMovement;

struct TSynMouseContext {
    const TSynDocument& Doc;
    TSynViewport& View;
    TSynCaret& Caret;
    TSynEditStatus& Status;
    TSynScroller& Scroller;
    TSynMovement& Movement;
    TSynEditingCommands& Editing;
    TSynEditKbdHandler& KbdHandler;
    const TSynEditSettings& Settings;
    const TSynEditEvents& Events;
    TObject* Sender;
    // The editor's StartDragSelection, which an editor class may extend.
    TMethod<void()> StartDrag;
};

class TSynMouseController {
public:
    explicit TSynMouseController(const TSynMouseContext& Context) : ctx_(Context) {}
    TSynMouseController(const TSynMouseController&) = delete;
    TSynMouseController& operator=(const TSynMouseController&) = delete;

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void MouseMove(TShiftState Shift, int X, int Y);
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    void DblClick(int X, int Y);
    void MouseWheel(int WheelDelta, TShiftState Shift);
    void ScrollTimerTick();
    // Before the window goes: the auto-scroll timer is the window's.
    void StopScrollTimer();

    // Drag and drop over this editor (see TCustomSynEdit). Source is the
    // dragging editor's editing, null for text from elsewhere.
    TSynDropEffect DragOver(const TSynEditingCommands* Source, TShiftState Shift, int X, int Y);
    void DragLeave();
    TSynDropEffect DragDrop(TSynEditingCommands* Source, const std::string& Text, TShiftState Shift,
                            int X, int Y);
    // Hands the selected text to the window's drag, which returns when it
    // is dropped; the press's gesture ends.
    void StartDragSelection();

private:
    bool InGutter(int X) const;
    void GutterPress(TMouseButton Button, TShiftState Shift, int X, int Y);
    // The text position of a display cell, its row limited to the text.
    TBufferCoord TextAt(TDisplayCoord Cell) const;
    // The text position nearest to a pixel, on an existing row.
    TBufferCoord PositionAt(int X, int Y) const;
    // How far to scroll per tick while the pointer is outside the text
    // area; starts or stops the timer accordingly.
    // While Dragging, half a cell inside the text area's edges counts as
    // outside: a drag cannot leave the window, so it scrolls near the edges.
    void ComputeScrollDeltas(int X, int Y, bool Dragging = false);
    TSynDropEffect DropEffect(const TSynEditingCommands* Source, TShiftState Shift) const;
    void MoveCaretToPointer(int X, int Y, bool KeepColumn, bool KeepRow);

    TSynMouseContext ctx_;
    int wheelAccumulator_ = 0; // wheel delta short of a whole notch
    TPoint mouseDownPos_;
    int scrollDeltaX_ = 0; // columns per tick
    int scrollDeltaY_ = 0; // rows per tick
    bool scrollTimerRunning_ = false;
    TShiftState lastMouseShift_;
};

} // namespace marlinet::editor
