// Where the execution control gets the program a run executes: the window's
// editor and its file. The control asks the source to save and reload as a
// run needs it and then receives a snapshot; it never reads the editor.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "interpreter/debugging.h"
#include "interpreter/program_buffer.h"
#include "support/program_line.h"

namespace marlinet::workbench {

using support::TProgramLine;

// What a run starts from, taken at one moment on the window thread.
struct TProgramSnapshot {
    basic::ProgramBuffer Program; // as last loaded from the file
    std::string FileName;         // the current file; empty when untitled
    // The enabled breakpoints, ordered by line.
    std::vector<basic::PauseLine> Breakpoints;
    // The caret's line when the snapshot was asked for (before a reload).
    TProgramLine CaretLine;
};

// Window thread only.
class TProgramSource {
public:
    virtual ~TProgramSource() = default;

    // Run and Step without a current file name: asks for one and saves the
    // editor there; Step also shows the name in the caption.
    virtual void NameUntitledFile(bool SetCaption) = 0;
    // The program loaded last (by File open or a reload), with the
    // breakpoints and the caret line as they are now.
    virtual TProgramSnapshot Snapshot() const = 0;
    // Saves the editor to the current file and loads the program from it,
    // into the editor and the program buffer; the snapshot has the caret line
    // of before the reload. Nothing, after the error has been shown, when the
    // save or the load failed.
    virtual std::optional<TProgramSnapshot> SaveAndReload() = 0;
    // The caret's line now.
    virtual TProgramLine CaretLine() const = 0;
};

} // namespace marlinet::workbench
