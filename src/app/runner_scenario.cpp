#include "app/runner_scenario.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <thread>

#include "app/runner_ports.h"
#include "interpreter/program_buffer.h"
#include "machine/grading.h"
#include "machine/scenario_reader.h"

namespace marlinet::runner {
namespace {

constexpr int kExitPassed = 0;
constexpr int kExitUsage = 2;
constexpr int kExitFailed = 5;
constexpr int kExitInterrupted = 130;

int usage(const std::string& message) {
    std::cerr << "marlinet-run: " << message << '\n';
    return kExitUsage;
}

// Whether each output was written whole.
struct Written {
    bool transcript = true;
    bool vcd = true;
};

// One program with its transcript or its value change dump, on this thread.
std::vector<machine::GradeResult> run_with_outputs(const machine::Scenario& scenario,
                                                   const std::string& program,
                                                   std::FILE* transcript, std::FILE* vcd,
                                                   const machine::Cancellation& cancel,
                                                   Written& written) {
    machine::GradeResult result{program, {}, 0};
    try {
        const basic::ProgramBuffer buffer = basic::load_program_buffer(program);
        RunOutputs outputs(transcript, vcd, scenario.board);
        result.verdict = machine::run_scenario(scenario, buffer, &cancel, outputs.sink());
        written = {outputs.finish_transcript(), outputs.finish_vcd()};
    } catch (const basic::ProgramFileError& e) {
        result.verdict.message = e.what();
    }
    std::cout << machine::verdict_line(result) << '\n';
    return {result};
}

} // namespace

int run_scenarios(const ScenarioArguments& arguments, machine::Cancellation& cancel) {
    machine::Scenario scenario;
    try {
        scenario = machine::read_scenario_file(arguments.scenario);
    } catch (const machine::ScenarioError& e) {
        return usage(e.what());
    }
    std::vector<std::string> programs = arguments.programs;
    if (programs.empty() && scenario.program) programs.push_back(*scenario.program);
    if (programs.empty())
        return usage("no program to check: name one after the scenario, or in its \"program\"");
    if (!arguments.transcript.empty() && programs.size() != 1)
        return usage("--transcript writes the events of one program; " +
                     std::to_string(programs.size()) + " were given");
    if (!arguments.vcd.empty() && programs.size() != 1)
        return usage("--vcd writes the signals of one program; " + std::to_string(programs.size()) +
                     " were given");

    // Opened before anything runs, so that a file that cannot be written is
    // refused like a bad argument.
    std::ofstream junit;
    if (!arguments.junit.empty()) {
        junit.open(arguments.junit, std::ios::binary | std::ios::trunc);
        if (!junit)
            return usage("cannot write the JUnit file " + arguments.junit + ": " +
                         std::strerror(errno));
    }
    OutputFiles files;
    if (const auto refused = files.open(arguments.transcript, arguments.vcd))
        return usage(*refused);

    std::vector<machine::GradeResult> results;
    Written written;
    if (files.transcript() || files.vcd()) {
        results = run_with_outputs(scenario, programs.front(), files.transcript(), files.vcd(),
                                   cancel, written);
    } else {
        const unsigned jobs =
            arguments.jobs ? arguments.jobs : std::max(1u, std::thread::hardware_concurrency());
        results = machine::grade(scenario, programs, static_cast<int>(jobs), &cancel,
                                 [](const machine::GradeResult& result) {
                                     std::cout << machine::verdict_line(result) << '\n'
                                               << std::flush;
                                 });
    }
    std::cout << machine::summary_line(results) << '\n' << std::flush;
    if (const auto unfinished = files.close(written.transcript, written.vcd))
        return usage(*unfinished);
    if (junit.is_open()) {
        machine::write_junit(junit, scenario, results);
        junit.close();
        if (!junit) return usage("could not finish writing the JUnit file " + arguments.junit);
    }
    if (cancel.requested()) return kExitInterrupted;
    for (const machine::GradeResult& result : results)
        if (!result.verdict.passed) return kExitFailed;
    return kExitPassed;
}

} // namespace marlinet::runner
