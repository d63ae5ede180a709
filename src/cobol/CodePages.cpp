#include "CodePages.h"

#include <array>

namespace orvane::cobol
{

namespace
{

// Code page 037 (USA/Canada); the other EBCDIC pages differ from it in a few places.
constexpr std::array<char16_t, 256> kCp037 = {
    0x00, 0x01, 0x02, 0x03, 0x9C, 0x09, 0x86, 0x7F, 0x97, 0x8D, 0x8E, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F,
    0x10, 0x11, 0x12, 0x13, 0x9D, 0x85, 0x08, 0x87, 0x18, 0x19, 0x92, 0x8F, 0x1C, 0x1D, 0x1E, 0x1F,
    0x80, 0x81, 0x82, 0x83, 0x84, 0x0A, 0x17, 0x1B, 0x88, 0x89, 0x8A, 0x8B, 0x8C, 0x05, 0x06, 0x07,
    0x90, 0x91, 0x16, 0x93, 0x94, 0x95, 0x96, 0x04, 0x98, 0x99, 0x9A, 0x9B, 0x14, 0x15, 0x9E, 0x1A,
    0x20, 0xA0, 0xE2, 0xE4, 0xE0, 0xE1, 0xE3, 0xE5, 0xE7, 0xF1, 0xA2, 0x2E, 0x3C, 0x28, 0x2B, 0x7C,
    0x26, 0xE9, 0xEA, 0xEB, 0xE8, 0xED, 0xEE, 0xEF, 0xEC, 0xDF, 0x21, 0x24, 0x2A, 0x29, 0x3B, 0xAC,
    0x2D, 0x2F, 0xC2, 0xC4, 0xC0, 0xC1, 0xC3, 0xC5, 0xC7, 0xD1, 0xA6, 0x2C, 0x25, 0x5F, 0x3E, 0x3F,
    0xF8, 0xC9, 0xCA, 0xCB, 0xC8, 0xCD, 0xCE, 0xCF, 0xCC, 0x60, 0x3A, 0x23, 0x40, 0x27, 0x3D, 0x22,
    0xD8, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0xAB, 0xBB, 0xF0, 0xFD, 0xFE, 0xB1,
    0xB0, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F, 0x70, 0x71, 0x72, 0xAA, 0xBA, 0xE6, 0xB8, 0xC6, 0xA4,
    0xB5, 0x7E, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0xA1, 0xBF, 0xD0, 0xDD, 0xDE, 0xAE,
    0x5E, 0xA3, 0xA5, 0xB7, 0xA9, 0xA7, 0xB6, 0xBC, 0xBD, 0xBE, 0x5B, 0x5D, 0xAF, 0xA8, 0xB4, 0xD7,
    0x7B, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0xAD, 0xF4, 0xF6, 0xF2, 0xF3, 0xF5,
    0x7D, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F, 0x50, 0x51, 0x52, 0xB9, 0xFB, 0xFC, 0xF9, 0xFA, 0xFF,
    0x5C, 0xF7, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0xB2, 0xD4, 0xD6, 0xD2, 0xD3, 0xD5,
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0xB3, 0xDB, 0xDC, 0xD9, 0xDA, 0x9F,
};

struct Change {
    unsigned char byte;
    char16_t c;
};

template <size_t N> constexpr std::array<char16_t, 256> changed(const Change (&changes)[N])
{
    std::array<char16_t, 256> t = kCp037;
    for (const Change &ch : changes)
        t[ch.byte] = ch.c;
    return t;
}

// International: the brackets, ! and ^ where most EBCDIC countries have them.
constexpr Change kTo500[] = {{0x4A, 0x5B}, {0x4F, 0x21}, {0x5A, 0x5D}, {0x5F, 0x5E},
                             {0xB0, 0xA2}, {0xBA, 0xAC}, {0xBB, 0x7C}};
// 037 with the euro sign in place of the currency sign.
constexpr Change kTo1140[] = {{0x9F, 0x20AC}};
// Germany/Austria.
constexpr Change kTo273[] = {{0x43, 0x7B}, {0x4A, 0xC4}, {0x4F, 0x21}, {0x59, 0x7E}, {0x5A, 0xDC},
                             {0x5F, 0x5E}, {0x63, 0x5B}, {0x6A, 0xF6}, {0x7C, 0xA7}, {0xA1, 0xDF},
                             {0xB0, 0xA2}, {0xB5, 0x40}, {0xBA, 0xAC}, {0xBB, 0x7C}, {0xBC, 0x203E},
                             {0xC0, 0xE4}, {0xCC, 0xA6}, {0xD0, 0xFC}, {0xDC, 0x7D}, {0xE0, 0xD6},
                             {0xEC, 0x5C}, {0xFC, 0x5D}};
// Latin-1 open systems (z/OS UNIX): the brackets, ^ and the not sign moved.
constexpr Change kTo1047[] = {{0x5F, 0x5E}, {0xAD, 0x5B}, {0xB0, 0xAC},
                              {0xBA, 0xDD}, {0xBB, 0xA8}, {0xBD, 0x5D}};

constexpr auto kCp500 = changed(kTo500);
constexpr auto kCp1140 = changed(kTo1140);
constexpr auto kCp273 = changed(kTo273);
constexpr auto kCp1047 = changed(kTo1047);

// Windows-1252: Latin-1 with printable characters in 0x80-0x9F; the five holes stay as the
// C1 controls, as Windows itself maps them.
constexpr std::array<char16_t, 256> makeCp1252()
{
    std::array<char16_t, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[size_t(i)] = char16_t(i);
    constexpr char16_t high[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    for (int i = 0; i < 32; ++i)
        t[size_t(0x80 + i)] = high[i];
    return t;
}
constexpr auto kCp1252 = makeCp1252();

constexpr std::array<char16_t, 256> makeAscii()
{
    std::array<char16_t, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[size_t(i)] = i < 0x80 ? char16_t(i) : char16_t(0xFFFD);
    return t;
}
constexpr auto kAscii = makeAscii();

struct Named {
    const char *name;
    Encoding encoding;
};
constexpr Named kNames[] = {{"ascii", Encoding::Ascii},   {"cp1252", Encoding::Cp1252},
                            {"utf-8", Encoding::Utf8},    {"cp037", Encoding::Cp037},
                            {"cp1140", Encoding::Cp1140}, {"cp273", Encoding::Cp273},
                            {"cp500", Encoding::Cp500},   {"cp1047", Encoding::Cp1047}};

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

void appendUtf8Checked(std::string &out, const unsigned char *p, qint64 size)
{
    qint64 i = 0;
    while (i < size) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            out += char(b);
            ++i;
            continue;
        }
        int more = 0;
        char32_t c = 0;
        char32_t least = 0;
        if ((b & 0xE0) == 0xC0) {
            more = 1, c = b & 0x1F, least = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            more = 2, c = b & 0x0F, least = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            more = 3, c = b & 0x07, least = 0x10000;
        } else {
            appendUtf8(out, 0xFFFD);
            ++i;
            continue;
        }
        int k = 1;
        for (; k <= more && i + k < size && (p[i + k] & 0xC0) == 0x80; ++k)
            c = (c << 6) | (p[i + k] & 0x3F);
        // A field cut in the middle of a character, an overlong form or a surrogate.
        if (k <= more || c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            appendUtf8(out, 0xFFFD);
            i += k;
            continue;
        }
        appendUtf8(out, c);
        i += k;
    }
}

} // namespace

bool EncodingFromName(QStringView name, Encoding &encoding)
{
    for (const Named &n : kNames) {
        if (name.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) {
            encoding = n.encoding;
            return true;
        }
    }
    if (name.compare(u"utf8", Qt::CaseInsensitive) == 0) {
        encoding = Encoding::Utf8;
        return true;
    }
    return false;
}

QString EncodingName(Encoding encoding)
{
    for (const Named &n : kNames)
        if (n.encoding == encoding)
            return QLatin1String(n.name);
    return {};
}

bool IsEbcdic(Encoding encoding)
{
    return encoding != Encoding::Ascii && encoding != Encoding::Cp1252 &&
           encoding != Encoding::Utf8;
}

const char16_t *CodePageTable(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Ascii:
        return kAscii.data();
    case Encoding::Cp1252:
        return kCp1252.data();
    case Encoding::Utf8:
        return nullptr;
    case Encoding::Cp037:
        return kCp037.data();
    case Encoding::Cp1140:
        return kCp1140.data();
    case Encoding::Cp273:
        return kCp273.data();
    case Encoding::Cp500:
        return kCp500.data();
    case Encoding::Cp1047:
        return kCp1047.data();
    }
    return nullptr;
}

void AppendText(std::string &out, const unsigned char *bytes, qint64 size, Encoding encoding)
{
    const char16_t *table = CodePageTable(encoding);
    if (!table) {
        appendUtf8Checked(out, bytes, size);
        return;
    }
    for (qint64 i = 0; i < size; ++i) {
        const char16_t c = table[bytes[i]];
        if (c < 0x80)
            out += char(c);
        else
            appendUtf8(out, c);
    }
}

int EncodeChar(char16_t c, Encoding encoding)
{
    const char16_t *table = CodePageTable(encoding);
    if (!table)
        return c < 0x80 ? int(c) : -1;
    for (int i = 0; i < 256; ++i)
        if (table[i] == c)
            return i;
    return -1;
}

} // namespace orvane::cobol
