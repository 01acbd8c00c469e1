// The main window's editing aids: the find bar below the editor, the Edit
// menu and the editor's context menu, zoom in the View menu, and the recent
// files.
#include "editor/qt/synedit.h"
#include "workbench/console.h"
#include "workbench/edit_commands.h"
#include "workbench/find_bar.h"
#include "workbench/main_form.h"
#include "workbench/recent_files.h"
#include "workbench/zoom.h"

#include <QMenu>

namespace marlinet::workbench {

void TMainForm::MakeEditing() {
    FindBar = new TFindBar(*SynEdit1, client_);
    connect(FindBar, &TFindBar::layoutChanged, this, &TMainForm::LayOut);
    EditCommands = new TEditCommands(*SynEdit1, *FindBar, *dialogs_, *EditMenu, *this);
    Zoom = new TZoom(*SynEdit1, *Console, *settings_, this);
    ViewMenu->addAction(Zoom->ZoomInAction);
    ViewMenu->addAction(Zoom->ZoomOutAction);
    ViewMenu->addAction(Zoom->NormalSizeAction);
}

void TMainForm::NoteRecentFile(const QString& Name) {
    recentFiles_->Add(Name);
}

} // namespace marlinet::workbench
