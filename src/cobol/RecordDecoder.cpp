#include "RecordDecoder.h"

#include <QHash>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace orvane::cobol
{

namespace
{

// Writes the stored digits with the decimal point the picture implies: V places it, Ps on the
// right add zeros, Ps on the left add zeros after the point. Leading zeros go; a zero has no
// minus sign.
void appendDecimal(std::string &out, bool negative, const char *digits, int count, int scale)
{
    char buffer[80];
    int n = 0;
    int intDigits = count - scale; // may be negative (left Ps) or beyond count (right Ps)
    bool any = false;
    bool nonZero = false;
    for (int i = 0; i < count; ++i)
        nonZero = nonZero || digits[i] != '0';
    if (negative && nonZero)
        buffer[n++] = '-';
    for (int i = 0; i < intDigits; ++i) {
        const char d = i < count ? digits[i] : '0';
        if (d == '0' && !any && i < intDigits - 1)
            continue;
        any = true;
        buffer[n++] = d;
        if (n > 70)
            break;
    }
    if (intDigits <= 0)
        buffer[n++] = '0';
    if (scale > 0) {
        buffer[n++] = '.';
        for (int i = intDigits; i < count; ++i) {
            buffer[n++] = i < 0 ? '0' : digits[i];
            if (n > 78)
                break;
        }
    }
    out.append(buffer, size_t(n));
}

void appendUnsigned(std::string &out, bool negative, quint64 value, int scale)
{
    char digits[24];
    const auto r = std::to_chars(digits, digits + sizeof digits, value);
    appendDecimal(out, negative, digits, int(r.ptr - digits), scale);
}

bool bad(std::string &out, const unsigned char *p, qint64 size)
{
    AppendHex(out, p, size);
    return false;
}

// One byte of a zoned number: its digit, and for the byte that carries the sign its sign.
// EBCDIC zones C, A, E, F are plus, D and B minus. In ASCII, plain digits are plus, p-y minus
// (GnuCOBOL, Micro Focus), and {, A-I / }, J-R the mainframe letters as a translated
// download has them.
bool zonedDigit(unsigned char b, bool ebcdic, bool signByte, int &digit, bool &negative)
{
    if (ebcdic) {
        digit = b & 0x0F;
        const int zone = b >> 4;
        if (digit > 9)
            return false;
        if (zone == 0xF)
            return true;
        if (!signByte)
            return false;
        if (zone == 0xC || zone == 0xA || zone == 0xE)
            return true;
        if (zone == 0xD || zone == 0xB) {
            negative = true;
            return true;
        }
        return false;
    }
    if (b >= '0' && b <= '9') {
        digit = b - '0';
        return true;
    }
    if (!signByte)
        return false;
    if (b >= 0x70 && b <= 0x79) {
        digit = b - 0x70;
        negative = true;
        return true;
    }
    if (b == '{' || (b >= 'A' && b <= 'I')) {
        digit = b == '{' ? 0 : b - 'A' + 1;
        return true;
    }
    if (b == '}' || (b >= 'J' && b <= 'R')) {
        digit = b == '}' ? 0 : b - 'J' + 1;
        negative = true;
        return true;
    }
    return false;
}

bool decodeZoned(const Column &c, const unsigned char *p, const DecodeOptions &o, std::string &out)
{
    const bool ebcdic = IsEbcdic(o.encoding);
    const bool leading = c.sign == SignPosition::Leading;
    qint64 first = 0;
    qint64 count = c.length;
    bool negative = false;
    if (c.isSigned && c.signSeparate) {
        if (count < 2)
            return bad(out, p, c.length);
        const unsigned char s = leading ? p[0] : p[count - 1];
        const unsigned char plus = ebcdic ? 0x4E : '+';
        const unsigned char minus = ebcdic ? 0x60 : '-';
        if (s == minus)
            negative = true;
        else if (s != plus)
            return bad(out, p, c.length);
        if (leading)
            first = 1;
        --count;
    }
    if (count > 64)
        return bad(out, p, c.length);
    char digits[64];
    const qint64 signAt = leading ? first : first + count - 1;
    for (qint64 i = 0; i < count; ++i) {
        const bool signByte = c.isSigned && !c.signSeparate && first + i == signAt;
        int d = 0;
        if (!zonedDigit(p[first + i], ebcdic, signByte, d, negative))
            return bad(out, p, c.length);
        digits[i] = char('0' + d);
    }
    appendDecimal(out, negative, digits, int(count), c.scale);
    return true;
}

bool decodePacked(const Column &c, const unsigned char *p, std::string &out)
{
    if (c.length > 32)
        return bad(out, p, c.length);
    char digits[64];
    int n = 0;
    for (qint64 i = 0; i < c.length; ++i) {
        const int high = p[i] >> 4;
        const int low = p[i] & 0x0F;
        if (high > 9)
            return bad(out, p, c.length);
        digits[n++] = char('0' + high);
        if (i + 1 < c.length) {
            if (low > 9)
                return bad(out, p, c.length);
            digits[n++] = char('0' + low);
        }
    }
    const int sign = p[c.length - 1] & 0x0F;
    if (sign < 0xA)
        return bad(out, p, c.length);
    appendDecimal(out, sign == 0xD || sign == 0xB, digits, n, c.scale);
    return true;
}

bool decodeBinary(const Column &c, const unsigned char *p, bool bigEndian, std::string &out)
{
    if (c.length < 1 || c.length > 8)
        return bad(out, p, c.length);
    quint64 v = 0;
    for (qint64 i = 0; i < c.length; ++i)
        v = (v << 8) | p[bigEndian ? i : c.length - 1 - i];
    const int bits = int(c.length) * 8;
    if (c.isSigned && (v >> (bits - 1)) & 1) {
        // Two's complement: the magnitude of the negative value, exact even for the lowest.
        const quint64 mask = bits == 64 ? ~quint64(0) : (quint64(1) << bits) - 1;
        appendUnsigned(out, true, ((~v) & mask) + 1, c.scale);
        return true;
    }
    appendUnsigned(out, false, v, c.scale);
    return true;
}

template <typename T> void appendShortest(std::string &out, T value)
{
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, size_t(r.ptr - buffer));
}

bool decodeFloat(const Column &c, const unsigned char *p, FloatFormat format, std::string &out)
{
    if (c.length != 4 && c.length != 8)
        return bad(out, p, c.length);
    quint64 raw = 0;
    const bool big = format != FloatFormat::Ieee || std::endian::native == std::endian::big;
    for (qint64 i = 0; i < c.length; ++i)
        raw = (raw << 8) | p[big ? i : c.length - 1 - i];
    if (format == FloatFormat::IbmHex) {
        const int fractionBits = c.length == 4 ? 24 : 56;
        const bool negative = (raw >> (c.length * 8 - 1)) & 1;
        const int exponent = int((raw >> fractionBits) & 0x7F) - 64;
        const quint64 fraction = raw & ((quint64(1) << fractionBits) - 1);
        double v = std::ldexp(double(fraction), 4 * exponent - fractionBits);
        if (negative)
            v = -v;
        // A short float has 24 bits at most: exact as a float when in range, shortest so.
        if (c.length == 4 && std::fabs(v) <= 3.4e38 && (v == 0 || std::fabs(v) >= 1.2e-38))
            appendShortest(out, float(v));
        else
            appendShortest(out, v);
        return true;
    }
    if (c.length == 4) {
        const float f = std::bit_cast<float>(quint32(raw));
        if (!std::isfinite(f))
            return bad(out, p, c.length);
        appendShortest(out, f);
    } else {
        const double d = std::bit_cast<double>(raw);
        if (!std::isfinite(d))
            return bad(out, p, c.length);
        appendShortest(out, d);
    }
    return true;
}

void appendUtf16Be(std::string &out, const unsigned char *p, qint64 size)
{
    QString s;
    s.reserve(size / 2);
    for (qint64 i = 0; i + 1 < size; i += 2)
        s += QChar(char16_t((p[i] << 8) | p[i + 1]));
    out += s.toStdString();
}

} // namespace

void AppendHex(std::string &out, const unsigned char *bytes, qint64 size)
{
    static const char digits[] = "0123456789ABCDEF";
    for (qint64 i = 0; i < size; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 0x0F];
    }
}

FieldState DecodeField(const Column &c, const unsigned char *record, qint64 recordLength,
                       const DecodeOptions &o, std::string &out)
{
    return DecodeFieldAt(c, c.offset, record, recordLength, o, out);
}

FieldState DecodeFieldAt(const Column &c, qint64 offset, const unsigned char *record,
                         qint64 recordLength, const DecodeOptions &o, std::string &out)
{
    if (offset < 0 || c.length <= 0 || offset >= recordLength)
        return FieldState::Bad;
    const unsigned char *p = record + offset;
    if (offset + c.length > recordLength) {
        AppendHex(out, p, recordLength - offset);
        return FieldState::Bad;
    }
    bool ok = true;
    switch (c.usage) {
    case Usage::Display:
        if (c.category == Category::Numeric)
            ok = decodeZoned(c, p, o, out);
        else
            AppendText(out, p, c.length, o.encoding);
        break;
    case Usage::Packed:
        ok = decodePacked(c, p, out);
        break;
    case Usage::Binary:
        ok = decodeBinary(c, p, !o.binaryNative || std::endian::native == std::endian::big, out);
        break;
    case Usage::Comp5:
    case Usage::Index:
        ok = decodeBinary(c, p, o.comp5BigEndian || std::endian::native == std::endian::big, out);
        break;
    case Usage::Float:
    case Usage::Double:
        ok = decodeFloat(c, p, o.floats, out);
        break;
    case Usage::National:
        appendUtf16Be(out, p, c.length);
        break;
    case Usage::Pointer:
    case Usage::FloatDecimal:
        AppendHex(out, p, c.length); // an address means nothing outside the program
        break;
    }
    return ok ? FieldState::Ok : FieldState::Bad;
}

bool BuildRecordLayout(const StorageMap &map, const LayoutChoice &choice, RecordLayout &layout,
                       QString &error)
{
    layout = RecordLayout();
    int record = -1;
    for (size_t r = 0; r < map.records.size(); ++r) {
        const StorageRecord &rec = map.records[r];
        if (choice.record.isEmpty() ? rec.level != 77
                                    : rec.name.compare(choice.record, Qt::CaseInsensitive) == 0) {
            record = int(r);
            break;
        }
    }
    if (record < 0) {
        error = choice.record.isEmpty()
                    ? QStringLiteral("The layout has no record")
                    : QStringLiteral("The layout has no record %1").arg(choice.record);
        return false;
    }
    layout.name = map.records[size_t(record)].name;
    layout.length = map.records[size_t(record)].length;

    const std::vector<StorageItem> &items = map.items;
    const size_t n = items.size();
    auto subtreeEnd = [&](size_t i) {
        size_t j = i + 1;
        while (j < n && items[j].depth > items[i].depth)
            ++j;
        return j;
    };
    auto chosen = [&](const StorageItem &item) {
        return choice.variants.contains(item.name, Qt::CaseInsensitive);
    };

    auto ruled = [&](const StorageItem &item) {
        for (const VariantRule &rule : choice.rules)
            if (rule.variant.compare(item.name, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    struct PendingRule {
        VariantRule rule;
        int chain;
        int member;
    };
    std::vector<PendingRule> pendingRules;
    std::vector<std::pair<int, int>> variantOf(n, {-1, 0});

    // Of an item and the items that redefine it, one is shown: the chosen variant or the item;
    // variants that rules pick are shown too, each only in the records its rule picks.
    std::vector<char> hidden(n, 0);
    for (size_t i = 0; i < n; ++i) {
        if (items[i].record != record || items[i].redefines)
            continue;
        std::vector<size_t> chain{i};
        size_t j = subtreeEnd(i);
        while (j < n && items[j].redefines && items[j].depth == items[i].depth) {
            chain.push_back(j);
            j = subtreeEnd(j);
        }
        size_t shown = i;
        for (size_t k = 1; k < chain.size(); ++k)
            if (chosen(items[chain[k]]))
                shown = chain[k];
        bool ruledChain = false;
        for (size_t k : chain)
            ruledChain = ruledChain || ruled(items[k]);
        const int chainIndex = ruledChain ? int(layout.chainDefaults.size()) : -1;
        for (size_t k = 0; k < chain.size(); ++k) {
            const size_t head = chain[k];
            if (ruledChain && head == shown)
                layout.chainDefaults.push_back(int(k));
            const bool keep = head == shown || (ruledChain && ruled(items[head]));
            for (size_t m = head; m < subtreeEnd(head); ++m) {
                if (!keep)
                    hidden[m] = 1;
                else if (ruledChain)
                    variantOf[m] = {chainIndex, int(k)};
            }
        }
        if (ruledChain)
            for (const VariantRule &rule : choice.rules)
                for (size_t k = 0; k < chain.size(); ++k)
                    if (items[chain[k]].name.compare(rule.variant, Qt::CaseInsensitive) == 0)
                        pendingRules.push_back({rule, chainIndex, int(k)});
    }

    QHash<QString, int> columnOfName;
    std::vector<size_t> ancestors; // open items by depth
    for (size_t i = 0; i < n; ++i) {
        const StorageItem &item = items[i];
        if (item.record != record)
            continue;
        while (!ancestors.empty() && items[ancestors.back()].depth >= item.depth)
            ancestors.pop_back();
        ancestors.push_back(i);
        if (hidden[i] || item.category == Category::Group || item.category == Category::Condition ||
            item.category == Category::Renames)
            continue;
        if (item.length <= 0 || !item.error.isEmpty())
            continue;
        struct Dim {
            qint64 stride;
            qint64 count;
            int counter;
        };
        std::vector<Dim> dims;
        for (size_t a : ancestors) {
            const StorageItem &t = items[a];
            if (t.occursMax <= 0)
                continue;
            int counter = -1;
            if (!t.dependingOn.isEmpty()) {
                counter = columnOfName.value(CounterName(t.dependingOn).toString().toUpper(), -1);
                if (counter < 0)
                    layout.problems << QStringLiteral("%1 depends on %2, which is not a field "
                                                      "before it in the record")
                                           .arg(t.name, t.dependingOn);
            }
            dims.push_back({t.entryLength, t.occursMax, counter});
        }
        Column c;
        c.item = int(i);
        c.length = dims.empty() ? item.length : item.entryLength - item.slackAfter;
        c.category = item.category;
        c.usage = item.usage;
        c.digits = item.digits;
        c.scale = item.scale;
        c.isSigned = item.isSigned;
        c.sign = item.sign;
        c.signSeparate = item.signSeparate;
        c.justified = item.justified;
        c.chain = variantOf[i].first;
        c.member = variantOf[i].second;
        const QString name = item.name.isEmpty() ? QStringLiteral("FILLER") : item.name.toString();
        if (dims.empty()) {
            if (layout.columns.size() >= size_t(kMaxColumns))
                break;
            c.name = name;
            c.offset = item.offset;
            columnOfName.insert(name.toUpper(), int(layout.columns.size()));
            layout.columns.push_back(std::move(c));
            continue;
        }
        std::vector<qint64> index(dims.size(), 1);
        while (layout.columns.size() < size_t(kMaxColumns)) {
            Column o = c;
            o.offset = item.offset;
            QStringList subscripts;
            for (size_t d = 0; d < dims.size(); ++d) {
                o.offset += (index[d] - 1) * dims[d].stride;
                subscripts << QString::number(index[d]);
                if (dims[d].counter >= 0)
                    o.dependsOn.emplace_back(dims[d].counter, index[d]);
            }
            o.name = name + u'(' + subscripts.join(u',') + u')';
            layout.columns.push_back(std::move(o));
            size_t d = dims.size();
            while (d > 0 && index[d - 1] == dims[d - 1].count)
                index[--d] = 1;
            if (d == 0)
                break;
            ++index[d - 1];
        }
        if (layout.columns.size() >= size_t(kMaxColumns))
            break;
    }
    if (layout.columns.size() >= size_t(kMaxColumns))
        layout.problems << QStringLiteral("The record has more than %1 fields; the rest are not "
                                          "shown")
                               .arg(kMaxColumns);
    for (const VariantRule &rule : choice.rules) {
        bool found = false;
        for (const PendingRule &p : pendingRules)
            found = found || p.rule.variant.compare(rule.variant, Qt::CaseInsensitive) == 0;
        if (!found)
            layout.problems
                << QStringLiteral("%1 redefines nothing in the record").arg(rule.variant);
    }
    for (const PendingRule &p : pendingRules) {
        const int column = columnOfName.value(p.rule.field.toUpper(), -1);
        if (column < 0) {
            layout.problems << QStringLiteral("%1 is not a field of the record").arg(p.rule.field);
            continue;
        }
        layout.rules.push_back({column, p.rule.value.trimmed().toStdString(), p.chain, p.member});
    }
    if (!choice.paddedTables)
        PlaceDependingTables(map, layout);
    return true;
}

RecordDecoder::RecordDecoder(const RecordLayout &layout, const DecodeOptions &options)
    : layout_(layout), options_(options), counts_(layout.columns.size(), -1),
      selected_(layout.chainDefaults), shift_(layout.tables.size() + 1, 0)
{
    std::vector<char> isCounter(layout.columns.size(), 0);
    for (const Column &c : layout.columns)
        for (const auto &[counter, occurrence] : c.dependsOn)
            isCounter[size_t(counter)] = 1;
    for (size_t i = 0; i < isCounter.size(); ++i)
        if (isCounter[i])
            counterColumns_.push_back(int(i));
}

void RecordDecoder::setRecord(const unsigned char *record, qint64 length)
{
    record_ = record;
    length_ = length;
    std::string &text = scratch_;
    selected_ = layout_.chainDefaults;
    std::vector<char> &decided = decided_; // kept, so a record allocates nothing
    decided.assign(selected_.size(), 0);
    matched_ = layout_.rules.empty();
    for (const RecordLayout::Rule &rule : layout_.rules) {
        if (decided[size_t(rule.chain)])
            continue;
        text.clear();
        if (DecodeField(layout_.columns[size_t(rule.column)], record, length, options_, text) !=
            FieldState::Ok)
            continue;
        const size_t first = text.find_first_not_of(' ');
        const size_t last = text.find_last_not_of(' ');
        const std::string_view value = first == std::string::npos
                                           ? std::string_view()
                                           : std::string_view(text).substr(first, last - first + 1);
        if (value == rule.value) {
            selected_[size_t(rule.chain)] = rule.member;
            decided[size_t(rule.chain)] = 1;
            matched_ = true;
        }
    }
    // Counters in record order: a table's count places the counters after it too.
    size_t placed = 0;
    auto placeTo = [&](size_t tables) {
        for (; placed < tables; ++placed) {
            const RecordLayout::DependingTable &t = layout_.tables[placed];
            const qint64 count = std::min(counts_[size_t(t.counter)], t.maxCount);
            shift_[placed + 1] =
                shift_[placed] + (count < 0 ? 0 : t.maxCount - count) * t.entryLength;
        }
    };
    for (int c : counterColumns_) {
        const Column &column = layout_.columns[size_t(c)];
        placeTo(size_t(column.slidAfter));
        text.clear();
        qint64 count = -1;
        if (DecodeFieldAt(column, offset(size_t(c)), record, length, options_, text) ==
            FieldState::Ok) {
            const auto r = std::from_chars(text.data(), text.data() + text.size(), count);
            if (r.ec != std::errc() || r.ptr != text.data() + text.size())
                count = -1;
        }
        counts_[size_t(c)] = count;
    }
    placeTo(layout_.tables.size());
}

FieldState RecordDecoder::field(size_t column, std::string &out) const
{
    out.clear();
    if (!present(column))
        return FieldState::Absent;
    return DecodeFieldAt(layout_.columns[column], offset(column), record_, length_, options_, out);
}

} // namespace orvane::cobol
