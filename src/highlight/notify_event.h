// How attribute changes travel to the editors: a chain of event slots that
// all hear the chain's current sender (support/events.h).
#pragma once

#include "support/events.h"

namespace marlinet::highlight {

using support::TNotifyEvent;
using support::TObject;

class TSynNotifyEventChain {
public:
    explicit TSynNotifyEventChain(TObject* ASender) noexcept : sender_(ASender) {}

    TObject* Sender() const noexcept { return sender_; }
    void SetSender(TObject* ASender) noexcept { sender_ = ASender; }

    int Count() const noexcept { return listeners_.Count(); }

    // Adding the same listener twice registers it twice. Empty slots are ignored.
    void Add(TNotifyEvent AEvent) {
        if (AEvent) listeners_.Add(AEvent);
    }
    // Removes every registration of exactly this object and member function.
    void Remove(TNotifyEvent AEvent) { listeners_.RemoveAll(AEvent); }

    // Calls every listener in order of registration with the sender. The
    // list is read afresh at each step: a listener added while firing is
    // called in the same round, one removed before its turn is not, and
    // removing one never makes another miss its turn. An exception from a
    // listener ends the round and propagates.
    void Fire() {
        // A nested round (a listener changing another value) sets its own
        // sender, which must not leak into the rest of this one.
        TObject* const sender = sender_;
        listeners_.CallInOrder(sender);
    }

private:
    TObject* sender_;
    support::TMethodList<TNotifyEvent> listeners_;
};

} // namespace marlinet::highlight
