// The BASIC interpreter: runs a program straight from its text, one
// statement at a time, re-reading every token each time it executes.
//
// All state of a run lives in one Interpreter object of fixed size; nothing
// is allocated while a run executes. run_program is meant to be the body of
// the interpreter thread; a run ends by unwinding back to it.
//
// Thread contract: only the interpreter thread calls the tokenizer,
// expression and statement operations. The variables, the run state, the
// error number and the error line are atomics that the window thread may read
// (and, for variables and run state, write) while a run executes.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "interpreter/host.h"
#include "interpreter/program_buffer.h"
#include "interpreter/run_state.h"
#include "interpreter/token.h"

namespace marlinet::basic {

class Interpreter {
public:
    static constexpr int kVariableCount = 26;
    static constexpr int kLabelCount = 40;
    static constexpr int kForDepth = 5;
    static constexpr int kGosubDepth = 4;
    static constexpr int kMaxParenthesisDepth = 64;

    explicit Interpreter(Host& host) noexcept;
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // Replaces the program. Never while a run executes.
    void set_program(ProgramBuffer program) noexcept;
    const ProgramBuffer& program() const noexcept { return program_; }

    // When set, host_checkpoint is called before every statement, not only
    // while the run state is other than Running. Set before a run starts.
    void set_checkpoint_every_statement(bool every) noexcept { checkpoint_always_ = every; }

    // The interpreter thread's body: zeroes the variables, collects the
    // labels and executes statements until the run ends. Returns how it ended.
    RunEnd run_program();

    // ---- state shared with the window thread ----
    std::atomic<RunState>& run_state() noexcept { return run_state_; }
    std::int16_t variable(int index) const noexcept {
        return variables_[static_cast<std::size_t>(index)].load(std::memory_order_relaxed);
    }
    void set_variable(int index, std::int16_t value) noexcept {
        variables_[static_cast<std::size_t>(index)].store(value, std::memory_order_relaxed);
    }
    // -1 while there is no error. Read it before error_line: it is stored last.
    int error_number() const noexcept { return error_number_.load(std::memory_order_acquire); }
    int error_line() const noexcept { return error_line_.load(std::memory_order_relaxed); }
    void clear_error() noexcept { error_number_.store(-1, std::memory_order_release); }

    // Statements started in the current or last run (checkpoints passed).
    // Interpreter thread, or after the run has ended.
    std::uint64_t statements() const noexcept { return statements_; }

    // ---- program text and tokens ----
    // Reads the next token into token() and moves the program pointer past it.
    TokenType read_token() {
        // The token is a function of where reading starts: reading again from
        // the current token's first character, which is where unread_token
        // leaves the pointer, gives it again unchanged.
        if (pc_ == token_start_) {
            pc_ = token_end_;
            return token_.type;
        }
        return scan_token();
    }
    // Moves the program pointer back by the length of the current token's text.
    void unread_token() noexcept { pc_ -= token_.length; }
    // Moves the program pointer to the first character of the next line (or onto the final NUL).
    void skip_to_next_line() noexcept;
    // 0-based line holding a buffer offset: the number of CRs before it.
    int line_index_of(std::size_t position) const noexcept {
        return program_.line_index_of(position);
    }
    std::size_t position() const noexcept {
        return static_cast<std::size_t>(pc_ - program_.data());
    }
    const Token& token() const noexcept { return token_; }

    // ---- expressions ----
    // Reads one expression starting with the next token. On return the token
    // after it has been read and moved back over.
    void evaluate_expression(std::int16_t& result);

    // ---- control flow ----
    // Reports error `number` on the console and to the host and ends the run.
    [[noreturn, gnu::cold]] void raise_error(int number);
    void collect_labels();
    // Offset just after the label with exactly this text.
    std::optional<std::size_t> find_label(std::string_view text) const noexcept;

private:
    struct Label {
        std::array<char, Token::kMaxLength + 1> text{};
        std::uint8_t length = 0;
        std::uint64_t head = 0; // the first eight characters, packed: a cheap first compare
        const char* position = nullptr;
    };
    // Open-addressed index over labels_, so that finding a label costs the
    // same wherever it stands in the table or in the program.
    static constexpr std::size_t kLabelSlots = 128; // power of two, over three times kLabelCount
    static std::size_t label_hash(std::string_view text) noexcept;
    // The slot holding `text`, or the free slot where it would go.
    std::size_t label_slot(std::string_view text) const noexcept;
    struct ForLoop {
        std::uint8_t variable = 0;
        std::int16_t target = 0;
        const char* loop_position = nullptr;
    };

    // Before a statement runs. Free-running, this is one relaxed load.
    void checkpoint() {
        if (checkpoint_always_ || run_state_.load(std::memory_order_relaxed) != RunState::Running)
            [[unlikely]]
            host_.host_checkpoint();
        ++statements_;
    }
    [[noreturn]] void end_of_program();
    [[noreturn, gnu::cold]] void raise_token_too_long(const char* at);
    TokenType scan_token();
    TokenType scan_at(const char* p);
    [[gnu::noinline]] TokenType scan_string(const char* p);
    [[gnu::noinline]] TokenType scan_long_identifier(const char* p, std::size_t length);
    void forget_token() noexcept { token_start_ = token_end_ = nullptr; }

    // expression levels (expressions.cpp)
    void sum(std::int16_t& result);
    void term(std::int16_t& result);
    void factor(std::int16_t& result);
    void atom(std::int16_t& result);
    std::int16_t divide(std::int32_t left, std::int32_t right, bool remainder);

    // statements (statements.cpp, board_statements.cpp)
    [[noreturn]] void statement_loop();
    void dispatch(TokenCode code);
    void assignment();
    void goto_statement();
    void gosub_statement();
    void return_statement();
    void if_statement();
    void for_statement();
    void next_statement();
    void print_statement();
    void input_statement();
    void adc_statement();
    void dac_statement();
    void setb_statement(bool set);
    void tstb_statement();
    void delay_statement();
    void scale_statement();
    // The variable the current token names by its first letter; error 4 if none.
    int current_variable();
    int variable_operand();
    int variable_operand_and_comma();
    void expect_comma();

    Host& host_;
    ProgramBuffer program_;
    const char* pc_ = nullptr;
    Token token_;
    // Where the current token starts and ends (see read_token); no position
    // while a token is being scanned, and for a String, whose unread leaves
    // the pointer inside it.
    const char* token_start_ = nullptr;
    const char* token_end_ = nullptr;
    int parenthesis_depth_ = 0;
    bool checkpoint_always_ = false;
    std::uint64_t statements_ = 0;

    std::array<Label, kLabelCount> labels_{};
    int label_count_ = 0;
    std::array<std::int8_t, kLabelSlots> label_slots_{}; // index into labels_, -1 when free
    std::array<ForLoop, kForDepth> for_stack_{};
    int for_count_ = 0;
    std::array<const char*, kGosubDepth> gosub_stack_{};
    int gosub_count_ = 0;

    std::array<std::atomic<std::int16_t>, kVariableCount> variables_{};
    std::atomic<RunState> run_state_{RunState::Idle};
    std::atomic<int> error_number_{-1};
    std::atomic<int> error_line_{0};
};

} // namespace marlinet::basic
