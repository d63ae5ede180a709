#include "model/Placement.h"
#include "../common/TreeText.h"

#include <gtest/gtest.h>

using namespace orvane;
using orvane::testing::build;
using orvane::testing::find;
using orvane::testing::outline;

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
    };
    for (const Case &c : cases) {
        FieldTree t;
        build(t, c.before);
        const int current = CurrentNodeIndex(t, c.current.isEmpty() ? 0 : find(t, c.current));
        const int added = PlaceFieldByLevel(t, current, c.added, c.answers);
        EXPECT_EQ(outline(t), c.after)
            << c.added.toStdString() << " after " << c.current.toStdString();
        EXPECT_EQ(added, t.count());
    }
}

TEST(Placement, DeclinedQuestionsAndEmptyPreviewChangeNothing)
{
    FieldTree t;
    build(t, {{1, "01 A."}, {2, "05 B."}});
    EXPECT_EQ(PlaceFieldByLevel(t, 2, "88 N.", {ConditionAnswer::Cancel, true}), 0);
    EXPECT_EQ(PlaceFieldByLevel(t, 2, "50 N.", {ConditionAnswer::Child, false}), 0);
    EXPECT_EQ(PlaceFieldByLevel(t, 2, "", {}), 0);
    EXPECT_EQ(outline(t), "01 A.(05 B.)");

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
