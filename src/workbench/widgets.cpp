#include "workbench/widgets.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "workbench/fonts.h"

namespace marlinet::workbench {

QFrame* MakePanel(QWidget* Parent, const char* Name, const QRect& Place) {
    auto* panel = new QFrame(Parent);
    panel->setObjectName(QLatin1String(Name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setGeometry(Place);
    return panel;
}

QLabel* MakeLabel(QWidget* Parent, const QString& Text, int Left, int Top) {
    auto* label = new QLabel(Text, Parent);
    label->setContentsMargins(0, 0, 0, 0);
    label->adjustSize();
    label->move(Left, Top);
    return label;
}

QLabel* MakeTitle(QFrame* Panel, const QString& Text, int Left, int Top) {
    QLabel* label = MakeLabel(Panel, Text, Left, Top);
    const int room = Panel->width() - Panel->frameWidth() - Left;
    QFont font = label->font();
    const auto width = [&] { return QFontMetrics(font).horizontalAdvance(Text); };
    // Narrower letters rather than a cut title; below half width it would
    // not be legible anyway.
    for (int stretch = 99; width() > room && stretch >= 50; --stretch)
        font.setStretch(stretch);
    label->setFont(font);
    label->adjustSize();
    return label;
}

QLineEdit* MakeField(QWidget* Parent, const char* Name, const QRect& Place,
                     const QColor& TextColor) {
    auto* field = new QLineEdit(Parent);
    field->setObjectName(QLatin1String(Name));
    field->setGeometry(Place);
    field->setTextMargins(0, 0, 0, 0);
    QFont font = FormFont();
    font.setBold(true);
    field->setFont(font);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, TextColor);
    field->setPalette(palette);
    return field;
}

void ColourField(QLineEdit* Field, const QColor& Background, const QColor& Text) {
    QPalette palette = Field->palette();
    palette.setColor(QPalette::Base, Background);
    palette.setColor(QPalette::Text, Text);
    Field->setPalette(palette);
}

} // namespace marlinet::workbench
