// Qt keys reach the default bindings: every movement command of the default
// table comes out of the key that a user presses for it.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "editor/custom_synedit.h"
#include "editor/qt/key_mapping.h"

namespace marlinet::editor::qt {
namespace {

TSynEditorCommand CommandFor(int QtKey, Qt::KeyboardModifiers Modifiers) {
    static TCustomSynEdit edit;
    void* data = nullptr;
    const std::uint16_t vk = VirtualKeyFromQt(QtKey, Modifiers);
    return edit.TranslateKeyCode(vk, ShiftStateFromQt(Modifiers), data);
}

struct Binding {
    int key;
    Qt::KeyboardModifiers modifiers;
    TSynEditorCommand command;
};

TEST(KeyMapping, QtKeysReachTheirDefaultBindings) {
    const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier,
                                ctrl = Qt::ControlModifier, both = shift | ctrl,
                                alt = Qt::AltModifier, keypad = Qt::KeypadModifier;
    const Binding bindings[] = {
        {Qt::Key_Up, none, ecUp},
        {Qt::Key_Up, shift, ecSelUp},
        {Qt::Key_Up, ctrl, ecScrollUp},
        {Qt::Key_Down, none, ecDown},
        {Qt::Key_Down, shift, ecSelDown},
        {Qt::Key_Down, ctrl, ecScrollDown},
        {Qt::Key_Left, none, ecLeft},
        {Qt::Key_Left, shift, ecSelLeft},
        {Qt::Key_Left, ctrl, ecWordLeft},
        {Qt::Key_Left, both, ecSelWordLeft},
        {Qt::Key_Right, none, ecRight},
        {Qt::Key_Right, shift, ecSelRight},
        {Qt::Key_Right, ctrl, ecWordRight},
        {Qt::Key_Right, both, ecSelWordRight},
        {Qt::Key_PageDown, none, ecPageDown},
        {Qt::Key_PageDown, shift, ecSelPageDown},
        {Qt::Key_PageDown, ctrl, ecPageBottom},
        {Qt::Key_PageDown, both, ecSelPageBottom},
        {Qt::Key_PageUp, none, ecPageUp},
        {Qt::Key_PageUp, shift, ecSelPageUp},
        {Qt::Key_PageUp, ctrl, ecPageTop},
        {Qt::Key_PageUp, both, ecSelPageTop},
        {Qt::Key_Home, none, ecLineStart},
        {Qt::Key_Home, shift, ecSelLineStart},
        {Qt::Key_Home, ctrl, ecEditorTop},
        {Qt::Key_Home, both, ecSelEditorTop},
        {Qt::Key_End, none, ecLineEnd},
        {Qt::Key_End, shift, ecSelLineEnd},
        {Qt::Key_End, ctrl, ecEditorBottom},
        {Qt::Key_End, both, ecSelEditorBottom},
        {Qt::Key_Insert, none, ecToggleMode},
        {Qt::Key_A, ctrl, ecSelectAll},
        {Qt::Key_N, both, ecNormalSelect},
        {Qt::Key_C, both, ecColumnSelect},
        {Qt::Key_L, both, ecLineSelect},
        {Qt::Key_Backspace, none, ecDeleteLastChar},
        {Qt::Key_Backspace, alt, ecUndo},
        {Qt::Key_Return, none, ecLineBreak},
        {Qt::Key_Enter, keypad, ecLineBreak},
        {Qt::Key_Delete, shift, ecCut},
        {Qt::Key_F1, none, ecContextHelp},
        {Qt::Key_Backtab, shift, ecShiftTab},
    };
    for (const Binding& b : bindings)
        EXPECT_EQ(CommandFor(b.key, b.modifiers), b.command)
            << "Qt key " << std::hex << b.key << " modifiers " << b.modifiers;
}

TEST(KeyMapping, ShiftedDigitSymbolsMapBackToTheirDigits) {
    // Shift+Ctrl+3 arrives from Qt as Ctrl+Shift+'#' on a US layout.
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_NumberSign, Qt::ShiftModifier | Qt::ControlModifier), '3');
    EXPECT_EQ(CommandFor(Qt::Key_NumberSign, Qt::ShiftModifier | Qt::ControlModifier),
              ecSetMarker(3));
    EXPECT_EQ(CommandFor(Qt::Key_ParenRight, Qt::ShiftModifier | Qt::ControlModifier),
              ecSetMarker(0));
    EXPECT_EQ(CommandFor(Qt::Key_7, Qt::ControlModifier), ecGotoMarker(7));
    // Without Shift the symbol keeps its own key.
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_NumberSign, Qt::NoModifier), 0);
}

TEST(KeyMapping, UnknownKeysHaveNoCodeAndModifiersMapOneToOne) {
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_unknown, Qt::NoModifier), 0);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F12, Qt::NoModifier), VK_F1 + 11);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Semicolon, Qt::NoModifier), 186);
    EXPECT_EQ(ShiftStateFromQt(Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier),
              (TShiftState{ssShift, ssAlt}));
    EXPECT_EQ(ShiftStateFromQt(Qt::ControlModifier, Qt::LeftButton | Qt::RightButton),
              (TShiftState{ssCtrl, ssLeft, ssRight}));
}

} // namespace
} // namespace marlinet::editor::qt
