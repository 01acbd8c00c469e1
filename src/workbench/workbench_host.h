// The interpreter's host in the workbench. Everything here runs on the
// interpreter thread and touches no widget: what a program shows is posted to
// the window thread in order (TWindowQueue), what it reads comes from the
// board model, and it waits only for the resume and input events, for a
// DELAY, and for room in a full mailbox; every one of these waits ends early
// when the run must end.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "interpreter/host.h"
#include "workbench/board_model.h"
#include "workbench/run_channel.h"

namespace marlinet::basic {
class Interpreter;
}

namespace marlinet::workbench {

class TWorkbenchHost final : public basic::Host {
public:
    TWorkbenchHost(TRunChannel& Channel, TBoardModel& Board) : channel_(Channel), board_(Board) {}
    // Binds the host to the interpreter it serves, before any run.
    void Attach(basic::Interpreter& Interpreter) { interpreter_ = &Interpreter; }
    // Window thread, before the run's thread starts: the run's number, which
    // its last messages carry.
    void BeginRun(std::uint64_t Run) { run_ = Run; }

    int host_print(std::string_view Text) override;
    std::string_view host_request_value() override;
    int host_request_key() override;
    void host_checkpoint() override;
    void host_end_of_run() override;
    void host_report_error() override;
    void host_reset_variables() override;
    std::optional<std::int32_t> host_read_adc() override;
    void host_write_dac(std::int16_t Value) override;
    void host_set_output(int Output) override;
    void host_clear_output(int Output) override;
    void host_select_adc(bool Adc2) override;
    bool host_test_input(std::uint8_t Input) override;
    void host_delay(int Milliseconds) override;

private:
    std::atomic<basic::RunState>& State();
    bool MustEnd();
    // Ends the run when its state asks for that; otherwise returns.
    void EndIfAsked();
    // Parks the thread until the window changes the run state from Stopped.
    void Park();
    TVariableValues Variables() const;
    void Show(TWindowPost Item);
    // Waits for the answer to an INPUT request; ends the run if it must end
    // first.
    std::string Ask(TInputMode Mode);

    TRunChannel& channel_;
    TBoardModel& board_;
    basic::Interpreter* interpreter_ = nullptr;
    std::uint64_t run_ = 0;
    std::string answer_; // the last INPUT value, as returned to the interpreter
};

} // namespace marlinet::workbench
