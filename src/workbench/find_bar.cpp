#include "workbench/find_bar.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/qt/qt_platform.h"
#include "editor/qt/synedit.h"

namespace marlinet::workbench {

namespace {

constexpr int kRowHeight = 22;

const QColor kBadField(255, 208, 208);
const QColor kBadNote(176, 0, 0);

QString WithKey(const QString& Tip, const QKeySequence& Key) {
    return Tip + QStringLiteral(" (%1)").arg(Key.toString(QKeySequence::NativeText));
}

QToolButton* MakeToolButton(QWidget* Parent, const QString& Text, const QString& Tip) {
    auto* button = new QToolButton(Parent);
    button->setText(Text);
    button->setToolTip(Tip);
    button->setFixedHeight(kRowHeight);
    button->setAutoRaise(true);
    return button;
}

// A search option, switched with Alt and a letter while the bar has a field
// focused.
QToolButton* MakeOption(QWidget* Parent, const QString& Text, const QString& Tip, Qt::Key Key) {
    const QKeySequence key(Qt::ALT | Key);
    QToolButton* button = MakeToolButton(Parent, Text, WithKey(Tip, key));
    button->setShortcut(key);
    button->setCheckable(true);
    button->setFixedWidth(26);
    return button;
}

void MarkField(QLineEdit& Field, bool Bad) {
    QPalette palette = Field.parentWidget()->palette();
    if (Bad) palette.setColor(QPalette::Base, kBadField);
    Field.setPalette(palette);
}

} // namespace

TFindBar::TFindBar(editor::qt::TSynEdit& Editor, QWidget* Parent)
    : QWidget(Parent), editor_(&Editor) {
    setObjectName(QStringLiteral("FindBar"));
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 2, 0, 0);
    rows->setSpacing(2);
    rows->addWidget(MakeFindRow());
    replaceRow_ = MakeReplaceRow();
    rows->addWidget(replaceRow_);
    replaceRow_->hide();
    setTabOrder(FindField, ReplaceField);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &TFindBar::Close);
    hide();
}

TFindBar::~TFindBar() {
    if (editor_ && editor_->Core().MarkedSearch() == &search_)
        editor_->Core().SetMarkedSearch(nullptr);
}

QWidget* TFindBar::MakeFindRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(new QLabel(QStringLiteral("Find:"), row));
    FindField = new QLineEdit(row);
    FindField->setObjectName(QStringLiteral("FindField"));
    FindField->setFixedHeight(kRowHeight);
    FindField->setMinimumWidth(90);
    FindField->installEventFilter(this);
    connect(FindField, &QLineEdit::textChanged, this, &TFindBar::SearchAsTyped);
    layout->addWidget(FindField, 3);

    MatchCase = MakeOption(row, QStringLiteral("Aa"), QStringLiteral("Match case"), Qt::Key_C);
    WholeWords = MakeOption(row, QStringLiteral("ab"), QStringLiteral("Whole words"), Qt::Key_W);
    RegularExpression = MakeOption(row, QStringLiteral(".*"),
                                   QStringLiteral("Regular expression (PCRE2)"), Qt::Key_R);
    QFont underlined = WholeWords->font();
    underlined.setUnderline(true);
    WholeWords->setFont(underlined);
    for (QToolButton* option : {MatchCase, WholeWords, RegularExpression}) {
        connect(option, &QToolButton::toggled, this, &TFindBar::SearchAsTyped);
        layout->addWidget(option);
    }
    // F3 and Shift+F3 belong to the Edit menu, which finds with the bar
    // closed too: the buttons only name them.
    PreviousButton = MakeToolButton(
        row, QStringLiteral("\u25B2"),
        WithKey(QStringLiteral("Previous match"), QKeySequence(Qt::SHIFT | Qt::Key_F3)));
    NextButton = MakeToolButton(row, QStringLiteral("\u25BC"),
                                WithKey(QStringLiteral("Next match"), QKeySequence(Qt::Key_F3)));
    connect(PreviousButton, &QToolButton::clicked, this, &TFindBar::FindPrevious);
    connect(NextButton, &QToolButton::clicked, this, &TFindBar::FindNext);
    layout->addWidget(PreviousButton);
    layout->addWidget(NextButton);

    noteLabel_ = new QLabel(row);
    noteLabel_->setObjectName(QStringLiteral("FindNote"));
    // The note takes the room there is and is cut to it, never the other
    // way round.
    noteLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    noteLabel_->setMinimumWidth(40);
    noteLabel_->installEventFilter(this);
    layout->addWidget(noteLabel_, 2);

    CloseButton = MakeToolButton(row, QStringLiteral("\u2715"), QStringLiteral("Close (Esc)"));
    connect(CloseButton, &QToolButton::clicked, this, &TFindBar::Close);
    layout->addWidget(CloseButton);
    return row;
}

QWidget* TFindBar::MakeReplaceRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(new QLabel(QStringLiteral("Replace:"), row));
    ReplaceField = new QLineEdit(row);
    ReplaceField->setObjectName(QStringLiteral("ReplaceField"));
    ReplaceField->setFixedHeight(kRowHeight);
    ReplaceField->setToolTip(
        QStringLiteral("With a regular expression, $1 or ${name} inserts a group, $$ a dollar"));
    ReplaceField->installEventFilter(this);
    layout->addWidget(ReplaceField, 1);
    ReplaceButton = new QPushButton(QStringLiteral("Re&place"), row);
    ReplaceAllButton = new QPushButton(QStringLiteral("Replace &all"), row);
    for (QPushButton* button : {ReplaceButton, ReplaceAllButton}) {
        button->setFixedHeight(kRowHeight);
        button->setAutoDefault(false);
        layout->addWidget(button);
    }
    connect(ReplaceButton, &QPushButton::clicked, this, &TFindBar::Replace);
    connect(ReplaceAllButton, &QPushButton::clicked, this, &TFindBar::ReplaceAll);
    return row;
}

bool TFindBar::Replacing() const {
    return !replaceRow_->isHidden();
}

void TFindBar::OpenFind() {
    Open(false);
}

void TFindBar::OpenReplace() {
    Open(true);
}

void TFindBar::Open(bool Replace) {
    if (!editor_) return;
    editor::TCustomSynEdit& core = editor_->Core();
    const editor::TSynDocument& doc = core.Document();
    anchor_ = doc.SelAvail() ? doc.SelectionFirst() : core.CaretXY();
    // A word or two picked in one line is what one wants to find; whole
    // lines (a paused run shows its line so) are not.
    if (doc.SelAvail() && doc.ActiveSelectionMode() == editor::smNormal &&
        doc.SelectionFirst().Y == doc.SelectionLast().Y)
        FindField->setText(editor::qt::FromLatin1(core.SelText()));
    const bool layoutChanges = isHidden() || Replacing() != Replace;
    replaceRow_->setVisible(Replace);
    show();
    UpdateReplaceRow();
    core.SetMarkedSearch(&search_);
    if (layoutChanges) emit layoutChanged();
    FindField->setFocus(Qt::ShortcutFocusReason);
    FindField->selectAll();
}

void TFindBar::Close() {
    if (isHidden()) return;
    hide();
    emit layoutChanged();
    if (!editor_) return;
    editor_->Core().SetMarkedSearch(nullptr);
    editor_->setFocus(Qt::ShortcutFocusReason);
}

bool TFindBar::UsePattern() {
    const std::optional<editor::TSynSearchError> error = search_.SetPattern(
        editor::qt::ToLatin1(FindField->text()),
        {MatchCase->isChecked(), WholeWords->isChecked(), RegularExpression->isChecked()});
    if (editor_) editor_->Core().MarkedSearchChanged();
    MarkField(*FindField, error.has_value());
    if (error) {
        QString text =
            QStringLiteral("Invalid pattern: %1").arg(QString::fromStdString(error->Message));
        if (error->Offset >= 0) text += QStringLiteral(" (at character %1)").arg(error->Offset + 1);
        SetNote(text, true);
        return false;
    }
    SetNote({}, false);
    return search_.Active();
}

void TFindBar::SearchAsTyped() {
    if (!UsePattern() || !editor_) return;
    ShowFound(editor_->Core().FindFrom(search_, anchor_, false), false);
}

void TFindBar::FindNext() {
    Step(false);
}

void TFindBar::FindPrevious() {
    Step(true);
}

void TFindBar::Step(bool Backwards) {
    if (!editor_) return;
    if (!search_.Active() && !search_.PatternError()) {
        if (isHidden()) OpenFind();
        return;
    }
    if (isHidden()) {
        show();
        editor_->Core().SetMarkedSearch(&search_);
        UpdateReplaceRow();
        emit layoutChanged();
    }
    if (!UsePattern()) return; // shows the faulty pattern again
    editor::TCustomSynEdit& core = editor_->Core();
    const editor::TSynSearchResult result =
        Backwards ? core.FindPrevious(search_) : core.FindNext(search_);
    if (result.Found) anchor_ = result.Match.Start;
    ShowFound(result, Backwards);
}

void TFindBar::ShowFound(const editor::TSynSearchResult& Result, bool Backwards) {
    if (Result.Error) {
        SetNote(
            QStringLiteral("Search gave up: %1").arg(QString::fromStdString(Result.Error->Message)),
            true);
        return;
    }
    MarkField(*FindField, !Result.Found);
    if (!Result.Found) {
        SetNote(QStringLiteral("No matches"), true);
        return;
    }
    const editor::TSynEditStringList& lines = editor_->Core().Lines();
    const std::vector<editor::TSynSearchMatch> all = search_.FindAll(lines, 1, lines.Count());
    const auto at = std::lower_bound(all.begin(), all.end(), Result.Match.Start,
                                     [](const editor::TSynSearchMatch& M,
                                        const editor::TBufferCoord& P) { return M.Start < P; });
    // The place first: a narrow bar cuts the note from its end.
    QString text = QStringLiteral("%1 of %2").arg(at - all.begin() + 1).arg(all.size());
    if (Result.Wrapped)
        text +=
            Backwards ? QStringLiteral(", wrapped to bottom") : QStringLiteral(", wrapped to top");
    SetNote(text, false);
}

void TFindBar::Replace() {
    if (!editor_ || editor_->Core().ReadOnly() || !UsePattern()) return;
    editor::TCustomSynEdit& core = editor_->Core();
    editor::TSynReplaceResult replaced;
    core.ProcessOwnerCommand(kReplaceCommand, [&] {
        replaced = core.ReplaceCurrent(search_, editor::qt::ToLatin1(ReplaceField->text()));
    });
    if (replaced.Error) {
        SetNote(QStringLiteral("Invalid replacement: %1")
                    .arg(QString::fromStdString(replaced.Error->Message)),
                true);
        return;
    }
    Step(false);
}

void TFindBar::ReplaceAll() {
    if (!editor_ || editor_->Core().ReadOnly() || !UsePattern()) return;
    editor::TCustomSynEdit& core = editor_->Core();
    editor::TSynReplaceResult replaced;
    core.ProcessOwnerCommand(kReplaceCommand, [&] {
        replaced = core.ReplaceAll(search_, editor::qt::ToLatin1(ReplaceField->text()));
    });
    if (replaced.Error) {
        SetNote(QStringLiteral("Invalid replacement: %1")
                    .arg(QString::fromStdString(replaced.Error->Message)),
                true);
    } else if (replaced.Count == 0) {
        SetNote(QStringLiteral("No matches"), true);
    } else {
        SetNote(replaced.Count == 1 ? QStringLiteral("Replaced 1 match")
                                    : QStringLiteral("Replaced %1 matches").arg(replaced.Count),
                false);
    }
}

void TFindBar::UpdateReplaceRow() {
    const bool writable = editor_ && !editor_->Core().ReadOnly();
    for (QWidget* part : {static_cast<QWidget*>(ReplaceField), static_cast<QWidget*>(ReplaceButton),
                          static_cast<QWidget*>(ReplaceAllButton)})
        part->setEnabled(writable);
}

void TFindBar::SetNote(const QString& Text, bool Bad) {
    note_ = Text;
    noteBad_ = Bad;
    QPalette palette = this->palette();
    if (Bad) palette.setColor(QPalette::WindowText, kBadNote);
    noteLabel_->setPalette(palette);
    ShowNote();
}

void TFindBar::ShowNote() {
    noteLabel_->setText(
        noteLabel_->fontMetrics().elidedText(note_, Qt::ElideRight, noteLabel_->width()));
    noteLabel_->setToolTip(note_);
}

bool TFindBar::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == noteLabel_ && Event->type() == QEvent::Resize) ShowNote();
    if (Event->type() != QEvent::KeyPress) return QWidget::eventFilter(Watched, Event);
    const auto* key = static_cast<QKeyEvent*>(Event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if (Watched == FindField)
        Step(key->modifiers().testFlag(Qt::ShiftModifier));
    else if (Watched == ReplaceField)
        Replace();
    else
        return false;
    return true;
}

} // namespace marlinet::workbench
