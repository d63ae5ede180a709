#pragma once

#include "../common/QStringPrinter.h"
#include "model/FieldClause.h"
#include "model/FieldTree.h"

#include <QString>
#include <QStringList>

namespace orvane::test
{

// Adds a field as the last child of parent (0: a new top-level record) and returns its index.
inline int addText(FieldTree &tree, int parent, const QString &text)
{
    return tree.add(parent, parent ? Relationship::Child : Relationship::Last, text);
}

// The generated lines, without the empty piece before the leading CR LF.
inline QStringList codeLines(const QString &code)
{
    QStringList lines = code.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.front().isEmpty())
        lines.removeFirst();
    return lines;
}

} // namespace orvane::test
