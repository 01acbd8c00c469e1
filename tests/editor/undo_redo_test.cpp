// Undo and redo applied to the text: how edits group into steps, the
// modified state, random edit sequences that must undo and redo exactly,
// and steps that fail part way.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <vector>

#include "fake_window.h"
#include "highlight/vb_highlighter.h"

namespace marlinet::editor {
namespace {

using testing::FakeWindow;
using testing::Keys;
using testing::LoadWithCaret;
using testing::TestEditor;
using testing::TextWithCaret;

class UndoRedo : public ::testing::Test {
protected:
    UndoRedo() { edit.SetOptions(testing::kWindowOptions); }
    // The pixel inside a cell (10 x 20 cells right of a 30-pixel gutter).
    static int X(int Column) { return 32 + (Column - 1) * 10 + 1; }
    static int Y(int Line) { return (Line - 1) * 20 + 5; }
    void Click(int Column, int Line) {
        edit.MouseDown(mbLeft, {ssLeft}, X(Column), Y(Line));
        edit.MouseUp(mbLeft, {}, X(Column), Y(Line));
    }
    FakeWindow window;
    TestEditor edit{window};
};

TEST_F(UndoRedo, OneUndoTakesARunOfTypingUntilTheCaretMoves) {
    LoadWithCaret(edit, "|");
    Keys(edit, "ABC");
    edit.Undo();
    EXPECT_EQ(TextWithCaret(edit), "|");
    Keys(edit, "AB{Left}{Right}C");
    edit.Undo();
    EXPECT_EQ(TextWithCaret(edit), "AB|");
    edit.Undo();
    EXPECT_EQ(TextWithCaret(edit), "|");
}

// Issue 21: grouping compares each item with the one just undone, so the
// blanks added before the A end the run, and the blank typed first (an
// insertion of its own) stays.
TEST_F(UndoRedo, Issue21UndoAfterABlankAndALetterLeavesTheBlanksInsertion) {
    LoadWithCaret(edit, "PRINT|");
    edit.SetModified(false);
    Keys(edit, " A");
    ASSERT_EQ(TextWithCaret(edit), "PRINT A|");
    edit.Undo();
    EXPECT_EQ(TextWithCaret(edit), "PRINT|");
    EXPECT_TRUE(edit.Modified());
    ASSERT_TRUE(edit.CanUndo());
    EXPECT_EQ(edit.UndoList().LastChangeReason(), crInsert);
    edit.Undo();
    EXPECT_EQ(TextWithCaret(edit), "PRINT|");
    EXPECT_FALSE(edit.Modified());
    EXPECT_FALSE(edit.CanUndo());
    edit.Redo();
    edit.Redo();
    EXPECT_EQ(TextWithCaret(edit), "PRINT A|");
}

TEST_F(UndoRedo, AMouseClickDoesNotBreakTheRun) {
    LoadWithCaret(edit, "|\nEND");
    Keys(edit, "AB");
    Click(1, 2);
    Keys(edit, "C");
    EXPECT_EQ(edit.Lines().Text(), "AB\r\nCEND");
    edit.Undo();
    EXPECT_EQ(edit.Lines().Text(), "\r\nEND");
}

TEST_F(UndoRedo, UndoJoinsAnEnterAndRedoSplitsAtTheSameColumn) {
    LoadWithCaret(edit, "    PRI|NT A");
    Keys(edit, "{LineBreak}");
    edit.Undo();
    EXPECT_EQ(TextWithCaret(edit), "    PRI|NT A");
    edit.Redo();
    EXPECT_EQ(TextWithCaret(edit), "    PRI\n|NT A");
}

TEST_F(UndoRedo, ANewEditEmptiesTheRedoListAndMovingTheCaretDoesNot) {
    LoadWithCaret(edit, "|");
    Keys(edit, "AB");
    edit.Undo();
    Keys(edit, "{Right}{Left}");
    EXPECT_TRUE(edit.CanRedo());
    Keys(edit, "X");
    EXPECT_FALSE(edit.CanRedo());
}

TEST_F(UndoRedo, UndoingBackToTheSavedStateClearsModified) {
    LoadWithCaret(edit, "PRINT|");
    Keys(edit, "A");
    edit.SetModified(false);
    window.Forget();
    Keys(edit, "B");
    EXPECT_TRUE(edit.Modified());
    edit.Undo();
    EXPECT_FALSE(edit.Modified());
    edit.Undo();
    EXPECT_TRUE(edit.Modified());
    edit.Redo();
    EXPECT_FALSE(edit.Modified());
    int reports = 0;
    for (const TSynStatusChanges changes : window.statuses)
        reports += changes.Contains(scModified);
    EXPECT_EQ(reports, 4);
}

TEST_F(UndoRedo, OnePasteUndoesWithTheSelectionItReplaced) {
    LoadWithCaret(edit, "10 |PRINT A");
    FakeWindow::Clipboard() = {"GOTO\r\n20 END", false, {}};
    Keys(edit, "{SelWordRight}{Paste}");
    EXPECT_EQ(TextWithCaret(edit), "10 GOTO\n20 END|A");
    EXPECT_EQ(edit.UndoList().LastChangeReason(), crPasteEnd);
    edit.Undo();
    EXPECT_EQ(edit.Lines().Text(), "10 PRINT A");
    EXPECT_FALSE(edit.CanUndo());
    edit.Redo();
    EXPECT_EQ(edit.Lines().Text(), "10 GOTO\r\n20 ENDA");
}

TEST_F(UndoRedo, IndentUndoesAsOneStepAndRestoresTheSelection) {
    LoadWithCaret(edit, "|A\nB");
    Keys(edit, "{SelDown}{SelLineEnd}{BlockIndent}{BlockIndent}");
    EXPECT_EQ(edit.GetSelText(), "                A\r\n                B");
    edit.Undo();
    EXPECT_EQ(edit.GetSelText(), "        A\r\n        B");
    edit.Undo();
    EXPECT_EQ(edit.GetSelText(), "A\r\nB");
    EXPECT_FALSE(edit.CanUndo());
}

TEST_F(UndoRedo, OnChangeFiresOncePerCommand) {
    struct Counter {
        int changes = 0;
        void Changed(TObject*) { ++changes; }
    } counter;
    edit.OnChange = TNotifyEvent::Of<&Counter::Changed>(&counter);
    LoadWithCaret(edit, "A|B");
    Keys(edit, "{SelLeft}X{LineBreak}");
    EXPECT_EQ(counter.changes, 2);
}

// Undo and redo may put the caret past a line's end for the length of a
// step, but the user's options stay as set throughout (a listener called
// during the step sees them), and afterwards the caret keeps to them.
TEST_F(UndoRedo, AStepPastTheLineEndLeavesTheOptionsAloneAndTheCaretWithinThem) {
    struct Probe {
        const TCustomSynEdit* edit;
        std::vector<TSynEditorOptions> seen;
        void Status(TObject*, TSynStatusChanges) { seen.push_back(edit->Options()); }
    } probe{&edit, {}};
    struct Case {
        bool pastEol;
        const char* afterUndo;
        const char* afterRedo;
    };
    for (const Case& c :
         {Case{true, "abc      |", "REM abc      |"}, Case{false, "abc|", "REM abc|"}}) {
        SCOPED_TRACE(c.pastEol);
        edit.SetOptions(testing::kWindowOptions);
        LoadWithCaret(edit, "abc|");
        edit.SetCaretXY({10, 1});
        Keys(edit, "{CommentBlock}");
        ASSERT_EQ(TextWithCaret(edit), "REM abc      |");
        TSynEditorOptions options = testing::kWindowOptions;
        if (!c.pastEol) options.Exclude(eoScrollPastEol);
        edit.SetOptions(options);
        edit.OnStatusChange = TStatusChangeEvent::Of<&Probe::Status>(&probe);
        edit.Undo();
        EXPECT_EQ(TextWithCaret(edit), c.afterUndo);
        edit.Redo();
        EXPECT_EQ(TextWithCaret(edit), c.afterRedo);
        edit.OnStatusChange = {};
        EXPECT_EQ(edit.Options(), options);
        ASSERT_FALSE(probe.seen.empty());
        for (const TSynEditorOptions& seen : probe.seen)
            EXPECT_EQ(seen, options);
        probe.seen.clear();
    }
}

// Undoing a deletion puts the caret back at the start of the restored text
// after a Delete, where it stood after a Backspace, and selects again a
// selection it deleted, whichever way it was made.
TEST_F(UndoRedo, UndoingADeletionPlacesTheCaretByTheDeletionsKind) {
    struct Case {
        const char* keys;
        const char* afterUndo;
        const char* selected;
    };
    for (const Case& c :
         {Case{"{SelRight}{SelRight}{DeleteChar}", "A|BCD", "BC"},
          Case{"{Right}{Right}{SelLeft}{SelLeft}{DeleteChar}", "A|BCD", "BC"},
          Case{"{DeleteChar}", "A|BCD", ""}, Case{"{Right}{DeleteLastChar}", "AB|CD", ""}}) {
        SCOPED_TRACE(c.keys);
        LoadWithCaret(edit, "A|BCD");
        Keys(edit, c.keys);
        edit.Undo();
        EXPECT_EQ(TextWithCaret(edit), c.afterUndo);
        EXPECT_EQ(edit.SelText(), c.selected);
    }
}

// --- Random edit sequences ---------------------------------------------------------------

// Edits a random text at random with the window's options, and checks that
// undoing step by step passes back through every state in reverse, ends at
// the original text, and that redoing passes forward through them again.
class RandomEdits {
public:
    RandomEdits(unsigned Seed, TSynEditorOptions Options) : rng_(Seed) {
        edit_.SetOptions(Options);
        edit_.SetMaxUndo(100000);
    }

    void Run(int Steps) {
        edit_.Lines().SetText(RandomText());
        original_ = edit_.Lines().Text();
        for (int i = 0; i < Steps; ++i)
            Step();
        const std::string last = edit_.Lines().Text();
        std::vector<std::string> states;
        while (edit_.CanUndo()) {
            states.push_back(edit_.Lines().Text());
            edit_.Undo();
        }
        ASSERT_EQ(edit_.Lines().Text(), original_) << "steps: " << log_;
        while (edit_.CanRedo()) {
            edit_.Redo();
            ASSERT_FALSE(states.empty()) << "steps: " << log_;
            ASSERT_EQ(edit_.Lines().Text(), states.back()) << "steps: " << log_;
            states.pop_back();
        }
        ASSERT_EQ(edit_.Lines().Text(), last) << "steps: " << log_;
    }

private:
    int Pick(int N) { return std::uniform_int_distribution<int>(0, N - 1)(rng_); }

    std::string RandomPiece(const char* Alphabet, int MaxLength) {
        std::string piece;
        const int length = Pick(MaxLength + 1);
        const std::string_view alphabet(Alphabet);
        for (int i = 0; i < length; ++i)
            piece += alphabet[static_cast<std::size_t>(Pick(static_cast<int>(alphabet.size())))];
        return piece;
    }

    // Lines without trailing white space: a trimming editor stores none.
    std::string RandomText() {
        std::string text;
        const int lines = 1 + Pick(5);
        for (int i = 0; i < lines; ++i) {
            std::string line = RandomPiece("AB1 \t(", 10);
            line.resize(TrimTrailing(line).size());
            text += line;
            if (i + 1 < lines) text += "\r\n";
        }
        return text;
    }

    void Step() {
        static const char* const kKeys[] = {"{LineBreak}",
                                            "{InsertLine}",
                                            "{DeleteLastChar}",
                                            "{DeleteChar}",
                                            "{DeleteWord}",
                                            "{DeleteLastWord}",
                                            "{DeleteBOL}",
                                            "{DeleteEOL}",
                                            "{DeleteLine}",
                                            "{BlockIndent}",
                                            "{BlockUnindent}",
                                            "{Cut}",
                                            "{Paste}",
                                            "{ToggleMode}",
                                            "{Left}",
                                            "{Right}",
                                            "{Up}",
                                            "{Down}",
                                            "{LineEnd}",
                                            "{WordRight}",
                                            "{SelLeft}",
                                            "{SelRight}",
                                            "{SelDown}",
                                            "{SelUp}",
                                            "{SelLineEnd}",
                                            "{SelWordRight}",
                                            "{NormalSelect}",
                                            "{ColumnSelect}",
                                            "{LineSelect}",
                                            "{Copy}",
                                            "{UpperCase}",
                                            "{TitleCase}",
                                            "{ToggleCaseBlock}",
                                            "{CommentBlock}"};
        const int kind = Pick(10);
        if (kind < 4) {
            const std::string typed = RandomPiece("AB1 (", 3);
            log_ += typed;
            Keys(edit_, typed);
        } else if (kind < 8) {
            const char* keys = kKeys[Pick(static_cast<int>(std::size(kKeys)))];
            log_ += keys;
            Keys(edit_, keys);
        } else if (kind == 8) {
            const TBufferCoord at{1 + Pick(14), 1 + Pick(edit_.Lines().Count() + 1)};
            log_ += "{Goto " + std::to_string(at.X) + "," + std::to_string(at.Y) + "}";
            edit_.SetCaretXY(at);
            edit_.SetBlockBegin(edit_.CaretXY());
        } else {
            static const char* const kTexts[] = {"X\r\nY", "Z\n", "\rQ", "\t( B", "", "A  \r\n"};
            const char* text = kTexts[Pick(static_cast<int>(std::size(kTexts)))];
            log_ += "{SelText}";
            if (Pick(2) == 0)
                edit_.SetSelText(text);
            else
                FakeWindow::Clipboard() = {text, false, {}};
        }
    }

    std::mt19937 rng_;
    FakeWindow window_;
    TestEditor edit_{window_};
    std::string original_;
    std::string log_;
};

TEST(UndoRedoRandom, UndoAllRestoresTheOriginalAndRedoAllTheEditedText) {
    // Lines stored trimmed, as the window has it, and as they are typed.
    const TSynEditorOptions untrimmed =
        testing::kWindowOptions - TSynEditorOptions{eoTrimTrailingSpaces};
    for (const TSynEditorOptions options : {testing::kWindowOptions, untrimmed}) {
        for (unsigned seed = 1; seed <= 300; ++seed) {
            SCOPED_TRACE("seed " + std::to_string(seed));
            RandomEdits(seed, options).Run(60);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

// --- Steps that fail part way --------------------------------------------------------------

// Fails on the Nth call once armed.
struct Tripwire {
    int armedAfter = -1;
    void Check() {
        if (armedAfter < 0) return;
        if (armedAfter-- == 0) throw std::runtime_error("listener failed");
    }
    void Changed(TObject*) { Check(); }
};

// A highlighter that fails while the editor rescans a changed line.
class FailingHighlighter : public highlight::TSynVBSyn {
public:
    FailingHighlighter() : TSynVBSyn(nullptr) {}
    void SetLine(const std::string& NewValue, int LineNumber) override {
        trip.Check();
        TSynVBSyn::SetLine(NewValue, LineNumber);
    }
    Tripwire trip;
};

// After a step that failed, the text and both lists still agree: undoing
// the rest gives the original, redoing everything the edited text.
void ExpectConsistent(TCustomSynEdit& edit, const std::string& original,
                      const std::string& edited) {
    while (edit.CanUndo())
        edit.Undo();
    EXPECT_EQ(edit.Lines().Text(), original);
    while (edit.CanRedo())
        edit.Redo();
    EXPECT_EQ(edit.Lines().Text(), edited);
}

TEST_F(UndoRedo, AStepWhoseListenerFailsLeavesTextAndListsConsistent) {
    LoadWithCaret(edit, "10 |PRINT\n20 END");
    Tripwire trip;
    edit.OnChange = TNotifyEvent::Of<&Tripwire::Changed>(&trip);
    Keys(edit, "{SelWordRight}GOTO 10"); // one step of eight items
    const std::string edited = edit.Lines().Text();
    trip.armedAfter = 1;
    EXPECT_THROW(edit.Undo(), std::runtime_error);
    EXPECT_NE(edit.Lines().Text(), edited);
    ExpectConsistent(edit, "10 PRINT\r\n20 END", edited);
    while (edit.CanUndo())
        edit.Undo();
    trip.armedAfter = 2;
    EXPECT_THROW(edit.Redo(), std::runtime_error);
    ExpectConsistent(edit, "10 PRINT\r\n20 END", edited);
}

TEST_F(UndoRedo, AStepWhoseLineStoreListenerFailsLeavesTextAndListsConsistent) {
    FailingHighlighter highlighter;
    edit.SetHighlighter(&highlighter);
    LoadWithCaret(edit, "10 |PRINT\n20 END");
    Keys(edit, "{SelWordRight}GOTO 10");
    const std::string edited = edit.Lines().Text();
    edit.ScanRanges(); // every line's range known: each change rescans
    highlighter.trip.armedAfter = 2;
    EXPECT_THROW(edit.Undo(), std::runtime_error);
    highlighter.trip.armedAfter = -1;
    ExpectConsistent(edit, "10 PRINT\r\n20 END", edited);
    edit.SetHighlighter(nullptr);
}

} // namespace
} // namespace marlinet::editor
