#include "workbench/scenario_check.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

#include "editor/qt/synedit.h"
#include "machine/scenario_reader.h"
#include "workbench/console.h"
#include "workbench/execution_control.h"
#include "workbench/main_form.h"
#include "workbench/text.h"

namespace marlinet::workbench {

TScenarioCheck::TScenarioCheck(TMainForm& Form) : QObject(&Form), form_(Form) {
    form_.DebugMenu->addSeparator();
    QAction* check = form_.DebugMenu->addAction(QStringLiteral("Check with &scenario..."));
    connect(check, &QAction::triggered, this, &TScenarioCheck::CheckWithScenario);
}

TScenarioCheck::~TScenarioCheck() {
    Cancel();
    if (thread_.joinable()) thread_.join();
}

void TScenarioCheck::CheckWithScenario() {
    if (IsRunning()) return;
    const QString file = QFileDialog::getOpenFileName(
        &form_, QStringLiteral("Check with scenario"), QFileInfo(form_.CurrentFileName()).path(),
        QStringLiteral("Scenarios (*.yaml *.yml);;All files (*)"));
    if (!file.isEmpty()) Start(file);
}

bool TScenarioCheck::SaveProgram() {
    // As Run: a changed text is saved and reloaded first (which ends a run
    // of the old text); an untitled one is named first.
    if (form_.CurrentFileName().isEmpty()) form_.Save1Click();
    if (form_.CurrentFileName().isEmpty()) return false;
    return form_.RunState() != basic::RunState::Modified || form_.SaveAndReload();
}

bool TScenarioCheck::Start(const QString& ScenarioFile) {
    if (IsRunning()) return false;
    form_.Execution().Flush();
    auto scenario = std::make_shared<machine::Scenario>();
    try {
        *scenario = machine::read_scenario_file(FromQString(ScenarioFile));
    } catch (const machine::ScenarioError& e) {
        form_.Console->Print(std::string("\r\n") + e.what() + "\r\n");
        return false;
    }
    if (!SaveProgram()) return false;
    name_ = QFileInfo(ScenarioFile).fileName();
    form_.Console->Print("\r\nChecking with " + FromQString(name_) + "...\r\n");
    cancel_ = std::make_unique<machine::Cancellation>();
    thread_ = std::thread([this, scenario, program = form_.Program(), cancel = cancel_.get()] {
        const machine::Verdict verdict = machine::run_scenario(*scenario, program, cancel);
        // Queued to this object: dropped if the window has gone meanwhile.
        QMetaObject::invokeMethod(
            this, [this, verdict] { Show(verdict); }, Qt::QueuedConnection);
    });
    return true;
}

void TScenarioCheck::Cancel() {
    if (cancel_) cancel_->request();
}

void TScenarioCheck::Show(const machine::Verdict& Verdict) {
    if (thread_.joinable()) thread_.join();
    form_.Execution().Flush();
    const std::string name = FromQString(name_);
    form_.Console->Print(Verdict.passed ? "PASS " + name + "\r\n"
                                        : "FAIL " + name + ": " + Verdict.message + "\r\n");
    if (!Verdict.passed && Verdict.program_line > 0) SelectLine(Verdict.program_line);
    emit Finished(Verdict.passed);
}

void TScenarioCheck::SelectLine(int Line) {
    form_.SynEdit1->Core().SelectProgramLineText(support::TProgramLine{Line});
}

} // namespace marlinet::workbench
