// The one implementation of the interpreter's host. It keeps the rules that
// every front end shares (the board's, INPUT's answer shaping and echo, the
// count of printed characters) and sends every I/O of the run, stamped with
// the statement count, the program line and the time, to the event sink.
// Everything else it asks of its ports (ports.h).
//
// No state outside the object: many runs, each with its own interpreter,
// host and ports, can share a process. Interpreter thread only, except
// where a member says otherwise.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "interpreter/host.h"
#include "interpreter/interpreter.h"
#include "machine/io_event.h"
#include "machine/ports.h"

namespace marlinet::machine {

// The text an INPUT keeps from an answer: up to the first LF, every CR
// dropped, cut at the first NUL, then at most basic::kMaxInputLength
// characters. Writes into `out` (its capacity is reused).
void shape_answer(std::string_view answer, std::string& out);

class MachineHost final : public basic::Host {
public:
    MachineHost(ConsolePort& console, BoardPort& board, Clock& clock) noexcept
        : console_(console), board_(board), clock_(clock) {}

    // Before a run: the interpreter served, the control and the sink (both
    // optional).
    void attach(basic::Interpreter& interpreter) noexcept { interpreter_ = &interpreter; }
    void set_control(RunControl* control) noexcept { control_ = control; }
    void set_sink(EventSink* sink) noexcept { sink_ = sink; }

    // Runs the program from its start until it ends; a run that a port or
    // the control ended gets its End event here.
    EndReason run();
    // Goes on with a run from a snapshot of its program instead
    // (basic::Interpreter::resume_from, which throws for a snapshot that
    // does not fit); ends as run() does.
    EndReason resume(const basic::Snapshot& snapshot);
    // Ends the run for `reason` (from a port or the control).
    [[noreturn]] void end(EndReason reason);

    basic::Interpreter& interpreter() noexcept { return *interpreter_; }
    const basic::Interpreter& interpreter() const noexcept { return *interpreter_; }
    ConsolePort& console() noexcept { return console_; }
    BoardPort& board() noexcept { return board_; }
    Clock& clock() noexcept { return clock_; }
    std::int64_t now_us() const { return clock_.now_us(interpreter_->statements()); }
    // The 1-based line of the statement being run.
    int line() const noexcept { return interpreter_->current_line(); }
    // Sends an event stamped now (ports use it for Pause).
    void report(const IoPayload& what) {
        if (sink_) send(what, line());
    }

    int host_print(std::string_view text) override;
    std::string_view host_request_value() override;
    int host_request_key() override;
    void host_checkpoint() override;
    void host_end_of_run() override;
    void host_report_error() override;
    void host_reset_variables() override;
    std::optional<std::int32_t> host_read_adc() override;
    void host_write_dac(std::int16_t value) override;
    void host_set_output(int output) override;
    void host_clear_output(int output) override;
    void host_select_adc(bool adc2) override;
    bool host_test_input(std::uint8_t input) override;
    void host_delay(int milliseconds) override;

private:
    void send(const IoPayload& what, int line);
    EndReason ended(basic::RunEnd how);
    void finish(EndReason reason);

    ConsolePort& console_;
    BoardPort& board_;
    Clock& clock_;
    basic::Interpreter* interpreter_ = nullptr;
    RunControl* control_ = nullptr;
    EventSink* sink_ = nullptr;
    EndReason end_reason_ = EndReason::Stopped;
    std::string raw_answer_; // as the console port gave it
    std::string answer_;     // as the interpreter gets it
    std::string adc_text_;
};

} // namespace marlinet::machine
