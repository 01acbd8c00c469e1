// Interpreter micro-benchmarks: statement throughput, the cost of the
// per-statement checkpoint, GOTO to a near and a far label, and loading the
// largest program a file may hold.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "interpreter/interpreter.h"
#include "machine/clock.h"
#include "machine/machine_host.h"

namespace {

using namespace marlinet::basic;

// The one host, MachineHost, over a console that does nothing and a board
// of its own, without an event sink: what a run costs without a window.
class NullConsole : public marlinet::machine::ConsolePort {
public:
    void print(std::string_view) override {}
    marlinet::machine::Answer read_answer(marlinet::machine::InputForm,
                                          std::string& text) override {
        text = "0";
        return marlinet::machine::Answer::Typed;
    }
};

struct NullHost {
    NullConsole console;
    marlinet::machine::Board board;
    marlinet::machine::LocalBoard board_port{board};
    marlinet::machine::VirtualClock clock;
    marlinet::machine::MachineHost host{console, board_port, clock};
};

void run(benchmark::State& state, const std::string& program, bool every_checkpoint = false) {
    NullHost null;
    Interpreter interpreter(null.host);
    null.host.attach(interpreter);
    interpreter.set_program(ProgramBuffer::from_file_bytes(program));
    interpreter.set_checkpoint_every_statement(every_checkpoint);
    std::uint64_t statements = 0;
    for (auto _ : state) {
        interpreter.run_state().store(RunState::Running);
        if (interpreter.run_program() != RunEnd::EndOfProgram)
            state.SkipWithError("the program did not end normally");
        statements += interpreter.statements();
    }
    state.counters["statements/s"] =
        benchmark::Counter(static_cast<double>(statements), benchmark::Counter::kIsRate);
    state.counters["ns/statement"] = benchmark::Counter(
        static_cast<double>(statements), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

const std::string kAssignments = "FOR I = 1 TO 10000\nA = A + I % 7\nB = A & 255 | 16\nNEXT\n";

// Free running: the checkpoint is one relaxed load of the run state.
void BM_FreeRunningCheckpoint(benchmark::State& state) {
    run(state, kAssignments);
}
BENCHMARK(BM_FreeRunningCheckpoint);

// The same program with the host called before every statement, for scale.
void BM_HostCheckpointEveryStatement(benchmark::State& state) {
    run(state, kAssignments, true);
}
BENCHMARK(BM_HostCheckpointEveryStatement);

// The same text either way: 40 labels, and the loop jumps to the first label
// defined (next to the GOTO) or to the last one, 200 KB further down.
std::string goto_program(bool far) {
    std::string program = "FOR J = 1 TO 10\nFOR I = 1 TO 10000\n";
    program += far ? "GOTO 9039\n" : "GOTO 9000\n";
    program += "9000 NEXT\nNEXT\nEND\n";
    for (int label = 9001; label < 9039; ++label)
        program += std::to_string(label) + " END\n";
    // Long comment lines: 200 KB apart, while collecting labels stays cheap.
    const std::string filler = "REM " + std::string(1000, 'x') + "\n";
    for (int line = 0; line < 200; ++line)
        program += filler;
    program += "9039 NEXT\nNEXT\nEND\n";
    return program;
}
void BM_GotoNearLabel(benchmark::State& state) {
    run(state, goto_program(false));
}
void BM_GotoFarLabel(benchmark::State& state) {
    run(state, goto_program(true));
}
BENCHMARK(BM_GotoNearLabel);
BENCHMARK(BM_GotoFarLabel);

// A 1 MiB file read, converted to CR LF and given to the interpreter, which
// allocates its token memo: what happens between Run and the first statement.
void BM_LoadOneMebibyteFile(benchmark::State& state) {
    std::string text;
    const std::string line = "10 IF A < 10 THEN A = A + 1 PRINT \"a\", B\n";
    while (text.size() + line.size() <= ProgramBuffer::kMaxFileSize)
        text += line;
    text.resize(ProgramBuffer::kMaxFileSize, ' ');
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("marlinet_bench_" + std::to_string(::getpid()) + ".bas");
    std::ofstream(file, std::ios::binary) << text;
    NullHost null;
    Interpreter interpreter(null.host);
    for (auto _ : state)
        interpreter.set_program(load_program_buffer(file));
    std::filesystem::remove(file);
    state.counters["memo bytes/program byte"] = static_cast<double>(interpreter.memo_memory()) /
                                                static_cast<double>(interpreter.program().size());
}
BENCHMARK(BM_LoadOneMebibyteFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
