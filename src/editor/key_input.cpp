// Keys: from a key press to a command, the key-binding table and its
// differences from the defaults, and the command hooks.
#include <algorithm>

#include "editor/custom_synedit.h"

namespace marlinet::editor {

namespace {

// The platform's virtual-key codes of ordinary keys: one of these pressed
// unbound may start a two-key chord.
constexpr std::uint16_t kFirstChordKey = 30;
constexpr std::uint16_t kLastChordKey = 145;

} // namespace

// --- Keys --------------------------------------------------------------------------

bool TCustomSynEdit::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    if (Key == 0) return true;
    kbdHandler_.ExecuteKeyDown(this, Key, Shift);
    if (Key == 0) return true;
    void* data = nullptr;
    const TSynEditorCommand command = TranslateKeyCode(Key, Shift, data);
    if (command == ecNone) {
        stateFlags_.Exclude(sfIgnoreNextChar);
        return false;
    }
    Key = 0;
    stateFlags_.Include(sfIgnoreNextChar);
    CommandProcessor(command, '\0', data);
    return true;
}

void TCustomSynEdit::KeyPress(char& Key) {
    if (charsToDrop_ > 0) {
        --charsToDrop_;
        return;
    }
    if (stateFlags_.Contains(sfIgnoreNextChar)) {
        stateFlags_.Exclude(sfIgnoreNextChar);
        return;
    }
    if (OnKeyPress) OnKeyPress(this, Key);
    if (Key == '\0') return;
    kbdHandler_.ExecuteKeyPress(this, Key);
    if (Key == '\0') return;
    CommandProcessor(ecChar, Key, nullptr);
}

void TCustomSynEdit::CommandProcessor(TSynEditorCommand Command, char AChar, void* Data) {
    if (Command < ecUserFirst) {
        if (OnProcessCommand) OnProcessCommand(this, Command, AChar, Data);
    } else if (OnProcessUserCommand) {
        OnProcessUserCommand(this, Command, AChar, Data);
    }
    if (Command == ecNone) return;
    NotifyHookedCommandHandlers(false, Command, AChar, Data);
    if (Command != ecNone && Command < ecUserFirst) ExecuteCommand(Command, AChar, Data);
    NotifyHookedCommandHandlers(true, Command, AChar, Data);
    if (OnCommandProcessed) OnCommandProcessed(this, Command, AChar, Data);
}

void TCustomSynEdit::ProcessOwnerCommand(TSynEditorCommand Command,
                                         const std::function<void()>& Work) {
    char c = '\0';
    if (OnProcessUserCommand) OnProcessUserCommand(this, Command, c, nullptr);
    if (Command == ecNone) return;
    NotifyHookedCommandHandlers(false, Command, c, nullptr);
    if (Command != ecNone) Work();
    NotifyHookedCommandHandlers(true, Command, c, nullptr);
    if (OnCommandProcessed) OnCommandProcessed(this, Command, c, nullptr);
}

// --- Key bindings -----------------------------------------------------------------

void TCustomSynEdit::SetKeystrokes(const TSynEditKeyStrokes* Value) {
    if (Value)
        keystrokes_.Assign(*Value);
    else
        keystrokes_.Clear();
}

void TCustomSynEdit::SetDefaultKeystrokes() {
    keystrokes_.ResetDefaults();
}

TSynEditorCommand TCustomSynEdit::TranslateKeyCode(std::uint16_t Code, TShiftState Shift, void*&) {
    TSynEditorCommand command = ecNone;
    int i = lastKey_ != 0 ? keystrokes_.FindKeycode2(lastKey_, lastShiftState_, Code, Shift) : -1;
    if (i < 0) i = keystrokes_.FindKeycode(Code, Shift);
    if (i >= 0) command = keystrokes_.Items(i).Command();

    // An unbound ordinary key may start a chord; anything else ends one.
    if (command == ecNone && Code >= kFirstChordKey && Code <= kLastChordKey) {
        lastKey_ = Code;
        lastShiftState_ = Shift;
    } else {
        lastKey_ = 0;
        lastShiftState_ = {};
    }
    return command;
}

void TCustomSynEdit::RegisterCommandHandler(const THookedCommandEvent& AHandlerProc,
                                            void* AHandlerData) {
    if (!AHandlerProc || hookedCommandHandlers_.Contains({AHandlerProc, nullptr})) return;
    hookedCommandHandlers_.Add({AHandlerProc, AHandlerData});
}

void TCustomSynEdit::UnregisterCommandHandler(const THookedCommandEvent& AHandlerProc) {
    hookedCommandHandlers_.RemoveAll({AHandlerProc, nullptr});
}

void TCustomSynEdit::NotifyHookedCommandHandlers(bool AfterProcessing, TSynEditorCommand& Command,
                                                 char& AChar, void* Data) {
    if (hookedCommandHandlers_.Count() == 0) return;
    bool handled = false;
    // The list's own walk: a hook unregistered by another is not called.
    hookedCommandHandlers_.CallInOrder(this, AfterProcessing, handled, Command, AChar, Data);
    if (handled) Command = ecNone;
}

const TSynEditKeyStrokes& TCustomSynEdit::ReferenceOrDefaults(const TSynEditKeyStrokes* Reference,
                                                              TSynEditKeyStrokes& Defaults) const {
    if (Reference) return *Reference;
    Defaults.ResetDefaults();
    return Defaults;
}

bool TCustomSynEdit::KeystrokesStored(const TSynEditKeyStrokes* Reference) const {
    TSynEditKeyStrokes defaults;
    return !keystrokes_.SameAs(ReferenceOrDefaults(Reference, defaults));
}

void TCustomSynEdit::GetRemovedKeystrokes(TSynEditKeyStrokes& Removed,
                                          const TSynEditKeyStrokes* Reference) const {
    TSynEditKeyStrokes defaults;
    editor::GetRemovedKeystrokes(keystrokes_, ReferenceOrDefaults(Reference, defaults), Removed);
}

void TCustomSynEdit::GetAddedKeystrokes(TSynEditKeyStrokes& Added,
                                        const TSynEditKeyStrokes* Reference) const {
    TSynEditKeyStrokes defaults;
    editor::GetAddedKeystrokes(keystrokes_, ReferenceOrDefaults(Reference, defaults), Added);
}

void TCustomSynEdit::SetRemovedKeystrokes(const TSynEditKeyStrokes& Removed) {
    ApplyRemovedKeystrokes(keystrokes_, Removed);
}

void TCustomSynEdit::SetAddedKeystrokes(const TSynEditKeyStrokes& Added) {
    ApplyAddedKeystrokes(keystrokes_, Added);
}

} // namespace marlinet::editor
