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
#include "support/version.h"
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

// File open and closing after an edit, with each answer: Cancel stays,
// Discard goes on and leaves the file, Save writes it and goes on, and a
// Save that fails (a folder has taken the file's place) stays. Exit asks
// as closing does, and only while the caption shows unsaved edits.
TEST_F(FilesTest, Issue17OpenExitAndCloseAskBeforeEditsAreLost) {
    const struct {
        TSaveChoice choice;
        bool saveFails, goesOn;
        const char* file; // afterwards
    } answers[] = {{TSaveChoice::Cancel, false, false, "END"},
                   {TSaveChoice::Discard, false, true, "END"},
                   {TSaveChoice::Save, false, true, "xEND"},
                   {TSaveChoice::Save, true, false, nullptr}};
    for (const bool close : {false, true}) {
        for (const auto& answer : answers) {
            auto* asked = new testing::TFakeDialogs;
            TMainForm window{std::unique_ptr<TWorkbenchDialogs>(asked)};
            const QString file = dir.File(close ? "close.bas" : "open.bas");
            WriteFile(file, "END");
            asked->FileAnswers = {file, file};
            window.Fileopen1Click();
            window.SynEdit1->Core().CommandProcessor(editor::ecChar, 'x', nullptr);
            asked->SaveChoices = {answer.choice};
            if (answer.saveFails) {
                std::filesystem::remove(file.toStdString());
                std::filesystem::create_directory(file.toStdString());
            }
            window.show();
            if (!close) window.Fileopen1Click();
            const bool wentOn = close ? window.close() : !window.HasUnsavedEdits();
            EXPECT_EQ(asked->SaveQuestions, QStringList{QFileInfo(file).fileName()});
            EXPECT_EQ(wentOn, answer.goesOn) << close << static_cast<int>(answer.choice);
            if (answer.file) {
                EXPECT_EQ(ReadFile(file), answer.file);
            }
            EXPECT_EQ(asked->Errors.size(), answer.saveFails ? 1 : 0);
            std::filesystem::remove_all(file.toStdString());
        }
    }
    // The caption's "*" marks the edits; undone, there is nothing to ask.
    Type('x');
    EXPECT_EQ(form.windowTitle(), "*Marlinet Simulator");
    dialogs->SaveChoices = {TSaveChoice::Cancel};
    form.Exit1Click();
    EXPECT_FALSE(form.Execution().IsClosed());
    form.SynEdit1->Core().Undo();
    EXPECT_EQ(form.windowTitle(), "Marlinet Simulator");
    form.Exit1Click();
    EXPECT_TRUE(form.Execution().IsClosed());
    EXPECT_EQ(dialogs->SaveQuestions, QStringList{"NoName.Bas"});
}

// The name Run and Step ask for gets ".bas"; an existing file is replaced
// only when the user agrees.
TEST_F(FilesTest, Issue17RunAndStepAddBasToTheNameTheyAskFor) {
    WriteFile(dir.File("keep.bas"), "OLD");
    form.New1Click();
    SetEditorText("END");
    dialogs->FileAnswers = {dir.File("keep"), dir.File("prog")};
    form.SpeedButton2Click();
    EXPECT_EQ(ReadFile(dir.File("keep.bas")), "OLD");
    EXPECT_EQ(form.CurrentFileName(), "");
    form.SpeedButton4Click();
    EXPECT_EQ(ReadFile(dir.File("prog.bas")), "END");
    EXPECT_EQ(form.CurrentFileName(), dir.File("prog.bas"));
}

// Saving the text the file holds writes nothing, so a program in a folder
// the user cannot write runs without an error; changed text would be written.
TEST_F(FilesTest, Issue17AnUnchangedFileIsNotRewritten) {
    const QString file = dir.File("prog.bas");
    WriteFile(file, "PRINT 1\nEND\n");
    Open(file);
    const std::string folder = QFileInfo(file).path().toStdString();
    ::chmod(folder.c_str(), 0555);
    {
        const marlinet::testing::TWithoutFileOverride asAUser;
        for (const bool changed : {false, true}) {
            if (changed) Type('x');
            form.SetRunState(RunState::Modified);
            EXPECT_EQ(form.SaveAndReload(), !changed);
        }
    }
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(dialogs->Errors.size(), 1);
}

TEST_F(FilesTest, AboutShowsTheVersionLabels) {
    form.About1Click();
    EXPECT_EQ(dialogs->ModalShown, 1);
    EXPECT_EQ(form.Form2->Label1->text(),
              QString(" Marlinet Simulator Ver.%1 ").arg(support::kVersion));
    EXPECT_EQ(form.Form2->Label2->text(), " Interpreter version 1.5D ");
    EXPECT_EQ(form.Form2->size(), QSize(387, 238));
    // No caption text: an empty title would show the application's name.
    EXPECT_TRUE(form.Form2->windowTitle().trimmed().isEmpty() &&
                !form.Form2->windowTitle().isEmpty());
}

} // namespace
} // namespace marlinet::workbench
