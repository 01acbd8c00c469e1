// The keyword list of TSynVBSyn: every word is found in any letter case, near
// misses are not, and the hash buckets end where they should.
#include <algorithm>
#include <cctype>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "highlight/vb_highlighter.h"

namespace marlinet::highlight {
namespace {

// The reserved words, written out independently of the highlighter's tables,
// "rem" included (it starts a comment instead).
const char* const kWords =
    "adc dac ddb if each me and do as cdbl abs end asc tab iif mid eof dim rdac rgb base fv "
    "beep call case is on chr loc date dir len mod get name lof or cdate log clrb val tan to "
    "atn clng rnd rem cos begin let hex spc pv imp oct dateadd clear for fix scale seek sgn "
    "line lcase lock err else chdir sub sin new csng int left cvar kill set rate space eqv "
    "ccur irr sln exp setb cint wend delay time cbool then long syd erase wradc ucase redim "
    "pmt not circle open raise now npv byte form nper sqr class close mkdir datediff object "
    "cbyte lset shell elseif str goto xor put while mirr isdate ipmt exit loop double with "
    "second cstr pset trim tstb rmdir right rset hour next filelen public command array "
    "select gosub boolean width timer ppmt freefile single cverr reset lbound chdrive stop "
    "month module const compare ltrim static curdir format weekday error write until unlock "
    "ubound print integer rtrim empty instr input msgbox deftype resume minute switch qbcolor "
    "isobject variant datepart string nothing isnull getobject option private datevalue "
    "fileattr isarray filecopy getattr dateserial return environ explicit typename system "
    "function version sendkeys iserror setattr doevents strcomp randomize isempty currency "
    "vartype createobject timevalue filedatetime isnumeric strconv timeserial appactivate "
    "attribute ismissing property ";

std::vector<std::string> Words() {
    std::istringstream in(kWords);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

int LetterSum(const std::string& word) {
    int sum = 0;
    for (char c : word) {
        if (std::isalpha(static_cast<unsigned char>(c)))
            sum += std::tolower(static_cast<unsigned char>(c)) - 'a' + 1;
        else if (c == '_')
            sum += 31;
    }
    return sum;
}

class VBKeywords : public ::testing::Test {
protected:
    // The kind of the first token when the whole line is one word.
    TtkTokenKind KindOf(const std::string& word) {
        line = word;
        hl.SetLine(line, 0);
        EXPECT_EQ(hl.GetToken(), word);
        return hl.GetTokenID();
    }
    bool IsKeyword(const std::string& word) { return KindOf(word) == tkKey; }

    TSynVBSyn hl{nullptr};
    std::string line;
};

TEST_F(VBKeywords, TheListHas222KeywordsAndRem) {
    const std::vector<std::string> words = Words();
    EXPECT_EQ(words.size(), 223U);
    EXPECT_EQ(std::set<std::string>(words.begin(), words.end()).size(), 223U);
}

TEST_F(VBKeywords, EveryWordIsAKeywordInAnyCase) {
    for (std::string word : Words()) {
        if (word == "rem") continue;
        std::string upper = word, mixed = word;
        std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
        for (std::size_t i = 0; i < mixed.size(); i += 2)
            mixed[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(mixed[i])));
        EXPECT_TRUE(IsKeyword(word)) << word;
        EXPECT_TRUE(IsKeyword(upper)) << upper;
        EXPECT_TRUE(IsKeyword(mixed)) << mixed;
    }
}

TEST_F(VBKeywords, RemInAnyCaseIsAComment) {
    for (const char* rem : {"rem", "REM", "Rem", "rEm"})
        EXPECT_EQ(KindOf(rem), tkComment) << rem;
}

TEST_F(VBKeywords, NearMissesAreIdentifiers) {
    const std::vector<std::string> words = Words();
    const std::set<std::string> listed(words.begin(), words.end());
    for (const std::string& word : words) {
        // Longer, shorter, with a digit or an underscore, one letter off.
        std::vector<std::string> misses = {
            word + "x",    word + "1", word + "_", "_" + word, word.substr(0, word.size() - 1),
            word.substr(1)};
        std::string shifted = word;
        shifted.back() = shifted.back() == 'z' ? 'a' : static_cast<char>(shifted.back() + 1);
        misses.push_back(shifted);
        for (const std::string& miss : misses) {
            if (miss.empty() || listed.count(miss) != 0) continue;
            EXPECT_EQ(KindOf(miss), tkIdentifier) << miss;
        }
    }
}

TEST_F(VBKeywords, SameLetterSumIsNotEnough) {
    // Anagrams and other words of a keyword's bucket.
    EXPECT_EQ(LetterSum("tnirp"), LetterSum("print"));
    EXPECT_EQ(KindOf("tnirp"), tkIdentifier);
    EXPECT_EQ(KindOf("cda"), tkIdentifier); // bucket 8: adc, dac
    EXPECT_EQ(KindOf("fi"), tkIdentifier);  // bucket 15: if
    EXPECT_EQ(KindOf("mer"), tkIdentifier); // bucket 36: rem
}

TEST_F(VBKeywords, BucketBoundaries) {
    EXPECT_EQ(LetterSum("property"), 133);
    EXPECT_TRUE(IsKeyword("property"));
    EXPECT_TRUE(IsKeyword("PROPERTY"));
    // 133 is the last bucket; 134 and above are identifiers without a look.
    EXPECT_EQ(LetterSum("propertya"), 134);
    EXPECT_EQ(KindOf("propertya"), tkIdentifier);
    EXPECT_EQ(LetterSum("zzzzzz"), 156);
    EXPECT_EQ(KindOf("zzzzzz"), tkIdentifier);
    // Digits weigh nothing and underscores 31, but both still count as length.
    EXPECT_EQ(LetterSum("ad1c"), 8);
    EXPECT_EQ(KindOf("ad1c"), tkIdentifier);
    EXPECT_EQ(LetterSum("a_"), 32);
    EXPECT_EQ(KindOf("a_"), tkIdentifier);
    EXPECT_EQ(KindOf("____"), tkIdentifier);
}

TEST_F(VBKeywords, AHugeIdentifierIsOneIdentifierToken) {
    // 70 million underscores sum to more than a 32-bit signed int holds.
    line.assign(70'000'000, '_');
    line += "print";
    hl.SetLine(line, 0);
    EXPECT_EQ(hl.GetTokenID(), tkIdentifier);
    hl.Next();
    EXPECT_TRUE(hl.GetEol());
    EXPECT_EQ(hl.GetTokenPos(), static_cast<int>(line.size()));
}

TEST_F(VBKeywords, RandomWordsAreKeywordsExactlyWhenListed) {
    // An independent check of the whole table: no word outside the list may
    // be found in some bucket.
    const std::vector<std::string> words = Words();
    const std::set<std::string> listed(words.begin(), words.end());
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> length(1, 9);
    std::uniform_int_distribution<int> letter(0, 25);
    int found = 0;
    for (int n = 0; n < 200000; ++n) {
        std::string word(static_cast<std::size_t>(length(random)), 'a');
        for (char& c : word)
            c = static_cast<char>('a' + letter(random));
        if (word == "rem") continue;
        const bool expected = listed.count(word) != 0;
        const TtkTokenKind kind = KindOf(word);
        found += kind == tkKey ? 1 : 0;
        ASSERT_EQ(kind == tkKey, expected) << word;
    }
    EXPECT_GT(found, 0);
}

} // namespace
} // namespace marlinet::highlight
