// Hands every event of a run to several sinks, in the order they were added.
#pragma once

#include <vector>

#include "machine/ports.h"

namespace marlinet::machine {

class EventFanout final : public EventSink {
public:
    // Null sinks are left out.
    void add(EventSink* sink) {
        if (sink) sinks_.push_back(sink);
    }
    bool empty() const noexcept { return sinks_.empty(); }
    void on_event(const IoEvent& event) override {
        for (EventSink* sink : sinks_)
            sink->on_event(event);
    }

private:
    std::vector<EventSink*> sinks_;
};

} // namespace marlinet::machine
