#include "ui/generator/UndoCommands.h"

#include "ui/generator/FieldTreeModel.h"
#include "ui/generator/FieldTreeView.h"
#include "model/FieldNames.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QUndoCommand>
#include <QUndoStack>

namespace orvane
{

namespace
{

// One step of the history; the command ran before it was pushed, so the first redo is none.
class TreeUndoCommand : public QUndoCommand
{
public:
    TreeUndoCommand(const QString &text, TreeStep step, int selectedBefore, int selectedAfter,
                    std::function<void(TreeStep &, bool, int)> apply)
        : QUndoCommand(text), step_(std::move(step)), before_(selectedBefore),
          after_(selectedAfter), apply_(std::move(apply))
    {
    }
    // The selection the user left this step's state with, which redo gives back.
    void setSelectedAfter(int selected) { after_ = selected; }
    void undo() override { apply_(step_, false, before_); }
    void redo() override
    {
        if (done_)
            apply_(step_, true, after_);
        done_ = true;
    }

private:
    TreeStep step_;
    int before_;
    int after_;
    std::function<void(TreeStep &, bool, int)> apply_;
    bool done_ = false;
};

} // namespace

UndoCommands::UndoCommands(FieldTree &fields, FieldTreeView *trvFields, QObject *window)
    : fields_(fields), trvFields_(trvFields)
{
    stack_ = new QUndoStack(this);
    journal_.beforeFirstChange = [this] {
        selectedBefore_ = trvFields_->selectedNode();
        noteSelection();
        nameBefore_ = fieldName(selectedBefore_);
        countBefore_ = fields_.count();
    };
    fields_.setJournal(&journal_);

    undo_ = new QAction(QStringLiteral("Undo"), window);
    undo_->setObjectName(QStringLiteral("undo"));
    undo_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    redo_ = new QAction(QStringLiteral("Redo"), window);
    redo_->setObjectName(QStringLiteral("redo"));
    redo_->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    // The keys belong to the tree; a box or the editor with the focus undoes its own typing.
    for (QAction *a : {undo_, redo_}) {
        a->setShortcutContext(Qt::WidgetShortcut);
        a->setEnabled(false);
        trvFields_->addAction(a);
    }
    connect(undo_, &QAction::triggered, this, &UndoCommands::undo);
    connect(redo_, &QAction::triggered, this, &UndoCommands::redo);
    connect(stack_, &QUndoStack::canUndoChanged, undo_, &QAction::setEnabled);
    connect(stack_, &QUndoStack::canRedoChanged, redo_, &QAction::setEnabled);
    connect(stack_, &QUndoStack::undoTextChanged, undo_, [this](const QString &text) {
        undo_->setText(text.isEmpty() ? QStringLiteral("Undo") : QStringLiteral("Undo ") + text);
    });
    connect(stack_, &QUndoStack::redoTextChanged, redo_, [this](const QString &text) {
        redo_->setText(text.isEmpty() ? QStringLiteral("Redo") : QStringLiteral("Redo ") + text);
    });
}

UndoCommands::~UndoCommands()
{
    // The stack goes with this object's QObject part and clears itself on the way, telling the
    // actions' lambdas, which hold this object, that the texts changed.
    stack_->disconnect();
    if (fields_.journal() == &journal_)
        fields_.setJournal(nullptr);
}

QString UndoCommands::fieldName(int index) const
{
    const QString text = fields_.text(index);
    const QString name = clauseDataName(text);
    return name.isEmpty() ? text.simplified() : name;
}

void UndoCommands::begin()
{
    // Changes no command owned would leave the older steps unfit for the tree.
    if (journal_.hasChanges()) {
        clear();
        // Nor is it known whether the tree is still as saved.
        stack_->resetClean();
    }
}

void UndoCommands::commit(const QString &format, const QString &name)
{
    const bool wasClean = stack_->isClean();
    push(format, name);
    // Leaving the state saved marks the title; the command's own marking stays as it was.
    if (wasClean && !stack_->isClean())
        emit cleanChanged(false);
}

void UndoCommands::push(const QString &format, const QString &name)
{
    if (!journal_.hasChanges())
        return;
    const QString text = format.contains(QLatin1String("%1"))
                             ? format.arg(name.isNull() ? nameBefore_ : name)
                             : format;
    auto apply = [this](TreeStep &step, bool redo, int selected) {
        if (redo)
            step.redo(fields_);
        else
            step.undo(fields_);
        select(selected);
        emit applied();
    };
    stack_->push(new TreeUndoCommand(text, journal_.take(), selectedBefore_,
                                     trvFields_->selectedNode(), apply));
}

void UndoCommands::select(int index)
{
    // A drag remembered by number would now name another field.
    trvFields_->clearDragState();
    if (fields_.contains(index)) {
        trvFields_->selectNode(index);
    } else if (QItemSelectionModel *s = trvFields_->selectionModel()) {
        s->clear();
    }
}

void UndoCommands::noteSelection()
{
    // A step's commands are all TreeUndoCommand.
    if (const int i = stack_->index(); i > 0)
        static_cast<TreeUndoCommand *>(const_cast<QUndoCommand *>(stack_->command(i - 1)))
            ->setSelectedAfter(trvFields_->selectedNode());
}

void UndoCommands::undo()
{
    // A change no command named yet is undone first, as a step of its own.
    commit(QStringLiteral("Change"));
    noteSelection();
    stack_->undo();
    emit cleanChanged(stack_->isClean());
}

void UndoCommands::redo()
{
    // A change no command named yet makes a step, which leaves nothing to redo.
    commit(QStringLiteral("Change"));
    noteSelection();
    stack_->redo();
    emit cleanChanged(stack_->isClean());
}

void UndoCommands::clear()
{
    journal_.discard();
    stack_->clear();
    stack_->setClean();
}

void UndoCommands::setClean()
{
    push(QStringLiteral("Change"));
    stack_->setClean();
}

} // namespace orvane
