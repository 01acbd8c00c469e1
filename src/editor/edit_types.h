// The editor's options, state flags, caret shapes, scroll codes and the
// events it fires: the vocabulary shared by the units of TCustomSynEdit.
#pragma once

#include <cstdint>
#include <string>

#include "editor/commands.h"
#include "editor/events.h"
#include "editor/font.h"
#include "editor/platform.h"
#include "editor/types.h"

namespace marlinet::editor {

enum TSynEditorOption : std::uint8_t {
    eoAutoIndent,
    eoAutoSizeMaxScrollWidth,
    eoDragDropEditing,
    eoEnhanceEndKey,
    eoGroupUndo,
    eoRightMouseMovesCursor,
    eoScrollHintFollows,
    eoScrollPastEof,
    eoScrollPastEol,
    eoShowScrollHint,
    eoSmartTabDelete,
    eoSmartTabs,
    eoTabsToSpaces,
    eoTrimTrailingSpaces
};
using TSynEditorOptions = EnumSet<TSynEditorOption>;

// A new editor's options; a window that wants others sets its own set.
constexpr TSynEditorOptions kDefaultSynEditorOptions{
    eoAutoIndent,     eoDragDropEditing, eoEnhanceEndKey, eoGroupUndo,   eoScrollPastEol,
    eoShowScrollHint, eoSmartTabDelete,  eoSmartTabs,     eoTabsToSpaces};

enum TSynStateFlag : std::uint8_t {
    sfCaretChanged,
    sfScrollbarChanged,
    sfLinesChanging,
    sfIgnoreNextChar,
    sfCaretVisible,
    sfDblClicked,
    sfPossibleGutterClick,
    sfWaitForDragging,
    sfGutterDragging
};
using TSynStateFlags = EnumSet<TSynStateFlag>;

enum TSynEditCaretType : std::uint8_t { ctVerticalLine, ctHorizontalLine, ctHalfBlock, ctBlock };
enum TScrollHintFormat : std::uint8_t { shfTopLineOnly, shfTopToBottom };
enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TSynBorderStyle : std::uint8_t { bsNone, bsSingle };

// Requests of the vertical scroll bar, numbered as the platform numbers them.
enum TSynScrollCode : std::uint8_t {
    SB_LINEUP = 0,
    SB_LINEDOWN = 1,
    SB_PAGEUP = 2,
    SB_PAGEDOWN = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_BOTTOM = 7,
    SB_ENDSCROLL = 8
};
enum TScrollBarKind : std::uint8_t { sbHorizontal, sbVertical };

// Answers of the dialog-code query: which keys the editor wants for itself
// rather than leave to the window's focus and default-button handling.
enum TSynDlgCode : std::uint8_t { dlgWantArrows, dlgWantChars, dlgWantAllKeys, dlgWantTab };
using TSynDlgCodes = EnumSet<TSynDlgCode>;

using TPaintEvent = TMethod<void(TObject* Sender, TSynCanvas& ACanvas)>;
// Line is 1-based; Special true replaces the line's colours by FG and BG.
using TSpecialLineColorsEvent =
    TMethod<void(TObject* Sender, int Line, bool& Special, TColor& FG, TColor& BG)>;
using TGutterGetTextEvent = TMethod<void(TObject* Sender, int Line, std::string& Text)>;
using TGutterPaintEvent = TMethod<void(TObject* Sender, int Line, int X, int Y)>;
// A press in the gutter on the row of Line (1-based, a line of the text), at
// client pixel (X, Y). The second press of a double click has ssDouble in
// Shift.
using TGutterClickEvent =
    TMethod<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y, int Line)>;
using TScrollEvent = TMethod<void(TObject* Sender, TScrollBarKind Kind)>;
// May change the command and character, or cancel the command (ecNone).
using TProcessCommandEvent =
    TMethod<void(TObject* Sender, TSynEditorCommand& Command, char& AChar, void* Data)>;

using TStatusChangeEvent = TMethod<void(TObject* Sender, TSynStatusChanges Changes)>;

// Told before and after each command runs. Handled is shared by one pass over
// all hooks; when it ends true the command becomes ecNone.
using THookedCommandEvent =
    TMethod<void(TObject* Sender, bool AfterProcessing, bool& Handled, TSynEditorCommand& Command,
                 char& AChar, void* Data, void* HandlerData)>;

} // namespace marlinet::editor
