// Renders the main window and the About box into PNG files:
//   workbench_snapshot [DIR]
// writes, into DIR (the build folder by default):
//   workbench_startup.png  the window as it opens
//   workbench_program.png  with examples/blink.bas opened
//   workbench_board.png    lamps 1 and 3 on, ADC2 selected, a DAC value,
//                          console output and refreshed variables
//   workbench_about.png    the About box
//   workbench_paused.png   a run paused at a STOP: the line highlighted, the
//                          grid filled, lamps lit, console output, "Stopped"
//   workbench_input_value.png, workbench_input_key.png
//                          the INPUT dialog asking for a value and for a key
//   workbench_error.png    an error in the console and in status panel 2
#include <cstdio>
#include <fstream>
#include <functional>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>

#include "editor/qt/synedit.h"
#include "snapshot_main.h"
#include "workbench/board_panel.h"
#include "workbench/console.h"
#include "workbench/execution_control.h"
#include "workbench/input_form.h"
#include "workbench/main_form.h"
#include "workbench/variables_grid.h"

namespace {

using namespace marlinet::workbench;

bool Save(QWidget& widget, const QString& path) {
    if (auto* form = qobject_cast<TMainForm*>(&widget)) form->ShowRunState();
    return marlinet::testing::SaveSnapshot(widget, path);
}

// Runs the event loop until Done holds (at most five seconds).
bool Until(const std::function<bool()>& Done) {
    QElapsedTimer timer;
    timer.start();
    while (!Done() && timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return Done();
}

// Answers the open dialog with the next file (the example first), grabs the
// About box instead of waiting for a click, and grabs the INPUT dialog before
// answering it.
class TSnapshotDialogs : public TWorkbenchDialogs {
public:
    explicit TSnapshotDialogs(QString dir) : dir_(std::move(dir)) {}
    std::optional<QString> AskOpenFileName(QWidget*, const QString&) override { return openNext; }
    std::optional<QString> AskSaveFileName(QWidget*, const QString&) override {
        return std::nullopt;
    }
    bool ConfirmReplace(QWidget*, const QString&) override { return false; }
    std::optional<int> AskLineNumber(QWidget*, int, int) override { return std::nullopt; }
    TSaveChoice AskSaveChanges(QWidget*, const QString&) override { return TSaveChoice::Discard; }
    void ShowError(QWidget*, const QString& message) override {
        std::fprintf(stderr, "workbench_snapshot: %s\n", qPrintable(message));
        failed = true;
    }
    int ExecModal(QDialog& dialog) override {
        dialog.show();
        failed = !Save(dialog, dir_ + "/workbench_about.png") || failed;
        dialog.hide();
        return QDialog::Accepted;
    }
    int ExecInput(TInputForm& form) override {
        const bool key = form.InputMode() == TInputMode::Key;
        form.show();
        if (!key) form.Edit1->setText(QStringLiteral("42"));
        failed =
            !Save(form, dir_ + (key ? "/workbench_input_key.png" : "/workbench_input_value.png")) ||
            failed;
        form.hide();
        form.Edit1->setText(key ? QStringLiteral("y") : QStringLiteral("42"));
        return TInputForm::kAccepted;
    }
    QAction* ExecMenu(QMenu&, const QPoint&) override { return nullptr; }
    std::optional<QString> AskBreakpointCondition(QWidget*, int, const QString&) override {
        return condition;
    }
    std::optional<int> AskBreakpointHitCount(QWidget*, int, int) override { return {}; }
    QString openNext = QStringLiteral(MARLINET_SOURCE_DIR "/examples/blink.bas");
    std::optional<QString> condition;
    bool failed = false;

private:
    QString dir_;
};

// Writes Program into the output folder and opens it.
void OpenProgram(TMainForm& form, TSnapshotDialogs& dialogs, const QString& dir, const char* name,
                 const char* program) {
    const QString file = dir + "/" + name;
    std::ofstream(file.toStdString(), std::ios::binary) << program;
    dialogs.openNext = file;
    form.Fileopen1Click();
}

bool Stopped(TMainForm& form) {
    return form.RunState() == marlinet::basic::RunState::Stopped;
}

// A program that answers two INPUTs, lights three lamps, and stops itself.
bool SavePausedRun(TMainForm& form, TSnapshotDialogs& dialogs, const QString& dir) {
    form.SpeedButton1Click(); // Reset & Reload: the board as at start-up
    form.SpeedButton7Click(); // Clear Console
    OpenProgram(form, dialogs, dir, "snapshot_paused.bas",
                "REM Light the lamps one by one and report\r\n"
                "INPUT \"Volts \", V\r\n"
                "INPUT \"$\", K\r\n"
                "FOR N = 1 TO 4\r\n"
                "SETB N\r\n"
                "PRINT \"Lamp \"; N; \" on\"\r\n"
                "DAC V * N\r\n"
                "IF N = 3 THEN STOP\r\n"
                "NEXT\r\n"
                "END");
    form.SpeedButton2Click();
    if (!Until([&] { return Stopped(form) && form.SynEdit1->SelLength() == 1; })) return false;
    return Save(form, dir + "/workbench_paused.png");
}

bool SaveError(TMainForm& form, TSnapshotDialogs& dialogs, const QString& dir) {
    OpenProgram(form, dialogs, dir, "snapshot_error.bas",
                "REM Jump to a label that is not there\r\nPRINT \"Going\"\r\nGOTO 99");
    form.SpeedButton2Click();
    if (!Until([&] { return !form.Execution().HasThread() && !Stopped(form); })) return false;
    return Save(form, dir + "/workbench_error.png");
}

} // namespace

bool marlinet::testing::TakeSnapshots(const QString& dir) {
    auto owned = std::make_unique<TSnapshotDialogs>(dir);
    TSnapshotDialogs* dialogs = owned.get();
    TMainForm form(std::move(owned));
    form.show();
    bool ok = Save(form, dir + "/workbench_startup.png");

    form.Fileopen1Click();
    ok = Save(form, dir + "/workbench_program.png") && ok;

    form.Board->SetOutput(1);
    form.Board->SetOutput(3);
    form.Board->SelectAdc(AdcChannel::Adc2);
    form.Board->WriteDac(1234);
    form.Console->Print("Blinking lamp 2\r\nMillivolts 2417\r\n");
    TVariablesGrid::Values values{};
    values[13] = 11;   // N
    values[21] = 2417; // V
    values[25] = -3;   // Z
    form.StringGrid1->RefreshGrid(values);
    ok = Save(form, dir + "/workbench_board.png") && ok;

    form.About1Click();
    ok = SavePausedRun(form, *dialogs, dir) && ok;
    ok = SaveError(form, *dialogs, dir) && ok;
    form.FormClose();
    return ok && !dialogs->failed;
}
