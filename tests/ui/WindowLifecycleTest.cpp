// Loading and closing the main window: first run, settings, the command line and the
// questions that keep unsaved work.
#include "ui/window/WindowLifecycle.h"
#include "MainWindowFixture.h"
#include "project/ProjectFile.h"
#include "ui/window/ProjectCommands.h"

#include "../common/ProjectRecords.h"

#include <QDir>

namespace orvane::testing
{
namespace
{

const ShownMessage firstRun{
    QStringLiteral("You must restart your computer for some changes to take effect\r\nif you "
                   "don't restart the computer and continue using the program you may "
                   "experience some freezes"),
    QStringLiteral("Message"), MessageButtons::Ok, MessageIcon::Information};

class WindowLifecycleTest : public MainWindowTest
{
protected:
    WindowLifecycleTest() { startInSetUp = false; }
};

TEST_F(WindowLifecycleTest, TheFirstRunRegistersTheFileTypeOnceAndGoesOn)
{
    platform.settings.values.clear();
    platform.messages.answers = {MessageAnswer::Ok};
    start({path("first.qel")});
    EXPECT_EQ(platform.messages.shown, (std::vector<ShownMessage>{firstRun}));
    EXPECT_EQ(platform.registration.registered, QStringList{".qel"});
    // The start goes on: the project named on the command line is open.
    EXPECT_EQ(title(), "Orvane [first.qel]");

    // The next start with the same settings stays quiet.
    window.reset();
    start();
    EXPECT_EQ(platform.registration.registered, QStringList{".qel"});
}

TEST_F(WindowLifecycleTest, SettingsComeBackAndTheLastFolderBecomesAPattern)
{
    // Without settings no folder is kept, since only a name is (the default by length is
    // saved on closing).
    start();
    window->lifecycle().SaveSettings();
    EXPECT_EQ(setting("history", "lastusedfile"), "<none>");
    window.reset();

    setSetting("history", "lastusedfile", path("old.qel"));
    setSetting("init", "resizebylength", QStringLiteral("False"));
    start();
    EXPECT_EQ(currentFile(), dir.path() + QStringLiteral("/*.*"));
    EXPECT_TRUE(child<QRadioButton>("OptRecordSizeByPos")->isChecked());

    // Save with the pattern as the name opens Save As in that folder.
    addFields({"01 REC 4"});
    platform.files.answers = {path("new.qel")};
    trigger("Save");
    EXPECT_EQ(platform.files.asked,
              (std::vector<AskedFile>{{true, "Save As", "Orvane (*.qel);;All Files (*)",
                                       dir.path() + QStringLiteral("/*.*")}}));

    // Closing writes them back.
    child<QRadioButton>("optRecordSizeByLength")->setChecked(true);
    window->lifecycle().SaveSettings();
    EXPECT_EQ(setting("init", "resizebylength"), "True");
    EXPECT_EQ(setting("history", "lastusedfile"), path("new.qel"));
}

// The question and what each answer does to the layout are New's (tested with Open); here
// whether the window closes.
TEST_F(WindowLifecycleTest, ClosingWithUnsavedChangesFollowsTheAnswer)
{
    const QString file = path("cust.qel");
    struct Case {
        const char *what;
        bool named;
        MessageAnswer answer;
        bool closes;
    };
    const Case cases[] = {
        {"Cancel keeps the window", false, MessageAnswer::Cancel, false},
        {"No drops the changes", false, MessageAnswer::No, true},
        {"Yes saves and stays once", true, MessageAnswer::Yes, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        start();
        addFields({"01 REC 4"});
        if (c.named) {
            platform.files.answers = {file};
            trigger("SaveAs");
            addFields({"05 PART 2"});
        }
        platform.messages.shown.clear();
        platform.messages.answers = {c.answer};
        EXPECT_EQ(window->close(), c.closes);
        EXPECT_EQ(platform.messages.shown, (std::vector<ShownMessage>{saveQuestion}));
        EXPECT_EQ(setting("init", "resizebylength"), "True"); // the settings were saved first
        if (c.named) {
            EXPECT_EQ(QFileInfo(file).size(), 2 * ProjectRecordSize);
            EXPECT_EQ(setting("history", "lastusedfile"), file);
            EXPECT_TRUE(window->close()); // nothing unsaved is left, so nothing asked
        }
        window.reset();
    }
}

// How the pieces make one path is projectPathFromArguments' table; here an existing project
// is opened by it, and a missing one is created and saved under its name.
TEST_F(WindowLifecycleTest, TheCommandLineOpensOrCreatesOnePathWithItsBlanks)
{
    QDir(dir.path()).mkpath(QStringLiteral("my projects"));
    const QString file = path("my projects/cust file.qel");
    writeBytes(file, projectRecord("1:4|1|01 CUSTOMER \xA0PIC X(4)."));
    start(file.split(u' ')); // split at its blanks, as a shell may hand it over
    EXPECT_EQ(title(), "Orvane [cust file.qel]");
    EXPECT_EQ(currentFile(), file);
    EXPECT_EQ(outline(tree()), "01 CUSTOMER \u00A0PIC X(4).");
    EXPECT_EQ(status(), "Done");
    EXPECT_TRUE(view()->isVisible());
    window.reset();

    const QString created = path("brand new.qel");
    start({created});
    EXPECT_TRUE(QFileInfo::exists(created));
    EXPECT_EQ(QFileInfo(created).size(), 0);
    EXPECT_EQ(title(), "Orvane [brand new.qel]");
    addFields({"01 REC 4"});
    window->projectCommands().Save_Click(); // no box: the name is known
    EXPECT_EQ(QFileInfo(created).size(), ProjectRecordSize);
    EXPECT_EQ(title(), "Orvane [brand new.qel]");
}

// A file that cannot be read leaves an empty layout without a name (the loading is Open's,
// tested there with files of another kind); a name like an option is never created.
TEST_F(WindowLifecycleTest, ACommandLineProjectThatCannotBeReadLeavesAnEmptyLayoutWithoutAName)
{
    for (const QString &file : {path("no such folder/cust.qel"), path("--help")}) {
        SCOPED_TRACE(file.toStdString());
        platform.messages.shown.clear();
        platform.messages.answers = {MessageAnswer::Ok};
        start({file});
        ASSERT_EQ(platform.messages.shown.size(), 1u);
        EXPECT_TRUE(platform.messages.shown[0].text.startsWith(QStringLiteral("Cannot open ")));
        EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::Critical);
        EXPECT_FALSE(QFileInfo::exists(file));
        EXPECT_EQ(title(), "Orvane []");
        EXPECT_EQ(currentFile(), "");
        window.reset();
    }
}

TEST_F(WindowLifecycleTest, TheEditorGetsItsOwnChanceToKeepTheWindowOpen)
{
    start();
    QStringList steps;
    bool editorHoldsText = true;
    window->lifecycle().setCloseSteps({[&] {
                                           steps << QStringLiteral("editor");
                                           return editorHoldsText;
                                       },
                                       [&] { steps << QStringLiteral("dialogs"); }});
    EXPECT_FALSE(window->close());
    EXPECT_EQ(steps, QStringList{"editor"});

    // Asked even when the layout already keeps the window open.
    addFields({"01 REC 4"});
    platform.messages.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(window->close());
    editorHoldsText = false;
    platform.messages.answers = {MessageAnswer::No};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(steps, (QStringList{"editor", "editor", "editor", "dialogs"}));
}

} // namespace
} // namespace orvane::testing
