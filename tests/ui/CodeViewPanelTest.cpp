// The Code View's copy and append through the real window, with scripted boxes (append is
// checked against the command-line tool), and GnuCOBOL's check from the Editor and the Code
// View, with the compiler scripted.
#include "ui/generator/CodeViewPanel.h"

#include "MainWindowFixture.h"
#include "project/ProjectFile.h"
#include "ui/editor/EditorPanel.h"
#include "ui/generator/UndoCommands.h"
#include "ui/shared/CheckPanel.h"

#include <QProcess>
#include <QProgressBar>
#include <QTreeWidget>

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
    void append(const QString &path, std::initializer_list<MessageAnswer> answers)
    {
        pathBox()->setText(path);
        platform.messages.answers = answers;
        click("cmdCodeViewAppend");
    }
};

TEST_F(CodeViewTest, CopyPutsTheCodeOnTheClipboardWithLf)
{
    click("cmdCodeViewCopy");
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
    click("cmdCodeViewBrowse", {source, QString()});
    // The next box starts there, as it was remembered; a cancel leaves the path as it was.
    click("cmdCodeViewBrowse");
    EXPECT_EQ(platform.files.asked,
              (std::vector<AskedFile>{
                  {false, "Open", "Cobol Files (*.cbl);;All Files (*)", "/p/cust.qel"},
                  {false, "Open", "Cobol Files (*.cbl);;All Files (*)", source}}));
    EXPECT_EQ(pathBox()->text(), source);
    EXPECT_EQ(window->dlgedit().fileName, u"/p/cust.qel");

    type(pathBox(), dir.path());
    EXPECT_EQ(setting("history", "lastappend"), source);
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

class CheckPanelTest : public MainWindowTest
{
protected:
    void waitForCheck(CheckPanel *panel) { QTRY_VERIFY_WITH_TIMEOUT(!panel->isRunning(), 2000); }
    QStringList row(CheckPanel *panel, int index)
    {
        QTreeWidgetItem *item = panel->lstCheck()->topLevelItem(index);
        return item ? QStringList{item->text(0), item->text(1), item->text(2)} : QStringList{};
    }
};

const QString TwoErrors = QStringLiteral("       IDENTIFICATION DIVISION.\n"
                                         "       PROGRAM-ID. T.\n"
                                         "       DATA DIVISION.\n"
                                         "       WORKING-STORAGE SECTION.\n"
                                         "       01 A PIC X(3 .\n"
                                         "       PROCEDURE DIVISION.\n"
                                         "           MOVE C TO A.\n");

TEST_F(CheckPanelTest, EditorCheckListsBothErrorsAndADoubleClickMovesTheCaretToOne)
{
    EditorPanel *editor = window->editorPanel();
    editor->txtEditor()->setPlainText(TwoErrors);
    platform.compiler.output = QStringLiteral("check.cbl:5: error: unbalanced parentheses\n"
                                              "check.cbl: in paragraph 'MAIN':\n"
                                              "check.cbl:7: error: 'C' is not defined\n");
    platform.compiler.exitStatus = 1;
    click("cmdEditorCheck");
    CheckPanel *panel = editor->picEditorCheck();
    waitForCheck(panel);

    ASSERT_EQ(platform.compiler.runs.size(), 1u);
    const auto &run = platform.compiler.runs.front();
    EXPECT_EQ(run.program, "cobc");
    EXPECT_EQ(run.source, TwoErrors) << "the compiler reads the text as it stands";
    ASSERT_EQ(panel->lstCheck()->topLevelItemCount(), 2);
    EXPECT_EQ(row(panel, 1), (QStringList{"7", "error", "'C' is not defined"}));
    EXPECT_EQ(panel->statusText(), "2 errors, 0 warnings.");

    QTreeWidgetItem *second = panel->lstCheck()->topLevelItem(1);
    emit panel->lstCheck()->itemDoubleClicked(second, 0);
    const QTextCursor caret = editor->txtEditor()->textCursor();
    EXPECT_EQ(caret.blockNumber(), 6);
    EXPECT_EQ(caret.positionInBlock(), 11) << "on the statement, past the margin";
}

TEST_F(CheckPanelTest, CodeViewCheckWrapsTheItemsAndShowsTheirOwnLines)
{
    CodeViewPanel *codeView = window->codeViewPanel();
    codeView->showCode(QStringLiteral("      * REC\n       01 REC.\n           05 A PIC X(3.\n"));
    // The wrapper's four header lines come first.
    platform.compiler.output = QStringLiteral("generated.cbl:7: error: unbalanced parentheses\n");
    platform.compiler.exitStatus = 1;
    codeView->cmdCodeViewCheck_Click();
    CheckPanel *panel = codeView->picCodeViewCheck();
    waitForCheck(panel);
    ASSERT_EQ(platform.compiler.runs.size(), 1u);
    EXPECT_TRUE(platform.compiler.runs.front().source.contains(
        "WORKING-STORAGE SECTION.\n      * REC\n       01 REC."));
    EXPECT_EQ(row(panel, 0), (QStringList{"3", "error", "unbalanced parentheses"}));
}

TEST_F(CheckPanelTest, AMissingCompilerIsExplainedOnceWithThePackageToInstall)
{
    platform.compiler.mode = ScriptedCompiler::Mode::Absent;
    platform.messages.answers.push_back(MessageAnswer::Ok);
    CheckPanel *panel = window->editorPanel()->picEditorCheck();
    for (int i = 0; i < 2; ++i) {
        window->editorPanel()->cmdEditorCheck_Click();
        waitForCheck(panel);
    }
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    const ShownMessage &shown = platform.messages.shown.front();
    EXPECT_TRUE(shown.text.contains("\"cobc\" was not found")) << shown.text.toStdString();
    EXPECT_TRUE(shown.text.contains("gnucobol")) << shown.text.toStdString();
    EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
    EXPECT_EQ(panel->statusText(), "\"cobc\" was not found: install the package gnucobol.");
}

TEST_F(CheckPanelTest, F7StartsACheckThatCancelStopsWithoutLeavingAProcess)
{
    platform.compiler.mode = ScriptedCompiler::Mode::Slow;
    window->tabGen_Click(2);
    EditorPanel *editor = window->editorPanel();
    editor->txtEditor()->setFocus();
    QTest::keyClick(editor->txtEditor(), Qt::Key_F7);
    CheckPanel *panel = editor->picEditorCheck();
    ASSERT_TRUE(panel->isRunning());
    EXPECT_EQ(platform.compiler.running, 1);
    EXPECT_TRUE(panel->findChild<QProgressBar *>("prgCheck")->isVisible());

    QTest::mouseClick(panel->findChild<QPushButton *>("cmdCheckCancel"), Qt::LeftButton);
    EXPECT_EQ(platform.compiler.running, 0);
    EXPECT_FALSE(panel->findChild<QProgressBar *>("prgCheck")->isVisible());
    EXPECT_EQ(panel->statusText(), "Check cancelled.");

    // Closing the window during a check stops it too.
    editor->cmdEditorCheck_Click();
    EXPECT_EQ(platform.compiler.running, 1);
    editor->txtEditor()->clear();
    window.reset();
    EXPECT_EQ(platform.compiler.running, 0);
}

TEST_F(CheckPanelTest, SetPositionsFromStorageAndTheLayoutWarningsLinkedToTheField)
{
    emit child<QMenu>("edit")->aboutToShow();
    EXPECT_FALSE(child<QAction>("setPositionsFromStorage")->isEnabled()) << "empty layout";
    buildTagged(
        tree(),
        {{1, "01 REC.", "1:9"}, {2, "05 A PIC X(5).", "1:6"}, {2, "05 B PIC X(3).", "6:9"}});
    select(QStringLiteral("05 B PIC X(3)."));
    tree().setText(2, QStringLiteral("05 A PIC X(7)."));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->stb()->storage(), u"Storage 8 To 10, 3 bytes") << "after the change";
    markSaved();
    const QString before = tagged(tree());
    emit child<QMenu>("edit")->aboutToShow();
    trigger("setPositionsFromStorage");
    EXPECT_EQ(tagged(tree()), u"01 REC.[1:10](05 A PIC X(7).[1:7],05 B PIC X(3).[8:10])");
    EXPECT_TRUE(modified());

    platform.input.answers = {QStringLiteral("9:11")};
    window->stb_DblClick(); // a tag typed by hand, once exact positions were asked for
    window->tabGen_Click(1);
    CheckPanel *panel = window->codeViewPanel()->picCodeViewCheck();
    window->codeViewPanel()->cmdCodeViewCheck_Click();
    waitForCheck(panel);
    ASSERT_EQ(panel->lstCheck()->topLevelItemCount(), 2); // REC's span followed B's tag
    EXPECT_EQ(row(panel, 1), (QStringList{"", "warning",
                                          "B: position tag 9:11 is not its "
                                          "storage 8:10"}));
    view()->selectNode(1);
    emit panel->lstCheck()->itemDoubleClicked(panel->lstCheck()->topLevelItem(1), 0);
    EXPECT_EQ(view()->selectedNode(), 3);
    window->undoCommands().undo(); // the layout the messages were about is gone
    EXPECT_EQ(panel->lstCheck()->topLevelItemCount(), 0);
    window->undoCommands().undo(); // Set Positions From Storage, in one step
    EXPECT_EQ(tagged(tree()), before);
}

} // namespace
} // namespace orvane::testing
