// Scanning must not allocate: the editor scans every visible line on every
// repaint. Every allocation of this test program is counted.
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "highlight/vb_highlighter.h"

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

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
    const long before = g_allocations.load();
    for (int round = 0; round < 100; ++round) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            editor_view.ResetRange();
            editor_view.SetLine(lines[i], static_cast<int>(i));
            while (!editor_view.GetEol()) {
                kinds += editor_view.GetTokenKind() + editor_view.GetTokenPos();
                if (editor_view.GetTokenAttribute() == nullptr) ++kinds;
                editor_view.Next();
            }
            kinds += editor_view.GetRange() == nullptr ? 0 : 1;
        }
    }
    EXPECT_EQ(g_allocations.load() - before, 0);
    EXPECT_GT(kinds, 0);
}

} // namespace
} // namespace marlinet::highlight
