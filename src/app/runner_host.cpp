#include "app/runner_host.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

#include "interpreter/errors.h"
#include "interpreter/numbers.h"

namespace marlinet::runner {
namespace {

std::atomic<bool> g_interrupted{false};
// Written by the interrupt handler so that a wait on standard input wakes
// even when the signal arrives just before the wait begins.
int g_wake_read = -1;
int g_wake_write = -1;
// The run state of the interpreter being run, so that an interrupt makes the
// next checkpoint call the host even while the program runs freely.
std::atomic<std::atomic<basic::RunState>*> g_run_state{nullptr};

static_assert(std::atomic<bool>::is_always_lock_free);
static_assert(std::atomic<basic::RunState>::is_always_lock_free);

} // namespace

RunnerHost::RunnerHost(RunnerOptions options, std::FILE* out, std::FILE* trace, int input_fd)
    : options_(std::move(options)), out_(out), trace_(trace), input_fd_(input_fd) {}

void RunnerHost::attach(basic::Interpreter& interpreter) noexcept {
    interpreter_ = &interpreter;
    interpreter.set_checkpoint_every_statement(options_.trace || options_.max_statements);
    g_run_state.store(&interpreter.run_state());
}

namespace {

void on_interrupt(int) {
    const int saved_errno = errno;
    g_interrupted.store(true);
    if (auto* state = g_run_state.load()) state->store(basic::RunState::ResetRequest);
    if (g_wake_write >= 0) [[maybe_unused]]
        auto written = ::write(g_wake_write, "!", 1);
    errno = saved_errno;
}

} // namespace

void RunnerHost::install_interrupt_handler() noexcept {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        g_wake_read = fds[0];
        g_wake_write = fds[1];
    }
    struct sigaction action {};
    action.sa_handler = on_interrupt;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a blocked call returns to see the interrupt. SA_RESETHAND:
    // a second Ctrl+C takes the default action, for a run that cannot stop.
    action.sa_flags = SA_RESETHAND;
    ::sigaction(SIGINT, &action, nullptr);
}

bool RunnerHost::interrupted() noexcept {
    return g_interrupted.load();
}

void RunnerHost::end(HostEnd why) {
    host_end_ = why;
    basic::end_run();
}

int RunnerHost::host_print(std::string_view text) {
    int visible = 0;
    for (char c : text) {
        if (c == '\r') continue;
        std::fputc(static_cast<unsigned char>(c), out_);
        if (c != '\n') ++visible;
    }
    return visible;
}

std::optional<unsigned char> RunnerHost::read_byte() {
    for (;;) {
        if (interrupted()) end(HostEnd::Interrupted);
        pollfd fds[2] = {{input_fd_, POLLIN, 0}, {g_wake_read, POLLIN, 0}};
        if (::poll(fds, g_wake_read >= 0 ? 2 : 1, -1) < 0 && errno != EINTR) return std::nullopt;
        if (interrupted()) end(HostEnd::Interrupted);
        if (fds[0].revents == 0) continue;
        unsigned char byte;
        const ssize_t got = ::read(input_fd_, &byte, 1);
        if (got == 1) return byte;
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        return std::nullopt; // the end of the input, or an input that cannot be read
    }
}

std::string_view RunnerHost::host_request_value() {
    std::fflush(out_); // the prompt must be visible before we wait
    line_.clear();
    bool any = false;
    bool after_nul = false;
    for (;;) {
        const std::optional<unsigned char> byte = read_byte();
        if (!byte) {
            if (!any) end(HostEnd::InputEnded);
            break; // a last line without a line break still counts
        }
        any = true;
        if (*byte == '\n') break;
        // Every CR is dropped, wherever it stands; the first NUL ends the
        // text; past 79 characters the rest of the line is read and dropped.
        if (*byte == '\r') continue;
        after_nul = after_nul || *byte == '\0';
        if (!after_nul && line_.size() < basic::kMaxInputLength)
            line_.push_back(static_cast<char>(*byte));
    }
    options_.board.rx = false;
    host_print(line_);
    host_print("\n");
    return line_;
}

int RunnerHost::host_request_key() {
    std::fflush(out_);
    const std::optional<unsigned char> byte = read_byte();
    if (!byte) end(HostEnd::InputEnded);
    options_.board.rx = false;
    return *byte;
}

void RunnerHost::host_checkpoint() {
    if (interrupted()) end(HostEnd::Interrupted);
    // STOP cannot pause here (nobody could resume): go on as if Run had been
    // pressed. The exchange fails, keeping the interrupt's state, if an
    // interrupt arrived since the test above.
    auto state = basic::RunState::StopRequest;
    interpreter_->run_state().compare_exchange_strong(state, basic::RunState::Running);
    if (options_.max_statements && interpreter_->statements() >= *options_.max_statements)
        end(HostEnd::Limit);
    if (options_.trace) {
        const int line = interpreter_->line_index_of(interpreter_->position()) + 1;
        std::fprintf(trace_, "line %d\n", line);
    }
}

void RunnerHost::host_report_error() {
    std::fflush(out_);
    const int number = interpreter_->error_number();
    const std::string_view message = basic::error_message(number);
    std::fprintf(trace_, "ERROR: %.*s in line %d\n", static_cast<int>(message.size()),
                 message.data(), interpreter_->error_line());
}

std::optional<std::int32_t> RunnerHost::host_read_adc() {
    return basic::parse_adc_text(adc2_selected_ ? options_.board.adc2 : options_.board.adc1);
}

void RunnerHost::host_set_output(int output) {
    outputs_[static_cast<std::size_t>(output - 1)] = true;
}

void RunnerHost::host_clear_output(int output) {
    outputs_[static_cast<std::size_t>(output - 1)] = false;
}

bool RunnerHost::host_test_input(std::uint8_t input) {
    if (input >= 1 && input <= 4) return options_.board.inputs[input - 1u];
    return input == 126 && options_.board.rx;
}

void RunnerHost::host_delay(int milliseconds) {
    if (!options_.delay) return;
    // Sleep in slices so that Ctrl+C does not wait for a long delay to pass.
    using clock = std::chrono::steady_clock;
    const auto until = clock::now() + std::chrono::milliseconds(milliseconds);
    for (auto now = clock::now(); now < until; now = clock::now()) {
        if (interrupted()) end(HostEnd::Interrupted);
        std::this_thread::sleep_for(
            std::min<clock::duration>(until - now, std::chrono::milliseconds(20)));
    }
    if (interrupted()) end(HostEnd::Interrupted);
}

} // namespace marlinet::runner
