#include "Cp1252.h"

namespace orvane::cp1252
{

namespace
{
// 0x80..0x9F; 0 marks the five bytes Windows-1252 leaves undefined, which decode to the C1
// control of the same number so that every byte survives a round trip.
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
} // namespace

QChar charFor(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F && kHigh[byte - 0x80] != 0)
        return QChar(kHigh[byte - 0x80]);
    return QChar(char16_t(byte));
}

int byteFor(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    if (ch >= 0x80 && ch <= 0x9F)
        return kHigh[ch - 0x80] == 0 ? int(ch) : -1;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == ch)
            return 0x80 + i;
    return -1;
}

bool representable(QChar ch)
{
    return byteFor(ch.unicode()) >= 0;
}

QByteArray encode(QStringView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *p = out.data();
    for (QChar c : text) {
        const int b = byteFor(c.unicode());
        *p++ = char(b < 0 ? '?' : b);
    }
    return out;
}

QString decode(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *p = out.data();
    for (char b : bytes)
        *p++ = charFor(static_cast<unsigned char>(b));
    return out;
}

} // namespace orvane::cp1252
