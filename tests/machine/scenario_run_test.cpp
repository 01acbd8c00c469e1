// Running programs against scenarios: each kind of step and check passing
// and failing, INPUT and limits, repeatability, grading in parallel, the
// JUnit report, and the scenario of every example.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "machine/grading.h"
#include "machine/scenario_reader.h"
#include "machine/scenario_run.h"
#include "machine/transcript.h"
#include "temp_dir.h"

namespace marlinet::machine {
namespace {

Verdict check(const std::string& program, const std::string& scenario) {
    return run_scenario(read_scenario(scenario, "s.yaml", "."),
                        basic::ProgramBuffer::from_file_bytes(program));
}

TEST(ScenarioRun, EachStepAndCheckPassesOrFailsWithItsMessage) {
    const char* blink = "SETB 1\nDELAY 1000\nCLRB 1\nDELAY 1000\n";
    const struct {
        const char* program;
        const char* scenario;
        const char* failure; // "" to pass
    } cases[] = {
        // at, inside a DELAY, and the failure's step, time and program line
        {blink, "steps:\n  - at: 500ms\n    expect: { lamp1: on }\n", ""},
        {blink, "steps:\n  - at: 1.5s\n    expect: { lamp1: on }\n",
         "step 1 (scenario line 2) at 1.500 s, program line 4: lamp1 expected on, was off"},
        // after counts from the step before
        {blink, "steps:\n  - at: 500ms\n  - after: 1s\n    expect: { lamp1: off }\n", ""},
        {blink, "steps:\n  - at: 500ms\n  - after: 400ms\n    expect: { lamp1: off }\n",
         "step 2 (scenario line 3) at 0.900 s, program line 2: lamp1 expected off, was on"},
        // set changes what the program reads
        {"10 TSTB A, 1\nIF A = 0 THEN GOTO 10\nADC B\nDAC B\n",
         "steps:\n  - at: 1s\n    set: { input1: on, adc1: \"77\" }\nend:\n  dac: 77\n", ""},
        // when, within, line
        {"A = 1\nA = 2\nA = 3\n", "steps:\n  - when: { line: 3 }\n    expect: { var: { A: 2 } }\n",
         ""},
        {"10 GOTO 10\n", "steps:\n  - when: { lamp2: on }\n    within: 1s\n",
         "step 1 (scenario line 2) at 1.000 s, program line 1: the condition did not hold "
         "within 1.000 s"},
        // a console text found before the rest of the condition holds, and
        // an expect that looks at text a trigger has searched past
        {"PRINT \"go\"\nA = 1\nSETB 1\nPRINT \"x\"\nDELAY 10\n",
         "steps:\n  - when: { console: go, lamp1: on }\n    expect: { console: go }\n", ""},
        // INPUT: answered by the list, by a step, or failing
        {"INPUT \"Age\", A\nINPUT B\n",
         "input: [\"5\"]\nsteps:\n  - when: { console: \"? \" }\n    answer: \"6\"\nend:\n  var: "
         "{ A: 5, B: 6 }\n  console: { equals: \"Age5\\n? 6\\n\" }\n",
         ""},
        {"INPUT A\nINPUT B\n", "input: [\"1\"]\nend: { error: none }\n",
         "end (scenario line 2) at 0.000 s, program line 2: the program waits for INPUT and the "
         "scenario has no more answers"},
        // the end: error, console, state
        {"A = 1 / 0\n", "end:\n  error: { number: 14, line: 1 }\n", ""},
        {"A = 1 / 0\n", "end: { error: none }\n",
         "end (scenario line 1) at 0.000 s, program line 1: error expected none, was 14 "
         "(Division by zero) in line 1"},
        {"PRINT \"x\"\n", "end: { console: \"y\" }\n",
         "end (scenario line 1) at 0.000 s, program line 1: console expected to contain \"y\""},
        {"SETB 128\nDAC 3\n", "end: { adc: ADC1 }\n",
         "end (scenario line 1) at 0.000 s, program line 2: adc expected ADC1, was ADC2"},
        // a program that ends first, or never ends
        {"PRINT 1\n", "steps:\n  - when: { lamp1: on }\n",
         "step 1 (scenario line 2) at 0.000 s, program line 1: the program ended before this "
         "step ran"},
        {"10 GOTO 10\n", "limits: { time: 2s }\nend: { error: none }\n",
         "end (scenario line 2) at 2.000 s, program line 1: time limit 2.000 s reached while "
         "waiting"},
        {"10 GOTO 10\n", "limits: { statements: 50 }\nend: { error: none }\n",
         "end (scenario line 2) at 0.000 s, program line 1: statement limit 50 reached while "
         "waiting"},
        {"10 GOTO 10\n", "steps:\n  - at: 1s\n", ""}, // no end: done after the last step
    };
    for (const auto& c : cases) {
        const Verdict verdict = check(c.program, c.scenario);
        EXPECT_EQ(verdict.message, c.failure) << c.scenario;
        EXPECT_EQ(verdict.passed, std::string(c.failure).empty()) << c.scenario;
    }
}

std::string transcript_of(const Scenario& scenario, const basic::ProgramBuffer& program,
                          Verdict& verdict) {
    std::string lines;
    std::FILE* file = std::tmpfile();
    {
        TranscriptWriter writer(file);
        verdict = run_scenario(scenario, program, nullptr, &writer);
    }
    std::rewind(file);
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        lines.append(chunk, got);
    std::fclose(file);
    return lines;
}

TEST(ScenarioRun, TheSameRunGivesTheSameVerdictAndTranscript) {
    const std::string dir = MARLINET_SOURCE_DIR "/examples/";
    const Scenario scenario = read_scenario_file(dir + "menu.scenario.yaml");
    const basic::ProgramBuffer program = basic::load_program_buffer(dir + "menu.bas");
    Verdict first, second;
    const std::string a = transcript_of(scenario, program, first);
    const std::string b = transcript_of(scenario, program, second);
    EXPECT_TRUE(first.passed) << first.message;
    EXPECT_GT(a.size(), 1000u);
    EXPECT_EQ(a, b);
    EXPECT_EQ(first.time_us, second.time_us);
    EXPECT_EQ(first.statements, second.statements);
}

TEST(ScenarioRun, GradingRunsInParallelAndReportsInOrder) {
    testing::TempDir dir;
    std::vector<std::string> programs;
    for (int i = 0; i < 12; ++i) {
        programs.push_back(dir.File("p" + std::to_string(i) + ".bas"));
        testing::WriteFile(programs.back(), i % 3 ? "SETB 1\nDELAY 500\n" : "DELAY 500\n");
    }
    programs.push_back(dir.File("missing.bas"));
    const Scenario scenario =
        read_scenario("name: Lamp <1> & \"2\"\nsteps:\n  - at: 100ms\n    expect: { lamp1: on }\n",
                      "s.yaml", ".");
    std::vector<std::string> reported;
    const auto results = grade(scenario, programs, 3, nullptr,
                               [&](const GradeResult& r) { reported.push_back(r.program); });
    EXPECT_EQ(reported, programs);
    const auto serial = grade(scenario, programs, 1);
    for (std::size_t i = 0; i < programs.size(); ++i) {
        EXPECT_EQ(results[i].verdict.passed, i % 3 != 0 && i < 12) << i;
        EXPECT_EQ(results[i].verdict.message, serial[i].verdict.message) << i;
    }
    EXPECT_NE(results.back().verdict.message.find("missing.bas"), std::string::npos);
    EXPECT_EQ(summary_line(results), "8 passed, 5 failed");
    EXPECT_EQ(verdict_line(results[1]), "PASS " + programs[1]);

    std::ostringstream junit;
    write_junit(junit, scenario, {results[0], results[1]});
    const std::string xml = junit.str();
    EXPECT_NE(xml.find("<testsuite name=\"Lamp &lt;1&gt; &amp; &quot;2&quot;\" tests=\"2\" "
                       "failures=\"1\""),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("<failure message=\"FAIL " + programs[0] + ": step 1"), std::string::npos);

    Scenario control; // control bytes and DEL have no place in XML 1.0
    control.name = "a\x01"
                   "b\x1f"
                   "c\x7f"
                   "d e";
    std::ostringstream escaped;
    write_junit(escaped, control, {});
    EXPECT_NE(escaped.str().find("name=\"a?b?c?d e\""), std::string::npos) << escaped.str();
}

TEST(ScenarioRun, EveryExampleHasAScenarioThatPasses) {
    int examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(MARLINET_SOURCE_DIR "/examples")) {
        if (entry.path().extension() != ".bas") continue;
        ++examples;
        std::filesystem::path scenario = entry.path();
        scenario.replace_extension(".scenario.yaml");
        SCOPED_TRACE(scenario.string());
        ASSERT_TRUE(std::filesystem::exists(scenario));
        const Scenario s = read_scenario_file(scenario.string());
        EXPECT_EQ(s.program, entry.path().lexically_normal().string());
        const Verdict verdict = run_scenario(s, basic::load_program_buffer(entry.path()));
        EXPECT_TRUE(verdict.passed) << verdict.message;
    }
    EXPECT_GE(examples, 6);
}

} // namespace
} // namespace marlinet::machine
