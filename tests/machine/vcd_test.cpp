// Value change dumps, read back by a strict reader: a known run gives each
// signal at its time, and the dump written while a run goes on equals the
// one exported from its history afterwards.
#include <gtest/gtest.h>

#include <cstdio>

#include "machine/vcd_writer.h"
#include "random_program.h"
#include "random_run.h"
#include "vcd_reader.h"

namespace marlinet::machine {
namespace {

using Changes = std::vector<std::pair<std::int64_t, std::string>>;

// Everything written to a temporary file, once `write` has written it.
template <class Write>
std::string written(Write write) {
    std::FILE* file = std::tmpfile();
    write(file);
    std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fclose(file);
    return text;
}

const VcdWriter::Header kHeader{"today", "tests"};

struct NoInput final : ConsolePort {
    void print(std::string_view) override {}
    Answer read_answer(InputForm, std::string& text) override { return text = "1", Answer::Typed; }
};

// The dump of `program` run to its end on `board` from `outputs`.
std::string dump_of_run(Board& board, const BoardOutputs& outputs, const char* program) {
    return written([&](std::FILE* file) {
        NoInput console;
        LocalBoard port(board);
        VirtualClock clock;
        MachineHost host(console, port, clock);
        basic::Interpreter in(host);
        VcdWriter vcd(file, kHeader, levels_at_start(outputs));
        host.attach(in);
        host.set_sink(&vcd);
        in.set_program(basic::ProgramBuffer::from_file_bytes(program));
        in.run_state().store(basic::RunState::Running);
        host.run();
        EXPECT_TRUE(vcd.finish());
    });
}

TEST(Vcd, AKnownRunGivesEachSignalAtItsTime) {
    Board board;
    board.set_input(Board::kRxBit, true);
    board.set_adc_text(AdcChannel::Adc2, "300");
    const std::string text =
        dump_of_run(board, {{false, true, false, false}, {}, {}},
                    "SETB 1\nDAC -2\nTSTB A, 126\nTSTB A, 5\nSETB 128\nADC B\nPRINT \"x\"\n"
                    "DELAY 3\nCLRB 1\nEND\n");
    const marlinet::testing::Vcd vcd = marlinet::testing::read_vcd(text);
    ASSERT_EQ(vcd.error, "") << text;
    EXPECT_EQ(vcd.timescale, "1 us");
    EXPECT_EQ(vcd.end_time, 3100);
    const struct {
        std::string name;
        std::string type;
        int width;
        Changes changes;
    } signals[] = {
        {"lamp1", "wire", 1, {{0, "0"}, {10, "1"}, {3090, "0"}}},
        {"lamp2", "wire", 1, {{0, "1"}}},
        {"input1", "wire", 1, {{0, "x"}}},
        {"rx", "wire", 1, {{0, "x"}, {30, "1"}}},
        {"adc_select", "wire", 1, {{0, "0"}, {50, "1"}}},
        {"dac", "reg", 16, {{0, "x"}, {20, "1111111111111110"}}},
        {"adc", "reg", 16, {{0, "x"}, {60, "100101100"}}},
        {"print", "event", 1, {{70, "1"}}},
    };
    for (const auto& s : signals) {
        ASSERT_TRUE(vcd.variables.count(s.name)) << s.name;
        const marlinet::testing::VcdVariable& v = vcd.variables.at(s.name);
        EXPECT_EQ(v.type, s.type) << s.name;
        EXPECT_EQ(v.width, s.width) << s.name;
        EXPECT_EQ(v.scope, "board") << s.name;
        EXPECT_EQ(v.changes, s.changes) << s.name;
    }
    // The line of each statement, from the first event on.
    Changes lines = {{0, "x"}};
    const std::int64_t times[] = {10, 20, 30, 40, 50, 60, 70, 80, 3090, 3100};
    for (unsigned line = 1; line <= 10; ++line) {
        std::string bits;
        for (unsigned n = line; n; n /= 2)
            bits.insert(bits.begin(), static_cast<char>('0' + n % 2));
        lines.emplace_back(times[line - 1], bits);
    }
    EXPECT_EQ(vcd.variables.at("line").changes, lines);
    EXPECT_EQ(vcd.variables.at("line").width, 32);
    EXPECT_EQ(vcd.variables.size(), 14u);
}

// Each lamp's changes land on its own signal, whatever order they come in.
TEST(Vcd, EachLampIsItsOwnSignal) {
    Board board;
    const marlinet::testing::Vcd vcd = marlinet::testing::read_vcd(
        dump_of_run(board, {}, "SETB 4\nSETB 3\nSETB 2\nSETB 1\nCLRB 3\nEND\n"));
    ASSERT_EQ(vcd.error, "");
    const Changes lamps[] = {{{0, "0"}, {40, "1"}},
                             {{0, "0"}, {30, "1"}},
                             {{0, "0"}, {20, "1"}, {50, "0"}},
                             {{0, "0"}, {10, "1"}}};
    for (int lamp = 1; lamp <= 4; ++lamp)
        EXPECT_EQ(vcd.variables.at("lamp" + std::to_string(lamp)).changes, lamps[lamp - 1]) << lamp;
}

TEST(Vcd, TheDumpOfARunEqualsTheExportOfItsHistory) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        const std::string program =
            marlinet::testing::ProgramMaker(seed, marlinet::testing::ProgramMaker::Runs::Long)
                .make();
        History history(History::kDefaultMemoryBound, 64);
        const std::string live = written([&](std::FILE* file) {
            VcdWriter vcd(file, kHeader, levels_at_start({}));
            testing::Recording(seed, history, seed % 3 == 0, 2000, &vcd).machine.run(program);
            EXPECT_TRUE(vcd.finish());
        });
        const std::string exported =
            written([&](std::FILE* file) { EXPECT_TRUE(write_vcd(history, file, kHeader)); });
        EXPECT_EQ(live, exported) << seed;
        const marlinet::testing::Vcd vcd = marlinet::testing::read_vcd(live);
        EXPECT_EQ(vcd.error, "") << seed;
        EXPECT_FALSE(vcd.variables.at("line").changes.empty());
    }
}

} // namespace
} // namespace marlinet::machine
