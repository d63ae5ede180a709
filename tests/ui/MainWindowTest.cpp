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

TEST_F(MainWindowTest, TheInsertKeyTogglesTheInsPanel)
{
    QLabel *ins = window->stb()->panel(4);
    const QString before = ins->text();
    QTest::keyClick(box("txtFieldName"), Qt::Key_Insert);
    EXPECT_EQ(ins->text(), before.isEmpty() ? QStringLiteral("INS") : QString());
    QTest::keyClick(box("txtFieldName"), Qt::Key_Insert);
    EXPECT_EQ(ins->text(), before);
}

TEST_F(MainWindowTest, AddingPlacesFieldsByTheirLevels)
{
    addField(QStringLiteral("01"), QStringLiteral("A"));
    addField(QStringLiteral("05"), QStringLiteral("B"));
    addField(QStringLiteral("01"), QStringLiteral("C"));
    EXPECT_EQ(outline(tree()), QStringLiteral("01 A.(05 B.),01 C."));
    EXPECT_EQ(view()->selectedNode(), tree().count());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Orvane []*"));
    // The focus goes back to the level box, its text selected.
    EXPECT_EQ(QApplication::focusWidget(), box("txtFieldLevel"));
    EXPECT_EQ(box("txtFieldLevel")->selectedText(), QStringLiteral("01"));
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(MainWindowTest, SelectionDecidesTheCurrentFieldAndWithoutOneTheLastAdded)
{
    addField(QStringLiteral("01"), QStringLiteral("A"));
    addField(QStringLiteral("05"), QStringLiteral("B"));
    addField(QStringLiteral("10"), QStringLiteral("C"));
    clickNode(1);
    addField(QStringLiteral("05"), QStringLiteral("D")); // child of the selected A, after B
    view()->clearSelection();
    addField(QStringLiteral("10"), QStringLiteral("E")); // current is D, the last added
    EXPECT_EQ(outline(tree()), QStringLiteral("01 A.(05 B.(10 C.),05 D.(10 E.))"));
}

TEST_F(MainWindowTest, LevelQuestionsAndTheirAnswers)
{
    struct Case {
        const char *level;
        ShownMessage question;
        MessageAnswer answer;
        QString after; // the tree after adding "N" to 01 A / 05 B, B being the last added
    };
    const Case cases[] = {
        {"88", addAsChild, MessageAnswer::Yes, "01 A.(05 B.(88 N.))"},
        {"88", addAsChild, MessageAnswer::No, "01 A.(05 B.,88 N.)"},
        {"88", addAsChild, MessageAnswer::Cancel, "01 A.(05 B.)"},
        {"50", invalidLevel, MessageAnswer::No, "01 A.(05 B.)"},
        {"66", invalidLevel, MessageAnswer::Yes, "01 A.(05 B.(66 N.))"},
        {"", invalidLevel, MessageAnswer::Yes, "01 A.(05 B.),00 N."}, // empty: level 00
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.level);
        window->ResetEntryPanel();
        addField(QStringLiteral("01"), QStringLiteral("A"));
        addField(QStringLiteral("05"), QStringLiteral("B"));
        window->setWindowTitle(QStringLiteral("Orvane []"));
        platform.messages.shown.clear();
        platform.messages.answers = {c.answer};
        addField(QString::fromLatin1(c.level), QStringLiteral("N"));
        EXPECT_EQ(outline(tree()), c.after);
        EXPECT_EQ(platform.messages.shown, std::vector<ShownMessage>{c.question});
        EXPECT_EQ(modified(), tree().count() == 3);
    }
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
    EXPECT_EQ(platform.input.asked[0].defaultAnswer, QStringLiteral("1:6"));
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

TEST_F(MainWindowTest, CodeViewShowsTheGeneratedCodeOfTheLayoutOnEveryVisit)
{
    auto *code = child<QPlainTextEdit>("txtCodeView");
    QTextDocument *document = code->document();
    code->setPlainText(QStringLiteral("left over"));
    window->tabGen_Click(1);
    EXPECT_EQ(code->toPlainText(), QString()); // an empty layout has no code
    EXPECT_EQ(status(), QStringLiteral("Done"));
    child<QPushButton>("cmdAutoInsertFiller")->setEnabled(true);
    window->tabGen_Click(0);
    EXPECT_FALSE(child<QPushButton>("cmdAutoInsertFiller")->isEnabled());

    box("txtFieldName")->setText(QStringLiteral("customer-rec"));
    QTest::mouseClick(child<QPushButton>("cmdAdd"), Qt::LeftButton);
    box("txtFieldLevel")->setText(QStringLiteral("05"));
    box("txtFieldName")->setText(QStringLiteral("cust-name"));
    combo("cboFieldType")->setEditText(QStringLiteral("AlphaNum (X)"));
    box("txtFieldLength")->setText(QStringLiteral("30"));
    QTest::mouseClick(child<QPushButton>("cmdAdd"), Qt::LeftButton);
    const QString expected =
        GenerateCode(tree()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ASSERT_TRUE(expected.contains(QStringLiteral("05 CUST-NAME PIC X(30).")));

    auto *tabs = child<QTabBar>("tabGen");
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(code->toPlainText(), expected);
    // Going back to the Generator empties the text; each visit, and a click on the tab already
    // shown, regenerates it.
    code->setPlainText(QStringLiteral("scribbled"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    EXPECT_TRUE(code->toPlainText().isEmpty());
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(code->toPlainText(), expected);
    code->setPlainText(QStringLiteral("scribbled"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(code->toPlainText(), expected);
    EXPECT_EQ(code->document(), document); // one document throughout
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
    EXPECT_FALSE(code->toPlainText().isEmpty());
    EXPECT_EQ(generated, 1);
    QTest::keyClick(tabs, Qt::Key_Left);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_TRUE(child<QWidget>("picGenerator")->isVisible());

    // The wheel over the strip steps to the next tab.
    const QPoint at = tabs->tabRect(0).center();
    QWheelEvent down(at, tabs->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(tabs, &down);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_TRUE(code->isVisible());
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
