#include "workbench/console.h"

#include <algorithm>

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "workbench/fonts.h"
#include "workbench/text.h"
#include "workbench/version.h"

namespace marlinet::workbench {

TConsole::TConsole(QWidget* Parent) : QPlainTextEdit(Parent) {
    setObjectName(QStringLiteral("Console"));
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFont(ConsoleFont());
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::black);
    colours.setColor(QPalette::Text, Qt::white);
    setPalette(colours);
    // The document's undo stack would keep a copy of every printed character.
    setUndoRedoEnabled(false);
}

int TConsole::Print(std::string_view Text) {
    int written = 0;
    while (!Text.empty()) {
        const char c = Text.front();
        if (c == '\n' || c == '\r') {
            if (c == '\n') AppendLine();
            Text.remove_prefix(1);
            continue;
        }
        const std::size_t run = std::min(Text.find_first_of("\r\n"), Text.size());
        if (currentLine_ < 0) AppendLine();
        // The line takes characters up to kLineWidth; a line that is already
        // that long (it cannot be, from printing) still takes one.
        const int room = std::max(1, kLineWidth - LineLength(currentLine_));
        const std::size_t take = std::min(run, static_cast<std::size_t>(room));
        AppendToCurrentLine(Text.substr(0, take));
        written += static_cast<int>(take);
        Text.remove_prefix(take);
        if (LineLength(currentLine_) >= kLineWidth) AppendLine();
    }
    ScrollToBottom();
    return written;
}

int TConsole::AppendLine(std::string_view Text) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // An empty document still holds one block; the first line goes there.
    if (lineCount_ > 0) cursor.insertBlock();
    cursor.insertText(ToQString(Text));
    currentLine_ = lineCount_++;
    return currentLine_;
}

void TConsole::WriteStartUpBanner() {
    ClearLines();
    for (int i = 0; i < 10; ++i)
        AppendLine();
    AppendLine(std::string("Marlinet Ver. ") + kInterpreterVersion);
    AppendLine("Output console");
    AppendLine();
    AppendLine();
    ScrollToBottom();
}

void TConsole::WriteConsoleBanner() {
    ClearLines();
    for (int i = 0; i < 9; ++i)
        AppendLine();
    AppendLine("Marlinet Console");
    AppendLine();
    ScrollToBottom();
}

void TConsole::ClearLines() {
    clear();
    lineCount_ = 0;
    currentLine_ = -1;
}

void TConsole::ScrollToBottom() {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->maximum());
}

QString TConsole::LineText(int Index) const {
    if (Index < 0 || Index >= lineCount_) return {};
    return document()->findBlockByNumber(Index).text();
}

int TConsole::LineLength(int Index) const {
    return document()->findBlockByNumber(Index).length() - 1; // without the block end
}

void TConsole::AppendToCurrentLine(std::string_view Text) {
    QTextCursor cursor(document()->findBlockByNumber(currentLine_));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(ToQString(Text));
}

} // namespace marlinet::workbench
