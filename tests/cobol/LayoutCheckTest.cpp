#include "cobol/LayoutCheck.h"
#include "../common/QStringPrinter.h"
#include "../common/TaggedTree.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::cobol;
using orvane::testing::buildTagged;
using orvane::testing::Row;

TEST(LayoutCheck, WarnsOfWhatTheCodeWillNotSayAsTheTreeShows)
{
    const struct {
        const char *name;
        std::vector<Row> layout;
        bool exact;
        std::vector<LayoutWarning> expected;
    } cases[] = {
        {"a sound record, tags by storage",
         {{1, "01 R.", "1:6"},
          {2, "05 A PIC X(2).", "1:2"},
          {3, "88 A-OK VALUE 'OK'.", "1:2"},
          {2, "05 T OCCURS 2.", "3:4"},
          {3, "10 T-X PIC 9(2).", "3:4"},
          {2, "05 P USAGE POINTER.", "7:14"},
          {2, "05 F COMP-2.", "15:22"}},
         true,
         {{1, "R: position tag 1:6 is not its storage 1:22"}}},
        {"a child at its parent's level, or above it",
         {{1, "05 G.", ""}, {2, "05 A PIC X.", ""}, {2, "03 B PIC X.", ""}, {2, "10 C PIC X.", ""}},
         false,
         {{2, "A: level 5 is not greater than its parent's level 5, so the code will not nest "
              "it as the tree shows"},
          {3, "B: level 3 is not greater than its parent's level 5, so the code will not nest "
              "it as the tree shows"}}},
        {"pictures on a group, none on an elementary item; conditions do not make a group",
         {{1, "01 G PIC X(4).", ""},
          {2, "05 A PIC X.", ""},
          {1, "01 E.", ""},
          {2, "88 E-ON VALUE 1.", ""},
          {1, "01 FILLER.", ""}},
         false,
         {{1, "G: a group item (it has subordinate items) with a PICTURE"},
          {3, "E: an elementary item (no subordinate items) without a PICTURE"},
          {5, "FILLER (field 5): an elementary item (no subordinate items) without a PICTURE"}}},
        {"tags only when exact positions were asked for; a table spans one occurrence",
         {{1, "01 R.", "1:10"}, {2, "05 T PIC X(2) OCCURS 5.", "1:10"}},
         false,
         {}},
        {"the same, asked for",
         {{1, "01 R.", "1:10"}, {2, "05 T PIC X(2) OCCURS 5.", "01:10"}},
         true,
         {{2, "T: position tag 01:10 is not its storage 1:2"}}},
    };
    for (const auto &c : cases) {
        FieldTree tree;
        buildTagged(tree, c.layout);
        EXPECT_EQ(CheckLayout(tree, c.exact), c.expected) << c.name;
    }
}
