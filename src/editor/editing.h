// The commands that change the text: typing, line breaks, deletions, block
// indent, case changes and comments, find and replace, replacing the
// selection, the clipboard and dropping dragged text.
// Every change is worked out first (TSynTextChanger), carried out in one
// step on the lines, then recorded for undo; recording follows the change,
// so a change that fails leaves no item behind.
//
// The units: editing.cpp (dispatch, replacing the selection, undo
// bookkeeping), editing_typing.cpp (characters and line breaks),
// editing_delete.cpp (deletions), editing_block.cpp (indent, clipboard,
// drop), editing_case.cpp (case changes, comments and rewriting lines as one
// step), editing_search.cpp (find, replace, go to line). Undo and redo themselves are
// TSynUndoApplier (undo_apply.h).
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/caret.h"
#include "editor/commands.h"
#include "editor/document.h"
#include "editor/edit_settings.h"
#include "editor/search.h"
#include "editor/text_case.h"
#include "editor/text_change.h"
#include "editor/undo.h"

namespace marlinet::editor {

struct TSynClipboardData;
class TSynViewport;
class TSynEditStatus;
class TSynScroller;
class TSynEditState;
class TSynMovement;
class TSynUndoApplier;

// How a drop would be carried out: nothing, a copy, or a move of the text.
enum class TSynDropEffect : std::uint8_t { None, Copy, Move };

// The editor's block format on the clipboard: one byte of selection mode,
// the text, a terminating zero.
std::string EncodeClipboardBlock(TSynSelectionMode Mode, std::string_view Text);
// Reads a block: false when it holds no valid mode. The text ends at the
// first zero or at the end of the data, whichever comes first.
bool DecodeClipboardBlock(std::string_view Block, TSynSelectionMode& Mode, std::string& Text);

struct TSynEditingContext {
    TSynDocument& Doc;
    TSynViewport& View;
    TSynCaret& Caret;
    TSynEditStatus& Status;
    TSynScroller& Scroller;
    TSynEditState& State;
    TSynMovement& Movement;
    TSynUndoApplier& Undo;
    const TSynEditSettings& Settings;
};

class TSynEditingCommands {
public:
    explicit TSynEditingCommands(const TSynEditingContext& Context) : ctx_(Context) {}
    TSynEditingCommands(const TSynEditingCommands&) = delete;
    TSynEditingCommands& operator=(const TSynEditingCommands&) = delete;

    // The text-changing commands, ecCopy and undo/redo; others are ignored.
    void Execute(TSynEditorCommand Command, char AChar);

    // Replaces the selection by Value as one undo block.
    void SetSelText(std::string_view Value);
    bool SelAvail() const { return ctx_.Doc.SelAvail(); }
    std::string SelText() const { return ctx_.Doc.GetSelText(); }
    // The selection as the clipboard and a drag carry it: its text and the
    // editor's block.
    TSynClipboardData SelectionData() const;
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    // Drops Text at the text position At: a move or copy of this editor's
    // selection (Source is this editor's editing), or text from another
    // editor (its editing, which loses its selection in a move) or from
    // elsewhere (null). Answers what was done.
    TSynDropEffect Drop(TSynEditingCommands* Source, std::string_view Text, TSynDropEffect Effect,
                        TBufferCoord At);

    // --- Find and replace (editing_search.cpp) ---
    // Selects the next match after the selection (Backwards: the previous
    // one before it), or from the caret without one, and scrolls it into
    // view, centred when it was out of sight. The selection is a normal one
    // whatever SelectionMode says; an empty match leaves only the caret.
    TSynSearchResult Find(TSynSearch& Search, bool Backwards, bool Wrap);
    // The same from a given position (a search as one types goes on from
    // where its last match starts).
    TSynSearchResult FindFrom(TSynSearch& Search, TBufferCoord From, bool Backwards, bool Wrap);
    // Replaces the current match, the selection on one line (the caret
    // without one, for an empty match), when it is a match; one undo step,
    // the caret after the replacement. Count 0: it was no match.
    TSynReplaceResult ReplaceCurrent(TSynSearch& Search, std::string_view Replacement);
    // Replaces every match in the selection when it spans lines, else in
    // the whole text, as one undo step that also restores caret and
    // selection. A faulty replacement or a match that gives up changes
    // nothing and is reported.
    TSynReplaceResult ReplaceAll(TSynSearch& Search, std::string_view Replacement);
    // Caret to the start of 1-based Line (clamped to the text), scrolled
    // into view and centred when it was out of sight.
    void GotoLine(int Line);

    // --- Shared with the undo applier ---
    // Whether lines are stored trimmed (eoTrimTrailingSpaces).
    bool Trim() const;
    // Builds changes as commands make them (Trim), or untrimmed, as undo
    // makes them to put back exactly what was there.
    TSynTextChanger Changer(bool Trim) const;
    TSynTextChanger Changer() const { return Changer(Trim()); }
    // Carries Change out on the lines (nothing for an empty change).
    void Commit(TSynLineChange Change);
    // Caret to P; the selection collapses there, keeping the active mode.
    void CollapseAt(const TBufferCoord& P) { ctx_.Caret.CollapseAt(P); }
    // Selects From..To in Mode, caret at Caret.
    void Select(TSynSelectionMode Mode, const TBufferCoord& From, const TBufferCoord& To,
                const TBufferCoord& Caret) {
        ctx_.Caret.Select(Mode, From, To, Caret);
    }

private:
    // Opens an undo block for its lifetime.
    class UndoBlock {
    public:
        explicit UndoBlock(TSynEditUndoList& List)
            : list_(List), exceptions_(std::uncaught_exceptions()) {
            list_.BeginBlock();
        }
        // Closing notifies the editor, whose listeners may throw; a block
        // closed while a failure is already on its way out swallows theirs.
        ~UndoBlock() noexcept(false);
        UndoBlock(const UndoBlock&) = delete;
        UndoBlock& operator=(const UndoBlock&) = delete;

    private:
        TSynEditUndoList& list_;
        int exceptions_;
    };

    void Record(TSynChangeReason Reason, const TBufferCoord& Start, const TBufferCoord& End,
                const std::string& Text, TSynSelectionMode Mode);
    // Commit for a command that cuts lines at Cuts, recording (before the
    // change itself, in the caller's undo block) the white space the change
    // adds or drops around a cut, which undo, restoring lines untrimmed,
    // must take away or give back: the blanks that pad a line up to a cut
    // past its end (crWhiteSpaceAdd, as typing there records them), and
    // tabs that storing the line trimmed drops left of its cut once nothing
    // follows it (undo pads with blanks there; the item replaces them).
    void Commit(TSynLineChange Change, const std::vector<TBufferCoord>& Cuts);
    // Commits a change and records it as the whole lines it rewrites, with
    // their old text, so that undo puts them back exactly (column blocks).
    void CommitWholeLines(TSynLineChange Change, TSynChangeReason Reason);
    // Deletes the selection in its own mode (recorded as Reason) and inserts
    // Text at its begin in InsertMode (recorded as InsertReason); answers
    // where the inserted text ends.
    TBufferCoord ReplaceSelection(std::string_view Text, TSynChangeReason Reason,
                                  TSynChangeReason InsertReason, TSynSelectionMode InsertMode);
    void DeleteSelection(TSynChangeReason Reason);
    void DeleteColumnBlock(TBufferCoord Begin, TBufferCoord End, TSynChangeReason Reason);
    // Inserts Text at At and records it; answers where it ends.
    TBufferCoord InsertRecorded(TSynSelectionMode Mode, TBufferCoord At, std::string_view Text,
                                TSynChangeReason Reason);
    // Deletes From..To (normal mode) and records it as Reason.
    void DeleteRecorded(TBufferCoord From, TBufferCoord To, TSynChangeReason Reason);

    // editing_typing.cpp
    void TypeChar(char C);
    void TypeAtCaret(char C);
    void LineBreak(bool MoveCaret);
    void KeepCaretInWindow();

    // editing_delete.cpp
    void DeleteLastChar();
    void DeleteChar();
    void DeleteWord();
    void DeleteLastWord();
    void DeleteBOL();
    void DeleteEOL();
    void DeleteLine();
    void ClearAll();

    // editing_case.cpp
    // ecUpperCase and its kin: the selection, or without one (WordAtCaret)
    // the word at or just before the caret.
    void ChangeCase(TSynCaseChange How, bool WordAtCaret);
    // Puts "REM " in front of the selected lines (the caret line without a
    // selection), or takes it away when they all have it; empty lines are
    // left alone unless there are only empty lines.
    void CommentBlock();
    // Where the caret and the selection are, as undo puts them back.
    struct Placement {
        bool Selected = false;
        TSynSelectionMode Mode = smNormal;
        TBufferCoord Begin, End, Caret;
    };
    Placement CurrentPlacement() const;
    void Place(const Placement& P);
    // Records the caret and the selection, so that undo (and redo) put
    // them back: a crSelection with one, a crCaret without.
    void RecordPlacement();
    // A group break, so that the next step does not run into an earlier one.
    void BreakGroup();
    // New text for some lines (1-based, ascending; a text may hold line
    // breaks), as one undo step that also puts back the caret and
    // selection; After is where they go.
    void RewriteLines(std::vector<std::pair<int, std::string>> Changed, const Placement& After);
    // The lines a line's new text makes: one at least, even for no text.
    static std::vector<std::string_view> LinesOf(std::string_view Text);

    // editing_block.cpp
    void BlockIndent();
    void BlockUnindent();
    // The selection a block command works on, and its lines (First..Last,
    // 1-based): without a last line selected only up to column 1. False
    // when there is none.
    struct Block {
        TSynSelectionMode Mode = smNormal;
        TBufferCoord Begin, End;
        int First = 0, Last = 0;
    };
    bool SelectedBlock(Block& B) const;
    // Bytes [From, To) (0-based) of a 1-based line.
    struct Span {
        int Line = 0;
        int From = 0;
        int To = 0;
    };
    // The part of each line the selection covers, as its mode shapes it,
    // without a last line selected only up to column 1.
    std::vector<Span> SelectedSpans() const;

    TSynEditingContext ctx_;
};

} // namespace marlinet::editor
