#include "highlight/notify_event.h"

#include <algorithm>

namespace marlinet::highlight {

void TSynNotifyEventChain::Add(TNotifyEvent AEvent) {
    if (AEvent) listeners_.push_back(AEvent);
}

void TSynNotifyEventChain::Remove(TNotifyEvent AEvent) {
    for (std::size_t i = listeners_.size(); i-- > 0;) {
        if (!(listeners_[i] == AEvent)) continue;
        listeners_.erase(listeners_.begin() + static_cast<std::ptrdiff_t>(i));
        // A round whose next listener lies beyond the removed one moves back
        // with the list.
        for (std::size_t* next : rounds_)
            if (*next > i) --*next;
    }
}

void TSynNotifyEventChain::Fire() {
    // A listener may add or remove listeners (an editor binding or unbinding
    // in reaction), so no iterator is held across a call, and each listener
    // is copied out before it runs.
    // The sender of this round: a nested round (a listener changing another
    // value) sets its own, which must not leak into the rest of this one.
    TPersistent* const sender = sender_;
    std::size_t next = 0;
    rounds_.push_back(&next);
    struct RoundEnd {
        std::vector<std::size_t*>& rounds;
        ~RoundEnd() { rounds.pop_back(); }
    } round_end{rounds_};
    while (next < listeners_.size()) {
        TNotifyEvent listener = listeners_[next++];
        listener(sender);
    }
}

} // namespace marlinet::highlight
