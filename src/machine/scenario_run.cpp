#include "machine/scenario_run.h"

#include <cinttypes>
#include <cstdio>
#include <deque>

#include "interpreter/errors.h"
#include "interpreter/interpreter.h"
#include "machine/cancellation.h"
#include "machine/clock.h"
#include "machine/machine_host.h"

namespace marlinet::machine {
namespace {

// Console text kept for the checks; a program printing more fails a
// console check instead of filling the memory.
constexpr std::size_t kConsoleKept = 16 << 20;

std::string on_off(bool on) {
    return on ? "on" : "off";
}

std::string seconds(std::int64_t us) {
    char text[32];
    std::snprintf(text, sizeof text, "%" PRId64 ".%03" PRId64 " s", us / 1'000'000,
                  us % 1'000'000 / 1000);
    return text;
}

std::string shown(std::string_view text) {
    constexpr std::size_t kShown = 60;
    std::string out = "\"";
    for (char c : text.substr(0, kShown)) {
        if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + (text.size() > kShown ? "...\"" : "\"");
}

std::string error_text(int number, int line) {
    return std::to_string(number) + " (" + std::string(basic::error_message(number)) +
           ") in line " + std::to_string(line);
}

// One program under one scenario: the console and the control of the run.
class ScenarioRun final : public ConsolePort, public RunControl {
public:
    ScenarioRun(const Scenario& scenario, const Cancellation* cancel)
        : scenario_(scenario), cancel_(cancel), board_(scenario.board),
          clock_(scenario.statement_us),
          answers_(scenario.answers.begin(), scenario.answers.end()) {}

    Verdict run(const basic::ProgramBuffer& program, EventSink* sink);

    // ConsolePort
    void print(std::string_view text) override;
    Answer read_answer(InputForm form, std::string& text) override;
    // RunControl
    void checkpoint(MachineHost& host) override;
    void delay(MachineHost& host, int milliseconds) override;
    void finished(MachineHost& host, EndReason reason) override;

private:
    std::int64_t now() const { return host_.now_us(); }
    void advance_to(std::int64_t time) { clock_.advance_to(time, interpreter_.statements()); }
    // Runs every step whose trigger holds now, in order.
    void step_forward(bool at_statement);
    bool triggered(const Step& step, bool at_statement);
    void act(const Step& step);
    // The first part of Condition that does not hold, as a message when
    // Describe is set (empty otherwise: a trigger is looked at before every
    // statement and needs no text).
    std::optional<std::string> mismatch(const Condition& condition, bool at_statement,
                                        bool describe = true);
    // Incremental: for the current step's trigger, which is looked at before
    // every statement; it searches only what was printed since.
    bool console_holds(const TextCheck& check, bool incremental);
    // The next virtual time at which something scheduled happens: a timed
    // step, the end of a `within`, the time limit passed.
    std::optional<std::int64_t> next_event() const;
    void check_limits();
    std::string where() const;
    // Records the failure and, while the program runs, stops it.
    void fail(const std::string& what);
    void fail_at(const std::string& place, const std::string& what);
    void pass();
    void check_end();
    std::string how_it_ended() const;

    const Scenario& scenario_;
    const Cancellation* cancel_;
    Board board_;
    LocalBoard board_port_{board_};
    VirtualClock clock_;
    MachineHost host_{*this, board_port_, clock_};
    basic::Interpreter interpreter_{host_};
    std::deque<std::string> answers_;
    std::string console_;
    bool console_cut_ = false;
    std::size_t next_step_ = 0;
    std::int64_t last_done_us_ = 0; // when the previous step ran (or the start)
    // How far the current step's trigger has searched the console, and
    // whether it found its text.
    std::size_t console_searched_ = 0;
    bool console_found_ = false;
    bool ended_ = false;
    // The line of the statement started last: where an ended program stands.
    int statement_line_ = 0;
    EndReason end_reason_ = EndReason::Stopped;
    std::optional<Verdict> verdict_;
};

Verdict ScenarioRun::run(const basic::ProgramBuffer& program, EventSink* sink) {
    interpreter_.set_program(program);
    interpreter_.set_checkpoint_every_statement(true);
    host_.attach(interpreter_);
    host_.set_control(this);
    host_.set_sink(sink);
    interpreter_.run_state().store(basic::RunState::Running);
    host_.run();
    ended_ = true;
    if (!verdict_) fail_at(where(), "the run ended without a verdict");
    verdict_->time_us = now();
    verdict_->statements = interpreter_.statements();
    return *verdict_;
}

void ScenarioRun::print(std::string_view text) {
    for (char c : text) {
        if (c == '\r') continue;
        if (console_.size() == kConsoleKept) {
            console_cut_ = true;
            return;
        }
        console_.push_back(c);
    }
}

Answer ScenarioRun::read_answer(InputForm, std::string& text) {
    for (;;) {
        if (!answers_.empty()) {
            text = std::move(answers_.front());
            answers_.pop_front();
            return Answer::Typed;
        }
        // No answer yet: the steps that can run while the program waits run,
        // and virtual time moves on to the next timed one.
        step_forward(false);
        if (!answers_.empty()) continue;
        const std::string asks = "the program waits for INPUT";
        if (next_step_ == scenario_.steps.size())
            fail(asks + " and the scenario has no more answers");
        const Step& waiting = scenario_.steps[next_step_];
        if (waiting.trigger == Trigger::When && !waiting.within_us)
            fail(asks + ", and this step's condition cannot change while it waits");
        const std::optional<std::int64_t> next = next_event();
        if (!next || *next <= now()) fail(asks + " and no step can answer it");
        advance_to(*next);
        check_limits();
    }
}

void ScenarioRun::checkpoint(MachineHost& host) {
    if (cancel_ && cancel_->requested()) {
        fail("interrupted");
    }
    RunControl::checkpoint(host);
    statement_line_ = host.line();
    step_forward(true);
    check_limits();
}

void ScenarioRun::delay(MachineHost&, int milliseconds) {
    const std::int64_t target = now() + std::int64_t{milliseconds} * 1000;
    // A step timed inside the delay acts at its time.
    for (std::optional<std::int64_t> next = next_event(); next && *next <= target;
         next = next_event()) {
        if (*next <= now()) break;
        advance_to(*next);
        step_forward(false);
        check_limits();
    }
    advance_to(target);
    step_forward(false);
    check_limits();
}

void ScenarioRun::finished(MachineHost&, EndReason reason) {
    ended_ = true;
    end_reason_ = reason;
    // The board keeps its state after the end: timed steps still run.
    for (;;) {
        step_forward(false);
        if (verdict_) return;
        if (next_step_ == scenario_.steps.size()) break;
        const std::optional<std::int64_t> next = next_event();
        if (!next || *next <= now() || *next > scenario_.time_limit_us) {
            fail(how_it_ended() + " before this step ran");
            return;
        }
        advance_to(*next);
    }
    check_end();
}

void ScenarioRun::step_forward(bool at_statement) {
    while (!verdict_ && next_step_ < scenario_.steps.size()) {
        const Step& step = scenario_.steps[next_step_];
        if (!triggered(step, at_statement)) {
            if (step.within_us && now() > last_done_us_ + *step.within_us)
                fail("the condition did not hold within " + seconds(*step.within_us));
            return;
        }
        act(step);
        last_done_us_ = now();
        console_searched_ = 0;
        console_found_ = false;
        ++next_step_;
    }
    // Without an end to check, the run is done once its last step has run.
    if (!verdict_ && !scenario_.end) pass();
}

bool ScenarioRun::triggered(const Step& step, bool at_statement) {
    switch (step.trigger) {
    case Trigger::None: return true;
    case Trigger::At: return now() >= step.time_us;
    case Trigger::After: return now() >= last_done_us_ + step.time_us;
    case Trigger::When: return !mismatch(step.when, at_statement, false);
    }
    return false;
}

void ScenarioRun::act(const Step& step) {
    if (step.set) {
        const BoardChange& change = *step.set;
        for (int i = 0; i < 4; ++i)
            if (const auto on = change.inputs[static_cast<std::size_t>(i)])
                board_.set_input(i + 1, *on);
        if (change.rx) board_.set_input(Board::kRxBit, *change.rx);
        if (change.adc1) board_.set_adc_text(AdcChannel::Adc1, *change.adc1);
        if (change.adc2) board_.set_adc_text(AdcChannel::Adc2, *change.adc2);
    }
    answers_.insert(answers_.end(), step.answers.begin(), step.answers.end());
    if (step.expect)
        if (const std::optional<std::string> wrong = mismatch(*step.expect, false)) fail(*wrong);
}

std::optional<std::string> ScenarioRun::mismatch(const Condition& condition, bool at_statement,
                                                 bool describe) {
    const auto wrong = [describe](auto&& message) -> std::optional<std::string> {
        if (!describe) return std::string();
        return message();
    };
    for (int i = 0; i < 4; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const auto state = [&](std::string_view what, bool on) {
            return std::string(what) + std::to_string(i + 1) + " expected " + on_off(on) +
                   ", was " + on_off(!on);
        };
        if (const auto on = condition.lamps[index]; on && *on != board_.output(i + 1))
            return wrong([&] { return state("lamp", *on); });
        if (const auto on = condition.inputs[index]; on && *on != board_.test_input(i + 1))
            return wrong([&] { return state("input", *on); });
    }
    if (condition.rx && *condition.rx != board_.test_input(Board::kRxBit))
        return wrong([&] {
            return "rx expected " + on_off(*condition.rx) + ", was " + on_off(!*condition.rx);
        });
    // An analog output never written shows 0.
    const std::int16_t dac = board_.dac().value_or(0);
    if (condition.dac && *condition.dac != dac)
        return wrong([&] {
            return "dac expected " + std::to_string(*condition.dac) + ", was " +
                   std::to_string(dac);
        });
    if (condition.adc && *condition.adc != board_.selected_adc())
        return wrong([&] {
            return "adc expected " + std::string(adc_name(*condition.adc)) + ", was " +
                   std::string(adc_name(board_.selected_adc()));
        });
    for (const auto& [index, value] : condition.variables) {
        const std::int16_t is = interpreter_.variable(index);
        if (is != value)
            return wrong([&, index = index, value = value] {
                return "variable " + std::string(1, static_cast<char>('A' + index)) + " expected " +
                       std::to_string(value) + ", was " + std::to_string(is);
            });
    }
    if (condition.console && !console_holds(*condition.console, !describe))
        return wrong([&] {
            const std::string cut = console_cut_ ? " (the console passed 16 MiB and was cut)" : "";
            if (condition.console->whole)
                return "console expected to be " + shown(condition.console->text) + ", was " +
                       shown(console_) + cut;
            return "console expected to contain " + shown(condition.console->text) + cut;
        });
    if (condition.line && (!at_statement || ended_ || host_.line() != *condition.line))
        return wrong([&] { return "line expected " + std::to_string(*condition.line); });
    if (condition.ended && *condition.ended != ended_)
        return wrong([&] {
            return std::string("expected the program ") + (*condition.ended ? "ended" : "running");
        });
    return std::nullopt;
}

bool ScenarioRun::console_holds(const TextCheck& check, bool incremental) {
    if (check.whole) return !console_cut_ && console_ == check.text;
    if (!incremental) return console_.find(check.text) != std::string::npos;
    // The console only grows: text found stays found, and only text printed
    // since the last look can hold a new match.
    if (console_found_) return true;
    const std::size_t overlap = check.text.empty() ? 0 : check.text.size() - 1;
    const std::size_t from = console_searched_ > overlap ? console_searched_ - overlap : 0;
    console_searched_ = console_.size();
    console_found_ = console_.find(check.text, from) != std::string::npos;
    return console_found_;
}

std::optional<std::int64_t> ScenarioRun::next_event() const {
    std::optional<std::int64_t> next = scenario_.time_limit_us + 1;
    const auto consider = [&](std::int64_t time) {
        if (time > now() && time < *next) next = time;
    };
    if (next_step_ < scenario_.steps.size()) {
        const Step& step = scenario_.steps[next_step_];
        if (step.trigger == Trigger::At) consider(step.time_us);
        if (step.trigger == Trigger::After) consider(last_done_us_ + step.time_us);
        if (step.within_us) consider(last_done_us_ + *step.within_us + 1);
    }
    if (*next <= now()) return std::nullopt;
    return next;
}

void ScenarioRun::check_limits() {
    if (verdict_) return;
    const std::string waiting = where().empty() ? "" : " while waiting";
    if (now() > scenario_.time_limit_us)
        fail("time limit " + seconds(scenario_.time_limit_us) + " reached" + waiting);
    else if (interpreter_.statements() >= scenario_.statement_limit)
        fail("statement limit " + std::to_string(scenario_.statement_limit) + " reached" + waiting);
}

std::string ScenarioRun::where() const {
    if (next_step_ < scenario_.steps.size())
        return "step " + std::to_string(next_step_ + 1) + " (scenario line " +
               std::to_string(scenario_.steps[next_step_].source_line) + ")";
    if (scenario_.end)
        return "end (scenario line " + std::to_string(scenario_.end->source_line) + ")";
    return {};
}

void ScenarioRun::fail(const std::string& what) {
    fail_at(where(), what);
}

void ScenarioRun::fail_at(const std::string& place, const std::string& what) {
    if (verdict_) return;
    Verdict verdict;
    const bool error = ended_ && end_reason_ == EndReason::Error;
    verdict.program_line = error    ? interpreter_.error_line()
                           : ended_ ? statement_line_
                                    : host_.line();
    verdict.message = place + (place.empty() ? "" : " ") + "at " + seconds(now()) +
                      ", program line " + std::to_string(verdict.program_line) + ": " + what;
    verdict_ = std::move(verdict);
    if (!ended_) host_.end(EndReason::Stopped);
}

void ScenarioRun::pass() {
    verdict_ = Verdict{true, {}, 0, 0, 0};
    if (!ended_) host_.end(EndReason::Stopped);
}

std::string ScenarioRun::how_it_ended() const {
    if (end_reason_ == EndReason::Error)
        return "the program stopped with error " +
               error_text(interpreter_.error_number(), interpreter_.error_line());
    return "the program ended";
}

void ScenarioRun::check_end() {
    if (verdict_) return;
    if (!scenario_.end) return pass();
    const EndCheck& end = *scenario_.end;
    if (end.error) {
        const bool error = end_reason_ == EndReason::Error;
        const int number = error ? interpreter_.error_number() : -1;
        const int line = interpreter_.error_line();
        const std::string was = error ? error_text(number, line) : "none";
        std::string expected = end.error->number ? std::to_string(*end.error->number) : "none";
        if (end.error->line) expected += " in line " + std::to_string(*end.error->line);
        const bool holds = end.error->number ? error && number == *end.error->number &&
                                                   (!end.error->line || *end.error->line == line)
                                             : !error;
        if (!holds) return fail("error expected " + expected + ", was " + was);
    }
    if (const std::optional<std::string> wrong = mismatch(end.state, false)) return fail(*wrong);
    pass();
}

} // namespace

Verdict run_scenario(const Scenario& scenario, const basic::ProgramBuffer& program,
                     const Cancellation* cancel, EventSink* sink) {
    ScenarioRun run(scenario, cancel);
    return run.run(program, sink);
}

} // namespace marlinet::machine
