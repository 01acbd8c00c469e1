// TSynKeyInput: from a key press to a command. The key-binding table and its
// differences from the defaults, the key and key-press handler chains, the
// memory of a chord's first key, and the command hooks told before and
// after each command. The editor's own command processing and execution are
// reached through two slots, so that an editor class may extend them.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "editor/edit_settings.h"
#include "editor/kbd_handler.h"
#include "editor/keystrokes.h"
#include "support/events.h"

namespace marlinet::editor {

class TSynEditStatus;

struct TSynKeyInputContext {
    TSynEditStatus& Status;
    const TSynEditEvents& Events;
    TObject* Sender;
    TSynCommandSlot Process;
    TSynCommandSlot Execute;
};

class TSynKeyInput {
public:
    explicit TSynKeyInput(const TSynKeyInputContext& Context)
        : ctx_(Context), keystrokes_(Context.Sender) {}
    TSynKeyInput(const TSynKeyInput&) = delete;
    TSynKeyInput& operator=(const TSynKeyInput&) = delete;

    TSynEditKeyStrokes& Keystrokes() { return keystrokes_; }
    const TSynEditKeyStrokes& Keystrokes() const { return keystrokes_; }
    TSynEditKbdHandler& KbdHandler() { return kbdHandler_; }
    // Copies Value; null empties the table.
    void SetKeystrokes(const TSynEditKeyStrokes* Value);

    // See TCustomSynEdit.
    bool KeyDown(std::uint16_t& Key, TShiftState Shift);
    void KeyPress(char& Key);
    void CommandProcessor(TSynEditorCommand Command, char AChar, void* Data);
    void ProcessOwnerCommand(TSynEditorCommand Command, const std::function<void()>& Work);
    TSynEditorCommand TranslateKeyCode(std::uint16_t Code, TShiftState Shift);

    void RegisterCommandHandler(const THookedCommandEvent& AHandlerProc, void* AHandlerData);
    void UnregisterCommandHandler(const THookedCommandEvent& AHandlerProc);
    // One pass over the command hooks (see THookedCommandEvent).
    void NotifyHookedCommandHandlers(bool AfterProcessing, TSynEditorCommand& Command, char& AChar,
                                     void* Data);

    bool KeystrokesStored(const TSynEditKeyStrokes* Reference) const;
    void GetRemovedKeystrokes(TSynEditKeyStrokes& Removed,
                              const TSynEditKeyStrokes* Reference) const;
    void GetAddedKeystrokes(TSynEditKeyStrokes& Added, const TSynEditKeyStrokes* Reference) const;
    void SetRemovedKeystrokes(const TSynEditKeyStrokes& Removed);
    void SetAddedKeystrokes(const TSynEditKeyStrokes& Added);

private:
    // A hook and its data; hooks are equal when their methods are.
    struct HookedCommandHandler {
        THookedCommandEvent Event;
        void* Data;
        bool operator==(const HookedCommandHandler& Other) const noexcept {
            return Event == Other.Event;
        }
        void operator()(TObject* Sender, bool AfterProcessing, bool& Handled,
                        TSynEditorCommand& Command, char& AChar, void* CommandData) const {
            Event(Sender, AfterProcessing, Handled, Command, AChar, CommandData, Data);
        }
    };
    const TSynEditKeyStrokes& ReferenceOrDefaults(const TSynEditKeyStrokes* Reference,
                                                  TSynEditKeyStrokes& Defaults) const;

    TSynKeyInputContext ctx_;
    TSynEditKeyStrokes keystrokes_;
    TSynEditKbdHandler kbdHandler_;
    support::TMethodList<HookedCommandHandler> hookedCommandHandlers_;
    std::uint16_t lastKey_ = 0;
    TShiftState lastShiftState_;
    int charsToDrop_ = 0; // characters of a composed input still to ignore
};

} // namespace marlinet::editor
