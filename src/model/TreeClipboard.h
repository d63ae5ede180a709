#pragma once

#include "FieldTree.h"
#include "TreeEdit.h"

namespace orvane
{

// Copies the selected node's subtree into `clipboard` as its only top-level node. False (and
// nothing changes) when there is no selected node: "No data to copy".
bool CopyToClipboard(const FieldTree &tree, int selected, FieldTree &clipboard);
// Moves the selected node's subtree into `clipboard`; the spans are recomputed for the node
// the tree selects then. Nothing changes without a selected node: "No data to cut".
TreeEdit CutToClipboard(FieldTree &tree, int selected, FieldTree &clipboard);

// Where a paste puts the clipboard's subtree.
enum class PasteTarget {
    Nothing,           // the clipboard is empty: "No data to paste"
    IntoEmpty,         // the tree is empty: the only top-level node, nothing else happens
    AtEnd,             // nodes but none selected: after the last top-level node
    Child,             // the clipboard's level is above the selected node's: its last child
    AskPreviousOrNext, // the user chooses before or after the selected node
};
PasteTarget PasteTargetFor(const FieldTree &tree, int selected, const FieldTree &clipboard);

// Copies the clipboard's subtree into the tree: with `placement` relative to `selected` for
// Child and the question's answer, at the end of the top level for AtEnd and IntoEmpty. The
// spans are recomputed from the pasted node up, which is the one to select (none for
// IntoEmpty, where nothing else happens). The clipboard keeps its content.
TreeEdit PasteFromClipboard(FieldTree &tree, int selected, const FieldTree &clipboard,
                            PasteTarget target, Relationship placement = Relationship::Child);

} // namespace orvane
