// Where a record's DEPENDING ON tables end, so that each record's counts can move the fields
// after them, as GnuCOBOL lays out a variable-size record (items after a table slide to follow
// its last entry).

#include "RecordDecoder.h"

namespace orvane::cobol
{

void PlaceDependingTables(const StorageMap &map, RecordLayout &layout)
{
    layout.tables.clear();
    if (layout.columns.empty())
        return;
    const std::vector<StorageItem> &items = map.items;
    const int record = items[size_t(layout.columns.front().item)].record;
    // Tables shown in the layout: a column lies inside them.
    std::vector<char> shown(items.size(), 0);
    for (const Column &c : layout.columns)
        shown[size_t(c.item)] = 1;
    std::vector<qint64> ends;
    std::vector<size_t> open; // ancestors by depth
    for (size_t i = 0; i < items.size(); ++i) {
        const StorageItem &t = items[i];
        if (t.record != record)
            continue;
        while (!open.empty() && items[open.back()].depth >= t.depth)
            open.pop_back();
        bool inTable = false;
        for (size_t a : open)
            inTable = inTable || items[a].occursMax > 0;
        open.push_back(i);
        if (t.occursMax <= 0 || t.dependingOn.isEmpty())
            continue;
        bool any = false;
        for (size_t j = i; j < items.size() && (j == i || items[j].depth > t.depth); ++j)
            any = any || shown[j];
        if (!any)
            continue;
        if (inTable) {
            layout.problems << QStringLiteral("%1 lies in another table: later fields are read "
                                              "as if it were full")
                                   .arg(t.name);
            continue;
        }
        const QString counter = t.dependingOn.section(u' ', 0, 0);
        int column = -1;
        for (size_t c = 0; c < layout.columns.size() && column < 0; ++c)
            if (layout.columns[c].dependsOn.empty() &&
                layout.columns[c].name.compare(counter, Qt::CaseInsensitive) == 0)
                column = int(c);
        if (column < 0)
            continue; // the layout already says the counter is missing
        layout.tables.push_back({column, t.occursMax, t.entryLength});
        ends.push_back(t.offset + t.length);
    }
    for (Column &c : layout.columns) {
        c.slidAfter = 0;
        while (size_t(c.slidAfter) < ends.size() && ends[size_t(c.slidAfter)] <= c.offset)
            ++c.slidAfter;
    }
}

} // namespace orvane::cobol
