// Saving and loading attribute settings: INI files and the settings store.
#include <cstdlib>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "highlight/attribute_storage.h"
#include "highlight/vb_highlighter.h"
#include "recorder.h"
#include "temp_dir.h"

namespace marlinet::highlight {
namespace {

using marlinet::testing::ReadFile;
using marlinet::testing::TempDir;
using marlinet::testing::WriteFile;
using testing::Recorder;

void Customise(TSynVBSyn& hl) {
    hl.KeyAttri()->SetForeground(clWhite);
    hl.KeyAttri()->SetStyle(fsBold | fsItalic | fsUnderline);
    hl.StringAttri()->SetForeground(16777088);
    hl.CommentAttri()->SetBackground(static_cast<TColor>(0x80000005)); // a system colour
    hl.SymbolAttri()->SetStyle(fsStrikeOut);
}

void ExpectSameValues(const TSynVBSyn& a, const TSynVBSyn& b) {
    for (int i = 0; i < a.GetAttribCount(); ++i) {
        const TSynHighlighterAttributes* x = a.GetAttribute(i);
        const TSynHighlighterAttributes* y = b.GetAttribute(i);
        EXPECT_EQ(x->Background(), y->Background()) << x->Name();
        EXPECT_EQ(x->Foreground(), y->Foreground()) << x->Name();
        EXPECT_EQ(x->Style(), y->Style()) << x->Name();
    }
}

TEST(IniPersistence, RoundTripsEveryAttribute) {
    TempDir dir;
    const std::string file = dir.File("colours.ini");
    TSynVBSyn saved(nullptr), loaded(nullptr);
    Customise(saved);
    ASSERT_TRUE(SaveToFile(saved, file));
    ASSERT_TRUE(LoadFromFile(loaded, file));
    ExpectSameValues(saved, loaded);
}

TEST(IniPersistence, WritesOneSectionPerAttributeWithSignedIntegers) {
    TempDir dir;
    const std::string file = dir.File("colours.ini");
    TSynVBSyn hl(nullptr);
    Customise(hl);
    ASSERT_TRUE(SaveToFile(hl, file));
    const std::string text = ReadFile(file).value_or("");
    EXPECT_NE(text.find("[Reserved Word]\nBackground=536870911\nForeground=16777215\nStyle=7\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("[Comment]\nBackground=-2147483643\n"), std::string::npos) << text;
    for (const char* section : {"[Identifier]", "[Number]", "[Space]", "[String]", "[Symbol]"})
        EXPECT_NE(text.find(section), std::string::npos) << section;
}

TEST(IniPersistence, AMissingSectionLeavesThatAttributeAloneAndAnswersFalse) {
    TempDir dir;
    const std::string file = dir.File("partial.ini");
    WriteFile(file, "[Reserved Word]\nForeground=255\n"
                    "[Number]\nBackground=0\nForeground=65280\nStyle=2\n"
                    "[String]\n"); // present but empty
    TSynVBSyn hl(nullptr);
    EXPECT_FALSE(LoadFromFile(hl, file));
    EXPECT_EQ(hl.KeyAttri()->Foreground(), 255);
    EXPECT_EQ(hl.KeyAttri()->Style(), fsBold); // absent key: kept
    EXPECT_EQ(hl.KeyAttri()->Background(), clNone);
    EXPECT_EQ(hl.NumberAttri()->Background(), 0);
    EXPECT_EQ(hl.NumberAttri()->Foreground(), 65280);
    EXPECT_EQ(hl.NumberAttri()->Style(), fsItalic);
    EXPECT_EQ(hl.StringAttri()->Foreground(), clNone);
    EXPECT_EQ(hl.CommentAttri()->Style(), fsItalic);
}

TEST(IniPersistence, AMissingFileAnswersFalseAndChangesNothing) {
    TempDir dir;
    TSynVBSyn hl(nullptr);
    Recorder r;
    hl.HookAttrChangeEvent(r.Slot());
    EXPECT_FALSE(LoadFromFile(hl, dir.File("none.ini")));
    EXPECT_EQ(r.Count(), 0);
}

TEST(IniPersistence, SectionAndKeyNamesIgnoreCaseAndBadNumbersKeepTheValue) {
    TempDir dir;
    const std::string file = dir.File("odd.ini");
    WriteFile(file, "; colours\n[reserved word]\nforeground = 0xFF ; blue\nSTYLE=lots\n"
                    "[Comment]\r\nBackground=$80000008\nForeground=99999999999\nStyle=+1\n");
    TSynVBSyn hl(nullptr);
    LoadFromFile(hl, file);
    EXPECT_EQ(hl.KeyAttri()->Foreground(), 255);
    EXPECT_EQ(hl.KeyAttri()->Style(), fsBold);
    EXPECT_EQ(hl.CommentAttri()->Background(), static_cast<TColor>(0x80000008));
    EXPECT_EQ(hl.CommentAttri()->Foreground(), clNone);
    EXPECT_EQ(hl.CommentAttri()->Style(), fsBold);
}

TEST(IniPersistence, LoadingNotifiesPerChangeUnlessBracketed) {
    TempDir dir;
    const std::string file = dir.File("colours.ini");
    TSynVBSyn saved(nullptr);
    Customise(saved);
    ASSERT_TRUE(SaveToFile(saved, file));
    TSynVBSyn hl(nullptr);
    Recorder r;
    hl.HookAttrChangeEvent(r.Slot());
    hl.BeginUpdate();
    LoadFromFile(hl, file);
    hl.EndUpdate();
    EXPECT_EQ(r.Count(), 1);
}

TEST(IniPersistence, SavingKeepsCommentsOtherSectionsAndLineBreaks) {
    TempDir dir;
    const std::string file = dir.File("shared.ini");
    WriteFile(file, "; settings of several programs\r\n"
                    "[Window]\r\nWidth=640\r\n\r\n"
                    "[Reserved Word]\r\n; keep me\r\nForeground=1\r\nExtra=yes\r\n\r\n"
                    "[Tail]\r\nx=1\r\n");
    TSynVBSyn hl(nullptr);
    hl.KeyAttri()->SetForeground(clWhite);
    ASSERT_TRUE(SaveToFile(hl, file));
    const std::string text = ReadFile(file).value_or("");
    EXPECT_EQ(text.find("; settings of several programs\r\n[Window]\r\nWidth=640\r\n\r\n"
                        "[Reserved Word]\r\n; keep me\r\nForeground=16777215\r\nExtra=yes\r\n"
                        "Background=536870911\r\nStyle=1\r\n\r\n[Tail]\r\nx=1\r\n"),
              0U)
        << text;
    EXPECT_EQ(text.find("\n\n"), std::string::npos); // every break stays CR LF
    // Saving the same values again changes nothing.
    ASSERT_TRUE(SaveToFile(hl, file));
    EXPECT_EQ(ReadFile(file), text);
}

TEST(IniPersistence, SavingWhereNoFileCanBeWrittenAnswersFalse) {
    TempDir dir;
    TSynVBSyn hl(nullptr);
    EXPECT_FALSE(SaveToFile(hl, dir.File("missing/dir/colours.ini")));
    // A directory in the file's place is neither read nor replaced.
    std::filesystem::create_directory(dir.File("taken.ini"));
    EXPECT_FALSE(SaveToFile(hl, dir.File("taken.ini")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("taken.ini")));
    EXPECT_FALSE(LoadFromFile(hl, dir.File("taken.ini")));
}

TEST(IniPersistence, SavingThroughALinkUpdatesTheFileItNames) {
    TempDir dir;
    WriteFile(dir.File("real.ini"), "[Other]\nx=1\n");
    std::filesystem::create_symlink(dir.File("real.ini"), dir.File("link.ini"));
    TSynVBSyn hl(nullptr);
    ASSERT_TRUE(SaveToFile(hl, dir.File("link.ini")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.ini")));
    EXPECT_NE(ReadFile(dir.File("real.ini")).value_or("").find("[Symbol]"), std::string::npos);
    EXPECT_NE(ReadFile(dir.File("real.ini")).value_or("").find("[Other]\nx=1\n"),
              std::string::npos);
}

TEST(IniFile, WritesLandWhereTheReaderLooks) {
    TempDir dir;
    const std::string file = dir.File("x.ini");
    // An indented line after a key continues its value for the reader; the
    // writer must not take it for a key of its own.
    WriteFile(file, "top=1\n[A]\nk=1\n  Style=9\n[a]\nStyle=3\n");
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadInteger("A", "Style", -1), 3);
    ini.WriteInteger("A", "style", 4);
    EXPECT_EQ(ini.ReadInteger("a", "STYLE", -1), 4);
    EXPECT_EQ(ini.ReadInteger("", "top", -1), 1);
    ini.WriteInteger("", "top", 2);
    ini.WriteInteger("B", "n", 5);
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(ReadFile(file), "top=2\n[A]\nk=1\n  Style=9\n[a]\nStyle=4\n\n[B]\nn=5\n");
    EXPECT_EQ(ini.ReadSection("a"), (std::vector<std::string>{"k", "Style"}));
    EXPECT_TRUE(ini.SectionExists("b"));
}

TEST(IniFile, AVeryLongLineStaysOneLine) {
    TempDir dir;
    const std::string file = dir.File("long.ini");
    // Past the parser's line buffer the tail must not turn into a key.
    WriteFile(file, "[Comment]\n; " + std::string(400, '-') + " Style=15\nForeground=5\n");
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadSection("Comment"), (std::vector<std::string>{"Foreground"}));
    EXPECT_EQ(ini.ReadInteger("Comment", "Foreground", 0), 5);
}

// Lines the writer once read otherwise than the parser, found by fuzzing:
// each write must land on the line the parser takes the value from and
// leave every other value as it was.
TEST(IniFile, Issue13WritesFollowThePartsOfALineTheParserReads) {
    using namespace std::string_literals;
    const std::string bom = "\xEF\xBB\xBF";
    const std::string longName(60, 's');
    const struct {
        std::string before, section, key, after, other;
    } cases[] = {
        // The first header after a byte order mark.
        {bom + "[A]\nk=1\n", "A", "k", bom + "[A]\nk=2\n", ""},
        {bom + "[A]\nk=1\n", "", "k", bom + "k=2\n[A]\nk=1\n", "A"},
        // After a key without a name an indented line is no continuation.
        {"[A]\n=x\n  k=1\n", "A", "k", "[A]\n=x\n  k=2\n", ""},
        // An indented header must not become the new key's continuation.
        {"[A]\n\n  [B]\nk=1\n", "A", "k", "[A]\nk=2\n\n[B]\nk=1\n", "B"},
        // Headers the parser cannot read: cut by a NUL, or too long.
        {"[A]\n[B\0]\nk=1\n"s, "A", "k", "[A]\n[B\0]\nk=2\n"s, ""},
        {"[A]\n[" + std::string(200, 'b') + "]\nk=1\n", "A", "k",
         "[A]\n[" + std::string(200, 'b') + "]\nk=2\n", ""},
        // The parser keeps 49 bytes of a section name.
        {"[" + longName + "]\nk=1\n", longName, "k", "[" + longName + "]\nk=2\n", ""},
    };
    TempDir dir;
    const std::string file = dir.File("x.ini");
    for (const auto& c : cases) {
        WriteFile(file, c.before);
        TIniFile ini(file);
        ini.WriteInteger(c.section, c.key, 2);
        EXPECT_EQ(ini.ReadInteger(c.section, c.key, -1), 2) << c.before;
        if (!c.other.empty()) {
            EXPECT_EQ(ini.ReadInteger(c.other, c.key, -1), 1) << c.before;
        }
        ASSERT_TRUE(ini.UpdateFile());
        EXPECT_EQ(ReadFile(file), c.after) << c.before;
    }
    // A continuation of a long key name is no key of its own.
    WriteFile(file, "[A]\n" + longName + "=1\n  more\n");
    EXPECT_EQ(TIniFile(file).ReadSection("A"), std::vector<std::string>{longName});
}

class RegistryPersistence : public ::testing::Test {
protected:
    TempDir dir;
    std::string store = dir.File("store.ini");
};

TEST_F(RegistryPersistence, RoundTripsEveryAttributeBeneathTheKey) {
    TSynVBSyn saved(nullptr), loaded(nullptr);
    Customise(saved);
    {
        TSynRegistry reg(store);
        ASSERT_TRUE(SaveToRegistry(saved, reg, "\\Software\\Marlinet\\Highlighters\\VB"));
        EXPECT_EQ(reg.CurrentPath(), "Software\\Marlinet\\Highlighters\\VB");
    }
    TSynRegistry reg(store);
    ASSERT_TRUE(LoadFromRegistry(loaded, reg, "Software\\Marlinet\\Highlighters\\VB"));
    ExpectSameValues(saved, loaded);
    EXPECT_TRUE(reg.ReadOnly());
    EXPECT_TRUE(reg.KeyExists("Reserved Word"));
}

TEST_F(RegistryPersistence, AMissingKeyOrSubkeyAnswersFalse) {
    TSynVBSyn hl(nullptr);
    TSynRegistry reg(store);
    EXPECT_FALSE(LoadFromRegistry(hl, reg, "\\Software\\Nothing"));

    // The store's layout: first key as the section, the rest of the path
    // as the entry.
    WriteFile(store, "[Software]\nPartial\\Number\\Foreground=65280\n"
                     "Partial\\Number\\Style=not a number\n");
    TSynRegistry partial(store);
    EXPECT_FALSE(LoadFromRegistry(hl, partial, "\\Software\\Partial"));
    EXPECT_EQ(hl.NumberAttri()->Foreground(), 65280);
    EXPECT_TRUE(hl.NumberAttri()->Style().Empty());
    EXPECT_EQ(hl.KeyAttri()->Foreground(), clNone);
}

TEST_F(RegistryPersistence, AnAttributeReturnsToTheKeyThatWasOpen) {
    TSynRegistry reg(store);
    TSynHighlighterAttributes a("Comment");
    a.SetForeground(clLime);
    ASSERT_TRUE(reg.OpenKey("Root\\Inner", true));
    ASSERT_TRUE(SaveToRegistry(a, reg));
    EXPECT_EQ(reg.CurrentPath(), "Root\\Inner");
    EXPECT_FALSE(reg.ReadOnly());
    TSynHighlighterAttributes b("Comment");
    ASSERT_TRUE(LoadFromRegistry(b, reg));
    EXPECT_EQ(b.Foreground(), clLime);
    EXPECT_EQ(reg.CurrentPath(), "Root\\Inner");
    EXPECT_FALSE(reg.ReadOnly());
    TSynHighlighterAttributes missing("Missing");
    EXPECT_FALSE(LoadFromRegistry(missing, reg));
    EXPECT_EQ(reg.CurrentPath(), "Root\\Inner");
}

TEST_F(RegistryPersistence, AKeyOpenedReadOnlyRefusesWrites) {
    TSynRegistry reg(store);
    ASSERT_TRUE(reg.OpenKey("K", true));
    ASSERT_TRUE(reg.WriteInteger("v", 1));
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\K"));
    EXPECT_FALSE(reg.WriteInteger("v", 2));
    int value = 0;
    EXPECT_TRUE(reg.ReadInteger("v", value));
    EXPECT_EQ(value, 1);
    EXPECT_FALSE(reg.OpenKey("\\Nowhere", false));
    EXPECT_EQ(reg.CurrentPath(), "K");
    reg.CloseKey();
    EXPECT_EQ(reg.CurrentPath(), "");
}

TEST_F(RegistryPersistence, RootKeysMapOntoTheProgramsSettingsStore) {
    ASSERT_EQ(::setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1), 0);
    TSynVBSyn saved(nullptr), loaded(nullptr);
    EXPECT_FALSE(LoadFromRegistry(loaded, TSynRootKey::HKEY_CURRENT_USER, "Software\\Marlinet\\VB"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "Marlinet")); // a read writes nothing
    Customise(saved);
    ASSERT_TRUE(SaveToRegistry(saved, TSynRootKey::HKEY_CURRENT_USER, "Software\\Marlinet\\VB"));
    ASSERT_TRUE(LoadFromRegistry(loaded, TSynRootKey::HKEY_CURRENT_USER, "Software\\Marlinet\\VB"));
    ::unsetenv("XDG_CONFIG_HOME");
    ExpectSameValues(saved, loaded);
    const std::string text = ReadFile(dir.Path() / "Marlinet" / "registry.ini").value_or("");
    EXPECT_THAT(text, ::testing::HasSubstr("[Software]"));
    EXPECT_THAT(text, ::testing::HasSubstr("Marlinet\\VB\\Reserved%20Word\\Style=7"));
}

} // namespace
} // namespace marlinet::highlight
