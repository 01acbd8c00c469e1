// Running programs from the main window: the Debug commands, the editor's
// key-down, closing, and the window side of the execution control, which
// applies on the window thread what the interpreter thread posted.
#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>

#include "editor/qt/synedit.h"
#include "workbench/board_panel.h"
#include "workbench/console.h"
#include "workbench/execution_control.h"
#include "workbench/input_form.h"
#include "workbench/main_form.h"
#include "workbench/main_form_run.h"
#include "workbench/scenario_check.h"
#include "workbench/text.h"
#include "workbench/variables_grid.h"

namespace marlinet::workbench {

void TMainForm::MakeExecution() {
    runWindow_ = std::make_unique<TRunWindow>(*this);
    execution_ = std::make_unique<TExecutionControl>(*runWindow_, Board->Model());
}

basic::RunState TMainForm::RunState() const {
    return execution_->State();
}

void TMainForm::SetRunState(basic::RunState State) {
    execution_->SetState(State);
}

void TMainForm::RunCommand(void (TExecutionControl::*Command)()) {
    (execution_.get()->*Command)();
    // The state the command leaves shows at once; the timer keeps the panel
    // current while a run changes it.
    ShowRunState();
}

void TMainForm::SpeedButton1Click() {
    RunCommand(&TExecutionControl::ResetAndReload);
}

void TMainForm::SpeedButton2Click() {
    RunCommand(&TExecutionControl::Run);
}

void TMainForm::SpeedButton3Click() {
    ScenarioCheck->Cancel();
    RunCommand(&TExecutionControl::Stop);
}

void TMainForm::SpeedButton4Click() {
    RunCommand(&TExecutionControl::Step);
}

void TMainForm::SpeedButton7Click() {
    // What was printed before the click goes with the old console.
    execution_->Flush();
    Console->WriteConsoleBanner();
}

bool TMainForm::RunIsLive() const {
    switch (RunState()) {
    case basic::RunState::Running:
    case basic::RunState::Stopped:
    case basic::RunState::StepRequest:
    case basic::RunState::StopRequest: return true;
    default: return false;
    }
}

void TMainForm::FormClose() {
    // An INPUT dialog still open answers nothing: the run is ending.
    if (InputForm && InputForm->isVisible()) InputForm->done(TInputForm::kStopped);
    execution_->Close();
    statusTimer_.stop();
    ShowRunState();
}

void TMainForm::closeEvent(QCloseEvent* Event) {
    // Exit has asked already and closed the run.
    if (!execution_->IsClosed() && !SaveChangesFirst()) {
        Event->ignore();
        return;
    }
    FormClose();
    QMainWindow::closeEvent(Event);
}

void TMainForm::SelectProgramLine(int Line) {
    // The flat index of the line's first character: every line before it
    // counts its length and two for its line break.
    const editor::TSynEditStringList& lines = SynEdit1->Lines();
    long long start = 0;
    for (int i = 0; i < Line && i < lines.GetCount(); ++i)
        start += static_cast<long long>(lines.GetView(i).size()) + 2;
    programLineStart_ = static_cast<int>(std::min<long long>(start, INT_MAX));
    SynEdit1->SetSelStart(programLineStart_);
    SynEdit1->SetSelLength(1);
    SynEdit1->Core().ShowLineCentred(Line + 1);
}

void TMainForm::LeaveProgramLine() {
    if (SynEdit1->SelStart() == programLineStart_ && SynEdit1->SelLength() == 1)
        SynEdit1->SetSelLength(0);
    programLineStart_ = -1;
}

void TMainForm::LeaveLineSelection() {
    LeaveProgramLine();
    SynEdit1->SetSelectionMode(editor::smNormal);
}

std::optional<std::string> TMainForm::AskInput(TInputMode Mode) {
    InputForm->SetInputMode(Mode);
    InputForm->Edit1->clear();
    int result;
    // An empty answer is never taken: the dialog shows again.
    do {
        result = dialogs_->ExecInput(*InputForm);
    } while (result == TInputForm::kAccepted && InputForm->Edit1->text().isEmpty());
    if (result != TInputForm::kAccepted) return std::nullopt;
    return FromQString(InputForm->Edit1->text());
}

void TMainForm::NameUntitledFile(bool SetCaption) {
    if (!currentFileName_.isEmpty()) return;
    const std::optional<QString> chosen = AskNewFileName();
    // Cancelled: the run goes on without a name, and a changed text then
    // fails to save with the file's error.
    if (!chosen || !Attempt([&] { SaveLinesTo(*chosen); })) return;
    currentFileName_ = *chosen;
    editorFromFile_ = true;
    if (SetCaption) SetCaptionFor(*chosen);
    NoteRecentFile(*chosen);
}

} // namespace marlinet::workbench
