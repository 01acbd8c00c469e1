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

#include "editor/editing.h"
#include "editor/types.h"

namespace marlinet::editor {

class TCustomSynEdit;

class TSynMouseController {
public:
    explicit TSynMouseController(TCustomSynEdit& Edit) : edit_(Edit) {}
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

    // Drag and drop over this editor (see TCustomSynEdit).
    TSynDropEffect DragOver(const TCustomSynEdit* Source, TShiftState Shift, int X, int Y);
    void DragLeave();
    TSynDropEffect DragDrop(TCustomSynEdit* Source, const std::string& Text, TShiftState Shift,
                            int X, int Y);

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
    TSynDropEffect DropEffect(const TCustomSynEdit* Source, TShiftState Shift) const;
    void MoveCaretToPointer(int X, int Y, bool KeepColumn, bool KeepRow);

    TCustomSynEdit& edit_;
    int wheelAccumulator_ = 0; // wheel delta short of a whole notch
    TPoint mouseDownPos_;
    int scrollDeltaX_ = 0; // columns per tick
    int scrollDeltaY_ = 0; // rows per tick
    bool scrollTimerRunning_ = false;
    TShiftState lastMouseShift_;
};

} // namespace marlinet::editor
