// Editor command names and their conversions.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/commands.h"

namespace marlinet::editor {
namespace {

std::vector<std::string> AllNames() {
    std::vector<std::string> names;
    GetEditorCommandValues([&](const std::string& name) { names.push_back(name); });
    return names;
}

TEST(CommandNameTable, HasOneHundredAndOneDistinctEntriesInTableOrder) {
    const std::vector<std::string> names = AllNames();
    ASSERT_EQ(names.size(), 101u);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 101u);
    EXPECT_EQ(names.front(), "ecNone");
    EXPECT_EQ(names[52], "ecCopy"); // listed after ecCut although its code is lower
    EXPECT_EQ(names.back(), "ecString");
    EXPECT_EQ(IndexToEditorCommand(0), ecNone);
    EXPECT_EQ(IndexToEditorCommand(52), ecCopy);
    EXPECT_EQ(IndexToEditorCommand(71), ecUserFirst);
    EXPECT_EQ(IndexToEditorCommand(100), ecString);
    EXPECT_THROW(IndexToEditorCommand(101), std::out_of_range);
    EXPECT_THROW(IndexToEditorCommand(-1), std::out_of_range);
}

TEST(CommandNameTable, EveryNameMapsBackToItsOwnCode) {
    for (int i = 0; i < kEditorCommandNameCount; ++i) {
        const TSynEditorCommand code = IndexToEditorCommand(i);
        std::string name;
        ASSERT_TRUE(EditorCommandToIdent(code, name));
        TSynEditorCommand back = 0xFFFF;
        ASSERT_TRUE(IdentToEditorCommand(name, back));
        EXPECT_EQ(back, code) << name;
        EXPECT_EQ(ConvertExtendedToCommand(ConvertCodeStringToExtended(name)), code) << name;
    }
}

TEST(CommandNameTable, SelectingTwinsSitAHundredAboveTheirMovement) {
    for (TSynEditorCommand c = ecLeft; c <= ecGotoXY; ++c) {
        std::string move, select;
        ASSERT_TRUE(EditorCommandToIdent(c, move));
        ASSERT_TRUE(EditorCommandToIdent(static_cast<TSynEditorCommand>(c + 100), select));
        EXPECT_EQ(select, "ecSel" + move.substr(2));
    }
}

TEST(CommandNames, CodeStringFallsBackToDecimal) {
    EXPECT_EQ(EditorCommandToCodeString(3), "ecUp");
    EXPECT_EQ(EditorCommandToCodeString(1005), "1005");
    EXPECT_EQ(EditorCommandToDescrString(ecUp), "");
    std::string name = "unchanged";
    EXPECT_FALSE(EditorCommandToIdent(999, name));
    EXPECT_EQ(name, "unchanged");
}

TEST(CommandNames, IdentLookUpIgnoresCase) {
    TSynEditorCommand code = 0;
    EXPECT_TRUE(IdentToEditorCommand("ECSELECTALL", code));
    EXPECT_EQ(code, ecSelectAll);
    EXPECT_FALSE(IdentToEditorCommand("ecNothingLikeThis", code));
    EXPECT_EQ(ConvertCodeStringToCommand("ecNothingLikeThis"), ecNone);
}

TEST(CommandNames, ReadableFormSplitsWordsAndRenamesSelAndMarker) {
    EXPECT_EQ(ConvertCodeStringToExtended("ecSelWordLeft"), "Select Word Left");
    EXPECT_EQ(ConvertCodeStringToExtended("ecGotoXY"), "Goto XY");
    EXPECT_EQ(ConvertCodeStringToExtended("ecGotoMarker0"), "Goto Bookmark 0");
    EXPECT_EQ(ConvertCodeStringToExtended("ecDeleteBOL"), "Delete BOL");
    EXPECT_EQ(ConvertCodeStringToExtended("ecSelectAll"), "Select All");
    EXPECT_EQ(ConvertCodeStringToExtended("NotACode"), "NotACode");
    std::vector<std::string> readable;
    GetEditorCommandExtended([&](const std::string& name) { readable.push_back(name); });
    ASSERT_EQ(readable.size(), 101u);
    EXPECT_EQ(readable[1], "Left");
}

TEST(CommandNames, CodeFormUndoesTheReadableForm) {
    EXPECT_EQ(ConvertExtendedToCodeString("Select Word Left"), "ecSelWordLeft");
    EXPECT_EQ(ConvertExtendedToCodeString("Select All"), "ecSelectAll");
    EXPECT_EQ(ConvertExtendedToCodeString("Set Bookmark 3"), "ecSetMarker3");
    EXPECT_EQ(ConvertExtendedToCodeString("ecAlreadyCode"), "ecAlreadyCode");
}

TEST(CommandNames, ExtendedToCommandAcceptsBothFormsButOnlyCapitalSelect) {
    EXPECT_EQ(ConvertExtendedToCommand("Select Word Left"), 105);
    EXPECT_EQ(ConvertExtendedToCommand("ecSelWordLeft"), 105);
    EXPECT_EQ(ConvertExtendedToCommand("ecSELWORDLEFT"), 105);
    EXPECT_EQ(ConvertExtendedToCommand("select word left"), 0);
    EXPECT_EQ(ConvertExtendedToCommand("Goto Bookmark 9"), ecGotoMarker(9));
}

} // namespace
} // namespace marlinet::editor
