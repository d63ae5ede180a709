#include "cobol/StoragePositions.h"
#include "../common/QStringPrinter.h"

#include "cobol/CopybookReader.h"
#include "model/Positions.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::cobol;

namespace
{

void import(FieldTree &tree, const char *copybook)
{
    const ReadResult read =
        ReadDataDescriptions(QString::fromUtf8(copybook), ReadOptions{SourceFormat::Free, {}, {}});
    EXPECT_TRUE(read.ok()) << read.errorText().toStdString();
    ImportEntries(tree, read);
}

} // namespace

// The tags an import gives are the compiler's positions, as `orvane-cli map` prints them.
TEST(StoragePositions, ImportTagsAreTheMapsFirstAndLastBytes)
{
    FieldTree tree;
    const ReadResult read = ReadDataDescriptions(QStringLiteral("01 REC.\n"
                                                                "   05 KIND PIC X.\n"
                                                                "      88 KIND-A VALUE 'A'.\n"
                                                                "   05 BODY PIC X(20).\n"
                                                                "   05 BODY-A REDEFINES BODY.\n"
                                                                "      10 A-NUM PIC 9(4).\n"
                                                                "      10 A-TXT PIC X(6).\n"
                                                                "   05 TAB OCCURS 3.\n"
                                                                "      10 T-CODE PIC X(2).\n"
                                                                "      10 T-AMT PIC S9(5) COMP-3.\n"
                                                                "         88 T-ZERO VALUE 0.\n"
                                                                "   05 TAIL PIC X(4).\n"
                                                                "01 OTHER PIC X(8).\n"),
                                                 ReadOptions{SourceFormat::Free, {}, {}});
    ASSERT_TRUE(read.ok());
    ImportEntries(tree, read);
    const char *const expected[] = {"1:40",  "1:1",   "1:1",   "2:21",  "2:11",  "2:5", "6:11",
                                    "22:26", "22:23", "24:26", "24:26", "37:40", "1:8"};
    ASSERT_EQ(tree.count(), int(std::size(expected)));
    for (int node = 1; node <= tree.count(); ++node)
        EXPECT_EQ(tree.tag(node), QString::fromLatin1(expected[node - 1])) << node;
    // A table's tag spans one occurrence and reaches over all of them: the map's last byte.
    const StorageMap map = BuildStorageMap(tree, Dialect::Default);
    for (const StorageItem &item : map.items) {
        if (item.category == Category::Condition)
            continue;
        const QString tag = tree.tag(item.node);
        EXPECT_EQ(TagFrom(tag).toLongLong(), item.offset + 1) << item.node;
        EXPECT_EQ(tagReachEnd(tag, tree.text(item.node)), double(item.offset + item.length))
            << item.node;
    }
}

TEST(StoragePositions, StatusTextAndCacheFollowTheLayout)
{
    FieldTree tree;
    import(tree, "01 R. 05 A PIC X. 88 A-Y VALUE 'Y'. 05 T OCCURS 4 PIC S9(4) COMP. "
                 "05 N PIC N(3).");
    StorageCache cache;
    const struct {
        int node;
        const char *text;
    } cases[] = {
        {1, "Storage 1 To 15, 15 bytes"}, {2, "Storage 1 To 1, 1 byte"},
        {3, "Storage: its item's (88)"},  {4, "Storage 2 To 9, 4 \u00D7 2 bytes"},
        {5, "Storage 10 To 15, 6 bytes"}, {6, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StorageStatusText(cache.item(tree, c.node)), QString::fromUtf8(c.text)) << c.node;
    // A stale map is kept until it is invalidated.
    tree.setText(2, QStringLiteral("05 A PIC X(3)."));
    EXPECT_EQ(StorageStatusText(cache.item(tree, 1)), u"Storage 1 To 15, 15 bytes");
    cache.invalidate();
    EXPECT_EQ(StorageStatusText(cache.item(tree, 1)), u"Storage 1 To 17, 17 bytes");
    tree.setText(2, QStringLiteral("05 A PIC ?."));
    cache.invalidate();
    EXPECT_EQ(StorageStatusText(cache.item(tree, 2)), u"Storage unknown");
}
