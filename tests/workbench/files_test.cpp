// The file commands against temporary folders, the question before unsaved
// edits are lost, the caption, and the About box.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTest>

#include "editor/qt/synedit.h"
#include "fake_dialogs.h"
#include "hostile_files.h"
#include "workbench/about_box.h"
#include "workbench/console.h"
#include "workbench/execution_control.h"
#include "workbench/main_form.h"
#include "workbench/status_bar.h"

namespace marlinet::workbench {
namespace {

using basic::RunState;
using testing::ReadFile;
using testing::WriteFile;

class FilesTest : public ::testing::Test {
protected:
    testing::TTempDir dir;
    testing::TFakeDialogs* dialogs = new testing::TFakeDialogs;
    TMainForm form{std::unique_ptr<TWorkbenchDialogs>(dialogs)};

    std::string EditorText() { return form.SynEdit1->Lines().GetTextStr(); }
    void SetEditorText(const char* text) { form.SynEdit1->Lines().SetText(text); }
    // As a key typing C would.
    void Type(char C) { form.SynEdit1->Core().CommandProcessor(editor::ecChar, C, nullptr); }
    void Open(const QString& file) {
        dialogs->FileAnswers.push_back(file);
        form.Fileopen1Click();
    }
    void Save(const QString& chosen) {
        dialogs->FileAnswers.push_back(chosen);
        form.Save1Click();
    }
};

TEST_F(FilesTest, StartsEmptyWithTheStartUpName) {
    EXPECT_EQ(form.CurrentFileName(), "NoName.Bas");
    EXPECT_EQ(form.SynEdit1->Lines().GetCount(), 0);
    EXPECT_EQ(form.RunState(), RunState::Idle);
}

TEST_F(FilesTest, OpenLoadsEditorProgramAndCaption) {
    const QString file = dir.File("prog.bas");
    WriteFile(file, "PRINT 1\nEND"); // LF line ends, no break after the last line
    form.SetErrorText("ERROR: old");
    Open(file);
    EXPECT_TRUE(dialogs->Errors.isEmpty());
    EXPECT_EQ(EditorText(), "PRINT 1\r\nEND");
    EXPECT_EQ(form.Program().text(), "PRINT 1\r\nEND");
    EXPECT_EQ(std::string_view(form.Program().data(), form.Program().size()),
              std::string_view("PRINT 1\r\nEND\r\n\r\n\0", 17));
    EXPECT_EQ(form.windowTitle(), "Marlinet Simulator - " + file);
    EXPECT_EQ(form.CurrentFileName(), file);
    EXPECT_EQ(form.RunState(), RunState::Reset);
    EXPECT_EQ(form.StatusBar1->PanelText(2), "");
}

TEST_F(FilesTest, AFailedOpenChangesNothing) {
    const QString good = dir.File("good.bas");
    WriteFile(good, "END");
    Open(good);
    form.SetRunState(RunState::Idle);
    const QString tooLarge = dir.File("large.bas");
    WriteFile(tooLarge, std::string((1 << 20) + 1, 'A'));
    for (const QString& bad : {dir.File("missing.bas"), tooLarge}) {
        Open(bad);
        EXPECT_EQ(form.windowTitle(), "Marlinet Simulator - " + good);
        EXPECT_EQ(form.CurrentFileName(), good)
            << "a later save would overwrite " << bad.toStdString();
        EXPECT_EQ(form.Program().text(), "END");
        EXPECT_EQ(EditorText(), "END");
        EXPECT_EQ(form.RunState(), RunState::Idle);
    }
    ASSERT_EQ(dialogs->Errors.size(), 2);
    EXPECT_TRUE(dialogs->Errors[0].startsWith("Cannot open file \"" + dir.File("missing.bas")));
    EXPECT_TRUE(dialogs->Errors[1].contains("too large")) << dialogs->Errors[1].toStdString();
}

// The file named on marlinet's command line opens this way.
TEST_F(FilesTest, OpenFileLoadsLikeFileOpenWithoutTheDialog) {
    const QString good = dir.File("arg.bas");
    WriteFile(good, "END");
    EXPECT_TRUE(form.OpenFile(good));
    EXPECT_EQ(form.CurrentFileName(), good);
    EXPECT_EQ(form.Program().text(), "END");
    EXPECT_EQ(form.windowTitle(), "Marlinet Simulator - " + good);
    EXPECT_EQ(form.RunState(), RunState::Reset);
    EXPECT_FALSE(form.OpenFile(dir.File("missing.bas")));
    EXPECT_EQ(form.CurrentFileName(), good);
    EXPECT_EQ(form.RunState(), RunState::Reset);
    ASSERT_EQ(dialogs->Errors.size(), 1);
    EXPECT_TRUE(dialogs->Errors[0].startsWith("Cannot open file "));
}

TEST_F(FilesTest, SaveAppendsBasOnlyWhenTheNameLacksItInAnyCase) {
    SetEditorText("END");
    const struct {
        const char* chosen;
        const char* written;
    } cases[] = {{"prog", "prog.bas"},
                 {"two.bas", "two.bas"},
                 {"UP.BAS", "UP.BAS"},
                 {"notes.txt", "notes.txt.bas"}};
    for (const auto& c : cases) {
        Save(dir.File(c.chosen));
        const QString written = dir.File(c.written);
        EXPECT_EQ(ReadFile(written), "END") << c.written;
        EXPECT_EQ(form.CurrentFileName(), written);
        EXPECT_EQ(form.SaveDialogFileName(), written);
        EXPECT_EQ(form.windowTitle(), "Marlinet Simulator - " + written);
    }
    EXPECT_EQ(ReadFile(dir.File("prog")), std::nullopt);
    EXPECT_EQ(form.RunState(), RunState::Idle);
}

TEST_F(FilesTest, SaveAsksBeforeReplacingAFileTheDialogDidNotName) {
    WriteFile(dir.File("keep.bas"), "OLD");
    SetEditorText("NEW");
    Save(dir.File("keep"));
    EXPECT_EQ(dialogs->ReplaceQuestions, QStringList{dir.File("keep.bas")});
    EXPECT_EQ(ReadFile(dir.File("keep.bas")), "OLD");
    dialogs->ReplaceAnswer = true;
    Save(dir.File("keep"));
    EXPECT_EQ(ReadFile(dir.File("keep.bas")), "NEW");
}

TEST_F(FilesTest, SaveAsWritesTheNameAsChosenAndLeavesTheCaption) {
    SetEditorText("END");
    dialogs->FileAnswers.push_back(dir.File("exact.bas"));
    form.Saveas1Click();
    EXPECT_EQ(ReadFile(dir.File("exact.bas")), "END");
    EXPECT_EQ(form.CurrentFileName(), dir.File("exact.bas"));
    EXPECT_EQ(form.windowTitle(), "Marlinet Simulator");
}

TEST_F(FilesTest, AFailedSaveLeavesNameCaptionAndFilesAsTheyWere) {
    SetEditorText("END");
    const QString missingFolder = dir.File("no/such/folder/prog.bas");
    Save(missingFolder);
    dialogs->FileAnswers.push_back(missingFolder);
    form.Saveas1Click();
    ASSERT_EQ(dialogs->Errors.size(), 2);
    EXPECT_TRUE(dialogs->Errors[0].startsWith("Cannot create file"))
        << dialogs->Errors[0].toStdString();
    EXPECT_EQ(form.CurrentFileName(), "NoName.Bas");
    EXPECT_EQ(form.SaveDialogFileName(), "");
    EXPECT_EQ(form.windowTitle(), "Marlinet Simulator");
}

TEST_F(FilesTest, CancelledDialogsChangeNothing) {
    form.Fileopen1Click();
    form.Save1Click();
    form.Saveas1Click();
    EXPECT_EQ(dialogs->StartNames, (QStringList{"NoName.Bas", "", ""}));
    EXPECT_EQ(form.CurrentFileName(), "NoName.Bas");
    EXPECT_TRUE(dialogs->Errors.isEmpty());
}

TEST_F(FilesTest, NewSavesTheOldTextThenEmptiesEditorNameAndConsole) {
    const QString file = dir.File("prog.bas");
    WriteFile(file, "END");
    Open(file);
    SetEditorText("PRINT 2");
    form.Console->Print("output");
    form.New1Click();
    EXPECT_EQ(ReadFile(file), "PRINT 2");
    EXPECT_EQ(form.SynEdit1->Lines().GetCount(), 0);
    EXPECT_EQ(form.CurrentFileName(), "");
    EXPECT_EQ(form.SaveDialogFileName(), "");
    EXPECT_EQ(form.RunState(), RunState::Idle);
    EXPECT_EQ(form.Console->LineText(9), "Marlinet Console");
    EXPECT_EQ(form.windowTitle(), "Marlinet Simulator - Untitled");
}

// At start-up the current name refers to NoName.Bas in the working folder,
// which may hold a program from an earlier session.
TEST_F(FilesTest, NewKeepsAnEarlierNoNameFileUnlessTextWasEntered) {
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(QFileInfo(dir.File("x")).path());
    WriteFile("NoName.Bas", "PRINT 1");
    form.New1Click();
    EXPECT_EQ(ReadFile("NoName.Bas"), "PRINT 1");

    TMainForm typed{std::make_unique<testing::TFakeDialogs>()};
    typed.SynEdit1->Lines().SetText("PRINT 2");
    typed.New1Click();
    EXPECT_EQ(ReadFile("NoName.Bas"), "PRINT 2");
    QDir::setCurrent(cwd);
}

TEST_F(FilesTest, SaveAndReloadWritesTheEditorAndLoadsItBack) {
    const QString file = dir.File("prog.bas");
    WriteFile(file, "END");
    Open(file);
    SetEditorText("PRINT 3\r\nEND");
    form.SetRunState(RunState::Modified);
    EXPECT_TRUE(form.SaveAndReload());
    EXPECT_EQ(form.Program().text(), "PRINT 3\r\nEND");
    EXPECT_EQ(form.RunState(), RunState::Reset);

    form.New1Click(); // empty name: the save fails and the state stays
    form.SetRunState(RunState::Modified);
    EXPECT_FALSE(form.SaveAndReload());
    EXPECT_EQ(form.RunState(), RunState::Modified);
}

TEST_F(FilesTest, Issue17TheCaptionStarsEditsThatAreNotInTheFile) {
    const QString file = dir.File("prog.bas");
    WriteFile(file, "END");
    Open(file);
    const QString caption = "Marlinet Simulator - " + file;
    EXPECT_EQ(form.windowTitle(), caption);
    Type('x');
    EXPECT_EQ(form.windowTitle(), "*" + caption);
    form.SynEdit1->Core().Undo();
    EXPECT_EQ(form.windowTitle(), caption) << "undone back to the file's text";
    Type('y');
    dialogs->FileAnswers.push_back(dir.File("other"));
    form.Save1Click();
    EXPECT_EQ(form.windowTitle(), "Marlinet Simulator - " + dir.File("other.bas"));
    Type('z');
    form.New1Click();
    EXPECT_EQ(form.windowTitle(), "Marlinet Simulator - Untitled");
    EXPECT_TRUE(dialogs->SaveQuestions.isEmpty()) << "New saves without asking";
}

enum class Leaving { Open, Exit, Close };

// Each way out of the edited text, with each answer: Cancel changes nothing,
// Discard goes on and leaves the file, Save writes the file and goes on, and
// a Save that fails stays.
TEST_F(FilesTest, Issue17OpenExitAndCloseAskBeforeEditsAreLost) {
    const QString other = dir.File("other.bas");
    WriteFile(other, "PRINT 2");
    const struct {
        TSaveChoice choice;
        bool saveFails;
        bool goesOn;
        const char* file; // prog.bas afterwards
    } answers[] = {{TSaveChoice::Cancel, false, false, "END"},
                   {TSaveChoice::Discard, false, true, "END"},
                   {TSaveChoice::Save, false, true, "xEND"},
                   {TSaveChoice::Save, true, false, "END"}};
    for (const Leaving leaving : {Leaving::Open, Leaving::Exit, Leaving::Close}) {
        for (const auto& answer : answers) {
            SCOPED_TRACE(static_cast<int>(leaving) * 10 + static_cast<int>(answer.choice));
            testing::TTempDir folder;
            const QString file = folder.File("prog.bas");
            WriteFile(file, "END");
            auto* asked = new testing::TFakeDialogs;
            TMainForm window{std::unique_ptr<TWorkbenchDialogs>(asked)};
            asked->FileAnswers.push_back(file);
            window.Fileopen1Click();
            window.SynEdit1->Core().CommandProcessor(editor::ecChar, 'x', nullptr);
            asked->SaveChoices.push_back(answer.choice);
            asked->FileAnswers.push_back(other);
            // A folder where the file was: the save cannot replace it.
            if (answer.saveFails) {
                std::filesystem::remove(file.toStdString());
                std::filesystem::create_directory(file.toStdString());
            }
            bool wentOn = false;
            if (leaving == Leaving::Open) {
                window.Fileopen1Click();
                wentOn = window.CurrentFileName() == other;
            } else if (leaving == Leaving::Exit) {
                window.Exit1Click();
                wentOn = window.Execution().IsClosed();
            } else {
                window.show();
                wentOn = window.close();
            }
            EXPECT_EQ(asked->SaveQuestions, QStringList{"prog.bas"});
            EXPECT_EQ(wentOn, answer.goesOn);
            EXPECT_EQ(asked->Errors.size(), answer.saveFails ? 1 : 0);
            if (!answer.saveFails) {
                EXPECT_EQ(ReadFile(file), answer.file);
            }
            if (!answer.goesOn) {
                EXPECT_EQ(window.SynEdit1->Lines().GetTextStr(), "xEND");
            }
        }
    }
}

// An untitled text asks for a name; ".bas" is added as Save adds it.
TEST_F(FilesTest, Issue17SavingUntitledEditsAsksForAName) {
    form.New1Click();
    Type('x');
    dialogs->SaveChoices.push_back(TSaveChoice::Save);
    dialogs->FileAnswers = {dir.File("named"), dir.File("other.bas")};
    WriteFile(dir.File("other.bas"), "END");
    form.Fileopen1Click();
    EXPECT_EQ(dialogs->SaveQuestions, QStringList{"Untitled"});
    EXPECT_EQ(ReadFile(dir.File("named.bas")), "x");
    EXPECT_EQ(form.CurrentFileName(), dir.File("other.bas"));
}

// Run and Step without a name: the chosen name gets ".bas", and an existing
// file is replaced only when the user agrees.
TEST_F(FilesTest, Issue17RunAndStepAddBasToTheNameTheyAskFor) {
    WriteFile(dir.File("keep.bas"), "OLD");
    const struct {
        void (TMainForm::*command)();
        const char* chosen;
        bool replace;
        const char* current;
        const char* keep; // keep.bas afterwards
    } cases[] = {{&TMainForm::SpeedButton2Click, "prog", false, "prog.bas", "OLD"},
                 {&TMainForm::SpeedButton4Click, "keep", false, "", "OLD"},
                 {&TMainForm::SpeedButton4Click, "keep", true, "keep.bas", "END"}};
    for (const auto& c : cases) {
        form.New1Click();
        SetEditorText("END");
        dialogs->FileAnswers.push_back(dir.File(c.chosen));
        dialogs->ReplaceAnswer = c.replace;
        (form.*c.command)();
        form.Execution().EndRun();
        EXPECT_EQ(form.CurrentFileName(), *c.current ? dir.File(c.current) : QString()) << c.chosen;
        EXPECT_EQ(ReadFile(dir.File("keep.bas")), c.keep);
    }
    EXPECT_EQ(ReadFile(dir.File("prog.bas")), "END");
}

// A save of the text the file holds writes nothing: the file is not
// replaced, and a program in a folder the user cannot write runs without
// an error. Changed text is still written (or fails).
TEST_F(FilesTest, Issue17AnUnchangedFileIsNotRewritten) {
    const QString file = dir.File("prog.bas");
    WriteFile(file, "PRINT 1\nEND\n");
    Open(file);
    struct stat before {};
    ASSERT_EQ(::stat(file.toLocal8Bit().constData(), &before), 0);
    form.SetRunState(RunState::Modified);
    EXPECT_TRUE(form.SaveAndReload());
    struct stat after {};
    ASSERT_EQ(::stat(file.toLocal8Bit().constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the file was replaced";
    EXPECT_EQ(ReadFile(file), "PRINT 1\nEND\n");

    const std::string folder = QFileInfo(file).path().toStdString();
    ::chmod(folder.c_str(), 0555);
    {
        const marlinet::testing::TWithoutFileOverride asAUser;
        form.SetRunState(RunState::Modified);
        EXPECT_TRUE(form.SaveAndReload());
        EXPECT_TRUE(dialogs->Errors.isEmpty());
        Type('x');
        form.SetRunState(RunState::Modified);
        EXPECT_FALSE(form.SaveAndReload());
        EXPECT_EQ(dialogs->Errors.size(), 1);
    }
    ::chmod(folder.c_str(), 0755);
    form.SetRunState(RunState::Modified);
    EXPECT_TRUE(form.SaveAndReload());
    EXPECT_EQ(ReadFile(file), "xPRINT 1\nEND\n");
}

TEST_F(FilesTest, AboutShowsTheVersionLabels) {
    form.About1Click();
    EXPECT_EQ(dialogs->ModalShown, 1);
    EXPECT_EQ(form.Form2->Label1->text(), " Marlinet Simulator Ver.1.5 ");
    EXPECT_EQ(form.Form2->Label2->text(), " Interpreter version 1.5D ");
    EXPECT_EQ(form.Form2->size(), QSize(387, 238));
}

} // namespace
} // namespace marlinet::workbench
