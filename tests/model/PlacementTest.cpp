// Where Add puts a new field by its level, and the position tag it gives it.

#include "model/Placement.h"
#include "../common/TaggedTree.h"
#include "model/Positions.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::testing;

namespace
{
struct Case {
    QString before;  // as outline() writes it
    QString current; // empty: nothing selected
    QString added;
    PlacementAnswers answers;
    QString after;
};
} // namespace

TEST(Placement, LevelsDecideWhereTheFieldGoes)
{
    const PlacementAnswers yes88{ConditionAnswer::Child, false};
    const PlacementAnswers no88{ConditionAnswer::Sibling, false};
    const PlacementAnswers confirm{ConditionAnswer::Cancel, true};
    const std::vector<Case> cases = {
        {"01 A.", "01 A.", "05 N.", {}, "01 A.(05 N.)"},
        {"01 A.(05 B.,05 Z.)", "05 B.", "05 N.", {}, "01 A.(05 B.,05 Z.,05 N.)"},
        {"01 A.(05 B.(10 C.),05 Z.)", "10 C.", "05 N.", {}, "01 A.(05 B.(10 C.),05 N.,05 Z.)"},
        {"01 A.,01 Z.", "01 A.", "01 N.", {}, "01 A.,01 N.,01 Z."},
        {"01 A.(05 B.)", "05 B.", "88 N.", yes88, "01 A.(05 B.(88 N.))"},
        {"01 A.(05 B.,05 Z.)", "05 B.", "88 N.", no88, "01 A.(05 B.,88 N.,05 Z.)"},
        {"77 X.", "77 X.", "77 N.", {}, "77 X.(77 N.)"},
        {"01 A.(10 B.(15 C.))", "15 C.", "05 N.", {}, "01 A.(10 B.(15 C.)),05 N."},
        // Questions answered Yes for invalid levels place them like valid ones.
        {"01 A.(05 B.)", "05 B.", "66 N.", confirm, "01 A.(05 B.(66 N.))"},
        // A first field of level 05 becomes a top-level node; 88 in an empty tree too.
        {"", "", "05 N.", {}, "05 N."},
        {"", "", "88 N.", yes88, "88 N."},
        // Nothing selected: the last added node is current.
        {"01 A.(05 B.),01 C.", "", "05 N.", {}, "01 A.(05 B.),01 C.(05 N.)"},
        // Declined questions and an empty preview add nothing.
        {"01 A.(05 B.)", "05 B.", "88 N.", confirm, "01 A.(05 B.)"},
        {"01 A.(05 B.)", "05 B.", "50 N.", yes88, "01 A.(05 B.)"},
        {"01 A.(05 B.)", "05 B.", "", {}, "01 A.(05 B.)"},
    };
    for (const Case &c : cases) {
        FieldTree t;
        build(t, c.before);
        const int current = CurrentNodeIndex(t, c.current.isEmpty() ? 0 : find(t, c.current));
        const int added = PlaceFieldByLevel(t, current, c.added, c.answers);
        EXPECT_EQ(outline(t), c.after)
            << c.added.toStdString() << " after " << c.current.toStdString();
        EXPECT_EQ(added, c.after == c.before ? 0 : t.count()) << c.added.toStdString();
    }
}

TEST(Placement, WithoutACurrentFieldTheNewOneGoesToTheEnd)
{
    // Without a current field the new one goes to the end of the top level, even when node 1
    // has been moved below another.
    FieldTree m;
    build(m, {{1, "01 A."}, {1, "01 B."}});
    m.setParent(1, 2);
    PlaceFieldByLevel(m, 0, "01 N.", {});
    EXPECT_EQ(outline(m), "01 B.(01 A.),01 N.");
}

TEST(Placement, LevelKindsAndClimbing)
{
    for (double l : {1.0, 49.0, 77.0, 5.5})
        EXPECT_EQ(classifyLevel(l), LevelKind::Valid) << l;
    EXPECT_EQ(classifyLevel(88), LevelKind::Condition);
    for (double l : {0.0, 50.0, 66.0, 76.0, 78.0, 87.0, 89.0, -1.0})
        EXPECT_EQ(classifyLevel(l), LevelKind::Invalid) << l;

    FieldTree t;
    build(t, {{1, "01 A."}, {2, "05 B."}, {3, "10 C."}});
    EXPECT_EQ(ClimbToLevel(t, 3, 5), 2);
    EXPECT_EQ(ClimbToLevel(t, 3, 0), 1); // stops at the top
    EXPECT_EQ(NodeLevel(t, 3), 10);
    EXPECT_EQ(NodeLevel(t, 0), 0);
}

TEST(Positions, TagReaders)
{
    EXPECT_EQ(TagFrom(u"15"), "");
    EXPECT_EQ(TagTo(u"15"), "15");
    EXPECT_EQ(TagTo(u":5"), "5");
    EXPECT_EQ(TagFrom(u"3:4:5"), "3");
    EXPECT_EQ(TagTo(u"3:4:5"), "4:5");
    // A table reaches over all its entries; a tag written backwards reaches only its own end.
    EXPECT_EQ(tagReachEnd(u"3:4", u"05 T OCCURS 3 TIMES."), 8);
    EXPECT_EQ(tagReachEnd(u"5:3", u"05 T OCCURS 3 TIMES."), 3);
    EXPECT_EQ(NextFromPosition(u"1", u"10"), "11");
    EXPECT_TRUE(NextFromPosition(u"5", u"5").isNull());
    EXPECT_TRUE(NextFromPosition(u"12", u"8").isNull());

    FieldTree t;
    buildTagged(t, QStringLiteral("A[1:9](B[1:6],C[])"));
    EXPECT_EQ(PreviousTag(t, 3), "1:6");
    EXPECT_EQ(PreviousTag(t, 2), "0:0");
    EXPECT_EQ(ParentTag(t, 3), "1:9");
    EXPECT_EQ(ParentTag(t, 1), "0:0");
    EXPECT_TRUE(HasParent(t, 2));
    EXPECT_FALSE(HasParent(t, 1));
}

namespace
{
// Adds a field as the Add button does, behind or under `current` by its level.
int addByLength(FieldTree &t, int current, const QString &clause, const QString &length)
{
    return AddField(t, current, clause, {ConditionAnswer::Child, true}, {false, {}, {}, length});
}
} // namespace

TEST(Positions, NewFieldsByLengthFollowTheirNeighbours)
{
    FieldTree g;
    const int group = addByLength(g, 0, "01 G.", "0");
    EXPECT_EQ(g.tag(group), "1:0");
    const int first = addByLength(g, group, "05 F.", "5");
    EXPECT_EQ(g.tag(group), "1:6");
    const int second = addByLength(g, first, "05 S.", "3");
    addByLength(g, second, "01 N.", "4");
    EXPECT_EQ(tagged(g), "01 G.[1:9](05 F.[1:6],05 S.[6:9]),01 N.[10:13]");
    // A parent whose From holds no number starts its first child at 0.
    g.setTag(second, "x:y");
    EXPECT_EQ(g.tag(addByLength(g, second, "10 C.", "2")), "0:2");
    EXPECT_EQ(g.tag(second), "0:2");
    // Nothing added, nothing tagged.
    EXPECT_EQ(addByLength(g, second, QString(), "2"), 0);
}

TEST(Positions, AConditionNameTakesItsParentsPositions)
{
    FieldTree t;
    const int rec = addByLength(t, 0, "01 REC.", "0");
    const int a = addByLength(t, rec, "05 A.", "10");
    const int ok = addByLength(t, a, "88 A-OK.", "10");
    addByLength(t, ok, "05 B.", "5");
    EXPECT_EQ(tagged(t), "01 REC.[1:16](05 A.[1:11](88 A-OK.[1:11]),05 B.[11:16])");
    // At the top level it holds no bytes; by positions it keeps what was typed.
    const int top = t.add(0, Relationship::Last, "88 TOP.");
    EXPECT_EQ(NewFieldTag(t, top, {false, {}, {}, "10"}), "17:16");
    EXPECT_EQ(NewFieldTag(t, ok, {true, "3", "4", "9"}), "3:4");
    // By positions any field takes the boxes as they are.
    EXPECT_EQ(NewFieldTag(t, top, {true, "12", "8", "99"}), "12:8");
    EXPECT_EQ(NewFieldTag(t, top, {true, " 007", "abc", ""}), "7:0");
}

TEST(Positions, ParentSpansCopyTheChildrenPartsAsText)
{
    FieldTree t;
    buildTagged(t, QStringLiteral("A[](B[](C[],D[5:9]),E[x:12])"));
    UpdateParentSpans(t, 3);
    EXPECT_EQ(t.tag(2), ":9");
    EXPECT_EQ(t.tag(1), ":12");
    UpdateParentSpans(t, 1); // top level: nothing to do
    UpdateParentSpans(t, 0); // no node: nothing to do
    EXPECT_EQ(t.tag(1), ":12");
}
