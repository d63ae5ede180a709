#include "cobol/LayoutCheck.h"
#include "../common/TaggedTree.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::cobol;

TEST(LayoutCheck, WarnsOfWhatTheCodeWillNotSayAsTheTreeShows)
{
    const struct {
        QString layout; // as tagged() writes it
        bool exact;
        std::vector<LayoutWarning> expected;
    } cases[] = {
        // Conditions make no group; POINTER needs no picture; a table spans one entry.
        {"01 R.[1:6](05 A PIC X(2) OCCURS 2.[1:2](88 A-OK VALUE 'OK'.[1:2]),"
         "05 P USAGE POINTER.[5:12])",
         true,
         {{1, "R: position tag 1:6 is not its storage 1:12"}}},
        {"05 G.[](03 A PIC X.[],10 C PIC X.[])",
         false,
         {{2, "A: level 3 is not greater than its parent's level 5, so the code will not nest "
              "it as the tree shows"}}},
        {"01 G PIC X(4).[](05 A PIC X.[]),01 FILLER.[1:9]",
         false,
         {{1, "G: a group item (it has subordinate items) with a PICTURE"},
          {3, "FILLER (field 3): an elementary item (no subordinate items) without a PICTURE"}}},
    };
    for (const auto &c : cases) {
        FieldTree tree;
        orvane::testing::buildTagged(tree, c.layout);
        EXPECT_EQ(CheckLayout(tree, c.exact), c.expected) << c.layout.toStdString();
    }
}
