// Snapshots: for random programs whose host answers as a function of the
// statement count, a run restored from a snapshot taken at a random
// statement does exactly what the original did from there on.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "interpreter/interpreter.h"
#include "random_program.h"

namespace marlinet::basic {
namespace {

using marlinet::testing::ProgramMaker;

// Logs every call with the statement count, and answers every reading from
// the seed and the statement count alone.
class ReplayHost : public Host {
public:
    explicit ReplayHost(unsigned seed) : seed_(seed) {}
    void attach(Interpreter& interpreter) {
        in_ = &interpreter;
        interpreter.set_checkpoint_every_statement(true);
    }

    std::vector<std::string> log;
    std::size_t checkpoints = 0;
    std::size_t snapshot_at = SIZE_MAX; // a checkpoint, counted from 0
    std::optional<Snapshot> snapshot;   // taken there
    std::size_t snapshot_log_index = 0;
    std::optional<Snapshot> first_snapshot;

    int host_print(std::string_view text) override { return note(text, 0), int(text.size()); }
    std::string_view host_request_value() override {
        answer_ = std::to_string(note("value", reading() % 200) - 100);
        return answer_;
    }
    int host_request_key() override { return note("key", 'a' + reading() % 26); }
    void host_checkpoint() override {
        if (!first_snapshot) first_snapshot = in_->snapshot();
        if (checkpoints++ == snapshot_at)
            snapshot = in_->snapshot(), snapshot_log_index = log.size();
        note("checkpoint", in_->line_index_of(in_->position()));
        if (in_->statements() >= 3000) end_run();
    }
    void host_end_of_run() override { note("end", 0); }
    void host_report_error() override { note("error", in_->error_number()); }
    void host_reset_variables() override { note("reset", 0); }
    std::optional<std::int32_t> host_read_adc() override {
        const std::uint64_t r = note("adc", reading());
        if (r % 97 == 0) return std::nullopt; // an ADC text that is not a number
        return static_cast<std::int32_t>(r % 100000) - 50000;
    }
    void host_write_dac(std::int16_t value) override { note("dac", value); }
    void host_set_output(int output) override { note("set", output); }
    void host_clear_output(int output) override { note("clear", output); }
    void host_select_adc(bool adc2) override { note("select", adc2); }
    bool host_test_input(std::uint8_t input) override { return note("test", input), reading() & 1; }
    void host_delay(int milliseconds) override { note("delay", milliseconds); }

private:
    std::int64_t reading() const {
        std::uint64_t x = (in_->statements() + 1) * 0x9e3779b97f4a7c15ull ^ seed_;
        x ^= x >> 29;
        x *= 0xbf58476d1ce4e5b9ull;
        return static_cast<std::int64_t>((x ^ (x >> 32)) >> 2);
    }
    std::int64_t note(std::string_view what, std::int64_t value) {
        log.push_back(std::to_string(in_->statements()) + " " + std::string(what) + " " +
                      std::to_string(value));
        return value;
    }

    Interpreter* in_ = nullptr;
    unsigned seed_;
    std::string answer_;
};

// What a run leaves behind, for comparison.
struct Outcome {
    RunEnd end;
    std::vector<std::int16_t> variables;
    std::uint64_t statements;
    int error;
    int error_line;
    CallStack stack;
    bool operator==(const Outcome&) const = default;
};

Outcome outcome_of(const Interpreter& in, RunEnd end) {
    Outcome o{end, {}, in.statements(), in.error_number(), in.error_line(), in.call_stack()};
    for (int i = 0; i < Interpreter::kVariableCount; ++i)
        o.variables.push_back(in.variable(i));
    return o;
}

// One interpreter with its host, on a program.
struct Replay {
    ReplayHost host;
    Interpreter in{host};

    Replay(unsigned seed, const std::string& text) : host(seed) {
        host.attach(in);
        in.set_program(ProgramBuffer::from_file_bytes(text));
        in.run_state().store(RunState::Running);
    }
};

TEST(Snapshots, ARestoredRunGoesOnExactlyAsTheOriginal) {
    int within_gosub = 0;
    int within_for = 0;
    int errors = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        const std::string text = ProgramMaker(seed).make();
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + text);

        Replay first(seed, text);
        const Outcome plain = outcome_of(first.in, first.in.run_program());
        ASSERT_GT(first.host.checkpoints, 0u);

        // The same run again, with a snapshot at a random checkpoint.
        Replay original(seed, text);
        original.host.snapshot_at = std::mt19937(seed)() % first.host.checkpoints;
        const Outcome expected = outcome_of(original.in, original.in.run_program());
        ASSERT_EQ(expected, plain);
        ASSERT_EQ(original.host.log, first.host.log);
        ASSERT_TRUE(original.host.snapshot.has_value());
        EXPECT_FALSE(original.in.snapshot().has_value()); // only at a statement boundary
        const Snapshot& snapshot = *original.host.snapshot;
        within_gosub += snapshot.gosub_count > 0;
        within_for += snapshot.for_count > 0;
        errors += expected.error >= 0;

        // Whatever the interpreter held before is replaced: an error of an
        // earlier run, variables.
        Replay restored(seed, "GOTO 99");
        restored.in.run_program();
        ASSERT_EQ(restored.in.error_number(), 7);
        restored.in.set_program(ProgramBuffer::from_file_bytes(text));
        restored.in.set_variable(0, 12345);
        restored.host.log.clear();
        restored.host.first_snapshot.reset();
        const Outcome got = outcome_of(restored.in, restored.in.resume_from(snapshot));
        EXPECT_EQ(got, expected);
        EXPECT_EQ(restored.host.first_snapshot, snapshot);
        const auto from = original.host.log.begin() +
                          static_cast<std::ptrdiff_t>(original.host.snapshot_log_index);
        EXPECT_EQ(restored.host.log, std::vector<std::string>(from, original.host.log.end()));
    }
    // The random programs reach the states worth restoring.
    EXPECT_GT(within_gosub, 20);
    EXPECT_GT(within_for, 20);
    EXPECT_GT(errors, 20);
}

TEST(Snapshots, OfAnotherProgramOrOutsideItAreRefusedBeforeAnythingRuns) {
    ReplayHost host(1);
    Interpreter in(host);
    host.attach(in);
    in.set_program(
        ProgramBuffer::from_file_bytes("FOR I = 1 TO 2\nGOSUB 100\nNEXT\nEND\n100 RETURN"));
    host.snapshot_at = 2; // in the subroutine, within the loop
    in.run_state().store(RunState::Running);
    in.run_program();
    ASSERT_TRUE(host.snapshot.has_value());
    const Snapshot good = *host.snapshot;
    std::vector<Snapshot> bad(3, good);
    bad[0].program ^= 1;
    bad[1].position = 10000;
    bad[2].gosub_count = 5;
    for (const Snapshot& s : bad) {
        host.log.clear();
        EXPECT_THROW(in.resume_from(s), std::invalid_argument);
        EXPECT_TRUE(host.log.empty());
    }
    in.resume_from(good);
    EXPECT_EQ(host.log.front(), "2 checkpoint 4"); // the RETURN, in the subroutine
}

// A history asks for a checkpoint every so many statements of a run that
// otherwise never calls its host between statements.
TEST(Snapshots, ACheckpointAskedForComesOnceAtThatStatementOfAFreeRun) {
    for (const std::uint64_t at : {0u, 1u, 2u, 700u, 1001u, 1002u}) {
        ReplayHost host(1);
        Interpreter in(host);
        host.attach(in);
        in.set_checkpoint_every_statement(false);
        in.set_program(ProgramBuffer::from_file_bytes("FOR I = 1 TO 1000\nNEXT\nEND\n"));
        in.request_checkpoint_at(at);
        in.run_state().store(RunState::Running);
        EXPECT_EQ(in.run_program(), RunEnd::EndOfProgram);
        EXPECT_EQ(in.statements(), 1002u);
        std::vector<std::string> checkpoints;
        for (const std::string& entry : host.log)
            if (entry.find("checkpoint") != std::string::npos)
                checkpoints.push_back(entry.substr(0, entry.find(' ')));
        // None comes after the last statement.
        EXPECT_EQ(checkpoints, at < 1002 ? std::vector<std::string>{std::to_string(at)}
                                         : std::vector<std::string>{});
    }
}

static_assert(sizeof(Snapshot) <= 160, "a snapshot is a small value: history keeps many");

} // namespace
} // namespace marlinet::basic
