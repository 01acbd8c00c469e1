// The window's editing aids, offscreen: the find bar, replacing, go to
// line, the Edit and context menus, recent files and zoom.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "editor/qt/synedit.h"
#include "fake_dialogs.h"
#include "wait_for.h"
#include "workbench/console.h"
#include "workbench/edit_commands.h"
#include "workbench/editor_context_menu.h"
#include "workbench/execution_control.h"
#include "workbench/find_bar.h"
#include "workbench/main_form.h"
#include "workbench/recent_files.h"
#include "workbench/recent_files_menu.h"
#include "workbench/status_bar.h"
#include "workbench/zoom.h"

namespace marlinet::workbench {
namespace {

using editor::TBufferCoord;

// Four GOSUBs, on lines 2, 3 and 5 (twice).
constexpr const char* kProgram = "A = 1\r\nGOSUB 10\r\nGOSUB 20\r\nB = A\r\nGOSUB 10: GOSUB 20\r\n"
                                 "END\r\n10 A = A + 1\r\nRETURN\r\n20 RETURN";

using testing::WaitFor;

class EditingTest : public ::testing::Test {
protected:
    testing::TTempDir dir;
    QString settingsFile = dir.File("settings.ini");
    testing::TFakeDialogs* dialogs = new testing::TFakeDialogs;
    std::unique_ptr<TMainForm> window =
        std::make_unique<TMainForm>(std::unique_ptr<TWorkbenchDialogs>(dialogs), settingsFile);
    TMainForm& form = *window;
    editor::qt::TSynEdit& edit = *form.SynEdit1;
    editor::TCustomSynEdit& core = edit.Core();
    TFindBar& bar = *form.FindBar;

    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        edit.setFocus();
    }
    void Open(const std::string& Program, const char* Name = "prog.bas") {
        const QString file = dir.File(Name);
        testing::WriteFile(file, Program);
        ASSERT_TRUE(form.OpenFile(file));
    }
    // A key as the focused widget gets it.
    void Key(QKeyCombination K) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &form, K.key(), K.keyboardModifiers());
    }
    TBufferCoord SelFirst() const { return core.Document().SelectionFirst(); }
    QString RunState() {
        form.ShowRunState();
        return form.StatusBar1->PanelText(1);
    }
};

// Ctrl+F and typing (each letter finds the first match from where the
// search began), F3 and Shift+F3 in the window and Enter in the field (round
// the ends, with a note); the editor marks the matches while the bar is
// open, and gets the focus back with Escape. F3 with the bar closed opens it.
TEST_F(EditingTest, FindBarFindsAsOneTypesAndStepsRoundTheEndsWithANote) {
    Open(kProgram);
    core.SetCaretXY({1, 3});
    const int editorHeight = edit.height();
    Key(Qt::CTRL | Qt::Key_F);
    EXPECT_EQ(QApplication::focusWidget(), bar.FindField);
    EXPECT_EQ(bar.geometry().top(), edit.geometry().bottom() + 1);
    EXPECT_EQ(core.MarkedSearch(), &bar.Search());
    const struct {
        const char* typed; // or else the key
        QKeyCombination key;
        TBufferCoord first;
        const char* note;
    } steps[] = {
        {"G", {}, {1, 3}, "2 of 4"},
        {"OSUB 2", {}, {1, 3}, "1 of 2"},
        {nullptr, Qt::Key_F3, {11, 5}, "2 of 2"},
        {nullptr, Qt::Key_F3, {1, 3}, "1 of 2, wrapped to top"},
        {nullptr, Qt::SHIFT | Qt::Key_F3, {11, 5}, "2 of 2, wrapped to bottom"},
        {nullptr, Qt::Key_Return, {1, 3}, "1 of 2, wrapped to top"},
        {nullptr, Qt::SHIFT | Qt::Key_Return, {11, 5}, "2 of 2, wrapped to bottom"},
        {"1", {}, {11, 5}, "No matches"},
    };
    for (const auto& step : steps) {
        if (step.typed)
            QTest::keyClicks(bar.FindField, QLatin1String(step.typed));
        else
            Key(step.key);
        EXPECT_EQ(bar.Note().toStdString(), step.note);
        EXPECT_EQ(SelFirst(), step.first) << step.note;
    }
    Key(Qt::Key_Escape);
    EXPECT_TRUE(bar.isHidden());
    EXPECT_EQ(QApplication::focusWidget(), &edit);
    EXPECT_EQ(core.MarkedSearch(), nullptr);
    EXPECT_EQ(edit.height(), editorHeight);
    Key(Qt::Key_F3);
    EXPECT_FALSE(bar.isHidden());
    EXPECT_EQ(QApplication::focusWidget(), &edit);
}

// An unusable pattern is said so in the bar and finds nothing; the
// options take part in the search.
TEST_F(EditingTest, OptionsApplyAndAnInvalidPatternIsShownInTheBar) {
    Open("Ab ab abc\r\nab_c ab");
    Key(Qt::CTRL | Qt::Key_F);
    QTest::keyClicks(bar.FindField, QStringLiteral("ab"));
    const struct {
        QToolButton* option;
        const char* pattern;
        const char* note;
    } cases[] = {
        {nullptr, "ab", "1 of 5"},
        {bar.MatchCase, "ab", "1 of 4"},
        {bar.WholeWords, "ab", "1 of 2"},
        {bar.RegularExpression, "a(b",
         "Invalid pattern: missing closing parenthesis (at character 4)"},
        {nullptr, "a(b)$", "1 of 1"},
    };
    for (const auto& c : cases) {
        if (c.option) c.option->click();
        bar.FindField->setText(QLatin1String(c.pattern));
        EXPECT_EQ(bar.Note().toStdString(), c.note);
    }
}

// Replace all of a variable as one undo step, in the selection when one
// spans lines; Replace replaces the match found and goes on to the next.
TEST_F(EditingTest, ReplaceAllIsOneUndoStepAndReplaceGoesOnToTheNextMatch) {
    Open("A = 1\r\nB = A + A\r\nPRINT A");
    Key(Qt::CTRL | Qt::Key_H);
    ASSERT_TRUE(bar.Replacing());
    bar.WholeWords->click();
    QTest::keyClicks(bar.FindField, QStringLiteral("A"));
    bar.ReplaceField->setText(QStringLiteral("COUNT"));
    bar.ReplaceAllButton->click();
    EXPECT_EQ(core.Lines().GetTextStr(), "COUNT = 1\r\nB = COUNT + COUNT\r\nPRINT COUNT");
    EXPECT_EQ(bar.Note(), "Replaced 4 matches");
    Key(Qt::Key_Escape);
    Key(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(core.Lines().GetTextStr(), "A = 1\r\nB = A + A\r\nPRINT A");

    core.SetBlockBegin({1, 2});
    core.SetBlockEnd({1, 3}); // line 2 only
    Key(Qt::CTRL | Qt::Key_H);
    bar.ReplaceAllButton->click();
    EXPECT_EQ(core.Lines().GetTextStr(), "A = 1\r\nB = COUNT + COUNT\r\nPRINT A");
    EXPECT_EQ(bar.Note(), "Replaced 2 matches");

    core.SetSelStart(0);
    Key(Qt::Key_F3); // selects the A of line 1
    bar.ReplaceButton->click();
    EXPECT_EQ(core.Lines().GetTextStr(), "COUNT = 1\r\nB = COUNT + COUNT\r\nPRINT A");
    EXPECT_EQ(SelFirst(), (TBufferCoord{7, 3}));
    bar.ReplaceField->setText(QStringLiteral("${x"));
    bar.RegularExpression->click();
    bar.ReplaceAllButton->click();
    EXPECT_TRUE(bar.Note().startsWith(QLatin1String("Invalid replacement")));
    EXPECT_EQ(core.Lines().GetTextStr(), "COUNT = 1\r\nB = COUNT + COUNT\r\nPRINT A");
}

// Replacing and the Edit menu's commands that change the text end a paused
// run as a typed key does; finding and copying leave it paused.
TEST_F(EditingTest, ReplacingOrAnEditCommandEndsALiveRunAsATypedKeyDoes) {
    TEditCommands& commands = *form.EditCommands;
    const struct {
        const char* what;
        std::function<void()> act;
        bool ends;
    } cases[] = {
        {"find next", [&] { bar.FindNext(); }, false},
        {"copy", [&] { commands.Action("Copy")->trigger(); }, false},
        {"replace all", [&] { bar.ReplaceAllButton->click(); }, true},
        {"replace", [&] { bar.ReplaceButton->click(); }, true},
        {"upper case", [&] { commands.Action("UpperCase")->trigger(); }, true},
        {"comment", [&] { commands.Action("Comment")->trigger(); }, true},
    };
    for (const auto& c : cases) {
        Open("10 a = a + 1\r\nGOTO 10");
        Key(Qt::Key_F8);
        ASSERT_TRUE(WaitFor([&] { return RunState() == "Stopped" && edit.SelLength() == 1; }))
            << c.what;
        bar.OpenReplace();
        bar.FindField->setText(QStringLiteral("a"));
        bar.ReplaceField->setText(QStringLiteral("b"));
        core.SetCaretXY({1, 1});
        bar.FindNext();
        c.act();
        EXPECT_EQ(RunState(), c.ends ? "Modified" : "Stopped") << c.what;
        form.SpeedButton1Click(); // Reset & Reload
        ASSERT_TRUE(WaitFor([&] { return !form.Execution().HasThread(); }));
    }
}

// Go to line: the line in view and the caret at its start; Cancel leaves
// both alone.
TEST_F(EditingTest, GoToLineShowsTheLineWithTheCaretAtItsStart) {
    std::string program;
    for (int i = 1; i <= 46; ++i)
        program += "PRINT " + std::to_string(i) + "\r\n";
    Open(program);
    core.SetCaretXY({4, 2});
    dialogs->LineAnswers = {31, std::nullopt};
    Key(Qt::CTRL | Qt::Key_G);
    ASSERT_EQ(dialogs->LineQuestions.size(), 1u);
    EXPECT_EQ(dialogs->LineQuestions[0], std::make_pair(2, 47));
    EXPECT_EQ(core.CaretXY(), (TBufferCoord{1, 31}));
    EXPECT_GE(31, core.TopLine());
    EXPECT_LT(31, core.TopLine() + core.LinesInWindow());
    EXPECT_EQ(QApplication::focusWidget(), &edit);
    form.EditCommands->GoToLine();
    EXPECT_EQ(core.CaretXY(), (TBufferCoord{1, 31}));
}

QStringList Texts(const QList<QAction*>& Actions) {
    QStringList texts;
    for (const QAction* action : Actions)
        texts << (!action || action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

// A right click in the text opens the Edit commands at the pointer; one in
// the gutter opens nothing; entries added later come at the end.
TEST_F(EditingTest, ContextMenuOffersTheEditCommandsAndTakesMoreEntries) {
    Open(kProgram);
    auto* extra = new QAction(QStringLiteral("Toggle breakpoint"), &form);
    form.EditCommands->ContextMenu().AddEntry(nullptr);
    form.EditCommands->ContextMenu().AddEntry(extra);
    const QPoint text(core.GutterWidth() + 20, 5);
    QContextMenuEvent inGutter(QContextMenuEvent::Mouse, QPoint(3, 5),
                               edit.viewport()->mapToGlobal(QPoint(3, 5)));
    QApplication::sendEvent(edit.viewport(), &inGutter);
    EXPECT_EQ(form.EditCommands->ContextMenu().OpenMenu(), nullptr);
    QContextMenuEvent inText(QContextMenuEvent::Mouse, text, edit.viewport()->mapToGlobal(text));
    QApplication::sendEvent(edit.viewport(), &inText);
    QMenu* menu = form.EditCommands->ContextMenu().OpenMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Texts(menu->actions()).join('|').toStdString(),
              "&Undo\tCtrl+Z|&Redo\tCtrl+Shift+Z|-|Cu&t\tCtrl+X|&Copy\tCtrl+C|&Paste\tCtrl+V|"
              "Select &all\tCtrl+A|-|&Find...|R&eplace...|&Go to line...|-|"
              "Co&mment/Uncomment lines|Upper ca&se|&Lower case|T&oggle case|T&itle case|-|"
              "Toggle &breakpoint|Run to &cursor|-|Toggle breakpoint"); // the debugger's, then this
    EXPECT_FALSE(form.EditCommands->Action("Undo")->isEnabled());
    EXPECT_FALSE(form.EditCommands->Action("Copy")->isEnabled());
    menu->close();
    delete extra;
    EXPECT_EQ(form.EditCommands->ContextMenu().Entries().size(), 21);
}

// While the editor is read-only, the commands that change the text are
// off, the replace row too; the rest stay on.
TEST_F(EditingTest, CommandsThatChangeTheTextAreOffWhileReadOnly) {
    Open(kProgram);
    core.SetReadOnly(true);
    core.SelectAll();
    emit form.EditMenu->aboutToShow();
    for (const char* name : {"Undo", "Redo", "Cut", "Paste", "Replace", "Comment", "UpperCase",
                             "LowerCase", "ToggleCase", "TitleCase"})
        EXPECT_FALSE(form.EditCommands->Action(name)->isEnabled()) << name;
    for (const char* name : {"Copy", "SelectAll", "Find", "FindNext", "FindPrevious", "GoToLine"})
        EXPECT_TRUE(form.EditCommands->Action(name)->isEnabled()) << name;
    Key(Qt::CTRL | Qt::Key_H);
    EXPECT_FALSE(bar.Replacing());
    bar.OpenFind();
    EXPECT_FALSE(bar.ReplaceAllButton->isEnabled());

    core.SetReadOnly(false);
    emit form.EditMenu->aboutToShow();
    form.EditCommands->Action("Comment")->trigger();
    emit form.EditMenu->aboutToShow();
    for (const char* name : {"Undo", "Cut", "Paste", "Replace", "Comment"})
        EXPECT_TRUE(form.EditCommands->Action(name)->isEnabled()) << name;
}

QStringList RecentEntries(TMainForm& Form) {
    Form.RecentFilesMenu->Rebuild();
    QStringList entries;
    for (const QAction* action : Form.RecentFilesMenu->actions())
        if (!action->isSeparator())
            entries << (action->isEnabled() ? "" : "grey ") + action->text();
    return entries;
}

// Programs opened and saved come first in File > Recent files, missing
// ones grey until removed; the list is there again in a new window with
// the same settings, and choosing an entry opens it.
TEST_F(EditingTest, RecentFilesListOpenedAndSavedProgramsAndSurviveANewWindow) {
    Open("A = 1", "one.bas");
    Open("B = 2", "two.bas");
    dialogs->FileAnswers.push_back(dir.File("three.bas"));
    form.Saveas1Click();
    std::filesystem::remove(dir.File("two.bas").toStdString());
    const QString one = dir.File("one.bas"), three = dir.File("three.bas");
    const QStringList expected = {"&1 " + three, "grey &2 " + dir.File("two.bas"), "&3 " + one,
                                  "Remove &missing files", "&Clear list"};
    EXPECT_EQ(RecentEntries(form), expected);

    window.reset();
    TMainForm again(std::make_unique<testing::TFakeDialogs>(), settingsFile);
    EXPECT_EQ(RecentEntries(again), expected);
    again.RecentFilesMenu->actions().at(4)->trigger(); // Remove missing files
    EXPECT_EQ(RecentEntries(again).mid(0, 2), (QStringList{"&1 " + three, "&2 " + one}));
    again.RecentFilesMenu->actions().at(1)->trigger();
    EXPECT_EQ(again.CurrentFileName(), one);
    EXPECT_EQ(again.SynEdit1->Lines().GetTextStr(), "A = 1");
    EXPECT_EQ(again.RecentFiles().Files().constFirst(), one);
}

// Ctrl+plus, Ctrl+minus and Ctrl+wheel size the editor's text, its line
// numbers and the console's text; Normal size goes back, Ctrl+0 stays Go
// to bookmark 0, and a new window comes with the size last chosen.
TEST_F(EditingTest, ZoomSizesEditorGutterAndConsoleAndIsRemembered) {
    Open(kProgram);
    const int lineHeight = core.LineHeight(), gutter = core.GutterWidth();
    const int console = form.Console->font().pixelSize();
    const std::pair<QKeyCombination, int> keys[] = {{Qt::CTRL | Qt::Key_Plus, 110},
                                                    {Qt::CTRL | Qt::Key_Equal, 125},
                                                    {Qt::CTRL | Qt::Key_Minus, 110},
                                                    {Qt::CTRL | Qt::Key_0, 110}};
    for (const auto& [key, percent] : keys) {
        Key(key);
        EXPECT_EQ(form.Zoom->Percent(), percent);
    }
    QWheelEvent wheel(QPointF(60, 10), edit.viewport()->mapToGlobal(QPointF(60, 10)), {}, {0, 240},
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(edit.viewport(), &wheel);
    EXPECT_EQ(form.Zoom->Percent(), 150);
    EXPECT_GT(core.LineHeight(), lineHeight);
    EXPECT_GT(core.GutterWidth(), gutter);
    EXPECT_EQ(form.Console->font().pixelSize(), (console * 150 + 50) / 100);
    EXPECT_EQ(core.TopLine(), 1); // Ctrl+wheel zoomed; it did not scroll

    const int zoomedHeight = core.Font().Height();
    window.reset();
    TMainForm again(std::make_unique<testing::TFakeDialogs>(), settingsFile);
    EXPECT_EQ(again.Zoom->Percent(), 150);
    EXPECT_EQ(again.SynEdit1->Core().Font().Height(), zoomedHeight);
    again.Zoom->NormalSizeAction->trigger();
    EXPECT_EQ(again.SynEdit1->Core().LineHeight(), lineHeight);
    EXPECT_EQ(again.Console->font().pixelSize(), console);
}

// Zooming out or in runs to the smallest or largest size and stays there.
TEST_F(EditingTest, ZoomStopsAtTheSmallestAndTheLargestSize) {
    for (const auto& [action, percent] :
         {std::pair{form.Zoom->ZoomOutAction, 50}, {form.Zoom->ZoomInAction, 300}}) {
        for (int i = 0; i < 13; ++i)
            action->trigger();
        EXPECT_EQ(form.Zoom->Percent(), percent);
    }
}

} // namespace
} // namespace marlinet::workbench

namespace marlinet::workbench {
namespace {

// A typed character reports its selection change once, also when the
// window first leaves the paused line's whole-line selection for it.
TEST_F(EditingTest, ATypedCharacterReportsTheSelectionOnce) {
    struct Counter {
        int selection = 0;
        void Status(editor::TObject*, editor::TSynStatusChanges Changes) {
            if (Changes.Contains(editor::scSelection)) ++selection;
        }
    } counter;
    core.OnStatusChange = editor::TStatusChangeEvent::Of<&Counter::Status>(&counter);
    const auto typed = [&](Qt::Key K) {
        counter.selection = 0;
        Key(K);
        return counter.selection;
    };
    Open(kProgram);
    EXPECT_EQ(typed(Qt::Key_X), 1);
    Key(Qt::Key_F8);
    ASSERT_TRUE(WaitFor([&] { return RunState() == "Stopped" && edit.SelLength() == 1; }));
    ASSERT_EQ(core.SelectionMode(), editor::smLine);
    edit.setFocus();
    EXPECT_EQ(typed(Qt::Key_Y), 1);
    EXPECT_EQ(RunState(), "Modified");
    EXPECT_EQ(core.SelectionMode(), editor::smNormal);
    core.OnStatusChange = {};
}

} // namespace
} // namespace marlinet::workbench
