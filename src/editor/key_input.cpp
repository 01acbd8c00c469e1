// Keys: from a key press to a command, the key-binding table and its
// differences from the defaults, and the command hooks.
#include "editor/key_input.h"

#include <algorithm>

#include "editor/edit_status.h"

namespace marlinet::editor {

namespace {

// The platform's virtual-key codes of ordinary keys: one of these pressed
// unbound may start a two-key chord.
constexpr std::uint16_t kFirstChordKey = 30;
constexpr std::uint16_t kLastChordKey = 145;

} // namespace

// --- Keys --------------------------------------------------------------------------

// A key and a command each hold the paint lock throughout, so that what the
// listeners and hooks change on the way is reported once, with the
// command's own changes.

bool TSynKeyInput::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    TSynPaintLock lock(ctx_.Status);
    if (ctx_.Events.OnKeyDown) ctx_.Events.OnKeyDown(ctx_.Sender, Key, Shift);
    if (Key == 0) return true;
    kbdHandler_.ExecuteKeyDown(ctx_.Sender, Key, Shift);
    if (Key == 0) return true;
    const TSynEditorCommand command = TranslateKeyCode(Key, Shift);
    if (command == ecNone) {
        ctx_.Status.Flags().Exclude(sfIgnoreNextChar);
        return false;
    }
    Key = 0;
    ctx_.Status.Flags().Include(sfIgnoreNextChar);
    ctx_.Process(command, '\0', nullptr);
    return true;
}

void TSynKeyInput::KeyPress(char& Key) {
    if (charsToDrop_ > 0) {
        --charsToDrop_;
        return;
    }
    if (ctx_.Status.Flags().Contains(sfIgnoreNextChar)) {
        ctx_.Status.Flags().Exclude(sfIgnoreNextChar);
        return;
    }
    TSynPaintLock lock(ctx_.Status);
    if (ctx_.Events.OnKeyPress) ctx_.Events.OnKeyPress(ctx_.Sender, Key);
    if (Key == '\0') return;
    kbdHandler_.ExecuteKeyPress(ctx_.Sender, Key);
    if (Key == '\0') return;
    ctx_.Process(ecChar, Key, nullptr);
}

void TSynKeyInput::CommandProcessor(TSynEditorCommand Command, char AChar, void* Data) {
    TSynPaintLock lock(ctx_.Status);
    const TSynEditEvents& events = ctx_.Events;
    if (Command < ecUserFirst) {
        if (events.OnProcessCommand) events.OnProcessCommand(ctx_.Sender, Command, AChar, Data);
    } else if (events.OnProcessUserCommand) {
        events.OnProcessUserCommand(ctx_.Sender, Command, AChar, Data);
    }
    if (Command == ecNone) return;
    NotifyHookedCommandHandlers(false, Command, AChar, Data);
    if (Command != ecNone && Command < ecUserFirst) ctx_.Execute(Command, AChar, Data);
    NotifyHookedCommandHandlers(true, Command, AChar, Data);
    if (events.OnCommandProcessed) events.OnCommandProcessed(ctx_.Sender, Command, AChar, Data);
}

void TSynKeyInput::ProcessOwnerCommand(TSynEditorCommand Command,
                                       const std::function<void()>& Work) {
    TSynPaintLock lock(ctx_.Status);
    const TSynEditEvents& events = ctx_.Events;
    char c = '\0';
    if (events.OnProcessUserCommand) events.OnProcessUserCommand(ctx_.Sender, Command, c, nullptr);
    if (Command == ecNone) return;
    NotifyHookedCommandHandlers(false, Command, c, nullptr);
    if (Command != ecNone) Work();
    NotifyHookedCommandHandlers(true, Command, c, nullptr);
    if (events.OnCommandProcessed) events.OnCommandProcessed(ctx_.Sender, Command, c, nullptr);
}

// --- Key bindings -----------------------------------------------------------------

void TSynKeyInput::SetKeystrokes(const TSynEditKeyStrokes* Value) {
    if (Value)
        keystrokes_.Assign(*Value);
    else
        keystrokes_.Clear();
}

TSynEditorCommand TSynKeyInput::TranslateKeyCode(std::uint16_t Code, TShiftState Shift) {
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

void TSynKeyInput::RegisterCommandHandler(const THookedCommandEvent& AHandlerProc,
                                          void* AHandlerData) {
    if (!AHandlerProc || hookedCommandHandlers_.Contains({AHandlerProc, nullptr})) return;
    hookedCommandHandlers_.Add({AHandlerProc, AHandlerData});
}

void TSynKeyInput::UnregisterCommandHandler(const THookedCommandEvent& AHandlerProc) {
    hookedCommandHandlers_.RemoveAll({AHandlerProc, nullptr});
}

void TSynKeyInput::NotifyHookedCommandHandlers(bool AfterProcessing, TSynEditorCommand& Command,
                                               char& AChar, void* Data) {
    if (hookedCommandHandlers_.Count() == 0) return;
    bool handled = false;
    // The list's own walk: a hook unregistered by another is not called.
    hookedCommandHandlers_.CallInOrder(ctx_.Sender, AfterProcessing, handled, Command, AChar, Data);
    if (handled) Command = ecNone;
}

const TSynEditKeyStrokes& TSynKeyInput::ReferenceOrDefaults(const TSynEditKeyStrokes* Reference,
                                                            TSynEditKeyStrokes& Defaults) const {
    if (Reference) return *Reference;
    Defaults.ResetDefaults();
    return Defaults;
}

bool TSynKeyInput::KeystrokesStored(const TSynEditKeyStrokes* Reference) const {
    TSynEditKeyStrokes defaults;
    return !keystrokes_.SameAs(ReferenceOrDefaults(Reference, defaults));
}

void TSynKeyInput::GetRemovedKeystrokes(TSynEditKeyStrokes& Removed,
                                        const TSynEditKeyStrokes* Reference) const {
    TSynEditKeyStrokes defaults;
    editor::GetRemovedKeystrokes(keystrokes_, ReferenceOrDefaults(Reference, defaults), Removed);
}

void TSynKeyInput::GetAddedKeystrokes(TSynEditKeyStrokes& Added,
                                      const TSynEditKeyStrokes* Reference) const {
    TSynEditKeyStrokes defaults;
    editor::GetAddedKeystrokes(keystrokes_, ReferenceOrDefaults(Reference, defaults), Added);
}

void TSynKeyInput::SetRemovedKeystrokes(const TSynEditKeyStrokes& Removed) {
    ApplyRemovedKeystrokes(keystrokes_, Removed);
}

void TSynKeyInput::SetAddedKeystrokes(const TSynEditKeyStrokes& Added) {
    ApplyAddedKeystrokes(keystrokes_, Added);
}

} // namespace marlinet::editor
