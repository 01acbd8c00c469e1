// The example programs the Help menu offers. The installed files are
// shared and often read-only, so the one opened is the user's own copy in
// a folder of their documents, made on first use and never replaced after
// that: edits to it are kept, and a run may save it.
#pragma once

#include <QString>
#include <QStringList>

namespace marlinet::workbench {

class TExampleLibrary {
public:
    // Folders are searched in order; an example is taken from the first
    // folder that holds a file of its name.
    TExampleLibrary(QStringList Folders, QString UserFolder);
    // The installed examples: <prefix>/share/marlinet/examples beside the
    // program, marlinet/examples in the XDG data folders, then examples/
    // beside the program (a build puts them there); copies go to
    // DefaultUserFolder().
    static TExampleLibrary Installed();
    // $XDG_DOCUMENTS_DIR/Marlinet (the variable, else the documents folder
    // of the user's user-dirs.dirs), else ~/Marlinet.
    static QString DefaultUserFolder();

    // The examples' file names (*.bas), sorted, each once.
    QStringList Names() const;
    // The path of the user's copy of example Name, copying it first when
    // there is none. Throws std::runtime_error with a message for the user
    // when the example is unknown or the copy cannot be made.
    QString UserCopy(const QString& Name) const;

    const QStringList& Folders() const { return folders_; }
    const QString& UserFolder() const { return userFolder_; }

private:
    // The installed file of example Name; empty when there is none.
    QString Source(const QString& Name) const;

    QStringList folders_;
    QString userFolder_;
};

} // namespace marlinet::workbench
