// The output console: a read-only, black, fixed-pitch text pane that a
// running program prints into, line by line. It keeps the newest kMaxLines
// lines, so a program printing without end cannot exhaust memory.
//
// Window thread only; the interpreter thread's output reaches Print in
// batches, in order.
#pragma once

#include <cstdint>
#include <string_view>

#include <QPlainTextEdit>

namespace marlinet::workbench {

class TConsole : public QPlainTextEdit {
    Q_OBJECT

public:
    // A printed line is broken after this many characters.
    static constexpr int kLineWidth = 49;
    // At most this many lines are kept. Older lines are dropped kDropBlock
    // at a time: dropping is rare, and printing stays as fast as appending.
    static constexpr int kMaxLines = 100000;
    static constexpr int kDropBlock = 10000;

    explicit TConsole(QWidget* Parent = nullptr);

    // Prints 8-bit text: LF starts a new line, CR is ignored, and a line that
    // reaches kLineWidth characters is continued on a new line. Returns the
    // number of characters written, CR and LF not counted. Text of any length
    // is added in one edit. The view follows the end only while it was at
    // the bottom (the user may be reading older output), and a selection
    // the user made keeps its ends.
    int Print(std::string_view Text);

    // Takes back the last Count characters printed (CR not counted, LF
    // counted; the breaks of long lines are not characters), as if they had
    // never been printed: Print of the same text puts them back as they were.
    void RemoveLastPrinted(std::uint64_t Count);

    // Appends a line at the end and makes it the current line; returns its
    // index.
    int AppendLine(std::string_view Text = {});

    // Start-up: 10 empty lines, "Marlinet Ver. 1.5D", "Output console" and
    // two empty lines.
    void WriteStartUpBanner();
    // Clear Console and New: 9 empty lines, "Marlinet Console", one empty
    // line.
    void WriteConsoleBanner();

    void ClearLines();
    void ScrollToBottom();

    // The lines kept; indices count from the oldest kept line.
    int LineCount() const { return lineCount_; }
    // The line printed characters go to; -1 while the console is empty.
    int CurrentLine() const { return lineCount_ - 1; }
    QString LineText(int Index) const;
    // Lines dropped from the top since the console was last cleared.
    std::int64_t LinesDropped() const { return dropped_; }

private:
    // Drops the oldest lines in whole blocks until at most kMaxLines are
    // left. Returns the number of characters removed.
    int DropOldLines();

    // The current line is always the last one: lines are only ever appended.
    int lineCount_ = 0;
    int currentLength_ = 0; // of the current line
    std::int64_t dropped_ = 0;
};

} // namespace marlinet::workbench
