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
#include <set>
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

// The command line, once parsed.
struct Arguments {
    marlinet::runner::RunnerOptions options;
    std::string file;
    std::string state_file;
};

// The options, bound to where their values go.
struct OptionValues {
    std::vector<int> inputs;
    bool no_delay = false;
    std::string max_statements;
    CLI::Option* limit = nullptr;
};

void describe_options(CLI::App& app, Arguments& arguments, OptionValues& values) {
    auto& board = arguments.options.board;
    app.add_option("--input", values.inputs,
                   "tick discrete input N (1..4); may be given several times")
        ->check(CLI::Range(1, 4))
        ->type_name("N")
        ->allow_extra_args(false);
    app.add_flag("--rx", board.rx, "tick the \"RX bit (126)\" input");
    app.add_option("--adc1", board.adc1, "text of the ADC1 field (default \"0\")")
        ->type_name("TEXT");
    app.add_option("--adc2", board.adc2, "text of the ADC2 field (default \"0\")")
        ->type_name("TEXT");
    app.add_flag("--no-delay", values.no_delay, "DELAY does not wait");
    values.limit = app.add_option("--max-statements", values.max_statements,
                                  "run at most N statements (exit 3 when more would run)")
                       ->type_name("N");
    app.add_flag("--trace", arguments.options.trace,
                 "before each statement, write \"line N\" to standard error");
    app.add_option("--state", arguments.state_file,
                   "after the run, write the final state as JSON to FILE")
        ->type_name("FILE")
        ->check(CLI::Validator(
            [](const std::string& name) { return name.empty() ? "a file name is required" : ""; },
            "", "not empty"));
    app.set_version_flag("--version", kVersion);
    app.add_option("FILE", arguments.file, "the BASIC program to run")->required();
}

// The command line with every "--name=" of an option that takes a value
// split into the option and an empty value: the parser would otherwise take
// the next argument as the value. An empty ADC text is an empty field; an
// empty value elsewhere is refused. An argument that is the value of an
// option, or follows "--", is left alone.
std::vector<std::string> split_empty_values(int argc, char** argv) {
    const std::set<std::string_view> takes_value = {"--input", "--adc1", "--adc2",
                                                    "--max-statements", "--state"};
    std::vector<std::string> out(argv, argv + argc);
    for (std::size_t i = 1; i < out.size(); ++i) {
        if (out[i] == "--") break;
        if (takes_value.count(out[i])) {
            ++i;
        } else if (out[i].ends_with('=') &&
                   takes_value.count(std::string_view(out[i]).substr(0, out[i].size() - 1))) {
            out[i].pop_back();
            out.insert(out.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::string());
            ++i;
        }
    }
    return out;
}

// The values that need checking beyond what the parser does.
std::optional<int> apply_values(const OptionValues& values, Arguments& arguments) {
    for (int n : values.inputs)
        arguments.options.board.inputs[static_cast<std::size_t>(n - 1)] = true;
    arguments.options.delay = !values.no_delay;
    if (values.limit->count() == 0) return std::nullopt;
    arguments.options.max_statements = parse_count(values.max_statements);
    if (arguments.options.max_statements) return std::nullopt;
    std::cerr << "marlinet-run: --max-statements: \"" << values.max_statements
              << "\" is not a whole number from 0 to 18446744073709551615\n";
    return kExitUsage;
}

// Fills `arguments`; the exit status when the command line asks for no run
// (help, version) or cannot be used.
std::optional<int> parse_arguments(int argc, char** argv, Arguments& arguments) {
    CLI::App app{"Runs a Marlinet BASIC program on a terminal: PRINT goes to standard output, "
                 "INPUT reads standard input, the board is set from the options below."};
    OptionValues values;
    describe_options(app, arguments, values);
    const std::vector<std::string> split = split_empty_values(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& argument : split)
        pointers.push_back(argument.c_str());
    try {
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "marlinet-run: " << e.what() << "\nRun with --help for more information.\n";
        return kExitUsage;
    }
    return apply_values(values, arguments);
}

std::optional<marlinet::basic::ProgramBuffer> load_program(const std::string& file) {
    try {
        return marlinet::basic::load_program_buffer(file);
    } catch (const marlinet::basic::ProgramFileError& e) {
        std::cerr << "marlinet-run: " << e.what() << '\n';
        return std::nullopt;
    }
}

// Opened before the run, so that a state file that cannot be written is
// refused like a bad argument instead of being found out afterwards.
bool open_state_file(const std::string& name, std::ofstream& out) {
    if (name.empty()) return true;
    out.open(name, std::ios::binary | std::ios::trunc);
    if (out) return true;
    std::cerr << "marlinet-run: cannot write the state file " << name << ": "
              << std::strerror(errno) << '\n';
    return false;
}

Outcome run(Interpreter& interpreter, RunnerHost& host, marlinet::basic::ProgramBuffer program) {
    interpreter.set_program(std::move(program));
    host.attach(interpreter);
    interpreter.run_state().store(marlinet::basic::RunState::Running);
    RunnerHost::install_interrupt_handler();
    const RunEnd how = interpreter.run_program();
    std::fflush(stdout);
    const Outcome outcome = outcome_of(how, host.host_end());
    if (outcome.status == kExitInputEnded) std::cerr << "input ended\n";
    return outcome;
}

bool write_state(std::ofstream& out, const std::string& name, const Interpreter& interpreter,
                 const RunnerHost& host, const Outcome& outcome) {
    out << final_state(interpreter, host, outcome.end).dump(2) << '\n';
    out.close();
    if (out) return true;
    std::cerr << "marlinet-run: could not finish writing the state file " << name << '\n';
    return false;
}

} // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (const std::optional<int> status = parse_arguments(argc, argv, arguments)) return *status;
    std::optional<marlinet::basic::ProgramBuffer> program = load_program(arguments.file);
    if (!program) return kExitUsage;
    std::ofstream state_out;
    if (!open_state_file(arguments.state_file, state_out)) return kExitUsage;

    RunnerHost host(arguments.options, stdout, stderr, STDIN_FILENO);
    Interpreter interpreter(host);
    const Outcome outcome = run(interpreter, host, std::move(*program));
    if (state_out.is_open() &&
        !write_state(state_out, arguments.state_file, interpreter, host, outcome))
        return kExitUsage;
    return outcome.status;
}
