// Event slots (an object and one of its member functions) and ordered chains
// of them, the way attribute changes travel to the editors.
#pragma once

#include <vector>

#include "highlight/persistent.h"

namespace marlinet::highlight {

// A callback with its context that takes the sender. Two slots are equal
// when they name the same object and the same member function, which is what
// removing a listener compares.
class TNotifyEvent {
public:
    constexpr TNotifyEvent() noexcept = default;

    // The slot that calls `(Object->*Method)(Sender)`.
    template <auto Method, class T>
    static TNotifyEvent Of(T* Object) noexcept {
        return TNotifyEvent(Object, [](void* data, TPersistent* sender) {
            (static_cast<T*>(data)->*Method)(sender);
        });
    }

    explicit operator bool() const noexcept { return code_ != nullptr; }
    // Only for an assigned slot.
    void operator()(TPersistent* Sender) const { code_(data_, Sender); }

    friend bool operator==(const TNotifyEvent&, const TNotifyEvent&) = default;

private:
    using Code = void (*)(void*, TPersistent*);
    TNotifyEvent(void* data, Code code) noexcept : data_(data), code_(code) {}

    void* data_ = nullptr;
    Code code_ = nullptr;
};

// An ordered list of listeners that all hear the chain's current sender.
class TSynNotifyEventChain {
public:
    explicit TSynNotifyEventChain(TPersistent* ASender) noexcept : sender_(ASender) {}

    TPersistent* Sender() const noexcept { return sender_; }
    void SetSender(TPersistent* ASender) noexcept { sender_ = ASender; }

    int Count() const noexcept { return static_cast<int>(listeners_.size()); }

    // Adding the same listener twice registers it twice. Empty slots are ignored.
    void Add(TNotifyEvent AEvent);
    // Removes every registration of exactly this object and member function.
    void Remove(TNotifyEvent AEvent);

    // Calls every listener in order of registration with the sender. The
    // list is read afresh at each step: a listener added while firing is
    // called in the same round, one removed before its turn is not, and
    // removing one never makes another miss its turn. An exception from a
    // listener ends the round and propagates.
    void Fire();

private:
    TPersistent* sender_;
    std::vector<TNotifyEvent> listeners_;
    // The position of every round in progress (a listener may cause another
    // round), kept in step with removals.
    std::vector<std::size_t*> rounds_;
};

} // namespace marlinet::highlight
