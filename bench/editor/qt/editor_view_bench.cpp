// Times the editor widget as the main window configures it (see
// window_like_edit.h), on the offscreen
// platform: open a 40,000-line program and paint the first screen, jump to
// line 20,000 and paint, repaint the whole view (counting allocations, Qt's
// drawing included; also with a search's matches marked), press Down, scroll by one line (counting
// the rows that are painted again), type a character at line 20,000, and paste a 10,000-line block
// there and undo it, and toggle a breakpoint there.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPaintEvent>

#include "allocation_counter.h"
#include "bench_program.h"
#include "editor/search.h"
#include "window_like_edit.h"

namespace {

using marlinet::editor::qt::TSynEdit;

constexpr int kLines = marlinet::bench::kProgramLines;

const std::filesystem::path& ProgramFile() {
    static const std::filesystem::path path = [] {
        const auto file = std::filesystem::temp_directory_path() / "marlinet_editor_bench.bas";
        std::ofstream(file, std::ios::binary) << marlinet::bench::EditorBenchProgram();
        return file;
    }();
    return path;
}

// A shown editor with the main window's settings.
struct View {
    View() {
        marlinet::editor::testing::ConfigureLikeTheWindow(edit, highlighter.get());
        edit.show();
        edit.activateWindow();
        edit.setFocus();
        QApplication::processEvents();
    }
    std::unique_ptr<marlinet::highlight::TSynVBSyn> highlighter =
        marlinet::editor::testing::MakeWindowHighlighter();
    TSynEdit edit;
};

class PaintedRows : public QObject {
public:
    explicit PaintedRows(int LineHeight) : lineHeight_(LineHeight) {}
    bool eventFilter(QObject*, QEvent* Event) override {
        if (Event->type() == QEvent::Paint) {
            for (const QRect& r : static_cast<QPaintEvent*>(Event)->region())
                rows += (r.height() + lineHeight_ - 1) / lineHeight_;
        }
        return false;
    }
    long long rows = 0;

private:
    int lineHeight_;
};

void BM_OpenFileAndPaintFirstScreen(benchmark::State& state) {
    const std::string file = ProgramFile().string();
    View view;
    for (auto _ : state) {
        view.edit.Lines().LoadFromFile(file);
        view.edit.viewport()->repaint();
    }
    state.counters["lines"] = view.edit.Lines().Count();
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(ProgramFile()));
}
BENCHMARK(BM_OpenFileAndPaintFirstScreen)->Unit(benchmark::kMillisecond);

// A freshly opened file, then go to line 20,000 (centred, as a go-to does)
// and paint it: no line above it has been shown.
void BM_JumpToLine20000AndPaint(benchmark::State& state) {
    const std::string file = ProgramFile().string();
    View view;
    for (auto _ : state) {
        state.PauseTiming();
        view.edit.Lines().LoadFromFile(file);
        view.edit.viewport()->repaint();
        state.ResumeTiming();
        view.edit.Core().SetCaretXY({1, 20000});
        view.edit.Core().EnsureCursorPosVisibleEx(true);
        view.edit.viewport()->repaint();
    }
    state.counters["top_line"] = view.edit.Core().TopLine();
}
BENCHMARK(BM_JumpToLine20000AndPaint)->Unit(benchmark::kMicrosecond);

// Repaints the whole view once per iteration after a warm-up, counting the
// allocations of each paint, Qt's drawing included.
void RepaintCountingAllocations(benchmark::State& state, View& view) {
    view.edit.viewport()->repaint(); // warm-up
    const std::int64_t before = marlinet::testing::Allocations();
    for (auto _ : state)
        view.edit.viewport()->repaint();
    state.counters["allocs_per_repaint_with_qt"] =
        static_cast<double>(marlinet::testing::Allocations() - before) /
        static_cast<double>(state.iterations());
}

void BM_FullRepaint(benchmark::State& state) {
    View view;
    view.edit.Lines().LoadFromFile(ProgramFile().string());
    view.edit.Core().SetTopLine(501);
    RepaintCountingAllocations(state, view);
    state.counters["width"] = view.edit.width();
    state.counters["height"] = view.edit.height();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

// The same with the find bar's marks: every whole word "a" of the rows in
// view (one on every other line), found again at each paint.
void BM_FullRepaintWithMarkedMatches(benchmark::State& state) {
    View view;
    view.edit.Lines().LoadFromFile(ProgramFile().string());
    marlinet::editor::TSynSearch search;
    search.SetPattern("a", {false, true, false});
    view.edit.Core().SetMarkedSearch(&search);
    view.edit.Core().SetTopLine(501);
    RepaintCountingAllocations(state, view);
    view.edit.Core().SetMarkedSearch(nullptr);
}
BENCHMARK(BM_FullRepaintWithMarkedMatches)->Unit(benchmark::kMicrosecond);

void BM_DownKeyToFinishedRepaint(benchmark::State& state) {
    View view;
    view.edit.Lines().LoadFromFile(ProgramFile().string());
    QApplication::processEvents();
    int presses = 0;
    for (auto _ : state) {
        // Down to the end, then back to the top without timing it.
        if (++presses == kLines) {
            state.PauseTiming();
            view.edit.Core().SetCaretXY({1, 1});
            view.edit.Core().EnsureCursorPosVisible();
            QApplication::processEvents();
            presses = 1;
            state.ResumeTiming();
        }
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(&view.edit, &down);
        QApplication::processEvents(); // whatever repaint is still due
    }
}
BENCHMARK(BM_DownKeyToFinishedRepaint)->Unit(benchmark::kMicrosecond);

void BM_ScrollOneLine(benchmark::State& state) {
    View view;
    view.edit.Lines().LoadFromFile(ProgramFile().string());
    view.edit.clearFocus(); // no caret: only what scrolling paints is counted
    QApplication::processEvents();
    PaintedRows counter(view.edit.Core().LineHeight());
    view.edit.viewport()->installEventFilter(&counter);
    marlinet::editor::TCustomSynEdit& core = view.edit.Core();
    for (auto _ : state) {
        if (core.TopLine() + core.LinesInWindow() > kLines) {
            // Back to the top without timing or counting it.
            state.PauseTiming();
            view.edit.viewport()->removeEventFilter(&counter);
            core.SetTopLine(1);
            QApplication::processEvents();
            view.edit.viewport()->installEventFilter(&counter);
            state.ResumeTiming();
        }
        core.WMVScroll(marlinet::editor::SB_LINEDOWN, 0);
        QApplication::processEvents();
    }
    view.edit.viewport()->removeEventFilter(&counter);
    state.counters["rows_painted_per_scroll"] =
        static_cast<double>(counter.rows) / static_cast<double>(state.iterations());
    state.counters["rows_in_view"] = view.edit.Core().LinesInWindow();
}
BENCHMARK(BM_ScrollOneLine)->Unit(benchmark::kMicrosecond);

// A shown editor with the program open and the caret in the middle of line
// 20,000 (painted), as a user who went there to type.
struct AtLine20000 : View {
    AtLine20000() {
        edit.Lines().LoadFromFile(ProgramFile().string());
        edit.Core().SetCaretXY({5, 20000});
        edit.Core().EnsureCursorPosVisibleEx(true);
        edit.Core().SetSelectionMode(marlinet::editor::smNormal);
        edit.Core().SetBlockBegin(edit.Core().CaretXY());
        QApplication::processEvents();
    }
    void Send(int Key, const QString& Text = {}) {
        QKeyEvent press(QEvent::KeyPress, Key, Qt::NoModifier, Text);
        QApplication::sendEvent(&edit, &press);
    }
    // The key's repaint, done now rather than when the event loop gets to it.
    void Finish() {
        edit.Update();
        QApplication::processEvents();
    }
};

// From the key event to the finished repaint of the changed line. The
// character is taken away again (Backspace) outside the timing, so the
// line keeps its length.
void BM_TypeCharacterAtLine20000ToFinishedRepaint(benchmark::State& state) {
    AtLine20000 view;
    const int paintsBefore = view.edit.PaintCount();
    for (auto _ : state) {
        view.Send(Qt::Key_X, QStringLiteral("x"));
        view.Finish();
        state.PauseTiming();
        view.Send(Qt::Key_Backspace);
        view.Finish();
        state.ResumeTiming();
    }
    state.counters["paints_per_key"] = static_cast<double>(view.edit.PaintCount() - paintsBefore) /
                                       static_cast<double>(2 * state.iterations());
    state.counters["line"] = view.edit.Core().CaretY();
}
BENCHMARK(BM_TypeCharacterAtLine20000ToFinishedRepaint)->Unit(benchmark::kMicrosecond);

// A breakpoint toggled on line 20,000 (on screen), as a gutter click does,
// to the finished repaint; ten breakpoints elsewhere in the file, so that
// the toggle finds its place among others.
void BM_ToggleBreakpointAtLine20000ToFinishedRepaint(benchmark::State& state) {
    AtLine20000 view;
    marlinet::editor::TSynMarkerSet& markers = view.edit.Markers();
    for (int line = 1000; line <= 40000; line += 4000)
        markers.ToggleBreakpoint(line);
    view.Finish();
    PaintedRows counter(view.edit.Core().LineHeight());
    view.edit.viewport()->installEventFilter(&counter);
    for (auto _ : state) {
        markers.ToggleBreakpoint(20000);
        view.Finish();
    }
    view.edit.viewport()->removeEventFilter(&counter);
    state.counters["rows_painted_per_toggle"] =
        static_cast<double>(counter.rows) / static_cast<double>(state.iterations());
    state.counters["lines"] = view.edit.Lines().Count();
}
BENCHMARK(BM_ToggleBreakpointAtLine20000ToFinishedRepaint)->Unit(benchmark::kMicrosecond);

// 10,000 lines of the program on the clipboard, as plain text.
void PutBlockOnClipboard() {
    std::string block;
    const std::string program = marlinet::bench::EditorBenchProgram();
    std::size_t end = 0;
    for (int i = 0; i < 10000; ++i)
        end = program.find("\r\n", end) + 2;
    QGuiApplication::clipboard()->setText(QString::fromLatin1(program.data(), end));
}

// Ctrl+V of the block at line 20,000, to the finished repaint; undone
// outside the timing.
void BM_Paste10000LinesAtLine20000(benchmark::State& state) {
    AtLine20000 view;
    PutBlockOnClipboard();
    int lines = 0;
    for (auto _ : state) {
        view.edit.Core().CommandProcessor(marlinet::editor::ecPaste, '\0', nullptr);
        view.Finish();
        lines = view.edit.Lines().Count();
        state.PauseTiming();
        view.edit.Core().Undo();
        view.Finish();
        state.ResumeTiming();
    }
    state.counters["lines_after_paste"] = lines;
}
BENCHMARK(BM_Paste10000LinesAtLine20000)->Unit(benchmark::kMillisecond);

// The Undo of that paste (Ctrl+Z), to the finished repaint.
void BM_UndoPasteOf10000Lines(benchmark::State& state) {
    AtLine20000 view;
    PutBlockOnClipboard();
    for (auto _ : state) {
        state.PauseTiming();
        view.edit.Core().CommandProcessor(marlinet::editor::ecPaste, '\0', nullptr);
        view.Finish();
        state.ResumeTiming();
        view.edit.Core().CommandProcessor(marlinet::editor::ecUndo, '\0', nullptr);
        view.Finish();
    }
    state.counters["lines_after_undo"] = view.edit.Lines().Count();
}
BENCHMARK(BM_UndoPasteOf10000Lines)->Unit(benchmark::kMillisecond);

// The variable A renamed in the first 20,000 lines (10,000 whole-word
// matches, the selection spanning them), to the finished repaint; undone
// outside the timing.
struct RenameInFirstHalf : View {
    RenameInFirstHalf() {
        edit.Lines().LoadFromFile(ProgramFile().string());
        search.SetPattern("A", {true, true, false});
        QApplication::processEvents();
    }
    void SelectFirstHalf() {
        marlinet::editor::TCustomSynEdit& core = edit.Core();
        core.SetSelectionMode(marlinet::editor::smNormal);
        core.SetBlockBegin({1, 1});
        core.SetBlockEnd({1, 20001});
        core.SetCaretXY({1, 20001});
    }
    void Finish() {
        edit.Update();
        QApplication::processEvents();
    }
    marlinet::editor::TSynSearch search;
};

void BM_ReplaceAll10000Matches(benchmark::State& state) {
    RenameInFirstHalf view;
    int replaced = 0;
    for (auto _ : state) {
        state.PauseTiming();
        view.SelectFirstHalf();
        view.Finish();
        state.ResumeTiming();
        replaced = view.edit.Core().ReplaceAll(view.search, "Total").Count;
        view.Finish();
        state.PauseTiming();
        view.edit.Core().Undo();
        view.Finish();
        state.ResumeTiming();
    }
    if (replaced != 10000) state.SkipWithError("not 10,000 matches");
    state.counters["replaced"] = replaced;
}
BENCHMARK(BM_ReplaceAll10000Matches)->Unit(benchmark::kMillisecond);

// The one Undo (Ctrl+Z) that gives those 10,000 back, to the finished repaint.
void BM_UndoReplaceAll10000Matches(benchmark::State& state) {
    RenameInFirstHalf view;
    const std::string original = view.edit.Lines().Text();
    for (auto _ : state) {
        state.PauseTiming();
        view.SelectFirstHalf();
        view.edit.Core().ReplaceAll(view.search, "Total");
        view.Finish();
        state.ResumeTiming();
        view.edit.Core().CommandProcessor(marlinet::editor::ecUndo, '\0', nullptr);
        view.Finish();
    }
    if (view.edit.Lines().Text() != original) state.SkipWithError("undo did not restore the text");
}
BENCHMARK(BM_UndoReplaceAll10000Matches)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(ProgramFile());
    return 0;
}
