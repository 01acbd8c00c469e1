// The debugger in the real window, offscreen: breakpoints from the gutter and
// its menu, conditions and hit counts, run to cursor, the marks of a pause
// (the gutter's arrow, changed variables, the call stack), and breakpoints
// remembered for a file across windows.
#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QTest>
#include <QToolButton>

#include "editor/qt/synedit.h"
#include "fake_dialogs.h"
#include "highlight/ini_file.h"
#include "workbench/breakpoint_store.h"
#include "workbench/call_stack_view.h"
#include "workbench/debugger_commands.h"
#include "workbench/edit_commands.h"
#include "workbench/editor_context_menu.h"
#include "workbench/execution_control.h"
#include "workbench/main_form.h"
#include "workbench/status_bar.h"
#include "workbench/variables_grid.h"
#include "workbench/workbench_settings.h"

namespace marlinet::workbench {
namespace {

using basic::RunState;
using editor::TSynBreakpoint;
using testing::WriteFile;

TSynBreakpoint At(int Line, bool Enabled = true, std::string Condition = {}, int HitCount = 0) {
    return {Line, Enabled, std::move(Condition), HitCount};
}

// Lines 2 to 4 loop five times; line 3 calls the subroutine at 6 and 7.
constexpr const char* kLoop = "A = 7\r\n"          // 1
                              "FOR I = 1 TO 5\r\n" // 2
                              "GOSUB 100\r\n"      // 3
                              "NEXT\r\n"           // 4
                              "END\r\n"            // 5
                              "100 B = B + I\r\n"  // 6
                              "RETURN";            // 7

class DebuggerTest : public ::testing::Test {
protected:
    testing::TTempDir dir;
    testing::TFakeDialogs* dialogs = new testing::TFakeDialogs;
    std::unique_ptr<TMainForm> window = MakeWindow(dialogs);
    TMainForm& form = *window;
    editor::qt::TSynEdit& edit = *form.SynEdit1;
    editor::TCustomSynEdit& core = edit.Core();
    editor::TSynMarkerSet& markers = edit.Markers();
    const QString file = dir.File("loop.bas");

    std::unique_ptr<TMainForm> MakeWindow(testing::TFakeDialogs* Dialogs) {
        auto made = std::make_unique<TMainForm>(std::unique_ptr<TWorkbenchDialogs>(Dialogs),
                                                dir.File("settings.ini"));
        made->show();
        made->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(made.get()));
        return made;
    }
    void Open(TMainForm& Form, testing::TFakeDialogs& Dialogs) {
        Dialogs.FileAnswers.push_back(file);
        Form.Fileopen1Click();
    }
    void SetUp() override {
        WriteFile(file, kLoop);
        Open(form, *dialogs);
    }
    bool Until(const std::function<bool()>& Done) {
        QElapsedTimer timer;
        timer.start();
        while (!Done()) {
            if (timer.elapsed() > 5000) return false;
            QTest::qWait(1);
        }
        return true;
    }
    bool IsPaused() { return form.RunState() == RunState::Stopped && markers.ExecutionLine() > 0; }
    bool Paused() {
        return Until([&] { return IsPaused(); });
    }
    bool Ended() {
        return Until(
            [&] { return form.RunState() == RunState::Reset && !form.Execution().HasThread(); });
    }
    std::int16_t Var(char Name) { return form.Execution().Interpreter().variable(Name - 'A'); }
    QString Status() { return form.StatusBar1->PanelText(2); }
    void Key(QKeyCombination K) { QTest::keyClick(&edit, K.key(), K.keyboardModifiers()); }
    void ClickGutter(int Line, Qt::MouseButton Button) {
        const int y = (Line - core.TopLine()) * core.LineHeight() + core.LineHeight() / 2;
        QTest::mouseClick(edit.viewport(), Button, {}, QPoint(4, y));
    }
};

// A left click toggles, F5 toggles on the caret's line; neither moves the
// caret or the selection. Delete all breakpoints empties the gutter.
TEST_F(DebuggerTest, GutterClickAndF5ToggleBreakpointsAndLeaveTheCaret) {
    core.SetCaretXY({2, 6});
    core.SetBlockBegin({1, 6});
    core.SetBlockEnd({4, 6});
    ClickGutter(3, Qt::LeftButton);
    Key(Qt::Key_F5);
    EXPECT_EQ(markers.Breakpoints(), (std::vector<TSynBreakpoint>{At(3), At(6)}));
    EXPECT_EQ(core.CaretXY(), (editor::TBufferCoord{2, 6}));
    EXPECT_EQ(core.SelText(), "100");
    ClickGutter(3, Qt::LeftButton);
    EXPECT_EQ(markers.Breakpoints(), (std::vector<TSynBreakpoint>{At(6)}));
    form.Debugger->DeleteAllBreakpoints();
    EXPECT_TRUE(markers.Breakpoints().empty());
}

// The editor's context menu toggles the caret line's breakpoint and runs to
// the caret, as the Debug menu does.
TEST_F(DebuggerTest, EditorContextMenuTogglesABreakpointAndRunsToTheCaret) {
    const QList<QAction*> entries = form.EditCommands->ContextMenu().Entries();
    ASSERT_GE(entries.size(), 3);
    const QList<QAction*> ours = entries.mid(entries.size() - 3);
    EXPECT_EQ(ours[0], nullptr);
    ASSERT_TRUE(ours[1] && ours[2]);
    EXPECT_EQ(ours[1]->text(), "Toggle &breakpoint");
    EXPECT_EQ(ours[2]->text(), "Run to &cursor");
    core.SetCaretXY({1, 4});
    ours[1]->trigger();
    EXPECT_EQ(markers.Breakpoints(), std::vector<TSynBreakpoint>{At(4)});
    core.SetCaretXY({1, 3});
    ours[2]->trigger();
    ASSERT_TRUE(Paused());
    EXPECT_EQ(markers.ExecutionLine(), 3);
}

// The right-click menu: what it offers on a line, and what each entry does.
TEST_F(DebuggerTest, GutterMenuEnablesConditionsCountsAndDeletes) {
    const struct {
        const char* pick;
        QStringList offered;
        std::optional<QString> condition;
        std::optional<int> count;
        std::vector<TSynBreakpoint> after; // on line 4
    } steps[] = {
        {"Add breakpoint", {"Add breakpoint", "Condition...", "Hit count..."}, {}, {}, {At(4)}},
        {"Disable", {"Disable", "Condition...", "Hit count...", "Delete"}, {}, {}, {At(4, false)}},
        {"Enable", {"Enable", "Condition...", "Hit count...", "Delete"}, {}, {}, {At(4)}},
        {"Condition...", {}, " I = 5 ", {}, {At(4, true, "I = 5")}},
        {"Condition...", {}, QString(128, 'I'), {}, {At(4, true, "I = 5")}}, // too long
        {"Hit count...", {}, {}, 3, {At(4, true, "I = 5", 3)}},
        {"Condition...", {}, {}, {}, {At(4, true, "I = 5", 3)}}, // cancelled
        {"Delete", {}, {}, {}, {}},
        {"Hit count...", {}, {}, 2, {At(4, true, "", 2)}}, // adds one
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.pick);
        dialogs->MenuChoices = {step.pick};
        dialogs->ConditionAnswers = {step.condition};
        dialogs->HitCountAnswers = {step.count};
        ClickGutter(4, Qt::RightButton);
        if (!step.offered.isEmpty()) {
            EXPECT_EQ(dialogs->MenuEntries, step.offered);
        }
        EXPECT_EQ(markers.Breakpoints(), step.after);
    }
    EXPECT_EQ(dialogs->Errors.size(), 1);
}

// Conditions and hit counts decide which arrival at line 3 pauses; a
// condition that cannot be evaluated pauses and says why.
TEST_F(DebuggerTest, ConditionsAndHitCountsPauseOnTheRightPass) {
    const struct {
        TSynBreakpoint breakpoint;
        std::vector<int> pauses; // I at each pause
        const char* status;      // at the first pause
    } cases[] = {
        {At(3, true, "I = 5"), {5}, "Paused at the breakpoint in line 3"},
        {At(3, true, "I > 3"), {4, 5}, "Paused at the breakpoint in line 3"},
        {At(3, true, "I = 99"), {}, ""},
        {At(3, true, "", 2), {2}, "Paused at the breakpoint in line 3"},
        {At(3, true, "I > 1", 3), {4}, "Paused at the breakpoint in line 3"},
        {At(3, false), {}, ""},
        {At(3, true, "I = (1"),
         {1, 2, 3, 4, 5},
         "Paused: the condition of the breakpoint in line 3 cannot be evaluated (Unbalanced "
         "parentheses)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.breakpoint.Condition);
        markers.SetBreakpoints({c.breakpoint});
        std::vector<int> pauses;
        Key(Qt::Key_F9);
        while (Until([&] { return IsPaused() || form.RunState() == RunState::Reset; }) &&
               form.RunState() == RunState::Stopped) {
            EXPECT_EQ(markers.ExecutionLine(), 3);
            if (pauses.empty()) {
                EXPECT_EQ(Status(), c.status);
            }
            pauses.push_back(Var('I'));
            Key(Qt::Key_F9);
        }
        ASSERT_TRUE(Ended());
        EXPECT_EQ(pauses, c.pauses);
    }
}

// The caret's line counts as it is after typing moved it: the text is saved
// and reloaded, and the run pauses at the statement the caret is on.
TEST_F(DebuggerTest, RunToCursorAfterTheCaretLineMoved) {
    markers.ToggleBreakpoint(5);
    core.SetCaretXY({1, 1});
    Key(Qt::Key_Return); // a new first line: every statement moves down one
    core.SetCaretXY({1, 5});
    Key(Qt::Key_F7);
    ASSERT_TRUE(Paused());
    EXPECT_EQ(markers.ExecutionLine(), 5);
    EXPECT_EQ(edit.Lines().Get(4), "NEXT");
    EXPECT_EQ(Var('B'), 1);
    EXPECT_EQ(Status(), "Paused at line 5 (run to cursor)");
    Key(Qt::Key_F9); // the breakpoint moved with its line
    ASSERT_TRUE(Paused());
    EXPECT_EQ(markers.ExecutionLine(), 6);
    EXPECT_EQ(Var('I'), 6);
}

// Step over passes a GOSUB in one step; at each pause the grid marks what
// changed since the one before, and the call stack lists what is open.
TEST_F(DebuggerTest, APauseMarksChangedVariablesTheArrowAndTheCallStack) {
    TVariablesGrid& grid = *form.StringGrid1;
    const auto marked = [&] {
        QString rows;
        for (int row = 0; row < 26; ++row)
            if (grid.IsMarked(row)) rows += QChar('A' + row);
        return rows;
    };
    form.Debugger->ShowCallStack();
    const TCallStackView& calls = *form.Debugger->CallStackView();
    EXPECT_TRUE(calls.isVisible());
    const struct {
        void (TDebuggerCommands::*command)(); // Step when null
        int line;
        const char* marked;
        QStringList calls;
    } steps[] = {
        {nullptr, 1, "", {}},
        {nullptr, 2, "A", {}},
        {nullptr, 3, "I", {"FOR I ... TO 5, line 2"}},
        {&TDebuggerCommands::StepOver, 4, "B", {"FOR I ... TO 5, line 2"}},
        {nullptr, 3, "I", {"FOR I ... TO 5, line 2"}},
        {nullptr, 6, "", {"GOSUB in line 3, returns after it", "FOR I ... TO 5, line 2"}},
        {&TDebuggerCommands::StepOut, 4, "B", {"FOR I ... TO 5, line 2"}},
    };
    TDebuggerCommands& debugger = *form.Debugger;
    for (const auto& step : steps) {
        if (step.command)
            (debugger.*step.command)();
        else
            Key(Qt::Key_F8);
        ASSERT_TRUE(Until([&] { return markers.ExecutionLine() == step.line; })) << step.line;
        EXPECT_EQ(marked(), step.marked) << step.line;
        QStringList expected = step.calls;
        if (expected.isEmpty()) expected << "No GOSUB or FOR is open.";
        EXPECT_EQ(calls.Lines(), expected) << step.line;
    }
    Key(Qt::Key_F9);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(marked(), "");
    EXPECT_EQ(markers.ExecutionLine(), 0);
    EXPECT_EQ(calls.Lines(), QStringList{"Shown when the program pauses."});
}

TEST_F(DebuggerTest, AnErrorMarksItsLineUntilTheNextRun) {
    core.SetBlockBegin({1, 5});
    core.SetBlockEnd({4, 5});
    QTest::keyClicks(&edit, "GOTO 99"); // in place of END
    Key(Qt::Key_F9);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(markers.ErrorLine(), 5);
    EXPECT_EQ(markers.ExecutionLine(), 0);
    Key(Qt::Key_F8);
    EXPECT_EQ(markers.ErrorLine(), 0);
}

// Remembered per file: in a new window with the same settings, across the
// reload at every run, and at their new lines after an edit and a save.
TEST_F(DebuggerTest, BreakpointsAreRememberedForTheFile) {
    const std::vector<TSynBreakpoint> set{At(3, true, "I = 5; 100%", 2), At(6, false)};
    markers.SetBreakpoints(set);
    Key(Qt::Key_F9);
    ASSERT_TRUE(Paused());
    EXPECT_NE(Status(), ""); // why it paused, until the reset
    Key(Qt::Key_F4);
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(markers.Breakpoints(), set);
    form.FormClose();

    auto* otherDialogs = new testing::TFakeDialogs;
    std::unique_ptr<TMainForm> other = MakeWindow(otherDialogs);
    Open(*other, *otherDialogs);
    EXPECT_EQ(other->SynEdit1->Markers().Breakpoints(), set);
    other->SynEdit1->Core().SetCaretXY({1, 1});
    QTest::keyClick(other->SynEdit1, Qt::Key_Return);
    otherDialogs->FileAnswers.push_back(dir.File("loop.bas"));
    other->Save1Click();
    other->FormClose();
    const std::vector<TSynBreakpoint> moved{At(4, true, "I = 5; 100%", 2), At(7, false)};
    EXPECT_EQ(TBreakpointStore(dir.File("settings.ini").toStdString()).Load(file.toStdString()),
              moved);
}

// A change of breakpoints just before another file opens stays with its file.
TEST_F(DebuggerTest, BreakpointsSetJustBeforeOpeningAnotherFileStayWithTheirFile) {
    const QString other = dir.File("other.bas");
    WriteFile(other, "PRINT 1\r\nPRINT 2\r\n");
    ClickGutter(2, Qt::LeftButton);
    dialogs->FileAnswers.push_back(other);
    form.Fileopen1Click();
    EXPECT_TRUE(markers.Breakpoints().empty());
    ClickGutter(1, Qt::LeftButton);
    Open(form, *dialogs);
    EXPECT_EQ(markers.Breakpoints(), std::vector<TSynBreakpoint>{At(2)});
    dialogs->FileAnswers.push_back(other);
    form.Fileopen1Click();
    EXPECT_EQ(markers.Breakpoints(), std::vector<TSynBreakpoint>{At(1)});
}

// Each file's list stays whole however lists before it were longer, an odd
// condition comes back as it was, and entries that are no breakpoint are
// left out.
TEST(BreakpointStoreTest, KeepsEachFilesListAndSkipsWhatIsNoBreakpoint) {
    testing::TTempDir dir;
    const std::string settings = dir.File("settings.ini").toStdString();
    const TBreakpointStore store(settings);
    const std::string a = dir.File("a.bas").toStdString();
    const std::string b = dir.File("b.bas").toStdString();
    const std::vector<TSynBreakpoint> odd{At(1, true, " ;#%" + std::string(123, '%'), 7), At(9)};
    EXPECT_TRUE(store.Save(a, odd));
    EXPECT_TRUE(store.Save(b, {At(2, false)}));
    EXPECT_EQ(store.Load(a), odd);
    EXPECT_TRUE(store.Save(a, {At(4)}));
    EXPECT_EQ(store.Load(a), std::vector<TSynBreakpoint>{At(4)});
    {
        // Damaged entries: line, state, hit count, chunk count, trailing text.
        const char* damaged[] = {"0 on 0 0", "5 maybe 0 0", "5 on -2 0",
                                 "5 on x 0", "5 off 0 -1",  "5 on 0 0 x"};
        highlight::TIniFile ini(settings);
        const std::string section = TBreakpointStore::SectionOf(a);
        ini.WriteInteger(section, "Count", 2 + static_cast<int>(std::size(damaged)));
        for (std::size_t i = 0; i < std::size(damaged); ++i)
            ini.WriteString(section, std::to_string(3 + i), damaged[i]);
        ASSERT_TRUE(ini.UpdateFile());
    }
    EXPECT_EQ(store.Load(a), (std::vector<TSynBreakpoint>{At(4), At(9)}));
    EXPECT_EQ(store.Load(b), std::vector<TSynBreakpoint>{At(2, false)});
}

// A condition is stored in chunks, none of which ends inside an escape
// (each reads on its own), wherever the escapes fall against the chunk size.
TEST(BreakpointStoreTest, NoStoredChunkSplitsAnEscape) {
    testing::TTempDir dir;
    const std::string settings = dir.File("settings.ini").toStdString();
    const std::string file = dir.File("a.bas").toStdString();
    for (std::size_t plain = 0; plain < 3; ++plain) {
        const std::vector<TSynBreakpoint> set{
            At(1, true, std::string(plain, 'A') + std::string(60, '%'))};
        ASSERT_TRUE(TBreakpointStore(settings).Save(file, set));
        EXPECT_EQ(TBreakpointStore(settings).Load(file), set);
        const highlight::TIniFile ini(settings);
        for (int chunk = 1; chunk <= 2; ++chunk) {
            const std::string stored =
                ini.ReadString(TBreakpointStore::SectionOf(file), "1." + std::to_string(chunk), "");
            EXPECT_EQ(TWorkbenchSettings::Encode(TWorkbenchSettings::Decode(stored)), stored)
                << plain << " " << chunk;
        }
    }
}

} // namespace
} // namespace marlinet::workbench
