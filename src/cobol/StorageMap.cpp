#include "StorageMap.h"

#include "model/FieldClause.h"

#include <QHash>
#include <QStringMatcher>

#include <algorithm>
#include <array>

namespace orvane::cobol
{

namespace
{

// Far beyond any real record, and far from overflow when sizes multiply through tables.
constexpr qint64 kMaxLength = qint64(1) << 50;

qint64 times(qint64 size, qint64 count)
{
    if (size <= 0 || count <= 0)
        return 0;
    return size > kMaxLength / count ? kMaxLength : size * count;
}

// SYNC aligns binary, floating-point, index and pointer items on their own size, when that is
// a power of two (cobc leaves the odd sizes of the mf dialect where they fall).
qint64 alignmentFor(Usage u, const UsageDetail &d, qint64 size)
{
    const bool aligns = u == Usage::Binary || u == Usage::Comp5 || HasUsageSize(u, d);
    return aligns && (size == 2 || size == 4 || size == 8) ? size : 1;
}

// The level a field text starts with; two digits, as nearly every text has, are read directly.
int levelOf(const QString &text)
{
    if (text.size() >= 2 && text[0].unicode() >= u'0' && text[0].unicode() <= u'9' &&
        text[1].unicode() >= u'0' && text[1].unicode() <= u'9')
        return (text[0].unicode() - u'0') * 10 + (text[1].unicode() - u'0');
    return int(clauseLevel(text));
}

constexpr std::array<int, 100> filled(int value)
{
    std::array<int, 100> a{};
    a.fill(value);
    return a;
}

// The size with the usage's detail given apart: an item's own, or its group's.
qint64 elementarySize(const DataEntry &entry, const UsageDetail &detail, Usage usage,
                      Dialect dialect, QString &error)
{
    if (detail.bytes > 0)
        return detail.bytes;
    if (detail.fewest && !entry.picture.isEmpty()) {
        // cobc gives COMP-X and COMP-N the fewest bytes in every dialect; PIC X(n) is n bytes.
        const PictureInfo &info = entry.pictureInfo;
        if (info.category != Category::Numeric)
            return info.positions;
        if (info.digits > 18) {
            error = QStringLiteral("a binary item holds at most 18 digits");
            return 0;
        }
        return BinarySize(info.digits, info.isSigned, false, Dialect::Mf);
    }
    switch (usage) {
    case Usage::Float:
    case Usage::Index:
        return 4;
    case Usage::Double:
    case Usage::Pointer:
        return 8;
    default:
        break;
    }
    if (entry.picture.isEmpty()) {
        error = QStringLiteral("the item needs a PICTURE");
        return 0;
    }
    const PictureInfo &info = entry.pictureInfo;
    switch (usage) {
    case Usage::Binary:
    case Usage::Comp5:
        if (info.category != Category::Numeric) {
            error = QStringLiteral("a binary item needs a numeric picture");
            return 0;
        }
        if (info.digits > 18) {
            error = QStringLiteral("a binary item holds at most 18 digits");
            return 0;
        }
        return BinarySize(info.digits, info.isSigned, usage == Usage::Comp5, dialect);
    case Usage::Packed:
        if (info.category != Category::Numeric) {
            error = QStringLiteral("a packed-decimal item needs a numeric picture");
            return 0;
        }
        return info.digits / 2 + 1; // the sign takes half a byte even when unsigned
    case Usage::National:
        return times(info.positions, 2);
    default:
        break;
    }
    if (info.category == Category::National)
        return times(info.positions, 2);
    return info.positions + (info.isSigned && entry.signSeparate ? 1 : 0);
}

struct Frame {
    const FieldNode *node = nullptr; // nullptr: the record itself
    int item = -1;
    qint64 start = 0;
    qint64 cursor = 0;
    Usage usage = Usage::Display;
    UsageDetail detail;
    int lastBase = -1;           // the last child that redefines nothing
    int row = 0;                 // the next child to lay out
    bool conditionsOnly = false; // an elementary item: its children are its 88s
    int base = -1;               // the item this one redefines below level 01
};

class Layout
{
public:
    Layout(const FieldTree &tree, Dialect dialect, const std::vector<const DataEntry *> *read)
        : tree_(tree), dialect_(dialect), read_(read)
    {
        map_.items.reserve(size_t(tree.count()));
        // Every record starts at a top-level field: room for all at once spares the allocator
        // the large moves and frees of a growing vector between the items' small strings.
        map_.records.reserve(size_t(tree.topLevelCount()));
    }

    StorageMap run();

private:
    void fail(StorageItem &item, const QString &message)
    {
        item.error = message;
        map_.errors << QStringLiteral("Field %1 (%2): %3")
                           .arg(item.node)
                           .arg(item.name.isEmpty() ? QStringLiteral("unnamed") : item.name,
                                message);
    }
    // The field's entry: the one read already, or its text read now into `local`.
    const DataEntry &entryOf(const FieldNode *node, DataEntry &local, QString &error)
    {
        const size_t i = size_t(node->index());
        if (read_ && i < read_->size() && (*read_)[i] && (*read_)[i]->fieldText == node->text())
            return *(*read_)[i];
        error = ParseFieldText(node->text(), local, false, &constants_, &pictures_);
        return local;
    }
    // The text kept in the map's name blocks. A block is written in place and never grows, so
    // the views into it stay valid; blocks grow in size as the layout does.
    QStringView keep(QStringView text)
    {
        if (text.isEmpty())
            return {};
        if (map_.nameText.empty() || blockFree_ < text.size()) {
            const qsizetype last = map_.nameText.empty() ? 512 : map_.nameText.back().size();
            const qsizetype size = std::max(text.size(), std::min<qsizetype>(last * 2, 1 << 16));
            map_.nameText.emplace_back(size, Qt::Uninitialized);
            blockFree_ = size;
        }
        QString &block = map_.nameText.back();
        QChar *at = block.data() + (block.size() - blockFree_);
        std::copy(text.begin(), text.end(), at);
        blockFree_ -= text.size();
        return QStringView(at, text.size());
    }
    void place(const FieldNode *node, int depth);
    bool isConstant(const FieldNode *node, int level);
    void close();
    void advance(Frame &parent, int item, int base);
    void renames(StorageItem &item, const DataEntry &entry);
    void push(const FieldNode *node, int index, const StorageItem &item, const UsageDetail &detail,
              bool conditionsOnly, int base = -1)
    {
        stack_.push_back(Frame{node, index, item.offset, item.offset, item.usage, detail, -1, 0,
                               conditionsOnly, base});
    }

    const FieldTree &tree_;
    Dialect dialect_;
    const std::vector<const DataEntry *> *read_;
    StorageMap map_;
    qsizetype blockFree_ = 0; // characters left in the last name block
    std::vector<Frame> stack_;
    // The record a level-66 entry renames within: its first item and a lookup by name.
    int recordFirstItem_ = -1;
    int recordEndItem_ = -1;
    QHash<QStringView, int> recordNames_; // views into the name blocks
    bool namesBuilt_ = false;
    Constants constants_;
    // Per level, the last top-level item that redefines nothing: what a record's REDEFINES names.
    std::array<int, 100> lastTopBase_ = filled(-1);
    // Every picture string once: a layout repeats few pictures over many fields, so the items
    // share one copy and reading a field's text allocates none for its picture.
    PictureStrings pictures_;
    // The alignment a table entry is padded to. cobc keeps one such value for the whole walk:
    // every group starts it afresh at 1 and aligned items raise it, so after a nested group it
    // holds what that group left, not the largest alignment of the entry. The map follows cobc.
    qint64 tableAlign_ = 1;
};

// A constant holds no storage and starts no record; its value stands in for later counts.
bool Layout::isConstant(const FieldNode *node, int level)
{
    if (level != 78 && level != 1)
        return false;
    // Only the CONSTANT clause makes a record a constant; most records need no reading here.
    // One matcher serves every record: a plain case-blind search prepares the word each time.
    static const QStringMatcher constantWord(u"CONSTANT", Qt::CaseInsensitive);
    if (level == 1 && constantWord.indexIn(node->text()) < 0)
        return false;
    DataEntry local;
    QString error;
    const DataEntry &entry = entryOf(node, local, error);
    if (!error.isEmpty() || !entry.constant)
        return false;
    constants_.insert(entry.name, entry.constantValue);
    return true;
}

StorageMap Layout::run()
{
    bool fragment = false; // top-level items of levels 02-49: a copybook meant for a group
    // Constants first: one may stand between the items of the record that uses it.
    std::vector<char> constant(size_t(tree_.topLevelCount()), 0);
    for (int row = 0; row < tree_.topLevelCount(); ++row) {
        const FieldNode *top = tree_.topLevelNode(row);
        constant[size_t(row)] = isConstant(top, levelOf(top->text()));
    }
    for (int row = 0; row < tree_.topLevelCount(); ++row) {
        const FieldNode *top = tree_.topLevelNode(row);
        const int level = levelOf(top->text());
        if (constant[size_t(row)])
            continue;
        const bool isFragment = level >= 2 && level <= 49;
        const bool continues = fragment && isFragment;
        fragment = isFragment;
        const bool renames = level == 66; // belongs to the record before it
        if (!continues && !renames) {
            stack_.clear();
            stack_.push_back(Frame{});
            StorageRecord record;
            record.node = top->index();
            record.level = level;
            map_.records.push_back(record);
            recordFirstItem_ = int(map_.items.size());
            namesBuilt_ = false;
        }
        place(top, 1);
        while (stack_.size() > 1) {
            Frame &f = stack_.back();
            if (f.row < f.node->childCount()) {
                const FieldNode *child = f.node->childAt(f.row++);
                place(child, int(stack_.size()));
            } else {
                close();
            }
        }
        if (renames)
            continue;
        StorageRecord &record = map_.records.back();
        record.length = stack_.front().cursor;
        if (record.name.isEmpty() && !map_.items.empty())
            record.name = map_.items[size_t(recordFirstItem_)].name.toString();
        recordEndItem_ = int(map_.items.size());
        namesBuilt_ = false;
    }
    return std::move(map_);
}

void Layout::place(const FieldNode *node, int depth)
{
    map_.items.emplace_back();
    const int index = int(map_.items.size()) - 1;
    StorageItem &item = map_.items.back();
    item.node = node->index();
    item.depth = depth;
    item.record = int(map_.records.size()) - 1;
    DataEntry local;
    QString parseError;
    const DataEntry &entry = entryOf(node, local, parseError);
    item.level = entry.level;
    item.name = entry.filler ? QStringView(u"FILLER") : keep(entry.name);
    if (!entry.picture.isEmpty()) // a text read here took its picture from pictures_ already
        item.picture = &entry == &local ? entry.picture : pictures_.get(entry.picture);
    item.occursMin = entry.occursMin;
    item.occursMax = entry.occursMax;
    item.dependingOn = keep(entry.dependingOn);
    item.sign = entry.sign;
    item.signSeparate = entry.signSeparate;
    item.justified = entry.justified;
    item.redefines = !entry.redefines.isEmpty();

    Frame &parent = stack_.empty() ? stack_.emplace_back() : stack_.back();
    item.usage = entry.usageGiven ? entry.usage : parent.usage;
    const UsageDetail detail = entry.usageGiven ? entry.usageDetail : parent.detail;
    item.usageWord = detail.word;
    item.offset = parent.cursor;
    if (!parseError.isEmpty()) {
        // Its subordinate items still get their places, as those of a group.
        fail(item, parseError);
        item.category = Category::Group;
        push(node, index, item, detail, false);
        tableAlign_ = 1;
        return;
    }
    if (entry.level == 88) {
        item.category = Category::Condition;
        if (parent.item >= 0)
            item.offset = map_.items[size_t(parent.item)].offset;
        else
            fail(item, QStringLiteral("a condition (88) belongs under the item it tests"));
        push(node, index, item, detail, true);
        return;
    }
    if (entry.level == 66) {
        item.category = Category::Renames;
        if (depth != 1)
            fail(item, QStringLiteral("a level-66 entry belongs at the top, after its record"));
        else
            renames(item, entry);
        push(node, index, item, detail, true);
        return;
    }
    if (parent.conditionsOnly && parent.node)
        fail(item, QStringLiteral("an elementary item cannot hold subordinate items"));
    if (entry.constant) {
        fail(item, QStringLiteral("a constant belongs at the top"));
        push(node, index, item, detail, true);
        return;
    }
    int redefined = -1; // the base of a redefining item below level 01, for the size check
    if (item.redefines) {
        // A record's REDEFINES names the record of its level before it.
        const int base = depth == 1 ? lastTopBase_[size_t(entry.level)] : parent.lastBase;
        if (base < 0 || map_.items[size_t(base)].name != entry.redefines) {
            fail(item, QStringLiteral("REDEFINES %1 does not name the item before it")
                           .arg(entry.redefines));
        } else {
            item.offset = map_.items[size_t(base)].offset;
            if (depth > 1)
                redefined = base;
        }
    }

    if (depth == 1 && !item.redefines)
        lastTopBase_[size_t(entry.level)] = index;
    // A group may give a usage that fixes the size to its items: it stays a group.
    bool subordinates = false;
    for (int c = 0; entry.picture.isEmpty() && c < node->childCount() && !subordinates; ++c)
        subordinates = levelOf(node->childAt(c)->text()) != 88;
    const bool elementary =
        !entry.picture.isEmpty() || (HasUsageSize(item.usage, detail) && !subordinates);
    if (!elementary) {
        item.category = Category::Group;
        if (node->childCount() == 0)
            fail(item, QStringLiteral("an item without subordinate items needs a PICTURE"));
        push(node, index, item, detail, false, redefined);
        tableAlign_ = 1;
        return;
    }

    QString sizeError;
    const qint64 size = elementarySize(entry, detail, item.usage, dialect_, sizeError);
    if (!sizeError.isEmpty())
        fail(item, sizeError);
    const PictureInfo &info = entry.pictureInfo;
    if (!entry.picture.isEmpty()) {
        item.category = info.category;
        item.digits = info.digits;
        item.scale = info.scale;
        item.isSigned = info.isSigned;
        if (detail.fewest) // COMP-X PIC X(n) holds a number too
            item.category = Category::Numeric;
    } else {
        item.category = Category::Numeric;
        item.isSigned =
            item.usage != Usage::Pointer && item.usage != Usage::Index && !detail.isUnsigned;
    }
    if (entry.sync && !item.redefines) {
        const qint64 align = alignmentFor(item.usage, detail, size);
        if (item.offset % align != 0) {
            item.slackBefore = align - item.offset % align;
            item.offset += item.slackBefore;
        }
        tableAlign_ = std::max(tableAlign_, align);
    }
    item.entryLength = size;
    item.length = times(size, std::max<qint64>(1, entry.occursMax));
    advance(parent, index, redefined);
    push(node, index, item, detail, true);
}

void Layout::close()
{
    const Frame f = stack_.back();
    stack_.pop_back();
    if (f.conditionsOnly)
        return;
    StorageItem &item = map_.items[size_t(f.item)];
    qint64 entry = f.cursor - f.start;
    // A table entry that holds aligned items is padded so that every occurrence aligns.
    if (item.occursMax > 1 && entry % tableAlign_ != 0) {
        item.slackAfter = tableAlign_ - entry % tableAlign_;
        entry += item.slackAfter;
    }
    item.entryLength = entry;
    item.length = times(entry, std::max<qint64>(1, item.occursMax));
    advance(stack_.back(), f.item, f.base);
}

void Layout::advance(Frame &parent, int index, int baseIndex)
{
    if (parent.conditionsOnly)
        return;
    const StorageItem &item = map_.items[size_t(index)];
    const qint64 end = std::min(kMaxLength, item.offset + item.length);
    if (item.redefines && dialect_ == Dialect::Default && baseIndex >= 0) {
        // Only the lax dialects let a variant below level 01 outgrow what it redefines.
        const StorageItem &base = map_.items[size_t(baseIndex)];
        if (item.length > base.length)
            fail(map_.items[size_t(index)],
                 QStringLiteral("it is larger (%1 bytes) than %2 (%3 bytes), which -std=default "
                                "refuses")
                     .arg(item.length)
                     .arg(base.name)
                     .arg(base.length));
    }
    if (item.redefines) {
        // The group holds the largest of the variants.
        parent.cursor = std::max(parent.cursor, end);
        return;
    }
    parent.cursor = end;
    parent.lastBase = index;
}

void Layout::renames(StorageItem &item, const DataEntry &entry)
{
    if (recordFirstItem_ < 0 || recordEndItem_ <= recordFirstItem_) {
        fail(item, QStringLiteral("RENAMES needs a record before it"));
        return;
    }
    item.record = map_.items[size_t(recordFirstItem_)].record;
    if (!namesBuilt_) {
        recordNames_.clear();
        for (int i = recordFirstItem_; i < recordEndItem_; ++i) {
            const StorageItem &it = map_.items[size_t(i)];
            if (!it.name.isEmpty() && it.category != Category::Condition && i != recordFirstItem_)
                recordNames_.insert(it.name, i); // a later item of the same name wins
        }
        namesBuilt_ = true;
    }
    const auto first = recordNames_.constFind(entry.renames);
    if (first == recordNames_.constEnd()) {
        fail(item, QStringLiteral("RENAMES %1: no such item in the record").arg(entry.renames));
        return;
    }
    const StorageItem &from = map_.items[size_t(*first)];
    item.offset = from.offset;
    item.length = from.length;
    item.usage = from.usage;
    if (!entry.renamesThru.isEmpty()) {
        const auto last = recordNames_.constFind(entry.renamesThru);
        if (last == recordNames_.constEnd()) {
            fail(item, QStringLiteral("RENAMES THRU %1: no such item in the record")
                           .arg(entry.renamesThru));
            return;
        }
        const StorageItem &to = map_.items[size_t(*last)];
        const qint64 end = to.offset + to.length;
        if (end <= from.offset) {
            fail(item, QStringLiteral("RENAMES %1 THRU %2: %2 ends before %1 starts")
                           .arg(entry.renames, entry.renamesThru));
            return;
        }
        item.length = end - from.offset;
    }
    item.entryLength = item.length;
}

} // namespace

qint64 BinarySize(int digits, bool isSigned, bool native, Dialect dialect)
{
    switch (dialect) {
    case Dialect::Mf: {
        // The fewest bytes whose range holds the largest value of the picture.
        quint64 largest = 1;
        for (int i = 0; i < digits && i < 19; ++i)
            largest *= 10;
        --largest;
        for (int bytes = 1; bytes < 8; ++bytes) {
            const quint64 top = (quint64(1) << (isSigned ? 8 * bytes - 1 : 8 * bytes)) - 1;
            if (largest <= top)
                return bytes;
        }
        return 8;
    }
    case Dialect::Ibm:
        if (native && digits <= 2)
            return 1;
        return digits <= 4 ? 2 : digits <= 9 ? 4 : 8;
    case Dialect::Default:
        break;
    }
    return digits <= 2 ? 1 : digits <= 4 ? 2 : digits <= 9 ? 4 : 8;
}

StorageMap BuildStorageMap(const FieldTree &tree, Dialect dialect)
{
    return Layout(tree, dialect, nullptr).run();
}

StorageMap BuildStorageMap(const FieldTree &tree, Dialect dialect,
                           const std::vector<const DataEntry *> &read)
{
    return Layout(tree, dialect, &read).run();
}

} // namespace orvane::cobol
