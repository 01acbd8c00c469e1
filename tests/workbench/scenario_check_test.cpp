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
    Open("SETB 1\r\nDELAY 1000\r\nCLRB 1\r\nDELAY 1000\r\n");
    const QString lampOn = Scenario("steps:\n  - at: 500ms\n    expect: { lamp1: on }\n");
    EXPECT_EQ(Verdict(lampOn), "Checking with check.yaml...PASS check.yaml");
    const QString lampOff = Scenario("steps:\n  - at: 1.5s\n    expect: { lamp1: on }\n");
    EXPECT_EQ(Verdict(lampOff), "Checking with check.yaml...FAIL check.yaml: step 1 (scenario "
                                "line 2) at 1.500 s, program line 4: lamp1 expected on, was off");
    EXPECT_EQ(form.SynEdit1->SelStart(), 28); // line 4, after three lines and their breaks
    EXPECT_EQ(form.SynEdit1->SelLength(), 10);
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
