// The example programs: which are listed, the user's own copies that Help >
// Examples opens, and the folder those copies go to.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include "editor/qt/synedit.h"
#include "fake_dialogs.h"
#include "workbench/main_form.h"

namespace marlinet::workbench {
namespace {

using testing::ReadFile;
using testing::WriteFile;

// A name in two folders comes from the first; the copy is made once,
// writable, and then kept as the user changed it; only listed names open.
TEST(ExamplesTest, Issue17HelpExamplesOpensTheUsersCopyMadeOnce) {
    testing::TTempDir dir;
    const QString first = dir.File("first"), second = dir.File("second"), user = dir.File("user");
    QDir().mkpath(first);
    QDir().mkpath(second);
    WriteFile(first + "/blink.bas", "PRINT 1");
    WriteFile(first + "/notes.txt", "not a program");
    WriteFile(second + "/blink.bas", "PRINT 2");
    WriteFile(second + "/adc.bas", "ADC A");
    QFile::setPermissions(first + "/blink.bas", QFile::ReadOwner);
    auto* dialogs = new testing::TFakeDialogs;
    TMainForm form{std::unique_ptr<TWorkbenchDialogs>(dialogs)};
    form.SetExampleLibrary(TExampleLibrary({first, second}, user));
    QStringList listed;
    for (QAction* entry : form.findChild<QMenu*>("ExamplesMenu")->actions())
        listed << entry->text();
    EXPECT_EQ(listed, (QStringList{"adc.bas", "blink.bas"}));

    form.findChild<QMenu*>("ExamplesMenu")->actions()[1]->trigger();
    EXPECT_EQ(form.CurrentFileName(), user + "/blink.bas");
    EXPECT_EQ(form.SynEdit1->Lines().GetTextStr(), "PRINT 1");
    EXPECT_TRUE(QFile::permissions(user + "/blink.bas") & QFile::WriteOwner);
    WriteFile(user + "/blink.bas", "PRINT 3");
    for (const char* name : {"blink.bas", "missing.bas", "../second/adc.bas", "notes.txt"})
        form.OpenExample(name);
    EXPECT_EQ(form.SynEdit1->Lines().GetTextStr(), "PRINT 3");
    EXPECT_EQ(dialogs->Errors.size(), 3);
    EXPECT_EQ(QDir(user).entryList(QDir::Files), QStringList{"blink.bas"});
}

TEST(ExamplesTest, Issue17CopiesGoToTheDocumentsFolderElseTheHomeFolder) {
    testing::TTempDir dir;
    const QString home = dir.File("home");
    const QByteArray userHome = qgetenv("HOME");
    qputenv("HOME", home.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", dir.File("").toLocal8Bit());
    const struct {
        const char* variable; // XDG_DOCUMENTS_DIR, or null
        const char* userDirs; // user-dirs.dirs
        QString folder;
    } cases[] = {
        {"/srv/docs", "XDG_DOCUMENTS_DIR=\"/x\"\n", "/srv/docs/Marlinet"},
        {nullptr, "# mine\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n", home + "/Papers/Marlinet"},
        {nullptr, "XDG_DOWNLOAD_DIR=\"$HOME/In\"\n", home + "/Marlinet"}};
    for (const auto& c : cases) {
        c.variable ? qputenv("XDG_DOCUMENTS_DIR", c.variable) : qunsetenv("XDG_DOCUMENTS_DIR");
        WriteFile(dir.File("user-dirs.dirs"), c.userDirs);
        EXPECT_EQ(TExampleLibrary::DefaultUserFolder(), c.folder) << c.userDirs;
    }
    qputenv("HOME", userHome);
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DOCUMENTS_DIR");
}

// A data folder named twice (here once through a link) is searched once, and
// a folder that does not exist not at all.
TEST(ExamplesTest, InstalledListsEachExistingFolderOnce) {
    testing::TTempDir dir;
    const QString examples = dir.File("data/marlinet/examples");
    QDir().mkpath(examples);
    ASSERT_TRUE(QFile::link(dir.File("data"), dir.File("link")));
    const QByteArray home = qgetenv("XDG_DATA_HOME"), dirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", dir.File("data").toLocal8Bit());
    qputenv("XDG_DATA_DIRS", (dir.File("link") + ":" + dir.File("none")).toLocal8Bit());
    QStringList folders = TExampleLibrary::Installed().Folders();
    home.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", home);
    dirs.isNull() ? qunsetenv("XDG_DATA_DIRS") : qputenv("XDG_DATA_DIRS", dirs);
    EXPECT_EQ(folders.count(QFileInfo(examples).canonicalFilePath()), 1)
        << folders.join(' ').toStdString();
    EXPECT_FALSE(folders.contains(QString()));
    EXPECT_EQ(folders.removeDuplicates(), 0);
}

} // namespace
} // namespace marlinet::workbench
