// Position tags and the storage the compiler gives: the tags an import writes, and the warnings
// when a tag, a level or a picture says otherwise than the tree.

#include "cobol/StoragePositions.h"

#include "cobol/CopybookReader.h"
#include "cobol/LayoutCheck.h"
#include "model/Positions.h"

#include "../common/QStringPrinter.h"
#include "../common/TaggedTree.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::cobol;

// The tags an import gives are the compiler's positions, as `orvane-cli map` prints them. The
// fields already there keep theirs, and the new ones follow them.
TEST(StoragePositions, ImportTagsAreTheMapsFirstAndLastBytes)
{
    FieldTree tree;
    orvane::testing::buildTagged(tree, QStringLiteral("01 OLD.[1:4](05 X.[])"));
    const ReadResult read =
        ReadDataDescriptions(QStringLiteral("*> dropped\n"
                                            "01 REC. 05 KIND PIC X. 88 KIND-A VALUE 'A'.\n"
                                            "05 BODY PIC X(20). 05 BODY-A REDEFINES BODY.\n"
                                            "10 A-NUM PIC 9(4). 10 A-TXT PIC X(6).\n"
                                            "05 TAB OCCURS 3. 10 T-CODE PIC X(2).\n"
                                            "10 T-AMT PIC S9(5) COMP-3. 88 T-ZERO VALUE 0.\n"
                                            "05 TAIL PIC X(4). 01 OTHER PIC X(8).\n"),
                             ReadOptions{SourceFormat::Free, {}, {}});
    ASSERT_EQ(ImportEntries(tree, read), 13);
    EXPECT_EQ(tree.topLevelCount(), 3); // OLD, REC, OTHER
    EXPECT_EQ(ImportSummary(read, 13), "13 fields imported.\n1 comment line(s) left out: a layout "
                                       "holds no comments.");
    const char *const expected[] = {"1:4",   "",      "1:40",  "1:1",   "1:1",
                                    "2:21",  "2:11",  "2:5",   "6:11",  "22:26",
                                    "22:23", "24:26", "24:26", "37:40", "1:8"};
    ASSERT_EQ(tree.count(), int(std::size(expected)));
    for (int node = 1; node <= tree.count(); ++node)
        EXPECT_EQ(tree.tag(node), QString::fromLatin1(expected[node - 1])) << node;
    // A table's tag spans one occurrence and reaches over all of them: the map's last byte.
    for (const StorageItem &item : BuildStorageMap(tree, Dialect::Default).items)
        EXPECT_TRUE(item.node <= 2 || item.category == Category::Condition ||
                    tagReachEnd(tree.tag(item.node), tree.text(item.node)) ==
                        double(item.offset + item.length));
    StorageCache cache;
    EXPECT_EQ(StorageStatusText(cache.item(tree, 4)), u"Storage 1 To 1, 1 byte");
    EXPECT_EQ(StorageStatusText(cache.item(tree, 5)), u"Storage: its item's (88)");
    EXPECT_EQ(StorageStatusText(cache.item(tree, 10)), u"Storage 22 To 36, 3 \u00D7 5 bytes");

    // A constant outside a record goes to the top, even where the first field now stands lower.
    FieldTree moved;
    moved.add(0, Relationship::Last, QStringLiteral("01 A."));
    moved.setParent(1, moved.add(0, Relationship::Last, QStringLiteral("01 B.")));
    ImportEntries(moved, ReadDataDescriptions(QStringLiteral("78 N VALUE 3.\n"),
                                              ReadOptions{SourceFormat::Free, {}, {}}));
    EXPECT_EQ(orvane::testing::outline(moved), "01 B.(01 A.),78 N \u00A0VALUE 3.");
}

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
