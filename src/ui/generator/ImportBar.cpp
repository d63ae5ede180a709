#include "ui/generator/ImportBar.h"

#include "ui/generator/FieldTreeModel.h"
#include "ui/generator/FieldTreePanel.h"
#include "ui/generator/FieldTreeView.h"
#include "ui/shared/FileDialogState.h"
#include "model/Twips.h"
#include "model/ImportMarks.h"
#include "platform/Platform.h"
#include "project/ProjectFile.h"
#include "project/StartupSettings.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace orvane
{

ImportBar::ImportBar(const Context &context, QWidget *parent) : QWidget(parent), c_(context)
{
    setObjectName(QStringLiteral("picImport"));
    cmdImportOk_ = new QPushButton(QStringLiteral("OK"), this);
    cmdImportOk_->setObjectName(QStringLiteral("cmdImportOk"));
    cmdImportCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdImportCancel_->setObjectName(QStringLiteral("cmdImportCancel"));
    lblpicimport_ = new QLabel(this);
    lblpicimport_->setObjectName(QStringLiteral("lblpicimport"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The caption stands 50 twips right of the last button shown.
    layout->setSpacing(TwipsToPixels(50, logicalDpiX()));
    layout->addWidget(cmdImportOk_);
    layout->addWidget(cmdImportCancel_);
    layout->addWidget(lblpicimport_, 1);
    hide();

    connect(cmdImportOk_, &QPushButton::clicked, this, &ImportBar::cmdImportOk_Click);
    connect(cmdImportCancel_, &QPushButton::clicked, this, &ImportBar::cmdImportCancel_Click);
    FieldTreeModel *preview = c_.panel->trvTemp()->fieldModel();
    connect(preview, &FieldTreeModel::nodeChecked, this,
            [this](int node) { NodeCheckChanged(c_.temp, node); });
}

void ImportBar::import_Click()
{
    // The dialog's file name is the current project's; the import borrows it.
    const FileDialogState::Guard keep(c_.dlgedit);
    const QString chosen =
        c_.files.openFile(QStringLiteral("Import"), c_.dlgedit.filter, c_.dlgedit.fileName);
    if (chosen.isEmpty())
        return;
    c_.temp.clear();
    const ProjectResult result = LoadNodes(c_.temp, chosen);
    if (!result.ok()) {
        // Part of a file, or a file of another kind, is no layout to choose fields from.
        c_.temp.clear();
        c_.messages.show(result.message, ApplicationTitle, MessageButtons::Ok,
                         MessageIcon::Critical);
        return;
    }
    c_.panel->trvTemp()->fieldModel()->setCheckBoxes(true);
    SetAllChecked(c_.temp, true);
    c_.panel->showOverlay(c_.panel->trvTemp(), true);
    showBar(QStringLiteral("{Import}"));
}

void ImportBar::viewTreeViewclipboard_Click()
{
    c_.panel->showOverlay(c_.panel->trvClipboard(), true);
    cmdImportCancel_->hide();
    showBar(QStringLiteral("{View TreeView clipboard}"));
}

void ImportBar::showBar(const QString &caption)
{
    lblpicimport_->setText(caption);
    c_.tabs->hide();
    show();
    raise();
    c_.fileMenu->setEnabled(false);
}

void ImportBar::cmdImportOk_Click()
{
    const bool importing = c_.panel->trvTemp()->isVisibleTo(c_.panel);
    if (importing) {
        emit this->importing();
        ImportChecked(c_.temp, c_.fields);
    }
    cmdImportCancel_Click();
    if (importing)
        emit imported();
}

void ImportBar::cmdImportCancel_Click()
{
    FieldTreeView *clipboard = c_.panel->trvClipboard();
    FieldTreeView *preview = c_.panel->trvTemp();
    if (clipboard->isVisibleTo(c_.panel)) {
        c_.panel->showOverlay(clipboard, false);
    } else if (preview->isVisibleTo(c_.panel)) {
        c_.temp.clear();
        c_.panel->showOverlay(preview, false);
    }
    cmdImportCancel_->show();
    hide();
    c_.tabs->show();
    c_.fileMenu->setEnabled(true);
}

} // namespace orvane
