#include "machine/replayer.h"

#include <stdexcept>
#include <vector>

namespace marlinet::machine {
namespace {

bool same_event(const Record& a, std::string_view a_texts, const Record& b,
                std::string_view b_texts) noexcept {
    return a.kind == b.kind && a.statement == b.statement && a.line == b.line &&
           a.value == b.value && a.detail == b.detail && a.flags == b.flags &&
           text_of(a, a_texts) == text_of(b, b_texts);
}

std::string at_statement(std::uint64_t statement) {
    return " at statement " + std::to_string(statement);
}

} // namespace

Replayer::Replayer() {
    host_.attach(interpreter_);
    host_.set_control(this);
    host_.set_sink(this);
}

void Replayer::set_program(const basic::ProgramBuffer& program) {
    interpreter_.set_program(program);
}

PastState Replayer::state_at(const Segment& segment, std::uint64_t target) {
    finding_arrivals_ = false;
    replay(segment, target);
    return *captured_;
}

std::optional<std::uint64_t> Replayer::last_arrival(const Segment& segment, std::uint64_t first,
                                                    std::uint64_t target,
                                                    std::span<const basic::PauseLine> lines) {
    // Hit counts belong to a run from its start, which a replay is not.
    std::vector<basic::PauseLine> every_arrival(lines.begin(), lines.end());
    for (basic::PauseLine& line : every_arrival)
        line.hit_count = 0;
    try {
        interpreter_.set_pause_lines(every_arrival);
    } catch (const std::invalid_argument& e) {
        throw HistoryError(e.what());
    }
    struct NoLinesAfter {
        basic::Interpreter& interpreter;
        ~NoLinesAfter() { interpreter.set_pause_lines({}); }
    } no_lines_after{interpreter_};
    finding_arrivals_ = true;
    first_counted_ = first;
    arrival_.reset();
    replay(segment, target);
    return arrival_;
}

void Replayer::replay(const Segment& segment, std::uint64_t target) {
    if (!segment.snapshot) throw HistoryError("The run had not reached a statement.");
    segment_ = &segment;
    cursor_ = 0;
    target_ = target;
    levels_ = segment.levels;
    console_ = segment.console;
    end_line_ = 0;
    captured_.reset();
    failure_.clear();
    interpreter_.request_checkpoint_at(target);
    interpreter_.run_state().store(basic::RunState::Running);
    try {
        interpreter_.resume_from(*segment.snapshot);
    } catch (const std::invalid_argument& e) {
        throw HistoryError(e.what());
    }
    if (!failure_.empty()) throw HistoryError("The record does not replay: " + failure_ + ".");
    if (!captured_)
        throw HistoryError("The record does not replay: the run ended before statement " +
                           std::to_string(target) + ".");
}

const Record* Replayer::next_record() {
    const std::vector<Record>& records = segment_->records;
    while (cursor_ < records.size() &&
           (records[cursor_].anchor_only() || records[cursor_].kind == RecordKind::Pause))
        ++cursor_;
    return cursor_ < records.size() ? &records[cursor_] : nullptr;
}

bool Replayer::record_ends_here(const Record* next) const noexcept {
    if (!next) return true;
    if (next->kind != RecordKind::End) return false;
    const auto reason = static_cast<EndReason>(next->value);
    return reason != EndReason::Program && reason != EndReason::Error;
}

void Replayer::stop() {
    host_.end(EndReason::Stopped);
}

void Replayer::diverge(const std::string& what) {
    failure_ = what;
    stop();
}

const Record& Replayer::expect_reading(RecordKind kind) {
    const Record* next = next_record();
    if (record_ends_here(next)) {
        if (statements() != target_) diverge("the record ends" + at_statement(statements()));
        capture(false);
        stop();
    }
    if (next->kind != kind || next->statement != statements())
        diverge("the program reads what the run did not" + at_statement(statements()));
    return *next;
}

void Replayer::capture(bool at_checkpoint) {
    PastState state;
    state.statement = statements();
    state.line = at_checkpoint || end_line_ == 0 ? interpreter_.current_line() : end_line_;
    for (int i = 0; i < basic::Interpreter::kVariableCount; ++i)
        state.variables[static_cast<std::size_t>(i)] = interpreter_.variable(i);
    state.call_stack = interpreter_.call_stack();
    state.outputs = outputs_of(levels_);
    state.console = console_;
    if (at_checkpoint) state.snapshot = interpreter_.snapshot();
    captured_ = state;
}

Answer Replayer::read_answer(InputForm, std::string& text) {
    const Record& answer = expect_reading(RecordKind::InputAnswer);
    text = segment_->text(answer);
    // A typed answer is echoed at once, in the same statement; one left
    // with Stop is not.
    const std::vector<Record>& records = segment_->records;
    const std::size_t after = static_cast<std::size_t>(&answer - records.data()) + 1;
    const bool echoed = after < records.size() && records[after].kind == RecordKind::Print &&
                        records[after].statement == answer.statement;
    return echoed ? Answer::Typed : Answer::Stopped;
}

bool Replayer::test_input(int bit) {
    const Record& read = expect_reading(RecordKind::InputRead);
    if (read.detail != bit) diverge("the program tests another input" + at_statement(statements()));
    return read.value != 0;
}

AdcSample Replayer::read_adc(std::string& text) {
    const Record& read = expect_reading(RecordKind::AdcRead);
    text = segment_->text(read);
    AdcSample sample;
    sample.channel = static_cast<AdcChannel>(read.detail);
    if (read.flags & Record::kHasValue) sample.value = read.value;
    return sample;
}

void Replayer::checkpoint(MachineHost&) {
    auto& state = interpreter_.run_state();
    if (state.load() != basic::RunState::Running) {
        const basic::PauseReason reason = interpreter_.last_pause().reason;
        const bool arrival = reason == basic::PauseReason::PauseLine ||
                             reason == basic::PauseReason::ConditionFailed;
        if (finding_arrivals_ && arrival && statements() >= first_counted_) arrival_ = statements();
        state.store(basic::RunState::Running);
    }
    if (statements() == target_) {
        capture(true);
        stop();
    }
}

void Replayer::finished(MachineHost&, EndReason) {
    if (statements() != target_) diverge("the program ended" + at_statement(statements()));
    capture(false);
}

void Replayer::on_event(const IoEvent& event) {
    texts_.clear();
    const Record mine = make_record(event, texts_);
    const Record* next = next_record();
    if (record_ends_here(next) && statements() == target_) {
        // The run was ended inside this statement, before it did this.
        capture(false);
        stop();
    }
    if (!next || !same_event(mine, texts_, *next, segment_->texts))
        diverge("the program does what the run did not" + at_statement(statements()));
    apply(*next, segment_->texts, levels_, console_);
    if (next->kind == RecordKind::End || next->kind == RecordKind::Error) end_line_ = next->line;
    ++cursor_;
}

} // namespace marlinet::machine
