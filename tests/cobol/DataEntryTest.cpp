#include "cobol/DataEntry.h"
#include "../common/QStringPrinter.h"
#include "../common/TreeText.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::cobol;

TEST(DataEntry, EveryClauseKeepsItsWordsInTheFieldText)
{
    struct Case {
        const char *entry;
        const char *field;
    } cases[] = {
        {"01 customer-rec", "01 CUSTOMER-REC."},
        {"05 name pic x(30)", "05 NAME ~PIC X(30)."},
        {"05 NAME PICTURE IS A(5)", "05 NAME ~PIC A(5)."},
        {"05 AMT PIC S9(7)V99 USAGE IS COMP-3", "05 AMT ~PIC S9(7)V99 USAGE IS COMP-3."},
        {"05 AMT COMPUTATIONAL-3 PIC S9(3)", "05 AMT ~PIC S9(3) COMPUTATIONAL-3."},
        {"05 CNT PIC 9(4) BINARY SYNC", "05 CNT ~PIC 9(4) BINARY SYNC."},
        {"05 F1 COMP-1", "05 F1 COMP-1."},
        {"05 PTR USAGE POINTER", "05 PTR USAGE POINTER."},
        {"05 BAL PIC S9(5) SIGN IS LEADING SEPARATE CHARACTER",
         "05 BAL ~PIC S9(5) SIGN IS LEADING SEPARATE CHARACTER."},
        {"05 BAL PIC S9(5) TRAILING", "05 BAL ~PIC S9(5) TRAILING."},
        {"05 T PIC X(9) JUSTIFIED RIGHT", "05 T ~PIC X(9) JUSTIFIED RIGHT."},
        {"05 E PIC ZZ9.99 BLANK WHEN ZERO", "05 E ~PIC ZZ9.99 BLANK WHEN ZERO."},
        {"01 SHARED IS EXTERNAL", "01 SHARED IS EXTERNAL."},
        {"01 G GLOBAL", "01 G GLOBAL."},
        {"05 B REDEFINES A PIC 9(3)", "05 B REDEFINES A ~PIC 9(3)."},
        {"66 RN RENAMES A THROUGH B", "66 RN RENAMES A THROUGH B."},
        {"05 ITEMS OCCURS 10 TIMES", "05 ITEMS OCCURS 10 TIMES."},
        {"05 LINE OCCURS 1 TO 50 TIMES DEPENDING ON CNT ASCENDING KEY IS K1 K2 "
         "DESCENDING K3 INDEXED BY IX1 IX2 PIC X(8)",
         "05 LINE OCCURS 1 TO 50 TIMES DEPENDING ON CNT ASCENDING KEY IS K1 K2 DESCENDING K3 "
         "INDEXED BY IX1 IX2 ~PIC X(8)."},
        // With OCCURS the value stands before the picture, as the entry panel writes it.
        {"10 ITEM OCCURS 12 PIC A(5) VALUE SPACE", "10 ITEM OCCURS 12 ~VALUE SPACE~PIC A(5)."},
        {"05 CODE PIC X(3) VALUE 'abc'", "05 CODE ~PIC X(3) ~VALUE 'abc'."},
        {"05 FILLER PIC X VALUE X\"0D\"", "05 FILLER ~PIC X ~VALUE X\"0D\"."},
        {"05 PIC X(2) VALUE ALL '*'", "05 ~PIC X(2) ~VALUE ALL '*'."},
        {"05 Z PIC S9V9 VALUE -1.5", "05 Z ~PIC S9V9 ~VALUE -1.5."},
        {"88 OK VALUES ARE 'A' THRU 'C' 'X' ZERO", "88 OK ~VALUES ARE 'A' THRU 'C' 'X' ZERO."},
        {"5 A PIC X", "05 A ~PIC X."},
    };
    for (const Case &c : cases) {
        DataEntry e;
        EXPECT_EQ(ParseFieldText(QString::fromUtf8(c.entry), e), QString()) << c.entry;
        EXPECT_EQ(e.fieldText, orvane::testing::marked(c.field)) << c.entry;
        // The field text reads back into the same entry.
        DataEntry again;
        EXPECT_EQ(ParseFieldText(e.fieldText, again), QString()) << c.entry;
        EXPECT_EQ(again.fieldText, e.fieldText);
    }
}

TEST(DataEntry, ClausesSetTheEntry)
{
    DataEntry e;
    ASSERT_EQ(ParseFieldText(QStringLiteral("05 LINES OCCURS 2 TO 9 DEPENDING ON N "
                                            "PIC S9(4) COMP-5 SIGN LEADING SEPARATE SYNC JUST "
                                            "BLANK ZERO IS GLOBAL"),
                             e),
              QString());
    EXPECT_EQ(e.level, 5);
    EXPECT_EQ(e.name, QStringLiteral("LINES"));
    EXPECT_EQ(e.occursMin, 2);
    EXPECT_EQ(e.occursMax, 9);
    EXPECT_EQ(e.dependingOn, QStringLiteral("N"));
    EXPECT_EQ(e.usage, Usage::Comp5);
    EXPECT_EQ(e.sign, SignPosition::Leading);
    EXPECT_TRUE(e.signSeparate && e.sync && e.justified && e.blankWhenZero && e.global);
    EXPECT_FALSE(e.external || e.filler || e.hasValue);
}

TEST(DataEntry, RejectsWhatIsNoEntry)
{
    struct Case {
        const char *entry;
        const char *message;
    } cases[] = {
        {"A PIC X", "expected a level number"},
        {"50 A PIC X", "is not a level number"},
        {"100 A PIC X", "expected a level number"},
        {"05 A PIC X PIC 9", "two PICTURE"},
        {"05 A PIC X(0)", "repeat count"},
        {"05 A PIC Q", "not a picture symbol"},
        {"05 A PIC 9S", "S may stand only once, at the start"},
        {"05 A PIC X9V9", "do not mix"},
        {"05 A PIC X COMP-3", "numeric picture"},
        {"05 A COMP-1 PIC 9", "takes no PICTURE"},
        {"05 A OCCURS 0", "at least 1"},
        {"05 A OCCURS 5 TO 2 PIC X", "maximum must be at least"},
        {"05 A OCCURS PIC X", "expected a whole number"},
        {"05 A VALUE", "expected a literal"},
        {"05 A PIC X VALUE 'A' THRU", "expected a literal"},
        {"05 A PIC X FOO", "'FOO' is not a clause"},
        {"05 A PIC X 'LIT'", "unexpected literal"},
        {"05 A REDEFINES PIC X", "expected a data name"},
        {"66 A PIC X", "needs a RENAMES"},
        {"05 A RENAMES B", "only a level-66"},
        {"88 A", "needs a VALUE"},
        {"88 VALUE 1", "needs a name"},
        {"88 A PIC X VALUE 1", "takes only a VALUE"},
        {"66 A RENAMES B OCCURS 3", "cannot have an OCCURS"},
        {"05 A-B- PIC X", "is not a data name"},
        {"05 A SIGN SEPARATE", "LEADING or TRAILING"},
        {"05 A PIC 9(39)", "more than 38 digits"},
    };
    for (const Case &c : cases) {
        DataEntry e;
        const QString message = ParseFieldText(QString::fromUtf8(c.entry), e);
        EXPECT_TRUE(message.contains(QLatin1String(c.message)))
            << c.entry << ": " << message.toStdString();
    }
    // A data name may have 63 characters, not 64.
    DataEntry e;
    EXPECT_EQ(ParseFieldText("05 " + QString(63, u'N') + " PIC X", e), QString());
    EXPECT_TRUE(ParseFieldText("05 " + QString(64, u'N') + " PIC X", e).contains("data name"));
}

TEST(DataEntry, PicturesGiveCategorySizeDigitsAndScale)
{
    struct Case {
        const char *picture;
        Category category;
        qint64 positions;
        int digits;
        int scale;
        bool isSigned;
    } cases[] = {
        {"X(30)", Category::Alphanumeric, 30, 0, 0, false},
        {"AAA", Category::Alphabetic, 3, 0, 0, false},
        {"A9X", Category::Alphanumeric, 3, 0, 0, false},
        {"XXBXX", Category::AlphanumericEdited, 5, 0, 0, false},
        {"N(4)", Category::National, 4, 0, 0, false},
        {"9(5)", Category::Numeric, 5, 5, 0, false},
        {"S9(7)V99", Category::Numeric, 9, 9, 2, true},
        {"s9(3)v9(2)", Category::Numeric, 5, 5, 2, true},
        {"9(3)P(2)", Category::Numeric, 3, 3, -2, false},
        {"PP99", Category::Numeric, 2, 2, 4, false},
        {"SVP(3)9(5)", Category::Numeric, 5, 5, 8, true},
        {"ZZ,ZZ9.99", Category::NumericEdited, 9, 7, 2, false},
        {"-ZZ9.99", Category::NumericEdited, 7, 5, 2, false},
        {"ZZ9.99CR", Category::NumericEdited, 8, 5, 2, false},
        {"$$,$$9.99DB", Category::NumericEdited, 11, 3, 2, false},
        {"99/99/99", Category::NumericEdited, 8, 6, 0, false},
        {"***9", Category::NumericEdited, 4, 4, 0, false},
        {"zz9.99", Category::NumericEdited, 6, 5, 2, false},
    };
    for (const Case &c : cases) {
        PictureInfo info;
        ASSERT_EQ(AnalyzePicture(QString::fromUtf8(c.picture), info), QString()) << c.picture;
        EXPECT_EQ(info.category, c.category) << c.picture;
        EXPECT_EQ(info.positions, c.positions) << c.picture;
        EXPECT_EQ(info.digits, c.digits) << c.picture;
        EXPECT_EQ(info.scale, c.scale) << c.picture;
        EXPECT_EQ(info.isSigned, c.isSigned) << c.picture;
    }
}
