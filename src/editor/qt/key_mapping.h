// Qt key events to the virtual-key numbers and modifier set that the key
// binding table speaks.
#pragma once

#include <cstdint>

#include <Qt>

#include "editor/types.h"

class QKeyEvent;

namespace marlinet::editor::qt {

// The virtual-key code of a Qt key, 0 when it has none. Shifted symbols of
// the digit row map back to their digits, so Shift+Ctrl+1 reaches the binding
// of Shift+Ctrl+'1' whatever symbol the layout puts over the 1.
std::uint16_t VirtualKeyFromQt(int QtKey, Qt::KeyboardModifiers Modifiers);
std::uint16_t VirtualKeyFromEvent(const QKeyEvent& Event);

// Shift, Ctrl and Alt; Meta and the keypad flag are not part of bindings.
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers Modifiers);
// The modifiers plus the mouse buttons held.
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
// Back again: Shift, Ctrl and Alt of a modifier set.
Qt::KeyboardModifiers QtModifiersFromShiftState(TShiftState Shift);

} // namespace marlinet::editor::qt
