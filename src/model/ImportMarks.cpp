#include "ImportMarks.h"

#include "Subtree.h"

namespace orvane
{

namespace
{

// Sets the mark of the node's whole subtree, iteratively.
void markSubtree(FieldTree &tree, int index, bool mark)
{
    std::vector<int> stack{index};
    while (!stack.empty()) {
        const int n = stack.back();
        stack.pop_back();
        if (tree.checked(n) != mark)
            tree.setChecked(n, mark);
        for (int c = tree.child(n); c; c = tree.next(c))
            stack.push_back(c);
    }
}

} // namespace

void SetCheckedSubtree(FieldTree &tree, int start, int stop, bool mark)
{
    for (int c = start; tree.contains(c); c = tree.next(c)) {
        markSubtree(tree, c, mark);
        if (c == stop)
            break;
    }
}

void SetAllChecked(FieldTree &tree, bool mark)
{
    const int first = GetFirstNode(tree);
    if (first)
        SetCheckedSubtree(tree, first, 0, mark);
}

void CheckAncestors(FieldTree &tree, int index)
{
    for (int n = index; tree.contains(n); n = tree.parent(n))
        if (!tree.checked(n))
            tree.setChecked(n, true);
}

void NodeCheckChanged(FieldTree &tree, int index)
{
    if (!tree.contains(index))
        return;
    const bool mark = tree.checked(index);
    SetCheckedSubtree(tree, index, index, mark);
    const int parent = tree.parent(index);
    if (mark && parent && !tree.checked(parent))
        CheckAncestors(tree, index);
}

void RemoveUnchecked(FieldTree &tree, int start)
{
    std::vector<int> roots;
    std::vector<int> runs{start};
    while (!runs.empty()) {
        const int first = runs.back();
        runs.pop_back();
        for (int c = first; tree.contains(c); c = tree.next(c)) {
            if (!tree.checked(c))
                roots.push_back(c);
            else if (int child = tree.child(c))
                runs.push_back(child);
        }
    }
    tree.removeSubtrees(roots);
}

InsertedRange ImportChecked(FieldTree &preview, FieldTree &fields)
{
    RemoveUnchecked(preview, GetFirstNode(preview));
    const int first = fields.count() + 1;
    for (int row = 0; row < preview.topLevelCount(); ++row) {
        const int r = preview.topLevelAt(row);
        const int last = fields.topLevelAt(fields.topLevelCount() - 1);
        CopySubtree(preview, fields, Relationship::Next, last, r, r);
    }
    return {first, fields.count()};
}

} // namespace orvane
