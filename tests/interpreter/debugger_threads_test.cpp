// The debugger's commands from another thread while a run executes on its
// own, as the window gives them. Run under ThreadSanitizer by scripts/test.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "interpreter/interpreter.h"

namespace marlinet::basic {
namespace {

using namespace std::chrono_literals;

// Parks at a pause as the window's host does, until the test resumes it.
class ParkingHost : public Host {
public:
    Interpreter* interpreter = nullptr;

    int host_print(std::string_view text) override { return static_cast<int>(text.size()); }
    std::string_view host_request_value() override { return "0"; }
    int host_request_key() override { return 0; }
    void host_checkpoint() override {
        std::atomic<RunState>& state = interpreter->run_state();
        RunState seen = state.load();
        if (seen == RunState::StopRequest || seen == RunState::StepRequest) {
            std::unique_lock lock(mutex_);
            if (state.compare_exchange_strong(seen, RunState::Stopped)) {
                ++parks_;
                changed_.notify_all();
                changed_.wait(lock, [&] { return resumes_ == parks_; });
            }
        }
        if (state.load() == RunState::ResetRequest) end_run();
    }
    void host_end_of_run() override {}
    void host_report_error() override {}
    void host_reset_variables() override {}
    std::optional<std::int32_t> host_read_adc() override { return 0; }
    void host_write_dac(std::int16_t) override {}
    void host_set_output(int) override {}
    void host_clear_output(int) override {}
    void host_select_adc(bool) override {}
    bool host_test_input(std::uint8_t) override { return false; }
    void host_delay(int) override {}

    // Test thread.
    bool wait_parked(int parks) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 10s, [&] { return parks_ >= parks; });
    }
    void resume(RunState next) {
        std::lock_guard lock(mutex_);
        interpreter->run_state().store(next);
        resumes_ = parks_;
        changed_.notify_all();
    }
    int parks() {
        std::lock_guard lock(mutex_);
        return parks_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int parks_ = 0;
    int resumes_ = 0;
};

// Waits until variable A of a running program has grown by `by`.
bool a_grows(const Interpreter& in, int by) {
    const int start = in.variable(0);
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < deadline) {
        if (static_cast<std::int16_t>(in.variable(0) - start) >= by) return true;
        std::this_thread::sleep_for(1ms);
    }
    return false;
}

PauseLine at(int line) {
    PauseLine pause;
    pause.line = line;
    return pause;
}

TEST(DebuggerThreads, CommandsFromTheWindowThreadReachARunningProgram) {
    ParkingHost host;
    Interpreter in(host);
    host.interpreter = &in;
    in.set_program(ProgramBuffer::from_file_bytes("10 FOR I = 1 TO 3\n"
                                                  "GOSUB 100\n"
                                                  "NEXT\n"
                                                  "GOTO 10\n"
                                                  "100 A = A + 1\n"
                                                  "RETURN\n"));
    in.run_state().store(RunState::Running);
    RunEnd end = RunEnd::EndOfProgram;
    std::thread run([&] { end = in.run_program(); });

    // A pause line set while the program loops pauses it.
    ASSERT_TRUE(a_grows(in, 100));
    in.set_pause_lines(std::vector{at(5)});
    ASSERT_TRUE(host.wait_parked(1));
    EXPECT_EQ(in.last_pause(), (PauseCause{PauseReason::PauseLine, 5}));
    const CallStack stack = in.call_stack();
    EXPECT_EQ(stack.gosub_count, 1);
    EXPECT_EQ(stack.gosub_return_lines[0], 2);
    EXPECT_EQ(stack.for_count, 1);
    const std::optional<Snapshot> snapshot = in.snapshot();
    ASSERT_TRUE(snapshot.has_value());
    EXPECT_EQ(snapshot->variables[0], in.variable(0));

    // Step out, from the window thread while parked.
    in.request_step_out();
    host.resume(RunState::Running);
    ASSERT_TRUE(host.wait_parked(2));
    EXPECT_EQ(in.last_pause(), (PauseCause{PauseReason::StepOut, 3}));

    // Cleared, the program runs on freely.
    in.set_pause_lines(std::vector<PauseLine>{});
    host.resume(RunState::Running);
    ASSERT_TRUE(a_grows(in, 1000));
    EXPECT_EQ(host.parks(), 2);

    // Run to a line while running.
    in.request_run_to_line(3);
    ASSERT_TRUE(host.wait_parked(3));
    EXPECT_EQ(in.last_pause(), (PauseCause{PauseReason::RunToLine, 3}));

    host.resume(RunState::ResetRequest);
    run.join();
    EXPECT_EQ(end, RunEnd::Host);
}

} // namespace
} // namespace marlinet::basic
