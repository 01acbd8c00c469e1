#include "workbench/variables_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include "interpreter/numbers.h"
#include "workbench/text.h"

namespace marlinet::workbench {

namespace {

bool IsEnter(const QKeyEvent* Event) {
    return Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter;
}

// Reports every change of the in-place editor's text to the grid.
class TEditReporter : public QStyledItemDelegate {
public:
    explicit TEditReporter(TVariablesGrid* Grid) : QStyledItemDelegate(Grid), grid_(Grid) {}

    QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem& Option,
                          const QModelIndex& Index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(Parent, Option, Index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            const int column = Index.column();
            const int row = Index.row();
            TVariablesGrid* grid = grid_;
            connect(line, &QLineEdit::textEdited, grid, [grid, column, row](const QString& text) {
                grid->StringGrid1SetEditText(column, row, text);
            });
        }
        return editor;
    }

private:
    TVariablesGrid* grid_;
};

QString Label(int Row) {
    return QStringLiteral("     %1 = ").arg(QChar(u'A' + Row));
}

} // namespace

TVariablesGrid::TVariablesGrid(QWidget* Parent) : QTableWidget(kVariableCount, 2, Parent) {
    setObjectName(QStringLiteral("StringGrid1"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    setShowGrid(true);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    setItemDelegate(new TEditReporter(this));

    const QBrush fixed = palette().button();
    for (int row = 0; row < kVariableCount; ++row) {
        auto* label = new QTableWidgetItem;
        label->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        label->setBackground(fixed);
        setItem(row, 0, label);
        setItem(row, 1, new QTableWidgetItem);
    }
}

void TVariablesGrid::SetRow(int Row, const QString& Value) {
    item(Row, 0)->setText(Label(Row));
    item(Row, 1)->setText(Value);
}

void TVariablesGrid::FillStartUp() {
    for (int row = 0; row < kVariableCount; ++row)
        SetRow(row, QStringLiteral("     0"));
}

void TVariablesGrid::ResetVariables() {
    for (int row = 0; row < kVariableCount; ++row)
        SetRow(row, QStringLiteral("0"));
    lastPause_ = {};
    ClearMarks();
}

void TVariablesGrid::RefreshGrid(const Values& Variables) {
    for (int row = 0; row < kVariableCount; ++row)
        SetRow(row, QString::number(Variables[static_cast<std::size_t>(row)]));
}

void TVariablesGrid::ShowPause(const Values& Variables) {
    RefreshGrid(Variables);
    for (int row = 0; row < kVariableCount; ++row) {
        const auto i = static_cast<std::size_t>(row);
        Mark(row, Variables[i] != lastPause_[i]);
    }
    lastPause_ = Variables;
}

void TVariablesGrid::ClearMarks() {
    for (int row = 0; row < kVariableCount; ++row)
        Mark(row, false);
}

bool TVariablesGrid::IsMarked(int Row) const {
    return Row >= 0 && Row < kVariableCount && marked_[static_cast<std::size_t>(Row)];
}

void TVariablesGrid::Mark(int Row, bool Changed) {
    bool& marked = marked_[static_cast<std::size_t>(Row)];
    if (marked == Changed) return;
    marked = Changed;
    item(Row, 1)->setBackground(Changed ? QBrush(kChangedColor) : QBrush());
}

QString TVariablesGrid::CellText(int Column, int Row) const {
    const QTableWidgetItem* cell = item(Row, Column);
    return cell ? cell->text() : QString();
}

void TVariablesGrid::StringGrid1SetEditText(int /*ACol*/, int ARow, const QString& Value) {
    gridEditText_ = FromQString(Value);
    gridEditRow_ = ARow;
}

void TVariablesGrid::StringGrid1KeyDown(int Key) {
    if (Key != 13) return;
    gridEditText_ = std::string(basic::trim_blanks(gridEditText_));
    const std::optional<std::int32_t> value = ParseInteger(gridEditText_);
    if (!value) {
        emit EditRejected(NotAnIntegerMessage(gridEditText_));
        return;
    }
    const std::int16_t stored = basic::wrap16(*value);
    // The program did not change it: the next pause compares with this.
    if (gridEditRow_ >= 0 && gridEditRow_ < kVariableCount)
        lastPause_[static_cast<std::size_t>(gridEditRow_)] = stored;
    emit VariableEdited(gridEditRow_, stored);
}

void TVariablesGrid::keyPressEvent(QKeyEvent* Event) {
    // Enter typed into the in-place editor arrives here too: the line edit
    // leaves it to its parents, and the delegate commits the cell's text.
    if (IsEnter(Event)) StringGrid1KeyDown(13);
    QTableWidget::keyPressEvent(Event);
}

} // namespace marlinet::workbench
