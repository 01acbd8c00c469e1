// What TSynVBSyn describes about itself.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "highlight/vb_highlighter.h"
#include "token_dump.h"

namespace marlinet::highlight {
namespace {


TEST(VBHighlighter, SevenAttributesAndTheirRoles) {
    TSynVBSyn hl(nullptr);
    using Getter = TSynHighlighterAttributes* (TSynVBSyn::*)() const noexcept;
    const struct Expected {
        Getter get;
        const char* name;
        TFontStyles style;
        int role; // -1: none
    } expected[] = {
        {&TSynVBSyn::CommentAttri, "Comment", fsItalic, SYN_ATTR_COMMENT},
        {&TSynVBSyn::IdentifierAttri, "Identifier", {}, SYN_ATTR_IDENTIFIER},
        {&TSynVBSyn::KeyAttri, "Reserved Word", fsBold, SYN_ATTR_KEYWORD},
        {&TSynVBSyn::NumberAttri, "Number", {}, -1},
        {&TSynVBSyn::SpaceAttri, "Space", {}, SYN_ATTR_WHITESPACE},
        {&TSynVBSyn::StringAttri, "String", {}, SYN_ATTR_STRING},
        {&TSynVBSyn::SymbolAttri, "Symbol", {}, SYN_ATTR_SYMBOL},
    };
    for (const Expected& e : expected) {
        const TSynHighlighterAttributes* a = (hl.*e.get)();
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->Name(), e.name);
        EXPECT_EQ(a->Style(), e.style) << e.name;
        EXPECT_EQ(a->Foreground(), clNone) << e.name;
        EXPECT_EQ(a->Background(), clNone) << e.name;
        if (e.role >= 0) {
            EXPECT_EQ(hl.GetDefaultAttribute(e.role), a) << e.name;
        }
    }
    EXPECT_EQ(hl.GetDefaultAttribute(6), nullptr);
    EXPECT_EQ(hl.GetDefaultAttribute(-1), nullptr);
}

TEST(VBHighlighter, DescribesItsLanguage) {
    TSynVBSyn hl(nullptr);
    EXPECT_EQ(TSynVBSyn::GetLanguageName(), "Visual Basic");
    EXPECT_EQ(hl.GetLanguageNameProp(), "Visual Basic");
    EXPECT_EQ(hl.GetCapabilitiesProp(), TSynHighlighterCapabilities{hcRegistry});
    EXPECT_EQ(hl.ClassName(), "TSynVBSyn");
    EXPECT_FALSE(hl.IsKeyword("print"));
}

TEST(VBHighlighter, RecordsTheFilterOnlyWhenItWasChanged) {
    TSynVBSyn hl(nullptr);
    EXPECT_EQ(hl.GetDefaultFilter(), "Visual Basic Files (*.bas)|*.bas");
    EXPECT_FALSE(hl.IsFilterStored());
    hl.SetDefaultFilter("visual basic files (*.bas)|*.bas");
    EXPECT_TRUE(hl.IsFilterStored());
    hl.SetDefaultFilter("");
    EXPECT_TRUE(hl.IsFilterStored());
    hl.SetDefaultFilter("Visual Basic Files (*.bas)|*.bas");
    EXPECT_FALSE(hl.IsFilterStored());
}

TEST(VBHighlighter, WordCharactersAreWiderThanTheScannersIdentifiers) {
    TSynVBSyn hl(nullptr);
    const TSynIdentChars chars = hl.GetIdentChars();
    EXPECT_EQ(chars.Count(), 10U + 26U + 1U + 26U + 23U + 31U + 8U);
    for (int c : std::initializer_list<int>{'0', '9', 'A', 'Z', '_', 'a', 'z', 192, 214, 216, 246,
                                            248, 255})
        EXPECT_TRUE(chars.Contains(static_cast<unsigned char>(c))) << c;
    for (int c :
         std::initializer_list<int>{'/', ':', '@', '[', '`', '{', 191, 215, 247, 127, 0, ' '})
        EXPECT_FALSE(chars.Contains(static_cast<unsigned char>(c))) << c;
    // A byte from 192 up is a word character but an unknown token.
    const std::string line = "\xC9t\xC9";
    EXPECT_EQ(testing::ScanLine(hl, line), "unk[\\xC9] id[t] unk[\\xC9]");
}

TEST(VBHighlighter, SampleSourceIsSixteenLinesJoinedByCrLf) {
    TSynVBSyn hl(nullptr);
    const std::string sample = hl.GetSampleSource();
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (std::size_t end; (end = sample.find("\r\n", begin)) != std::string::npos; begin = end + 2)
        lines.push_back(sample.substr(begin, end - begin));
    lines.push_back(sample.substr(begin));
    ASSERT_EQ(lines.size(), 16U);
    EXPECT_EQ(lines[0], "' Syntax highlighting");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[6], "  Response.Write \"The number is \" & number");
    EXPECT_EQ(lines[10], "    X = X - &o8");
    EXPECT_EQ(lines[14], "  I = I + @;  ' illegal character");
    EXPECT_EQ(lines[15], "End Function");
    EXPECT_EQ(sample.find('\n'), sample.find("\r\n") + 1);
}

} // namespace
} // namespace marlinet::highlight
