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
#include "editor/font.h"
#include "editor/gutter.h"
#include "editor/kbd_handler.h"
#include "editor/keystrokes.h"
#include "editor/platform.h"
#include "editor/string_list.h"
#include "editor/text_drawer.h"
#include "editor/types.h"
#include "editor/undo.h"
#include "highlight/component.h"
#include "highlight/custom_highlighter.h"

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

class TCustomSynEdit : public TObject {
public:
    static constexpr int kDefaultMaxScrollWidth = 1024;
    static constexpr int kMaxTabWidth = 256;
    // The vertical scroll bar's range limit; longer texts are scaled into it.
    static constexpr int kMaxScrollRange = 32767;
    static constexpr int kScrollTimerInterval = 100;
    static constexpr int kWheelDelta = 120;
    static constexpr int kScrollHintMaxWidth = 200;

    // Window may be null (no window yet, or headless use); see SetWindow.
    explicit TCustomSynEdit(TSynEditWindow* Window = nullptr);
    ~TCustomSynEdit() override;
    TCustomSynEdit(const TCustomSynEdit&) = delete;
    TCustomSynEdit& operator=(const TCustomSynEdit&) = delete;

    TSynEditWindow* Window() const { return window_; }
    // Attaching a window that can measure fonts creates the text drawer and
    // computes the cell; detaching it forgets the cell.
    void SetWindow(TSynEditWindow* Value);

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
    bool InsertMode() const { return insertMode_; }
    // The caret shape follows.
    void SetInsertMode(bool Value);
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool Value) { wantTabs_ = Value; }
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool Value) { wantReturns_ = Value; }
    // Arrows and characters always; every key with WantReturns; Tab only
    // with WantTabs, so without it Tab moves the focus on.
    TSynDlgCodes GetDlgCode() const;

    // --- Display settings ---------------------------------------------------
    // The text font; its colour is the text colour.
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& Value) { font_.Assign(Value); }
    // Text background.
    TColor Color() const { return color_; }
    void SetColor(TColor Value);
    TSynGutter& Gutter() { return gutter_; }
    const TSynGutter& Gutter() const { return gutter_; }
    TSynSelectedColor& SelectedColor() { return selectedColor_; }
    const TSynSelectedColor& SelectedColor() const { return selectedColor_; }
    TSynBookMarkOpt& BookMarkOptions() { return bookMarkOpt_; }
    // Column of the right-margin line; 0 or less hides it.
    int RightEdge() const { return rightEdge_; }
    void SetRightEdge(int Value);
    TColor RightEdgeColor() const { return rightEdgeColor_; }
    void SetRightEdgeColor(TColor Value);
    // Background of the caret line; clNone for none.
    TColor ActiveLineColor() const { return activeLineColor_; }
    void SetActiveLineColor(TColor Value);
    int ExtraLineSpacing() const { return extraLineSpacing_; }
    void SetExtraLineSpacing(int Value);
    TSynEditCaretType InsertCaret() const { return insertCaret_; }
    void SetInsertCaret(TSynEditCaretType Value);
    TSynEditCaretType OverwriteCaret() const { return overwriteCaret_; }
    void SetOverwriteCaret(TSynEditCaretType Value);
    TColor ScrollHintColor() const { return scrollHintColor_; }
    void SetScrollHintColor(TColor Value) { scrollHintColor_ = Value; }
    TScrollHintFormat ScrollHintFormat() const { return scrollHintFormat_; }
    void SetScrollHintFormat(TScrollHintFormat Value) { scrollHintFormat_ = Value; }
    // Only the vertical bar exists; ssHorizontal and ssNone hide it.
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle Value);
    TSynBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TSynBorderStyle Value) { borderStyle_ = Value; }
    // Hide the selection while the editor has no focus.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool Value);

    // The bound highlighter, not owned. The editor hears its attribute
    // changes and unbinds itself when the highlighter is destroyed.
    highlight::TSynCustomHighlighter* Highlighter() const { return highlighter_; }
    void SetHighlighter(highlight::TSynCustomHighlighter* Value);

    // --- Caret --------------------------------------------------------------
    TBufferCoord CaretXY() const { return caret_; }
    int CaretX() const { return caret_.X; }
    int CaretY() const { return caret_.Y; }
    // Clamps Y to 1..line count (1 without lines) and X to 1..MaxScrollWidth
    // + 1 (to the line end + 1 without eoScrollPastEol); reports scCaretX /
    // scCaretY for what changed, updates LastCaretX and places the caret.
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
    // Selects the word at P (the highlighter's word characters).
    void SetWordBlock(const TBufferCoord& P);
    void SelectAll();

    // Past the end of the text: column 1 of the line after the last.
    TBufferCoord CharIndexToRowCol(int Index) const;
    int RowColToCharIndex(const TBufferCoord& RowCol) const;

    // --- Words ----------------------------------------------------------------
    // The highlighter's identifier characters minus its word-break
    // characters; letters, digits and '_' without a highlighter.
    bool IsWordChar(char C) const;
    TBufferCoord NextWordPos() const;
    TBufferCoord PrevWordPos() const;

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

    // --- Input from the window ------------------------------------------------
    // OnKeyDown first, then the key-down handlers, then the key table. A key
    // that gives a command is consumed (Key becomes 0, true is returned) and
    // the character it would type is dropped.
    bool KeyDown(std::uint16_t& Key, TShiftState Shift);
    void KeyPress(char& Key);
    // Runs a command as a key would: OnProcessCommand (OnProcessUserCommand
    // from ecUserFirst on) may change or cancel it, hooks hear it before and
    // after, codes 1..1000 execute, then OnCommandProcessed.
    virtual void CommandProcessor(TSynEditorCommand Command, char AChar, void* Data);
    // One command under a paint lock. Data of ecGotoXY/ecSelGotoXY points to
    // a TBufferCoord.
    virtual void ExecuteCommand(TSynEditorCommand Command, char AChar, void* Data);

    // Pixel coordinates in the client area.
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void MouseMove(TShiftState Shift, int X, int Y);
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // After the second press of a double click (which came as a MouseDown
    // with ssDouble): selects the word at the caret right of the gutter.
    void DblClick(int X, int Y);
    // Delta in 1/120 notches, positive away from the user (scrolls up).
    void MouseWheel(int WheelDelta, TShiftState Shift);
    void ScrollTimerTick();
    void WMVScroll(TSynScrollCode Code, int Pos);
    void FocusIn();
    void FocusOut();
    // The client area changed size.
    void Resize() { SizeOrFontChanged(false); }

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

    // --- Bookmarks and marks ----------------------------------------------------
    const std::vector<TSynEditMark>& Marks() const { return marks_; }
    // Replaces an existing bookmark of that number.
    void SetBookMark(int BookMark, int X, int Y);
    void ClearBookMark(int BookMark);
    bool GetBookMark(int BookMark, int& X, int& Y) const;
    // A mark that is not a bookmark, drawn with the front end's image list.
    void AddMark(const TSynEditMark& Mark);
    void ClearMarks();

    // --- Painting -----------------------------------------------------------
    // Paints the part of the window inside the target's clip rectangle.
    void Paint(TSynCanvas& ACanvas);
    // Scroll-bar, caret and status updates wait for the outermost DecPaintLock.
    void IncPaintLock() { ++paintLock_; }
    void DecPaintLock();
    int PaintLockCount() const { return paintLock_; }
    TSynStateFlags StateFlags() const { return stateFlags_; }

    // Repaint requests for lines FirstLine..LastLine (1-based, either order;
    // -1, -1 for the whole text area). Collected while the lines are changing.
    void InvalidateLines(int FirstLine, int LastLine);
    void InvalidateGutterLines(int FirstLine, int LastLine);
    void InvalidateGutter() { InvalidateGutterLines(-1, -1); }
    void InvalidateLine(int Line);
    void InvalidateSelection();
    void Invalidate();

    // --- Geometry -------------------------------------------------------------
    int TopLine() const { return topLine_; }
    // Clamped to the text; scrolls the pixels on screen when the distance is
    // below a window height.
    void SetTopLine(int Value);
    int LeftChar() const { return leftChar_; }
    void SetLeftChar(int Value);
    int CharWidth() const { return charWidth_; }
    int LineHeight() const { return lineHeight_; }
    int GutterWidth() const { return gutterWidth_; }
    // x of the left edge of column 1.
    int TextOffset() const { return gutterWidth_ + 2 - (leftChar_ - 1) * charWidth_; }
    // Whole rows and columns that fit the client area (0 without a window or
    // before the cell size is known).
    int LinesInWindow() const;
    int CharsInWindow() const;
    // Top-left pixel of a display cell.
    TPoint RowColumnToPixels(const TDisplayCoord& RowCol) const;
    // The cell under a pixel.
    TDisplayCoord PixelsToRowColumn(int X, int Y) const;
    // The cell boundary nearest to a pixel, with Y first limited to the last
    // fully visible row.
    TDisplayCoord PixelsToNearestRowColumn(int X, int Y) const;

    void RecalcCharExtent();
    // The client size or the font changed.
    void SizeOrFontChanged(bool FontChanged);
    void GutterChanged(TObject* Sender);
    void UpdateScrollBars();
    void EnsureCursorPosVisible() { EnsureCursorPosVisibleEx(false); }
    // Centred: puts the caret line near the middle of the window.
    void EnsureCursorPosVisibleEx(bool ForceToMiddle);

    // --- Caret display --------------------------------------------------------
    void InitializeCaret();
    void UpdateCaret();
    void HideCaret();
    void ShowCaret();

    // --- Highlighter ranges -----------------------------------------------------
    // Rescans from 0-based line Index until a line's range comes out as it
    // was stored; returns the index of the last line scanned.
    int ScanFrom(int Index);
    void ScanRanges();
    // The highlighter's listener: recomputes the cell, rescans all ranges when
    // the sender is the highlighter (else repaints) and relays out.
    void HighlighterAttrChanged(TObject* Sender);

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
    TScrollEvent OnScroll;

protected:
    // Collects status changes; reported at once unless a paint lock is held.
    void StatusChanged(TSynStatusChanges AChanges);
    // One pass over the command hooks (see THookedCommandEvent).
    void NotifyHookedCommandHandlers(bool AfterProcessing, TSynEditorCommand& Command, char& AChar,
                                     void* Data);
    // Every caret-moving command goes through here: a group break for undo,
    // then the selection is extended from From to To or collapsed at To, and
    // the caret goes to To.
    void MoveCaretAndSelection(const TBufferCoord& From, const TBufferCoord& To, bool Extend);
    void MoveCaretHorz(int DX, bool Extend);
    // Rows up (negative) or down, keeping the display column.
    void MoveCaretVert(int DY, bool Extend);
    void SetGutterWidth(int Value);
    // A press moved far enough to become a drag of the selection. Dragging
    // text is the front end's and the editing layer's business; this only
    // ends the wait.
    virtual void StartDragSelection() {}

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
    // Hears the highlighter: attribute changes and its destruction.
    class THighlighterLink : public highlight::TComponent {
    public:
        explicit THighlighterLink(TCustomSynEdit& Owner)
            : highlight::TComponent(nullptr), owner_(Owner) {}
        void AttrChanged(TObject* Sender) { owner_.HighlighterAttrChanged(Sender); }

    protected:
        void Notification(highlight::TComponent* AComponent,
                          highlight::TOperation Operation) override;

    private:
        TCustomSynEdit& owner_;
    };
    struct TPaintContext;

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

    void FontChanged(TObject* Sender);
    void SelectedColorsChanged(TObject*) { InvalidateSelection(); }
    void BookMarkOptionsChanged(TObject*) { InvalidateGutter(); }
    void CreateTextDrawer();
    void UnbindHighlighter();
    void MarksChanged(int Line);

    void PaintGutter(TSynCanvas& ACanvas, const TRect& AClip, int FirstRow, int LastRow);
    void PaintGutterMarks(TSynCanvas& ACanvas, int FirstRow, int LastRow);
    void PaintTextLines(TSynCanvas& ACanvas, const TRect& AClip, int FirstRow, int LastRow,
                        int FirstCol, int LastCol);
    void PaintLine(TPaintContext& Ctx, int Row);

    void DoScrollHint(int TopLineValue);
    void ComputeScrollDeltas(int X, int Y);
    void MoveCaretToPointer(int X, int Y, bool KeepColumn, bool KeepRow);
    void ExecuteMovement(TSynEditorCommand Command, void* Data);
    void ScrollByLines(int Lines);
    void UpdateWindowNow();
    int LineEndColumn(int Line) const { return LineLength(Line) + 1; }
    void DoLineEnd(bool Extend);

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
    bool insertMode_ = true;
    bool wantTabs_ = false;
    bool wantReturns_ = true;

    TFont font_{"Courier New", 13, clWindowText, fpFixed};
    TColor color_ = clWindow;
    TSynGutter gutter_;
    TSynSelectedColor selectedColor_;
    TSynBookMarkOpt bookMarkOpt_;
    std::vector<TSynEditMark> marks_;
    int rightEdge_ = 80;
    TColor rightEdgeColor_ = clSilver;
    TColor activeLineColor_ = clNone;
    int extraLineSpacing_ = 0;
    TSynEditCaretType insertCaret_ = ctVerticalLine;
    TSynEditCaretType overwriteCaret_ = ctBlock;
    TColor scrollHintColor_ = clInfoBk;
    TScrollHintFormat scrollHintFormat_ = shfTopLineOnly;
    TScrollStyle scrollBars_ = ssBoth;
    TSynBorderStyle borderStyle_ = bsSingle;
    bool hideSelection_ = false;

    highlight::TSynCustomHighlighter* highlighter_ = nullptr;
    THighlighterLink highlighterLink_{*this};
    std::unique_ptr<TheTextDrawer> textDrawer_;

    TBufferCoord caret_;
    int lastCaretX_ = 1;
    TBufferCoord blockBegin_;
    TBufferCoord blockEnd_;
    TSynSelectionMode selectionMode_ = smNormal;
    TSynSelectionMode activeSelectionMode_ = smNormal;
    TPoint caretOffset_;

    std::uint16_t lastKey_ = 0;
    TShiftState lastShiftState_;
    int charsToDrop_ = 0; // characters of a composed input still to ignore

    int paintLock_ = 0;
    TSynStateFlags stateFlags_;
    TSynStatusChanges statusChanges_;
    TRect invalidRect_; // repaints collected while the lines are changing

    int topLine_ = 1;
    int leftChar_ = 1;
    int charWidth_ = 0;
    int lineHeight_ = 0;
    int gutterWidth_ = 0;

    int wheelAccumulator_ = 0;
    TPoint mouseDownPos_;
    int scrollDeltaX_ = 0;
    int scrollDeltaY_ = 0;
    bool scrollTimerRunning_ = false;
    TShiftState lastMouseShift_;
};

} // namespace marlinet::editor
