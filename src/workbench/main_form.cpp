#include "workbench/main_form.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>

#include "workbench/about_box.h"
#include "workbench/board_panel.h"
#include "workbench/console.h"
#include "workbench/debugger_commands.h"
#include "workbench/dialogs.h"
#include "workbench/execution_control.h"
#include "workbench/find_bar.h"
#include "workbench/fonts.h"
#include "workbench/glyphs.h"
#include "workbench/input_form.h"
#include "workbench/main_form_layout.h"
#include "workbench/main_form_run.h"
#include "workbench/main_window_editor.h"
#include "workbench/main_window_highlighter.h"
#include "workbench/recent_files.h"
#include "workbench/recent_files_menu.h"
#include "workbench/scenario_check.h"
#include "workbench/status_bar.h"
#include "workbench/text.h"
#include "workbench/timeline_widget.h"
#include "workbench/variables_grid.h"
#include "workbench/widgets.h"
#include "workbench/workbench_settings.h"

namespace marlinet::workbench {

namespace {

constexpr int kStatusInterval = 250; // ms

struct SpeedButtonDesign {
    int number; // n of SpeedButtonn
    int top;
    int width;
    const char* hint;
    Glyph glyph;
    void (TMainForm::*handler)();
};

// Top to bottom in Panel5.
constexpr SpeedButtonDesign kSpeedButtons[] = {
    {6, 8, 24, "Open", Glyph::Open, &TMainForm::Fileopen1Click},
    {5, 36, 24, "Save", Glyph::Save, &TMainForm::Save1Click},
    {2, 68, 25, "Run (F9)", Glyph::Run, &TMainForm::SpeedButton2Click},
    {4, 92, 24, "Step (F8)", Glyph::Step, &TMainForm::SpeedButton4Click},
    {1, 124, 24, "Reset & Reload (F4)", Glyph::Reset, &TMainForm::SpeedButton1Click},
    {3, 152, 24, "Stop (F2)", Glyph::Stop, &TMainForm::SpeedButton3Click},
    {7, 192, 24, "Clear Console", Glyph::ClearConsole, &TMainForm::SpeedButton7Click},
};

// Menu texts carry their Alt mnemonics. No shortcut takes a key of the
// editor's key table (Ctrl+N stays Insert line).
struct MenuEntry {
    const char* text;
    QKeyCombination shortcut; // Qt::Key(0) for none
    void (TMainForm::*handler)();
};

constexpr QKeyCombination kNoKey = Qt::Key(0);

constexpr MenuEntry kFileMenu[] = {
    {"&New", kNoKey, &TMainForm::New1Click},
    {"File &open", Qt::CTRL | Qt::Key_O, &TMainForm::Fileopen1Click},
    {"&Save", Qt::CTRL | Qt::Key_S, &TMainForm::Save1Click},
    {"Save &as...", Qt::SHIFT | Qt::CTRL | Qt::Key_S, &TMainForm::Saveas1Click},
    {"E&xit", kNoKey, &TMainForm::Exit1Click},
};
constexpr MenuEntry kDebugMenu[] = {
    {"&Run", Qt::Key_F9, &TMainForm::SpeedButton2Click},
    {"S&top", Qt::Key_F2, &TMainForm::SpeedButton3Click},
    {"&Step", Qt::Key_F8, &TMainForm::SpeedButton4Click},
    {"R&eset", Qt::Key_F4, &TMainForm::SpeedButton1Click},
};
constexpr MenuEntry kHelpMenu[] = {
    {"&About", kNoKey, &TMainForm::About1Click},
};

} // namespace

TMainForm::TMainForm(std::unique_ptr<TWorkbenchDialogs> Dialogs, const QString& SettingsFile)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      dialogs_(Dialogs ? std::move(Dialogs) : std::make_unique<TQtDialogs>()),
      settings_(SettingsFile.isEmpty() ? std::make_unique<TWorkbenchSettings>()
                                       : std::make_unique<TWorkbenchSettings>(
                                             QFile::encodeName(SettingsFile).toStdString())),
      recentFiles_(std::make_unique<TRecentFiles>(*settings_)),
      examples_(TExampleLibrary::Installed()) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QLatin1String(kCaption));
    setFont(FormFont());

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("ClientArea"));
    client_->setMinimumSize(kDesignClientSize);
    client_->resize(kDesignClientSize);
    setCentralWidget(client_);
    MakeMenus();

    highlighter_ = workbench::CreateMainWindowHighlighter(nullptr);
    SynEdit1 = new editor::qt::TSynEdit(client_);
    SynEdit1->setObjectName(QStringLiteral("SynEdit1"));
    workbench::ApplyMainWindowEditorSettings(*SynEdit1, highlighter_.get());
    SynEdit1->move(4, 4);

    MakeSpeedButtons();
    Board = new TBoardPanel(client_);
    Console = new TConsole(client_);
    Console->setGeometry(48, 252, 433, 169);
    MakeVariablesPanel();
    StatusBar1 = new TStatusBar(client_);
    StatusBar1->setGeometry(0, kClientHeight - TStatusBar::kHeight, kClientWidth,
                            TStatusBar::kHeight);
    client_->installEventFilter(this);

    MakeExecution();
    WatchEditor();
    MakeEditing();
    FormCreate();
    InputForm = new TInputForm(this);
    Form2 = new TForm2(this);
    Debugger = new TDebuggerCommands(*this, *dialogs_);
    Debugger->SetSettingsFile(settings_->File());
    ScenarioCheck = new TScenarioCheck(*this);
    MakeTravel();
    CentreOnScreen();
}

// The execution control is destroyed first (declared last): its run ends and
// is joined while the widgets it reports to still exist. The debugger's
// commands go before the editor, whose markers they hear and tell the control.
TMainForm::~TMainForm() {
    // The timeline reads the execution control's history.
    delete Timeline;
    Timeline = nullptr;
    delete Debugger;
    Debugger = nullptr;
}

void TMainForm::MakeMenus() {
    const auto add = [this](const char* title, const auto& entries) {
        QMenu* menu = menuBar()->addMenu(QLatin1String(title));
        for (const MenuEntry& entry : entries) {
            QAction* action = menu->addAction(QLatin1String(entry.text));
            if (entry.shortcut != kNoKey) action->setShortcut(QKeySequence(entry.shortcut));
            connect(action, &QAction::triggered, this, entry.handler);
        }
        return menu;
    };
    FileMenu = add("&File", kFileMenu);
    // After File open: another way to open a program.
    RecentFilesMenu = new TRecentFilesMenu(*recentFiles_, this);
    FileMenu->insertMenu(FileMenu->actions().at(2), RecentFilesMenu);
    connect(RecentFilesMenu, &TRecentFilesMenu::fileChosen, this, &TMainForm::OpenRecentFile);
    // Filled with the editor (MakeEditing).
    EditMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    ViewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    DebugMenu = add("&Debug", kDebugMenu);
    QMenu* help = add("&Help", kHelpMenu);
    examplesMenu_ = new QMenu(QStringLiteral("&Examples"), help);
    examplesMenu_->setObjectName(QStringLiteral("ExamplesMenu"));
    help->insertMenu(help->actions().constFirst(), examplesMenu_);
    MakeExamplesMenu();
}

void TMainForm::MakeExamplesMenu() {
    examplesMenu_->clear();
    const QStringList names = examples_.Names();
    for (const QString& name : names)
        connect(examplesMenu_->addAction(name), &QAction::triggered, this,
                [this, name] { OpenExample(name); });
    if (names.isEmpty())
        examplesMenu_->addAction(QStringLiteral("(none installed)"))->setEnabled(false);
}

void TMainForm::SetExampleLibrary(TExampleLibrary Library) {
    examples_ = std::move(Library);
    MakeExamplesMenu();
}

void TMainForm::MakeSpeedButtons() {
    QFrame* panel = MakePanel(client_, "Panel5", {4, 196, 41, 225});
    for (const SpeedButtonDesign& design : kSpeedButtons) {
        auto* button = new QToolButton(panel);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(design.number));
        button->setGeometry(8, design.top, design.width, 25);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setIcon(QIcon(GlyphImage(design.glyph)));
        button->setIconSize(QSize(16, 16));
        button->setToolTip(QLatin1String(design.hint));
        connect(button, &QToolButton::clicked, this, design.handler);
        SpeedButtons[static_cast<std::size_t>(design.number - 1)] = button;
    }
}

void TMainForm::MakeVariablesPanel() {
    QFrame* panel = MakePanel(client_, "Panel6", {484, 4, 113, 421});
    MakeLabel(panel, QStringLiteral("Variables"), 32, 4);
    StringGrid1 = new TVariablesGrid(panel);
    StringGrid1->setGeometry(4, 20, 101, 397);
    connect(StringGrid1, &TVariablesGrid::EditRejected, this,
            [this](const QString& message) { dialogs_->ShowError(this, message); });
    connect(StringGrid1, &TVariablesGrid::VariableEdited, this,
            [this](int index, std::int16_t value) {
                // The past is only shown: the paused run's values stay.
                if (execution_->ShownMoment()) {
                    dialogs_->ShowError(this, kPastIsReadOnly);
                    return;
                }
                execution_->Interpreter().set_variable(index, value);
            });
}

void TMainForm::FormCreate() {
    Board->StartUpLamps();
    StringGrid1->FillStartUp();
    SynEdit1->Lines().Clear();
    Console->WriteStartUpBanner();
    currentFileName_ = QLatin1String(kStartUpFileName);
    ShowRunState();
    connect(&statusTimer_, &QTimer::timeout, this, &TMainForm::ShowRunState);
    statusTimer_.start(kStatusInterval);
}

void TMainForm::CentreOnScreen() {
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

bool TMainForm::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == client_ && Event->type() == QEvent::Resize) LayOut();
    return QMainWindow::eventFilter(Watched, Event);
}

void TMainForm::LayOut() {
    const int findBar = FindBar && !FindBar->isHidden() ? FindBar->sizeHint().height() : 0;
    const TMainFormPlaces places = MainFormPlaces(client_->size(), findBar);
    const std::pair<const char*, QRect> parts[] = {
        {"SynEdit1", places.SynEdit1},     {"Panel5", places.Panel5},   {"Panel1", places.Panel1},
        {"Panel2", places.Panel2},         {"Panel3", places.Panel3},   {"Panel4", places.Panel4},
        {"Panel7", places.Panel7},         {"Console", places.Console}, {"Panel6", places.Panel6},
        {"StatusBar1", places.StatusBar1}, {"FindBar", places.FindBar}};
    for (const auto& [name, place] : parts)
        if (auto* part =
                client_->findChild<QWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly))
            part->setGeometry(place);
}

void TMainForm::ShowRunState() {
    StatusBar1->SetPanelText(1, ToQString(RunStateName(RunState())));
    // Also when the window left a past moment without showing the present.
    StringGrid1->SetEditable(!execution_->ShownMoment());
}

void TMainForm::SetErrorText(const QString& Text) {
    StatusBar1->SetPanelText(2, Text);
}

} // namespace marlinet::workbench
