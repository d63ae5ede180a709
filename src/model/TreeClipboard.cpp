#include "TreeClipboard.h"

#include "Placement.h"
#include "Reshape.h"
#include "Subtree.h"

namespace orvane
{

bool CopyToClipboard(const FieldTree &tree, int selected, FieldTree &clipboard)
{
    if (!tree.contains(selected) || &tree == &clipboard)
        return false;
    clipboard.clear();
    CopySubtree(tree, clipboard, Relationship::None, 0, selected, selected);
    return true;
}

TreeEdit CutToClipboard(FieldTree &tree, int selected, FieldTree &clipboard)
{
    TreeEdit edit;
    if (!tree.contains(selected) || &tree == &clipboard)
        return edit;
    const FieldNode *after = NeighbourAfterRemoval(tree, selected);
    const TreePlace place{tree.parent(selected), tree.node(selected)->row()};
    MoveSubtree(tree, clipboard, selected);
    // The clipboard changes with the next cut; the edit keeps its own copy.
    RemovedRun run;
    run.place = place;
    run.nodes = std::make_shared<FieldTree>();
    CopySubtree(clipboard, *run.nodes, Relationship::None, 0, 1, 1);
    edit.removed.push_back(std::move(run));
    edit.selected = after ? after->index() : 0;
    UpdateParentSpans(tree, edit.selected, edit.spans);
    return edit;
}

PasteTarget PasteTargetFor(const FieldTree &tree, int selected, const FieldTree &clipboard)
{
    if (clipboard.isEmpty())
        return PasteTarget::Nothing;
    if (tree.isEmpty())
        return PasteTarget::IntoEmpty;
    if (!tree.contains(selected))
        return PasteTarget::AtEnd;
    const int top = GetFirstNode(clipboard);
    return NodeLevel(tree, selected) < NodeLevel(clipboard, top) ? PasteTarget::Child
                                                                 : PasteTarget::AskPreviousOrNext;
}

TreeEdit PasteFromClipboard(FieldTree &tree, int selected, const FieldTree &clipboard,
                            PasteTarget target, Relationship placement)
{
    TreeEdit edit;
    const int top = GetFirstNode(clipboard);
    if (!top || &tree == &clipboard)
        return edit;
    const int first = tree.count() + 1;
    switch (target) {
    case PasteTarget::Nothing:
        return edit;
    case PasteTarget::IntoEmpty:
    case PasteTarget::AtEnd:
        CopySubtree(clipboard, tree, Relationship::None, 0, top, top);
        break;
    case PasteTarget::Child:
        placement = Relationship::Child;
        [[fallthrough]];
    case PasteTarget::AskPreviousOrNext:
        if (!tree.contains(selected))
            return edit;
        CopySubtree(clipboard, tree, placement, selected, top, top);
        break;
    }
    edit.inserted = {first, tree.count()};
    if (target == PasteTarget::IntoEmpty)
        return edit;
    edit.selected = first;
    // From the pasted node up, so that a field pasted as a child widens its new parent too.
    UpdateParentSpans(tree, first, edit.spans);
    return edit;
}

} // namespace orvane
