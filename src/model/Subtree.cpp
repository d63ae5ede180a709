#include "Subtree.h"

#include <vector>

namespace orvane
{

void CopySubtree(const FieldTree &source, FieldTree &destination, Relationship placement,
                 int relative, int start, int stop)
{
    if (&source == &destination || !source.contains(start))
        return;
    // One frame per sibling run being copied; the stack replaces recursion so that a deep
    // layout cannot exhaust the call stack.
    struct Frame {
        Relationship placement;
        int relative;
        int node;
    };
    std::vector<Frame> stack{{placement, relative, start}};
    while (!stack.empty()) {
        const Frame f = stack.back();
        const int copy = destination.add(f.relative, f.placement, source.text(f.node));
        destination.setTag(copy, source.tag(f.node));
        const int next = source.next(f.node);
        if (next == 0 || f.node == stop)
            stack.pop_back();
        else
            stack.back() = {Relationship::None, copy, next};
        if (const int child = source.child(f.node))
            stack.push_back({Relationship::Child, copy, child});
    }
}

void MoveSubtree(FieldTree &source, FieldTree &destination, int index)
{
    if (&source == &destination)
        return;
    destination.clear();
    CopySubtree(source, destination, Relationship::None, 0, index, index);
    source.remove(index);
}

} // namespace orvane
