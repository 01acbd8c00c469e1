// A window for the execution control without widgets, as its program source
// and its run view: it records what a run shows, answers INPUT from a
// script, keeps the "file" in memory, and lets the test thread play the
// window thread (Pump).
#pragma once

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <variant>

#include <gtest/gtest.h>

#include "interpreter/program_buffer.h"
#include "workbench/execution_control.h"

namespace marlinet::workbench::testing {

class TFakeWindow : public TProgramSource, public TRunView {
public:
    // ---- what the test sets ----
    std::string EditorText; // saved by SaveAndReload
    std::string FileName = "prog.bas";
    bool SaveFails = false;
    std::vector<basic::PauseLine> Breakpoints; // what a snapshot carries
    int Caret = 1;                             // the caret's line
    // INPUT answers in order; nothing is Stop & Exit; "7" when none is left.
    std::deque<std::optional<std::string>> Answers;

    // ---- what the window shows ----
    std::string Console;
    std::array<bool, 4> Lamps{};
    TVariableValues Grid{};
    int GridResets = 0;
    int GridRefreshes = 0;
    // The line of the last pause or error, until the run goes on.
    std::optional<int> ShownLine;
    basic::PauseCause Cause; // of the last pause
    basic::CallStack Calls;  // at the last pause
    int Pauses = 0;
    bool WholeLines = true;
    std::string Status;
    std::string File; // what the last save wrote
    int Saves = 0;
    int BoardResets = 0;
    int RxCleared = 0;
    std::vector<TInputMode> Asked;
    std::function<void()> DuringInput; // runs while the dialog is up

    // ---- the program source ----
    void NameUntitledFile(bool) override {}
    TProgramSnapshot Snapshot() const override {
        return {program_, FileName, Breakpoints, CaretLine()};
    }
    std::optional<TProgramSnapshot> SaveAndReload() override {
        if (SaveFails || FileName.empty()) return std::nullopt;
        const TProgramLine caret = CaretLine();
        File = EditorText;
        ++Saves;
        program_ = basic::ProgramBuffer::from_file_bytes(File);
        ShownLine.reset();
        TProgramSnapshot snapshot = Snapshot();
        snapshot.CaretLine = caret;
        return snapshot;
    }
    TProgramLine CaretLine() const override { return TProgramLine{Caret}; }
    const basic::ProgramBuffer& Program() const { return program_; }

    // ---- the run view ----
    void WakeWindow() override {
        {
            std::lock_guard lock(mutex_);
            woken_ = true;
        }
        wake_.notify_all();
    }
    void Started() override {
        Grid = {};
        ++GridResets;
    }
    void Show(const machine::IoEvent& Event) override {
        if (const auto* print = std::get_if<machine::io::Print>(&Event.what))
            Console += print->text;
        if (const auto* lamp = std::get_if<machine::io::Lamp>(&Event.what))
            Lamps.at(static_cast<std::size_t>(lamp->output - 1)) = lamp->on;
        if (std::holds_alternative<machine::io::InputAnswer>(Event.what)) ++RxCleared;
    }
    void ShowAdcText(const AdcReading&) override {}
    std::optional<std::string> AskInput(TInputMode Mode) override {
        Asked.push_back(Mode);
        if (DuringInput) DuringInput();
        if (Answers.empty()) return "7";
        std::optional<std::string> answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void Paused(const TRunPause& Pause) override {
        Failed(Pause);
        Cause = Pause.Cause;
        Calls = Pause.Calls;
        ++Pauses;
    }
    void Ended(const TVariableValues& Variables) override {
        Grid = Variables;
        ++GridRefreshes;
    }
    void Failed(const TRunPause& Pause) override {
        ShownLine = Pause.Line.Number;
        Ended(Pause.Variables);
    }
    void ShowStatus(std::string_view Text) override { Status = Text; }
    void FocusConsole() override {}
    void Resuming() override {
        WholeLines = true;
        ShownLine.reset();
    }
    void Editing() override { WholeLines = false; }
    // The last moment of the history shown, and how many were.
    std::optional<TTimeView> Time;
    int Travels = 0;
    void ShowTime(const TTimeView& View) override {
        // The console counts no CR.
        for (std::uint64_t n = View.RemovePrinted; n > 0 && !Console.empty(); Console.pop_back())
            n -= Console.back() != '\r';
        Console += View.Reprint;
        Lamps = View.State.outputs.lamps;
        Grid = View.State.variables;
        ShownLine = View.State.line;
        Time = View;
        ++Travels;
    }
    void ResetBoard() override {
        Lamps = {};
        ++BoardResets;
    }

    // Plays the window thread: delivers whatever the run posts until Done
    // holds or Timeout passes. Returns whether Done held.
    bool Pump(TExecutionControl& Control, const std::function<bool()>& Done,
              std::chrono::milliseconds Timeout = std::chrono::seconds(5)) {
        const auto deadline = std::chrono::steady_clock::now() + Timeout;
        for (;;) {
            if (Done()) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            bool woken;
            {
                std::unique_lock lock(mutex_);
                wake_.wait_for(lock, std::chrono::milliseconds(1), [this] { return woken_; });
                woken = woken_;
                woken_ = false;
            }
            if (woken) Control.Deliver();
        }
    }

private:
    basic::ProgramBuffer program_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool woken_ = false;
};

// The execution control over a fake window, as the execution tests drive it.
class TExecutionFixture : public ::testing::Test {
protected:
    TFakeWindow window;
    TBoardModel board;
    TExecutionControl control{window, window, board};

    // As File open leaves it: the program loaded, the state Reset.
    void Load(std::string Text) {
        window.EditorText = std::move(Text);
        ASSERT_TRUE(window.SaveAndReload());
        control.EditorMatchesFile();
        control.SetState(basic::RunState::Reset);
    }
    bool Until(const std::function<bool()>& Done) { return window.Pump(control, Done); }
    bool ParkedAt(int Line) {
        return Until([&] {
            return control.State() == basic::RunState::Stopped && window.ShownLine == Line;
        });
    }
};

} // namespace marlinet::workbench::testing
