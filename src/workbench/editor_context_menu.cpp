#include "workbench/editor_context_menu.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

#include "editor/qt/synedit.h"

namespace marlinet::workbench {

TEditorContextMenu::TEditorContextMenu(editor::qt::TSynEdit& Editor)
    : QObject(&Editor), editor_(Editor) {
    Editor.viewport()->installEventFilter(this);
}

void TEditorContextMenu::AddEntry(QAction* Action) {
    entries_.append(Action);
    separators_.append(Action == nullptr);
}

QList<QAction*> TEditorContextMenu::Entries() const {
    QList<QAction*> entries;
    for (qsizetype i = 0; i < entries_.size(); ++i)
        if (separators_[i] || entries_[i]) entries.append(entries_[i]);
    return entries;
}

QMenu* TEditorContextMenu::Popup(const QPoint& GlobalPos) {
    if (menu_) menu_->close();
    emit aboutToShow();
    auto* menu = new QMenu(&editor_);
    menu->setObjectName(QStringLiteral("EditorContextMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* entry : Entries()) {
        if (entry)
            menu->addAction(entry);
        else
            menu->addSeparator(); // QMenu hides doubled and trailing ones
    }
    menu_ = menu;
    menu->popup(GlobalPos);
    return menu;
}

bool TEditorContextMenu::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() != QEvent::ContextMenu) return QObject::eventFilter(Watched, Event);
    const auto* request = static_cast<QContextMenuEvent*>(Event);
    QPoint at = request->pos();
    if (request->reason() == QContextMenuEvent::Mouse) {
        // The gutter's own: gutterClicked has it already.
        if (at.x() < editor_.Core().GutterWidth()) return true;
    } else {
        at = editor_.CaretRect().bottomLeft();
    }
    Popup(editor_.viewport()->mapToGlobal(at));
    return true;
}

} // namespace marlinet::workbench
