#include "ui/generator/GeneratorWiring.h"

#include "model/FieldClause.h"
#include "model/PanelTexts.h"
#include "model/Placement.h"
#include "model/Positions.h"
#include "ui/generator/ClipboardCommands.h"
#include "ui/generator/EntryPanel.h"
#include "ui/generator/FieldTreeModel.h"
#include "ui/generator/FieldTreePanel.h"
#include "ui/generator/FieldTreeView.h"
#include "ui/generator/FillerCommands.h"
#include "ui/generator/ImportBar.h"
#include "ui/generator/TreeButtons.h"
#include "ui/generator/UndoCommands.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QShortcut>

namespace orvane
{

GeneratorWiring::GeneratorWiring(Context context, QObject *window)
    : c_(std::move(context)), window_(window)
{
    wireUndo();
    wireFillers();
}

GeneratorWiring::~GeneratorWiring() = default;

void GeneratorWiring::wireUndo()
{
    QObject::connect(c_.treePanel->treeButtons(), &TreeButtons::modified, window_,
                     [this] { c_.markModified(); });
    UndoCommands *undo = &c_.undo;
    QObject::connect(c_.treePanel->treeButtons(), &TreeButtons::stepDone, undo,
                     [undo](const QString &step) { undo->commit(step); });
    QObject::connect(c_.treePanel, &FieldTreePanel::dropped, undo, [undo](const QString &name) {
        undo->commit(QStringLiteral("Drop %1"), name);
    });
    QObject::connect(undo, &UndoCommands::applied, c_.treePanel,
                     &FieldTreePanel::showSelectedField);
    QObject::connect(c_.treePanel->trvFields(), &FieldTreeView::editingChanged, undo,
                     [undo](bool editing) {
                         if (!editing)
                             undo->commit(QStringLiteral("Edit %1"));
                     });
}

void GeneratorWiring::wireImport(ImportBar *import, QAction *viewTreeViewclipboard)
{
    UndoCommands *undo = &c_.undo;
    QObject::connect(import, &ImportBar::importing, undo, &UndoCommands::begin);
    QObject::connect(import, &ImportBar::imported, undo, [this, undo] {
        undo->commit(QStringLiteral("Import %1 Fields"),
                     QString::number(c_.fields.count() - undo->countBefore()));
    });
    QObject::connect(viewTreeViewclipboard, &QAction::triggered, import,
                     &ImportBar::viewTreeViewclipboard_Click);
}

void GeneratorWiring::wireClipboard(QAction *cut, QAction *copy, QAction *paste)
{
    UndoCommands *undo = &c_.undo;
    clipboardCommands_ = std::make_unique<ClipboardCommands>(ClipboardCommands::Context{
        c_.clipboard, c_.platform.clipboard, c_.platform.messages, c_.activeControl,
        c_.markModified,
        [undo](const QString &format, const QString &name) { undo->commit(format, name); }});
    ClipboardCommands *clip = clipboardCommands_.get();
    QObject::connect(cut, &QAction::triggered, window_, [clip] { clip->cut_Click(); });
    QObject::connect(copy, &QAction::triggered, window_, [clip] { clip->copy_Click(); });
    QObject::connect(paste, &QAction::triggered, window_, [clip] { clip->paste_Click(); });
    for (FieldTreeView *tree : {c_.treePanel->trvFields(), c_.treePanel->trvTemp()}) {
        QObject::connect(tree, &FieldTreeView::cutPressed, window_, [clip] { clip->cut_Click(); });
        QObject::connect(tree, &FieldTreeView::copyPressed, window_,
                         [clip] { clip->copy_Click(); });
        QObject::connect(tree, &FieldTreeView::pastePressed, window_,
                         [clip] { clip->paste_Click(); });
    }
}

void GeneratorWiring::wireFillers()
{
    fillers_ = std::make_unique<FillerCommands>(*c_.entry, c_.fields, c_.treePanel->trvFields(),
                                                c_.platform.messages);
    QObject::connect(c_.treePanel->cmdAutoInsertFiller(), &QPushButton::clicked, window_,
                     [this] { fill(FillerMode::Children); });
    QObject::connect(c_.treePanel->autoInsertFillerForSameLevel(), &QPushButton::clicked, window_,
                     [this] { fill(FillerMode::SameLevel); });
}

void GeneratorWiring::fill(FillerMode mode)
{
    c_.undo.begin();
    const int before = c_.fields.count();
    if (fillers_->run(mode))
        c_.markModified();
    const int n = c_.fields.count() - before;
    // No FILLER inserted, yet the spans above were recomputed.
    c_.undo.commit(n == 0   ? QStringLiteral("Change Positions of %1")
                   : n == 1 ? QStringLiteral("Insert 1 Filler")
                            : QStringLiteral("Insert %1 Fillers"),
                   n > 1 ? QString::number(n) : QString());
    c_.treePanel->selectionChanged();
}

void GeneratorWiring::wireEnter()
{
    auto *enter = new QShortcut(c_.generator);
    enter->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    enter->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(enter, &QShortcut::activated, window_, [this] { enterPressed(); });
    QObject::connect(c_.treePanel->trvFields(), &FieldTreeView::editingChanged, enter,
                     [enter](bool editing) { enter->setEnabled(!editing); });
    QObject::connect(c_.entry, &EntryPanel::addClicked, window_, [this] { cmdAdd_Click(); });
    QObject::connect(c_.entry, &EntryPanel::editClicked, window_, [this] { cmdEdit_Click(); });
}

void GeneratorWiring::enterPressed()
{
    // A focused button takes Enter itself, as the default button gives way to it.
    auto *button = qobject_cast<QPushButton *>(QApplication::focusWidget());
    if (button && button->isEnabled() && c_.generator->isAncestorOf(button)) {
        button->click();
        return;
    }
    c_.entry->cmdAdd()->click();
}

void GeneratorWiring::cmdAdd_Click()
{
    const QString clause = c_.entry->previewText();
    if (clause.isEmpty())
        return;
    MessageBoxes &messages = c_.platform.messages;
    PlacementAnswers answers;
    switch (classifyLevel(clauseLevel(clause))) {
    case LevelKind::Condition:
        switch (messages.show(QStringLiteral("Add as child?"), QStringLiteral("Exception"),
                              MessageButtons::YesNoCancel, MessageIcon::Question)) {
        case MessageAnswer::Yes:
            answers.condition = ConditionAnswer::Child;
            break;
        case MessageAnswer::No:
            answers.condition = ConditionAnswer::Sibling;
            break;
        default:
            return;
        }
        break;
    case LevelKind::Invalid:
        if (messages.show(QStringLiteral("Are you sure you want to continue?"),
                          QStringLiteral("Level Number Is Invalid"), MessageButtons::YesNo,
                          MessageIcon::Exclamation) != MessageAnswer::Yes)
            return;
        answers.confirmInvalid = true;
        break;
    case LevelKind::Valid:
        break;
    }

    FieldTreeView *tree = c_.treePanel->trvFields();
    c_.undo.begin();
    const int current = CurrentNodeIndex(c_.fields, tree->selectedNode());
    const int added = AddField(c_.fields, current, clause, answers, c_.entry->positions());
    if (!added)
        return;
    tree->selectNode(added);
    c_.entry->prepareNextField();
    c_.entry->focusLevel();
    tree->clearDragState();
    c_.markModified();
    c_.undo.commit(QStringLiteral("Add %1"), c_.undo.fieldName(added));
}

void GeneratorWiring::cmdEdit_Click()
{
    FieldTreeView *tree = c_.treePanel->trvFields();
    const int selected = tree->selectedNode();
    if (!selected)
        return;
    const QModelIndex index = tree->fieldModel()->modelIndex(selected);
    tree->setFocus(Qt::OtherFocusReason);
    tree->edit(index);
    c_.markModified();
}

void GeneratorWiring::stb_DblClick()
{
    const int selected = c_.treePanel->trvFields()->selectedNode();
    if (!selected)
        return;
    c_.undo.begin();
    const QString answer = c_.platform.input.ask(PositionDialogPrompt(), PositionDialogTitle(),
                                                 c_.fields.tag(selected));
    const QString tag = PositionDialogTag(answer);
    if (!tag.isNull())
        c_.fields.setTag(selected, tag);
    UpdateParentSpans(c_.fields, selected);
    c_.treePanel->showSelectedField();
    c_.undo.commit(QStringLiteral("Change Positions of %1"));
}

} // namespace orvane
