// The example programs: which are listed, the user's own copies that Help >
// Examples opens, and the folder those copies go to.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>

#include "editor/qt/synedit.h"
#include "fake_dialogs.h"
#include "workbench/examples.h"
#include "workbench/main_form.h"

namespace marlinet::workbench {
namespace {

using testing::ReadFile;
using testing::WriteFile;

class ExamplesTest : public ::testing::Test {
protected:
    testing::TTempDir dir;
    QString first = dir.File("first");
    QString second = dir.File("second");
    QString user = dir.File("home/Marlinet");

    void SetUp() override {
        QDir().mkpath(first);
        QDir().mkpath(second);
        WriteFile(first + "/blink.bas", "PRINT 1");
        WriteFile(first + "/notes.txt", "not a program");
        WriteFile(second + "/blink.bas", "PRINT 2");
        WriteFile(second + "/adc.bas", "ADC A");
    }
    TExampleLibrary Library() const { return TExampleLibrary({first, second}, user); }
};

TEST_F(ExamplesTest, Issue17ListsEveryProgramOnceTakingTheFirstFolderHoldingIt) {
    EXPECT_EQ(Library().Names(), (QStringList{"adc.bas", "blink.bas"}));
    EXPECT_EQ(ReadFile(Library().UserCopy("blink.bas")), "PRINT 1");
}

// The copy is made on first use, writable even from a read-only example,
// and a copy the user has changed is what opens from then on.
TEST_F(ExamplesTest, Issue17HelpExamplesOpensTheUsersCopyMadeOnce) {
    QFile::setPermissions(second + "/adc.bas", QFile::ReadOwner | QFile::ReadOther);
    auto* dialogs = new testing::TFakeDialogs;
    TMainForm form{std::unique_ptr<TWorkbenchDialogs>(dialogs)};
    form.SetExampleLibrary(Library());
    auto* menu = form.findChild<QMenu*>("ExamplesMenu");
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), "adc.bas");

    menu->actions()[0]->trigger();
    const QString copy = user + "/adc.bas";
    EXPECT_EQ(form.CurrentFileName(), copy);
    EXPECT_EQ(form.SynEdit1->Lines().GetTextStr(), "ADC A");
    EXPECT_TRUE(QFile::permissions(copy) & QFile::WriteOwner);

    WriteFile(copy, "ADC B");
    form.OpenExample("adc.bas");
    EXPECT_EQ(ReadFile(copy), "ADC B");
    EXPECT_EQ(form.SynEdit1->Lines().GetTextStr(), "ADC B");
    EXPECT_EQ(ReadFile(second + "/adc.bas"), "ADC A");

    // Only the listed names: never a path that leads elsewhere.
    for (const char* name : {"missing.bas", "../first/blink.bas", "notes.txt"})
        form.OpenExample(name);
    EXPECT_EQ(dialogs->Errors.size(), 3);
    EXPECT_EQ(form.CurrentFileName(), copy);
    EXPECT_FALSE(QFile::exists(user + "/notes.txt"));
}

class ScopedEnv {
public:
    ScopedEnv(const char* Name, const std::optional<QString>& Value) : name_(Name) {
        if (qEnvironmentVariableIsSet(Name)) saved_ = qEnvironmentVariable(Name);
        if (Value)
            qputenv(Name, Value->toLocal8Bit());
        else
            qunsetenv(Name);
    }
    ~ScopedEnv() {
        if (saved_)
            qputenv(name_, saved_->toLocal8Bit());
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    std::optional<QString> saved_;
};

TEST_F(ExamplesTest, Issue17CopiesGoToTheDocumentsFolderElseTheHomeFolder) {
    const QString home = dir.File("home");
    const QString config = dir.File("config");
    QDir().mkpath(config);
    const ScopedEnv homeEnv("HOME", home);
    const ScopedEnv configEnv("XDG_CONFIG_HOME", config);
    const struct {
        std::optional<QString> variable; // XDG_DOCUMENTS_DIR
        const char* userDirs;            // user-dirs.dirs, or null for none
        QString folder;
    } cases[] = {
        {dir.File("docs"), "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n", dir.File("docs/Marlinet")},
        {std::nullopt, "# a comment\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n",
         home + "/Papers/Marlinet"},
        {std::nullopt, "XDG_DOCUMENTS_DIR=\"/srv/shared\"\n", "/srv/shared/Marlinet"},
        {std::nullopt, "XDG_DOWNLOAD_DIR=\"$HOME/In\"\n", home + "/Marlinet"},
        {std::nullopt, nullptr, home + "/Marlinet"},
    };
    for (const auto& c : cases) {
        const ScopedEnv documents("XDG_DOCUMENTS_DIR", c.variable);
        QFile::remove(config + "/user-dirs.dirs");
        if (c.userDirs) WriteFile(config + "/user-dirs.dirs", c.userDirs);
        EXPECT_EQ(TExampleLibrary::DefaultUserFolder(), c.folder) << c.userDirs;
    }
}

} // namespace
} // namespace marlinet::workbench
