// The programs opened or saved last, newest first, kept in the window's
// settings store so that they outlive the window. Every operation reads the
// stored list afresh and writes it back at once: two windows open at the
// same time add to one list.
#pragma once

#include <QString>
#include <QStringList>

namespace marlinet::workbench {

class TWorkbenchSettings;

class TRecentFiles {
public:
    static constexpr int kMaxFiles = 8;

    // Settings must outlive this list.
    explicit TRecentFiles(TWorkbenchSettings& Settings) : settings_(Settings) {}

    // Absolute names, newest first, at most kMaxFiles.
    QStringList Files() const;
    // File (made absolute) goes to the top, once; the oldest beyond
    // kMaxFiles drop out.
    void Add(const QString& File);
    // Drops the files that do not exist (any more).
    void RemoveMissing();
    void Clear();

private:
    void Store(const QStringList& Files);

    TWorkbenchSettings& settings_;
};

} // namespace marlinet::workbench
