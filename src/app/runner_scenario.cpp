#include "app/runner_scenario.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <thread>

#include "interpreter/program_buffer.h"
#include "machine/grading.h"
#include "machine/scenario_reader.h"
#include "machine/transcript.h"

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

// One program with its transcript, on this thread.
std::vector<machine::GradeResult> run_with_transcript(const machine::Scenario& scenario,
                                                      const std::string& program,
                                                      std::FILE* transcript,
                                                      const machine::Cancellation& cancel) {
    machine::GradeResult result{program, {}, 0};
    try {
        const basic::ProgramBuffer buffer = basic::load_program_buffer(program);
        machine::TranscriptWriter writer(transcript);
        result.verdict = machine::run_scenario(scenario, buffer, &cancel, &writer);
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

    // Opened before anything runs, so that a file that cannot be written is
    // refused like a bad argument.
    std::ofstream junit;
    if (!arguments.junit.empty()) {
        junit.open(arguments.junit, std::ios::binary | std::ios::trunc);
        if (!junit)
            return usage("cannot write the JUnit file " + arguments.junit + ": " +
                         std::strerror(errno));
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> transcript(nullptr, std::fclose);
    if (!arguments.transcript.empty()) {
        transcript.reset(std::fopen(arguments.transcript.c_str(), "wb"));
        if (!transcript)
            return usage("cannot write the transcript " + arguments.transcript + ": " +
                         std::strerror(errno));
    }

    std::vector<machine::GradeResult> results;
    if (transcript) {
        results = run_with_transcript(scenario, programs.front(), transcript.get(), cancel);
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
    if (transcript && std::fclose(transcript.release()) != 0)
        return usage("could not finish writing the transcript " + arguments.transcript);
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
