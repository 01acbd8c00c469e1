// Fuzz target: any bytes as a scenario file. The reader either refuses them
// with a file error (naming a place in the file) or returns a scenario,
// which is then run twice against a small program that uses the console,
// INPUT, the board and DELAY, under tight limits.
//
// Beyond what the sanitizers catch, it checks what must hold for any input:
// an error names the file and a line and column inside the text (or none);
// no input crashes, hangs or takes unbounded memory, deep nesting included;
// a verdict that fails has a message and one that passes has none; and the
// two runs give the same verdict (virtual time makes a run repeatable).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "interpreter/program_buffer.h"
#include "machine/scenario_reader.h"
#include "machine/scenario_run.h"

namespace {

using namespace marlinet::machine;

[[noreturn]] void fail(const char* what) {
    marlinet::fuzz::fail("scenario", what);
}

const marlinet::basic::ProgramBuffer& program() {
    static const marlinet::basic::ProgramBuffer buffer =
        marlinet::basic::ProgramBuffer::from_file_bytes(
            "REM a little of everything a scenario can look at\n"
            "INPUT \"Number \", A\n"
            "10 TSTB I, 1\n"
            "IF I = 1 THEN SETB 1\n"
            "IF I = 0 THEN CLRB 1\n"
            "ADC V DAC V\n"
            "SETB 128 ADC W CLRB 128\n"
            "PRINT \"A=\"; A; \" V=\"; V\n"
            "DELAY 100\n"
            "N = N + 1\n"
            "IF N < 20 THEN GOTO 10\n"
            "INPUT \"$\", K\n"
            "PRINT 1 / (K - 48)\n");
    return buffer;
}

void check_error(const ScenarioError& error, std::string_view text) {
    const std::string message = error.what();
    if (!message.starts_with("fuzz.yaml:")) fail("an error that does not name the file");
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 2;
    if (error.line() < 0 || error.line() > lines) fail("an error line outside the text");
    if (error.line() > 0 && error.column() < 1) fail("an error without a column");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Scenario scenario;
    try {
        scenario = read_scenario(text, "fuzz.yaml", marlinet::fuzz::scratch_folder());
    } catch (const ScenarioError& error) {
        check_error(error, text);
        return 0;
    }
    // Tight limits: thousands of runs a second, whatever the file asks.
    scenario.statement_limit = std::min<std::uint64_t>(scenario.statement_limit, 20'000);
    scenario.time_limit_us = std::min<std::int64_t>(scenario.time_limit_us, 30'000'000);
    const Verdict first = run_scenario(scenario, program());
    const Verdict second = run_scenario(scenario, program());
    if (!first.passed && first.message.empty()) fail("a failing verdict without a message");
    if (first.passed && !first.message.empty()) fail("a passing verdict with a message");
    if (first.passed != second.passed || first.message != second.message ||
        first.statements != second.statements || first.time_us != second.time_us)
        fail("two runs of the same scenario gave different verdicts");
    return 0;
}
