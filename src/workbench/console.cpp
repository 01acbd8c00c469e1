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

void TConsole::RemoveLastPrinted(std::uint64_t Count) {
    // Walks back from the end. A block of kLineWidth characters was ended by
    // a break Print made, which is no character; any other end was an LF.
    QTextBlock block = document()->lastBlock();
    int from = document()->characterCount() - 1;
    while (Count > 0 && block.isValid()) {
        const auto length = static_cast<std::uint64_t>(block.length() - 1);
        if (Count <= length) {
            from -= static_cast<int>(Count);
            break;
        }
        Count -= length;
        from -= static_cast<int>(length);
        const QTextBlock previous = block.previous();
        if (Count == 0 || !previous.isValid()) break;
        if (previous.length() - 1 != kLineWidth) --Count; // the LF
        --from;                                           // the block's end
        block = previous;
    }
    QTextCursor cursor(document());
    cursor.setPosition(std::max(from, 0));
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    lineCount_ = document()->isEmpty() ? 0 : document()->blockCount();
    currentLength_ = document()->lastBlock().length() - 1;
}

int TConsole::Print(std::string_view Text) {
    // The printed text becomes one string of new characters and line breaks,
    // inserted at the end at once: a document edit per character or line
    // would make a printing program wait for the console.
    QString added;
    added.reserve(static_cast<qsizetype>(Text.size() + Text.size() / kLineWidth + 1));
    int written = 0;
    const auto newLine = [&] {
        // An empty console already shows its first, empty line.
        if (lineCount_ > 0) added += QLatin1Char('\n');
        ++lineCount_;
        currentLength_ = 0;
    };
    for (const char c : Text) {
        if (c == '\n') {
            newLine();
        } else if (c != '\r') {
            if (lineCount_ == 0) newLine();
            added += QChar(static_cast<unsigned char>(c));
            ++written;
            if (++currentLength_ >= kLineWidth) newLine();
        }
    }
    if (added.isEmpty()) return written;

    QScrollBar* bar = verticalScrollBar();
    const bool follow = !bar->isSliderDown() && bar->value() >= bar->maximum();
    const int top = bar->value();
    const std::int64_t droppedBefore = dropped_;
    // Text inserted at a selection's end would join the selection. (The
    // ends are copied: a cursor copy shares the position the edit moves.)
    const QTextCursor view = textCursor();
    const int anchor = view.anchor();
    const int position = view.position();
    const int end = document()->characterCount() - 1;
    const bool keepSelection = anchor != position && (anchor == end || position == end);

    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(added);
    const int removed = DropOldLines();

    if (keepSelection) {
        const auto moved = [&](int Position) { return std::max(Position - removed, 0); };
        QTextCursor kept = textCursor();
        kept.setPosition(moved(anchor));
        kept.setPosition(moved(position), QTextCursor::KeepAnchor);
        setTextCursor(kept);
    }
    if (follow)
        ScrollToBottom();
    else
        bar->setValue(
            static_cast<int>(std::max<std::int64_t>(top - (dropped_ - droppedBefore), 0)));
    return written;
}

int TConsole::DropOldLines() {
    if (lineCount_ <= kMaxLines) return 0;
    const int excess = lineCount_ - kMaxLines;
    const int lines = (excess + kDropBlock - 1) / kDropBlock * kDropBlock;
    QTextCursor cursor(document());
    cursor.setPosition(document()->findBlockByNumber(lines).position(), QTextCursor::KeepAnchor);
    const int removed = cursor.selectionEnd();
    cursor.removeSelectedText();
    lineCount_ -= lines;
    dropped_ += lines;
    return removed;
}

int TConsole::AppendLine(std::string_view Text) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // An empty document still holds one block; the first line goes there.
    if (lineCount_ > 0) cursor.insertBlock();
    cursor.insertText(ToQString(Text));
    ++lineCount_;
    currentLength_ = static_cast<int>(Text.size());
    return CurrentLine();
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
    currentLength_ = 0;
    dropped_ = 0;
}

void TConsole::ScrollToBottom() {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->maximum());
}

QString TConsole::LineText(int Index) const {
    if (Index < 0 || Index >= lineCount_) return {};
    return document()->findBlockByNumber(Index).text();
}

} // namespace marlinet::workbench
