// The history of a run: for random programs on a random board, every moment
// it reaches by replay is exactly the moment of the straight run; it stays
// within its memory bound; going on from a past moment drops the old
// future; Run back stops where the straight run would have paused.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "machine/transcript.h"
#include "random_program.h"
#include "random_run.h"

namespace marlinet::machine {
namespace {

using marlinet::testing::ProgramMaker;
using testing::Recording;
using testing::straight_run;

// Mostly programs that run long; some that end early, often in an error.
std::string program(unsigned seed) {
    return ProgramMaker(seed, seed % 7 ? ProgramMaker::Runs::Long : ProgramMaker::Runs::Any).make();
}

std::string describe(const PastState& s) {
    std::ostringstream out;
    out << "statement " << s.statement << " t " << s.time_us << " line " << s.line << " vars";
    for (std::int16_t v : s.variables)
        out << ' ' << v;
    out << " gosubs " << s.call_stack.gosub_count << " fors " << s.call_stack.for_count << " lamps "
        << s.outputs.lamps[0] << s.outputs.lamps[1] << s.outputs.lamps[2] << s.outputs.lamps[3]
        << " dac " << s.outputs.dac.value_or(-99999) << " adc " << static_cast<int>(s.outputs.adc)
        << " console " << s.console.characters << '/' << s.console.lines << " snapshot "
        << s.snapshot.has_value();
    return out.str();
}

// The variations a seed picks: snapshot interval, memory bound, stepping
// with edits.
struct Variation {
    std::uint64_t interval;
    std::size_t bound;
    bool edits;
};

Variation variation(unsigned seed) {
    static const std::uint64_t intervals[] = {7, 97, 1000};
    return {intervals[seed % 3],
            seed % 4 == 0 ? std::size_t{6} << 10 : History::kDefaultMemoryBound, seed % 5 == 0};
}

// On a real clock a run waits at a pause, in a DELAY: the moment's time is
// when it reached the moment, and a time inside the wait is that moment.
TEST(History, TimesOfMomentsAroundWaitsAndTheMomentsOfTimes) {
    Segment segment;
    segment.start = {10, 1000};
    const auto record = [](RecordKind kind, std::uint64_t statement, std::int64_t time) {
        Record r = make_anchor(kind, {statement, time}, 1);
        return r;
    };
    segment.records = {
        record(RecordKind::Print, 12, 1030),      record(RecordKind::Pause, 15, 1100),
        record(RecordKind::Resumed, 15, 5000),    record(RecordKind::Delay, 17, 5020),
        record(RecordKind::DelayEnded, 17, 6020), record(RecordKind::Lamp, 20, 6050)};
    const Moment end{25, 6100};
    const std::pair<std::uint64_t, std::int64_t> times[] = {
        {9, 1000},  {10, 1000}, {11, 1015}, {12, 1030}, {13, 1053}, {15, 1100},
        {16, 5010}, {17, 6020}, {18, 6030}, {20, 6050}, {25, 6100}};
    for (const auto& [statement, time] : times)
        EXPECT_EQ(time_of(segment, end, statement), time) << statement;
    const std::pair<std::int64_t, std::uint64_t> moments[] = {
        {999, 10},  {1000, 10}, {1014, 10}, {1015, 11}, {1030, 12}, {1099, 14}, {1100, 15},
        {3000, 15}, {5009, 15}, {5010, 16}, {6000, 16}, {6020, 17}, {6100, 25}, {7000, 25}};
    for (const auto& [time, statement] : moments)
        EXPECT_EQ(statement_at(segment, end, time), statement) << time;
}

TEST(History, SteppingBackAndForwardGivesTheStatesOfTheStraightRun) {
    int dropped = 0;
    int long_runs = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        const std::string text = program(seed);
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + text);
        const Variation v = variation(seed);
        History history(v.bound, v.interval);
        Recording recording(seed, history, v.edits, 3000);
        recording.machine.run(text);
        const std::optional<History::Extent> extent = history.extent();
        if (!extent) continue; // an error before the first statement
        const std::uint64_t first = extent->first.statement;
        const std::uint64_t last = extent->last.statement;
        const auto truth = straight_run(seed, text, v.edits, last);
        ASSERT_EQ(truth.size(), last + 1);
        dropped += first > 0;
        long_runs += last > 2 * v.interval;

        const auto check = [&](std::uint64_t n) {
            const PastState got = history.state_at(n);
            ASSERT_EQ(got, truth.at(n)) << describe(got) << "\n" << describe(truth.at(n));
            const Moment at = history.moment_at(got.time_us);
            EXPECT_GE(at.statement, n);
            EXPECT_EQ(at.time_us, got.time_us);
        };
        std::mt19937 random(seed);
        for (int trip = 0; trip < 3; ++trip) {
            const std::uint64_t now =
                std::uniform_int_distribution<std::uint64_t>(first, last)(random);
            const std::uint64_t back = std::min<std::uint64_t>(now - first, random() % 40);
            for (std::uint64_t k = 0; k <= back; ++k)
                check(now - k);
            for (std::uint64_t k = back; k-- > 0;)
                check(now - k);
        }
        check(first);
        check(last);
        if (first > 0) {
            EXPECT_THROW(history.state_at(first - 1), HistoryError);
        }
        EXPECT_THROW(history.state_at(last + 1), HistoryError);
    }
    EXPECT_GT(dropped, 5);
    EXPECT_GT(long_runs, 20);
}

std::string events_of(const History& history) {
    std::string lines;
    history.for_each_event([](const Levels&) {},
                           [&](const IoEvent& event) { append_event_json(event, lines); });
    return lines;
}

TEST(History, ARunRecordedTwiceKeepsTheSameEventsAndReplaysAlike) {
    for (unsigned seed = 200; seed < 220; ++seed) {
        const std::string text = program(seed);
        History one(History::kDefaultMemoryBound, 50);
        History two(History::kDefaultMemoryBound, 50);
        Recording(seed, one, false, 2000).machine.run(text);
        Recording(seed, two, false, 2000).machine.run(text);
        ASSERT_EQ(events_of(one), events_of(two));
        const auto extent = one.extent();
        if (!extent) continue;
        for (std::uint64_t n = extent->first.statement; n <= extent->last.statement; n += 37)
            EXPECT_EQ(one.state_at(n), two.state_at(n)) << seed << " at " << n;
    }
}

// Counts the history's memory while the run goes on.
class MemoryWatch final : public EventSink {
public:
    explicit MemoryWatch(const History& history) : history_(history) {}
    std::size_t most = 0;
    void on_event(const IoEvent&) override {
        if (++events_ % 4096 == 0) most = std::max(most, history_.memory().used);
    }

private:
    const History& history_;
    std::uint64_t events_ = 0;
};

TEST(History, ALongRunStaysWithinTheBoundAndDropsTheOldestFirst) {
    constexpr std::size_t kBound = 256 << 10;
    // Three events in four statements, an INPUT now and then.
    const std::string program = "10 FOR I = 1 TO 100\nSETB 1\nTSTB A, 2\nDAC A + I\nNEXT\n"
                                "INPUT \"n\", B\nPRINT B\nGOTO 10\n";
    History history(kBound);
    MemoryWatch watch(history);
    Recording recording(1, history, false, 400'000, &watch);
    recording.machine.run(program);
    const History::MemoryUse memory = history.memory();
    EXPECT_LE(std::max(watch.most, memory.used), kBound);
    EXPECT_GT(memory.used, kBound / 2);
    EXPECT_GT(memory.dropped_events, 200'000u);
    const auto extent = history.extent();
    ASSERT_TRUE(extent.has_value());
    EXPECT_EQ(extent->first.statement, memory.dropped_before);
    EXPECT_GT(extent->first.statement, 200'000u);
    EXPECT_GE(extent->last.statement, 400'000u);
    EXPECT_THROW(history.state_at(extent->first.statement - 1), HistoryError);
    const auto truth = straight_run(1, program, false, extent->last.statement,
                                    {extent->first.statement, nullptr, {}});
    for (std::uint64_t n :
         {extent->first.statement, (extent->first.statement + extent->last.statement) / 2,
          extent->last.statement})
        EXPECT_EQ(history.state_at(n), truth.at(n)) << n;
}

TEST(History, GoingOnFromAPastMomentDropsTheOldFuture) {
    for (unsigned seed = 300; seed < 330; ++seed) {
        const std::string text = program(seed);
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + text);
        History history(History::kDefaultMemoryBound, 31);
        Recording recording(seed, history, false, 1500);
        recording.machine.run(text);
        const auto extent = history.extent();
        if (!extent) continue;
        const std::uint64_t last = extent->last.statement;
        const std::uint64_t from = last / 3;
        const auto truth = straight_run(seed, text, false, last);
        // Going on to a shorter end: nothing of the old future is left.
        const std::uint64_t end = from + (last - from) / 2;
        recording.go_on_from(from, end);
        const auto now = history.extent();
        ASSERT_TRUE(now.has_value());
        EXPECT_LE(now->last.statement, last);
        EXPECT_THROW(history.state_at(now->last.statement + 1), HistoryError);
        for (std::uint64_t p : history.pauses())
            EXPECT_LE(p, now->last.statement);
        for (std::uint64_t n = from; n <= now->last.statement; n += 7)
            ASSERT_EQ(history.state_at(n), truth.at(n)) << n;
        ASSERT_EQ(history.state_at(now->last.statement), truth.at(now->last.statement));
    }
}

TEST(History, RunBackStopsWhereTheStraightRunPausedOrArrivedAtALine) {
    int found = 0;
    for (unsigned seed = 400; seed < 460; ++seed) {
        const std::string text = program(seed);
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + text);
        const Variation v = variation(seed);
        History history(v.bound, v.interval);
        Recording(seed, history, v.edits, 3000).machine.run(text);
        const auto extent = history.extent();
        if (!extent) continue;
        std::mt19937 random(seed);
        const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        std::vector<basic::PauseLine> pause_lines;
        for (int i = 0; i < 3; ++i)
            pause_lines.push_back({1 + static_cast<int>(random() % static_cast<unsigned>(lines)),
                                   i != 1, i == 2 ? "A > 3" : "", 0});
        std::vector<std::uint64_t> stops;
        straight_run(seed, text, v.edits, extent->last.statement,
                     {UINT64_MAX, &stops, pause_lines});
        const std::uint64_t first = extent->first.statement;
        for (int trip = 0; trip < 8; ++trip) {
            const std::uint64_t before = trip == 0 ? extent->last.statement
                                                   : std::uniform_int_distribution<std::uint64_t>(
                                                         first, extent->last.statement)(random);
            std::uint64_t expected = first;
            for (std::uint64_t stop : stops)
                if (stop < before && stop > first) expected = std::max(expected, stop);
            found += expected != first;
            EXPECT_EQ(history.previous_stop(before, pause_lines), expected) << before;
        }
    }
    EXPECT_GT(found, 100);
}

} // namespace
} // namespace marlinet::machine
