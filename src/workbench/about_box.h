// The About box TForm2: a framed title, the two version labels, a credits
// memo and "OK". Shown modally by Help > About.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace marlinet::workbench {

class TForm2 : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 387;
    static constexpr int kClientHeight = 238;

    explicit TForm2(QWidget* Parent = nullptr);

    QLabel* Label1 = nullptr; // title
    QLabel* Label2 = nullptr; // interpreter version
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;

    void Button1Click() { done(QDialog::Accepted); }
};

} // namespace marlinet::workbench
