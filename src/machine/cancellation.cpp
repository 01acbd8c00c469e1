#include "machine/cancellation.h"

namespace marlinet::machine {

void Cancellation::request() {
    std::vector<std::function<void()>> callbacks;
    {
        std::lock_guard lock(mutex_);
        if (requested_.exchange(true, std::memory_order_acq_rel)) return;
        callbacks.swap(callbacks_);
    }
    changed_.notify_all();
    for (auto& callback : callbacks)
        callback();
}

bool Cancellation::wait_for(std::chrono::microseconds duration) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, duration, [this] { return requested(); });
    return requested();
}

void Cancellation::on_request(std::function<void()> callback) {
    {
        std::lock_guard lock(mutex_);
        if (!requested()) {
            callbacks_.push_back(std::move(callback));
            return;
        }
    }
    callback();
}

} // namespace marlinet::machine
