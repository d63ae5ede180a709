#include "../common/TaggedTree.h"
#include "model/FieldTree.h"
#include "model/Fillers.h"
#include "model/ImportMarks.h"
#include "model/Reshape.h"
#include "model/TreeClipboard.h"
#include "model/TreeHistory.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::testing;

TEST(FieldTreeBatch, LeavesGoBetweenSiblingsInOnePass)
{
    FieldTree tree;
    build(tree, {{1, "P"}, {2, "a"}, {2, "b"}, {2, "c"}});
    const int first =
        tree.insertLeaves(1, {{0, "x", "1:1"}, {2, "y", "2:2"}, {2, "z", ""}, {3, "w", ""}});
    EXPECT_EQ(first, 5);
    // Numbered in list order; rows follow the new order.
    EXPECT_EQ(tree.text(5), "x");
    EXPECT_EQ(tree.text(8), "w");
    EXPECT_EQ(tree.tag(6), "2:2");
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(tree.node(1)->childAt(row)->row(), row);
    // One leaf, at the top level.
    EXPECT_EQ(tree.insertLeaves(0, {{0, "t", ""}}), 9);
    EXPECT_EQ(outline(tree), "t,P(x,a,b,y,z,c,w)");
    EXPECT_EQ(tree.insertLeaves(42, {{0, "none", ""}}), 0);
}

TEST(FieldTreeBatch, SubtreesRemovedTogetherCloseUpTheNumbers)
{
    FieldTree tree;
    build(tree, {{1, "A"}, {2, "B"}, {3, "C"}, {2, "D"}, {1, "E"}, {2, "F"}, {1, "G"}});
    // C lies inside B: it goes with it; 99 names nothing; G closes up the top level.
    tree.removeSubtrees({3, 2, 6, 7, 99});
    EXPECT_EQ(tree.count(), 3);
    for (int i = 1; i <= tree.count(); ++i)
        EXPECT_EQ(tree.node(i)->index(), i);
    EXPECT_EQ(tree.node(1)->childAt(0)->row(), 0);

    FieldTree other;
    build(other, {{1, "old"}});
    tree.moveNodesTo(other);
    EXPECT_TRUE(tree.isEmpty());
    EXPECT_EQ(outline(other), "A(D),E");
}

TEST(FieldTreeBatch, EveryCommandSurvivesAHundredThousandLevels)
{
    FieldTree tree, temp, clipboard;
    int last = tree.add(0, Relationship::Last, "01 TOP.");
    tree.setTag(last, "1:1");
    for (int i = 0; i < 100000; ++i) {
        last = tree.add(last, Relationship::Child, "05 X.");
        tree.setTag(last, "3:4");
    }
    tree.setTag(last, "5:6"); // a hole of two under its parent
    // Undo puts the chain back and redo takes it out again, also without recursion.
    TreeJournal journal;
    tree.setJournal(&journal);
    ASSERT_TRUE(tree.remove(2));
    TreeStep step = journal.take();
    tree.setJournal(nullptr);
    step.undo(tree);
    EXPECT_EQ(tree.depth(last), 100001);
    step.redo(tree);
    EXPECT_EQ(tree.count(), 1);
    step.undo(tree);
    const int sibling = tree.add(0, Relationship::Last, "01 NEXT.");
    tree.setTag(sibling, "9:9");
    const int deepest = last;

    EXPECT_EQ(InsertFillers(FillerMode::Children, tree, tree.parent(deepest), "", "X").count, 1);
    EXPECT_EQ(InsertFillers(FillerMode::SameLevel, tree, 1, "", "X").count, 1);
    EXPECT_TRUE(CopyToClipboard(tree, 1, clipboard));
    EXPECT_EQ(clipboard.count(), 100002);
    PasteFromClipboard(tree, deepest, clipboard, PasteTarget::Child);
    EXPECT_EQ(tree.count(), 2 * 100002 + 2);
    MoveNodeDown(tree, temp, 1);
    MoveNodeUp(tree, temp, tree.topLevelAt(2));
    MakeNodeChild(tree, temp, tree.topLevelAt(0));
    MakeNodeParent(tree, temp, tree.lastChild(tree.topLevelAt(0)));
    SetAllChecked(tree, true);
    tree.setChecked(deepest, false);
    NodeCheckChanged(tree, deepest);
    FieldTree fields;
    ImportChecked(tree, fields);
    EXPECT_GT(fields.count(), 100000);
    CutToClipboard(fields, fields.topLevelAt(0), clipboard);
    RemoveNode(fields, GetFirstNode(fields));
    RemoveAllNodes(tree);
    EXPECT_TRUE(tree.isEmpty());
}
