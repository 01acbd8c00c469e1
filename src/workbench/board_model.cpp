#include "workbench/board_model.h"

#include "interpreter/numbers.h"

namespace marlinet::workbench {

int TBoardModel::InputIndex(int Bit) {
    if (Bit >= 1 && Bit <= 4) return Bit - 1;
    if (Bit == kRxBit) return 4;
    return -1;
}

void TBoardModel::SetInput(int Bit, bool Checked) {
    const int index = InputIndex(Bit);
    if (index < 0) return;
    const auto mask = static_cast<std::uint8_t>(1u << index);
    if (Checked)
        inputs_.fetch_or(mask);
    else
        inputs_.fetch_and(static_cast<std::uint8_t>(~mask));
}

bool TBoardModel::TestInput(int Bit) const {
    const int index = InputIndex(Bit);
    return index >= 0 && (inputs_.load() & (1u << index)) != 0;
}

void TBoardModel::SetAdcText(AdcChannel Channel, std::string_view Text) {
    std::lock_guard lock(textMutex_);
    adcTexts_[static_cast<std::size_t>(Channel)].assign(Text);
}

std::string TBoardModel::AdcText(AdcChannel Channel) const {
    std::lock_guard lock(textMutex_);
    return adcTexts_[static_cast<std::size_t>(Channel)];
}

AdcReading TBoardModel::ReadAdc() {
    AdcReading reading;
    reading.Channel = SelectedAdc();
    {
        std::lock_guard lock(textMutex_);
        std::string& text = adcTexts_[static_cast<std::size_t>(reading.Channel)];
        reading.Text = text;
        reading.Trimmed = basic::trim_blanks(text);
        text = reading.Trimmed;
    }
    reading.Value = basic::parse_adc_text(reading.Trimmed);
    return reading;
}

} // namespace marlinet::workbench
