// The clipboard (the editor's own block format beside plain text) and drag
// and drop of text, through a fake window whose clipboard all editors share.
#include <gtest/gtest.h>

#include "editor/errors.h"
#include "fake_window.h"

namespace marlinet::editor {
namespace {

using testing::FakeWindow;
using testing::Keys;
using testing::LoadWithCaret;
using testing::TestEditor;
using testing::TextWithCaret;

class Clipboard : public ::testing::Test {
protected:
    Clipboard() {
        edit.SetOptions(testing::kWindowOptions);
        other.SetOptions(testing::kWindowOptions);
        FakeWindow::Clipboard() = {};
    }
    static void Put(std::string Text, bool HasBlock = false, std::string Block = {}) {
        FakeWindow::Clipboard() = {std::move(Text), HasBlock, std::move(Block)};
    }
    FakeWindow window, otherWindow;
    TestEditor edit{window}, other{otherWindow};
};

struct BlockCase {
    const char* name;
    TSynSelectionMode mode;
    const char* pasted; // into "ab\n|cd\nef", the caret at (1, 2)
};

// Copied from "ABC\nDEF\nGHI" between (2, 1) and (3, 2).
const BlockCase kBlockCases[] = {
    {"Normal", smNormal, "ab\nBC\nDE|cd\nef"},
    {"Line", smLine, "ab\nABC\nDEF\n|cd\nef"},
    {"Column", smColumn, "ab\nBcd\nE|ef"},
};

class BlockFormat : public Clipboard, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(BlockFormat, PastesBackInTheModeItWasCopiedIn) {
    const BlockCase& c = GetParam();
    LoadWithCaret(edit, "ABC\nDEF\nGHI");
    edit.SetSelectionMode(c.mode);
    edit.SetBlockBegin({2, 1});
    edit.SetBlockEnd({3, 2});
    edit.CopyToClipboard();
    const TSynClipboardData& data = FakeWindow::Clipboard();
    EXPECT_EQ(data.Text, edit.SelText());
    EXPECT_EQ(data.Block, std::string(1, static_cast<char>(c.mode)) + data.Text + '\0');

    LoadWithCaret(other, "ab\n|cd\nef");
    other.PasteFromClipboard();
    EXPECT_EQ(TextWithCaret(other), c.pasted);
    EXPECT_EQ(other.SelectionMode(), smNormal);
    other.Undo();
    EXPECT_EQ(other.Lines().Text(), "ab\r\ncd\r\nef");
}

INSTANTIATE_TEST_SUITE_P(, BlockFormat, ::testing::ValuesIn(kBlockCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Clipboard, PlainTextPastesInTheSelectionModeWithEveryKindOfLineBreak) {
    LoadWithCaret(edit, "10 |END");
    Put("A\rB\nC\r\nD");
    edit.PasteFromClipboard();
    EXPECT_EQ(TextWithCaret(edit), "10 A\nB\nC\nD|END");
    LoadWithCaret(edit, "10 END\n20 E|ND");
    edit.SetSelectionMode(smLine);
    Put("5 REM\r\n");
    edit.PasteFromClipboard();
    EXPECT_EQ(edit.Lines().Text(), "10 END\r\n5 REM\r\n20 END");
}

TEST_F(Clipboard, TextEndsAtAZeroAndNothingIsReadPastTheData) {
    LoadWithCaret(edit, "|");
    Put(std::string("AB\0CD", 5));
    edit.PasteFromClipboard();
    EXPECT_EQ(edit.Lines().Text(), "AB");
    // A block without its terminating zero ends with the data.
    Put("ignored", true, std::string(1, '\0') + "XY");
    edit.PasteFromClipboard();
    EXPECT_EQ(edit.Lines().Text(), "ABXY");
    // A block naming no selection mode is not the editor's: the text is.
    Put("Z", true, "\x07Q");
    edit.PasteFromClipboard();
    EXPECT_EQ(edit.Lines().Text(), "ABXYZ");
    Put("");
    edit.PasteFromClipboard();
    EXPECT_EQ(edit.Lines().Text(), "ABXYZ");
}

TEST_F(Clipboard, ARefusingPlatformRaisesTheFixedTextsAndChangesNothing) {
    LoadWithCaret(edit, "10 |PRINT");
    Keys(edit, "{SelLineEnd}");
    window.refuseClipboard = true;
    const auto message = [](auto&& call) {
        try {
            call();
        } catch (const ESynError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] { edit.CopyToClipboard(); }), "Clipboard copy operation failed");
    EXPECT_EQ(message([&] { edit.CutToClipboard(); }), "Clipboard copy operation failed");
    EXPECT_EQ(message([&] { edit.PasteFromClipboard(); }), "Clipboard paste operation failed.");
    EXPECT_EQ(edit.Lines().Text(), "10 PRINT");
    EXPECT_EQ(edit.GetSelText(), "PRINT");
    EXPECT_FALSE(edit.CanUndo());
}

// --- Drag and drop ---------------------------------------------------------------------------

class DragDrop : public Clipboard {
protected:
    static int X(int Column) { return 32 + (Column - 1) * 10; }
    static int Y(int Line) { return (Line - 1) * 20 + 5; }
    // Selects From..To on line 1 of the editor and drops its text at Column
    // of Line.
    TSynDropEffect Drop(TestEditor& Target, int Column, int Line, TShiftState Shift = {}) {
        return Target.DragDrop(&edit, "", Shift, X(Column), Y(Line));
    }
    void SelectOnLine1(int From, int To) {
        edit.SetBlockBegin({From, 1});
        edit.SetBlockEnd({To, 1});
    }
};

TEST_F(DragDrop, APressInTheSelectionStartsADragOfItOnceThePointerMovesFarEnough) {
    LoadWithCaret(edit, "10 PRINT A");
    SelectOnLine1(4, 9);
    edit.MouseDown(mbLeft, {ssLeft}, X(6), Y(1));
    edit.MouseMove({ssLeft}, X(6) + 5, Y(1));
    ASSERT_EQ(window.dragged.size(), 1u);
    EXPECT_EQ(window.dragged[0].Text, "PRINT");
    EXPECT_EQ(window.dragged[0].Block, std::string("\0PRINT\0", 7));
    EXPECT_FALSE(window.capture);
}

TEST_F(DragDrop, MovesWithinALineCopiesWithCtrlAndIgnoresADropIntoItself) {
    LoadWithCaret(edit, "10 PRINT A");
    SelectOnLine1(4, 10); // "PRINT "
    EXPECT_EQ(Drop(edit, 6, 1), TSynDropEffect::None);
    EXPECT_EQ(Drop(edit, 10, 1), TSynDropEffect::None); // the end, when moving
    EXPECT_EQ(Drop(edit, 11, 1), TSynDropEffect::Move);
    EXPECT_EQ(edit.Lines().Text(), "10 APRINT");
    EXPECT_EQ(edit.GetSelText(), "PRINT"); // the dropped text (its blank trimmed)
    EXPECT_EQ(edit.UndoList().LastChangeReason(), crDragDropInsert);
    edit.Undo();
    EXPECT_EQ(edit.Lines().Text(), "10 PRINT A");

    SelectOnLine1(4, 9);
    EXPECT_EQ(Drop(edit, 1, 1, {ssCtrl}), TSynDropEffect::Copy);
    EXPECT_EQ(edit.Lines().Text(), "PRINT10 PRINT A");
}

TEST_F(DragDrop, AMoveToALaterLineCorrectsTheDropPointForTheRemovedText) {
    LoadWithCaret(edit, "AB\nCD\nEF GH");
    edit.SetBlockBegin({2, 1});
    edit.SetBlockEnd({2, 2}); // "B", the break, "C"
    EXPECT_EQ(Drop(edit, 4, 3), TSynDropEffect::Move);
    EXPECT_EQ(edit.Lines().Text(), "AD\r\nEF B\r\nCGH");
    EXPECT_EQ(edit.GetSelText(), "B\r\nC");
}

TEST_F(DragDrop, FromAnotherEditorCopiesAndShiftMoves) {
    LoadWithCaret(edit, "10 PRINT A");
    LoadWithCaret(other, "20 END");
    SelectOnLine1(4, 9);
    EXPECT_EQ(Drop(other, 1, 1), TSynDropEffect::Copy);
    EXPECT_EQ(other.Lines().Text(), "PRINT20 END");
    EXPECT_EQ(other.UndoList().LastChangeReason(), crInsert);
    EXPECT_EQ(Drop(other, 1, 1, {ssShift}), TSynDropEffect::Move);
    EXPECT_EQ(other.Lines().Text(), "PRINTPRINT20 END");
    EXPECT_EQ(edit.Lines().Text(), "10  A");
    // Text from elsewhere is copied; a read-only editor takes nothing.
    EXPECT_EQ(other.DragDrop(nullptr, "X", {}, X(1), Y(1)), TSynDropEffect::Copy);
    other.SetReadOnly(true);
    EXPECT_EQ(other.DragOver(nullptr, {}, X(1), Y(1)), TSynDropEffect::None);
    EXPECT_EQ(other.DragDrop(nullptr, "Y", {}, X(1), Y(1)), TSynDropEffect::None);
    EXPECT_EQ(other.Lines().Text(), "XPRINTPRINT20 END");
}

TEST_F(DragDrop, DraggingOverMovesTheCaretAndScrollsNearTheEdges) {
    std::string text;
    for (int i = 1; i <= 40; ++i)
        text += "LINE " + std::to_string(i) + "\n";
    LoadWithCaret(edit, text);
    EXPECT_EQ(edit.DragOver(&edit, {ssCtrl}, X(3), Y(4)), TSynDropEffect::Copy);
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{3, 4}));
    EXPECT_EQ(window.timerInterval, 0);
    edit.DragOver(&edit, {}, X(3), 200 - 4); // in the last half row
    EXPECT_EQ(window.timerInterval, 100);
    edit.ScrollTimerTick();
    EXPECT_EQ(edit.TopLine(), 2);
    edit.DragLeave();
    EXPECT_EQ(window.timerInterval, 0);
}

} // namespace
} // namespace marlinet::editor
