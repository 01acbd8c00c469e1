// Writes the board's signals of a run as a Value Change Dump, for waveform
// viewers: timescale 1 us, module `board` with the wires lamp1..lamp4,
// input1..input4 and rx (as the program read them), adc_select (0 ADC1,
// 1 ADC2), the 16-bit regs dac and adc (the last value read, as the
// program kept it), the 32-bit reg line (the line of the statement running)
// and the event print (one per PRINT). Times are the run's clock. Values
// not known yet (an input never read, the analog output never written) are
// x. Changes at one time are written once, with their last value.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "machine/history.h"
#include "machine/past_state.h"
#include "machine/ports.h"

namespace marlinet::machine {

class VcdWriter final : public EventSink {
public:
    struct Header {
        std::string date;    // as the $date section shows it
        std::string version; // the writing program
    };

    // Writes the header and the values at time 0 (from `levels`, the
    // board's levels as the dump starts) to `file`, which stays the caller's.
    VcdWriter(std::FILE* file, const Header& header, const Levels& levels);
    ~VcdWriter() override { finish(); }
    VcdWriter(const VcdWriter&) = delete;
    VcdWriter& operator=(const VcdWriter&) = delete;

    void on_event(const IoEvent& event) override;
    // Writes the changes held back and everything buffered; false once any
    // write has failed.
    bool finish();

private:
    enum Signal : std::size_t {
        kLamp1,
        kInput1 = kLamp1 + 4,
        kRx = kInput1 + 4,
        kAdcSelect,
        kDac,
        kAdc,
        kLine,
        kPrint,
        kSignalCount,
    };
    // A value of a signal: a number, or unknown (x).
    using Value = std::optional<std::uint32_t>;

    void set(Signal signal, Value value);
    void write_changes();
    void write_value(Signal signal, Value value);
    void write_out();

    std::FILE* file_;
    std::string buffer_;
    bool failed_ = false;
    std::array<Value, kSignalCount> written_{};
    std::array<Value, kSignalCount> pending_{};
    std::array<bool, kSignalCount> changed_{};
    bool any_change_ = false;
    std::int64_t written_time_ = 0;
    std::int64_t pending_time_ = 0;
    std::int64_t last_time_ = 0;
};

// Writes the history kept as a VCD (File > Export timeline).
bool write_vcd(const History& history, std::FILE* file, const VcdWriter::Header& header);

} // namespace marlinet::machine
