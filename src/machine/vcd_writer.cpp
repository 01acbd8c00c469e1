#include "machine/vcd_writer.h"

#include <cstring>

namespace marlinet::machine {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

struct SignalInfo {
    const char* type;
    int width;
    const char* name;
    char id;
};

// In the order of VcdWriter::Signal. Identifiers are letters, so that no
// reader mistakes one for a keyword ($) or a time (#).
constexpr SignalInfo kSignals[] = {
    {"wire", 1, "lamp1", 'A'},      {"wire", 1, "lamp2", 'B'},  {"wire", 1, "lamp3", 'C'},
    {"wire", 1, "lamp4", 'D'},      {"wire", 1, "input1", 'E'}, {"wire", 1, "input2", 'F'},
    {"wire", 1, "input3", 'G'},     {"wire", 1, "input4", 'H'}, {"wire", 1, "rx", 'I'},
    {"wire", 1, "adc_select", 'J'}, {"reg", 16, "dac", 'K'},    {"reg", 16, "adc", 'L'},
    {"reg", 32, "line", 'M'},       {"event", 1, "print", 'N'},
};

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

std::optional<std::uint32_t> level_value(const Level& level) {
    if (!level.known) return std::nullopt;
    return static_cast<std::uint32_t>(level.value);
}

} // namespace

VcdWriter::VcdWriter(std::FILE* file, const Header& header, const Levels& levels) : file_(file) {
    static_assert(std::size(kSignals) == kSignalCount);
    buffer_ = "$date\n\t" + header.date + "\n$end\n$version\n\t" + header.version +
              "\n$end\n$timescale 1 us $end\n$scope module board $end\n";
    for (const SignalInfo& signal : kSignals)
        buffer_ += std::string("$var ") + signal.type + ' ' + std::to_string(signal.width) + ' ' +
                   signal.id + ' ' + signal.name + " $end\n";
    buffer_ += "$upscope $end\n$enddefinitions $end\n#0\n$dumpvars\n";
    const auto level = [&](Strip strip) {
        return level_value(levels[static_cast<std::size_t>(strip)]);
    };
    for (std::size_t i = 0; i < 4; ++i) {
        written_[kLamp1 + i] =
            level(static_cast<Strip>(static_cast<std::size_t>(Strip::Lamp1) + i));
        written_[kInput1 + i] =
            level(static_cast<Strip>(static_cast<std::size_t>(Strip::Input1) + i));
    }
    written_[kRx] = level(Strip::Rx);
    written_[kAdcSelect] = level(Strip::AdcSelect);
    written_[kDac] = level(Strip::Dac);
    written_[kAdc] = level(Strip::Adc);
    // The dac and adc levels are kept as the program has them: 16 bits.
    for (Signal s : {kDac, kAdc})
        if (written_[s]) written_[s] = *written_[s] & 0xffff;
    for (std::size_t s = 0; s < kPrint; ++s)
        write_value(static_cast<Signal>(s), written_[s]);
    buffer_ += "$end\n";
    pending_ = written_;
}

void VcdWriter::set(Signal signal, Value value) {
    pending_[signal] = value;
    changed_[signal] = true;
    any_change_ = true;
}

void VcdWriter::on_event(const IoEvent& event) {
    const std::int64_t time = std::max(event.time_us, pending_time_);
    if (time != pending_time_) {
        write_changes();
        pending_time_ = time;
    }
    last_time_ = std::max(last_time_, time);
    set(kLine, static_cast<std::uint32_t>(event.line));
    std::visit(
        Overloaded{
            [&](const io::Lamp& l) {
                if (l.output >= 1 && l.output <= 4)
                    set(static_cast<Signal>(kLamp1 + static_cast<std::size_t>(l.output - 1)), l.on);
            },
            [&](const io::InputRead& r) {
                if (r.input >= 1 && r.input <= 4)
                    set(static_cast<Signal>(kInput1 + static_cast<std::size_t>(r.input - 1)), r.on);
                else if (r.input == Board::kRxBit)
                    set(kRx, r.on);
            },
            [&](const io::AdcSelect& s) { set(kAdcSelect, static_cast<std::uint32_t>(s.channel)); },
            [&](const io::AdcRead& r) {
                set(kAdc,
                    r.value ? Value(static_cast<std::uint32_t>(*r.value) & 0xffff) : std::nullopt);
            },
            [&](const io::Dac& d) { set(kDac, static_cast<std::uint16_t>(d.value)); },
            [&](const io::Print&) { set(kPrint, 1); },
            [](const auto&) {},
        },
        event.what);
    if (buffer_.size() >= kBufferSize) write_out();
}

void VcdWriter::write_changes() {
    if (!any_change_) return;
    bool stamped = pending_time_ == written_time_;
    for (std::size_t s = 0; s < kSignalCount; ++s) {
        if (!changed_[s]) continue;
        changed_[s] = false;
        if (s != kPrint && pending_[s] == written_[s]) continue;
        if (!stamped) {
            buffer_ += '#' + std::to_string(pending_time_) + '\n';
            written_time_ = pending_time_;
            stamped = true;
        }
        write_value(static_cast<Signal>(s), pending_[s]);
        written_[s] = pending_[s];
    }
    any_change_ = false;
}

void VcdWriter::write_value(Signal signal, Value value) {
    const SignalInfo& info = kSignals[signal];
    if (info.width == 1) {
        buffer_ += value ? (*value ? '1' : '0') : 'x';
    } else {
        buffer_ += 'b';
        if (!value) {
            buffer_ += 'x';
        } else {
            int bit = info.width - 1;
            while (bit > 0 && !((*value >> bit) & 1))
                --bit;
            for (; bit >= 0; --bit)
                buffer_ += (*value >> bit) & 1 ? '1' : '0';
        }
        buffer_ += ' ';
    }
    buffer_ += info.id;
    buffer_ += '\n';
}

void VcdWriter::write_out() {
    if (!failed_ && !buffer_.empty() &&
        std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
        failed_ = true;
    buffer_.clear();
}

bool VcdWriter::finish() {
    write_changes();
    // The dump lasts as long as the run did.
    if (last_time_ > written_time_) {
        buffer_ += '#' + std::to_string(last_time_) + '\n';
        written_time_ = last_time_;
    }
    write_out();
    if (std::fflush(file_) != 0) failed_ = true;
    return !failed_;
}

bool write_vcd(const History& history, std::FILE* file, const VcdWriter::Header& header) {
    std::optional<VcdWriter> writer;
    history.for_each_event([&](const Levels& levels) { writer.emplace(file, header, levels); },
                           [&](const IoEvent& event) { writer->on_event(event); });
    return writer->finish();
}

} // namespace marlinet::machine
