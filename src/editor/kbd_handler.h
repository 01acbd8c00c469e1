// Handler chains through which other components see keys and mouse actions
// before the editor acts on them.
#pragma once

#include <cstdint>

#include "editor/events.h"
#include "editor/types.h"

namespace marlinet::editor {

// Mouse cursor shape identifier, as the front end defines it.
using TCursor = int;

using TKeyEvent = TMethod<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = TMethod<void(TObject* Sender, char& Key)>;
using TMouseEvent =
    TMethod<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseCursorEvent =
    TMethod<void(TObject* Sender, const TBufferCoord& LineCharPos, TCursor& Cursor)>;

// Six chains. Each Execute calls its chain from the most recently added slot
// to the first. The key chains stop once a slot has set the key (or
// character) to 0; the mouse chains always call every slot. A nested call of
// the same Execute from inside a slot returns at once. A slot may remove
// slots while the chain runs: removed slots that were not yet reached are not
// called.
class TSynEditKbdHandler {
public:
    void AddKeyDownHandler(const TKeyEvent& H) { keyDown_.Add(H); }
    void RemoveKeyDownHandler(const TKeyEvent& H) { keyDown_.Remove(H); }
    void AddKeyUpHandler(const TKeyEvent& H) { keyUp_.Add(H); }
    void RemoveKeyUpHandler(const TKeyEvent& H) { keyUp_.Remove(H); }
    void AddKeyPressHandler(const TKeyPressEvent& H) { keyPress_.Add(H); }
    void RemoveKeyPressHandler(const TKeyPressEvent& H) { keyPress_.Remove(H); }
    void AddMouseDownHandler(const TMouseEvent& H) { mouseDown_.Add(H); }
    void RemoveMouseDownHandler(const TMouseEvent& H) { mouseDown_.Remove(H); }
    void AddMouseUpHandler(const TMouseEvent& H) { mouseUp_.Add(H); }
    void RemoveMouseUpHandler(const TMouseEvent& H) { mouseUp_.Remove(H); }
    void AddMouseCursorHandler(const TMouseCursorEvent& H) { mouseCursor_.Add(H); }
    void RemoveMouseCursorHandler(const TMouseCursorEvent& H) { mouseCursor_.Remove(H); }

    void ExecuteKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
    void ExecuteKeyUp(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
    void ExecuteKeyPress(TObject* Sender, char& Key);
    void ExecuteMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ExecuteMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ExecuteMouseCursor(TObject* Sender, const TBufferCoord& LineCharPos, TCursor& Cursor);

private:
    TMethodList<TKeyEvent> keyDown_, keyUp_;
    TMethodList<TKeyPressEvent> keyPress_;
    TMethodList<TMouseEvent> mouseDown_, mouseUp_;
    TMethodList<TMouseCursorEvent> mouseCursor_;
    bool inKeyDown_ = false, inKeyUp_ = false, inKeyPress_ = false;
    bool inMouseDown_ = false, inMouseUp_ = false, inMouseCursor_ = false;
};

} // namespace marlinet::editor
