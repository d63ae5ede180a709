// How a data file's bytes divide into records, given or detected, and damage named by record and
// byte; and the data window's status line, moved out of the window so every form is checked here.

#include "cobol/DataFile.h"
#include "CobolTestSupport.h"
#include "cobol/RecordFraming.h"

#include <QTemporaryDir>

using namespace orvane::cobol;

TEST(DataFile, ShapeOfRecordsAndLineEnds)
{
    struct Case {
        QByteArray bytes;
        qint64 length;
        LineEnds ends;
        int lineEnd;
        qint64 records;
        const char *problem;
    };
    const Case cases[] = {
        {"abcdef", 3, LineEnds::Auto, 0, 2, ""},
        {"abc\ndef\n", 3, LineEnds::Auto, 1, 2, ""},
        {"abc\r\ndef\r\n", 3, LineEnds::Auto, 2, 2, ""},
        {"abc\r\ndef", 3, LineEnds::Auto, 2, 2, ""}, // the last line end missing
        {"ab\ncd\nef", 2, LineEnds::Auto, 1, 3, ""},
        // A line end at one boundary but not the other is data, not a line end.
        {"ab\ncdxef", 2, LineEnds::Auto, 0, 4, ""},
        {"abxcd\nef\n", 2, LineEnds::Auto, 0, 4,
         "file size is not a multiple of 2: 1 bytes left over"}, // the first boundary counts too
        {"abc\ndefg", 3, LineEnds::None, 0, 2,
         "file size is not a multiple of 3: 2 bytes left over"},
        {"abcdefgh", 3, LineEnds::Lf, 1, 2, ""},
        {"abcdefghijk", 3, LineEnds::CrLf, 2, 2,
         "file size is not a multiple of 5: 1 bytes left over"},
        {"", 300, LineEnds::Auto, 0, 0, ""},
        {QByteArray(617, 'x'), 300, LineEnds::Auto, 0, 2,
         "file size is not a multiple of 300: 17 bytes left over"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        const FileShape s = ShapeOf(reinterpret_cast<const unsigned char *>(c.bytes.constData()),
                                    c.bytes.size(), c.length, c.ends);
        EXPECT_EQ(s.lineEnd, c.lineEnd);
        EXPECT_EQ(s.records, c.records);
        EXPECT_EQ(s.problem.toStdString(), c.problem);
    }
}

TEST(DataFile, MapsReadOnlyAndNamesWhatFails)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.dat"));
    orvane::testing::writeBytes(path, "0123456789");
    DataFile file;
    QString error;
    ASSERT_TRUE(file.open(path, error));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(file.data()), file.size()), "0123456789");
    EXPECT_FALSE(file.open(dir.path(), error));
    EXPECT_EQ(error, QStringLiteral("Cannot open %1: it is a folder").arg(dir.path()));
    EXPECT_FALSE(file.open(dir.filePath(QStringLiteral("none")), error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot open ")));
}

TEST(DataStatusText, SaysWhatTheLayoutAndTheFileSizeLeftOpen)
{
    const FileShape lf{11, 1, 3, 0, {}};
    const FileShape crlfShort{20, 2, 5, 7, QStringLiteral("file size is not a multiple of 22")};
    const FileShape bare{4, 0, 1000, 0, {}};
    const struct {
        const char *problem; // of the layout
        FileShape shape;
        qint64 bad, sampled;
        const char *expected;
    } cases[] = {
        {"", lf, 0, 3, "3 records of 11 bytes and LF; 0 fields did not decode"},
        {"", crlfShort, 2, 5,
         "file size is not a multiple of 22; 5 records of 20 bytes and CR LF; "
         "2 fields did not decode"},
        {"no counter for ITEMS", bare, 7, 100,
         "no counter for ITEMS; 1000 records of 4 bytes; "
         "7 fields did not decode in the first 100 records"},
    };
    for (const auto &c : cases) {
        const QStringList problems = *c.problem ? QStringList{c.problem} : QStringList{};
        EXPECT_EQ(DataStatusText(problems, c.shape, c.bad, c.sampled),
                  QString::fromLatin1(c.expected));
    }
}

namespace
{

constexpr auto word = &orvane::testing::descriptorWord;
QByteArray rdw(const QByteArray &data)
{
    return word(int(data.size()) + 4) + data;
}

struct Case {
    const char *name;
    QByteArray bytes;
    FramingOptions options;
    RecordFormat format;
    const char *lengths; // each record's length
    const char *message; // detected, or the problem
};

FramingOptions given(RecordFormat format, HeaderStyle header = {}, bool headerGiven = true)
{
    FramingOptions o;
    o.format = format;
    o.recordLength = 3;
    o.header = header;
    o.headerGiven = headerGiven;
    return o;
}

FramingOptions detect(qint64 recordLength = 7)
{
    FramingOptions o;
    o.recordLength = recordLength;
    return o;
}

} // namespace

TEST(RecordFraming, ReadsDetectsAndNamesDamage)
{
    const QByteArray two = rdw("ABCDE") + rdw("FG");
    const Case cases[] = {
        {"rdw detected", two, detect(), RecordFormat::Rdw, "5 2",
         "detected rdw records, lengths count the 4-byte word"},
        {"GnuCOBOL's lengths without the word",
         QByteArray::fromHex("0005000041424344450002000046 47").replace(' ', ""), detect(),
         RecordFormat::Rdw, "5 2", "detected rdw records, lengths leave out the 4-byte word"},
        {"vb blocks, not one record a block", word(19) + two + word(13) + rdw("HIJKL"), detect(),
         RecordFormat::Vb, "5 2 5", "detected vb records, lengths count the 4-byte word"},
        {"little-endian 4-byte lengths",
         QByteArray::fromHex("0900000041424344450600000046 47").replace(' ', ""),
         given(RecordFormat::Rdw, {false, true, true}), RecordFormat::Rdw, "5 2", ""},
        {"little-endian 2-byte lengths past 255",
         QByteArray::fromHex("2c010000") + QByteArray(300, 'A'),
         given(RecordFormat::Rdw, {true, true, false}), RecordFormat::Rdw, "300", ""},
        {"an RDW longer than what is left", two + word(40) + "XY", given(RecordFormat::Rdw),
         RecordFormat::Rdw, "5 2",
         "record 3 at byte 15: the record descriptor word gives 40 bytes, more than the 6 left"},
        {"a word that gives no data", two + word(4) + rdw("Z"), given(RecordFormat::Rdw),
         RecordFormat::Rdw, "5 2",
         "record 3 at byte 15: the record descriptor word 00 04 00 00 gives no data"},
        {"damage found by detection", two + rdw("HI") + QByteArray::fromHex("0102030005"), detect(),
         RecordFormat::Rdw, "5 2 2",
         "record 4 at byte 21: 01 02 03 00 is not a record descriptor word"},
        {"a block that does not hold whole records", word(17) + rdw("ABCDE") + word(9) + "FG",
         given(RecordFormat::Vb), RecordFormat::Vb, "5",
         "record 2 at byte 13: block 1 does not hold whole records: the record descriptor word "
         "gives 9 bytes, more than the 4 left"},
        {"fixed and rdw both fit", rdw("AB") + rdw("CD"), detect(6), RecordFormat::Fixed, "",
         "The file reads as fixed 6-byte records or as rdw (lengths count the 4-byte word); "
         "choose the record format"},
        {"lines", "AB\nCDE\r\n\r\nF", detect(4), RecordFormat::Lines, "2 3 0 1",
         "detected one record per line"},
        {"fixed with line ends", "ABC\nDEF\n", detect(3), RecordFormat::Fixed, "3 3",
         "detected fixed records"},
    };
    for (const Case &c : cases) {
        const Framing f = FrameRecords(reinterpret_cast<const unsigned char *>(c.bytes.constData()),
                                       c.bytes.size(), c.options);
        QStringList lengths;
        for (qint64 r = 0; r < f.records(); ++r) {
            qint64 length = 0;
            f.record(reinterpret_cast<const unsigned char *>(c.bytes.constData()), r, length);
            lengths << QString::number(length);
        }
        EXPECT_EQ(f.format, c.format) << c.name;
        EXPECT_EQ(lengths.join(u' ').toStdString(), c.lengths) << c.name;
        EXPECT_EQ((f.refused || !f.problem.isEmpty() ? f.problem : f.detected).toStdString(),
                  c.message)
            << c.name;
    }
    // An empty first line: nothing before the data given is read, though a CR stands there.
    const auto *cr = reinterpret_cast<const unsigned char *>("\r\nAB\n");
    const Framing lines = FrameRecords(cr + 1, 4, given(RecordFormat::Lines));
    qint64 first = -1;
    lines.record(cr + 1, 0, first);
    EXPECT_EQ(first, 0);
}
