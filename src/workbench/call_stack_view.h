// Debug > Call stack: a small window beside the main one that lists, at a
// pause, the open GOSUBs (the line each returns to) and the open FOR loops
// (variable, limit and the line of the FOR), innermost first. It follows
// every pause while it is open or not; between pauses it says that it waits
// for one. Window thread only.
#pragma once

#include <QDialog>
#include <QStringList>

#include "interpreter/debugging.h"

class QListWidget;

namespace marlinet::workbench {

class TCallStackView : public QDialog {
    Q_OBJECT

public:
    explicit TCallStackView(QWidget* Parent);

    // The run has paused with these GOSUBs and FOR loops open.
    void ShowCalls(const basic::CallStack& Calls);
    // No run is paused: it runs on, has ended or has not started.
    void ShowNoPause();
    // The lines shown, top to bottom.
    QStringList Lines() const;

    // One line of the list for an open GOSUB and an open FOR loop.
    static QString GosubText(int ReturnLine);
    static QString ForText(const basic::CallStack::ForLoop& Loop);

private:
    QListWidget* list_;
};

} // namespace marlinet::workbench
