// Times the main window running programs, offscreen:
//   workbench_bench [stop|print|memory|run|hostile]...   (all when none is named)
// stop   Stop while running, until the state is Stopped and the line is
//        selected: percentiles of 100 tries, in a loop and in a loop that
//        prints as fast as it can.
// print  200,000 short lines printed as fast as the program can: lines per
//        second reaching the console (every line it keeps checked), and the
//        longest gap between ticks of a 5 ms timer on the window thread.
// memory A program printing without end: the process's resident memory
//        after 100,000 and after 2,000,000 lines have reached the console;
//        fails when it grew by more than 64 MB in between.
// run    Run of a modified 40,000-line program until its first statement has
//        shown (save, reload, start): median and worst of 10 runs.
// hostile  The hostile program files of the tests: the window's File open
//        until it has loaded or refused the file and handled the events it
//        left, its first paint, and its paint scrolled to the end; and
//        marlinet-run loading or refusing it as a whole process
//        (--max-statements 0: it stops before the first statement). Median
//        and worst of 10 tries each.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTimer>

#include "child_process.h"
#include "editor/qt/synedit.h"
#include "hostile_files.h"
#include "workbench/board_panel.h"
#include "workbench/console.h"
#include "workbench/execution_control.h"
#include "workbench/input_form.h"
#include "workbench/main_form.h"

namespace {

using namespace marlinet::workbench;
using marlinet::basic::RunState;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration D) {
    return std::chrono::duration<double, std::milli>(D).count();
}

// Answers nothing: the benchmarks open files themselves and ask no question.
class TSilentDialogs : public TWorkbenchDialogs {
public:
    std::optional<QString> AskOpenFileName(QWidget*, const QString&) override { return file; }
    std::optional<QString> AskSaveFileName(QWidget*, const QString&) override { return {}; }
    bool ConfirmReplace(QWidget*, const QString&) override { return false; }
    TSaveChoice AskSaveChanges(QWidget*, const QString&) override { return TSaveChoice::Discard; }
    void ShowError(QWidget*, const QString& Message) override {
        if (!quiet) std::fprintf(stderr, "error: %s\n", qPrintable(Message));
        last_error = Message;
    }
    std::optional<int> AskLineNumber(QWidget*, int, int) override { return {}; }
    int ExecModal(QDialog&) override { return 1; }
    int ExecInput(TInputForm&) override { return 2; }
    QAction* ExecMenu(QMenu&, const QPoint&) override { return nullptr; }
    std::optional<QString> AskBreakpointCondition(QWidget*, int, const QString&) override {
        return {};
    }
    std::optional<int> AskBreakpointHitCount(QWidget*, int, int) override { return {}; }
    QString file;
    QString last_error;
    bool quiet = false;
};

struct TBench {
    TSilentDialogs* dialogs = new TSilentDialogs;
    TMainForm form{std::unique_ptr<TWorkbenchDialogs>(dialogs)};
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "marlinet_workbench_bench";

    // Wakes the waiting event loop at least every millisecond, so Until can
    // sleep in it as a real window does between events.
    QTimer tick;

    TBench() {
        std::filesystem::create_directories(dir);
        form.show();
        QApplication::processEvents();
        tick.start(1);
    }
    void Open(const std::string& Program) {
        const auto file = dir / "bench.bas";
        std::FILE* out = std::fopen(file.c_str(), "wb");
        std::fwrite(Program.data(), 1, Program.size(), out);
        std::fclose(out);
        dialogs->file = QString::fromStdString(file.string());
        form.Fileopen1Click();
    }
    // Runs the event loop until Done holds; false after Seconds.
    static bool Until(const std::function<bool()>& Done, double Seconds = 30) {
        const auto deadline = Clock::now() + std::chrono::duration<double>(Seconds);
        while (!Done()) {
            if (Clock::now() > deadline) return false;
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }
};

double Percentile(std::vector<double> Values, double P) {
    std::sort(Values.begin(), Values.end());
    const auto index =
        static_cast<std::size_t>(P / 100.0 * static_cast<double>(Values.size() - 1) + 0.5);
    return Values[std::min(index, Values.size() - 1)];
}

bool StopLatency(const char* Label, const char* Program) {
    TBench bench;
    bench.Open(Program);
    TMainForm& form = bench.form;
    std::vector<double> times;
    for (int i = 0; i < 100; ++i) {
        form.SpeedButton2Click(); // from Reset the first time, then from Stopped
        const auto until = Clock::now() + std::chrono::milliseconds(5 + i % 10);
        TBench::Until([&] { return Clock::now() >= until; });
        form.SynEdit1->SetSelStart(0); // no selection
        const auto start = Clock::now();
        form.SpeedButton3Click();
        if (!TBench::Until([&] {
                return form.RunState() == RunState::Stopped && form.SynEdit1->SelLength() == 1;
            })) {
            std::fprintf(stderr, "stop %d: not stopped\n", i);
            return false;
        }
        times.push_back(Ms(Clock::now() - start));
    }
    std::printf("stop %s: 100 tries, p50 %.3f ms, p99 %.3f ms, max %.3f ms\n", Label,
                Percentile(times, 50), Percentile(times, 99),
                *std::max_element(times.begin(), times.end()));
    form.SpeedButton1Click();
    return true;
}

bool StopLatencies() {
    return StopLatency("(loop)", "10 A = A + 1\r\nB = B + 1\r\nGOTO 10\r\n") &&
           StopLatency("(printing)", "10 PRINT A\r\nA = A + 1\r\nGOTO 10\r\n");
}

// Every line the console has been given since the run started.
long long PrintedLines(const TConsole& Console, long long First) {
    return Console.LinesDropped() + Console.LineCount() - First;
}

bool PrintThroughput() {
    TBench bench;
    TMainForm& form = bench.form;
    bench.Open("FOR A = 1 TO 200\r\nFOR B = 1 TO 1000\r\nPRINT B\r\nNEXT\r\nNEXT\r\nEND\r\n");
    constexpr int kLines = 200000;
    // The absolute number of the line the first PRINT goes to.
    const long long first = form.Console->LinesDropped() + form.Console->CurrentLine();
    auto last = Clock::now();
    Clock::duration longest{};
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        const auto now = Clock::now();
        longest = std::max(longest, now - last);
        last = now;
    });
    heartbeat.start(5);
    const auto start = Clock::now();
    last = start;
    form.SpeedButton2Click();
    // Past the last line: its line break has arrived too.
    const bool done = TBench::Until([&] { return PrintedLines(*form.Console, first) > kLines; });
    const auto took = Clock::now() - start;
    heartbeat.stop();
    if (!done) {
        std::fprintf(stderr, "print: only %lld lines\n", PrintedLines(*form.Console, first));
        return false;
    }
    // Every line the console kept (the newest 90,000 to 100,000) is checked.
    int wrong = 0, checked = 0;
    for (int kept = 0; kept + 1 < form.Console->LineCount(); ++kept) {
        const long long line = form.Console->LinesDropped() + kept - first;
        if (line < 0 || line >= kLines) continue;
        ++checked;
        if (form.Console->LineText(kept) != QString::number(line % 1000 + 1)) ++wrong;
    }
    if (checked + 1 < std::min(kLines, TConsole::kMaxLines - TConsole::kDropBlock)) ++wrong;
    std::printf("print: %d lines in %.1f ms, %.0f lines/s, %d of the %d kept wrong or missing; "
                "longest gap between 5 ms heartbeats %.1f ms\n",
                kLines, Ms(took), kLines / (Ms(took) / 1000.0), wrong, checked, Ms(longest));
    TBench::Until([&] { return form.RunState() == RunState::Reset; });
    return wrong == 0;
}

// Resident memory of this process (VmRSS), in MB; -1 when unknown.
double ResidentMb() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    double kb = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmRSS: %lf kB", &kb) == 1) break;
    std::fclose(status);
    return kb < 0 ? -1 : kb / 1024.0;
}

bool ConsoleMemory() {
    TBench bench;
    TMainForm& form = bench.form;
    bench.Open("10 PRINT \"Printing without end, line\", A\r\nA = A + 1\r\nGOTO 10\r\n");
    const long long first = PrintedLines(*form.Console, 0);
    const auto start = Clock::now();
    form.SpeedButton2Click();
    std::vector<std::pair<long long, double>> samples;
    for (const long long lines : {100000LL, 500000LL, 1000000LL, 2000000LL}) {
        if (!TBench::Until([&] { return PrintedLines(*form.Console, first) >= lines; }, 300)) {
            std::fprintf(stderr, "memory: only %lld lines\n", PrintedLines(*form.Console, first));
            return false;
        }
        samples.emplace_back(PrintedLines(*form.Console, first), ResidentMb());
    }
    const double took = Ms(Clock::now() - start);
    form.SpeedButton3Click();
    std::printf("memory:");
    for (const auto& [lines, mb] : samples)
        std::printf(" %lld lines %.1f MB;", lines, mb);
    const double growth = samples.back().second - samples.front().second;
    std::printf(" growth from 100,000 to 2,000,000 lines %.1f MB (limit 64); console holds %d "
                "lines; %.0f lines/s\n",
                growth, form.Console->LineCount(),
                static_cast<double>(samples.back().first) / (took / 1000.0));
    form.FormClose();
    return growth <= 64;
}

bool RunModified() {
    TBench bench;
    TMainForm& form = bench.form;
    std::string program = "SETB 1\r\n10 GOTO 10\r\n";
    const char* statements[] = {"A = A + 1", "PRINT \"A is\", A + 12", "IF A > 2500 THEN END",
                                "DELAY 250", "REM read the converter", "SCALE V, 5000, 4095"};
    for (int i = 2; i < 40000; ++i)
        program += std::string(statements[i % 6]) + "\r\n";
    bench.Open(program);
    std::vector<double> times;
    for (int i = 0; i < 10; ++i) {
        form.SynEdit1KeyDown(); // Modified: a running program ends
        form.Board->ClearOutput(1);
        const auto start = Clock::now();
        form.SpeedButton2Click();
        if (!TBench::Until([&] { return form.Board->OutputOn(1); })) {
            std::fprintf(stderr, "run %d: no first statement\n", i);
            return false;
        }
        times.push_back(Ms(Clock::now() - start));
    }
    std::printf("run: modified 40,000-line program (%zu bytes), save + reload + first statement: "
                "median %.1f ms, max %.1f ms (10 runs)\n",
                program.size(), Percentile(times, 50),
                *std::max_element(times.begin(), times.end()));
    form.FormClose();
    return true;
}

// marlinet-run on File as a process until it exits; as the user nobody for
// a file root could read anyway.
double RunnerMs(const std::filesystem::path& File, bool AsNobody) {
    const auto start = Clock::now();
    const marlinet::testing::ChildResult r = marlinet::testing::RunChild(
        {MARLINET_RUN, "--max-statements", "0", File.string()},
        {.AsUser = AsNobody ? std::optional<uid_t>(65534) : std::nullopt});
    const double took = Ms(Clock::now() - start);
    // 2: refused; 3: loaded and stopped before the first statement; 0: no
    // statement before the end.
    if (r.Status < 0 || r.Status == 1 || r.Status > 3) return -1;
    return took;
}

std::string Summary(const std::vector<double>& Times) {
    char text[64];
    std::snprintf(text, sizeof text, "%7.1f ms (max %6.1f)", Percentile(Times, 50),
                  *std::max_element(Times.begin(), Times.end()));
    return text;
}

bool HostileFiles() {
    TBench bench;
    TMainForm& form = bench.form;
    bench.dialogs->quiet = true;
    const auto dir = bench.dir / "hostile";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    bool ok = true;
    std::printf("hostile: %-24s %-24s %-24s %-24s %s\n", "file", "window open/refuse",
                "first paint", "paint at the end", "marlinet-run load/refuse");
    for (const marlinet::testing::THostileFile& file : marlinet::testing::MakeHostileFiles(dir)) {
        std::vector<double> open, paint, endPaint, runner;
        for (int i = 0; i < 10; ++i) {
            bench.Open("END"); // a small program in between, so each open starts alike
            bench.dialogs->file = QString::fromStdString(file.path.string());
            bench.dialogs->last_error.clear();
            auto start = Clock::now();
            {
                std::optional<marlinet::testing::TWithoutFileOverride> asAUser;
                if (file.unreadable) asAUser.emplace();
                form.Fileopen1Click();
            }
            QApplication::processEvents(); // and what the window left for its event loop
            open.push_back(Ms(Clock::now() - start));
            const bool refused = !bench.dialogs->last_error.isEmpty();
            if (refused == file.refusal.empty()) ok = false;
            if (!refused) {
                start = Clock::now();
                (void)form.grab();
                paint.push_back(Ms(Clock::now() - start));
                start = Clock::now();
                form.SynEdit1->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
                form.SynEdit1->Core().SetLeftChar(form.SynEdit1->Lines().LengthOfLongestLine());
                (void)form.grab();
                endPaint.push_back(Ms(Clock::now() - start));
            }
            runner.push_back(RunnerMs(file.path, file.unreadable && ::geteuid() == 0));
            if (runner.back() < 0) ok = false;
        }
        std::printf("hostile: %-24s %-24s %-24s %-24s %s\n", file.name.c_str(),
                    Summary(open).c_str(), paint.empty() ? "refused" : Summary(paint).c_str(),
                    endPaint.empty() ? "" : Summary(endPaint).c_str(), Summary(runner).c_str());
    }
    std::filesystem::remove_all(dir);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::vector<std::pair<const char*, bool (*)()>> benches = {{"stop", StopLatencies},
                                                                     {"print", PrintThroughput},
                                                                     {"memory", ConsoleMemory},
                                                                     {"run", RunModified},
                                                                     {"hostile", HostileFiles}};
    bool ok = true;
    for (const auto& [name, bench] : benches) {
        bool wanted = argc == 1;
        for (int i = 1; i < argc; ++i)
            wanted = wanted || std::strcmp(argv[i], name) == 0;
        if (wanted) ok = bench() && ok;
    }
    return ok ? 0 : 1;
}
