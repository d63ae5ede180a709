#include "model/FieldTree.h"
#include "../common/TreeText.h"

#include <gtest/gtest.h>

using namespace orvane;
using orvane::testing::build;
using orvane::testing::find;
using orvane::testing::outline;

TEST(FieldTree, AddPlacesByRelationshipAndNumbersInInsertionOrder)
{
    FieldTree t;
    const int a = t.add(0, Relationship::Last, "A");
    const int c = t.add(a, Relationship::Next, "C");
    const int b = t.add(c, Relationship::Previous, "B");
    const int z = t.add(0, Relationship::First, "Z");
    const int a1 = t.add(a, Relationship::Child, "A1");
    const int a2 = t.add(a, Relationship::Child, "A2");
    const int a0 = t.add(a2, Relationship::First, "A0");
    const int a3 = t.add(a1, Relationship::Last, "A3");
    const int a15 = t.add(a1, Relationship::None, "A15");
    EXPECT_EQ((std::vector<int>{a, c, b, z, a1, a2, a0, a3, a15}),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    // A relative that names no node puts the node at the end of the top level.
    EXPECT_EQ(t.add(99, Relationship::Child, "Y"), 10);
    EXPECT_EQ(outline(t), "Z,A(A0,A1,A15,A2,A3),B,C,Y");
}

TEST(FieldTree, NavigationAndDefaultsForMissingNodes)
{
    FieldTree t;
    build(t, {{1, "A"}, {2, "B"}, {2, "C"}, {3, "D"}, {1, "E"}});
    const int a = find(t, "A"), b = find(t, "B"), c = find(t, "C"), d = find(t, "D"),
              e = find(t, "E");
    EXPECT_EQ(t.parent(d), c);
    EXPECT_EQ(t.parent(a), 0);
    EXPECT_EQ(t.child(a), b);
    EXPECT_EQ(t.lastChild(a), c);
    EXPECT_EQ(t.children(a), 2);
    EXPECT_EQ(t.firstSibling(c), b);
    EXPECT_EQ(t.lastSibling(a), e);
    EXPECT_EQ(t.next(b), c);
    EXPECT_EQ(t.next(c), 0);
    EXPECT_EQ(t.previous(b), 0);
    EXPECT_EQ(t.depth(d), 3);
    for (int bad : {0, -1, 6}) {
        EXPECT_EQ(t.parent(bad), 0);
        EXPECT_EQ(t.next(bad), 0);
        EXPECT_EQ(t.firstSibling(bad), 0);
        EXPECT_EQ(t.text(bad), QString());
        EXPECT_FALSE(t.remove(bad));
        t.setTag(bad, "1:1"); // ignored
    }
    EXPECT_EQ(t.count(), 5);
}

TEST(FieldTree, RemoveTakesTheSubtreeAndClosesUpTheNumbers)
{
    FieldTree t;
    build(t, {{1, "A"}, {2, "B"}, {3, "C"}, {1, "D"}, {2, "E"}});
    t.setTag(find(t, "E"), "5:9");
    ASSERT_TRUE(t.remove(find(t, "B")));
    EXPECT_EQ(outline(t), "A,D(E)");
    EXPECT_EQ(t.text(3), "E"); // was 5, moved up by the two removed nodes
    EXPECT_EQ(t.tag(3), "5:9");
    EXPECT_EQ(t.node(3)->index(), 3);
    EXPECT_EQ(t.add(0, Relationship::Last, "F"), 4);
}

TEST(FieldTree, SetParentMovesTheSubtreeAndRefusesItsOwnDescendants)
{
    FieldTree t;
    build(t, {{1, "A"}, {2, "B"}, {3, "C"}, {1, "D"}});
    const int a = find(t, "A"), b = find(t, "B"), c = find(t, "C"), d = find(t, "D");
    EXPECT_FALSE(t.setParent(a, c));
    EXPECT_FALSE(t.setParent(b, b));
    EXPECT_TRUE(t.setParent(b, d));
    EXPECT_EQ(outline(t), "A,D(B(C))");
    EXPECT_EQ(t.node(b)->row(), 0);
    EXPECT_TRUE(t.setParent(c, 0));
    EXPECT_EQ(outline(t), "A,D(B),C");
    // Indexes survive a move, so node 1 need not be top-level.
    EXPECT_TRUE(t.setParent(a, c));
    EXPECT_EQ(GetFirstNode(t), d);
    FieldTree empty;
    EXPECT_EQ(GetFirstNode(empty), 0);
}

namespace
{
struct Recorder : FieldTreeListener {
    QStringList log;
    void beginInsert(const FieldNode *p, int row) override
    {
        log << QStringLiteral("+%1@%2").arg(p ? p->text() : "-").arg(row);
    }
    void endInsert() override { log << "+"; }
    void beginRemove(const FieldNode *p, int row) override
    {
        log << QStringLiteral("-%1@%2").arg(p ? p->text() : "-").arg(row);
    }
    void endRemove() override { log << "-"; }
    void beginMove(const FieldNode *f, int fr, const FieldNode *to, int tr) override
    {
        log << QStringLiteral(">%1@%2 %3@%4")
                   .arg(f ? f->text() : "-")
                   .arg(fr)
                   .arg(to ? to->text() : "-")
                   .arg(tr);
    }
    void endMove() override { log << ">"; }
    void nodeChanged(const FieldNode *n) override { log << "~" + n->text(); }
    void beginReset() override { log << "reset"; }
    void endReset() override { log << "reset."; }
};
} // namespace

TEST(FieldTree, ListenersHearEveryChangeWithRowsBeforeIt)
{
    FieldTree t;
    Recorder r;
    t.addListener(&r);
    const int a = t.add(0, Relationship::Last, "A");
    const int b = t.add(a, Relationship::Child, "B");
    t.add(0, Relationship::Last, "C");
    t.setTag(b, "1:2");
    t.setParent(b, 3);
    t.remove(a);
    t.clear();
    t.removeListener(&r);
    t.add(0, Relationship::Last, "D");
    EXPECT_EQ(r.log, (QStringList{"+-@0", "+", "+A@0", "+", "+-@1", "+", "~B", ">A@0 C@0", ">",
                                  "--@0", "-", "reset", "reset."}));
}
