// Fuzz target: a program file's bytes go through the loader and then run on
// the interpreter for a bounded number of statements, twice on the same
// interpreter: once with a cold token memo and once with it warm.
//
// Beyond what the sanitizers catch, it checks what must hold for any input:
// the loader leaves only CR LF line breaks, one per line break of the file,
// then the trailer; an error has a number of the table and names a line of
// the program; and the warm run does exactly what the cold one did (memo
// entries must never change what a read returns).
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "interpreter/errors.h"
#include "interpreter/host.h"
#include "interpreter/interpreter.h"
#include "interpreter/numbers.h"
#include "interpreter/program_buffer.h"
#include "machine/clock.h"
#include "machine/machine_host.h"

namespace {

using namespace marlinet::basic;
namespace machine = marlinet::machine;

// Enough for loops and subroutines to run a while, small enough for
// thousands of runs a second.
constexpr std::uint64_t kStatementBudget = 5000;
// Console text kept for the comparison; a run may print more.
constexpr std::size_t kConsoleKept = 16 * 1024;

[[noreturn]] void fail(const char* what) {
    marlinet::fuzz::fail("interpreter", what);
}

// A board and a user that answer every request from fixed cycles, so that a
// run depends only on the program and two runs of it can be compared. The
// run goes through MachineHost, the one host, with these as its ports.
class FuzzPorts final : public machine::ConsolePort,
                        public machine::BoardPort,
                        public machine::RunControl,
                        public machine::EventSink {
public:
    std::string console;
    std::size_t printed = 0;
    int requests = 0;
    machine::Board board;
    machine::LocalBoard board_port{board};
    machine::VirtualClock clock;
    machine::MachineHost host{*this, *this, clock};

    FuzzPorts() {
        host.set_control(this);
        host.set_sink(this);
    }

    void reset() {
        console.clear();
        printed = 0;
        requests = 0;
        board = machine::Board();
        last_time_ = 0;
    }

    void print(std::string_view text) override {
        printed += text.size();
        if (console.size() < kConsoleKept)
            console.append(text.substr(0, kConsoleKept - console.size()));
    }
    machine::Answer read_answer(machine::InputForm form, std::string& text) override {
        static constexpr std::array<std::string_view, 6> kAnswers{"12", "-7", "32767",
                                                                  "",   "x",  "99999"};
        static constexpr std::array<std::string_view, 5> kKeys{"1", "q", "\r", "", "\xff"};
        const auto n = static_cast<std::size_t>(requests++);
        text = form == machine::InputForm::Key ? kKeys[n % kKeys.size()]
                                               : kAnswers[n % kAnswers.size()];
        return machine::Answer::Typed;
    }

    bool test_input(int input) override {
        board.set_input(input, (input + requests++) % 3 == 0);
        return board_port.test_input(input);
    }
    machine::AdcSample read_adc(std::string& text) override {
        // Texts being typed read as the field's last number, so the cycle
        // includes them after a number.
        static constexpr std::array<std::string_view, 5> kFields{"3000", " -12\t", "", "-", "4e3"};
        board.set_adc_text(board.selected_adc(),
                           kFields[static_cast<std::size_t>(requests++) % kFields.size()]);
        return board_port.read_adc(text);
    }
    void select_adc(machine::AdcChannel channel) override { board_port.select_adc(channel); }
    void set_output(int output, bool on) override {
        if (output < 1 || output > 4) fail("a lamp outside 1..4");
        board_port.set_output(output, on);
    }
    void write_dac(std::int16_t value) override { board_port.write_dac(value); }
    void input_answered() override { board_port.input_answered(); }

    void checkpoint(machine::MachineHost& machine) override {
        if (machine.interpreter().statements() >= kStatementBudget) end_run();
        // A STOP parks the run; resume it as Run from Stopped would.
        machine.interpreter().run_state().store(RunState::Running);
    }
    void delay(machine::MachineHost& machine, int milliseconds) override {
        if (milliseconds < 0 || milliseconds > 32767) fail("DELAY outside 0..32767");
        RunControl::delay(machine, milliseconds);
    }

    // Every event is stamped with a line of the program and a time that
    // never goes back.
    void on_event(const machine::IoEvent& event) override {
        if (event.line < 1) fail("an event without a program line");
        if (event.time_us < last_time_) fail("an event earlier than the one before");
        last_time_ = event.time_us;
    }

private:
    std::int64_t last_time_ = 0;
};

struct Outcome {
    RunEnd how;
    int error;
    int line;
    std::uint64_t statements;
    std::array<std::int16_t, Interpreter::kVariableCount> variables;
    std::string console;
    std::size_t printed;
    std::array<bool, 4> outputs;
    int dac;

    bool operator==(const Outcome&) const = default;
};

Outcome run_once(Interpreter& interpreter, FuzzPorts& host) {
    host.reset();
    interpreter.clear_error();
    interpreter.run_state().store(RunState::Running);
    Outcome out{};
    out.how = interpreter.run_program();
    out.error = interpreter.error_number();
    out.line = interpreter.error_line();
    out.statements = interpreter.statements();
    for (int i = 0; i < Interpreter::kVariableCount; ++i)
        out.variables[static_cast<std::size_t>(i)] = interpreter.variable(i);
    out.console = host.console;
    out.printed = host.printed;
    out.outputs = host.board.outputs();
    out.dac = host.board.dac().value_or(-1);
    return out;
}

// The loader's promise, checked against the file's own line breaks.
void check_loaded(std::string_view file, const ProgramBuffer& program) {
    std::size_t breaks = 0;
    std::size_t break_bytes = 0;
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n') {
            ++breaks;
            break_bytes += 2;
            ++i;
        } else if (file[i] == '\r' || file[i] == '\n') {
            ++breaks;
            ++break_bytes;
        }
    }
    const std::string_view bytes(program.data(), program.size());
    if (!bytes.ends_with(ProgramBuffer::kTrailer)) fail("the buffer does not end with the trailer");
    if (program.text().size() != file.size() - break_bytes + 2 * breaks)
        fail("the buffer's length does not match the file's");
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
            fail("a CR without LF in the buffer");
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) fail("an LF without CR");
    }
    if (program.line_index_of(program.size()) != static_cast<int>(breaks) + 2)
        fail("the buffer's line count does not match the file's");
    if (program.end_of_program() != bytes.find('\0'))
        fail("the end of program is not the first NUL");
}

// An interpreter and its host, each knowing the other.
struct Machine {
    FuzzPorts host;
    Interpreter interpreter{host.host};
    Machine() { host.host.attach(interpreter); }
};

void check_error(const Outcome& run, int lines) {
    if (run.how == RunEnd::Error) {
        if (error_message(run.error).empty()) fail("an error number outside the table");
        if (run.line < 1 || run.line > lines) fail("an error line outside the file");
    } else if (run.error != kNoError) {
        fail("an error number without an error");
    }
    if (run.statements > kStatementBudget) fail("the run went past its statement budget");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    ProgramBuffer program = ProgramBuffer::from_file_bytes(file);
    check_loaded(file, program);
    // The file's lines: one more than its line breaks (the last may be empty).
    // An error is always reported on one of them, never in the trailer.
    const int lines = program.line_index_of(program.size()) - 1;

    Machine machine;
    machine.interpreter.set_checkpoint_every_statement(true); // for the statement budget
    machine.interpreter.set_program(std::move(program));
    const Outcome cold = run_once(machine.interpreter, machine.host);
    check_error(cold, lines);
    const Outcome warm = run_once(machine.interpreter, machine.host);
    if (!(warm == cold)) fail("a second run of the same program did something else");
    return 0;
}
