// File > "Import COBOL Copybook..." and the storage shown in the tree's tooltips, driven
// through the real window with scripted boxes.
#include "ui/window/CopybookImportCommand.h"

#include "MainWindowFixture.h"

namespace orvane::testing
{
namespace
{

class CopybookImportTest : public MainWindowTest
{
protected:
    void importFile(const QString &path)
    {
        platform.files.answers.push_back(path);
        platform.messages.answers.push_back(MessageAnswer::Ok);
        child<QAction>("importCopybook")->trigger();
    }
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
    platform.files.answers.push_back(QString());
    child<QAction>("importCopybook")->trigger();
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

} // namespace
} // namespace orvane::testing
