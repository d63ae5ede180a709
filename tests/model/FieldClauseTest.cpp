#include "model/FieldClause.h"
#include "../common/TreeText.h"
#include "model/Cp1252.h"
#include "model/FieldNames.h"
#include "model/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace orvane;

namespace
{
// `flags` holds 's' for treat as string, 'm' for several values, 'o' for an output field.
FieldEntry field(const QString &level, const QString &name, const QString &picture = {},
                 const QString &length = {}, const QString &occurs = {}, const QString &value = {},
                 const char *flags = "", const QString &keyKind = "Key", const QString &key = {},
                 const QString &index = {})
{
    FieldEntry e{level, name,  picture, length, occurs, keyKind,
                 key,   index, value,   false,  false,  true};
    e.multipleValues = strchr(flags, 'm');
    e.treatAsString = strchr(flags, 's');
    e.inputField = !strchr(flags, 'o');
    return e;
}
} // namespace

TEST(NumberText, ReadsTheLeadingNumberAndWritesTheShortestForm)
{
    EXPECT_EQ(readNumber(u"  12abc"), 12);
    EXPECT_EQ(readNumber(u"-3"), -3);
    EXPECT_EQ(readNumber(u"+4.5x"), 4.5);
    EXPECT_EQ(readNumber(u"1.2.3"), 1.2);
    EXPECT_EQ(readNumber(u"abc"), 0);
    EXPECT_EQ(readNumber(u"1e5"), 1); // no exponents: the number ends at the letter
    EXPECT_EQ(numberText(7), "7");
    EXPECT_EQ(numberText(7.5), "7.5");
    EXPECT_EQ(numberText(-0.0), "0");
    EXPECT_EQ(numberText(readNumber(u"0010")), "10");
    EXPECT_TRUE(std::isfinite(readNumber(QString(400, u'9'))));
}

TEST(BuildFieldClause, Rows)
{
    const QString X = "AlphaNum (X)";
    const struct {
        FieldEntry entry;
        QString expected;
    } cases[] = {
        {field("1", "CUSTOMER-REC"), "01 CUSTOMER-REC."},
        {field("5", "CUST-NAME", X, "30"), "05 CUST-NAME ~PIC X(30)."},
        {field("5", "CUST-NAME", X, "30", "", "Spaces"), "05 CUST-NAME ~PIC X(30) ~VALUE SPACES."},
        {field("5", "AMOUNT", "S9", "7"), "05 AMOUNT ~PIC S9(7)."},
        {field("5", "ITEMS", "", "", "10"), "05 ITEMS OCCURS 10 TIMES."},
        {FieldEntry{}, "01."},
        {field("", ""), "00."},
        {field("5", "   ", X, "2"), "05 ~PIC X(2)."},
        {field("5", "A", "alphanum (x)"), "05 A ~PIC X(0)."},
        {field("5", "A", "  Numeric (9)  ", "x"), "05 A ~PIC 9(0)."},
        // Occurs without key and index leaves two blanks, which stay inside the line.
        {field("5", "A", X, "5", "3"), "05 A OCCURS 3 TIMES  ~PIC X(5)."},
        {field("5", "A", X, "5", "0"), "05 A ~PIC X(5)."},
        // A value of blanks is not empty; the final trim only touches the end of the line.
        {field("5", "A", X, "1", "", "   "), "05 A ~PIC X(1) ~VALUE."},
        {field("5", "A", X, "1", "2", "   "), "05 A OCCURS 2 TIMES  ~VALUE ~PIC X(1)."},
        {field("5.5", "a"), "05.5 A."},
        {field("9", "a"), "09 A."},
        {field("5", "A", "", "", "1"), "05 A OCCURS 1 TIMES."},
        // Whole numbers keep all their digits up to 9e15, beyond that they are written short.
        {field("5", "A", X, "123456789012345"), "05 A ~PIC X(123456789012345)."},
        {field("5", "A", X, "9000000000000000"), "05 A ~PIC X(9E+15)."},
        // With OCCURS the value stands before the picture.
        {field("10", "ITEM", "Alpha (A)", "5", "12", "Space", "", "AKey", "ITEM-KEY", "IX"),
         "10 ITEM OCCURS 12 TIMES ASCENDING KEY IS ITEM-KEY INDEXED BY IX ~VALUE SPACE~PIC A(5)."},
        {field("5", "A", X, "5", "3", "", "", "dkey"),
         "05 A OCCURS 3 TIMES DESCENDING KEY IS   ~PIC X(5)."},
        // Treat as string quotes the value and keeps its own blanks and quotes.
        {field("5", "CODE", X, "3", "", "abc", "s"), "05 CODE ~PIC X(3) ~VALUE \"ABC\"."},
        {field("5", "A", X, "9", "", " a\"b ", "s"), "05 A ~PIC X(9) ~VALUE \" A\"B \"."},
        {field("88", "IS-OK", "", "", "", "\"y\" \"n\"", "m"), "88 IS-OK ~VALUES \"Y\" \"N\"."},
        {field("5", "TOTAL", "ZZ,ZZ9.99", "", "", "", "o"), "05 TOTAL ~PIC ZZ,ZZ9.99."},
        // Output field with a picture kind appends letter and list text: kept as described.
        {field("5", "A", X, "4", "", "", "o"), "05 A ~PIC XALPHANUM (X)."},
    };
    for (const auto &c : cases)
        EXPECT_EQ(BuildFieldClause(c.entry), orvane::testing::marked(c.expected))
            << c.expected.toStdString();
}

TEST(BuildFieldClause, UpperCaseStaysInsideWindows1252)
{
    EXPECT_EQ(upperCp1252(u"straße àéÿ šœ µ αβ"), u"STRAßE ÀÉŸ ŠŒ µ αβ");
    EXPECT_EQ(BuildFieldClause(field("5", "größe")), u"05 GRÖßE.");
    for (char16_t c = 0; c < 0x100; ++c) {
        const QChar up = upperCp1252(QString(QChar(c))).at(0);
        EXPECT_TRUE(cp1252::representable(up) || up == QChar(c)) << int(c);
    }
}

TEST(Cp1252, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = cp1252::decode(all);
    EXPECT_EQ(text.at(0x80), QChar(0x20AC));
    EXPECT_EQ(text.at(0xA0), ClauseMark);
    EXPECT_EQ(cp1252::encode(text), all);
    EXPECT_EQ(cp1252::encode(u"a\u4E2Db"), "a?b");
}

TEST(FieldNames, TheDataNameIsTheWordAfterTheLevel)
{
    struct Case {
        const char16_t *clause;
        const char *name;
        bool filler;
    };
    const Case cases[] = {
        {u"05 CUST-NAME \u00A0PIC X(30).", "CUST-NAME", false},
        {u"01 CUSTOMER.", "CUSTOMER", false},
        {u"  10   filler\u00A0PIC X.", "filler", true},
        {u"05 FILLERS \u00A0PIC X.", "FILLERS", false},
        {u"FILLER PIC X.", "FILLER", true}, // typed in the tree without a level
        {u"05", "", false},
    };
    for (const Case &c : cases) {
        const QString clause = QString::fromUtf16(c.clause);
        EXPECT_EQ(clauseDataName(clause), QString::fromLatin1(c.name)) << clause.toStdString();
        EXPECT_EQ(isFillerClause(clause), c.filler) << clause.toStdString();
    }
}

TEST(FieldNames, APlaceNamesTheLineAndTheGroupsAbove)
{
    FieldTree tree;
    const int rec = tree.add(0, Relationship::Last, QStringLiteral("01 CUSTOMER."));
    EXPECT_EQ(fieldPlaceText(tree, rec, 1), "Field CUSTOMER on line 1 of the layout");
    // A deep chain names its outermost group and the three nearest.
    int deepest = rec;
    for (int level = 1; level <= 5; ++level)
        deepest = tree.add(deepest, Relationship::Child, QStringLiteral("05 G%1.").arg(level));
    EXPECT_EQ(fieldPlaceText(tree, deepest, 6),
              "Field G5 on line 6 of the layout (in CUSTOMER > ... > G2 > G3 > G4)");
    const int unnamed = tree.add(0, Relationship::Last, QStringLiteral("01"));
    EXPECT_EQ(fieldPlaceText(tree, unnamed, 7), "The field without a name on line 7 of the layout");
}
