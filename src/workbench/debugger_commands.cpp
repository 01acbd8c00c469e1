#include "workbench/debugger_commands.h"

#include <algorithm>
#include <stdexcept>

#include <QAction>
#include <QEvent>
#include <QFile>
#include <QMenu>
#include <QToolButton>

#include "editor/qt/synedit.h"
#include "interpreter/pause_mailbox.h"
#include "workbench/call_stack_view.h"
#include "workbench/dialogs.h"
#include "workbench/edit_commands.h"
#include "workbench/editor_context_menu.h"
#include "workbench/execution_control.h"
#include "workbench/glyphs.h"
#include "workbench/main_form.h"
#include "workbench/text.h"

namespace marlinet::workbench {

namespace {

constexpr std::size_t kMostEnabled = basic::PauseTable::kCapacity;
// How long the store waits after a change of breakpoints for the next one.
constexpr int kStoreDelay = 500; // ms

struct ButtonDesign {
    int top; // in Panel5, below the described buttons
    const char* hint;
    Glyph glyph;
    void (TDebuggerCommands::*handler)();
};

constexpr ButtonDesign kButtons[] = {
    {224, "Toggle breakpoint (F5)", Glyph::ToggleBreakpoint, &TDebuggerCommands::ToggleBreakpoint},
    {248, "Step over (Shift+F8)", Glyph::StepOver, &TDebuggerCommands::StepOver},
    {272, "Step out (Ctrl+Shift+F8)", Glyph::StepOut, &TDebuggerCommands::StepOut},
    {296, "Run to cursor (F7)", Glyph::RunToCursor, &TDebuggerCommands::RunToCursor},
};
constexpr int kButtonHeight = 25;

struct MenuDesign {
    const char* text;
    QKeyCombination shortcut; // Qt::Key(0) for none
    void (TDebuggerCommands::*handler)();
    bool inEditorMenu; // also in the editor's context menu
};

constexpr MenuDesign kMenu[] = {
    {"Toggle &breakpoint", Qt::Key_F5, &TDebuggerCommands::ToggleBreakpoint, true},
    {"Step &over", Qt::SHIFT | Qt::Key_F8, &TDebuggerCommands::StepOver, false},
    {"Step o&ut", Qt::CTRL | Qt::SHIFT | Qt::Key_F8, &TDebuggerCommands::StepOut, false},
    {"Run to &cursor", Qt::Key_F7, &TDebuggerCommands::RunToCursor, true},
    {"&Delete all breakpoints", Qt::Key(0), &TDebuggerCommands::DeleteAllBreakpoints, false},
    {"Call stac&k", Qt::Key(0), &TDebuggerCommands::ShowCallStack, false},
};

std::filesystem::path ToPath(const QString& FileName) {
    const QByteArray bytes = QFile::encodeName(FileName);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A condition a run can take: one line of at most the length a pause line
// holds, of printable characters.
bool IsConditionText(const std::string& Text) {
    return Text.size() <= basic::PauseLine::kMaxConditionLength &&
           std::all_of(Text.begin(), Text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= ' ' && c != '\x7f'; });
}

} // namespace

TDebuggerCommands::TDebuggerCommands(TMainForm& Form, TWorkbenchDialogs& Dialogs)
    : QObject(&Form), form_(Form), dialogs_(Dialogs) {
    callStack_ = new TCallStackView(&form_);
    AddMenuEntries();
    AddButtons();
    editor::qt::TSynEdit* edit = form_.SynEdit1;
    connect(edit, &editor::qt::TSynEdit::gutterClicked, this,
            [this](int Line, Qt::MouseButton Button, Qt::KeyboardModifiers, const QPoint& At) {
                GutterClicked(Line, Button, At);
            });
    connect(edit, &editor::qt::TSynEdit::breakpointsChanged, this,
            &TDebuggerCommands::BreakpointsChanged);
    storeTimer_.setSingleShot(true);
    storeTimer_.setInterval(kStoreDelay);
    connect(&storeTimer_, &QTimer::timeout, this, &TDebuggerCommands::StoreIfSaved);
}

TDebuggerCommands::~TDebuggerCommands() {
    StorePending();
}

void TDebuggerCommands::StorePending() {
    if (storeTimer_.isActive()) {
        storeTimer_.stop();
        StoreIfSaved();
    }
}

void TDebuggerCommands::AddMenuEntries() {
    TEditorContextMenu& editorMenu = form_.EditCommands->ContextMenu();
    QMenu* menu = form_.DebugMenu;
    menu->addSeparator();
    editorMenu.AddEntry(nullptr);
    for (const MenuDesign& design : kMenu) {
        QAction* action = menu->addAction(QLatin1String(design.text));
        if (design.shortcut != QKeyCombination(Qt::Key(0)))
            action->setShortcut(QKeySequence(design.shortcut));
        connect(action, &QAction::triggered, this, design.handler);
        if (design.inEditorMenu) editorMenu.AddEntry(action);
    }
}

void TDebuggerCommands::AddButtons() {
    panel_ = form_.Client()->findChild<QWidget*>(QStringLiteral("Panel5"));
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const ButtonDesign& design = kButtons[i];
        auto* button = new QToolButton(panel_);
        button->setGeometry(8, design.top, 24, kButtonHeight);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setIcon(QIcon(GlyphImage(design.glyph)));
        button->setIconSize(QSize(16, 16));
        button->setToolTip(QLatin1String(design.hint));
        connect(button, &QToolButton::clicked, this, design.handler);
        buttons_[i] = button;
    }
    panel_->installEventFilter(this);
    PlaceButtons();
}

bool TDebuggerCommands::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == panel_ && Event->type() == QEvent::Resize) PlaceButtons();
    return QObject::eventFilter(Watched, Event);
}

void TDebuggerCommands::PlaceButtons() {
    // The described buttons keep their places; these follow only where the
    // column has grown with the window.
    const int bottom = panel_->height() - 2;
    for (QToolButton* button : buttons_)
        button->setVisible(button->y() + kButtonHeight <= bottom);
}

// ---- commands ----

void TDebuggerCommands::ToggleBreakpoint() {
    ToggleBreakpointAt(form_.SynEdit1->Core().CaretY());
}

void TDebuggerCommands::StepOver() {
    form_.Execution().StepOver();
    form_.ShowRunState();
}

void TDebuggerCommands::StepOut() {
    form_.Execution().StepOut();
    form_.ShowRunState();
}

void TDebuggerCommands::RunToCursor() {
    form_.Execution().RunToCursor();
    form_.ShowRunState();
}

void TDebuggerCommands::DeleteAllBreakpoints() {
    form_.SynEdit1->Markers().ClearBreakpoints();
}

void TDebuggerCommands::ShowCallStack() {
    callStack_->show();
    callStack_->raise();
}

// ---- the gutter ----

void TDebuggerCommands::GutterClicked(int Line, Qt::MouseButton Button, const QPoint& GlobalPos) {
    if (Button == Qt::LeftButton) ToggleBreakpointAt(Line);
    if (Button == Qt::RightButton) BreakpointMenu(Line, GlobalPos);
}

bool TDebuggerCommands::MayEnableAnother() const {
    const auto& breakpoints = form_.SynEdit1->Markers().Breakpoints();
    const auto enabled = std::count_if(breakpoints.begin(), breakpoints.end(),
                                       [](const editor::TSynBreakpoint& b) { return b.Enabled; });
    if (static_cast<std::size_t>(enabled) < kMostEnabled) return true;
    dialogs_.ShowError(
        &form_,
        QStringLiteral("A program can have at most %1 enabled breakpoints.").arg(kMostEnabled));
    return false;
}

bool TDebuggerCommands::ToggleBreakpointAt(int Line) {
    editor::TSynMarkerSet& markers = form_.SynEdit1->Markers();
    if (!markers.BreakpointAt(Line) && !MayEnableAnother()) return false;
    return markers.ToggleBreakpoint(Line);
}

void TDebuggerCommands::BreakpointMenu(int Line, const QPoint& At) {
    editor::TSynMarkerSet& markers = form_.SynEdit1->Markers();
    const editor::TSynBreakpoint* breakpoint = markers.BreakpointAt(Line);
    QMenu menu(&form_);
    QAction* toggle = menu.addAction(!breakpoint           ? QStringLiteral("&Add breakpoint")
                                     : breakpoint->Enabled ? QStringLiteral("&Disable")
                                                           : QStringLiteral("&Enable"));
    QAction* condition = menu.addAction(QStringLiteral("&Condition..."));
    QAction* hitCount = menu.addAction(QStringLiteral("&Hit count..."));
    QAction* remove = menu.addAction(QStringLiteral("De&lete"));
    remove->setEnabled(breakpoint != nullptr);
    QAction* chosen = dialogs_.ExecMenu(menu, At);
    if (!chosen) return;
    if (chosen == toggle) {
        if (!breakpoint) {
            ToggleBreakpointAt(Line);
        } else if (breakpoint->Enabled || MayEnableAnother()) {
            markers.SetBreakpointEnabled(Line, !breakpoint->Enabled);
        }
    } else if (chosen == condition) {
        EditCondition(Line);
    } else if (chosen == hitCount) {
        EditHitCount(Line);
    } else if (chosen == remove) {
        markers.DeleteBreakpoint(Line);
    }
}

void TDebuggerCommands::EditCondition(int Line) {
    editor::TSynMarkerSet& markers = form_.SynEdit1->Markers();
    const editor::TSynBreakpoint* breakpoint = markers.BreakpointAt(Line);
    const std::optional<QString> answer = dialogs_.AskBreakpointCondition(
        &form_, Line, breakpoint ? ToQString(breakpoint->Condition) : QString());
    if (!answer) return;
    const std::string condition = FromQString(answer->trimmed());
    if (!IsConditionText(condition)) {
        dialogs_.ShowError(&form_, QStringLiteral("A condition is one line of at most %1 "
                                                  "characters, such as I = 5.")
                                       .arg(basic::PauseLine::kMaxConditionLength));
        return;
    }
    if (!breakpoint && !ToggleBreakpointAt(Line)) return;
    markers.SetBreakpointCondition(Line, condition);
}

void TDebuggerCommands::EditHitCount(int Line) {
    editor::TSynMarkerSet& markers = form_.SynEdit1->Markers();
    const editor::TSynBreakpoint* breakpoint = markers.BreakpointAt(Line);
    const std::optional<int> answer =
        dialogs_.AskBreakpointHitCount(&form_, Line, breakpoint ? breakpoint->HitCount : 0);
    if (!answer) return;
    if (!breakpoint && !ToggleBreakpointAt(Line)) return;
    markers.SetBreakpointHitCount(Line, std::max(*answer, 0));
}

// ---- breakpoints to the run and to the store ----

std::vector<basic::PauseLine> TDebuggerCommands::EnabledBreakpoints() const {
    std::vector<basic::PauseLine> lines;
    for (const editor::TSynBreakpoint& breakpoint : form_.SynEdit1->Markers().Breakpoints())
        if (breakpoint.Enabled)
            lines.push_back({breakpoint.Line, true, breakpoint.Condition,
                             static_cast<std::uint32_t>(std::max(breakpoint.HitCount, 0))});
    return lines;
}

void TDebuggerCommands::BreakpointsChanged() {
    // This may come while the lines change: nothing here touches them, and
    // a message waits until they are done.
    try {
        form_.Execution().SetBreakpoints(EnabledBreakpoints());
    } catch (const std::invalid_argument& error) {
        const QString message = QString::fromLocal8Bit(error.what());
        QTimer::singleShot(0, this, [this, message] { dialogs_.ShowError(&form_, message); });
    }
    storeTimer_.start();
}

void TDebuggerCommands::StoreIfSaved() {
    const QString& file = form_.CurrentFileName();
    if (file.isEmpty() || form_.HasUnsavedEdits()) return;
    // A store that cannot be written loses only the memory of breakpoints:
    // no message at every click.
    store_.Save(ToPath(file), form_.SynEdit1->Markers().Breakpoints());
}

void TDebuggerCommands::FileLoaded(const QString& FileName) {
    RunMarksGone();
    form_.SynEdit1->Markers().SetBreakpoints(store_.Load(ToPath(FileName)));
}

void TDebuggerCommands::FileSaved(const QString& FileName) {
    store_.Save(ToPath(FileName), form_.SynEdit1->Markers().Breakpoints());
}

// ---- what a run shows ----

void TDebuggerCommands::Paused(const TRunPause& Pause) {
    editor::TSynMarkerSet& markers = form_.SynEdit1->Markers();
    markers.SetErrorLine(0);
    markers.SetExecutionLine(Pause.Line.Number);
    form_.SetErrorText(ToQString(basic::describe_pause(Pause.Cause)));
    showsPause_ = true;
    callStack_->ShowCalls(Pause.Calls);
}

void TDebuggerCommands::Failed(const TRunPause& Pause) {
    editor::TSynMarkerSet& markers = form_.SynEdit1->Markers();
    markers.SetExecutionLine(0);
    markers.SetErrorLine(Pause.Line.Number);
    showsPause_ = false; // the error's text took its place
    callStack_->ShowNoPause();
}

void TDebuggerCommands::RunMarksGone() {
    editor::TSynMarkerSet& markers = form_.SynEdit1->Markers();
    markers.SetExecutionLine(0);
    markers.SetErrorLine(0);
    // Why a run paused says nothing about a program that ended or reloaded.
    if (showsPause_) form_.SetErrorText({});
    showsPause_ = false;
    callStack_->ShowNoPause();
}

} // namespace marlinet::workbench
