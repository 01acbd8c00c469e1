// The questions and messages the main window puts to the user, behind one
// interface so that tests can answer them.
#pragma once

#include <optional>

#include <QString>

class QAction;
class QDialog;
class QMenu;
class QPoint;
class QWidget;

namespace marlinet::workbench {

class TInputForm;

// The answers to "Save changes to NAME?".
enum class TSaveChoice { Save, Discard, Cancel };

class TWorkbenchDialogs {
public:
    virtual ~TWorkbenchDialogs() = default;

    // The file the user chose, or nothing when the dialog was cancelled.
    // Current is the name the dialog starts with (may be empty).
    virtual std::optional<QString> AskOpenFileName(QWidget* Parent, const QString& Current) = 0;
    virtual std::optional<QString> AskSaveFileName(QWidget* Parent, const QString& Current) = 0;
    // Whether an existing file may be replaced.
    virtual bool ConfirmReplace(QWidget* Parent, const QString& FileName) = 0;
    // Before edits that are not in their file would be lost: Save, Discard
    // or Cancel. Name is the program's name as the user knows it.
    virtual TSaveChoice AskSaveChanges(QWidget* Parent, const QString& Name) = 0;
    // Go to line: a line from 1 to LineCount, starting at Current; nothing
    // when cancelled.
    virtual std::optional<int> AskLineNumber(QWidget* Parent, int Current, int LineCount) = 0;
    // The application's error box.
    virtual void ShowError(QWidget* Parent, const QString& Message) = 0;
    // Shows Dialog modally; returns its modal result.
    virtual int ExecModal(QDialog& Dialog) = 0;
    // Shows the INPUT dialog modally; returns its modal result, its Edit1
    // holding the answer.
    virtual int ExecInput(TInputForm& Form) = 0;
    // Shows Menu at the global position At until the user picks an entry,
    // which is returned, or leaves it (nothing).
    virtual QAction* ExecMenu(QMenu& Menu, const QPoint& At) = 0;
    // The condition of the breakpoint on Line (a BASIC comparison; empty for
    // none), starting from Current; nothing when cancelled.
    virtual std::optional<QString> AskBreakpointCondition(QWidget* Parent, int Line,
                                                          const QString& Current) = 0;
    // The arrival on which the breakpoint on Line pauses (0: every one),
    // starting from Current; nothing when cancelled.
    virtual std::optional<int> AskBreakpointHitCount(QWidget* Parent, int Line, int Current) = 0;
};

// The real dialogs: Qt's file dialogs and message boxes.
class TQtDialogs : public TWorkbenchDialogs {
public:
    std::optional<QString> AskOpenFileName(QWidget* Parent, const QString& Current) override;
    std::optional<QString> AskSaveFileName(QWidget* Parent, const QString& Current) override;
    bool ConfirmReplace(QWidget* Parent, const QString& FileName) override;
    TSaveChoice AskSaveChanges(QWidget* Parent, const QString& Name) override;
    std::optional<int> AskLineNumber(QWidget* Parent, int Current, int LineCount) override;
    void ShowError(QWidget* Parent, const QString& Message) override;
    int ExecModal(QDialog& Dialog) override;
    int ExecInput(TInputForm& Form) override;
    QAction* ExecMenu(QMenu& Menu, const QPoint& At) override;
    std::optional<QString> AskBreakpointCondition(QWidget* Parent, int Line,
                                                  const QString& Current) override;
    std::optional<int> AskBreakpointHitCount(QWidget* Parent, int Line, int Current) override;
};

} // namespace marlinet::workbench
