// The I/O timeline and the window's recording, Google Benchmark:
// BM_TimelineRedraw  the timeline widget painting a history of a million
//                    lamp events (the whole run in view, 1000 columns) into
//                    a QImage: the time of one redraw;
// BM_WindowHostRun   a 200,000-statement loop run by the window's host
//                    (TWorkbenchHost over MachineHost, no window attached),
//                    without (0) and with (1) the recorder the window uses:
//                    the ratio of the two is the recording's cost there.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "interpreter/interpreter.h"
#include "machine/history.h"
#include "machine/machine_host.h"
#include "machine/recorder.h"
#include "recorded_program.h"
#include "workbench/board_model.h"
#include "workbench/run_channel.h"
#include "workbench/timeline_widget.h"
#include "workbench/workbench_host.h"

namespace {

using namespace marlinet;

// A million lamp changes on a virtual clock, 10 us a statement.
constexpr const char* kToggles = "FOR M = 1 TO 50\r\n"
                                 "FOR N = 1 TO 10000\r\n"
                                 "SETB 1\r\n"
                                 "CLRB 1\r\n"
                                 "NEXT\r\n"
                                 "NEXT\r\n"
                                 "END";

void RecordToggles(machine::History& History) {
    workbench::testing::RecordProgram(History, kToggles);
}

void BM_TimelineRedraw(benchmark::State& State) {
    machine::History history;
    RecordToggles(history);
    workbench::TTimelineWidget widget(history);
    widget.resize(workbench::TTimelineWidget::kNameWidth + 1000, widget.minimumHeight());
    widget.Refresh(); // the whole history in view
    QImage image(widget.size(), QImage::Format_RGB32);
    for (auto _ : State) {
        QPainter painter(&image);
        widget.render(&painter);
    }
    std::uint64_t events = 0;
    history.for_each_event([](const machine::Levels&) {},
                           [&events](const machine::IoEvent&) { ++events; });
    State.counters["events"] = static_cast<double>(events);
}
BENCHMARK(BM_TimelineRedraw)->Unit(benchmark::kMillisecond);

constexpr const char* kLoop = "FOR M = 1 TO 100\r\n"
                              "FOR N = 1 TO 1000\r\n"
                              "A = A + N\r\n"
                              "NEXT\r\n"
                              "NEXT\r\n"
                              "END";

void BM_WindowHostRun(benchmark::State& State) {
    const bool recorded = State.range(0) != 0;
    workbench::TRunChannel channel([] {});
    workbench::TBoardModel board;
    workbench::TWorkbenchHost host(channel, board);
    basic::Interpreter interpreter(host.Machine());
    host.Attach(interpreter);
    machine::History history;
    machine::Recorder recorder(history, &host, &host);
    if (recorded) recorder.attach(host.Machine());
    interpreter.set_program(basic::ProgramBuffer::from_file_bytes(kLoop));
    std::uint64_t statements = 0;
    for (auto _ : State) {
        interpreter.run_state().store(basic::RunState::Running);
        host.Machine().run();
        statements += interpreter.statements();
    }
    State.counters["ns_per_statement"] = benchmark::Counter(
        static_cast<double>(statements), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_WindowHostRun)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
