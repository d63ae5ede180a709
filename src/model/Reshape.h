#pragma once

#include "FieldTree.h"
#include "TreeEdit.h"

namespace orvane
{

// The four moving buttons beside the field tree, for the selected node (0: none).
struct MoveButtons {
    bool makeParent = false; // cmdMakeNodeParent
    bool makeChild = false;  // cmdMakeNodeChild
    bool moveDown = false;   // cmdMoveNodeDown
    bool moveUp = false;     // cmdMoveNodeUp
    bool operator==(const MoveButtons &) const = default;
};
MoveButtons MoveButtonsFor(const FieldTree &tree, int selected);

// The node a tree selects once `index` is gone: the next sibling, else the previous one,
// else the parent; nullptr for none. The node keeps its address through the removal.
const FieldNode *NeighbourAfterRemoval(const FieldTree &tree, int index);

// Removes the node and its subtree; the spans are recomputed for the node selected then.
TreeEdit RemoveNode(FieldTree &tree, int index);
// Removes every node. The nodes are handed to the edit, not copied.
TreeEdit RemoveAllNodes(FieldTree &tree);

// The moves go out through `temp` and back, so every moved node is a new node with one of the
// highest indexes; `temp` is empty afterwards. Each does nothing when the neighbour it needs
// is missing.
// After its next sibling; selects the moved copy.
TreeEdit MoveNodeDown(FieldTree &tree, FieldTree &temp, int index);
// Exchanges with its previous sibling, which is the one moved; the node stays selected.
TreeEdit MoveNodeUp(FieldTree &tree, FieldTree &temp, int index);
// Last child of its next sibling; selects the moved copy.
TreeEdit MakeNodeChild(FieldTree &tree, FieldTree &temp, int index);
// Directly before its parent, at the parent's level; selects the parent.
TreeEdit MakeNodeParent(FieldTree &tree, FieldTree &temp, int index);

} // namespace orvane
