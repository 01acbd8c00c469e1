// marlinet's command line, run as a separate process: the cases that end
// before the window's event loop starts.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "support/version.h"

namespace {

using marlinet::testing::ChildResult;
using marlinet::testing::RunChild;

ChildResult run_window(const std::string& args) {
    std::vector<std::string> argv = {MARLINET};
    std::istringstream words(args);
    for (std::string word; words >> word;)
        argv.push_back(word);
    return RunChild(argv, {.Environment = {{"QT_QPA_PLATFORM", "offscreen"}},
                           .Timeout = std::chrono::seconds(20)});
}

TEST(WindowCommandLine, AnswersHelpAndVersionAndRefusesWhatItCannotUse) {
    const std::string version =
        std::string("marlinet ") + marlinet::support::kVersion + " (interpreter 1.5D)\n";
    const struct {
        const char* args;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {"--version", 0, version.c_str(), ""},
        {"--help", 0, "Usage: marlinet [FILE]\n", ""},
        // --help wins wherever it stands; after "--" it would be a file name.
        {"-platform offscreen a.bas --help", 0, "Usage: marlinet [FILE]\n", ""},
        {"--bogus a.bas", 2, "", "marlinet: unknown option --bogus\n"},
        {"a.bas b.bas", 2, "", "marlinet: only one FILE may be given\n"},
    };
    for (const auto& c : cases) {
        const ChildResult r = run_window(c.args);
        EXPECT_EQ(r.Status, c.status) << c.args;
        EXPECT_TRUE(r.Out.starts_with(c.out)) << c.args << ": " << r.Out;
        // Qt may warn about the environment first.
        EXPECT_NE(r.Err.find(c.err), std::string::npos) << c.args << ": " << r.Err;
    }
}

} // namespace
