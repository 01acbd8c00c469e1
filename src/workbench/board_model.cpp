#include "workbench/board_model.h"

namespace marlinet::workbench {

void TBoardModel::SetInput(int Bit, bool Checked) {
    std::lock_guard lock(mutex_);
    board_.set_input(Bit, Checked);
}

bool TBoardModel::TestInput(int Bit) const {
    std::lock_guard lock(mutex_);
    return board_.test_input(Bit);
}

void TBoardModel::SetAdcText(AdcChannel Channel, std::string_view Text) {
    std::lock_guard lock(mutex_);
    board_.set_adc_text(Channel, Text);
}

std::string TBoardModel::AdcText(AdcChannel Channel) const {
    std::lock_guard lock(mutex_);
    return board_.adc_text(Channel);
}

void TBoardModel::SelectAdc(AdcChannel Channel) {
    std::lock_guard lock(mutex_);
    board_.select_adc(Channel);
}

AdcChannel TBoardModel::SelectedAdc() const {
    std::lock_guard lock(mutex_);
    return board_.selected_adc();
}

AdcReading TBoardModel::ReadAdc() {
    std::lock_guard lock(mutex_);
    AdcReading reading;
    reading.Channel = board_.selected_adc();
    reading.Text = board_.adc_text(reading.Channel);
    reading.Value = board_.read_adc().value;
    reading.Trimmed = board_.adc_text(reading.Channel);
    return reading;
}

} // namespace marlinet::workbench
