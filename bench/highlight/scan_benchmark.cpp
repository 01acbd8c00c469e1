// Scanning speed of the BASIC highlighter, the way the editor drives it:
// line by line through the base interface, SetLine, then GetTokenAttribute
// and Next until GetEol. The input is a generated 40,000-line program.
//
// Every allocation of this program is counted; the "allocs" counters report
// those made inside the timed loops, per iteration.
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "allocation_counter.h"
#include "highlight/vb_highlighter.h"

namespace {

using marlinet::highlight::TSynCustomHighlighter;
using marlinet::highlight::TSynVBSyn;
using marlinet::testing::Allocations;

// Made through the class descriptor, as the editor holds it: the compiler
// cannot see the concrete class and calls every operation virtually.
std::unique_ptr<TSynCustomHighlighter> MakeHighlighter() {
    return TSynVBSyn::ClassInfo().Create(nullptr);
}

// A program of the workbench's dialect with the odd line from the wider
// family: numbered and unnumbered statements, labels, strings, comments,
// arithmetic and comparisons, much as users write them.
std::vector<std::string> GenerateProgram(int line_count) {
    std::mt19937 random(12345);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const char* vars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    auto var = [&] { return std::string(1, vars[pick(26)]); };
    auto num = [&] { return std::to_string(pick(5000)); };
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(line_count));
    for (int i = 0; i < line_count; ++i) {
        std::string line;
        if (pick(4) == 0) line = std::to_string((i + 1) * 10) + " ";
        switch (pick(14)) {
        case 0: line += "REM " + std::string("Scale the reading and show it on the lamps"); break;
        case 1: line += "PRINT \"Value of " + var() + " is\"; " + var() + "; \" mV\""; break;
        case 2: line += var() + " = " + var() + " * " + num() + " / (" + var() + " + 1)"; break;
        case 3:
            line += "IF " + var() + " >= " + num() + " THEN GOTO " + std::to_string(pick(400) * 10);
            break;
        case 4: line += "FOR " + var() + " = 1 TO " + num(); break;
        case 5: line += "NEXT " + var(); break;
        case 6: line += "GOSUB " + std::to_string(pick(400) * 10) + "  ' subroutine"; break;
        case 7: line += "ADC " + var() + ": SCALE " + var() + ", 5000, 4095"; break;
        case 8: line += "SETB " + std::to_string(1 + pick(4)) + ": DELAY " + num(); break;
        case 9: line += "TSTB " + var() + ", 126: IF " + var() + " <> 0 THEN CLRB 2"; break;
        case 10: line += "INPUT \"Number of samples\", " + var(); break;
        case 11: line += "counter_" + num() + " = counter_" + num() + " + 1"; break;
        case 12: line += "    DAC " + var() + " / 20 ' to the output"; break;
        default: line += "RETURN"; break;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

const std::vector<std::string>& Program() {
    static const std::vector<std::string> program = GenerateProgram(40000);
    return program;
}

std::int64_t ProgramBytes() {
    std::int64_t bytes = 0;
    for (const std::string& line : Program())
        bytes += static_cast<std::int64_t>(line.size());
    return bytes;
}

void ReportAllocations(benchmark::State& state, std::int64_t allocations) {
    state.counters["allocs"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    state.counters["lines"] = static_cast<double>(Program().size());
    // Bytes of the lines, line breaks not included.
    state.counters["file_bytes"] = static_cast<double>(ProgramBytes());
}

// SetLine / GetTokenAttribute / Next to the end of every line.
void BM_ScanProgram(benchmark::State& state) {
    const std::unique_ptr<TSynCustomHighlighter> highlighter = MakeHighlighter();
    TSynCustomHighlighter& hl = *highlighter;
    const std::vector<std::string>& lines = Program();
    std::int64_t allocations = 0;
    for (auto _ : state) {
        const std::int64_t before = Allocations();
        std::uintptr_t seen = 0;
        int index = 0;
        for (const std::string& line : lines) {
            hl.SetLine(line, index++);
            while (!hl.GetEol()) {
                seen += reinterpret_cast<std::uintptr_t>(hl.GetTokenAttribute());
                hl.Next();
            }
        }
        benchmark::DoNotOptimize(seen);
        allocations += Allocations() - before;
    }
    state.SetBytesProcessed(state.iterations() * ProgramBytes());
    ReportAllocations(state, allocations);
}
BENCHMARK(BM_ScanProgram)->Unit(benchmark::kMillisecond);

// What painting adds: the token's position and text as well.
void BM_ScanProgramWithTokenText(benchmark::State& state) {
    const std::unique_ptr<TSynCustomHighlighter> highlighter = MakeHighlighter();
    TSynCustomHighlighter& hl = *highlighter;
    const std::vector<std::string>& lines = Program();
    std::int64_t allocations = 0;
    for (auto _ : state) {
        const std::int64_t before = Allocations();
        std::size_t seen = 0;
        int index = 0;
        for (const std::string& line : lines) {
            hl.ResetRange();
            hl.SetLine(line, index++);
            while (!hl.GetEol()) {
                seen += static_cast<std::size_t>(hl.GetTokenPos()) + hl.GetToken().size();
                seen += hl.GetTokenAttribute() != nullptr ? 1 : 0;
                hl.Next();
            }
        }
        benchmark::DoNotOptimize(seen);
        allocations += Allocations() - before;
    }
    state.SetBytesProcessed(state.iterations() * ProgramBytes());
    ReportAllocations(state, allocations);
}
BENCHMARK(BM_ScanProgramWithTokenText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
