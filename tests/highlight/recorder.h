// A listener that remembers whom it heard, for the notification tests.
#pragma once

#include <functional>
#include <vector>

#include "highlight/notify_event.h"

namespace marlinet::highlight::testing {

struct Recorder {
    void Heard(TObject* Sender) {
        senders.push_back(Sender);
        if (on_heard) on_heard(Sender);
    }
    TNotifyEvent Slot() { return TNotifyEvent::Of<&Recorder::Heard>(this); }
    int Count() const { return static_cast<int>(senders.size()); }

    std::vector<TObject*> senders;
    std::function<void(TObject*)> on_heard;
};

} // namespace marlinet::highlight::testing
