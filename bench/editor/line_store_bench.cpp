// Line store and position benchmarks on a generated 40,000-line BASIC file.
//
// The loads are measured beside a plain std::getline loop into a
// std::vector<std::string> over the same bytes, in the same run, so the ratio
// between them does not depend on the machine.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "editor/custom_synedit.h"
#include "editor/string_list.h"

namespace {

using namespace marlinet::editor;
namespace fs = std::filesystem;

constexpr int kLines = 40000;

// A BASIC program of kLines CR LF lines, varied in length; one line in
// twenty is indented with a tab.
std::string MakeProgram() {
    static const char* const statements[] = {
        "PRINT \"VALUE OF A IS \"; A",
        "A = A + 1",
        "IF A > 100 THEN GOTO 9000",
        "FOR I = 1 TO 10",
        "NEXT I",
        "GOSUB 5000",
        "REM --- read the converter and scale it to millivolts ---",
        "B = ADC(1) * 5000 / 4095",
        "SETB 2",
        "DELAY 250",
    };
    std::string text;
    for (int i = 0; i < kLines; ++i) {
        if (i % 20 == 7) text += '\t';
        text += std::to_string((i + 1) * 10);
        text += ' ';
        text += statements[(i * 7) % 10];
        if (i + 1 < kLines) text += "\r\n";
    }
    return text;
}

const std::string& Program() {
    static const std::string program = MakeProgram();
    return program;
}

// The program written once to a file in the temporary folder.
const fs::path& ProgramFile() {
    struct File {
        fs::path path;
        File()
            : path(fs::temp_directory_path() /
                   ("marlinet-bench-" + std::to_string(::getpid()) + ".bas")) {
            std::ofstream(path, std::ios::binary) << Program();
        }
        ~File() { fs::remove(path); }
    };
    static const File file;
    return file.path;
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Program().size()));
}

// The plain loop the line store is measured against.
std::vector<std::string> GetlineAll(std::istream& in) {
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

void BM_Getline_Stream(benchmark::State& state) {
    std::istringstream in(Program());
    for (auto _ : state) {
        in.clear();
        in.seekg(0);
        std::vector<std::string> lines = GetlineAll(in);
        benchmark::DoNotOptimize(lines.data());
    }
    SetBytes(state);
}
BENCHMARK(BM_Getline_Stream)->Unit(benchmark::kMillisecond);

// Loads into the same editor again and again, as each run of the workbench
// reloads its program.
template <class Load>
void LoadRepeatedly(benchmark::State& state, Load load) {
    TCustomSynEdit edit;
    for (auto _ : state) {
        load(edit.Lines());
        benchmark::DoNotOptimize(edit.Lines().Count());
    }
    if (edit.Lines().Count() != kLines) state.SkipWithError("wrong line count");
    SetBytes(state);
}

void BM_LoadFromStream_EditorLines(benchmark::State& state) {
    std::istringstream in(Program());
    LoadRepeatedly(state, [&](TSynEditStringList& lines) { lines.LoadFromStream(in); });
}
BENCHMARK(BM_LoadFromStream_EditorLines)->Unit(benchmark::kMillisecond);

void BM_Getline_File(benchmark::State& state) {
    const fs::path& file = ProgramFile();
    for (auto _ : state) {
        std::ifstream in(file, std::ios::binary);
        std::vector<std::string> lines = GetlineAll(in);
        benchmark::DoNotOptimize(lines.data());
    }
    SetBytes(state);
}
BENCHMARK(BM_Getline_File)->Unit(benchmark::kMillisecond);

void BM_LoadFromFile_EditorLines(benchmark::State& state) {
    const fs::path& file = ProgramFile();
    LoadRepeatedly(state, [&](TSynEditStringList& lines) { lines.LoadFromFile(file); });
}
BENCHMARK(BM_LoadFromFile_EditorLines)->Unit(benchmark::kMillisecond);

// A first load: a new editor each time, so no memory is reused from the last
// load (the editor's construction is timed too).
void BM_LoadFromFile_NewEditor(benchmark::State& state) {
    const fs::path& file = ProgramFile();
    for (auto _ : state) {
        TCustomSynEdit edit;
        edit.Lines().LoadFromFile(file);
        if (edit.Lines().Count() != kLines) state.SkipWithError("wrong line count");
    }
    SetBytes(state);
}
BENCHMARK(BM_LoadFromFile_NewEditor)->Unit(benchmark::kMillisecond);

// For scale: writing the same lines with an ofstream, without the temporary
// file, the flush to disk and the rename that SaveToFile does.
void BM_PlainOfstreamWrite_File(benchmark::State& state) {
    TSynEditStringList list;
    list.SetText(Program());
    const fs::path out = ProgramFile().string() + ".plain";
    for (auto _ : state) {
        std::ofstream file(out, std::ios::binary | std::ios::trunc);
        for (int i = 0; i < list.Count(); ++i) {
            file << list.GetView(i);
            if (i + 1 < list.Count()) file << "\r\n";
        }
    }
    fs::remove(out);
    SetBytes(state);
}
BENCHMARK(BM_PlainOfstreamWrite_File)->Unit(benchmark::kMillisecond);

void BM_SaveToFile(benchmark::State& state) {
    TSynEditStringList list;
    list.SetText(Program());
    const fs::path out = ProgramFile().string() + ".saved";
    for (auto _ : state)
        list.SaveToFile(out);
    if (fs::file_size(out) != Program().size()) state.SkipWithError("wrong file size");
    fs::remove(out);
    SetBytes(state);
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);

void BM_SaveToStream(benchmark::State& state) {
    TSynEditStringList list;
    list.SetText(Program());
    for (auto _ : state) {
        std::ostringstream out;
        list.SaveToStream(out);
        benchmark::DoNotOptimize(out.tellp());
    }
    SetBytes(state);
}
BENCHMARK(BM_SaveToStream)->Unit(benchmark::kMillisecond);

// Every line measured again (as after loading or a tab width change).
void BM_LengthOfLongestLine_Cold(benchmark::State& state) {
    TSynEditStringList list;
    list.SetText(Program());
    int width = 8;
    for (auto _ : state) {
        state.PauseTiming();
        width = width == 8 ? 4 : 8;
        list.SetTabWidth(width);
        state.ResumeTiming();
        benchmark::DoNotOptimize(list.LengthOfLongestLine());
    }
}
BENCHMARK(BM_LengthOfLongestLine_Cold)->Unit(benchmark::kMicrosecond);

// After an edit of one line: the lengths of the others are still cached.
void BM_LengthOfLongestLine_AfterEdit(benchmark::State& state) {
    TSynEditStringList list;
    list.SetText(Program());
    list.LengthOfLongestLine();
    for (auto _ : state) {
        state.PauseTiming();
        list.Put(kLines / 2, "20000 PRINT A");
        state.ResumeTiming();
        benchmark::DoNotOptimize(list.LengthOfLongestLine());
    }
}
BENCHMARK(BM_LengthOfLongestLine_AfterEdit)->Unit(benchmark::kMicrosecond);

void BM_LengthOfLongestLine_Cached(benchmark::State& state) {
    TSynEditStringList list;
    list.SetText(Program());
    list.LengthOfLongestLine();
    for (auto _ : state)
        benchmark::DoNotOptimize(list.LengthOfLongestLine());
}
BENCHMARK(BM_LengthOfLongestLine_Cached);

void BM_CharIndexToRowCol_NearEnd(benchmark::State& state) {
    TCustomSynEdit edit;
    edit.Lines().SetText(Program());
    const int index = edit.RowColToCharIndex({5, kLines - 10});
    for (auto _ : state)
        benchmark::DoNotOptimize(edit.CharIndexToRowCol(index));
    if (edit.CharIndexToRowCol(index) != TBufferCoord{5, kLines - 10})
        state.SkipWithError("wrong position");
}
BENCHMARK(BM_CharIndexToRowCol_NearEnd)->Unit(benchmark::kMicrosecond);

void BM_RowColToCharIndex_NearEnd(benchmark::State& state) {
    TCustomSynEdit edit;
    edit.Lines().SetText(Program());
    const TBufferCoord position{5, kLines - 10};
    for (auto _ : state)
        benchmark::DoNotOptimize(edit.RowColToCharIndex(position));
}
BENCHMARK(BM_RowColToCharIndex_NearEnd)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
