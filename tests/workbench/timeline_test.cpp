// The I/O timeline window and its export, from a history of blink.bas run on
// a virtual clock (lamp 1 on for 500 ms, off for 500 ms), and Step back in
// the real window.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include "fake_dialogs.h"
#include "recorded_program.h"
#include "vcd_reader.h"
#include "workbench/board_panel.h"
#include "workbench/console.h"
#include "workbench/execution_control.h"
#include "workbench/main_form.h"
#include "workbench/status_bar.h"
#include "workbench/timeline_export.h"
#include "workbench/timeline_widget.h"
#include "workbench/variables_grid.h"

namespace marlinet::workbench {
namespace {

using machine::Strip;

constexpr const char* kBlink = "FOR N = 1 TO 10\r\n"
                               "SETB 1\r\n"
                               "DELAY 500\r\n"
                               "CLRB 1\r\n"
                               "DELAY 500\r\n"
                               "NEXT\r\n"
                               "PRINT \"Done\"\r\n"
                               "END";

// blink.bas recorded on a virtual clock: 10.0 s and a few statements.
void RecordBlink(machine::History& History) {
    testing::RecordProgram(History, kBlink);
}

QString OutputDir() {
    const QString dir = QDir::currentPath() + QStringLiteral("/timeline_test_output");
    QDir().mkpath(dir);
    return dir;
}

// The widget's picture shows lamp 1 high from 0 to 500 ms, 1000 to 1500 ms
// and so on, low between; lamp 2 never lit; the picture is kept to look at.
TEST(TimelineWidget, DrawsLampOnesSquareWaveAtItsColumns) {
    machine::History history;
    RecordBlink(history);
    TTimelineWidget widget(history);
    widget.resize(TTimelineWidget::kNameWidth + 1000, widget.minimumHeight());
    widget.SetView(0, 10'000'000); // 10 us a column... 10 ms a pixel
    QImage image(widget.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    widget.render(&painter);
    painter.end();
    ASSERT_TRUE(image.save(OutputDir() + QStringLiteral("/blink_timeline.png")));

    const int top = TTimelineWidget::StripTop(Strip::Lamp1);
    const int high = top + 4;
    const int low = top + TTimelineWidget::kStripHeight - 4;
    const auto lit = [&](int X, int Y) { return qGreen(image.pixel(X, Y)) > 150; };
    for (int period = 0; period < 10; ++period) {
        SCOPED_TRACE(period);
        const int on = widget.ColumnOf(period * 1'000'000 + 250'000);
        const int off = widget.ColumnOf(period * 1'000'000 + 750'000);
        EXPECT_TRUE(lit(on, high));
        EXPECT_FALSE(lit(on, low));
        EXPECT_TRUE(lit(off, low));
        EXPECT_FALSE(lit(off, high));
    }
    // A 500 ms half period is 50 columns wide at this view.
    EXPECT_EQ(widget.ColumnOf(500'000) - widget.ColumnOf(0), 50);
    const int lamp2 = TTimelineWidget::StripTop(Strip::Lamp2) + 4;
    EXPECT_FALSE(lit(widget.ColumnOf(250'000), lamp2));
}

// The cursor line's statement and line come from a replay: a repaint with
// the mouse still looks nothing up again, another column does.
TEST(TimelineWidget, LooksUpTheCursorsMomentOncePerColumn) {
    machine::History history;
    RecordBlink(history);
    TTimelineWidget widget(history);
    widget.resize(TTimelineWidget::kNameWidth + 1000, widget.minimumHeight());
    widget.SetView(0, 10'000'000);
    QImage image(widget.size(), QImage::Format_RGB32);
    const auto paintWithMouseAt = [&](int X) {
        QMouseEvent move(QEvent::MouseMove, QPointF(X, 30), QPointF(X, 30), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &move);
        QPainter painter(&image);
        widget.render(&painter);
    };
    const int x = widget.ColumnOf(2'250'000);
    paintWithMouseAt(x);
    paintWithMouseAt(x);
    paintWithMouseAt(x);
    EXPECT_EQ(widget.PlaceLookups(), 1);
    paintWithMouseAt(x + 1);
    EXPECT_EQ(widget.PlaceLookups(), 2);
    paintWithMouseAt(x + 1);
    EXPECT_EQ(widget.PlaceLookups(), 2);
}

TEST(TimelineExport, WritesAVcdWithLampOneTogglingEveryHalfSecondAndAPng) {
    machine::History history;
    RecordBlink(history);
    TTimelineWidget widget(history);
    const QString vcdName = OutputDir() + QStringLiteral("/blink.vcd");
    ASSERT_EQ(ExportTimeline(history, widget, vcdName), QString());
    QFile file(vcdName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const marlinet::testing::Vcd vcd = marlinet::testing::read_vcd(file.readAll().toStdString());
    ASSERT_EQ(vcd.error, "");
    const std::vector<std::int64_t> on = vcd.times("lamp1", "1");
    const std::vector<std::int64_t> off = vcd.times("lamp1", "0");
    ASSERT_EQ(on.size(), 10u);
    // Two DELAYs and five statements of 10 us each.
    for (std::size_t i = 1; i < on.size(); ++i)
        EXPECT_EQ(on[i] - on[i - 1], 1'000'050);
    for (std::size_t i = 0; i < on.size(); ++i) {
        const auto next_off = std::upper_bound(off.begin(), off.end(), on[i]);
        ASSERT_NE(next_off, off.end());
        EXPECT_EQ(*next_off - on[i], 500'000 + 20); // and the DELAY's and CLRB's statements
    }

    const QString pngName = OutputDir() + QStringLiteral("/blink_export.png");
    EXPECT_EQ(TimelineFormatOf(pngName), TTimelineFormat::Png);
    EXPECT_EQ(TimelineFormatOf(QStringLiteral("a.PNG")), TTimelineFormat::Png);
    EXPECT_EQ(TimelineFormatOf(QStringLiteral("a.png.vcd")), TTimelineFormat::Vcd);
    ASSERT_EQ(ExportTimeline(history, widget, pngName), QString());
    EXPECT_FALSE(QImage(pngName).isNull());
    EXPECT_NE(ExportTimeline(history, widget, QStringLiteral("/nonexistent/dir/x.vcd")), QString());
}

// In the real window: a paused run stepped back five times shows the earlier
// lines, variables and lamps, says how far back it is, and five Steps come
// back to the same view.
TEST(TimelineWindow, StepBackFiveAndForwardFiveInTheWindow) {
    testing::TTempDir dir;
    const QString file = dir.File("count.bas");
    testing::WriteFile(file, "A = 0\r\n"
                             "10 A = A + 1\r\n"
                             "SETB 1\r\n"
                             "PRINT A\r\n"
                             "CLRB 1\r\n"
                             "GOTO 10");
    auto* dialogs = new testing::TFakeDialogs;
    TMainForm form(std::unique_ptr<TWorkbenchDialogs>(dialogs), dir.File("settings.ini"));
    form.show();
    dialogs->FileAnswers.push_back(file);
    form.Fileopen1Click();
    const auto until = [&](const std::function<bool()>& Done) {
        QElapsedTimer timer;
        timer.start();
        while (!Done() && timer.elapsed() < 5000)
            QTest::qWait(2);
        return Done();
    };
    struct View {
        QString a;
        bool lamp1;
        int consoleLines;
        bool operator==(const View&) const = default;
    };
    const auto now = [&] {
        return View{form.StringGrid1->CellText(1, 1), form.Board->OutputOn(1),
                    form.Console->LineCount()};
    };
    std::vector<View> steps;
    for (int i = 0; i < 12; ++i) {
        form.SpeedButton4Click();
        ASSERT_TRUE(until([&] { return form.RunState() == basic::RunState::Stopped; }));
        QTest::qWait(5);
        steps.push_back(now());
    }
    for (int back = 1; back <= 5; ++back) {
        form.StepBackAction->trigger();
        EXPECT_EQ(now(), steps[steps.size() - 1 - static_cast<std::size_t>(back)]) << back;
    }
    EXPECT_TRUE(form.StatusBar1->PanelText(2).startsWith("5 statements back"));
    // The past is read-only: an edit is refused and the paused run keeps A.
    const std::int16_t presentA = form.Execution().Interpreter().variable(1);
    EXPECT_FALSE(form.StringGrid1->Editable());
    form.StringGrid1->StringGrid1SetEditText(1, 1, QStringLiteral("777"));
    form.StringGrid1->StringGrid1KeyDown(13);
    EXPECT_EQ(form.Execution().Interpreter().variable(1), presentA);
    ASSERT_EQ(dialogs->Errors.size(), 1);
    EXPECT_EQ(dialogs->Errors[0], TMainForm::kPastIsReadOnly);
    for (int forward = 4; forward >= 0; --forward) {
        form.SpeedButton4Click();
        EXPECT_EQ(now(), steps[steps.size() - 1 - static_cast<std::size_t>(forward)]);
    }
    EXPECT_FALSE(form.Execution().ShownMoment());
    EXPECT_TRUE(form.StringGrid1->Editable());
    form.FormClose();
}

} // namespace
} // namespace marlinet::workbench
