#include "model/FieldTree.h"
#include "ui/FieldTreeModel.h"
#include "ui/FieldTreeView.h"

#include "ScriptedPlatform.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

using namespace orvane;

// Many rows at once reach the views as one layout change, which the checker follows and which
// keeps the selection on its node.
TEST(FieldTreeModelBatch, ALayoutChangeKeepsViewsAndSelectionRight)
{
    orvane::testing::testApplication();
    FieldTree tree;
    FieldTreeModel model(tree);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
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
