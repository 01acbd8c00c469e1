// What a running program reads from the simulated board, kept where the
// interpreter thread can reach it without touching a widget: a
// machine::Board, which owns the board's rules, behind a lock.
//
// The window thread writes every user change into it (the input boxes, the
// RX bit, the texts of the two analog inputs) and the reset; the interpreter
// thread reads it and sets the analog channel. Every member is safe to call
// from either thread. Lamps and the DAC live only in their widgets: the
// interpreter thread shows them through queued calls to the window thread.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "machine/board.h"

namespace marlinet::workbench {

using AdcChannel = machine::AdcChannel;

// One read of the selected analog input.
struct AdcReading {
    AdcChannel Channel = AdcChannel::Adc1;
    // The field's text as it was read, and the text the field then shows:
    // trimmed of blanks and control characters when it was a number, as it
    // was otherwise (never rewritten while the user may be typing).
    std::string Text;
    std::string Trimmed;
    // The value the program gets; nothing when the text can never be a number.
    std::optional<std::int32_t> Value;
};

class TBoardModel {
public:
    static constexpr int kRxBit = machine::Board::kRxBit;

    // bit is 1..4 or kRxBit; other numbers are ignored.
    void SetInput(int Bit, bool Checked);
    // True when input 1..4 or the RX bit is set; false for every other number.
    bool TestInput(int Bit) const;

    void SetAdcText(AdcChannel Channel, std::string_view Text);
    std::string AdcText(AdcChannel Channel) const;

    // The channel a read takes. Starts at ADC1.
    void SelectAdc(AdcChannel Channel);
    AdcChannel SelectedAdc() const;

    // Reads the selected channel (machine::Board::read_adc); the field is to
    // show Trimmed (TBoardPanel does that).
    AdcReading ReadAdc();

private:
    mutable std::mutex mutex_;
    machine::Board board_;
};

} // namespace marlinet::workbench
