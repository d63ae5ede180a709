#pragma once

// Where every field of a layout lies in storage, as the compiler lays it out: offsets and
// lengths computed from the field texts alone, for one dialect. QtCore only.

#include "DataEntry.h"

#include "model/FieldTree.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace orvane::cobol
{

// The dialects differ in the size of binary items: default 1-2-4-8 bytes, ibm 2-4-8, mf the
// fewest bytes that hold the digits. The names are cobc's -std names.
enum class Dialect { Default, Ibm, Mf };
bool DialectFromName(QStringView name, Dialect &dialect);
QString DialectName(Dialect dialect);

// One field as a record decoder needs it. Offsets count from 0 at the start of the record;
// inside a table they are those of the first occurrence.
struct StorageItem {
    int node = 0;   // the field's index in the tree
    int depth = 1;  // 1 for a top-level field
    int record = 0; // index into StorageMap::records; -1 for a 66 with no record before it
    int level = 0;
    // Names look into StorageMap::nameText: keep the map (or a copy) while using them, and copy
    // a name into a QString to keep it longer.
    QStringView name; // empty for an unnamed item
    QString picture;
    Category category = Category::Group;
    Usage usage = Usage::Display;    // the group's usage inherited when the item gives none
    const char *usageWord = nullptr; // BINARY-LONG, COMP-X, ...: the word that gave the usage
    qint64 offset = 0;
    qint64 length = 0;      // every occurrence; 0 for an 88 and for an unreadable field
    qint64 entryLength = 0; // one occurrence (the padding of a table entry included)
    qint64 occursMin = 0;   // the item's own OCCURS; 0 without one
    qint64 occursMax = 0;
    QStringView dependingOn; // into StorageMap::nameText, as the name
    int digits = 0;
    int scale = 0; // digits right of the decimal point; negative when Ps stand on the right
    bool isSigned = false;
    SignPosition sign = SignPosition::None; // None: the usage's default (trailing, embedded)
    bool signSeparate = false;
    bool justified = false;
    bool redefines = false;
    qint64 slackBefore = 0; // SYNC slack bytes inserted before the item
    qint64 slackAfter = 0;  // slack bytes that pad each table entry at its end
    QString error;          // why the field could not be laid out
};

struct StorageRecord {
    int node = 0;  // the top-level field that starts the record
    int level = 0; // its level: 01, 77, or 02-49 for the items of a copybook meant for a group
    QString name;
    qint64 length = 0;
};

struct StorageMap {
    std::vector<StorageItem> items; // in tree pre-order
    std::vector<StorageRecord> records;
    QStringList errors; // one line per field that could not be laid out
    // The characters of the items' names, in blocks that never move or change once written:
    // copies of the map share them, and a layout of many fields needs no string per name.
    std::vector<QString> nameText;
};

StorageMap BuildStorageMap(const FieldTree &tree, Dialect dialect);
// The same with entries already read, by node index (null where there is none): a field whose
// text is its entry's field text is laid out from that entry, without reading the text again.
// Each entry must have been read with the constants the map knows, or with none.
StorageMap BuildStorageMap(const FieldTree &tree, Dialect dialect,
                           const std::vector<const DataEntry *> &read);

// The first word of "COUNTER OF GROUP": the counter's own name.
inline QStringView CounterName(QStringView dependingOn)
{
    const qsizetype blank = dependingOn.indexOf(u' ');
    return blank < 0 ? dependingOn : dependingOn.first(blank);
}

qint64 BinarySize(int digits, bool isSigned, bool native, Dialect dialect);

// One field's storage in words, for the tree's tooltip: first and last byte counted from 1,
// length and usage, and the slack bytes SYNC put around it.
QString DescribeStorage(const StorageItem &item);

QString UsageName(Usage usage);
// The usage as the item's word names it (BINARY-LONG, COMP-X), else UsageName.
QString UsageText(const StorageItem &item);
QString CategoryName(Category category);

} // namespace orvane::cobol
