// The variables grid's texts and write-back, and the console's banners and
// printing.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include "fake_dialogs.h"
#include "workbench/console.h"
#include "workbench/main_form.h"
#include "workbench/variables_grid.h"

namespace marlinet::workbench {
namespace {

class GridTest : public ::testing::Test {
protected:
    testing::TFakeDialogs* dialogs = new testing::TFakeDialogs;
    TMainForm form{std::unique_ptr<TWorkbenchDialogs>(dialogs)};
    TVariablesGrid& grid = *form.StringGrid1;
    QSignalSpy edits{&grid, &TVariablesGrid::VariableEdited};
};

TEST_F(GridTest, ShowsLabelsAndValuesAtStartUpRunStartAndRefresh) {
    EXPECT_EQ(grid.rowCount(), 26);
    EXPECT_EQ(grid.columnCount(), 2);
    EXPECT_EQ(grid.rowHeight(7), 14);
    EXPECT_EQ(grid.columnWidth(0), 50);
    EXPECT_EQ(grid.CellText(0, 0), "     A = ");
    EXPECT_EQ(grid.CellText(0, 25), "     Z = ");
    EXPECT_EQ(grid.CellText(1, 3), "     0");
    EXPECT_FALSE(grid.item(4, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(grid.item(4, 1)->flags() & Qt::ItemIsEditable);

    grid.ResetVariables();
    EXPECT_EQ(grid.CellText(1, 3), "0");
    TVariablesGrid::Values values{};
    values[0] = 5;
    values[1] = -3;
    grid.RefreshGrid(values);
    EXPECT_EQ(grid.CellText(1, 0), "5");
    EXPECT_EQ(grid.CellText(1, 1), "-3");
    EXPECT_EQ(grid.CellText(0, 1), "     B = ");
}

TEST_F(GridTest, EnterWritesTheTrimmedLow16BitsToTheLastEditedRow) {
    const struct {
        const char* typed;
        int stored;
    } cases[] = {{"42", 42}, {" -7\t", -7}, {"70000", 4464}, {"+32768", -32768}};
    for (const auto& c : cases) {
        grid.StringGrid1SetEditText(1, 2, QString::fromLatin1(c.typed));
        grid.setCurrentCell(9, 1); // Enter writes where the text changed
        grid.StringGrid1KeyDown(13);
        ASSERT_EQ(edits.size(), 1) << c.typed;
        EXPECT_EQ(edits.takeFirst(),
                  (QList<QVariant>{2, QVariant::fromValue(std::int16_t(c.stored))}));
    }
    grid.StringGrid1KeyDown(27); // only Enter acts
    EXPECT_TRUE(edits.isEmpty());
    EXPECT_TRUE(dialogs->Errors.isEmpty());
}

TEST_F(GridTest, EnterOnTextThatIsNotAnIntegerShowsTheConversionError) {
    // U+1F600 is one character beyond Latin-1: one '?'.
    for (const char* typed : {"abc", "", "  ", "99999999999", "1 2", "1\xF0\x9F\x98\x80"}) {
        grid.StringGrid1SetEditText(1, 4, QString::fromUtf8(typed));
        grid.StringGrid1KeyDown(13);
    }
    EXPECT_TRUE(edits.isEmpty());
    EXPECT_EQ(dialogs->Errors,
              (QStringList{
                  "'abc' is not a valid integer value", "'' is not a valid integer value",
                  "'' is not a valid integer value", "'99999999999' is not a valid integer value",
                  "'1 2' is not a valid integer value", "'1?' is not a valid integer value"}));
}

TEST_F(GridTest, TypingIntoAValueCellAndPressingEnterEditsTheVariable) {
    form.show();
    grid.setFocus();
    grid.setCurrentCell(2, 1);
    QTest::keyClick(&grid, Qt::Key_4); // opens the editor with this key
    auto* editor = grid.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_2);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(edits.size(), 1);
    EXPECT_EQ(edits.at(0).at(0).toInt(), 2);
    EXPECT_EQ(edits.at(0).at(1).value<std::int16_t>(), 42);
    EXPECT_EQ(grid.CellText(1, 2), "42"); // kept as typed
}

std::vector<QString> Lines(const TConsole& console) {
    std::vector<QString> lines;
    for (int i = 0; i < console.LineCount(); ++i)
        lines.push_back(console.LineText(i));
    return lines;
}

TEST(ConsoleTest, BannersEndOnTheirLastEmptyLine) {
    TMainForm form{std::make_unique<testing::TFakeDialogs>()};
    TConsole& console = *form.Console;
    std::vector<QString> startUp(10);
    startUp.insert(startUp.end(), {"Marlinet Ver. 1.5D", "Output console", "", ""});
    EXPECT_EQ(Lines(console), startUp);
    EXPECT_EQ(console.CurrentLine(), 13);

    console.Print("x");
    form.SpeedButton7Click();
    std::vector<QString> banner(9);
    banner.insert(banner.end(), {"Marlinet Console", ""});
    EXPECT_EQ(Lines(console), banner);
    console.Print("next");
    EXPECT_EQ(console.LineText(10), "next");
    EXPECT_TRUE(console.isReadOnly());
    EXPECT_EQ(console.lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST(ConsoleTest, PrintBreaksLinesOnLineFeedAndAfter49Characters) {
    TConsole console;
    console.AppendLine();
    EXPECT_EQ(console.Print("abc\r\ndef"), 6);
    EXPECT_EQ(console.Print("\rg\n"), 1); // a lone CR does nothing
    EXPECT_EQ(console.Print(std::string(100, 'x')), 100);
    EXPECT_EQ(Lines(console),
              (std::vector<QString>{"abc", "defg", QString(49, 'x'), QString(49, 'x'), "xx"}));
    EXPECT_EQ(console.CurrentLine(), 4);
}

// Taking back what was printed (CR not counted, LF counted) leaves the lines
// as they were before it, down to an empty console, and printing it again
// puts back the same lines.
TEST(ConsoleTest, RemoveLastPrintedUndoesAPrintExactly) {
    const std::string full(49, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"", "abc\ndef"},
        {"", "a"},
        {"", "\n\n"},
        {"ab", "c\r\n" + full + "yz"},
        {full, "y"},
        {"abc\n", "\n"},
        {"abc\n" + full, "\n" + full + full},
        {"abc", "def"},
    };
    for (const auto& [before, printed] : cases) {
        SCOPED_TRACE("'" + before + "' then '" + printed + "'");
        TConsole console;
        console.Print(before);
        const std::vector<QString> lines = Lines(console);
        console.Print(printed);
        const std::vector<QString> after = Lines(console);
        console.RemoveLastPrinted(printed.size() - std::ranges::count(printed, '\r'));
        EXPECT_EQ(Lines(console), lines);
        console.Print(printed);
        EXPECT_EQ(Lines(console), after);
    }
}

std::string NumberedLines(int First, int Count) {
    std::string text;
    for (int i = First; i < First + Count; ++i)
        text += std::to_string(i) + "\n";
    return text;
}

// An endless PRINT loop: past 100,000 lines the oldest go, 10,000 at a time,
// and the newest are all there, in order.
TEST(ConsoleTest, Issue17KeepsTheNewest100000LinesDroppingTheOldestInBlocks) {
    TConsole console;
    int printed = 0; // lines ended so far; line i reads i
    const std::tuple<int, int, int> steps[] = {
        {99999, 100000, 0}, {100000, 90001, 10000}, {125000, 95001, 30000}};
    for (const auto& [upTo, kept, dropped] : steps) {
        console.Print(NumberedLines(printed, upTo - printed));
        printed = upTo;
        EXPECT_EQ(console.LineCount(), kept);
        EXPECT_EQ(console.LinesDropped(), dropped);
        EXPECT_EQ(console.LineText(0), QString::number(dropped));
        EXPECT_EQ(console.LineText(kept - 2), QString::number(printed - 1));
    }
}

// Scrolled up, the view keeps showing its lines while old ones are dropped
// and a selection at the end keeps its text; at the bottom it follows.
TEST(ConsoleTest, Issue17NewOutputLeavesAReaderScrolledUpAlone) {
    TConsole console;
    console.resize(433, 169);
    console.show();
    QScrollBar& bar = *console.verticalScrollBar();
    console.Print(NumberedLines(0, TConsole::kMaxLines - 1));
    EXPECT_EQ(bar.value(), bar.maximum());
    QTextCursor cursor = console.textCursor();
    cursor.setPosition(console.document()->findBlockByNumber(99990).position());
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    console.setTextCursor(cursor);
    bar.setValue(95000);
    const QString selected = console.textCursor().selectedText();
    console.Print(NumberedLines(TConsole::kMaxLines - 1, 10)); // drops 10,000 lines
    EXPECT_EQ(bar.value(), 85000);
    EXPECT_EQ(console.textCursor().selectedText(), selected);
    bar.setValue(bar.maximum());
    console.Print("more\n");
    EXPECT_EQ(bar.value(), bar.maximum());
}

} // namespace
} // namespace marlinet::workbench
