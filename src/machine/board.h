// The simulated controller board as a value: four input boxes and the RX bit,
// two analog input texts and the selection between them, four lamps and the
// analog output. Every rule of the board lives here once; the window's
// thread-safe model, the runner and the scenarios all keep one of these.
//
// Not thread-safe: a Board belongs to one thread at a time.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace marlinet::machine {

enum class AdcChannel : std::uint8_t { Adc1 = 0, Adc2 = 1 };

// "ADC1" or "ADC2".
std::string_view adc_name(AdcChannel channel) noexcept;

// What an analog input text means for a read.
struct AdcValue {
    enum class Kind : std::uint8_t {
        Number,  // an integer with an optional sign, blanks and control characters around it
        Pending, // empty, only blanks, or a lone sign: it could still become a number
        Invalid, // it can never become a number by typing more
    };
    Kind kind = Kind::Pending;
    std::int32_t number = 0; // for Number
};

// The text's meaning; the trim removes codes 0..32 and 127 at both ends, and
// a number must fit 32 bits.
AdcValue classify_adc_text(std::string_view text) noexcept;

// One read of the selected analog input.
struct AdcSample {
    AdcChannel channel = AdcChannel::Adc1;
    // The value the program gets; nothing when the text can never be a
    // number (the interpreter's error 16).
    std::optional<std::int32_t> value;
    // The text was a number with blanks around it and now holds the trimmed
    // text, which the field is to show.
    bool trimmed = false;
};

class Board {
public:
    static constexpr int kRxBit = 126;

    // Bits 1..4 and kRxBit; other numbers are ignored.
    void set_input(int bit, bool on) noexcept;
    // True when input 1..4 or the RX bit is set; false for every other number.
    bool test_input(int bit) const noexcept;

    void set_adc_text(AdcChannel channel, std::string_view text);
    const std::string& adc_text(AdcChannel channel) const noexcept {
        return adc_texts_[index(channel)];
    }
    void select_adc(AdcChannel channel) noexcept { selected_ = channel; }
    AdcChannel selected_adc() const noexcept { return selected_; }

    // Reads the selected input. A number is the value, and its text loses
    // the blanks around it. A text that could still become a number (the
    // user is typing) reads as the last text of that field that was a
    // number, 0 if none, and stays as it is. Anything else has no value.
    AdcSample read_adc();

    // Outputs 1..4; other numbers are ignored.
    void set_output(int output, bool on) noexcept;
    bool output(int output) const noexcept;
    const std::array<bool, 4>& outputs() const noexcept { return outputs_; }

    void write_dac(std::int16_t value) noexcept { dac_ = value; }
    // Nothing until a program wrote the analog output.
    std::optional<std::int16_t> dac() const noexcept { return dac_; }

    // An INPUT has been answered: the RX bit is cleared.
    void input_answered() noexcept { set_input(kRxBit, false); }

    // Lamps off, ADC1 selected, the five boxes cleared, both analog texts
    // "0", the analog output unwritten (its field shows "0").
    void reset();

private:
    static std::size_t index(AdcChannel channel) noexcept {
        return static_cast<std::size_t>(channel);
    }

    std::uint8_t inputs_ = 0; // bit 0..3: inputs 1..4, bit 4: RX
    std::array<bool, 4> outputs_{};
    std::optional<std::int16_t> dac_;
    AdcChannel selected_ = AdcChannel::Adc1;
    std::array<std::string, 2> adc_texts_{"0", "0"};
    // The value of the last text of each field that was a number.
    std::array<std::int32_t, 2> last_numbers_{};
};

} // namespace marlinet::machine
