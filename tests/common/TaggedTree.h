#pragma once

// Layouts with position tags for tests: built from (depth, text, tag) rows and written back
// as "text[tag]" in the outline form of TreeText.h.

#include "TreeText.h"

#include <QString>

#include <vector>

namespace orvane::testing
{

struct Row {
    int depth;
    QString text;
    QString tag;
};

inline void buildTagged(FieldTree &tree, const std::vector<Row> &rows)
{
    std::vector<std::pair<int, QString>> shape;
    for (const Row &r : rows)
        shape.push_back({r.depth, r.text});
    const int first = tree.count() + 1;
    build(tree, shape);
    for (size_t i = 0; i < rows.size(); ++i)
        tree.setTag(first + int(i), rows[i].tag);
}

// The same layout written as tagged() writes it: "A[1:10](B[1:5]),C[]".
inline void buildTagged(FieldTree &tree, const QString &layout)
{
    std::vector<Row> rows;
    int depth = 1;
    for (qsizetype at = 0; at < layout.size();) {
        const qsizetype open = layout.indexOf(u'[', at), close = layout.indexOf(u']', open);
        rows.push_back({depth, layout.mid(at, open - at), layout.mid(open + 1, close - open - 1)});
        for (at = close + 1; at < layout.size() && layout[at] == u')'; ++at)
            --depth;
        if (at < layout.size() && layout[at++] == u'(') // else a ',' before a sibling
            ++depth;
    }
    buildTagged(tree, rows);
}

// The outline with each node's tag after its text: "A[1:10](B[1:5])".
inline QString tagged(const FieldTree &tree)
{
    return outline(tree, [](const FieldNode *n) { return n->text() + u'[' + n->tag() + u']'; });
}

} // namespace orvane::testing
