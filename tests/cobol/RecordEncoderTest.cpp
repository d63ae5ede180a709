// Typed values go into a field's bytes so that the decoder shows them again, and values a field
// cannot hold are refused with the rule they break.

#include "cobol/RecordEncoder.h"
#include "CobolTestSupport.h"
#include "cobol/RecordFields.h"

#include <charconv>
#include <cmath>
#include <random>

using namespace orvane;
using namespace orvane::cobol;
using orvane::testing::layoutOf;

namespace
{

// A field of each kind the tables below need.
const RecordLayout &sampleLayout()
{
    static const RecordLayout layout =
        layoutOf(QStringLiteral("01 R.\n"
                                " 05 Z PIC S9(3).\n"
                                " 05 J PIC X(4) JUSTIFIED RIGHT.\n"
                                " 05 P PIC 9(3) COMP-3.\n"
                                " 05 ACCT-CURR-BAL PIC S9(10)V99 COMP-3.\n"
                                " 05 QTY PIC 9(3).\n"
                                " 05 HUNDREDS PIC 9(2)PP.\n"
                                " 05 RATE PIC SVPP99.\n"
                                " 05 IX USAGE INDEX.\n"
                                " 05 S2 PIC S9(4) COMP-5.\n"
                                " 05 NAME PIC X(4).\n"
                                " 05 WORD PIC A(4).\n"
                                " 05 SHORT COMP-1.\n"
                                " 05 NAT PIC N(2) USAGE NATIONAL.\n"));
    return layout;
}

// A number as the decoder writes it: the stored digits `m` (no leading zeros) with the point
// the scale gives, Ps as zeros (on the left, they are among the zeros after the point).
std::string shown(bool negative, const std::string &m, int scale)
{
    std::string s;
    if (scale <= 0) {
        s = m == "0" ? m : m + std::string(size_t(-scale), '0');
    } else {
        const std::string padded =
            std::string(size_t(std::max(0, scale + 1 - int(m.size()))), '0') + m;
        s = padded.substr(0, padded.size() - size_t(scale)) + '.' +
            padded.substr(padded.size() - size_t(scale));
    }
    return (negative && m != "0" ? "-" : "") + s;
}

TEST(RecordEncoder, DecodingWhatWasEncodedGivesTheValueBack)
{
    std::mt19937_64 random(20261207);
    auto below = [&](int n) { return int(random() % quint64(n)); };
    const Encoding pages[] = {Encoding::Ascii, Encoding::Cp037, Encoding::Cp1047, Encoding::Cp1252};
    for (int round = 0; round < 4000; ++round) {
        DecodeOptions o;
        o.encoding = pages[below(4)];
        o.binaryNative = below(2);
        o.comp5BigEndian = below(2);
        o.floats = FloatFormat(below(3));
        Column c;
        c.name = QStringLiteral("F");
        c.offset = below(3);
        c.isSigned = below(2);
        const int kind = round % 7;
        std::string value;
        if (kind <= 2) { // zoned, packed, binary
            c.category = Category::Numeric;
            c.usage = kind == 0   ? Usage::Display
                      : kind == 1 ? Usage::Packed
                                  : (below(2) ? Usage::Binary : Usage::Comp5);
            if (kind == 2) {
                c.length = 1 + below(8);
                // The most digits the bytes hold whatever their value.
                c.digits = 1 + below(int((c.length * 8 - 1) * std::log10(2.0)));
            } else {
                c.digits = 1 + below(18);
                c.length = kind == 1 ? c.digits / 2 + 1 : c.digits;
            }
            c.scale = below(c.digits + 5) - 2; // Ps on either side sometimes
            c.sign = below(2) ? SignPosition::Leading : SignPosition::Trailing;
            c.signSeparate = kind == 0 && c.isSigned && below(2);
            c.length += c.signSeparate;
            std::string m(size_t(1 + below(c.digits)), '0');
            for (char &d : m)
                d = char('0' + below(10));
            m.erase(0, std::min(m.find_first_not_of('0'), m.size() - 1));
            value = shown(c.isSigned && below(2), m, c.scale);
        } else if (kind <= 4) { // text in the code page, or national
            c.usage = kind == 3 ? Usage::Display : Usage::National;
            const qint64 size = 1 + below(20);
            c.length = kind == 3 ? size : 2 * size;
            c.justified = below(2);
            // The last two are not in ASCII, the last in no single-byte page.
            const QString chars = QStringLiteral("ABCXYZ019 -.,/$é\u4E2D");
            const int usable = kind == 4 ? 17 : o.encoding == Encoding::Ascii ? 15 : 16;
            QString text;
            for (int i = below(int(size) + 1); i > 0; --i)
                text += chars[below(usable)];
            value =
                (c.justified ? text.rightJustified(size) : text.leftJustified(size)).toStdString();
        } else { // COMP-1 and COMP-2
            c.usage = kind == 5 ? Usage::Float : Usage::Double;
            c.length = kind == 5 ? 4 : 8;
            // IBM short floats keep 21 bits at worst; IEEE ones every bit of their kind.
            const double v =
                std::ldexp(double(qint64(random() % (1 << 21)) - (1 << 20)), below(120) - 60);
            char buffer[64];
            const auto r = kind == 5 ? std::to_chars(buffer, buffer + 64, float(v))
                                     : std::to_chars(buffer, buffer + 64, v);
            value.assign(buffer, r.ptr);
        }
        std::vector<unsigned char> record(size_t(c.offset + c.length + 2), 0x5A);
        const std::vector<unsigned char> before = record;
        const QString refusal =
            EncodeField(c, QString::fromStdString(value), o, record.data(), qint64(record.size()));
        ASSERT_EQ(refusal.toStdString(), "") << value << " usage " << int(c.usage);
        std::string out;
        EXPECT_EQ(DecodeField(c, record.data(), qint64(record.size()), o, out), FieldState::Ok);
        EXPECT_EQ(out, value) << "usage " << int(c.usage) << " digits " << c.digits << " scale "
                              << c.scale;
        // Nothing outside the field moves.
        std::copy_n(before.begin() + c.offset, c.length, record.begin() + c.offset);
        EXPECT_EQ(record, before);
    }
}

// Exact bytes where a convention decides (the sign's form in a code page, the blanks of
// JUSTIFIED), and values the field cannot hold, refused with the rule and the record untouched.
TEST(RecordEncoder, WritesTheFilesConventionsAndRefusesWhatTheFieldCannotHold)
{
    const RecordLayout &layout = sampleLayout();
    const DecodeOptions ibm{Encoding::Ascii, false, false, FloatFormat::IbmHex};
    const DecodeOptions cp037{Encoding::Cp037};
    const struct {
        const char *field;
        QString value;
        const char *expected; // the field's bytes after, or the refusal
        DecodeOptions o = {};
        QByteArray old = {};
    } rows[] = {
        {"Z", "-12", "30314b", {}, "00A"}, // a download's letters stay letters
        {"Z", "12", "f0f1c2", cp037, "\xF0\xF0\xD0"},
        {"Z", "-12", "f0f1d2", cp037, "\xF0\xF0\xF5"},
        {"Z", "12", "f0f1f2", cp037, "\xF0\xF0\xF5"}, // F stays F
        {"Z", "-0", "f0f0c0", cp037, "\xF0\xF0\xD0"},
        {"J", "  ABCD", "41424344", {}, "xxxx"},
        {"P", "123", "123f"},
        {"SHORT", "0.99999999", "41100000", ibm}, // rounded up to 16 to the power 1
        {"SHORT", "0", "00000000", ibm},
        {"ACCT-CURR-BAL", "123456789012",
         "ACCT-CURR-BAL takes at most 10 digits before the point, 12 given"},
        {"ACCT-CURR-BAL", "1.234", "ACCT-CURR-BAL takes at most 2 decimal places, 3 given"},
        {"ACCT-CURR-BAL", "1.2.3", "ACCT-CURR-BAL takes a number such as -12.50, not \"1.2.3\""},
        {"QTY", "-1", "QTY is unsigned: it takes no minus sign"},
        {"QTY", "-0", "303030"},
        {"QTY", "1.5", "QTY takes no decimal places, 1 given"},
        {"HUNDREDS", "1250", "HUNDREDS takes a multiple of 100 (the picture's P), \"1250\" given"},
        {"HUNDREDS", "100000", "HUNDREDS takes at most 4 digits before the point, 6 given"},
        {"RATE", "0.0112",
         "RATE takes zeros in the first 2 places after the point (the picture's P), \"0.0112\" "
         "given"},
        {"RATE", "1.0", "RATE takes no digits before the point, 1 given"},
        {"IX", "4294967296", "IX holds 0 to 4294967295 in its 4 bytes, \"4294967296\" given"},
        {"S2", "40000", "S2 holds -32768 to 32767 in its 2 bytes, \"40000\" given"},
        {"NAME", "ABCDE", "NAME takes at most 4 characters, 5 given"},
        {"NAME", "ABCD   ", "41424344"},
        {"NAME", "Ä", "NAME takes only characters of ascii; \"Ä\" is not one"},
        {"NAME", "😀", "NAME takes only characters of cp1252; \"😀\" is not one", {Encoding::Cp1252}},
        {"WORD", "AB1", "WORD takes letters and spaces only; \"1\" is not one"},
        {"SHORT", "1e39", "SHORT holds numbers up to 3.4E38 in magnitude, \"1e39\" given"},
        {"SHORT", "1e-80", "SHORT holds numbers of magnitude 5.4E-79 to 7.2E75, \"1e-80\" given",
         ibm},
        {"SHORT", "one", "SHORT takes a number such as -1.5 or 2.5E-3, not \"one\""},
        {"NAT", "abc", "NAT takes at most 2 characters, 3 given"},
    };
    for (const auto &row : rows) {
        const Column &c = layout.columns[size_t(FindColumn(layout, row.field))];
        std::vector<unsigned char> record(size_t(layout.length), 0x33);
        std::copy(row.old.begin(), row.old.end(), record.begin() + c.offset);
        const std::vector<unsigned char> before = record;
        const QString refusal = EncodeField(c, row.value, row.o, record.data(), layout.length);
        const QByteArray got(reinterpret_cast<const char *>(record.data()) + c.offset, c.length);
        EXPECT_EQ((refusal.isEmpty() ? QString::fromLatin1(got.toHex()) : refusal).toStdString(),
                  row.expected)
            << row.field << " " << row.value.toStdString();
        EXPECT_TRUE(refusal.isEmpty() || record == before) << row.field;
    }
}

} // namespace
