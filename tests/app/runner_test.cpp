// marlinet-run end to end: the program is run as a separate process, fed
// standard input, and judged by its output, exit status and state file.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "child_process.h"
#include "hostile_files.h"
#include "support/version.h"
#include "temp_dir.h"
#include "vcd_reader.h"

namespace {

namespace fs = std::filesystem;
using marlinet::testing::ChildResult;
using marlinet::testing::RunChild;
using marlinet::testing::ShellQuote;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
    std::string state_text;
    nlohmann::json state;
};

// The file's bytes; empty when it cannot be read.
std::string slurp(const fs::path& file) {
    return marlinet::testing::ReadFile(file).value_or("");
}

class Runner : public ::testing::Test {
protected:
    marlinet::testing::TempDir temp;
    const fs::path dir = temp.Path();
    std::optional<uid_t> as_user; // run the runner as this user

    // A run as the user nobody must reach the files, so that only a file's
    // own permissions keep it from being read.
    void SetUp() override {
        fs::permissions(dir, fs::perms::group_exec | fs::perms::others_exec, fs::perm_options::add);
    }

    fs::path program(const std::string& text, const std::string& name = "prog.bas") {
        marlinet::testing::WriteFile(dir / name, text);
        return dir / name;
    }

    // Runs marlinet-run with `args` and a program (added last unless empty).
    Result run(const std::vector<std::string>& args, const std::string& text,
               const std::string& input = "", bool with_state = true) {
        std::vector<std::string> argv = {MARLINET_RUN};
        argv.insert(argv.end(), args.begin(), args.end());
        if (with_state) argv.insert(argv.end(), {"--state", (dir / "state.json").string()});
        if (!text.empty()) argv.push_back(program(text).string());
        const ChildResult child = RunChild(argv, {.Input = input, .AsUser = as_user});
        Result r;
        r.status = child.Status;
        r.out = child.Out;
        r.err = child.Err;
        if (with_state && fs::exists(dir / "state.json")) {
            r.state_text = slurp(dir / "state.json");
            r.state = nlohmann::json::parse(r.state_text);
        }
        return r;
    }
};

TEST_F(Runner, PrintsTheTranscriptWithoutCarriageReturnsAndEndsWithZero) {
    const Result r = run({}, "PRINT \"a\", 1\r\nPRINT \"b\";\nPRINT \"c\"\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "a       1\nbc\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.state["end"], "end");
    EXPECT_TRUE(r.state["error"].is_null());
    EXPECT_EQ(r.state["statements"], 3);
}

TEST_F(Runner, StateHoldsVariablesOutputsDacAdcAndRx) {
    const Result r = run({"--rx", "--input", "2", "--input", "4", "--adc2", " 77 "},
                         "A = -5 Z = 32767\nSETB 1 SETB 3 CLRB 3\nDAC 12\nSETB 128\nADC Q\n"
                         "TSTB R, 126\nTSTB S, 4\nTSTB T, 1\n");
    EXPECT_EQ(r.status, 0);
    const nlohmann::json& s = r.state;
    EXPECT_EQ(s["variables"]["A"], -5);
    EXPECT_EQ(s["variables"]["Z"], 32767);
    EXPECT_EQ(s["variables"]["Q"], 77);
    EXPECT_EQ(s["variables"]["R"], 1);
    EXPECT_EQ(s["variables"]["S"], 1);
    EXPECT_EQ(s["variables"]["T"], 0);
    EXPECT_EQ(s["variables"].size(), 26u);
    EXPECT_EQ(s["outputs"], nlohmann::json::parse("[true, false, false, false]"));
    EXPECT_EQ(s["dac"], 12);
    EXPECT_EQ(s["adc"], "ADC2");
    EXPECT_EQ(s["rx"], true);
    // Keys in their documented order.
    const std::vector<std::string> keys = {"\"end\"",     "\"error\"",     "\"variables\"",
                                           "\"outputs\"", "\"dac\"",       "\"adc\"",
                                           "\"rx\"",      "\"statements\""};
    for (std::size_t i = 1; i < keys.size(); ++i)
        EXPECT_LT(r.state_text.find(keys[i - 1]), r.state_text.find(keys[i])) << keys[i];

    const Result plain = run({}, "A = 1\n");
    EXPECT_TRUE(plain.state["dac"].is_null());
    EXPECT_EQ(plain.state["adc"], "ADC1");
    EXPECT_EQ(plain.state["rx"], false);
}

TEST_F(Runner, InterpreterErrorExitsWithOneAndReportsOnBothChannels) {
    const Result r = run({}, "A = 1\nGOTO 99\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "\nERROR:7,2\n");
    EXPECT_EQ(r.err, "ERROR: Undefined label in line 2\n");
    EXPECT_EQ(r.state["end"], "error");
    EXPECT_EQ(r.state["error"],
              nlohmann::json::parse(R"({"number": 7, "message": "Undefined label", "line": 2})"));

    // Found on the line end of line 2: every output names line 2.
    const Result at_end = run({}, "A = 1\nB = A/0\nC = 1\n");
    EXPECT_EQ(at_end.out, "\nERROR:14,2\n");
    EXPECT_EQ(at_end.err, "ERROR: Division by zero in line 2\n");
    EXPECT_EQ(at_end.state["error"]["line"], 2);
}

TEST_F(Runner, InputReadsLinesEchoesThemAndClearsRx) {
    const Result r = run(
        {"--rx"}, "INPUT A\nINPUT \"Name \", B\nINPUT \"$\", K\nINPUT \"$\", L\nPRINT A+B;K;L\n",
        "12\r\n" + std::string(100, '7') + "\nxy");
    EXPECT_EQ(r.status, 0);
    // 79 characters are kept; 77...7 (79 digits) wraps like any number.
    EXPECT_EQ(r.out, "? 12\nName " + std::string(79, '7') + "\n" +
                         std::to_string(12 + r.state["variables"]["B"].get<int>()) + "120121\n");
    EXPECT_EQ(r.state["variables"]["K"], 'x');
    EXPECT_EQ(r.state["rx"], false);
}

// The line up to LF, every CR dropped, cut at the first NUL, then at most 79
// characters; the echo is exactly the text kept.
TEST_F(Runner, Issue9InputDropsCarriageReturnsAndEndsAtANul) {
    const Result r = run({}, "INPUT A\nINPUT B\nINPUT C\n",
                         std::string(78, '\r') + "12\n" +
                             std::string("12\0"
                                         "3\n",
                                         5) +
                             "4\r5\r\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.state["variables"]["A"], 12);
    EXPECT_EQ(r.state["variables"]["B"], 12);
    EXPECT_EQ(r.state["variables"]["C"], 45);
    EXPECT_EQ(r.out, "? 12\n? 12\n? 45\n");
}

TEST_F(Runner, EndOfInputWhileAnInputWaitsExitsWithFour) {
    const Result r = run({"--rx"}, "INPUT A\nINPUT B\n", "5");
    EXPECT_EQ(r.status, 4);
    EXPECT_EQ(r.err, "input ended\n");
    EXPECT_EQ(r.state["end"], "input");
    EXPECT_EQ(r.state["variables"]["A"], 5); // a last line without a line break still counts
    EXPECT_EQ(run({}, "INPUT \"$\", K\n").status, 4);
}

TEST_F(Runner, StatementLimitEndsBeforeTheNextStatementRuns) {
    const Result r = run({"--max-statements", "5"}, "10 A = A + 1\nGOTO 10\n");
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.state["end"], "limit");
    EXPECT_EQ(r.state["statements"], 5);
    EXPECT_EQ(r.state["variables"]["A"], 3);
    const Result zero = run({"--max-statements", "0"}, "A = 1\n");
    EXPECT_EQ(zero.status, 3);
    EXPECT_EQ(zero.state["variables"]["A"], 0);
    const Result enough = run({"--max-statements", "1"}, "A = 1\n");
    EXPECT_EQ(enough.status, 0);
}

TEST_F(Runner, TraceWritesTheLineOfEachStatement) {
    const Result r = run({"--trace"}, "10\nA = 1 B = 2\n\nSTOP\nGOSUB 20\nEND\n20 RETURN\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "line 2\nline 2\nline 4\nline 5\nline 7\nline 6\n");
}

TEST_F(Runner, StopDoesNotPause) {
    const Result r = run({}, "A = 1\nSTOP\nB = 2\nSTOP\nC = 3\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.state["variables"]["C"], 3);
}

TEST_F(Runner, DelayWaitsUnlessToldNot) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(run({}, "DELAY 300\n").status, 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_EQ(run({"--no-delay"}, "FOR I = 1 TO 100\nDELAY 30000\nNEXT\n").status, 0);
}

TEST_F(Runner, BadArgumentsAndUnrunnableFilesExitWithTwo) {
    EXPECT_EQ(run({"--input", "5"}, "A = 1\n").status, 2);
    EXPECT_EQ(run({"--max-statements", "-1"}, "A = 1\n").status, 2);
    EXPECT_EQ(run({"--bogus"}, "A = 1\n").status, 2);
    EXPECT_EQ(run({}, "", "", false).status, 2); // no file
    const Result missing = run({(dir / "missing.bas").string()}, "", "", false);
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("missing.bas"), std::string::npos);
    fs::remove(dir / "state.json");
    const Result big = run({}, std::string((1 << 20) + 1, ' '));
    EXPECT_EQ(big.status, 2);
    EXPECT_NE(big.err.find("too large"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "state.json"));
}

TEST_F(Runner, LimitsThatDoNotFitAndUnwritableStateFilesAreRefusedBeforeTheRun) {
    const Result huge = run({"--max-statements", "18446744073709551616"}, "PRINT 1\n");
    EXPECT_EQ(huge.status, 2);
    EXPECT_EQ(huge.out, "");
    EXPECT_NE(huge.err.find("--max-statements"), std::string::npos);
    const Result state =
        run({"--state", (dir / "no" / "such" / "dir.json").string()}, "PRINT 1\n", "", false);
    EXPECT_EQ(state.status, 2);
    EXPECT_EQ(state.out, "");
    EXPECT_NE(state.err.find("dir.json"), std::string::npos);
}

TEST_F(Runner, InputTakesNoMoreOfStandardInputThanItUses) {
    const fs::path file = program("INPUT A\nINPUT \"$\", K\nPRINT A; K\n");
    const std::string script = ShellQuote(MARLINET_RUN) + " " + ShellQuote(file.string()) + "; cat";
    EXPECT_EQ(RunChild({"sh", "-c", script}, {.Input = "5\nxrest\n"}).Out, "? 5\n5120\nrest\n");
}

TEST_F(Runner, HelpAndVersionExitWithZero) {
    const Result help = run({"--help"}, "", "", false);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--max-statements"), std::string::npos);
    const Result version = run({"--version"}, "", "", false);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out,
              std::string("marlinet-run ") + marlinet::support::kVersion + " (interpreter 1.5D)\n");
}

// "--adc1=" and "--adc2=" give an empty field, which reads 0, and never take
// the next argument as their value.
TEST_F(Runner, Issue9AnEmptyAdcValueDoesNotTakeTheNextArgument) {
    const Result r = run({"--adc2=", "--adc1=3"}, "ADC A\nSETB 128\nADC B\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.state["variables"]["A"], 3);
    EXPECT_EQ(r.state["variables"]["B"], 0);
    const Result last = run({"--adc1="}, "A = 9\nADC A\n"); // followed by --state
    EXPECT_EQ(last.status, 0);
    EXPECT_EQ(last.state["variables"]["A"], 0);
    const fs::path file = program("ADC A\nPRINT A\n");
    const Result plain = run({"--adc1=", file.string()}, "", "", false);
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out, "0\n");
    // Other options refuse an empty value instead of taking the next argument.
    for (const std::string option : {"--state=", "--input=", "--max-statements="}) {
        const Result refused = run({option, "2", file.string()}, "", "", false);
        EXPECT_EQ(refused.status, 2) << option;
        EXPECT_EQ(refused.out, "") << option;
    }
    EXPECT_EQ(slurp(file), "ADC A\nPRINT A\n");
    // The value of another option is never split.
    const Result named = run({"--state", (dir / "--adc1=").string(), file.string()}, "", "", false);
    EXPECT_EQ(named.status, 0);
    EXPECT_TRUE(fs::exists(dir / "--adc1="));
}

TEST_F(Runner, InvalidAdcTextIsAnInterpreterError) {
    const Result r = run({"--adc1", "4k"}, "ADC A\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ERROR: Invalid ADC value in line 1\n");
}

// Each file runs to its end or an error, or is refused before the run with
// status 2 and a message naming it and why; none is changed. Root reads any
// file, so the unreadable one is run as the user nobody.
TEST_F(Runner, Issue13HostileFilesRunToTheirEndOrAreRefused) {
    for (const auto& file : marlinet::testing::MakeHostileFiles(dir)) {
        SCOPED_TRACE(file.name);
        const bool asNobody = file.unreadable && ::geteuid() == 0;
        as_user = asNobody ? std::optional<uid_t>(65534) : std::nullopt;
        const std::string before = fs::is_regular_file(file.path) ? slurp(file.path) : "";
        const Result r = run({file.path.string()}, "", "", false);
        if (!file.refusal.empty()) {
            EXPECT_EQ(r.status, 2);
            EXPECT_EQ(r.out, "");
            EXPECT_NE(r.err.find(file.path.string()), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(file.refusal), std::string::npos) << r.err;
        } else {
            EXPECT_EQ(r.status, file.error ? 1 : 0) << r.err;
            EXPECT_EQ(r.err.starts_with("ERROR: "), file.error) << r.err;
        }
        if (fs::is_regular_file(file.path)) {
            EXPECT_EQ(slurp(file.path), before);
        }
    }
}

// Ctrl+C: the runner ends at the next statement (or at once inside a DELAY or
// a waiting INPUT) with status 130.
TEST_F(Runner, InterruptEndsTheRunWith130) {
    for (const std::string text : {"10 A = A + 1\nGOTO 10\n", "DELAY 30000\n", "INPUT A\n"}) {
        const fs::path file = program(text);
        const std::string state = (dir / "state.json").string();
        fs::remove(state);
        // An INPUT waits on standard input, which stays open.
        const ChildResult r =
            RunChild({MARLINET_RUN, "--state", state, file.string()},
                     {.KeepInputOpen = true, .InterruptAfter = std::chrono::milliseconds(300)});
        EXPECT_EQ(r.Status, 130) << text;
        EXPECT_EQ(nlohmann::json::parse(slurp(state))["end"], "interrupt") << text;
    }
}

} // namespace

namespace {

// Programs against a scenario: a line per program in order, the summary, the
// JUnit file, and exit status 5 when any fails.
TEST_F(Runner, ScenarioChecksEachProgramAndWritesJUnit) {
    const std::string scenario = (dir / "lamp.yaml").string();
    marlinet::testing::WriteFile(scenario, "name: Lamp\nprogram: good.bas\nsteps:\n  - at: 500ms\n"
                                           "    expect: { lamp1: on }\n");
    const std::string good = program("SETB 1\nDELAY 1000\n", "good.bas").string();
    const std::string bad = program("SETB 2\nDELAY 1000\n", "bad.bas").string();
    const std::string junit = (dir / "junit.xml").string();
    const Result r = run({"--scenario", scenario, "--jobs", "2", "--junit", junit, good, bad, good},
                         "", "", false);
    EXPECT_EQ(r.status, 5);
    EXPECT_EQ(r.out, "PASS " + good + "\nFAIL " + bad +
                         ": step 1 (scenario line 4) at 0.500 s, program line 2: lamp1 expected "
                         "on, was off\nPASS " +
                         good + "\n2 passed, 1 failed\n");
    const std::string xml = slurp(junit);
    EXPECT_NE(xml.find("<testsuite name=\"Lamp\" tests=\"3\" failures=\"1\""), std::string::npos);
    EXPECT_NE(xml.find("<failure message=\"FAIL " + bad + ": step 1"), std::string::npos);

    // Without a program on the command line, the scenario's own.
    const Result own = run({"--scenario", scenario}, "", "", false);
    EXPECT_EQ(own.status, 0);
    EXPECT_EQ(own.out, "PASS " + good + "\n1 passed, 0 failed\n");
}

TEST_F(Runner, BadScenarioFilesAndArgumentsExitWithTwoAndRunNothing) {
    const std::string broken = (dir / "broken.yaml").string();
    marlinet::testing::WriteFile(broken, "steps:\n  - at: soon\n");
    const std::string fine = (dir / "fine.yaml").string();
    marlinet::testing::WriteFile(fine, "end: { error: none }\n");
    const std::string prog = program("PRINT 1\n").string();
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--scenario", broken, prog}, broken + ":2:9: at must be a duration"},
        {{"--scenario", (dir / "none.yaml").string(), prog}, "none.yaml: cannot be read"},
        {{"--scenario", fine}, "no program to check"},
        {{"--scenario", fine, "--transcript", (dir / "t").string(), prog, prog},
         "--transcript writes the events of one program; 2 were given"},
        {{"--scenario", fine, "--vcd", (dir / "v").string(), prog, prog},
         "--vcd writes the signals of one program; 2 were given"},
        {{"--vcd", (dir / "same").string(), "--transcript", (dir / "same").string(), prog},
         "--transcript and --vcd name the same file"},
        {{"--scenario", fine, "--input", "1", prog}, "excludes"},
        {{"--scenario", fine, "--jobs", "0", prog}, "--jobs"},
        {{"--jobs", "2", prog}, "--jobs requires --scenario"},
        {{prog, prog}, "only one FILE can run"},
    };
    for (const auto& c : cases) {
        const Result r = run(c.args, "", "", false);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_EQ(r.out, "") << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

// A transcript or dump that cannot be opened refuses the run before it
// starts; one that cannot be written whole (a full disk) fails the run
// after it, on a single run and on a scenario check alike.
TEST_F(Runner, OutputsThatCannotBeOpenedOrWrittenWholeExitWithTwo) {
    const std::string fine = (dir / "fine.yaml").string();
    marlinet::testing::WriteFile(fine, "end: { error: none }\n");
    const std::string prog = program("PRINT 1\n").string();
    const std::string missing = (dir / "no" / "such").string();
    const struct {
        std::string option;
        std::string file;
        std::string message;
    } cases[] = {
        {"--transcript", missing, "cannot write the transcript " + missing + ": "},
        {"--vcd", missing, "cannot write the value change dump " + missing + ": "},
        {"--transcript", "/dev/full", "could not finish writing the transcript /dev/full"},
        {"--vcd", "/dev/full", "could not finish writing the value change dump /dev/full"},
    };
    for (const auto& c : cases) {
        for (const bool scenario : {false, true}) {
            std::vector<std::string> args = {c.option, c.file, prog};
            args.insert(args.begin(), scenario ? "--scenario" : "--no-delay");
            if (scenario) args.insert(args.begin() + 1, fine);
            const Result r = run(args, "", "", false);
            EXPECT_EQ(r.status, 2) << c.message << (scenario ? " (scenario)" : "");
            EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
            if (c.file == missing) {
                EXPECT_EQ(r.out, "") << c.message;
            }
        }
    }
}

TEST_F(Runner, TranscriptIsOneJsonObjectPerEvent) {
    const std::string transcript = (dir / "run.jsonl").string();
    const Result r =
        run({"--no-delay", "--transcript", transcript}, "SETB 1\nDELAY 5\nPRINT 7\n", "", false);
    EXPECT_EQ(r.status, 0);
    std::istringstream lines(slurp(transcript));
    std::vector<std::string> events;
    for (std::string line; std::getline(lines, line);) {
        const nlohmann::json event = nlohmann::json::parse(line);
        events.push_back(event["event"].get<std::string>() + "@" +
                         std::to_string(event["t"].get<int>()) + ":" +
                         std::to_string(event["line"].get<int>()));
    }
    EXPECT_EQ(events, (std::vector<std::string>{"lamp@10:1", "delay@20:2", "print@5030:3",
                                                "print@5030:3", "end@5030:3"}));
}

// The blink example on virtual time: lamp 1 is on for its DELAY 500 and the
// CLRB, off for the other DELAY 500 and three statements.
TEST_F(Runner, VcdOfBlinkHasLampOneTogglingEveryHalfSecond) {
    const std::string vcd_file = (dir / "blink.vcd").string();
    const Result r = run({"--no-delay", "--max-statements", "1000000", "--vcd", vcd_file,
                          std::string(MARLINET_SOURCE_DIR) + "/examples/blink.bas"},
                         "", "", false);
    EXPECT_EQ(r.status, 0) << r.err;
    const marlinet::testing::Vcd vcd = marlinet::testing::read_vcd(slurp(vcd_file));
    ASSERT_EQ(vcd.error, "");
    EXPECT_EQ(vcd.timescale, "1 us");
    const std::vector<std::int64_t> on = vcd.times("lamp1", "1");
    const std::vector<std::int64_t> off = vcd.times("lamp1", "0");
    ASSERT_EQ(on.size(), 10u);
    ASSERT_EQ(off.size(), 11u); // the first is the value at the start
    for (std::size_t i = 0; i < on.size(); ++i) {
        EXPECT_EQ(off[i + 1] - on[i], 500'020) << i;
        if (i > 0) {
            EXPECT_EQ(on[i] - off[i], 500'030) << i;
        }
    }
}

} // namespace
