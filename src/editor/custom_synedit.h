// TCustomSynEdit: the public face of the editor core. It keeps every name
// the window and the workbench use and forwards the work to the units that
// hold it:
//   document.h            the model: lines, caret, selection, undo lists,
//                         and the markers on the lines (markers.h)
//   view.h                painting from the const state
//   style.h               the display settings, one value
//   mouse_controller.h    mouse, capture, auto-scroll and drag state, and
//                         the gutter's hit test
//   marker_commands.h     the bookmark keys
//   highlighter_ranges.h  the lazily computed highlighter ranges
// and, as members of this class, in custom_synedit.cpp (construction,
// settings, window, fonts, highlighter, line store reactions), caret.cpp
// (caret and selection setters, coordinates, caret display), scrolling.cpp,
// repaint.cpp (repaint requests, Paint, the paint lock), key_input.cpp
// (keys, key bindings, command dispatch), movement.cpp (movement commands,
// words) and editing.cpp (undo bookkeeping). The commands that change the
// text are TSynEditingCommands (editing.h), undo and redo TSynUndoApplier
// (undo_apply.h). It talks to its window only through TSynEditWindow
// (platform.h).
//
// Units: TBufferCoord is 1-based (X character, Y line); line store indices are
// 0-based; flat character indices count every line break as two characters;
// pixel values are in the window's client area.
#pragma once

#include <climits>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document.h"
#include "editor/edit_types.h"
#include "editor/editing.h"
#include "editor/gutter.h"
#include "editor/highlighter_ranges.h"
#include "editor/kbd_handler.h"
#include "editor/keystrokes.h"
#include "editor/mouse_controller.h"
#include "editor/style.h"
#include "editor/text_drawer.h"
#include "editor/undo_apply.h"
#include "editor/view.h"
#include "highlight/component.h"
#include "highlight/custom_highlighter.h"
#include "support/events.h"
#include "support/program_line.h"

namespace marlinet::editor {

class TCustomSynEdit : public TObject {
public:
    static constexpr int kDefaultMaxScrollWidth = 1024;
    static constexpr int kMaxTabWidth = 256;
    // The vertical scroll bar's range limit; longer texts are scaled into it.
    static constexpr int kMaxScrollRange = 32767;
    static constexpr int kScrollTimerInterval = 100;
    static constexpr int kWheelDelta = 120;
    static constexpr int kScrollHintMaxWidth = 200;
    // Pixels between the gutter and column 1 of an unscrolled text.
    static constexpr int kGutterMargin = 2;

    // Window may be null (no window yet, or headless use); see SetWindow.
    explicit TCustomSynEdit(TSynEditWindow* Window = nullptr);
    ~TCustomSynEdit() override;
    TCustomSynEdit(const TCustomSynEdit&) = delete;
    TCustomSynEdit& operator=(const TCustomSynEdit&) = delete;

    TSynEditWindow* Window() const { return window_; }
    // Attaching a window that can measure fonts creates the text drawer and
    // computes the cell; detaching it forgets the cell.
    void SetWindow(TSynEditWindow* Value);

    TSynEditStringList& Lines() { return doc_.Lines(); }
    const TSynEditStringList& Lines() const { return doc_.Lines(); }
    // The model, for readers (the view paints from it).
    const TSynDocument& Document() const { return doc_; }

    // --- Settings ---------------------------------------------------------
    TSynEditorOptions Options() const { return options_; }
    void SetOptions(TSynEditorOptions Value);
    int TabWidth() const { return Lines().TabWidth(); }
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
    const TSynEditStyle& DisplayStyle() const { return style_; }
    TColor Color() const { return style_.Color; }
    void SetColor(TColor Value) { SetStyle(&TSynEditStyle::Color, Value, &Self::Invalidate); }
    TSynGutter& Gutter() { return gutter_; }
    const TSynGutter& Gutter() const { return gutter_; }
    TSynSelectedColor& SelectedColor() { return selectedColor_; }
    const TSynSelectedColor& SelectedColor() const { return selectedColor_; }
    TSynBookMarkOpt& BookMarkOptions() { return bookMarkOpt_; }
    const TSynBookMarkOpt& BookMarkOptions() const { return bookMarkOpt_; }
    int RightEdge() const { return style_.RightEdge; }
    void SetRightEdge(int Value) { SetStyle(&TSynEditStyle::RightEdge, Value, &Self::Invalidate); }
    TColor RightEdgeColor() const { return style_.RightEdgeColor; }
    void SetRightEdgeColor(TColor Value) {
        SetStyle(&TSynEditStyle::RightEdgeColor, Value, &Self::Invalidate);
    }
    TColor ActiveLineColor() const { return style_.ActiveLineColor; }
    void SetActiveLineColor(TColor Value) {
        SetStyle(&TSynEditStyle::ActiveLineColor, Value, &Self::InvalidateCaretLine);
    }
    int ExtraLineSpacing() const { return style_.ExtraLineSpacing; }
    void SetExtraLineSpacing(int Value) {
        SetStyle(&TSynEditStyle::ExtraLineSpacing, Value, &Self::CellChanged);
    }
    TSynEditCaretType InsertCaret() const { return style_.InsertCaret; }
    void SetInsertCaret(TSynEditCaretType Value) {
        SetStyle(&TSynEditStyle::InsertCaret, Value, &Self::InitializeCaret);
    }
    TSynEditCaretType OverwriteCaret() const { return style_.OverwriteCaret; }
    void SetOverwriteCaret(TSynEditCaretType Value) {
        SetStyle(&TSynEditStyle::OverwriteCaret, Value, &Self::InitializeCaret);
    }
    TColor ScrollHintColor() const { return style_.ScrollHintColor; }
    void SetScrollHintColor(TColor Value) { SetStyle(&TSynEditStyle::ScrollHintColor, Value); }
    TScrollHintFormat ScrollHintFormat() const { return style_.ScrollHintFormat; }
    void SetScrollHintFormat(TScrollHintFormat Value) {
        SetStyle(&TSynEditStyle::ScrollHintFormat, Value);
    }
    TScrollStyle ScrollBars() const { return style_.ScrollBars; }
    void SetScrollBars(TScrollStyle Value) {
        SetStyle(&TSynEditStyle::ScrollBars, Value, &Self::UpdateScrollBars);
    }
    TSynBorderStyle BorderStyle() const { return style_.BorderStyle; }
    void SetBorderStyle(TSynBorderStyle Value) { SetStyle(&TSynEditStyle::BorderStyle, Value); }
    bool HideSelection() const { return style_.HideSelection; }
    void SetHideSelection(bool Value) {
        SetStyle(&TSynEditStyle::HideSelection, Value, &Self::InvalidateSelection);
    }

    TColor MatchForeground() const { return style_.MatchForeground; }
    void SetMatchForeground(TColor Value) {
        SetStyle(&TSynEditStyle::MatchForeground, Value, &Self::RepaintMarkedMatches);
    }
    TColor MatchBackground() const { return style_.MatchBackground; }
    void SetMatchBackground(TColor Value) {
        SetStyle(&TSynEditStyle::MatchBackground, Value, &Self::RepaintMarkedMatches);
    }
    // The search whose matches the view marks in the match colours, on the
    // rows it paints (a selection's colours win); null marks nothing. Not
    // owned: whoever sets it clears it before the search goes. Marks follow
    // every edit by themselves; after the search's pattern or options
    // change, MarkedSearchChanged repaints them.
    TSynSearch* MarkedSearch() const { return markedSearch_; }
    void SetMarkedSearch(TSynSearch* Search);
    void MarkedSearchChanged() { RepaintMarkedMatches(); }

    // The bound highlighter, not owned. The editor hears its attribute
    // changes and unbinds itself when the highlighter is destroyed.
    highlight::TSynCustomHighlighter* Highlighter() const { return highlighter_; }
    void SetHighlighter(highlight::TSynCustomHighlighter* Value);
    // The token covering buffer position XY as the highlighter cuts its line:
    // its text and attribute. False without a highlighter or when no token
    // covers XY (outside the text, or past the end of its line).
    bool GetHighlighterAttriAtRowCol(const TBufferCoord& XY, std::string& Token,
                                     highlight::TSynHighlighterAttributes*& Attri);
    // The same with the token's kind (GetTokenKind) and 1-based start.
    bool GetHighlighterAttriAtRowColEx(const TBufferCoord& XY, std::string& Token, int& TokenType,
                                       int& Start, highlight::TSynHighlighterAttributes*& Attri);

    // --- Caret --------------------------------------------------------------
    TBufferCoord CaretXY() const { return doc_.Caret(); }
    int CaretX() const { return doc_.Caret().X; }
    int CaretY() const { return doc_.Caret().Y; }
    // Clamps Y to 1..line count (1 without lines) and X to 1..MaxScrollWidth
    // + 1 (to the line end + 1 without eoScrollPastEol); reports scCaretX /
    // scCaretY for what changed, updates LastCaretX and places the caret.
    void SetCaretXY(const TBufferCoord& Value);
    void SetCaretX(int Value) { SetCaretXY({Value, CaretY()}); }
    void SetCaretY(int Value) { SetCaretXY({CaretX(), Value}); }
    TDisplayCoord DisplayXY() const { return doc_.BufferToDisplayPos(doc_.Caret()); }
    // Display column this caret keeps when moving up and down.
    int LastCaretX() const { return doc_.LastCaretX(); }
    void UpdateLastCaretX() { doc_.StoreLastCaretX(DisplayXY().Column); }

    TDisplayCoord BufferToDisplayPos(const TBufferCoord& P) const {
        return doc_.BufferToDisplayPos(P);
    }
    // A column inside a tab's cells gives that tab; columns past the line end
    // give positions past it, one per column.
    TBufferCoord DisplayToBufferPos(const TDisplayCoord& P) const {
        return doc_.DisplayToBufferPos(P);
    }

    // --- Selection ------------------------------------------------------------
    // The two ends as set, in either order; equal ends mean no selection.
    TBufferCoord BlockBegin() const { return doc_.BlockBegin(); }
    TBufferCoord BlockEnd() const { return doc_.BlockEnd(); }
    // Sets both ends (clamped); resets the active mode to SelectionMode.
    void SetBlockBegin(const TBufferCoord& Value);
    // Moves the second end (clamped); resets the active mode to SelectionMode.
    void SetBlockEnd(const TBufferCoord& Value);
    // The mode for new selections; setting it sets the active mode too.
    TSynSelectionMode SelectionMode() const { return doc_.SelectionMode(); }
    void SetSelectionMode(TSynSelectionMode Value);
    // The mode of the current selection, until the next SetBlockBegin/End.
    TSynSelectionMode ActiveSelectionMode() const { return doc_.ActiveSelectionMode(); }
    void SetActiveSelectionMode(TSynSelectionMode Value);
    bool SelAvail() const { return doc_.SelAvail(); }

    // Flat character index of the selection's first end / distance to its
    // last end.
    int SelStart() const { return doc_.SelStart(); }
    int SelLength() const { return doc_.SelLength(); }
    // Caret to the index; both block ends to the caret.
    void SetSelStart(int Value);
    // Second end at (index of BlockBegin) + Value, backwards for a negative
    // Value (never before the start of the text); caret to that end.
    void SetSelLength(int Value);
    std::string SelText() const { return doc_.GetSelText(); }
    std::string GetSelText() const { return doc_.GetSelText(); }
    // Replaces the selection (or inserts at the caret) in its mode as one
    // undo block; the caret goes after Value (column 1 in smLine).
    void SetSelText(const std::string& Value);
    // Selects the word at P (the highlighter's word characters).
    void SetWordBlock(const TBufferCoord& P);
    void SelectAll();

    // Past the end of the text: column 1 of the line after the last.
    TBufferCoord CharIndexToRowCol(int Index) const { return doc_.CharIndexToRowCol(Index); }
    int RowColToCharIndex(const TBufferCoord& RowCol) const {
        return doc_.RowColToCharIndex(RowCol);
    }

    // --- The line a run is at (support/program_line.h) -------------------------
    // Selects Line as a paused run shows it: one character from its start,
    // which whole-line selection (smLine) shows as the whole line; then brings
    // it into view (ShowLineCentred). Nothing for a line not in the text.
    void ShowProgramLine(support::TProgramLine Line);
    // Whether the selection is still the one ShowProgramLine made for Line.
    bool ShowsProgramLine(support::TProgramLine Line) const;
    // Selects the characters of Line (not its line break) and brings it into
    // view. Nothing for a line not in the text.
    void SelectProgramLineText(support::TProgramLine Line);

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

    // The table as its differences from Reference (the defaults when null):
    // all a saved setting needs. KeystrokesStored is false when there is no
    // difference.
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
    // Runs Work as the owner's command Command (ecUserFirst or above), for
    // an owner command that changes the text through the editor's other
    // operations (replacing, say): OnProcessUserCommand may change or cancel
    // it, the hooks hear it before and after Work, then OnCommandProcessed.
    // A command cancelled on the way runs nothing.
    void ProcessOwnerCommand(TSynEditorCommand Command, const std::function<void()>& Work);
    // One command under a paint lock. Data of ecGotoXY/ecSelGotoXY points to
    // a TBufferCoord.
    virtual void ExecuteCommand(TSynEditorCommand Command, char AChar, void* Data);

    // Pixel coordinates in the client area (see mouse_controller.h).
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
        mouse_.MouseDown(Button, Shift, X, Y);
    }
    void MouseMove(TShiftState Shift, int X, int Y) { mouse_.MouseMove(Shift, X, Y); }
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
        mouse_.MouseUp(Button, Shift, X, Y);
    }
    // After the second press of a double click (which came as a MouseDown
    // with ssDouble): selects the word at the caret right of the gutter.
    void DblClick(int X, int Y) { mouse_.DblClick(X, Y); }
    // Delta in 1/120 notches, positive away from the user (scrolls up).
    void MouseWheel(int WheelDelta, TShiftState Shift) { mouse_.MouseWheel(WheelDelta, Shift); }
    void ScrollTimerTick() { mouse_.ScrollTimerTick(); }
    void WMVScroll(TSynScrollCode Code, int Pos);
    void FocusIn();
    void FocusOut();
    // The client area changed size.
    void Resize() { SizeOrFontChanged(false); }

    // --- Clipboard and drag and drop -------------------------------------------
    // The selection goes as text and as the editor's block (its mode kept),
    // which paste prefers. A refusing platform raises ESynError and changes
    // nothing.
    void CopyToClipboard() { editing_.CopyToClipboard(); }
    void CutToClipboard() { editing_.CutToClipboard(); }
    void PasteFromClipboard() { editing_.PasteFromClipboard(); }
    // What a drop at the pointer would do: own selection moved (Ctrl:
    // copied), another editor's (Source) copied (Shift: moved), text from
    // elsewhere (null) copied, nothing when read-only. The caret follows the
    // pointer; the view scrolls near its edges.
    TSynDropEffect DragOver(const TCustomSynEdit* Source, TShiftState Shift, int X, int Y) {
        return mouse_.DragOver(Source, Shift, X, Y);
    }
    // The drag left the editor or ended elsewhere.
    void DragLeave() { mouse_.DragLeave(); }
    // Drops Text (a Source editor's own selection) at the pointer.
    TSynDropEffect DragDrop(TCustomSynEdit* Source, const std::string& Text, TShiftState Shift,
                            int X, int Y) {
        return mouse_.DragDrop(Source, Text, Shift, X, Y);
    }

    // --- Find, replace and go to line (editing.h, search.h) ----------------------
    // Select the next match after the selection (the previous one before
    // it), or from the caret without one, scrolled into view.
    TSynSearchResult FindNext(TSynSearch& Search, bool Wrap = true) {
        return editing_.Find(Search, false, Wrap);
    }
    TSynSearchResult FindPrevious(TSynSearch& Search, bool Wrap = true) {
        return editing_.Find(Search, true, Wrap);
    }
    // The same from a given position, for a search as one types.
    TSynSearchResult FindFrom(TSynSearch& Search, const TBufferCoord& From, bool Backwards,
                              bool Wrap = true) {
        return editing_.FindFrom(Search, From, Backwards, Wrap);
    }
    // The selected match replaced, as one undo step (Count 0: no match).
    TSynReplaceResult ReplaceCurrent(TSynSearch& Search, std::string_view Replacement) {
        return editing_.ReplaceCurrent(Search, Replacement);
    }
    // Every match in a selection over several lines, else in the text, as
    // one undo step.
    TSynReplaceResult ReplaceAll(TSynSearch& Search, std::string_view Replacement) {
        return editing_.ReplaceAll(Search, Replacement);
    }
    // Caret to the start of 1-based Line, scrolled into view.
    void GotoLine(int Line) { editing_.GotoLine(Line); }

    // --- Undo -----------------------------------------------------------------
    void Undo() { undoApplier_.Undo(); }
    void Redo() { undoApplier_.Redo(); }
    TSynEditUndoList& UndoList() { return doc_.UndoList(); }
    TSynEditUndoList& RedoList() { return doc_.RedoList(); }
    void BeginUndoBlock() { UndoList().BeginBlock(); }
    void EndUndoBlock() { UndoList().EndBlock(); }
    void LockUndo();
    void UnlockUndo();
    void ClearUndo();
    bool CanUndo() const { return !readOnly_ && doc_.UndoList().CanUndo(); }
    bool CanRedo() const { return !readOnly_ && doc_.RedoList().CanUndo(); }
    int MaxUndo() const { return doc_.UndoList().MaxUndoActions(); }
    // A value >= 0 goes to both lists; a negative one is ignored.
    void SetMaxUndo(int Value);
    bool Modified() const { return modified_; }
    void SetModified(bool Value);

    // --- Markers: bookmarks, breakpoints, execution point, error line -----------
    // The document's marker set (markers.h): the window's way to breakpoints
    // and the lines of a run, with a change notification of its own.
    TSynMarkerSet& Markers() { return doc_.Markers(); }
    const TSynMarkerSet& Markers() const { return doc_.Markers(); }
    const std::vector<TSynEditMark>& Marks() const { return doc_.Markers().Marks(); }
    // Bookmark 0..9 at (X, Y), moved from where it was; ignored for another
    // number or a line not in the text.
    void SetBookMark(int BookMark, int X, int Y) { doc_.Markers().SetBookmark(BookMark, {X, Y}); }
    void ClearBookMark(int BookMark) { doc_.Markers().ClearBookmark(BookMark); }
    bool GetBookMark(int BookMark, int& X, int& Y) const;
    // A mark that is not a bookmark, drawn with the front end's image list.
    void AddMark(const TSynEditMark& Mark) { doc_.Markers().AddMark(Mark); }
    // Every bookmark and mark (breakpoints and the run's lines stay).
    void ClearMarks() { doc_.Markers().ClearMarks(); }

    // --- Painting -----------------------------------------------------------
    // Paints the part of the window inside the target's clip rectangle.
    void Paint(TSynCanvas& ACanvas);
    // Scroll-bar, caret and status updates wait for the outermost
    // DecPaintLock. Prefer TSynPaintLock, which releases on every path.
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
    int TextOffset() const { return gutterWidth_ + kGutterMargin - (leftChar_ - 1) * charWidth_; }
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
    // Brings 1-based line Line (clamped to the text) into view without
    // touching the caret: nothing moves while the whole line is in the
    // window; otherwise it goes near the middle, as far as the text allows.
    void ShowLineCentred(int Line);

    // --- Caret display --------------------------------------------------------
    void InitializeCaret();
    void UpdateCaret();
    void HideCaret();
    void ShowCaret();

    // --- Highlighter ranges -----------------------------------------------------
    // Rescans from 0-based line Index until a line's range comes out as it
    // was stored; returns the index of the last line scanned.
    int ScanFrom(int Index) { return ranges_.ScanFrom(Index); }
    void ScanRanges() { ranges_.ScanRanges(); }
    // The highlighter's listener: recomputes the cell, makes every range
    // out of date when the sender is the highlighter (else repaints) and
    // relays out.
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
    // A press in the gutter, which leaves the caret and the selection alone.
    TGutterClickEvent OnGutterClick;
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
    // A press moved far enough to become a drag of the selection: hands the
    // selected text to the window's drag, which returns when it is dropped.
    virtual void StartDragSelection();

    // Reactions to the line store.
    void LinesChanging(TObject* Sender);
    void LinesChanged(TObject* Sender);
    void ListClearing(TObject*) { doc_.Markers().LinesClearing(); }
    void ListCleared(TObject* Sender);
    void ListDeleted(TObject* Sender, int Index, int NumLines);
    void ListInserted(TObject* Sender, int Index, int NumLines);
    void ListPutted(TObject* Sender, int Index, int NumLines);
    // Both undo lists report every addition here.
    void UndoRedoAdded(TObject* Sender);

private:
    using Self = TCustomSynEdit;
    friend class TSynMouseController;
    friend class TSynPaintLock;
    friend class TSynEditingCommands;
    friend class TSynUndoApplier;

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
    // Hears of the highlighter's destruction (the component protocol).
    class THighlighterLink : public highlight::TComponent {
    public:
        explicit THighlighterLink(TCustomSynEdit& Owner)
            : highlight::TComponent(nullptr), owner_(Owner) {}

    protected:
        void Notification(highlight::TComponent* AComponent,
                          highlight::TOperation Operation) override;

    private:
        TCustomSynEdit& owner_;
    };

    // The one setter of the display settings: stores a changed value and
    // runs the reaction that field needs.
    template <class V>
    void SetStyle(V TSynEditStyle::*Field, V Value, void (TCustomSynEdit::*Reaction)() = nullptr) {
        if (style_.*Field == Value) return;
        style_.*Field = Value;
        if (Reaction) (this->*Reaction)();
    }

    bool WindowShowing() const;
    void InvalidateRows(int FirstLine, int LastLine, int Left, int Right);
    void InvalidateClientRect(const TRect& Rect);
    bool CollectedAll() const { return invalidAll_ && stateFlags_.Contains(sfLinesChanging); }
    void ForgetCollectedRepaints() {
        invalidRect_ = {};
        invalidAll_ = false;
        repaintFromLine_ = INT_MAX;
    }
    // Lines from Line (1-based) to the end moved: text and gutter repaint.
    void RepaintFromLine(int Line);
    void InvalidateCaretLine() { InvalidateLine(CaretY()); }
    void RepaintMarkedMatches() {
        if (markedSearch_) InvalidateLines(-1, -1);
    }
    void DoOnStatusChange();
    void UpdateModifiedStatus();
    // Lowers the paint lock without the deferred updates, which stay due
    // (an exception is on its way out).
    void AbandonPaintLock();
    TBufferCoord ClampCaret(TBufferCoord P) const;
    TBufferCoord ClampBlockEnd(TBufferCoord P) const;
    const TSynEditKeyStrokes& ReferenceOrDefaults(const TSynEditKeyStrokes* Reference,
                                                  TSynEditKeyStrokes& Defaults) const;

    void FontChanged(TObject* Sender);
    // The cell size may have changed (font, styles or line spacing).
    void CellChanged();
    void SelectedColorsChanged(TObject*) { InvalidateSelection(); }
    void BookMarkOptionsChanged(TObject*) { GutterChanged(&gutter_); }
    void CreateTextDrawer();
    void UnbindHighlighter();
    // Repaints the gutter rows of the lines whose markers changed, or lays
    // the gutter out again when its glyphs need another width.
    void MarkersChanged(TObject* Sender, TSynMarkerKinds Kinds, int FirstLine, int LastLine);
    void RangeNeeded(int Index) { ranges_.MakeCurrent(Index); }
    void MaxScrollWidthCovers(int Index, int NumLines);

    void DoScrollHint(int TopLineValue);
    void ExecuteMovement(TSynEditorCommand Command, void* Data);
    void ScrollCaretIntoWindow(TSynEditorCommand Command);
    void UpdateWindowNow();
    void DoLineEnd(bool Extend);

    TSynEditWindow* window_;
    TSynDocument doc_;
    TSynHighlighterRanges ranges_{doc_.Lines()};
    TSynEditKeyStrokes keystrokes_;
    TSynEditKbdHandler kbdHandler_;
    support::TMethodList<HookedCommandHandler> hookedCommandHandlers_;
    TSynMouseController mouse_{*this};
    TSynEditingCommands editing_{*this};
    TSynUndoApplier undoApplier_{*this, editing_};

    TSynEditorOptions options_ = kDefaultSynEditorOptions;
    int maxScrollWidth_ = kDefaultMaxScrollWidth;
    bool readOnly_ = false;
    bool modified_ = false;
    bool insertMode_ = true;
    bool wantTabs_ = false;
    bool wantReturns_ = true;

    TFont font_{"Courier New", 13, clWindowText, fpFixed};
    TSynEditStyle style_;
    TSynGutter gutter_;
    TSynSelectedColor selectedColor_;
    TSynBookMarkOpt bookMarkOpt_;
    int markerArea_ = 0; // pixels the gutter keeps for marker glyphs

    TSynSearch* markedSearch_ = nullptr;
    highlight::TSynCustomHighlighter* highlighter_ = nullptr;
    THighlighterLink highlighterLink_{*this};
    std::unique_ptr<TheTextDrawer> textDrawer_;
    TSynPaintBuffers paintBuffers_;

    TPoint caretOffset_;
    std::uint16_t lastKey_ = 0;
    TShiftState lastShiftState_;
    int charsToDrop_ = 0; // characters of a composed input still to ignore

    int paintLock_ = 0;
    TSynStateFlags stateFlags_;
    TSynStatusChanges statusChanges_;
    TRect invalidRect_; // repaints collected while the lines are changing
    // invalidRect_ holds the whole client area: a bulk load collects nothing
    // more line by line.
    bool invalidAll_ = false;
    // Lines from here (1-based) to the end moved while the lines are
    // changing; repainted once, when they are done.
    int repaintFromLine_ = INT_MAX;

    int topLine_ = 1;
    int leftChar_ = 1;
    int charWidth_ = 0;
    int lineHeight_ = 0;
    int gutterWidth_ = 0;
};

// Holds the editor's paint lock for its lifetime. The outermost release
// carries out the deferred scroll-bar, caret and status updates; when an
// exception leaves the scope it only releases, and those updates stay due
// for the next release.
class TSynPaintLock {
public:
    explicit TSynPaintLock(TCustomSynEdit& Edit)
        : edit_(Edit), exceptions_(std::uncaught_exceptions()) {
        edit_.IncPaintLock();
    }
    ~TSynPaintLock() noexcept(false) {
        if (std::uncaught_exceptions() > exceptions_)
            edit_.AbandonPaintLock();
        else
            edit_.DecPaintLock();
    }
    TSynPaintLock(const TSynPaintLock&) = delete;
    TSynPaintLock& operator=(const TSynPaintLock&) = delete;

private:
    TCustomSynEdit& edit_;
    int exceptions_;
};

} // namespace marlinet::editor
