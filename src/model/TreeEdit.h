#pragma once

#include "FieldTree.h"

#include <QString>

#include <memory>
#include <vector>

namespace orvane
{

// Where a run of sibling subtrees stood: under `parent` (0: the top level), from `row` on.
struct TreePlace {
    int parent = 0;
    int row = 0;
};

// Subtrees taken out of a tree, kept whole (as the top-level nodes of `nodes`, in their
// order) so that they can be put back at their place.
struct RemovedRun {
    TreePlace place;
    std::shared_ptr<FieldTree> nodes;
};

// Nodes added to a tree. New nodes always take the highest indexes, so they are the
// collection range first..last as it stood right after the change.
struct InsertedRange {
    int first = 0;
    int last = -1;
    int size() const { return last >= first ? last - first + 1 : 0; }
    bool empty() const { return size() == 0; }
};

// An ancestor's tag as it was before its span was recomputed.
struct TagChange {
    int index = 0;
    QString before;
};

// What one reshaping operation did to a tree, in the order it did it: first the removal,
// then the insertion, then the spans. Undoing runs the other way round. Indexes are those
// valid right after each step.
struct TreeEdit {
    std::vector<RemovedRun> removed;
    InsertedRange inserted;
    std::vector<TagChange> spans;
    int selected = 0; // the node the window selects afterwards; 0 for none

    bool changed() const { return !removed.empty() || !inserted.empty(); }
};

// UpdateParentSpans for `index`, noting each ancestor's tag before it changes.
void UpdateParentSpans(FieldTree &tree, int index, std::vector<TagChange> &changes);

// The run of the subtree at `index` copied out before it is removed: its place and nodes.
RemovedRun CopyOut(const FieldTree &tree, int index);

} // namespace orvane
