#include "model/ImportMarks.h"
#include "../common/TaggedTree.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::testing;

namespace
{

// The marks of G(C1(K),C2),H are written as a string of 0/1 in collection order.
const QString kLayout = QStringLiteral("G[1:9](C1[1:4](K[1:2]),C2[5:9]),H[10:12]");

QString marks(const FieldTree &tree)
{
    QString out;
    for (int i = 1; i <= tree.count(); ++i)
        out += tree.checked(i) ? u'1' : u'0';
    return out;
}

void setMarks(FieldTree &tree, const QString &m)
{
    for (int i = 1; i <= tree.count(); ++i)
        tree.setChecked(i, m[i - 1] == u'1');
}

} // namespace

TEST(ImportMarks, AChangedMarkCarriesItsSubtreeAndCheckedAncestors)
{
    struct Case {
        const char *name;
        QString before;
        QString node;
        bool mark; // the user's new mark on the node
        QString after;
    } const cases[] = {
        {"unchecking a group unchecks its subtree, not its siblings", "11111", "G", false, "00001"},
        {"unchecking a child leaves its parent checked", "11111", "C1", false, "10011"},
        {"checking a grandchild checks its parent and grandparent", "00000", "K", true, "11100"},
        {"checking a group checks its whole subtree", "00001", "G", true, "11111"},
        {"unchecking under an unchecked parent checks nothing", "01111", "C2", false, "01101"},
    };
    for (const Case &c : cases) {
        FieldTree tree;
        buildTagged(tree, kLayout);
        setMarks(tree, c.before);
        const int node = find(tree, c.node);
        tree.setChecked(node, c.mark);
        NodeCheckChanged(tree, node);
        EXPECT_EQ(marks(tree), c.after) << c.name;
    }
}

TEST(ImportMarks, OnlyCheckedFieldsAreAppendedAfterTheLastTopLevelField)
{
    struct Case {
        const char *name;
        QString marks;
        QString imported; // after the field X[1:5] already in the layout
    } const cases[] = {
        {"everything", "11111", "G[1:9](C1[1:4](K[1:2]),C2[5:9]),H[10:12]"},
        {"the last top-level field left out", "11110", "G[1:9](C1[1:4](K[1:2]),C2[5:9])"},
        {"a subtree and its grandchild", "10011", "G[1:9](C2[5:9]),H[10:12]"},
        {"nothing", "00000", ""},
    };
    for (const Case &c : cases) {
        FieldTree preview, fields;
        buildTagged(preview, kLayout);
        setMarks(preview, c.marks);
        buildTagged(fields, {{1, "X", "1:5"}});
        const InsertedRange range = ImportChecked(preview, fields);
        const QString expected = c.imported.isEmpty() ? "X[1:5]" : "X[1:5]," + c.imported;
        EXPECT_EQ(tagged(fields), expected) << c.name;
        EXPECT_EQ(range.size(), fields.count() - 1) << c.name;
        EXPECT_EQ(range.first, 2) << c.name;
    }
    // Into an empty layout the file's first top-level field becomes the first one.
    FieldTree preview, fields;
    buildTagged(preview, kLayout);
    SetAllChecked(preview, true);
    ImportChecked(preview, fields);
    EXPECT_EQ(outline(fields), "G(C1(K),C2),H");
}
