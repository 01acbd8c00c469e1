// A window for the execution control without widgets: it records what a run
// shows, answers INPUT from a script, keeps the "file" in memory, and lets
// the test thread play the window thread (Pump).
#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "interpreter/program_buffer.h"
#include "workbench/execution_control.h"

namespace marlinet::workbench::testing {

class TFakeWindow : public TExecutionWindow {
public:
    // ---- what the test sets ----
    std::string EditorText; // saved by SaveAndLoad
    std::string FileName = "prog.bas";
    bool SaveFails = false;
    // INPUT answers in order; nothing is Stop & Exit; "7" when none is left.
    std::deque<std::optional<std::string>> Answers;

    // ---- what the window shows ----
    std::string Console;
    std::array<bool, 4> Lamps{};
    TVariableValues Grid{};
    int GridResets = 0;
    int GridRefreshes = 0;
    std::optional<int> SelectedLine;
    bool WholeLines = true;
    std::string ErrorText;
    std::string File; // what the last save wrote
    int Saves = 0;
    int BoardResets = 0;
    int RxCleared = 0;
    std::vector<TInputMode> Asked;
    std::function<void()> DuringInput; // runs while the dialog is up

    void WakeWindow() override {
        {
            std::lock_guard lock(mutex_);
            woken_ = true;
        }
        wake_.notify_all();
    }

    void Print(std::string_view Text) override { Console += Text; }
    void SetOutput(int Output) override { Lamps.at(static_cast<std::size_t>(Output - 1)) = true; }
    void ClearOutput(int Output) override {
        Lamps.at(static_cast<std::size_t>(Output - 1)) = false;
    }
    void WriteDac(std::int16_t) override {}
    void ShowAdcSelection() override {}
    void ShowTrimmedAdcText(const AdcReading&) override {}
    void ResetVariables() override {
        Grid = {};
        ++GridResets;
    }
    void RefreshGrid(const TVariableValues& Values) override {
        Grid = Values;
        ++GridRefreshes;
    }
    void SelectLine(int Line) override { SelectedLine = Line; }
    std::optional<std::string> AskInput(TInputMode Mode) override {
        Asked.push_back(Mode);
        if (DuringInput) DuringInput();
        if (Answers.empty()) return "7";
        std::optional<std::string> answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void ClearRxBit() override { ++RxCleared; }

    void SetErrorText(std::string_view Text) override { ErrorText = Text; }
    void FocusConsole() override {}
    void SetLineSelection(bool Whole) override { WholeLines = Whole; }
    void ResetBoard() override {
        Lamps = {};
        ++BoardResets;
    }
    void NameUntitledFile(bool) override {}
    bool SaveAndLoad() override {
        if (SaveFails || FileName.empty()) return false;
        File = EditorText;
        ++Saves;
        program_ = basic::ProgramBuffer::from_file_bytes(File);
        SelectedLine.reset();
        return true;
    }
    const basic::ProgramBuffer& Program() const override { return program_; }

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

} // namespace marlinet::workbench::testing
