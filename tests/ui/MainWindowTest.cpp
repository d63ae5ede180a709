#include "MainWindowFixture.h"
#include "codegen/CodeGenerator.h"
#include "model/EntryRules.h"
#include "ui/CodeViewPanel.h"
#include "ui/FieldTreePanel.h"

#include "../common/TreeText.h"

#include <QAction>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTextDocument>
#include <QWheelEvent>

using namespace orvane;
using orvane::testing::MainWindowTest;
using orvane::testing::outline;
using orvane::testing::ShownMessage;

namespace
{

const ShownMessage addAsChild{QStringLiteral("Add as child?"), QStringLiteral("Exception"),
                              MessageButtons::YesNoCancel, MessageIcon::Question};
const ShownMessage invalidLevel{QStringLiteral("Are you sure you want to continue?"),
                                QStringLiteral("Level Number Is Invalid"), MessageButtons::YesNo,
                                MessageIcon::Exclamation};

} // namespace

TEST_F(MainWindowTest, FrameMenusTabsAndStatusBar)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Orvane []"));
    struct Entry {
        const char *name;
        QString caption;
        QString shortcut;
    };
    const Entry entries[] = {
        {"filenew", "New", "Ctrl+N"},
        {"fileopen", "Open...", "Ctrl+O"},
        {"import", "Import...", ""},
        {"Save", "Save", "Ctrl+S"},
        {"SaveAs", "Save As...", "Ctrl+A"},
        {"exit", "E&xit", ""},
        {"cut", "Cut\tCtrl+X", ""},
        {"copy", "Copy\tCtrl+C", ""},
        {"paste", "Paste\tCtrl+V", ""},
        {"viewTreeViewclipboard", "View TreeView clipboard", ""},
        {"find", "Find...", "Ctrl+F"},
        {"options", "Options...", ""},
        {"About", "&About...", ""},
    };
    for (const Entry &e : entries) {
        auto *action = child<QAction>(e.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), e.caption) << e.name;
        EXPECT_EQ(action->shortcut().toString(), e.shortcut) << e.name;
    }
    EXPECT_EQ(child<QMenu>("file")->title(), QStringLiteral("&File"));
    EXPECT_EQ(child<QMenu>("edit")->title(), QStringLiteral("&Edit"));
    EXPECT_EQ(child<QMenu>("help")->title(), QStringLiteral("&Help"));

    auto *tabs = child<QTabBar>("tabGen");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Generator"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Code View"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Editor"));
    EXPECT_TRUE(child<QWidget>("picGenerator")->isVisible());
    EXPECT_FALSE(child<QWidget>("picCodeView")->isVisible());

    EXPECT_EQ(window->stb()->panel(1)->toolTip(), QStringLiteral("Double Click To Edit"));
    EXPECT_FALSE(window->stb()->panel(5)->text().isEmpty()); // the time of day

    // The window does not shrink below 10965 x 4500 twips.
    window->resize(100, 100);
    EXPECT_GE(window->width(), window->logicalDpiX() * 10965 / 1440);
    EXPECT_GE(window->height(), window->logicalDpiY() * 4500 / 1440);
}

TEST_F(MainWindowTest, AddingPlacesFieldsByTheirLevels)
{
    addField(QStringLiteral("01"), QStringLiteral("A"));
    addField(QStringLiteral("05"), QStringLiteral("B"));
    addField(QStringLiteral("05"), QStringLiteral("C"));
    addField(QStringLiteral("10"), QStringLiteral("D"));
    addField(QStringLiteral("05"), QStringLiteral("E")); // climbs from D to C
    addField(QStringLiteral("01"), QStringLiteral("F"));
    EXPECT_EQ(outline(tree()), QStringLiteral("01 A.(05 B.,05 C.(10 D.),05 E.),01 F."));
    EXPECT_EQ(view()->selectedNode(), tree().count());
    EXPECT_TRUE(modified());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Orvane []*"));
    // The focus goes back to the level box, its text selected.
    EXPECT_EQ(QApplication::focusWidget(), box("txtFieldLevel"));
    EXPECT_EQ(box("txtFieldLevel")->selectedText(), QStringLiteral("01"));

    // 01 A / 10 B / 15 C, then 05: climbs to the top, since 01 is not above 05.
    addField(QStringLiteral("10"), QStringLiteral("G"));
    addField(QStringLiteral("15"), QStringLiteral("H"));
    addField(QStringLiteral("05"), QStringLiteral("I"));
    EXPECT_EQ(outline(tree()),
              QStringLiteral("01 A.(05 B.,05 C.(10 D.),05 E.),01 F.(10 G.(15 H.)),05 I."));
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(MainWindowTest, SelectionDecidesTheCurrentFieldAndWithoutOneTheLastAdded)
{
    // A top-level 77 after a top-level 77 has no parent to climb to, so it becomes a child.
    addField(QStringLiteral("77"), QStringLiteral("X"));
    addField(QStringLiteral("77"), QStringLiteral("Y"));
    EXPECT_EQ(outline(tree()), QStringLiteral("77 X.(77 Y.)"));
    addField(QStringLiteral("01"), QStringLiteral("A")); // climbs from Y to X, then after X
    addField(QStringLiteral("05"), QStringLiteral("B"));
    addField(QStringLiteral("10"), QStringLiteral("C"));
    clickNode(3);
    addField(QStringLiteral("05"), QStringLiteral("D")); // child of the selected A, after B
    view()->clearSelection();
    addField(QStringLiteral("10"), QStringLiteral("E")); // current is D, the last added
    EXPECT_EQ(outline(tree()), QStringLiteral("77 X.(77 Y.),01 A.(05 B.(10 C.),05 D.(10 E.))"));
}

TEST_F(MainWindowTest, Level88AsksWhetherToAddAsChild)
{
    addField(QStringLiteral("01"), QStringLiteral("A"));
    addField(QStringLiteral("05"), QStringLiteral("B"));
    platform.messages.answers = {MessageAnswer::Yes, MessageAnswer::No};
    addField(QStringLiteral("88"), QStringLiteral("Y"));
    clickNode(2);
    addField(QStringLiteral("88"), QStringLiteral("N"));
    EXPECT_EQ(outline(tree()), QStringLiteral("01 A.(05 B.(88 Y.),88 N.)"));
    ASSERT_EQ(platform.messages.shown.size(), 2u);
    EXPECT_EQ(platform.messages.shown[0], addAsChild);
    EXPECT_EQ(platform.messages.shown[1], addAsChild);
}

TEST_F(MainWindowTest, CancelOnTheLevel88QuestionChangesNothing)
{
    platform.messages.answers = {MessageAnswer::Cancel};
    addField(QStringLiteral("88"), QStringLiteral("Y"));
    EXPECT_EQ(tree().count(), 0);
    EXPECT_FALSE(modified());
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0], addAsChild);
}

TEST_F(MainWindowTest, InvalidLevelsNeedConfirmation)
{
    addField(QStringLiteral("01"), QStringLiteral("A"));
    addField(QStringLiteral("05"), QStringLiteral("B"));
    platform.messages.answers = {MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::Yes};
    addField(QStringLiteral("50"), QStringLiteral("N"));
    EXPECT_EQ(tree().count(), 2);
    addField(QStringLiteral("66"), QStringLiteral("R")); // placed as a valid level would be
    EXPECT_EQ(outline(tree()), QStringLiteral("01 A.(05 B.(66 R.))"));
    // An empty level box is level 00: it climbs to the top and follows A.
    addField(QString(), QStringLiteral("Z"));
    EXPECT_EQ(outline(tree()), QStringLiteral("01 A.(05 B.(66 R.)),00 Z."));
    ASSERT_EQ(platform.messages.shown.size(), 3u);
    for (const ShownMessage &m : platform.messages.shown)
        EXPECT_EQ(m, invalidLevel);
}

TEST_F(MainWindowTest, NewFieldsGetPositionsAndGroupsTheirSpans)
{
    addField(QStringLiteral("01"), QStringLiteral("GROUP"), QStringLiteral("0"));
    EXPECT_EQ(tree().tag(1), QStringLiteral("1:0"));
    addField(QStringLiteral("05"), QStringLiteral("A"), QStringLiteral("5"));
    EXPECT_EQ(tree().tag(2), QStringLiteral("1:6"));
    EXPECT_EQ(tree().tag(1), QStringLiteral("1:6"));
    addField(QStringLiteral("05"), QStringLiteral("B"), QStringLiteral("3"));
    EXPECT_EQ(tree().tag(3), QStringLiteral("6:9"));
    EXPECT_EQ(tree().tag(1), QStringLiteral("1:9"));
    addField(QStringLiteral("01"), QStringLiteral("NEXT"), QStringLiteral("4"));
    EXPECT_EQ(tree().tag(4), QStringLiteral("10:13"));
}

TEST_F(MainWindowTest, ByPositionsTheFromBoxMovesOnAfterAnAdd)
{
    QTest::mouseClick(child<QRadioButton>("OptRecordSizeByPos"), Qt::LeftButton);
    box("txtFieldFromPos")->setText(QStringLiteral("1"));
    box("txtFieldToPos")->setText(QStringLiteral("10"));
    box("txtFieldName")->setText(QStringLiteral("A"));
    QTest::mouseClick(child<QPushButton>("cmdAdd"), Qt::LeftButton);
    EXPECT_EQ(tree().tag(1), QStringLiteral("1:10"));
    EXPECT_EQ(box("txtFieldFromPos")->text(), QStringLiteral("11"));
    EXPECT_EQ(box("txtFieldToPos")->text(), QString());
    // A one-byte field leaves From as it is; nothing stops From beyond To.
    box("txtFieldToPos")->setText(QStringLiteral("11"));
    QTest::mouseClick(child<QPushButton>("cmdAdd"), Qt::LeftButton);
    EXPECT_EQ(box("txtFieldFromPos")->text(), QStringLiteral("11"));
    box("txtFieldFromPos")->setText(QStringLiteral("12"));
    box("txtFieldToPos")->setText(QStringLiteral("8"));
    QTest::keyClick(box("txtFieldName"), Qt::Key_Return); // Enter adds: Add is the default
    EXPECT_EQ(tree().tag(3), QStringLiteral("12:8"));
}

TEST_F(MainWindowTest, ClickingAFieldShowsItsPositionsAndSetsTheFillerButtons)
{
    addField(QStringLiteral("01"), QStringLiteral("A"), QStringLiteral("10"));
    auto *subitems = child<QPushButton>("cmdAutoInsertFiller");
    auto *sameLevel = child<QPushButton>("autoInsertFillerForSameLevel");
    clickNode(1);
    EXPECT_EQ(status(), QStringLiteral("Fields 1 To 10"));
    EXPECT_FALSE(subitems->isEnabled());
    EXPECT_FALSE(sameLevel->isEnabled()); // the only top-level field

    addField(QStringLiteral("01"), QStringLiteral("B"), QStringLiteral("5"));
    addField(QStringLiteral("05"), QStringLiteral("C"), QStringLiteral("5"));
    clickNode(2);
    EXPECT_EQ(status(), QStringLiteral("Fields 11 To 16"));
    EXPECT_TRUE(subitems->isEnabled());
    EXPECT_TRUE(sameLevel->isEnabled());
    tree().setTag(3, QString());
    clickNode(3);
    EXPECT_EQ(status(), QStringLiteral("Fields  To "));
    EXPECT_FALSE(subitems->isEnabled());
    EXPECT_FALSE(sameLevel->isEnabled());
}

namespace
{

// Sends the drag events of a field dropped onto `to` carrying `payload` (the offscreen
// platform runs no real drag: QDrag::exec returns at once).
void dropAt(QWidget *viewport, QPoint to, const QByteArray &payload)
{
    QMimeData mime;
    mime.setData(QString::fromLatin1(FieldTreeView::mimeType()), payload);
    QDragEnterEvent enter(to, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(to, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QDropEvent drop(QPointF(to), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
}

} // namespace

TEST_F(MainWindowTest, DraggingAFieldOntoAnotherMakesItAChild)
{
    addField(QStringLiteral("01"), QStringLiteral("A"), QStringLiteral("4"));
    addField(QStringLiteral("05"), QStringLiteral("B"), QStringLiteral("3"));
    addField(QStringLiteral("01"), QStringLiteral("C"), QStringLiteral("2"));
    const QString before = tree().tag(3);
    const QPoint from = nodeCentre(3);
    const QPoint to = nodeCentre(2);
    QTest::mousePress(view()->viewport(), Qt::LeftButton, {}, from);
    EXPECT_EQ(view()->dragNode(), 3);
    dropAt(view()->viewport(), to, view()->dragPayload());
    QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, to);
    EXPECT_EQ(outline(tree()), QStringLiteral("01 A.(05 B.(01 C.))"));
    // The dropped field keeps its tag; its new ancestors span it.
    EXPECT_EQ(tree().tag(3), before);
    EXPECT_EQ(tree().tag(2), before);
    EXPECT_EQ(TagTo(tree().tag(1)), TagTo(before));
    EXPECT_EQ(view()->dragNode(), 0);
    EXPECT_EQ(view()->dropHighlight(), 0);
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(MainWindowTest, DroppingAParentIntoItsChildIsRefused)
{
    addField(QStringLiteral("01"), QStringLiteral("A"));
    addField(QStringLiteral("05"), QStringLiteral("B"));
    addField(QStringLiteral("10"), QStringLiteral("C"));
    window->setWindowTitle(QStringLiteral("Orvane []"));
    platform.messages.answers = {MessageAnswer::Ok};
    const QPoint from = nodeCentre(1);
    const QPoint to = nodeCentre(3);
    QTest::mousePress(view()->viewport(), Qt::LeftButton, {}, from);
    dropAt(view()->viewport(), to, view()->dragPayload());
    QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, to);
    EXPECT_EQ(outline(tree()), QStringLiteral("01 A.(05 B.(10 C.))"));
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0],
              (ShownMessage{QStringLiteral("Can't drop the parent into the child"),
                            QStringLiteral("Orvane"), MessageButtons::Ok, MessageIcon::None}));
    EXPECT_FALSE(modified());

    // A right-button press remembers nothing, so a drop moves nothing.
    QTest::mousePress(view()->viewport(), Qt::RightButton, {}, nodeCentre(3));
    EXPECT_EQ(view()->dragNode(), 0);
    QTest::mouseMove(view()->viewport(), nodeCentre(1));
    QTest::mouseRelease(view()->viewport(), Qt::RightButton, {}, nodeCentre(1));
    EXPECT_EQ(outline(tree()), QStringLiteral("01 A.(05 B.(10 C.))"));
}

TEST_F(MainWindowTest, ADragEndingOnItselfOrNowhereIsAClick)
{
    addField(QStringLiteral("01"), QStringLiteral("A"), QStringLiteral("4"));
    addField(QStringLiteral("05"), QStringLiteral("B"), QStringLiteral("3"));
    addField(QStringLiteral("01"), QStringLiteral("C"), QStringLiteral("2"));
    window->setWindowTitle(QStringLiteral("Orvane []"));
    window->stb()->setMessage(QString());
    auto *subitems = child<QPushButton>("cmdAutoInsertFiller");
    // A press that slips by a pixel on A starts a drag; offscreen it ends at once, dropped
    // nowhere: the tree stays and A counts as clicked.
    const QPoint a = nodeCentre(1);
    QTest::mousePress(view()->viewport(), Qt::LeftButton, {}, a);
    QTest::mouseMove(view()->viewport(), a + QPoint(1, 0));
    QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, a + QPoint(1, 0));
    EXPECT_EQ(outline(tree()), QStringLiteral("01 A.(05 B.),01 C."));
    EXPECT_EQ(status(), FieldsStatusText(tree().tag(1)));
    EXPECT_TRUE(subitems->isEnabled());
    EXPECT_EQ(view()->dragNode(), 0);

    // Dropped back onto itself: C counts as clicked; onto another node it does not.
    view()->finishDrag(3, 3);
    EXPECT_EQ(status(), FieldsStatusText(tree().tag(3)));
    EXPECT_FALSE(subitems->isEnabled());
    window->stb()->setMessage(QString());
    view()->finishDrag(3, 2);
    EXPECT_EQ(status(), QString());
    EXPECT_EQ(outline(tree()), QStringLiteral("01 A.(05 B.),01 C."));
    EXPECT_FALSE(modified());
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(MainWindowTest, DropsFromOutsideTheTreeAreIgnored)
{
    addField(QStringLiteral("01"), QStringLiteral("A"));
    addField(QStringLiteral("01"), QStringLiteral("B"));
    QTest::mousePress(view()->viewport(), Qt::LeftButton, {}, nodeCentre(1));
    dropAt(view()->viewport(), nodeCentre(2), QByteArray("1"));
    orvane::testing::ScriptedPlatform other;
    frmQEL second(other.seams());
    dropAt(view()->viewport(), nodeCentre(2), second.trvFields()->dragPayload());
    QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, nodeCentre(1));
    EXPECT_EQ(outline(tree()), QStringLiteral("01 A.,01 B."));
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(MainWindowTest, TreeKeysReachTheirHooks)
{
    addField(QStringLiteral("01"), QStringLiteral("A"));
    int deletes = 0, copies = 0, cuts = 0, pastes = 0;
    QObject::connect(view(), &FieldTreeView::deletePressed, [&] { ++deletes; });
    QObject::connect(view(), &FieldTreeView::copyPressed, [&] { ++copies; });
    QObject::connect(view(), &FieldTreeView::cutPressed, [&] { ++cuts; });
    QObject::connect(view(), &FieldTreeView::pastePressed, [&] { ++pastes; });
    // Once A is deleted, copy, cut and paste find nothing and say so.
    platform.messages.answers = {MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::Ok};
    QTest::keyClick(view(), Qt::Key_Delete);
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(view(), Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(view(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(deletes, 1);
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(cuts, 1);
    EXPECT_EQ(pastes, 1);
    view()->setFocus();
    EXPECT_EQ(window->ActiveControl(), view());
}

TEST_F(MainWindowTest, DoubleClickingTheStatusBarEditsThePositions)
{
    // No selected field: no dialog (an unexpected one would fail the test).
    QTest::mouseDClick(window->stb()->panel(1), Qt::LeftButton);
    EXPECT_TRUE(platform.input.asked.empty());

    addField(QStringLiteral("01"), QStringLiteral("A"), QStringLiteral("0"));
    addField(QStringLiteral("05"), QStringLiteral("B"), QStringLiteral("5"));
    window->setWindowTitle(QStringLiteral("Orvane []"));
    platform.input.answers = {QStringLiteral("  3:7 "), QStringLiteral("   "), QString()};
    QTest::mouseDClick(window->stb()->panel(3), Qt::LeftButton);
    ASSERT_EQ(platform.input.asked.size(), 1u);
    EXPECT_EQ(platform.input.asked[0].title, QStringLiteral("Edit Fields (From:To) "));
    EXPECT_EQ(platform.input.asked[0].defaultAnswer, QStringLiteral("1:6"));
    EXPECT_TRUE(platform.input.asked[0].prompt.startsWith(
        QStringLiteral("On the left side of : enter the value of the from field eg. (?:x)\r\n")));
    EXPECT_EQ(tree().tag(2), QStringLiteral("3:7"));
    EXPECT_EQ(tree().tag(1), QStringLiteral("3:7"));
    EXPECT_FALSE(modified());

    // Blanks or Cancel keep the tag; the ancestors are recomputed all the same.
    tree().setTag(1, QStringLiteral("x"));
    QTest::mouseDClick(window->stb()->panel(1), Qt::LeftButton);
    EXPECT_EQ(tree().tag(2), QStringLiteral("3:7"));
    EXPECT_EQ(tree().tag(1), QStringLiteral("3:7"));
    QTest::mouseDClick(window->stb()->panel(1), Qt::LeftButton);
    EXPECT_EQ(tree().tag(2), QStringLiteral("3:7"));
    EXPECT_EQ(platform.input.asked.size(), 3u);
}

TEST_F(MainWindowTest, CodeViewShowsTheGeneratedCodeOfTheLayout)
{
    box("txtFieldName")->setText(QStringLiteral("customer-rec"));
    QTest::mouseClick(child<QPushButton>("cmdAdd"), Qt::LeftButton);
    box("txtFieldLevel")->setText(QStringLiteral("05"));
    box("txtFieldName")->setText(QStringLiteral("cust-name"));
    combo("cboFieldType")->setEditText(QStringLiteral("AlphaNum (X)"));
    box("txtFieldLength")->setText(QStringLiteral("30"));
    QTest::mouseClick(child<QPushButton>("cmdAdd"), Qt::LeftButton);
    box("txtFieldName")->setText(QStringLiteral("cust-id"));
    combo("cboFieldType")->setEditText(QStringLiteral("Numeric (9)"));
    box("txtFieldLength")->setText(QStringLiteral("8"));
    QTest::mouseClick(child<QPushButton>("cmdAdd"), Qt::LeftButton);

    auto *tabs = child<QTabBar>("tabGen");
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    auto *code = child<QPlainTextEdit>("txtCodeView");
    EXPECT_TRUE(code->isVisible());
    EXPECT_FALSE(child<QWidget>("picGenerator")->isVisible());
    EXPECT_EQ(code->toPlainText(), QStringLiteral("\n"
                                                  "      *\n"
                                                  "        01 CUSTOMER-REC.\n"
                                                  "         05 CUST-NAME PIC X(30).\n"
                                                  "         05 CUST-ID   PIC 9(8)."));
    EXPECT_EQ(code->toPlainText(),
              GenerateCode(tree()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_EQ(status(), QStringLiteral("Done"));
    EXPECT_FALSE(child<QAction>("Save")->isEnabled());
    EXPECT_FALSE(child<QAction>("filenew")->isEnabled());
    EXPECT_TRUE(child<QAction>("import")->isEnabled());

    // Each visit regenerates; going back to the Generator empties the text.
    QTextDocument *document = code->document();
    code->setPlainText(QStringLiteral("scribbled"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    EXPECT_TRUE(code->toPlainText().isEmpty());
    EXPECT_TRUE(child<QAction>("Save")->isEnabled());
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_TRUE(code->toPlainText().contains(QStringLiteral("CUST-ID")));
    // A click on the tab already shown regenerates as well.
    code->setPlainText(QStringLiteral("scribbled"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_TRUE(code->toPlainText().contains(QStringLiteral("CUST-ID")));
    EXPECT_EQ(code->document(), document); // one document throughout

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    EXPECT_TRUE(child<QWidget>("picEditor")->isVisible());
    EXPECT_FALSE(child<QPushButton>("cmdEditorSave")->isEnabled());
    EXPECT_FALSE(child<QAction>("SaveAs")->isEnabled());
}

TEST_F(MainWindowTest, CodeViewOfAnEmptyLayoutIsEmpty)
{
    auto *code = child<QPlainTextEdit>("txtCodeView");
    code->setPlainText(QStringLiteral("left over"));
    window->stb()->setMessage(QStringLiteral("before"));
    window->tabGen_Click(1);
    EXPECT_TRUE(code->isVisible());
    EXPECT_EQ(code->toPlainText(), QString());
    EXPECT_EQ(status(), QStringLiteral("Done"));
    EXPECT_EQ(child<QTabBar>("tabGen")->currentIndex(), 1);
    child<QPushButton>("cmdAutoInsertFiller")->setEnabled(true);
    window->tabGen_Click(0);
    EXPECT_FALSE(child<QPushButton>("cmdAutoInsertFiller")->isEnabled());
}

TEST_F(MainWindowTest, EveryWayOfChangingTheTabSwitchesThePanel)
{
    addField(QStringLiteral("01"), QStringLiteral("A"), QStringLiteral("2"));
    auto *tabs = child<QTabBar>("tabGen");
    auto *code = child<QPlainTextEdit>("txtCodeView");
    int generated = 0;
    QObject::connect(window->stb(), &StatusBar::messageChanged, [&](const QString &text) {
        if (text == QStringLiteral("Generating Code..."))
            ++generated;
    });

    tabs->setFocus();
    QCoreApplication::processEvents();
    QTest::keyClick(tabs, Qt::Key_Right);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_TRUE(code->isVisible());
    EXPECT_FALSE(child<QWidget>("picGenerator")->isVisible());
    EXPECT_EQ(code->toPlainText(),
              GenerateCode(tree()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_FALSE(code->toPlainText().isEmpty());
    EXPECT_EQ(generated, 1);
    QTest::keyClick(tabs, Qt::Key_Left);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_TRUE(child<QWidget>("picGenerator")->isVisible());
    EXPECT_TRUE(code->toPlainText().isEmpty());
    EXPECT_TRUE(child<QAction>("Save")->isEnabled());

    // The wheel over the strip steps to the next tab.
    const QPoint at = tabs->tabRect(0).center();
    QWheelEvent down(at, tabs->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(tabs, &down);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_TRUE(code->isVisible());
    EXPECT_FALSE(child<QAction>("Save")->isEnabled());
    EXPECT_EQ(generated, 2);
}

TEST_F(MainWindowTest, EachTabSetsItsPanelsAndMenuEntries)
{
    struct Expected {
        int tab;
        const char *shown;
        bool generatorEntries; // Save, SaveAs, fileopen, filenew, viewTreeViewclipboard
    };
    const Expected cases[] = {
        {1, "picCodeView", false}, {2, "picEditor", false},   {0, "picGenerator", true},
        {2, "picEditor", false},   {1, "picCodeView", false},
    };
    auto *tabs = child<QTabBar>("tabGen");
    for (const Expected &e : cases) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(e.tab).center());
        EXPECT_EQ(tabs->currentIndex(), e.tab);
        for (const char *panel : {"picGenerator", "picCodeView", "picEditor"})
            EXPECT_EQ(child<QWidget>(panel)->isVisible(), qstrcmp(panel, e.shown) == 0)
                << panel << " on tab " << e.tab;
        for (const char *entry : {"Save", "SaveAs", "fileopen", "filenew", "viewTreeViewclipboard"})
            EXPECT_EQ(child<QAction>(entry)->isEnabled(), e.generatorEntries)
                << entry << " on tab " << e.tab;
        EXPECT_TRUE(child<QAction>("import")->isEnabled());
        EXPECT_TRUE(child<QMenu>("file")->menuAction()->isEnabled());
    }
}

TEST_F(MainWindowTest, EditStoresExactlyWhatWasTyped)
{
    QTest::mouseClick(child<QPushButton>("cmdEdit"), Qt::LeftButton);
    EXPECT_FALSE(modified()); // nothing selected, nothing to edit

    addField(QStringLiteral("01"), QStringLiteral("A"), QStringLiteral("3"));
    window->setWindowTitle(QStringLiteral("Orvane []"));
    QTest::mouseClick(child<QPushButton>("cmdEdit"), Qt::LeftButton);
    EXPECT_TRUE(modified()); // as soon as editing starts
    auto *editor = view()->viewport()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("01 free text , no period "));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits on the next turn
    EXPECT_EQ(tree().text(1), QStringLiteral("01 free text , no period "));
    EXPECT_EQ(tree().tag(1), QStringLiteral("1:3"));
}
