// What the editor core asks of the window that shows it. The Qt front end
// implements this; the core never includes a toolkit header.
//
// All calls come from the thread that owns the window. Coordinates are pixels
// in the editor's client area, origin top-left.
#pragma once

#include "editor/types.h"

namespace marlinet::editor {

class TSynEditWindow {
public:
    virtual ~TSynEditWindow() = default;

    // The native window exists (repaint requests need somewhere to go).
    virtual bool HandleAllocated() const = 0;
    // The window is shown; hidden windows are not repainted.
    virtual bool Visible() const = 0;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;

    // Marks a rectangle for repainting. Never paints synchronously: the
    // toolkit paints later, so the editor may request many rectangles within
    // one change.
    virtual void InvalidateRect(const TRect& Rect) = 0;

    // Caret, selection, scroll position, insert mode, read-only or modified
    // state changed. Reported once per outermost paint-lock bracket.
    virtual void StatusChanged(TSynStatusChanges Changes) = 0;
};

} // namespace marlinet::editor
