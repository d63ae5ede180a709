// The Editor and Code View tabs, the check panel over both and the find and replace dialog,
// through the real window with the compiler, the file boxes and the answers scripted.
#include "ui/editor/EditorPanel.h"

#include "MainWindowFixture.h"
#include "project/ProjectFile.h"
#include "ui/dialogs/frmOptions.h"
#include "ui/editor/frmFind.h"
#include "ui/generator/CodeViewPanel.h"
#include "ui/generator/UndoCommands.h"
#include "ui/shared/CheckPanel.h"
#include "ui/shared/CodeEdit.h"

#include <QDialog>
#include <QProcess>
#include <QProgressBar>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTreeWidget>
#include <functional>

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
    void open(const QString &chosen) { click("cmdEditorOpen", {chosen}); }
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
    click("cmdEditorOpen", {}, {MessageAnswer::Cancel});
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

    click("cmdEditorSave", {target}, {MessageAnswer::Yes}); // no path: Save As
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
    // Asked even when the layout already keeps the window open; Cancel there leaves the "*".
    window->MarkModified();
    platform.messages.answers = {MessageAnswer::Cancel, MessageAnswer::No};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(panel()->isEmpty());
    platform.messages.answers = {MessageAnswer::No};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(platform.messages.shown,
              (std::vector<ShownMessage>{editorSaveQuestion, saveQuestion, editorSaveQuestion,
                                         saveQuestion}));
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

class FindTest : public MainWindowTest
{
protected:
    frmFind *dialog() { return window->findChild<frmFind *>(QStringLiteral("frmFind")); }
    template <typename T> T *control(const char *name)
    {
        return dialog()->findChild<T *>(QString::fromLatin1(name));
    }
    QPlainTextEdit *editor() { return window->editorPanel()->txtEditor(); }
    void openFind() { window->findChild<QAction *>(QStringLiteral("find"))->trigger(); }
    void setTexts(const QString &find, const QString &replace = {})
    {
        control<QComboBox>("cboFind")->setEditText(find);
        control<QComboBox>("cboReplace")->setEditText(replace);
    }
    void click(const char *button, std::initializer_list<MessageAnswer> answers = {})
    {
        MainWindowTest::click(button, {}, answers, dialog());
    }
    // 1-based first position and length of the selection, as the cases are written.
    std::pair<int, int> selection(QPlainTextEdit *box)
    {
        const QTextCursor c = box->textCursor();
        return {c.selectionStart() + 1, c.selectionEnd() - c.selectionStart()};
    }
    void editorText(const QString &text)
    {
        window->tabGen_Click(2);
        editor()->setPlainText(text);
        openFind();
    }
};

// The engine's cases are the core's (TextSearchTest); here each button and option reaches it.
TEST_F(FindTest, FindUpwardAndReplaceInTheEditor)
{
    editorText(QStringLiteral("MOVE A TO B. MOVE C TO D."));
    setTexts(QStringLiteral("move"), QStringLiteral("ADD"));
    // Enter in the find box presses the default button, Find.
    QTest::keyClick(control<QComboBox>("cboFind")->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(selection(editor()), std::make_pair(1, 4));
    click("cmdFind");
    EXPECT_EQ(selection(editor()), std::make_pair(14, 4));
    click("cmdFind", {MessageAnswer::Ok, MessageAnswer::Ok});
    EXPECT_EQ(platform.messages.shown.back(), plain("The search string was not found."));
    EXPECT_EQ(selection(editor()), std::make_pair(14, 4));
    // Upward, Replace changes the selection, then finds the next one up.
    control<QRadioButton>("optUp")->setChecked(true);
    click("cmdReplace");
    EXPECT_EQ(editor()->toPlainText(), u"MOVE A TO B. ADD C TO D.");
    EXPECT_EQ(selection(editor()), std::make_pair(1, 4));
    control<QCheckBox>("chkMatchCase")->setChecked(true);
    click("cmdReplace"); // "MOVE" is not "move"
    EXPECT_EQ(editor()->toPlainText(), u"ADD A TO B. ADD C TO D.");
    EXPECT_EQ(platform.messages.shown,
              std::vector<ShownMessage>(2, plain("The search string was not found.")));
}

// The dialog keeps a copy of the text between searches; every kind of edit must reach it.
TEST_F(FindTest, TheKeptTextFollowsEveryEdit)
{
    PlainTextCache kept;
    editor()->setPlainText(QStringLiteral("AB\nCD\u00A0\n"));
    const std::function<void()> edits[] = {
        [&] {
            QTest::keyClicks(editor(), QStringLiteral("x"));
            QTest::keyClick(editor(), Qt::Key_Return);
        },
        [&] {
            editor()->selectAll();
            QTest::keyClick(editor(), Qt::Key_Delete);
        },
        [&] { editor()->undo(); },
        [&] {
            editor()->moveCursor(QTextCursor::End);
            QTest::keyClick(editor(), Qt::Key_Backspace);
            QTest::keyClick(editor(), Qt::Key_Backspace);
        },
        [&] { editor()->insertPlainText(QStringLiteral("1\n2\n3")); },
        [&] { editor()->setPlainText(QStringLiteral("NEW")); },
        [&] { editor()->clear(); },
    };
    editor()->setFocus();
    for (const auto &edit : edits) {
        ASSERT_EQ(kept.text(editor()), plainText(editor()));
        edit();
    }
    EXPECT_EQ(kept.text(editor()), plainText(editor()));
}

TEST_F(FindTest, ReplaceAllCountsAndTakesOneUndo)
{
    editorText(QStringLiteral("aaa"));
    setTexts(QStringLiteral("a"), QStringLiteral("aa"));
    click("cmdReplaceAll", {MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::Ok});
    EXPECT_EQ(editor()->toPlainText(), u"aaaaaa");
    EXPECT_EQ(editor()->textCursor().position(), 6);
    setTexts(QStringLiteral("x"), QStringLiteral("y"));
    click("cmdReplaceAll");
    setTexts(QString(), QStringLiteral("y"));
    click("cmdReplaceAll");
    EXPECT_EQ(platform.messages.shown,
              (std::vector<ShownMessage>{plain("3 items replaced"), plain("0 items replaced"),
                                         plain("Please enter a value in Find field")}));
    // The find and replace texts of both runs stay in the list.
    EXPECT_EQ(control<QComboBox>("cboFind")->count(), 4);
    editor()->undo();
    EXPECT_EQ(editor()->toPlainText(), u"aaa");
}

TEST_F(FindTest, TypingNeverCompletesFromTheHistory)
{
    editorText(QStringLiteral("CUST-CITY CUST-"));
    setTexts(QStringLiteral("CUST-CITY"));
    click("cmdFind"); // into the history
    for (const char *box : {"cboFind", "cboReplace"}) {
        QComboBox *combo = control<QComboBox>(box);
        dialog()->activateWindow(); // typed with the focus in the box, as a user does
        combo->setFocus();
        QTest::qWait(20);
        combo->setEditText(QString());
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("CUST-"));
        EXPECT_EQ(combo->currentText(), u"CUST-") << box;
        combo->setCurrentIndex(-1); // a pick from the list is still a pick
        QTest::keyClick(combo, Qt::Key_Down);
        EXPECT_EQ(combo->currentText(), u"CUST-CITY") << box;
    }
}

TEST_F(FindTest, AnEmptyTreeHidesTheDialogEqualTextsDisableReplacingAndTabsRetarget)
{
    openFind();
    EXPECT_FALSE(dialog()->isVisible());
    for (const auto &[find, replace, enabled] :
         {std::tuple{"", "", false}, {"A", "A", false}, {"A", "a", true}}) {
        setTexts(QString::fromLatin1(find), QString::fromLatin1(replace));
        EXPECT_EQ(control<QPushButton>("cmdReplace")->isEnabled(), enabled) << find;
        EXPECT_EQ(control<QPushButton>("cmdReplaceAll")->isEnabled(), enabled) << find;
    }
    window->tabGen_Click(2);
    openFind();
    EXPECT_TRUE(dialog()->isVisible());
    window->tabGen_Click(0);
    EXPECT_FALSE(dialog()->isVisible());

    // With a field to find, every tab change retargets the dialog.
    addField(QStringLiteral("01"), QStringLiteral("CUST-REC"), QStringLiteral("4"));
    window->tabGen_Click(2);
    openFind();
    editor()->setPlainText(QStringLiteral("CUST-REC IN THE EDITOR"));
    setTexts(QStringLiteral("CUST-REC"));
    click("cmdFind");
    EXPECT_EQ(selection(editor()), std::make_pair(1, 8));

    // Which panel is searched is FindRules' table; here the dialog follows to the field tree,
    // where Up makes no sense.
    window->tabGen_Click(0);
    EXPECT_FALSE(control<QRadioButton>("optUp")->isEnabled());
    click("cmdFind");
    EXPECT_EQ(view()->selectedNode(), 1);

    // Escape hides the dialog.
    QTest::keyClick(control<QComboBox>("cboFind"), Qt::Key_Escape);
    EXPECT_FALSE(dialog()->isVisible());
}

TEST_F(FindTest, TreeModeFindsInDisplayOrderAndReplaces)
{
    build(tree(), {{1, "01 A-REC."}, {2, "05 A-KEY."}, {3, "10 A-KEY-X."}, {1, "01 B-KEY."}});
    openFind();
    setTexts(QStringLiteral("KEY"), QStringLiteral("ID"));
    click("cmdFind");
    EXPECT_EQ(view()->selectedNode(), 2);
    // Away from the hit, Replace only finds again.
    view()->selectNode(1);
    click("cmdReplace");
    EXPECT_EQ(view()->selectedNode(), 2);
    // The children of a hit are skipped by the next search.
    click("cmdFind");
    EXPECT_EQ(view()->selectedNode(), 4);
    EXPECT_FALSE(modified());
    // Replace changes the hit, then finds nothing further down.
    click("cmdReplace", {MessageAnswer::Ok});
    EXPECT_EQ(tree().text(4), u"01 B-ID.");
    EXPECT_TRUE(modified());

    control<QCheckBox>("chkWholeWord")->setChecked(true);
    click("cmdReplaceAll", {MessageAnswer::No}); // No: nothing happens
    EXPECT_EQ(tree().text(2), u"05 A-KEY.");
    click("cmdReplaceAll", {MessageAnswer::Yes, MessageAnswer::Ok});
    EXPECT_EQ(outline(tree()), u"01 A-REC.(05 A-ID.(10 A-ID-X.)),01 B-ID.");
    const ShownMessage question{
        QStringLiteral("During Replacement Find Whole Word Only option doesn't work"),
        QStringLiteral("Are you sure you want to continue?"), MessageButtons::YesNo,
        MessageIcon::Question};
    EXPECT_EQ(platform.messages.shown,
              (std::vector<ShownMessage>{plain("The search string was not found."), question,
                                         question, plain("Done")}));
}

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
        click("cmdCodeViewAppend", {}, answers);
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
              (std::vector<AskedFile>{{false, "Open", cobolFilter, "/p/cust.qel"},
                                      {false, "Open", cobolFilter, source}}));
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
