#include "workbench/recent_files_menu.h"

#include <QDir>
#include <QFileInfo>

namespace marlinet::workbench {

namespace {

// Long names lose their middle, never their file name.
constexpr int kShownCharacters = 70;

QString Shown(const QString& File) {
    QString name = QDir::toNativeSeparators(File);
    if (name.size() > kShownCharacters) {
        const int keep = kShownCharacters / 2 - 2;
        name = name.left(keep) + QStringLiteral("...") + name.right(keep);
    }
    // A "&" in a name is shown, not taken as a mnemonic.
    return name.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

TRecentFilesMenu::TRecentFilesMenu(TRecentFiles& Files, QWidget* Parent)
    : QMenu(QStringLiteral("&Recent files"), Parent), files_(Files) {
    setObjectName(QStringLiteral("RecentFilesMenu"));
    connect(this, &QMenu::aboutToShow, this, &TRecentFilesMenu::Rebuild);
    Rebuild();
}

void TRecentFilesMenu::Rebuild() {
    clear();
    const QStringList files = files_.Files();
    bool missing = false;
    for (int i = 0; i < files.size(); ++i) {
        const QString& file = files[i];
        QAction* action = addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(Shown(file)), this,
                                    [this, file] { emit fileChosen(file); });
        action->setToolTip(file);
        if (!QFileInfo::exists(file)) {
            action->setEnabled(false);
            missing = true;
        }
    }
    if (files.isEmpty()) addAction(QStringLiteral("(none)"))->setEnabled(false);
    addSeparator();
    // The entries are rebuilt when the menu opens next, not under the
    // action that is still being triggered.
    addAction(QStringLiteral("Remove &missing files"), this, [this] {
        files_.RemoveMissing();
    })->setEnabled(missing);
    addAction(QStringLiteral("&Clear list"), this, [this] {
        files_.Clear();
    })->setEnabled(!files.isEmpty());
}

} // namespace marlinet::workbench
