// The main window: the entry panel's Add and its questions, the field tree by mouse and status
// bar, the tabs, the layout at its smallest, and the options window and the about box driven
// through the menus.
#include "MainWindowFixture.h"
#include "codegen/CodeGenerator.h"
#include "model/PanelTexts.h"
#include "project/StartupSettings.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/frmOptions.h"

#include <QAbstractButton>
#include <QTextDocument>

namespace orvane::testing
{
namespace
{

const ShownMessage addAsChild{QStringLiteral("Add as child?"), QStringLiteral("Exception"),
                              MessageButtons::YesNoCancel, MessageIcon::Question};
const ShownMessage invalidLevel{QStringLiteral("Are you sure you want to continue?"),
                                QStringLiteral("Level Number Is Invalid"), MessageButtons::YesNo,
                                MessageIcon::Exclamation};

TEST_F(MainWindowTest, TheInsertKeyTogglesTheInsPanel)
{
    QLabel *ins = window->stb()->panel(4);
    const QString before = ins->text();
    QTest::keyClick(box("txtFieldName"), Qt::Key_Insert);
    EXPECT_EQ(ins->text(), before.isEmpty() ? QStringLiteral("INS") : QString());
    QTest::keyClick(box("txtFieldName"), Qt::Key_Insert);
    EXPECT_EQ(ins->text(), before);
}

TEST_F(MainWindowTest, AddGoesBesideOrUnderTheSelectedFieldOrElseTheLastAdded)
{
    addFields({"01 A", "05 B", "10 C"});
    EXPECT_EQ(view()->selectedNode(), 3);
    // The level box is ready for the next field, its text selected.
    EXPECT_EQ(box("txtFieldLevel")->selectedText(), QStringLiteral("10"));
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
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.level);
        window->ResetEntryPanel();
        addFields({"01 A", "05 B"});
        markSaved();
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
    QTest::keyClick(box("txtFieldName"), Qt::Key_Return); // Enter adds: Add is the default
    EXPECT_EQ(tree().tag(1), QStringLiteral("1:10"));
    EXPECT_EQ(box("txtFieldFromPos")->text(), QStringLiteral("11"));
    EXPECT_EQ(box("txtFieldToPos")->text(), QString());
}

TEST_F(MainWindowTest, ClickingAFieldShowsItsPositionsAndSetsTheFillerButtons)
{
    // The text and which buttons are offered are FieldSelection's table.
    addFields({"01 A 10", "01 B 5", "05 C 5"});
    clickNode(2);
    EXPECT_EQ(status(), QStringLiteral("Fields 11 To 16"));
    EXPECT_TRUE(child<QPushButton>("cmdAutoInsertFiller")->isEnabled());
    // A right click selects too.
    QTest::mouseClick(view()->viewport(), Qt::RightButton, {}, nodeCentre(1));
    EXPECT_EQ(view()->selectedNode(), 1);
    EXPECT_EQ(status(), QStringLiteral("Fields 1 To 10"));
}

TEST_F(MainWindowTest, DraggingAFieldOntoAnotherMakesItAChild)
{
    addFields({"01 A 4", "05 B 3", "01 C 2"});
    auto *sameLevel = child<QPushButton>("autoInsertFillerForSameLevel");
    ASSERT_TRUE(sameLevel->isEnabled()); // C, the last added, has a sibling
    drag(3, 2);
    // The dropped field keeps its tag (5:6); its new ancestors span it.
    EXPECT_EQ(tagged(tree()), "01 A.[5:6](05 B.[5:6](01 C.[5:6]))");
    EXPECT_EQ(view()->dragNode(), 0);
    EXPECT_EQ(view()->dropHighlight(), 0);
    // The status and the FILLER buttons follow the dropped field, now an only child.
    EXPECT_EQ(status(), FieldsStatusText(QStringLiteral("5:6")));
    EXPECT_FALSE(sameLevel->isEnabled());
}

TEST_F(MainWindowTest, DragsThatMoveNothing)
{
    addFields({"01 A 4", "05 B 3", "10 C 2"});
    markSaved();
    // A parent into its own child is refused.
    platform.messages.answers = {MessageAnswer::Ok};
    drag(1, 3);
    EXPECT_EQ(platform.messages.shown,
              std::vector<ShownMessage>{plain("Can't drop the parent into the child")});
    // Drops that carry no field of this tree.
    QTest::mousePress(view()->viewport(), Qt::LeftButton, {}, nodeCentre(3));
    dropAt(nodeCentre(2), QByteArray("1"));
    ScriptedPlatform other;
    frmQEL second(other.seams());
    dropAt(nodeCentre(2), second.trvFields()->dragPayload());
    QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, nodeCentre(3));
    // A drag that passes over B and leaves the tree takes its highlight along.
    QMimeData own;
    own.setData(QString::fromLatin1(FieldTreeView::mimeType()), view()->dragPayload());
    QDragEnterEvent over(nodeCentre(2), Qt::MoveAction, &own, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view()->viewport(), &over);
    EXPECT_EQ(view()->dropHighlight(), 2);
    QDragLeaveEvent leave;
    QApplication::sendEvent(view()->viewport(), &leave);
    EXPECT_EQ(view()->dropHighlight(), 0);
    // A right-button press remembers nothing.
    QTest::mousePress(view()->viewport(), Qt::RightButton, {}, nodeCentre(3));
    EXPECT_EQ(view()->dragNode(), 0);
    QTest::mouseRelease(view()->viewport(), Qt::RightButton, {}, nodeCentre(1));

    // A press that slips by a pixel starts a drag that ends at once offscreen, dropped
    // nowhere: the field counts as clicked.
    window->stb()->setMessage(QString());
    const QPoint a = nodeCentre(1);
    QTest::mousePress(view()->viewport(), Qt::LeftButton, {}, a);
    QTest::mouseMove(view()->viewport(), a + QPoint(1, 0));
    QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, a + QPoint(1, 0));
    EXPECT_EQ(status(), FieldsStatusText(tree().tag(1)));
    EXPECT_EQ(view()->dragNode(), 0);
    EXPECT_EQ(outline(tree()), QStringLiteral("01 A.(05 B.(10 C.))"));
    EXPECT_FALSE(modified());
}

TEST_F(MainWindowTest, DoubleClickingTheStatusBarEditsThePositions)
{
    // No selected field: no dialog (an unexpected one would fail the test).
    QTest::mouseDClick(window->stb()->panel(1), Qt::LeftButton);
    addFields({"01 A 0", "05 B 5"});
    markSaved();
    platform.input.answers = {QStringLiteral("  3:7 "), QStringLiteral("   ")};
    QTest::mouseDClick(window->stb()->panel(3), Qt::LeftButton);
    EXPECT_EQ(platform.input.offered, QStringList{"1:6"});
    EXPECT_EQ(tagged(tree()), "01 A.[3:7](05 B.[3:7])");
    EXPECT_EQ(status(), QStringLiteral("Fields 3 To 7"));
    // A blank answer keeps the tag; the ancestors are recomputed all the same.
    tree().setTag(1, QStringLiteral("x"));
    QTest::mouseDClick(window->stb()->panel(1), Qt::LeftButton);
    EXPECT_EQ(tagged(tree()), "01 A.[3:7](05 B.[3:7])");
    EXPECT_FALSE(modified());
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

    addFields({"01 CUSTOMER-REC", "05 CUST-NAME 30"});
    const QString expected =
        GenerateCode(tree()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    auto *tabs = child<QTabBar>("tabGen");
    int generated = 0;
    QObject::connect(window->stb(), &StatusBar::messageChanged, [&](const QString &text) {
        generated += text == QStringLiteral("Generating Code...");
    });
    // By the mouse and the arrow keys (the wheel moves the strip as they do); each visit, and a
    // click on the tab already shown, regenerates; going back to the Generator empties the text.
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(code->toPlainText(), expected);
    code->setPlainText(QStringLiteral("scribbled"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(code->toPlainText(), expected);
    tabs->setFocus();
    QCoreApplication::processEvents();
    QTest::keyClick(tabs, Qt::Key_Left);
    EXPECT_TRUE(code->toPlainText().isEmpty());
    QTest::keyClick(tabs, Qt::Key_Right);
    EXPECT_EQ(code->toPlainText(), expected);
    EXPECT_EQ(generated, 3);
    EXPECT_EQ(code->document(), document); // one document throughout
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
    EXPECT_FALSE(child<QPushButton>("cmdEditorSave")->isEnabled()); // nothing edited yet
}

// The part of a widget that its ancestors up to `top` leave on screen, in `top`'s coordinates.
QRect shownRect(const QWidget *widget, const QWidget *top)
{
    QRect shown(widget->mapTo(top, QPoint()), widget->size());
    for (const QWidget *a = widget->parentWidget(); a && a != top; a = a->parentWidget())
        shown &= QRect(a->mapTo(top, QPoint()), a->size());
    return shown & top->rect();
}

// The controls a user types into or clicks in the entry panel (a combo box's own line edit
// belongs to the combo box).
QList<QWidget *> entryControls(QWidget *panel)
{
    QList<QWidget *> controls;
    for (QWidget *w : panel->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) ||
                             qobject_cast<QAbstractButton *>(w) || qobject_cast<QLabel *>(w);
        if (control && w->isVisibleTo(panel) && !qobject_cast<QComboBox *>(w->parentWidget()))
            controls.append(w);
    }
    return controls;
}

TEST_F(MainWindowTest, AtTheMinimumSizeEveryEntryControlIsWholeAndApart)
{
    for (const bool byPositions : {false, true}) {
        SCOPED_TRACE(byPositions ? "by positions" : "by length");
        window->entryPanel()->setRecordSizeByPositions(byPositions);
        box("txtFieldOccurs")->setText(QStringLiteral("3")); // the array rows too
        window->resize(1, 1);
        QCoreApplication::processEvents();
        ASSERT_EQ(window->size(), window->minimumSize());
        const QList<QWidget *> controls = entryControls(window->entryPanel());
        ASSERT_GT(controls.size(), 20);
        for (QWidget *c : controls) {
            const QString name = c->objectName();
            EXPECT_EQ(shownRect(c, window.get()),
                      QRect(c->mapTo(window.get(), QPoint()), c->size()))
                << name.toStdString() << " is cut off";
            EXPECT_GE(c->height(), c->minimumSizeHint().height()) << name.toStdString();
            EXPECT_GE(c->width(), qMin(c->minimumSizeHint().width(), 40)) << name.toStdString();
        }
        for (int i = 0; i < controls.size(); ++i)
            for (int j = i + 1; j < controls.size(); ++j) {
                const QRect a(controls[i]->mapTo(window.get(), QPoint()), controls[i]->size());
                const QRect b(controls[j]->mapTo(window.get(), QPoint()), controls[j]->size());
                EXPECT_FALSE(a.intersects(b))
                    << controls[i]->objectName().toStdString() << " overlaps "
                    << controls[j]->objectName().toStdString();
            }
        EXPECT_GE(view()->viewport()->height(), 3 * view()->fontMetrics().height())
            << "a few fields of the tree stay in sight";
    }
}

class OptionsAboutTest : public MainWindowTest
{
protected:
    frmOptions *openOptions()
    {
        child<QAction>("options")->trigger();
        return window->optionsWindow();
    }
    frmAbout *openAbout()
    {
        child<QAction>("About")->trigger();
        return window->aboutWindow();
    }
    QString storedColour()
    {
        return platform.settings.get(currentProgramName(), QStringLiteral("OPT"),
                                     QStringLiteral("fillercolor"), QStringLiteral("<none>"));
    }
    QVariant foreground(int node)
    {
        return view()->fieldModel()->modelIndex(node).data(Qt::ForegroundRole);
    }
    static void unloadClosedWindows()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(OptionsAboutTest, ApplyAndOkColourTheFillerFieldsAndStoreTheColourCancelStoresNothing)
{
    addField("01", "REC");
    addField("05", "FILLER", "3");
    addField("05", "NAME", "5");
    EXPECT_FALSE(foreground(2).isValid()) << "no colour stored: FILLER looks like any field";
    frmOptions *options = openOptions();
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->parentWidget(), nullptr) << "the options window has no owner";
    EXPECT_EQ(options->swatchColor(), QColor(Qt::black)) << "nothing stored reads as black";
    platform.colours.answers = {QColor(Qt::red), QColor(Qt::red), QColor(Qt::red), QColor()};
    click("cmdfillercolor", options);
    click("cmdCancel", options);
    unloadClosedWindows();
    EXPECT_EQ(window->optionsWindow(), nullptr) << "Cancel unloads the window";
    EXPECT_EQ(storedColour(), "<none>");
    EXPECT_FALSE(foreground(2).isValid());

    options = openOptions();
    auto *apply = child<QPushButton>("cmdApply", options);
    EXPECT_TRUE(apply->isEnabled());
    click("cmdfillercolor", options);
    QTest::mouseClick(apply, Qt::LeftButton);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(foreground(2).value<QBrush>().color(), QColor(Qt::red));
    EXPECT_FALSE(foreground(3).isValid()) << "only FILLER fields take the colour";
    // The same colour again, and a cancelled colour box, leave Apply as it was.
    click("cmdfillercolor", options);
    click("cmdfillercolor", options);
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(options->swatchColor(), QColor(Qt::red));
    click("cmdOK", options);
    EXPECT_EQ(storedColour(), "255");
    unloadClosedWindows();
    EXPECT_EQ(window->optionsWindow(), nullptr);

    // The stored colour is shown in a new window from the start.
    window.reset();
    start();
    addField("01", "FILLER", "3");
    EXPECT_EQ(foreground(1).value<QBrush>().color(), QColor(Qt::red));
}

TEST_F(OptionsAboutTest, TheAboutBoxsLinksAndSystemInfoReachTheShellAndCloseWithTheWindow)
{
    frmAbout *about = openAbout();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->parentWidget(), window.get()) << "the about box is owned by the main window";
    QTest::mouseClick(child<QLabel>("lblemail", about), Qt::LeftButton);
    QTest::mouseClick(child<QLabel>("lblcheckforupdates", about), Qt::LeftButton);
    EXPECT_EQ(platform.shell.opened,
              QStringList({"mailto:" + frmAbout::emailAddress(), frmAbout::homepage()}));

    // System information starts the program found, or says it is unavailable.
    auto *sysInfo = child<QPushButton>("cmdSysInfo", about);
    platform.messages.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    QTest::mouseClick(sysInfo, Qt::LeftButton); // none on the PATH
    platform.shell.programs = {{"hardinfo", "/usr/bin/hardinfo"}};
    QTest::mouseClick(sysInfo, Qt::LeftButton);
    EXPECT_EQ(platform.shell.started, QList<QStringList>{{"/usr/bin/hardinfo"}});
    platform.shell.startSucceeds = false;
    QTest::mouseClick(sysInfo, Qt::LeftButton);
    const ShownMessage unavailable{"System Information Is Unavailable At This Time", "Orvane",
                                   MessageButtons::Ok, MessageIcon::None};
    EXPECT_EQ(platform.messages.shown, (std::vector<ShownMessage>{unavailable, unavailable}));

    // Closing the main window unloads it and the options window.
    openOptions();
    window->close();
    unloadClosedWindows();
    EXPECT_EQ(window->optionsWindow(), nullptr);
    EXPECT_EQ(window->aboutWindow(), nullptr);
}

TEST(SysInfoProgram, TheFirstOfTheKnownProgramsOnThePathIsChosen)
{
    struct Case {
        QStringList onPath;
        QString chosen;
    };
    const Case cases[] = {
        {{}, {}},
        {{"msinfo32"}, {}},
        {{"xfce4-about", "hardinfo", "hardinfo2"}, "/bin/hardinfo2"},
        {{"xfce4-about", "kinfocenter", "hardinfo"}, "/bin/kinfocenter"},
    };
    for (const Case &c : cases) {
        const QString chosen = frmAbout::findSysInfoProgram([&](const QString &name) {
            return c.onPath.contains(name) ? "/bin/" + name : QString();
        });
        EXPECT_EQ(chosen, c.chosen) << c.onPath.join(' ').toStdString();
    }
}

} // namespace
} // namespace orvane::testing
