// The main window's side of the execution control (TMainForm::TRunWindow).
// Private to the main window's sources.
#pragma once

#include <QCheckBox>

#include "editor/qt/synedit.h"
#include "workbench/board_panel.h"
#include "workbench/console.h"
#include "workbench/execution_control.h"
#include "workbench/input_form.h"
#include "workbench/main_form.h"
#include "workbench/text.h"
#include "workbench/variables_grid.h"

namespace marlinet::workbench {

// The execution control's view of the window. Every member but WakeWindow
// runs on the window thread.
class TMainForm::TRunWindow final : public TExecutionWindow {
public:
    explicit TRunWindow(TMainForm& Form) : form_(Form) {}

    void WakeWindow() override {
        // Queued: runs on the window thread once it is back in its event loop.
        QMetaObject::invokeMethod(
            &form_, [form = &form_] { form->execution_->Deliver(); }, Qt::QueuedConnection);
    }

    void Print(std::string_view Text) override { form_.Console->Print(Text); }
    void SetOutput(int Output) override { form_.Board->SetOutput(Output); }
    void ClearOutput(int Output) override { form_.Board->ClearOutput(Output); }
    void WriteDac(std::int16_t Value) override { form_.Board->WriteDac(Value); }
    void ShowAdcSelection() override { form_.Board->ShowAdcSelection(); }
    void ShowTrimmedAdcText(const AdcReading& Reading) override {
        form_.Board->ShowTrimmedAdcText(Reading);
    }
    void ResetVariables() override { form_.StringGrid1->ResetVariables(); }
    void RefreshGrid(const TVariableValues& Values) override {
        form_.StringGrid1->RefreshGrid(Values);
    }
    void SelectLine(int Line) override { form_.SelectProgramLine(Line); }
    std::optional<std::string> AskInput(TInputMode Mode) override { return form_.AskInput(Mode); }
    void ClearRxBit() override { form_.Board->InputBox(TBoardModel::kRxBit)->setChecked(false); }

    void SetErrorText(std::string_view Text) override { form_.SetErrorText(ToQString(Text)); }
    void FocusConsole() override { form_.Console->setFocus(Qt::OtherFocusReason); }
    void SetLineSelection(bool WholeLines) override {
        // Whole lines at Run and Step: a paused line shown until now goes,
        // since the program runs on from it.
        form_.LeaveProgramLine();
        form_.SynEdit1->SetSelectionMode(WholeLines ? editor::smLine : editor::smNormal);
    }
    void ResetBoard() override { form_.Board->ResetBoard(); }
    void NameUntitledFile(bool SetCaption) override { form_.NameUntitledFile(SetCaption); }
    bool SaveAndLoad() override {
        // The text just saved is what the editor shows: it keeps its view.
        return form_.Attempt([this] {
            form_.SaveLinesTo(form_.currentFileName_);
            form_.LoadProgramFrom(form_.currentFileName_, TEditorLoad::UnlessSame);
        });
    }
    const basic::ProgramBuffer& Program() const override { return form_.program_; }

private:
    TMainForm& form_;
};

} // namespace marlinet::workbench
