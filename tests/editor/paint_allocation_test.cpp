// A repaint must not allocate once the buffers it reuses have grown: the
// editor repaints on every key and every scrolled line. Every allocation of
// this test program is counted.
#include <gtest/gtest.h>

#include <string>

#include "allocation_counter.h"
#include "fake_window.h"

namespace marlinet::editor {
namespace {

TEST(PaintAllocation, AWarmRepaintAllocatesNothingWhereverTheViewIs) {
    testing::FakeWindow window;
    testing::TestEditor edit(window);
    auto highlighter = testing::MakeWindowHighlighter();
    edit.SetHighlighter(highlighter.get());
    edit.Gutter().SetShowLineNumbers(true);
    std::string text;
    for (int i = 100; i < 400; ++i) // equal lengths: no later line needs more room
        text += "\tPRINT \"A is\", A + " + std::to_string(i) + " ' note\n";
    text += std::string("A = 1 ' rest after a NUL\0 is plain", 34);
    edit.Lines().SetText(text);
    edit.SetBookMark(1, 1, 2);
    edit.SetSelectionMode(smLine);
    edit.SetSelStart(edit.RowColToCharIndex({1, 3}));
    edit.SetSelLength(1);

    testing::NullCanvas canvas({0, 0, window.width, window.height});
    edit.Paint(canvas); // grows the buffers and creates the fonts
    std::int64_t allocations = 0;
    for (const int top : {1, 150, 292}) {
        edit.SetTopLine(top);
        const std::int64_t before = marlinet::testing::Allocations();
        edit.Paint(canvas);
        allocations += marlinet::testing::Allocations() - before;
    }
    EXPECT_EQ(allocations, 0);
    EXPECT_GT(canvas.characters, 0);
}

} // namespace
} // namespace marlinet::editor
