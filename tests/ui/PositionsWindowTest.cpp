// The compiler's positions in the window: the storage panel, Set Positions From Storage, the
// layout warnings of the Code View's check, and texts that follow the layout.
#include "MainWindowFixture.h"
#include "model/EntryRules.h"
#include "ui/CheckPanel.h"
#include "ui/CodeViewPanel.h"
#include "ui/EditorPanel.h"
#include "ui/FieldTreePanel.h"
#include "ui/TreeButtons.h"
#include "ui/UndoCommands.h"

#include <QTreeWidget>

namespace orvane::testing
{
namespace
{

// Tags by the Add button's rule, not the compiler's positions.
const std::vector<Row> kRecord = {
    {1, "01 REC.", "1:9"}, {2, "05 A PIC X(5).", "1:6"}, {2, "05 B PIC X(3).", "6:9"}};

class PositionsWindowTest : public MainWindowTest
{
protected:
    QString storage() { return window->stb()->storage(); }
    QAction *setPositions() { return child<QAction>("setPositionsFromStorage"); }
    // The Edit menu opens, so its entries follow the layout.
    void openEditMenu() { emit child<QMenu>("edit")->aboutToShow(); }
    QString selectedStatus() { return FieldsStatusText(tree().tag(view()->selectedNode())); }
};

TEST_F(PositionsWindowTest, StoragePanelAndSetPositionsFromStorage)
{
    openEditMenu();
    EXPECT_FALSE(setPositions()->isEnabled()) << "nothing to set in an empty layout";
    buildTagged(tree(), kRecord);
    select(QStringLiteral("05 B PIC X(3)."));
    EXPECT_EQ(storage(), u"Storage 6 To 8, 3 bytes");
    tree().setText(2, QStringLiteral("05 A PIC X(7)."));
    QCoreApplication::processEvents();
    EXPECT_EQ(storage(), u"Storage 8 To 10, 3 bytes") << "after a change of the layout";

    // One step sets every tag and marks the layout modified; undo takes it back whole.
    markSaved();
    openEditMenu();
    ASSERT_TRUE(setPositions()->isEnabled());
    const QString before = tagged(tree());
    setPositions()->trigger();
    EXPECT_EQ(tagged(tree()), u"01 REC.[1:10](05 A PIC X(7).[1:7],05 B PIC X(3).[8:10])");
    EXPECT_TRUE(modified());
    EXPECT_EQ(status(), u"Fields 8 To 10");
    window->undoCommands().undo();
    EXPECT_EQ(tagged(tree()), before);
}

TEST_F(PositionsWindowTest, CheckListsLayoutWarningsLinkedToTheFieldAndDropsStaleOnes)
{
    buildTagged(tree(), kRecord);
    setPositions()->trigger(); // exact positions asked for: tags are held to the storage
    select(QStringLiteral("05 A PIC X(5)."));
    platform.input.answers = {QStringLiteral("2:6")};
    window->stb_DblClick();
    window->tabGen_Click(1);
    CodeViewPanel *code = window->codeViewPanel();
    CheckPanel *panel = code->picCodeViewCheck();
    code->cmdCodeViewCheck_Click();
    QTRY_VERIFY_WITH_TIMEOUT(!panel->isRunning(), 2000);
    QTreeWidget *list = panel->lstCheck();
    // The group's span followed A's new tag.
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(2), u"REC: position tag 2:8 is not its storage 1:8");
    EXPECT_EQ(list->topLevelItem(1)->text(2), u"A: position tag 2:6 is not its storage 1:5");
    EXPECT_EQ(panel->statusText(), u"No errors or warnings. Layout: 2 warning(s).");
    view()->selectNode(1);
    emit list->itemDoubleClicked(list->topLevelItem(1), 0);
    EXPECT_EQ(view()->selectedNode(), 2);
    EXPECT_TRUE(child<QWidget>("picGenerator")->isVisible());

    // Back on the Code View with the same code the messages stay; an undo in the layout
    // takes them away.
    window->tabGen_Click(1);
    EXPECT_EQ(list->topLevelItemCount(), 2);
    window->undoCommands().undo();
    EXPECT_EQ(list->topLevelItemCount(), 0);

    // Another file in the Editor: the messages about the text before go.
    EditorPanel *editor = window->editorPanel();
    editor->txtEditor()->setPlainText(QStringLiteral("       01 A PIC X.\n"));
    editor->cmdEditorCheck_Click();
    QTRY_VERIFY_WITH_TIMEOUT(!editor->picEditorCheck()->isRunning(), 2000);
    EXPECT_FALSE(editor->picEditorCheck()->statusText().isEmpty());
    writeBytes(path("other.cbl"), "       01 B PIC X.\n");
    platform.messages.answers = {MessageAnswer::No};
    platform.files.answers = {path("other.cbl")};
    editor->cmdEditorOpen_Click();
    EXPECT_TRUE(editor->picEditorCheck()->statusText().isEmpty());
}

TEST_F(PositionsWindowTest, StatusAndExpandButtonFollowRemovePasteAndNew)
{
    buildTagged(tree(), kRecord);
    select(QStringLiteral("05 A PIC X(5)."));
    QTest::keyClick(view(), Qt::Key_Delete); // B is selected now
    EXPECT_EQ(status(), u"Fields 6 To 9");
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    select(QStringLiteral("01 REC."));
    window->stb()->setMessage(QStringLiteral("Done"));
    QTest::keyClick(view(), Qt::Key_V, Qt::ControlModifier); // a deeper level: a child
    EXPECT_EQ(tree().text(view()->selectedNode()), u"05 B PIC X(3).");
    EXPECT_NE(view()->selectedNode(), 2);
    EXPECT_EQ(status(), selectedStatus());

    TreeButtons *buttons = window->treePanel()->treeButtons();
    QTest::mouseClick(child<QPushButton>("cmdExpandCollaplse"), Qt::LeftButton);
    ASSERT_TRUE(buttons->offersCollapse());
    platform.messages.answers = {MessageAnswer::No};
    trigger("filenew");
    EXPECT_FALSE(buttons->offersCollapse());
    EXPECT_EQ(status(), QString());
    EXPECT_EQ(storage(), QString());
}

} // namespace
} // namespace orvane::testing
