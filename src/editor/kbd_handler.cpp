#include "editor/kbd_handler.h"

#include <utility>

#include "support/scoped_flag.h"

namespace marlinet::editor {

namespace {

// Calls the chain newest first until stop() holds; a run started from
// inside a run of the same chain returns at once.
template <class List, class Stop, class... Args>
void RunChain(bool& running, List& list, Stop stop, Args&&... args) {
    if (running) return;
    const support::TScopedFlag guard(running);
    list.CallNewestFirst(stop, std::forward<Args>(args)...);
}

} // namespace

void TSynEditKbdHandler::ExecuteKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift) {
    RunChain(
        inKeyDown_, keyDown_, [&] { return Key == 0; }, Sender, Key, Shift);
}

void TSynEditKbdHandler::ExecuteKeyUp(TObject* Sender, std::uint16_t& Key, TShiftState Shift) {
    RunChain(
        inKeyUp_, keyUp_, [&] { return Key == 0; }, Sender, Key, Shift);
}

void TSynEditKbdHandler::ExecuteKeyPress(TObject* Sender, char& Key) {
    RunChain(
        inKeyPress_, keyPress_, [&] { return Key == 0; }, Sender, Key);
}

void TSynEditKbdHandler::ExecuteMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                          int X, int Y) {
    RunChain(
        inMouseDown_, mouseDown_, [] { return false; }, Sender, Button, Shift, X, Y);
}

void TSynEditKbdHandler::ExecuteMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                        int X, int Y) {
    RunChain(
        inMouseUp_, mouseUp_, [] { return false; }, Sender, Button, Shift, X, Y);
}

void TSynEditKbdHandler::ExecuteMouseCursor(TObject* Sender, const TBufferCoord& LineCharPos,
                                            TCursor& Cursor) {
    RunChain(
        inMouseCursor_, mouseCursor_, [] { return false; }, Sender, LineCharPos, Cursor);
}

} // namespace marlinet::editor
