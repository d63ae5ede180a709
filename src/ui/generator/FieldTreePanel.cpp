#include "ui/generator/FieldTreePanel.h"

#include "model/FieldNames.h"

#include "ui/generator/FieldTreeModel.h"
#include "ui/generator/FieldTreeView.h"
#include "ui/generator/TreeButtons.h"
#include "cobol/StoragePositions.h"
#include "model/PanelTexts.h"
#include "model/TreeClicks.h"
#include "model/Twips.h"
#include "model/FieldTree.h"
#include "model/Positions.h"
#include "platform/Platform.h"
#include "project/StartupSettings.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane
{

namespace
{

FieldTreeView *makeTree(FieldTree &tree, const char *name, QWidget *parent)
{
    auto *view = new FieldTreeView(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setFieldModel(new FieldTreeModel(tree, view));
    return view;
}

} // namespace

FieldTreePanel::FieldTreePanel(FieldTree &fields, FieldTree &temp, FieldTree &clipboard,
                               MessageBoxes &messages, QWidget *parent)
    : QWidget(parent), fields_(fields), messages_(messages)
{
    trvFields_ = makeTree(fields, "trvFields", this);
    trvTemp_ = makeTree(temp, "trvTemp", this);
    trvClipboard_ = makeTree(clipboard, "trvClipboard", this);

    cmdAutoInsertFiller_ = new QPushButton(QStringLiteral("For Subitems"), this);
    cmdAutoInsertFiller_->setObjectName(QStringLiteral("cmdAutoInsertFiller"));
    cmdAutoInsertFiller_->setToolTip(QStringLiteral("Insert FILLER items between the subitems"));
    autoInsertFillerForSameLevel_ = new QPushButton(QStringLiteral("For Same Level Items"), this);
    autoInsertFillerForSameLevel_->setObjectName(QStringLiteral("autoInsertFillerForSameLevel"));
    autoInsertFillerForSameLevel_->setToolTip(
        QStringLiteral("Insert FILLER items between the items of the same level"));
    setFillerButtonsEnabled(false, false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdAutoInsertFiller_);
    buttons->addWidget(autoInsertFillerForSameLevel_);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    treeButtons_ = new TreeButtons(fields, temp, trvFields_, messages, this);
    auto *treeRow = new QHBoxLayout;
    treeRow->addWidget(trvFields_, 1);
    treeRow->addWidget(treeButtons_);
    layout->addLayout(treeRow, 1);
    layout->addLayout(buttons);

    // The scratch trees float over the panel outside the layout.
    trvTemp_->hide();
    trvClipboard_->hide();
    placeOverlays();

    connect(trvFields_, &FieldTreeView::nodeClicked, this, &FieldTreePanel::nodeClicked);
    connect(trvFields_, &FieldTreeView::nodeDropped, this, &FieldTreePanel::nodeDropped);
    connect(trvFields_, &FieldTreeView::deletePressed, treeButtons_, &TreeButtons::cmdRemove_Click);
    connect(trvFields_, &FieldTreeView::focusChangedTo, treeButtons_,
            &TreeButtons::UpdateMoveButtons);
    connect(trvFields_, &FieldTreeView::keyReleased, treeButtons_, &TreeButtons::UpdateMoveButtons);
    // A click moves the current row before it selects, so both signals count.
    connect(trvFields_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FieldTreePanel::selectionChanged);
    connect(trvFields_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FieldTreePanel::selectionChanged);
    // A field that gains or loses siblings or children changes the buttons too. Many rows
    // may arrive at once (an import), so the update runs once, after them.
    FieldTreeModel *model = trvFields_->fieldModel();
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, signal, this, &FieldTreePanel::scheduleSelectionChanged);
    connect(model, &QAbstractItemModel::rowsMoved, this, &FieldTreePanel::scheduleSelectionChanged);
    connect(model, &QAbstractItemModel::layoutChanged, this,
            &FieldTreePanel::scheduleSelectionChanged);
    connect(model, &QAbstractItemModel::modelReset, this, &FieldTreePanel::selectionChanged);
    // A field's text or tag changed: its storage, and that of the fields after it, may too.
    connect(model, &QAbstractItemModel::dataChanged, this,
            &FieldTreePanel::scheduleSelectionChanged);
    connect(treeButtons_, &TreeButtons::statusText, this, &FieldTreePanel::statusText);
    // After Remove (and the moves) the status text is that of the field now selected.
    connect(treeButtons_, &TreeButtons::stepDone, this, &FieldTreePanel::showSelectedField);
}

void FieldTreePanel::scheduleSelectionChanged()
{
    if (selectionUpdatePending_)
        return;
    selectionUpdatePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            selectionUpdatePending_ = false;
            selectionChanged();
        },
        Qt::QueuedConnection);
}

void FieldTreePanel::selectionChanged()
{
    treeButtons_->UpdateMoveButtons();
    const int selected = trvFields_->selectedNode();
    updateFillerButtons(selected);
    emit storageText(cobol::StorageStatusText(trvFields_->fieldModel()->storageItem(selected)));
}

void FieldTreePanel::setFillerButtonsEnabled(bool forSubitems, bool forSameLevel)
{
    cmdAutoInsertFiller_->setEnabled(forSubitems);
    autoInsertFillerForSameLevel_->setEnabled(forSameLevel);
}

void FieldTreePanel::nodeClicked(int nodeIndex)
{
    if (!fields_.contains(nodeIndex))
        return;
    emit statusText(FieldsStatusText(fields_.tag(nodeIndex)));
    updateFillerButtons(nodeIndex);
}

void FieldTreePanel::updateFillerButtons(int node)
{
    if (!fields_.contains(node)) {
        setFillerButtonsEnabled(false, false);
        return;
    }
    const FillerButtons f =
        FillerButtonsFor(fields_.children(node), fields_.firstSibling(node) == node,
                         fields_.lastSibling(node) == node);
    setFillerButtonsEnabled(f.forSubitems, f.forSameLevel);
}

void FieldTreePanel::nodeDropped()
{
    const int target = trvFields_->dropHighlight();
    const int dragged = trvFields_->dragNode();
    const QString name = clauseDataName(fields_.text(dragged));
    if (target && dragged && target != dragged) {
        if (fields_.setParent(dragged, target)) {
            trvFields_->expand(trvFields_->fieldModel()->modelIndex(target));
        } else {
            messages_.show(QStringLiteral("Can't drop the parent into the child"), ApplicationTitle,
                           MessageButtons::Ok, MessageIcon::None);
        }
    }
    trvFields_->clearDragState();
    // Only the new ancestors change; the dropped field keeps its own positions.
    UpdateParentSpans(fields_, trvFields_->selectedNode());
    showSelectedField();
    emit dropped(name);
}

void FieldTreePanel::showSelectedField()
{
    const int selected = trvFields_->selectedNode();
    if (!fields_.contains(selected))
        emit statusText(QString());
    nodeClicked(selected);
}

void FieldTreePanel::showOverlay(FieldTreeView *tree, bool visible)
{
    tree->setVisible(visible);
    if (visible)
        tree->raise();
    placeOverlays();
}

void FieldTreePanel::placeOverlays()
{
    for (FieldTreeView *tree : {trvClipboard_, trvTemp_}) {
        if (tree->isVisibleTo(this))
            tree->setGeometry(rect());
        else
            tree->setGeometry(0, TwipsToPixels(2040, logicalDpiY()),
                              TwipsToPixels(375, logicalDpiX()), TwipsToPixels(495, logicalDpiY()));
    }
}

void FieldTreePanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeOverlays();
}

} // namespace orvane
