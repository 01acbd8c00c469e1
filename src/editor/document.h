// TSynDocument: the editor's model. It holds the text (the line store), the
// caret, the selection, the undo and redo lists and the markers on the
// lines, and answers every question that can be answered from them alone:
// position conversions, character indices, what is selected. Only the
// marker set has listeners of its own. The caret and selection rules live
// here too: the operations clamp what they are given and report what
// changed, and the caller (TSynCaret) tells the view and the window.
//
// Units: TBufferCoord is 1-based (X character, Y line); line store indices
// are 0-based; flat character indices count every line break as two
// characters.
#pragma once

#include <string>

#include "editor/markers.h"
#include "editor/string_list.h"
#include "editor/types.h"
#include "editor/undo.h"

namespace marlinet::editor {

// What a change of the selection needs repainted: lines First..Last (either
// order) when Repaint.
struct TSynSelectionChange {
    bool Changed = false;
    bool Repaint = false;
    int First = 0;
    int Last = 0;
};

class TSynDocument {
public:
    TSynDocument() = default;
    TSynDocument(const TSynDocument&) = delete;
    TSynDocument& operator=(const TSynDocument&) = delete;

    TSynEditStringList& Lines() { return lines_; }
    const TSynEditStringList& Lines() const { return lines_; }
    TSynEditUndoList& UndoList() { return undoList_; }
    const TSynEditUndoList& UndoList() const { return undoList_; }
    TSynEditUndoList& RedoList() { return redoList_; }
    const TSynEditUndoList& RedoList() const { return redoList_; }
    // Bookmarks, breakpoints, the execution point and the error line; they
    // follow their lines as the editor passes the line store's events on.
    TSynMarkerSet& Markers() { return markers_; }
    const TSynMarkerSet& Markers() const { return markers_; }

    // --- Caret and selection state (stored as given; callers clamp) ---------
    TBufferCoord Caret() const { return caret_; }
    void StoreCaret(const TBufferCoord& Value) { caret_ = Value; }
    // Display column the caret keeps when moving up and down.
    int LastCaretX() const { return lastCaretX_; }
    void StoreLastCaretX(int Value) { lastCaretX_ = Value; }
    // The two block ends in the order they were set; equal means no selection.
    TBufferCoord BlockBegin() const { return blockBegin_; }
    TBufferCoord BlockEnd() const { return blockEnd_; }
    void StoreBlock(const TBufferCoord& Begin, const TBufferCoord& End) {
        blockBegin_ = Begin;
        blockEnd_ = End;
    }
    // The mode for new selections, and the mode of the current one.
    TSynSelectionMode SelectionMode() const { return selectionMode_; }
    void StoreSelectionMode(TSynSelectionMode Value) { selectionMode_ = Value; }
    TSynSelectionMode ActiveSelectionMode() const { return activeSelectionMode_; }
    void StoreActiveSelectionMode(TSynSelectionMode Value) { activeSelectionMode_ = Value; }

    // --- Caret and selection rules -------------------------------------------
    // Y to 1..RowCount, X to 1..MaxScrollWidth + 1 (to the line end + 1
    // without PastEol).
    TBufferCoord ClampCaret(TBufferCoord P, bool PastEol, int MaxScrollWidth) const;
    // Stores the clamped caret and the display column it keeps; reports
    // scCaretX / scCaretY for what moved.
    TSynStatusChanges MoveCaret(const TBufferCoord& P, bool PastEol, int MaxScrollWidth);
    void UpdateLastCaretX() { lastCaretX_ = BufferToDisplayPos(caret_).Column; }
    // A block end: Y to the rows, X to MaxScrollWidth + 1, and to the line
    // end + 1 in Mode smNormal.
    TBufferCoord ClampBlockEnd(TBufferCoord P, TSynSelectionMode Mode, int MaxScrollWidth) const;
    // Both ends to P (clamped); the active mode becomes SelectionMode. The
    // old selection repaints.
    TSynSelectionChange SetBlockBegin(const TBufferCoord& P, int MaxScrollWidth);
    // The second end to P (clamped); the active mode becomes SelectionMode.
    TSynSelectionChange SetBlockEnd(const TBufferCoord& P, int MaxScrollWidth);
    // Sets the mode for new selections and the active one; true when it
    // changed (the selection then repaints).
    bool SetSelectionMode(TSynSelectionMode Value);
    bool SetActiveSelectionMode(TSynSelectionMode Value);
    // Selects From..To in Mode, clamped as block ends of that mode.
    void Select(TSynSelectionMode Mode, const TBufferCoord& From, const TBufferCoord& To,
                int MaxScrollWidth);

    // --- Questions ------------------------------------------------------------
    // Length of a 1-based line; 0 outside the text.
    int LineLength(int Line) const { return static_cast<int>(lines_.GetView(Line - 1).size()); }
    int LineEndColumn(int Line) const { return LineLength(Line) + 1; }
    // Line count, but 1 for an empty text, which still shows one line.
    int RowCount() const { return lines_.Count() > 0 ? lines_.Count() : 1; }

    TDisplayCoord BufferToDisplayPos(const TBufferCoord& P) const;
    // A column inside a tab's cells gives that tab; columns past the line end
    // give positions past it, one per column.
    TBufferCoord DisplayToBufferPos(const TDisplayCoord& P) const;
    // Past the end of the text: column 1 of the line after the last.
    TBufferCoord CharIndexToRowCol(int Index) const;
    int RowColToCharIndex(const TBufferCoord& RowCol) const;

    // A selection exists when the ends differ in X, or in Y outside column
    // mode.
    bool SelAvail() const;
    // The selection's ends in text order.
    TBufferCoord SelectionFirst() const { return std::min(blockBegin_, blockEnd_); }
    TBufferCoord SelectionLast() const { return std::max(blockBegin_, blockEnd_); }
    // Whether P lies inside the selection as its mode shapes it.
    bool InSelection(const TBufferCoord& P) const;
    int SelStart() const;
    int SelLength() const;
    std::string GetSelText() const;

private:
    TSynEditStringList lines_;
    TSynEditUndoList undoList_;
    TSynEditUndoList redoList_;
    TSynMarkerSet markers_{lines_};
    TBufferCoord caret_;
    int lastCaretX_ = 1;
    TBufferCoord blockBegin_;
    TBufferCoord blockEnd_;
    TSynSelectionMode selectionMode_ = smNormal;
    TSynSelectionMode activeSelectionMode_ = smNormal;
};

} // namespace marlinet::editor
