#pragma once

#include "FieldTree.h"
#include "TreeEdit.h"

namespace orvane
{

// Check marks of an import preview. A checked node has checked ancestors, and a node's
// subtree follows it when it is checked or unchecked.

// Marks node `start` and its following siblings up to `stop` (or the last sibling), with
// all their descendants.
void SetCheckedSubtree(FieldTree &tree, int start, int stop, bool mark);
void SetAllChecked(FieldTree &tree, bool mark);
// Checks the node and every ancestor.
void CheckAncestors(FieldTree &tree, int index);
// The user changed a node's mark: its subtree follows, and a checked node checks its
// ancestors.
void NodeCheckChanged(FieldTree &tree, int index);

// Removes every unchecked node with its subtree from the sibling run that starts at `start`
// and from the subtrees of its checked nodes, in one pass.
void RemoveUnchecked(FieldTree &tree, int start);

// Appends the checked nodes of `preview` (unchecked ones are removed from it first) after the
// last top-level node of `fields`, with their texts and tags as they are.
InsertedRange ImportChecked(FieldTree &preview, FieldTree &fields);

} // namespace orvane
