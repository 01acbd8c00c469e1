// A request to stop, shared between whoever asks (a signal watcher, the
// window's Stop) and the runs that must end. Safe to use from any thread.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

namespace marlinet::machine {

class Cancellation {
public:
    // Sets the request, wakes every wait and runs the callbacks (on the
    // calling thread). Later requests do nothing more.
    void request();
    bool requested() const noexcept { return requested_.load(std::memory_order_acquire); }
    // Waits `duration`, or less when the request comes; returns requested().
    bool wait_for(std::chrono::microseconds duration);
    // Runs Callback at the request (at once when it has come already), e.g.
    // to wake a wait that this class does not know.
    void on_request(std::function<void()> callback);

private:
    std::atomic<bool> requested_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::function<void()>> callbacks_;
};

} // namespace marlinet::machine
