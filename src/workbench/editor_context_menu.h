// The menu a right click in the editor's text (or the menu key) opens. It
// is built afresh at each showing from a list of entries, which any part of
// the window extends with AddEntry; a right click in the gutter is left to
// the editor's gutterClicked signal and opens nothing here.
//
// Window thread only.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QPoint;

namespace marlinet::editor::qt {
class TSynEdit;
}

namespace marlinet::workbench {

class TEditorContextMenu : public QObject {
    Q_OBJECT

public:
    explicit TEditorContextMenu(editor::qt::TSynEdit& Editor);

    // Appends Action to the entries; a null Action appends a separator.
    // The action stays its owner's: one deleted drops out of the menu.
    void AddEntry(QAction* Action);
    // The entries in order (null for a separator).
    QList<QAction*> Entries() const;

    // Builds the menu from the entries and opens it at GlobalPos (not
    // waiting for a choice); it deletes itself once closed.
    QMenu* Popup(const QPoint& GlobalPos);
    // The menu open now, if any.
    QMenu* OpenMenu() const { return menu_; }

signals:
    // Before each showing: the time to enable what applies.
    void aboutToShow();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    editor::qt::TSynEdit& editor_;
    QList<QPointer<QAction>> entries_; // null for a separator
    QList<bool> separators_;
    QPointer<QMenu> menu_;
};

} // namespace marlinet::workbench
