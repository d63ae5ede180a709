#pragma once

#include "editor/TextSearch.h"

namespace orvane
{

class FieldTree;

// The node after `index` in display order (each node before its children, children before the
// next sibling); with `skipChildren` the node after its whole subtree. 0 at the end.
int nextInDisplayOrder(const FieldTree &tree, int index, bool skipChildren);

// The first node, in display order from `start`, whose text holds a match (whole word as the
// options say). When `start` is the node of the last hit, the search begins behind that node's
// subtree, so its children are not found by the next search. No wrap: 0 at the end.
int findInTree(const FieldTree &tree, int start, int lastHit, QStringView what,
               const SearchOptions &options);

// Replaces every occurrence in the node's text; true when the text changed.
bool replaceInNode(FieldTree &tree, int index, QStringView what, QStringView with, bool matchCase);
// The same in every node; returns how many node texts changed.
int replaceInTree(FieldTree &tree, QStringView what, QStringView with, bool matchCase);

} // namespace orvane
