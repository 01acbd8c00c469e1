#include "machine/history_record.h"

#include <algorithm>
#include <type_traits>

namespace marlinet::machine {
namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

static_assert(static_cast<std::size_t>(RecordKind::End) + 1 == std::variant_size_v<IoPayload>);
static_assert(
    std::is_same_v<std::variant_alternative_t<static_cast<std::size_t>(RecordKind::End), IoPayload>,
                   io::End>);
static_assert(
    std::is_same_v<
        std::variant_alternative_t<static_cast<std::size_t>(RecordKind::InputAnswer), IoPayload>,
        io::InputAnswer>);
static_assert(static_cast<std::size_t>(Strip::Dac) + 1 == kSteppedStripCount);
static_assert(static_cast<std::size_t>(Strip::End) + 1 == kStripCount);

__extension__ typedef __int128 Wide;

void keep_text(Record& record, std::string_view text, std::string& texts) {
    text = text.substr(0, Record::kMaxText);
    record.text = static_cast<std::uint32_t>(texts.size());
    record.text_length = static_cast<std::uint8_t>(text.size());
    texts.append(text);
}

std::int32_t printed_characters(std::string_view text) noexcept {
    return static_cast<std::int32_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return c != '\r' && c != '\n'; }));
}

// The anchors of a segment: its start, its records, the end given.
class Anchors {
public:
    Anchors(const Segment& segment, Moment end) : segment_(segment), end_(end) {}

    std::size_t size() const noexcept { return segment_.records.size() + 2; }
    std::uint64_t statement(std::size_t i) const noexcept {
        if (i == 0) return segment_.start.statement;
        if (i == size() - 1) {
            // The end may be the moment before the last record's statement,
            // which is still running.
            const std::uint64_t last = segment_.records.empty() ? segment_.start.statement
                                                                : segment_.records.back().statement;
            return std::max({end_.statement, segment_.start.statement, last});
        }
        return segment_.records[i - 1].statement;
    }
    std::int64_t time(std::size_t i) const noexcept {
        if (i == 0) return segment_.start.time_us;
        if (i == size() - 1) {
            // The end is taken as the next segment begins, before a pause
            // there is recorded.
            const std::int64_t last =
                segment_.records.empty() ? segment_.start.time_us : segment_.records.back().time_us;
            return std::max(end_.time_us, last);
        }
        return segment_.records[i - 1].time_us;
    }
    // A paused run went on: later than the moment was reached.
    bool after_wait(std::size_t i) const noexcept {
        return i > 0 && i < size() - 1 && segment_.records[i - 1].kind == RecordKind::Resumed;
    }
    // The first anchor whose statement is above `statement`.
    std::size_t upper_bound(std::uint64_t statement) const noexcept {
        std::size_t low = 0;
        std::size_t high = size();
        while (low < high) {
            const std::size_t mid = low + (high - low) / 2;
            if (this->statement(mid) <= statement)
                low = mid + 1;
            else
                high = mid;
        }
        return low;
    }

private:
    const Segment& segment_;
    Moment end_;
};

} // namespace

std::string_view strip_name(Strip strip) noexcept {
    static constexpr std::string_view kNames[kStripCount] = {
        "lamp1",         "lamp2",        "lamp3", "lamp4",      "input1", "input2",
        "input3",        "input4",       "rx",    "adc_select", "adc",    "dac",
        "input_request", "input_answer", "print", "pause",      "error",  "end"};
    return kNames[static_cast<std::size_t>(strip)];
}

BoardOutputs board_outputs(const Board& board) {
    return {board.outputs(), board.dac(), board.selected_adc()};
}

Levels levels_at_start(const BoardOutputs& outputs) noexcept {
    Levels levels{};
    for (std::size_t i = 0; i < 4; ++i)
        levels[static_cast<std::size_t>(Strip::Lamp1) + i] = {outputs.lamps[i], true};
    levels[static_cast<std::size_t>(Strip::AdcSelect)] = {static_cast<std::int32_t>(outputs.adc),
                                                          true};
    if (outputs.dac) levels[static_cast<std::size_t>(Strip::Dac)] = {*outputs.dac, true};
    return levels;
}

BoardOutputs outputs_of(const Levels& levels) noexcept {
    BoardOutputs outputs;
    for (std::size_t i = 0; i < 4; ++i)
        outputs.lamps[i] = levels[static_cast<std::size_t>(Strip::Lamp1) + i].value != 0;
    outputs.adc = levels[static_cast<std::size_t>(Strip::AdcSelect)].value != 0 ? AdcChannel::Adc2
                                                                                : AdcChannel::Adc1;
    const Level dac = levels[static_cast<std::size_t>(Strip::Dac)];
    if (dac.known) outputs.dac = static_cast<std::int16_t>(dac.value);
    return outputs;
}

Record make_record(const IoEvent& event, std::string& texts) {
    Record r;
    r.time_us = event.time_us;
    r.statement = event.statement;
    r.line = event.line;
    r.kind = static_cast<RecordKind>(event.what.index());
    std::visit(Overloaded{
                   [&](const io::Print& p) {
                       r.value = printed_characters(p.text);
                       keep_text(r, p.text, texts);
                   },
                   [&](const io::Lamp& l) {
                       r.detail = static_cast<std::uint8_t>(l.output);
                       r.value = l.on;
                   },
                   [&](const io::Dac& d) { r.value = d.value; },
                   [&](const io::AdcSelect& s) { r.value = static_cast<std::int32_t>(s.channel); },
                   [&](const io::AdcRead& a) {
                       r.detail = static_cast<std::uint8_t>(a.channel);
                       r.value = a.value.value_or(0);
                       r.flags = a.value ? Record::kHasValue : 0;
                       keep_text(r, a.text, texts);
                   },
                   [&](const io::InputRead& i) {
                       r.detail = static_cast<std::uint8_t>(i.input);
                       r.value = i.on;
                   },
                   [&](const io::InputRequest& i) { r.detail = static_cast<std::uint8_t>(i.form); },
                   [&](const io::InputAnswer& a) {
                       r.detail = static_cast<std::uint8_t>(a.form);
                       r.value = a.value;
                       keep_text(r, a.text, texts);
                   },
                   [&](const io::Delay& d) { r.value = d.milliseconds; },
                   [&](const io::Pause&) {},
                   [&](const io::Error& e) { r.value = e.number; },
                   [&](const io::End& e) { r.value = static_cast<std::int32_t>(e.reason); },
               },
               event.what);
    return r;
}

Record make_anchor(RecordKind kind, Moment moment, int line) {
    Record r;
    r.kind = kind;
    r.statement = moment.statement;
    r.time_us = moment.time_us;
    r.line = line;
    return r;
}

std::string_view text_of(const Record& record, std::string_view texts) noexcept {
    if (record.text_length == 0) return {};
    return texts.substr(record.text, record.text_length);
}

IoEvent event_of(const Record& r, std::string_view texts) {
    const std::string_view text = text_of(r, texts);
    const auto form = static_cast<InputForm>(r.detail);
    IoEvent event{r.statement, r.line, r.time_us, io::Pause{}};
    switch (r.kind) {
    case RecordKind::Print: event.what = io::Print{text}; break;
    case RecordKind::Lamp: event.what = io::Lamp{r.detail, r.value != 0}; break;
    case RecordKind::Dac: event.what = io::Dac{static_cast<std::int16_t>(r.value)}; break;
    case RecordKind::AdcSelect: event.what = io::AdcSelect{static_cast<AdcChannel>(r.value)}; break;
    case RecordKind::AdcRead:
        event.what =
            io::AdcRead{static_cast<AdcChannel>(r.detail), text,
                        r.flags & Record::kHasValue ? std::optional(r.value) : std::nullopt};
        break;
    case RecordKind::InputRead: event.what = io::InputRead{r.detail, r.value != 0}; break;
    case RecordKind::InputRequest: event.what = io::InputRequest{form}; break;
    case RecordKind::InputAnswer: event.what = io::InputAnswer{form, text, r.value}; break;
    case RecordKind::Delay: event.what = io::Delay{r.value}; break;
    case RecordKind::Error: event.what = io::Error{r.value}; break;
    case RecordKind::End: event.what = io::End{static_cast<EndReason>(r.value)}; break;
    case RecordKind::Pause:
    case RecordKind::Resumed:
    case RecordKind::DelayEnded: break;
    }
    return event;
}

std::optional<StripValue> strip_value(const Record& r) noexcept {
    const auto strip = [](Strip first, int offset) {
        return static_cast<Strip>(static_cast<int>(first) + offset);
    };
    switch (r.kind) {
    case RecordKind::Lamp:
        if (r.detail < 1 || r.detail > 4) return std::nullopt;
        return StripValue{strip(Strip::Lamp1, r.detail - 1), r.value, true};
    case RecordKind::InputRead:
        if (r.detail >= 1 && r.detail <= 4)
            return StripValue{strip(Strip::Input1, r.detail - 1), r.value, true};
        if (r.detail == Board::kRxBit) return StripValue{Strip::Rx, r.value, true};
        return std::nullopt;
    case RecordKind::AdcSelect: return StripValue{Strip::AdcSelect, r.value, true};
    case RecordKind::AdcRead:
        return StripValue{Strip::Adc, r.value, (r.flags & Record::kHasValue) != 0};
    case RecordKind::Dac: return StripValue{Strip::Dac, r.value, true};
    case RecordKind::InputRequest: return StripValue{Strip::InputRequest, r.detail, false};
    case RecordKind::InputAnswer: return StripValue{Strip::InputAnswer, r.value, false};
    case RecordKind::Print: return StripValue{Strip::Print, r.value, false};
    case RecordKind::Pause: return StripValue{Strip::Pause, r.line, false};
    case RecordKind::Error: return StripValue{Strip::Error, r.value, false};
    case RecordKind::End: return StripValue{Strip::End, r.value, false};
    case RecordKind::Delay:
    case RecordKind::Resumed:
    case RecordKind::DelayEnded: break;
    }
    return std::nullopt;
}

void apply(const Record& record, std::string_view texts, Levels& levels, ConsoleLength& console) {
    if (record.kind == RecordKind::Print) {
        for (char c : text_of(record, texts)) {
            console.characters += c != '\r';
            console.lines += c == '\n';
        }
        return;
    }
    const std::optional<StripValue> value = strip_value(record);
    if (value && value->changes_level &&
        static_cast<std::size_t>(value->strip) < kSteppedStripCount)
        levels[static_cast<std::size_t>(value->strip)] = {value->value, true};
}

BlockSummary summarize(std::span<const Record> records) noexcept {
    BlockSummary block;
    if (records.empty()) return block;
    block.first_us = block.last_us = records.front().time_us;
    for (const Record& record : records) {
        block.first_us = std::min(block.first_us, record.time_us);
        block.last_us = std::max(block.last_us, record.time_us);
        const std::optional<StripValue> value = strip_value(record);
        if (!value) continue;
        const auto strip = static_cast<std::size_t>(value->strip);
        BlockSummary::Cell& cell = block.strips[strip];
        ++cell.events;
        if (strip < kSteppedStripCount && !value->changes_level) continue;
        cell.min = cell.valued ? std::min(cell.min, value->value) : value->value;
        cell.max = cell.valued ? std::max(cell.max, value->value) : value->value;
        cell.last = value->value;
        cell.valued = true;
    }
    return block;
}

void Segment::summarize_blocks(bool removed) {
    if (removed) blocks.clear();
    constexpr std::size_t n = BlockSummary::kRecords;
    while ((blocks.size() + 1) * n <= records.size())
        blocks.push_back(summarize(std::span(records).subspan(blocks.size() * n, n)));
}

std::int64_t time_of(const Segment& segment, Moment end, std::uint64_t statement) {
    const Anchors anchors(segment, end);
    const std::size_t above = anchors.upper_bound(statement);
    if (above == 0) return anchors.time(0);
    // Anchors at the statement itself: it was reached after the last of them,
    // but before a wait at it ended.
    for (std::size_t i = above; i > 0 && anchors.statement(i - 1) == statement; --i)
        if (!anchors.after_wait(i - 1)) return anchors.time(i - 1);
    const std::size_t before = above - 1;
    if (above == anchors.size()) return anchors.time(before);
    const std::uint64_t s0 = anchors.statement(before);
    const std::uint64_t s1 = anchors.statement(above);
    const std::int64_t t0 = anchors.time(before);
    const std::int64_t t1 = anchors.time(above);
    if (statement <= s0) return t0;
    return t0 + static_cast<std::int64_t>(Wide{t1 - t0} * Wide(statement - s0) / Wide(s1 - s0));
}

std::uint64_t statement_at(const Segment& segment, Moment end, std::int64_t time_us) {
    // The last moment reached by then; time_of does not fall as moments rise.
    std::uint64_t low = segment.start.statement;
    std::uint64_t high = std::max(end.statement, low);
    if (time_of(segment, end, low) > time_us) return low;
    while (low < high) {
        const std::uint64_t mid = low + (high - low + 1) / 2;
        if (time_of(segment, end, mid) <= time_us)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

} // namespace marlinet::machine
