// Event slots (an object and one of its member functions, called only when
// assigned) and ordered lists of them. Two slots are equal when they hold the
// same object and the same function, which is what removal compares.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "support/object.h"

namespace marlinet::support {

template <class Signature>
class TMethod;

template <class R, class... Args>
class TMethod<R(Args...)> {
public:
    // The code half of a slot: receives the data half as its first argument.
    using Code = R (*)(void*, Args...);

    constexpr TMethod() noexcept = default;
    constexpr TMethod(Code code, void* data) noexcept : code_(code), data_(data) {}

    // A slot calling (object->*Member)(args...).
    template <auto Member, class T>
    static TMethod Of(T* object) noexcept {
        return TMethod(&Call<Member, T>, object);
    }

    explicit operator bool() const noexcept { return code_ != nullptr; }
    // Only for an assigned slot.
    R operator()(Args... args) const { return code_(data_, std::forward<Args>(args)...); }

    bool operator==(const TMethod&) const noexcept = default;

private:
    // One instance per member function, so its address identifies the member.
    template <auto Member, class T>
    static R Call(void* object, Args... args) {
        return (static_cast<T*>(object)->*Member)(std::forward<Args>(args)...);
    }

    Code code_ = nullptr;
    void* data_ = nullptr;
};

using TNotifyEvent = TMethod<void(TObject* Sender)>;

// An ordered list of slots. A slot added twice is held twice.
template <class Method>
class TMethodList {
public:
    TMethodList() = default;
    TMethodList(const TMethodList&) = delete;
    TMethodList& operator=(const TMethodList&) = delete;

    void Add(const Method& M) { items_.push_back(M); }
    // Removes the most recently added slot equal to M.
    void Remove(const Method& M) {
        for (std::size_t i = items_.size(); i-- > 0;) {
            if (items_[i] == M) {
                Erase(i);
                return;
            }
        }
    }
    // Removes every slot equal to M.
    void RemoveAll(const Method& M) {
        for (std::size_t i = items_.size(); i-- > 0;)
            if (items_[i] == M) Erase(i);
    }
    int Count() const noexcept { return static_cast<int>(items_.size()); }
    bool Contains(const Method& M) const {
        return std::find(items_.begin(), items_.end(), M) != items_.end();
    }

    // Calls every slot in order of registration. The list is read afresh at
    // each step: a slot added by a slot is called in the same pass, one
    // removed before its turn is not, and a removal never makes another slot
    // miss its turn. An exception from a slot ends the pass.
    template <class... CallArgs>
    void CallInOrder(CallArgs&&... Args) {
        std::size_t next = 0;
        passes_.push_back(&next);
        struct PassEnd {
            std::vector<std::size_t*>& passes;
            ~PassEnd() { passes.pop_back(); }
        } passEnd{passes_};
        while (next < items_.size()) {
            const Method slot = items_[next++]; // a copy: the slot may remove itself
            slot(Args...);
        }
    }

    // Calls the slots newest first until Stop() holds. Slots added meanwhile
    // wait for the next pass; slots removed before their turn are skipped.
    template <class Stop, class... CallArgs>
    void CallNewestFirst(Stop&& StopNow, CallArgs&&... Args) {
        const std::vector<Method> snapshot = items_;
        for (std::size_t i = snapshot.size(); i-- > 0;) {
            if (!Contains(snapshot[i])) continue;
            snapshot[i](Args...);
            if (StopNow()) return;
        }
    }

private:
    void Erase(std::size_t Index) {
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(Index));
        // A pass whose next slot lies beyond the removed one moves back with it.
        for (std::size_t* next : passes_)
            if (*next > Index) --*next;
    }

    std::vector<Method> items_;
    std::vector<std::size_t*> passes_; // the position of every CallInOrder in progress
};

} // namespace marlinet::support
