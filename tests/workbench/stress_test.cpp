// Random commands against programs that loop, print, wait and ask for input:
// at most one interpreter thread ever exists, and no command hangs.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "fake_window.h"

namespace marlinet::workbench {
namespace {

using basic::RunState;
using namespace std::chrono_literals;

constexpr const char* kPrograms[] = {
    "10 PRINT \"x\"; A\r\nA = A + 1\r\nGOTO 10",
    "10 SETB 1\r\nDELAY 2\r\nCLRB 1\r\nDELAY 1\r\nGOTO 10",
    "10 INPUT A\r\nINPUT \"$\", K\r\nPRINT A; K\r\nIF A = 3 THEN END\r\nGOTO 10",
    "FOR I = 1 TO 50\r\nSETB 2\r\nNEXT\r\nSTOP\r\nGOTO 99",
    "PRINT 1\r\nEND",
};

int OsThreads() {
    int count = 0;
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task"))
        ++count;
    return count;
}

TEST(ExecutionStressTest, RandomCommandsKeepOneThreadAndNeverHang) {
    testing::TFakeWindow window;
    TBoardModel board;
    TExecutionControl control(window, window, board);
    std::mt19937 random(20240612);
    // A sanitizer's runtime may start a helper thread of its own with the
    // first thread the process makes: let it, before counting.
    std::thread([] {}).join();
    const int baseThreads = OsThreads();
    int slow = 0;
    const auto open = [&] {
        const RunState before = control.EndRun();
        window.EditorText = kPrograms[random() % std::size(kPrograms)];
        if (!window.SaveAndReload()) return control.Restore(before);
        control.EditorMatchesFile();
        control.SetState(RunState::Reset);
    };
    const std::function<void()> commands[] = {
        [&] { control.Run(); },
        [&] { control.Run(); },
        [&] { control.Step(); },
        [&] { control.Stop(); },
        [&] { control.ResetAndReload(); },
        [&] { control.EditorKeyDown(); },
        open,
        [&] { // New
            control.EndRun();
            control.SetState(RunState::Idle);
            window.EditorText.clear();
            control.EditorMatchesFile();
        },
        [&] { window.Answers.push_back(std::to_string(random() % 5)); },
        [&] { window.Answers.push_back(std::nullopt); }, // Stop & Exit
        [&] {                                            // Clear Console
            control.Flush();
            window.Console.clear();
        },
    };
    open();
    for (int i = 0; i < 10000; ++i) {
        const std::size_t pick = random() % std::size(commands);
        const auto start = std::chrono::steady_clock::now();
        commands[pick]();
        const auto took = std::chrono::steady_clock::now() - start;
        if (took > 1s) {
            ++slow;
            ADD_FAILURE() << "command " << i << " (kind " << pick << ") took "
                          << std::chrono::duration_cast<std::chrono::milliseconds>(took).count()
                          << " ms";
        }
        // Let the run go on a little, as the window's event loop would.
        window.Pump(
            control, [] { return false; }, std::chrono::milliseconds(random() % 3));
        ASSERT_LE(control.LiveThreads(), 1);
        ASSERT_LE(OsThreads(), baseThreads + 1) << "after command " << i;
        if (window.Console.size() > (1u << 20)) window.Console.clear();
    }
    EXPECT_EQ(control.MostLiveThreads(), 1);
    EXPECT_EQ(slow, 0);
    control.Close();
    EXPECT_FALSE(control.HasThread());
    EXPECT_EQ(control.LiveThreads(), 0);
}

} // namespace
} // namespace marlinet::workbench
