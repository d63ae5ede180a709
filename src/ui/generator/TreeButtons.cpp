#include "ui/generator/TreeButtons.h"

#include "ui/generator/FieldTreeModel.h"
#include "ui/generator/FieldTreeView.h"
#include "model/Reshape.h"
#include "platform/Platform.h"

#include <QIcon>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane
{

TreeButtons::TreeButtons(FieldTree &fields, FieldTree &temp, FieldTreeView *trvFields,
                         MessageBoxes &messages, QWidget *parent)
    : QWidget(parent), fields_(fields), temp_(temp), trvFields_(trvFields), messages_(messages)
{
    setObjectName(QStringLiteral("picTreeButtons"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    cmdRemove_ = button("cmdRemove", "remove", QStringLiteral("Remove the selected field"),
                        &TreeButtons::cmdRemove_Click);
    cmdRemoveAll_ = button("cmdRemoveAll", "removeall", QStringLiteral("Remove all fields"),
                           &TreeButtons::cmdRemoveAll_Click);
    cmdMoveNodeUp_ =
        button("cmdMoveNodeUp", "moveup", QStringLiteral("Move the field above the one before it"),
               &TreeButtons::cmdMoveNodeUp_Click);
    cmdMoveNodeDown_ = button("cmdMoveNodeDown", "movedown",
                              QStringLiteral("Move the field below the one after it"),
                              &TreeButtons::cmdMoveNodeDown_Click);
    cmdMakeNodeChild_ =
        button("cmdMakeNodeChild", "makechild",
               QStringLiteral("Make the field the last subitem of the field after it"),
               &TreeButtons::cmdMakeNodeChild_Click);
    cmdMakeNodeParent_ =
        button("cmdMakeNodeParent", "makeparent",
               QStringLiteral("Move the field out of its group, in front of the group"),
               &TreeButtons::cmdMakeNodeParent_Click);
    cmdExpandCollaplse_ =
        button("cmdExpandCollaplse", "expand", QString(), &TreeButtons::cmdExpandCollaplse_Click);
    layout->addStretch(1);
    showExpandPicture(false);
    UpdateMoveButtons();
}

QPushButton *TreeButtons::button(const char *name, const char *icon, const QString &toolTip,
                                 void (TreeButtons::*handler)())
{
    auto *b = new QPushButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
    b->setIconSize(QSize(24, 24));
    b->setToolTip(toolTip);
    layout()->addWidget(b);
    connect(b, &QPushButton::clicked, this, handler);
    return b;
}

void TreeButtons::showExpandPicture(bool offersCollapse)
{
    offersCollapse_ = offersCollapse;
    cmdExpandCollaplse_->setIcon(QIcon(offersCollapse ? QStringLiteral(":/icons/collapse.svg")
                                                      : QStringLiteral(":/icons/expand.svg")));
    cmdExpandCollaplse_->setToolTip(offersCollapse ? QStringLiteral("Collapse all records")
                                                   : QStringLiteral("Expand all records"));
}

void TreeButtons::UpdateMoveButtons()
{
    const MoveButtons b = MoveButtonsFor(fields_, trvFields_->selectedNode());
    cmdMakeNodeParent_->setEnabled(b.makeParent);
    cmdMakeNodeChild_->setEnabled(b.makeChild);
    cmdMoveNodeDown_->setEnabled(b.moveDown);
    cmdMoveNodeUp_->setEnabled(b.moveUp);
}

void TreeButtons::finish(const TreeEdit &edit)
{
    if (edit.selected)
        trvFields_->selectNode(edit.selected);
    trvFields_->setFocus(Qt::OtherFocusReason);
    UpdateMoveButtons();
    // Nothing selected, or no neighbour to move past: the layout is as it was.
    if (edit.changed())
        emit modified();
}

void TreeButtons::finish(const TreeEdit &edit, const QString &step)
{
    finish(edit);
    emit stepDone(step);
}

void TreeButtons::cmdRemove_Click()
{
    const TreeEdit edit = RemoveNode(fields_, trvFields_->selectedNode());
    trvFields_->cancelDrag();
    finish(edit, QStringLiteral("Remove %1"));
}

void TreeButtons::cmdRemoveAll_Click()
{
    if (messages_.show(QStringLiteral("Are you sure you want to continue?"),
                       QStringLiteral("Remove All"), MessageButtons::YesNo,
                       MessageIcon::Exclamation) != MessageAnswer::Yes)
        return;
    const TreeEdit edit = RemoveAllNodes(fields_);
    UpdateMoveButtons();
    if (edit.changed())
        emit modified();
    emit stepDone(QStringLiteral("Remove All"));
}

void TreeButtons::cmdMoveNodeDown_Click()
{
    finish(MoveNodeDown(fields_, temp_, trvFields_->selectedNode()),
           QStringLiteral("Move %1 Down"));
}

void TreeButtons::cmdMoveNodeUp_Click()
{
    finish(MoveNodeUp(fields_, temp_, trvFields_->selectedNode()), QStringLiteral("Move %1 Up"));
}

void TreeButtons::cmdMakeNodeChild_Click()
{
    finish(MakeNodeChild(fields_, temp_, trvFields_->selectedNode()),
           QStringLiteral("Make %1 a Child"));
}

void TreeButtons::cmdMakeNodeParent_Click()
{
    finish(MakeNodeParent(fields_, temp_, trvFields_->selectedNode()),
           QStringLiteral("Make %1 a Parent"));
}

void TreeButtons::cmdExpandCollaplse_Click()
{
    if (!GetFirstNode(fields_))
        return;
    trvFields_->hide();
    emit statusText(QStringLiteral("Generating Code..."));
    const bool collapse = offersCollapse_;
    emit statusText(collapse ? QStringLiteral("Collapsing...") : QStringLiteral("Expanding..."));
    FieldTreeModel *model = trvFields_->fieldModel();
    // Only the top level changes; deeper fields keep the state they were left in.
    for (int row = 0; row < fields_.topLevelCount(); ++row)
        trvFields_->setExpanded(model->modelIndex(fields_.topLevelAt(row)), !collapse);
    showExpandPicture(!collapse);
    emit statusText(QStringLiteral("Done"));
    trvFields_->show();
}

} // namespace orvane
