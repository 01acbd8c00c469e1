// What the window thread and the interpreter thread share besides the
// interpreter's own atomics (run state, variables, error): the mailbox to the
// window, the resume, input and shutdown events, the INPUT answer, and the
// wake-up of a run that must end. Safe to use from either thread.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "interpreter/run_state.h"
#include "workbench/manual_reset_event.h"
#include "workbench/window_queue.h"

namespace marlinet::workbench {

// The answer to an INPUT request: typed by the user, or "0" when the user
// left the dialog with Stop & Exit (not typed: no echo).
struct TInputAnswer {
    std::string Text;
    bool Typed = true;
};

class TRunChannel {
public:
    // Wake: see TWindowQueue.
    explicit TRunChannel(std::function<void()> Wake) : Queue(std::move(Wake)) {}

    // A run in this state ends at its next chance: at the next statement, or
    // at once while it waits (DELAY, INPUT, a full mailbox or parked).
    static bool MustEnd(basic::RunState State) {
        return State == basic::RunState::ResetRequest || State == basic::RunState::Modified;
    }

    TWindowQueue Queue;
    TManualResetEvent Resume;   // releases a run parked at a checkpoint
    TManualResetEvent Input;    // releases a run waiting for an INPUT answer
    TManualResetEvent Shutdown; // the window is closing: no run starts any more

    // Window thread, after storing a state: makes every wait of the run look
    // at the state again. Resume, input, then the sleeps.
    void WakeRun();

    // Interpreter thread: waits Milliseconds, or less when State turns into
    // one that must end.
    void Sleep(int Milliseconds, const std::atomic<basic::RunState>& State);

    // ---- INPUT ----
    // Interpreter thread: a new request; resets the input event.
    std::uint64_t BeginRequest();
    // The answer to the pending request, once given; taking it closes the
    // request.
    std::optional<TInputAnswer> TakeAnswer();
    // The run ends without an answer: a late answer is refused.
    void AbandonRequest();
    // Window thread.
    bool IsPending(std::uint64_t Serial) const;
    // Stores the answer and sets the input event; false when Serial is not
    // the pending request.
    bool Answer(std::uint64_t Serial, std::string Text, bool Typed = true);

private:
    mutable std::mutex mutex_;
    std::condition_variable ending_;
    std::uint64_t serial_ = 0;
    std::uint64_t pending_ = 0; // 0: none
    std::optional<TInputAnswer> answer_;
};

} // namespace marlinet::workbench
