// Running programs from the main window: the Debug commands, the editor's
// key-down, closing, and the window side of the execution control, which
// applies on the window thread what the interpreter thread posted.
#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>

#include <type_traits>
#include <variant>

#include "editor/qt/synedit.h"
#include "workbench/board_panel.h"
#include "workbench/console.h"
#include "workbench/debugger_commands.h"
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
    execution_ = std::make_unique<TExecutionControl>(*runWindow_, *runWindow_, Board->Model());
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
    Debugger->StorePending();
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

void TMainForm::ShowRunEvent(const machine::IoEvent& Event) {
    using namespace machine::io;
    std::visit(
        [this](const auto& What) {
            using T = std::decay_t<decltype(What)>;
            if constexpr (std::is_same_v<T, Print>) {
                Console->Print(What.text);
            } else if constexpr (std::is_same_v<T, Lamp>) {
                What.on ? Board->SetOutput(What.output) : Board->ClearOutput(What.output);
            } else if constexpr (std::is_same_v<T, Dac>) {
                Board->WriteDac(What.value);
            } else if constexpr (std::is_same_v<T, AdcSelect>) {
                Board->ShowAdcSelection();
            } else if constexpr (std::is_same_v<T, InputAnswer>) {
                Board->InputBox(TBoardModel::kRxBit)->setChecked(false);
            }
        },
        Event.what);
}

void TMainForm::ShowRunStop(const TRunPause& Pause) {
    shownLine_ = Pause.Line;
    SynEdit1->Core().ShowProgramLine(Pause.Line);
    StringGrid1->ShowPause(Pause.Variables);
}

void TMainForm::LeaveProgramLine() {
    if (SynEdit1->Core().ShowsProgramLine(shownLine_)) SynEdit1->SetSelLength(0);
    shownLine_ = {};
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
