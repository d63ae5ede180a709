#include "CopybookReader.h"

#include "StoragePositions.h"

#include "model/FieldClause.h"

namespace orvane::cobol
{

int ImportEntries(FieldTree &tree, const ReadResult &read)
{
    std::vector<int> nodes(read.entries.size(), 0);
    const int first = tree.count() + 1;
    int record = 0; // the top-level field of the record being read
    bool constants = false;
    for (size_t i = 0; i < read.entries.size(); ++i) {
        const DataEntry &e = read.entries[i];
        constants = constants || e.constant;
        const int parent = read.parents[i] >= 0 ? nodes[size_t(read.parents[i])] : 0;
        if (e.constant) {
            // A constant among a record's items goes in front of the record, so that the code
            // generated from the layout defines it before its use. It holds no positions.
            const bool inside = record && i + 1 < read.entries.size() && read.parents[i + 1] >= 0;
            nodes[i] = inside ? tree.add(record, Relationship::Previous, e.fieldText)
                              : tree.add(0, Relationship::Last, e.fieldText);
            continue;
        }
        const int added = parent ? tree.add(parent, Relationship::Child, e.fieldText)
                                 : tree.add(0, Relationship::Last, e.fieldText);
        nodes[i] = added;
        if (!parent)
            record = added;
    }
    // The compiler's positions, from the storage map of the whole layout, laid out from the
    // entries just read. With constants every text is read again, with the values the whole
    // layout gives them (an earlier constant of the same name may differ).
    std::vector<const DataEntry *> known(constants ? 0 : size_t(tree.count()) + 1, nullptr);
    for (size_t i = 0; !constants && i < read.entries.size(); ++i)
        known[size_t(nodes[i])] = &read.entries[i];
    SetTagsFromStorage(tree, BuildStorageMap(tree, Dialect::Default, known), first);
    return int(read.entries.size());
}

QStringList TooLongToSave(const ReadResult &read)
{
    QStringList names;
    for (const DataEntry &e : read.entries)
        if (e.fieldText.size() > MaxClauseLength)
            names << QStringLiteral("%1 (line %2, %3 characters)")
                         .arg(e.name.isEmpty() ? QStringLiteral("FILLER") : e.name)
                         .arg(e.line)
                         .arg(e.fieldText.size());
    return names;
}

QString ImportSummary(const ReadResult &read, int fields)
{
    QStringList lines;
    lines << (fields == 1 ? QStringLiteral("1 field imported.")
                          : QStringLiteral("%1 fields imported.").arg(fields));
    const QStringList tooLong = TooLongToSave(read);
    if (!tooLong.isEmpty())
        lines << QStringLiteral("Too long to save in a project file (a field holds %1 "
                                "characters): %2")
                     .arg(MaxClauseLength)
                     .arg(tooLong.join(QStringLiteral(", ")));
    if (read.commentLines > 0)
        lines << QStringLiteral("%1 comment line(s) left out: a layout holds no comments.")
                     .arg(read.commentLines);
    lines << read.notes;
    return lines.join(u'\n');
}

} // namespace orvane::cobol
