// TCustomSynEdit: the editor core. It owns the lines, the caret and selection,
// the key bindings and the undo and redo lists, and talks to its window only
// through TSynEditWindow (platform.h).
//
// Units: TBufferCoord is 1-based (X character, Y line); line store indices are
// 0-based; flat character indices count every line break as two characters;
// pixel values are in the window's client area.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor/commands.h"
#include "editor/events.h"
#include "editor/kbd_handler.h"
#include "editor/keystrokes.h"
#include "editor/platform.h"
#include "editor/string_list.h"
#include "editor/types.h"
#include "editor/undo.h"

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

using TStatusChangeEvent = TMethod<void(TObject* Sender, TSynStatusChanges Changes)>;

// Told before and after each command runs. Handled is shared by one pass over
// all hooks; when it ends true the command becomes ecNone.
using THookedCommandEvent =
    TMethod<void(TObject* Sender, bool AfterProcessing, bool& Handled, TSynEditorCommand& Command,
                 char& AChar, void* Data, void* HandlerData)>;

class TCustomSynEdit : public TObject {
public:
    static constexpr int kDefaultMaxScrollWidth = 1024;
    static constexpr int kMaxTabWidth = 256;

    // Window may be null (no window yet, or headless use); see SetWindow.
    explicit TCustomSynEdit(TSynEditWindow* Window = nullptr);
    ~TCustomSynEdit() override;
    TCustomSynEdit(const TCustomSynEdit&) = delete;
    TCustomSynEdit& operator=(const TCustomSynEdit&) = delete;

    TSynEditWindow* Window() const { return window_; }
    void SetWindow(TSynEditWindow* Value) { window_ = Value; }

    TSynEditStringList& Lines() { return lines_; }
    const TSynEditStringList& Lines() const { return lines_; }

    // --- Settings ---------------------------------------------------------
    TSynEditorOptions Options() const { return options_; }
    void SetOptions(TSynEditorOptions Value);
    int TabWidth() const { return tabWidth_; }
    // Clamped to 1..kMaxTabWidth and passed on to the lines.
    void SetTabWidth(int Value);
    // With eoScrollPastEol the caret may stand up to column MaxScrollWidth + 1.
    int MaxScrollWidth() const { return maxScrollWidth_; }
    void SetMaxScrollWidth(int Value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value);

    // --- Caret --------------------------------------------------------------
    TBufferCoord CaretXY() const { return caret_; }
    int CaretX() const { return caret_.X; }
    int CaretY() const { return caret_.Y; }
    // Clamps Y to 1..line count (1 without lines) and X to 1..MaxScrollWidth
    // + 1 (to the line end + 1 without eoScrollPastEol); reports scCaretX /
    // scCaretY for what changed and updates LastCaretX.
    void SetCaretXY(const TBufferCoord& Value);
    void SetCaretX(int Value) { SetCaretXY({Value, caret_.Y}); }
    void SetCaretY(int Value) { SetCaretXY({caret_.X, Value}); }
    TDisplayCoord DisplayXY() const { return BufferToDisplayPos(caret_); }
    // Display column this caret keeps when moving up and down.
    int LastCaretX() const { return lastCaretX_; }
    void UpdateLastCaretX() { lastCaretX_ = DisplayXY().Column; }

    TDisplayCoord BufferToDisplayPos(const TBufferCoord& P) const;
    // A column inside a tab's cells gives that tab; columns past the line end
    // give positions past it, one per column.
    TBufferCoord DisplayToBufferPos(const TDisplayCoord& P) const;

    // --- Selection ------------------------------------------------------------
    // The two ends as set, in either order; equal ends mean no selection.
    TBufferCoord BlockBegin() const { return blockBegin_; }
    TBufferCoord BlockEnd() const { return blockEnd_; }
    // Sets both ends (clamped); resets the active mode to SelectionMode.
    void SetBlockBegin(const TBufferCoord& Value);
    // Moves the second end (clamped); resets the active mode to SelectionMode.
    void SetBlockEnd(const TBufferCoord& Value);
    // The mode for new selections; setting it sets the active mode too.
    TSynSelectionMode SelectionMode() const { return selectionMode_; }
    void SetSelectionMode(TSynSelectionMode Value);
    // The mode of the current selection, until the next SetBlockBegin/End.
    TSynSelectionMode ActiveSelectionMode() const { return activeSelectionMode_; }
    void SetActiveSelectionMode(TSynSelectionMode Value);
    bool SelAvail() const;

    // Flat character index of the selection's first end / distance to its
    // last end.
    int SelStart() const;
    int SelLength() const;
    // Caret to the index; both block ends to the caret.
    void SetSelStart(int Value);
    // Second end at (index of BlockBegin) + Value, backwards for a negative
    // Value (never before the start of the text); caret to that end.
    void SetSelLength(int Value);
    std::string SelText() const { return GetSelText(); }
    std::string GetSelText() const;

    // Past the end of the text: column 1 of the line after the last.
    TBufferCoord CharIndexToRowCol(int Index) const;
    int RowColToCharIndex(const TBufferCoord& RowCol) const;

    // --- Key bindings -------------------------------------------------------
    TSynEditKeyStrokes& Keystrokes() { return keystrokes_; }
    const TSynEditKeyStrokes& Keystrokes() const { return keystrokes_; }
    // Copies Value; null empties the table.
    void SetKeystrokes(const TSynEditKeyStrokes* Value);
    virtual void SetDefaultKeystrokes();
    // The command for a key press: a chord with the previous key first, then
    // the single key; ecNone when neither is bound. Data is not touched.
    TSynEditorCommand TranslateKeyCode(std::uint16_t Code, TShiftState Shift, void*& Data);

    TSynEditKbdHandler& KbdHandler() { return kbdHandler_; }
    void AddKeyDownHandler(const TKeyEvent& H) { kbdHandler_.AddKeyDownHandler(H); }
    void RemoveKeyDownHandler(const TKeyEvent& H) { kbdHandler_.RemoveKeyDownHandler(H); }
    void AddKeyPressHandler(const TKeyPressEvent& H) { kbdHandler_.AddKeyPressHandler(H); }
    void RemoveKeyPressHandler(const TKeyPressEvent& H) { kbdHandler_.RemoveKeyPressHandler(H); }

    // An unassigned handler, or one already registered (same method, any
    // data), is ignored.
    void RegisterCommandHandler(const THookedCommandEvent& AHandlerProc, void* AHandlerData);
    void UnregisterCommandHandler(const THookedCommandEvent& AHandlerProc);

    // The table as a form stores it: differences from Reference (the defaults when
    // null). KeystrokesStored is false when there is no difference.
    bool KeystrokesStored(const TSynEditKeyStrokes* Reference = nullptr) const;
    void GetRemovedKeystrokes(TSynEditKeyStrokes& Removed,
                              const TSynEditKeyStrokes* Reference = nullptr) const;
    void GetAddedKeystrokes(TSynEditKeyStrokes& Added,
                            const TSynEditKeyStrokes* Reference = nullptr) const;
    void SetRemovedKeystrokes(const TSynEditKeyStrokes& Removed);
    void SetAddedKeystrokes(const TSynEditKeyStrokes& Added);

    // --- Undo -----------------------------------------------------------------
    TSynEditUndoList& UndoList() { return undoList_; }
    TSynEditUndoList& RedoList() { return redoList_; }
    void BeginUndoBlock() { undoList_.BeginBlock(); }
    void EndUndoBlock() { undoList_.EndBlock(); }
    void LockUndo();
    void UnlockUndo();
    void ClearUndo();
    bool CanUndo() const { return !readOnly_ && undoList_.CanUndo(); }
    bool CanRedo() const { return !readOnly_ && redoList_.CanUndo(); }
    int MaxUndo() const { return undoList_.MaxUndoActions(); }
    // A value >= 0 goes to both lists; a negative one is ignored.
    void SetMaxUndo(int Value);
    bool Modified() const { return modified_; }
    void SetModified(bool Value);

    // --- Painting support ---------------------------------------------------
    // Scroll-bar, caret and status updates wait for the outermost DecPaintLock.
    void IncPaintLock() { ++paintLock_; }
    void DecPaintLock();
    int PaintLockCount() const { return paintLock_; }
    TSynStateFlags StateFlags() const { return stateFlags_; }

    // Repaint requests for lines FirstLine..LastLine (1-based, either order;
    // -1, -1 for the whole text area). Collected while the lines are changing.
    void InvalidateLines(int FirstLine, int LastLine);
    void InvalidateGutterLines(int FirstLine, int LastLine);
    void InvalidateSelection();
    void Invalidate();

    int TopLine() const { return topLine_; }
    int LeftChar() const { return leftChar_; }
    int CharWidth() const { return charWidth_; }
    int LineHeight() const { return lineHeight_; }
    int GutterWidth() const { return gutterWidth_; }
    // Whole rows and columns that fit the client area (0 without a window or
    // before the cell size is known).
    int LinesInWindow() const;
    int CharsInWindow() const;

    TNotifyEvent OnChange;
    TStatusChangeEvent OnStatusChange;

protected:
    // Collects status changes; reported at once unless a paint lock is held.
    void StatusChanged(TSynStatusChanges AChanges);
    // One pass over the command hooks (see THookedCommandEvent).
    void NotifyHookedCommandHandlers(bool AfterProcessing, TSynEditorCommand& Command, char& AChar,
                                     void* Data);
    // The display layer measures the font and the gutter and reports them here.
    void SetCellMetrics(int ACharWidth, int ALineHeight, int AGutterWidth);

    // Reactions to the line store.
    void LinesChanging(TObject* Sender);
    void LinesChanged(TObject* Sender);
    void ListCleared(TObject* Sender);
    void ListDeleted(TObject* Sender, int Index, int NumLines);
    void ListInserted(TObject* Sender, int Index, int NumLines);
    void ListPutted(TObject* Sender, int Index, int NumLines);
    // Both undo lists report every addition here.
    void UndoRedoAdded(TObject* Sender);

private:
    struct HookedCommandHandler {
        THookedCommandEvent Event;
        void* Data;
    };

    bool WindowShowing() const;
    void InvalidateRows(int FirstLine, int LastLine, int Left, int Right);
    void InvalidateClientRect(const TRect& Rect);
    void DoOnStatusChange();
    void UpdateModifiedStatus();
    TBufferCoord ClampCaret(TBufferCoord P) const;
    TBufferCoord ClampBlockEnd(TBufferCoord P) const;
    int LineLength(int Line) const { return static_cast<int>(lines_.GetView(Line - 1).size()); }
    const TSynEditKeyStrokes& ReferenceOrDefaults(const TSynEditKeyStrokes* Reference,
                                                  TSynEditKeyStrokes& Defaults) const;

    TSynEditWindow* window_;
    TSynEditStringList lines_;
    TSynEditUndoList undoList_;
    TSynEditUndoList redoList_;
    TSynEditKeyStrokes keystrokes_;
    TSynEditKbdHandler kbdHandler_;
    std::unique_ptr<std::vector<HookedCommandHandler>> hookedCommandHandlers_;

    TSynEditorOptions options_ = kDefaultSynEditorOptions;
    int tabWidth_ = TSynEditStringList::kDefaultTabWidth;
    int maxScrollWidth_ = kDefaultMaxScrollWidth;
    bool readOnly_ = false;
    bool modified_ = false;

    TBufferCoord caret_;
    int lastCaretX_ = 1;
    TBufferCoord blockBegin_;
    TBufferCoord blockEnd_;
    TSynSelectionMode selectionMode_ = smNormal;
    TSynSelectionMode activeSelectionMode_ = smNormal;

    std::uint16_t lastKey_ = 0;
    TShiftState lastShiftState_;

    int paintLock_ = 0;
    TSynStateFlags stateFlags_;
    TSynStatusChanges statusChanges_;
    TRect invalidRect_; // repaints collected while the lines are changing

    int topLine_ = 1;
    int leftChar_ = 1;
    int charWidth_ = 0;
    int lineHeight_ = 0;
    int gutterWidth_ = 0;
};

} // namespace marlinet::editor
