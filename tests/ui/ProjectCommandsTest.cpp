// The File menu's project commands, the copybook import, and the window's start and close,
// through the real window with scripted file boxes and answers.
#include "ui/window/ProjectCommands.h"

#include "MainWindowFixture.h"
#include "project/ProjectFile.h"
#include "ui/window/CopybookImportCommand.h"
#include "ui/window/WindowLifecycle.h"

#include "../common/ProjectRecords.h"

#include <QDir>
#include <QProcess>

namespace orvane::testing
{
namespace
{

const ShownMessage overwriteQuestion{QStringLiteral("Do you wish to overwrite the file?"),
                                     QStringLiteral("File already exists"),
                                     MessageButtons::YesNoCancel, MessageIcon::Question};

ShownMessage saveError(const QString &text, const QString &file,
                       MessageButtons buttons = MessageButtons::Ok)
{
    return {text, QStringLiteral("Error saving file [") + file + u']', buttons,
            MessageIcon::Critical};
}

ShownMessage readOnlyQuestion(const QString &file)
{
    return saveError(ProjectCommands::readOnlyText(), file, MessageButtons::YesNo);
}

const QString filter = QStringLiteral("Orvane (*.qel);;All Files (*)");

using ProjectCommandsTest = MainWindowTest;

TEST_F(ProjectCommandsTest, SaveNewOpenAndTheTitleForms)
{
    // Three records, the second with two fields.
    addFields(
        {"01 CUST-ID 6", "01 CUST-NAME", "05 FIRST-NAME 20", "05 LAST-NAME 30", "01 CUST-TOTAL 9"});
    const QByteArray before = projectBytes(tree());

    // Save without a name asks for one; with a name it asks nothing.
    const QString three = path("three.qel");
    trigger("Save", {three});
    EXPECT_EQ(platform.files.asked, (std::vector<AskedFile>{{true, "Save As", filter, ""}}));
    EXPECT_EQ(title(), "Orvane [three.qel]");
    EXPECT_TRUE(window->projectCommands().saveDone());
    EXPECT_EQ(readBytes(three), before);
    addFields({"01 REC-2 4"});
    trigger("Save");
    EXPECT_EQ(platform.files.asked.size(), 1u);
    EXPECT_EQ(readBytes(three), projectBytes(tree()));
    // Save As starts from the current name.
    trigger("SaveAs", {path("other.qel")});
    EXPECT_EQ(title(), "Orvane [other.qel]");
    EXPECT_EQ(platform.files.asked.back().fileName, three);

    trigger("filenew");
    EXPECT_TRUE(tree().isEmpty());
    EXPECT_EQ(title(), "Orvane []");
    EXPECT_EQ(currentFile(), "");

    writeBytes(three, before);
    trigger("fileopen", {three});
    EXPECT_EQ(platform.files.asked.back(), (AskedFile{false, "Open", filter, ""}));
    EXPECT_EQ(projectBytes(tree()), before);
    EXPECT_EQ(title(), "Orvane [three.qel]");
    EXPECT_EQ(currentFile(), three);
}

TEST_F(ProjectCommandsTest, SaveAsOntoAnExistingFileAnsweredNoAsksAgainAndCancelForgetsTheName)
{
    const QString taken = path("taken.qel");
    writeBytes(taken, "old");
    addFields({"01 REC 4"});
    trigger("SaveAs", {taken, path("free.qel")}, {MessageAnswer::No});
    EXPECT_EQ(platform.messages.shown, (std::vector<ShownMessage>{overwriteQuestion}));
    EXPECT_EQ(platform.files.asked, std::vector<AskedFile>(2, {true, "Save As", filter, ""}));
    EXPECT_EQ(readBytes(taken), "old");
    EXPECT_EQ(title(), "Orvane [free.qel]");

    // Cancel: nothing written, no name left, so the next Save asks for one.
    addFields({"01 REC-2 4"});
    trigger("SaveAs", {taken, QString()}, {MessageAnswer::Cancel});
    EXPECT_EQ(currentFile(), "");
    trigger("Save"); // and that box is cancelled
    EXPECT_EQ(platform.files.asked.back(), (AskedFile{true, "Save As", filter, ""}));
    EXPECT_EQ(title(), "Orvane [free.qel]*");
    EXPECT_EQ(readBytes(taken), "old");
    EXPECT_EQ(readBytes(path("free.qel")).size(), ProjectRecordSize);

    // Yes overwrites.
    trigger("SaveAs", {taken}, {MessageAnswer::Yes});
    EXPECT_EQ(readBytes(taken), projectBytes(tree()));
    EXPECT_EQ(title(), "Orvane [taken.qel]");
}

// Read-only by its permissions, or (for root, who may write those) immutable with its write bit.
TEST_F(ProjectCommandsTest, AFileThatCannotBeWrittenIsNeverReplaced)
{
    const QString locked = path("locked.qel");
    const QString immutable = path("immutable.qel");
    addFields({"01 REC 4"});
    trigger("SaveAs", {immutable});
    const bool canMakeImmutable =
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), immutable}) == 0 &&
        !QFileInfo(immutable).isWritable();
    trigger("SaveAs", {locked});
    const QByteArray old = readBytes(locked);
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    addFields({"01 REC-2 4"});
    trigger("Save", {}, {MessageAnswer::No});
    EXPECT_EQ(platform.messages.shown, (std::vector<ShownMessage>{readOnlyQuestion(locked)}));
    EXPECT_EQ(readBytes(locked), old);
    EXPECT_EQ(title(), "Orvane [locked.qel]*");

    // Yes: Save As, and the save goes to the new name only.
    trigger("Save", {path("copy.qel")}, {MessageAnswer::Yes});
    EXPECT_EQ(platform.files.asked.back().fileName, locked);
    EXPECT_EQ(readBytes(locked), old);
    EXPECT_EQ(readBytes(path("copy.qel")), projectBytes(tree()));
    EXPECT_EQ(title(), "Orvane [copy.qel]");

    if (canMakeImmutable) {
        window->dlgedit().fileName = immutable;
        window->MarkModified();
        platform.messages.shown.clear();
        trigger("Save", {}, {MessageAnswer::No});
        EXPECT_EQ(platform.messages.shown,
                  (std::vector<ShownMessage>{readOnlyQuestion(immutable)}));
        EXPECT_EQ(readBytes(immutable), old);
    }
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), immutable});
}

TEST_F(ProjectCommandsTest, AFailedSaveKeepsTheOldFileTheNameAndTheMarker)
{
    const QString saved = path("keep.qel");
    addFields({"01 REC 4"});
    trigger("SaveAs", {saved});
    const QByteArray old = readBytes(saved);

    // A field text of 267 bytes: tag "1:4", "|", depth "1", "|" and 261 characters.
    const int field = tree().add(1, Relationship::Next, QString(261, u'X'));
    tree().setTag(field, QStringLiteral("1:4"));
    window->MarkModified();
    trigger("Save", {}, {MessageAnswer::Ok});
    EXPECT_EQ(platform.messages.shown,
              (std::vector<ShownMessage>{
                  saveError(SaveFailureText({ProjectStatus::RecordTooLong, 2, 2, {}}), saved)}));
    EXPECT_EQ(readBytes(saved), old);
    EXPECT_EQ(title(), "Orvane [keep.qel]*");
    EXPECT_EQ(status(), "Error");
    EXPECT_FALSE(window->projectCommands().saveDone());
    EXPECT_TRUE(view()->isVisible());

    // Save As to a target that cannot be made keeps the name the title shows.
    writeBytes(path("plain.txt"), "x");
    tree().setText(field, QString(260, u'X'));
    platform.files.answers = {path("plain.txt/other.qel")};
    platform.messages.answers = {MessageAnswer::Ok};
    EXPECT_FALSE(window->projectCommands().SaveAs_Click());
    EXPECT_EQ(currentFile(), saved);
    EXPECT_EQ(title(), "Orvane [keep.qel]*");

    // So Save goes where the title says; one byte less fits.
    trigger("Save");
    EXPECT_EQ(readBytes(saved).size(), 2 * ProjectRecordSize);
    EXPECT_EQ(title(), "Orvane [keep.qel]");
    EXPECT_EQ(status(), "Done");
}

TEST_F(ProjectCommandsTest, OpenAfterYesSavesThenShowsOnlyTheChosenFile)
{
    writeBytes(path("other.qel"), projectRecord("|1|01 OTHER."));
    addFields({"01 MINE 4"});
    trigger("SaveAs", {path("mine.qel")});
    addFields({"05 PART 2"});
    const QByteArray mine = projectBytes(tree());
    trigger("fileopen", {path("other.qel")}, {MessageAnswer::Yes});
    EXPECT_EQ(platform.messages.shown, (std::vector<ShownMessage>{saveQuestion}));
    EXPECT_EQ(readBytes(path("mine.qel")), mine);
    EXPECT_EQ(outline(tree()), "01 OTHER.");
    EXPECT_EQ(title(), "Orvane [other.qel]");

    // Yes whose Save As is cancelled: the changes stay and nothing is opened.
    trigger("filenew");
    addFields({"01 UNSAVED 1"});
    trigger("fileopen", {QString()}, {MessageAnswer::Yes});
    EXPECT_TRUE(platform.files.asked.back().save); // no Open box came
    EXPECT_EQ(tree().count(), 1);
    EXPECT_EQ(title(), "Orvane []*");

    // Cancel: nothing happens.
    trigger("fileopen", {}, {MessageAnswer::Cancel});
    EXPECT_EQ(tree().count(), 1);

    // No: the layout is dropped, and a cancelled Open box leaves it empty.
    trigger("fileopen", {QString()}, {MessageAnswer::No});
    EXPECT_TRUE(tree().isEmpty());
    EXPECT_EQ(title(), "Orvane []");
    EXPECT_EQ(status(), "Done");
}

TEST_F(ProjectCommandsTest, TheFileMenuOffersSaveOnlyForALayoutWithFields)
{
    auto *file = child<QMenu>("file");
    const auto saveOffered = [&] {
        file->popup(window->mapToGlobal(QPoint(0, 0)));
        file->hide();
        EXPECT_EQ(child<QAction>("Save")->isEnabled(), child<QAction>("SaveAs")->isEnabled());
        return child<QAction>("Save")->isEnabled();
    };
    EXPECT_FALSE(saveOffered());
    addFields({"01 REC 4"});
    EXPECT_TRUE(saveOffered());
    window->tabGen_Click(1); // another tab keeps what its own handler set
    EXPECT_FALSE(saveOffered());
}

// The reader stops at a foreign record (and names it, as its own tests show); the part read
// before must not pass for the project under its name, or the next Save would overwrite it.
TEST_F(ProjectCommandsTest, AFileThatIsNotAProjectOpensNothingAndKeepsNoName)
{
    const QString mixed = path("mixed.qel");
    writeBytes(mixed,
               projectRecords({"|1|01 A.", "|1|01 B."}) + QByteArray(ProjectRecordSize, 'x'));
    trigger("fileopen", {mixed}, {MessageAnswer::Ok});
    EXPECT_EQ(platform.messages.shown,
              std::vector<ShownMessage>{critical(
                  mixed + " is not a project file: record 3 does not hold a field", "Orvane")});
    EXPECT_TRUE(tree().isEmpty());
    EXPECT_EQ(title(), "Orvane []");
    EXPECT_EQ(currentFile(), "");
}

class CopybookImportTest : public MainWindowTest
{
protected:
    void importFile(const QString &path) { trigger("importCopybook", {path}, {MessageAnswer::Ok}); }
    QString tooltip(int node)
    {
        const FieldTreeModel *model = view()->fieldModel();
        return model->data(model->modelIndex(node), Qt::ToolTipRole).toString();
    }
};

TEST_F(CopybookImportTest, RecordsComeInAfterTheLastTopLevelField)
{
    addField(QStringLiteral("01"), QStringLiteral("HEAD"), QStringLiteral("4"));
    window->dlgedit().fileName = QStringLiteral("/somewhere/layout.qel");
    const QString copybook = path("amounts.cpy");
    writeBytes(copybook, "      * amounts\n"
                         "       01  AMOUNTS.\n"
                         "           05  CODE PIC X.\n"
                         "           05  CNT  PIC S9(4) COMP SYNC.\n"
                         "       77  TOTAL PIC S9(7)V99 COMP-3.\n");
    importFile(copybook);

    EXPECT_EQ(outline(tree()), QStringLiteral("01 HEAD.,01 AMOUNTS.(05 CODE \u00A0PIC X.,"
                                              "05 CNT \u00A0PIC S9(4) COMP SYNC.),"
                                              "77 TOTAL \u00A0PIC S9(7)V99 COMP-3."));
    EXPECT_EQ(platform.files.asked,
              (std::vector<AskedFile>{
                  {false, CopybookImportCommand::title(), CopybookImportCommand::filter(), ""}}));
    // The project's name survives the borrowed file box.
    EXPECT_EQ(window->dlgedit().fileName, QStringLiteral("/somewhere/layout.qel"));
    EXPECT_EQ(platform.messages.shown,
              (std::vector<ShownMessage>{
                  {"4 fields imported.\n1 comment line(s) left out: a layout holds no comments.",
                   CopybookImportCommand::title(), MessageButtons::Ok, MessageIcon::Information}}));
    EXPECT_EQ(status(), QStringLiteral("Done"));

    // The tooltip names the position tag (the compiler's positions after an import) and the
    // storage.
    const int cnt = tree().next(tree().child(tree().topLevelAt(1)));
    EXPECT_EQ(tooltip(cnt), QStringLiteral("Position tag: 3:4\nStorage: bytes 3-4, length 2, "
                                           "BINARY\n1 slack byte(s) before it for SYNC"));
    EXPECT_EQ(tooltip(tree().topLevelAt(1)),
              QStringLiteral("Position tag: 1:4\nStorage: bytes 1-4, length 4, group"));
}

TEST_F(CopybookImportTest, AnUnreadableCopybookChangesNothing)
{
    addField(QStringLiteral("01"), QStringLiteral("HEAD"), QStringLiteral("4"));
    const QString before = outline(tree());
    markSaved();
    // The reader's own message (its texts, and the refusal of what is no copybook, are its
    // tables'), and nothing changes.
    const QString copybook = path("broken.cpy");
    writeBytes(copybook, "       01  R.\n           05  A PIC X.\n           05  B PIC X(.\n");
    importFile(copybook);
    const std::vector<ShownMessage> shown{
        {"broken.cpy:3:22: PICTURE X(: a repeat count must be a number from 1 in parentheses",
         CopybookImportCommand::title(), MessageButtons::Ok, MessageIcon::Exclamation}};
    EXPECT_EQ(platform.messages.shown, shown);
    EXPECT_EQ(outline(tree()), before);
    EXPECT_FALSE(modified());

    // Cancelling the file box asks nothing more.
    trigger("importCopybook", {QString()});
    EXPECT_EQ(platform.messages.shown, shown);
    EXPECT_EQ(outline(tree()), before);
}

// A layout holds an entry longer than a project record; the summary names it.
TEST_F(CopybookImportTest, AnEntryTooLongToSaveIsKeptAndNamed)
{
    importFile(QStringLiteral(ORVANE_SOURCE_DIR "/tests/data/corpus/long-88-values.cpy"));
    ASSERT_EQ(tree().count(), 4);
    EXPECT_EQ(tree().text(3).size(), 373);
    EXPECT_EQ(platform.messages.shown.at(0).text,
              QStringLiteral("4 fields imported.\nToo long to save in a project file (a field "
                             "holds 255 characters): VALID-STATE (line 3, 373 characters)"));
}

const ShownMessage firstRun{WindowLifecycle::firstRunText(), QStringLiteral("Message"),
                            MessageButtons::Ok, MessageIcon::Information};

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
    trigger("Save", {path("new.qel")});
    EXPECT_EQ(
        platform.files.asked,
        (std::vector<AskedFile>{{true, "Save As", filter, dir.path() + QStringLiteral("/*.*")}}));

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
            trigger("SaveAs", {file});
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

} // namespace
} // namespace orvane::testing
