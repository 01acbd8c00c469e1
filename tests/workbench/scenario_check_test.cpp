// Debug > Check with scenario... in the real window, offscreen: the verdict
// in the console, the failing line selected, the editor's text saved first,
// Stop, and a broken scenario file.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include "editor/qt/synedit.h"
#include "fake_dialogs.h"
#include "workbench/console.h"
#include "workbench/main_form.h"
#include "workbench/scenario_check.h"

namespace marlinet::workbench {
namespace {

using testing::WriteFile;

class ScenarioCheckTest : public ::testing::Test {
protected:
    testing::TTempDir dir;
    testing::TFakeDialogs* dialogs = new testing::TFakeDialogs;
    TMainForm form{std::unique_ptr<TWorkbenchDialogs>(dialogs)};
    TScenarioCheck& check = *form.ScenarioCheck;

    void Open(const std::string& Program) {
        const QString file = dir.File("prog.bas");
        WriteFile(file, Program);
        ASSERT_TRUE(form.OpenFile(file));
    }
    QString Scenario(const std::string& Text) {
        const QString file = dir.File("check.yaml");
        WriteFile(file, Text);
        return file;
    }
    // The console's text with the wrapping of long lines undone.
    QString Console() const { return form.Console->toPlainText().remove('\n'); }
    // Starts a check and waits for its verdict; what it printed.
    QString Verdict(const QString& File) {
        QSignalSpy finished(&check, &TScenarioCheck::Finished);
        const qsizetype before = Console().size();
        if (!check.Start(File)) return "not started";
        if (!finished.wait(10000)) return "no verdict";
        return Console().mid(before);
    }
};

TEST_F(ScenarioCheckTest, IsInTheDebugMenu) {
    QStringList items;
    for (QAction* menu : form.menuBar()->actions())
        if (menu->text().remove('&') == "Debug")
            for (QAction* item : menu->menu()->actions())
                items << item->text().remove(QLatin1Char('&'));
    EXPECT_TRUE(items.contains("Check with scenario...")) << items.join(", ").toStdString();
}

TEST_F(ScenarioCheckTest, ShowsPassOrTheFailureAndSelectsItsLine) {
    const std::string blink = "SETB 1\r\nDELAY 1000\r\nCLRB 1\r\nDELAY 1000\r\n";
    const struct {
        std::string program;
        std::string at;
        QString verdict;
        int selStart, selLength; // the failing line's text, after the lines and breaks before it
    } cases[] = {
        {blink, "500ms", "PASS check.yaml", 0, 0},
        {blink, "1.5s",
         "FAIL check.yaml: step 1 (scenario line 2) at 1.500 s, program line 4: lamp1 expected "
         "on, was off",
         28, 10},
        {"DELAY 1000\r\nSETB 1\r\n", "500ms",
         "FAIL check.yaml: step 1 (scenario line 2) at 0.500 s, program line 1: lamp1 expected "
         "on, was off",
         0, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program + " at " + c.at);
        Open(c.program);
        const QString verdict =
            Verdict(Scenario("steps:\n  - at: " + c.at + "\n    expect: { lamp1: on }\n"));
        EXPECT_EQ(verdict, "Checking with check.yaml..." + c.verdict);
        EXPECT_EQ(form.SynEdit1->SelStart(), c.selStart);
        EXPECT_EQ(form.SynEdit1->SelLength(), c.selLength);
    }
}

TEST_F(ScenarioCheckTest, ChecksTheEditorsTextSavedAsRunSavesIt) {
    Open("SETB 1\r\n");
    form.SynEdit1->SetFocus();
    QTest::keyClick(form.SynEdit1, Qt::Key_Delete); // "ETB 1": an error now
    ASSERT_EQ(form.RunState(), basic::RunState::Modified);
    const QString verdict = Verdict(Scenario("end: { error: none }\n"));
    EXPECT_TRUE(verdict.endsWith("error expected none, was 3 (Equals sign expected) in line 1"))
        << verdict.toStdString();
    EXPECT_EQ(testing::ReadFile(dir.File("prog.bas")), "ETB 1\r\n");
}

TEST_F(ScenarioCheckTest, StopCancelsACheck) {
    Open("10 GOTO 10\r\n");
    QSignalSpy finished(&check, &TScenarioCheck::Finished);
    ASSERT_TRUE(check.Start(Scenario("limits: { time: 100000s, statements: 1000000000000 }\n"
                                     "end: { error: none }\n")));
    QTest::qWait(50);
    QElapsedTimer stopped;
    stopped.start();
    form.SpeedButton3Click();
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_LT(stopped.elapsed(), 1000);
    EXPECT_TRUE(Console().endsWith("interrupted"));
}

TEST_F(ScenarioCheckTest, ABrokenScenarioFileIsReportedAndNothingRuns) {
    Open("PRINT 1\r\n");
    const QString file = Scenario("steps:\n  - at: soon\n");
    EXPECT_FALSE(check.Start(file));
    EXPECT_FALSE(check.IsRunning());
    EXPECT_TRUE(Console().contains(file + ":2:9: at must be a duration"));
}

} // namespace
} // namespace marlinet::workbench
