// The Edit menu and the editor's context menu: the editor's own commands
// (undo, clipboard, select all, REM comments, case changes), which run
// through its command dispatch as a key of its key table would, and find,
// replace and go to line. An entry shows its key: for the editor's commands
// the key the key table binds them to, which the menu only names and never
// takes from the editor; find, replace and go to line have keys of their
// own that the key table leaves free.
//
// Commands that would change the text are disabled while the editor is
// read-only; the states are brought up to date whenever one of the menus
// opens.
//
// Window thread only.
#pragma once

#include <vector>

#include <QObject>

#include "editor/commands.h"

class QAction;
class QMenu;
class QWidget;

namespace marlinet::editor::qt {
class TSynEdit;
}

namespace marlinet::workbench {

class TEditorContextMenu;
class TFindBar;
class TWorkbenchDialogs;

class TEditCommands : public QObject {
    Q_OBJECT

public:
    // Fills Menu and makes the editor's context menu. Every argument must
    // outlive this object; Window parents the dialogs.
    TEditCommands(editor::qt::TSynEdit& Editor, TFindBar& FindBar, TWorkbenchDialogs& Dialogs,
                  QMenu& Menu, QWidget& Window);

    // The entry of that object name ("Undo", "Copy", "UpperCase", ...).
    QAction* Action(const char* Name) const;
    TEditorContextMenu& ContextMenu() { return *contextMenu_; }

    // Enables what applies now.
    void UpdateActions();

    // The entries that are not editor commands.
    void Find();
    void FindNext();
    void FindPrevious();
    // Opens the bar for replacing, unless the editor is read-only.
    void Replace();
    // Asks for a line and puts the caret at its start, the line in view.
    void GoToLine();

    struct TEntry;

private:
    QAction* MakeAction(const TEntry& Entry);
    // Runs an editor command as its key would; a failure (the clipboard's)
    // shows in the error box.
    void Run(editor::TSynEditorCommand Command);

    editor::qt::TSynEdit& editor_;
    TFindBar& findBar_;
    TWorkbenchDialogs& dialogs_;
    QWidget& window_;
    TEditorContextMenu* contextMenu_ = nullptr;
    std::vector<std::pair<QAction*, const TEntry*>> actions_;
};

} // namespace marlinet::workbench
