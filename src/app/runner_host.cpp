#include "app/runner_host.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>
#include <unistd.h>

#include "interpreter/errors.h"
#include "interpreter/numbers.h"

namespace marlinet::runner {
namespace {

std::atomic<bool> g_interrupted{false};
// The run state of the interpreter being run, so that an interrupt makes the
// next checkpoint call the host even while the program runs freely.
std::atomic<std::atomic<basic::RunState>*> g_run_state{nullptr};

static_assert(std::atomic<bool>::is_always_lock_free);
static_assert(std::atomic<basic::RunState>::is_always_lock_free);

constexpr std::size_t kMaxInputLength = 79;

} // namespace

RunnerHost::RunnerHost(RunnerOptions options, std::FILE* out, std::FILE* trace, int input_fd)
    : options_(std::move(options)), out_(out), trace_(trace), input_fd_(input_fd) {}

void RunnerHost::attach(basic::Interpreter& interpreter) noexcept {
    interpreter_ = &interpreter;
    interpreter.set_checkpoint_every_statement(options_.trace || options_.max_statements);
    g_run_state.store(&interpreter.run_state());
}

void RunnerHost::interrupt() noexcept {
    g_interrupted.store(true);
    if (auto* state = g_run_state.load()) state->store(basic::RunState::ResetRequest);
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
    if (input_begin_ == input_end_) {
        std::fflush(out_); // the prompt must be visible before we wait
        ssize_t got;
        while ((got = ::read(input_fd_, input_buffer_.data(), input_buffer_.size())) < 0) {
            if (errno != EINTR || interrupted()) break;
        }
        if (interrupted()) end(HostEnd::Interrupted);
        if (got <= 0) return std::nullopt;
        input_begin_ = 0;
        input_end_ = static_cast<std::size_t>(got);
    }
    return static_cast<unsigned char>(input_buffer_[input_begin_++]);
}

std::string_view RunnerHost::host_request_value() {
    line_.clear();
    bool any = false;
    for (;;) {
        const std::optional<unsigned char> byte = read_byte();
        if (!byte) {
            if (!any) end(HostEnd::InputEnded);
            break; // a last line without a line break still counts
        }
        any = true;
        if (*byte == '\n') break;
        line_.push_back(static_cast<char>(*byte));
    }
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    if (line_.size() > kMaxInputLength) line_.resize(kMaxInputLength);
    options_.board.rx = false;
    host_print(line_);
    host_print("\n");
    return line_;
}

int RunnerHost::host_request_key() {
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
