#include "editor/TreeSearch.h"

#include "model/FieldTree.h"

namespace orvane
{

int nextInDisplayOrder(const FieldTree &tree, int index, bool skipChildren)
{
    if (!skipChildren && tree.child(index))
        return tree.child(index);
    for (int n = index; n; n = tree.parent(n))
        if (const int sibling = tree.next(n))
            return sibling;
    return 0;
}

int findInTree(const FieldTree &tree, int start, int lastHit, QStringView what,
               const SearchOptions &options)
{
    if (!tree.contains(start) || what.isEmpty())
        return 0;
    int n = start == lastHit ? nextInDisplayOrder(tree, start, true) : start;
    for (; n; n = nextInDisplayOrder(tree, n, false))
        if (findDown(tree.node(n)->text(), what, 0, 0, options).found())
            return n;
    return 0;
}

bool replaceInNode(FieldTree &tree, int index, QStringView what, QStringView with, bool matchCase)
{
    const FieldNode *node = tree.node(index);
    if (!node || what.isEmpty())
        return false;
    const QString replaced = replaceEvery(node->text(), what, with, matchCase);
    if (replaced == node->text())
        return false;
    tree.setText(index, replaced);
    return true;
}

int replaceInTree(FieldTree &tree, QStringView what, QStringView with, bool matchCase)
{
    int changed = 0;
    for (int i = 1; i <= tree.count(); ++i)
        changed += replaceInNode(tree, i, what, with, matchCase) ? 1 : 0;
    return changed;
}

} // namespace orvane
