// Where a record's DEPENDING ON tables end, so that each record's counts can move the fields
// after them, as GnuCOBOL lays out a variable-size record (items after a table slide to follow
// its last entry).

#include "RecordDecoder.h"
#include "RecordEncoder.h"
#include "RecordExport.h"

#include <charconv>

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
        const QStringView counter = CounterName(t.dependingOn);
        int column = -1;
        for (size_t c = 0; c < layout.columns.size() && column < 0; ++c)
            if (layout.columns[c].dependsOn.empty() &&
                layout.columns[c].name.compare(counter, Qt::CaseInsensitive) == 0)
                column = int(c);
        if (column < 0)
            continue; // the layout already says the counter is missing
        layout.tables.push_back({column, t.occursMax, t.entryLength, t.offset + t.length});
        ends.push_back(t.offset + t.length);
    }
    for (Column &c : layout.columns) {
        c.slidAfter = 0;
        while (size_t(c.slidAfter) < ends.size() && ends[size_t(c.slidAfter)] <= c.offset)
            ++c.slidAfter;
    }
}

QString ResizeDependingTables(const RecordLayout &layout, const DecodeOptions &options,
                              const RecordDecoder &before, int column, QByteArray &record,
                              bool keepLength)
{
    const qint64 oldLength = record.size();
    const Column &counter = layout.columns[size_t(column)];
    std::string text;
    qint64 count = -1;
    if (DecodeFieldAt(counter, before.offset(size_t(column)),
                      reinterpret_cast<const unsigned char *>(record.constData()), record.size(),
                      options, text) == FieldState::Ok) {
        const auto r = std::from_chars(text.data(), text.data() + text.size(), count);
        if (r.ec != std::errc() || r.ptr != text.data() + text.size())
            count = -1;
    }
    // From the last table back, so that the places found before any move stay true.
    bool moved = false;
    for (size_t k = layout.tables.size(); k-- > 0;) {
        const RecordLayout::DependingTable &t = layout.tables[k];
        if (t.counter != column)
            continue;
        if (count < 0 || count > t.maxCount)
            return QStringLiteral("%1 counts the entries of a table of %2: %3 cannot be taken")
                .arg(counter.name)
                .arg(t.maxCount)
                .arg(QString::fromStdString(text).trimmed());
        // A count that did not decode showed the table whole.
        const qint64 was = before.count(size_t(column)) < 0
                               ? t.maxCount
                               : std::min(before.count(size_t(column)), t.maxCount);
        const qint64 end = t.end - before.shift(k + 1);
        const qint64 delta = (count - was) * t.entryLength;
        if (delta == 0 || end > record.size())
            continue;
        if (delta > 0)
            record.insert(end, QByteArray(delta, char(SpaceByte(options.encoding))));
        else
            record.remove(end + delta, -delta);
        moved = true;
    }
    if (!moved)
        return {};
    // The new entries' numbers read zero, not blanks.
    RecordDecoder after(layout, options);
    after.setRecord(reinterpret_cast<const unsigned char *>(record.constData()), record.size());
    const qint64 was = before.count(size_t(column)) < 0 ? count : before.count(size_t(column));
    for (size_t c = 0; c < layout.columns.size(); ++c)
        for (const auto &[table, occurrence] : layout.columns[c].dependsOn)
            if (table == column && occurrence > was && occurrence <= count) {
                Column placed = layout.columns[c];
                placed.offset = after.offset(c);
                BlankField(placed, options, reinterpret_cast<unsigned char *>(record.data()),
                           record.size());
            }
    if (keepLength)
        record.resize(oldLength, char(SpaceByte(options.encoding)));
    return {};
}

void FitDependingTables(const RecordLayout &layout, const DecodeOptions &options,
                        QByteArray &record)
{
    std::string text;
    for (size_t k = layout.tables.size(); k-- > 0;) {
        const RecordLayout::DependingTable &t = layout.tables[k];
        text.clear();
        qint64 count = -1;
        if (DecodeField(layout.columns[size_t(t.counter)],
                        reinterpret_cast<const unsigned char *>(record.constData()), record.size(),
                        options, text) == FieldState::Ok) {
            const auto r = std::from_chars(text.data(), text.data() + text.size(), count);
            if (r.ec != std::errc() || r.ptr != text.data() + text.size())
                count = -1;
        }
        const qint64 lacking = (t.maxCount - count) * t.entryLength;
        if (count >= 0 && count < t.maxCount && t.end <= record.size())
            record.remove(t.end - lacking, lacking);
    }
}

} // namespace orvane::cobol
