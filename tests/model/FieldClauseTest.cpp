#include "model/FieldClause.h"
#include "model/Cp1252.h"
#include "model/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace orvane;

namespace
{
// Writes the clause marker visibly so that expectations read like the layouts they describe.
QString shown(const QString &clause)
{
    QString s = clause;
    return s.replace(ClauseMark, u'¤');
}

FieldEntry field(const QString &level, const QString &name, const QString &picture = {},
                 const QString &length = {})
{
    FieldEntry e;
    e.level = level;
    e.name = name;
    e.pictureText = picture;
    e.length = length;
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

TEST(BuildFieldClause, ExampleRows)
{
    EXPECT_EQ(shown(BuildFieldClause(field("1", "CUSTOMER-REC"))), "01 CUSTOMER-REC.");
    FieldEntry name = field("5", "CUST-NAME", "AlphaNum (X)", "30");
    EXPECT_EQ(shown(BuildFieldClause(name)), "05 CUST-NAME ¤PIC X(30).");
    name.value = "Spaces";
    EXPECT_EQ(shown(BuildFieldClause(name)), "05 CUST-NAME ¤PIC X(30) ¤VALUE SPACES.");
    EXPECT_EQ(shown(BuildFieldClause(field("5", "AMOUNT", "S9", "7"))), "05 AMOUNT ¤PIC S9(7).");

    FieldEntry item = field("10", "ITEM", "Alpha (A)", "5");
    item.occurs = "12";
    item.keyKindText = "AKey";
    item.keyDataName = "ITEM-KEY";
    item.indexName = "IX";
    EXPECT_EQ(shown(BuildFieldClause(item)),
              "10 ITEM OCCURS 12 TIMES ASCENDING KEY IS ITEM-KEY INDEXED BY IX ¤PIC A(5).");
    item.value = "Space";
    EXPECT_EQ(
        shown(BuildFieldClause(item)),
        "10 ITEM OCCURS 12 TIMES ASCENDING KEY IS ITEM-KEY INDEXED BY IX ¤VALUE SPACE¤PIC A(5).");

    FieldEntry code = field("5", "CODE", "AlphaNum (X)", "3");
    code.value = "abc";
    code.treatAsString = true;
    EXPECT_EQ(shown(BuildFieldClause(code)), "05 CODE ¤PIC X(3) ¤VALUE \"ABC\".");

    FieldEntry ok = field("88", "IS-OK");
    ok.value = "\"y\" \"n\"";
    ok.multipleValues = true;
    EXPECT_EQ(shown(BuildFieldClause(ok)), "88 IS-OK ¤VALUES \"Y\" \"N\".");

    FieldEntry total = field("5", "TOTAL", "ZZ,ZZ9.99");
    total.inputField = false;
    EXPECT_EQ(shown(BuildFieldClause(total)), "05 TOTAL ¤PIC ZZ,ZZ9.99.");

    FieldEntry items = field("5", "ITEMS");
    items.occurs = "10";
    EXPECT_EQ(shown(BuildFieldClause(items)), "05 ITEMS OCCURS 10 TIMES.");
}

TEST(BuildFieldClause, EdgeCases)
{
    EXPECT_EQ(BuildFieldClause(FieldEntry{}), "01.");
    EXPECT_EQ(BuildFieldClause(field("", "")), "00.");
    EXPECT_EQ(shown(BuildFieldClause(field("5", "   ", "AlphaNum (X)", "2"))), "05 ¤PIC X(2).");
    EXPECT_EQ(shown(BuildFieldClause(field("5", "A", "alphanum (x)", ""))), "05 A ¤PIC X(0).");
    EXPECT_EQ(shown(BuildFieldClause(field("5", "A", "  Numeric (9)  ", "x"))), "05 A ¤PIC 9(0).");

    // Occurs without key and index leaves two blanks, which stay inside the line.
    FieldEntry arr = field("5", "A", "AlphaNum (X)", "5");
    arr.occurs = "3";
    EXPECT_EQ(shown(BuildFieldClause(arr)), "05 A OCCURS 3 TIMES  ¤PIC X(5).");
    arr.keyKindText = "dkey";
    EXPECT_EQ(shown(BuildFieldClause(arr)), "05 A OCCURS 3 TIMES DESCENDING KEY IS   ¤PIC X(5).");
    arr.keyKindText = "Key"; // the start text means no key
    arr.occurs = "0";
    EXPECT_EQ(shown(BuildFieldClause(arr)), "05 A ¤PIC X(5).");

    // A value of blanks is not empty; the final trim only touches the end of the line.
    FieldEntry blanks = field("5", "A", "AlphaNum (X)", "1");
    blanks.value = "   ";
    EXPECT_EQ(shown(BuildFieldClause(blanks)), "05 A ¤PIC X(1) ¤VALUE.");
    blanks.occurs = "2";
    EXPECT_EQ(shown(BuildFieldClause(blanks)), "05 A OCCURS 2 TIMES  ¤VALUE ¤PIC X(1).");

    // Treat as string keeps the value's own blanks and quotes.
    FieldEntry quoted = field("5", "A", "AlphaNum (X)", "9");
    quoted.value = " a\"b ";
    quoted.treatAsString = true;
    EXPECT_EQ(shown(BuildFieldClause(quoted)), "05 A ¤PIC X(9) ¤VALUE \" A\"B \".");

    // Output field with a picture kind appends letter and list text: kept as described.
    FieldEntry out = field("5", "A", "AlphaNum (X)", "4");
    out.inputField = false;
    EXPECT_EQ(shown(BuildFieldClause(out)), "05 A ¤PIC XALPHANUM (X).");

    EXPECT_EQ(BuildFieldClause(field("5.5", "a")), "05.5 A.");
    EXPECT_EQ(BuildFieldClause(field("9", "a")), "09 A.");
    FieldEntry one = field("5", "A");
    one.occurs = "1";
    EXPECT_EQ(BuildFieldClause(one), "05 A OCCURS 1 TIMES.");
    // Whole numbers keep all their digits up to 9e15, beyond that they are written short.
    EXPECT_EQ(shown(BuildFieldClause(field("5", "A", "AlphaNum (X)", "123456789012345"))),
              "05 A ¤PIC X(123456789012345).");
    EXPECT_EQ(shown(BuildFieldClause(field("5", "A", "AlphaNum (X)", "9000000000000000"))),
              "05 A ¤PIC X(9E+15).");
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
    EXPECT_EQ(text.at(0xE9), QChar(u'é'));
    EXPECT_EQ(cp1252::encode(text), all);
    EXPECT_EQ(cp1252::encode(u"a\u4E2Db"), "a?b");
}
