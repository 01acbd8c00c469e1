#include "workbench/examples.h"

#include <stdexcept>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

namespace marlinet::workbench {

namespace {

const QString kFilter = QStringLiteral("*.bas");

[[noreturn]] void Fail(const QString& Message) {
    throw std::runtime_error(Message.toLocal8Bit().toStdString());
}

// XDG_DOCUMENTS_DIR as user-dirs.dirs gives it: a quoted path, absolute or
// starting with $HOME. Empty when the file or the entry is missing.
QString UserDirsDocuments() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
    QFile file(config + QStringLiteral("/user-dirs.dirs"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    const QString key = QStringLiteral("XDG_DOCUMENTS_DIR=");
    QTextStream in(&file);
    QString path;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.startsWith(key)) continue;
        path = line.mid(key.size());
        if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) &&
            path.endsWith(QLatin1Char('"')))
            path = path.mid(1, path.size() - 2);
    }
    if (path.startsWith(QStringLiteral("$HOME"))) path.replace(0, 5, QDir::homePath());
    return QDir::isAbsolutePath(path) ? path : QString();
}

} // namespace

TExampleLibrary::TExampleLibrary(QStringList Folders, QString UserFolder)
    : folders_(std::move(Folders)), userFolder_(std::move(UserFolder)) {}

TExampleLibrary TExampleLibrary::Installed() {
    const QString programDir = QCoreApplication::applicationDirPath();
    QStringList folders{programDir + QStringLiteral("/../share/marlinet/examples")};
    folders += QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                         QStringLiteral("marlinet/examples"),
                                         QStandardPaths::LocateDirectory);
    folders << programDir + QStringLiteral("/examples");
    QStringList unique;
    for (const QString& folder : folders) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (!canonical.isEmpty() && !unique.contains(canonical)) unique << canonical;
    }
    return TExampleLibrary(unique, DefaultUserFolder());
}

QString TExampleLibrary::DefaultUserFolder() {
    QString documents = qEnvironmentVariable("XDG_DOCUMENTS_DIR");
    if (!QDir::isAbsolutePath(documents)) documents = UserDirsDocuments();
    if (documents.isEmpty()) documents = QDir::homePath();
    return QDir::cleanPath(documents + QStringLiteral("/Marlinet"));
}

QStringList TExampleLibrary::Names() const {
    QStringList names;
    for (const QString& folder : folders_)
        for (const QString& name : QDir(folder).entryList({kFilter}, QDir::Files | QDir::Readable))
            if (!names.contains(name)) names << name;
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString TExampleLibrary::Source(const QString& Name) const {
    // Only an entry of the list: never a path elsewhere, nor another file.
    if (!Names().contains(Name)) return {};
    for (const QString& folder : folders_) {
        const QFileInfo file(QDir(folder).filePath(Name));
        if (file.isFile()) return file.filePath();
    }
    return {};
}

QString TExampleLibrary::UserCopy(const QString& Name) const {
    const QString source = Source(Name);
    if (source.isEmpty()) Fail(QStringLiteral("There is no example called %1.").arg(Name));
    const QString copy = QDir(userFolder_).filePath(Name);
    // The user's copy is theirs: it is never replaced, changed or not.
    if (QFileInfo::exists(copy)) return copy;
    if (!QDir().mkpath(userFolder_))
        Fail(QStringLiteral("Cannot create folder %1").arg(userFolder_));
    if (!QFile::copy(source, copy)) Fail(QStringLiteral("Cannot copy %1 to %2").arg(source, copy));
    // An installed example may be read-only; the copy is for editing.
    QFile::setPermissions(copy, QFile::permissions(copy) | QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

} // namespace marlinet::workbench
