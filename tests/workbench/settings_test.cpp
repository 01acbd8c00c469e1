// The window's settings store and the recent files kept in it.
#include <gtest/gtest.h>

#include <sstream>

#include <QDir>

#include "fake_dialogs.h"
#include "workbench/recent_files.h"
#include "workbench/workbench_settings.h"

namespace marlinet::workbench {
namespace {

using testing::TTempDir;

std::filesystem::path Path(const QString& File) {
    return File.toStdString();
}

// Texts the INI parser would trim, cut at a comment, or cut at its line
// length come back as they were written, however the list changes.
TEST(WorkbenchSettings, TextsComeBackByteForByteAndShorterListsLeaveNothingBehind) {
    const TTempDir dir;
    TWorkbenchSettings settings(Path(dir.File("sub/store.ini")));
    const std::vector<std::string> texts = {
        "/home/u/prog.bas",
        "  blanks around  ",
        "a ; comment # and % and = and :",
        "\x01\x7F\xE9\xFF",
        std::string(1000, 'x') + "/end.bas",
        "%4",
    };
    settings.WriteList("T", texts, 8);
    EXPECT_EQ(settings.ReadList("T", 8), texts);
    std::istringstream file(testing::ReadFile(dir.File("sub/store.ini")).value_or(""));
    for (std::string line; std::getline(file, line);)
        EXPECT_LE(line.size(), 198u) << line;

    const std::vector<std::string> fewer = {"short", "x"};
    settings.WriteList("T", fewer, 8);
    EXPECT_EQ(settings.ReadList("T", 8), fewer);
    EXPECT_EQ(settings.ReadList("T", 1), std::vector<std::string>{"short"});

    EXPECT_EQ(settings.ReadInteger("Zoom"), std::nullopt);
    settings.WriteInteger("Zoom", -125);
    EXPECT_EQ(TWorkbenchSettings(Path(dir.File("sub/store.ini"))).ReadInteger("Zoom"), -125);
}

// Newest first, each file once and absolute, at most eight; two lists on
// one store share what each adds.
TEST(RecentFiles, NewestFirstOnceAbsoluteAndAtMostEightSharedBetweenWindows) {
    const TTempDir dir;
    TWorkbenchSettings settings(Path(dir.File("store.ini")));
    TWorkbenchSettings sameStore(Path(dir.File("store.ini")));
    TRecentFiles recent(settings), other(sameStore);
    for (int i = 1; i <= 9; ++i)
        recent.Add(dir.File(QStringLiteral("p%1.bas").arg(i).toLatin1().constData()));
    other.Add(dir.File("p5.bas"));
    const QStringList files = recent.Files();
    ASSERT_EQ(files.size(), 8);
    EXPECT_EQ(files[0], dir.File("p5.bas"));
    EXPECT_EQ(files[1], dir.File("p9.bas"));
    EXPECT_EQ(files[7], dir.File("p2.bas"));

    recent.Add(QStringLiteral("relative.bas"));
    EXPECT_EQ(other.Files().constFirst(), QDir::current().absoluteFilePath("relative.bas"));
    recent.Clear();
    EXPECT_TRUE(other.Files().isEmpty());
}

} // namespace
} // namespace marlinet::workbench
