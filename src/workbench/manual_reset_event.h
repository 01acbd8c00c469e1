// A manual-reset event: once set it stays set, releasing every waiter, until
// it is reset. Safe to use from any thread.
#pragma once

#include <condition_variable>
#include <mutex>

namespace marlinet::workbench {

class TManualResetEvent {
public:
    void Set() {
        {
            std::lock_guard lock(mutex_);
            set_ = true;
        }
        changed_.notify_all();
    }
    void Reset() {
        std::lock_guard lock(mutex_);
        set_ = false;
    }
    // Returns at once while the event is set.
    void Wait() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return set_; });
    }
    bool IsSet() const {
        std::lock_guard lock(mutex_);
        return set_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool set_ = false;
};

} // namespace marlinet::workbench
