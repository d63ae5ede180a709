// New, Open, Save and Save As through the File menu of the real window, with scripted file
// boxes and answers.
#include "ui/ProjectCommands.h"

#include "../common/Files.h"
#include "../common/ProjectRecords.h"
#include "MainWindowFixture.h"
#include "Messages.h"
#include "project/ProjectFile.h"

#include "../common/TreeText.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QTabBar>
#include <QTemporaryDir>

using namespace orvane;
using orvane::testing::AskedFile;
using orvane::testing::MainWindowTest;
using orvane::testing::outline;
using orvane::testing::projectBytes;
using orvane::testing::readBytes;
using orvane::testing::saveQuestion;
using orvane::testing::ShownMessage;
using orvane::testing::writeBytes;

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

const QString filter = QStringLiteral("Orvane (*.qel);;All Files (*)");

QList<int> depthsIn(const QByteArray &file)
{
    QList<int> depths;
    for (qsizetype at = 0; at + ProjectRecordSize <= file.size(); at += ProjectRecordSize) {
        const QList<QByteArray> parts = file.mid(at + 4, 266).split('|');
        depths.append(parts.value(1).toInt());
    }
    return depths;
}

class ProjectCommandsTest : public MainWindowTest
{
protected:
    void trigger(const char *name) { child<QAction>(name)->trigger(); }
    QString title() { return window->windowTitle(); }
    QString currentFile() { return window->dlgedit().fileName; }
    QString path(const QString &name) { return dir.filePath(name); }

    // Three records, the second with two fields, entered as a user would.
    void enterThreeRoots()
    {
        addField(QStringLiteral("01"), QStringLiteral("CUST-ID"), QStringLiteral("6"));
        addField(QStringLiteral("01"), QStringLiteral("CUST-NAME"));
        addField(QStringLiteral("05"), QStringLiteral("FIRST-NAME"), QStringLiteral("20"));
        addField(QStringLiteral("05"), QStringLiteral("LAST-NAME"), QStringLiteral("30"));
        addField(QStringLiteral("01"), QStringLiteral("CUST-TOTAL"), QStringLiteral("9"));
    }

    // A file written by the program itself.
    void saveAs(const QString &file)
    {
        platform.files.answers.push_back(file);
        trigger("SaveAs");
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(ProjectCommandsTest, SaveNewOpenAndTheTitleForms)
{
    enterThreeRoots();
    ASSERT_FALSE(tree().tag(4).isEmpty());
    const QByteArray before = projectBytes(tree());
    EXPECT_EQ(title(), "Orvane []*");

    // Save without a name asks for one; with a name it asks nothing.
    const QString three = path(QStringLiteral("three.qel"));
    platform.files.answers.push_back(three);
    trigger("Save");
    EXPECT_EQ(platform.files.asked, (std::vector<AskedFile>{{true, "Save As", filter, ""}}));
    EXPECT_EQ(title(), "Orvane [three.qel]");
    EXPECT_EQ(status(), "Done");
    EXPECT_TRUE(window->projectCommands().saveDone());
    EXPECT_EQ(depthsIn(readBytes(three)), (QList<int>{1, 1, 2, 2, 1}));
    addField(QStringLiteral("01"), QStringLiteral("REC-2"), QStringLiteral("4"));
    EXPECT_EQ(title(), "Orvane [three.qel]*");
    trigger("Save");
    EXPECT_EQ(title(), "Orvane [three.qel]");
    EXPECT_EQ(platform.files.asked.size(), 1u);
    EXPECT_EQ(depthsIn(readBytes(three)), (QList<int>{1, 1, 2, 2, 1, 1}));
    // Save As starts from the current name.
    saveAs(path(QStringLiteral("other.qel")));
    EXPECT_EQ(title(), "Orvane [other.qel]");
    EXPECT_EQ(platform.files.asked.back().fileName, three);

    trigger("filenew");
    EXPECT_TRUE(tree().isEmpty());
    EXPECT_EQ(title(), "Orvane []");
    EXPECT_EQ(currentFile(), "");

    writeBytes(three, before);
    platform.files.answers.push_back(three);
    trigger("fileopen");
    EXPECT_EQ(platform.files.asked.back(), (AskedFile{false, "Open", filter, ""}));
    EXPECT_EQ(projectBytes(tree()), before);
    EXPECT_EQ(title(), "Orvane [three.qel]");
    EXPECT_EQ(currentFile(), three);
    EXPECT_EQ(status(), "Done");
    EXPECT_TRUE(view()->isVisible());
}

TEST_F(ProjectCommandsTest, SaveAsOntoAnExistingFileAnsweredNoAsksAgainAndCancelForgetsTheName)
{
    writeBytes(path(QStringLiteral("taken.qel")), "old");
    addField(QStringLiteral("01"), QStringLiteral("REC"), QStringLiteral("4"));

    platform.files.answers = {path(QStringLiteral("taken.qel")), path(QStringLiteral("free.qel"))};
    platform.messages.answers = {MessageAnswer::No};
    trigger("SaveAs");
    EXPECT_EQ(platform.messages.shown, (std::vector<ShownMessage>{overwriteQuestion}));
    ASSERT_EQ(platform.files.asked.size(), 2u);
    EXPECT_EQ(platform.files.asked[1], (AskedFile{true, "Save As", filter, ""}));
    EXPECT_EQ(readBytes(path(QStringLiteral("taken.qel"))), "old");
    EXPECT_EQ(readBytes(path(QStringLiteral("free.qel"))).size(), ProjectRecordSize);
    EXPECT_EQ(title(), "Orvane [free.qel]");

    // Cancel: nothing written, no name left, so the next Save asks for one.
    addField(QStringLiteral("01"), QStringLiteral("REC-2"), QStringLiteral("4"));
    platform.files.answers = {path(QStringLiteral("taken.qel"))};
    platform.messages.answers = {MessageAnswer::Cancel};
    trigger("SaveAs");
    EXPECT_EQ(currentFile(), "");
    EXPECT_EQ(title(), "Orvane [free.qel]*");
    EXPECT_EQ(readBytes(path(QStringLiteral("taken.qel"))), "old");
    EXPECT_EQ(readBytes(path(QStringLiteral("free.qel"))).size(), ProjectRecordSize);

    platform.files.answers = {QString()}; // and that box is cancelled too
    trigger("Save");
    EXPECT_EQ(platform.files.asked.back(), (AskedFile{true, "Save As", filter, ""}));
    EXPECT_EQ(title(), "Orvane [free.qel]*");

    // Yes overwrites.
    platform.files.answers = {path(QStringLiteral("taken.qel"))};
    platform.messages.answers = {MessageAnswer::Yes};
    trigger("SaveAs");
    EXPECT_EQ(depthsIn(readBytes(path(QStringLiteral("taken.qel")))), (QList<int>{1, 1}));
    EXPECT_EQ(title(), "Orvane [taken.qel]");
}

TEST_F(ProjectCommandsTest, AReadOnlyFileIsNeverReplaced)
{
    const QString locked = path(QStringLiteral("locked.qel"));
    addField(QStringLiteral("01"), QStringLiteral("REC"), QStringLiteral("4"));
    saveAs(locked);
    const QByteArray old = readBytes(locked);
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    addField(QStringLiteral("01"), QStringLiteral("REC-2"), QStringLiteral("4"));

    const ShownMessage readOnly = saveError(
        QStringLiteral("The file you are trying to save is read only\r\nWould you like to save "
                       "the file under different name?"),
        locked, MessageButtons::YesNo);
    platform.messages.answers = {MessageAnswer::No};
    trigger("Save");
    EXPECT_EQ(platform.messages.shown, (std::vector<ShownMessage>{readOnly}));
    EXPECT_EQ(readBytes(locked), old);
    EXPECT_EQ(title(), "Orvane [locked.qel]*");

    // Yes: Save As, and the save goes to the new name only.
    platform.messages.answers = {MessageAnswer::Yes};
    platform.files.answers = {path(QStringLiteral("copy.qel"))};
    trigger("Save");
    EXPECT_EQ(platform.files.asked.back().fileName, locked);
    EXPECT_EQ(readBytes(locked), old);
    EXPECT_EQ(depthsIn(readBytes(path(QStringLiteral("copy.qel")))), (QList<int>{1, 1}));
    EXPECT_EQ(title(), "Orvane [copy.qel]");
}

TEST_F(ProjectCommandsTest, AFailedSaveKeepsTheOldFileAndTheMarker)
{
    const QString saved = path(QStringLiteral("keep.qel"));
    addField(QStringLiteral("01"), QStringLiteral("REC"), QStringLiteral("4"));
    saveAs(saved);
    const QByteArray old = readBytes(saved);

    // A field text of 267 bytes: tag "1:4", "|", depth "1", "|" and 261 characters.
    const int root = tree().topLevelAt(0);
    const int field = tree().add(root, Relationship::Next, QString(261, u'X'));
    tree().setTag(field, QStringLiteral("1:4"));
    window->MarkModified();
    platform.messages.answers = {MessageAnswer::Ok};
    trigger("Save");
    EXPECT_EQ(platform.messages.shown,
              (std::vector<ShownMessage>{saveError(
                  QStringLiteral("Unsuccessful Save. Posible cause may be that the length of a "
                                 "field is greater than the maximum allowed length (255)"),
                  saved)}));
    EXPECT_EQ(readBytes(saved), old);
    EXPECT_EQ(title(), "Orvane [keep.qel]*");
    EXPECT_EQ(status(), "Error");
    EXPECT_FALSE(window->projectCommands().saveDone());
    EXPECT_TRUE(view()->isVisible());

    // One byte less fits.
    tree().setText(field, QString(260, u'X'));
    trigger("Save");
    EXPECT_EQ(readBytes(saved).size(), 2 * ProjectRecordSize);
    EXPECT_EQ(title(), "Orvane [keep.qel]");
    EXPECT_EQ(status(), "Done");
}

TEST_F(ProjectCommandsTest, OpenAfterYesSavesThenShowsOnlyTheChosenFile)
{
    orvane::testing::build(window->fields(), {{1, QStringLiteral("01 OTHER.")}});
    saveAs(path(QStringLiteral("other.qel")));
    trigger("filenew");
    addField(QStringLiteral("01"), QStringLiteral("MINE"), QStringLiteral("4"));
    saveAs(path(QStringLiteral("mine.qel")));
    addField(QStringLiteral("05"), QStringLiteral("PART"), QStringLiteral("2"));

    platform.messages.answers = {MessageAnswer::Yes};
    platform.files.answers = {path(QStringLiteral("other.qel"))};
    trigger("fileopen");
    EXPECT_EQ(platform.messages.shown, (std::vector<ShownMessage>{saveQuestion}));
    EXPECT_EQ(depthsIn(readBytes(path(QStringLiteral("mine.qel")))), (QList<int>{1, 2}));
    EXPECT_EQ(outline(tree()), "01 OTHER.");
    EXPECT_EQ(title(), "Orvane [other.qel]");

    // Yes whose Save As is cancelled: the changes stay and nothing is opened.
    trigger("filenew");
    addField(QStringLiteral("01"), QStringLiteral("UNSAVED"), QStringLiteral("1"));
    platform.messages.answers = {MessageAnswer::Yes};
    platform.files.answers = {QString()};
    trigger("fileopen");
    EXPECT_TRUE(platform.files.asked.back().save); // no Open box came
    EXPECT_EQ(tree().count(), 1);
    EXPECT_EQ(title(), "Orvane []*");

    // Cancel: nothing happens.
    platform.messages.answers = {MessageAnswer::Cancel};
    trigger("fileopen");
    EXPECT_EQ(window->projectCommands().newTag(), "C");
    EXPECT_EQ(tree().count(), 1);

    // No: the layout is dropped, and a cancelled Open box leaves it empty.
    platform.messages.answers = {MessageAnswer::No};
    platform.files.answers = {QString()};
    trigger("fileopen");
    EXPECT_EQ(window->projectCommands().newTag(), "");
    EXPECT_TRUE(tree().isEmpty());
    EXPECT_EQ(title(), "Orvane []");
    EXPECT_EQ(status(), "Done");
}

TEST_F(ProjectCommandsTest, TheFileMenuOffersSaveOnlyForALayoutWithFields)
{
    auto *file = child<QMenu>("file");
    const auto openMenu = [&] {
        file->popup(window->mapToGlobal(QPoint(0, 0)));
        file->hide();
    };
    openMenu();
    EXPECT_FALSE(child<QAction>("Save")->isEnabled());
    EXPECT_FALSE(child<QAction>("SaveAs")->isEnabled());
    addField(QStringLiteral("01"), QStringLiteral("REC"), QStringLiteral("4"));
    openMenu();
    EXPECT_TRUE(child<QAction>("Save")->isEnabled());
    EXPECT_TRUE(child<QAction>("SaveAs")->isEnabled());

    // Another tab keeps what its own handler set.
    window->tabGen_Click(1);
    openMenu();
    EXPECT_FALSE(child<QAction>("Save")->isEnabled());
    window->tabGen_Click(0);
}

TEST_F(ProjectCommandsTest, AFileThatIsNotAProjectOpensNothingAndKeepsNoName)
{
    // A COBOL source picked under "All Files": the next Save must not overwrite it.
    const QString source = path(QStringLiteral("prog.cbl"));
    const QByteArray program = "       IDENTIFICATION DIVISION.\n       PROGRAM-ID. PROG.\n";
    writeBytes(source, program);
    platform.files.answers = {source};
    platform.messages.answers = {MessageAnswer::Ok};
    trigger("fileopen");
    EXPECT_EQ(platform.messages.shown,
              (std::vector<ShownMessage>{
                  {source + " is not a project file: record 1 does not hold a field", "Orvane",
                   MessageButtons::Ok, MessageIcon::Critical}}));
    EXPECT_TRUE(tree().isEmpty());
    EXPECT_EQ(title(), "Orvane []");
    EXPECT_EQ(currentFile(), "");
    EXPECT_EQ(status(), "Done");

    addField(QStringLiteral("01"), QStringLiteral("REC"), QStringLiteral("4"));
    platform.files.answers = {QString()};
    trigger("Save");
    EXPECT_TRUE(platform.files.asked.back().save);
    EXPECT_EQ(readBytes(source), program);

    // Good records followed by a foreign one: the part read is not kept either.
    FieldTree two;
    orvane::testing::build(two, {{1, QStringLiteral("01 A.")}, {1, QStringLiteral("01 B.")}});
    const QByteArray mixed = projectBytes(two) + QByteArray(ProjectRecordSize, 'x');
    writeBytes(path(QStringLiteral("mixed.qel")), mixed);
    platform.messages.answers = {MessageAnswer::No, MessageAnswer::Ok};
    platform.files.answers = {path(QStringLiteral("mixed.qel"))};
    trigger("fileopen");
    ASSERT_EQ(platform.messages.shown.size(), 3u);
    EXPECT_EQ(platform.messages.shown[2].text,
              path(QStringLiteral("mixed.qel")) +
                  " is not a project file: record 3 does not hold a field");
    EXPECT_TRUE(tree().isEmpty());
    EXPECT_EQ(title(), "Orvane []");
    EXPECT_EQ(currentFile(), "");
}

TEST_F(ProjectCommandsTest, AFailedSaveAsKeepsTheNameTheTitleShows)
{
    const QString first = path(QStringLiteral("cust.qel"));
    addField(QStringLiteral("01"), QStringLiteral("REC"), QStringLiteral("4"));
    saveAs(first);
    addField(QStringLiteral("01"), QStringLiteral("REC-2"), QStringLiteral("4"));

    // A target inside a regular file cannot be made.
    writeBytes(path(QStringLiteral("plain.txt")), "x");
    platform.files.answers = {path(QStringLiteral("plain.txt/other.qel"))};
    platform.messages.answers = {MessageAnswer::Ok};
    EXPECT_FALSE(window->projectCommands().SaveAs_Click());
    EXPECT_EQ(currentFile(), first);
    EXPECT_EQ(title(), "Orvane [cust.qel]*");

    // So Save goes where the title says.
    trigger("Save");
    EXPECT_EQ(depthsIn(readBytes(first)), (QList<int>{1, 1}));
    EXPECT_EQ(title(), "Orvane [cust.qel]");
}

TEST_F(ProjectCommandsTest, AFileThatCannotBeWrittenCountsAsReadOnlyEvenWithItsWriteBit)
{
    const QString locked = path(QStringLiteral("immutable.qel"));
    addField(QStringLiteral("01"), QStringLiteral("REC"), QStringLiteral("4"));
    saveAs(locked);
    const QByteArray old = readBytes(locked);
    // Root may write any file with or without its write bits, but not an immutable one.
    if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), locked}) != 0 ||
        QFileInfo(locked).isWritable()) {
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), locked});
        GTEST_SKIP() << "no immutable files here";
    }
    ASSERT_TRUE(QFileInfo(locked).permissions() & QFileDevice::WriteOwner);
    addField(QStringLiteral("01"), QStringLiteral("REC-2"), QStringLiteral("4"));
    platform.messages.answers = {MessageAnswer::No};
    trigger("Save");
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), locked});
    EXPECT_EQ(platform.messages.shown,
              (std::vector<ShownMessage>{saveError(
                  QStringLiteral("The file you are trying to save is read only\r\nWould you like "
                                 "to save the file under different name?"),
                  locked, MessageButtons::YesNo)}));
    EXPECT_EQ(readBytes(locked), old);
    EXPECT_EQ(title(), "Orvane [immutable.qel]*");
}
