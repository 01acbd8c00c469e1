// Records a run into a History: attached to a MachineHost as its event
// sink and its run control, it keeps every event, takes a snapshot of the
// interpreter every History::snapshot_interval() statements (asking the
// interpreter for a checkpoint there, so a free run pays nothing between;
// the interpreter keeps one such request, so the front end must not make its
// own), and passes every call on to the front end's own control and sink.
//
//   Recorder recorder(history, &my_control, &my_sink);
//   recorder.attach(host);                       // instead of set_control/set_sink
//   recorder.set_outputs_at_start(outputs);      // the board as the run starts
//   host.run();
//   ...
//   PastState then = recorder.go_back_to(n);     // going on from a past moment
//   host.resume(*then.snapshot);
//
// Thread: the run's (every member but the set-up ones, which come before a
// run). Variables changed from another thread while the run goes on freely
// are not seen and make a later replay fail: change them while the run is
// parked in its checkpoint, where the recorder looks for changes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "machine/history.h"
#include "machine/machine_host.h"
#include "machine/ports.h"

namespace marlinet::machine {

class Recorder final : public EventSink, public RunControl {
public:
    // Records into `history`; `control` (the default control when none)
    // and `sink` (optional) get every call as if attached themselves.
    explicit Recorder(History& history, RunControl* control = nullptr, EventSink* sink = nullptr);

    // Becomes the host's control and sink. Before a run.
    void attach(MachineHost& host);
    // The board's outputs as the next run starts (they outlive a run).
    void set_outputs_at_start(const BoardOutputs& outputs) { outputs_at_start_ = outputs; }
    // Going on from a past moment, before MachineHost::resume: drops every
    // later moment from the history and returns the state to resume from
    // (its snapshot) and to show. Throws HistoryError as
    // History::truncate_after does. Not while a run executes.
    PastState go_back_to(std::uint64_t statement);

    // EventSink
    void on_event(const IoEvent& event) override;
    // RunControl
    void started(MachineHost& host) override;
    void checkpoint(MachineHost& host) override;
    void delay(MachineHost& host, int milliseconds) override;
    void finished(MachineHost& host, EndReason reason) override;

private:
    static constexpr std::size_t kBatch = 1024;
    static constexpr std::size_t kMostPending = 64 * 1024;

    RunControl& control() noexcept { return control_ ? *control_ : default_control_; }
    void keep(const Record& record);
    void publish(bool wait);
    void take_snapshot(MachineHost& host, Moment moment);
    void schedule(basic::Interpreter& interpreter, std::uint64_t next);
    static std::array<std::int16_t, 26> variables(const MachineHost& host);

    History& history_;
    RunControl* control_;
    EventSink* sink_;
    RunControl default_control_;
    MachineHost* host_ = nullptr;
    BoardOutputs outputs_at_start_;
    PendingRecords pending_;
    Levels levels_{};
    ConsoleLength console_;
    std::uint64_t next_snapshot_ = 0;
    // The open segment's records and texts: a segment is closed early at
    // this many bytes, so the bound can drop history in small steps.
    std::size_t segment_bytes_ = 0;
    std::size_t segment_limit_;
    bool paused_ = false; // a pause was recorded in this checkpoint
};

} // namespace marlinet::machine
