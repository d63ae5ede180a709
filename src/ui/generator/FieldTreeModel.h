#pragma once

#include "cobol/StoragePositions.h"
#include "model/FieldTree.h"

#include <QAbstractItemModel>
#include <QColor>

#include <vector>

namespace orvane
{

// Shows a FieldTree to Qt's views. It only translates between model indexes and tree nodes;
// the tree keeps all field data and tells the model of every change.
class FieldTreeModel : public QAbstractItemModel, private FieldTreeListener
{
    Q_OBJECT
public:
    explicit FieldTreeModel(FieldTree &tree, QObject *parent = nullptr);
    ~FieldTreeModel() override;

    FieldTree &tree() const { return tree_; }
    // The collection index of the node behind a model index; 0 for an invalid index.
    int nodeIndex(const QModelIndex &index) const;
    QModelIndex modelIndex(int nodeIndex) const;

    // Check boxes are shown only while a tree serves as an import preview.
    void setCheckBoxes(bool on);
    bool checkBoxes() const { return checkBoxes_; }
    // FILLER fields are drawn in this colour; an invalid colour draws them like every field.
    void setFillerColour(const QColor &colour);
    // Where the compiler puts the field (default dialect); nullptr for no field.
    const cobol::StorageItem *storageItem(int nodeIndex) const
    {
        return storage_.item(tree_, nodeIndex);
    }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    // The user changed a node's check mark (not code that sets it).
    void nodeChecked(int nodeIndex);

private:
    QModelIndex indexFor(const FieldNode *node) const;
    static const FieldNode *nodeOf(const QModelIndex &index);

    // A row among the children of `parent` (nullptr: the top level) comes, or goes from `row`.
    void storageChangedUnder(const FieldNode *parent, int row);
    // The end of a change: the records it touched are laid out again at the next look.
    void storageSettled();
    void beginInsert(const FieldNode *parent, int row) override;
    void endInsert() override;
    void beginRemove(const FieldNode *parent, int row) override;
    void endRemove() override;
    void beginMove(const FieldNode *from, int fromRow, const FieldNode *to, int toRow) override;
    void endMove() override;
    void nodeChanged(const FieldNode *node) override;
    void beginReset() override;
    void endReset() override;
    void beginLayoutChange(const FieldNode *parent) override;
    void endLayoutChange() override;

    FieldTree &tree_;
    bool checkBoxes_ = false;
    QColor fillerColour_;
    bool moving_ = false; // a move that Qt accepted (moving a last child to the end is none)
    // The persistent indexes held across a layout change, with the nodes they stood for.
    QModelIndexList layoutIndexes_;
    std::vector<const FieldNode *> layoutNodes_;
    QList<QPersistentModelIndex> layoutParents_;
    mutable cobol::StorageCache storage_; // every change of the tree marks what it touched
    std::vector<const FieldNode *> storagePending_;
    bool topLevelPending_ = false;
};

} // namespace orvane
