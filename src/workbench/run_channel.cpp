#include "workbench/run_channel.h"

#include <chrono>

namespace marlinet::workbench {

void TRunChannel::WakeRun() {
    Resume.Set();
    Input.Set();
    {
        // Taken so that a sleeper between its look at the state and its wait
        // cannot miss the notification.
        std::lock_guard lock(mutex_);
    }
    ending_.notify_all();
    Queue.Interrupt();
}

void TRunChannel::Sleep(int Milliseconds, const std::atomic<basic::RunState>& State) {
    if (Milliseconds <= 0) return;
    std::unique_lock lock(mutex_);
    ending_.wait_for(lock, std::chrono::milliseconds(Milliseconds),
                     [&] { return MustEnd(State.load()); });
}

std::uint64_t TRunChannel::BeginRequest() {
    // Reset before the request is posted, so that only its answer (or the
    // end of the run) releases the wait.
    Input.Reset();
    std::lock_guard lock(mutex_);
    pending_ = ++serial_;
    answer_.reset();
    return pending_;
}

std::optional<TInputAnswer> TRunChannel::TakeAnswer() {
    std::lock_guard lock(mutex_);
    if (!answer_) return std::nullopt;
    pending_ = 0;
    std::optional<TInputAnswer> answer = std::move(answer_);
    answer_.reset();
    return answer;
}

void TRunChannel::AbandonRequest() {
    std::lock_guard lock(mutex_);
    pending_ = 0;
    answer_.reset();
}

bool TRunChannel::IsPending(std::uint64_t Serial) const {
    std::lock_guard lock(mutex_);
    return Serial != 0 && Serial == pending_ && !answer_;
}

bool TRunChannel::Answer(std::uint64_t Serial, std::string Text, bool Typed) {
    {
        std::lock_guard lock(mutex_);
        if (Serial == 0 || Serial != pending_ || answer_) return false;
        answer_ = TInputAnswer{std::move(Text), Typed};
    }
    Input.Set();
    return true;
}

} // namespace marlinet::workbench
