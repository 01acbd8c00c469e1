// The output console: a read-only, black, fixed-pitch text pane that a
// running program prints into, line by line.
//
// Window thread only; the interpreter thread's output reaches Print in
// batches, in order.
#pragma once

#include <string_view>

#include <QPlainTextEdit>

namespace marlinet::workbench {

class TConsole : public QPlainTextEdit {
    Q_OBJECT

public:
    // A printed line is broken after this many characters.
    static constexpr int kLineWidth = 49;

    explicit TConsole(QWidget* Parent = nullptr);

    // Prints 8-bit text: LF starts a new line, CR is ignored, and a line that
    // reaches kLineWidth characters is continued on a new line; then shows the
    // end of the console. Returns the number of characters written, CR and LF
    // not counted. Text of any length is added in one edit.
    int Print(std::string_view Text);

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

    int LineCount() const { return lineCount_; }
    // The line printed characters go to; -1 while the console is empty.
    int CurrentLine() const { return lineCount_ - 1; }
    QString LineText(int Index) const;

private:
    // The current line is always the last one: lines are only ever appended.
    int lineCount_ = 0;
    int currentLength_ = 0; // of the current line
};

} // namespace marlinet::workbench
