#include "ui/window/PositionCommands.h"

#include "ui/shared/CheckPanel.h"
#include "ui/generator/CodeViewPanel.h"
#include "ui/generator/FieldTreePanel.h"
#include "ui/generator/FieldTreeView.h"
#include "ui/generator/ImportBar.h"
#include "ui/window/StatusBar.h"
#include "ui/generator/TreeButtons.h"
#include "ui/generator/UndoCommands.h"
#include "cobol/StoragePositions.h"
#include "ui/window/frmQEL.h"

#include <QAction>
#include <QMenu>

namespace orvane
{

PositionCommands::PositionCommands(frmQEL &window, QMenu *edit) : QObject(&window), window_(window)
{
    action_ = new QAction(QStringLiteral("Set Positions From Storage"), &window);
    // Among the commands that change the layout, before the clipboard's view.
    QAction *before = nullptr;
    for (QAction *a : edit->actions())
        if (a->objectName() == u"viewTreeViewclipboard")
            before = a;
    edit->insertAction(before, action_);
    edit->insertSeparator(before);
    action_->setObjectName(QStringLiteral("setPositionsFromStorage"));
    action_->setToolTip(QStringLiteral("Give every field the first and last byte the compiler "
                                       "gives it"));
    connect(action_, &QAction::triggered, this, &PositionCommands::setPositionsFromStorage_Click);
    connect(edit, &QMenu::aboutToShow, this,
            [this] { action_->setEnabled(!window_.fields().isEmpty()); });

    FieldTreePanel *panel = window.treePanel();
    connect(panel, &FieldTreePanel::storageText, window.stb(), &StatusBar::setStorage);
    CodeViewPanel *code = window.codeViewPanel();
    code->setLayoutWarnings([this] { return cobol::CheckLayout(window_.fields(), exact_); });
    connect(code->picCodeViewCheck(), &CheckPanel::fieldActivated, this, [this](int node) {
        window_.tabGen_Click(0);
        window_.trvFields()->selectNode(node);
        window_.trvFields()->setFocus(Qt::OtherFocusReason);
    });
    // After Cut and Paste in the tree the status text is that of the field now selected. The
    // clipboard's own handlers were connected first, so they have run.
    auto followSelection = [this] {
        if (qobject_cast<FieldTreeView *>(window_.ActiveControl()))
            window_.treePanel()->showSelectedField();
    };
    for (const char *name : {"cut", "paste"})
        connect(window.findChild<QAction *>(QString::fromLatin1(name)), &QAction::triggered, this,
                followSelection);
    for (FieldTreeView *tree : {panel->trvFields(), panel->trvTemp()}) {
        connect(tree, &FieldTreeView::cutPressed, this, followSelection);
        connect(tree, &FieldTreeView::pastePressed, this, followSelection);
    }
    // New records come in closed.
    connect(window.picImport(), &ImportBar::imported, this,
            [this] { window_.treePanel()->treeButtons()->showExpandPicture(false); });
    // The messages were about the layout before the undo.
    connect(&window.undoCommands(), &UndoCommands::applied, code->picCodeViewCheck(),
            &CheckPanel::clearMessages);
}

void PositionCommands::layoutReset()
{
    exact_ = false;
    window_.treePanel()->showSelectedField();
    window_.treePanel()->treeButtons()->showExpandPicture(false);
}

void PositionCommands::setPositionsFromStorage_Click()
{
    FieldTree &fields = window_.fields();
    if (fields.isEmpty())
        return;
    UndoCommands &undo = window_.undoCommands();
    undo.begin();
    exact_ = true;
    if (cobol::SetTagsFromStorage(fields) > 0)
        window_.MarkModified();
    undo.commit(QStringLiteral("Set Positions From Storage"));
    window_.treePanel()->showSelectedField();
}

} // namespace orvane
