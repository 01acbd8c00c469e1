// Dialogs that answer from a script and record what was asked, and a fresh
// folder per test.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QStringList>

#include "temp_dir.h"
#include "workbench/dialogs.h"
#include "workbench/input_form.h"

namespace marlinet::workbench::testing {

class TFakeDialogs : public TWorkbenchDialogs {
public:
    // Answers of the file dialogs, in order; nothing means Cancel.
    std::deque<std::optional<QString>> FileAnswers;
    bool ReplaceAnswer = false;
    // Answers to "Save changes to NAME?" in order; Discard when none is left.
    std::deque<TSaveChoice> SaveChoices;
    QStringList SaveQuestions; // the names asked about
    QStringList Errors;
    QStringList ReplaceQuestions;
    QStringList StartNames; // the name each file dialog started with
    int ModalShown = 0;
    // INPUT dialog showings in order: the modal result and the text it
    // leaves in Edit1. None left: Stop & Exit.
    std::deque<std::pair<int, QString>> InputAnswers;
    std::vector<TInputMode> InputModes;
    // When set, shows the INPUT dialog instead of the script above.
    std::function<int(TInputForm&)> InputHook;
    // Menus: the entry picked at each showing, by its text without "&";
    // none left, or one not offered: the menu is left. MenuEntries holds the
    // enabled entries of the last menu shown.
    std::deque<QString> MenuChoices;
    QStringList MenuEntries;
    // Answers of the breakpoint dialogs in order; none left: cancelled.
    std::deque<std::optional<QString>> ConditionAnswers;
    std::deque<std::optional<int>> HitCountAnswers;

    std::optional<QString> AskOpenFileName(QWidget*, const QString& Current) override {
        return Next(Current);
    }
    std::optional<QString> AskSaveFileName(QWidget*, const QString& Current) override {
        return Next(Current);
    }
    bool ConfirmReplace(QWidget*, const QString& FileName) override {
        ReplaceQuestions << FileName;
        return ReplaceAnswer;
    }
    TSaveChoice AskSaveChanges(QWidget*, const QString& Name) override {
        SaveQuestions << Name;
        if (SaveChoices.empty()) return TSaveChoice::Discard;
        const TSaveChoice choice = SaveChoices.front();
        SaveChoices.pop_front();
        return choice;
    }
    // Answers of Go to line, in order; nothing means Cancel.
    std::deque<std::optional<int>> LineAnswers;
    std::vector<std::pair<int, int>> LineQuestions; // current line, line count
    std::optional<int> AskLineNumber(QWidget*, int Current, int LineCount) override {
        LineQuestions.emplace_back(Current, LineCount);
        if (LineAnswers.empty()) return std::nullopt;
        const std::optional<int> answer = LineAnswers.front();
        LineAnswers.pop_front();
        return answer;
    }
    void ShowError(QWidget*, const QString& Message) override { Errors << Message; }
    int ExecModal(QDialog&) override {
        ++ModalShown;
        return QDialog::Accepted;
    }
    int ExecInput(TInputForm& Form) override {
        InputModes.push_back(Form.InputMode());
        if (InputHook) return InputHook(Form);
        if (InputAnswers.empty()) return TInputForm::kStopped;
        const auto [result, text] = InputAnswers.front();
        InputAnswers.pop_front();
        Form.Edit1->setText(text);
        return result;
    }

    QAction* ExecMenu(QMenu& Menu, const QPoint&) override {
        MenuEntries.clear();
        for (QAction* action : Menu.actions())
            if (action->isEnabled() && !action->isSeparator())
                MenuEntries << action->text().remove(QLatin1Char('&'));
        if (MenuChoices.empty()) return nullptr;
        const QString choice = MenuChoices.front();
        MenuChoices.pop_front();
        for (QAction* action : Menu.actions())
            if (action->isEnabled() && action->text().remove(QLatin1Char('&')) == choice)
                return action;
        return nullptr;
    }
    std::optional<QString> AskBreakpointCondition(QWidget*, int, const QString&) override {
        return Take(ConditionAnswers);
    }
    std::optional<int> AskBreakpointHitCount(QWidget*, int, int) override {
        return Take(HitCountAnswers);
    }

private:
    template <class T>
    static std::optional<T> Take(std::deque<std::optional<T>>& Answers) {
        if (Answers.empty()) return std::nullopt;
        std::optional<T> answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    std::optional<QString> Next(const QString& Current) {
        StartNames << Current;
        if (FileAnswers.empty()) return std::nullopt;
        std::optional<QString> answer = FileAnswers.front();
        FileAnswers.pop_front();
        return answer;
    }
};

// The shared temporary folder and file helpers, with QString names.
class TTempDir {
public:
    QString File(const char* Name) const { return QString::fromStdString(dir_.File(Name)); }

private:
    marlinet::testing::TempDir dir_;
};

inline void WriteFile(const QString& Path, const std::string& Bytes) {
    marlinet::testing::WriteFile(Path.toStdString(), Bytes);
}

inline std::optional<std::string> ReadFile(const QString& Path) {
    return marlinet::testing::ReadFile(Path.toStdString());
}

} // namespace marlinet::workbench::testing
