// Event slots: an object and one of its member functions, called only when
// assigned. Two slots are equal when they hold the same object and the same
// function, which is what removal from a listener chain compares.
#pragma once

#include <utility>

#include "editor/types.h"

namespace marlinet::editor {

template <class Signature>
class TMethod;

template <class R, class... Args>
class TMethod<R(Args...)> {
public:
    // The code half of a slot: receives the data half as its first argument.
    using Code = R (*)(void*, Args...);

    constexpr TMethod() = default;
    constexpr TMethod(Code code, void* data) : code_(code), data_(data) {}

    // A slot calling (object->*Member)(args...).
    template <auto Member, class T>
    static TMethod Of(T* object) {
        return TMethod(&Call<Member, T>, object);
    }

    explicit operator bool() const { return code_ != nullptr; }
    R operator()(Args... args) const { return code_(data_, std::forward<Args>(args)...); }

    Code code() const { return code_; }
    void* data() const { return data_; }

    bool operator==(const TMethod&) const = default;

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

} // namespace marlinet::editor
