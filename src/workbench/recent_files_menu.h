// File > Recent files: the recent programs, newest first, numbered for
// their mnemonics. A file that no longer exists is greyed; "Remove missing
// files" drops those from the list and "Clear list" all of them. The menu
// is built afresh each time it opens, so it shows what another window
// added and what has gone from the disk since.
#pragma once

#include <QMenu>

#include "workbench/recent_files.h"

namespace marlinet::workbench {

class TRecentFilesMenu : public QMenu {
    Q_OBJECT

public:
    // Files must outlive the menu.
    TRecentFilesMenu(TRecentFiles& Files, QWidget* Parent);

    // Builds the entries from the stored list (as opening the menu does).
    void Rebuild();

signals:
    // An existing entry was chosen.
    void fileChosen(const QString& File);

private:
    TRecentFiles& files_;
};

} // namespace marlinet::workbench
