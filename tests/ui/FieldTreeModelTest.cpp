#include "ui/generator/FieldTreeModel.h"
#include "../common/TreeText.h"
#include "ScriptedPlatform.h"
#include "model/FieldTree.h"
#include "ui/generator/FieldTreeView.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <functional>

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

// After every kind of change, the storage kept by record is what a map of the whole tree says.
TEST_F(FieldTreeModelTest, StorageFollowsEveryKindOfChange)
{
    orvane::testing::build(tree, {{1, "01 R1."},
                                  {2, "05 A PIC X(4)."},
                                  {2, "05 B PIC X(2)."},
                                  {1, "66 RN RENAMES A THRU B."},
                                  {1, "05 F1 PIC X(3)."},
                                  {1, "05 F2 PIC X(5)."},
                                  {1, "01 R2."},
                                  {2, "05 C PIC X(7)."}});
    const std::vector<FieldTree::NewLeaf> leaf = {{0, "05 E PIC X.", ""}};
    const std::function<void()> edits[] = {
        [&] { tree.setText(2, QStringLiteral("05 A PIC X(9).")); },
        [&] { tree.setText(5, QStringLiteral("01 F1 PIC X(3).")); }, // ends the fragment run
        [&] { tree.add(7, Relationship::Child, QStringLiteral("05 D PIC X(2).")); },
        [&] { tree.insertLeaves(1, leaf); },
        [&] { tree.setParent(8, 1); },
        [&] { tree.remove(tree.child(1)); },
        [&] { tree.remove(1); }, // the 66 is left without its record
        [&] { tree.add(0, Relationship::First, QStringLiteral("01 R0 PIC X(8).")); },
        [&] { tree.removeSubtrees(std::vector<int>(1, tree.topLevelAt(1))); },
    };
    for (size_t e = 0; e < std::size(edits); ++e) {
        edits[e]();
        for (const cobol::StorageItem &want :
             cobol::BuildStorageMap(tree, cobol::Dialect::Default).items) {
            const cobol::StorageItem *kept = model.storageItem(want.node);
            ASSERT_NE(kept, nullptr) << e;
            EXPECT_EQ(std::tuple(kept->offset, kept->length, kept->error),
                      std::tuple(want.offset, want.length, want.error))
                << "edit " << e << ", field " << want.node;
        }
    }
}
