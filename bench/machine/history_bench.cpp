// The history of a run (Release build; bench/machine/history_bench.sh runs it):
//  - Speed/NAME/plain and /recorded: the speed programs of
//    bench/interpreter/compare.sh through MachineHost, without and with the
//    recorder attached (ns per statement; the ratio is the recording's cost);
//  - state_at/compute and /io: a run of 100 million statements recorded with
//    the default bound, then the state at random moments of the history
//    kept (the p50, p99 and max wall latency and the p99 of thread CPU time,
//    in ms, as counters);
//  - timeline_columns: one query over 1.5 million events for 1000 columns.
//
//   history_bench --programs=DIR [benchmark flags]   (DIR holds NAME.bas)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <time.h>

#include "interpreter/interpreter.h"
#include "machine/clock.h"
#include "machine/history.h"
#include "machine/machine_host.h"
#include "machine/recorder.h"
#include "machine/timeline.h"

namespace {

using namespace marlinet;

class NullConsole final : public machine::ConsolePort {
public:
    void print(std::string_view) override {}
    machine::Answer read_answer(machine::InputForm, std::string& text) override {
        text = "7";
        return machine::Answer::Typed;
    }
};

// Ends the run at the first checkpoint from `limit` on.
class Limit final : public machine::RunControl {
public:
    explicit Limit(std::uint64_t limit) : limit_(limit) {}
    void checkpoint(machine::MachineHost& host) override {
        RunControl::checkpoint(host);
        if (host.interpreter().statements() >= limit_) host.end(machine::EndReason::Limit);
    }

private:
    std::uint64_t limit_;
};

// A host over a board with input 1 ticked and "512" in ADC1, on virtual time.
struct Machine {
    NullConsole console;
    machine::Board board;
    machine::LocalBoard board_port{board};
    machine::VirtualClock clock;
    machine::MachineHost host{console, board_port, clock};
    basic::Interpreter in{host};

    explicit Machine(const std::string& program) {
        board.set_input(1, true);
        board.set_adc_text(machine::AdcChannel::Adc1, "512");
        host.attach(in);
        in.set_program(basic::ProgramBuffer::from_file_bytes(program));
    }
    std::uint64_t run() {
        in.run_state().store(basic::RunState::Running);
        host.run();
        return in.statements();
    }
};

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void speed(benchmark::State& state, const std::string& program, bool recorded) {
    Machine machine(program);
    machine::History history;
    machine::Recorder recorder(history);
    if (recorded) recorder.attach(machine.host);
    std::uint64_t statements = 0;
    for (auto _ : state)
        statements += machine.run();
    state.counters["ns/statement"] = benchmark::Counter(
        static_cast<double>(statements), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Compute only: the mix of GOSUBs, loops and IFs, again and again.
const char* const kCompute = "1 S = 0\nFOR K = 1 TO 10\nFOR I = 1 TO 20000\nGOSUB 100\nNEXT\n"
                             "NEXT\nGOTO 1\n100 FOR J = 1 TO 10\nS = (S + J) & 255\nNEXT\n"
                             "T = I % 3\nIF T = 0 THEN S = S - 1\nRETURN\n";
// Board I/O in most statements: an analog read, an input test, the DAC and a
// lamp in every pass, a PRINT every thousand.
const char* const kInputOutput = "10 FOR I = 1 TO 1000\nADC A\nTSTB B, 1\nDAC A + I\n"
                                 "IF B = 1 THEN SETB 2\nIF B = 0 THEN CLRB 2\nNEXT\nPRINT I\n"
                                 "GOTO 10\n";

// One recorded run of 100 million statements per program, kept for the
// benchmark's repetitions.
struct RecordedRun {
    machine::History history;
    double record_seconds = 0;

    explicit RecordedRun(const std::string& program) {
        Machine machine(program);
        Limit limit(100'000'000);
        machine::Recorder recorder(history, &limit);
        recorder.attach(machine.host);
        const auto start = std::chrono::steady_clock::now();
        machine.run();
        record_seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
};

double thread_cpu_ms() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

void state_at(benchmark::State& state, const char* program) {
    static std::map<const char*, std::unique_ptr<RecordedRun>> runs;
    std::unique_ptr<RecordedRun>& run = runs[program];
    if (!run) run = std::make_unique<RecordedRun>(program);
    const auto extent = run->history.extent();
    std::mt19937_64 random(1);
    std::uniform_int_distribution<std::uint64_t> moment(extent->first.statement,
                                                        extent->last.statement);
    // Wall time, and the thread's CPU time (what a shared machine disturbs
    // less).
    std::vector<double> ms;
    std::vector<double> cpu_ms;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpu_start = thread_cpu_ms();
        benchmark::DoNotOptimize(run->history.state_at(moment(random)));
        cpu_ms.push_back(thread_cpu_ms() - cpu_start);
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpu_ms.begin(), cpu_ms.end());
    const auto at = [](const std::vector<double>& v, double q) {
        return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1))];
    };
    state.counters["p50 ms"] = at(ms, 0.5);
    state.counters["p99 ms"] = at(ms, 0.99);
    state.counters["max ms"] = ms.back();
    state.counters["cpu p99 ms"] = at(cpu_ms, 0.99);
    state.counters["moments kept"] =
        static_cast<double>(extent->last.statement - extent->first.statement);
    state.counters["last moment"] = static_cast<double>(extent->last.statement);
    state.counters["MB kept"] = static_cast<double>(run->history.memory().used) / 1e6;
    state.counters["record s"] = run->record_seconds;
}
BENCHMARK_CAPTURE(state_at, compute, kCompute)->Iterations(2000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(state_at, io, kInputOutput)->Iterations(2000)->Unit(benchmark::kMillisecond);

// Three events in five statements; a million and a half kept (a bound of
// 256 MB drops none).
void timeline_columns(benchmark::State& state) {
    static machine::History history(std::size_t{256} << 20);
    static const bool recorded = [] {
        Machine machine("10 SETB 1\nCLRB 1\nDAC I\nI = I + 1\nGOTO 10\n");
        Limit limit(2'500'000);
        machine::Recorder recorder(history, &limit);
        recorder.attach(machine.host);
        machine.run();
        return true;
    }();
    benchmark::DoNotOptimize(recorded);
    const machine::TimelineModel timeline(history);
    const auto span = timeline.span();
    machine::TimelineColumns columns;
    for (auto _ : state)
        timeline.columns(span->from_us, span->to_us, 1000, columns);
    std::uint64_t events = 0;
    for (std::size_t s = 0; s < machine::kStripCount; ++s)
        for (int c = 0; c < columns.width(); ++c)
            events += columns.at(static_cast<machine::Strip>(s), c).events;
    state.counters["events"] = static_cast<double>(events);
    state.counters["dropped"] = static_cast<double>(history.memory().dropped_events);
}
BENCHMARK(timeline_columns)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::filesystem::path programs;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--programs=", 11) == 0) programs = argv[i] + 11;
    if (!programs.empty()) {
        for (const char* name : {"loop", "primes", "mix", "calls"}) {
            const std::string text = read_file(programs / (std::string(name) + ".bas"));
            if (text.empty()) {
                std::fprintf(stderr, "history_bench: no %s.bas in %s\n", name, programs.c_str());
                return 2;
            }
            for (const bool recorded : {false, true})
                benchmark::RegisterBenchmark(
                    ("Speed/" + std::string(name) + (recorded ? "/recorded" : "/plain")).c_str(),
                    [text, recorded](benchmark::State& state) { speed(state, text, recorded); })
                    ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
