// The editor's behaviour settings and its event slots as plain values, which
// the units read (and TCustomSynEdit's setters write) without knowing the
// editor class.
#pragma once

#include "editor/edit_types.h"
#include "editor/kbd_handler.h"

namespace marlinet::editor {

inline constexpr int kSynDefaultMaxScrollWidth = 1024;
inline constexpr int kSynMaxTabWidth = 256;
// The vertical scroll bar's range limit; longer texts are scaled into it.
inline constexpr int kSynMaxScrollRange = 32767;
inline constexpr int kSynScrollTimerInterval = 100;
inline constexpr int kSynWheelDelta = 120;
inline constexpr int kSynScrollHintMaxWidth = 200;
// Pixels between the gutter and column 1 of an unscrolled text.
inline constexpr int kSynGutterMargin = 2;

struct TSynEditSettings {
    TSynEditorOptions Options = kDefaultSynEditorOptions;
    // With eoScrollPastEol the caret may stand up to column MaxScrollWidth + 1.
    int MaxScrollWidth = kSynDefaultMaxScrollWidth;
    bool ReadOnly = false;
    bool Modified = false;
    bool InsertMode = true;
    bool WantTabs = false;
    bool WantReturns = true;
    // Set only while undo or redo applies a step, which may put the caret
    // past a line's end whatever the user's options say.
    bool StepPastEol = false;

    // Whether the caret and the first column may go past the line ends.
    bool PastEol() const { return StepPastEol || Options.Contains(eoScrollPastEol); }
};

// Runs a command: the editor's CommandProcessor or ExecuteCommand, which an
// editor class may extend.
using TSynCommandSlot = TMethod<void(TSynEditorCommand Command, char AChar, void* Data)>;

// The editor's public event slots; TCustomSynEdit is one, and the units fire
// them with the editor as the sender.
struct TSynEditEvents {
    TNotifyEvent OnChange;
    TStatusChangeEvent OnStatusChange;
    // Fires first for every key, before it is translated into a command.
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TProcessCommandEvent OnProcessCommand;
    TProcessCommandEvent OnProcessUserCommand;
    TProcessCommandEvent OnCommandProcessed;
    TPaintEvent OnPaint;
    TSpecialLineColorsEvent OnSpecialLineColors;
    TGutterGetTextEvent OnGutterGetText;
    TGutterPaintEvent OnGutterPaint;
    // A press in the gutter, which leaves the caret and the selection alone.
    TGutterClickEvent OnGutterClick;
    TScrollEvent OnScroll;
};

} // namespace marlinet::editor
