// Stepping back through the history of the window's run: Step back, Run
// back, a click on the timeline, and going on from a past moment.
//
// The past is only shown: the run stays parked (or ended) in the present
// until a command goes on. Step moves forward through the past up to the
// present; Run, Step over, Step out and Run to cursor go on from the moment
// shown: the parked run is ended, the history after that moment is dropped,
// and a new run resumes from the moment's snapshot with the live board.
#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <thread>

#include "workbench/execution_control.h"

namespace marlinet::workbench {

using basic::RunState;

namespace {

// How long a command waits for the recorder to publish the pause that the
// window has already seen.
constexpr int kPublishWaits = 500; // of 1 ms

std::string BackText(std::uint64_t Statements, std::int64_t Micros) {
    char text[96];
    std::snprintf(text, sizeof text, "%" PRIu64 " statement%s back (%.3f s)", Statements,
                  Statements == 1 ? "" : "s", static_cast<double>(Micros) / 1e6);
    return text;
}

} // namespace

bool TExecutionControl::CanTravel() const {
    if (!historyKept_ || IsClosed()) return false;
    const RunState state = State();
    if (state == RunState::Stopped) return true;
    return !thread_.joinable() && (state == RunState::Reset || state == RunState::Idle);
}

std::optional<machine::Moment> TExecutionControl::Present() const {
    if (State() != RunState::Stopped) {
        const std::optional<machine::History::Extent> extent = history_.extent();
        if (!extent) return std::nullopt;
        return extent->last;
    }
    // The window sees a pause just before the recorder publishes it.
    const std::uint64_t parked = interpreter_.statements();
    for (int wait = 0; wait < kPublishWaits; ++wait) {
        const std::optional<machine::History::Extent> extent = history_.extent();
        if (extent && extent->last.statement >= parked) return extent->last;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return std::nullopt;
}

std::optional<std::uint64_t> TExecutionControl::TravelBackFrom() {
    Flush();
    if (!CanTravel()) return std::nullopt;
    const std::optional<machine::Moment> present = Present();
    const std::optional<machine::History::Extent> extent = history_.extent();
    if (!present || !extent) return std::nullopt;
    const std::uint64_t from = viewed_.value_or(present->statement);
    if (from <= extent->first.statement) {
        view_.ShowStatus(history_.memory().dropped_before > 0
                             ? "At the start of the kept history (older history dropped)"
                             : "At the start of the run");
        return std::nullopt;
    }
    return from;
}

void TExecutionControl::StepBack() {
    if (const std::optional<std::uint64_t> from = TravelBackFrom()) ShowMoment(*from - 1);
}

void TExecutionControl::RunBack() {
    const std::optional<std::uint64_t> from = TravelBackFrom();
    if (!from) return;
    try {
        ShowMoment(history_.previous_stop(*from, source_.Snapshot().Breakpoints));
    } catch (const machine::HistoryError& error) {
        view_.ShowStatus(error.what());
    }
}

void TExecutionControl::TravelTo(std::uint64_t Statement) {
    Flush();
    if (!CanTravel()) return;
    const std::optional<machine::Moment> present = Present();
    const std::optional<machine::History::Extent> extent = history_.extent();
    if (!present || !extent) return;
    ShowMoment(std::clamp(Statement, extent->first.statement, present->statement));
}

void TExecutionControl::ShowMoment(std::uint64_t Statement) {
    const std::optional<machine::Moment> present = Present();
    if (!present) return;
    try {
        if (!viewed_) {
            present_ = history_.state_at(present->statement);
            shownCharacters_ = present_->console.characters;
        }
        TTimeView view;
        view.State = history_.state_at(Statement);
        view.Present = Statement >= present->statement;
        view.StatementsBack = present->statement - std::min(Statement, present->statement);
        view.MicrosBack = std::max<std::int64_t>(present->time_us - view.State.time_us, 0);
        const std::uint64_t then = view.State.console.characters;
        if (then < shownCharacters_)
            view.RemovePrinted = shownCharacters_ - then;
        else if (then > shownCharacters_)
            view.Reprint = PrintedBetween(shownCharacters_, then);
        shownCharacters_ = then;
        if (view.Present) {
            viewed_.reset();
            present_.reset();
        } else {
            viewed_ = Statement;
        }
        view_.ShowTime(view);
        if (!view.Present) view_.ShowStatus(BackText(view.StatementsBack, view.MicrosBack));
    } catch (const machine::HistoryError& error) {
        view_.ShowStatus(error.what());
    }
}

std::string TExecutionControl::PrintedBetween(std::uint64_t From, std::uint64_t To) const {
    std::string all;
    history_.for_each_event([](const machine::Levels&) {},
                            [&all](const machine::IoEvent& Event) {
                                if (const auto* print =
                                        std::get_if<machine::io::Print>(&Event.what))
                                    for (const char c : print->text)
                                        if (c != '\r') all += c;
                            });
    // The kept events end at the present; older text may have been dropped.
    const std::uint64_t end = present_ ? present_->console.characters : To;
    const std::uint64_t start = end - std::min<std::uint64_t>(end, all.size());
    From = std::max(From, start);
    if (To <= From) return {};
    return all.substr(static_cast<std::size_t>(From - start), static_cast<std::size_t>(To - From));
}

void TExecutionControl::BackToPresent() {
    if (!viewed_) return;
    if (const std::optional<machine::Moment> present = Present()) ShowMoment(present->statement);
    // A present that cannot be shown again leaves the past all the same.
    viewed_.reset();
    present_.reset();
}

void TExecutionControl::ForgetHistory() {
    BackToPresent();
    historyKept_ = false;
}

void TExecutionControl::GoOnFromPast(const TGoOn& How) {
    const std::uint64_t moment = *viewed_;
    if (How.IsStep && How.OneShot == TGoOn::TOneShot::None) {
        ShowMoment(moment + 1);
        return;
    }
    std::vector<basic::PauseLine> breakpoints = source_.Snapshot().Breakpoints;
    try {
        interpreter_.set_pause_lines(breakpoints);
    } catch (const std::invalid_argument& error) {
        view_.ShowStatus(error.what());
        return;
    }
    // The run parked in the present ends; the view keeps showing the past.
    if (HasThread()) {
        RequestEnd(RunState::ResetRequest);
        JoinEndedRun();
    }
    machine::PastState then;
    try {
        then = recorder_.go_back_to(moment);
        if (!then.snapshot) throw machine::HistoryError("This moment cannot be gone on from");
    } catch (const machine::HistoryError& error) {
        // The present run has ended: the window is where an ended run is.
        view_.ShowStatus(error.what());
        viewed_.reset();
        present_.reset();
        historyKept_ = false;
        SetState(RunState::Reset);
        return;
    }
    TTimeView view;
    view.State = then;
    view.Present = true;
    viewed_.reset();
    present_.reset();
    view_.ShowTime(view);
    view_.Resuming();
    RequestOneShot(How, How.FromStopped, source_.CaretLine());
    StartThreadFrom(How, std::move(*then.snapshot));
}

void TExecutionControl::StartThreadFrom(const TGoOn& How, basic::Snapshot From) {
    resumeFrom_ = std::move(From);
    historyKept_ = true;
    host_.BeginRun(++run_);
    SetState(How.FromStopped);
    thread_ = std::thread(&TExecutionControl::ThreadBody, this, run_);
}

} // namespace marlinet::workbench
