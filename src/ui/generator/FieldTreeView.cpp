#include "ui/generator/FieldTreeView.h"

#include "ui/generator/FieldTreeModel.h"
#include "model/TreeClicks.h"

#include <QCoreApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>

namespace orvane
{

FieldTreeView::FieldTreeView(QWidget *parent) : QTreeView(parent)
{
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Editing starts only through the Edit button.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Dragging is done by hand: a drag starts on the first move, without a minimum distance.
    setDragEnabled(false);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
}

const char *FieldTreeView::mimeType()
{
    return "application/x-orvane-field-node";
}

QByteArray FieldTreeView::dragPayload() const
{
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(quintptr(this));
}

void FieldTreeView::setFieldModel(FieldTreeModel *model)
{
    model_ = model;
    setModel(model);
}

int FieldTreeView::selectedNode() const
{
    if (!model_ || !selectionModel())
        return 0;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : model_->nodeIndex(rows.front());
}

void FieldTreeView::selectNode(int nodeIndex)
{
    if (!model_)
        return;
    const QModelIndex index = model_->modelIndex(nodeIndex);
    if (!index.isValid())
        return;
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        expand(p);
    scrollTo(index);
    setCurrentIndex(index);
}

void FieldTreeView::clearDragState()
{
    setDropHighlight(0);
    dragNode_ = 0;
}

int FieldTreeView::nodeAt(const QPoint &pos) const
{
    return model_ ? model_->nodeIndex(indexAt(pos)) : 0;
}

void FieldTreeView::setDropHighlight(int nodeIndex)
{
    if (dropHighlight_ == nodeIndex)
        return;
    dropHighlight_ = nodeIndex;
    viewport()->update();
}

void FieldTreeView::mousePressEvent(QMouseEvent *event)
{
    dragNode_ = event->button() == Qt::LeftButton ? nodeAt(event->position().toPoint()) : 0;
    pressedNode_ = nodeAt(event->position().toPoint());
    setDropHighlight(0);
    QTreeView::mousePressEvent(event);
}

void FieldTreeView::mouseMoveEvent(QMouseEvent *event)
{
    if (dragInProgress_ || !(event->buttons() & Qt::LeftButton) || !dragNode_) {
        QTreeView::mouseMoveEvent(event);
        return;
    }
    dragInProgress_ = true;
    auto *mime = new QMimeData;
    mime->setData(QString::fromLatin1(mimeType()), dragPayload());
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    const QModelIndex index = model_->modelIndex(dragNode_);
    QPixmap picture(visualRect(index).size().boundedTo(QSize(240, 40)).expandedTo(QSize(16, 8)));
    picture.fill(palette().highlight().color());
    {
        QPainter painter(&picture);
        painter.setPen(palette().highlightedText().color());
        painter.drawText(picture.rect().adjusted(4, 0, 0, 0), Qt::AlignVCenter,
                         index.data().toString());
    }
    drag->setPixmap(picture);
    const int dragged = dragNode_;
    droppedOn_ = 0;
    drag->exec(Qt::MoveAction);
    // The release that ended the drag never reaches the view.
    dragInProgress_ = false;
    pressedNode_ = 0;
    finishDrag(dragged, droppedOn_);
}

void FieldTreeView::finishDrag(int draggedNode, int droppedOnNode)
{
    clearDragState();
    // A press that moved a pixel starts a drag at once; without a drop elsewhere it was a click.
    if (draggedNode && DragEndsAsClick(draggedNode, droppedOnNode))
        emit nodeClicked(draggedNode);
}

void FieldTreeView::mouseReleaseEvent(QMouseEvent *event)
{
    const int released = nodeAt(event->position().toPoint());
    clearDragState();
    dragInProgress_ = false;
    QTreeView::mouseReleaseEvent(event);
    // A right-click selects the field too, so it shows its positions like a left click.
    if ((event->button() == Qt::LeftButton || event->button() == Qt::RightButton) && released &&
        released == pressedNode_)
        emit nodeClicked(released);
    pressedNode_ = 0;
}

bool FieldTreeView::acceptsDrop(const QDropEvent *event) const
{
    // Only this view's own drags: one from another tree or another running copy carries
    // another tree's indexes. (The payload, not source(), which is empty for other programs.)
    return event->mimeData()->data(QString::fromLatin1(mimeType())) == dragPayload();
}

bool FieldTreeView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool started = QTreeView::edit(index, trigger, event);
    if (started && state() == EditingState)
        emit editingChanged(true);
    return started;
}

void FieldTreeView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTreeView::closeEditor(editor, hint);
    emit editingChanged(false);
}

void FieldTreeView::dragEnterEvent(QDragEnterEvent *event)
{
    if (acceptsDrop(event)) {
        setDropHighlight(nodeAt(event->position().toPoint()));
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void FieldTreeView::dragMoveEvent(QDragMoveEvent *event)
{
    if (acceptsDrop(event)) {
        setDropHighlight(nodeAt(event->position().toPoint()));
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void FieldTreeView::dragLeaveEvent(QDragLeaveEvent *event)
{
    setDropHighlight(0);
    event->accept();
}

void FieldTreeView::dropEvent(QDropEvent *event)
{
    if (!acceptsDrop(event)) {
        event->ignore();
        return;
    }
    setDropHighlight(nodeAt(event->position().toPoint()));
    droppedOn_ = dropHighlight_;
    event->acceptProposedAction();
    emit nodeDropped();
}

void FieldTreeView::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (event->key() == Qt::Key_Delete && mods == Qt::NoModifier) {
        emit deletePressed();
        return;
    }
    if (mods == Qt::ControlModifier) {
        switch (event->key()) {
        case Qt::Key_X:
            emit cutPressed();
            return;
        case Qt::Key_C:
            emit copyPressed();
            return;
        case Qt::Key_V:
            emit pastePressed();
            return;
        default:
            break;
        }
    }
    const int before = selectedNode();
    QTreeView::keyPressEvent(event);
    // Moving through the tree with the keys shows the positions just as a click does.
    const int after = selectedNode();
    if (after && after != before)
        emit nodeClicked(after);
}

void FieldTreeView::keyReleaseEvent(QKeyEvent *event)
{
    QTreeView::keyReleaseEvent(event);
    emit keyReleased();
}

void FieldTreeView::focusInEvent(QFocusEvent *event)
{
    QTreeView::focusInEvent(event);
    emit focusChangedTo(true);
}

void FieldTreeView::focusOutEvent(QFocusEvent *event)
{
    QTreeView::focusOutEvent(event);
    clearDragState();
    dragInProgress_ = false;
    emit focusChangedTo(false);
}

void FieldTreeView::drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    if (dropHighlight_ && model_ && model_->nodeIndex(index) == dropHighlight_) {
        QStyleOptionViewItem highlighted(option);
        highlighted.state |= QStyle::State_Selected;
        QTreeView::drawRow(painter, highlighted, index);
        return;
    }
    QTreeView::drawRow(painter, option, index);
}

} // namespace orvane
