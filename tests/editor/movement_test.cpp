// Keys to commands and the movement commands, shown with the caret as '|' in
// the text; then the mouse.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "editor/keystrokes.h"
#include "fake_window.h"

namespace marlinet::editor {
namespace {

using testing::FakeWindow;
using testing::LoadWithCaret;
using testing::TestEditor;
using testing::TextWithCaret;

class Movement : public ::testing::Test {
protected:
    // Presses a key as the window would: key down, then the character it types.
    void Press(std::uint16_t Key, TShiftState Shift = {}, char Typed = '\0') {
        edit.KeyDown(Key, Shift);
        if (Typed != '\0') edit.KeyPress(Typed);
    }
    std::string After(std::string_view Text, std::uint16_t Key, TShiftState Shift = {}) {
        LoadWithCaret(edit, Text);
        Press(Key, Shift);
        return TextWithCaret(edit);
    }

    FakeWindow window;
    TestEditor edit{window};
};

// --- Keys ---------------------------------------------------------------------------------

TEST_F(Movement, KeyDownEventSeesTheKeyFirstAndMaySwallowIt) {
    LoadWithCaret(edit, "AB|C");
    struct Spy {
        int seen = 0;
        bool swallow = false;
        void KeyDown(TObject*, std::uint16_t& key, TShiftState) {
            ++seen;
            if (swallow) key = 0;
        }
    } spy;
    edit.OnKeyDown = TKeyEvent::Of<&Spy::KeyDown>(&spy);
    Press(VK_LEFT);
    EXPECT_EQ(TextWithCaret(edit), "A|BC");
    spy.swallow = true;
    Press(VK_LEFT);
    EXPECT_EQ(TextWithCaret(edit), "A|BC");
    EXPECT_EQ(spy.seen, 2);
}

TEST_F(Movement, ACharacterAfterACommandKeyIsDropped) {
    std::vector<char> typed;
    struct Spy {
        std::vector<char>* typed;
        void Processed(TObject*, TSynEditorCommand& command, char& c, void*) {
            if (command == ecChar) typed->push_back(c);
        }
    } spy{&typed};
    edit.OnCommandProcessed = TProcessCommandEvent::Of<&Spy::Processed>(&spy);
    Press('A', {ssCtrl}, '\x01'); // Ctrl+A selects all; its control character is dropped
    Press('Q', {}, 'q');
    EXPECT_THAT(typed, ::testing::ElementsAre('q'));
    EXPECT_FALSE(edit.StateFlags().Contains(sfIgnoreNextChar));
}

TEST_F(Movement, CommandsCanBeChangedOrCancelledBeforeTheyRun) {
    LoadWithCaret(edit, "AB|C");
    struct Filter {
        void Process(TObject*, TSynEditorCommand& command, char&, void*) {
            if (command == ecLeft) command = ecRight;
            if (command == ecLineStart) command = ecNone;
        }
    } filter;
    edit.OnProcessCommand = TProcessCommandEvent::Of<&Filter::Process>(&filter);
    Press(VK_LEFT);
    EXPECT_EQ(TextWithCaret(edit), "ABC|");
    Press(VK_HOME);
    EXPECT_EQ(TextWithCaret(edit), "ABC|");
}

TEST_F(Movement, TabIsLeftToTheWindowUnlessTheEditorWantsTabs) {
    EXPECT_EQ(edit.GetDlgCode(), (TSynDlgCodes{dlgWantArrows, dlgWantChars, dlgWantAllKeys}));
    edit.SetWantTabs(true);
    EXPECT_TRUE(edit.GetDlgCode().Contains(dlgWantTab));
}

// --- Horizontal -----------------------------------------------------------------------------

TEST_F(Movement, LeftAndRightNeverWrapPastTheLineWithScrollPastEol) {
    EXPECT_EQ(After("AB\n|CD", VK_LEFT), "AB\n|CD");
    EXPECT_EQ(After("AB|\nCD", VK_RIGHT), "AB |\nCD");
    edit.SetOptions(TSynEditorOptions{});
    EXPECT_EQ(After("AB\n|CD", VK_LEFT), "AB|\nCD");
    EXPECT_EQ(After("AB|\nCD", VK_RIGHT), "AB\n|CD");
}

TEST_F(Movement, EndStopsAfterTheTextFirstThenAtTheTrueEnd) {
    edit.SetOptions(edit.Options() | TSynEditorOptions{eoEnhanceEndKey});
    LoadWithCaret(edit, "|10 END   ");
    Press(VK_END);
    EXPECT_EQ(TextWithCaret(edit), "10 END|   ");
    Press(VK_END);
    EXPECT_EQ(TextWithCaret(edit), "10 END   |");
    Press(VK_END);
    EXPECT_EQ(TextWithCaret(edit), "10 END|   ");
    EXPECT_EQ(After("1|0 END", VK_END), "10 END|");
    EXPECT_EQ(After("10 END|", VK_END), "10 END|");
    edit.SetOptions(TSynEditorOptions{eoScrollPastEol});
    EXPECT_EQ(After("|10 END   ", VK_END), "10 END   |");
}

TEST_F(Movement, HomeAndTheEditorsEnds) {
    EXPECT_EQ(After("AB\n  C|D", VK_HOME), "AB\n|  CD");
    EXPECT_EQ(After("AB\nC|D\nEFG", VK_HOME, {ssCtrl}), "|AB\nCD\nEFG");
    EXPECT_EQ(After("A|B\nCD\nEFG", VK_END, {ssCtrl}), "AB\nCD\nEFG|");
}

TEST_F(Movement, WordRightSkipsTheWordThenToTheNextOne) {
    EXPECT_EQ(After("|PRINT A, B", VK_RIGHT, {ssCtrl}), "PRINT |A, B");
    EXPECT_EQ(After("PRINT |A, B", VK_RIGHT, {ssCtrl}), "PRINT A, |B");
    EXPECT_EQ(After("PRI|NT", VK_RIGHT, {ssCtrl}), "PRINT|");
    // At (or on) the last character: the first word of the next line.
    EXPECT_EQ(After("A, |B\n  NEXT", VK_RIGHT, {ssCtrl}), "A, B\n  |NEXT");
    EXPECT_EQ(After("AB|\n, ;", VK_RIGHT, {ssCtrl}), "AB\n|, ;");
    EXPECT_EQ(After("AB|", VK_RIGHT, {ssCtrl}), "AB|");
}

TEST_F(Movement, WordLeftFindsTheStartOfThePreviousWord) {
    EXPECT_EQ(After("PRINT A, |B", VK_LEFT, {ssCtrl}), "PRINT |A, B");
    EXPECT_EQ(After("PRINT A, B|", VK_LEFT, {ssCtrl}), "PRINT A, |B");
    EXPECT_EQ(After("PRI|NT", VK_LEFT, {ssCtrl}), "|PRINT");
    EXPECT_EQ(After("AB\n  |CD", VK_LEFT, {ssCtrl}), "AB|\n  CD");
    EXPECT_EQ(After("|AB", VK_LEFT, {ssCtrl}), "|AB");
    // Far past the end counts from the end.
    LoadWithCaret(edit, "AB CD");
    edit.SetCaretX(40);
    Press(VK_LEFT, {ssCtrl});
    EXPECT_EQ(TextWithCaret(edit), "AB |CD");
}

TEST_F(Movement, WordCharactersComeFromTheHighlighter) {
    auto highlighter = testing::MakeWindowHighlighter();
    edit.SetHighlighter(highlighter.get());
    EXPECT_TRUE(edit.IsWordChar('A'));
    EXPECT_TRUE(edit.IsWordChar('_'));
    EXPECT_FALSE(edit.IsWordChar(','));
    EXPECT_FALSE(edit.IsWordChar(' '));
    EXPECT_EQ(After("|X1=Y2", VK_RIGHT, {ssCtrl}), "X1=|Y2");
}

// --- Vertical -------------------------------------------------------------------------------

TEST_F(Movement, UpAndDownKeepTheDisplayColumnAndRepaintAtOnce) {
    LoadWithCaret(edit, "ABCDEFGH|\nAB\n\tX");
    window.Forget();
    Press(VK_DOWN);
    EXPECT_EQ(TextWithCaret(edit), "ABCDEFGH\nAB      |\n\tX");
    EXPECT_GE(window.updates, 1);
    Press(VK_DOWN);
    EXPECT_EQ(TextWithCaret(edit), "ABCDEFGH\nAB\n\t|X"); // column 9 is after the tab
    Press(VK_UP);
    Press(VK_UP);
    EXPECT_EQ(TextWithCaret(edit), "ABCDEFGH|\nAB\n\tX");
    Press(VK_UP);
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{9, 1}));
}

TEST_F(Movement, ThroughAShortLineTheColumnComesBackWithoutScrollPastEol) {
    edit.SetOptions(edit.Options() - TSynEditorOptions{eoScrollPastEol});
    LoadWithCaret(edit, "ABCDEFGH|\nAB\nABCDEFGHIJ");
    Press(VK_DOWN);
    EXPECT_EQ(TextWithCaret(edit), "ABCDEFGH\nAB|\nABCDEFGHIJ");
    Press(VK_DOWN);
    EXPECT_EQ(TextWithCaret(edit), "ABCDEFGH\nAB\nABCDEFGH|IJ");
}

TEST_F(Movement, PageDownMovesTopLineAndCaretTogether) {
    std::string text;
    for (int i = 1; i <= 35; ++i)
        text += 'L' + std::to_string(i) + '\n';
    LoadWithCaret(edit, text);
    edit.SetCaretXY({2, 3});
    Press(VK_NEXT);
    EXPECT_EQ(edit.TopLine(), 11);
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{2, 13}));
    Press(VK_NEXT);
    Press(VK_NEXT);
    EXPECT_EQ(edit.TopLine(), 36 - 10 + 1);
    EXPECT_EQ(edit.CaretY(), 33);
    Press(VK_PRIOR);
    EXPECT_EQ(edit.TopLine(), 17);
    EXPECT_EQ(edit.CaretY(), 23);
    Press(VK_PRIOR, {ssCtrl});
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{2, 17}));
    Press(VK_NEXT, {ssCtrl});
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{2, 26}));
}

TEST_F(Movement, ScrollKeysMoveTheCaretOnlyToKeepItInTheWindow) {
    std::string text;
    for (int i = 1; i <= 30; ++i)
        text += "L\n";
    LoadWithCaret(edit, text);
    edit.SetCaretXY({1, 1});
    Press(VK_DOWN, {ssCtrl});
    EXPECT_EQ(edit.TopLine(), 2);
    EXPECT_EQ(edit.CaretY(), 2);
    edit.SetCaretXY({1, 6});
    Press(VK_DOWN, {ssCtrl});
    EXPECT_EQ(edit.CaretY(), 6);
    Press(VK_UP, {ssCtrl});
    Press(VK_UP, {ssCtrl});
    EXPECT_EQ(edit.TopLine(), 1);
    EXPECT_EQ(edit.CaretY(), 6);
    edit.Lines().Add(std::string(60, 'L'));
    for (TSynEditorCommand command : {ecScrollRight, ecScrollRight, ecScrollLeft})
        edit.CommandProcessor(command, '\0', nullptr);
    EXPECT_EQ(edit.LeftChar(), 2);
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{1, 6}));
}

TEST_F(Movement, CaretMovesBeyondTheWindowScrollIt) {
    std::string text;
    for (int i = 1; i <= 30; ++i)
        text += "L\n";
    LoadWithCaret(edit, text);
    edit.SetCaretXY({1, 10});
    Press(VK_DOWN);
    EXPECT_EQ(edit.TopLine(), 2);
    for (int i = 0; i < 40; ++i)
        Press(VK_RIGHT);
    EXPECT_EQ(edit.LeftChar(), 41 - edit.CharsInWindow() + 1);
}

// --- Selection commands ---------------------------------------------------------------------

TEST_F(Movement, ShiftedMovesExtendTheSelectionFromWhereItStarted) {
    LoadWithCaret(edit, "10 PR|INT A\n20 END");
    Press(VK_RIGHT, {ssShift});
    Press(VK_RIGHT, {ssShift});
    EXPECT_EQ(edit.GetSelText(), "IN");
    Press(VK_DOWN, {ssShift});
    // The caret may stand past the end; the block end stays at the end.
    EXPECT_EQ(edit.GetSelText(), "INT A\r\n20 END");
    Press(VK_END, {ssShift, ssCtrl});
    EXPECT_EQ(edit.BlockBegin(), (TBufferCoord{6, 1}));
    EXPECT_EQ(edit.BlockEnd(), (TBufferCoord{7, 2}));
    Press(VK_LEFT);
    EXPECT_FALSE(edit.SelAvail());
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{6, 2}));
}

TEST_F(Movement, GotoSelectWordSelectAllAndModes) {
    LoadWithCaret(edit, "10 PRINT A\n20 END");
    TBufferCoord target{4, 2};
    edit.CommandProcessor(ecGotoXY, '\0', &target);
    EXPECT_EQ(edit.CaretXY(), target);
    target = {2, 1};
    edit.CommandProcessor(ecSelGotoXY, '\0', &target);
    EXPECT_EQ(edit.GetSelText(), "0 PRINT A\r\n20 ");
    edit.SetCaretXY({5, 1});
    edit.CommandProcessor(ecSelWord, '\0', nullptr);
    EXPECT_EQ(edit.GetSelText(), "PRINT");
    Press('A', {ssCtrl});
    EXPECT_EQ(edit.GetSelText(), "10 PRINT A\r\n20 END");
    Press('L', {ssCtrl, ssShift});
    EXPECT_EQ(edit.SelectionMode(), smLine);
    Press('C', {ssCtrl, ssShift});
    EXPECT_EQ(edit.SelectionMode(), smColumn);
    Press('N', {ssCtrl, ssShift});
    EXPECT_EQ(edit.SelectionMode(), smNormal);
}

TEST_F(Movement, InsertTogglesOverwriteModeAndReportsIt) {
    window.Forget();
    Press(VK_INSERT);
    EXPECT_FALSE(edit.InsertMode());
    EXPECT_THAT(window.statuses, ::testing::Contains(TSynStatusChanges{scInsertMode}));
    edit.CommandProcessor(ecInsertMode, '\0', nullptr);
    EXPECT_TRUE(edit.InsertMode());
    edit.CommandProcessor(ecOverwriteMode, '\0', nullptr);
    EXPECT_FALSE(edit.InsertMode());
}

TEST_F(Movement, ACommandReportsItsChangesOnceAtTheEnd) {
    LoadWithCaret(edit, "AB|C\nDEF");
    window.Forget();
    Press(VK_DOWN, {ssShift});
    ASSERT_EQ(window.statuses.size(), 1u);
    EXPECT_EQ(window.statuses[0], (TSynStatusChanges{scCaretY, scSelection}));
}

TEST_F(Movement, CaretMovesBreakUndoGroups) {
    LoadWithCaret(edit, "AB|C");
    edit.UndoList().AddChange(crInsert, {1, 1}, {2, 1}, "A", smNormal);
    Press(VK_LEFT);
    ASSERT_NE(edit.UndoList().PeekItem(), nullptr);
    EXPECT_EQ(edit.UndoList().PeekItem()->ChangeReason, crGroupBreak);
}

// --- Mouse ----------------------------------------------------------------------------------

class Mouse : public Movement {
protected:
    Mouse() {
        edit.SetOptions(edit.Options() | TSynEditorOptions{eoRightMouseMovesCursor});
        LoadWithCaret(edit, "10 PRINT A\n20 GOTO 10\n30 END");
    }
    // The pixel at the left edge of a cell, a little inside its row.
    static int X(int Column) { return 32 + (Column - 1) * 10; }
    static int Y(int Line) { return (Line - 1) * 20 + 5; }
};

TEST_F(Mouse, ClickPutsTheCaretAtTheNearestCellBoundary) {
    edit.MouseDown(mbLeft, {ssLeft}, X(4) + 4, Y(2));
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{4, 2}));
    EXPECT_TRUE(window.capture);
    EXPECT_TRUE(window.focused);
    edit.MouseUp(mbLeft, {}, X(4) + 4, Y(2));
    EXPECT_FALSE(window.capture);
    edit.MouseDown(mbLeft, {ssLeft}, X(4) + 6, Y(2));
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{5, 2}));
    // Past the end of a line, and below the text.
    edit.MouseDown(mbLeft, {ssLeft}, X(20), Y(3));
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{20, 3}));
    edit.MouseDown(mbLeft, {ssLeft}, X(2), Y(9));
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{2, 3}));
    EXPECT_FALSE(edit.SelAvail());
}

// An editor may run without a window (tests, benchmarks, tools): a press
// must not need one for capture. With no font metrics no cell is hit, so
// nothing is selected.
TEST(MouseWithoutWindow, APressAndReleaseNeedNoWindow) {
    TCustomSynEdit edit;
    LoadWithCaret(edit, "10 PRINT A\n20 END");
    edit.MouseDown(mbLeft, {ssLeft}, 40, 25);
    edit.MouseMove({ssLeft}, 60, 25);
    edit.MouseUp(mbLeft, {}, 60, 25);
    EXPECT_FALSE(edit.SelAvail());
    EXPECT_EQ(edit.Lines().GetCount(), 2);
}

TEST_F(Mouse, ShiftClickAndDraggingExtendTheSelection) {
    edit.MouseDown(mbLeft, {ssLeft}, X(4), Y(1));
    edit.MouseUp(mbLeft, {}, X(4), Y(1));
    edit.MouseDown(mbLeft, {ssLeft, ssShift}, X(3), Y(2));
    EXPECT_EQ(edit.GetSelText(), "PRINT A\r\n20");
    edit.MouseUp(mbLeft, {ssShift}, X(3), Y(2));

    edit.MouseDown(mbLeft, {ssLeft}, X(1), Y(3));
    edit.MouseMove({ssLeft}, X(4), Y(3));
    EXPECT_EQ(edit.GetSelText(), "30 ");
    EXPECT_EQ(window.timerInterval, 0);
    edit.MouseUp(mbLeft, {}, X(4), Y(3));
    EXPECT_EQ(edit.GetSelText(), "30 ");
}

TEST_F(Mouse, DraggingBelowTheTextAreaScrollsOnTimerTicks) {
    std::string text;
    for (int i = 1; i <= 40; ++i)
        text += "LINE " + std::to_string(i) + "\n";
    LoadWithCaret(edit, text);
    edit.MouseDown(mbLeft, {ssLeft}, X(1), Y(1));
    edit.MouseMove({ssLeft}, X(3), 200 + 25);
    EXPECT_EQ(window.timerInterval, 100);
    edit.ScrollTimerTick();
    EXPECT_EQ(edit.TopLine(), 3); // two rows below: a step of two
    EXPECT_EQ(edit.CaretY(), 12);
    EXPECT_EQ(edit.BlockEnd(), edit.CaretXY());
    edit.MouseMove({ssLeft}, X(3), Y(5));
    EXPECT_EQ(window.timerInterval, 0);
    edit.MouseUp(mbLeft, {}, X(3), Y(5));
}

TEST_F(Mouse, PressInsideTheSelectionWaitsForADragAndAClickCollapsesIt) {
    edit.SetBlockBegin({4, 1});
    edit.SetBlockEnd({9, 1});
    edit.MouseDown(mbLeft, {ssLeft}, X(6), Y(1));
    EXPECT_TRUE(edit.StateFlags().Contains(sfWaitForDragging));
    EXPECT_TRUE(edit.SelAvail());
    edit.MouseMove({ssLeft}, X(6) + 1, Y(1)); // less than the drag distance
    EXPECT_TRUE(edit.StateFlags().Contains(sfWaitForDragging));
    edit.MouseUp(mbLeft, {}, X(6), Y(1));
    EXPECT_FALSE(edit.StateFlags().Contains(sfWaitForDragging));
    EXPECT_FALSE(edit.SelAvail());
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{6, 1}));
}

TEST_F(Mouse, RightClickKeepsASelectionUnderThePointerElseMovesTheCaret) {
    edit.SetBlockBegin({4, 1});
    edit.SetBlockEnd({9, 1});
    edit.MouseDown(mbRight, {ssRight}, X(5), Y(1));
    EXPECT_TRUE(edit.SelAvail());
    edit.MouseDown(mbRight, {ssRight}, X(2), Y(2));
    EXPECT_FALSE(edit.SelAvail());
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{2, 2}));
    EXPECT_FALSE(window.capture);
}

TEST_F(Mouse, DoubleClickSelectsTheWordRightOfTheGutter) {
    edit.MouseDown(mbLeft, {ssLeft}, X(6), Y(1));
    edit.MouseUp(mbLeft, {}, X(6), Y(1));
    edit.MouseDown(mbLeft, {ssLeft, ssDouble}, X(6), Y(1));
    edit.DblClick(X(6), Y(1));
    EXPECT_EQ(edit.GetSelText(), "PRINT");
    edit.MouseUp(mbLeft, {}, X(6), Y(1));
    EXPECT_EQ(edit.GetSelText(), "PRINT");
    edit.SetCaretXY({1, 1});
    edit.SetBlockBegin({1, 1});
    edit.DblClick(X(1) - 1, Y(1)); // the margin's last pixel
    EXPECT_FALSE(edit.SelAvail());
    edit.DblClick(X(1), Y(1));
    EXPECT_EQ(edit.GetSelText(), "10");
}

// A window that fails while the editor holds its paint lock.
class CaptureFails : public FakeWindow {
public:
    void SetMouseCapture(bool Capture) override {
        if (Capture) throw std::runtime_error("no capture");
        FakeWindow::SetMouseCapture(Capture);
    }
};

TEST(PaintLock, IsReleasedWhenACallInsideItThrows) {
    CaptureFails window;
    window.focused = true;
    TestEditor edit(window);
    LoadWithCaret(edit, "|10 PRINT A\n20 END");
    EXPECT_THROW(edit.MouseDown(mbLeft, {ssLeft}, 32 + 30, 25), std::runtime_error);
    EXPECT_EQ(edit.PaintLockCount(), 0);
    // The caret update the lock deferred is not lost: the next change shows it.
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{4, 2}));
    edit.SetCaretXY({2, 2});
    EXPECT_EQ(window.caretPos, (TPoint{32 + 10 - 1, 20 + 1}));
}

} // namespace
} // namespace marlinet::editor
