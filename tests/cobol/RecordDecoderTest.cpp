// Decoding as tables of bytes in and text out; layouts that follow DEPENDING ON counts, variants
// and tables; and the CSV writer, which must write what the decoder reads.

#include "cobol/RecordDecoder.h"
#include "CobolTestSupport.h"
#include "cobol/RecordExport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstring>

using namespace orvane::cobol;
using orvane::testing::layoutOf;
using orvane::testing::mapOf;
using orvane::testing::shownValues;

namespace
{

struct Case {
    std::string bytes; // hex
    Usage usage;
    Category category;
    int scale;
    bool isSigned;
    SignPosition sign;
    bool separate;
    std::string expected; // the text; for a bad value its hex
    bool ok;
};

constexpr auto D = Usage::Display;
constexpr auto N = Category::Numeric;
constexpr auto X = Category::Alphanumeric;
constexpr auto T = SignPosition::None;
constexpr auto L = SignPosition::Leading;

// Two tables, the second counter after the first table.
const QString kTwoTables =
    QStringLiteral("01 R. 05 N PIC 9. 05 T PIC X OCCURS 0 TO 3 DEPENDING ON N.\n"
                   "   05 M PIC 9. 05 U PIC XX OCCURS 0 TO 2 DEPENDING ON M. 05 E PIC X.");

void check(const std::vector<Case> &cases, const DecodeOptions &options)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes);
        const QByteArray bytes = QByteArray::fromHex(QByteArray::fromStdString(c.bytes));
        Column column;
        column.length = bytes.size();
        column.usage = c.usage;
        column.category = c.category;
        column.scale = c.scale;
        column.isSigned = c.isSigned;
        column.sign = c.sign;
        column.signSeparate = c.separate;
        std::string out;
        const FieldState state =
            DecodeField(column, reinterpret_cast<const unsigned char *>(bytes.constData()),
                        bytes.size(), options, out);
        EXPECT_EQ(out, c.expected);
        EXPECT_EQ(state == FieldState::Ok, c.ok);
    }
}

} // namespace

TEST(RecordDecoder, ZonedEbcdicEveryOverpunch)
{
    std::vector<Case> cases;
    // Zones C, A, E, F carry plus and D, B minus, on every digit 0-9.
    static const char *plus[] = {"F1F2C", "F1F2A", "F1F2E", "F1F2F"};
    static const char *minus[] = {"F1F2D", "F1F2B"};
    for (int d = 0; d <= 9; ++d) {
        for (const char *p : plus)
            cases.push_back({std::string(p) + char('0' + d), D, N, 0, true, T, false,
                             "12" + std::to_string(d), true});
        for (const char *m : minus)
            cases.push_back({std::string(m) + char('0' + d), D, N, 0, true, T, false,
                             "-12" + std::to_string(d), true});
    }
    cases.insert(cases.end(), {
                                  {"F1F9F4F0F0", D, N, 0, false, T, false, "19400", true},
                                  {"60F1F9F4", D, N, 1, true, L, true, "-19.4", true},
                                  {"F1F9F44E", D, N, 1, true, T, true, "19.4", true},
                                  {"F0F0D0", D, N, 0, true, T, false, "0", true}, // no -0
                                  {"F1C2", D, N, 0, false, T, false, "F1C2", false},
                                  {"F1FA", D, N, 0, true, T, false, "F1FA", false},
                                  {"4040F1", D, N, 0, false, T, false, "4040F1", false},
                                  {"F1F94B", D, N, 0, true, T, true, "F1F94B", false},
                              });
    check(cases, {Encoding::Cp037});
}

TEST(RecordDecoder, ZonedAsciiEveryOverpunch)
{
    std::vector<Case> cases;
    // Plain digits and {, A-I are plus; p-y and }, J-R minus.
    for (int d = 0; d <= 9; ++d) {
        const char forms[][2] = {{char('0' + d), '+'},
                                 {char(d == 0 ? '{' : 'A' + d - 1), '+'},
                                 {char(0x70 + d), '-'},
                                 {char(d == 0 ? '}' : 'J' + d - 1), '-'}};
        for (const auto &f : forms)
            cases.push_back({QByteArray("12" + QByteArray(1, f[0])).toHex().toStdString(), D, N, 0,
                             true, T, false, (f[1] == '-' ? "-12" : "12") + std::to_string(d),
                             true});
    }
    // Separate signs, Ps and decimal places in ASCII: the round trip through GnuCOBOL reads them.
    cases.insert(cases.end(), {
                                  {"3170", D, N, 0, false, T, false, "3170", false},
                                  {"203132", D, N, 0, false, T, false, "203132", false},
                                  {"3132", D, N, 0, true, T, true, "3132", false},
                              });
    for (Encoding e : {Encoding::Ascii, Encoding::Cp1252, Encoding::Utf8})
        check(cases, {e});
}

TEST(RecordDecoder, PackedBinaryAndFloats)
{
    constexpr auto P = Usage::Packed;
    constexpr auto B = Usage::Binary;
    constexpr auto F = Usage::Float;
    constexpr auto G = Usage::Double;
    check(
        {
            {"1B", P, N, 0, true, T, false, "-1", true},
            {"000D", P, N, 0, true, T, false, "0", true},
            {"0123", P, N, 0, true, T, false, "0123", false}, // no sign nibble
            {"0A2C", P, N, 0, true, T, false, "0A2C", false}, // bad digit
            {"FFFF", B, N, 0, true, T, false, "-1", true},
            {"FFFF", B, N, 0, false, T, false, "65535", true},
            {"FF38", B, N, 2, true, T, false, "-2.00", true},
            {"80000000", B, N, 0, true, T, false, "-2147483648", true},
            {"8000000000000000", B, N, 0, true, T, false, "-9223372036854775808", true},
            {"FFFFFFFFFFFFFFFF", B, N, 0, false, T, false, "18446744073709551615", true},
            {"000000000000C350", B, N, 3, true, T, false, "50.000", true},
            {"BF800000", F, N, 0, true, T, false, "-1", true},
            {"40490FDB", F, N, 0, true, T, false, "3.1415927", true},
            {"7F800000", F, N, 0, true, T, false, "7F800000", false}, // infinity
            {"3FB999999999999A", G, N, 0, true, T, false, "0.1", true},
            {"7FF8000000000000", G, N, 0, true, T, false, "7FF8000000000000", false},
            {"C1C2", D, X, 0, false, T, false, "AB", true},
            {"4A5A5F9F", D, X, 0, false, T, false, "\xC2\xA2!\xC2\xAC\xC2\xA4", true},
        },
        {Encoding::Cp037, false, false, FloatFormat::IeeeBigEndian});

    // Native order and IBM hexadecimal floating point.
    check(
        {
            {"38FF", B, N, 2, true, T, false, "-2.00", true},
            {"C1100000", F, N, 0, true, T, false, "-1", true},
            {"4110000000000000", G, N, 0, true, T, false, "1", true},
            {"42640000", F, N, 0, true, T, false, "100", true},
            {"00100000", F, N, 0, true, T, false, "5.397605346934028e-79", true}, // below floats
            {"4019999999999999", G, N, 0, true, T, false, "0.09999999999999999", true},
        },
        {Encoding::Ascii, true, false, FloatFormat::IbmHex});
}

TEST(RecordDecoder, CodePagesDifferWhereTheyShould)
{
    struct Text {
        Encoding encoding;
        const char *bytes;
        const char *text;
    };
    const Text texts[] = {
        {Encoding::Cp037, "4A4F5ABABB9FDC6B7F", "\xC2\xA2|![]\xC2\xA4\xC3\xBC,\""},
        {Encoding::Cp1140, "9F", "\xE2\x82\xAC"},
        {Encoding::Cp500, "4A4F5A5F", "[!]^"},
        {Encoding::Cp273, "4A5A6AC0D0E05990",
         "\xC3\x84\xC3\x9C\xC3\xB6\xC3\xA4\xC3\xBC\xC3\x96~\xC2\xB0"},
        {Encoding::Cp1047, "ADBD5FB0", "[]^\xC2\xAC"},
        {Encoding::Cp1252, "80E9FC", "\xE2\x82\xAC\xC3\xA9\xC3\xBC"},
        {Encoding::Ascii, "41E9", "A\xEF\xBF\xBD"},
        {Encoding::Utf8, "C3A9C3", "\xC3\xA9\xEF\xBF\xBD"}, // a character cut at the end
    };
    for (const Text &t : texts) {
        SCOPED_TRACE(EncodingName(t.encoding).toStdString());
        const QByteArray bytes = QByteArray::fromHex(t.bytes);
        std::string out;
        AppendText(out, reinterpret_cast<const unsigned char *>(bytes.constData()), bytes.size(),
                   t.encoding);
        EXPECT_EQ(out, t.text);
    }
    // Every EBCDIC page is a one-to-one map of the 256 bytes.
    for (Encoding e :
         {Encoding::Cp037, Encoding::Cp1140, Encoding::Cp273, Encoding::Cp500, Encoding::Cp1047}) {
        std::vector<char16_t> seen(CodePageTable(e), CodePageTable(e) + 256);
        std::sort(seen.begin(), seen.end());
        EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
        EXPECT_EQ(EncodeChar(u'0', e), 0xF0);
    }
}

TEST(RecordDecoder, OccursColumnsDependingOnAndRedefines)
{
    const StorageMap map = mapOf(
        QStringLiteral("01 REC. 05 N PIC 9. 05 KIND PIC X. 05 A PIC X(2). 05 B REDEFINES A PIC 99. "
                       "05 T OCCURS 1 TO 3 DEPENDING ON N. 10 C PIC X OCCURS 2."));
    RecordLayout layout = layoutOf(map);
    QStringList names;
    for (const Column &c : layout.columns)
        names << c.name + u'@' + QString::number(c.offset);
    EXPECT_EQ(names.join(u' ').toStdString(),
              "N@0 KIND@1 A@2 C(1,1)@4 C(1,2)@5 C(2,1)@6 C(2,2)@7 C(3,1)@8 C(3,2)@9");
    EXPECT_TRUE(layout.problems.isEmpty());
    RecordDecoder decoder(layout, {});
    EXPECT_EQ(shownValues(decoder, layout, "2K12abcdef", 10).toStdString(), "2 K 12 a b c d - -");

    layout = layoutOf(map, {QString(), {QStringLiteral("b")}, {}});
    EXPECT_EQ(layout.columns[2].name.toStdString(), "B");
    EXPECT_EQ(layout.columns[2].category, Category::Numeric);
    QString error;
    EXPECT_FALSE(BuildRecordLayout(map, {QStringLiteral("OTHER"), {}, {}}, layout, error));
    EXPECT_EQ(error.toStdString(), "The layout has no record OTHER");
}

TEST(RecordDecoder, ARuleOnARecordTypeFieldPicksTheVariant)
{
    const StorageMap map =
        mapOf(QStringLiteral("01 REC. 05 KIND PIC X. 05 A PIC X(2). 05 B REDEFINES A PIC S99. "
                             "05 C REDEFINES A PIC X."));
    const RecordLayout layout = layoutOf(
        map, {QString(), {}, {{QStringLiteral("KIND"), QStringLiteral("N"), QStringLiteral("B")}}});
    RecordDecoder decoder(layout, {});
    EXPECT_EQ(shownValues(decoder, layout, "N1q", 3), "N - -11"); // C: neither default nor ruled
    EXPECT_EQ(shownValues(decoder, layout, "Tx1", 3), "T x1 -");
    // The record's code page reaches the rule as well as the fields.
    RecordDecoder ebcdic(layout, {Encoding::Cp037});
    EXPECT_EQ(shownValues(ebcdic, layout, "\xD5\xF1\xD1", 3), "N - -11");
}

// Each record's DEPENDING ON count places the fields after its table, unless the file pads
// every table to its maximum.
TEST(DependingTables, CountsPlaceLaterFieldsUnlessPadded)
{
    const StorageMap map = mapOf(kTwoTables);
    struct Case {
        const char *record;
        bool padded;
        const char *values; // N T(1..3) M U(1..2) E
        qint64 endAt;       // where E lies
    };
    const Case cases[] = {
        {"1A1BBE", false, "1 A - - 1 BB - E", 5},
        {"0E", false, "0 - - - <bad 45> <bad > <bad > <bad >", -1},
        {"3ABC0E", false, "3 A B C 0 - - E", 5},
        {"2AB2CCDDE", false, "2 A B - 2 CC DD E", 8},
        {"1A..1BB..E", true, "1 A - - 1 BB - E", 9},
    };
    for (const Case &c : cases) {
        LayoutChoice choice;
        choice.paddedTables = c.padded;
        const RecordLayout layout = layoutOf(map, choice);
        RecordDecoder decoder(layout, {});
        const qint64 length = qint64(strlen(c.record));
        EXPECT_EQ(shownValues(decoder, layout, c.record, length).toStdString(), c.values)
            << c.record;
        const qint64 end = decoder.offset(layout.columns.size() - 1);
        EXPECT_EQ(end < length ? end : -1, c.endAt) << c.record;
    }
}

// A new record, laid out at its tables' maximum, is cut to its counts.
TEST(DependingTables, NewRecordFitsItsCounts)
{
    const RecordLayout layout = orvane::testing::layoutOf(kTwoTables);
    const struct {
        const char *padded;
        const char *fitted;
    } cases[] = {{"1A..1BB..E", "1A1BBE"},
                 {"3ABC2BBCCE", "3ABC2BBCCE"},
                 {"0...0....E", "00E"},
                 {"X...1BB..E", "X...1BBE"}};
    for (const auto &c : cases) {
        QByteArray record(c.padded);
        FitDependingTables(layout, {}, record);
        EXPECT_EQ(record.toStdString(), c.fitted);
    }
}

TEST(RecordExport, CsvWritesWhatTheDecoderReads)
{
    const RecordLayout layout = orvane::testing::layoutOf(
        QStringLiteral("01 R. 05 A PIC S9(5)V99. 05 B PIC 9(3). 05 C PIC SV99. 05 D PIC X(4).\n"
                       "05 E PIC S9(3) SIGN LEADING. 05 F PIC 9(2)V9(3). 05 G PIC S99."));
    // Digits, zones, blanks, quotes and commas in both code pages.
    const QByteArray alphabet = QByteArray::fromHex("F0F1F9C0C5D0D9B3A2E1FA40") + "0 9p{}J,\"A\n";
    QRandomGenerator random(20);
    for (Encoding encoding : {Encoding::Cp037, Encoding::Ascii, Encoding::Cp1252}) {
        RecordTextWriter writer(layout, {encoding}, ExportFormat::Csv);
        RecordDecoder decoder(layout, {encoding});
        for (int n = 0; n < 3000; ++n) {
            QByteArray record(int(layout.length), '0');
            for (char &b : record)
                if (random.bounded(3) == 0)
                    b = alphabet[random.bounded(int(alphabet.size()))];
            QByteArray line;
            writer.append(1, reinterpret_cast<const unsigned char *>(record.constData()),
                          record.size(), line);
            decoder.setRecord(reinterpret_cast<const unsigned char *>(record.constData()),
                              record.size());
            QByteArray expected;
            std::string value;
            for (size_t c = 0; c < layout.columns.size(); ++c) {
                const FieldState state = decoder.field(c, value);
                if (c)
                    expected += ',';
                if (state == FieldState::Bad) {
                    expected += "<bad " + QByteArray::fromStdString(value) + '>';
                    continue;
                }
                if (layout.columns[c].category != Category::Numeric) {
                    value.erase(value.find_last_not_of(' ') + 1);
                    for (char &ch : value)
                        ch = static_cast<unsigned char>(ch) < 0x20 ? '.' : ch;
                }
                AppendCsvValue(expected, value);
            }
            ASSERT_EQ(line.toStdString(), (expected + '\n').toStdString()) << record.toHex().data();
        }
    }
}

TEST(RecordExport, ACancelledExportLeavesNoFile)
{
    const QByteArray bytes = "AB\nCDEF\n";
    const unsigned char *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    FramingOptions lines;
    lines.format = RecordFormat::Lines;
    const Framing f = FrameRecords(data, bytes.size(), lines);
    const RecordLayout layout =
        orvane::testing::layoutOf(QStringLiteral("01 R. 05 A PIC X(2). 05 B PIC XX."));
    QTemporaryDir dir;
    QString error;
    ExportJob job{&f, data, 4, ' ', &layout, {}, ExportFormat::Csv, nullptr, 0, 2, 2};
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    EXPECT_FALSE(ExportToFile(
        job, path, [](qint64) { return false; }, error));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(ExportToFile(
        job, path, [](qint64) { return true; }, error));
    EXPECT_EQ(orvane::testing::readBytes(path),
              "A,B\nAB,\nCD,EF\n"); // a short line padded with blanks
    job.from = 2;                   // an empty range: the header alone
    EXPECT_TRUE(ExportToFile(
        job, path, [](qint64) { return true; }, error));
    EXPECT_EQ(orvane::testing::readBytes(path), "A,B\n");
}
