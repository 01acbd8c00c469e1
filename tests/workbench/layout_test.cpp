// The main window's components at their design places, how they grow with
// the window, its menus, keys and hints.
#include <gtest/gtest.h>

#include <QAction>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

#include "editor/qt/key_mapping.h"
#include "editor/qt/synedit.h"
#include "fake_dialogs.h"
#include "workbench/debugger_commands.h"
#include "workbench/main_form.h"
#include "workbench/status_bar.h"

namespace marlinet::workbench {
namespace {

struct Place {
    const char* name;
    QRect rect; // in the parent's coordinates
};

const Place kPlaces[] = {
    {"SynEdit1", {4, 4, 477, 189}},     {"Panel5", {4, 196, 41, 225}},
    {"Panel1", {48, 196, 85, 53}},      {"Panel2", {136, 196, 81, 53}},
    {"Panel3", {220, 196, 97, 53}},     {"Panel4", {320, 196, 57, 53}},
    {"Panel7", {380, 196, 101, 53}},    {"Console", {48, 252, 433, 169}},
    {"Panel6", {484, 4, 113, 421}},     {"StringGrid1", {4, 20, 101, 397}},
    {"StatusBar1", {0, 424, 601, 19}},  {"Image9", {56, 20, 16, 16}},
    {"Image16", {56, 20, 16, 16}},      {"Image13", {40, 20, 16, 16}},
    {"Image14", {40, 20, 16, 16}},      {"Image15", {24, 20, 16, 16}},
    {"Image12", {24, 20, 16, 16}},      {"Image11", {8, 20, 16, 16}},
    {"Image10", {8, 20, 16, 16}},       {"CheckBox8", {56, 20, 16, 16}},
    {"CheckBox7", {40, 20, 16, 16}},    {"CheckBox6", {24, 20, 16, 16}},
    {"CheckBox5", {8, 20, 16, 16}},     {"CheckBox1", {4, 4, 93, 16}},
    {"Edit2", {4, 20, 40, 21}},         {"Edit1", {49, 20, 40, 21}},
    {"Edit3", {8, 20, 40, 21}},         {"SpeedButton6", {8, 8, 24, 25}},
    {"SpeedButton5", {8, 36, 24, 25}},  {"SpeedButton2", {8, 68, 25, 25}},
    {"SpeedButton4", {8, 92, 24, 25}},  {"SpeedButton1", {8, 124, 24, 25}},
    {"SpeedButton3", {8, 152, 24, 25}}, {"SpeedButton7", {8, 192, 24, 25}},
};

class LayoutTest : public ::testing::Test {
protected:
    TMainForm form{std::make_unique<testing::TFakeDialogs>()};
};

TEST_F(LayoutTest, EveryComponentIsAtItsDesignPlace) {
    for (const Place& place : kPlaces) {
        const auto* widget = form.findChild<QWidget*>(QLatin1String(place.name));
        ASSERT_NE(widget, nullptr) << place.name;
        EXPECT_EQ(widget->geometry(), place.rect) << place.name;
    }
}

// The design size is the default and the smallest; 200 x 101 pixels more go
// to the editor and the console (the editor the larger half of the height).
TEST_F(LayoutTest, Issue17WindowGrowsFromItsDesignSizeWithEditorAndConsole) {
    form.show();
    EXPECT_EQ(form.Client()->size(), QSize(601, 443));
    EXPECT_TRUE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    const QSize design = form.size();
    const auto shown = [&] {
        QString which;
        for (const QToolButton* button : form.Debugger->Buttons())
            which += button->isVisible() ? '+' : '-';
        return which;
    };
    EXPECT_EQ(shown(), "----"); // no room below the described buttons
    form.resize(300, 200);
    QTest::qWait(1);
    EXPECT_EQ(form.size(), design);
    form.resize(design + QSize(200, 101));
    QTest::qWait(1);
    const Place grown[] = {{"SynEdit1", {4, 4, 677, 240}},   {"Panel5", {4, 247, 41, 275}},
                           {"Panel1", {48, 247, 85, 53}},    {"Panel7", {380, 247, 101, 53}},
                           {"Console", {48, 303, 633, 219}}, {"Panel6", {684, 4, 113, 421}},
                           {"StatusBar1", {0, 525, 801, 19}}};
    for (const Place& place : grown)
        EXPECT_EQ(form.findChild<QWidget*>(QLatin1String(place.name))->geometry(), place.rect)
            << place.name;
    EXPECT_EQ(shown(), "++--");
    EXPECT_EQ(form.Debugger->Buttons()[0]->toolTip(), "Toggle breakpoint (F5)");
}

TEST_F(LayoutTest, StatusBarPanelsAre50And150AndTheRest) {
    form.show();
    EXPECT_EQ(form.StatusBar1->PanelGeometry(0), QRect(0, 0, 50, 19));
    EXPECT_EQ(form.StatusBar1->PanelGeometry(1), QRect(50, 0, 150, 19));
    EXPECT_EQ(form.StatusBar1->PanelGeometry(2), QRect(200, 0, 401, 19));
    EXPECT_EQ(form.StatusBar1->PanelText(1), "Idle");
    // There is no panel before the first or after the third.
    for (const int panel : {-1, 3}) {
        form.StatusBar1->SetPanelText(panel, QStringLiteral("x"));
        EXPECT_EQ(form.StatusBar1->PanelText(panel), QString()) << panel;
        EXPECT_EQ(form.StatusBar1->PanelGeometry(panel), QRect()) << panel;
    }
}

TEST_F(LayoutTest, MenusHoldTheirEntriesMnemonicsAndShortcuts) {
    QStringList seen;
    for (QAction* title : form.menuBar()->actions()) {
        seen << title->text();
        for (QAction* entry : title->menu()->actions())
            seen << "  " + entry->text() + " " + entry->shortcut().toString();
    }
    EXPECT_EQ(seen.join('|'), "&File|  &New |  File &open Ctrl+O|  &Recent files |"
                              "  &Save Ctrl+S|  Save &as... Ctrl+Shift+S|  Export &timeline... |"
                              "  E&xit |"
                              "&Edit|  &Undo\tCtrl+Z |  &Redo\tCtrl+Shift+Z |   |"
                              "  Cu&t\tCtrl+X |  &Copy\tCtrl+C |  &Paste\tCtrl+V |"
                              "  Select &all\tCtrl+A |   |  &Find... Ctrl+F|  Find &next F3|"
                              "  Find pre&vious Shift+F3|  R&eplace... Ctrl+H|"
                              "  &Go to line... Ctrl+G|   |  Co&mment/Uncomment lines |"
                              "  Upper ca&se |  &Lower case |  T&oggle case |  T&itle case |"
                              "&View|  Zoom &in Ctrl++|  Zoom &out Ctrl+-|  &Normal size |   |"
                              "  I/O &timeline |"
                              "&Debug|  &Run F9|  S&top F2|  &Step F8|  R&eset F4|   |"
                              "  Toggle &breakpoint F5|  Step &over Shift+F8|"
                              "  Step o&ut Ctrl+Shift+F8|  Run to &cursor F7|"
                              "  &Delete all breakpoints |  Call stac&k |   |"
                              "  Check with &scenario... |   |  Ste&p back Shift+F7|"
                              "  Ru&n back Ctrl+Shift+F7|"
                              "&Help|  &Examples |  &About ");
}

editor::TSynEditorCommand EditorCommandOf(TMainForm& Form, QKeyCombination Key) {
    const QKeyEvent event(QEvent::KeyPress, Key.key(), Key.keyboardModifiers());
    const editor::TSynEditKeyStrokes& keys = Form.SynEdit1->Core().Keystrokes();
    const int index = keys.FindKeycode(editor::qt::VirtualKeyFromEvent(event),
                                       editor::qt::ShiftStateFromQt(Key.keyboardModifiers()));
    return index < 0 ? editor::ecNone : keys.Items(index).Command();
}

// A menu key would take its key from the editor: no shortcut, and no Alt
// with a menu title's mnemonic, is in the editor's key table. An entry that
// names a key of the editor's (after a tab) binds none, and the key table
// gives that key the entry's own command.
TEST_F(LayoutTest, Issue17NoMenuKeyTakesAKeyOfTheEditor) {
    std::vector<QKeyCombination> keys;
    std::vector<std::pair<QAction*, QKeyCombination>> named;
    for (QAction* title : form.menuBar()->actions()) {
        const QString text = title->text();
        keys.push_back(Qt::ALT | Qt::Key(text.at(text.indexOf('&') + 1).toUpper().unicode()));
        for (QAction* entry : title->menu()->actions()) {
            for (const QKeySequence& shortcut : entry->shortcuts())
                keys.push_back(shortcut[0]);
            if (entry->text().contains('\t'))
                named.emplace_back(entry, QKeySequence(entry->text().section('\t', 1))[0]);
        }
    }
    ASSERT_EQ(keys.size(), 26u);
    for (const QKeyCombination key : keys)
        EXPECT_EQ(EditorCommandOf(form, key), editor::ecNone)
            << QKeySequence(key).toString().toStdString();
    const std::pair<const char*, editor::TSynEditorCommand> commands[] = {
        {"&Undo", editor::ecUndo},   {"&Redo", editor::ecRedo},
        {"Cu&t", editor::ecCut},     {"&Copy", editor::ecCopy},
        {"&Paste", editor::ecPaste}, {"Select &all", editor::ecSelectAll}};
    ASSERT_EQ(named.size(), std::size(commands));
    for (std::size_t i = 0; i < named.size(); ++i) {
        const auto& [entry, key] = named[i];
        EXPECT_TRUE(entry->text().startsWith(QLatin1String(commands[i].first)));
        EXPECT_TRUE(entry->shortcuts().isEmpty());
        EXPECT_EQ(EditorCommandOf(form, key), commands[i].second) << entry->text().toStdString();
    }
}

TEST_F(LayoutTest, Issue17PanelTitlesFitTheirPanels) {
    for (const char* name : {"Panel1", "Panel2"}) {
        const auto* panel = form.findChild<QFrame*>(name);
        const auto* title = panel->findChild<QLabel*>();
        EXPECT_LE(title->x() + QFontMetrics(title->font()).horizontalAdvance(title->text()),
                  panel->width() - panel->frameWidth())
            << title->text().toStdString();
    }
}

TEST_F(LayoutTest, SpeedButtonsAndPanelsShowTheirHints) {
    const char* hints[] = {"Reset & Reload (F4)", "Run (F9)", "Stop (F2)",
                           "Step (F8)",           "Save",     "Open",
                           "Clear Console"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(form.SpeedButtons[static_cast<std::size_t>(i)]->toolTip(), hints[i]);
    EXPECT_EQ(form.findChild<QWidget*>("Panel1")->toolTip(), "Discrete Outputs");
    EXPECT_EQ(form.findChild<QWidget*>("Panel2")->toolTip(), "Discrete Inputs");
    EXPECT_EQ(form.findChild<QWidget*>("Panel3")->toolTip(), "");
}

} // namespace
} // namespace marlinet::workbench
