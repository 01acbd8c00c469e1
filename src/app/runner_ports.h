// The headless runner's side of a run: the console on standard output and
// standard input, the statement limit, the trace and the interruption. The
// board is a plain machine::Board set from the command line.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "machine/cancellation.h"
#include "machine/event_fanout.h"
#include "machine/machine_host.h"
#include "machine/ports.h"
#include "machine/transcript.h"
#include "machine/vcd_writer.h"

namespace marlinet::runner {

// "marlinet-run VERSION (interpreter DIALECT)", for --version and file headers.
std::string version_text();

struct BoardSettings {
    std::array<bool, 4> inputs{}; // input 1 first
    bool rx = false;
    std::string adc1 = "0";
    std::string adc2 = "0";
};

struct RunnerOptions {
    BoardSettings board;
    bool delay = true;
    std::optional<std::uint64_t> max_statements;
    bool trace = false;
};

machine::Board make_board(const BoardSettings& settings);

// The header of a value change dump written now.
machine::VcdWriter::Header vcd_header();

// The transcript and value change dump files named on the command line.
// Opened before anything runs, so that one that cannot be written is refused
// like a bad argument; closed once the run has finished writing them.
class OutputFiles {
public:
    // Opens each file with a name (an empty name opens none); the message for
    // the user when one cannot be opened.
    std::optional<std::string> open(const std::string& transcript, const std::string& vcd);
    std::FILE* transcript() const noexcept { return transcript_.get(); }
    std::FILE* vcd() const noexcept { return vcd_.get(); }
    // Closes both; the message for the user when one was not written whole,
    // as RunOutputs's finish said or as closing it showed.
    std::optional<std::string> close(bool transcript_written, bool vcd_written);

private:
    using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;
    std::string transcript_name_;
    std::string vcd_name_;
    File transcript_{nullptr, std::fclose};
    File vcd_{nullptr, std::fclose};
};

// The files a run writes its events to: a transcript, a value change dump of
// `board`'s signals, or both. The files stay the caller's.
class RunOutputs {
public:
    RunOutputs(std::FILE* transcript, std::FILE* vcd, const machine::Board& board);
    // Null when there is no file to write.
    machine::EventSink* sink() noexcept { return sinks_.empty() ? nullptr : &sinks_; }
    // Whether each output was written whole (true when it was not asked for).
    bool finish_transcript() { return !transcript_ || transcript_->flush(); }
    bool finish_vcd() { return !vcd_ || vcd_->finish(); }

private:
    std::optional<machine::TranscriptWriter> transcript_;
    std::optional<machine::VcdWriter> vcd_;
    machine::EventFanout sinks_;
};

// While it lives, Ctrl+C requests `cancel` instead of ending the process; a
// second Ctrl+C ends it. Make it before any other thread starts: SIGINT is
// blocked in the calling thread, and so in every thread started after, and
// taken by the watcher's own thread.
class InterruptWatcher {
public:
    explicit InterruptWatcher(machine::Cancellation& cancel);
    ~InterruptWatcher();
    InterruptWatcher(const InterruptWatcher&) = delete;
    InterruptWatcher& operator=(const InterruptWatcher&) = delete;

private:
    std::thread thread_;
};

class StdioConsole final : public machine::ConsolePort {
public:
    // `wake_fd` becomes readable when the run is cancelled (-1: none).
    StdioConsole(std::FILE* out, int input_fd, int wake_fd, const machine::Cancellation& cancel)
        : out_(out), input_fd_(input_fd), wake_fd_(wake_fd), cancel_(cancel) {}
    void attach(machine::MachineHost& host) { host_ = &host; }

    void print(std::string_view text) override;
    machine::Answer read_answer(machine::InputForm form, std::string& text) override;

private:
    // One byte of standard input, or nothing at its end. Reads no more than
    // that byte, so whatever follows stays for the next reader.
    std::optional<unsigned char> read_byte();

    std::FILE* out_;
    int input_fd_;
    int wake_fd_;
    const machine::Cancellation& cancel_;
    machine::MachineHost* host_ = nullptr;
};

class RunnerControl final : public machine::RunControl {
public:
    RunnerControl(const RunnerOptions& options, std::FILE* out, std::FILE* trace,
                  const machine::Cancellation& cancel)
        : options_(options), out_(out), trace_(trace), cancel_(cancel) {}

    void checkpoint(machine::MachineHost& host) override;
    void delay(machine::MachineHost& host, int milliseconds) override;
    void finished(machine::MachineHost& host, machine::EndReason reason) override;

private:
    const RunnerOptions& options_;
    std::FILE* out_;
    std::FILE* trace_;
    const machine::Cancellation& cancel_;
};

} // namespace marlinet::runner
