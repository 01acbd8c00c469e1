// marlinet's command line, run as a separate process: the cases that end
// before the window's event loop starts.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/wait.h>

#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

// The file's bytes; empty when it cannot be read.
std::string slurp(const fs::path& file) {
    return marlinet::testing::ReadFile(file).value_or("");
}

Result run_window(const std::string& args) {
    const marlinet::testing::TempDir temp;
    const fs::path& dir = temp.Path();
    const std::string command = std::string("QT_QPA_PLATFORM=offscreen timeout 20 '") + MARLINET +
                                "' " + args + " >" + (dir / "out").string() + " 2>" +
                                (dir / "err").string();
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(dir / "out"), slurp(dir / "err")};
}

TEST(WindowCommandLine, AnswersHelpAndVersionAndRefusesWhatItCannotUse) {
    const struct {
        const char* args;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {"--version", 0, "marlinet 1.5 (interpreter 1.5D)\n", ""},
        {"--help", 0, "Usage: marlinet [FILE]\n", ""},
        // --help wins wherever it stands; after "--" it would be a file name.
        {"-platform offscreen a.bas --help", 0, "Usage: marlinet [FILE]\n", ""},
        {"--bogus a.bas", 2, "", "marlinet: unknown option --bogus\n"},
        {"a.bas b.bas", 2, "", "marlinet: only one FILE may be given\n"},
    };
    for (const auto& c : cases) {
        const Result r = run_window(c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_TRUE(r.out.starts_with(c.out)) << c.args << ": " << r.out;
        // Qt may warn about the environment first.
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.args << ": " << r.err;
    }
}

} // namespace
