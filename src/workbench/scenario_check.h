// Debug > Check with scenario...: runs a scenario file against the program
// in the editor (saved as Run saves it) on a thread of its own, so that the
// window stays responsive; writes PASS or the failure to the console and
// selects the failure's program line. Stop cancels a check.
//
// Window thread only.
#pragma once

#include <memory>
#include <thread>

#include <QObject>
#include <QString>

#include "machine/cancellation.h"
#include "machine/scenario_run.h"

namespace marlinet::workbench {

class TMainForm;

class TScenarioCheck : public QObject {
    Q_OBJECT

public:
    // Adds its command to Form's Debug menu.
    explicit TScenarioCheck(TMainForm& Form);
    // Cancels a check and waits for its thread.
    ~TScenarioCheck() override;

    // The menu command: asks for the scenario file, then Start.
    void CheckWithScenario();
    // Reads the scenario (a mistake in it goes to the console) and starts the
    // check. False when nothing was started: a check runs already, the file
    // is bad, or the program could not be saved.
    bool Start(const QString& ScenarioFile);
    // Stop: the running check ends as failed ("interrupted").
    void Cancel();
    bool IsRunning() const { return thread_.joinable(); }

signals:
    // The verdict has been shown.
    void Finished(bool Passed);

private:
    bool SaveProgram();
    void Show(const machine::Verdict& Verdict);
    void SelectLine(int Line);

    TMainForm& form_;
    QString name_; // the scenario's, for the console
    std::unique_ptr<machine::Cancellation> cancel_;
    std::thread thread_;
};

} // namespace marlinet::workbench
