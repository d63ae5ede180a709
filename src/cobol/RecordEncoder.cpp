#include "RecordEncoder.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

namespace orvane::cobol
{

namespace
{

// A typed number split at its point: no leading zeros before it, no trailing zeros after it.
struct Decimal {
    bool negative = false;
    std::string whole;
    std::string fraction;
};

bool parseDecimal(QStringView text, Decimal &d)
{
    const QString t = text.trimmed().toString();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        d.negative = t[i++] == u'-';
    bool point = false;
    bool anyDigit = false;
    for (; i < t.size(); ++i) {
        const QChar ch = t[i];
        if (ch == u'.' && !point) {
            point = true;
        } else if (ch >= u'0' && ch <= u'9') {
            anyDigit = true;
            (point ? d.fraction : d.whole) += char(ch.unicode());
        } else {
            return false;
        }
    }
    d.whole.erase(0, d.whole.find_first_not_of('0') == std::string::npos
                         ? d.whole.size()
                         : d.whole.find_first_not_of('0'));
    const size_t last = d.fraction.find_last_not_of('0');
    d.fraction.resize(last == std::string::npos ? 0 : last + 1);
    return anyDigit;
}

QString quoted(QStringView value)
{
    return u'"' + value.toString() + u'"';
}

// The `count` digits a field stores for the value, the picture's scale applied: V places the
// point, Ps on the right stand for zeros before it, Ps on the left for zeros after it.
QString storedDigits(const Column &c, QStringView value, const Decimal &d, int count,
                     std::string &digits)
{
    const QString &name = c.name;
    if (d.negative && !c.isSigned && !(d.whole.empty() && d.fraction.empty()))
        return QStringLiteral("%1 is unsigned: it takes no minus sign").arg(name);
    const int places = std::max(c.scale, 0);
    if (int(d.fraction.size()) > places)
        return places == 0 ? QStringLiteral("%1 takes no decimal places, %2 given")
                                 .arg(name)
                                 .arg(d.fraction.size())
                           : QStringLiteral("%1 takes at most %2 decimal places, %3 given")
                                 .arg(name)
                                 .arg(places)
                                 .arg(d.fraction.size());
    const int before = c.digits - c.scale;
    if (int(d.whole.size()) > std::max(before, 0))
        return before <= 0 ? QStringLiteral("%1 takes no digits before the point, %2 given")
                                 .arg(name)
                                 .arg(d.whole.size())
                           : QStringLiteral("%1 takes at most %2 digits before the point, %3 "
                                            "given")
                                 .arg(name)
                                 .arg(before)
                                 .arg(d.whole.size());
    std::string all = d.whole + d.fraction + std::string(size_t(places) - d.fraction.size(), '0');
    if (c.scale < 0) {
        // Ps on the right: the last digits before the point are not stored and must be zero.
        const size_t zeros = size_t(-c.scale);
        const size_t tail = std::min(zeros, all.size());
        if (all.find_first_not_of('0', all.size() - tail) != std::string::npos)
            return QStringLiteral("%1 takes a multiple of 1%2 (the picture's P), %3 given")
                .arg(name, QString(qsizetype(zeros), u'0'), quoted(value));
        all.resize(all.size() - tail);
    }
    if (c.scale > c.digits) {
        // Ps on the left: the first places after the point are not stored and must be zero.
        const size_t zeros = size_t(c.scale - c.digits);
        const std::string lead = d.fraction.substr(0, std::min(zeros, d.fraction.size()));
        if (lead.find_first_not_of('0') != std::string::npos)
            return QStringLiteral("%1 takes zeros in the first %2 places after the point (the "
                                  "picture's P), %3 given")
                .arg(name)
                .arg(zeros)
                .arg(quoted(value));
    }
    const size_t first = all.find_first_not_of('0');
    all.erase(0, first == std::string::npos ? all.size() : first);
    if (int(all.size()) > count)
        return QStringLiteral("%1 holds %2 digits, %3 given").arg(name).arg(count).arg(all.size());
    digits = std::string(size_t(count) - all.size(), '0') + all;
    return {};
}

bool isZero(const std::string &digits)
{
    return digits.find_first_not_of('0') == std::string::npos;
}

QString encodeZoned(const Column &c, QStringView value, const Decimal &d, const DecodeOptions &o,
                    unsigned char *p)
{
    const bool ebcdic = IsEbcdic(o.encoding);
    const bool separate = c.isSigned && c.signSeparate;
    const bool leading = c.sign == SignPosition::Leading;
    const qint64 count = c.length - (separate ? 1 : 0);
    if (count < 1 || count > 64)
        return QStringLiteral("%1 has no room for digits").arg(c.name);
    std::string digits;
    const QString refusal = storedDigits(c, value, d, int(count), digits);
    if (!refusal.isEmpty())
        return refusal;
    const bool negative = d.negative && !isZero(digits);
    const qint64 first = separate && leading ? 1 : 0;
    const qint64 signAt = leading ? first : first + count - 1;
    const unsigned char old = p[signAt];
    for (qint64 i = 0; i < count; ++i)
        p[first + i] = (ebcdic ? 0xF0 : '0') + (digits[size_t(i)] - '0');
    if (separate) {
        p[leading ? 0 : c.length - 1] = ebcdic ? (negative ? 0x60 : 0x4E) : (negative ? '-' : '+');
        return {};
    }
    if (!c.isSigned)
        return {};
    const int digit = digits[size_t(signAt - first)] - '0';
    if (ebcdic) {
        // C for plus as a mainframe writes it, unless the field already uses F.
        const int plusZone = (old >> 4) == 0xF ? 0xF : 0xC;
        p[signAt] = ((negative ? 0xD : plusZone) << 4) | digit;
    } else if (old == '{' || old == '}' || (old >= 'A' && old <= 'R')) {
        // The mainframe letters of a translated download.
        p[signAt] =
            negative ? (digit == 0 ? '}' : 'J' + digit - 1) : (digit == 0 ? '{' : 'A' + digit - 1);
    } else if (negative) {
        p[signAt] = 0x70 + digit;
    }
    return {};
}

QString encodePacked(const Column &c, QStringView value, const Decimal &d, unsigned char *p)
{
    if (c.length > 32)
        return QStringLiteral("%1 is too long for a packed number").arg(c.name);
    const int count = int(c.length) * 2 - 1;
    std::string digits;
    const QString refusal = storedDigits(c, value, d, count, digits);
    if (!refusal.isEmpty())
        return refusal;
    const int sign = !c.isSigned ? 0xF : d.negative && !isZero(digits) ? 0xD : 0xC;
    for (qint64 i = 0; i < c.length; ++i) {
        const int high = digits[size_t(2 * i)] - '0';
        const int low = i + 1 < c.length ? digits[size_t(2 * i + 1)] - '0' : sign;
        p[i] = static_cast<unsigned char>((high << 4) | low);
    }
    return {};
}

// Any value the bytes hold, as the decoder shows any: the picture's digits do not limit it
// (GnuCOBOL -std=ibm and a mainframe's TRUNC(BIN) store past them), its decimal places do.
QString encodeBinary(const Column &c, QStringView value, const Decimal &d, bool bigEndian,
                     unsigned char *p)
{
    if (c.length < 1 || c.length > 8)
        return QStringLiteral("%1 is too long for a binary number").arg(c.name);
    // Decimal places, the sign and Ps as the picture has them; the size as the bytes have it.
    Column limits = c;
    if (c.scale <= c.digits) // Ps on the left keep the picture's digits: all after the point
        limits.digits = 38 + std::max(c.scale, 0);
    std::string digits;
    const QString refusal = storedDigits(limits, value, d, limits.digits, digits);
    if (!refusal.isEmpty())
        return refusal;
    const int bits = int(c.length) * 8;
    const quint64 top = bits == 64 ? ~quint64(0) : (quint64(1) << bits) - 1;
    const quint64 highest = c.isSigned ? top >> 1 : top;
    quint64 magnitude = 0;
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    const bool negative = d.negative && magnitude != 0;
    if (r.ec == std::errc() && magnitude <= highest + (negative ? 1 : 0)) {
        const quint64 v = (negative ? ~magnitude + 1 : magnitude) & top;
        for (qint64 i = 0; i < c.length; ++i)
            p[bigEndian ? c.length - 1 - i : i] = static_cast<unsigned char>(v >> (8 * i));
        return {};
    }
    // The range in the field's own terms (its scale applied), as the decoder writes it.
    Column range = c;
    range.offset = 0;
    range.usage = Usage::Binary;
    auto shown = [&](quint64 v) {
        unsigned char bytes[8];
        for (qint64 i = 0; i < c.length; ++i)
            bytes[c.length - 1 - i] = static_cast<unsigned char>(v >> (8 * i));
        std::string out;
        DecodeField(range, bytes, c.length, {}, out);
        return QString::fromStdString(out);
    };
    return QStringLiteral("%1 holds %2 to %3 in its %4 bytes, %5 given")
        .arg(c.name, c.isSigned ? shown(highest + 1) : shown(0), shown(highest))
        .arg(c.length)
        .arg(quoted(value));
}

// System/360 hexadecimal floating point, rounded to the fraction's bits; false when out of range.
bool ibmHex(double v, int length, quint64 &raw)
{
    raw = 0;
    if (v == 0)
        return true;
    const int fractionBits = length == 4 ? 24 : 56;
    int binaryExponent = 0;
    const double f = std::frexp(std::fabs(v), &binaryExponent);
    // The power of 16 that leaves a fraction in [1/16, 1): the binary exponent over 4, rounded up.
    int exponent = binaryExponent >= 0 ? (binaryExponent + 3) / 4 : -(-binaryExponent / 4);
    quint64 fraction =
        quint64(std::llround(std::ldexp(f, fractionBits + binaryExponent - 4 * exponent)));
    if (fraction >> fractionBits) {
        fraction >>= 4;
        ++exponent;
    }
    if (exponent + 64 < 0 || exponent + 64 > 127)
        return false;
    raw =
        (quint64(v < 0) << (length * 8 - 1)) | (quint64(exponent + 64) << fractionBits) | fraction;
    return true;
}

QString encodeFloat(const Column &c, QStringView value, FloatFormat format, unsigned char *p)
{
    if (c.length != 4 && c.length != 8)
        return QStringLiteral("%1 is not a 4- or 8-byte float").arg(c.name);
    const std::string t = value.trimmed().toString().toStdString();
    double v = 0;
    const char *begin = t.data() + (t.size() > 1 && t[0] == '+' ? 1 : 0);
    const auto r = std::from_chars(begin, t.data() + t.size(), v);
    if (t.empty() || r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(v))
        return QStringLiteral("%1 takes a number such as -1.5 or 2.5E-3, not %2")
            .arg(c.name, quoted(value));
    quint64 raw = 0;
    if (format == FloatFormat::IbmHex) {
        if (!ibmHex(v, int(c.length), raw))
            return QStringLiteral("%1 holds numbers of magnitude 5.4E-79 to 7.2E75, %2 given")
                .arg(c.name, quoted(value));
    } else if (c.length == 4) {
        const float f = float(v);
        if (!std::isfinite(f))
            return QStringLiteral("%1 holds numbers up to 3.4E38 in magnitude, %2 given")
                .arg(c.name, quoted(value));
        raw = std::bit_cast<quint32>(f);
    } else {
        raw = std::bit_cast<quint64>(v);
    }
    const bool big = format != FloatFormat::Ieee || std::endian::native == std::endian::big;
    for (qint64 i = 0; i < c.length; ++i)
        p[big ? c.length - 1 - i : i] = static_cast<unsigned char>(raw >> (8 * i));
    return {};
}

// Text longer than the field may lose blanks at the end JUSTIFIED cuts from, nothing else.
QString fitText(const Column &c, const std::vector<unsigned char> &bytes, unsigned char blank,
                qint64 size, const QString &unit, unsigned char *p)
{
    const qint64 given = qint64(bytes.size());
    qint64 from = 0;
    qint64 to = given;
    while (to - from > size && bytes[size_t(c.justified ? from : to - 1)] == blank) {
        if (c.justified)
            ++from;
        else
            --to;
    }
    if (to - from > size)
        return QStringLiteral("%1 takes at most %2 %3, %4 given")
            .arg(c.name)
            .arg(size)
            .arg(unit)
            .arg(given);
    const qint64 pad = size - (to - from);
    unsigned char *q = p;
    if (c.justified)
        q = std::fill_n(q, pad, blank);
    q = std::copy(bytes.begin() + from, bytes.begin() + to, q);
    if (!c.justified)
        std::fill_n(q, pad, blank);
    return {};
}

QString encodeText(const Column &c, QStringView value, Encoding encoding, unsigned char *p)
{
    std::vector<unsigned char> bytes;
    if (encoding == Encoding::Utf8) {
        const QByteArray utf8 = value.toString().toUtf8();
        bytes.assign(utf8.begin(), utf8.end());
        return fitText(c, bytes, ' ', c.length, QStringLiteral("bytes of UTF-8"), p);
    }
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar ch = value[i];
        if (c.category == Category::Alphabetic && !ch.isLetter() && ch != u' ')
            return QStringLiteral("%1 takes letters and spaces only; %2 is not one")
                .arg(c.name, quoted(value.mid(i, 1)));
        const int b = ch.isSurrogate() ? -1 : EncodeChar(ch.unicode(), encoding);
        if (b < 0)
            return QStringLiteral("%1 takes only characters of %2; %3 is not one")
                .arg(c.name, EncodingName(encoding),
                     quoted(value.mid(i, ch.isHighSurrogate() ? 2 : 1)));
        bytes.push_back(static_cast<unsigned char>(b));
    }
    return fitText(c, bytes, static_cast<unsigned char>(EncodeChar(u' ', encoding)), c.length,
                   QStringLiteral("characters"), p);
}

QString encodeNational(const Column &c, QStringView value, unsigned char *p)
{
    const qint64 size = c.length / 2;
    qsizetype from = 0;
    qsizetype to = value.size();
    while (to - from > size && value[c.justified ? from : to - 1] == u' ') {
        if (c.justified)
            ++from;
        else
            --to;
    }
    if (to - from > size)
        return QStringLiteral("%1 takes at most %2 characters, %3 given")
            .arg(c.name)
            .arg(size)
            .arg(value.size());
    const qint64 start = c.justified ? size - (to - from) : 0;
    for (qint64 i = 0; i < size; ++i) {
        const qsizetype k = from + qsizetype(i - start);
        const char16_t u = i >= start && k < to ? value[k].unicode() : u' ';
        p[2 * i] = static_cast<unsigned char>(u >> 8);
        p[2 * i + 1] = static_cast<unsigned char>(u & 0xFF);
    }
    return {};
}

QString encodeHex(const Column &c, QStringView value, unsigned char *p)
{
    const QByteArray hex = value.trimmed().toLatin1();
    const QByteArray bytes = QByteArray::fromHex(hex);
    bool valid = hex.size() == 2 * c.length;
    for (char ch : hex)
        valid = valid && std::isxdigit(static_cast<unsigned char>(ch));
    if (!valid)
        return QStringLiteral("%1 takes %2 hexadecimal digits, not %3")
            .arg(c.name)
            .arg(2 * c.length)
            .arg(quoted(value));
    std::memcpy(p, bytes.constData(), size_t(c.length));
    return {};
}

} // namespace

QString EncodeField(const Column &c, QStringView value, const DecodeOptions &o,
                    unsigned char *record, qint64 recordLength)
{
    if (c.offset < 0 || c.length <= 0 || c.offset + c.length > recordLength)
        return QStringLiteral("%1 lies past the end of the record").arg(c.name);
    // Work on a copy so that a refusal half-way leaves the record as it was.
    std::vector<unsigned char> field(record + c.offset, record + c.offset + c.length);
    unsigned char *p = field.data();
    QString refusal;
    const bool number = (c.usage == Usage::Display && c.category == Category::Numeric) ||
                        c.usage == Usage::Packed || c.usage == Usage::Binary ||
                        c.usage == Usage::Comp5 || c.usage == Usage::Index;
    Decimal d;
    if (number && !parseDecimal(value, d))
        return QStringLiteral("%1 takes a number such as -12.50, not %2")
            .arg(c.name, quoted(value));
    switch (c.usage) {
    case Usage::Display:
        refusal = c.category == Category::Numeric ? encodeZoned(c, value, d, o, p)
                                                  : encodeText(c, value, o.encoding, p);
        break;
    case Usage::Packed:
        refusal = encodePacked(c, value, d, p);
        break;
    case Usage::Binary:
        refusal = encodeBinary(c, value, d,
                               !o.binaryNative || std::endian::native == std::endian::big, p);
        break;
    case Usage::Comp5:
    case Usage::Index:
        refusal = encodeBinary(c, value, d,
                               o.comp5BigEndian || std::endian::native == std::endian::big, p);
        break;
    case Usage::Float:
    case Usage::Double:
        refusal = encodeFloat(c, value, o.floats, p);
        break;
    case Usage::National:
        refusal = encodeNational(c, value, p);
        break;
    case Usage::Pointer:
    case Usage::FloatDecimal: // shown as bytes, so taken back as bytes
        refusal = encodeHex(c, value, p);
        break;
    }
    if (refusal.isEmpty())
        std::memcpy(record + c.offset, field.data(), field.size());
    return refusal;
}

void BlankField(const Column &c, const DecodeOptions &o, unsigned char *record, qint64 recordLength)
{
    if (c.offset < 0 || c.length <= 0 || c.offset + c.length > recordLength)
        return;
    unsigned char *p = record + c.offset;
    if (c.usage == Usage::Pointer || c.usage == Usage::Float || c.usage == Usage::Double ||
        c.usage == Usage::FloatDecimal) {
        std::fill_n(p, c.length, 0); // zero in every float format
        return;
    }
    const bool text = (c.usage == Usage::Display && c.category != Category::Numeric) ||
                      c.usage == Usage::National;
    // Zero digits first, so that a sign byte finds no letter convention to keep.
    std::fill_n(p, c.length, 0);
    EncodeField(c, text ? QStringView() : QStringView(u"0"), o, record, recordLength);
}

} // namespace orvane::cobol
