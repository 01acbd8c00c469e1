#include "machine/recorder.h"

#include <algorithm>
#include <stdexcept>

namespace marlinet::machine {

Recorder::Recorder(History& history, RunControl* control, EventSink* sink)
    : history_(history), control_(control), sink_(sink),
      segment_limit_(std::max<std::size_t>(history.memory().bound / 16, 4096)) {}

void Recorder::attach(MachineHost& host) {
    host_ = &host;
    host.set_control(this);
    host.set_sink(this);
}

PastState Recorder::go_back_to(std::uint64_t statement) {
    if (!host_) throw std::logic_error("Recorder::go_back_to before attach");
    History::Continuation going_on = history_.truncate_after(statement);
    pending_.clear();
    levels_ = going_on.levels;
    console_ = going_on.state.console;
    segment_bytes_ = 0;
    paused_ = false;
    schedule(host_->interpreter(), statement + history_.snapshot_interval());
    host_->clock().set_time(going_on.state.time_us, statement);
    return going_on.state;
}

void Recorder::keep(const Record& record) {
    pending_.records.push_back(record);
    apply(record, pending_.texts, levels_, console_);
    segment_bytes_ += sizeof(Record) + record.text_length;
}

void Recorder::publish(bool wait) {
    if (pending_.records.empty() && !pending_.last) return;
    history_.append(pending_, wait);
}

void Recorder::on_event(const IoEvent& event) {
    if (sink_) sink_->on_event(event);
    const Record record = make_record(event, pending_.texts);
    keep(record);
    // The window follows the history: before the run waits, it sees why.
    switch (record.kind) {
    case RecordKind::Pause:
        paused_ = true;
        pending_.last = Moment{event.statement, event.time_us};
        publish(true);
        break;
    case RecordKind::InputRequest: publish(true); break;
    case RecordKind::Delay:
        if (record.value > 0) publish(true);
        break;
    case RecordKind::End: {
        const Moment end{event.statement, event.time_us};
        pending_.last = end;
        publish(true);
        history_.finish(end);
        break;
    }
    default:
        if (pending_.records.size() >= kMostPending)
            publish(true);
        else if (pending_.records.size() >= kBatch)
            publish(false);
    }
    // Close the segment at the next statement: a segment is the least the
    // bound can drop.
    if (segment_bytes_ > segment_limit_ && host_)
        host_->interpreter().request_checkpoint_at(host_->interpreter().statements());
}

std::array<std::int16_t, 26> Recorder::variables(const MachineHost& host) {
    std::array<std::int16_t, 26> values{};
    for (int i = 0; i < basic::Interpreter::kVariableCount; ++i)
        values[static_cast<std::size_t>(i)] = host.interpreter().variable(i);
    return values;
}

void Recorder::started(MachineHost& host) {
    control().started(host);
    pending_.clear();
    levels_ = levels_at_start(outputs_at_start_);
    console_ = {};
    segment_bytes_ = 0;
    paused_ = false;
    history_.start(host.interpreter().program(), levels_);
    schedule(host.interpreter(), 0);
}

void Recorder::checkpoint(MachineHost& host) {
    const Moment reached{host.interpreter().statements(), host.now_us()};
    const std::array<std::int16_t, 26> before = variables(host);
    paused_ = false;
    control().checkpoint(host);
    // A pause lets the user change variables: the run goes on from them.
    const bool edited = variables(host) != before;
    if (reached.statement >= next_snapshot_ || edited || segment_bytes_ > segment_limit_)
        take_snapshot(host, reached);
    if (paused_) {
        keep(make_anchor(RecordKind::Resumed, {reached.statement, host.now_us()}, host.line()));
        paused_ = false;
    }
}

void Recorder::delay(MachineHost& host, int milliseconds) {
    control().delay(host, milliseconds);
    keep(make_anchor(RecordKind::DelayEnded, {host.interpreter().statements(), host.now_us()},
                     host.line()));
}

void Recorder::finished(MachineHost& host, EndReason reason) {
    control().finished(host, reason);
}

void Recorder::take_snapshot(MachineHost& host, Moment moment) {
    const std::optional<basic::Snapshot> snapshot = host.interpreter().snapshot();
    if (!snapshot) return; // only inside a checkpoint, where this is called
    publish(true);
    history_.begin_segment(*snapshot, moment, levels_, console_);
    segment_bytes_ = 0;
    schedule(host.interpreter(), moment.statement + history_.snapshot_interval());
}

void Recorder::schedule(basic::Interpreter& interpreter, std::uint64_t next) {
    next_snapshot_ = next;
    interpreter.request_checkpoint_at(next);
}

} // namespace marlinet::machine
