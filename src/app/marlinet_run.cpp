// marlinet-run: runs a BASIC program on the interpreter from a terminal.
//
// Exit status: 0 END or end of text; 1 interpreter error; 2 bad arguments or
// a file that cannot be run; 3 statement limit; 4 standard input ended while
// an INPUT waited; 130 interrupted.
#include <CLI/CLI.hpp>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include "app/runner_host.h"
#include "interpreter/errors.h"
#include "interpreter/interpreter.h"
#include "interpreter/program_buffer.h"

namespace {

using marlinet::basic::Interpreter;
using marlinet::basic::RunEnd;
using marlinet::runner::HostEnd;
using marlinet::runner::RunnerHost;

constexpr const char* kVersion = "marlinet-run 1.5 (interpreter 1.5D)";

enum ExitStatus : int {
    kExitEnd = 0,
    kExitError = 1,
    kExitUsage = 2,
    kExitLimit = 3,
    kExitInputEnded = 4,
    kExitInterrupted = 130,
};

// A whole number of statements, refused when it does not fit.
std::optional<std::uint64_t> parse_count(const std::string& text) {
    std::uint64_t value = 0;
    const char* const last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (text.empty() || error != std::errc() || end != last) return std::nullopt;
    return value;
}

struct Outcome {
    const char* end;
    int status;
};

Outcome outcome_of(RunEnd how, HostEnd host_end) {
    switch (how) {
    case RunEnd::EndOfProgram: return {"end", kExitEnd};
    case RunEnd::Error: return {"error", kExitError};
    case RunEnd::Host: break;
    }
    switch (host_end) {
    case HostEnd::Limit: return {"limit", kExitLimit};
    case HostEnd::InputEnded: return {"input", kExitInputEnded};
    case HostEnd::Interrupted:
    case HostEnd::None: break;
    }
    return {"interrupt", kExitInterrupted};
}

nlohmann::ordered_json final_state(const Interpreter& interpreter, const RunnerHost& host,
                                   const char* end) {
    nlohmann::ordered_json state;
    state["end"] = end;
    const int number = interpreter.error_number();
    if (number < 0) {
        state["error"] = nullptr;
    } else {
        state["error"] = {{"number", number},
                          {"message", std::string(marlinet::basic::error_message(number))},
                          {"line", interpreter.error_line()}};
    }
    nlohmann::ordered_json variables = nlohmann::ordered_json::object();
    for (int i = 0; i < Interpreter::kVariableCount; ++i)
        variables[std::string(1, static_cast<char>('A' + i))] = interpreter.variable(i);
    state["variables"] = variables;
    state["outputs"] = host.outputs();
    if (host.dac())
        state["dac"] = *host.dac();
    else
        state["dac"] = nullptr;
    state["adc"] = host.adc2_selected() ? "ADC2" : "ADC1";
    state["rx"] = host.rx();
    state["statements"] = interpreter.statements();
    return state;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Runs a Marlinet BASIC program on a terminal: PRINT goes to standard output, "
                 "INPUT reads standard input, the board is set from the options below."};
    marlinet::runner::RunnerOptions options;
    std::vector<int> inputs;
    std::string file;
    std::string state_file;
    bool no_delay = false;
    std::string max_statements;

    app.add_option("--input", inputs, "tick discrete input N (1..4); may be given several times")
        ->check(CLI::Range(1, 4))
        ->type_name("N")
        ->allow_extra_args(false);
    app.add_flag("--rx", options.board.rx, "tick the \"RX bit (126)\" input");
    app.add_option("--adc1", options.board.adc1, "text of the ADC1 field (default \"0\")")
        ->type_name("TEXT");
    app.add_option("--adc2", options.board.adc2, "text of the ADC2 field (default \"0\")")
        ->type_name("TEXT");
    app.add_flag("--no-delay", no_delay, "DELAY does not wait");
    auto* limit = app.add_option("--max-statements", max_statements,
                                 "run at most N statements (exit 3 when more would run)")
                      ->type_name("N");
    app.add_flag("--trace", options.trace,
                 "before each statement, write \"line N\" to standard error");
    app.add_option("--state", state_file, "after the run, write the final state as JSON to FILE")
        ->type_name("FILE");
    app.set_version_flag("--version", kVersion);
    app.add_option("FILE", file, "the BASIC program to run")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "marlinet-run: " << e.what() << "\nRun with --help for more information.\n";
        return kExitUsage;
    }
    for (int n : inputs)
        options.board.inputs[static_cast<std::size_t>(n - 1)] = true;
    options.delay = !no_delay;
    if (limit->count() > 0) {
        options.max_statements = parse_count(max_statements);
        if (!options.max_statements) {
            std::cerr << "marlinet-run: --max-statements: \"" << max_statements
                      << "\" is not a whole number from 0 to 18446744073709551615\n";
            return kExitUsage;
        }
    }

    marlinet::basic::ProgramBuffer program;
    try {
        program = marlinet::basic::load_program_buffer(file);
    } catch (const marlinet::basic::ProgramFileError& e) {
        std::cerr << "marlinet-run: " << e.what() << '\n';
        return kExitUsage;
    }

    // Opened before the run, so that a state file that cannot be written is
    // refused like a bad argument instead of being found out afterwards.
    std::ofstream state_out;
    if (!state_file.empty()) {
        state_out.open(state_file, std::ios::binary | std::ios::trunc);
        if (!state_out) {
            std::cerr << "marlinet-run: cannot write the state file " << state_file << ": "
                      << std::strerror(errno) << '\n';
            return kExitUsage;
        }
    }

    RunnerHost host(options, stdout, stderr, STDIN_FILENO);
    Interpreter interpreter(host);
    interpreter.set_program(std::move(program));
    host.attach(interpreter);
    interpreter.run_state().store(marlinet::basic::RunState::Running);
    RunnerHost::install_interrupt_handler();

    const RunEnd how = interpreter.run_program();
    std::fflush(stdout);
    const Outcome outcome = outcome_of(how, host.host_end());
    if (outcome.status == kExitInputEnded) std::cerr << "input ended\n";

    if (state_out.is_open()) {
        state_out << final_state(interpreter, host, outcome.end).dump(2) << '\n';
        state_out.close();
        if (!state_out) {
            std::cerr << "marlinet-run: could not finish writing the state file " << state_file
                      << '\n';
            return kExitUsage;
        }
    }
    return outcome.status;
}
