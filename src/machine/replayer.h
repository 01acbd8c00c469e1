// Replays a segment of a history on an interpreter of its own: the
// segment's snapshot is restored, every reading the program makes (input
// boxes, RX, analog inputs, INPUT answers and keys) is answered from the
// record, and every other event it sends must equal the recorded one, so a
// replay reaches exactly the state the run had, or says that it cannot.
//
// Not thread-safe: one replay at a time (History holds its lock around it).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "interpreter/interpreter.h"
#include "machine/clock.h"
#include "machine/history_record.h"
#include "machine/machine_host.h"

namespace marlinet::machine {

class Replayer final : ConsolePort, BoardPort, RunControl, EventSink {
public:
    Replayer();
    Replayer(const Replayer&) = delete;
    Replayer& operator=(const Replayer&) = delete;

    // The program the recorded run ran.
    void set_program(const basic::ProgramBuffer& program);

    // The state at moment `target`, which the segment's span holds (the time
    // is left at 0: the history knows it). Throws HistoryError when the
    // record does not replay.
    PastState state_at(const Segment& segment, std::uint64_t target);
    // The last moment in [first, target] at which the run arrived at one of
    // `lines`, as the interpreter's pause lines see arrivals (hit counts
    // left out); nothing when it did not. Throws as state_at does.
    std::optional<std::uint64_t> last_arrival(const Segment& segment, std::uint64_t first,
                                              std::uint64_t target,
                                              std::span<const basic::PauseLine> lines);

private:
    void replay(const Segment& segment, std::uint64_t target);
    // The next record the run must meet: anchors and pauses are passed over.
    const Record* next_record();
    // The next record, which must be a reading of `kind`; ends the replay at
    // the end of the record.
    const Record& expect_reading(RecordKind kind);
    // The record ends here: the run was ended inside this statement, or
    // goes on after it.
    bool record_ends_here(const Record* next) const noexcept;
    void capture(bool at_checkpoint);
    [[noreturn]] void stop();
    [[noreturn]] void diverge(const std::string& what);
    std::uint64_t statements() const noexcept { return interpreter_.statements(); }

    // ConsolePort
    void print(std::string_view) override {}
    Answer read_answer(InputForm form, std::string& text) override;
    // BoardPort
    bool test_input(int bit) override;
    AdcSample read_adc(std::string& text) override;
    void select_adc(AdcChannel) override {}
    void set_output(int, bool) override {}
    void write_dac(std::int16_t) override {}
    void input_answered() override {}
    // RunControl
    void checkpoint(MachineHost& host) override;
    void delay(MachineHost&, int) override {}
    void finished(MachineHost& host, EndReason reason) override;
    // EventSink
    void on_event(const IoEvent& event) override;

    VirtualClock clock_{0};
    MachineHost host_{*this, *this, clock_};
    basic::Interpreter interpreter_{host_};

    const Segment* segment_ = nullptr;
    std::size_t cursor_ = 0;
    std::uint64_t target_ = 0;
    Levels levels_{};
    ConsoleLength console_;
    int end_line_ = 0;
    std::string texts_; // of the replay's own events, to compare

    bool finding_arrivals_ = false;
    std::uint64_t first_counted_ = 0;
    std::optional<std::uint64_t> arrival_;

    std::optional<PastState> captured_;
    std::string failure_;
};

} // namespace marlinet::machine
