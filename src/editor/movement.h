// TSynMovement: the commands that do not change the text — caret movement
// that extends or collapses the selection, word positions, selecting a word
// or everything, modes and scrolling keys — and the dispatch of every
// command to them, to the bookmark keys or to the editing commands.
#pragma once

#include "editor/document.h"
#include "editor/edit_settings.h"
#include "support/program_line.h"

namespace marlinet::editor {

class TSynViewport;
class TSynCaret;
class TSynEditStatus;
class TSynScroller;
class TSynDisplay;
class TSynEditState;
class TSynEditingCommands;

struct TSynMovementContext {
    TSynDocument& Doc;
    TSynViewport& View;
    TSynCaret& Caret;
    TSynEditStatus& Status;
    TSynScroller& Scroller;
    TSynDisplay& Display;
    TSynEditState& State;
    TSynEditingCommands& Editing;
    const TSynEditSettings& Settings;
    // The editor's ExecuteCommand, which the bookmark jumps go through.
    TSynCommandSlot Execute;
};

class TSynMovement {
public:
    explicit TSynMovement(const TSynMovementContext& Context) : ctx_(Context) {}
    TSynMovement(const TSynMovement&) = delete;
    TSynMovement& operator=(const TSynMovement&) = delete;

    // One command under a paint lock. Data of ecGotoXY/ecSelGotoXY points to
    // a TBufferCoord.
    void Execute(TSynEditorCommand Command, char AChar, void* Data);

    // Every caret-moving command goes through here: a group break for undo,
    // then the selection is extended from From to To or collapsed at To, and
    // the caret goes to To.
    void MoveCaretAndSelection(const TBufferCoord& From, const TBufferCoord& To, bool Extend);
    void MoveCaretHorz(int DX, bool Extend);
    // Rows up (negative) or down, keeping the display column.
    void MoveCaretVert(int DY, bool Extend);

    // The highlighter's identifier characters minus its word-break
    // characters; letters, digits and '_' without a highlighter.
    bool IsWordChar(char C) const;
    TBufferCoord NextWordPos() const;
    TBufferCoord PrevWordPos() const;
    // Selects the word at P (the highlighter's word characters).
    void SetWordBlock(const TBufferCoord& P);
    void SelectAll();

    // The line a run is at (see TCustomSynEdit).
    void ShowProgramLine(support::TProgramLine Line);
    bool ShowsProgramLine(support::TProgramLine Line) const;
    void SelectProgramLineText(support::TProgramLine Line);

private:
    void ExecuteMovement(TSynEditorCommand Command, void* Data);
    void ScrollCaretIntoWindow(TSynEditorCommand Command);
    void DoLineEnd(bool Extend);

    TSynMovementContext ctx_;
};

} // namespace marlinet::editor
