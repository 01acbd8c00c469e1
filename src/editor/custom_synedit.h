// TCustomSynEdit: the public face of the editor core. It keeps every name
// the window and the workbench use, owns the units and forwards each call
// to the unit that holds the work; it has no logic of its own:
//   document.h        the model: lines, caret, selection, undo lists and
//                     markers, with the caret and selection rules (clamp,
//                     store, report what changed)
//   caret.h           the caret and selection setters: the document's rule,
//                     then repaint, caret placement and status
//   viewport.h        the window, geometry (cells, rows, scroll position,
//                     client rect) and the repaint requests it collects
//   edit_status.h     the paint lock, state flags and status reports
//   caret_display.h   the caret on screen
//   scroller.h        top line, first column, scroll bar and hint
//   display.h         font, cell, gutter, looks, highlighter, painting
//                     (view.h paints from a const source)
//   edit_state.h      settings with reactions, the modified flag, undo locks
//   line_reactions.h  what the line store's changes set off
//   key_input.h       keys to commands, key bindings, handler chains, hooks
//   movement.h        the commands that move the caret; command dispatch
//   editing.h         the commands that change the text
//   undo_apply.h      undo and redo
//   mouse_controller.h  mouse, drag and drop
// The units take a context of the parts they need and never this class.
// It talks to its window only through TSynEditWindow (platform.h).
//
// Units: TBufferCoord is 1-based (X character, Y line); line store indices are
// 0-based; flat character indices count every line break as two characters;
// pixel values are in the window's client area.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/caret.h"
#include "editor/caret_display.h"
#include "editor/display.h"
#include "editor/document.h"
#include "editor/edit_settings.h"
#include "editor/edit_state.h"
#include "editor/edit_status.h"
#include "editor/edit_types.h"
#include "editor/editing.h"
#include "editor/gutter.h"
#include "editor/highlighter_ranges.h"
#include "editor/kbd_handler.h"
#include "editor/key_input.h"
#include "editor/keystrokes.h"
#include "editor/line_reactions.h"
#include "editor/mouse_controller.h"
#include "editor/movement.h"
#include "editor/scroller.h"
#include "editor/style.h"
#include "editor/undo_apply.h"
#include "editor/viewport.h"
#include "highlight/custom_highlighter.h"
#include "support/program_line.h"

namespace marlinet::editor {

class TCustomSynEdit : public TObject, public TSynEditEvents {
public:
    static constexpr int kDefaultMaxScrollWidth = kSynDefaultMaxScrollWidth;
    static constexpr int kMaxTabWidth = kSynMaxTabWidth;
    static constexpr int kMaxScrollRange = kSynMaxScrollRange;
    static constexpr int kScrollTimerInterval = kSynScrollTimerInterval;
    static constexpr int kWheelDelta = kSynWheelDelta;
    static constexpr int kScrollHintMaxWidth = kSynScrollHintMaxWidth;
    static constexpr int kGutterMargin = kSynGutterMargin;

    // Window may be null (no window yet, or headless use); see SetWindow.
    explicit TCustomSynEdit(TSynEditWindow* Window = nullptr);
    ~TCustomSynEdit() override;
    TCustomSynEdit(const TCustomSynEdit&) = delete;
    TCustomSynEdit& operator=(const TCustomSynEdit&) = delete;

    TSynEditWindow* Window() const { return view_.Window(); }
    // Attaching a window that can measure fonts creates the text drawer and
    // computes the cell; detaching it forgets the cell.
    void SetWindow(TSynEditWindow* Value) { display_.SetWindow(Value); }

    TSynEditStringList& Lines() { return doc_.Lines(); }
    const TSynEditStringList& Lines() const { return doc_.Lines(); }
    // The model, for readers.
    const TSynDocument& Document() const { return doc_; }

    // --- Settings ---------------------------------------------------------
    TSynEditorOptions Options() const { return settings_.Options; }
    void SetOptions(TSynEditorOptions Value) { state_.SetOptions(Value); }
    int TabWidth() const { return doc_.Lines().TabWidth(); }
    // Clamped to 1..kMaxTabWidth and passed on to the lines.
    void SetTabWidth(int Value) { state_.SetTabWidth(Value); }
    // With eoScrollPastEol the caret may stand up to column MaxScrollWidth + 1.
    int MaxScrollWidth() const { return settings_.MaxScrollWidth; }
    void SetMaxScrollWidth(int Value) { state_.SetMaxScrollWidth(Value); }
    bool ReadOnly() const { return settings_.ReadOnly; }
    void SetReadOnly(bool Value) { state_.SetReadOnly(Value); }
    bool InsertMode() const { return settings_.InsertMode; }
    // The caret shape follows.
    void SetInsertMode(bool Value) { state_.SetInsertMode(Value); }
    bool WantTabs() const { return settings_.WantTabs; }
    void SetWantTabs(bool Value) { settings_.WantTabs = Value; }
    bool WantReturns() const { return settings_.WantReturns; }
    void SetWantReturns(bool Value) { settings_.WantReturns = Value; }
    // Arrows and characters always; every key with WantReturns; Tab only
    // with WantTabs, so without it Tab moves the focus on.
    TSynDlgCodes GetDlgCode() const { return state_.GetDlgCode(); }

    // --- Display settings ---------------------------------------------------
    // The text font; its colour is the text colour.
    TFont& Font() { return display_.Font(); }
    const TFont& Font() const { return display_.Font(); }
    void SetFont(const TFont& Value) { display_.Font().Assign(Value); }
    const TSynEditStyle& DisplayStyle() const { return style_; }
    TColor Color() const { return style_.Color; }
    void SetColor(TColor Value) { SetStyle(&TSynEditStyle::Color, Value, Reaction::Repaint); }
    TSynGutter& Gutter() { return display_.Gutter(); }
    const TSynGutter& Gutter() const { return display_.Gutter(); }
    TSynSelectedColor& SelectedColor() { return display_.SelectedColor(); }
    const TSynSelectedColor& SelectedColor() const { return display_.SelectedColor(); }
    TSynBookMarkOpt& BookMarkOptions() { return display_.BookMarkOptions(); }
    const TSynBookMarkOpt& BookMarkOptions() const { return display_.BookMarkOptions(); }
    int RightEdge() const { return style_.RightEdge; }
    void SetRightEdge(int Value) { SetStyle(&TSynEditStyle::RightEdge, Value, Reaction::Repaint); }
    TColor RightEdgeColor() const { return style_.RightEdgeColor; }
    void SetRightEdgeColor(TColor Value) {
        SetStyle(&TSynEditStyle::RightEdgeColor, Value, Reaction::Repaint);
    }
    TColor ActiveLineColor() const { return style_.ActiveLineColor; }
    void SetActiveLineColor(TColor Value) {
        SetStyle(&TSynEditStyle::ActiveLineColor, Value, Reaction::RepaintCaretLine);
    }
    int ExtraLineSpacing() const { return style_.ExtraLineSpacing; }
    void SetExtraLineSpacing(int Value) {
        SetStyle(&TSynEditStyle::ExtraLineSpacing, Value, Reaction::NewCell);
    }
    TSynEditCaretType InsertCaret() const { return style_.InsertCaret; }
    void SetInsertCaret(TSynEditCaretType Value) {
        SetStyle(&TSynEditStyle::InsertCaret, Value, Reaction::NewCaret);
    }
    TSynEditCaretType OverwriteCaret() const { return style_.OverwriteCaret; }
    void SetOverwriteCaret(TSynEditCaretType Value) {
        SetStyle(&TSynEditStyle::OverwriteCaret, Value, Reaction::NewCaret);
    }
    TColor ScrollHintColor() const { return style_.ScrollHintColor; }
    void SetScrollHintColor(TColor Value) { SetStyle(&TSynEditStyle::ScrollHintColor, Value); }
    TScrollHintFormat ScrollHintFormat() const { return style_.ScrollHintFormat; }
    void SetScrollHintFormat(TScrollHintFormat Value) {
        SetStyle(&TSynEditStyle::ScrollHintFormat, Value);
    }
    TScrollStyle ScrollBars() const { return style_.ScrollBars; }
    void SetScrollBars(TScrollStyle Value) {
        SetStyle(&TSynEditStyle::ScrollBars, Value, Reaction::ScrollBars);
    }
    TSynBorderStyle BorderStyle() const { return style_.BorderStyle; }
    void SetBorderStyle(TSynBorderStyle Value) { SetStyle(&TSynEditStyle::BorderStyle, Value); }
    bool HideSelection() const { return style_.HideSelection; }
    void SetHideSelection(bool Value) {
        SetStyle(&TSynEditStyle::HideSelection, Value, Reaction::RepaintSelection);
    }

    TColor MatchForeground() const { return style_.MatchForeground; }
    void SetMatchForeground(TColor Value) {
        SetStyle(&TSynEditStyle::MatchForeground, Value, Reaction::RepaintMarkedMatches);
    }
    TColor MatchBackground() const { return style_.MatchBackground; }
    void SetMatchBackground(TColor Value) {
        SetStyle(&TSynEditStyle::MatchBackground, Value, Reaction::RepaintMarkedMatches);
    }
    // The search whose matches the view marks in the match colours, on the
    // rows it paints (a selection's colours win); null marks nothing. Not
    // owned: whoever sets it clears it before the search goes. Marks follow
    // every edit by themselves; after the search's pattern or options
    // change, MarkedSearchChanged repaints them.
    TSynSearch* MarkedSearch() const { return display_.MarkedSearch(); }
    void SetMarkedSearch(TSynSearch* Search) { display_.SetMarkedSearch(Search); }
    void MarkedSearchChanged() { display_.React(Reaction::RepaintMarkedMatches); }

    // The bound highlighter, not owned. The editor hears its attribute
    // changes and unbinds itself when the highlighter is destroyed.
    highlight::TSynCustomHighlighter* Highlighter() const { return display_.Highlighter(); }
    void SetHighlighter(highlight::TSynCustomHighlighter* Value) { display_.SetHighlighter(Value); }
    // The token covering buffer position XY as the highlighter cuts its line:
    // its text and attribute. False without a highlighter or when no token
    // covers XY (outside the text, or past the end of its line).
    bool GetHighlighterAttriAtRowCol(const TBufferCoord& XY, std::string& Token,
                                     highlight::TSynHighlighterAttributes*& Attri) {
        return display_.GetHighlighterAttriAtRowCol(XY, Token, Attri);
    }
    // The same with the token's kind (GetTokenKind) and 1-based start.
    bool GetHighlighterAttriAtRowColEx(const TBufferCoord& XY, std::string& Token, int& TokenType,
                                       int& Start, highlight::TSynHighlighterAttributes*& Attri) {
        return display_.GetHighlighterAttriAtRowColEx(XY, Token, TokenType, Start, Attri);
    }

    // --- Caret --------------------------------------------------------------
    TBufferCoord CaretXY() const { return doc_.Caret(); }
    int CaretX() const { return doc_.Caret().X; }
    int CaretY() const { return doc_.Caret().Y; }
    // Clamps Y to 1..line count (1 without lines) and X to 1..MaxScrollWidth
    // + 1 (to the line end + 1 without eoScrollPastEol); reports scCaretX /
    // scCaretY for what changed, updates LastCaretX and places the caret.
    void SetCaretXY(const TBufferCoord& Value) { caret_.SetCaretXY(Value); }
    void SetCaretX(int Value) { caret_.SetCaretXY({Value, CaretY()}); }
    void SetCaretY(int Value) { caret_.SetCaretXY({CaretX(), Value}); }
    TDisplayCoord DisplayXY() const { return doc_.BufferToDisplayPos(doc_.Caret()); }
    // Display column this caret keeps when moving up and down.
    int LastCaretX() const { return doc_.LastCaretX(); }
    void UpdateLastCaretX() { doc_.UpdateLastCaretX(); }

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
    void SetBlockBegin(const TBufferCoord& Value) { caret_.SetBlockBegin(Value); }
    // Moves the second end (clamped); resets the active mode to SelectionMode.
    void SetBlockEnd(const TBufferCoord& Value) { caret_.SetBlockEnd(Value); }
    // The mode for new selections; setting it sets the active mode too.
    TSynSelectionMode SelectionMode() const { return doc_.SelectionMode(); }
    void SetSelectionMode(TSynSelectionMode Value) { caret_.SetSelectionMode(Value); }
    // The mode of the current selection, until the next SetBlockBegin/End.
    TSynSelectionMode ActiveSelectionMode() const { return doc_.ActiveSelectionMode(); }
    void SetActiveSelectionMode(TSynSelectionMode Value) { caret_.SetActiveSelectionMode(Value); }
    bool SelAvail() const { return doc_.SelAvail(); }

    // Flat character index of the selection's first end / distance to its
    // last end.
    int SelStart() const { return doc_.SelStart(); }
    int SelLength() const { return doc_.SelLength(); }
    // Caret to the index; both block ends to the caret.
    void SetSelStart(int Value) { caret_.SetSelStart(Value); }
    // Second end at (index of BlockBegin) + Value, backwards for a negative
    // Value (never before the start of the text); caret to that end.
    void SetSelLength(int Value) { caret_.SetSelLength(Value); }
    std::string SelText() const { return doc_.GetSelText(); }
    std::string GetSelText() const { return doc_.GetSelText(); }
    // Replaces the selection (or inserts at the caret) in its mode as one
    // undo block; the caret goes after Value (column 1 in smLine).
    void SetSelText(const std::string& Value) { editing_.SetSelText(Value); }
    // Selects the word at P (the highlighter's word characters).
    void SetWordBlock(const TBufferCoord& P) { movement_.SetWordBlock(P); }
    void SelectAll() { movement_.SelectAll(); }

    // --- The line a run is at (support/program_line.h) -------------------------
    // Selects Line as a paused run shows it: one character from its start,
    // which whole-line selection (smLine) shows as the whole line; then brings
    // it into view (ShowLineCentred). Nothing for a line not in the text.
    void ShowProgramLine(support::TProgramLine Line) { movement_.ShowProgramLine(Line); }
    // Whether the selection is still the one ShowProgramLine made for Line.
    bool ShowsProgramLine(support::TProgramLine Line) const {
        return movement_.ShowsProgramLine(Line);
    }
    // Selects the characters of Line (not its line break) and brings it into
    // view. Nothing for a line not in the text.
    void SelectProgramLineText(support::TProgramLine Line) {
        movement_.SelectProgramLineText(Line);
    }

    // Past the end of the text: column 1 of the line after the last.
    TBufferCoord CharIndexToRowCol(int Index) const { return doc_.CharIndexToRowCol(Index); }
    int RowColToCharIndex(const TBufferCoord& RowCol) const {
        return doc_.RowColToCharIndex(RowCol);
    }

    // --- Words ----------------------------------------------------------------
    // The highlighter's identifier characters minus its word-break
    // characters; letters, digits and '_' without a highlighter.
    bool IsWordChar(char C) const { return movement_.IsWordChar(C); }
    TBufferCoord NextWordPos() const { return movement_.NextWordPos(); }
    TBufferCoord PrevWordPos() const { return movement_.PrevWordPos(); }

    // --- Key bindings -------------------------------------------------------
    TSynEditKeyStrokes& Keystrokes() { return keys_.Keystrokes(); }
    const TSynEditKeyStrokes& Keystrokes() const { return keys_.Keystrokes(); }
    // Copies Value; null empties the table.
    void SetKeystrokes(const TSynEditKeyStrokes* Value) { keys_.SetKeystrokes(Value); }
    virtual void SetDefaultKeystrokes() { keys_.Keystrokes().ResetDefaults(); }
    // The command for a key press: a chord with the previous key first, then
    // the single key; ecNone when neither is bound. Data is not touched.
    TSynEditorCommand TranslateKeyCode(std::uint16_t Code, TShiftState Shift, void*& /*Data*/) {
        return keys_.TranslateKeyCode(Code, Shift);
    }

    TSynEditKbdHandler& KbdHandler() { return keys_.KbdHandler(); }
    void AddKeyDownHandler(const TKeyEvent& H) { keys_.KbdHandler().AddKeyDownHandler(H); }
    void RemoveKeyDownHandler(const TKeyEvent& H) { keys_.KbdHandler().RemoveKeyDownHandler(H); }
    void AddKeyPressHandler(const TKeyPressEvent& H) { keys_.KbdHandler().AddKeyPressHandler(H); }
    void RemoveKeyPressHandler(const TKeyPressEvent& H) {
        keys_.KbdHandler().RemoveKeyPressHandler(H);
    }

    // An unassigned handler, or one already registered (same method, any
    // data), is ignored.
    void RegisterCommandHandler(const THookedCommandEvent& AHandlerProc, void* AHandlerData) {
        keys_.RegisterCommandHandler(AHandlerProc, AHandlerData);
    }
    void UnregisterCommandHandler(const THookedCommandEvent& AHandlerProc) {
        keys_.UnregisterCommandHandler(AHandlerProc);
    }

    // The table as its differences from Reference (the defaults when null):
    // all a saved setting needs. KeystrokesStored is false when there is no
    // difference.
    bool KeystrokesStored(const TSynEditKeyStrokes* Reference = nullptr) const {
        return keys_.KeystrokesStored(Reference);
    }
    void GetRemovedKeystrokes(TSynEditKeyStrokes& Removed,
                              const TSynEditKeyStrokes* Reference = nullptr) const {
        keys_.GetRemovedKeystrokes(Removed, Reference);
    }
    void GetAddedKeystrokes(TSynEditKeyStrokes& Added,
                            const TSynEditKeyStrokes* Reference = nullptr) const {
        keys_.GetAddedKeystrokes(Added, Reference);
    }
    void SetRemovedKeystrokes(const TSynEditKeyStrokes& Removed) {
        keys_.SetRemovedKeystrokes(Removed);
    }
    void SetAddedKeystrokes(const TSynEditKeyStrokes& Added) { keys_.SetAddedKeystrokes(Added); }

    // --- Input from the window ------------------------------------------------
    // OnKeyDown first, then the key-down handlers, then the key table. A key
    // that gives a command is consumed (Key becomes 0, true is returned) and
    // the character it would type is dropped.
    bool KeyDown(std::uint16_t& Key, TShiftState Shift) { return keys_.KeyDown(Key, Shift); }
    void KeyPress(char& Key) { keys_.KeyPress(Key); }
    // Runs a command as a key would: OnProcessCommand (OnProcessUserCommand
    // from ecUserFirst on) may change or cancel it, hooks hear it before and
    // after, codes 1..1000 execute, then OnCommandProcessed.
    virtual void CommandProcessor(TSynEditorCommand Command, char AChar, void* Data) {
        keys_.CommandProcessor(Command, AChar, Data);
    }
    // Runs Work as the owner's command Command (ecUserFirst or above), for
    // an owner command that changes the text through the editor's other
    // operations (replacing, say): OnProcessUserCommand may change or cancel
    // it, the hooks hear it before and after Work, then OnCommandProcessed.
    // A command cancelled on the way runs nothing.
    void ProcessOwnerCommand(TSynEditorCommand Command, const std::function<void()>& Work) {
        keys_.ProcessOwnerCommand(Command, Work);
    }
    // One command under a paint lock. Data of ecGotoXY/ecSelGotoXY points to
    // a TBufferCoord.
    virtual void ExecuteCommand(TSynEditorCommand Command, char AChar, void* Data) {
        movement_.Execute(Command, AChar, Data);
    }

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
    void WMVScroll(TSynScrollCode Code, int Pos) { scroller_.WMVScroll(Code, Pos); }
    void FocusIn() { caretDisplay_.FocusIn(); }
    void FocusOut() { caretDisplay_.FocusOut(); }
    // The client area changed size.
    void Resize() { display_.SizeOrFontChanged(false); }

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
        return mouse_.DragOver(Source ? &Source->editing_ : nullptr, Shift, X, Y);
    }
    // The drag left the editor or ended elsewhere.
    void DragLeave() { mouse_.DragLeave(); }
    // Drops Text (a Source editor's own selection) at the pointer.
    TSynDropEffect DragDrop(TCustomSynEdit* Source, const std::string& Text, TShiftState Shift,
                            int X, int Y) {
        return mouse_.DragDrop(Source ? &Source->editing_ : nullptr, Text, Shift, X, Y);
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
    void Undo() { undo_.Undo(); }
    void Redo() { undo_.Redo(); }
    TSynEditUndoList& UndoList() { return doc_.UndoList(); }
    TSynEditUndoList& RedoList() { return doc_.RedoList(); }
    void BeginUndoBlock() { doc_.UndoList().BeginBlock(); }
    void EndUndoBlock() { doc_.UndoList().EndBlock(); }
    void LockUndo() { state_.LockUndo(); }
    void UnlockUndo() { state_.UnlockUndo(); }
    void ClearUndo() { state_.ClearUndo(); }
    bool CanUndo() const { return state_.CanUndo(); }
    bool CanRedo() const { return state_.CanRedo(); }
    int MaxUndo() const { return doc_.UndoList().MaxUndoActions(); }
    // A value >= 0 goes to both lists; a negative one is ignored.
    void SetMaxUndo(int Value) { state_.SetMaxUndo(Value); }
    bool Modified() const { return settings_.Modified; }
    void SetModified(bool Value) { state_.SetModified(Value); }

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
    bool GetBookMark(int BookMark, int& X, int& Y) const {
        return doc_.Markers().GetBookmark(BookMark, X, Y);
    }
    // A mark that is not a bookmark, drawn with the front end's image list.
    void AddMark(const TSynEditMark& Mark) { doc_.Markers().AddMark(Mark); }
    // Every bookmark and mark (breakpoints and the run's lines stay).
    void ClearMarks() { doc_.Markers().ClearMarks(); }

    // --- Painting -----------------------------------------------------------
    // Paints the part of the window inside the target's clip rectangle.
    void Paint(TSynCanvas& ACanvas) { display_.Paint(ACanvas); }
    // Scroll-bar, caret and status updates wait for the outermost
    // DecPaintLock.
    void IncPaintLock() { status_.IncPaintLock(); }
    void DecPaintLock() { status_.DecPaintLock(); }
    int PaintLockCount() const { return status_.PaintLockCount(); }
    TSynStateFlags StateFlags() const { return status_.Flags(); }

    // Repaint requests for lines FirstLine..LastLine (1-based, either order;
    // -1, -1 for the whole text area). Collected while the lines are changing.
    void InvalidateLines(int FirstLine, int LastLine) {
        view_.InvalidateLines(FirstLine, LastLine);
    }
    void InvalidateGutterLines(int FirstLine, int LastLine) {
        view_.InvalidateGutterLines(FirstLine, LastLine);
    }
    void InvalidateGutter() { view_.InvalidateGutterLines(-1, -1); }
    void InvalidateLine(int Line) { view_.InvalidateLine(Line); }
    void InvalidateSelection() { view_.InvalidateSelection(); }
    void Invalidate() { view_.Invalidate(); }

    // --- Geometry -------------------------------------------------------------
    int TopLine() const { return view_.TopLine(); }
    // Clamped to the text; scrolls the pixels on screen when the distance is
    // below a window height.
    void SetTopLine(int Value) { scroller_.SetTopLine(Value); }
    int LeftChar() const { return view_.LeftChar(); }
    void SetLeftChar(int Value) { scroller_.SetLeftChar(Value); }
    int CharWidth() const { return view_.CharWidth(); }
    int LineHeight() const { return view_.LineHeight(); }
    int GutterWidth() const { return view_.GutterWidth(); }
    // x of the left edge of column 1.
    int TextOffset() const { return view_.TextOffset(); }
    // Whole rows and columns that fit the client area (0 without a window or
    // before the cell size is known).
    int LinesInWindow() const { return view_.LinesInWindow(); }
    int CharsInWindow() const { return view_.CharsInWindow(); }
    // Top-left pixel of a display cell.
    TPoint RowColumnToPixels(const TDisplayCoord& RowCol) const {
        return view_.RowColumnToPixels(RowCol);
    }
    // The cell under a pixel.
    TDisplayCoord PixelsToRowColumn(int X, int Y) const { return view_.PixelsToRowColumn(X, Y); }
    // The cell boundary nearest to a pixel, with Y first limited to the last
    // fully visible row.
    TDisplayCoord PixelsToNearestRowColumn(int X, int Y) const {
        return view_.PixelsToNearestRowColumn(X, Y);
    }

    void RecalcCharExtent() { display_.RecalcCharExtent(); }
    // The client size or the font changed.
    void SizeOrFontChanged(bool FontChanged) { display_.SizeOrFontChanged(FontChanged); }
    void GutterChanged(TObject* Sender) { display_.GutterChanged(Sender); }
    void UpdateScrollBars() { scroller_.UpdateScrollBars(); }
    void EnsureCursorPosVisible() { scroller_.EnsureCursorPosVisible(); }
    // Centred: puts the caret line near the middle of the window.
    void EnsureCursorPosVisibleEx(bool ForceToMiddle) {
        scroller_.EnsureCursorPosVisibleEx(ForceToMiddle);
    }
    // Brings 1-based line Line (clamped to the text) into view without
    // touching the caret: nothing moves while the whole line is in the
    // window; otherwise it goes near the middle, as far as the text allows.
    void ShowLineCentred(int Line) { scroller_.ShowLineCentred(Line); }

    // --- Caret display --------------------------------------------------------
    void InitializeCaret() { caretDisplay_.InitializeCaret(); }
    void UpdateCaret() { caretDisplay_.UpdateCaret(); }
    void HideCaret() { caretDisplay_.HideCaret(); }
    void ShowCaret() { caretDisplay_.ShowCaret(); }

    // --- Highlighter ranges -----------------------------------------------------
    // Rescans from 0-based line Index until a line's range comes out as it
    // was stored; returns the index of the last line scanned.
    int ScanFrom(int Index) { return ranges_.ScanFrom(Index); }
    void ScanRanges() { ranges_.ScanRanges(); }
    // The highlighter's listener: recomputes the cell, makes every range
    // out of date when the sender is the highlighter (else repaints) and
    // relays out.
    void HighlighterAttrChanged(TObject* Sender) { display_.HighlighterAttrChanged(Sender); }

protected:
    // Collects status changes; reported at once unless a paint lock is held.
    void StatusChanged(TSynStatusChanges AChanges) { status_.StatusChanged(AChanges); }
    // One pass over the command hooks (see THookedCommandEvent).
    void NotifyHookedCommandHandlers(bool AfterProcessing, TSynEditorCommand& Command, char& AChar,
                                     void* Data) {
        keys_.NotifyHookedCommandHandlers(AfterProcessing, Command, AChar, Data);
    }
    // Every caret-moving command goes through here: a group break for undo,
    // then the selection is extended from From to To or collapsed at To, and
    // the caret goes to To.
    void MoveCaretAndSelection(const TBufferCoord& From, const TBufferCoord& To, bool Extend) {
        movement_.MoveCaretAndSelection(From, To, Extend);
    }
    void MoveCaretHorz(int DX, bool Extend) { movement_.MoveCaretHorz(DX, Extend); }
    // Rows up (negative) or down, keeping the display column.
    void MoveCaretVert(int DY, bool Extend) { movement_.MoveCaretVert(DY, Extend); }
    void SetGutterWidth(int Value) { display_.SetGutterWidth(Value); }
    // A press moved far enough to become a drag of the selection: hands the
    // selected text to the window's drag, which returns when it is dropped.
    virtual void StartDragSelection() { mouse_.StartDragSelection(); }

private:
    using Reaction = TSynStyleReaction;
    template <class V>
    void SetStyle(V TSynEditStyle::*Field, V Value, Reaction Then = Reaction::None) {
        display_.SetStyle(Field, Value, Then);
    }

    // The units, each built on the ones it needs; a unit may refer to one
    // declared after it, but only uses it once the editor is built.
    TSynEditSettings settings_;
    TSynEditStyle style_;
    TSynDocument doc_;
    TSynHighlighterRanges ranges_{doc_.Lines()};
    TSynViewport view_;
    TSynEditStatus status_{{view_, scroller_, caretDisplay_, *this, this}};
    TSynCaretDisplay caretDisplay_{{doc_, view_, style_, settings_, status_}};
    TSynCaret caret_{{doc_, view_, caretDisplay_, status_, settings_, style_}};
    TSynScroller scroller_{{doc_, view_, caretDisplay_, status_, settings_, style_, *this, this}};
    TSynKeyInput keys_{{status_, *this, this,
                        TSynCommandSlot::Of<&TCustomSynEdit::CommandProcessor>(this),
                        TSynCommandSlot::Of<&TCustomSynEdit::ExecuteCommand>(this)}};
    TSynEditState state_{{doc_, view_, caret_, caretDisplay_, status_, settings_, *this, this}};
    TSynDisplay display_{{doc_, view_, caretDisplay_, status_, scroller_, ranges_, mouse_,
                          settings_, style_, *this, this}};
    TSynUndoApplier undo_{{doc_, editing_, caret_, status_, scroller_, state_, settings_}};
    TSynEditingCommands editing_{
        {doc_, view_, caret_, status_, scroller_, state_, movement_, undo_, settings_}};
    TSynMovement movement_{{doc_, view_, caret_, status_, scroller_, display_, state_, editing_,
                            settings_, TSynCommandSlot::Of<&TCustomSynEdit::ExecuteCommand>(this)}};
    TSynMouseController mouse_{{doc_, view_, caret_, status_, scroller_, movement_, editing_,
                                keys_.KbdHandler(), settings_, *this, this,
                                TMethod<void()>::Of<&TCustomSynEdit::StartDragSelection>(this)}};
    TSynLineReactions lineReactions_{{doc_, view_, caret_, caretDisplay_, status_, scroller_,
                                      display_, state_, ranges_, settings_}};
};

} // namespace marlinet::editor
