#include "ui/generator/FieldTreeModel.h"

#include "model/FieldNames.h"

#include <QBrush>

namespace orvane
{

FieldTreeModel::FieldTreeModel(FieldTree &tree, QObject *parent)
    : QAbstractItemModel(parent), tree_(tree)
{
    tree_.addListener(this);
}

FieldTreeModel::~FieldTreeModel()
{
    tree_.removeListener(this);
}

const FieldNode *FieldTreeModel::nodeOf(const QModelIndex &index)
{
    return index.isValid() ? static_cast<const FieldNode *>(index.internalPointer()) : nullptr;
}

QModelIndex FieldTreeModel::indexFor(const FieldNode *node) const
{
    return node ? createIndex(node->row(), 0, const_cast<FieldNode *>(node)) : QModelIndex();
}

int FieldTreeModel::nodeIndex(const QModelIndex &index) const
{
    const FieldNode *node = nodeOf(index);
    return node ? node->index() : 0;
}

QModelIndex FieldTreeModel::modelIndex(int nodeIndex) const
{
    return indexFor(tree_.node(nodeIndex));
}

void FieldTreeModel::setCheckBoxes(bool on)
{
    if (on == checkBoxes_)
        return;
    beginResetModel();
    checkBoxes_ = on;
    endResetModel();
}

void FieldTreeModel::setFillerColour(const QColor &colour)
{
    if (colour == fillerColour_)
        return;
    fillerColour_ = colour;
    forEachPreOrder(tree_, [this](const FieldNode *n, int) {
        if (isFillerClause(n->text())) {
            const QModelIndex index = indexFor(n);
            emit dataChanged(index, index, {Qt::ForegroundRole});
        }
        return true;
    });
}

QModelIndex FieldTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0 || (parent.isValid() && parent.column() != 0))
        return {};
    const FieldNode *p = nodeOf(parent);
    const FieldNode *child = p ? p->childAt(row) : tree_.topLevelNode(row);
    return child ? createIndex(row, 0, const_cast<FieldNode *>(child)) : QModelIndex();
}

QModelIndex FieldTreeModel::parent(const QModelIndex &child) const
{
    const FieldNode *node = nodeOf(child);
    return node ? indexFor(node->parentNode()) : QModelIndex();
}

int FieldTreeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    const FieldNode *p = nodeOf(parent);
    return p ? p->childCount() : tree_.topLevelCount();
}

int FieldTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant FieldTreeModel::data(const QModelIndex &index, int role) const
{
    const FieldNode *node = nodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return node->text();
    case Qt::ToolTipRole: {
        // The kept position tag, then the storage the compiler gives the field, each named
        // so that nobody takes one for the other.
        const QString tag = QStringLiteral("Position tag: ") + node->tag();
        const cobol::StorageItem *item = storage_.item(tree_, node->index());
        return item ? tag + u'\n' + cobol::DescribeStorage(*item) : tag;
    }
    case Qt::ForegroundRole:
        if (fillerColour_.isValid() && isFillerClause(node->text()))
            return QBrush(fillerColour_);
        return {};
    case Qt::CheckStateRole:
        if (checkBoxes_)
            return node->checked() ? Qt::Checked : Qt::Unchecked;
        return {};
    default:
        return {};
    }
}

bool FieldTreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const FieldNode *node = nodeOf(index);
    if (!node)
        return false;
    if (role == Qt::EditRole) {
        // In-place editing stores exactly what was typed.
        tree_.setText(node->index(), value.toString());
        return true;
    }
    if (role == Qt::CheckStateRole && checkBoxes_) {
        tree_.setChecked(node->index(), value.toInt() == Qt::Checked);
        emit nodeChecked(node->index());
        return true;
    }
    return false;
}

Qt::ItemFlags FieldTreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    if (checkBoxes_)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

void FieldTreeModel::storageChangedUnder(const FieldNode *parent, int row)
{
    if (parent) {
        storage_.recordChanged(parent);
        storagePending_.push_back(parent);
        return;
    }
    // A top-level field that goes takes its record's storage along.
    if (row >= 0)
        storage_.recordChanged(tree_.topLevelNode(row));
    storage_.topLevelChanged();
    topLevelPending_ = true;
}

void FieldTreeModel::storageSettled()
{
    // Views may have looked at the fields between the begin and the end of the change, while
    // the tree was still as before: what they made the storage lay out is out of date.
    for (const FieldNode *parent : storagePending_)
        storage_.recordChanged(parent);
    if (topLevelPending_)
        storage_.topLevelChanged();
    storagePending_.clear();
    topLevelPending_ = false;
}

void FieldTreeModel::beginInsert(const FieldNode *parent, int row)
{
    storageChangedUnder(parent, -1);
    beginInsertRows(indexFor(parent), row, row);
}

void FieldTreeModel::endInsert()
{
    storageSettled();
    endInsertRows();
}

void FieldTreeModel::beginRemove(const FieldNode *parent, int row)
{
    storageChangedUnder(parent, row);
    beginRemoveRows(indexFor(parent), row, row);
}

void FieldTreeModel::endRemove()
{
    storageSettled();
    endRemoveRows();
}

void FieldTreeModel::beginMove(const FieldNode *from, int fromRow, const FieldNode *to, int toRow)
{
    storageChangedUnder(from, fromRow);
    storageChangedUnder(to, -1);
    moving_ = beginMoveRows(indexFor(from), fromRow, fromRow, indexFor(to), toRow);
}

void FieldTreeModel::endMove()
{
    storageSettled();
    if (moving_)
        endMoveRows();
    moving_ = false;
}

void FieldTreeModel::nodeChanged(const FieldNode *node)
{
    storage_.nodeChanged(node);
    const QModelIndex index = indexFor(node);
    if (index.isValid())
        emit dataChanged(index, index);
}

void FieldTreeModel::beginReset()
{
    beginResetModel();
}

void FieldTreeModel::endReset()
{
    storage_.invalidate();
    endResetModel();
}

void FieldTreeModel::beginLayoutChange(const FieldNode *parent)
{
    if (parent)
        storageChangedUnder(parent, -1);
    else
        storage_.invalidate();
    layoutParents_.clear();
    if (parent)
        layoutParents_.append(QPersistentModelIndex(indexFor(parent)));
    emit layoutAboutToBeChanged(layoutParents_);
    layoutIndexes_ = persistentIndexList();
    layoutNodes_.clear();
    layoutNodes_.reserve(size_t(layoutIndexes_.size()));
    for (const QModelIndex &i : layoutIndexes_)
        layoutNodes_.push_back(nodeOf(i));
}

void FieldTreeModel::endLayoutChange()
{
    if (layoutParents_.isEmpty())
        storage_.invalidate();
    storageSettled();
    // Rows moved; a node that was removed (index 0) loses its persistent indexes.
    QModelIndexList now;
    now.reserve(layoutIndexes_.size());
    for (const FieldNode *node : layoutNodes_)
        now.append(node && node->index() != 0 ? indexFor(node) : QModelIndex());
    changePersistentIndexList(layoutIndexes_, now);
    layoutIndexes_.clear();
    layoutNodes_.clear();
    emit layoutChanged(layoutParents_);
    layoutParents_.clear();
}

} // namespace orvane
