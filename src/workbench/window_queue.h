// The ordered mailbox from the interpreter thread to the window thread.
//
// The interpreter thread never touches a widget: everything it shows is
// posted here, in the order it happened, and the window thread applies it.
// Printed text is merged into chunks, and the window thread is woken once
// for whatever has piled up since it last looked, so a program printing in a
// tight loop cannot flood the window's event queue.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "machine/io_event.h"
#include "workbench/board_model.h"
#include "workbench/input_mode.h"
#include "workbench/run_view.h"
#include "workbench/variable_values.h"

namespace marlinet::workbench {

namespace post {
// What the run did, as the run model reports it (machine/io_event.h). The
// event's text views are empty here: the text is kept in Text, and View()
// points them at it. Printed text is merged into one such event per chunk.
struct Event {
    machine::IoEvent Stored;
    std::string Text;

    // The event with its text copied into Text.
    static Event Keep(const machine::IoEvent& Event);
    machine::IoEvent View() const;
};
// An ADC read trimmed the field's text.
struct ShowTrimmedAdcText {
    AdcReading Reading;
};
// The run has started: its variables are all 0.
struct Started {};
// The run is parked before a statement.
struct Paused {
    TRunPause Pause;
};
// An INPUT statement waits for the answer to request Serial.
struct Request {
    TInputMode Mode;
    std::uint64_t Serial;
};
// The last three messages of a run name it, so that one from a run that has
// been joined already is known.
struct EndOfRun {
    std::uint64_t Run;
    TVariableValues Variables;
};
struct Error {
    std::uint64_t Run;
};
// The interpreter thread has returned and may be joined.
struct Finished {
    std::uint64_t Run;
};
} // namespace post

using TWindowPost = std::variant<post::Event, post::ShowTrimmedAdcText, post::Started, post::Paused,
                                 post::Request, post::EndOfRun, post::Error, post::Finished>;

class TWindowQueue {
public:
    // Printed text is cut into chunks of about this size, so the window
    // thread can stop between two of them and stay responsive.
    static constexpr std::size_t kTextChunk = 8 * 1024;
    // A program's posts wait while this much text, or this many items, are
    // still undelivered: the window's backlog, and with it memory and the
    // time until a Stop shows, stays bounded however fast a program prints
    // or switches lamps.
    static constexpr std::size_t kMaxPendingText = 24 * 1024;
    static constexpr std::size_t kMaxPendingItems = 4096;

    // Wake asks the window thread to deliver soon; it is called from the
    // posting thread, without a lock held, only when no delivery is pending.
    explicit TWindowQueue(std::function<void()> Wake);

    // Any thread. Never waits: for the messages that end a run or ask for
    // input, which the window thread may be waiting for.
    void Post(TWindowPost Item);
    // What a statement shows. While the backlog is full it waits for the
    // window thread to take some, unless Abandon returns true (asked again
    // after each Interrupt): a run that must end does not wait.
    void PostWaiting(TWindowPost Item, const std::function<bool()>& Abandon);
    // The same for printed text, which is appended to the last printing
    // event (or starts a new one, stamped as Stamp).
    void PostText(const machine::IoEvent& Stamp, std::string_view Text,
                  const std::function<bool()>& Abandon);
    // Wakes a PostText waiting for room, so that it asks Abandon again.
    void Interrupt();

    // Window thread. The next item, or nothing when the queue is empty (the
    // next Post then wakes the window again). An INPUT request at the front
    // for which TakeRequest, when given, returns false is left there, and
    // nothing is returned.
    std::optional<TWindowPost>
    Pop(const std::function<bool(const post::Request&)>& TakeRequest = {});
    // The window stopped delivering with items left: wake it again.
    void WakeAgain();
    std::size_t Size() const;

private:
    void WakeIfIdle(std::unique_lock<std::mutex>& Lock);
    bool Full() const {
        return pendingText_ >= kMaxPendingText || items_.size() >= kMaxPendingItems;
    }
    void WaitForRoom(std::unique_lock<std::mutex>& Lock, const std::function<bool()>& Abandon);

    std::function<void()> wake_;
    mutable std::mutex mutex_;
    std::condition_variable room_;
    std::deque<TWindowPost> items_;
    std::size_t pendingText_ = 0;
    std::uint64_t interrupts_ = 0;
    // A delivery has been asked for and has not yet found the queue empty.
    bool wakePending_ = false;
};

} // namespace marlinet::workbench
