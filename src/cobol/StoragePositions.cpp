#include "StoragePositions.h"

#include "model/FieldClause.h"

namespace orvane::cobol
{

namespace
{

// Writes the number's digits, most significant first, at `out`; returns the end.
char16_t *writeNumber(char16_t *out, quint64 n)
{
    char16_t digits[20];
    int count = 0;
    do {
        digits[count++] = char16_t(u'0' + n % 10);
        n /= 10;
    } while (n > 0);
    while (count > 0)
        *out++ = digits[--count];
    return out;
}

// "FIRST:LAST" in one allocation: a large layout has a tag per field.
QString tagText(quint64 first, quint64 last)
{
    char16_t text[42];
    char16_t *end = writeNumber(text, first);
    *end++ = u':';
    end = writeNumber(end, last);
    return QString(reinterpret_cast<const QChar *>(text), end - text);
}

} // namespace

std::vector<QString> StorageTags(const StorageMap &map, int nodeCount)
{
    std::vector<QString> tags(size_t(std::max(nodeCount, 0)) + 1);
    // The items are in pre-order: the last item seen at each depth is the parent of the
    // next item one level deeper.
    std::vector<size_t> atDepth;
    for (size_t i = 0; i < map.items.size(); ++i) {
        const StorageItem &item = map.items[i];
        if (item.depth < 1)
            continue;
        atDepth.resize(size_t(item.depth));
        atDepth.back() = i;
        if (item.node < 1 || item.node > nodeCount)
            continue;
        if (item.category == Category::Condition) {
            if (item.depth > 1)
                tags[size_t(item.node)] =
                    tags[size_t(map.items[atDepth[size_t(item.depth) - 2]].node)];
            continue;
        }
        if (!item.error.isEmpty()) // no known storage: no tag to give
            continue;
        const qint64 one = item.occursMax > 0 ? item.entryLength : item.length;
        tags[size_t(item.node)] = tagText(quint64(item.offset + 1), quint64(item.offset + one));
    }
    return tags;
}

int SetTagsFromStorage(FieldTree &tree, int first, Dialect dialect)
{
    return SetTagsFromStorage(tree, BuildStorageMap(tree, dialect), first);
}

int SetTagsFromStorage(FieldTree &tree, const StorageMap &map, int first)
{
    const std::vector<QString> tags = StorageTags(map, tree.count());
    int changed = 0;
    for (int node = std::max(first, 1); node <= tree.count(); ++node) {
        const QString &tag = tags[size_t(node)];
        if (tag.isEmpty() || tag == tree.tag(node))
            continue;
        tree.setTag(node, tag);
        ++changed;
    }
    return changed;
}

QString StorageStatusText(const StorageItem *item)
{
    if (!item)
        return {};
    if (!item->error.isEmpty())
        return QStringLiteral("Storage unknown");
    if (item->category == Category::Condition)
        return QStringLiteral("Storage: its item's (88)");
    QString text =
        QStringLiteral("Storage %1 To %2, ").arg(item->offset + 1).arg(item->offset + item->length);
    if (item->occursMax > 0)
        text += QStringLiteral("%1 \u00D7 ").arg(item->occursMax);
    const qint64 bytes = item->occursMax > 0 ? item->entryLength : item->length;
    return text + (bytes == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(bytes));
}

namespace
{

// Deeper than this, finding a change's record costs more than laying everything out again.
constexpr int kWalkLimit = 64;

const FieldNode *topOf(const FieldNode *node, int limit)
{
    for (int steps = 0; node && node->parentNode(); ++steps) {
        if (steps == limit)
            return nullptr;
        node = node->parentNode();
    }
    return node;
}

} // namespace

void StorageCache::recordChanged(const FieldNode *node)
{
    const FieldNode *top = topOf(node, kWalkLimit);
    if (!top) {
        all_ = true;
        return;
    }
    const auto found = segmentOf_.find(top);
    if (found != segmentOf_.end())
        segments_[found->second].dirty = true;
    else
        regroup_ = true;
}

void StorageCache::nodeChanged(const FieldNode *node)
{
    recordChanged(node);
    if (node && !node->parentNode())
        regroup_ = true;
}

void StorageCache::regroup(const FieldTree &tree)
{
    // Records that kept their fields and saw no change keep their maps.
    std::unordered_map<const FieldNode *, size_t> oldFirst;
    for (size_t i = 0; i < segments_.size(); ++i)
        if (!segments_[i].dirty && !segments_[i].tops.empty())
            oldFirst.emplace(segments_[i].tops.front(), i);
    std::vector<Segment> old = std::move(segments_);
    segments_.clear();
    segmentOf_.clear();
    // The grouping of the storage map's own walk over the top level.
    bool fragment = false;
    for (int row = 0; row < tree.topLevelCount(); ++row) {
        const FieldNode *top = tree.topLevelNode(row);
        const int level = int(clauseLevel(top->text()));
        const bool isFragment = level >= 2 && level <= 49;
        const bool continues = (fragment && isFragment) || level == 66;
        fragment = isFragment;
        if (!continues || segments_.empty())
            segments_.emplace_back();
        segments_.back().tops.push_back(top);
        segmentOf_.emplace(top, segments_.size() - 1);
    }
    for (Segment &s : segments_) {
        const auto found = oldFirst.find(s.tops.front());
        if (found != oldFirst.end() && old[found->second].tops == s.tops)
            s = std::move(old[found->second]);
    }
    regroup_ = false;
}

void StorageCache::layOut(Segment &segment)
{
    // The record's fields, copied into a tree of their own in pre-order, so that the copy's
    // numbers lead back to the fields.
    FieldTree copy;
    std::vector<const FieldNode *> original;
    std::vector<std::pair<const FieldNode *, int>> stack; // node, the copy's parent
    for (auto top = segment.tops.rbegin(); top != segment.tops.rend(); ++top)
        stack.push_back({*top, 0});
    while (!stack.empty()) {
        const auto [node, parent] = stack.back();
        stack.pop_back();
        const int added = parent ? copy.add(parent, Relationship::Child, node->text())
                                 : copy.add(0, Relationship::Last, node->text());
        original.push_back(node);
        for (int row = node->childCount() - 1; row >= 0; --row)
            stack.push_back({node->childAt(row), added});
    }
    segment.map = BuildStorageMap(copy, Dialect::Default);
    segment.itemOf.clear();
    for (size_t i = 0; i < segment.map.items.size(); ++i)
        segment.itemOf.emplace(original[size_t(segment.map.items[i].node) - 1], int(i));
    segment.dirty = false;
}

const StorageItem *StorageCache::item(const FieldTree &tree, int node)
{
    const FieldNode *field = tree.node(node);
    if (!field)
        return nullptr;
    if (all_) {
        segments_.clear();
        regroup_ = true;
        all_ = false;
    }
    if (regroup_)
        regroup(tree);
    const auto found = segmentOf_.find(topOf(field, -1));
    if (found == segmentOf_.end())
        return nullptr;
    Segment &segment = segments_[found->second];
    if (segment.dirty)
        layOut(segment);
    const auto item = segment.itemOf.find(field);
    return item == segment.itemOf.end() ? nullptr : &segment.map.items[size_t(item->second)];
}

} // namespace orvane::cobol
