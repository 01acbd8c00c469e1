#include "workbench/window_queue.h"

namespace marlinet::workbench {

namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};

// Calls Use on the text view of the event, when it has one.
template <class F>
void WithText(machine::IoPayload& What, F Use) {
    std::visit(Overloaded{[&](machine::io::Print& p) { Use(p.text); },
                          [&](machine::io::AdcRead& p) { Use(p.text); },
                          [&](machine::io::InputAnswer& p) { Use(p.text); }, [](auto&) {}},
               What);
}

} // namespace

post::Event post::Event::Keep(const machine::IoEvent& Event) {
    post::Event kept{Event, {}};
    WithText(kept.Stored.what, [&](std::string_view& Text) {
        kept.Text.assign(Text);
        Text = {};
    });
    return kept;
}

machine::IoEvent post::Event::View() const {
    machine::IoEvent event = Stored;
    WithText(event.what, [&](std::string_view& Text) { Text = this->Text; });
    return event;
}

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

void TWindowQueue::PostText(const machine::IoEvent& Stamp, std::string_view Text,
                            const std::function<bool()>& Abandon) {
    if (Text.empty()) return;
    std::unique_lock lock(mutex_);
    WaitForRoom(lock, Abandon);
    auto* last = items_.empty() ? nullptr : std::get_if<post::Event>(&items_.back());
    if (last && std::holds_alternative<machine::io::Print>(last->Stored.what) &&
        last->Text.size() < kTextChunk) {
        last->Text.append(Text);
    } else {
        post::Event event{Stamp, std::string(Text)};
        event.Stored.what = machine::io::Print{};
        items_.push_back(std::move(event));
    }
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
    if (const auto* event = std::get_if<post::Event>(&item))
        if (std::holds_alternative<machine::io::Print>(event->Stored.what))
            pendingText_ -= event->Text.size();
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
