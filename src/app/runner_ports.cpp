#include "app/runner_ports.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <pthread.h>
#include <thread>
#include <tuple>
#include <unistd.h>

#include "interpreter/errors.h"
#include "interpreter/version.h"
#include "support/version.h"

namespace marlinet::runner {

using machine::EndReason;

machine::Board make_board(const BoardSettings& settings) {
    machine::Board board;
    for (int i = 0; i < 4; ++i)
        board.set_input(i + 1, settings.inputs[static_cast<std::size_t>(i)]);
    board.set_input(machine::Board::kRxBit, settings.rx);
    board.set_adc_text(machine::AdcChannel::Adc1, settings.adc1);
    board.set_adc_text(machine::AdcChannel::Adc2, settings.adc2);
    return board;
}

std::string version_text() {
    return std::string("marlinet-run ") + support::kVersion + " (interpreter " +
           basic::kInterpreterVersion + ")";
}

machine::VcdWriter::Header vcd_header() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char date[64] = "";
    if (::localtime_r(&now, &local)) std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", &local);
    return {date, version_text()};
}

RunOutputs::RunOutputs(std::FILE* transcript, std::FILE* vcd, const machine::Board& board) {
    if (transcript) transcript_.emplace(transcript);
    if (vcd)
        vcd_.emplace(vcd, vcd_header(), machine::levels_at_start(machine::board_outputs(board)));
    sinks_.add(transcript_ ? &*transcript_ : nullptr);
    sinks_.add(vcd_ ? &*vcd_ : nullptr);
}

namespace {

constexpr const char* kTranscript = "transcript";
constexpr const char* kVcd = "value change dump";

} // namespace

std::optional<std::string> OutputFiles::open(const std::string& transcript,
                                             const std::string& vcd) {
    transcript_name_ = transcript;
    vcd_name_ = vcd;
    for (const auto& [name, file, what] :
         {std::tuple{&transcript_name_, &transcript_, kTranscript}, {&vcd_name_, &vcd_, kVcd}}) {
        if (name->empty()) continue;
        file->reset(std::fopen(name->c_str(), "wb"));
        if (!*file)
            return std::string("cannot write the ") + what + " " + *name + ": " +
                   std::strerror(errno);
    }
    return std::nullopt;
}

std::optional<std::string> OutputFiles::close(bool transcript_written, bool vcd_written) {
    std::optional<std::string> message;
    for (const auto& [name, file, what, written] :
         {std::tuple{&transcript_name_, &transcript_, kTranscript, transcript_written},
          {&vcd_name_, &vcd_, kVcd, vcd_written}}) {
        if (!*file) continue;
        const bool closed = std::fclose(file->release()) == 0;
        if ((!closed || !written) && !message)
            message = std::string("could not finish writing the ") + what + " " + *name;
    }
    return message;
}

namespace {

// SIGUSR1 tells the watcher to stop.
sigset_t watched_signals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGUSR1);
    return set;
}

} // namespace

InterruptWatcher::InterruptWatcher(machine::Cancellation& cancel) {
    const sigset_t set = watched_signals();
    ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
    thread_ = std::thread([set, &cancel] {
        for (int interrupts = 0;;) {
            int signal = 0;
            if (::sigwait(&set, &signal) != 0 || signal != SIGINT) return;
            // The second Ctrl+C is for a run that cannot stop.
            if (interrupts++ > 0) std::_Exit(130);
            cancel.request();
        }
    });
}

InterruptWatcher::~InterruptWatcher() {
    ::pthread_kill(thread_.native_handle(), SIGUSR1);
    thread_.join();
}

void StdioConsole::print(std::string_view text) {
    for (char c : text)
        if (c != '\r') std::fputc(static_cast<unsigned char>(c), out_);
}

std::optional<unsigned char> StdioConsole::read_byte() {
    for (;;) {
        if (cancel_.requested()) host_->end(EndReason::Interrupted);
        pollfd fds[2] = {{input_fd_, POLLIN, 0}, {wake_fd_, POLLIN, 0}};
        if (::poll(fds, wake_fd_ >= 0 ? 2 : 1, -1) < 0 && errno != EINTR) return std::nullopt;
        if (cancel_.requested()) host_->end(EndReason::Interrupted);
        if (fds[0].revents == 0) continue;
        unsigned char byte;
        const ssize_t got = ::read(input_fd_, &byte, 1);
        if (got == 1) return byte;
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        return std::nullopt; // the end of the input, or an input that cannot be read
    }
}

machine::Answer StdioConsole::read_answer(machine::InputForm form, std::string& text) {
    std::fflush(out_); // the prompt must be visible before we wait
    text.clear();
    if (form == machine::InputForm::Key) {
        const std::optional<unsigned char> byte = read_byte();
        if (!byte) host_->end(EndReason::InputEnded);
        text.push_back(static_cast<char>(*byte));
        return machine::Answer::Typed;
    }
    // The line up to LF; MachineHost keeps what an INPUT takes of it. A line
    // is kept up to 1 MiB: the rest is read and dropped.
    constexpr std::size_t kLineKept = 1 << 20;
    for (bool any = false;;) {
        const std::optional<unsigned char> byte = read_byte();
        if (!byte) {
            if (!any) host_->end(EndReason::InputEnded);
            break; // a last line without a line break still counts
        }
        any = true;
        if (*byte == '\n') break;
        if (text.size() < kLineKept) text.push_back(static_cast<char>(*byte));
    }
    return machine::Answer::Typed;
}

void RunnerControl::checkpoint(machine::MachineHost& host) {
    if (cancel_.requested()) host.end(EndReason::Interrupted);
    // STOP cannot pause here (nobody could resume): go on as if Run had been
    // pressed.
    RunControl::checkpoint(host);
    if (options_.max_statements && host.interpreter().statements() >= *options_.max_statements)
        host.end(EndReason::Limit);
    if (options_.trace) std::fprintf(trace_, "line %d\n", host.line());
}

void RunnerControl::delay(machine::MachineHost& host, int milliseconds) {
    host.clock().delay(milliseconds);
    if (cancel_.requested()) host.end(EndReason::Interrupted);
}

void RunnerControl::finished(machine::MachineHost& host, EndReason reason) {
    if (reason != EndReason::Error) return;
    std::fflush(out_);
    const basic::Interpreter& interpreter = host.interpreter();
    const std::string text =
        basic::error_status_text(interpreter.error_number(), interpreter.error_line());
    std::fprintf(trace_, "%s\n", text.c_str());
}

} // namespace marlinet::runner
