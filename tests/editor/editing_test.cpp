// The commands that change the text, with the main window's options: what
// each leaves (the caret drawn as '|'), and that undoing everything gives
// the text back and redoing everything gives the edit again.
#include <gtest/gtest.h>

#include <algorithm>

#include "fake_window.h"

namespace marlinet::editor {
namespace {

using testing::FakeWindow;
using testing::Keys;
using testing::LoadWithCaret;
using testing::TestEditor;
using testing::TextWithCaret;

class Editing : public ::testing::Test {
protected:
    Editing() { edit.SetOptions(testing::kWindowOptions); }
    void UndoAll() {
        while (edit.CanUndo())
            edit.Undo();
    }
    void RedoAll() {
        while (edit.CanRedo())
            edit.Redo();
    }
    FakeWindow window;
    TestEditor edit{window};
};

struct EditCase {
    const char* name;
    const char* before; // '|' is the caret
    const char* keys;   // see Keys
    const char* after;
};

// clang-format off
const EditCase kEditCases[] = {
    {"TypingInserts", "10 PR|INT", "E", "10 PRE|INT"},
    {"ControlCharactersAndDeleteAreNotTyped", "A|B", "\x01\x1f\x7f", "A|B"},
    {"OverwriteReplacesThenAppends", "PR|IN", "{ToggleMode}XYZ", "PRXYZ|"},
    {"ABlankAtTheEndIsNotStoredButTheCaretMoves", "PRINT|", " ", "PRINT |"},
    {"ALetterAfterItStoresBoth", "PRINT|", " A", "PRINT A|"},
    {"ABlankInALineOfWhiteSpaceGoesPastItsCells", "\t|", " ", "         |"},
    {"TypingReplacesTheSelection", "PRINT |ABC", "{SelRight}{SelRight}X", "PRINT X|C"},
    {"EnterOnAnEmptyLine", "A\n|\nB", "{LineBreak}", "A\n\n|\nB"},
    {"EnterPastTheEnd", "AB|", "{Right}{Right}{LineBreak}", "AB\n|"},
    {"EnterAtColumnOne", "|AB", "{LineBreak}", "\n|AB"},
    {"EnterCarriesNoIndentation", "    PR|INT", "{LineBreak}", "    PR\n|INT"},
    {"EnterTrimsTheFirstHalf", "A  |B", "{LineBreak}", "A\n|B"},
    {"EnterOnAnEmptyText", "|", "{LineBreak}", "\n|"},
    {"EnterReplacesTheSelection", "A|BC", "{SelRight}{LineBreak}", "A\n|C"},
    {"InsertLineKeepsTheCaret", "AB|CD", "{InsertLine}", "AB|\nCD"},
    {"BackspaceDeletesBefore", "PRI|NT", "{DeleteLastChar}", "PR|NT"},
    {"BackspaceJoinsLines", "10 A\n|20 B", "{DeleteLastChar}", "10 A|20 B"},
    {"BackspaceTakesTrailingBlanksWithTheBreak", "A  \n|B", "{DeleteLastChar}", "A|B"},
    {"BackspacePastTheEndOnlyMoves", "PRINT|", "{Right}{Right}{Right}{DeleteLastChar}", "PRINT|"},
    {"BackspaceOnAnEmptyLineGoesToColumnOne", "A\n|", "{Right}{Right}{DeleteLastChar}", "A\n|"},
    {"BackspaceKeepsTheDisplayColumnWhenTrimmingDropsATab", "\t X|", "{DeleteLastChar}",
     "         |"},
    {"BackspaceDeletesASelection", "A|BCD", "{SelRight}{SelRight}{DeleteLastChar}", "A|D"},
    {"DeleteRemovesAtTheCaret", "PR|INT", "{DeleteChar}", "PR|NT"},
    {"DeleteAtTheEndJoinsPaddedToTheCaret", "AB|\nCD", "{Right}{Right}{DeleteChar}", "AB  |CD"},
    {"DeleteWordTakesTheWordAndItsBlanks", "|PRINT  A", "{DeleteWord}", "|A"},
    {"DeleteWordTakesOnePunctuationCharacter", "|+- A", "{DeleteWord}", "|- A"},
    {"DeleteWordAtTheEndJoinsLines", "A|\nB", "{DeleteWord}", "A|B"},
    {"DeleteLastWord", "PRINT AB|", "{DeleteLastWord}", "PRINT |"},
    {"DeleteLastWordAtColumnOneJoinsLines", "AB\n|CD", "{DeleteLastWord}", "AB|CD"},
    {"DeleteToLineStart", "PRI|NT", "{DeleteBOL}", "|NT"},
    {"DeleteToLineEnd", "PRI|NT", "{DeleteEOL}", "PRI|"},
    {"DeleteLine", "A\nB|B\nC", "{DeleteLine}", "A\n|C"},
    {"DeleteTheLastLineEmptiesIt", "A\nB|B", "{DeleteLine}", "A\n|"},
    {"IndentBlanksEverySelectedLineButOneSelectedToColumnOne", "|A\nB\nC",
     "{SelDown}{SelDown}{BlockIndent}", "        A\n        B\n|C"},
    {"UnindentTakesAtMostOneTabWidth", "|          A\n\tB\nC", "{SelDown}{SelDown}{SelLineEnd}{BlockUnindent}",
     "  A\nB\nC|"},
    {"CutRemovesTheSelection", "10 |PRINT A", "{SelWordRight}{Cut}", "10 |A"},
    {"PasteInsertsWhatCopyTook", "10 |PRINT A", "{SelWordRight}{Copy}{LineEnd}{Paste}",
     "10 PRINT APRINT |"},
    {"UpperCaseTheWordTheCaretIsIn", "print a|bc d", "{UpperCase}", "print A|BC d"},
    {"UpperCaseTheWordJustBeforeTheCaret", "print abc| d", "{UpperCase}", "print ABC| d"},
    {"UpperCaseTheWordTheCaretStarts", "print |abc d", "{UpperCase}", "print |ABC d"},
    {"LowerCaseTheWordTheCaretStarts", "PRINT |ABC D", "{LowerCase}", "PRINT |abc D"},
    {"LowerCaseTheSelection", "|PRINT A", "{SelRight}{SelRight}{LowerCase}", "pr|INT A"},
    {"ToggleCaseTheWordTheCaretIsIn", "X a|Bc Y", "{ToggleCase}", "X A|bC Y"},
    {"ToggleCase", "|Print \xE9\xC9", "{SelLineEnd}{ToggleCase}", "pRINT \xC9\xE9|"},
    {"TitleCase", "|hello WORLD x2y \xE9t\xE9", "{SelLineEnd}{TitleCase}",
     "Hello World X2y \xC9t\xE9|"},
    {"TitleCaseInsideAWordKeepsItGoing", "HEL|LO", "{SelLineEnd}{TitleCase}", "HELlo|"},
    {"BlockCaseNeedsASelection", "pr|int", "{UpperCaseBlock}", "pr|int"},
    {"UpperCaseBlockOverLines", "|ab\ncd", "{SelDown}{SelLineEnd}{UpperCaseBlock}", "AB\nCD|"},
    {"LowerCaseBlockOfAColumn", "|ABC\nDEF", "{ColumnSelect}{SelRight}{SelDown}{LowerCaseBlock}",
     "aBC\nd|EF"},
    {"CommentTheCaretLine", "10 PR|INT", "{CommentBlock}", "REM 10 PR|INT"},
    {"UncommentWhenEveryLineHasIt", "REM A\nREM |B", "{SelUp}{CommentBlock}", "|A\nB"},
    {"CommentWhenAnyLineLacksIt", "|REM A\nB\nC", "{SelDown}{SelDown}{CommentBlock}",
     "REM REM A\nREM B\n|C"},
    {"CommentLeavesEmptyLines", "|A\n\nB", "{SelDown}{SelDown}{SelLineEnd}{CommentBlock}",
     "REM A\n\nREM B|"},
    {"CommentAnEmptyLine", "A\n|\nB", "{CommentBlock}", "A\n|REM\nB"},
    {"UncommentABareRem", "RE|M", "{CommentBlock}", "|"},
    {"RemarkIsNoComment", "REM|ARK", "{CommentBlock}", "REM REM|ARK"},
};
// clang-format on

class EditCommand : public Editing, public ::testing::WithParamInterface<EditCase> {};

TEST_P(EditCommand, LeavesTheTextAndUndoAndRedoRoundTrip) {
    const EditCase& c = GetParam();
    LoadWithCaret(edit, c.before);
    const std::string before = edit.Lines().Text();
    Keys(edit, c.keys);
    EXPECT_EQ(TextWithCaret(edit), c.after);
    // Every recorded range is in buffer coordinates, which start at 1.
    for (int i = 0; i < edit.UndoList().ItemCount(); ++i) {
        const TSynEditUndoItem& item = edit.UndoList().Items(i);
        EXPECT_GE(std::min(item.ChangeStartPos.X, item.ChangeEndPos.X), 1) << "item " << i;
        EXPECT_GE(std::min(item.ChangeStartPos.Y, item.ChangeEndPos.Y), 1) << "item " << i;
    }
    const std::string after = edit.Lines().Text();
    UndoAll();
    EXPECT_EQ(edit.Lines().Text(), before);
    RedoAll();
    EXPECT_EQ(edit.Lines().Text(), after);
}

INSTANTIATE_TEST_SUITE_P(, EditCommand, ::testing::ValuesIn(kEditCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Editing, TypingPastTheEndPadsWithBlanksAndOneUndoTakesBoth) {
    LoadWithCaret(edit, "|");
    edit.SetCaretX(10);
    Keys(edit, "X");
    EXPECT_EQ(TextWithCaret(edit), "         X|");
    ASSERT_EQ(edit.UndoList().ItemCount(), 2);
    EXPECT_EQ(edit.UndoList().Items(0).ChangeReason, crWhiteSpaceAdd);
    EXPECT_EQ(edit.UndoList().Items(1).ChangeNumber, edit.UndoList().Items(0).ChangeNumber);
    edit.Undo();
    EXPECT_EQ(TextWithCaret(edit), "|");
}

// Kept untrimmed, the blank is stored like any other character and the
// caret steps one character, not to the cell after the tab's.
TEST_F(Editing, WithoutTrimmingABlankInWhiteSpaceIsStored) {
    edit.SetOptions(testing::kWindowOptions - TSynEditorOptions{eoTrimTrailingSpaces});
    LoadWithCaret(edit, "\t|");
    Keys(edit, " ");
    EXPECT_EQ(TextWithCaret(edit), "\t |");
}

TEST_F(Editing, TypingIsRefusedPastTheScrollWidth) {
    LoadWithCaret(edit, "AB|");
    edit.SetMaxScrollWidth(5);
    edit.SetCaretX(6);
    Keys(edit, "X");
    EXPECT_EQ(edit.Lines().Text(), "AB");
    edit.SetCaretX(5);
    Keys(edit, "X");
    EXPECT_EQ(edit.Lines().Text(), "AB  X");
}

TEST_F(Editing, TypingAtTheRightEdgeJumpsTheViewRight) {
    LoadWithCaret(edit, std::string(35, 'A') + "|"); // in the last column
    ASSERT_EQ(edit.CharsInWindow(), 36);
    Keys(edit, "B");
    EXPECT_EQ(edit.LeftChar(), 26);
}

TEST_F(Editing, ReadOnlyEditorsChangeNothingButCopy) {
    LoadWithCaret(edit, "10 |PRINT");
    Keys(edit, "X");
    edit.SetReadOnly(true);
    EXPECT_FALSE(edit.CanUndo());
    Keys(edit, "{Undo}");
    EXPECT_EQ(edit.Lines().Text(), "10 XPRINT");
    edit.SetReadOnly(false);
    edit.Undo();
    edit.ClearUndo();
    edit.SetReadOnly(true);
    Keys(edit, "X{LineBreak}{DeleteLastChar}{DeleteLine}{SelLineEnd}{Cut}{Paste}{BlockIndent}"
               "{UpperCase}{ToggleCaseBlock}{CommentBlock}");
    EXPECT_EQ(edit.Lines().Text(), "10 PRINT");
    Keys(edit, "{Copy}");
    EXPECT_EQ(FakeWindow::Clipboard().Text, "PRINT");
    EXPECT_FALSE(edit.CanUndo());
}

TEST_F(Editing, ClearAllEmptiesTextUndoAndBookmarksAndIsUnmodified) {
    LoadWithCaret(edit, "A|B\nC");
    edit.SetBookMark(1, 1, 2);
    Keys(edit, "X");
    ASSERT_TRUE(edit.Modified());
    Keys(edit, "{ClearAll}");
    EXPECT_EQ(edit.Lines().Count(), 0);
    EXPECT_FALSE(edit.CanUndo());
    EXPECT_FALSE(edit.Modified());
    EXPECT_TRUE(edit.Marks().empty());
    EXPECT_EQ(edit.CaretXY(), (TBufferCoord{1, 1}));
}

// --- Replacing the selection --------------------------------------------------------------

struct SelTextCase {
    const char* name;
    TSynSelectionMode mode;
    const char* text;
    const char* after;
};

// The selection runs from (3, 1) to (2, 3) in each mode.
const SelTextCase kSelTextCases[] = {
    {"NormalJoinsTheEndsAroundTheText", smNormal, "x\ny", "ABx\ny|FGH"},
    {"LineReplacesWholeLines", smLine, "x\r\n", "x\n|"},
    {"LineKeepsAFinalPieceInFrontOfTheNextLine", smLine, "x", "|x"},
    {"ColumnCutsTheBlockAndInsertsAtItsLeftColumn", smColumn, "x\ny", "AxCD\nCy|E\nEGH"},
};

class SelText : public Editing, public ::testing::WithParamInterface<SelTextCase> {};

TEST_P(SelText, ReplacesTheSelectionInItsModeAsOneUndoStep) {
    const SelTextCase& c = GetParam();
    LoadWithCaret(edit, "ABCD\nCDE\nEFGH");
    edit.SetSelectionMode(c.mode);
    edit.SetBlockBegin({3, 1});
    edit.SetBlockEnd({2, 3});
    edit.SetSelText(c.text);
    EXPECT_EQ(TextWithCaret(edit), c.after);
    EXPECT_FALSE(edit.SelAvail());
    edit.Undo();
    EXPECT_EQ(edit.Lines().Text(), "ABCD\r\nCDE\r\nEFGH");
    EXPECT_FALSE(edit.CanUndo());
}

INSTANTIATE_TEST_SUITE_P(, SelText, ::testing::ValuesIn(kSelTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace marlinet::editor
