// GnuCOBOL's check from the Editor and the Code View, with the compiler scripted.
#include "ui/shared/CheckPanel.h"
#include "MainWindowFixture.h"
#include "ui/generator/CodeViewPanel.h"
#include "ui/editor/EditorPanel.h"
#include "ui/generator/UndoCommands.h"

#include <QProgressBar>
#include <QTreeWidget>

namespace orvane::testing
{
namespace
{

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
    QTest::mouseClick(child<QPushButton>("cmdEditorCheck"), Qt::LeftButton);
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
