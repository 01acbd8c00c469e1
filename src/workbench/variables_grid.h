// The variables grid StringGrid1: one row per variable A to Z, the label in
// the fixed column 0 and the value, editable in place, in column 1.
//
// A view: the variables belong to the interpreter. The grid shows the values
// it is given (ResetVariables, RefreshGrid) and reports the user's edits as
// VariableEdited. Window thread only.
#pragma once

#include <cstdint>
#include <string>

#include <QTableWidget>

#include "workbench/variable_values.h"

namespace marlinet::workbench {

class TVariablesGrid : public QTableWidget {
    Q_OBJECT

public:
    using Values = TVariableValues;
    static constexpr int kVariableCount = static_cast<int>(Values{}.size());
    static constexpr int kRowHeight = 14;
    static constexpr int kColumnWidth = 50;

    explicit TVariablesGrid(QWidget* Parent = nullptr);

    // Labels, and "     0" in every value cell.
    void FillStartUp();
    // Labels, and "0" in every value cell: a run has zeroed the variables.
    void ResetVariables();
    // Labels, and each value as "%d".
    void RefreshGrid(const Values& Variables);

    QString CellText(int Column, int Row) const;

    // The text of the cell being edited has changed.
    void StringGrid1SetEditText(int ACol, int ARow, const QString& Value);
    // A key was pressed in the grid or its editor; Enter (13) writes the last
    // edited text back to its variable.
    void StringGrid1KeyDown(int Key);

    const std::string& GridEditText() const { return gridEditText_; }
    int GridEditRow() const { return gridEditRow_; }

signals:
    // The user has set variable Index (0 is A) to Value.
    void VariableEdited(int Index, std::int16_t Value);
    // Enter was pressed on a text that is not an integer; nothing changed.
    void EditRejected(const QString& Message);

protected:
    void keyPressEvent(QKeyEvent* Event) override;

private:
    void SetRow(int Row, const QString& Value);

    std::string gridEditText_;
    int gridEditRow_ = 0;
};

} // namespace marlinet::workbench
