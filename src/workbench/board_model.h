// What a running program reads from the simulated board, kept where the
// interpreter thread can reach it without touching a widget.
//
// The window thread writes every user change into it (the input boxes, the
// RX bit, the texts of the two analog inputs) and the reset; the interpreter
// thread reads it and sets the analog channel. Every member is safe to call
// from either thread. Lamps and the DAC live only in their widgets: the
// interpreter thread shows them through queued calls to the window thread.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace marlinet::workbench {

enum class AdcChannel : std::uint8_t { Adc1 = 0, Adc2 = 1 };

// One read of the selected analog input.
struct AdcReading {
    AdcChannel Channel = AdcChannel::Adc1;
    // The field's text as it was read, and the same text trimmed of blanks
    // and control characters at both ends, which the field then shows.
    std::string Text;
    std::string Trimmed;
    // The integer in the trimmed text; 0 for an empty field; nothing when
    // the text is not an integer.
    std::optional<std::int32_t> Value;
};

class TBoardModel {
public:
    static constexpr int kRxBit = 126;

    // bit is 1..4 or kRxBit; other numbers are ignored.
    void SetInput(int Bit, bool Checked);
    // True when input 1..4 or the RX bit is set; false for every other number.
    bool TestInput(int Bit) const;

    void SetAdcText(AdcChannel Channel, std::string_view Text);
    std::string AdcText(AdcChannel Channel) const;

    // The channel a read takes. Starts at ADC1.
    void SelectAdc(AdcChannel Channel) { adc2_.store(Channel == AdcChannel::Adc2); }
    AdcChannel SelectedAdc() const { return adc2_.load() ? AdcChannel::Adc2 : AdcChannel::Adc1; }

    // Reads the selected channel and keeps its trimmed text from then on;
    // the field is to show the trimmed text too (TBoardPanel does that).
    AdcReading ReadAdc();

private:
    static int InputIndex(int Bit);

    std::atomic<std::uint8_t> inputs_{0}; // bit 0..3: inputs 1..4, bit 4: RX
    std::atomic<bool> adc2_{false};
    mutable std::mutex textMutex_;
    std::array<std::string, 2> adcTexts_{"0", "0"};
};

} // namespace marlinet::workbench
