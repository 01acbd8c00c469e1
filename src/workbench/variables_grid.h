// The variables grid StringGrid1: one row per variable A to Z, the label in
// the fixed column 0 and the value, editable in place, in column 1.
//
// A view: the variables belong to the interpreter. The grid shows the values
// it is given (ResetVariables, RefreshGrid, ShowPause) and reports the user's
// edits as VariableEdited. At a pause it marks the values that changed since
// the previous pause (or the run's start) with a coloured background, until
// the run goes on. Window thread only.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include <QColor>
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
    // RefreshGrid at a pause, marking each value that differs from the last
    // pause's (or the run's start, or the user's edit since).
    void ShowPause(const Values& Variables);
    // The marks go; the values stay.
    void ClearMarks();
    bool IsMarked(int Row) const;
    // The background of a marked value.
    static inline const QColor kChangedColor{255, 240, 128};

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

    void Mark(int Row, bool Changed);

    std::string gridEditText_;
    int gridEditRow_ = 0;
    Values lastPause_{}; // what a value is compared with at the next pause
    std::array<bool, kVariableCount> marked_{};
};

} // namespace marlinet::workbench
