// Runs a program as a child process, the one way every end-to-end test and
// benchmark does: standard input from a text, standard output and error
// captured whole, an optional interrupt, and a time limit after which the
// child is killed, so that no test can hang on a child.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace marlinet::testing {

struct ChildOptions {
    // Standard input. A regular file holding it, so that the child can read
    // and seek as on a redirected file; with KeepInputOpen a pipe instead,
    // whose writing end stays open until the child ends (a read past the
    // text then waits).
    std::string Input{};
    bool KeepInputOpen = false;
    // Set in the child's environment.
    std::vector<std::pair<std::string, std::string>> Environment{};
    // Run as this user and group (root only): a file's own permissions then
    // decide whether the child can read it.
    std::optional<uid_t> AsUser{};
    // SIGINT this long after the start.
    std::optional<std::chrono::milliseconds> InterruptAfter{};
    // SIGKILL this long after the start.
    std::chrono::milliseconds Timeout{60000};
};

struct ChildResult {
    int Status = -1; // the exit status; -1 when the child did not exit
    int Signal = 0;  // the signal that ended it, else 0
    bool TimedOut = false;
    std::string Out;
    std::string Err;
};

// Argv[0] is the program (a path, or a name looked up in PATH). A program
// that cannot be started exits with 127, as a shell's would.
ChildResult RunChild(const std::vector<std::string>& Argv, const ChildOptions& Options = {});

// Quotes Text for a POSIX shell command line.
std::string ShellQuote(const std::string& Text);

} // namespace marlinet::testing
