#include "RecordFraming.h"

#include <QStringList>

#include <algorithm>
#include <cstring>

namespace orvane::cobol
{

namespace
{

constexpr qint64 kWord = 4;
constexpr qint64 kLinesSampled = 1 << 16;

// The total bytes a descriptor word at `p` gives (word included); false when the word is not
// one (its two high bytes are not zero where the length is 2 bytes).
bool wordLength(const unsigned char *p, const HeaderStyle &s, qint64 &total)
{
    qint64 length = 0;
    if (s.wide) {
        for (int i = 0; i < 4; ++i)
            length = (length << 8) | p[s.littleEndian ? 3 - i : i];
    } else {
        if (p[2] != 0 || p[3] != 0)
            return false;
        length = s.littleEndian ? p[0] | (p[1] << 8) : (p[0] << 8) | p[1];
    }
    total = s.excludesHeader ? length + kWord : length;
    return true;
}

QString hexWord(const unsigned char *p)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(p[0], 2, 16, QLatin1Char('0'))
        .arg(p[1], 2, 16, QLatin1Char('0'))
        .arg(p[2], 2, 16, QLatin1Char('0'))
        .arg(p[3], 2, 16, QLatin1Char('0'))
        .toUpper();
}

// Checks the descriptor word at `at` against `end` (the end of its block or of the file):
// sets `total` or returns why not, naming what the word starts.
QString checkWord(const unsigned char *data, qint64 at, qint64 end, const HeaderStyle &s,
                  const char *what, qint64 &total)
{
    if (end - at < kWord)
        return QStringLiteral("%1 bytes left, too few for a descriptor word").arg(end - at);
    if (!wordLength(data + at, s, total))
        return QStringLiteral("%1 is not a %2 descriptor word").arg(hexWord(data + at), what);
    if (total <= kWord)
        return QStringLiteral("the %1 descriptor word %2 gives no data")
            .arg(what, hexWord(data + at));
    if (total > end - at)
        return QStringLiteral("the %1 descriptor word gives %2 bytes, more than the %3 left")
            .arg(what)
            .arg(total)
            .arg(end - at);
    return {};
}

struct Walk {
    qint64 records = 0;
    qint64 end = 0; // bytes read whole
    QString damage;
    bool whole() const { return damage.isEmpty() && records > 0; }
};

void addRecord(Framing *out, qint64 start, qint64 length)
{
    if (!out)
        return;
    out->starts.push_back(start);
    out->lengths.push_back(quint32(length));
    out->maxLength = std::max(out->maxLength, length);
}

Walk walkRdw(const unsigned char *data, qint64 size, const HeaderStyle &s, Framing *out)
{
    Walk w;
    while (w.end < size) {
        qint64 total = 0;
        const QString why = checkWord(data, w.end, size, s, "record", total);
        if (!why.isEmpty()) {
            w.damage =
                QStringLiteral("record %1 at byte %2: %3").arg(w.records + 1).arg(w.end).arg(why);
            break;
        }
        addRecord(out, w.end + kWord, total - kWord);
        ++w.records;
        w.end += total;
    }
    return w;
}

Walk walkVb(const unsigned char *data, qint64 size, const HeaderStyle &s, Framing *out)
{
    Walk w;
    qint64 blocks = 0;
    while (w.end < size) {
        qint64 block = 0;
        QString why = checkWord(data, w.end, size, s, "block", block);
        if (!why.isEmpty()) {
            w.damage = QStringLiteral("block %1 at byte %2 (before record %3): %4")
                           .arg(blocks + 1)
                           .arg(w.end)
                           .arg(w.records + 1)
                           .arg(why);
            break;
        }
        const qint64 blockEnd = w.end + block;
        qint64 at = w.end + kWord;
        const qint64 before = w.records;
        while (at < blockEnd) {
            qint64 total = 0;
            why = checkWord(data, at, blockEnd, s, "record", total);
            if (!why.isEmpty())
                break;
            addRecord(out, at + kWord, total - kWord);
            ++w.records;
            at += total;
        }
        if (!why.isEmpty()) {
            // The records before the damage stay; those of this block after it do not count.
            w.damage = QStringLiteral("record %1 at byte %2: block %3 does not hold whole "
                                      "records: %4")
                           .arg(w.records + 1)
                           .arg(at)
                           .arg(blocks + 1)
                           .arg(why);
            w.end = at;
            break;
        }
        if (w.records == before) {
            w.damage =
                QStringLiteral("block %1 at byte %2 holds no record").arg(blocks + 1).arg(w.end);
            break;
        }
        ++blocks;
        w.end = blockEnd;
    }
    return w;
}

Walk walkLines(const unsigned char *data, qint64 size, Framing *out)
{
    Walk w;
    while (w.end < size) {
        const void *nl = std::memchr(data + w.end, '\n', size_t(size - w.end));
        const qint64 next = nl ? static_cast<const unsigned char *>(nl) - data : size;
        qint64 length = next - w.end;
        if (length > 0 && data[next - 1] == '\r')
            --length;
        addRecord(out, w.end, length);
        ++w.records;
        w.end = nl ? next + 1 : size;
    }
    return w;
}

// A text file: line ends near the start and no NUL byte among the first bytes.
bool looksLikeLines(const unsigned char *data, qint64 size)
{
    const qint64 n = std::min(size, kLinesSampled);
    return n > 0 && std::memchr(data, '\n', size_t(n)) && !std::memchr(data, 0, size_t(n));
}

QString styleWords(const HeaderStyle &s)
{
    QStringList words;
    words << (s.excludesHeader ? QStringLiteral("lengths leave out the 4-byte word")
                               : QStringLiteral("lengths count the 4-byte word"));
    if (s.littleEndian)
        words << QStringLiteral("little-endian");
    if (s.wide)
        words << QStringLiteral("4-byte lengths");
    return words.join(QStringLiteral(", "));
}

void frameVariable(const unsigned char *data, qint64 size, Framing &f)
{
    const Walk w = f.format == RecordFormat::Vb    ? walkVb(data, size, f.header, &f)
                   : f.format == RecordFormat::Rdw ? walkRdw(data, size, f.header, &f)
                                                   : walkLines(data, size, &f);
    f.problem = w.damage;
}

struct Candidate {
    RecordFormat format;
    HeaderStyle header;
    Walk walk;
};

} // namespace

bool RecordFormatFromName(QStringView name, RecordFormat &format)
{
    for (RecordFormat f : {RecordFormat::Auto, RecordFormat::Fixed, RecordFormat::Lines,
                           RecordFormat::Rdw, RecordFormat::Vb})
        if (name.compare(RecordFormatName(f), Qt::CaseInsensitive) == 0) {
            format = f;
            return true;
        }
    return false;
}

QString RecordFormatName(RecordFormat format)
{
    switch (format) {
    case RecordFormat::Auto:
        return QStringLiteral("auto");
    case RecordFormat::Fixed:
        return QStringLiteral("fixed");
    case RecordFormat::Lines:
        return QStringLiteral("lines");
    case RecordFormat::Rdw:
        return QStringLiteral("rdw");
    case RecordFormat::Vb:
        return QStringLiteral("vb");
    }
    return {};
}

qint64 Framing::records() const
{
    return format == RecordFormat::Fixed ? fixed.records : qint64(starts.size());
}

const unsigned char *Framing::record(const unsigned char *data, qint64 index, qint64 &length) const
{
    if (format == RecordFormat::Fixed) {
        length = fixed.recordLength;
        return data + index * fixed.stride();
    }
    length = lengths[size_t(index)];
    return data + starts[size_t(index)];
}

QString Framing::describe() const
{
    if (format == RecordFormat::Fixed)
        return QStringLiteral("%1 records of %2 bytes%3")
            .arg(fixed.records)
            .arg(fixed.recordLength)
            .arg(fixed.lineEnd == 2   ? QStringLiteral(" and CR LF")
                 : fixed.lineEnd == 1 ? QStringLiteral(" and LF")
                                      : QString());
    qint64 shortest = starts.empty() ? 0 : maxLength;
    for (quint32 l : lengths)
        shortest = std::min<qint64>(shortest, l);
    return QStringLiteral("%1 %2 records of %3 to %4 bytes")
        .arg(records())
        .arg(RecordFormatName(format))
        .arg(shortest)
        .arg(maxLength);
}

Framing FrameRecords(const unsigned char *data, qint64 size, const FramingOptions &o)
{
    Framing f;
    f.header = o.header;
    // Line ends given say the records are fixed and what follows each.
    const RecordFormat format = o.format == RecordFormat::Auto && o.lineEnds != LineEnds::Auto
                                    ? RecordFormat::Fixed
                                    : o.format;
    if (format != RecordFormat::Auto) {
        f.format = format;
        if (f.format == RecordFormat::Fixed) {
            f.fixed = ShapeOf(data, size, o.recordLength, o.lineEnds);
            f.problem = f.fixed.problem;
        } else if (f.format == RecordFormat::Rdw || f.format == RecordFormat::Vb) {
            if (!o.headerGiven) {
                // The two ways of counting: the one that reads the whole file, or more records,
                // wins; the given one when they tie.
                HeaderStyle other = o.header;
                other.excludesHeader = !other.excludesHeader;
                const Walk a = f.format == RecordFormat::Vb
                                   ? walkVb(data, size, o.header, nullptr)
                                   : walkRdw(data, size, o.header, nullptr);
                const Walk b = f.format == RecordFormat::Vb ? walkVb(data, size, other, nullptr)
                                                            : walkRdw(data, size, other, nullptr);
                if ((b.whole() && !a.whole()) || (b.whole() == a.whole() && b.records > a.records))
                    f.header = other;
            }
            frameVariable(data, size, f);
        } else {
            frameVariable(data, size, f);
        }
        return f;
    }

    // Every way of reading that fits the whole file is a candidate; one alone is taken, several
    // are refused, since picking one could show wrong values without a word.
    std::vector<Candidate> candidates;
    std::vector<HeaderStyle> styles{o.header};
    if (!o.headerGiven) {
        HeaderStyle other = o.header;
        other.excludesHeader = !other.excludesHeader;
        styles.push_back(other);
    }
    for (RecordFormat format : {RecordFormat::Vb, RecordFormat::Rdw})
        for (const HeaderStyle &s : styles)
            candidates.push_back({format, s,
                                  format == RecordFormat::Vb ? walkVb(data, size, s, nullptr)
                                                             : walkRdw(data, size, s, nullptr)});
    const FileShape shape = ShapeOf(data, size, o.recordLength, o.lineEnds);
    const bool fixedFits = o.recordLength > 0 && shape.problem.isEmpty() && shape.records > 0;

    std::vector<const Candidate *> whole;
    for (const Candidate &c : candidates) {
        // A VB file also reads as RDW records, each block one record: the blocks are meant.
        const bool coveredByVb = c.format == RecordFormat::Rdw && !whole.empty() &&
                                 whole.front()->format == RecordFormat::Vb;
        if (c.walk.whole() && !coveredByVb)
            whole.push_back(&c);
    }
    QStringList ways;
    for (const Candidate *c : whole)
        ways << QStringLiteral("%1 (%2)").arg(RecordFormatName(c->format), styleWords(c->header));
    if (fixedFits)
        ways.prepend(QStringLiteral("fixed %1-byte records").arg(shape.recordLength));
    if (ways.size() > 1) {
        f.refused = true;
        f.problem = QStringLiteral("The file reads as %1; choose the record format")
                        .arg(ways.join(QStringLiteral(" or as ")));
        return f;
    }
    if (whole.size() == 1) {
        f.format = whole.front()->format;
        f.header = whole.front()->header;
        frameVariable(data, size, f);
        f.detected = QStringLiteral("detected %1 records, %2")
                         .arg(RecordFormatName(f.format), styleWords(f.header));
        return f;
    }
    if (fixedFits) {
        f.format = RecordFormat::Fixed;
        f.fixed = shape;
        f.detected = QStringLiteral("detected fixed records");
        return f;
    }
    if (looksLikeLines(data, size)) {
        f.format = RecordFormat::Lines;
        frameVariable(data, size, f);
        f.detected = QStringLiteral("detected one record per line");
        return f;
    }
    // Damaged descriptor words after some good records: read those and name the damage.
    const Candidate *best = nullptr;
    for (const Candidate &c : candidates)
        if (c.walk.records >= 2 && (!best || c.walk.records > best->walk.records))
            best = &c;
    if (best) {
        f.format = best->format;
        f.header = best->header;
        frameVariable(data, size, f);
        f.detected = QStringLiteral("detected %1 records, %2")
                         .arg(RecordFormatName(f.format), styleWords(f.header));
        return f;
    }
    f.format = RecordFormat::Fixed;
    f.fixed = shape;
    f.problem = shape.problem;
    return f;
}

RecordSource::RecordSource(const Framing &framing, const unsigned char *data, qint64 layoutLength,
                           unsigned char blank)
    : framing_(framing), data_(data), layoutLength_(layoutLength), blank_(blank)
{
    if (framing.format == RecordFormat::Lines)
        padded_.resize(size_t(std::max(layoutLength, framing.maxLength)));
}

const unsigned char *RecordSource::record(qint64 index, qint64 &length)
{
    return padded(framing_.record(data_, index, length), length);
}

const unsigned char *RecordSource::padded(const unsigned char *p, qint64 &length)
{
    if (framing_.format != RecordFormat::Lines || length >= layoutLength_)
        return p;
    std::memcpy(padded_.data(), p, size_t(length));
    std::memset(padded_.data() + length, blank_, size_t(layoutLength_ - length));
    length = layoutLength_;
    return padded_.data();
}

} // namespace orvane::cobol
