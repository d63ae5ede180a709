#include "editor/TreeSearch.h"

#include "../common/TreeText.h"

#include <gtest/gtest.h>

using namespace orvane;

using orvane::testing::build;
using orvane::testing::find;
using orvane::testing::outline;

static void sample(FieldTree &tree)
{
    build(tree,
          QStringLiteral("01 A-REC.(05 A-KEY.(10 A-KEY-X.),05 B-NAME.),01 B-REC.(05 B-KEY.)"));
}

TEST(TreeSearchTest, FindsInDisplayOrderWithoutWrapAndReplacesInEveryNode)
{
    FieldTree tree;
    sample(tree);
    struct Case {
        const char *start;
        const char *lastHit; // nullptr: none
        const char *what;
        SearchOptions options;
        const char *expected; // nullptr: not found
    };
    const SearchOptions plain{}, whole{false, true};
    const Case cases[] = {
        {"01 A-REC.", nullptr, "KEY", plain, "05 A-KEY."},
        // From a hit the search goes on behind its subtree.
        {"05 A-KEY.", "05 A-KEY.", "KEY", plain, "05 B-KEY."},
        {"05 A-KEY.", nullptr, "KEY", plain, "05 A-KEY."},
        {"10 A-KEY-X.", nullptr, "rec", plain, "01 B-REC."},
        {"05 B-KEY.", "05 B-KEY.", "KEY", plain, nullptr}, // no wrap to the top
        {"01 A-REC.", nullptr, "KEY-X", whole, "10 A-KEY-X."},
        {"01 A-REC.", nullptr, "A", whole, "01 A-REC."},
        {"01 A-REC.", nullptr, "NAM", whole, nullptr},
    };
    for (const Case &c : cases) {
        const int start = find(tree, QString::fromLatin1(c.start));
        const int lastHit = c.lastHit ? find(tree, QString::fromLatin1(c.lastHit)) : 0;
        const int hit = findInTree(tree, start, lastHit, QString::fromLatin1(c.what), c.options);
        EXPECT_EQ(hit, c.expected ? find(tree, QString::fromLatin1(c.expected)) : 0)
            << c.start << " / " << c.what;
    }
    // Replacing reaches every node of the same layout.
    EXPECT_EQ(replaceInTree(tree, u"key", u"ID", false), 3);
    EXPECT_EQ(outline(tree), u"01 A-REC.(05 A-ID.(10 A-ID-X.),05 B-NAME.),01 B-REC.(05 B-ID.)");
    EXPECT_EQ(replaceInTree(tree, u"rec", u"R", true), 0);
    EXPECT_EQ(replaceInTree(tree, u"", u"R", false), 0);
    EXPECT_FALSE(replaceInNode(tree, 99, u"A", u"B", false));
}

TEST(TreeSearchTest, DisplayOrderFollowsMovedNodes)
{
    FieldTree tree;
    sample(tree);
    // Node 1 moves under B-REC: the walk follows the tree, not the collection order.
    ASSERT_TRUE(tree.setParent(find(tree, "01 A-REC."), find(tree, "01 B-REC.")));
    QStringList order;
    for (int n = tree.topLevelAt(0); n; n = nextInDisplayOrder(tree, n, false))
        order << tree.text(n);
    EXPECT_EQ(order.join(u' '), u"01 B-REC. 05 B-KEY. 01 A-REC. 05 A-KEY. 10 A-KEY-X. 05 B-NAME.");
}
