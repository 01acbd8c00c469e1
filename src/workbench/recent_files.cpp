#include "workbench/recent_files.h"

#include <QFile>
#include <QFileInfo>

#include "workbench/workbench_settings.h"

namespace marlinet::workbench {

namespace {

constexpr std::string_view kListName = "RecentFile";

std::string ToStored(const QString& File) {
    return QFile::encodeName(File).toStdString();
}

QString FromStored(const std::string& Stored) {
    return QFile::decodeName(QByteArray::fromStdString(Stored));
}

} // namespace

QStringList TRecentFiles::Files() const {
    QStringList files;
    for (const std::string& stored : settings_.ReadList(kListName, kMaxFiles))
        files << FromStored(stored);
    return files;
}

void TRecentFiles::Add(const QString& File) {
    const QString name = QFileInfo(File).absoluteFilePath();
    QStringList files = Files();
    files.removeAll(name);
    files.prepend(name);
    Store(files);
}

void TRecentFiles::RemoveMissing() {
    QStringList files = Files();
    files.removeIf([](const QString& file) { return !QFileInfo::exists(file); });
    Store(files);
}

void TRecentFiles::Clear() {
    Store({});
}

void TRecentFiles::Store(const QStringList& Files) {
    std::vector<std::string> stored;
    for (const QString& file : Files.mid(0, kMaxFiles))
        stored.push_back(ToStored(file));
    settings_.WriteList(kListName, stored, kMaxFiles);
}

} // namespace marlinet::workbench
