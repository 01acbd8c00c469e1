#include "workbench/window_queue.h"

namespace marlinet::workbench {

TWindowQueue::TWindowQueue(std::function<void()> Wake) : wake_(std::move(Wake)) {}

void TWindowQueue::WakeIfIdle(std::unique_lock<std::mutex>& Lock) {
    const bool wake = !wakePending_;
    wakePending_ = true;
    Lock.unlock();
    if (wake) wake_();
}

void TWindowQueue::Post(TWindowPost Item) {
    std::unique_lock lock(mutex_);
    items_.push_back(std::move(Item));
    WakeIfIdle(lock);
}

void TWindowQueue::WaitForRoom(std::unique_lock<std::mutex>& Lock,
                               const std::function<bool()>& Abandon) {
    // Abandon is asked with the lock held: a run told to end after the look
    // has its Interrupt counted before the wait, which then returns.
    while (Full() && !Abandon()) {
        const std::uint64_t seen = interrupts_;
        room_.wait(Lock, [&] { return !Full() || interrupts_ != seen; });
    }
}

void TWindowQueue::PostWaiting(TWindowPost Item, const std::function<bool()>& Abandon) {
    std::unique_lock lock(mutex_);
    WaitForRoom(lock, Abandon);
    items_.push_back(std::move(Item));
    WakeIfIdle(lock);
}

void TWindowQueue::PostText(std::string_view Text, const std::function<bool()>& Abandon) {
    if (Text.empty()) return;
    std::unique_lock lock(mutex_);
    WaitForRoom(lock, Abandon);
    auto* last = items_.empty() ? nullptr : std::get_if<post::Print>(&items_.back());
    if (last && last->Text.size() < kTextChunk)
        last->Text.append(Text);
    else
        items_.push_back(post::Print{std::string(Text)});
    pendingText_ += Text.size();
    WakeIfIdle(lock);
}

void TWindowQueue::Interrupt() {
    {
        std::lock_guard lock(mutex_);
        ++interrupts_;
    }
    room_.notify_all();
}

std::optional<TWindowPost>
TWindowQueue::Pop(const std::function<bool(const post::Request&)>& TakeRequest) {
    std::unique_lock lock(mutex_);
    if (items_.empty()) {
        wakePending_ = false;
        return std::nullopt;
    }
    const auto* request = std::get_if<post::Request>(&items_.front());
    if (request && TakeRequest && !TakeRequest(*request)) return std::nullopt;
    const bool wasFull = Full();
    TWindowPost item = std::move(items_.front());
    items_.pop_front();
    if (const auto* print = std::get_if<post::Print>(&item)) pendingText_ -= print->Text.size();
    lock.unlock();
    if (wasFull) room_.notify_all();
    return item;
}

void TWindowQueue::WakeAgain() {
    {
        std::lock_guard lock(mutex_);
        wakePending_ = true;
    }
    wake_();
}

std::size_t TWindowQueue::Size() const {
    std::lock_guard lock(mutex_);
    return items_.size();
}

} // namespace marlinet::workbench
