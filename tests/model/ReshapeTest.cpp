// The tree's reshaping commands: moves, removal, and cut, copy and paste through the clipboard.

#include "model/Reshape.h"
#include "../common/TaggedTree.h"
#include "model/TreeClipboard.h"

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

TEST(TreeClipboard, PasteGoesByLevel)
{
    using P = PasteTarget;
    using R = Relationship;
    const QString r05 = "01 R.[1:10](05 A.[1:10])", r10 = "01 R.[1:10](10 A.[1:10])";
    struct Case {
        const char *name;
        QString layout;
        QString selected;
        P target; // Nothing: the clipboard is empty
        R answer;
        QString expected;
        QString selectedAfter;
    } const cases[] = {
        {"a level-05 group onto a level-01 field becomes its last child", r05, "01 R.", P::Child,
         R::Child, "01 R.[1:20](05 A.[1:10],05 G.[11:20](10 H.[11:20]))", "05 G."},
        {"onto a level-05 field, Yes: before it", r05, "05 A.", P::AskPreviousOrNext, R::Previous,
         "01 R.[11:10](05 G.[11:20](10 H.[11:20]),05 A.[1:10])", "05 G."},
        {"onto a level-10 field, No: after it", r10, "10 A.", P::AskPreviousOrNext, R::Next,
         "01 R.[1:20](10 A.[1:10],05 G.[11:20](10 H.[11:20]))", "05 G."},
        {"into an empty tree: the only field, nothing selected", "", "", P::IntoEmpty, R::Child,
         "05 G.[11:20](10 H.[11:20])", ""},
        {"fields but none selected: after the last top-level field",
         "01 R.[1:10](05 A.[1:10]),01 S.[11:12]", "", P::AtEnd, R::Child,
         "01 R.[1:10](05 A.[1:10]),01 S.[11:12],05 G.[11:20](10 H.[11:20])", "05 G."},
        {"an empty clipboard", "01 R.[1:10]", "01 R.", P::Nothing, R::Child, "01 R.[1:10]", ""},
    };
    for (const Case &c : cases) {
        FieldTree tree, clipboard;
        buildTagged(tree, c.layout);
        const bool filled = c.target != P::Nothing;
        if (filled)
            buildTagged(clipboard, {{1, "05 G.", "11:20"}, {2, "10 H.", "11:20"}});
        const int selected = find(tree, c.selected);
        const PasteTarget target = PasteTargetFor(tree, selected, clipboard);
        EXPECT_EQ(target, c.target) << c.name;
        const TreeEdit edit = PasteFromClipboard(tree, selected, clipboard, target, c.answer);
        EXPECT_EQ(tagged(tree), c.expected) << c.name;
        EXPECT_EQ(tree.text(edit.selected), c.selectedAfter) << c.name;
        EXPECT_EQ(clipboard.count(), filled ? 2 : 0) << c.name; // kept for again
    }
}

TEST(TreeClipboard, CutAndCopy)
{
    FieldTree tree, clipboard;
    buildTagged(tree, {{1, "01 R.", "1:15"}, {2, "05 A.", "1:10"}, {2, "05 B.", "11:15"}});
    EXPECT_FALSE(CopyToClipboard(tree, 0, clipboard));
    EXPECT_TRUE(CopyToClipboard(tree, find(tree, "01 R."), clipboard));
    EXPECT_EQ(outline(clipboard), "01 R.(05 A.,05 B.)");

    // Cutting the last child: the group is recomputed from the field selected then.
    const TreeEdit cut = CutToClipboard(tree, find(tree, "05 B."), clipboard);
    EXPECT_EQ(tagged(clipboard), "05 B.[11:15]");
    EXPECT_EQ(tagged(tree), "01 R.[1:10](05 A.[1:10])");
    EXPECT_EQ(tree.text(cut.selected), "05 A.");
    ASSERT_EQ(cut.removed.size(), 1u);
    EXPECT_EQ(cut.removed.front().place.row, 1);
    EXPECT_EQ(outline(*cut.removed.front().nodes), "05 B.");
    EXPECT_FALSE(CutToClipboard(tree, 0, clipboard).changed());

    // Pasting twice gives two independent copies.
    PasteFromClipboard(tree, 2, clipboard, PasteTarget::AskPreviousOrNext, Relationship::Next);
    PasteFromClipboard(tree, 2, clipboard, PasteTarget::AskPreviousOrNext, Relationship::Next);
    EXPECT_EQ(outline(tree), "01 R.(05 A.,05 B.,05 B.)");
}
