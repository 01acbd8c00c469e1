#include "workbench/input_form.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "interpreter/host.h"
#include "workbench/fonts.h"

namespace marlinet::workbench {

namespace {

constexpr char kCtrlC = 3;
constexpr char kEnter = 13;

// The character a key produces, or nothing for keys without one (arrows,
// function and shift keys) and for characters outside 8 bits.
std::optional<char> KeyCharacter(const QKeyEvent& Event) {
    // Platforms differ in the text of Ctrl+letter; the control code is what
    // the key means here.
    if ((Event.modifiers() & Qt::ControlModifier) && Event.key() >= Qt::Key_A &&
        Event.key() <= Qt::Key_Z)
        return static_cast<char>(Event.key() - Qt::Key_A + 1);
    const QString text = Event.text();
    if (text.isEmpty() || text.front().unicode() > 255) return std::nullopt;
    return static_cast<char>(text.front().unicode());
}

} // namespace

TInputForm::TInputForm(QWidget* Parent)
    : QDialog(Parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("InputForm"));
    setWindowTitle(QStringLiteral("Input"));
    setFont(FormFont());
    setFixedSize(kClientWidth, kClientHeight);
    setModal(true);

    Label1 = new QLabel(QStringLiteral("INPUT \"$\" command: Press a key..(Ctrl+C to Exit)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(4, 16, 289, 13);
    Label1->setAlignment(Qt::AlignCenter);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 44, 109, 21);
    Edit1->setMaxLength(static_cast<int>(basic::kMaxInputLength));
    Button1 = new QPushButton(QStringLiteral("Acept Value"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(128, 44, 75, 25);
    Button1->setAutoDefault(false);
    Button2 = new QPushButton(QStringLiteral("Stop && Exit"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(208, 44, 75, 25);
    Button2->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TInputForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TInputForm::Button2Click);
    // Key preview: the form sees every key before the focused control.
    for (QWidget* child : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Button1),
                           static_cast<QWidget*>(Button2)})
        child->installEventFilter(this);
}

void TInputForm::showEvent(QShowEvent* Event) {
    FormShow();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // Placed by its client area: move() places the frame, which is not
        // known before the first showing, so every later showing would land
        // lower by the title bar.
        QRect place(QPoint(), size());
        place.moveCenter(screen->availableGeometry().center());
        setGeometry(place);
    }
    QDialog::showEvent(Event);
}

void TInputForm::FormShow() {
    const bool key = inputMode_ == TInputMode::Key;
    Edit1->setVisible(!key);
    Button1->setVisible(!key);
    Button2->setVisible(!key);
    Label1->setText(key ? QStringLiteral("INPUT \"$\" command: Press a key..(Ctrl+C to Exit)")
                        : QStringLiteral("INPUT command: Enter value!"));
    if (key)
        setFocus(Qt::OtherFocusReason);
    else
        Edit1->setFocus(Qt::OtherFocusReason);
}

bool TInputForm::FormKeyPress(const QKeyEvent& Event) {
    const std::optional<char> c = KeyCharacter(Event);
    if (!c) return false;
    if (inputMode_ == TInputMode::Key) {
        if (*c == kCtrlC) {
            done(kStopped);
        } else {
            Edit1->setText(QString(QChar(static_cast<unsigned char>(*c))));
            done(kAccepted);
        }
        return true;
    }
    if (*c == kEnter) {
        done(kAccepted);
        return true;
    }
    return false; // typed into Edit1
}

bool TInputForm::event(QEvent* Event) {
    // Before the dialog's own handling: in key mode Tab and Escape are keys
    // like any other.
    if (Event->type() == QEvent::KeyPress && FormKeyPress(static_cast<QKeyEvent&>(*Event)))
        return true;
    return QDialog::event(Event);
}

bool TInputForm::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::KeyPress && FormKeyPress(static_cast<QKeyEvent&>(*Event)))
        return true;
    return QDialog::eventFilter(Watched, Event);
}

} // namespace marlinet::workbench
