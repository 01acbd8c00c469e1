#include "workbench/dialogs.h"

#include <climits>

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
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

QAction* TQtDialogs::ExecMenu(QMenu& Menu, const QPoint& At) {
    return Menu.exec(At);
}

std::optional<QString> TQtDialogs::AskBreakpointCondition(QWidget* Parent, int Line,
                                                          const QString& Current) {
    bool ok = false;
    const QString text = QInputDialog::getText(
        Parent, QStringLiteral("Breakpoint condition"),
        QStringLiteral("Pause at line %1 only when this holds (for example I = 5);\n"
                       "empty: every time.")
            .arg(Line),
        QLineEdit::Normal, Current, &ok);
    if (!ok) return std::nullopt;
    return text;
}

std::optional<int> TQtDialogs::AskBreakpointHitCount(QWidget* Parent, int Line, int Current) {
    bool ok = false;
    const int count = QInputDialog::getInt(
        Parent, QStringLiteral("Breakpoint hit count"),
        QStringLiteral("Pause at line %1 only on this arrival (counting those whose\n"
                       "condition holds); 0: on every one.")
            .arg(Line),
        Current, 0, INT_MAX, 1, &ok);
    if (!ok) return std::nullopt;
    return count;
}

} // namespace marlinet::workbench
