// Renders the main window and the About box into PNG files:
//   workbench_snapshot [DIR]
// writes, into DIR (the build folder by default):
//   workbench_startup.png  the window as it opens
//   workbench_program.png  with examples/blink.bas opened
//   workbench_board.png    lamps 1 and 3 on, ADC2 selected, a DAC value,
//                          console output and refreshed variables
//   workbench_about.png    the About box
#include <cstdio>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPixmap>

#include "workbench/board_panel.h"
#include "workbench/console.h"
#include "workbench/input_form.h"
#include "workbench/main_form.h"
#include "workbench/variables_grid.h"

namespace {

using namespace marlinet::workbench;

bool Save(QWidget& widget, const QString& path) {
    if (auto* form = qobject_cast<TMainForm*>(&widget)) form->ShowRunState();
    QApplication::processEvents();
    if (!widget.grab().save(path, "PNG")) {
        std::fprintf(stderr, "workbench_snapshot: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// Answers the open dialog with the example and grabs the About box instead
// of waiting for a click.
class TSnapshotDialogs : public TWorkbenchDialogs {
public:
    explicit TSnapshotDialogs(QString dir) : dir_(std::move(dir)) {}
    std::optional<QString> AskOpenFileName(QWidget*, const QString&) override {
        return QStringLiteral(MARLINET_SOURCE_DIR "/examples/blink.bas");
    }
    std::optional<QString> AskSaveFileName(QWidget*, const QString&) override {
        return std::nullopt;
    }
    bool ConfirmReplace(QWidget*, const QString&) override { return false; }
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
    int ExecInput(TInputForm&) override { return 2; }
    bool failed = false;

private:
    QString dir_;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString dir =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(MARLINET_BUILD_DIR);
    QDir().mkpath(dir);

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
    return ok && !dialogs->failed ? 0 : 1;
}
