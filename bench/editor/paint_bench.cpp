// The core's repaint, on a canvas that draws nothing, so that the time and
// the allocations counted are the editor's own: the main window's
// highlighter, line numbers and a 40,000-line program. Every allocation of
// this program is counted; a warm repaint must make none.
#include <benchmark/benchmark.h>

#include "allocation_counter.h"
#include "bench_program.h"
#include "fake_window.h"

namespace {

using namespace marlinet::editor;

// The main window's editor, 477 x 189, on the fake window.
struct CoreView {
    CoreView() {
        window.width = 473;
        window.height = 185;
        edit.SetColor(clBlack);
        edit.Font().SetColor(clLime);
        edit.Gutter().SetDigitCount(3);
        edit.Gutter().SetShowLineNumbers(true);
        edit.SetHighlighter(highlighter.get());
        edit.Lines().SetText(marlinet::bench::EditorBenchProgram());
    }
    marlinet::editor::testing::FakeWindow window;
    std::unique_ptr<marlinet::highlight::TSynVBSyn> highlighter =
        marlinet::editor::testing::MakeWindowHighlighter();
    marlinet::editor::testing::TestEditor edit{window};
};

void BM_CoreRepaint(benchmark::State& state) {
    CoreView view;
    view.edit.SetTopLine(501);
    marlinet::editor::testing::NullCanvas canvas({0, 0, view.window.width, view.window.height});
    view.edit.Paint(canvas); // warm-up: fonts and buffers
    const std::int64_t before = marlinet::testing::Allocations();
    for (auto _ : state)
        view.edit.Paint(canvas);
    state.counters["allocs_per_repaint"] =
        static_cast<double>(marlinet::testing::Allocations() - before) /
        static_cast<double>(state.iterations());
}
BENCHMARK(BM_CoreRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
