#include "workbench/edit_commands.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <optional>

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "editor/qt/synedit.h"
#include "workbench/dialogs.h"
#include "workbench/editor_context_menu.h"
#include "workbench/find_bar.h"

namespace marlinet::workbench {

namespace {

// When an entry applies.
enum class TWhen { Always, Writable, CanUndo, CanRedo, Selected, WritableAndSelected };

constexpr QKeyCombination kNoKey = Qt::Key(0);

} // namespace

struct TEditCommands::TEntry {
    const char* name = nullptr; // the action's object name; none: a separator
    const char* text = nullptr;
    // An editor command, run through its dispatch, or else Handler.
    editor::TSynEditorCommand command = editor::ecNone;
    void (TEditCommands::*handler)() = nullptr;
    // For an editor command the key its key table binds it to, shown only;
    // for a handler its own shortcut.
    QKeyCombination key = kNoKey;
    TWhen when = TWhen::Always;
    bool inContextMenu = true;
};

namespace {

// In menu order.
const TEditCommands::TEntry kEntries[] = {
    {"Undo", "&Undo", editor::ecUndo, nullptr, Qt::CTRL | Qt::Key_Z, TWhen::CanUndo},
    {"Redo", "&Redo", editor::ecRedo, nullptr, Qt::SHIFT | Qt::CTRL | Qt::Key_Z, TWhen::CanRedo},
    {},
    {"Cut", "Cu&t", editor::ecCut, nullptr, Qt::CTRL | Qt::Key_X, TWhen::WritableAndSelected},
    {"Copy", "&Copy", editor::ecCopy, nullptr, Qt::CTRL | Qt::Key_C, TWhen::Selected},
    {"Paste", "&Paste", editor::ecPaste, nullptr, Qt::CTRL | Qt::Key_V, TWhen::Writable},
    {"SelectAll", "Select &all", editor::ecSelectAll, nullptr, Qt::CTRL | Qt::Key_A},
    {},
    {"Find", "&Find...", editor::ecNone, &TEditCommands::Find, Qt::CTRL | Qt::Key_F},
    {"FindNext", "Find &next", editor::ecNone, &TEditCommands::FindNext, Qt::Key_F3, TWhen::Always,
     false},
    {"FindPrevious", "Find pre&vious", editor::ecNone, &TEditCommands::FindPrevious,
     Qt::SHIFT | Qt::Key_F3, TWhen::Always, false},
    {"Replace", "R&eplace...", editor::ecNone, &TEditCommands::Replace, Qt::CTRL | Qt::Key_H,
     TWhen::Writable},
    {"GoToLine", "&Go to line...", editor::ecNone, &TEditCommands::GoToLine, Qt::CTRL | Qt::Key_G},
    {},
    {"Comment", "Co&mment/Uncomment lines", editor::ecCommentBlock, nullptr, kNoKey,
     TWhen::Writable},
    {"UpperCase", "Upper ca&se", editor::ecUpperCase, nullptr, kNoKey, TWhen::Writable},
    {"LowerCase", "&Lower case", editor::ecLowerCase, nullptr, kNoKey, TWhen::Writable},
    {"ToggleCase", "T&oggle case", editor::ecToggleCase, nullptr, kNoKey, TWhen::Writable},
    {"TitleCase", "T&itle case", editor::ecTitleCase, nullptr, kNoKey, TWhen::Writable},
};

} // namespace

TEditCommands::TEditCommands(editor::qt::TSynEdit& Editor, TFindBar& FindBar,
                             TWorkbenchDialogs& Dialogs, QMenu& Menu, QWidget& Window)
    : QObject(&Window), editor_(Editor), findBar_(FindBar), dialogs_(Dialogs), window_(Window) {
    contextMenu_ = new TEditorContextMenu(Editor);
    for (const TEntry& entry : kEntries) {
        QAction* action = entry.name ? MakeAction(entry) : nullptr;
        if (action)
            Menu.addAction(action);
        else
            Menu.addSeparator();
        if (!action || entry.inContextMenu) contextMenu_->AddEntry(action);
    }
    connect(&Menu, &QMenu::aboutToShow, this, &TEditCommands::UpdateActions);
    connect(contextMenu_, &TEditorContextMenu::aboutToShow, this, &TEditCommands::UpdateActions);
}

QAction* TEditCommands::MakeAction(const TEntry& Entry) {
    auto* action = new QAction(QLatin1String(Entry.text), this);
    action->setObjectName(QLatin1String(Entry.name));
    if (Entry.command != editor::ecNone) {
        // Named in the text, not bound: the key stays the editor's.
        if (Entry.key != kNoKey)
            action->setText(action->text() + QLatin1Char('\t') +
                            QKeySequence(Entry.key).toString(QKeySequence::NativeText));
        const editor::TSynEditorCommand command = Entry.command;
        connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    } else {
        if (Entry.key != kNoKey) action->setShortcut(QKeySequence(Entry.key));
        connect(action, &QAction::triggered, this, Entry.handler);
    }
    actions_.emplace_back(action, &Entry);
    return action;
}

QAction* TEditCommands::Action(const char* Name) const {
    for (const auto& [action, entry] : actions_)
        if (std::strcmp(entry->name, Name) == 0) return action;
    return nullptr;
}

void TEditCommands::UpdateActions() {
    const editor::TCustomSynEdit& core = editor_.Core();
    const bool writable = !core.ReadOnly();
    for (const auto& [action, entry] : actions_) {
        bool enabled = true;
        switch (entry->when) {
        case TWhen::Always: break;
        case TWhen::Writable: enabled = writable; break;
        case TWhen::CanUndo: enabled = core.CanUndo(); break;
        case TWhen::CanRedo: enabled = core.CanRedo(); break;
        case TWhen::Selected: enabled = core.SelAvail(); break;
        case TWhen::WritableAndSelected: enabled = writable && core.SelAvail(); break;
        }
        action->setEnabled(enabled);
    }
}

void TEditCommands::Run(editor::TSynEditorCommand Command) {
    try {
        editor_.Core().CommandProcessor(Command, '\0', nullptr);
    } catch (const std::exception& error) {
        dialogs_.ShowError(&window_, QString::fromLocal8Bit(error.what()));
    }
    editor_.setFocus(Qt::OtherFocusReason);
}

void TEditCommands::Find() {
    findBar_.OpenFind();
}

void TEditCommands::FindNext() {
    findBar_.FindNext();
}

void TEditCommands::FindPrevious() {
    findBar_.FindPrevious();
}

void TEditCommands::Replace() {
    // The shortcut works with the menu closed: read-only is checked here too.
    UpdateActions();
    if (editor_.Core().ReadOnly()) return;
    findBar_.OpenReplace();
}

void TEditCommands::GoToLine() {
    editor::TCustomSynEdit& core = editor_.Core();
    const std::optional<int> line =
        dialogs_.AskLineNumber(&window_, core.CaretY(), std::max(core.Lines().Count(), 1));
    if (line) core.GotoLine(*line);
    editor_.setFocus(Qt::OtherFocusReason);
}

} // namespace marlinet::workbench
