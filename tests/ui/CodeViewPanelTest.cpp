// The Code View's copy and append through the real window, with scripted boxes; append is
// checked against the command-line tool.
#include "ui/generator/CodeViewPanel.h"

#include "MainWindowFixture.h"
#include "project/ProjectFile.h"

#include <QProcess>

namespace orvane::testing
{
namespace
{

const QString examples = QStringLiteral(ORVANE_SOURCE_DIR "/examples/");
const ShownMessage foundQuestion{
    QStringLiteral("WORKING-STORAGE SECTION. found. Continue to append?"), QStringLiteral("Found"),
    MessageButtons::YesNo, MessageIcon::Question};
const ShownMessage appendDone{QStringLiteral("Append Successful"), QStringLiteral("Append"),
                              MessageButtons::Ok, MessageIcon::Information};

class CodeViewTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(LoadNodes(tree(), examples + "customer.qel").ok());
        window->tabGen_Click(1);
    }
    CodeViewPanel *panel() { return window->codeViewPanel(); }
    QLineEdit *pathBox() { return box("txtCodeViewBrowseFile"); }
    QString lastAppend()
    {
        return platform.settings.get("Orvane", "history", "lastappend", "<none>");
    }
    void append(const QString &path, std::initializer_list<MessageAnswer> answers)
    {
        pathBox()->setText(path);
        platform.messages.answers = answers;
        QTest::mouseClick(child<QPushButton>("cmdCodeViewAppend"), Qt::LeftButton);
    }
};

TEST_F(CodeViewTest, CopyPutsTheCodeOnTheClipboardWithLf)
{
    QTest::mouseClick(child<QPushButton>("cmdCodeViewCopy"), Qt::LeftButton);
    const QString code = panel()->txtCodeView()->toPlainText();
    EXPECT_EQ(platform.clipboard.value, code);
    EXPECT_EQ(panel()->txtCodeView()->textCursor().selectedText().size(), code.size());
    // A button with the focus is no text box: the Edit menu's copy must not empty the clipboard.
    focus(child<QPushButton>("cmdCodeViewCopy"));
    EXPECT_EQ(window->ActiveControl(), nullptr);
}

TEST_F(CodeViewTest, BrowseAndTypedPathsAreRememberedWhenTheyNameAFile)
{
    const QString source = path("a.cbl");
    writeBytes(source, "X\r\n");
    window->dlgedit().fileName = QStringLiteral("/p/cust.qel");
    platform.files.answers = {source, QString()};
    QTest::mouseClick(child<QPushButton>("cmdCodeViewBrowse"), Qt::LeftButton);
    // The next box starts there, as it was remembered; a cancel leaves the path as it was.
    QTest::mouseClick(child<QPushButton>("cmdCodeViewBrowse"), Qt::LeftButton);
    EXPECT_EQ(platform.files.asked,
              (std::vector<AskedFile>{
                  {false, "Open", "Cobol Files (*.cbl);;All Files (*)", "/p/cust.qel"},
                  {false, "Open", "Cobol Files (*.cbl);;All Files (*)", source}}));
    EXPECT_EQ(pathBox()->text(), source);
    EXPECT_EQ(window->dlgedit().fileName, u"/p/cust.qel");

    type(pathBox(), dir.path());
    EXPECT_EQ(lastAppend(), source);
}

TEST_F(CodeViewTest, AppendStopsWithoutTouchingTheFile)
{
    const QString noHeader = path("nohdr.cbl");
    writeBytes(noHeader, "      WORKING-STORAGE SECTION.\r\n"); // six blanks only
    const QString declined = path("declined.cbl");
    writeBytes(declined, "       WORKING-STORAGE SECTION.\r\n");
    // Which paths name a file and where the header may stand are the command line's and
    // InsertAfterWorkingStorage's tables; here each box once.
    const QString pattern = path("*.cbl"); // no file, though files match it
    append(pattern, {MessageAnswer::Ok});
    append(noHeader, {MessageAnswer::Ok});
    append(declined, {MessageAnswer::No});
    EXPECT_EQ(platform.messages.shown,
              (std::vector<ShownMessage>{{"File " + pattern + " not found", "File Not found",
                                          MessageButtons::Ok, MessageIcon::Exclamation},
                                         {"WORKING-STORAGE SECTION. not found", "Not Found",
                                          MessageButtons::Ok, MessageIcon::Exclamation},
                                         foundQuestion}));
    EXPECT_EQ(readBytes(noHeader), "      WORKING-STORAGE SECTION.\r\n");
    EXPECT_EQ(readBytes(declined), "       WORKING-STORAGE SECTION.\r\n");
    EXPECT_FALSE(modified());
}

// The panel reads, inserts and writes on its own: the file keeps its form, and the result is
// the command-line tool's, whose tests cover the encodings and which is compiled in its own.
TEST_F(CodeViewTest, AppendMatchesTheCommandLineTool)
{
    // UTF-8 is not the encoding of a new text; the line ends are CR LF.
    const QByteArray bytes =
        "      * CAF\xC3\x89 \xC3\x91\r\n" + readBytes(examples + "CUSTRPT.cbl");
    const QString mine = path("mine.cbl"), theirs = path("theirs.cbl");
    writeBytes(mine, bytes);
    writeBytes(theirs, bytes);
    append(mine, {MessageAnswer::Yes, MessageAnswer::Ok});
    QProcess tool;
    tool.start(QStringLiteral(ORVANE_CLI_PATH), {"append", examples + "customer.qel", theirs});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    EXPECT_EQ(readBytes(mine), readBytes(theirs));
    EXPECT_EQ(platform.messages.shown.back(), appendDone);
    EXPECT_FALSE(modified());
}

} // namespace
} // namespace orvane::testing
