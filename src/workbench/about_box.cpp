#include "workbench/about_box.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "workbench/fonts.h"

namespace marlinet::workbench {

namespace {

// Broken into short lines: the memo does not wrap.
constexpr const char* kCredits = "Marlinet is a workbench for small integer BASIC\n"
                                 "programs and the controller board they drive:\n"
                                 "four lamps, four input switches, a receive bit,\n"
                                 "two analog inputs and one analog output.\n"
                                 "\n"
                                 "Write a program in the editor, then run it, stop\n"
                                 "it, step through it one statement at a time, or\n"
                                 "reset the board and start again. The variables\n"
                                 "A to Z are shown, and may be changed, in the grid\n"
                                 "on the right; PRINT writes to the console.\n"
                                 "\n"
                                 "The same interpreter runs without a window as\n"
                                 "marlinet-run.";

QLabel* CentredLabel(QWidget* Parent, const char* Name, const QRect& Place) {
    auto* label = new QLabel(Parent);
    label->setObjectName(QLatin1String(Name));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(Place);
    return label;
}

} // namespace

TForm2::TForm2(QWidget* Parent)
    : QDialog(Parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Form2"));
    // No caption text. An empty title would show the application's name
    // instead, so the title is a blank.
    setWindowTitle(QStringLiteral(" "));
    setFont(FormFont());
    setFixedSize(kClientWidth, kClientHeight);

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(8, 8, 371, 185);

    Label1 = CentredLabel(this, "Label1", {16, 14, 355, 24});
    Label1->setFont(TitleFont());
    QPalette green = Label1->palette();
    green.setColor(QPalette::WindowText, QColor(0, 128, 0));
    Label1->setPalette(green);
    Label2 = CentredLabel(this, "Label2", {16, 40, 355, 16});

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(16, 60, 355, 90);
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setPlainText(QString::fromLatin1(kCredits));

    CentredLabel(this, "Label3", {16, 156, 355, 14})
        ->setText(QStringLiteral("Written in C++ on Qt Widgets."));
    CentredLabel(this, "Label4", {16, 172, 355, 14})
        ->setText(QStringLiteral("Thanks to everyone who tried the early versions."));

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(156, 203, 75, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
}

} // namespace marlinet::workbench
