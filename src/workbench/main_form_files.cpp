// The program files of the main window: load program, save and reload, New,
// File open, Save, Save as, Exit, the examples, the question before unsaved
// edits are lost, the caption, and the About box.
#include <exception>
#include <filesystem>
#include <sstream>
#include <system_error>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include "editor/qt/synedit.h"
#include "support/files.h"
#include "workbench/about_box.h"
#include "workbench/console.h"
#include "workbench/debugger_commands.h"
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

// Whether the file at Path holds exactly Bytes.
bool FileHolds(const std::filesystem::path& Path, const std::string& Bytes) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(Path, error)) return false;
    const std::uintmax_t size = std::filesystem::file_size(Path, error);
    if (error || size != Bytes.size()) return false;
    try {
        return support::ReadFileBytes(Path, Bytes.size()) == Bytes;
    } catch (const std::exception&) {
        return false; // unreadable: the write decides
    }
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
    captionName_ = FileName;
    UpdateCaption();
}

void TMainForm::UpdateCaption() {
    QString caption = QLatin1String(kCaption);
    if (captionName_) caption += QLatin1String(" - ") + *captionName_;
    if (HasUnsavedEdits()) caption.prepend(QLatin1Char('*'));
    setWindowTitle(caption);
}

bool TMainForm::HasUnsavedEdits() const {
    return SynEdit1->Core().Modified();
}

QString TMainForm::ProgramName() const {
    if (currentFileName_.isEmpty()) return QLatin1String(kUntitledName);
    return QFileInfo(currentFileName_).fileName();
}

void TMainForm::MarkEditorSaved() {
    editor::TCustomSynEdit& core = SynEdit1->Core();
    // The undo list's mark first: after a load or a clear the flag may
    // already read false while the mark still points at an older state.
    core.UndoList().SetInitialState(true);
    core.SetModified(false);
    UpdateCaption();
}

bool TMainForm::EditorHolds(std::string_view Text) const {
    const editor::TSynEditStringList& lines = SynEdit1->Lines();
    std::size_t at = 0;
    for (int i = 0; i < lines.GetCount(); ++i) {
        if (i > 0) {
            if (Text.substr(at, 2) != "\r\n") return false;
            at += 2;
        }
        const std::string_view line = lines.GetView(i);
        if (Text.substr(at, line.size()) != line) return false;
        at += line.size();
    }
    return at == Text.size();
}

void TMainForm::LoadProgramFrom(const QString& FileName, TEditorLoad Editor) {
    // Breakpoints changed just before belong to the file still current.
    Debugger->StorePending();
    const std::filesystem::path path = ToPath(FileName);
    // The buffer is read first: it refuses files too large to run, and the
    // editor must not show a program other than the one a run executes.
    basic::ProgramBuffer program = basic::load_program_buffer(path);
    // The buffer's text has every line break as CR LF, as the editor's
    // lines joined that way: equal, the editor already shows the file.
    const bool load = Editor == TEditorLoad::Always || !EditorHolds(program.text());
    if (load) SynEdit1->Lines().LoadFromFile(path);
    program_ = std::move(program);
    editorFromFile_ = true;
    LeaveLineSelection();
    // A load is never in the middle of a run: what marked its lines goes,
    // and a file read anew gets back the breakpoints remembered for it.
    Debugger->RunMarksGone();
    if (load) Debugger->FileLoaded(FileName);
    MarkEditorSaved();
    SetCaptionFor(FileName);
}

std::string TMainForm::EditorBytes() const {
    std::ostringstream bytes;
    SynEdit1->Lines().SaveToStream(bytes);
    return std::move(bytes).str();
}

void TMainForm::SaveLinesTo(const QString& FileName) {
    const std::filesystem::path path = ToPath(FileName);
    // A file that holds the text already is not written again: a read-only
    // program, such as an installed example, runs without an error.
    if (!FileHolds(path, EditorBytes())) SynEdit1->Lines().SaveToFile(path);
    MarkEditorSaved();
    Debugger->FileSaved(FileName);
}

bool TMainForm::SaveAndReload() {
    return execution_->SaveAndReload();
}

std::optional<QString> TMainForm::AskNewFileName() {
    const std::optional<QString> chosen = dialogs_->AskSaveFileName(this, saveDialogFileName_);
    if (!chosen) return std::nullopt;
    const QString name = WithBasExtension(*chosen);
    // The dialog asked about the name it returned; the one written may be
    // another, existing file.
    if (name != *chosen && QFileInfo::exists(name) && !dialogs_->ConfirmReplace(this, name))
        return std::nullopt;
    return name;
}

bool TMainForm::SaveChangesFirst() {
    if (!HasUnsavedEdits()) return true;
    switch (dialogs_->AskSaveChanges(this, ProgramName())) {
    case TSaveChoice::Discard: return true;
    case TSaveChoice::Cancel: return false;
    case TSaveChoice::Save: break;
    }
    if (!currentFileName_.isEmpty()) return Attempt([this] { SaveLinesTo(currentFileName_); });
    const std::optional<QString> name = AskNewFileName();
    if (!name || !Attempt([&] { SaveLinesTo(*name); })) return false;
    currentFileName_ = *name;
    editorFromFile_ = true;
    SetCaptionFor(*name);
    NoteRecentFile(*name);
    return true;
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
    LeaveLineSelection();
    execution_->EditorMatchesFile();
    Console->WriteConsoleBanner();
    currentFileName_.clear();
    saveDialogFileName_.clear();
    editorFromFile_ = false;
    MarkEditorSaved();
    SetCaptionFor(QLatin1String(kUntitledName));
    ShowRunState();
}

void TMainForm::Fileopen1Click() {
    execution_->Flush();
    if (!SaveChangesFirst()) return;
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
    NoteRecentFile(FileName);
    return true;
}

void TMainForm::OpenExample(const QString& Name) {
    execution_->Flush();
    if (!SaveChangesFirst()) return;
    execution_->ClearError();
    QString copy;
    if (Attempt([&] { copy = examples_.UserCopy(Name); })) OpenFile(copy);
}

void TMainForm::OpenRecentFile(const QString& File) {
    execution_->Flush();
    if (!SaveChangesFirst()) return;
    execution_->ClearError();
    OpenFile(File);
}

void TMainForm::Save1Click() {
    const std::optional<QString> name = AskNewFileName();
    if (!name || !Attempt([&] { SaveLinesTo(*name); })) return;
    saveDialogFileName_ = *name;
    currentFileName_ = *name;
    editorFromFile_ = true;
    SetCaptionFor(*name);
    NoteRecentFile(*name);
}

void TMainForm::Saveas1Click() {
    const std::optional<QString> chosen = dialogs_->AskSaveFileName(this, saveDialogFileName_);
    if (!chosen) return;
    if (!Attempt([&] { SaveLinesTo(*chosen); })) return;
    saveDialogFileName_ = *chosen;
    currentFileName_ = *chosen;
    editorFromFile_ = true;
    NoteRecentFile(*chosen);
}

void TMainForm::Exit1Click() {
    if (!execution_->IsClosed() && !SaveChangesFirst()) return;
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
