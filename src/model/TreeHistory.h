#pragma once

#include "FieldTree.h"

#include <QString>

#include <functional>
#include <memory>
#include <variant>
#include <vector>

namespace orvane
{

// One change to a tree in the form that undoes it. Applying a change turns it into the change
// that undoes that again, so one list serves undo (applied backwards) and redo (forwards).
namespace treechange
{
// Nodes first..last were added; they are the highest indexes then.
struct Added {
    int first = 0;
    int last = -1;
};
// Subtrees present with these roots (after an undo of their removal).
struct Present {
    std::vector<int> roots;
};
// Subtrees that were removed, kept whole with their numbers and places.
struct Removed {
    DetachedNodes nodes;
};
enum class Field { Text, Tag };
struct Value {
    Field field = Field::Text;
    int index = 0;
    QString value; // the other value: before the change while it is to be undone
};
struct Checked {
    int index = 0;
    bool value = false;
};
// The node stood at `row` under `parent` (0: the top level).
struct Moved {
    int index = 0;
    int parent = 0;
    int row = 0;
};
// The tree's whole content was exchanged with this holder's (Remove All, clear).
struct Swapped {
    std::shared_ptr<FieldTree> holder;
};
} // namespace treechange

using TreeChange =
    std::variant<treechange::Added, treechange::Present, treechange::Removed, treechange::Value,
                 treechange::Checked, treechange::Moved, treechange::Swapped>;

// One undoable step: the changes one command made, oldest first. It keeps only what the
// command removed or overwrote, never a copy of the tree.
class TreeStep
{
public:
    TreeStep() = default;
    explicit TreeStep(std::vector<TreeChange> changes) : changes_(std::move(changes)) {}

    bool empty() const { return changes_.empty(); }
    // Each may run only on the tree as the step left it (undo) or found it (redo).
    void undo(FieldTree &tree);
    void redo(FieldTree &tree);

private:
    std::vector<TreeChange> changes_;
};

// Listens to one tree and collects its changes until they are taken as a step. The tree tells
// it of each change itself (FieldTree::setJournal).
class TreeJournal
{
public:
    // Runs before the first change after a take() or discard(), while the tree is still as
    // the step will find it on undo.
    std::function<void()> beforeFirstChange;

    bool hasChanges() const { return !pending_.empty(); }
    // The changes since the last take, as one step; the journal starts over.
    TreeStep take();
    // Forgets the changes since the last take: they belong to the state the history starts
    // from (a project just read).
    void discard();

    // Called by FieldTree.
    void willChange();
    void added(int first, int last);
    void removed(DetachedNodes &&nodes);
    void valueChanged(treechange::Field field, int index, const QString &before);
    void checkedChanged(int index, bool before);
    void moved(int index, int parent, int row);
    void swapped(std::shared_ptr<FieldTree> holder);

private:
    bool justAdded(int index) const;

    std::vector<TreeChange> pending_;
};

} // namespace orvane
