#include "model/Positions.h"
#include "../common/TaggedTree.h"
#include "model/Placement.h"

#include <gtest/gtest.h>

using namespace orvane;
using orvane::testing::buildTagged;
using orvane::testing::tagged;

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
}

TEST(Positions, NewFieldsByPositionsTakeTheBoxesAsTheyAre)
{
    FieldTree t;
    const int a = t.add(0, Relationship::Last, "A");
    EXPECT_EQ(NewFieldTag(t, a, {true, "12", "8", "99"}), "12:8");
    EXPECT_EQ(NewFieldTag(t, a, {true, " 007", "abc", ""}), "7:0");
    EXPECT_EQ(NextFromPosition(u"1", u"10"), "11");
    EXPECT_TRUE(NextFromPosition(u"5", u"5").isNull());
    EXPECT_TRUE(NextFromPosition(u"12", u"8").isNull());
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
