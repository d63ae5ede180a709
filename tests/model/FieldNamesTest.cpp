#include "model/FieldNames.h"

#include <gtest/gtest.h>

using namespace orvane;

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
