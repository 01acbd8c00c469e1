// The program files of the main window: load program, save and reload, New,
// File open, Save, Save as, Exit, and the About box.
#include <exception>
#include <filesystem>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include "editor/qt/synedit.h"
#include "workbench/about_box.h"
#include "workbench/console.h"
#include "workbench/dialogs.h"
#include "workbench/execution_control.h"
#include "workbench/main_form.h"
#include "workbench/version.h"

namespace marlinet::workbench {

namespace {

std::filesystem::path ToPath(const QString& FileName) {
    const QByteArray bytes = QFile::encodeName(FileName);
    return std::filesystem::path(
        std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// Save appends the extension unless the name already has it, in any case.
QString WithBasExtension(const QString& FileName) {
    if (FileName.endsWith(QLatin1String(".bas"), Qt::CaseInsensitive)) return FileName;
    return FileName + QLatin1String(".bas");
}

} // namespace

bool TMainForm::Attempt(const std::function<void()>& Command) {
    try {
        Command();
        return true;
    } catch (const std::exception& error) {
        dialogs_->ShowError(this, QString::fromLocal8Bit(error.what()));
        return false;
    }
}

void TMainForm::SetCaptionFor(const QString& FileName) {
    setWindowTitle(QLatin1String(kCaption) + QLatin1String(" - ") + FileName);
}

void TMainForm::LoadProgramFrom(const QString& FileName) {
    const std::filesystem::path path = ToPath(FileName);
    // The buffer is read first: it refuses files too large to run, and the
    // editor must not show a program other than the one a run executes.
    basic::ProgramBuffer program = basic::load_program_buffer(path);
    SynEdit1->Lines().LoadFromFile(path);
    program_ = std::move(program);
    editorFromFile_ = true;
    SetCaptionFor(FileName);
}

void TMainForm::SaveLinesTo(const QString& FileName) {
    SynEdit1->Lines().SaveToFile(ToPath(FileName));
}

bool TMainForm::SaveAndReload() {
    return execution_->SaveAndReload();
}

void TMainForm::New1Click() {
    execution_->Flush();
    // Before the file is written: a run of the old text ends first.
    execution_->EndRun();
    // The old text is kept in its file without asking. An empty editor that
    // never held the file (as at start-up) is not written over it.
    const bool save =
        !currentFileName_.isEmpty() && (editorFromFile_ || SynEdit1->Lines().GetCount() > 0);
    if (save && !Attempt([this] { SaveLinesTo(currentFileName_); })) return;
    SetRunState(basic::RunState::Idle);
    SynEdit1->Lines().Clear();
    execution_->EditorMatchesFile();
    Console->WriteConsoleBanner();
    currentFileName_.clear();
    saveDialogFileName_.clear();
    editorFromFile_ = false;
    ShowRunState();
}

void TMainForm::Fileopen1Click() {
    execution_->Flush();
    execution_->ClearError();
    const std::optional<QString> chosen = dialogs_->AskOpenFileName(this, currentFileName_);
    if (chosen) OpenFile(*chosen);
}

bool TMainForm::OpenFile(const QString& FileName) {
    // A run of the old program ends before the program buffer is replaced.
    const basic::RunState before = execution_->EndRun();
    // The name becomes current only with the file loaded: a later save must
    // not write the old text over a file that failed to open.
    if (!Attempt([&] { LoadProgramFrom(FileName); })) {
        execution_->Restore(before);
        return false;
    }
    currentFileName_ = FileName;
    execution_->EditorMatchesFile();
    SetRunState(basic::RunState::Reset);
    ShowRunState();
    return true;
}

void TMainForm::Save1Click() {
    const std::optional<QString> chosen = dialogs_->AskSaveFileName(this, saveDialogFileName_);
    if (!chosen) return;
    const QString name = WithBasExtension(*chosen);
    // The dialog asked about the name it returned; the one written may be
    // another, existing file.
    if (name != *chosen && QFileInfo::exists(name) && !dialogs_->ConfirmReplace(this, name)) return;
    if (!Attempt([&] { SaveLinesTo(name); })) return;
    saveDialogFileName_ = name;
    currentFileName_ = name;
    editorFromFile_ = true;
    SetCaptionFor(name);
}

void TMainForm::Saveas1Click() {
    const std::optional<QString> chosen = dialogs_->AskSaveFileName(this, saveDialogFileName_);
    if (!chosen) return;
    if (!Attempt([&] { SaveLinesTo(*chosen); })) return;
    saveDialogFileName_ = *chosen;
    currentFileName_ = *chosen;
    editorFromFile_ = true;
}

void TMainForm::Exit1Click() {
    // Nothing is left running at exit, on this path too.
    FormClose();
    QApplication::quit();
}

void TMainForm::About1Click() {
    Form2->Label1->setText(
        QStringLiteral(" Marlinet Simulator Ver.%1 ").arg(QLatin1String(kSimulatorVersion)));
    Form2->Label2->setText(
        QStringLiteral(" Interpreter version %1 ").arg(QLatin1String(kInterpreterVersion)));
    dialogs_->ExecModal(*Form2);
}

} // namespace marlinet::workbench
