// The main window driven through its widgets: the entry panel, the field tree, the tabs, the
// smallest layout, and the options and about windows.
#include "MainWindowFixture.h"
#include "codegen/CodeGenerator.h"
#include "model/PanelTexts.h"
#include "project/StartupSettings.h"
#include "ui/dialogs/frmAbout.h"
#include "ui/dialogs/frmOptions.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QTextDocument>
#include <QWheelEvent>

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
    const ShownMessage unavailable = plain("System Information Is Unavailable At This Time");
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

const QString M(1, QChar(0xA0)); // the clause mark

bool isRed(QLineEdit *box)
{
    return box->palette().color(QPalette::Text) == QColor(255, 0, 0);
}

using EntryPanelTest = MainWindowTest;

TEST_F(EntryPanelTest, StartsWithLevel01AndTypingBuildsTheClausePreview)
{
    EXPECT_EQ(box("txtFieldLevel")->text(), QStringLiteral("01"));
    EXPECT_EQ(preview(), QStringLiteral("01."));
    EXPECT_TRUE(combo("cboOccursKey")->isHidden());
    EXPECT_TRUE(box("txtOccursIndexName")->isHidden());
    // The start-up timer put the focus into the name box.
    EXPECT_EQ(QApplication::focusWidget(), box("txtFieldName"));

    type(box("txtFieldLevel"), QStringLiteral("5"));
    type(box("txtFieldName"), QStringLiteral("cust-name"));
    // A picture kind comes from the list: typed, its blank would be trimmed at once.
    combo("cboFieldType")->setCurrentIndex(1);
    type(box("txtFieldLength"), QStringLiteral("30"));
    EXPECT_EQ(preview(), QStringLiteral("05 CUST-NAME ") + M + QStringLiteral("PIC X(30)."));

    // A blank typed at the end of the picture text goes at once.
    QTest::keyClick(combo("cboFieldType")->lineEdit(), Qt::Key_Space);
    EXPECT_EQ(combo("cboFieldType")->currentText(), QStringLiteral("AlphaNum (X)"));
}

TEST_F(EntryPanelTest, RedMarksInvalidNamesAndNumbers)
{
    // Each box follows the rule of its kind: a name, or a number.
    for (const char *name : {"txtFieldLevel", "txtFieldName", "txtFieldLength", "txtFieldFromPos",
                             "txtFieldToPos", "txtFieldOccurs"}) {
        const bool isName = qstrcmp(name, "txtFieldName") == 0;
        box(name)->setText(isName ? QStringLiteral("1A") : QStringLiteral("2A"));
        EXPECT_TRUE(isRed(box(name))) << name;
        box(name)->setText(isName ? QStringLiteral("A-1") : QStringLiteral("12"));
        EXPECT_FALSE(isRed(box(name))) << name;
    }
    box("txtFieldLength")->setText(QStringLiteral("1.5"));
    // Red is advice only: the text stays as typed.
    EXPECT_EQ(box("txtFieldLength")->text(), QStringLiteral("1.5"));
}

TEST_F(EntryPanelTest, NothingIsColouredBeforeTheStartUpTimerFired)
{
    ScriptedPlatform other;
    frmQEL fresh(other.seams());
    auto *name = fresh.findChild<QLineEdit *>(QStringLiteral("txtFieldName"));
    name->setText(QStringLiteral("1A"));
    EXPECT_FALSE(isRed(name));
    fresh.Timer1_Timer();
    name->setText(QStringLiteral("2A"));
    EXPECT_TRUE(isRed(name));
}

TEST_F(EntryPanelTest, RecordSizeByPositionsComputesTheLengthAndTheNextFrom)
{
    type(box("txtFieldLength"), QStringLiteral("7"));
    QTest::mouseClick(child<QRadioButton>("OptRecordSizeByPos"), Qt::LeftButton);
    EXPECT_EQ(box("txtFieldLength")->text(), QString());
    EXPECT_FALSE(child<QLabel>("lblfrompos")->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), box("txtFieldFromPos"));
    type(box("txtFieldFromPos"), QStringLiteral("5"));
    type(box("txtFieldToPos"), QStringLiteral("14"));
    EXPECT_EQ(box("txtFieldLength")->text(), QStringLiteral("10"));
    // Enter adds (Add is the default), and the From box moves on behind the field.
    box("txtFieldName")->setText(QStringLiteral("A"));
    QTest::keyClick(box("txtFieldName"), Qt::Key_Return);
    EXPECT_EQ(tree().tag(1), QStringLiteral("5:14"));
    EXPECT_EQ(box("txtFieldFromPos")->text(), QStringLiteral("15"));
    EXPECT_EQ(box("txtFieldToPos")->text(), QString());
    QTest::mouseClick(child<QRadioButton>("optRecordSizeByLength"), Qt::LeftButton);
    EXPECT_TRUE(child<QLabel>("lblfrompos")->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), box("txtFieldLength"));
}

TEST_F(EntryPanelTest, ArrowKeysMoveBetweenTheBoxes)
{
    box("txtFieldName")->setText(QStringLiteral("AB"));
    struct Case {
        const char *from;
        int caret; // -1: at the end
        Qt::Key key;
        const char *to;
    };
    // Which box comes next is the core's table (EntryMovement); here the caret and the panel's
    // state reach it from a line edit and from a drop-down.
    const Case cases[] = {
        {"txtFieldName", -1, Qt::Key_Right, "cboFieldType"},
        {"cboFieldValue", 0, Qt::Key_Backspace, "txtFieldOccurs"}, // no array: past its boxes
    };
    for (const Case &c : cases) {
        QWidget *from = child<QWidget>(c.from);
        placeCaret(from, c.caret);
        QTest::keyClick(from, c.key);
        EXPECT_TRUE(child<QWidget>(c.to)->hasFocus()) << c.from << " -> " << c.to;
    }

    // With the whole name selected, Left first collapses the selection, then moves.
    QLineEdit *name = box("txtFieldName");
    placeCaret(name, 2);
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Left);
    EXPECT_FALSE(name->hasSelectedText());
    EXPECT_EQ(name->cursorPosition(), 0);
    QTest::keyClick(name, Qt::Key_Left);
    EXPECT_TRUE(box("txtFieldLevel")->hasFocus());
}

TEST_F(EntryPanelTest, QuotedValuesAreMultipleUntilAltZAltSOrAnUnquotedValueReplaceThem)
{
    type(box("txtFieldName"), QStringLiteral("flag"));
    QComboBox *value = combo("cboFieldValue");
    auto *treat = child<QCheckBox>("chkTreatAsString");
    for (const auto &[key, word] :
         {std::pair{Qt::Key_Z, "ZEROES"}, std::pair{Qt::Key_S, "SPACES"}}) {
        type(value, QStringLiteral("\"a\""));
        // Quotes switch to multiple values, which leaves treat as string unchecked and locked.
        ASSERT_FALSE(treat->isChecked());
        ASSERT_FALSE(treat->isEnabled());
        ASSERT_EQ(preview(), QStringLiteral("01 FLAG ") + M + QStringLiteral("VALUES \"A\"."));

        QTest::keyClick(value, key, Qt::AltModifier);
        // The quotes went, so multiple values is off; the word stays unquoted all the same.
        EXPECT_TRUE(treat->isEnabled()); // the user may still quote it
        EXPECT_EQ(preview(), QStringLiteral("01 FLAG ") + M + "VALUE " + word + ".");
    }
    // A value typed without quotes leaves multiple values too, and is a string again.
    type(value, QStringLiteral("\"y\" \"n\""));
    type(value, QStringLiteral("abc"));
    EXPECT_TRUE(treat->isEnabled());
    EXPECT_EQ(preview(), QStringLiteral("01 FLAG ") + M + QStringLiteral("VALUE \"ABC\"."));
}

// How an output field is sized by its picture or its value is EntrySizing's table.
TEST_F(EntryPanelTest, AFigurativeChosenFromTheListLeavesAnOutputFieldsSizeAloneAndResetClears)
{
    QTest::mouseClick(child<QRadioButton>("optFieldTypeOutput"), Qt::LeftButton);
    type(box("txtFieldName"), QStringLiteral("fld"));
    type(combo("cboFieldType"), QStringLiteral("ZZ9"));
    EXPECT_EQ(box("txtFieldLength")->text(), QStringLiteral("3"));
    type(combo("cboFieldType"), QStringLiteral("X"));
    type(box("txtFieldLength"), QStringLiteral("3"));
    auto *treat = child<QCheckBox>("chkTreatAsString");
    ASSERT_TRUE(treat->isChecked());

    QComboBox *value = combo("cboFieldValue");
    QAbstractItemView *list = value->view();
    // By the mouse: open the list and click its first entry.
    value->showPopup();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 0)).center());
    // The word goes in unquoted, and the field keeps its size and its picture.
    const auto chosen = [&](const char *word) {
        EXPECT_EQ(box("txtFieldLength")->text(), QStringLiteral("3"));
        EXPECT_EQ(preview(), QStringLiteral("01 FLD ") + M + "PIC X " + M + "VALUE " + word + ".");
    };
    chosen("ZEROES");

    // By the keys, with treat as string checked again by hand: Down to "Spaces", Enter.
    const QPoint tick(4, treat->height() / 2); // on the box, not beside its caption
    QTest::mouseClick(treat, Qt::LeftButton, {}, tick);
    ASSERT_TRUE(treat->isChecked());
    ASSERT_EQ(preview(), QStringLiteral("01 FLD ") + M + "PIC X " + M + "VALUE \"ZEROES\".");
    pickFromList(value, 1);
    EXPECT_EQ(tree().count(), 0) << "Enter in the list chooses; it does not add the field";
    chosen("SPACES");

    // A string typed afterwards, quoted again, still sizes the field: only the choice skips it.
    QTest::mouseClick(treat, Qt::LeftButton, {}, tick);
    type(value, QStringLiteral("hello"));
    EXPECT_EQ(box("txtFieldLength")->text(), QStringLiteral("5"));
    EXPECT_EQ(combo("cboFieldType")->currentText(), QStringLiteral("X(5)"));
    window->ResetEntryPanel(); // back to the start values
    EXPECT_EQ(box("txtFieldLength")->text(), QString());
    EXPECT_EQ(preview(), QStringLiteral("01."));
}

TEST_F(EntryPanelTest, OccursShowsTheArrayControlsAndTheKeyKindBoxTakesOnlyAOrD)
{
    type(box("txtFieldLevel"), QStringLiteral("10"));
    type(box("txtFieldName"), QStringLiteral("item"));
    QComboBox *key = combo("cboOccursKey");
    // Leaving the count box writes the count as a number; a count of 1 is still an array.
    focus(box("txtFieldOccurs"));
    type(box("txtFieldOccurs"), QStringLiteral("1.0"));
    focus(key);
    EXPECT_EQ(box("txtFieldOccurs")->text(), QStringLiteral("1"));
    type(box("txtFieldOccurs"), QStringLiteral("3"));
    const QString plain = QStringLiteral("10 ITEM OCCURS 3 TIMES.");
    EXPECT_FALSE(key->isHidden());
    EXPECT_FALSE(box("txtOccursIndexName")->isHidden());
    ASSERT_EQ(preview(), plain);

    // A kind's own name on both clipboards (the offscreen one is the program's own): pasting
    // it by either key changes nothing.
    QGuiApplication::clipboard()->setText(QStringLiteral("DKey"));
    platform.clipboard.value = QStringLiteral("DKey");
    QTest::keyClick(key, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(key, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(key->currentText(), QStringLiteral("Key"));
    EXPECT_EQ(preview(), plain);
    QGuiApplication::clipboard()->clear();

    // Nor does the wheel.
    const QPoint at = key->rect().center();
    QWheelEvent wheel(at, key->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(key, &wheel);
    EXPECT_EQ(key->currentText(), QStringLiteral("Key"));

    // The box acts on the core's answer for each key (OccursKeyKeys' table): A chooses, Escape
    // clears; any other letter is swallowed, the text stays but the phrase is dropped, which shows
    // with the next change.
    QTest::keyClick(key, Qt::Key_A);
    EXPECT_EQ(preview(), QStringLiteral("10 ITEM OCCURS 3 TIMES ASCENDING KEY IS."));
    QTest::keyClick(key, Qt::Key_X);
    EXPECT_EQ(key->currentText(), QStringLiteral("AKey"));
    type(box("txtOccursIndexName"), QStringLiteral("ix"));
    EXPECT_EQ(preview(), QStringLiteral("10 ITEM OCCURS 3 TIMES INDEXED BY IX."));
    QTest::keyClick(key, Qt::Key_Escape);
    EXPECT_EQ(key->currentText(), QStringLiteral("Key"));

    // F4 opens the list; an entry chosen there by Enter counts, and Enter adds nothing.
    QTest::keyClick(key, Qt::Key_F4);
    ASSERT_TRUE(key->view()->isVisible());
    key->hidePopup();
    pickFromList(key, 0);
    EXPECT_EQ(key->currentText(), QStringLiteral("AKey"));
    EXPECT_EQ(preview(), QStringLiteral("10 ITEM OCCURS 3 TIMES ASCENDING KEY IS  INDEXED BY IX."));
    EXPECT_EQ(tree().count(), 0);

    // A count of 0 empties the box and hides the array controls.
    type(box("txtFieldOccurs"), QStringLiteral("0"));
    EXPECT_EQ(box("txtFieldOccurs")->text(), QString());
    EXPECT_TRUE(key->isHidden());
    EXPECT_EQ(preview(), QStringLiteral("10 ITEM."));
}

TEST_F(EntryPanelTest, EnterAddsFromAnyControlButEndsAnEditOfTheTree)
{
    click("cmdEdit");
    EXPECT_FALSE(modified()); // nothing selected, nothing to edit
    box("txtFieldName")->setText(QStringLiteral("A"));
    box("txtFieldLength")->setText(QStringLiteral("2"));

    // In an open list Enter chooses the entry and adds nothing.
    QComboBox *picture = combo("cboFieldType");
    pickFromList(picture, 1);
    EXPECT_EQ(tree().count(), 0);
    ASSERT_TRUE(activate()); // back from the closed list

    // From a check box: adds, and does not tick it.
    auto *values = child<QCheckBox>("chkvalues");
    focus(values);
    QTest::keyClick(values, Qt::Key_Return);
    EXPECT_FALSE(values->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), box("txtFieldLevel"));

    // From an option button, by the keypad's Enter.
    box("txtFieldName")->setText(QStringLiteral("B"));
    auto *input = child<QRadioButton>("optFieldTypeInput");
    focus(input);
    QTest::keyClick(input, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(outline(tree()), QStringLiteral("01 A ") + M + QStringLiteral("PIC X(2).,01 B ") + M +
                                   QStringLiteral("PIC X(2)."));

    // In the tree's in-place editor Enter ends the edit and adds nothing; the text is kept
    // exactly as typed, with its tag. Editing marks the layout modified as soon as it starts.
    markSaved();
    click("cmdEdit");
    EXPECT_TRUE(modified());
    auto *editor = view()->viewport()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->isVisible());
    focus(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("01 C , no period "));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits on the next turn
    EXPECT_EQ(tree().tag(2), QStringLiteral("3:4"));
    EXPECT_FALSE(editor->isVisible());

    // Once the edit has ended, Enter adds again.
    focus(box("txtFieldName"));
    QTest::keyClick(box("txtFieldName"), Qt::Key_Return);
    EXPECT_EQ(outline(tree()), "01 A " + M + "PIC X(2).,01 C , no period ,01 B " + M + "PIC X(2).");
}

TEST_F(EntryPanelTest, TypingPast255CharactersWarnsForEachChangeAbove)
{
    // 14 characters of clause around the name and the value: "01 ", " ", mark, VALUE, quotes.
    const QString longValue(236, QLatin1Char('V'));
    combo("cboFieldValue")->setEditText(longValue);
    QLineEdit *name = box("txtFieldName");
    focus(name);

    QTest::keyClicks(name, QStringLiteral("abcde"));
    EXPECT_EQ(preview().size(), 255);
    // A clause of exactly 255 is allowed: no warning yet.

    platform.messages.answers = {MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::Ok};
    QTest::keyClicks(name, QStringLiteral("fg")); // 256, 257
    QTest::keyClick(name, Qt::Key_Backspace);     // 256
    const ShownMessage tooLong = critical("Field length exceeded 255 characters", "Warning");
    EXPECT_EQ(platform.messages.shown, std::vector<ShownMessage>(3, tooLong));

    // Back to 255 and below: no more warnings; the name box kept every keystroke.
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_EQ(name->text(), QStringLiteral("abcd"));
    EXPECT_EQ(preview().size(), 254);
}

} // namespace
} // namespace orvane::testing
