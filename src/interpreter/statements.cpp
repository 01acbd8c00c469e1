// The run, the statement loop, control-flow statements, labels and errors.
#include <cstring>

#include "interpreter/errors.h"
#include "interpreter/interpreter.h"
#include "interpreter/letters.h"
#include "interpreter/numbers.h"
#include "interpreter/pause_mailbox.h"
#include "interpreter/unwinding.h"

namespace marlinet::basic {

void end_run() {
    throw detail::RunEnded{RunEnd::Host};
}

Interpreter::Interpreter(Host& host)
    : host_(host), memo_(program_), mailbox_(std::make_unique<PauseMailbox>()) {
    label_slots_.fill(-1);
    condition_program_.reserve(PauseLine::kMaxConditionLength, 0);
    condition_memo_.reserve(PauseLine::kMaxConditionLength + ProgramBuffer::kTrailer.size());
    pause_map_.assign(program_.end_of_program() + 1, 0);
    every_position_.assign(program_.end_of_program() + 1, 1);
    attention_map_.store(pause_map_.data(), std::memory_order_relaxed);
    program_fingerprint_ = fingerprint(program_);
}

Interpreter::~Interpreter() = default;

void Interpreter::set_program(ProgramBuffer program) {
    // First, so that a failed allocation leaves the old program whole.
    TokenMemo memo(program);
    std::vector<std::uint8_t> pause_map(program.end_of_program() + 1, 0);
    std::vector<std::uint8_t> every_position(program.end_of_program() + 1, 1);
    program_ = std::move(program);
    memo_ = std::move(memo);
    pause_map_ = std::move(pause_map);
    every_position_ = std::move(every_position);
    program_fingerprint_ = fingerprint(program_);
    pc_ = 0;
    forget_token();
    label_slots_.fill(-1);
    label_count_ = 0;
    for (std::uint32_t i = 0; i < marked_count_; ++i)
        mark_line(marked_[i].line, kPauseLineMark, true);
    attention_map_.store(pause_map_.data(), std::memory_order_seq_cst);
}

RunEnd Interpreter::run_program() {
    return run(nullptr);
}

RunEnd Interpreter::run(const Snapshot* from) {
    last_pause_.store(0, std::memory_order_relaxed);
    try {
        if (from) {
            restore(*from);
        } else {
            for (auto& v : variables_)
                v.store(0, std::memory_order_relaxed);
            statements_ = 0;
            host_.host_reset_variables();
            pc_ = 0;
            forget_token();
            collect_labels();
            for_count_ = 0;
            gosub_count_ = 0;
        }
        begin_debugging();
        statement_loop();
    } catch (const detail::RunEnded& ended) {
        end_debugging();
        return ended.how;
    }
}

void Interpreter::end_of_program() {
    host_.host_end_of_run();
    throw detail::RunEnded{RunEnd::EndOfProgram};
}

bool Interpreter::move_run_state(RunState next) noexcept {
    RunState current = run_state_.load(std::memory_order_relaxed);
    while (current != RunState::ResetRequest && current != RunState::Modified) {
        if (run_state_.compare_exchange_weak(current, next, std::memory_order_relaxed)) return true;
    }
    return false;
}

void Interpreter::raise_error(int number) {
    raise_error_at(number, token_position());
}

void Interpreter::raise_error_at(int number, std::size_t position) {
    // An error in a pause line's condition is the condition's, not the run's.
    if (evaluating_condition_) throw detail::ConditionError{number};
    const int line = 1 + line_index_of(position);
    host_.host_print("\r\nERROR:");
    host_.host_print(NumberText(number));
    host_.host_print(",");
    host_.host_print(NumberText(line));
    host_.host_print("\r\n");
    error_line_.store(line, std::memory_order_relaxed);
    error_number_.store(number, std::memory_order_release);
    move_run_state(RunState::Stopped);
    host_.host_report_error();
    throw detail::RunEnded{RunEnd::Error};
}

std::size_t Interpreter::label_hash(std::string_view text) noexcept {
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return static_cast<std::size_t>(hash ^ (hash >> 32));
}

std::size_t Interpreter::label_slot(std::string_view text) const noexcept {
    const std::uint64_t head = pack_head(text);
    std::size_t slot = label_hash(text) & (kLabelSlots - 1);
    for (;; slot = (slot + 1) & (kLabelSlots - 1)) {
        const int index = label_slots_[slot];
        if (index < 0) return slot;
        const Label& label = labels_[static_cast<std::size_t>(index)];
        if (label.head == head && label.length == text.size() &&
            (text.size() <= 8 ||
             std::memcmp(label.text.data() + 8, text.data() + 8, text.size() - 8) == 0))
            return slot;
    }
}

// A label is a Number token that is the first token of its line; it is
// compared by its whole text.
void Interpreter::collect_labels() {
    label_slots_.fill(-1);
    label_count_ = 0;
    const std::size_t saved = pc_;
    do {
        if (read_token() == TokenType::Number) {
            const std::string_view text = token_text();
            const std::size_t slot = label_slot(text);
            if (label_slots_[slot] >= 0) raise_error(kDuplicateLabel);
            if (label_count_ == kLabelCount) raise_error(kLabelTableFull);
            Label& label = labels_[static_cast<std::size_t>(label_count_)];
            std::memcpy(label.text.data(), text.data(), text.size());
            label.length = current().length;
            label.head = pack_head(text);
            label.position = pc_;
            label_slots_[slot] = static_cast<std::int8_t>(label_count_++);
        }
        if (code() != TokenCode::EndOfLine) skip_to_next_line();
    } while (code() != TokenCode::EndOfText);
    pc_ = saved;
}

int Interpreter::current_variable() {
    if (!is_letter(first())) raise_error(kNotAVariable);
    return letter_index(first());
}

int Interpreter::label_index(std::string_view text) const noexcept {
    if (text.empty() || text.size() > Token::kMaxLength) return -1;
    return label_slots_[label_slot(text)];
}

void Interpreter::statement_loop() {
    for (;;) {
        switch (read_token()) {
        case TokenType::Variable:
            checkpoint();
            assignment();
            break;
        case TokenType::Keyword:
            if (code() == TokenCode::Stop) {
                move_run_state(RunState::StopRequest);
                checkpoint();
                skip_to_next_line();
            } else {
                checkpoint();
                dispatch(code());
            }
            break;
        case TokenType::None:
            // A character that starts no token would be met again at every turn.
            raise_error(kSyntaxError);
        default: break; // line ends, labels, stray numbers, strings and operators
        }
        if (code() == TokenCode::EndOfText) end_of_program();
    }
}

// Kept in step with the token codes of token.h.
void Interpreter::dispatch(TokenCode code) {
    switch (code) {
    case TokenCode::Print: print_statement(); break;
    case TokenCode::Input: input_statement(); break;
    case TokenCode::If: if_statement(); break;
    case TokenCode::For: for_statement(); break;
    case TokenCode::Next: next_statement(); break;
    case TokenCode::Goto: goto_statement(); break;
    case TokenCode::Gosub: gosub_statement(); break;
    case TokenCode::Return: return_statement(); break;
    case TokenCode::End: end_of_program();
    case TokenCode::Adc: adc_statement(); break;
    case TokenCode::Dac: dac_statement(); break;
    case TokenCode::Setb: setb_statement(true); break;
    case TokenCode::Clrb: setb_statement(false); break;
    case TokenCode::Tstb: tstb_statement(); break;
    case TokenCode::Delay: delay_statement(); break;
    case TokenCode::Scale: scale_statement(); break;
    case TokenCode::Rem: skip_to_next_line(); break;
    default: break; // THEN, TO, STOP (handled by the loop)
    }
}

// assignment -> variable = expression, with the variable already read
void Interpreter::assignment() {
    const int index = letter_index(first());
    read_token();
    if (first() != '=') raise_error(kEqualsExpected);
    std::int16_t value;
    evaluate_expression(value);
    set_variable(index, value);
}

std::size_t Interpreter::label_operand() {
    read_token();
    // The operand at this position always names the same label: the label
    // table is a function of the program text, which does not change.
    DecodedToken& operand = *current_;
    if (operand.label == 0) {
        const int index = label_index(token_text());
        if (index < 0) raise_error(kUndefinedLabel);
        operand.label = static_cast<std::uint8_t>(index + 1);
    }
    return labels_[operand.label - 1u].position;
}

// GOTO label
void Interpreter::goto_statement() {
    pc_ = label_operand();
}

// GOSUB label
void Interpreter::gosub_statement() {
    const std::size_t target = label_operand();
    if (gosub_count_ == kGosubDepth) raise_error(kTooManyGosubs);
    gosub_stack_[static_cast<std::size_t>(gosub_count_++)] = pc_;
    pc_ = target;
}

void Interpreter::return_statement() {
    if (gosub_count_ == 0) raise_error(kReturnWithoutGosub);
    pc_ = gosub_stack_[static_cast<std::size_t>(--gosub_count_)];
    returned_to_ = pc_; // coming back into the GOSUB's line is no arrival at it
}

// IF expression (= | < | >) expression THEN statement
void Interpreter::if_statement() {
    if (!comparison()) {
        // From where the token after the condition starts: when that token is
        // the line end, the pointer stands past it, on the next line.
        unread_token();
        skip_to_next_line();
        return;
    }
    if (code() != TokenCode::Then) raise_error(kThenExpected);
}

// FOR variable = expression TO expression
void Interpreter::for_statement() {
    read_token();
    const int index = current_variable();
    read_token();
    if (first() != '=') raise_error(kEqualsExpected);
    const std::int16_t start = expression();
    set_variable(index, start);
    if (code() != TokenCode::To) raise_error(kToExpected);
    std::int16_t target;
    evaluate_expression(target);
    if (start > target) return pass_over_loop_body();
    if (for_count_ == kForDepth) raise_error(kTooManyFors);
    for_stack_[static_cast<std::size_t>(for_count_++)] = {static_cast<std::uint8_t>(index), target,
                                                          pc_};
}

// Up to and past the first NEXT; nesting is not counted.
void Interpreter::pass_over_loop_body() {
    for (;;) {
        read_token();
        if (code() == TokenCode::Next) return;
        if (code() == TokenCode::EndOfText) end_of_program();
        if (current().token_type() == TokenType::None) raise_error(kSyntaxError);
    }
}

// NEXT: the step is always +1 and no variable is named.
void Interpreter::next_statement() {
    if (for_count_ == 0) raise_error(kNextWithoutFor);
    const ForLoop& loop = for_stack_[static_cast<std::size_t>(for_count_ - 1)];
    const std::int16_t value = wrap16(variable(loop.variable) + 1);
    set_variable(loop.variable, value);
    if (value <= loop.target)
        pc_ = loop.loop_position; // the entry stays on the stack
    else
        --for_count_;
}

} // namespace marlinet::basic
