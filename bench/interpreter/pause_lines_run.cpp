// Runs a BASIC program with a host that does nothing, optionally with pause
// lines on lines the run never reaches, and prints the statements it ran:
// what bench/interpreter/pause_lines.sh times and counts.
//
//   interpreter_pause_run [--unreached-pause-lines N] PROGRAM
//
// Either way the program gets the same tail: an END, then ten REM lines (N
// when more), so that only the pause lines differ between two timings.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "interpreter/interpreter.h"

namespace {

using namespace marlinet::basic;

class NullHost : public Host {
public:
    int host_print(std::string_view text) override { return static_cast<int>(text.size()); }
    std::string_view host_request_value() override { return "0"; }
    int host_request_key() override { return 0; }
    void host_checkpoint() override {}
    void host_end_of_run() override {}
    void host_report_error() override {}
    void host_reset_variables() override {}
    std::optional<std::int32_t> host_read_adc() override { return 0; }
    void host_write_dac(std::int16_t) override {}
    void host_set_output(int) override {}
    void host_clear_output(int) override {}
    void host_select_adc(bool) override {}
    bool host_test_input(std::uint8_t) override { return false; }
    void host_delay(int) override {}
};

int usage() {
    std::fprintf(stderr, "usage: interpreter_pause_run [--unreached-pause-lines N] PROGRAM\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    int pauses = 0;
    std::string file;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--unreached-pause-lines" && i + 1 < argc)
            pauses = std::atoi(argv[++i]);
        else if (file.empty() && !arg.starts_with("--"))
            file = arg;
        else
            return usage();
    }
    if (file.empty() || pauses < 0) return usage();
    try {
        const ProgramBuffer loaded = load_program_buffer(file);
        std::string text(loaded.text());
        text += "\r\nEND\r\n";
        int line = 1; // the first REM line

        for (char c : text)
            line += c == '\n';
        std::vector<PauseLine> lines;
        for (int i = 0; i < 10 || i < pauses; ++i) {
            if (i < pauses) {
                PauseLine pause;
                pause.line = line + i;
                lines.push_back(pause);
            }
            text += "REM never reached\r\n";
        }
        NullHost host;
        Interpreter interpreter(host);
        interpreter.set_program(ProgramBuffer::from_file_bytes(text));
        interpreter.set_pause_lines(lines);
        interpreter.run_state().store(RunState::Running);
        const RunEnd end = interpreter.run_program();
        std::printf("statements: %llu\n",
                    static_cast<unsigned long long>(interpreter.statements()));
        return end == RunEnd::EndOfProgram ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
