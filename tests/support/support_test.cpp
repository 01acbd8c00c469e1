// The support layer on its own: listener lists changed while they are
// walked, the atomic file when writing or replacing fails, and enum sets.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "support/ascii.h"
#include "support/enum_set.h"
#include "support/errors.h"
#include "support/events.h"
#include "support/files.h"
#include "temp_dir.h"

namespace marlinet::support {
namespace {

namespace fs = std::filesystem;

// ---- listener lists ----

using Slot = TMethod<void(TObject*)>;

// A listener that logs its tag and then does what the test set up.
struct Listener {
    Listener(char Tag, std::string* Log, TMethodList<Slot>* List)
        : tag(Tag), log(Log), list(List) {}
    char tag;
    std::string* log;
    TMethodList<Slot>* list;
    std::vector<Slot> remove; // removed when called
    std::vector<Slot> add;    // added when called
    int reenter = 0;          // passes started from inside this one

    void Heard(TObject*) {
        *log += tag;
        for (const Slot& s : remove)
            list->Remove(s);
        for (const Slot& s : add)
            list->Add(s);
        while (reenter > 0) {
            --reenter;
            list->CallInOrder(nullptr);
        }
    }
    Slot slot() { return Slot::Of<&Listener::Heard>(this); }
};

TEST(MethodList, APassSeesTheListAsItChangesUnderIt) {
    std::string log;
    TMethodList<Slot> list;
    Listener a{'a', &log, &list}, b{'b', &log, &list}, c{'c', &log, &list}, d{'d', &log, &list};
    const struct {
        const char* what;
        std::function<void()> arrange;
        const char* heard;
    } cases[] = {
        {"in order", [] {}, "abc"},
        {"a removes c, which is not called", [&] { a.remove = {c.slot()}; }, "ab"},
        {"b removes itself; c still has its turn", [&] { b.remove = {b.slot()}; }, "abc"},
        {"a removes itself and b; c still has its turn",
         [&] {
             a.remove = {a.slot(), b.slot()};
         },
         "ac"},
        {"b adds d, which is called in the same pass", [&] { b.add = {d.slot()}; }, "abcd"},
        {"a starts a nested pass that removes c; the outer pass skips c too",
         [&] {
             a.reenter = 1;
             b.remove = {c.slot()};
         },
         "aabb"},
    };
    for (const auto& c_ : cases) {
        for (Listener* l : {&a, &b, &c, &d}) {
            l->remove.clear();
            l->add.clear();
            l->reenter = 0;
            list.RemoveAll(l->slot());
        }
        list.Add(a.slot());
        list.Add(b.slot());
        list.Add(c.slot());
        c_.arrange();
        log.clear();
        list.CallInOrder(nullptr);
        EXPECT_EQ(log, c_.heard) << c_.what;
    }
}

TEST(MethodList, NewestFirstSkipsRemovedSlotsAndDefersAddedOnes) {
    std::string log;
    TMethodList<Slot> list;
    Listener a{'a', &log, &list}, b{'b', &log, &list}, c{'c', &log, &list}, d{'d', &log, &list};
    list.Add(a.slot());
    list.Add(b.slot());
    list.Add(c.slot());
    c.remove = {b.slot()};
    c.add = {d.slot()};
    list.CallNewestFirst([] { return false; }, nullptr);
    EXPECT_EQ(log, "ca");
    log.clear();
    c.remove.clear();
    c.add.clear();
    int calls = 0;
    list.CallNewestFirst([&] { return ++calls == 2; }, nullptr);
    EXPECT_EQ(log, "dc"); // stopped after the second
}

TEST(MethodList, RemoveTakesTheNewestEqualSlotAndRemoveAllEvery) {
    std::string log;
    TMethodList<Slot> list;
    Listener a{'a', &log, &list}, b{'b', &log, &list};
    list.Add(a.slot());
    list.Add(b.slot());
    list.Add(a.slot());
    list.Remove(a.slot());
    list.CallInOrder(nullptr);
    EXPECT_EQ(log, "ab");
    list.Add(a.slot());
    list.RemoveAll(a.slot());
    EXPECT_EQ(list.Count(), 1);
    EXPECT_FALSE(list.Contains(a.slot()));
}

// ---- the atomic file ----

class AtomicFile : public ::testing::Test {
protected:
    marlinet::testing::TempDir temp;
    const fs::path file = temp.Path() / "prog.bas";

    void SetUp() override { marlinet::testing::WriteFile(file, "old"); }
    // Only the target is left in the folder: no temporary file.
    bool OnlyTheTarget() const {
        int entries = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(temp.Path()))
            ++entries;
        return entries == 1 && fs::exists(file);
    }
};

TEST_F(AtomicFile, AWriterDroppedBeforeCommitLeavesTheOldFileAndNoTemporary) {
    {
        TAtomicFile writer(file);
        writer.Write("new", 3);
    }
    EXPECT_EQ(marlinet::testing::ReadFile(file), "old");
    EXPECT_TRUE(OnlyTheTarget());
}

TEST_F(AtomicFile, AFailedWriteRaisesAndKeepsTheOldFile) {
    // The file size limit makes write() fail with EFBIG part-way through.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool raised = false;
    try {
        TAtomicFile writer(file);
        const std::string big(10000, 'x');
        writer.Write(big.data(), big.size());
        writer.Commit();
    } catch (const EFileStreamError& e) {
        raised = true;
        EXPECT_NE(std::string(e.what()).find("prog.bas"), std::string::npos) << e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_TRUE(raised);
    EXPECT_EQ(marlinet::testing::ReadFile(file), "old");
    EXPECT_TRUE(OnlyTheTarget());
}

TEST_F(AtomicFile, AFailedReplaceRaisesAndLeavesNoTemporary) {
    // A non-empty folder cannot be renamed over.
    const fs::path folder = temp.Path() / "folder";
    fs::create_directory(folder);
    marlinet::testing::WriteFile(folder / "inside", "kept");
    TAtomicFile writer(folder);
    writer.Write("new", 3);
    EXPECT_THROW(writer.Commit(), EFileStreamError);
    EXPECT_EQ(marlinet::testing::ReadFile(folder / "inside"), "kept");
    fs::remove_all(folder);
    EXPECT_TRUE(OnlyTheTarget());
    // After a failure the writer refuses more work instead of writing blind.
    EXPECT_THROW(writer.Write("x", 1), EFileStreamError);
}

TEST_F(AtomicFile, CommitReplacesTheWholeFile) {
    SaveFileAtomically(file, "new text");
    EXPECT_EQ(marlinet::testing::ReadFile(file), "new text");
    EXPECT_TRUE(OnlyTheTarget());
}

// ---- enum sets ----

enum class Bit : std::uint8_t { A, B, C, H = 7 };
using Set = EnumSet<Bit, std::uint8_t>;

TEST(EnumSet, OperationsOnBits) {
    const Set ab{Bit::A, Bit::B};
    const Set bc{Bit::B, Bit::C};
    const struct {
        const char* what;
        Set result;
        unsigned bits;
    } cases[] = {
        {"union", ab | bc, 0b111},
        {"intersection", ab & bc, 0b010},
        {"difference", ab - bc, 0b001},
        {"include", Set(ab).Include(Bit::H), 0b1000'0011},
        {"exclude", Set(ab).Exclude(Bit::A), 0b010},
        {"exclude absent", Set(ab).Exclude(Bit::C), 0b011},
        {"bits beyond the storage dropped", Set::FromBits(0x1'0000'0105), 0b101},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.result.Bits(), c.bits) << c.what;
    EXPECT_TRUE(ab.Contains(Bit::B));
    EXPECT_FALSE(ab.Contains(Bit::C));
    EXPECT_TRUE((ab | bc).Contains(ab));
    EXPECT_FALSE(ab.Contains(bc));
    EXPECT_TRUE(ab.Contains(Set{}));
    EXPECT_TRUE(Set{}.Empty());
    EXPECT_FALSE(Set{Bit::H}.Empty());
    Set grown = ab;
    grown |= Set{Bit::H};
    EXPECT_EQ(grown, Set::FromBits(0b1000'0011));
}

// ---- ASCII names ----

TEST(AsciiText, ComparesLettersWithoutCaseAndOtherBytesAsTheyAre) {
    const struct {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"Background", "BACKGROUND", 0},
        {"abc", "abd", -1},
        {"abc", "ab", 1},
        {"", "", 0},
        {"[", "a", -1},       // '[' sits between 'Z' and 'a'
        {"\xC4", "\xE4", -1}, // bytes above 127 are not folded
    };
    for (const auto& c : cases) {
        const int got = CompareText(c.a, c.b);
        EXPECT_EQ((got > 0) - (got < 0), c.sign) << c.a << " / " << c.b;
        EXPECT_EQ(SameText(c.a, c.b), c.sign == 0) << c.a << " / " << c.b;
    }
}

} // namespace
} // namespace marlinet::support
