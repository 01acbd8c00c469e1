#include "workbench/board_panel.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "workbench/glyphs.h"
#include "workbench/text.h"
#include "workbench/widgets.h"

namespace marlinet::workbench {

namespace {

// Outputs and inputs share their columns: index 0 is number 1, the
// rightmost.
constexpr int kColumnLeft[4] = {56, 40, 24, 8};
constexpr const char* kOffImageNames[4] = {"Image9", "Image13", "Image15", "Image11"};
constexpr const char* kOnImageNames[4] = {"Image16", "Image14", "Image12", "Image10"};
constexpr const char* kInputBoxNames[4] = {"CheckBox8", "CheckBox7", "CheckBox6", "CheckBox5"};

const QColor kSelectedBackground{255, 255, 255};
const QColor kSelectedText{0, 0, 255};
const QColor kUnselectedBackground{192, 192, 192};
const QColor kUnselectedText{128, 128, 128};

QLabel* MakeImage(QWidget* Parent, const char* Name, int Left, const QPixmap& Image) {
    auto* image = new QLabel(Parent);
    image->setObjectName(QLatin1String(Name));
    image->setGeometry(Left, 20, 16, 16);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setPixmap(Image);
    return image;
}

void DigitLabels(QWidget* Panel) {
    for (int i = 0; i < 4; ++i)
        MakeLabel(Panel, QString::number(i + 1), kColumnLeft[i] + 4, 36);
}

} // namespace

TBoardPanel::TBoardPanel(QWidget* Client) : QObject(Client) {
    MakeOutputs(Client);
    MakeInputs(Client);
    MakeAnalog(Client);
}

void TBoardPanel::MakeOutputs(QWidget* Client) {
    QFrame* panel = MakePanel(Client, "Panel1", {48, 196, 85, 53});
    panel->setToolTip(QStringLiteral("Discrete Outputs"));
    MakeTitle(panel, QStringLiteral("Discrete Outputs"), 4, 4);
    const QPixmap off = LampOffImage();
    const QPixmap on = LampOnImage();
    for (int i = 0; i < 4; ++i) {
        offImages_[i] = MakeImage(panel, kOffImageNames[i], kColumnLeft[i], off);
        // Made after its "off" image, so it is painted above it.
        onImages_[i] = MakeImage(panel, kOnImageNames[i], kColumnLeft[i], on);
    }
    DigitLabels(panel);
}

void TBoardPanel::MakeInputs(QWidget* Client) {
    QFrame* panel = MakePanel(Client, "Panel2", {136, 196, 81, 53});
    panel->setToolTip(QStringLiteral("Discrete Inputs"));
    MakeTitle(panel, QStringLiteral("Discrete Inputs"), 4, 4);
    for (int i = 0; i < 4; ++i) {
        auto* box = new QCheckBox(panel);
        box->setObjectName(QLatin1String(kInputBoxNames[i]));
        box->setGeometry(kColumnLeft[i], 20, 16, 16);
        const int bit = i + 1;
        connect(box, &QCheckBox::toggled, this, [this, bit](bool on) { model_.SetInput(bit, on); });
        inputBoxes_[i] = box;
    }
    DigitLabels(panel);

    QFrame* rx = MakePanel(Client, "Panel7", {380, 196, 101, 53});
    CheckBox1 = new QCheckBox(QStringLiteral("RX bit (126)"), rx);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(4, 4, 93, 16);
    connect(CheckBox1, &QCheckBox::toggled, this,
            [this](bool on) { model_.SetInput(TBoardModel::kRxBit, on); });
}

void TBoardPanel::MakeAnalog(QWidget* Client) {
    QFrame* adc = MakePanel(Client, "Panel3", {220, 196, 97, 53});
    // A hint that is not shown as a tool tip; assistive tools still read it.
    adc->setAccessibleDescription(QStringLiteral("Analog to Digital Converters"));
    MakeLabel(adc, QStringLiteral("ADC1"), 13, 4);
    MakeLabel(adc, QStringLiteral("ADC2"), 57, 4);
    Edit2 = MakeField(adc, "Edit2", {4, 20, 40, 21}, kSelectedText);
    Edit1 = MakeField(adc, "Edit1", {49, 20, 40, 21}, kSelectedText);
    for (AdcChannel channel : {AdcChannel::Adc1, AdcChannel::Adc2}) {
        QLineEdit* field = AdcField(channel);
        field->setText(QStringLiteral("0"));
        connect(field, &QLineEdit::textChanged, this, [this, channel](const QString& text) {
            model_.SetAdcText(channel, FromQString(text));
        });
    }

    QFrame* dac = MakePanel(Client, "Panel4", {320, 196, 57, 53});
    dac->setAccessibleDescription(QStringLiteral("Digital to Analog Converter"));
    MakeLabel(dac, QStringLiteral(" DAC "), 12, 4);
    Edit3 = MakeField(dac, "Edit3", {8, 20, 40, 21}, Qt::red);
    Edit3->setText(QStringLiteral("0"));
    // An output: only a running program writes it.
    Edit3->setReadOnly(true);
}

void TBoardPanel::SetOutput(int Output) {
    if (Output >= 1 && Output <= 4) onImages_[Output - 1]->show();
}

void TBoardPanel::ClearOutput(int Output) {
    if (Output >= 1 && Output <= 4) onImages_[Output - 1]->hide();
}

bool TBoardPanel::OutputOn(int Output) const {
    return Output >= 1 && Output <= 4 && !onImages_[Output - 1]->isHidden();
}

void TBoardPanel::SelectAdc(AdcChannel Channel) {
    model_.SelectAdc(Channel);
    ShowAdcSelection();
}

void TBoardPanel::ShowAdcSelection() {
    const AdcChannel selected = model_.SelectedAdc();
    for (AdcChannel channel : {AdcChannel::Adc1, AdcChannel::Adc2}) {
        if (channel == selected)
            ColourField(AdcField(channel), kSelectedBackground, kSelectedText);
        else
            ColourField(AdcField(channel), kUnselectedBackground, kUnselectedText);
    }
}

void TBoardPanel::WriteDac(std::int16_t Value) {
    Edit3->setText(QString::asprintf("%5d", Value));
}

void TBoardPanel::ShowTrimmedAdcText(const AdcReading& Reading) {
    QLineEdit* field = AdcField(Reading.Channel);
    if (field->text() == ToQString(Reading.Text)) field->setText(ToQString(Reading.Trimmed));
}

void TBoardPanel::StartUpLamps() {
    for (int i = 0; i < 4; ++i) {
        offImages_[i]->show();
        onImages_[i]->hide();
    }
}

void TBoardPanel::ResetBoard() {
    for (int output = 1; output <= 4; ++output)
        ClearOutput(output);
    SelectAdc(AdcChannel::Adc1);
    for (QCheckBox* box : inputBoxes_)
        box->setChecked(false);
    CheckBox1->setChecked(false);
    for (QLineEdit* field : {Edit1, Edit2, Edit3})
        field->setText(QStringLiteral("0"));
    // The boxes' and fields' signals have brought the model along.
}

QLineEdit* TBoardPanel::AdcField(AdcChannel Channel) const {
    return Channel == AdcChannel::Adc2 ? Edit1 : Edit2;
}

QCheckBox* TBoardPanel::InputBox(int Bit) const {
    if (Bit >= 1 && Bit <= 4) return inputBoxes_[Bit - 1];
    return Bit == TBoardModel::kRxBit ? CheckBox1 : nullptr;
}

} // namespace marlinet::workbench
