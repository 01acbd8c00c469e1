#include "workbench/dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

#include "workbench/input_form.h"

namespace marlinet::workbench {

namespace {

std::optional<QString> Ask(QFileDialog& Dialog, const QString& Current) {
    if (!Current.isEmpty()) Dialog.selectFile(Current);
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty()) return std::nullopt;
    return Dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> TQtDialogs::AskOpenFileName(QWidget* Parent, const QString& Current) {
    QFileDialog dialog(Parent, QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QStringLiteral("Basic files (*.bas)"), QStringLiteral("All files (*)")});
    return Ask(dialog, Current);
}

std::optional<QString> TQtDialogs::AskSaveFileName(QWidget* Parent, const QString& Current) {
    QFileDialog dialog(Parent, QStringLiteral("Save As"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Basic filles (*.bas)"));
    return Ask(dialog, Current);
}

bool TQtDialogs::ConfirmReplace(QWidget* Parent, const QString& FileName) {
    const QString text = QStringLiteral("%1 already exists.\nDo you want to replace it?")
                             .arg(QFileInfo(FileName).fileName());
    return QMessageBox::warning(Parent, QStringLiteral("Confirm Save As"), text,
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

TSaveChoice TQtDialogs::AskSaveChanges(QWidget* Parent, const QString& Name) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Marlinet"),
                    QStringLiteral("Save changes to %1?").arg(Name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, Parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save: return TSaveChoice::Save;
    case QMessageBox::Discard: return TSaveChoice::Discard;
    default: return TSaveChoice::Cancel;
    }
}

std::optional<int> TQtDialogs::AskLineNumber(QWidget* Parent, int Current, int LineCount) {
    bool accepted = false;
    const int line = QInputDialog::getInt(Parent, QStringLiteral("Go to Line"),
                                          QStringLiteral("Line (1 to %1):").arg(LineCount), Current,
                                          1, LineCount, 1, &accepted);
    if (!accepted) return std::nullopt;
    return line;
}

void TQtDialogs::ShowError(QWidget* Parent, const QString& Message) {
    QMessageBox::critical(Parent, QStringLiteral("Marlinet"), Message);
}

int TQtDialogs::ExecModal(QDialog& Dialog) {
    return Dialog.exec();
}

int TQtDialogs::ExecInput(TInputForm& Form) {
    return Form.exec();
}

} // namespace marlinet::workbench
