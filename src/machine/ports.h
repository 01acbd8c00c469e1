// What MachineHost runs over: the console, the board, the clock, the control
// of the run and the sink of its events. Each front end (the window, the
// runner, a scenario, a test) supplies its own; MachineHost calls them on
// the interpreter thread only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "machine/board.h"
#include "machine/io_event.h"

namespace marlinet::machine {

class MachineHost;

// How an INPUT was answered.
enum class Answer : std::uint8_t {
    Typed,   // the user gave the text: it is echoed (value form)
    Stopped, // the user left with Stop: the text ("0") is taken without an echo
};

class ConsolePort {
public:
    virtual ~ConsolePort() = default;
    // Appends text as the program wrote it: CR LF ends a line, a lone LF too.
    virtual void print(std::string_view text) = 0;
    // INPUT: waits for the answer and stores it, as given, in `text`; for the
    // key form its first character is the key (none: 0). MachineHost shapes
    // the text once for every front end. Ends the run (basic::end_run or
    // MachineHost::end) when no answer can come.
    virtual Answer read_answer(InputForm form, std::string& text) = 0;
};

class BoardPort {
public:
    virtual ~BoardPort() = default;
    virtual bool test_input(int bit) = 0;
    // Reads the selected analog input (Board::read_adc); `text` receives the
    // field's text as it was read.
    virtual AdcSample read_adc(std::string& text) = 0;
    virtual void select_adc(AdcChannel channel) = 0;
    virtual void set_output(int output, bool on) = 0;
    virtual void write_dac(std::int16_t value) = 0;
    // An INPUT has been answered (the RX bit is cleared).
    virtual void input_answered() = 0;
};

// A BoardPort over a Board value that the caller owns.
class LocalBoard final : public BoardPort {
public:
    explicit LocalBoard(Board& board) : board_(board) {}
    Board& board() noexcept { return board_; }

    bool test_input(int bit) override { return board_.test_input(bit); }
    AdcSample read_adc(std::string& text) override {
        text = board_.adc_text(board_.selected_adc());
        return board_.read_adc();
    }
    void select_adc(AdcChannel channel) override { board_.select_adc(channel); }
    void set_output(int output, bool on) override { board_.set_output(output, on); }
    void write_dac(std::int16_t value) override { board_.write_dac(value); }
    void input_answered() override { board_.input_answered(); }

private:
    Board& board_;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Microseconds since the run started; `statements` have been started.
    virtual std::int64_t now_us(std::uint64_t statements) const = 0;
    // DELAY: lets the time pass. Returns early when the run must end.
    virtual void delay(int milliseconds) = 0;
    // Makes it `time_us` now, `statements` having started: a run that goes
    // on from a past moment goes on from that moment's time.
    virtual void set_time(std::int64_t time_us, std::uint64_t statements) = 0;
};

// How the run is driven: pauses, limits, interruption, scenario steps.
class RunControl {
public:
    virtual ~RunControl() = default;
    // The run starts; its variables are all 0.
    virtual void started(MachineHost&) {}
    // Before a statement, whenever the interpreter calls its checkpoint (the
    // run state is not Running, or every statement is asked for). May block;
    // may end the run. By default a STOP or a step request goes on running:
    // nobody could resume a pause.
    virtual void checkpoint(MachineHost& host);
    // DELAY: by default the clock's delay.
    virtual void delay(MachineHost& host, int milliseconds);
    // The program ended or raised an error; its End (and Error) event has
    // been sent. Not called when a port or the control ended the run.
    virtual void finished(MachineHost&, EndReason) {}
};

class EventSink {
public:
    virtual ~EventSink() = default;
    virtual void on_event(const IoEvent& event) = 0;
};

} // namespace marlinet::machine
