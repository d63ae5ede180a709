#include "Reshape.h"

#include "Subtree.h"

namespace orvane
{

MoveButtons MoveButtonsFor(const FieldTree &tree, int selected)
{
    if (!tree.contains(selected))
        return {};
    const bool hasNext = tree.next(selected) != 0;
    return {tree.parent(selected) != 0, hasNext, hasNext, tree.previous(selected) != 0};
}

namespace
{

// A node's index after a removal, found again through the node itself.
int indexOf(const FieldNode *node)
{
    return node ? node->index() : 0;
}

} // namespace

const FieldNode *NeighbourAfterRemoval(const FieldTree &tree, int index)
{
    if (int n = tree.next(index))
        return tree.node(n);
    if (int p = tree.previous(index))
        return tree.node(p);
    return tree.node(tree.parent(index));
}

namespace
{

// Moves the subtree out into `temp` and copies it back with `placement` relative to
// `relative` (a node outside the subtree). temp's nodes end in the edit's record of the
// removal. Returns the copy's index.
int moveAround(FieldTree &tree, FieldTree &temp, int index, Relationship placement,
               const FieldNode *relative, TreeEdit &edit)
{
    RemovedRun run;
    run.place = {tree.parent(index), tree.node(index)->row()};
    MoveSubtree(tree, temp, index);
    const int first = tree.count() + 1;
    CopySubtree(temp, tree, placement, indexOf(relative), 1, 1);
    edit.inserted = {first, tree.count()};
    run.nodes = std::make_shared<FieldTree>();
    temp.moveNodesTo(*run.nodes);
    edit.removed.push_back(std::move(run));
    return first;
}

// Moves the subtree past its next sibling (Next) or under it (Child); selects the copy.
TreeEdit moveByNextSibling(FieldTree &tree, FieldTree &temp, int index, Relationship placement)
{
    TreeEdit edit;
    const FieldNode *m = tree.node(tree.next(index));
    if (!m)
        return edit;
    edit.selected = moveAround(tree, temp, index, placement, m, edit);
    UpdateParentSpans(tree, edit.selected, edit.spans);
    return edit;
}

} // namespace

TreeEdit RemoveNode(FieldTree &tree, int index)
{
    TreeEdit edit;
    if (!tree.contains(index))
        return edit;
    const FieldNode *after = NeighbourAfterRemoval(tree, index);
    edit.removed.push_back(CopyOut(tree, index));
    tree.remove(index);
    edit.selected = indexOf(after);
    UpdateParentSpans(tree, edit.selected, edit.spans);
    return edit;
}

TreeEdit RemoveAllNodes(FieldTree &tree)
{
    TreeEdit edit;
    if (tree.isEmpty())
        return edit;
    RemovedRun run;
    run.nodes = std::make_shared<FieldTree>();
    // The shared holder lets a journal take the nodes back on undo instead of copying them.
    tree.moveNodesTo(run.nodes);
    edit.removed.push_back(std::move(run));
    return edit;
}

TreeEdit MoveNodeDown(FieldTree &tree, FieldTree &temp, int index)
{
    return moveByNextSibling(tree, temp, index, Relationship::Next);
}

TreeEdit MoveNodeUp(FieldTree &tree, FieldTree &temp, int index)
{
    const FieldNode *self = tree.node(index);
    const int previous = tree.previous(index);
    if (!previous)
        return {};
    TreeEdit edit = MoveNodeDown(tree, temp, previous);
    edit.selected = indexOf(self);
    return edit;
}

TreeEdit MakeNodeChild(FieldTree &tree, FieldTree &temp, int index)
{
    return moveByNextSibling(tree, temp, index, Relationship::Child);
}

TreeEdit MakeNodeParent(FieldTree &tree, FieldTree &temp, int index)
{
    TreeEdit edit;
    const FieldNode *q = tree.node(tree.parent(index));
    if (!q)
        return edit;
    moveAround(tree, temp, index, Relationship::Previous, q, edit);
    edit.selected = indexOf(q);
    // Q's parent now spans from the moved field to Q's last child.
    UpdateParentSpans(tree, edit.selected, edit.spans);
    return edit;
}

} // namespace orvane
