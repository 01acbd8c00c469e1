#include "workbench/status_bar.h"

#include <QLabel>

namespace marlinet::workbench {

TStatusBar::TStatusBar(QWidget* Parent) : QWidget(Parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    for (QLabel*& panel : panels_) {
        panel = new QLabel(this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(2);
        panel->setTextFormat(Qt::PlainText);
    }
}

void TStatusBar::SetPanelText(int Panel, const QString& Text) {
    if (Panel >= 0 && Panel < 3) panels_[static_cast<std::size_t>(Panel)]->setText(Text);
}

QString TStatusBar::PanelText(int Panel) const {
    return Panel >= 0 && Panel < 3 ? panels_[static_cast<std::size_t>(Panel)]->text() : QString();
}

QRect TStatusBar::PanelGeometry(int Panel) const {
    return Panel >= 0 && Panel < 3 ? panels_[static_cast<std::size_t>(Panel)]->geometry() : QRect();
}

void TStatusBar::resizeEvent(QResizeEvent* /*Event*/) {
    int left = 0;
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const int width = i < kPanelWidths.size() ? kPanelWidths[i] : this->width() - left;
        panels_[i]->setGeometry(left, 0, width, height());
        left += width;
    }
}

} // namespace marlinet::workbench
