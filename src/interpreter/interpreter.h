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
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "interpreter/debugging.h"
#include "interpreter/host.h"
#include "interpreter/program_buffer.h"
#include "interpreter/run_state.h"
#include "interpreter/token.h"
#include "interpreter/token_memo.h"

namespace marlinet::basic {

class PauseMailbox;
struct PauseTable;
struct OneShotRequest;

class Interpreter {
public:
    static constexpr int kVariableCount = 26;
    static constexpr int kLabelCount = 40;
    static constexpr int kForDepth = 5;
    static constexpr int kGosubDepth = 4;
    static constexpr int kMaxParenthesisDepth = 64;

    explicit Interpreter(Host& host);
    ~Interpreter();
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
    // Calls host_checkpoint before the statement that starts once
    // `statements` statements have started (statements() equals it inside
    // the call), also while the run goes on freely. One request stands at a
    // time: a newer one replaces it; it is kept across runs until replaced.
    // Before a run, or on the run's thread from inside a host operation.
    void request_checkpoint_at(std::uint64_t statements) noexcept { checkpoint_at_ = statements; }

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

    // ---- debugging (debugger.cpp): pause lines, one-shot pauses, call stack, snapshots ----
    // A pause stops a run the way Stop does: before a statement, the run state
    // becomes Stop request and host_checkpoint is called.
    //
    // The window thread (the thread that calls set_program) may call the
    // four commands below at any time, also while a run executes; a change
    // takes effect by the next statement. Nothing is allocated on the run's
    // thread to carry it.

    // Replaces the pause lines; they stay set across runs and programs. A
    // pause line pauses on each arrival at its line (a statement on it runs
    // after one that is not an earlier statement of the same line; a RETURN
    // back into the line is not an arrival) when it is enabled, its condition
    // holds, and its hit count, if any, is reached. A condition that cannot
    // be evaluated pauses too (PauseReason::ConditionFailed); it never ends
    // the run. Throws std::invalid_argument, changing nothing, for lines the
    // mailbox refuses (see PauseMailbox::publish).
    void set_pause_lines(std::span<const PauseLine> lines);
    // One-shot pauses, gone at the next pause of any kind and at the end of
    // the run; a newer command replaces one not yet taken. Give the command
    // while the run is parked (or before it starts), then resume it with
    // Running. Run to line: pause at the next arrival at `line`. Step over:
    // pause at the next statement, except that a GOSUB runs until it has
    // returned. Step out: pause once the current subroutine has returned (at
    // the next statement when no GOSUB is open).
    void request_run_to_line(int line) noexcept;
    void request_step_over() noexcept;
    void request_step_out() noexcept;
    // Why the last pause of this run happened; PauseReason::None before the
    // first. Any thread.
    PauseCause last_pause() const noexcept;
    // The open GOSUBs and FOR loops. While the run is parked in
    // host_checkpoint (the park orders it), or while no run executes.
    CallStack call_stack() const noexcept;
    // The run's state before the statement whose host_checkpoint is in
    // progress: from inside host_checkpoint, or while the run is parked there.
    // Nothing at any other moment.
    std::optional<Snapshot> snapshot() const noexcept;
    // Goes on with a run from a snapshot of the program now set, instead of
    // starting it afresh: the statement it was taken before starts again
    // (host_checkpoint is called for it). Returns as run_program does. Throws
    // std::invalid_argument, before anything runs, for a snapshot of another
    // program or one that does not describe a state of this one.
    RunEnd resume_from(const Snapshot& snapshot);

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

    // Before a statement runs. Free-running, this is a look at the attention
    // map for the statement's position and at the run state.
    void checkpoint() {
        if (attention_map_.load(std::memory_order_relaxed)[read_at_] != 0 ||
            run_state_.load(std::memory_order_relaxed) != RunState::Running ||
            statements_ == checkpoint_at_) [[unlikely]]
            attend();
        ++statements_;
    }
    // The run's own moves (STOP, an error, a pause) never overwrite a request
    // from the window that the run must end (Reset request, Modified): a key
    // pressed just before must not be lost, nor a reset that a join is
    // waiting on. False when the state was left as it was.
    bool move_run_state(RunState next) noexcept;
    // run_program from the start, or resume_from a snapshot. Kept out of its
    // callers so that the statement loop is inlined into a function of its own.
    [[gnu::noinline]] RunEnd run(const Snapshot* from);
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
    // Reads a pause line's condition: a comparison and the end of its text.
    bool condition_holds();
    [[gnu::always_inline]] inline bool compare(ExpressionReader& r);
    [[gnu::always_inline]] inline std::int16_t sum(ExpressionReader& r);
    [[gnu::always_inline]] inline std::int16_t term(ExpressionReader& r);
    [[gnu::always_inline]] inline std::int16_t factor(ExpressionReader& r);
    [[gnu::always_inline]] inline std::int16_t atom(ExpressionReader& r);
    [[gnu::always_inline]] inline std::int16_t combine(char op, std::int16_t left,
                                                       std::int16_t right, ExpressionReader& r);
    [[gnu::noinline]] std::int16_t parenthesised();

    // debugging (debugger.cpp)
    enum PauseMark : std::uint8_t { kPauseLineMark = 1, kRunToMark = 2 };
    // A line marked for an enabled pause line, with its arrivals counted.
    struct MarkedLine {
        int line = 0;
        std::uint32_t entry = 0; // index in the mailbox's current table
        std::uint32_t hits = 0;  // arrivals that passed the condition
    };
    struct StepPause {
        bool active = false;
        PauseReason reason = PauseReason::None;
        int depth_limit = 0;    // pauses once the GOSUB depth is at most this
        std::uint64_t from = 0; // the statement at which the command was taken
    };
    // The last statement that ran on a marked line, to tell arrivals.
    struct LastMarked {
        std::uint64_t next_statement = UINT64_MAX;
        int line = 0;
        std::size_t position = 0;
    };
    struct ConditionOutcome {
        bool holds = false;
        int error = -1; // the interpreter error that stopped the evaluation; -1 for none
    };
    // The slow side of checkpoint: news from the window, pauses, the host.
    [[gnu::noinline]] void attend();
    [[gnu::noinline]] void begin_debugging();
    [[gnu::noinline]] void end_debugging() noexcept;
    [[gnu::noinline]] void take_news();
    void apply_table(const PauseTable& table);
    void apply_request(const OneShotRequest& request);
    void end_one_shots() noexcept;
    // Points the attention map at what the next statements need, and looks
    // for news that came meanwhile.
    [[gnu::noinline]] void settle_attention();
    void mark_line(int line, std::uint8_t mark, bool on) noexcept;
    PauseCause pause_due();
    bool arrives(int line) noexcept;
    PauseCause pause_line_due(int line);
    ConditionOutcome evaluate_condition(const PauseTable& table, std::uint32_t entry);
    int statement_line() const noexcept { return line_index_of(read_at_) + 1; }
    void restore(const Snapshot& snapshot);
    static std::uint64_t fingerprint(const ProgramBuffer& program) noexcept;

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
    std::uint64_t checkpoint_at_ = UINT64_MAX; // none

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

    // ---- debugging state ----
    // Per program position up to the first NUL: PauseMark bits of its line.
    std::vector<std::uint8_t> pause_map_;
    // The same size, every byte set: for statements that all need attend().
    std::vector<std::uint8_t> every_position_;
    // pause_map_ or every_position_; the window points it at every_position_
    // when it has news.
    std::atomic<const std::uint8_t*> attention_map_{nullptr};
    std::uint64_t program_fingerprint_ = 0;
    std::unique_ptr<PauseMailbox> mailbox_;
    std::array<MarkedLine, 128> marked_{};
    std::uint32_t marked_count_ = 0;
    int run_to_line_ = 0;
    StepPause step_;
    LastMarked last_marked_;
    // Where the last RETURN went back to. Only a RETURN starts a read there:
    // it is just past a GOSUB's label, where no jump or line leads.
    std::size_t returned_to_ = SIZE_MAX;
    bool in_host_checkpoint_ = false;
    std::atomic<std::uint64_t> last_pause_{0}; // a packed PauseCause
    // Conditions are read from their own program text, swapped in for the
    // evaluation; condition_key_ tells which one it holds (table generation,
    // entry).
    ProgramBuffer condition_program_;
    TokenMemo condition_memo_;
    std::uint64_t condition_key_ = 0;
    bool evaluating_condition_ = false;
};

} // namespace marlinet::basic
