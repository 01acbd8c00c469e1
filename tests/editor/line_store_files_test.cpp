// The line store's files and streams: line-break formats, byte-exact round
// trips, and saves that never leave a damaged file behind, even when killed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "editor/errors.h"
#include "editor/file_io.h"
#include "editor/string_list.h"
#include "temp_dir.h"

namespace marlinet::editor {
namespace {

namespace fs = std::filesystem;
using ::testing::AnyOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::vector<std::string> LinesOf(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list.Get(i));
    return lines;
}

using marlinet::testing::ReadFile;
using marlinet::testing::WriteFile;

// A fresh folder per test, removed afterwards.
class TempDir : public ::testing::Test {
protected:
    // Files in the folder other than the ones named.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_))
            names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    marlinet::testing::TempDir temp_;
    const fs::path dir_ = temp_.Path();
};

struct FormatCase {
    std::string bytes;
    std::vector<std::string> lines;
    TSynEditFileFormat format;
};

class LoadFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(LoadFormats, LinesAndFormatFollowTheBreaksAndSavingGivesBackTheBytes) {
    const FormatCase& c = GetParam();
    TSynEditStringList list;
    std::istringstream in(c.bytes);
    list.LoadFromStream(in);
    EXPECT_EQ(LinesOf(list), c.lines);
    EXPECT_EQ(list.FileFormat(), c.format);
    std::ostringstream out;
    list.SaveToStream(out);
    EXPECT_EQ(out.str(), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(SingleKindOfBreak, LoadFormats,
                         ::testing::Values(FormatCase{"A\r\nB\r\n", {"A", "B", ""}, sffDos},
                                           FormatCase{"A\nB", {"A", "B"}, sffUnix},
                                           FormatCase{"A\rB\r\rC", {"A", "B", "", "C"}, sffMac},
                                           FormatCase{"", {}, sffDos},
                                           FormatCase{"one line", {"one line"}, sffDos},
                                           FormatCase{"\n", {"", ""}, sffUnix},
                                           FormatCase{std::string("a\0b\x1A\xE9\r\n", 7),
                                                      {std::string("a\0b\x1A\xE9", 5), ""},
                                                      sffDos}));

TEST(LoadMixedBreaks, LfCrIsTwoBreaksAndMixedBreaksCountAsDos) {
    TSynEditStringList list;
    std::istringstream in("A\n\rB");
    list.LoadFromStream(in);
    EXPECT_THAT(LinesOf(list), ElementsAre("A", "", "B"));
    EXPECT_EQ(list.FileFormat(), sffDos);
    std::ostringstream out;
    list.SaveToStream(out);
    EXPECT_EQ(out.str(), "A\r\n\r\nB");
}

TEST(LoadMixedBreaks, LoadingReadsFromTheStartOfTheStreamInOneBracket) {
    TSynEditStringList list;
    list.Add("old");
    std::istringstream in("X\nY");
    in.get(); // a stream already read from is still loaded whole
    int changing = 0;
    struct Counter {
        int* n;
        void Hit(TObject*) { ++*n; }
    } counter{&changing};
    list.OnChanging = TNotifyEvent::Of<&Counter::Hit>(&counter);
    list.LoadFromStream(in);
    EXPECT_THAT(LinesOf(list), ElementsAre("X", "Y"));
    EXPECT_EQ(changing, 1);
}

TEST(LoadMixedBreaks, ReloadingReplacesEveryLineAndCapacityFollowsTheGrowthRule) {
    TSynEditStringList list;
    std::string big;
    for (int i = 0; i < 101; ++i)
        big += "line\r";
    std::istringstream first(big);
    list.LoadFromStream(first);
    EXPECT_EQ(list.Count(), 102);
    EXPECT_EQ(list.Capacity(), 125);
    EXPECT_EQ(list.FileFormat(), sffMac);
    std::istringstream second("x\ny");
    list.LoadFromStream(second);
    EXPECT_THAT(LinesOf(list), ElementsAre("x", "y"));
    EXPECT_EQ(list.Capacity(), 16);
    EXPECT_EQ(list.FileFormat(), sffUnix);
}

// Loaded lines are slices of the loaded bytes until they are replaced; every
// way of reading or moving them must see the same text as a typed line.
TEST(LoadMixedBreaks, LoadedLinesReadAndMoveLikeTypedOnes) {
    TSynEditStringList list;
    std::istringstream in("\tAB\r\nCDEFGHIJKLMNOPQRSTU\r\nxy");
    list.LoadFromStream(in);
    list.Put(2, "typed");
    list.Exchange(0, 1);
    list.Insert(1, "new");
    EXPECT_THAT(LinesOf(list), ElementsAre("CDEFGHIJKLMNOPQRSTU", "new", "\tAB", "typed"));
    EXPECT_EQ(list.GetRef(2), "\tAB");
    EXPECT_EQ(list.GetRef(0), "CDEFGHIJKLMNOPQRSTU");
    EXPECT_EQ(list.ExpandedStrings(2), std::string(8, '\t') + "AB");
    std::string buffer;
    EXPECT_EQ(list.ExpandedText(0, buffer), "CDEFGHIJKLMNOPQRSTU");
    EXPECT_EQ(list.LengthOfLongestLine(), 19);
    EXPECT_EQ(list.Text(), "CDEFGHIJKLMNOPQRSTU\r\nnew\r\n\tAB\r\ntyped");
    list.Delete(0);
    std::istringstream again("1\n2"); // the first load's bytes go
    list.LoadFromStream(again);
    EXPECT_THAT(LinesOf(list), ElementsAre("1", "2"));
}

TEST_F(TempDir, EachFormatRoundTripsThroughAFileByteForByte) {
    for (const std::string bytes : {"10 A=1\r\n20 PRINT A\r\n", "10 A=1\n20 END", "x\ry\r"}) {
        const fs::path file = dir_ / "prog.bas";
        WriteFile(file, bytes);
        TSynEditStringList list;
        list.LoadFromFile(file);
        fs::remove(file);
        list.SaveToFile(file);
        EXPECT_EQ(ReadFile(file), bytes);
    }
    EXPECT_THAT(Entries(), ElementsAre("prog.bas"));
}

TEST_F(TempDir, WriterFlushesFullBuffersAndGrowsForALongLine) {
    const fs::path file = dir_ / "big.bas";
    TSynEditStringList list;
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        std::string line = std::to_string(i) + " PRINT \"" + std::string(i % 13, 'x') + "\"";
        if (i == 1500) line = std::string(40000, 'L'); // larger than the buffer
        list.Add(line);
        expected += line;
        if (i + 1 < 3000) expected += "\r\n";
    }
    list.SaveToFile(file);
    EXPECT_EQ(ReadFile(file), expected);

    TSynEditFileWriter writer(dir_ / "w.txt");
    writer.WriteLine(std::string(20000, 'a'), "\n");
    EXPECT_EQ(writer.BufferCapacity(), 20001u);
    writer.Close();
    EXPECT_EQ(fs::file_size(dir_ / "w.txt"), 20001u);
}

TEST_F(TempDir, LoadingAMissingFileRaisesNamingItAndKeepsTheLines) {
    TSynEditStringList list;
    list.Add("kept");
    const fs::path missing = dir_ / "nothing.bas";
    try {
        list.LoadFromFile(missing);
        FAIL();
    } catch (const EFileStreamError& e) {
        EXPECT_THAT(e.what(), HasSubstr(missing.string()));
        EXPECT_THAT(e.what(), HasSubstr("No such file"));
    }
    EXPECT_THROW(list.LoadFromFile(dir_), EFileStreamError); // a folder
    EXPECT_THAT(LinesOf(list), ElementsAre("kept"));
}

TEST_F(TempDir, SavingIntoAMissingFolderRaisesNamingTheFile) {
    TSynEditStringList list;
    list.Add("x");
    const fs::path target = dir_ / "no-such-folder" / "prog.bas";
    try {
        list.SaveToFile(target);
        FAIL();
    } catch (const EFileStreamError& e) {
        EXPECT_THAT(e.what(), HasSubstr("Cannot create file"));
        EXPECT_THAT(e.what(), HasSubstr(target.string()));
    }
}

TEST_F(TempDir, AFailedRenameLeavesNoTemporaryFile) {
    fs::create_directory(dir_ / "prog.bas"); // a folder where the file should go
    TSynEditStringList list;
    list.Add("x");
    EXPECT_THROW(list.SaveToFile(dir_ / "prog.bas"), EFileStreamError);
    EXPECT_THAT(Entries(), ElementsAre("prog.bas"));
    EXPECT_TRUE(fs::is_directory(dir_ / "prog.bas"));
}

// The file size limit makes the write fail part-way, as a full disk would.
TEST_F(TempDir, AnInterruptedSaveLeavesTheOldFileIntact) {
    const fs::path file = dir_ / "prog.bas";
    const std::string old = "10 PRINT \"old\"\r\n20 END";
    WriteFile(file, old);
    TSynEditStringList list;
    for (int i = 0; i < 10000; ++i)
        list.Add("100 PRINT \"a line that makes the file large\"");

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 20000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    std::string message;
    try {
        list.SaveToFile(file);
    } catch (const EFileStreamError& e) {
        message = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_THAT(message, HasSubstr("Cannot write file"));
    EXPECT_THAT(message, HasSubstr(file.string()));
    EXPECT_EQ(ReadFile(file), old);
    EXPECT_THAT(Entries(), ElementsAre("prog.bas"));
}

TEST_F(TempDir, SavingKeepsPermissionsAndWritesThroughASymlink) {
    const fs::path real = dir_ / "real.bas";
    WriteFile(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, dir_ / "link.bas");
    TSynEditStringList list;
    list.Add("new");
    list.SaveToFile(dir_ / "link.bas");
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.bas"));
    EXPECT_EQ(ReadFile(real), "new");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A child saves two versions of a program in turn, over and over, and is
// killed at a random moment, 200 times. The file always holds one version
// whole. A killed writer may leave its temporary file; the next save removes
// it, so at most one is ever there.
TEST_F(TempDir, AKilledSaveLeavesOneWholeVersionAndNoPileOfTemporaries) {
    const fs::path file = dir_ / "prog.bas";
    TSynEditStringList versions[2];
    for (int i = 0; i < 2500; ++i) {
        versions[0].Add(std::to_string(i) + " PRINT \"old\"; " + std::to_string(i));
        versions[1].Add(std::to_string(i) + " PRINT \"new version\"; " + std::to_string(i * 7));
    }
    const std::string texts[2] = {versions[0].GetTextStr(), versions[1].GetTextStr()};
    versions[0].SaveToFile(file);

    std::mt19937 random(13);
    int leftBehind = 0;
    std::set<pid_t> children;
    for (int kill = 0; kill < 200; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            (void)!::write(ready[1], "r", 1);
            try {
                for (int v = 1;; v ^= 1)
                    versions[v].SaveToFile(file);
            } catch (...) {
                ::_exit(1);
            }
        }
        children.insert(child);
        char byte;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        ::close(ready[1]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 4000));
        ::kill(child, SIGKILL);
        ASSERT_EQ(::waitpid(child, nullptr, 0), child);

        const std::string now = ReadFile(file).value_or("");
        ASSERT_TRUE(now == texts[0] || now == texts[1])
            << "kill " << kill << ": " << now.size() << " bytes";
        std::vector<std::string> temporaries = Entries();
        std::erase(temporaries, "prog.bas");
        ASSERT_LE(temporaries.size(), 1u) << "kill " << kill;
        // A killed child's: this one's, or an earlier one's when this one died
        // before its save began.
        if (!temporaries.empty()) {
            const std::string& name = temporaries[0];
            const std::size_t start = std::string_view(".prog.bas.save-").size();
            const std::string pid = name.substr(start, name.rfind('-') - start);
            EXPECT_TRUE(children.contains(std::stoi(pid))) << name;
            ++leftBehind;
        }
    }
    // Many kills land in a save; the file a killed save left goes with the next save.
    EXPECT_GT(leftBehind, 20);
    RecordProperty("KillsThatLeftATemporaryFile", leftBehind);
    versions[0].SaveToFile(file);
    EXPECT_THAT(Entries(), ElementsAre("prog.bas"));
}

// Only temporary files without a live writer are removed, and only ours.
TEST_F(TempDir, ASaveLeavesALiveWritersTemporaryAndOtherFilesAlone) {
    const fs::path file = dir_ / "prog.bas";
    WriteFile(dir_ / ".prog.bas.save-notes", "a user's file");
    TAtomicFile writer(file);
    writer.Write("first", 5);
    TSynEditStringList list;
    list.Add("second");
    list.SaveToFile(file);
    EXPECT_EQ(Entries().size(), 3u); // the writer's temporary file is still there
    writer.Commit();
    EXPECT_EQ(ReadFile(file), "first");
    EXPECT_THAT(Entries(), ElementsAre(".prog.bas.save-notes", "prog.bas"));
}

TEST(SaveToStream, AFailingStreamIsReported) {
    TSynEditStringList list;
    list.Add("x");
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    EXPECT_THROW(list.SaveToStream(out), EFileStreamError);
}

} // namespace
} // namespace marlinet::editor
