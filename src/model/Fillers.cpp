#include "Fillers.h"

#include "FieldClause.h"
#include "NumberText.h"
#include "Placement.h"
#include "Positions.h"

namespace orvane
{

FillerCheck CheckFillerEntry(const FillerEntry &entry)
{
    if (entry.multipleValues)
        return FillerCheck::MultipleValues;
    if (entry.fieldType.trimmed().isEmpty())
        return FillerCheck::NoPicture;
    const bool noValue =
        entry.treatAsString ? entry.value.isEmpty() : entry.value.trimmed().isEmpty();
    return noValue ? FillerCheck::AskNoValue : FillerCheck::Ok;
}

QString FillerPicture(const QString &fieldType)
{
    const QString upper = fieldType.toUpper();
    if (upper == u"ALPHANUM (X)" || upper == u"ALPHA (A)" || upper == u"NUMERIC (9)")
        return upper.mid(upper.size() - 2, 1);
    return fieldType;
}

QString FillerValue(const FillerEntry &entry)
{
    // The user agreed to fillers without an initial value: there is none to write.
    if (CheckFillerEntry(entry) == FillerCheck::AskNoValue)
        return {};
    if (entry.treatAsString)
        return u'"' + entry.value + u'"';
    return entry.value.trimmed();
}

QString FillerText(const QString &levelText, const QString &picture, double length,
                   const QString &value)
{
    // VALUE with nothing behind it is no COBOL: without a value the clause is left out.
    const QString valuePart = value.isEmpty() ? QString() : QStringLiteral(" VALUE ") + value;
    return (levelText + QStringLiteral(" FILLER ") + ClauseMark + QStringLiteral("PIC ") + picture +
            u'(' + numberText(length) + u')' + valuePart + u'.')
        .toUpper();
}

QString FillerNoticeText(FillerMode mode)
{
    return QStringLiteral("You Can Remove the Fillers Later By Clicking The Item and key DEL or "
                          "remove buttion If you Want To\r\n") +
           (mode == FillerMode::SameLevel
                ? QStringLiteral("This option does not go deeper than one level")
                : QStringLiteral("This options inserts for same level items only"));
}

int FillerRunParent(const FieldTree &tree, FillerMode mode, int selected)
{
    if (!tree.contains(selected))
        return -1;
    if (mode == FillerMode::SameLevel)
        return tree.parent(selected);
    return tree.children(selected) ? selected : -1;
}

FillerResult InsertFillers(FillerMode mode, FieldTree &tree, int selected, const QString &value,
                           const QString &picture)
{
    FillerResult result;
    const int parent = FillerRunParent(tree, mode, selected);
    if (parent >= 0) {
        const FieldNode *p = parent ? tree.node(parent) : nullptr;
        const int size = p ? p->childCount() : tree.topLevelCount();
        auto at = [&](int row) { return p ? p->childAt(row) : tree.topLevelNode(row); };
        std::vector<FieldTree::NewLeaf> leaves;
        QString level;
        const FieldNode *before = nullptr; // the last field holding storage
        for (int row = 0; row < size; ++row) {
            const FieldNode *d = at(row);
            if (clauseLevel(d->text()) == 88)
                continue;
            const double from = readNumber(TagFrom(d->tag()));
            double start = 0; // first position of the hole
            if (!before) {
                level = d->text().left(2);
                start = p ? readNumber(TagFrom(p->tag())) : 1;
                if (start < 1) // a parent whose From holds no number: no known start
                    start = from;
            } else {
                // A table's storage runs over all its occurrences, not only the first.
                start = tagReachEnd(before->tag(), before->text()) + 1;
            }
            const double gap = from - start;
            if (gap > 0)
                leaves.push_back({row, FillerText(level, picture, gap, value),
                                  numberText(start) + u':' + numberText(start + gap - 1)});
            before = d;
        }
        const int first = tree.insertLeaves(parent, leaves);
        if (first)
            result.inserted = {first, first + int(leaves.size()) - 1};
        result.count = int(leaves.size());
    }
    result.message = result.count > 0
                         ? QString::number(result.count) + QStringLiteral(" Fillers inserted")
                         : QStringLiteral("No Fillers inserted");
    return result;
}

} // namespace orvane
