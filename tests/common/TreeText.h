#pragma once

// Small helpers for tests: describe a tree as text and build one from depths.

#include "model/FieldClause.h"
#include "model/FieldTree.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

namespace orvane::testing
{

// The shape and texts of a tree in pre-order, e.g. "A(B,C),D"; `text` writes each node.
template <typename Text> QString outline(const FieldTree &tree, Text text)
{
    QString out;
    int last = 0; // the depth of the node written last
    forEachPreOrder(tree, [&](const FieldNode *n, int depth) {
        if (depth > last && last > 0)
            out += u'(';
        else if (last > 0)
            out += QString(last - depth, u')') + u',';
        out += text(n);
        last = depth;
        return true;
    });
    return out + QString(std::max(0, last - 1), u')');
}

inline QString outline(const FieldTree &tree)
{
    return outline(tree, [](const FieldNode *n) { return n->text(); });
}

// Adds nodes given as (depth, text) in pre-order, depth 1 being the top level.
inline void build(FieldTree &tree, const std::vector<std::pair<int, QString>> &nodes)
{
    std::vector<int> lastAtDepth;
    for (const auto &[depth, text] : nodes) {
        const int parent = depth > 1 ? lastAtDepth[size_t(depth - 2)] : 0;
        const int idx = parent ? tree.add(parent, Relationship::Child, text)
                               : tree.add(0, Relationship::Last, text);
        lastAtDepth.resize(size_t(depth));
        lastAtDepth[size_t(depth - 1)] = idx;
    }
}

// Adds the nodes of an outline as outline() writes it, "A(B,C),D", behind those there; the texts
// hold no brackets or commas.
inline void build(FieldTree &tree, const QString &outline)
{
    std::vector<std::pair<int, QString>> nodes;
    int depth = 1;
    QString text;
    for (const QChar c : outline + u',') {
        if (c != u'(' && c != u')' && c != u',') {
            text += c;
            continue;
        }
        if (!text.isEmpty())
            nodes.push_back({depth, text});
        text.clear();
        depth += c == u'(' ? 1 : c == u')' ? -1 : 0;
    }
    build(tree, nodes);
}

// A field text as the tables write it, '~' standing for the clause mark.
inline QString marked(QString text)
{
    return text.replace(u'~', ClauseMark);
}

// The index of the node with the given text, 0 when there is none.
inline int find(const FieldTree &tree, const QString &text)
{
    for (int i = 1; i <= tree.count(); ++i)
        if (tree.text(i) == text)
            return i;
    return 0;
}

} // namespace orvane::testing
