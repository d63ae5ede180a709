// Find and replace: in a text, in the field tree, and the rules the find bar follows.

#include "editor/FindRules.h"
#include "editor/TextSearch.h"
#include "editor/TreeSearch.h"

#include "../common/TreeText.h"

#include <gtest/gtest.h>

using namespace orvane;

using orvane::testing::build;
using orvane::testing::find;
using orvane::testing::outline;

static const SearchOptions plain{}, whole{false, true}, caseOn{true, false};

// Down from the selection's end (start + length), or up from its start.
TEST(TextSearchTest, FindDownAndUp)
{
    const struct {
        const char *text;
        const char *what;
        bool up;
        qsizetype selStart, selLength;
        SearchOptions options;
        TextMatch expected;
    } cases[] = {
        // Overlapping matches come one after the other.
        {"AAA", "AA", false, 0, 0, plain, {0, 2}},
        {"AAA", "AA", false, 0, 2, plain, {1, 2}},
        {"AAA", "AA", false, 1, 2, plain, {}},
        // "_" and "." bound words; a blank does too.
        {"A_B A", "A", false, 0, 0, whole, {0, 1}},
        {"A_B A", "A", false, 0, 1, whole, {4, 1}},
        // A match inside a longer word is passed over.
        {"ab abc ab", "ab", false, 0, 2, whole, {7, 2}},
        {"9ab", "ab", false, 0, 0, whole, {}},
        {"\u00e9ab", "ab", false, 0, 0, whole, {1, 2}},
        {"ab", "AB", false, 0, 0, plain, {0, 2}},
        {"ab AB", "AB", false, 0, 0, caseOn, {3, 2}},
        {"abc", "", false, 0, 0, plain, {}},
        {"abc", "c", false, 3, 0, plain, {}},
        {"AAA", "AA", true, 0, 0, plain, {}}, // at the very start nothing is above
        {"AAA", "AA", true, 3, 0, plain, {1, 2}},
        {"AAA", "AA", true, 2, 0, plain, {0, 2}},
        {"AAA", "AA", true, 1, 0, plain, {}}, // a match must end before the selection
        {"ab abc ab", "ab", true, 9, 0, whole, {7, 2}},
        {"ab abc ab", "ab", true, 7, 0, whole, {0, 2}},
        {"abc", "abc", true, 99, 0, plain, {0, 3}},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text), what = QString::fromUtf8(c.what);
        EXPECT_EQ(c.up ? findUp(text, what, c.selStart, c.options)
                       : findDown(text, what, c.selStart, c.selLength, c.options),
                  c.expected)
            << c.text << " / " << c.what << " from " << c.selStart << (c.up ? " up" : "");
    }
}

TEST(TextSearchTest, ReplaceAll)
{
    const struct {
        const char *text;
        const char *what;
        const char *with;
        SearchOptions options;
        int count;
        const char *result;
    } cases[] = {
        {"aaa", "a", "aa", plain, 3, "aaaaaa"},
        {"AAAA", "AA", "B", plain, 2, "BB"},
        {"aA", "a", "b", caseOn, 1, "bA"},
        {"ab abc ab", "ab", "X", whole, 2, "X abc X"},
        // The word test sees the text as replaced so far: behind "!" the next ".x" starts a
        // word, behind "ab" it does not.
        {".x.x", ".x", "!", whole, 2, "!!"},
        {".x.x", ".x", "ab", whole, 1, "ab.x"},
        {"aa", "a", "a-", whole, 0, "aa"},
        {"a a", "a", "", whole, 2, " "},
        {"ba a", "a", "", whole, 1, "ba "},
        {"abc", "", "z", plain, 0, "abc"},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text), what = QString::fromUtf8(c.what),
                      with = QString::fromUtf8(c.with);
        const std::vector<qsizetype> starts = replaceAllMatches(text, what, with, c.options);
        EXPECT_EQ(int(starts.size()), c.count) << c.text << " / " << c.what;
        EXPECT_EQ(applyReplacements(text, starts, what.size(), with), QString::fromUtf8(c.result))
            << c.text << " / " << c.what;
    }
}

static const QString kRecords =
    QStringLiteral("01 A-REC.(05 A-KEY.(10 A-KEY-X.),05 B-NAME.),01 B-REC.(05 B-KEY.)");

TEST(TreeSearchTest, FindsInDisplayOrderWithoutWrapAndReplacesInEveryNode)
{
    FieldTree tree;
    build(tree, kRecords);
    struct Case {
        const char *start;
        const char *lastHit; // nullptr: none
        const char *what;
        SearchOptions options;
        const char *expected; // nullptr: not found
    };
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
    build(tree, kRecords);
    // Node 1 moves under B-REC: the walk follows the tree, not the collection order.
    ASSERT_TRUE(tree.setParent(find(tree, "01 A-REC."), find(tree, "01 B-REC.")));
    QStringList order;
    for (int n = tree.topLevelAt(0); n; n = nextInDisplayOrder(tree, n, false))
        order << tree.text(n);
    EXPECT_EQ(order.join(u' '), u"01 B-REC. 05 B-KEY. 01 A-REC. 05 A-KEY. 10 A-KEY-X. 05 B-NAME.");
}

TEST(FindRulesTest, HistoryTurnsRoundWithEverySearch)
{
    struct Step {
        const char *find;
        const char *replace;
        QStringList expected;
    };
    const Step steps[] = {
        {"A", "B", {"B", "A"}},         {"A", "B", {"A", "B"}}, // nothing new: the list only turns
        {"C", "", {"C", "B", "A"}},     {"D", "C", {"D", "A", "B", "C"}},
        {"", "", {"C", "B", "A", "D"}}, {"d", "D", {"d", "D", "A", "B", "C"}}, // exact comparison
    };
    QStringList history;
    for (const Step &s : steps) {
        history = updatedFindHistory(history, QString::fromLatin1(s.find),
                                     QString::fromLatin1(s.replace));
        EXPECT_EQ(history, s.expected) << s.find << " / " << s.replace;
    }
}

TEST(FindRulesTest, TargetFollowsTheVisiblePanel)
{
    struct Case {
        bool generator, importTree, codeView, editor;
        FindTarget expected;
    };
    const Case cases[] = {
        {true, false, false, false, FindTarget::FieldTree},
        {true, true, false, false, FindTarget::ImportTree},
        {false, false, true, false, FindTarget::CodeView},
        {false, false, false, true, FindTarget::Editor},
        {false, false, false, false, FindTarget::None},
    };
    for (const Case &c : cases)
        EXPECT_EQ(pickFindTarget(c.generator, c.importTree, c.codeView, c.editor), c.expected);
}
