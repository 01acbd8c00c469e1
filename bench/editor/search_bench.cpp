// The search engine on the 40,000-line program whose only match is on its
// last line: one find-next from the top, as plain text (with and without
// case, as a whole word) and as a regular expression. Then the matches of
// one screen, as the view marks them, and of the whole text, as the find
// bar counts them.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench_program.h"
#include "editor/search.h"
#include "editor/string_list.h"

namespace {

using namespace marlinet::editor;

const TSynEditStringList& Program() {
    static const TSynEditStringList* lines = [] {
        auto* list = new TSynEditStringList;
        list->SetText(marlinet::bench::EditorBenchProgram() + "\r\nGOSUB 9999");
        return list;
    }();
    return *lines;
}

void FindNextFromTheTop(benchmark::State& state, const char* Pattern, TSynSearchOptions Options) {
    const TSynEditStringList& lines = Program();
    TSynSearch search;
    search.SetPattern(Pattern, Options);
    TSynSearchResult result;
    for (auto _ : state) {
        result = search.FindNext(lines, {1, 1}, false);
        benchmark::DoNotOptimize(result);
    }
    if (!result.Found || result.Match.Start.Y != lines.Count())
        state.SkipWithError("the match on the last line was not found");
    state.counters["lines"] = lines.Count();
}

BENCHMARK_CAPTURE(FindNextFromTheTop, PlainIgnoringCase, "gosub 9999", {false, false, false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNextFromTheTop, PlainMatchingCase, "GOSUB 9999", {true, false, false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNextFromTheTop, PlainWholeWord, "gosub", {false, true, false})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNextFromTheTop, RegexIgnoringCase, "gosub\\s+9+", {false, false, true})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNextFromTheTop, RegexWholeWord, "G\\w+", {true, true, true})
    ->Unit(benchmark::kMillisecond);

// The 40 rows of a large window, for a pattern on every other line.
void BM_FindAllInOneScreen(benchmark::State& state) {
    TSynSearch search;
    search.SetPattern("a", {false, true, false});
    std::size_t found = 0;
    for (auto _ : state) {
        found = search.FindAll(Program(), 20001, 20040).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["matches"] = static_cast<double>(found);
}
BENCHMARK(BM_FindAllInOneScreen)->Unit(benchmark::kMicrosecond);

// Every match of the text, as the find bar counts them for its "3 of 12"
// after each letter typed and each F3: a pattern on every other line.
void BM_CountEveryMatch(benchmark::State& state) {
    TSynSearch search;
    search.SetPattern("a", {false, true, false});
    std::vector<TSynSearchMatch> matches;
    for (auto _ : state) {
        search.FindAll(Program(), 1, Program().Count(), matches);
        benchmark::DoNotOptimize(matches.data());
    }
    state.counters["matches"] = static_cast<double>(matches.size());
}
BENCHMARK(BM_CountEveryMatch)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
