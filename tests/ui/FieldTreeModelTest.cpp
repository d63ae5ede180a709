#include "ui/FieldTreeModel.h"
#include "ScriptedPlatform.h"
#include "model/FieldTree.h"
#include "ui/FieldTreeView.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace orvane;

class FieldTreeModelTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { orvane::testing::application(); }
    FieldTree tree;
    FieldTreeModel model{tree};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(FieldTreeModelTest, FollowsAddsRemovesMovesAndResets)
{
    const int a = tree.add(0, Relationship::Last, QStringLiteral("01 A."));
    const int b = tree.add(a, Relationship::Child, QStringLiteral("05 B."));
    const int c = tree.add(a, Relationship::Child, QStringLiteral("05 C."));
    const int d = tree.add(b, Relationship::Child, QStringLiteral("10 D."));
    tree.add(0, Relationship::First, QStringLiteral("01 Z."));
    tree.add(c, Relationship::Previous, QStringLiteral("05 BB."));
    EXPECT_EQ(model.rowCount(), 2);
    const QModelIndex ia = model.modelIndex(a);
    EXPECT_EQ(ia.row(), 1);
    EXPECT_EQ(model.rowCount(ia), 3);
    EXPECT_EQ(model.data(model.index(1, 0, ia), Qt::DisplayRole).toString(),
              QStringLiteral("05 BB."));
    EXPECT_EQ(model.parent(model.modelIndex(d)), model.modelIndex(b));

    // Moving to the end of the same parent, a last child onto its own parent, and across.
    EXPECT_TRUE(tree.setParent(b, a));
    EXPECT_TRUE(tree.setParent(b, a));
    EXPECT_TRUE(tree.setParent(d, 0));
    EXPECT_FALSE(tree.setParent(a, b));
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.nodeIndex(model.index(2, 0)), d);

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    tree.setText(c, QStringLiteral("05 CC."));
    EXPECT_GE(changed.count(), 1);
    EXPECT_TRUE(model.setData(model.modelIndex(c), QStringLiteral("typed as is"), Qt::EditRole));
    EXPECT_EQ(tree.text(c), QStringLiteral("typed as is"));

    tree.remove(b);
    EXPECT_EQ(model.rowCount(model.index(1, 0)), 2); // A keeps BB and C
    model.setCheckBoxes(true);
    EXPECT_TRUE(model.setData(model.index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(tree.checked(model.nodeIndex(model.index(0, 0))));
    tree.clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_FALSE(model.modelIndex(1).isValid());
}

// Many rows at once reach the views as one layout change, which the checker follows and which
// keeps the selection on its node.
TEST_F(FieldTreeModelTest, ALayoutChangeKeepsViewsAndSelectionRight)
{
    FieldTreeView view;
    view.setFieldModel(&model);
    const int p = tree.add(0, Relationship::Last, "P");
    for (int i = 0; i < 5; ++i)
        tree.add(p, Relationship::Child, QString::number(i));
    view.expandAll();
    view.selectNode(4); // "2"
    tree.insertLeaves(p, {{0, "a", ""}, {2, "b", ""}, {5, "c", ""}});
    EXPECT_EQ(model.rowCount(model.modelIndex(p)), 8);
    EXPECT_EQ(tree.text(view.selectedNode()), "2");
    EXPECT_EQ(view.currentIndex().row(), 4); // a,0,1,b,2
    tree.removeSubtrees({7, 2, 4});
    EXPECT_EQ(model.rowCount(model.modelIndex(p)), 5);
    EXPECT_EQ(view.selectedNode(), 0); // the selected field went
    view.selectNode(tree.lastChild(p));
    EXPECT_EQ(model.data(view.currentIndex(), Qt::DisplayRole).toString(), "c");
}
