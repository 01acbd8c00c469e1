// TInputForm: the modal dialog that answers an INPUT statement, either with
// a typed value (value mode) or with one key press (key mode, INPUT "$").
// Its modal result is 1 for an answer and 2 for Stop & Exit, which closing
// the dialog in any other way also gives. Window thread only.
#pragma once

#include <QDialog>

#include "workbench/input_mode.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace marlinet::workbench {

class TInputForm : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 298;
    static constexpr int kClientHeight = 83;
    static constexpr int kAccepted = 1;
    static constexpr int kStopped = 2;

    explicit TInputForm(QWidget* Parent = nullptr);

    // The mode of the next showing.
    void SetInputMode(TInputMode Mode) { inputMode_ = Mode; }
    TInputMode InputMode() const { return inputMode_; }

    void Button1Click() { done(kAccepted); }
    void Button2Click() { done(kStopped); }
    // Escape, the window manager's close, or the end of the event loop.
    void reject() override { done(kStopped); }

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    bool event(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void showEvent(QShowEvent* Event) override;

private:
    void FormShow();
    // Sees each key before the focused control; returns whether it answered
    // the key.
    bool FormKeyPress(const QKeyEvent& Event);

    TInputMode inputMode_ = TInputMode::Value;
};

} // namespace marlinet::workbench
