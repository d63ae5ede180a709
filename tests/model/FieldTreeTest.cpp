// The tree's own operations, one node and many at once, its subtree copies, every command on a
// hundred thousand levels, and every command undone and redone.

#include "model/FieldTree.h"
#include "../common/ProjectRecords.h"
#include "../common/TaggedTree.h"
#include "cobol/CopybookReader.h"
#include "model/Fillers.h"
#include "model/ImportMarks.h"
#include "model/Placement.h"
#include "model/Positions.h"
#include "model/Reshape.h"
#include "model/Subtree.h"
#include "model/TreeClipboard.h"
#include "model/TreeHistory.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace orvane;
using namespace orvane::testing;

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

TEST(Subtree, CopyCarriesTextTagAndOrderButNotMarks)
{
    FieldTree s;
    build(s, {{1, "A"}, {2, "B"}, {3, "C"}, {2, "D"}, {1, "E"}, {1, "F"}});
    s.setTag(find(s, "C"), "3:4");
    s.setChecked(find(s, "B"), true);
    s.setExpanded(find(s, "A"), true);

    FieldTree d;
    CopySubtree(s, d, Relationship::None, 0, find(s, "A"), find(s, "A"));
    EXPECT_EQ(tagged(d), "A[](B[](C[3:4]),D[])"); // start == stop copies one subtree
    EXPECT_FALSE(d.checked(find(d, "B")));
    EXPECT_FALSE(d.expanded(find(d, "A")));

    FieldTree run;
    CopySubtree(s, run, Relationship::None, 0, find(s, "A"), 0);
    EXPECT_EQ(outline(run), "A(B(C),D),E,F"); // no stop: to the last sibling
    FieldTree part;
    CopySubtree(s, part, Relationship::None, 0, find(s, "A"), find(s, "E"));
    EXPECT_EQ(outline(part), "A(B(C),D),E");
}

TEST(Subtree, PlacementsRelativeToTheDestination)
{
    FieldTree s;
    build(s, {{1, "N"}, {2, "N1"}});
    for (auto [rel, expected] :
         std::vector<std::pair<Relationship, QString>>{{Relationship::Next, "X,N(N1),Y"},
                                                       {Relationship::Previous, "N(N1),X,Y"},
                                                       {Relationship::Child, "X(N(N1)),Y"}}) {
        FieldTree d;
        build(d, {{1, "X"}, {1, "Y"}});
        CopySubtree(s, d, rel, find(d, "X"), 1, 1);
        EXPECT_EQ(outline(d), expected);
        EXPECT_EQ(d.text(d.count()), "N1"); // copies take the highest numbers
    }
}

TEST(Subtree, MoveEmptiesTheDestinationAndRemovesTheSource)
{
    FieldTree s;
    build(s, {{1, "A"}, {2, "B"}, {3, "C"}, {2, "D"}});
    FieldTree temp;
    build(temp, {{1, "old"}});
    MoveSubtree(s, temp, find(s, "B"));
    EXPECT_EQ(outline(s), "A(D)");
    EXPECT_EQ(outline(temp), "B(C)");
    EXPECT_EQ(temp.text(1), "B");
}

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

namespace
{

// Everything a later command or the saved file could tell apart, node by node in index order.
QString dump(const FieldTree &tree)
{
    QString out;
    for (int i = 1; i <= tree.count(); ++i)
        out += QStringLiteral("%1|%2|%3|%4|%5|%6\n")
                   .arg(i)
                   .arg(tree.text(i), tree.tag(i))
                   .arg(tree.parent(i))
                   .arg(tree.node(i)->row())
                   .arg(tree.checked(i));
    return out + QString::fromLatin1(orvane::testing::projectBytes(tree).toHex());
}

struct Random {
    std::mt19937 rng;
    int serial = 0;

    int pick(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng); }
    int node(const FieldTree &t) { return t.isEmpty() ? 0 : 1 + pick(t.count()); }
    QString clause(int level)
    {
        return QStringLiteral("%1 F%2 PIC X(%3).")
            .arg(level, 2, 10, QChar(u'0'))
            .arg(serial++)
            .arg(1 + pick(9));
    }
    QString tag()
    {
        const int from = 1 + pick(50);
        return QStringLiteral("%1:%2").arg(from).arg(from + pick(9));
    }
    void layout(FieldTree &t, int n)
    {
        for (int i = 0; i < n; ++i) {
            const int rel = node(t);
            t.setTag(t.add(rel, rel ? Relationship(pick(5)) : Relationship::Last,
                           clause(5 + 5 * pick(3))),
                     tag());
        }
    }
};

struct Trees {
    FieldTree fields, temp, clipboard;
};
using Command = std::function<void(Random &, Trees &, int selected)>;

// The user's commands as the window runs them on the core.
// clang-format off
const Command kCommands[] = {
    [](Random &r, Trees &t, int s) {
        const NewFieldPositions pos{r.pick(2) == 1, QString::number(1 + r.pick(20)), QString::number(21 + r.pick(20)), QString::number(1 + r.pick(8))};
        AddField(t.fields, CurrentNodeIndex(t.fields, s), r.clause(1 + 4 * r.pick(4)), {ConditionAnswer::Child, true}, pos);
    },
    [](Random &r, Trees &t, int s) { t.fields.setText(s, r.clause(5)); },
    [](Random &r, Trees &t, int s) { t.fields.setTag(s, r.tag()); UpdateParentSpans(t.fields, s); },
    [](Random &, Trees &t, int s) { RemoveNode(t.fields, s); },
    [](Random &r, Trees &t, int) { if (r.pick(4) == 0) RemoveAllNodes(t.fields); },
    [](Random &, Trees &t, int s) { MoveNodeUp(t.fields, t.temp, s); },
    [](Random &, Trees &t, int s) { MoveNodeDown(t.fields, t.temp, s); },
    [](Random &, Trees &t, int s) { MakeNodeChild(t.fields, t.temp, s); },
    [](Random &, Trees &t, int s) { MakeNodeParent(t.fields, t.temp, s); },
    [](Random &r, Trees &t, int s) { t.fields.setParent(s, r.node(t.fields)); UpdateParentSpans(t.fields, s); },
    [](Random &, Trees &t, int s) { CutToClipboard(t.fields, s, t.clipboard); },
    [](Random &r, Trees &t, int s) {
        PasteFromClipboard(t.fields, s, t.clipboard, PasteTargetFor(t.fields, s, t.clipboard), r.pick(2) ? Relationship::Previous : Relationship::Next);
    },
    [](Random &r, Trees &t, int) {
        FieldTree preview;
        r.layout(preview, 1 + r.pick(6));
        for (int i = 1; i <= preview.count(); ++i)
            preview.setChecked(i, r.pick(3) != 0);
        ImportChecked(preview, t.fields);
    },
    [](Random &, Trees &t, int) {
        cobol::ImportEntries(t.fields, cobol::ReadDataDescriptions(QStringLiteral("01 CB.\n 05 CB-A PIC X(3).\n 05 CB-B PIC 9(2).\n"), {cobol::SourceFormat::Free, {}, {}}));
    },
    [](Random &r, Trees &t, int s) { InsertFillers(r.pick(2) ? FillerMode::Children : FillerMode::SameLevel, t.fields, s, QStringLiteral("SPACES"), QStringLiteral("X")); },
    [](Random &, Trees &t, int s) { t.fields.setChecked(s, !t.fields.checked(s)); },
};
// clang-format on

} // namespace

TEST(Undo, RandomCommandsUndoneAndRedoneGiveBackEveryStateExactly)
{
    int steps = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        Random r{std::mt19937(seed)};
        Trees t;
        r.layout(t.fields, r.pick(40));
        TreeJournal journal;
        t.fields.setJournal(&journal);
        std::vector<TreeStep> history;
        std::vector<QString> states{dump(t.fields)}; // states[i]: before step i
        auto run = [&](int commands) {
            for (int i = 0; i < commands; ++i) {
                kCommands[r.pick(std::size(kCommands))](r, t, r.node(t.fields));
                if (journal.hasChanges()) {
                    history.push_back(journal.take());
                    states.push_back(dump(t.fields));
                }
            }
        };
        run(25);
        // Undo half; a new branch of commands replaces the steps undone.
        const size_t keep = history.size() / 2;
        for (size_t i = history.size(); i > keep; --i)
            history[i - 1].undo(t.fields);
        ASSERT_EQ(dump(t.fields), states[keep]);
        history.resize(keep);
        states.resize(keep + 1);
        run(15);
        steps += int(history.size());
        for (size_t i = history.size(); i > 0; --i) {
            history[i - 1].undo(t.fields);
            ASSERT_EQ(dump(t.fields), states[i - 1]) << "undo of step " << i;
        }
        for (size_t i = 0; i < history.size(); ++i) {
            history[i].redo(t.fields);
            ASSERT_EQ(dump(t.fields), states[i + 1]) << "redo of step " << i + 1;
        }
        t.fields.setJournal(nullptr);
    }
    EXPECT_GT(steps, 3000);
}
