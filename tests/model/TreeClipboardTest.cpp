#include "model/TreeClipboard.h"
#include "../common/TaggedTree.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::testing;

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
