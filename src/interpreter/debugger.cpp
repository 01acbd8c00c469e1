// Pause lines, one-shot pauses, the call stack and snapshots.
//
// A free-running statement looks at one byte: the attention map at its
// position. The map is pause_map_ (non-zero on the lines of enabled pause
// lines and of the run-to-line target) or, when every statement needs a look
// (news from the window, a step over or out, checkpoints asked for every
// statement), every_position_. Only attend() decides which; the window only
// ever points it at every_position_, after raising the mailbox's news flag,
// and settle_attention() looks for news after each of its own stores, so a
// publication is never missed.
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "interpreter/errors.h"
#include "interpreter/interpreter.h"
#include "interpreter/pause_mailbox.h"
#include "interpreter/unwinding.h"

namespace marlinet::basic {
namespace {

static_assert(std::tuple_size_v<decltype(CallStack{}.gosub_return_lines)> ==
              Interpreter::kGosubDepth);
static_assert(std::tuple_size_v<decltype(CallStack{}.for_loops)> == Interpreter::kForDepth);
static_assert(std::tuple_size_v<decltype(Snapshot{}.variables)> == Interpreter::kVariableCount);
static_assert(std::tuple_size_v<decltype(Snapshot{}.for_stack)> == Interpreter::kForDepth);
static_assert(std::tuple_size_v<decltype(Snapshot{}.gosub_stack)> == Interpreter::kGosubDepth);
static_assert(std::is_trivially_copyable_v<Snapshot>);

// reason | error + 1 | line: one word, so that any thread reads a whole cause.
constexpr std::uint64_t pack(PauseCause cause) noexcept {
    return std::uint64_t{static_cast<std::uint8_t>(cause.reason)} |
           std::uint64_t{static_cast<std::uint8_t>(cause.error + 1)} << 8 |
           std::uint64_t{static_cast<std::uint32_t>(cause.line)} << 32;
}

constexpr PauseCause unpack(std::uint64_t word) noexcept {
    return {static_cast<PauseReason>(word & 0xff), static_cast<int>(word >> 32),
            static_cast<int>((word >> 8) & 0xff) - 1};
}
static_assert(unpack(pack({PauseReason::ConditionFailed, 70000, 14})) ==
              PauseCause{PauseReason::ConditionFailed, 70000, 14});
static_assert(unpack(pack({PauseReason::Requested, 3, -1})) ==
              PauseCause{PauseReason::Requested, 3, -1});

} // namespace

// ---- window thread ----

void Interpreter::set_pause_lines(std::span<const PauseLine> lines) {
    mailbox_->publish(lines);
    attention_map_.store(every_position_.data(), std::memory_order_seq_cst);
}

void Interpreter::request_run_to_line(int line) noexcept {
    mailbox_->request({OneShot::RunToLine, line});
    attention_map_.store(every_position_.data(), std::memory_order_seq_cst);
}

void Interpreter::request_step_over() noexcept {
    mailbox_->request({OneShot::StepOver, 0});
    attention_map_.store(every_position_.data(), std::memory_order_seq_cst);
}

void Interpreter::request_step_out() noexcept {
    mailbox_->request({OneShot::StepOut, 0});
    attention_map_.store(every_position_.data(), std::memory_order_seq_cst);
}

PauseCause Interpreter::last_pause() const noexcept {
    return unpack(last_pause_.load(std::memory_order_acquire));
}

CallStack Interpreter::call_stack() const noexcept {
    CallStack stack;
    stack.gosub_count = gosub_count_;
    for (int i = 0; i < gosub_count_; ++i)
        stack.gosub_return_lines[static_cast<std::size_t>(i)] =
            line_index_of(gosub_stack_[static_cast<std::size_t>(i)]) + 1;
    stack.for_count = for_count_;
    for (int i = 0; i < for_count_; ++i) {
        const ForLoop& loop = for_stack_[static_cast<std::size_t>(i)];
        stack.for_loops[static_cast<std::size_t>(i)] = {static_cast<char>('A' + loop.variable),
                                                        loop.target,
                                                        line_index_of(loop.loop_position) + 1};
    }
    return stack;
}

// ---- run thread: what attend() does ----

void Interpreter::attend() {
    take_news();
    const PauseCause cause = pause_due();
    if (cause.reason != PauseReason::None && move_run_state(RunState::StopRequest))
        last_pause_.store(pack(cause), std::memory_order_release);
    const RunState state = run_state_.load(std::memory_order_relaxed);
    if (state == RunState::StepRequest || state == RunState::StopRequest) {
        if (cause.reason == PauseReason::None)
            last_pause_.store(pack({PauseReason::Requested, statement_line()}),
                              std::memory_order_release);
        end_one_shots();
    }
    if (checkpoint_always_ || state != RunState::Running || statements_ == checkpoint_at_) {
        in_host_checkpoint_ = true;
        host_.host_checkpoint();
        in_host_checkpoint_ = false;
        // Commands given while the run was parked apply from this statement.
        take_news();
    }
    settle_attention();
}

void Interpreter::settle_attention() {
    for (;;) {
        const bool every = checkpoint_always_ || step_.active;
        attention_map_.store(every ? every_position_.data() : pause_map_.data(),
                             std::memory_order_seq_cst);
        if (!mailbox_->has_news()) return;
        take_news();
    }
}

void Interpreter::take_news() {
    if (!mailbox_->take_news()) return;
    if (const PauseTable* table = mailbox_->take_table()) apply_table(*table);
    if (const std::optional<OneShotRequest> request = mailbox_->take_request())
        apply_request(*request);
}

// Hit counts carry over for lines that stay marked.
void Interpreter::apply_table(const PauseTable& table) {
    std::array<MarkedLine, PauseTable::kCapacity> next{};
    std::uint32_t count = 0;
    const auto begin = marked_.begin();
    const auto end = marked_.begin() + marked_count_;
    for (std::uint32_t i = 0; i < table.count; ++i) {
        const PauseEntry& entry = table.entries[i];
        const auto same_line = [&](const MarkedLine& m) { return m.line == entry.line; };
        if (!entry.enabled || std::any_of(next.begin(), next.begin() + count, same_line)) continue;
        const auto old = std::find_if(begin, end, same_line);
        next[count++] = {entry.line, i, old == end ? 0 : old->hits};
    }
    for (std::uint32_t i = 0; i < marked_count_; ++i)
        mark_line(marked_[i].line, kPauseLineMark, false);
    static_assert(PauseTable::kCapacity == std::tuple_size_v<decltype(marked_)>);
    marked_ = next;
    marked_count_ = count;
    for (std::uint32_t i = 0; i < marked_count_; ++i)
        mark_line(marked_[i].line, kPauseLineMark, true);
}

void Interpreter::apply_request(const OneShotRequest& request) {
    switch (request.kind) {
    case OneShot::None: break;
    case OneShot::RunToLine:
        mark_line(run_to_line_, kRunToMark, false);
        run_to_line_ = request.line;
        mark_line(run_to_line_, kRunToMark, true);
        break;
    case OneShot::StepOver: step_ = {true, PauseReason::StepOver, gosub_count_, statements_}; break;
    case OneShot::StepOut:
        // With no GOSUB open there is nothing to step out of: the next statement pauses.
        step_ = {true, PauseReason::StepOut, gosub_count_ > 0 ? gosub_count_ - 1 : kGosubDepth,
                 statements_};
        break;
    }
}

void Interpreter::end_one_shots() noexcept {
    step_.active = false;
    mark_line(run_to_line_, kRunToMark, false);
    run_to_line_ = 0;
}

void Interpreter::mark_line(int line, std::uint8_t mark, bool on) noexcept {
    if (line < 1) return;
    const auto index = static_cast<std::size_t>(line - 1);
    const std::size_t begin = std::min(program_.line_start(index), pause_map_.size());
    const std::size_t end = std::min(program_.line_start(index + 1), pause_map_.size());
    for (std::size_t i = begin; i < end; ++i)
        pause_map_[i] =
            static_cast<std::uint8_t>(on ? pause_map_[i] | mark : pause_map_[i] & ~mark);
}

PauseCause Interpreter::pause_due() {
    if (const std::uint8_t mark = pause_map_[read_at_]) {
        const int line = statement_line();
        if (arrives(line)) {
            if (mark & kPauseLineMark) {
                const PauseCause cause = pause_line_due(line);
                if (cause.reason != PauseReason::None) return cause;
            }
            if (mark & kRunToMark) return {PauseReason::RunToLine, line};
        }
    }
    if (step_.active && statements_ > step_.from && gosub_count_ <= step_.depth_limit)
        return {step_.reason, statement_line()};
    return {};
}

// A statement arrives at its line unless the statement before it was an
// earlier one of the same line, or a RETURN back into this line.
bool Interpreter::arrives(int line) noexcept {
    const bool goes_on = last_marked_.next_statement == statements_ && last_marked_.line == line &&
                         last_marked_.position < read_at_;
    const bool came_back = read_at_ == returned_to_;
    last_marked_ = {statements_ + 1, line, read_at_};
    return !goes_on && !came_back;
}

PauseCause Interpreter::pause_line_due(int line) {
    const auto marked_end = marked_.begin() + marked_count_;
    const auto marked = std::find_if(marked_.begin(), marked_end,
                                     [&](const MarkedLine& m) { return m.line == line; });
    if (marked == marked_end) return {};
    const PauseTable& table = mailbox_->table();
    const PauseEntry& entry = table.entries[marked->entry];
    if (entry.condition_length != 0) {
        const ConditionOutcome outcome = evaluate_condition(table, marked->entry);
        if (outcome.error != kNoError) return {PauseReason::ConditionFailed, line, outcome.error};
        if (!outcome.holds) return {};
    }
    if (marked->hits != UINT32_MAX) ++marked->hits;
    if (entry.hit_count != 0 && marked->hits != entry.hit_count) return {};
    return {PauseReason::PauseLine, line};
}

// The condition's text is swapped in as the program for the evaluation, so the expression reader
// runs unchanged; the statement's reading state is put back after.
Interpreter::ConditionOutcome Interpreter::evaluate_condition(const PauseTable& table,
                                                              std::uint32_t entry) {
    const std::uint64_t key = std::uint64_t{table.generation} << 32 | (entry + 1u);
    if (key != condition_key_) {
        condition_program_.refill(table.entries[entry].condition_text());
        condition_memo_.refill(condition_program_);
        condition_key_ = key;
    }
    struct Swapped {
        Interpreter& in;
        std::size_t pc = in.pc_;
        std::size_t read_at = in.read_at_;
        DecodedToken* current = in.current_;
        int depth = in.parenthesis_depth_;
        explicit Swapped(Interpreter& interpreter) : in(interpreter) { swap(); }
        ~Swapped() {
            swap();
            in.pc_ = pc;
            in.read_at_ = read_at;
            in.current_ = current;
            in.parenthesis_depth_ = depth;
            in.evaluating_condition_ = false;
        }
        void swap() noexcept {
            std::swap(in.program_, in.condition_program_);
            std::swap(in.memo_, in.condition_memo_);
        }
    } swapped(*this);
    pc_ = 0;
    forget_token();
    evaluating_condition_ = true;
    ConditionOutcome outcome;
    try {
        outcome.holds = condition_holds();
    } catch (const detail::ConditionError& error) {
        outcome.error = error.number;
    }
    return outcome;
}

// ---- run start and end ----

void Interpreter::begin_debugging() {
    for (std::uint32_t i = 0; i < marked_count_; ++i)
        marked_[i].hits = 0;
    last_marked_ = {};
    returned_to_ = SIZE_MAX;
    step_ = {};
    in_host_checkpoint_ = false;
    take_news();
    settle_attention();
}

void Interpreter::end_debugging() noexcept {
    end_one_shots();
    mailbox_->clear_request();
    in_host_checkpoint_ = false;
    evaluating_condition_ = false;
}

// ---- snapshots ----

std::uint64_t Interpreter::fingerprint(const ProgramBuffer& program) noexcept {
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a over the text and its length
    for (const char c : std::string_view(program.data(), program.end_of_program())) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash ^ program.end_of_program();
}

std::optional<Snapshot> Interpreter::snapshot() const noexcept {
    if (!in_host_checkpoint_) return std::nullopt;
    Snapshot s;
    s.program = program_fingerprint_;
    s.statements = statements_;
    for (int i = 0; i < kVariableCount; ++i)
        s.variables[static_cast<std::size_t>(i)] = variable(i);
    s.position = static_cast<std::uint32_t>(read_at_);
    s.for_count = static_cast<std::uint8_t>(for_count_);
    for (std::size_t i = 0; i < s.for_count; ++i)
        s.for_stack[i] = {static_cast<std::uint32_t>(for_stack_[i].loop_position),
                          for_stack_[i].target, for_stack_[i].variable};
    s.gosub_count = static_cast<std::uint8_t>(gosub_count_);
    for (std::size_t i = 0; i < s.gosub_count; ++i)
        s.gosub_stack[i] = static_cast<std::uint32_t>(gosub_stack_[i]);
    s.error_number = error_number();
    s.error_line = error_line();
    return s;
}

RunEnd Interpreter::resume_from(const Snapshot& s) {
    if (s.program != program_fingerprint_)
        throw std::invalid_argument("The snapshot was taken of another program.");
    const std::size_t end = program_.end_of_program();
    bool sound = s.position < end && s.for_count <= kForDepth && s.gosub_count <= kGosubDepth;
    for (std::size_t i = 0; sound && i < s.for_count; ++i)
        sound = s.for_stack[i].variable < kVariableCount && s.for_stack[i].loop_position <= end;
    for (std::size_t i = 0; sound && i < s.gosub_count; ++i)
        sound = s.gosub_stack[i] <= end;
    if (!sound)
        throw std::invalid_argument("The snapshot does not describe a state of this program.");
    return run(&s);
}

void Interpreter::restore(const Snapshot& s) {
    for (int i = 0; i < kVariableCount; ++i)
        set_variable(i, s.variables[static_cast<std::size_t>(i)]);
    statements_ = s.statements;
    for_count_ = s.for_count;
    for (std::size_t i = 0; i < s.for_count; ++i)
        for_stack_[i] = {s.for_stack[i].variable, s.for_stack[i].target,
                         s.for_stack[i].loop_position};
    gosub_count_ = s.gosub_count;
    for (std::size_t i = 0; i < s.gosub_count; ++i)
        gosub_stack_[i] = s.gosub_stack[i];
    error_line_.store(s.error_line, std::memory_order_relaxed);
    error_number_.store(s.error_number, std::memory_order_release);
    // The labels are a function of the text, which collected them without
    // error when the snapshot's run started.
    pc_ = 0;
    forget_token();
    collect_labels();
    pc_ = s.position;
    forget_token();
}

} // namespace marlinet::basic
