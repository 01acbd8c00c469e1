// The timeline's columns against a plain count over every event of random
// histories: per column and strip, the least and greatest value, the events
// and whether the level is known.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "machine/timeline.h"
#include "random_program.h"
#include "random_run.h"

namespace marlinet::machine {
namespace {

using marlinet::testing::ProgramMaker;

struct Mark {
    std::int64_t time;
    Strip strip;
    std::int32_t value;
    bool sets_level;
};

std::optional<Mark> mark_of(const IoEvent& e) {
    const auto at = [&](Strip strip, std::int32_t value, bool sets_level = true) {
        return Mark{e.time_us, strip, value, sets_level};
    };
    const auto nth = [](Strip first, int n) {
        return static_cast<Strip>(static_cast<int>(first) + n - 1);
    };
    if (const auto* l = std::get_if<io::Lamp>(&e.what))
        return at(nth(Strip::Lamp1, l->output), l->on);
    if (const auto* r = std::get_if<io::InputRead>(&e.what)) {
        if (r->input >= 1 && r->input <= 4) return at(nth(Strip::Input1, r->input), r->on);
        if (r->input == 126) return at(Strip::Rx, r->on);
        return std::nullopt;
    }
    if (const auto* s = std::get_if<io::AdcSelect>(&e.what))
        return at(Strip::AdcSelect, s->channel == AdcChannel::Adc2);
    if (const auto* a = std::get_if<io::AdcRead>(&e.what))
        return at(Strip::Adc, a->value.value_or(0), a->value.has_value());
    if (const auto* d = std::get_if<io::Dac>(&e.what)) return at(Strip::Dac, d->value);
    if (const auto* q = std::get_if<io::InputRequest>(&e.what))
        return at(Strip::InputRequest, q->form == InputForm::Key);
    if (const auto* a = std::get_if<io::InputAnswer>(&e.what))
        return at(Strip::InputAnswer, a->value);
    if (const auto* p = std::get_if<io::Print>(&e.what)) {
        int shown = 0;
        for (char c : p->text)
            shown += c != '\r' && c != '\n';
        return at(Strip::Print, shown);
    }
    if (std::holds_alternative<io::Pause>(e.what)) return at(Strip::Pause, e.line);
    if (const auto* r = std::get_if<io::Error>(&e.what)) return at(Strip::Error, r->number);
    if (const auto* r = std::get_if<io::End>(&e.what))
        return at(Strip::End, static_cast<std::int32_t>(r->reason));
    return std::nullopt;
}

void merge(TimelineCell& cell, std::int32_t value) {
    cell.min = cell.known ? std::min(cell.min, value) : value;
    cell.max = cell.known ? std::max(cell.max, value) : value;
    cell.known = true;
}

// Every cell of every column, each from all the events of its strip.
TimelineColumns plain_count(const History& history, std::int64_t from, std::int64_t to, int width) {
    Levels start{};
    std::array<std::vector<Mark>, kStripCount> marks;
    history.for_each_event([&](const Levels& levels) { start = levels; },
                           [&](const IoEvent& e) {
                               if (auto m = mark_of(e))
                                   marks[static_cast<std::size_t>(m->strip)].push_back(*m);
                           });
    TimelineColumns out;
    out.reset(width);
    for (std::size_t s = 0; s < kStripCount; ++s) {
        const auto strip = static_cast<Strip>(s);
        const bool stepped = s < kSteppedStripCount;
        for (int c = 0; c < width; ++c) {
            const std::int64_t low = from + (to - from) * c / width;
            const std::int64_t high = from + (to - from) * (c + 1) / width;
            TimelineCell& cell = out.at(strip, c);
            if (stepped) {
                Level level = start[s];
                for (const Mark& m : marks[s])
                    if (m.time < low && m.sets_level) level = {m.value, true};
                cell = {level.value, level.value, 0, level.known};
            }
            for (const Mark& m : marks[s]) {
                if (m.time < low || m.time >= high) continue;
                ++cell.events;
                if (!stepped || m.sets_level) merge(cell, m.value);
            }
        }
    }
    return out;
}

void expect_plain_count(const TimelineColumns& got, const History& history, std::int64_t from,
                        std::int64_t to, int width) {
    const TimelineColumns expected = plain_count(history, from, to, width);
    for (int c = 0; c < width; ++c)
        for (std::size_t s = 0; s < kStripCount; ++s) {
            const TimelineCell& a = got.at(static_cast<Strip>(s), c);
            const TimelineCell& b = expected.at(static_cast<Strip>(s), c);
            ASSERT_TRUE(a.known == b.known && a.events == b.events &&
                        (!a.known || (a.min == b.min && a.max == b.max)))
                << strip_name(static_cast<Strip>(s)) << " column " << c << " of " << width
                << " from " << from << " to " << to << ": " << a.min << ".." << a.max << " x"
                << a.events << " known " << a.known << ", expected " << b.min << ".." << b.max
                << " x" << b.events << " known " << b.known;
        }
}

// Many records between two columns' edges: the columns take whole blocks of
// them. Two bursts of three blocks each with a pause between, so the levels
// that hold through the pause come from a block taken whole. The analog
// output rises and the analog input falls: a level carried on from a block
// must be its last value, not its bounds. Lamp 1 blinks.
TEST(Timeline, ColumnsOverWholeBlocksOfRecords) {
    History history;
    PendingRecords pending;
    std::string texts;
    for (int i = 0; i < 1024; ++i) {
        const auto statement = static_cast<std::uint64_t>(i);
        const std::int64_t time = std::int64_t{10} * i + (i < 512 ? 0 : 20000);
        const auto value = static_cast<std::int16_t>(i / 10);
        pending.records.push_back(make_record({statement, 10, time, io::Dac{value}}, texts));
        if (i % 10 == 0) // on the first strip
            pending.records.push_back(
                make_record({statement, 20, time, io::Lamp{1, i / 50 % 2 == 0}}, texts));
        else if (i % 2 == 0)
            pending.records.push_back(make_record(
                {statement, 20, time, io::AdcRead{AdcChannel::Adc1, "", 1000 - value}}, texts));
    }
    history.append(pending, true);
    const TimelineModel timeline(history);
    TimelineColumns got;
    const std::array<std::array<std::int64_t, 3>, 6> queries{{{0, 30000, 1},
                                                              {0, 30000, 3},
                                                              {0, 30000, 7},
                                                              {9000, 30000, 2},
                                                              {15000, 22000, 1},
                                                              {-500, 40000, 500}}};
    for (const auto& [from, to, width] : queries) {
        timeline.columns(from, to, static_cast<int>(width), got);
        expect_plain_count(got, history, from, to, static_cast<int>(width));
    }
    // An empty or reversed range still covers the microsecond it starts at,
    // which holds a record of each strip here.
    for (const std::int64_t to : {100, 60}) {
        timeline.columns(100, to, 1, got);
        expect_plain_count(got, history, 100, 101, 1);
        EXPECT_EQ(got.at(Strip::Dac, 0).events, 1) << to;
    }
}

TEST(Timeline, EachColumnHoldsTheLeastAndGreatestValueOfItsEvents) {
    TimelineColumns got;
    for (unsigned seed = 1; seed <= 24; ++seed) {
        const std::string text = ProgramMaker(seed, ProgramMaker::Runs::Long).make();
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + text);
        // Long segments, for the summaries of whole blocks of records.
        const bool long_segments = seed % 2 == 0;
        History history(seed % 3 ? History::kDefaultMemoryBound : 16 << 10,
                        long_segments ? 2000 : 13 + seed % 50);
        testing::Recording(seed, history, seed % 4 == 0, long_segments ? 6000 : 1500)
            .machine.run(text);
        const TimelineModel timeline(history);
        const auto span = timeline.span();
        ASSERT_TRUE(span.has_value());
        std::mt19937 random(seed);
        for (int query = 0; query < 6; ++query) {
            const std::int64_t length = span->to_us - span->from_us + 2;
            std::int64_t from = span->from_us - 1 + static_cast<std::int64_t>(random() % length);
            std::int64_t to = span->from_us + static_cast<std::int64_t>(random() % length) + 1;
            if (query == 0) from = span->from_us - 5, to = span->to_us + 5; // all of it
            if (to <= from) std::swap(from, to), ++to;
            const int width = 1 + static_cast<int>(random() % (query % 2 ? 200 : 8));
            timeline.columns(from, to, width, got);
            expect_plain_count(got, history, from, to, width);
        }
        // A click finds the moment and its line as stepping back shows them.
        const auto place = timeline.place_at((span->from_us + span->to_us) / 2);
        EXPECT_EQ(place.line, history.state_at(place.moment.statement).line);
    }
}

} // namespace
} // namespace marlinet::machine
