#pragma once

// Position tags taken from the storage map, so that they are the compiler's positions, and
// the storage of one field in words for the status bar. QtCore only.

#include "StorageMap.h"

#include "model/FieldTree.h"

#include <QString>

#include <unordered_map>
#include <vector>

namespace orvane::cobol
{

// The tag the storage map gives each field, by node index (entry 0 unused; empty where the
// map has no item or cannot lay the field out): first and last byte counted from 1. A table's tag
// spans one occurrence, as the tags of a group's children do; a REDEFINES variant starts on its
// target's first byte; a condition (88) takes the tag of the item it tests.
std::vector<QString> StorageTags(const StorageMap &map, int nodeCount);

// Sets the tag of every field numbered `first` or later to its storage tag, through the
// tree's setTag (so a journal sees each change). Returns how many tags changed.
int SetTagsFromStorage(FieldTree &tree, int first = 1, Dialect dialect = Dialect::Default);
// The same from a storage map of the whole tree built already.
int SetTagsFromStorage(FieldTree &tree, const StorageMap &map, int first);

// The storage status panel: "Storage 1 To 9, 9 bytes" (tables "12 × 10 bytes"), or why there
// is none. Empty without an item.
QString StorageStatusText(const StorageItem *item);

// The storage map of a tree, kept record by record: after a change only the record that holds
// it is laid out again, and only when one of its fields is looked at. The tree's listener
// tells it what changed.
class StorageCache
{
public:
    // The field's item; nullptr for an index that names no field. Valid until the next call.
    const StorageItem *item(const FieldTree &tree, int node);
    // Everything is laid out again.
    void invalidate() { all_ = true; }
    // Something inside the record that holds `node` changed (a child came, went or moved).
    void recordChanged(const FieldNode *node);
    // The node's own text changed; a top-level node's level may also regroup the records.
    void nodeChanged(const FieldNode *node);
    // Top-level fields came, went or moved.
    void topLevelChanged() { regroup_ = true; }

private:
    // The top-level fields the compiler lays out as one record: a record and the level-66
    // entries behind it, or a run of top-level items of levels 02-49.
    struct Segment {
        std::vector<const FieldNode *> tops;
        bool dirty = true;
        StorageMap map;
        std::unordered_map<const FieldNode *, int> itemOf;
    };
    void regroup(const FieldTree &tree);
    void layOut(Segment &segment);

    std::vector<Segment> segments_;
    std::unordered_map<const FieldNode *, size_t> segmentOf_; // by top-level field
    bool all_ = true;
    bool regroup_ = true;
};

} // namespace orvane::cobol
