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
//
// The hooks run inside the editor's key handling, after it translated the
// key. They change selection modes and tell the run at once, but deliver
// nothing there: what the run posted (output, a pause, an INPUT request)
// is applied once the key event is over, when the run already knows it must
// end, so no pause is shown on the edited text and no dialog opens in the
// middle of a key.
#include <utility>

#include <QMetaObject>

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
// click or command in the editor selects by characters again.
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
        if (!RunIsLive()) LeaveLineSelection();
        if (!MayEdit(Command) || SynEdit1->SelectionMode() != editor::smLine) return;
        leftForCommand_ = TLineSelection{SynEdit1->SelectionMode(), shownLine_};
        LeaveLineSelection();
        return;
    }
    commandRunning_ = false;
    if (commandChangedText_) {
        EditedDuringCommand();
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

void TMainForm::EditedDuringCommand() {
    execution_->EditorEdited();
    if (std::exchange(editToShow_, true)) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            editToShow_ = false;
            if (execution_->IsClosed()) return;
            RunCommand(&TExecutionControl::ShowEdited);
        },
        Qt::QueuedConnection);
}

void TMainForm::EditorChanged(editor::TObject*) {
    if (commandRunning_) commandChangedText_ = true;
    UpdateCaption();
}

} // namespace marlinet::workbench
