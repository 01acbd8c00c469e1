// Reading scenario files: durations, a file using every key, and a table of
// broken files with the message (and place) each must give.
#include <gtest/gtest.h>

#include "machine/scenario_reader.h"

namespace marlinet::machine {
namespace {

Scenario read(const std::string& text) {
    return read_scenario(text, "f.yaml", "/work/class");
}

TEST(ScenarioReader, DurationsAreWholeMicroseconds) {
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"10us", 10},
        {"5ms", 5000},
        {"2s", 2'000'000},
        {"1.5s", 1'500'000},
        {"0s", 0},
        {"0.000001s", 1},
        {"0.25ms", 250},
        {"1.0000005s", {}},
        {"1.5us", {}},
        {"s", {}},
        {"5", {}},
        {"5 ms", {}},
        {"-1s", {}},
        {".5s", {}},
        {"5.s", {}},
        {"1.2.3s", {}},
        {"999999999999s", 999'999'999'999'000'000}, // twelve digits at most
        {"9999999999999s", {}},
        {"1.00000000000s", 1'000'000},
        {"1.000000000000s", {}},
        {".s", {}},
        {"5min", {}},
    };
    for (const auto& [text, us] : cases)
        EXPECT_EQ(parse_duration(text), us) << text;
}

TEST(ScenarioReader, ReadsEveryKey) {
    const Scenario s = read(R"(name: All
version: 1
program: ../hand-ins/a.bas
clock: { statement: 25us }
limits: { time: 5s, statements: 1000 }
board: { inputs: [1, 3], rx: on, adc1: " 512", adc2: "-7", adc: ADC2 }
input: ["42", 7]
steps:
  - at: 50ms
    set: { input1: off, adc1: "300", rx: false }
  - after: 1s
  - when: { console: { equals: "x" }, line: 9, var: { n: -3 } }
    within: 2s
    answer: ["1", "x"]
    expect: { lamp4: on, dac: -300, adc: adc1, ended: false }
end:
  error: { number: 14, line: 3 }
  console: done
)");
    EXPECT_EQ(s.name, "All");
    EXPECT_EQ(s.program, "/work/hand-ins/a.bas");
    EXPECT_EQ(s.statement_us, 25);
    EXPECT_EQ(s.time_limit_us, 5'000'000);
    EXPECT_EQ(s.statement_limit, 1000u);
    EXPECT_TRUE(s.board.test_input(1) && s.board.test_input(3) && s.board.test_input(126));
    EXPECT_FALSE(s.board.test_input(2));
    EXPECT_EQ(s.board.adc_text(AdcChannel::Adc1), " 512");
    EXPECT_EQ(s.board.selected_adc(), AdcChannel::Adc2);
    EXPECT_EQ(s.answers, (std::vector<std::string>{"42", "7"}));
    ASSERT_EQ(s.steps.size(), 3u);
    EXPECT_EQ(s.steps[0].source_line, 9);
    EXPECT_EQ(s.steps[0].trigger, Trigger::At);
    EXPECT_EQ(s.steps[0].set->inputs[0], false);
    EXPECT_EQ(s.steps[0].set->adc1, "300");
    EXPECT_EQ(s.steps[1].trigger, Trigger::After);
    EXPECT_EQ(s.steps[1].time_us, 1'000'000);
    const Step& when = s.steps[2];
    EXPECT_EQ(when.trigger, Trigger::When);
    EXPECT_TRUE(when.when.console->whole);
    EXPECT_EQ(when.when.line, 9);
    EXPECT_EQ(when.when.variables, (std::vector<std::pair<int, std::int16_t>>{{13, -3}}));
    EXPECT_EQ(when.within_us, 2'000'000);
    EXPECT_EQ(when.answers.size(), 2u);
    EXPECT_EQ(when.expect->lamps[3], true);
    EXPECT_EQ(when.expect->dac, -300);
    EXPECT_EQ(when.expect->adc, AdcChannel::Adc1);
    EXPECT_EQ(s.end->error->number, 14);
    EXPECT_EQ(s.end->error->line, 3);
    EXPECT_EQ(s.end->state.console->text, "done");
    EXPECT_FALSE(read("end: { error: none }\n").end->error->number);
}

TEST(ScenarioReader, MistakesNameTheirPlaceAndNothingRuns) {
    const std::pair<std::string, std::string> cases[] = {
        {"nmae: x\n", "f.yaml:1:1: unknown key \"nmae\" in the scenario (known: name, version, "
                      "program, clock, limits, board, input, steps, end)"},
        {"version: 2\n", "f.yaml:1:10: version 2 is not known (this program reads 1)"},
        {"steps:\n  - at: 5 ms\n",
         "f.yaml:2:9: at must be a duration such as 10us, 5ms, 2s or 1.5s (whole microseconds)"},
        {"steps:\n  - at: 1s\n    after: 2s\n",
         "f.yaml:3:12: a step has at most one of at, after and when"},
        {"steps:\n  - within: 1s\n", "f.yaml:2:5: within needs a when in the same step"},
        {"board:\n  inputs: [5]\n", "f.yaml:2:12: an input must be a whole number from 1 to 4"},
        {"end:\n  error: { line: 3 }\n", "f.yaml:2:10: error needs its number"},
        {"end:\n  error: { number: 3, line: 0 }\n",
         "f.yaml:2:29: line must be a whole number from 1 to 1000000000"},
        {"steps:\n  - expect: { dac: 40000 }\n",
         "f.yaml:2:20: dac must be a whole number from -32768 to 32767"},
        {"steps:\n  - expect: { var: { AB: 1 } }\n",
         "f.yaml:2:22: a variable is one letter A to Z"},
        {"steps:\n  - expect: { line: 3 }\n",
         "f.yaml:2:15: unknown key \"line\" in expect (known: lamp1, lamp2, lamp3, lamp4, "
         "input1, input2, input3, input4, rx, dac, adc, var, console, ended)"},
        {"steps:\n  - when: {}\n", "f.yaml:2:11: when needs at least one condition"},
        {"steps:\n  - expect: { lamp1: maybe }\n",
         "f.yaml:2:22: lamp1 must be on, off, true or false"},
        {"steps: 5\n", "f.yaml:1:8: steps must be a list"},
        {"- a\n", "f.yaml:1:1: a scenario must be a map of keys and values"},
        {"", "f.yaml: a scenario must be a map of keys and values"},
        {"input: { a: 1 }\n", "f.yaml:1:8: input must be a text or a list of texts"},
        {"name: a\nname: b\n", "f.yaml:2:1: \"name\" is given twice"},
        {"limits: { time: 0s }\n", "f.yaml:1:17: the time limit must be more than 0s"},
        {"steps:\n  - at: [1\n", "f.yaml:3:1: end of sequence flow not found"},
    };
    for (const auto& [text, message] : cases) {
        try {
            read(text);
            ADD_FAILURE() << "read: " << text;
        } catch (const ScenarioError& e) {
            EXPECT_EQ(e.what(), message) << text;
        }
    }
}

TEST(ScenarioReader, DeepNestingIsAFileErrorNotACrash) {
    for (const std::string& text : {"steps: " + std::string(100'000, '['), "steps:\n" + [] {
                                        std::string deep = "  ";
                                        for (int i = 0; i < 20'000; ++i)
                                            deep += "- ";
                                        return deep + "x\n";
                                    }()}) {
        EXPECT_THROW(read(text), ScenarioError);
    }
}

} // namespace
} // namespace marlinet::machine
