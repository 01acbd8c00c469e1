// The workbench's ports of a run: MachineHost runs the program over them.
// Everything here runs on the interpreter thread and touches no widget: the
// run's events go to the window thread in order (TWindowQueue), what it
// reads comes from the board model, and it waits only for the resume and
// input events, for a DELAY, and for room in a full mailbox; every one of
// these waits ends early when the run must end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "machine/clock.h"
#include "machine/machine_host.h"
#include "workbench/board_model.h"
#include "workbench/run_channel.h"

namespace marlinet::basic {
class Interpreter;
}

namespace marlinet::workbench {

class TWorkbenchHost final : public machine::ConsolePort,
                             public machine::BoardPort,
                             public machine::RunControl,
                             public machine::EventSink {
public:
    TWorkbenchHost(TRunChannel& Channel, TBoardModel& Board);
    // The host the interpreter is to be made with.
    machine::MachineHost& Machine() { return machine_; }
    // Binds the host to the interpreter it serves, before any run.
    void Attach(basic::Interpreter& Interpreter);
    // Window thread, before the run's thread starts: the run's number, which
    // its last messages carry.
    void BeginRun(std::uint64_t Run) { run_ = Run; }

    // ---- console: printing reaches the window as the run's Print events ----
    void print(std::string_view) override {}
    machine::Answer read_answer(machine::InputForm Form, std::string& Text) override;
    // ---- board: what the program reads comes from the board model; what it
    // writes reaches the window as the run's events ----
    bool test_input(int Bit) override { return board_.TestInput(Bit); }
    machine::AdcSample read_adc(std::string& Text) override;
    void select_adc(AdcChannel Channel) override { board_.SelectAdc(Channel); }
    void set_output(int, bool) override {}
    void write_dac(std::int16_t) override {}
    void input_answered() override { board_.SetInput(TBoardModel::kRxBit, false); }
    // ---- control ----
    void started(machine::MachineHost& Host) override;
    void checkpoint(machine::MachineHost& Host) override;
    void delay(machine::MachineHost& Host, int Milliseconds) override;
    void finished(machine::MachineHost& Host, machine::EndReason Reason) override;
    // ---- the run's events: those the window shows are posted to it ----
    void on_event(const machine::IoEvent& Event) override;

private:
    std::atomic<basic::RunState>& State();
    bool MustEnd();
    // Ends the run when its state asks for that; otherwise returns.
    void EndIfAsked();
    // Parks the thread until the window changes the run state from Stopped.
    void Park();
    TVariableValues Variables() const;
    // Where the run is parked now, and why.
    TRunPause Pause() const;
    void Show(TWindowPost Item);

    TRunChannel& channel_;
    TBoardModel& board_;
    machine::RealClock clock_;
    machine::MachineHost machine_{*this, *this, clock_};
    basic::Interpreter* interpreter_ = nullptr;
    std::uint64_t run_ = 0;
};

} // namespace marlinet::workbench
