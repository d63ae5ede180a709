#include "model/Reshape.h"
#include "../common/TaggedTree.h"

#include <gtest/gtest.h>

#include <functional>

using namespace orvane;
using namespace orvane::testing;

namespace
{

using Operation = std::function<TreeEdit(FieldTree &, FieldTree &, int)>;

const QString kLayout = QStringLiteral(
    "01 R.[1:30](05 A.[1:10](10 A1.[1:5],10 A2.[6:10]),05 B.[11:20],05 C.[21:30]),01 S.[31:40]");

} // namespace

TEST(Reshape, MovesGoOutAndBackAndTakeTheHighestIndexes)
{
    const Operation down = MoveNodeDown, up = MoveNodeUp, child = MakeNodeChild,
                    parent = MakeNodeParent;
    struct Case {
        const char *name;
        Operation op;
        QString node;
        QString expected;
        QString selected; // afterwards
        int moved;        // nodes that became new ones
    } const cases[] = {
        {"down past the next sibling", down, "05 A.",
         "01 R.[11:30](05 B.[11:20],05 A.[1:10](10 A1.[1:5],10 A2.[6:10]),05 C.[21:30]),"
         "01 S.[31:40]",
         "05 A.", 3},
        {"down from the next-to-last place, at the top level", down, "01 R.",
         "01 S.[31:40],01 R.[1:30](05 A.[1:10](10 A1.[1:5],10 A2.[6:10]),05 B.[11:20],"
         "05 C.[21:30])",
         "01 R.", 6},
        {"up exchanges with the previous sibling, which moves", up, "05 B.",
         "01 R.[11:30](05 B.[11:20],05 A.[1:10](10 A1.[1:5],10 A2.[6:10]),05 C.[21:30]),"
         "01 S.[31:40]",
         "05 B.", 3},
        {"child of the next sibling, level text kept", child, "10 A1.",
         "01 R.[1:30](05 A.[1:5](10 A2.[1:5](10 A1.[1:5])),05 B.[11:20],05 C.[21:30]),"
         "01 S.[31:40]",
         "10 A1.", 1},
        {"parent: in front of the parent, the grandparent spans from it", parent, "10 A2.",
         "01 R.[6:30](10 A2.[6:10],05 A.[1:10](10 A1.[1:5]),05 B.[11:20],05 C.[21:30]),"
         "01 S.[31:40]",
         "05 A.", 1},
        {"the last field cannot move down", down, "05 C.", "", "05 C.", 0},
        {"the first field cannot move up", up, "05 A.", "", "05 A.", 0},
        {"a top-level field has no parent to leave", parent, "01 S.", "", "01 S.", 0},
        {"no selection", down, "", "", "", 0},
    };
    for (const Case &c : cases) {
        FieldTree tree, temp;
        buildTagged(tree, kLayout);
        const QString before = tagged(tree);
        const TreeEdit edit = c.op(tree, temp, find(tree, c.node));
        EXPECT_EQ(tagged(tree), c.expected.isEmpty() ? before : c.expected) << c.name;
        EXPECT_TRUE(temp.isEmpty()) << c.name;
        EXPECT_EQ(edit.changed(), !c.expected.isEmpty()) << c.name;
        if (!c.expected.isEmpty()) {
            // The copies hold the highest numbers; the removed original is kept whole.
            ASSERT_EQ(edit.removed.size(), 1u) << c.name;
            EXPECT_EQ(edit.inserted.last, tree.count()) << c.name;
            EXPECT_EQ(edit.inserted.size(), edit.removed.front().nodes->count()) << c.name;
            EXPECT_EQ(edit.spans.size(), size_t(tree.depth(edit.selected) - 1)) << c.name;
            EXPECT_EQ(edit.inserted.size(), c.moved) << c.name;
            EXPECT_EQ(tree.text(edit.selected), c.selected) << c.name;
        }
    }
}

TEST(Reshape, RemoveKeepsTheSubtreeAndSelectsTheNeighbour)
{
    struct Case {
        QString node;
        QString expected;
        QString selected;
    } const cases[] = {
        {"05 A.", "01 R.[11:30](05 B.[11:20],05 C.[21:30]),01 S.[31:40]", "05 B."},
        {"05 C.", "01 R.[1:20](05 A.[1:10](10 A1.[1:5],10 A2.[6:10]),05 B.[11:20]),01 S.[31:40]",
         "05 B."},
        {"10 A1.", "01 R.[6:30](05 A.[6:10](10 A2.[6:10]),05 B.[11:20],05 C.[21:30]),01 S.[31:40]",
         "10 A2."},
    };
    for (const Case &c : cases) {
        FieldTree tree;
        buildTagged(tree, kLayout);
        const int node = find(tree, c.node);
        const int row = tree.node(node)->row();
        const TreeEdit edit = RemoveNode(tree, node);
        // The siblings keep their tags; only the ancestors of the node selected then change.
        EXPECT_EQ(tagged(tree), c.expected) << c.node.toStdString();
        EXPECT_EQ(tree.text(edit.selected), c.selected) << c.node.toStdString();
        ASSERT_EQ(edit.removed.size(), 1u);
        EXPECT_EQ(edit.removed.front().place.row, row);
        EXPECT_EQ(outline(*edit.removed.front().nodes).left(c.node.size()), c.node);
    }
    FieldTree tree;
    buildTagged(tree, kLayout);
    EXPECT_FALSE(RemoveNode(tree, 0).changed());
    const TreeEdit all = RemoveAllNodes(tree);
    EXPECT_TRUE(tree.isEmpty());
    EXPECT_EQ(all.removed.front().nodes->count(), 7);
    EXPECT_FALSE(RemoveAllNodes(tree).changed());
}

TEST(Reshape, MoveButtonsFollowTheSelectedField)
{
    FieldTree tree;
    buildTagged(tree, kLayout);
    struct Case {
        QString node;
        MoveButtons expected; // parent, child, down, up
    } const cases[] = {
        {"01 R.", {false, true, true, false}}, {"01 S.", {false, false, false, true}},
        {"05 A.", {true, true, true, false}},  {"05 B.", {true, true, true, true}},
        {"05 C.", {true, false, false, true}}, {"", {false, false, false, false}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(MoveButtonsFor(tree, find(tree, c.node)), c.expected) << c.node.toStdString();
    }
}
