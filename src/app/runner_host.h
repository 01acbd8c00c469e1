// The host of the headless runner: console on standard output, INPUT from
// standard input, the board as plain values set from the command line.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "interpreter/host.h"
#include "interpreter/interpreter.h"

namespace marlinet::runner {

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

// Why the host ended a run.
enum class HostEnd { None, Limit, InputEnded, Interrupted };

class RunnerHost final : public basic::Host {
public:
    RunnerHost(RunnerOptions options, std::FILE* out, std::FILE* trace, int input_fd);

    // Binds the host to the interpreter it serves; sets the checkpoint mode the options need.
    void attach(basic::Interpreter& interpreter) noexcept;

    HostEnd host_end() const noexcept { return host_end_; }
    const std::array<bool, 4>& outputs() const noexcept { return outputs_; }
    const std::optional<std::int16_t>& dac() const noexcept { return dac_; }
    bool adc2_selected() const noexcept { return adc2_selected_; }
    bool rx() const noexcept { return options_.board.rx; }

    // Makes Ctrl+C end the run: at the next statement, or at once while a
    // DELAY or an INPUT waits. A second Ctrl+C ends the process.
    static void install_interrupt_handler() noexcept;
    static bool interrupted() noexcept;

    int host_print(std::string_view text) override;
    std::string_view host_request_value() override;
    int host_request_key() override;
    void host_checkpoint() override;
    void host_end_of_run() override {}
    void host_report_error() override;
    void host_reset_variables() override {}
    std::optional<std::int32_t> host_read_adc() override;
    void host_write_dac(std::int16_t value) override { dac_ = value; }
    void host_set_output(int output) override;
    void host_clear_output(int output) override;
    void host_select_adc(bool adc2) override { adc2_selected_ = adc2; }
    bool host_test_input(std::uint8_t input) override;
    void host_delay(int milliseconds) override;

private:
    [[noreturn]] void end(HostEnd why);
    // One byte of standard input, or nothing at its end. Reads no more than
    // that byte, so whatever follows stays for the next reader.
    std::optional<unsigned char> read_byte();

    RunnerOptions options_;
    std::FILE* out_;
    std::FILE* trace_;
    int input_fd_;
    basic::Interpreter* interpreter_ = nullptr;
    HostEnd host_end_ = HostEnd::None;
    std::array<bool, 4> outputs_{};
    std::optional<std::int16_t> dac_;
    bool adc2_selected_ = false;
    std::string line_;
};

} // namespace marlinet::runner
