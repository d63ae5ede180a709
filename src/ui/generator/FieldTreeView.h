#pragma once

#include <QPersistentModelIndex>
#include <QTreeView>

namespace orvane
{

class FieldTreeModel;

// A field tree on screen. It keeps the drag state of a field being dragged onto another one
// and reports clicks, drops and the editing keys; what they do is up to the owner.
class FieldTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit FieldTreeView(QWidget *parent = nullptr);

    void setFieldModel(FieldTreeModel *model);
    FieldTreeModel *fieldModel() const { return model_; }

    // Collection index of the selected node, 0 when nothing is selected.
    int selectedNode() const;
    // Expands the ancestors, scrolls to the node and selects it.
    void selectNode(int nodeIndex);

    int dragNode() const { return dragNode_; }
    int dropHighlight() const { return dropHighlight_; }
    bool dragInProgress() const { return dragInProgress_; }
    // Forgets the dragged node and the drop target (after an add or a remove).
    void clearDragState();
    // Ends any drag as well (after a remove).
    void cancelDrag()
    {
        clearDragState();
        dragInProgress_ = false;
    }

    static const char *mimeType();
    // What this view's drags carry: which program and which view they come from.
    QByteArray dragPayload() const;

    using QTreeView::edit;
    // After a drag: a drop nowhere or back onto the dragged node was only a click on it.
    void finishDrag(int draggedNode, int droppedOnNode);

signals:
    void nodeClicked(int nodeIndex);
    // The dragged node was dropped; the owner re-parents it onto dropHighlight().
    void nodeDropped();
    void deletePressed();
    void cutPressed();
    void copyPressed();
    void pastePressed();
    void focusChangedTo(bool focused);
    void keyReleased();
    // The in-place editor opened (true) or closed (false).
    void editingChanged(bool editing);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option,
                 const QModelIndex &index) const override;

private:
    int nodeAt(const QPoint &pos) const;
    bool acceptsDrop(const QDropEvent *event) const;
    void setDropHighlight(int nodeIndex);

    FieldTreeModel *model_ = nullptr;
    int dragNode_ = 0;
    int dropHighlight_ = 0;
    bool dragInProgress_ = false;
    int droppedOn_ = 0;   // the node the last drag ended on, 0 for none
    int pressedNode_ = 0; // for telling a click on a node from a click beside it
};

} // namespace orvane
