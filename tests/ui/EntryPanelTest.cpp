// The entry panel: the clause preview, red marks, sizes, the arrow keys, the value list, the
// key-kind box, Enter and the long-clause warning, driven by keys, mouse and the lists' popups.
#include "MainWindowFixture.h"

#include <QClipboard>
#include <QWheelEvent>

namespace orvane::testing
{
namespace
{

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

TEST_F(EntryPanelTest, RecordSizeByPositionsComputesTheLength)
{
    type(box("txtFieldLength"), QStringLiteral("7"));
    QTest::mouseClick(child<QRadioButton>("OptRecordSizeByPos"), Qt::LeftButton);
    EXPECT_EQ(box("txtFieldLength")->text(), QString());
    EXPECT_FALSE(child<QLabel>("lblfrompos")->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), box("txtFieldFromPos"));
    type(box("txtFieldFromPos"), QStringLiteral("5"));
    type(box("txtFieldToPos"), QStringLiteral("14"));
    EXPECT_EQ(box("txtFieldLength")->text(), QStringLiteral("10"));
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
