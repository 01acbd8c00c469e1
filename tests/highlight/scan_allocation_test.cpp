// Scanning must not allocate: the editor scans every visible line on every
// repaint. Every allocation of this test program is counted.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "allocation_counter.h"
#include "highlight/vb_highlighter.h"

namespace marlinet::highlight {
namespace {

TEST(ScanAllocation, ScanningLinesAllocatesNothing) {
    TSynVBSyn hl(nullptr);
    const std::vector<std::string> lines = {
        "10 PRINT \"Hello, world\"; A ' greeting",
        "IF H<11 THEN GOTO 200 ELSE GOSUB 300",
        "REM a comment line with many words in it",
        "x = #1/2/2000# + 1.5e3 - &h4c @ $ ~",
        "",
        "property propertya ______ unknown_identifier_with_a_long_name",
    };
    TSynCustomHighlighter& editor_view = hl;
    long kinds = 0;
    const std::int64_t before = marlinet::testing::Allocations();
    for (int round = 0; round < 100; ++round) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            editor_view.ResetRange();
            editor_view.SetLine(lines[i], static_cast<int>(i));
            while (!editor_view.GetEol()) {
                kinds += editor_view.GetTokenKind() + editor_view.GetTokenPos() +
                         editor_view.GetTokenLength();
                if (editor_view.GetTokenAttribute() == nullptr) ++kinds;
                editor_view.Next();
            }
            kinds += editor_view.GetRange() == 0 ? 0 : 1;
        }
    }
    EXPECT_EQ(marlinet::testing::Allocations() - before, 0);
    EXPECT_GT(kinds, 0);
}

} // namespace
} // namespace marlinet::highlight
