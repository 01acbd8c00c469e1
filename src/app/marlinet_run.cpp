// marlinet-run: runs a BASIC program on the interpreter from a terminal, or
// checks programs against a scenario file (--scenario).
//
// Exit status: 0 END or end of text (every program passed); 1 interpreter
// error; 2 bad arguments, a file that cannot be run or a bad scenario file;
// 3 statement limit; 4 standard input ended while an INPUT waited; 5 a
// program failed its scenario; 130 interrupted.
#include <CLI/CLI.hpp>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <set>
#include <unistd.h>

#include "app/runner_ports.h"
#include "app/runner_scenario.h"
#include "interpreter/errors.h"
#include "interpreter/interpreter.h"
#include "interpreter/program_buffer.h"
#include "machine/clock.h"

namespace {

using marlinet::basic::Interpreter;
using marlinet::machine::EndReason;

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

Outcome outcome_of(EndReason reason) {
    switch (reason) {
    case EndReason::Program: return {"end", kExitEnd};
    case EndReason::Error: return {"error", kExitError};
    case EndReason::Limit: return {"limit", kExitLimit};
    case EndReason::InputEnded: return {"input", kExitInputEnded};
    case EndReason::Interrupted:
    case EndReason::Stopped: break;
    }
    return {"interrupt", kExitInterrupted};
}

nlohmann::ordered_json final_state(const Interpreter& interpreter,
                                   const marlinet::machine::Board& board, const char* end) {
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
    state["outputs"] = board.outputs();
    if (board.dac())
        state["dac"] = *board.dac();
    else
        state["dac"] = nullptr;
    state["adc"] = marlinet::machine::adc_name(board.selected_adc());
    state["rx"] = board.test_input(marlinet::machine::Board::kRxBit);
    state["statements"] = interpreter.statements();
    return state;
}

// The command line, once parsed.
struct Arguments {
    marlinet::runner::RunnerOptions options;
    std::vector<std::string> files;
    std::string state_file;
    std::string transcript;
    std::string vcd;
    marlinet::runner::ScenarioArguments scenario;
};

// The options, bound to where their values go.
struct OptionValues {
    std::vector<int> inputs;
    bool no_delay = false;
    std::string max_statements;
    CLI::Option* limit = nullptr;
    CLI::Option* scenario = nullptr;
    // The options that shape a single run, which a scenario sets itself.
    std::vector<CLI::Option*> single_run;
};

void describe_options(CLI::App& app, Arguments& arguments, OptionValues& values) {
    auto& board = arguments.options.board;
    CLI::Option* input = app.add_option("--input", values.inputs,
                                        "tick discrete input N (1..4); may be given several times")
                             ->check(CLI::Range(1, 4))
                             ->type_name("N")
                             ->allow_extra_args(false);
    values.single_run.push_back(app.add_flag("--rx", board.rx, "tick the \"RX bit (126)\" input"));
    values.single_run.push_back(
        app.add_option("--adc1", board.adc1, "text of the ADC1 field (default \"0\")")
            ->type_name("TEXT"));
    values.single_run.push_back(
        app.add_option("--adc2", board.adc2, "text of the ADC2 field (default \"0\")")
            ->type_name("TEXT"));
    values.single_run.push_back(app.add_flag("--no-delay", values.no_delay, "DELAY does not wait"));
    values.limit = app.add_option("--max-statements", values.max_statements,
                                  "run at most N statements (exit 3 when more would run)")
                       ->type_name("N");
    values.single_run.push_back(values.limit);
    values.single_run.push_back(
        app.add_flag("--trace", arguments.options.trace,
                     "before each statement, write \"line N\" to standard error"));
    const auto not_empty = CLI::Validator(
        [](const std::string& name) { return name.empty() ? "a file name is required" : ""; }, "",
        "not empty");
    values.single_run.push_back(
        app.add_option("--state", arguments.state_file,
                       "after the run, write the final state as JSON to FILE")
            ->type_name("FILE")
            ->check(not_empty));
    app.add_option("--transcript", arguments.transcript,
                   "write every event of the run to FILE, one JSON object per line")
        ->type_name("FILE")
        ->check(not_empty);
    app.add_option("--vcd", arguments.vcd,
                   "write the board's signals over the run's time to FILE as a value change "
                   "dump, for waveform viewers")
        ->type_name("FILE")
        ->check(not_empty);
    values.scenario =
        app.add_option("--scenario", arguments.scenario.scenario,
                       "check the PROGRAMs (default: the scenario's own) against the scenario "
                       "FILE; exit 0 when all pass, 5 when any fails")
            ->type_name("FILE")
            ->check(not_empty);
    app.add_option("--jobs", arguments.scenario.jobs,
                   "with --scenario: check N programs at once (default: one per core)")
        ->type_name("N")
        ->check(CLI::Range(1u, 1024u))
        ->needs(values.scenario);
    app.add_option("--junit", arguments.scenario.junit,
                   "with --scenario: write the verdicts as JUnit XML to FILE")
        ->type_name("FILE")
        ->check(not_empty)
        ->needs(values.scenario);
    for (CLI::Option* option : values.single_run)
        option->excludes(values.scenario);
    values.single_run.push_back(input);
    input->excludes(values.scenario);
    app.set_version_flag("--version", marlinet::runner::version_text());
    app.add_option("FILE", arguments.files,
                   "the BASIC program to run (with --scenario: the programs to check)");
}

// The command line with every "--name=" of an option that takes a value
// split into the option and an empty value: the parser would otherwise take
// the next argument as the value. An empty ADC text is an empty field; an
// empty value elsewhere is refused. An argument that is the value of an
// option, or follows "--", is left alone.
std::vector<std::string> split_empty_values(int argc, char** argv) {
    const std::set<std::string_view> takes_value = {
        "--input", "--adc1",       "--adc2",  "--max-statements", "--state",
        "--jobs",  "--transcript", "--junit", "--scenario",       "--vcd"};
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

// Two options that name the same output file would write over each other.
std::optional<int> refuse_shared_output(const Arguments& arguments) {
    const std::pair<const char*, const std::string*> outputs[] = {
        {"--state", &arguments.state_file},
        {"--transcript", &arguments.transcript},
        {"--junit", &arguments.scenario.junit},
        {"--vcd", &arguments.vcd}};
    namespace fs = std::filesystem;
    for (std::size_t i = 0; i < std::size(outputs); ++i) {
        for (std::size_t j = i + 1; j < std::size(outputs); ++j) {
            const std::string& a = *outputs[i].second;
            const std::string& b = *outputs[j].second;
            std::error_code ignored;
            if (a.empty() || b.empty() ||
                fs::weakly_canonical(a, ignored) != fs::weakly_canonical(b, ignored))
                continue;
            std::cerr << "marlinet-run: " << outputs[i].first << " and " << outputs[j].first
                      << " name the same file " << a << '\n';
            return kExitUsage;
        }
    }
    return std::nullopt;
}

// The values that need checking beyond what the parser does.
std::optional<int> apply_values(const OptionValues& values, Arguments& arguments) {
    if (const std::optional<int> refused = refuse_shared_output(arguments)) return refused;
    if (values.scenario->count() == 0 && arguments.files.size() != 1) {
        std::cerr << "marlinet-run: "
                  << (arguments.files.empty()
                          ? "FILE is required"
                          : "only one FILE can run (check several with --scenario)")
                  << "\nRun with --help for more information.\n";
        return kExitUsage;
    }
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

// Opened before the run, like the state file.
// One program on this thread: the console on standard output and input.
struct SingleRun {
    SingleRun(const Arguments& args, marlinet::machine::Cancellation& interrupt, int wake)
        : arguments(args), cancel(interrupt), wake_fd(wake) {}

    const Arguments& arguments;
    marlinet::machine::Cancellation& cancel;
    int wake_fd;
    marlinet::machine::Board board = marlinet::runner::make_board(arguments.options.board);
    marlinet::machine::LocalBoard board_port{board};
    marlinet::machine::RealClock real_clock{&cancel};
    marlinet::machine::VirtualClock virtual_clock;
    marlinet::runner::StdioConsole console{stdout, STDIN_FILENO, wake_fd, cancel};
    marlinet::runner::RunnerControl control{arguments.options, stdout, stderr, cancel};
    marlinet::machine::MachineHost host{console, board_port,
                                        arguments.options.delay
                                            ? static_cast<marlinet::machine::Clock&>(real_clock)
                                            : virtual_clock};
    Interpreter interpreter{host};

    Outcome run(marlinet::basic::ProgramBuffer program, marlinet::machine::EventSink* sink) {
        interpreter.set_program(std::move(program));
        interpreter.set_checkpoint_every_statement(arguments.options.trace ||
                                                   arguments.options.max_statements);
        host.attach(interpreter);
        host.set_control(&control);
        host.set_sink(sink);
        console.attach(host);
        interpreter.run_state().store(marlinet::basic::RunState::Running);
        // An interrupt makes the next checkpoint look, even while the
        // program runs freely.
        cancel.on_request(
            [this] { interpreter.run_state().store(marlinet::basic::RunState::ResetRequest); });
        const EndReason reason = host.run();
        std::fflush(stdout);
        const Outcome outcome = outcome_of(reason);
        if (outcome.status == kExitInputEnded) std::cerr << "input ended\n";
        return outcome;
    }
};

bool write_state(std::ofstream& out, const std::string& name, const Interpreter& interpreter,
                 const marlinet::machine::Board& board, const Outcome& outcome) {
    out << final_state(interpreter, board, outcome.end).dump(2) << '\n';
    out.close();
    if (out) return true;
    std::cerr << "marlinet-run: could not finish writing the state file " << name << '\n';
    return false;
}

// A pipe that becomes readable at an interrupt, so that a wait on standard
// input wakes; -1 when none could be made.
int make_wake_pipe(marlinet::machine::Cancellation& cancel) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
    const int write_end = fds[1];
    cancel.on_request([write_end] { [[maybe_unused]] auto written = ::write(write_end, "!", 1); });
    return fds[0];
}

} // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (const std::optional<int> status = parse_arguments(argc, argv, arguments)) return *status;
    marlinet::machine::Cancellation cancel;
    if (!arguments.scenario.scenario.empty()) {
        const marlinet::runner::InterruptWatcher watcher(cancel);
        arguments.scenario.programs = arguments.files;
        arguments.scenario.transcript = arguments.transcript;
        arguments.scenario.vcd = arguments.vcd;
        return marlinet::runner::run_scenarios(arguments.scenario, cancel);
    }
    std::optional<marlinet::basic::ProgramBuffer> program = load_program(arguments.files.front());
    if (!program) return kExitUsage;
    std::ofstream state_out;
    if (!open_state_file(arguments.state_file, state_out)) return kExitUsage;
    marlinet::runner::OutputFiles files;
    if (const std::optional<std::string> refused =
            files.open(arguments.transcript, arguments.vcd)) {
        std::cerr << "marlinet-run: " << *refused << '\n';
        return kExitUsage;
    }

    SingleRun single(arguments, cancel, make_wake_pipe(cancel));
    marlinet::runner::RunOutputs outputs(files.transcript(), files.vcd(), single.board);
    // Made after the run it reaches, so that it is gone before the run is.
    const marlinet::runner::InterruptWatcher watcher(cancel);
    const Outcome outcome = single.run(std::move(*program), outputs.sink());
    if (const std::optional<std::string> unfinished =
            files.close(outputs.finish_transcript(), outputs.finish_vcd())) {
        std::cerr << "marlinet-run: " << *unfinished << '\n';
        return kExitUsage;
    }
    if (state_out.is_open() &&
        !write_state(state_out, arguments.state_file, single.interpreter, single.board, outcome))
        return kExitUsage;
    return outcome.status;
}
