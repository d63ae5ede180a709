#include "MainWindowFixture.h"

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

TEST_F(EntryPanelTest, AnOutputFieldIsAsLongAsItsPictureAndResetLeavesTheStartValues)
{
    QTest::mouseClick(child<QRadioButton>("optFieldTypeOutput"), Qt::LeftButton);
    type(box("txtFieldName"), QStringLiteral("total"));
    type(combo("cboFieldType"), QStringLiteral("ZZZ9"));
    EXPECT_EQ(box("txtFieldLength")->text(), QStringLiteral("4"));
    type(combo("cboFieldValue"), QStringLiteral("hello"));
    window->ResetEntryPanel();
    EXPECT_EQ(box("txtFieldLength")->text(), QString());
    EXPECT_EQ(box("txtFieldToPos")->text(), QString());
    EXPECT_EQ(preview(), QStringLiteral("01."));
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
        {"txtFieldName", 1, Qt::Key_Right, "txtFieldName"}, // inside the text: the caret moves
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

} // namespace
} // namespace orvane::testing
