#pragma once

#include "../common/QStringPrinter.h"
#include "model/FieldClause.h"
#include "model/FieldTree.h"

#include <QString>
#include <QStringList>

namespace orvane::test
{

// A field as a user describes it in the entry panel, reduced to what the layouts here need.
struct Field {
    QString level = {};
    QString name = {};
    QString picture = {}; // a picture kind, a typed picture, or empty for a group
    QString length = {};  // for an input field
    bool output = false;  // the picture is an edit picture
    QString occurs = {};
    QString keyKind = QStringLiteral("Key");
    QString keyName = {};
    QString indexName = {};
    QString value = {};
    bool values = false;
    bool quoted = false;
};

inline QString clause(const Field &f)
{
    FieldEntry e;
    e.level = f.level;
    e.name = f.name;
    e.pictureText = f.picture;
    e.length = f.length;
    e.inputField = !f.output;
    e.occurs = f.occurs;
    e.keyKindText = f.keyKind;
    e.keyDataName = f.keyName;
    e.indexName = f.indexName;
    e.value = f.value;
    e.multipleValues = f.values;
    e.treatAsString = f.quoted;
    return BuildFieldClause(e);
}

// Adds a field as the last child of parent (0: a new top-level record) and returns its index.
inline int addField(FieldTree &tree, int parent, const Field &f)
{
    return tree.add(parent, parent ? Relationship::Child : Relationship::Last, clause(f));
}

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
