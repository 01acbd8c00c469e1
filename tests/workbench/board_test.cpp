// The board panel: lamps, inputs, analog fields, the board model behind them.
#include <gtest/gtest.h>

#include <thread>

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>

#include "fake_dialogs.h"
#include "workbench/board_panel.h"
#include "workbench/glyphs.h"
#include "workbench/main_form.h"

namespace marlinet::workbench {
namespace {

class BoardTest : public ::testing::Test {
protected:
    TMainForm form{std::make_unique<testing::TFakeDialogs>()};
    TBoardPanel& board = *form.Board;
    TBoardModel& model = board.Model();

    bool Shown(const char* image) const {
        return !form.findChild<QLabel*>(QLatin1String(image))->isHidden();
    }
    static QColor Colour(const QLineEdit* field, QPalette::ColorRole role) {
        return field->palette().color(role);
    }
};

TEST_F(BoardTest, StartsWithGreyLampsAndTheOnImagePaintedAboveTheOffImage) {
    for (const char* off : {"Image9", "Image11", "Image13", "Image15"})
        EXPECT_TRUE(Shown(off)) << off;
    for (const char* on : {"Image10", "Image12", "Image14", "Image16"})
        EXPECT_FALSE(Shown(on)) << on;
    // Later siblings are painted above earlier ones.
    const QObjectList& order = form.findChild<QWidget*>("Panel1")->children();
    EXPECT_LT(order.indexOf(form.findChild<QLabel*>("Image9")),
              order.indexOf(form.findChild<QLabel*>("Image16")));
}

TEST_F(BoardTest, OutputsAreNumberedFromTheRight) {
    board.SetOutput(1);
    EXPECT_TRUE(Shown("Image16")); // rightmost
    board.SetOutput(4);
    EXPECT_TRUE(Shown("Image10")); // leftmost
    board.SetOutput(2);
    board.ClearOutput(2);
    EXPECT_FALSE(Shown("Image14"));
    board.SetOutput(5); // not an output: nothing happens
    board.ClearOutput(0);
    EXPECT_TRUE(board.OutputOn(1) && board.OutputOn(4) && !board.OutputOn(3));
}

TEST_F(BoardTest, LampImagesAreRoundGreyAndLimeDiscsOnTransparency) {
    for (const auto& [image, disc] :
         {std::pair{LampOffImage(), kLampOffColor}, std::pair{LampOnImage(), kLampOnColor}}) {
        const QImage pixels = image.toImage();
        EXPECT_EQ(pixels.size(), QSize(14, 14));
        EXPECT_EQ(pixels.pixelColor(0, 0).alpha(), 0);         // corner outside the disc
        EXPECT_EQ(pixels.pixelColor(7, 8), disc);              // centre
        EXPECT_EQ(pixels.pixelColor(9, 3), QColor(Qt::white)); // highlight, upper right
        EXPECT_NE(pixels.pixelColor(2, 11), disc);             // shadow, lower left
    }
}

TEST_F(BoardTest, InputBoxesAndRxBitReachTheModel) {
    board.InputBox(1)->setChecked(true);
    form.findChild<QCheckBox*>("CheckBox5")->setChecked(true); // input 4
    form.findChild<QCheckBox*>("CheckBox1")->setChecked(true); // RX
    for (const auto& [bit, set] : {std::pair{1, true},
                                   {2, false},
                                   {3, false},
                                   {4, true},
                                   {126, true},
                                   {5, false},
                                   {0, false},
                                   {127, false}})
        EXPECT_EQ(model.TestInput(bit), set) << bit;
}

TEST_F(BoardTest, ReadingAnAdcTrimsItsTextAndTakesTheSelectedChannel) {
    board.AdcField(AdcChannel::Adc1)->setText(" 12 \t");
    board.AdcField(AdcChannel::Adc2)->setText("-7");
    AdcReading reading = model.ReadAdc();
    EXPECT_EQ(reading.Value, 12);
    board.ShowTrimmedAdcText(reading);
    EXPECT_EQ(form.findChild<QLineEdit*>("Edit2")->text(), "12");

    board.SelectAdc(AdcChannel::Adc2);
    EXPECT_EQ(model.ReadAdc().Value, -7);
    // Issue 17: a field being typed into reads as the last number it held,
    // and keeps its text.
    for (const char* typing : {"", " ", "-", "+ "}) {
        board.AdcField(AdcChannel::Adc2)->setText(typing);
        const AdcReading reading = model.ReadAdc();
        EXPECT_EQ(reading.Value, -7) << typing;
        EXPECT_EQ(reading.Trimmed, typing) << typing;
    }
    board.AdcField(AdcChannel::Adc2)->setText("12a");
    EXPECT_EQ(model.ReadAdc().Value, std::nullopt);
}

TEST_F(BoardTest, TrimmedTextDoesNotOverwriteWhatTheUserTypedSinceTheRead) {
    QLineEdit* adc1 = board.AdcField(AdcChannel::Adc1);
    adc1->setText(" 5");
    const AdcReading reading = model.ReadAdc();
    adc1->setText("77");
    board.ShowTrimmedAdcText(reading);
    EXPECT_EQ(adc1->text(), "77");
    EXPECT_EQ(model.AdcText(AdcChannel::Adc1), "77");
}

TEST_F(BoardTest, SelectingAChannelColoursBothFields) {
    const QLineEdit* adc1 = form.findChild<QLineEdit*>("Edit2");
    const QLineEdit* adc2 = form.findChild<QLineEdit*>("Edit1");
    EXPECT_EQ(Colour(adc1, QPalette::Text), QColor(Qt::blue)); // design look
    board.SelectAdc(AdcChannel::Adc2);
    EXPECT_EQ(Colour(adc2, QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(Colour(adc2, QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(Colour(adc1, QPalette::Base), QColor(192, 192, 192));
    EXPECT_EQ(Colour(adc1, QPalette::Text), QColor(128, 128, 128));
    board.SelectAdc(AdcChannel::Adc1);
    EXPECT_EQ(Colour(adc1, QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(Colour(adc2, QPalette::Text), QColor(128, 128, 128));
}

TEST_F(BoardTest, DacShowsFiveColumnsRightAligned) {
    for (const auto& [value, text] : {std::pair{std::int16_t{42}, "   42"},
                                      {-5, "   -5"},
                                      {1234, " 1234"},
                                      {-32768, "-32768"}}) {
        board.WriteDac(value);
        EXPECT_EQ(board.DacField()->text(), text);
    }
}

TEST_F(BoardTest, ResetBoardClearsOutputsInputsAndFields) {
    board.SetOutput(2);
    board.SelectAdc(AdcChannel::Adc2);
    for (int bit : {1, 2, 3, 4, 126})
        board.InputBox(bit)->setChecked(true);
    board.AdcField(AdcChannel::Adc1)->setText("9");
    board.AdcField(AdcChannel::Adc2)->setText("8");
    board.WriteDac(7);

    form.SpeedButton1Click();
    EXPECT_FALSE(board.OutputOn(2));
    EXPECT_EQ(model.SelectedAdc(), AdcChannel::Adc1);
    EXPECT_EQ(Colour(board.AdcField(AdcChannel::Adc2), QPalette::Base), QColor(192, 192, 192));
    for (int bit : {1, 2, 3, 4, 126}) {
        EXPECT_FALSE(board.InputBox(bit)->isChecked());
        EXPECT_FALSE(model.TestInput(bit));
    }
    for (QLineEdit* field :
         {board.AdcField(AdcChannel::Adc1), board.AdcField(AdcChannel::Adc2), board.DacField()})
        EXPECT_EQ(field->text(), "0");
    EXPECT_EQ(model.AdcText(AdcChannel::Adc2), "0");
}

TEST(BoardModelTest, ReadsStayWholeWhileAnotherThreadWritesTexts) {
    TBoardModel model;
    std::thread writer([&] {
        for (int i = 0; i < 2000; ++i)
            model.SetAdcText(AdcChannel::Adc1, i % 2 ? "  1111  " : "-2222");
    });
    for (int i = 0; i < 2000; ++i) {
        const std::optional<std::int32_t> value = model.ReadAdc().Value;
        ASSERT_TRUE(value == 0 || value == 1111 || value == -2222);
    }
    writer.join();
}

} // namespace
} // namespace marlinet::workbench
