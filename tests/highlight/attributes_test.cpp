// TSynHighlighterAttributes: values, change events, copies and the stored tests.
#include <gtest/gtest.h>

#include "highlight/attributes.h"
#include "highlight/component.h"
#include "recorder.h"

namespace marlinet::highlight {
namespace {

using testing::Recorder;

TEST(Attributes, StartWithNoColoursNoStyleAndTheirName) {
    TSynHighlighterAttributes a("Reserved Word");
    EXPECT_EQ(a.Name(), "Reserved Word");
    EXPECT_EQ(a.Background(), clNone);
    EXPECT_EQ(a.Foreground(), clNone);
    EXPECT_EQ(clNone, 536870911);
    EXPECT_TRUE(a.Style().Empty());
    EXPECT_FALSE(a.OnChange());
}

TEST(Attributes, ColourValuesPutRedInTheLowByte) {
    EXPECT_EQ(RGB(128, 255, 255), 16777088);
    EXPECT_EQ(clYellow, 0x00FFFF);
    EXPECT_EQ(clAqua, 0xFFFF00);
    EXPECT_EQ(clLime, 0x00FF00);
}

TEST(Attributes, EverySetterFiresOnlyOnARealChange) {
    TSynHighlighterAttributes a("X");
    Recorder r;
    a.SetOnChange(r.Slot());
    a.SetBackground(clNone);
    a.SetForeground(clNone);
    a.SetStyle({});
    EXPECT_EQ(r.Count(), 0);
    a.SetBackground(clBlack);
    a.SetForeground(clWhite);
    a.SetStyle(fsUnderline);
    ASSERT_EQ(r.Count(), 3);
    EXPECT_EQ(r.senders[2], &a);
    a.SetStyle(fsUnderline);
    EXPECT_EQ(r.Count(), 3);
}

TEST(Attributes, IntegerStyleUsesTheStyleBitsAndIgnoresHigherOnes) {
    TSynHighlighterAttributes a("X");
    a.SetStyle(fsBold | fsStrikeOut);
    EXPECT_EQ(a.GetStyleFromInt(), 9);
    a.SetStyleFromInt(2 | 4 | 16 | 256);
    EXPECT_EQ(a.Style(), fsItalic | fsUnderline);
    a.SetStyleFromInt(-1);
    EXPECT_EQ(a.GetStyleFromInt(), 15);
    Recorder r;
    a.SetOnChange(r.Slot());
    a.SetStyleFromInt(15 | 32);
    EXPECT_EQ(r.Count(), 0);
}

TEST(Attributes, AssignColorAndStyleCopiesWhatDiffersAndFiresOnce) {
    TSynHighlighterAttributes source("S"), target("T");
    source.SetBackground(clBlack);
    source.SetForeground(clLime);
    source.SetStyle(fsBold | fsItalic);
    Recorder r;
    target.SetOnChange(r.Slot());
    target.AssignColorAndStyle(source);
    EXPECT_EQ(target.Background(), clBlack);
    EXPECT_EQ(target.Foreground(), clLime);
    EXPECT_EQ(target.Style(), fsBold | fsItalic);
    EXPECT_EQ(target.Name(), "T");
    EXPECT_EQ(r.Count(), 1);
    target.AssignColorAndStyle(source);
    EXPECT_EQ(r.Count(), 1);
}

TEST(Attributes, AssignCopiesTheNameToo) {
    TSynHighlighterAttributes source("S"), target("T");
    source.SetForeground(clAqua);
    target.Assign(&source);
    EXPECT_EQ(target.Name(), "S");
    EXPECT_EQ(target.Foreground(), clAqua);
}

TEST(Attributes, AssignFromAnUnrelatedClassOrNothingFails) {
    TSynHighlighterAttributes target("T");
    TComponent other(nullptr);
    try {
        target.Assign(&other);
        FAIL() << "no failure";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TComponent to a TSynHighlighterAttributes");
    }
    try {
        target.Assign(nullptr);
        FAIL() << "no failure";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a nil to a TSynHighlighterAttributes");
    }
}

TEST(Attributes, OnlyValuesThatDifferFromTheRecordedDefaultsAreStored) {
    TSynHighlighterAttributes a("Reserved Word");
    a.SetStyle(fsBold);
    a.InternalSaveDefaultValues();
    EXPECT_FALSE(a.GetBackgroundColorStored());
    EXPECT_FALSE(a.GetForegroundColorStored());
    EXPECT_FALSE(a.GetFontStyleStored());
    a.SetStyle(fsBold | fsItalic);
    EXPECT_TRUE(a.GetFontStyleStored());
    a.SetForeground(clWhite);
    EXPECT_TRUE(a.GetForegroundColorStored());
    EXPECT_FALSE(a.GetBackgroundColorStored());
    a.SetStyle(fsBold);
    EXPECT_FALSE(a.GetFontStyleStored());
}

} // namespace
} // namespace marlinet::highlight
