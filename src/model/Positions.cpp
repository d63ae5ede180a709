#include "Positions.h"

#include "FieldClause.h"
#include "NumberText.h"

namespace orvane
{

namespace
{
const QString kNoTag = QStringLiteral("0:0");

QString tagText(double from, double to)
{
    return numberText(from) + u':' + numberText(to);
}
} // namespace

QString TagFrom(QStringView tag)
{
    const qsizetype colon = tag.indexOf(u':');
    return colon < 0 ? QString() : tag.left(colon).toString();
}

QString TagTo(QStringView tag)
{
    const qsizetype colon = tag.indexOf(u':');
    return colon < 0 ? tag.toString() : tag.mid(colon + 1).toString();
}

QString PreviousTag(const FieldTree &tree, int index)
{
    const int prev = tree.previous(index);
    return prev ? tree.tag(prev) : kNoTag;
}

QString ParentTag(const FieldTree &tree, int index)
{
    const int parent = tree.parent(index);
    return parent ? tree.tag(parent) : kNoTag;
}

bool HasParent(const FieldTree &tree, int index)
{
    return tree.parent(index) != 0;
}

QString NewFieldTag(const FieldTree &tree, int index, const NewFieldPositions &in)
{
    if (in.byPositions)
        return tagText(readNumber(in.fromText), readNumber(in.toText));
    // A condition name holds no storage: it stands for the positions of the field it
    // belongs to and must not move the fields after it.
    const bool condition = clauseLevel(tree.text(index)) == 88;
    if (condition && HasParent(tree, index))
        return ParentTag(tree, index);
    const double length = condition ? 0 : readNumber(in.lengthText);
    if (!HasParent(tree, index)) {
        const double p = readNumber(TagTo(PreviousTag(tree, index)));
        return tagText(p + 1, p + length);
    }
    if (tree.firstSibling(index) == index) {
        const double f = readNumber(TagFrom(ParentTag(tree, index)));
        return tagText(f, f + length);
    }
    const double p = readNumber(TagTo(PreviousTag(tree, index)));
    return tagText(p, p + length);
}

void UpdateParentSpans(FieldTree &tree, int index)
{
    while (int parent = tree.parent(index)) {
        tree.setTag(parent, TagFrom(tree.tag(tree.firstSibling(index))) + u':' +
                                TagTo(tree.tag(tree.lastSibling(index))));
        index = parent;
    }
}

QString NextFromPosition(QStringView fromText, QStringView toText)
{
    const double to = readNumber(toText);
    if (readNumber(fromText) < to)
        return numberText(to + 1);
    return {};
}

} // namespace orvane
