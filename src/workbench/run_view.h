// What the execution control shows of a run: the run model's events in the
// order they happened, the pauses, the INPUT questions and the end; and the
// few things its commands change in the window. The main window implements
// it; tests implement it without widgets.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "interpreter/debugging.h"
#include "machine/io_event.h"
#include "support/program_line.h"
#include "workbench/board_model.h"
#include "workbench/input_mode.h"
#include "workbench/variable_values.h"

namespace marlinet::workbench {

using support::TProgramLine;

// A run has stopped before the statement on Line: paused (by Step, Stop,
// STOP, a breakpoint or a one-shot pause), or ended by an error there.
struct TRunPause {
    TProgramLine Line;
    TVariableValues Variables{};
    // Why it paused (Cause.reason is None for an error).
    basic::PauseCause Cause;
    // The open GOSUBs and FOR loops (empty for an error).
    basic::CallStack Calls;
};

class TRunView {
public:
    virtual ~TRunView() = default;

    // Any thread: the window thread is to call TExecutionControl::Deliver
    // soon. Must not block.
    virtual void WakeWindow() = 0;

    // ---- window thread: the run ----
    // A run has started: every variable is 0.
    virtual void Started() = 0;
    // What the run did: printing, lamps, the DAC, the ADC selection and an
    // INPUT answer (the RX bit is cleared). Texts are valid during the call.
    virtual void Show(const machine::IoEvent& Event) = 0;
    // An ADC read trimmed the blanks around a number: the field shows
    // Reading.Trimmed if it still holds Reading.Text.
    virtual void ShowAdcText(const AdcReading& Reading) = 0;
    // Shows the INPUT dialog until it is answered with some text, which is
    // returned, or left with Stop & Exit, which returns nothing.
    virtual std::optional<std::string> AskInput(TInputMode Mode) = 0;
    virtual void Paused(const TRunPause& Pause) = 0;
    // The program ended (END or the end of its text) with these variables.
    virtual void Ended(const TVariableValues& Variables) = 0;
    // An error ended the run where Pause says; the status text is shown.
    virtual void Failed(const TRunPause& Pause) = 0;

    // ---- window thread: what the commands change ----
    // Status panel 2: an error, why the run paused, or nothing.
    virtual void ShowStatus(std::string_view Text) = 0;
    virtual void FocusConsole() = 0;
    // Run and Step go on: the paused line and what marked it go, and the
    // editor selects whole lines while the program runs.
    virtual void Resuming() = 0;
    // A key changed the text: the editor selects by characters again.
    virtual void Editing() = 0;
    virtual void ResetBoard() = 0;
};

} // namespace marlinet::workbench
