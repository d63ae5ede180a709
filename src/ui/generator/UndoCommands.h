#pragma once

#include "model/TreeHistory.h"

#include <QObject>
#include <QString>

class QAction;
class QUndoStack;

namespace orvane
{

class FieldTreeView;

// Undo and redo of the field tree. The tree's journal collects what each command changes;
// the command then names its step with commit(), which pushes it, already done, on a
// QUndoStack. Edit ▸ Undo and Redo act on that stack and reach the tree by their keys only
// while the tree has the focus, so the boxes keep their own Ctrl+Z.
class UndoCommands : public QObject
{
    Q_OBJECT
public:
    // The actions belong to `window`, so that they are found among its children.
    UndoCommands(FieldTree &fields, FieldTreeView *trvFields, QObject *window);
    ~UndoCommands() override;

    QUndoStack *stack() const { return stack_; }
    QAction *undoAction() const { return undo_; }
    QAction *redoAction() const { return redo_; }

    // Pushes the changes since the last step as one step named `format`; nothing without
    // changes. "%1" in it stands for `name`, by default the field selected before the command.
    void commit(const QString &format, const QString &name = QString());
    // A command starts. Changes made since the last step by no command (none should be)
    // leave the history unfit for the tree, which then starts over from here.
    void begin();
    // The tree as it is now is where the history starts (New, Open); nothing to undo.
    void clear();
    // The tree as it is now is the one saved.
    void setClean();
    // The field name of a node ("CUST-NAME"), for the names of the steps.
    QString fieldName(int index) const;
    // The number of fields when the changes since the last step began.
    int countBefore() const { return countBefore_; }

    void undo();
    void redo();

signals:
    // After undo and redo: whether the tree is now as last saved; false too when a step
    // leaves the state last saved.
    void cleanChanged(bool clean);
    // The tree changed by an undo or redo.
    void applied();

private:
    void push(const QString &format, const QString &name = QString());
    void select(int index);
    // The selection now is the one to give back when the step that made this state is redone.
    void noteSelection();

    FieldTree &fields_;
    FieldTreeView *trvFields_;
    TreeJournal journal_;
    QUndoStack *stack_ = nullptr;
    QAction *undo_ = nullptr;
    QAction *redo_ = nullptr;
    int selectedBefore_ = 0;
    QString nameBefore_;
    int countBefore_ = 0;
};

} // namespace orvane
