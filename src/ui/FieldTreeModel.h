#pragma once

#include "cobol/StorageMap.h"
#include "model/FieldTree.h"

#include <QAbstractItemModel>
#include <QColor>

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

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QModelIndex indexFor(const FieldNode *node) const;
    static const FieldNode *nodeOf(const QModelIndex &index);

    void beginInsert(const FieldNode *parent, int row) override;
    void endInsert() override;
    void beginRemove(const FieldNode *parent, int row) override;
    void endRemove() override;
    void beginMove(const FieldNode *from, int fromRow, const FieldNode *to, int toRow) override;
    void endMove() override;
    void nodeChanged(const FieldNode *node) override;
    void beginReset() override;
    void endReset() override;

    FieldTree &tree_;
    bool checkBoxes_ = false;
    QColor fillerColour_;
    bool moving_ = false; // a move that Qt accepted (moving a last child to the end is none)
    mutable cobol::StorageTips storage_; // every change of the tree invalidates it
};

} // namespace orvane
