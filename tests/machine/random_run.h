// A run of a random program on a random board, for the history's property
// tests: every reading (input boxes, RX, analog texts, INPUT answers and
// keys, typed or left with Stop) is a function of the seed, the statement
// count and how many readings the statement made before, so two runs of the
// same program and seed do the same. A run can be recorded into a History,
// or run straight with every moment's state written down as the truth.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "interpreter/interpreter.h"
#include "machine/clock.h"
#include "machine/history.h"
#include "machine/machine_host.h"
#include "machine/recorder.h"

namespace marlinet::machine::testing {

class Readings {
public:
    explicit Readings(unsigned seed) : seed_(seed) {}
    std::uint64_t next(std::uint64_t statement) {
        if (statement != statement_) statement_ = statement, count_ = 0;
        std::uint64_t x =
            (statement * 0x9e3779b97f4a7c15ull) ^ (++count_ * 0xbf58476d1ce4e5b9ull) ^ seed_;
        x ^= x >> 31;
        x *= 0x94d049bb133111ebull;
        return x ^ (x >> 29);
    }
    // Statements run again from a past moment read afresh.
    void restart() { statement_ = UINT64_MAX; }

private:
    unsigned seed_;
    std::uint64_t statement_ = UINT64_MAX;
    std::uint64_t count_ = 0;
};

// A Board whose boxes and analog texts change before every reading.
class RandomBoard final : public BoardPort {
public:
    RandomBoard(Readings& readings, const basic::Interpreter& in) : readings_(readings), in_(in) {}
    Board board;

    bool test_input(int bit) override {
        board.set_input(bit, readings_.next(in_.statements()) & 1);
        return board.test_input(bit);
    }
    AdcSample read_adc(std::string& text) override {
        // Numbers only: what a pending text reads depends on the board's past.
        static const char* const kTexts[] = {"12", " -300 ", "0", "70000", "32767", "-1"};
        const std::uint64_t r = readings_.next(in_.statements());
        // A text that can never be a number ends the run (error 16): seldom.
        board.set_adc_text(board.selected_adc(), r % 1000 == 0 ? "-5x" : kTexts[(r >> 8) % 6]);
        text = board.adc_text(board.selected_adc());
        return board.read_adc();
    }
    void select_adc(AdcChannel channel) override { board.select_adc(channel); }
    void set_output(int output, bool on) override { board.set_output(output, on); }
    void write_dac(std::int16_t value) override { board.write_dac(value); }
    void input_answered() override { board.input_answered(); }

private:
    Readings& readings_;
    const basic::Interpreter& in_;
};

class RandomConsole final : public ConsolePort {
public:
    RandomConsole(Readings& readings, const basic::Interpreter& in)
        : readings_(readings), in_(in) {}
    ConsoleLength printed;

    void print(std::string_view text) override {
        for (char c : text) {
            printed.characters += c != '\r';
            printed.lines += c == '\n';
        }
    }
    Answer read_answer(InputForm, std::string& text) override {
        static const char* const kAnswers[] = {"42", " -7x", "", "70000", "q", "\r5\n6"};
        const std::uint64_t r = readings_.next(in_.statements());
        text = kAnswers[r % 6];
        return (r >> 8) % 5 == 0 ? Answer::Stopped : Answer::Typed;
    }

private:
    Readings& readings_;
    const basic::Interpreter& in_;
};

// Ends the run at the first checkpoint at or after `limit`; with `edits`,
// now and then pauses and changes a variable, as a user in the window does.
class Driver final : public RunControl, public EventSink {
public:
    std::uint64_t limit = 3000;
    bool edits = false;
    unsigned seed = 0;
    // When set, the state of every moment from `keep_from` on is written here.
    std::map<std::uint64_t, PastState>* truth = nullptr;
    std::uint64_t keep_from = 0;
    // When set, the moments at which the run paused or arrived at a pause line.
    std::vector<std::uint64_t>* stops = nullptr;
    ConsoleLength* printed = nullptr;
    const Board* board = nullptr;

    void checkpoint(MachineHost& host) override {
        const std::uint64_t n = host.interpreter().statements();
        const basic::PauseReason reason = host.interpreter().last_pause().reason;
        if (stops && host.interpreter().run_state().load() == basic::RunState::StopRequest &&
            (reason == basic::PauseReason::PauseLine ||
             reason == basic::PauseReason::ConditionFailed))
            stops->push_back(n);
        RunControl::checkpoint(host);
        if (edits && n < limit && (n * 2654435761u + seed) % 23 == 0) {
            if (stops && (stops->empty() || stops->back() != n)) stops->push_back(n);
            host.report(io::Pause{});
            host.interpreter().set_variable(static_cast<int>(n % 26),
                                            static_cast<std::int16_t>(n * 7));
        }
        if (truth) write_down(host, true, host.line());
        if (n >= limit) host.end(EndReason::Limit);
    }
    void on_event(const IoEvent& event) override {
        if (std::holds_alternative<io::End>(event.what)) end_line_ = event.line;
    }
    void finished(MachineHost& host, EndReason) override {
        if (truth) write_down(host, false, end_line_);
    }

private:
    void write_down(MachineHost& host, bool at_checkpoint, int line) {
        const basic::Interpreter& in = host.interpreter();
        PastState state;
        state.statement = in.statements();
        state.time_us = host.now_us();
        state.line = line;
        for (int i = 0; i < basic::Interpreter::kVariableCount; ++i)
            state.variables[static_cast<std::size_t>(i)] = in.variable(i);
        state.call_stack = in.call_stack();
        state.outputs = board_outputs(*board);
        state.console = *printed;
        if (at_checkpoint) state.snapshot = in.snapshot();
        if (state.statement >= keep_from) (*truth)[state.statement] = state;
    }
    int end_line_ = 0;
};

// One program on the random board of a seed, with its host.
struct RandomMachine {
    explicit RandomMachine(unsigned seed, bool edits, std::uint64_t limit) : readings(seed) {
        driver.edits = edits;
        driver.seed = seed;
        driver.limit = limit;
        host.attach(in);
        // Stepping in the window: a checkpoint before every statement.
        in.set_checkpoint_every_statement(edits);
        in.run_state().store(basic::RunState::Running);
    }
    EndReason run(const std::string& program) {
        in.set_program(basic::ProgramBuffer::from_file_bytes(program));
        return host.run();
    }

    Readings readings;
    VirtualClock clock;
    RandomBoard board{readings, in};
    RandomConsole console{readings, in};
    Driver driver;
    MachineHost host{console, board, clock};
    basic::Interpreter in{host};
};

// A run recorded into a history; it can go on from a past moment.
struct Recording {
    Recording(unsigned seed, History& history, bool edits, std::uint64_t limit,
              EventSink* also = nullptr)
        : machine(seed, edits, limit), recorder(history, &machine.driver, also) {
        recorder.attach(machine.host);
    }
    // From moment `statement`, with the board's outputs as they were then.
    EndReason go_on_from(std::uint64_t statement, std::uint64_t limit) {
        const PastState then = recorder.go_back_to(statement);
        machine.readings.restart();
        Board& board = machine.board.board;
        for (int i = 0; i < 4; ++i)
            board.set_output(i + 1, then.outputs.lamps[static_cast<std::size_t>(i)]);
        board.select_adc(then.outputs.adc);
        if (then.outputs.dac) board.write_dac(*then.outputs.dac);
        machine.driver.limit = limit;
        return machine.host.resume(*then.snapshot);
    }

    RandomMachine machine;
    Recorder recorder;
};

// The same run straight to moment `last` (or its end), the state of every
// moment from `keep_from` on written down; with `lines`, the moments it
// arrived at them too.
struct StraightRun {
    std::uint64_t keep_from = 0;
    std::vector<std::uint64_t>* stops = nullptr;
    std::span<const basic::PauseLine> lines;
};
inline std::map<std::uint64_t, PastState> straight_run(unsigned seed, const std::string& program,
                                                       bool edits, std::uint64_t last,
                                                       const StraightRun& options = {}) {
    std::map<std::uint64_t, PastState> states;
    RandomMachine machine(seed, edits, last);
    machine.driver.truth = &states;
    machine.driver.keep_from = options.keep_from;
    machine.driver.stops = options.stops;
    machine.driver.printed = &machine.console.printed;
    machine.driver.board = &machine.board.board;
    machine.host.set_control(&machine.driver);
    machine.host.set_sink(&machine.driver);
    machine.in.set_checkpoint_every_statement(true);
    machine.in.set_pause_lines(options.lines);
    machine.run(program);
    return states;
}

} // namespace marlinet::machine::testing
