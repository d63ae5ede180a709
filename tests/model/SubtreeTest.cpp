#include "model/Subtree.h"
#include "../common/TaggedTree.h"

#include <gtest/gtest.h>

using namespace orvane;
using orvane::testing::build;
using orvane::testing::find;
using orvane::testing::outline;
using orvane::testing::tagged;

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
