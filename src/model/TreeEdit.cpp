#include "TreeEdit.h"

#include "Positions.h"
#include "Subtree.h"

namespace orvane
{

void UpdateParentSpans(FieldTree &tree, int index, std::vector<TagChange> &changes)
{
    for (int p = tree.parent(index); p; p = tree.parent(p))
        changes.push_back({p, tree.tag(p)});
    UpdateParentSpans(tree, index);
}

RemovedRun CopyOut(const FieldTree &tree, int index)
{
    RemovedRun run;
    run.nodes = std::make_shared<FieldTree>();
    if (const FieldNode *n = tree.node(index)) {
        run.place = {tree.parent(index), n->row()};
        CopySubtree(tree, *run.nodes, Relationship::None, 0, index, index);
    }
    return run;
}

} // namespace orvane
