#include "MainWindowFixture.h"
#include "Messages.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>

using namespace orvane;
using orvane::testing::clauseTooLongWarning;
using orvane::testing::MainWindowTest;
using orvane::testing::ShownMessage;

namespace
{

const QString M(1, QChar(0xA0)); // the clause mark

bool isRed(QLineEdit *box)
{
    return box->palette().color(QPalette::Text) == QColor(255, 0, 0);
}

} // namespace

using EntryPanelTest = MainWindowTest;

TEST_F(EntryPanelTest, StartsWithLevel01AndTheListsFilled)
{
    EXPECT_EQ(box("txtFieldLevel")->text(), QStringLiteral("01"));
    EXPECT_EQ(box("txtFieldLevel")->maxLength(), 2);
    EXPECT_EQ(box("txtFieldName")->maxLength(), 71);
    EXPECT_EQ(box("txtOccursIndexName")->maxLength(), 30);
    EXPECT_EQ(preview(), QStringLiteral("01."));
    EXPECT_EQ(combo("cboFieldType")->currentText(), QString());
    EXPECT_EQ(combo("cboFieldType")->count(), 3);
    EXPECT_EQ(combo("cboOccursKey")->currentText(), QStringLiteral("Key"));
    EXPECT_EQ(combo("cboFieldValue")->itemText(0), QStringLiteral("Zeroes"));
    EXPECT_TRUE(child<QCheckBox>("chkTreatAsString")->isChecked());
    EXPECT_FALSE(child<QCheckBox>("chkvalues")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("optFieldTypeInput")->isChecked());
    EXPECT_TRUE(combo("cboOccursKey")->isHidden());
    EXPECT_TRUE(box("txtOccursIndexName")->isHidden());
    EXPECT_EQ(box("txtFieldName")->toolTip(), QStringLiteral("Field Name"));
    EXPECT_EQ(box("txtFieldFromPos")->toolTip(), QStringLiteral("From Positon"));
    EXPECT_EQ(combo("cboFieldValue")->toolTip(), QStringLiteral("Initioal Field Value"));
    // The start-up timer put the focus into the name box.
    EXPECT_EQ(QApplication::focusWidget(), box("txtFieldName"));
}

TEST_F(EntryPanelTest, TypingBuildsTheClausePreview)
{
    type(box("txtFieldLevel"), QStringLiteral("5"));
    type(box("txtFieldName"), QStringLiteral("cust-name"));
    // A picture kind comes from the list: typed, its blank would be trimmed at once.
    combo("cboFieldType")->setCurrentIndex(1);
    EXPECT_EQ(combo("cboFieldType")->currentText(), QStringLiteral("AlphaNum (X)"));
    type(box("txtFieldLength"), QStringLiteral("30"));
    EXPECT_EQ(preview(), QStringLiteral("05 CUST-NAME ") + M + QStringLiteral("PIC X(30)."));

    // Alt+S puts "Spaces" into the value box, unquoted.
    QTest::keyClick(combo("cboFieldValue"), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(combo("cboFieldValue")->currentText(), QStringLiteral("Spaces"));
    EXPECT_FALSE(child<QCheckBox>("chkTreatAsString")->isChecked());
    EXPECT_EQ(preview(), QStringLiteral("05 CUST-NAME ") + M + QStringLiteral("PIC X(30) ") + M +
                             QStringLiteral("VALUE SPACES."));

    // A blank typed at the end of the picture text goes at once.
    QTest::keyClick(combo("cboFieldType")->lineEdit(), Qt::Key_Space);
    EXPECT_EQ(combo("cboFieldType")->currentText(), QStringLiteral("AlphaNum (X)"));
}

TEST_F(EntryPanelTest, QuotesInTheValueSwitchToMultipleValues)
{
    type(box("txtFieldLevel"), QStringLiteral("88"));
    type(box("txtFieldName"), QStringLiteral("is-ok"));
    auto *treat = child<QCheckBox>("chkTreatAsString");
    type(combo("cboFieldValue"), QStringLiteral("\"y\" \"n\""));
    EXPECT_TRUE(child<QCheckBox>("chkvalues")->isChecked());
    EXPECT_FALSE(treat->isChecked());
    EXPECT_FALSE(treat->isEnabled());
    EXPECT_EQ(preview(), QStringLiteral("88 IS-OK ") + M + QStringLiteral("VALUES \"Y\" \"N\"."));

    type(combo("cboFieldValue"), QStringLiteral("abc"));
    EXPECT_FALSE(child<QCheckBox>("chkvalues")->isChecked());
    EXPECT_TRUE(treat->isChecked());
    EXPECT_TRUE(treat->isEnabled());
    EXPECT_EQ(preview(), QStringLiteral("88 IS-OK ") + M + QStringLiteral("VALUE \"ABC\"."));
}

TEST_F(EntryPanelTest, OccursShowsTheArrayControlsAndTheKeyBoxTakesOnlyAOrD)
{
    type(box("txtFieldLevel"), QStringLiteral("10"));
    type(box("txtFieldName"), QStringLiteral("item"));
    type(box("txtFieldOccurs"), QStringLiteral("3"));
    EXPECT_FALSE(combo("cboOccursKey")->isHidden());
    EXPECT_FALSE(box("txtOccursIndexName")->isHidden());
    EXPECT_EQ(preview(), QStringLiteral("10 ITEM OCCURS 3 TIMES."));

    QComboBox *key = combo("cboOccursKey");
    QTest::keyClick(key, Qt::Key_A);
    EXPECT_EQ(key->currentText(), QStringLiteral("AKey"));
    EXPECT_EQ(preview(), QStringLiteral("10 ITEM OCCURS 3 TIMES ASCENDING KEY IS."));
    // Any other letter is swallowed and drops the phrase, shown with the next change.
    QTest::keyClick(key, Qt::Key_X);
    EXPECT_EQ(key->currentText(), QStringLiteral("AKey"));
    type(box("txtOccursIndexName"), QStringLiteral("ix"));
    EXPECT_EQ(preview(), QStringLiteral("10 ITEM OCCURS 3 TIMES INDEXED BY IX."));
    QTest::keyClick(key, Qt::Key_D);
    EXPECT_EQ(preview(),
              QStringLiteral("10 ITEM OCCURS 3 TIMES DESCENDING KEY IS  INDEXED BY IX."));
    QTest::keyClick(key, Qt::Key_Escape);
    EXPECT_EQ(key->currentText(), QStringLiteral("Key"));

    // A count of 0 empties the box and hides the array controls.
    type(box("txtFieldOccurs"), QStringLiteral("0"));
    EXPECT_EQ(box("txtFieldOccurs")->text(), QString());
    EXPECT_TRUE(key->isHidden());
    EXPECT_EQ(preview(), QStringLiteral("10 ITEM."));
}

TEST_F(EntryPanelTest, RedMarksInvalidNamesAndNumbers)
{
    type(box("txtFieldLevel"), QStringLiteral("5a"));
    EXPECT_TRUE(isRed(box("txtFieldLevel")));
    EXPECT_TRUE(preview().startsWith(QStringLiteral("05")));
    type(box("txtFieldLevel"), QStringLiteral("5"));
    EXPECT_FALSE(isRed(box("txtFieldLevel")));

    struct Case {
        const char *box;
        QString text;
        bool red;
    };
    const Case cases[] = {
        {"txtFieldName", QStringLiteral("1A"), true},
        {"txtFieldName", QStringLiteral("-A"), true},
        {"txtFieldName", QStringLiteral("A-1"), false},
        {"txtFieldName", QStringLiteral("A B"), true},
        {"txtFieldName", QString(), true},
        {"txtFieldLength", QStringLiteral("-5"), true},
        {"txtFieldLength", QStringLiteral("12"), false},
        {"txtFieldLength", QStringLiteral("1.5"), true},
        {"txtFieldFromPos", QStringLiteral("x"), true},
        {"txtFieldOccurs", QStringLiteral("2"), false},
    };
    for (const Case &c : cases) {
        box(c.box)->setText(QStringLiteral("Q")); // a change, so the next text is checked
        box(c.box)->setText(c.text);
        EXPECT_EQ(isRed(box(c.box)), c.red) << c.box << " " << c.text.toStdString();
    }
    // Red is advice only: the text stays as typed.
    EXPECT_EQ(box("txtFieldLength")->text(), QStringLiteral("1.5"));
}

TEST_F(EntryPanelTest, NothingIsColouredBeforeTheStartUpTimerFired)
{
    orvane::testing::ScriptedPlatform other;
    frmQEL fresh(other.seams());
    auto *name = fresh.findChild<QLineEdit *>(QStringLiteral("txtFieldName"));
    name->setText(QStringLiteral("1A"));
    EXPECT_FALSE(isRed(name));
    fresh.Timer1_Timer();
    name->setText(QStringLiteral("2A"));
    EXPECT_TRUE(isRed(name));
}

TEST_F(EntryPanelTest, AClauseOver255CharactersWarnsOnEveryChange)
{
    platform.messages.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    combo("cboFieldValue")->setEditText(QString(260, QLatin1Char('A')));
    combo("cboFieldValue")->setEditText(QString(261, QLatin1Char('A')));
    ASSERT_EQ(platform.messages.shown.size(), 2u);
    EXPECT_EQ(platform.messages.shown[0], clauseTooLongWarning);
    EXPECT_EQ(platform.messages.shown[1], clauseTooLongWarning);
    EXPECT_GT(preview().size(), 255); // the preview keeps the whole text
    combo("cboFieldValue")->setEditText(QStringLiteral("A"));
    EXPECT_EQ(platform.messages.shown.size(), 2u);
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

TEST_F(EntryPanelTest, AnOutputFieldIsAsLongAsItsPicture)
{
    QTest::mouseClick(child<QRadioButton>("optFieldTypeOutput"), Qt::LeftButton);
    type(box("txtFieldName"), QStringLiteral("total"));
    type(combo("cboFieldType"), QStringLiteral("ZZZ9"));
    EXPECT_EQ(box("txtFieldLength")->text(), QStringLiteral("4"));
    EXPECT_EQ(preview(), QStringLiteral("01 TOTAL ") + M + QStringLiteral("PIC ZZZ9."));
}

TEST_F(EntryPanelTest, ArrowKeysMoveBetweenTheBoxes)
{
    QLineEdit *level = box("txtFieldLevel");
    QLineEdit *name = box("txtFieldName");
    QLineEdit *length = box("txtFieldLength");
    QComboBox *picture = combo("cboFieldType");
    // The box selects its text once the focus has settled; arrange the caret after that.
    level->setFocus();
    QCoreApplication::processEvents();
    level->setCursorPosition(2);
    level->deselect();
    QTest::keyClick(level, Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), name);
    QCoreApplication::processEvents();

    // With the whole name selected, Left first collapses the selection, then moves.
    name->setText(QStringLiteral("AB"));
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), name);
    EXPECT_FALSE(name->hasSelectedText());
    EXPECT_EQ(name->cursorPosition(), 0);
    QTest::keyClick(name, Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), level);
    // Left at the start of the level box stays there.
    QCoreApplication::processEvents();
    level->deselect();
    level->setCursorPosition(0);
    QTest::keyClick(level, Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), level);

    // Right in the middle of a text moves the caret, not the focus.
    name->setFocus();
    QCoreApplication::processEvents();
    name->deselect();
    name->setCursorPosition(1);
    QTest::keyClick(name, Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), name);
    QTest::keyClick(name, Qt::Key_Right);
    EXPECT_NE(QApplication::focusWidget(), name);
    EXPECT_TRUE(picture->hasFocus());
    QCoreApplication::processEvents();
    picture->lineEdit()->deselect();
    picture->lineEdit()->setCursorPosition(picture->currentText().size());
    QTest::keyClick(picture, Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), length);

    // Without an array, the occurs box goes on to the value box and back.
    QLineEdit *occurs = box("txtFieldOccurs");
    occurs->setFocus();
    QCoreApplication::processEvents();
    occurs->deselect();
    QTest::keyClick(occurs, Qt::Key_Right);
    EXPECT_TRUE(combo("cboFieldValue")->hasFocus());
    QCoreApplication::processEvents();
    combo("cboFieldValue")->lineEdit()->setCursorPosition(0);
    QTest::keyClick(combo("cboFieldValue"), Qt::Key_Backspace);
    EXPECT_EQ(QApplication::focusWidget(), occurs);
    QCoreApplication::processEvents();
    occurs->deselect();
    occurs->setCursorPosition(0);
    QTest::keyClick(occurs, Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), length);
}

TEST_F(EntryPanelTest, ResettingAnOutputFieldLeavesTheStartValues)
{
    QTest::mouseClick(child<QRadioButton>("optFieldTypeOutput"), Qt::LeftButton);
    type(box("txtFieldName"), QStringLiteral("total"));
    type(combo("cboFieldType"), QStringLiteral("X"));
    type(combo("cboFieldValue"), QStringLiteral("hello"));
    EXPECT_EQ(combo("cboFieldType")->currentText(), QStringLiteral("X(5)"));
    window->ResetEntryPanel();
    EXPECT_EQ(combo("cboFieldType")->currentText(), QString());
    EXPECT_EQ(combo("cboFieldValue")->currentText(), QString());
    EXPECT_EQ(box("txtFieldLength")->text(), QString());
    EXPECT_EQ(box("txtFieldToPos")->text(), QString());
    EXPECT_EQ(preview(), QStringLiteral("01."));
}

TEST_F(EntryPanelTest, ControlsCarryTheirCaptionsTipsAndLimits)
{
    constexpr int unlimited = 32767; // a line edit's own limit: the box sets none
    struct Box {
        const char *name;
        QString tip;
        int maxLength;
    };
    const Box boxes[] = {
        {"txtFieldLevel", QString(), 2},
        {"txtFieldName", QStringLiteral("Field Name"), 71},
        {"txtFieldLength", QStringLiteral("Field Length"), unlimited},
        {"txtFieldFromPos", QStringLiteral("From Positon"), unlimited},
        {"txtFieldToPos", QStringLiteral("To Position"), unlimited},
        {"txtFieldOccurs", QStringLiteral("Array Size"), unlimited},
        {"txtOccursKeyDataName", QStringLiteral("Data-Name"), 30},
        {"txtOccursIndexName", QStringLiteral("Index_Name"), 30},
    };
    for (const Box &b : boxes) {
        QLineEdit *edit = box(b.name);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->toolTip(), b.tip) << b.name;
        EXPECT_EQ(edit->maxLength(), b.maxLength) << b.name;
    }

    struct Combo {
        const char *name;
        QString tip;
        QString text;
        QStringList list;
    };
    const Combo combos[] = {
        {"cboFieldType",
         QStringLiteral("Field Type"),
         QString(),
         {QStringLiteral("Alpha (A)"), QStringLiteral("AlphaNum (X)"),
          QStringLiteral("Numeric (9)")}},
        {"cboOccursKey",
         QStringLiteral("Key (Ascending, Descending)"),
         QStringLiteral("Key"),
         {QStringLiteral("AKey"), QStringLiteral("DKey")}},
        {"cboFieldValue",
         QStringLiteral("Initioal Field Value"),
         QString(),
         {QStringLiteral("Zeroes"), QStringLiteral("Spaces"), QStringLiteral("Zero"),
          QStringLiteral("Space")}},
    };
    for (const Combo &c : combos) {
        QComboBox *box = combo(c.name);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->toolTip(), c.tip) << c.name;
        EXPECT_EQ(box->currentText(), c.text) << c.name;
        EXPECT_TRUE(box->isEditable()) << c.name;
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        EXPECT_EQ(items, c.list) << c.name;
    }

    // Captions; a control in a frame sits inside it.
    struct Caption {
        const char *name;
        QString caption;
        const char *frame;
    };
    const Caption captions[] = {
        {"lblfieldlevel", QStringLiteral("Level"), nullptr},
        {"lblfieldname", QStringLiteral("Field Name"), nullptr},
        {"lblpicture", QStringLiteral("Picture clause"), nullptr},
        {"lbllength", QStringLiteral("Length"), nullptr},
        {"lblfrompos", QStringLiteral("From Pos"), nullptr},
        {"lbltopos", QStringLiteral("To Pos"), nullptr},
        {"lblFieldOccurs", QStringLiteral("Occurs"), nullptr},
        {"lblFieldOccursTimes", QStringLiteral("Times"), nullptr},
        {"lblOccursIndexedBy", QStringLiteral("Indexed By"), nullptr},
        {"lblfieldvalue", QStringLiteral("Initial Value ("), "frafieldvalue"},
        {"chkvalues", QStringLiteral("S)"), "frafieldvalue"},
        {"chkTreatAsString", QStringLiteral("Treat as s&tring"), "frafieldvalue"},
        {"optFieldTypeInput", QStringLiteral("&Input"), "fraFieldType"},
        {"optFieldTypeOutput", QStringLiteral("&Output"), "fraFieldType"},
        {"optRecordSizeByLength", QStringLiteral("Define by &length"), "fraRecordSize"},
        {"OptRecordSizeByPos", QStringLiteral("Define by &positions"), "fraRecordSize"},
        {"cmdAdd", QStringLiteral("Add"), nullptr},
        {"cmdEdit", QStringLiteral("Edit"), nullptr},
        {"frafieldvalue", QStringLiteral("Initial Field Value "), nullptr},
        {"fraFieldType", QStringLiteral("Field Type"), nullptr},
        {"fraRecordSize", QStringLiteral("Record Size"), nullptr},
    };
    for (const Caption &c : captions) {
        QWidget *widget = child<QWidget>(c.name);
        ASSERT_NE(widget, nullptr);
        QString text;
        if (auto *l = qobject_cast<QLabel *>(widget))
            text = l->text();
        else if (auto *b = qobject_cast<QAbstractButton *>(widget))
            text = b->text();
        else if (auto *g = qobject_cast<QGroupBox *>(widget))
            text = g->title();
        EXPECT_EQ(text, c.caption) << c.name;
        if (c.frame) {
            EXPECT_TRUE(child<QWidget>(c.frame)->isAncestorOf(widget)) << c.name;
        }
    }
    // The value caption reads as one label: the check box right behind "Initial Value (".
    EXPECT_LT(child<QWidget>("lblfieldvalue")->geometry().right(),
              child<QWidget>("chkvalues")->geometry().left());
    EXPECT_EQ(child<QWidget>("lblfieldvalue")->parentWidget(),
              child<QWidget>("chkvalues")->parentWidget());
    // The two position boxes share one panel, the length box another, in the same place.
    EXPECT_TRUE(child<QWidget>("picFieldByPos")->isAncestorOf(box("txtFieldFromPos")));
    EXPECT_TRUE(child<QWidget>("picFieldByPos")->isAncestorOf(box("txtFieldToPos")));
    EXPECT_TRUE(child<QWidget>("picFieldByLength")->isAncestorOf(box("txtFieldLength")));
    EXPECT_EQ(child<QWidget>("picFieldByPos")->parentWidget(),
              child<QWidget>("picFieldByLength")->parentWidget());
    EXPECT_TRUE(child<QPushButton>("cmdAdd")->isDefault());
}
