// The main window's side of the execution control (TMainForm::TRunWindow):
// the program source the control takes programs from, and the view it shows
// runs in. Private to the main window's sources.
#pragma once

#include <QCheckBox>

#include "editor/qt/synedit.h"
#include "workbench/board_panel.h"
#include "workbench/console.h"
#include "workbench/debugger_commands.h"
#include "workbench/execution_control.h"
#include "workbench/input_form.h"
#include "workbench/main_form.h"
#include "workbench/text.h"
#include "workbench/variables_grid.h"

namespace marlinet::workbench {

// Every member but WakeWindow runs on the window thread.
class TMainForm::TRunWindow final : public TProgramSource, public TRunView {
public:
    explicit TRunWindow(TMainForm& Form) : form_(Form) {}

    // ---- the program source ----
    void NameUntitledFile(bool SetCaption) override { form_.NameUntitledFile(SetCaption); }
    TProgramSnapshot Snapshot() const override {
        return {form_.program_, FromQString(form_.currentFileName_),
                form_.Debugger->EnabledBreakpoints(), CaretLine()};
    }
    std::optional<TProgramSnapshot> SaveAndReload() override {
        const TProgramLine caret = CaretLine();
        // The text just saved is what the editor shows: it keeps its view.
        if (!form_.Attempt([this] {
                form_.SaveLinesTo(form_.currentFileName_);
                form_.LoadProgramFrom(form_.currentFileName_, TEditorLoad::UnlessSame);
            }))
            return std::nullopt;
        TProgramSnapshot snapshot = Snapshot();
        snapshot.CaretLine = caret;
        return snapshot;
    }
    TProgramLine CaretLine() const override {
        return TProgramLine{form_.SynEdit1->Core().CaretY()};
    }

    // ---- the run view ----
    void WakeWindow() override {
        // Queued: runs on the window thread once it is back in its event loop.
        QMetaObject::invokeMethod(
            &form_, [form = &form_] { form->execution_->Deliver(); }, Qt::QueuedConnection);
    }
    void Started() override { form_.StringGrid1->ResetVariables(); }
    void Show(const machine::IoEvent& Event) override { form_.ShowRunEvent(Event); }
    void ShowAdcText(const AdcReading& Reading) override {
        form_.Board->ShowTrimmedAdcText(Reading);
    }
    std::optional<std::string> AskInput(TInputMode Mode) override { return form_.AskInput(Mode); }
    void Paused(const TRunPause& Pause) override {
        form_.ShowRunStop(Pause);
        form_.Debugger->Paused(Pause);
    }
    void Ended(const TVariableValues& Variables) override {
        form_.StringGrid1->RefreshGrid(Variables);
        form_.StringGrid1->ClearMarks();
    }
    void Failed(const TRunPause& Pause) override {
        form_.ShowRunStop(Pause);
        form_.Debugger->Failed(Pause);
    }
    void ShowStatus(std::string_view Text) override { form_.SetErrorText(ToQString(Text)); }
    void FocusConsole() override { form_.Console->setFocus(Qt::OtherFocusReason); }
    void Resuming() override {
        // Whole lines while the program runs; the paused line shown until
        // now goes, since the program runs on from it.
        form_.LeaveProgramLine();
        form_.SynEdit1->SetSelectionMode(editor::smLine);
        form_.StringGrid1->ClearMarks();
        form_.Debugger->RunMarksGone();
    }
    void Editing() override {
        form_.LeaveLineSelection();
        form_.Debugger->RunMarksGone();
    }
    void ResetBoard() override {
        form_.Board->ResetBoard();
        form_.StringGrid1->ClearMarks();
    }

private:
    TMainForm& form_;
};

} // namespace marlinet::workbench
