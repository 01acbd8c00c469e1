#include "editor/qt/key_mapping.h"

#include <QKeyEvent>

#include "editor/keystrokes.h"

namespace marlinet::editor::qt {

namespace {

struct KeyPair {
    int qt;
    std::uint16_t vk;
};

// Keys whose virtual-key number is not their Qt code.
constexpr KeyPair kSpecialKeys[] = {
    {Qt::Key_Backspace, VK_BACK},
    {Qt::Key_Tab, VK_TAB},
    {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},
    {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Print, 44},
    {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    // Punctuation keys of a US keyboard, by their unshifted and shifted
    // symbols.
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},
    {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},
    {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189},
    {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},
    {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
};

// The symbols over the digit row of a US keyboard, for Shift+digit.
constexpr KeyPair kShiftedDigits[] = {
    {Qt::Key_ParenRight, '0'},  {Qt::Key_Exclam, '1'},    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},  {Qt::Key_Dollar, '4'},    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'}, {Qt::Key_Ampersand, '7'}, {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
};

} // namespace

std::uint16_t VirtualKeyFromQt(int QtKey, Qt::KeyboardModifiers Modifiers) {
    // Keypad digits arrive as digits with the keypad flag.
    if ((Modifiers & Qt::KeypadModifier) && QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9)
        return static_cast<std::uint16_t>(96 + (QtKey - Qt::Key_0));
    if ((QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z) || (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9))
        return static_cast<std::uint16_t>(QtKey);
    if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F24)
        return static_cast<std::uint16_t>(VK_F1 + (QtKey - Qt::Key_F1));
    if (Modifiers & Qt::ShiftModifier) {
        for (const auto& k : kShiftedDigits)
            if (k.qt == QtKey) return k.vk;
    }
    for (const auto& k : kSpecialKeys)
        if (k.qt == QtKey) return k.vk;
    return 0;
}

std::uint16_t VirtualKeyFromEvent(const QKeyEvent& Event) {
    return VirtualKeyFromQt(Event.key(), Event.modifiers());
}

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers Modifiers) {
    TShiftState shift;
    if (Modifiers & Qt::ShiftModifier) shift.Include(ssShift);
    if (Modifiers & Qt::ControlModifier) shift.Include(ssCtrl);
    if (Modifiers & Qt::AltModifier) shift.Include(ssAlt);
    return shift;
}

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons) {
    TShiftState shift = ShiftStateFromQt(Modifiers);
    if (Buttons & Qt::LeftButton) shift.Include(ssLeft);
    if (Buttons & Qt::RightButton) shift.Include(ssRight);
    if (Buttons & Qt::MiddleButton) shift.Include(ssMiddle);
    return shift;
}

Qt::KeyboardModifiers QtModifiersFromShiftState(TShiftState Shift) {
    Qt::KeyboardModifiers modifiers;
    if (Shift.Contains(ssShift)) modifiers |= Qt::ShiftModifier;
    if (Shift.Contains(ssCtrl)) modifiers |= Qt::ControlModifier;
    if (Shift.Contains(ssAlt)) modifiers |= Qt::AltModifier;
    return modifiers;
}

} // namespace marlinet::editor::qt
