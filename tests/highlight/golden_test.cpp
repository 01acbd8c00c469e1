// Whole files against their reviewed token listings in golden/. After a
// deliberate change to the scanner, regenerate_golden.sh rewrites them; the
// diff is then the review.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "highlight/vb_highlighter.h"
#include "temp_dir.h"
#include "token_dump.h"

namespace marlinet::highlight {
namespace {

const std::filesystem::path kGolden = MARLINET_HIGHLIGHT_GOLDEN_DIR;

TEST(GoldenTokens, EveryInputMatchesItsListing) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kGolden)) {
        if (entry.path().extension() != ".bas") continue;
        ++inputs;
        std::filesystem::path expected = entry.path();
        expected.replace_extension(".tokens");
        ASSERT_TRUE(std::filesystem::exists(expected)) << expected;
        TSynVBSyn hl(nullptr);
        EXPECT_EQ(testing::DumpTokens(hl, marlinet::testing::ReadFile(entry.path()).value_or("")),
                  marlinet::testing::ReadFile(expected))
            << entry.path();
    }
    EXPECT_GE(inputs, 2);
}

TEST(GoldenTokens, SampleSourceMatchesItsListing) {
    TSynVBSyn hl(nullptr);
    EXPECT_EQ(testing::DumpTokens(hl, hl.GetSampleSource()),
              marlinet::testing::ReadFile(kGolden / "sample_source.tokens"));
}

} // namespace
} // namespace marlinet::highlight
