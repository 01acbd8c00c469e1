// The BASIC interpreter: runs a program straight from its text, one
// statement at a time, re-reading every token each time it executes. A read
// from a position where one has started before is a look-up in the token
// memo (token_memo.h), so re-reading costs little.
//
// All state of a run lives in one Interpreter object; the memo is allocated
// when the program is set, and nothing is allocated while a run executes.
// run_program is meant to be the body of the interpreter thread; a run ends
// by unwinding back to it.
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
#include <string_view>

#include "interpreter/host.h"
#include "interpreter/program_buffer.h"
#include "interpreter/run_state.h"
#include "interpreter/token.h"
#include "interpreter/token_memo.h"

namespace marlinet::basic {

class Interpreter {
public:
    static constexpr int kVariableCount = 26;
    static constexpr int kLabelCount = 40;
    static constexpr int kForDepth = 5;
    static constexpr int kGosubDepth = 4;
    static constexpr int kMaxParenthesisDepth = 64;

    explicit Interpreter(Host& host);
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // Replaces the program and allocates its token memo (about 12 bytes per
    // program byte). Never while a run executes.
    void set_program(ProgramBuffer program);
    const ProgramBuffer& program() const noexcept { return program_; }
    // Bytes held by the token memo of the current program.
    std::size_t memo_memory() const noexcept { return memo_.memory(); }

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
    // The line holding the first character of the token at which the error
    // was found (an end of line belongs to the line it ends); the line of the
    // program pointer when no token had been read.
    int error_line() const noexcept { return error_line_.load(std::memory_order_relaxed); }
    void clear_error() noexcept { error_number_.store(-1, std::memory_order_release); }

    // Statements started in the current or last run (checkpoints passed).
    // Interpreter thread, or after the run has ended.
    std::uint64_t statements() const noexcept { return statements_; }

    // ---- program text and tokens ----
    // Reads the next token and moves the program pointer past it.
    TokenType read_token() {
        DecodedToken* entry = &memo_.at(pc_);
        if (!entry->decoded()) [[unlikely]]
            entry = &decode_at_pointer();
        read_at_ = pc_;
        pc_ += entry->end;
        current_ = entry;
        return entry->token_type();
    }
    // Moves the program pointer back by the length of the current token's text.
    void unread_token() noexcept { pc_ -= current_->length; }
    // Moves the program pointer to the first character of the next line (or onto the final NUL).
    void skip_to_next_line() noexcept { pc_ = memo_.next_line(pc_); }
    // 0-based line holding a buffer offset: the number of CRs before it.
    int line_index_of(std::size_t position) const noexcept {
        return program_.line_index_of(position);
    }
    // The program pointer, as an offset into the program buffer.
    std::size_t position() const noexcept { return pc_; }
    // The 1-based line holding the current token's first character: at a
    // checkpoint, the line of the statement about to run.
    int current_line() const noexcept { return 1 + line_index_of(token_position()); }
    // The current token, text included.
    Token token() const;

    // ---- expressions ----
    // Reads one expression starting with the next token. On return the token
    // after it has been read and moved back over.
    void evaluate_expression(std::int16_t& result);

    // ---- control flow ----
    // Reports error `number` on the console and to the host and ends the run.
    [[noreturn, gnu::cold]] void raise_error(int number);
    void collect_labels();

private:
    struct Label {
        std::array<char, Token::kMaxLength + 1> text{};
        std::uint8_t length = 0;
        std::uint64_t head = 0; // the first eight characters, packed: a cheap first compare
        std::size_t position = 0;
    };
    // Open-addressed index over labels_, so that finding a label costs the
    // same wherever it stands in the table or in the program.
    static constexpr std::size_t kLabelSlots = 128; // power of two, over three times kLabelCount
    static std::size_t label_hash(std::string_view text) noexcept;
    // The slot holding `text`, or the free slot where it would go.
    std::size_t label_slot(std::string_view text) const noexcept;
    // Index into labels_ of the label with exactly this text; -1 when none.
    int label_index(std::string_view text) const noexcept;
    struct ForLoop {
        std::uint8_t variable = 0;
        std::int16_t target = 0;
        std::size_t loop_position = 0;
    };

    // Before a statement runs. Free-running, this is one relaxed load.
    void checkpoint() {
        if (checkpoint_always_ || run_state_.load(std::memory_order_relaxed) != RunState::Running)
            [[unlikely]]
            host_.host_checkpoint();
        ++statements_;
    }
    // The run's own moves (STOP, an error) never overwrite a request from the
    // window that the run must end (Reset request, Modified): a key pressed
    // just before must not be lost, nor a reset that a join is waiting on.
    void move_run_state(RunState next) noexcept;
    [[noreturn]] void end_of_program();
    [[noreturn, gnu::cold]] void raise_error_at(int number, std::size_t position);

    // tokens (tokenizer.cpp)
    const DecodedToken& current() const noexcept { return *current_; }
    char first() const noexcept { return current_->first; }
    TokenCode code() const noexcept { return current_->code; }
    // The memo entry for a read at the program pointer, decoded now if no read
    // has started there before. Raises the errors a scan can find.
    [[gnu::noinline]] DecodedToken& decode_at_pointer();
    // The current token's text: a view of the program, or for an identifier
    // of its lowercased copy (valid until the next call).
    std::string_view token_text();
    // Where the current token's first character stands; the program pointer
    // before the first read.
    std::size_t token_position() const noexcept;
    void forget_token() noexcept { current_ = &no_token_; }

    // expression levels (expressions.cpp)
    struct ExpressionReader;
    // Reads an expression; on return the token after it is current and read.
    std::int16_t expression();
    [[gnu::always_inline]] inline std::int16_t expression(ExpressionReader& r);
    // Reads IF's condition and tells whether it holds; on return the token
    // after it is current and read.
    bool comparison();
    [[gnu::always_inline]] inline std::int16_t sum(ExpressionReader& r);
    [[gnu::always_inline]] inline std::int16_t term(ExpressionReader& r);
    [[gnu::always_inline]] inline std::int16_t factor(ExpressionReader& r);
    [[gnu::always_inline]] inline std::int16_t atom(ExpressionReader& r);
    [[gnu::always_inline]] inline std::int16_t combine(char op, std::int16_t left,
                                                       std::int16_t right, ExpressionReader& r);
    [[gnu::noinline]] std::int16_t parenthesised();

    // statements (statements.cpp, io_statements.cpp)
    [[noreturn]] void statement_loop();
    void dispatch(TokenCode code);
    void assignment();
    // Reads a GOTO or GOSUB operand: the offset just after its label; error 7 if none.
    std::size_t label_operand();
    void goto_statement();
    void gosub_statement();
    void return_statement();
    void if_statement();
    void for_statement();
    void pass_over_loop_body();
    void next_statement();
    void print_statement();
    void print_value(bool as_character, int& column);
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
    TokenMemo memo_;
    std::size_t pc_ = 0;
    // The current token, and where the read that gave it started.
    DecodedToken* current_ = &no_token_;
    std::size_t read_at_ = 0;
    DecodedToken no_token_{.type = static_cast<std::uint8_t>(TokenType::None)};
    std::array<char, Token::kMaxLength + 1> identifier_text_{};
    int parenthesis_depth_ = 0;
    bool checkpoint_always_ = false;
    std::uint64_t statements_ = 0;

    std::array<Label, kLabelCount> labels_{};
    int label_count_ = 0;
    std::array<std::int8_t, kLabelSlots> label_slots_{}; // index into labels_, -1 when free
    std::array<ForLoop, kForDepth> for_stack_{};
    int for_count_ = 0;
    std::array<std::size_t, kGosubDepth> gosub_stack_{};
    int gosub_count_ = 0;

    std::array<std::atomic<std::int16_t>, kVariableCount> variables_{};
    std::atomic<RunState> run_state_{RunState::Idle};
    std::atomic<int> error_number_{-1};
    std::atomic<int> error_line_{0};
};

} // namespace marlinet::basic
