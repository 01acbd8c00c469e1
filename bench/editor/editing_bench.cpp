// The editor core's editing on the 40,000-line program with the main
// window's highlighter and options, on the fake window (no drawing): typing
// a character at line 20,000, pasting a 10,000-line block there and undoing
// it, and the memory the undo list holds after 1,024 and 2,048 typed
// characters (its limit is 1,024 items). The highlighter has scanned
// nothing here (nothing is painted), so a paste rescans nothing either.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "bench_program.h"
#include "fake_window.h"

namespace {

using namespace marlinet::editor;
using marlinet::editor::testing::FakeWindow;
using marlinet::editor::testing::TestEditor;

struct CoreEditor {
    CoreEditor() {
        window.width = 473;
        window.height = 185;
        edit.SetOptions(testing::kWindowOptions);
        edit.SetHighlighter(highlighter.get());
        edit.Lines().SetText(marlinet::bench::EditorBenchProgram());
        edit.SetCaretXY({5, 20000});
        edit.EnsureCursorPosVisibleEx(true);
    }
    FakeWindow window;
    std::unique_ptr<marlinet::highlight::TSynVBSyn> highlighter = testing::MakeWindowHighlighter();
    TestEditor edit{window};
};

void BM_CoreTypeCharacterAtLine20000(benchmark::State& state) {
    CoreEditor core;
    for (auto _ : state) {
        core.edit.CommandProcessor(ecChar, 'x', nullptr);
        state.PauseTiming();
        core.edit.CommandProcessor(ecDeleteLastChar, '\0', nullptr);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CoreTypeCharacterAtLine20000)->Unit(benchmark::kMicrosecond);

void BM_CorePaste10000LinesAndUndo(benchmark::State& state) {
    CoreEditor core;
    const std::string program = marlinet::bench::EditorBenchProgram();
    std::size_t end = 0;
    for (int i = 0; i < 10000; ++i)
        end = program.find("\r\n", end) + 2;
    FakeWindow::Clipboard() = {program.substr(0, end), false, {}};
    const bool undo = state.range(0) != 0;
    for (auto _ : state) {
        if (undo) state.PauseTiming();
        core.edit.PasteFromClipboard();
        if (undo) state.ResumeTiming();
        if (!undo) state.PauseTiming();
        core.edit.Undo();
        if (!undo) state.ResumeTiming();
    }
    state.SetLabel(undo ? "undo" : "paste");
}
BENCHMARK(BM_CorePaste10000LinesAndUndo)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Bytes the heap holds for the undo list: the heap in use before and after
// clearing it (mallinfo2), and the same counted from the items (the item,
// its text's heap buffer when it has one, and the list's pointer to it).
void BM_UndoListMemory(benchmark::State& state) {
    const int edits = static_cast<int>(state.range(0));
    double heap = 0, counted = 0, items = 0;
    for (auto _ : state) {
        CoreEditor core;
        for (int i = 0; i < edits; ++i) { // one item each, all at column 5
            core.edit.CommandProcessor(ecChar, static_cast<char>('a' + i % 26), nullptr);
            core.edit.SetCaretXY({5, 20000});
        }
        const TSynEditUndoList& list = core.edit.UndoList();
        items = list.ItemCount();
        counted = 0;
        for (int i = 0; i < list.ItemCount(); ++i) {
            const TSynEditUndoItem& item = list.Items(i);
            counted += sizeof(TSynEditUndoItem) + sizeof(void*);
            if (item.ChangeStr.capacity() > std::string().capacity())
                counted += static_cast<double>(item.ChangeStr.capacity() + 1);
        }
        malloc_trim(0);
        const double before = static_cast<double>(mallinfo2().uordblks);
        core.edit.ClearUndo();
        malloc_trim(0);
        heap = before - static_cast<double>(mallinfo2().uordblks);
    }
    state.counters["items"] = items;
    state.counters["heap_bytes_freed"] = heap;
    state.counters["bytes_counted"] = counted;
}
BENCHMARK(BM_UndoListMemory)->Arg(1024)->Arg(2048)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
