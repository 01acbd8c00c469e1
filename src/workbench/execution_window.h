// What the execution control asks of the window. TMainForm implements it;
// tests implement it without widgets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "workbench/window_queue.h"

namespace marlinet::basic {
class ProgramBuffer;
}

namespace marlinet::workbench {

class TExecutionWindow {
public:
    virtual ~TExecutionWindow() = default;

    // Any thread: the window thread is to call TExecutionControl::Deliver
    // soon. Must not block.
    virtual void WakeWindow() = 0;

    // ---- window thread: what a run posted ----
    virtual void Print(std::string_view Text) = 0;
    virtual void SetOutput(int Output) = 0;
    virtual void ClearOutput(int Output) = 0;
    virtual void WriteDac(std::int16_t Value) = 0;
    virtual void ShowAdcSelection() = 0;
    virtual void ShowTrimmedAdcText(const AdcReading& Reading) = 0;
    virtual void ResetVariables() = 0;
    virtual void RefreshGrid(const TVariableValues& Values) = 0;
    // Selects the whole 0-based editor line Line.
    virtual void SelectLine(int Line) = 0;
    // Shows the INPUT dialog until it is answered with some text, which is
    // returned, or left with Stop & Exit, which returns nothing.
    virtual std::optional<std::string> AskInput(TInputMode Mode) = 0;
    virtual void ClearRxBit() = 0;

    // ---- window thread: what the commands need ----
    virtual void SetErrorText(std::string_view Text) = 0;
    virtual void FocusConsole() = 0;
    // Whole-line selection while a program runs, character-wise for editing.
    virtual void SetLineSelection(bool WholeLines) = 0;
    virtual void ResetBoard() = 0;
    // Run and Step: when there is no current file name, asks for one and
    // saves the editor there; Step also shows the name in the caption.
    virtual void NameUntitledFile(bool SetCaption) = 0;
    // Saves the editor to the current file and loads the program from it,
    // into the editor and the program buffer. On failure shows the error and
    // returns false.
    virtual bool SaveAndLoad() = 0;
    // The program buffer a new run executes (copied at the start).
    virtual const basic::ProgramBuffer& Program() const = 0;
};

} // namespace marlinet::workbench
