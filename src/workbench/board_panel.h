// The simulated board in the middle row of the main window: four output
// lamps, four input boxes and the RX bit, the ADC1 and ADC2 fields and the
// DAC field, each with its design name (Panel1, Image9, CheckBox5, Edit2...).
//
// Window thread only. The interpreter thread reads the board through
// Model(), which this panel keeps current on every user change, and shows
// its writes by queuing calls to SetOutput, ClearOutput, ShowAdcSelection,
// WriteDac and ShowTrimmedAdcText.
#pragma once

#include <array>
#include <cstdint>

#include <QObject>

#include "workbench/board_model.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

namespace marlinet::workbench {

class TBoardPanel : public QObject {
    Q_OBJECT

public:
    // Places the panels on Client, the main window's client area.
    explicit TBoardPanel(QWidget* Client);

    TBoardModel& Model() { return model_; }

    // Output 1 is the rightmost lamp. Numbers other than 1..4 do nothing.
    void SetOutput(int Output);
    void ClearOutput(int Output);
    bool OutputOn(int Output) const;

    // Sets the channel a read takes and colours both fields from it.
    void SelectAdc(AdcChannel Channel);
    // Colours both fields from the model's channel: the selected one white
    // with blue text, the other silver with grey text.
    void ShowAdcSelection();
    // Shows Value as "%5d" in the DAC field.
    void WriteDac(std::int16_t Value);
    // After a read: the field shows the trimmed text, unless the user has
    // changed it since the read.
    void ShowTrimmedAdcText(const AdcReading& Reading);

    // Every "off" lamp shown and every "on" lamp hidden.
    void StartUpLamps();
    // Outputs off, ADC1 selected, the five boxes cleared, the three fields "0".
    void ResetBoard();

    QLineEdit* AdcField(AdcChannel Channel) const;
    QLineEdit* DacField() const { return Edit3; }
    // 1..4, or TBoardModel::kRxBit for the RX bit.
    QCheckBox* InputBox(int Bit) const;

private:
    void MakeOutputs(QWidget* Client);
    void MakeInputs(QWidget* Client);
    void MakeAnalog(QWidget* Client);

    TBoardModel model_;
    // Index 0 is output 1.
    std::array<QLabel*, 4> offImages_{};
    std::array<QLabel*, 4> onImages_{};
    std::array<QCheckBox*, 4> inputBoxes_{};
    QCheckBox* CheckBox1 = nullptr;
    QLineEdit* Edit1 = nullptr; // ADC2
    QLineEdit* Edit2 = nullptr; // ADC1
    QLineEdit* Edit3 = nullptr; // DAC
};

} // namespace marlinet::workbench
