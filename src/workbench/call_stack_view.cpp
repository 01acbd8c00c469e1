#include "workbench/call_stack_view.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace marlinet::workbench {

TCallStackView::TCallStackView(QWidget* Parent) : QDialog(Parent, Qt::Tool) {
    setObjectName(QStringLiteral("CallStackView"));
    setWindowTitle(QStringLiteral("Call stack"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("CallStackList"));
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(list_);
    resize(260, 160);
    ShowNoPause();
}

QString TCallStackView::GosubText(int ReturnLine) {
    return QStringLiteral("GOSUB in line %1, returns after it").arg(ReturnLine);
}

QString TCallStackView::ForText(const basic::CallStack::ForLoop& Loop) {
    return QStringLiteral("FOR %1 ... TO %2, line %3")
        .arg(QChar::fromLatin1(Loop.variable))
        .arg(Loop.limit)
        .arg(Loop.line);
}

void TCallStackView::ShowCalls(const basic::CallStack& Calls) {
    list_->clear();
    for (int i = Calls.gosub_count - 1; i >= 0; --i)
        list_->addItem(GosubText(Calls.gosub_return_lines[static_cast<std::size_t>(i)]));
    for (int i = Calls.for_count - 1; i >= 0; --i)
        list_->addItem(ForText(Calls.for_loops[static_cast<std::size_t>(i)]));
    if (list_->count() == 0) list_->addItem(QStringLiteral("No GOSUB or FOR is open."));
}

void TCallStackView::ShowNoPause() {
    list_->clear();
    list_->addItem(QStringLiteral("Shown when the program pauses."));
}

QStringList TCallStackView::Lines() const {
    QStringList lines;
    for (int i = 0; i < list_->count(); ++i)
        lines << list_->item(i)->text();
    return lines;
}

} // namespace marlinet::workbench
