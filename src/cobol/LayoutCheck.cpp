#include "LayoutCheck.h"

#include "StoragePositions.h"

#include "model/FieldClause.h"
#include "model/NumberText.h"
#include "model/Positions.h"

namespace orvane::cobol
{

namespace
{

bool needsNoPicture(Usage usage)
{
    return usage == Usage::Float || usage == Usage::Double || usage == Usage::Index ||
           usage == Usage::Pointer;
}

// Subordinate items other than condition names make a group.
bool isGroup(const FieldNode *node)
{
    for (int row = 0; row < node->childCount(); ++row)
        if (clauseLevel(node->childAt(row)->text()) != 88)
            return true;
    return false;
}

bool sameTag(const QString &a, const QString &b)
{
    return readNumber(TagFrom(a)) == readNumber(TagFrom(b)) &&
           readNumber(TagTo(a)) == readNumber(TagTo(b));
}

} // namespace

std::vector<LayoutWarning> CheckLayout(const FieldTree &tree, bool exactPositions, Dialect dialect)
{
    std::vector<LayoutWarning> warnings;
    std::vector<QString> storage;
    if (exactPositions)
        storage = StorageTags(BuildStorageMap(tree, dialect), tree.count());
    forEachPreOrder(tree, [&](const FieldNode *node, int) {
        DataEntry entry;
        const bool readable = ParseFieldText(node->text(), entry, false).isEmpty();
        const double level = clauseLevel(node->text());
        const QString name = !readable || (entry.name.isEmpty() && !entry.filler)
                                 ? QStringLiteral("Field %1").arg(node->index())
                             : entry.filler ? QStringLiteral("FILLER (field %1)").arg(node->index())
                                            : entry.name;
        auto warn = [&](const QString &text) {
            warnings.push_back({node->index(), name + QStringLiteral(": ") + text});
        };
        if (const FieldNode *parent = node->parentNode()) {
            const double parentLevel = clauseLevel(parent->text());
            if (level <= parentLevel)
                warn(QStringLiteral("level %1 is not greater than its parent's level %2, so the "
                                    "code will not nest it as the tree shows")
                         .arg(numberText(level), numberText(parentLevel)));
        }
        if (readable && level != 88 && level != 66) {
            const bool group = isGroup(node);
            if (group && !entry.picture.isEmpty())
                warn(QStringLiteral("a group item (it has subordinate items) with a PICTURE"));
            else if (!group && entry.picture.isEmpty() && !needsNoPicture(entry.usage))
                warn(QStringLiteral("an elementary item (no subordinate items) without a "
                                    "PICTURE"));
        }
        if (exactPositions && size_t(node->index()) < storage.size()) {
            const QString &exact = storage[size_t(node->index())];
            if (!exact.isEmpty() && !sameTag(exact, node->tag()))
                warn(QStringLiteral("position tag %1 is not its storage %2")
                         .arg(node->tag().isEmpty() ? QStringLiteral("(empty)") : node->tag(),
                              exact));
        }
        return true;
    });
    return warnings;
}

} // namespace orvane::cobol
