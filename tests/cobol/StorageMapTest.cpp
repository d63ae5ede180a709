// The storage map: sizes and offsets as the compiler gives them, the tags an import writes from
// them, and the warnings where a tag, a level or a picture disagrees with the tree.

#include "cobol/StorageMap.h"
#include "../common/TaggedTree.h"
#include "CobolTestSupport.h"
#include "cobol/LayoutCheck.h"
#include "cobol/StoragePositions.h"
#include "model/Positions.h"

using namespace orvane;
using namespace orvane::cobol;
using orvane::testing::mapOf;

namespace
{

const StorageItem *findItem(const StorageMap &map, const char *name)
{
    for (const StorageItem &item : map.items)
        if (item.name == QLatin1String(name))
            return &item;
    return nullptr;
}

// "NAME:offset+length" for every item, in tree order.
QString layout(const StorageMap &map)
{
    QStringList parts;
    for (const StorageItem &item : map.items)
        parts << QStringLiteral("%1:%2+%3").arg(item.name).arg(item.offset).arg(item.length);
    return parts.join(u' ');
}

} // namespace

// What cobc 3.1 gives each of these items under -std=default, ibm and mf. The usages the
// compiler test's copybooks hold as they stand here (X, N, COMP-1, COMP-2, INDEX, POINTER,
// 9(2) COMP, S9(7) COMP) cobc checks there in every dialect.
TEST(StorageMap, ElementarySizesPerDialect)
{
    struct Case {
        const char *clauses;
        qint64 defaultSize;
        qint64 ibmSize;
        qint64 mfSize;
    } cases[] = {
        {"PIC S9(7)V99", 9, 9, 9},
        {"PIC S9(3) SIGN LEADING SEPARATE", 4, 4, 4},
        {"PIC 9(3) SIGN LEADING SEPARATE", 3, 3, 3}, // no sign to separate
        {"PIC S9(3) COMP", 2, 2, 2},
        {"PIC S9(5) COMP", 4, 4, 3},
        {"PIC 9(5) COMP-5", 4, 4, 3},
        {"PIC 9(7) BINARY", 4, 4, 3},
        {"PIC 9(8) COMP-4", 4, 4, 4},
        {"PIC 9(10) COMPUTATIONAL", 8, 8, 5},
        {"PIC S9(11) COMP", 8, 8, 5},
        {"PIC 9(12) COMP", 8, 8, 5},
        {"PIC S9(14) COMP", 8, 8, 6},
        {"PIC 9(16) COMP", 8, 8, 7},
        {"PIC 9(17) COMP", 8, 8, 8},
        {"PIC 9(18) COMP-X", 8, 8, 8},
        {"PIC 9(2) COMP-5", 1, 1, 1},
        {"PIC 9(4) COMP-3", 3, 3, 3},
        {"PIC 9(5) PACKED-DECIMAL", 3, 3, 3},
    };
    for (const Case &c : cases) {
        const qint64 expected[] = {c.defaultSize, c.ibmSize, c.mfSize};
        for (Dialect d : {Dialect::Default, Dialect::Ibm, Dialect::Mf}) {
            const StorageMap map = mapOf(QStringLiteral("77 A %1.").arg(c.clauses), d);
            ASSERT_EQ(map.items.size(), 1u);
            EXPECT_EQ(map.items[0].length, expected[int(d)])
                << c.clauses << " -std=" << DialectName(d).toStdString();
            EXPECT_TRUE(map.errors.isEmpty()) << c.clauses;
        }
    }
}

TEST(StorageMap, OffsetsFollowTheCompilersRules)
{
    struct Case {
        const char *copybook;
        Dialect dialect;
        const char *layout;
    } cases[] = {
        // OCCURS multiplies; DEPENDING ON counts the maximum; 88 has no storage.
        {"01 R. 05 N PIC 9. 05 T OCCURS 1 TO 4 DEPENDING ON N. 10 T1 PIC X(5). "
         "88 T-OK VALUE 'A'. 05 Z PIC X.",
         Dialect::Default, "R:0+22 N:0+1 T:1+20 T1:1+5 T-OK:1+0 Z:21+1"},
        // REDEFINES starts at the item it names; the group holds the larger variant.
        {"01 R. 05 A PIC X(10). 05 B REDEFINES A PIC X(12). 05 C REDEFINES A PIC X(4). "
         "05 D PIC X.",
         Dialect::Ibm, "R:0+13 A:0+10 B:0+12 C:0+4 D:12+1"},
        // SYNC: slack bytes before aligned items, counted from the start of the 01.
        {"01 R. 05 A PIC X. 05 B PIC S9(3) COMP SYNC. 05 C PIC X. 05 D PIC S9(9) COMP-5 SYNC. "
         "05 E PIC X. 05 F COMP-2 SYNC. 05 G PIC X. 05 H POINTER SYNC. 05 I PIC X. "
         "05 J INDEX SYNC. 05 K PIC X. 05 L PIC S9(5) COMP-3 SYNC.",
         Dialect::Default,
         "R:0+52 A:0+1 B:2+2 C:4+1 D:8+4 E:12+1 F:16+8 G:24+1 H:32+8 I:40+1 J:44+4 K:48+1 "
         "L:49+3"},
        // mf leaves odd binary sizes unaligned.
        {"01 R. 05 A PIC X. 05 B PIC S9(6) COMP SYNC. 05 C PIC X. 05 D PIC S9(11) COMP SYNC.",
         Dialect::Mf, "R:0+10 A:0+1 B:1+3 C:4+1 D:5+5"},
        // A table entry holding aligned items is padded to their alignment.
        {"01 R. 05 T OCCURS 3. 10 T1 PIC X. 10 T2 PIC S9(9) COMP SYNC. 10 T3 PIC X. "
         "05 Z PIC X.",
         Dialect::Default, "R:0+37 T:0+36 T1:0+1 T2:4+4 T3:8+1 Z:36+1"},
        // After a nested table the entry pads to what that table aligned to (2, not 4), as
        // cobc does.
        {"01 R. 05 S OCCURS 2. 10 A PIC X. 10 B PIC S9(7) COMP SYNC. 10 C PIC X(3). "
         "10 D OCCURS 3. 15 E PIC XX. 15 F PIC S9(4) COMP SYNC.",
         Dialect::Default, "R:0+60 S:0+60 A:0+1 B:4+4 C:8+3 D:11+18 E:11+2 F:14+2"},
        // Alignment counts from the record, also inside a nested group.
        {"01 R. 05 A PIC X. 05 G. 10 B PIC S9(4) COMP SYNC.", Dialect::Default,
         "R:0+4 A:0+1 G:1+3 B:2+2"},
        // SYNC on a group aligns nothing; a group's USAGE passes to its items.
        {"01 R. 05 A PIC X. 05 G SYNC COMP-3. 10 B PIC S9(4). 10 C PIC 9(5).", Dialect::Default,
         "R:0+7 A:0+1 G:1+6 B:1+3 C:4+3"},
        // RENAMES spans from the first item's start to the THRU item's end.
        {"01 R. 05 A PIC X(3). 05 B PIC 9(4). 05 C PIC X. 66 AB RENAMES A THRU B. "
         "66 CC RENAMES C.",
         Dialect::Default, "R:0+8 A:0+3 B:3+4 C:7+1 AB:0+7 CC:7+1"},
        // A condition on the very first item of the layout.
        {"01 F PIC X. 88 F-Y VALUE 'Y'.", Dialect::Default, "F:0+1 F-Y:0+0"},
        // A copybook for a group: its top-level items follow one another.
        {"05 A PIC X(2). 05 B PIC 9(3). 01 S PIC X.", Dialect::Default, "A:0+2 B:2+3 S:0+1"},
    };
    for (const Case &c : cases) {
        const StorageMap map = mapOf(QString::fromUtf8(c.copybook), c.dialect);
        EXPECT_EQ(layout(map), QString::fromUtf8(c.layout)) << c.copybook;
        EXPECT_TRUE(map.errors.isEmpty()) << map.errors.join(u'\n').toStdString();
    }
}

TEST(StorageMap, ShowsSlackBytesRecordLengthsAndTables)
{
    const StorageMap map = mapOf(
        "01 R. 05 T OCCURS 2. 10 T1 PIC X. 10 T2 PIC S9(4) COMP SYNC. 10 T3 PIC X. 01 S PIC X(7).");
    ASSERT_EQ(map.records.size(), 2u);
    EXPECT_EQ(map.records[0].name, QStringLiteral("R"));
    EXPECT_EQ(map.records[0].length, 12);
    EXPECT_EQ(map.records[1].length, 7);
    EXPECT_EQ(findItem(map, "T2")->slackBefore, 1);
    EXPECT_EQ(findItem(map, "T")->slackAfter, 1);
    EXPECT_EQ(findItem(map, "T")->entryLength, 6);

    // What a decoder needs of a table.
    const StorageMap table = mapOf("01 R. 05 N PIC 99. 05 AMT OCCURS 1 TO 9 DEPENDING ON N "
                                   "PIC S9(5)V99 SIGN LEADING SEPARATE. 05 P PIC 9(3)P(2) "
                                   "COMP-3.");
    EXPECT_EQ(layout(table), "R:0+76 N:0+2 AMT:2+72 P:74+2");
    const StorageItem *amt = findItem(table, "AMT");
    ASSERT_NE(amt, nullptr);
    EXPECT_EQ(amt->entryLength, 8);
    EXPECT_EQ(amt->occursMin, 1);
    EXPECT_EQ(amt->occursMax, 9);
    EXPECT_EQ(amt->dependingOn, QStringLiteral("N"));
    EXPECT_EQ(amt->digits, 7);
}

TEST(StorageMap, FieldsItCannotReadAreReportedNotGuessed)
{
    FieldTree tree;
    orvane::testing::buildTagged(
        tree,
        QStringLiteral("01 R.[](05 A PIC X(4).[](10 A1 PIC X.[]),05 B PIC WHAT.[](10 B1 PIC X.[]),"
                       "05 C REDEFINES X PIC X.[],05 D PIC 9(19) COMP.[]),"
                       "66 E RENAMES NOPE.[](05 E1 PIC X.[])"));
    const StorageMap map = BuildStorageMap(tree, Dialect::Default);
    ASSERT_EQ(map.items.size(), size_t(tree.count()));
    EXPECT_EQ(map.errors.size(), 6) << map.errors.join(u'\n').toStdString();
    EXPECT_FALSE(findItem(map, "A1")->error.isEmpty());
    EXPECT_EQ(findItem(map, "A")->error, QString());
    EXPECT_EQ(findItem(map, "B1")->error, QString()) << "placed as in a group";
    EXPECT_EQ(findItem(map, "D")->length, 0);
}

// A picture met again, written in another case or counting with a constant, reads as it did
// the first time; one that cannot be read fails every time.
// A BINARY-xxx item is signed unless it says UNSIGNED; COMP-X and pointers hold no sign.
TEST(StorageMap, UsageWordsGiveTheSign)
{
    const StorageMap map = mapOf("01 R. 05 A BINARY-CHAR. 05 B BINARY-SHORT UNSIGNED. "
                                 "05 C BINARY-LONG SIGNED. 05 D PIC 9(3) COMP-X. 05 E POINTER.");
    QString signs;
    for (const StorageItem &item : map.items)
        signs += item.isSigned ? u'S' : u'U';
    EXPECT_EQ(signs, "USUSUU");
}

TEST(StorageMap, RepeatedPicturesReadAlike)
{
    const StorageMap map = mapOf("78 N VALUE 4. 01 R. 05 A pic x(3). 05 B PIC X(3). "
                                 "05 C PIC X(N). 05 D PIC X(N).");
    EXPECT_EQ(layout(map), "R:0+14 A:0+3 B:3+3 C:6+4 D:10+4");
    EXPECT_EQ(findItem(map, "A")->picture, QStringLiteral("X(3)"));
    FieldTree tree;
    orvane::testing::buildTagged(tree,
                                 QStringLiteral("01 R.[](05 A PIC WHAT.[],05 B PIC WHAT.[])"));
    EXPECT_EQ(BuildStorageMap(tree, Dialect::Default).errors.size(), 2);
}

// Names stand in blocks of text the map owns: many names fill several, and a copy keeps them.
TEST(StorageMap, ACopyKeepsItsNamesWhenTheMapIsGone)
{
    QString text = QStringLiteral("01 R. 05 T PIC X OCCURS 0 TO 2 DEPENDING ON F-2999.");
    for (int i = 0; i < 3000; ++i)
        text += QStringLiteral(" 05 F-%1 PIC X.").arg(i);
    auto original = std::make_unique<StorageMap>(mapOf(text));
    const StorageMap copy = *original;
    original.reset();
    ASSERT_EQ(copy.items.size(), 3002u);
    EXPECT_EQ(copy.items[1].dependingOn, u"F-2999");
    for (int i = 0; i < 3000; ++i)
        EXPECT_EQ(copy.items[size_t(i) + 2].name, QStringLiteral("F-%1").arg(i));
}

TEST(StorageMap, HugeTablesSaturateInsteadOfOverflowing)
{
    FieldTree tree;
    int parent = tree.add(0, Relationship::Last, QStringLiteral("01 R."));
    for (int level = 2; level < 8; ++level)
        parent = tree.add(parent, Relationship::Child,
                          QStringLiteral("%1 T%1 OCCURS 99999999.").arg(level, 2, 10, QChar(u'0')));
    tree.add(parent, Relationship::Child, QStringLiteral("10 X PIC X(99999999)."));
    const StorageMap map = BuildStorageMap(tree, Dialect::Default);
    EXPECT_GT(map.records[0].length, 0);
    EXPECT_LE(map.records[0].length, qint64(1) << 50);
}

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
