// Running programs in the real window, offscreen: the Debug keys, typing
// while a program runs, INPUT through the dialog, errors, closing, and files
// no program should choke on.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <thread>

#include <fcntl.h>

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "editor/qt/synedit.h"
#include "fake_dialogs.h"
#include "hostile_files.h"
#include "wait_for.h"
#include "workbench/board_panel.h"
#include "workbench/console.h"
#include "workbench/execution_control.h"
#include "workbench/input_form.h"
#include "workbench/main_form.h"
#include "workbench/status_bar.h"
#include "workbench/variables_grid.h"

namespace marlinet::workbench {
namespace {

using basic::RunState;
using testing::WriteFile;

using testing::WaitFor;

class RunTest : public ::testing::Test {
protected:
    testing::TTempDir dir;
    testing::TFakeDialogs* dialogs = new testing::TFakeDialogs;
    TMainForm form{std::unique_ptr<TWorkbenchDialogs>(dialogs)};
    editor::qt::TSynEdit& edit = *form.SynEdit1;

    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    void Open(const std::string& Program) {
        const QString file = dir.File("prog.bas");
        WriteFile(file, Program);
        dialogs->FileAnswers.push_back(file);
        form.Fileopen1Click();
        ASSERT_EQ(form.RunState(), RunState::Reset);
    }
    void Key(Qt::Key K) { QTest::keyClick(&edit, K); }
    bool Idle() { return !form.Execution().HasThread(); }
    QString Status(int Panel) {
        form.ShowRunState();
        return form.StatusBar1->PanelText(Panel);
    }
};

// F8 from Reset, F9, F2, F8, a key in the editor, F4, and a run that ends
// in an error, one after the other in the same window.
TEST_F(RunTest, DebugKeysAndTypingDriveRuns) {
    Open("\r\nFOR N = 1 TO 10\r\nFOR L = 1 TO 4\r\nSETB L\r\nDELAY 5\r\nCLRB "
         "L\r\nNEXT\r\nNEXT\r\nEND");
    Key(Qt::Key_F8);
    ASSERT_TRUE(WaitFor([&] { return Status(1) == "Stopped" && edit.SelLength() == 1; }));
    EXPECT_EQ(edit.SelStart(), 2); // the first statement, after the empty line
    EXPECT_EQ(form.StringGrid1->CellText(1, 'N' - 'A'), "0");

    Key(Qt::Key_F9);
    EXPECT_EQ(Status(1), "Running");
    ASSERT_TRUE(WaitFor([&] { return form.Board->OutputOn(1) || form.Board->OutputOn(2); }));
    edit.SetSelStart(0);
    Key(Qt::Key_F2);
    ASSERT_TRUE(WaitFor([&] { return Status(1) == "Stopped" && edit.SelLength() == 1; }));
    EXPECT_EQ(edit.SelectionMode(), editor::smLine);
    EXPECT_NE(form.StringGrid1->CellText(1, 'L' - 'A'), "0");
    const int selected = edit.SelStart();
    Key(Qt::Key_F8);
    ASSERT_TRUE(WaitFor([&] { return Status(1) == "Stopped" && edit.SelStart() != selected; }));

    // A key ends the parked run quietly; it goes in at the start of the
    // shown line and replaces nothing.
    std::string typed = edit.Lines().GetTextStr();
    typed.insert(static_cast<std::size_t>(edit.SelStart()), "x");
    Key(Qt::Key_X);
    EXPECT_EQ(Status(1), "Modified");
    EXPECT_EQ(edit.SelectionMode(), editor::smNormal);
    EXPECT_EQ(edit.Lines().GetTextStr(), typed);
    ASSERT_TRUE(WaitFor([&] { return Idle(); }));
    Key(Qt::Key_F4);
    EXPECT_EQ(Status(1), "Reset");
    for (int output = 1; output <= 4; ++output)
        EXPECT_FALSE(form.Board->OutputOn(output));

    edit.Lines().SetText("\r\nGOTO 9");
    Key(Qt::Key_Down);
    Key(Qt::Key_End);
    Key(Qt::Key_9);
    Key(Qt::Key_F9); // saves and reloads the typed text first
    ASSERT_TRUE(WaitFor([&] { return Status(1) == "Reset" && Idle(); }));
    EXPECT_EQ(testing::ReadFile(dir.File("prog.bas")), "\r\nGOTO 99");
    EXPECT_EQ(Status(2), "ERROR: Undefined label in line 2");
    EXPECT_EQ(form.Console->LineText(form.Console->CurrentLine() - 1), "ERROR:7,2");
}

// What a run posted before a key is applied only once the key event is
// over, and by then the run knows it must end: no INPUT dialog opens and no
// pause is shown for a run that an edit ended, and the key goes in where
// the caret was when it was pressed.
TEST_F(RunTest, AnEditDeliversNothingInsideTheKeyAndTheRunLearnsOfItAtOnce) {
    struct Case {
        const char* Program;
        const char* Printed;
    };
    for (const Case& c : {Case{"PRINT \"before\"\r\nSTOP\r\nEND", "before"},
                          Case{"PRINT \"asks\"\r\nINPUT A\r\nEND", "asks"}}) {
        SCOPED_TRACE(c.Program);
        Open(c.Program);
        dialogs->InputModes.clear();
        Key(Qt::Key_F9);
        // The run reaches its pause or request; nothing of it is delivered.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const int lines = form.Console->CurrentLine();
        Key(Qt::Key_X);
        EXPECT_EQ(Status(1), "Modified");
        EXPECT_EQ(form.Console->CurrentLine(), lines);
        EXPECT_EQ(edit.Lines().GetTextStr(), std::string("x") + c.Program);

        ASSERT_TRUE(WaitFor([&] { return Idle(); }));
        QCoreApplication::processEvents();
        EXPECT_EQ(form.Console->LineText(form.Console->CurrentLine() - 1), c.Printed);
        EXPECT_TRUE(dialogs->InputModes.empty());
        EXPECT_EQ(edit.SelectionMode(), editor::smNormal);
        EXPECT_EQ(edit.SelLength(), 0);
        EXPECT_EQ(Status(2), "");
        EXPECT_EQ(Status(1), "Modified");
    }
}

// F9 right after an edit, before the window has shown the edit: the edited
// program runs, and showing the edit later leaves the new run alone.
TEST_F(RunTest, RunRightAfterAnEditIsNotShownAsEditedLater) {
    Open("10 A = A + 1\r\nGOTO 10");
    edit.SetSelStart(static_cast<int>(edit.Lines().GetTextStr().size()));
    Key(Qt::Key_F9);
    ASSERT_TRUE(WaitFor([&] { return form.Execution().Interpreter().variable(0) > 0; }));
    Key(Qt::Key_Return);
    Key(Qt::Key_F9);
    QCoreApplication::processEvents();
    EXPECT_EQ(Status(1), "Running");
    EXPECT_EQ(edit.SelectionMode(), editor::smLine);
    EXPECT_EQ(testing::ReadFile(dir.File("prog.bas")), "10 A = A + 1\r\nGOTO 10\r\n");
    Key(Qt::Key_F2);
    ASSERT_TRUE(WaitFor([&] { return Status(1) == "Stopped"; }));
}

std::string Lines(int Count, const char* Text) {
    std::string text;
    for (int i = 0; i < Count; ++i)
        text += std::string(Text) + "\r\n";
    return text;
}

class EditorRunTest : public RunTest {
protected:
    editor::TCustomSynEdit& core = edit.Core();

    bool Paused() { return Status(1) == "Stopped" && edit.SelLength() == 1; }
    // The highlighted line, 1-based, when it is in view; else 0.
    int LineInView() {
        const int line = core.CharIndexToRowCol(edit.SelStart()).Y;
        return line >= core.TopLine() && line < core.TopLine() + core.LinesInWindow() ? line : 0;
    }
};

// A STOP on line 31 of 46 comes to the middle of the view, and every step
// keeps its line in view; so is the line of the error at line 46, until the
// first click in the editor.
TEST_F(EditorRunTest, Issue17ThePausedAndTheErrorLinesAreInView) {
    Open(Lines(30, "A = 1") + "STOP\r\n" + Lines(14, "C = 1") + "GOTO 99");
    Key(Qt::Key_F9);
    ASSERT_TRUE(WaitFor([&] { return Paused(); }));
    EXPECT_EQ(LineInView(), 31);
    EXPECT_EQ(core.TopLine(), 31 - (core.LinesInWindow() - 1) / 2);
    for (int line = 32; line <= 46; ++line) {
        Key(Qt::Key_F8);
        ASSERT_TRUE(WaitFor([&] { return Paused() && LineInView() == line; })) << line;
    }
    core.SetTopLine(1);
    Key(Qt::Key_F9);
    ASSERT_TRUE(WaitFor([&] { return Status(1) == "Reset" && Idle(); }));
    EXPECT_EQ(LineInView(), 46);
    EXPECT_EQ(edit.SelLength(), 1);
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, QPoint(60, 5));
    EXPECT_EQ(edit.SelectionMode(), editor::smNormal);
}

// Keys without an edit leave a running or a paused program alone; so does
// Backspace at the start of the text, after which the line shows again.
// Running on, nothing is highlighted; a typed key ends the run.
TEST_F(EditorRunTest, Issue17OnlyAKeyThatChangesTheTextEndsARun) {
    Open("10 A = A + 1\r\nGOTO 10");
    const QKeyCombination keys[] = {Qt::Key_Down,         Qt::Key_PageDown, Qt::SHIFT | Qt::Key_Up,
                                    Qt::CTRL | Qt::Key_C, Qt::Key_Escape,   Qt::Key_Tab,
                                    Qt::Key_F12};
    Key(Qt::Key_F9);
    for (const char* state : {"Running", "Stopped"}) {
        if (*state == 'S') Key(Qt::Key_F2);
        ASSERT_TRUE(WaitFor([&] { return Status(1) == state; }));
        for (const QKeyCombination key : keys) {
            QTest::keyClick(&edit, key.key(), key.keyboardModifiers());
            EXPECT_EQ(Status(1), state) << QKeySequence(key).toString().toStdString();
        }
    }
    Key(Qt::Key_F4);
    Key(Qt::Key_F8);
    ASSERT_TRUE(WaitFor([&] { return Paused(); }));
    Key(Qt::Key_Backspace);
    EXPECT_TRUE(Paused());
    EXPECT_EQ(edit.SelStart(), 0);
    Key(Qt::Key_F9); // running on, no line is highlighted
    EXPECT_EQ(edit.SelLength(), 0);
    Key(Qt::Key_X);
    EXPECT_EQ(Status(1), "Modified");
    EXPECT_EQ(edit.Lines().GetTextStr(), "x10 A = A + 1\r\nGOTO 10");
}

// The reload at a run's end, at a run of changed text and at Reset & Reload
// keeps the top line and the caret, and leaves whole-line selection.
TEST_F(EditorRunTest, Issue17TheViewSurvivesReloads) {
    Open(Lines(45, "A = A + 1") + "END");
    core.SetTopLine(20);
    core.SetCaretXY({3, 25});
    const auto ended = [&] { return WaitFor([&] { return Status(1) == "Reset" && Idle(); }); };
    Key(Qt::Key_F9);
    ASSERT_TRUE(ended());
    EXPECT_EQ(core.TopLine(), 20);
    EXPECT_EQ(core.CaretXY(), (editor::TBufferCoord{3, 25}));
    Key(Qt::Key_Backspace);
    Key(Qt::Key_F9);
    ASSERT_TRUE(ended());
    EXPECT_EQ(core.CaretXY(), (editor::TBufferCoord{2, 25}));
    EXPECT_EQ(edit.Lines().Get(24), "A= A + 1");
    Key(Qt::Key_F8);
    ASSERT_TRUE(WaitFor([&] { return Paused(); }));
    core.SetTopLine(20); // the pause brought line 1 into view
    Key(Qt::Key_F4);
    EXPECT_EQ(core.TopLine(), 20);
    EXPECT_EQ(edit.SelectionMode(), editor::smNormal);
}

TEST_F(RunTest, InputAsksAgainOnAnEmptyAnswerEchoesTheValueAndClearsRx) {
    Open("INPUT A\r\nINPUT \"$\", K\r\nEND");
    form.Board->InputBox(TBoardModel::kRxBit)->setChecked(true);
    dialogs->InputAnswers = {
        {TInputForm::kAccepted, ""}, {TInputForm::kAccepted, "12"}, {TInputForm::kAccepted, "q"}};
    Key(Qt::Key_F9);
    ASSERT_TRUE(WaitFor([&] { return Status(1) == "Reset" && Idle(); }));
    EXPECT_EQ(dialogs->InputModes,
              (std::vector<TInputMode>{TInputMode::Value, TInputMode::Value, TInputMode::Key}));
    EXPECT_EQ(form.Execution().Interpreter().variable(0), 12);
    EXPECT_EQ(form.Execution().Interpreter().variable('K' - 'A'), 'q');
    const int line = form.Console->CurrentLine();
    EXPECT_EQ(form.Console->LineText(line - 1), "? 12");
    EXPECT_FALSE(form.Board->InputBox(TBoardModel::kRxBit)->isChecked());

    // Stop & Exit: the run parks before its next statement.
    Key(Qt::Key_F9);
    ASSERT_TRUE(WaitFor([&] { return Status(1) == "Stopped" && edit.SelLength() == 1; }));
    EXPECT_EQ(edit.SelStart(), 9); // line 2, INPUT "$", K
}

TEST_F(RunTest, ClosingWhileRunningOrWaitingForInputLeavesNoThread) {
    Open("10 INPUT A\r\nGOTO 10");
    dialogs->InputHook = [&](TInputForm& Input) {
        QTimer::singleShot(10, &form, [&] { form.close(); });
        return Input.exec();
    };
    Key(Qt::Key_F9);
    ASSERT_TRUE(WaitFor([&] { return form.Execution().IsClosed(); }));
    EXPECT_TRUE(Idle());
    EXPECT_EQ(form.Execution().LiveThreads(), 0);
    EXPECT_FALSE(form.InputForm->isVisible());
    EXPECT_EQ(dialogs->InputModes.size(), 1u);

    TMainForm running{std::make_unique<testing::TFakeDialogs>()};
    running.SynEdit1->Lines().SetText("10 GOTO 10");
    running.SynEdit1KeyDown();
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(QFileInfo(dir.File("x")).path()); // NoName.Bas goes here
    running.SpeedButton2Click();
    QDir::setCurrent(cwd);
    EXPECT_EQ(running.RunState(), RunState::Running);
    running.Exit1Click();
    EXPECT_FALSE(running.Execution().HasThread());
}

std::vector<std::string> LinesOf(const std::string& Bytes) {
    editor::TSynEditStringList list;
    std::istringstream in(Bytes);
    list.LoadFromStream(in);
    std::vector<std::string> lines;
    for (int i = 0; i < list.GetCount(); ++i)
        lines.push_back(list.Get(i));
    return lines;
}

// Each file opens or is refused with a message naming it and why; an opened
// one paints, scrolls to its end and runs to its end or an error, and its
// lines are still in the file afterwards (the save after a run writes mixed
// line breaks as one kind).
TEST_F(RunTest, Issue13HostileFilesOpenPaintScrollAndRunOrAreRefused) {
    const QString good = dir.File("good.bas");
    for (const marlinet::testing::THostileFile& file :
         marlinet::testing::MakeHostileFiles(dir.File("").toStdString())) {
        SCOPED_TRACE(file.name);
        WriteFile(good, "END");
        dialogs->FileAnswers.push_back(good);
        form.Fileopen1Click();
        dialogs->Errors.clear();
        const QString path = QString::fromStdString(file.path.string());
        const std::optional<std::string> before =
            std::filesystem::is_regular_file(file.path) ? testing::ReadFile(path) : std::nullopt;
        {
            std::optional<marlinet::testing::TWithoutFileOverride> asAUser;
            if (file.unreadable) {
                asAUser.emplace();
                ASSERT_LT(::open(file.path.c_str(), O_RDONLY), 0) << "the file is readable";
            }
            dialogs->FileAnswers.push_back(path);
            form.Fileopen1Click();
        }
        if (!file.refusal.empty()) {
            ASSERT_EQ(dialogs->Errors.size(), 1);
            EXPECT_TRUE(dialogs->Errors[0].contains(path)) << dialogs->Errors[0].toStdString();
            EXPECT_TRUE(dialogs->Errors[0].contains(QString::fromStdString(file.refusal)));
            EXPECT_EQ(form.CurrentFileName(), good);
            EXPECT_EQ(form.Program().text(), "END");
            continue;
        }
        ASSERT_TRUE(dialogs->Errors.isEmpty()) << dialogs->Errors[0].toStdString();
        const std::vector<std::string> lines = LinesOf(*before);
        ASSERT_EQ(edit.Lines().GetCount(), static_cast<int>(lines.size()));
        EXPECT_FALSE(form.grab().isNull());
        edit.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        edit.Core().SetLeftChar(edit.Lines().LengthOfLongestLine());
        EXPECT_GT(edit.Core().TopLine() + edit.Core().LinesInWindow(), edit.Lines().GetCount());
        EXPECT_FALSE(form.grab().isNull());

        form.SpeedButton2Click();
        ASSERT_TRUE(WaitFor([&] { return Status(1) == "Reset" && Idle(); }, 60000));
        EXPECT_EQ(Status(2).startsWith("ERROR: "), file.error) << Status(2).toStdString();
        EXPECT_EQ(LinesOf(testing::ReadFile(path).value_or("")), lines);
        EXPECT_EQ(edit.Lines().GetCount(), static_cast<int>(lines.size()));
    }
}

struct TKeyCase {
    TInputMode mode;
    const char* typed; // characters first
    std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
    int result;
    const char* text;
};

TEST(InputFormTest, AnswersKeysAsEachModeSays) {
    const TKeyCase cases[] = {
        {TInputMode::Key, "A", {}, TInputForm::kAccepted, "A"},
        {TInputMode::Key,
         "",
         {{Qt::Key_Left, {}}, {Qt::Key_F5, {}}, {Qt::Key_C, Qt::ControlModifier}},
         TInputForm::kStopped,
         ""},
        {TInputMode::Key, "", {{Qt::Key_Escape, {}}}, TInputForm::kAccepted, "\x1b"},
        {TInputMode::Value, "42", {{Qt::Key_Return, {}}}, TInputForm::kAccepted, "42"},
        {TInputMode::Value, "7", {{Qt::Key_Escape, {}}}, TInputForm::kStopped, "7"},
    };
    for (const TKeyCase& c : cases) {
        TInputForm form;
        form.SetInputMode(c.mode);
        form.Edit1->clear();
        QTimer::singleShot(0, &form, [&] {
            QWidget* target = c.mode == TInputMode::Key ? static_cast<QWidget*>(&form) : form.Edit1;
            QTest::keyClicks(target, QString::fromLatin1(c.typed));
            for (const auto& [key, modifiers] : c.keys)
                QTest::keyClick(target, key, modifiers);
        });
        EXPECT_EQ(form.exec(), c.result) << c.text;
        EXPECT_EQ(form.Edit1->text(), QString::fromLatin1(c.text));
    }
}

TEST(InputFormTest, ShowsWhatEachModeNeeds) {
    TInputForm form;
    EXPECT_EQ(form.size(), QSize(298, 83));
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(form.Edit1->maxLength(), 79);
    std::vector<QRect> places; // the same, centred, at every showing
    for (TInputMode mode : {TInputMode::Value, TInputMode::Key}) {
        form.SetInputMode(mode);
        QTimer::singleShot(0, &form, [&] {
            places.push_back(form.geometry());
            const bool value = mode == TInputMode::Value;
            EXPECT_EQ(form.Button1->isVisible(), value);
            EXPECT_EQ(form.focusWidget() == form.Edit1, value);
            EXPECT_EQ(form.Label1->text(),
                      value ? "INPUT command: Enter value!"
                            : "INPUT \"$\" command: Press a key..(Ctrl+C to Exit)");
            form.Button2Click();
        });
        EXPECT_EQ(form.exec(), TInputForm::kStopped);
    }
    EXPECT_EQ(places.at(1), places.at(0));
    EXPECT_EQ(places[0].center(), QGuiApplication::primaryScreen()->availableGeometry().center());
}

} // namespace
} // namespace marlinet::workbench
