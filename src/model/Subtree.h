#pragma once

#include "FieldTree.h"

namespace orvane
{

// Copies node `start` of `source` and its following siblings up to `stop` (or the last
// sibling), each with all descendants, into `destination`. The first copy is placed with
// `placement` relative to `relative` (0: top level); each further copy follows the one
// before. Copies carry text and tag only. Source and destination must be different trees.
void CopySubtree(const FieldTree &source, FieldTree &destination, Relationship placement,
                 int relative, int start, int stop);

// Empties `destination`, copies the subtree of `index` into it as its only top-level node
// (node 1), then removes the subtree from `source`.
void MoveSubtree(FieldTree &source, FieldTree &destination, int index);

} // namespace orvane
