// The find bar below the editor: find as one types, every match in view
// marked in the text, next and previous with wrapping (the bar notes when a
// search went round the end), options for case, whole words and regular
// expressions, and a second row for replacing. An unusable pattern is shown
// as such in the bar and finds nothing; it is never an error box.
//
// A replace runs as the editor's owner command kReplaceCommand, so the
// editor's command hooks see it as they see a typed key: the window ends a
// live run when it changed the text.
//
// Window thread only.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "editor/commands.h"
#include "editor/search.h"
#include "editor/types.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace marlinet::editor::qt {
class TSynEdit;
}

namespace marlinet::workbench {

class TFindBar : public QWidget {
    Q_OBJECT

public:
    static constexpr editor::TSynEditorCommand kReplaceCommand = editor::ecUserFirst;

    TFindBar(editor::qt::TSynEdit& Editor, QWidget* Parent);
    // Takes the marks away from the editor.
    ~TFindBar() override;

    // Ctrl+F and Ctrl+H: shows the bar (with the replace row for Replace),
    // the find field focused with its text selected. A selection inside one
    // line becomes the text to find.
    void OpenFind();
    void OpenReplace();
    // Escape: the bar and the marks go, and the editor takes the focus.
    void Close();
    // F3 and Shift+F3: the next or previous match after or before the
    // selection (or the caret), round the end of the text when needed. The
    // bar shows itself; with nothing to find it opens for finding.
    void FindNext();
    void FindPrevious();
    // Replaces the selected match, if the selection is one, and selects the
    // next match.
    void Replace();
    // Replaces every match in a selection over several lines, else in the
    // whole text, as one undo step, and notes how many.
    void ReplaceAll();

    bool Replacing() const;
    // The note beside the field, whole (the bar may show it cut short).
    const QString& Note() const { return note_; }
    // The note reports a fault (unusable pattern, no match).
    bool NoteIsBad() const { return noteBad_; }
    const editor::TSynSearch& Search() const { return search_; }

    QLineEdit* FindField = nullptr;
    QLineEdit* ReplaceField = nullptr;
    QToolButton* MatchCase = nullptr;
    QToolButton* WholeWords = nullptr;
    QToolButton* RegularExpression = nullptr;
    QToolButton* PreviousButton = nullptr;
    QToolButton* NextButton = nullptr;
    QToolButton* CloseButton = nullptr;
    QPushButton* ReplaceButton = nullptr;
    QPushButton* ReplaceAllButton = nullptr;

signals:
    // The bar was shown or hidden, or its replace row was: the window lays
    // its parts out again.
    void layoutChanged();

protected:
    // Enter finds (Shift+Enter backwards) and replaces; the note is cut to
    // its label's width.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QWidget* MakeFindRow();
    QWidget* MakeReplaceRow();
    void Open(bool Replace);
    // Compiles the field's pattern with the options. False, with the reason
    // in the note, when there is nothing to search for.
    bool UsePattern();
    // The pattern or an option changed: the first match from where the
    // search began.
    void SearchAsTyped();
    void Step(bool Backwards);
    void ShowFound(const editor::TSynSearchResult& Result, bool Backwards);
    void SetNote(const QString& Text, bool Bad);
    void ShowNote();
    // The replace row only while the editor may be changed.
    void UpdateReplaceRow();

    QPointer<editor::qt::TSynEdit> editor_;
    editor::TSynSearch search_;
    // Where a search as one types starts: the selection or caret when the
    // bar opened, then each match stepped to.
    editor::TBufferCoord anchor_;
    QWidget* replaceRow_ = nullptr;
    QLabel* noteLabel_ = nullptr;
    QString note_;
    bool noteBad_ = false;
};

} // namespace marlinet::workbench
