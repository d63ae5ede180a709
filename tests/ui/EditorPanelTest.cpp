// The Editor tab through the real window: its file commands with their prompts, files kept
// byte for byte, the caret status, the editor's step of closing the window, and the source
// boxes' column guides with their switch in the options window.
#include "ui/editor/EditorPanel.h"

#include "MainWindowFixture.h"
#include "ui/dialogs/frmOptions.h"
#include "ui/generator/CodeViewPanel.h"
#include "ui/shared/CodeEdit.h"

#include <QDialog>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

namespace orvane::testing
{
namespace
{

const ShownMessage editorSaveQuestion{QStringLiteral("Do you want to save the file?"),
                                      QStringLiteral("The Editor file is not saved"),
                                      MessageButtons::YesNoCancel, MessageIcon::Question};
const QString cobolFilter = QStringLiteral("Cobol Files (*.cbl);;All Files (*)");

class EditorTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window->tabGen_Click(2);
        window->dlgedit().fileName = QStringLiteral("/p/cust.qel");
    }
    EditorPanel *panel() { return window->editorPanel(); }
    QPlainTextEdit *editor() { return panel()->txtEditor(); }
    QString shownFile() { return panel()->txtEditorFile()->text(); }
    bool saveEnabled() { return panel()->cmdEditorSave()->isEnabled(); }
    void typeAtEnd(const QString &text)
    {
        editor()->setFocus();
        editor()->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor(), text);
    }
    void open(const QString &chosen)
    {
        platform.files.answers = {chosen};
        click("cmdEditorOpen");
    }
};

TEST_F(EditorTest, NewAsksOnlyForUnsavedWork)
{
    panel()->cmdEditorNew_Click(); // empty: nothing to ask

    typeAtEnd(QStringLiteral("MOVE"));
    // Yes without a path goes to Save As; cancelling it keeps everything.
    platform.messages.answers = {MessageAnswer::Yes};
    platform.files.answers = {QString()};
    panel()->cmdEditorNew_Click();
    // Cancel keeps it too, and Open then does not replace it.
    platform.messages.answers = {MessageAnswer::Cancel};
    click("cmdEditorOpen");
    EXPECT_EQ(editor()->toPlainText(), u"MOVE");
    // No drops it.
    platform.messages.answers = {MessageAnswer::No};
    panel()->cmdEditorNew_Click();
    EXPECT_TRUE(panel()->isEmpty());
    EXPECT_FALSE(saveEnabled());
    EXPECT_EQ(platform.messages.shown, std::vector<ShownMessage>(3, editorSaveQuestion));
}

TEST_F(EditorTest, OpenStartsAtTheLastAppendedFileAndReportsFilesThatCannotBeShown)
{
    const QString source = path("prog.cbl");
    writeBytes(source, "       PROCEDURE DIVISION.\r\n");
    setSetting("history", "lastappend", QStringLiteral("/src/last.cbl"));
    const FileDialogState project = window->dlgedit(); // the Open box borrows it
    open(source);
    EXPECT_EQ(platform.files.asked,
              (std::vector<AskedFile>{{false, "Open", cobolFilter, "/src/last.cbl"}}));
    EXPECT_EQ(shownFile(), source);
    EXPECT_FALSE(saveEnabled());
    EXPECT_EQ(window->dlgedit(), project);

    // Cancelling the box changes nothing.
    open(QString());
    EXPECT_EQ(shownFile(), u"");
    EXPECT_TRUE(editor()->toPlainText().isEmpty());

    const QString missing = path("gone.cbl");
    platform.messages.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    open(missing);
    // A missing file keeps its name: Save creates it.
    EXPECT_EQ(shownFile(), missing);
    EXPECT_TRUE(editor()->toPlainText().isEmpty());
    EXPECT_FALSE(saveEnabled());

    const QString binary = path("prog.exe");
    writeBytes(binary, QByteArray("MZ\0\0", 4));
    open(binary);
    // A file that is there but was refused loses its name, so Save cannot overwrite it.
    EXPECT_EQ(shownFile(), u"");
    EXPECT_EQ(readBytes(binary), QByteArray("MZ\0\0", 4));
    EXPECT_EQ(
        platform.messages.shown,
        (std::vector<ShownMessage>{critical("Error opening file " + missing),
                                   critical("Error opening file " + binary +
                                            ": it is not a text file (it holds NUL bytes)")}));
}

TEST_F(EditorTest, SaveAsAsksBeforeOverwritingSaveWritesDirectlyAndAFailureKeepsTheWork)
{
    const QString target = path("out.cbl");
    writeBytes(target, "OLD\r\n");
    typeAtEnd(QStringLiteral("NEW"));

    platform.messages.answers = {MessageAnswer::No};
    platform.files.answers = {target};
    EXPECT_FALSE(panel()->cmdeditorSaveAs_Click());
    EXPECT_EQ(readBytes(target), "OLD\r\n");
    EXPECT_EQ(shownFile(), u"");

    platform.messages.answers = {MessageAnswer::Yes};
    platform.files.answers = {target};
    click("cmdEditorSave"); // no path: Save As
    // A new text is CR LF, with its one final line end.
    EXPECT_EQ(readBytes(target), "NEW\r\n");
    EXPECT_FALSE(saveEnabled());

    typeAtEnd(QStringLiteral("2"));
    EXPECT_TRUE(panel()->cmdEditorSave_Click()); // to the file shown: no question, no box
    EXPECT_EQ(readBytes(target), "NEW2\r\n");
    EXPECT_EQ(platform.files.asked[1].fileName, u"");

    // A failed save keeps the work and the old file.
    QFile::setPermissions(target, QFileDevice::ReadOwner);
    typeAtEnd(QStringLiteral("X"));
    platform.messages.answers = {MessageAnswer::Ok};
    EXPECT_FALSE(panel()->cmdEditorSave_Click());
    EXPECT_TRUE(saveEnabled());
    EXPECT_EQ(readBytes(target), "NEW2\r\n");
    EXPECT_EQ(platform.messages.shown.back(),
              critical("Error saving file " + target + ": the file is read only"));
}

TEST_F(EditorTest, FilesComeBackByteForByte)
{
    // LF and Windows-1252 are not what a new text gets, so the file's own form must be kept;
    // a non-breaking space stays one (a plain text copy of the box would make it a blank).
    const QByteArray bytes("A\xA0\x42\n");
    const QString target = path("t.cbl");
    writeBytes(target, bytes);
    open(target);
    // Typing a character and taking it back marks the text modified but changes nothing.
    typeAtEnd(QStringLiteral("x"));
    QTest::keyClick(editor(), Qt::Key_Backspace);
    ASSERT_TRUE(panel()->cmdEditorSave_Click());
    EXPECT_EQ(readBytes(target), bytes);
}

TEST_F(EditorTest, StatusShowsLineColumnAndSelection)
{
    editor()->setPlainText(QStringLiteral("AB\nCDEF\n"));
    editor()->setFocus();
    EXPECT_EQ(window->ActiveControl(), editor()); // the Edit menu's cut, copy and paste use it
    QTextCursor cursor = editor()->textCursor();
    cursor.setPosition(5); // after "CD"
    editor()->setTextCursor(cursor);
    QTest::keyRelease(editor(), Qt::Key_Right);
    EXPECT_EQ(status(), u"Line: 2  Col: 3  Sel: 0");
    // Shift+Right selects one character: the status tells where the selection starts.
    QTest::keyClick(editor(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(status(), u"Line: 2  Col: 3  Sel: 1");
    QTest::mouseClick(editor()->viewport(), Qt::LeftButton, {},
                      editor()->cursorRect(QTextCursor(editor()->document())).center());
    EXPECT_EQ(status(), u"Line: 1  Col: 1  Sel: 0");
}

TEST_F(EditorTest, ClosingTheWindowOffersToSaveTheEditorsWork)
{
    typeAtEnd(QStringLiteral("X"));
    platform.messages.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(editor()->toPlainText(), u"X");
    ASSERT_NE(window->findChild<QDialog *>(QStringLiteral("frmFind")), nullptr);
    platform.messages.answers = {MessageAnswer::No};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(platform.messages.shown, std::vector<ShownMessage>(2, editorSaveQuestion));
    // The find dialog goes with the window.
    EXPECT_EQ(window->findChild<QDialog *>(QStringLiteral("frmFind")), nullptr);
}

// Where the text really puts the start of 1-based column `column` + 1 in the box.
qreal textX(CodeEdit *box, int column)
{
    QTextCursor cursor(box->document()->firstBlock());
    cursor.setPosition(column);
    return box->cursorRect(cursor).left();
}

TEST_F(EditorTest, GuidesStandWhereTheTextsColumnsBeginForEachFontSize)
{
    CodeEdit *box = window->editorPanel()->txtEditor();
    box->setPlainText(QString(100, u'X'));
    qreal previous = 0;
    for (int points : {9, 18}) {
        QFont font = box->font();
        font.setPointSize(points);
        box->setFont(font);
        for (int column : {6, 7, 11, 72})
            EXPECT_NEAR(box->guideX(column), textX(box, column), 1.0)
                << points << " pt, column " << column;
        EXPECT_GT(box->guideX(72), previous * 1.5) << "a larger font moves the guides out";
        previous = box->guideX(72);
    }
}

TEST_F(EditorTest, TheOptionsWindowSwitchesTheGuidesOffInBothBoxesAndKeepsTheChoice)
{
    child<QAction>("options")->trigger();
    auto *guides = child<QCheckBox>("chkColumnGuides", window->optionsWindow());
    ASSERT_NE(guides, nullptr);
    EXPECT_TRUE(guides->isChecked()) << "on unless switched off";
    guides->setChecked(false);
    QTest::mouseClick(child<QPushButton>("cmdOK", window->optionsWindow()), Qt::LeftButton);
    EXPECT_FALSE(window->editorPanel()->txtEditor()->columnGuides());
    EXPECT_FALSE(window->codeViewPanel()->txtCodeView()->columnGuides());

    // A new window starts with the stored choice, given to both boxes as above.
    window.reset();
    start();
    EXPECT_FALSE(window->editorPanel()->txtEditor()->columnGuides());
}

bool coloured(const QTextBlock &block)
{
    return !block.layout()->formats().isEmpty();
}

TEST_F(EditorTest, AWholeFileIsColouredAsItsLinesComeIntoView)
{
    CodeEdit *box = window->editorPanel()->txtEditor();
    QString text;
    for (int i = 0; i < 5000; ++i)
        text += QStringLiteral("       01 WS-ITEM-%1 PIC X(10).\n").arg(i);
    box->setPlainText(text);
    box->viewport()->repaint();
    QTextDocument *document = box->document();
    EXPECT_TRUE(coloured(document->findBlockByNumber(0))) << "the lines in view";
    EXPECT_FALSE(coloured(document->findBlockByNumber(4000))) << "lines out of view wait";

    box->verticalScrollBar()->setValue(4000);
    box->viewport()->repaint();
    EXPECT_TRUE(coloured(document->findBlockByNumber(4000)));

    // Small edits are coloured at once, wherever they are.
    QTextCursor far(document->findBlockByNumber(100));
    far.insertText(QStringLiteral("      * NOTE\n"));
    EXPECT_TRUE(coloured(document->findBlockByNumber(100)));
}

} // namespace
} // namespace orvane::testing
