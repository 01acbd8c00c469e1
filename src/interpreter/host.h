// What the interpreter asks of the program that runs it.
//
// Every operation is called on the interpreter thread, from inside
// Interpreter::run_program. Text is 8-bit; a std::string_view passed in is
// valid only for the duration of the call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace marlinet::basic {

enum class RunEnd : std::uint8_t {
    EndOfProgram, // END, or the end of the text
    Error,        // an interpreter error (see Interpreter::error_number)
    Host,         // the host ended the run with end_run()
};

// Ends the current run: unwinds to Interpreter::run_program, which returns
// RunEnd::Host. Only a host operation may call it, and only while a run is
// executing on the calling thread.
[[noreturn]] void end_run();

// The most characters an INPUT answer keeps: a host cuts a longer answer.
inline constexpr std::size_t kMaxInputLength = 79;

class Host {
public:
    virtual ~Host() = default;

    // Appends `text` to the console. Returns the number of characters written
    // other than CR and LF. "\r\n" ends a console line.
    virtual int host_print(std::string_view text) = 0;

    // INPUT, value form: blocks until the user has answered and returns the
    // text typed, at most kMaxInputLength characters (valid until the next
    // call on the host). The host echoes the
    // text and a line end and clears the RX input.
    virtual std::string_view host_request_value() = 0;

    // INPUT, key form: blocks until a key is given; returns its code 0..255
    // (0 when there is none). No echo; clears the RX input.
    virtual int host_request_key() = 0;

    // Called before each statement runs while the run state is not Running
    // (always, when every-statement checkpoints are asked for). May block; may
    // end the run with end_run(). When it returns, the statement runs.
    virtual void host_checkpoint() = 0;

    // The program has reached END or the end of its text. The run ends when
    // this returns.
    virtual void host_end_of_run() = 0;

    // An interpreter error has been printed and recorded (error number and
    // line are set, the run state is Stopped). The run ends when this returns.
    virtual void host_report_error() = 0;

    // All 26 variables have just been set to 0 at run start: show them.
    virtual void host_reset_variables() = 0;

    // The value in the selected analog input, or nothing when its text can
    // never be an integer (error 16). The interpreter keeps the low 16 bits.
    virtual std::optional<std::int32_t> host_read_adc() = 0;

    virtual void host_write_dac(std::int16_t value) = 0;
    virtual void host_set_output(int output) = 0;   // 1..4: lamp on
    virtual void host_clear_output(int output) = 0; // 1..4: lamp off
    virtual void host_select_adc(bool adc2) = 0;    // true: ADC2 is read, false: ADC1

    // True when input 1..4 or the RX bit (126) is set; false for any other number.
    virtual bool host_test_input(std::uint8_t input) = 0;

    // DELAY: waits `milliseconds` (0..32767). The host may end the run early
    // with end_run() when the run must stop.
    virtual void host_delay(int milliseconds) = 0;
};

} // namespace marlinet::basic
