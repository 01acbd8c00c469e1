// What the editor's keys, mouse presses and text changes mean to a run and
// to the caption.
//
// Only a command that changes the text ends a run (state Modified): the
// editor's command hooks bracket every command, and its change event says
// whether the text changed in between. Movement, selection, Copy and keys
// without a command leave a running or paused program alone. Before a
// command that may edit, the editor leaves whole-line selection (the shown
// line is a one-character selection, which the command would replace); when
// the command changed nothing after all, the line is shown again.
#include "editor/qt/synedit.h"
#include "workbench/execution_control.h"
#include "workbench/main_form.h"

namespace marlinet::workbench {

namespace {

// Commands from ecDeleteLastChar on edit the text (the editor numbers them
// together), as does commenting lines; commands of the editor's owner may too.
bool MayEdit(editor::TSynEditorCommand Command) {
    return Command >= editor::ecDeleteLastChar || Command == editor::ecCommentBlock;
}

} // namespace

void TMainForm::WatchEditor() {
    editor::TCustomSynEdit& core = SynEdit1->Core();
    core.OnKeyDown = editor::TKeyEvent::Of<&TMainForm::EditorKeyDown>(this);
    core.OnChange = editor::TNotifyEvent::Of<&TMainForm::EditorChanged>(this);
    core.KbdHandler().AddMouseDownHandler(
        editor::TMouseEvent::Of<&TMainForm::EditorMouseDown>(this));
    core.RegisterCommandHandler(editor::THookedCommandEvent::Of<&TMainForm::EditorCommand>(this),
                                nullptr);
}

void TMainForm::SynEdit1KeyDown() {
    RunCommand(&TExecutionControl::EditorKeyDown);
}

// Whole-line selection serves a run; once none is live, the user's first
// key or click in the editor selects by characters again.
void TMainForm::EditorKeyDown(editor::TObject*, std::uint16_t&, editor::TShiftState) {
    if (!RunIsLive()) LeaveLineSelection();
}

void TMainForm::EditorMouseDown(editor::TObject*, editor::TMouseButton, editor::TShiftState, int,
                                int) {
    if (!RunIsLive()) LeaveLineSelection();
}

void TMainForm::EditorCommand(editor::TObject*, bool AfterProcessing, bool&,
                              editor::TSynEditorCommand& Command, char&, void*, void*) {
    if (!AfterProcessing) {
        commandRunning_ = true;
        commandChangedText_ = false;
        leftForCommand_.reset();
        if (!MayEdit(Command) || SynEdit1->SelectionMode() != editor::smLine) return;
        // What the run has shown so far comes before the edit.
        execution_->Flush();
        leftForCommand_ = TLineSelection{SynEdit1->SelectionMode(), shownLine_};
        LeaveLineSelection();
        return;
    }
    commandRunning_ = false;
    if (commandChangedText_) {
        SynEdit1KeyDown();
        return;
    }
    const std::optional<TLineSelection> left = std::exchange(leftForCommand_, std::nullopt);
    if (!left) return;
    SynEdit1->SetSelectionMode(left->Mode);
    // Shown again only where the command left the caret: one that selected
    // something else keeps its selection.
    editor::TCustomSynEdit& core = SynEdit1->Core();
    if (left->Shown.IsLine() && !core.SelAvail() &&
        core.CaretXY() == editor::TBufferCoord{1, left->Shown.Number}) {
        core.ShowProgramLine(left->Shown);
        shownLine_ = left->Shown;
    }
}

void TMainForm::EditorChanged(editor::TObject*) {
    if (commandRunning_) commandChangedText_ = true;
    UpdateCaption();
}

} // namespace marlinet::workbench
