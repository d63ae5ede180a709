// How a data file divides into records: given formats, detection (and its refusal when two
// readings fit), and damage named by record and byte with the good records before it kept.
#include "cobol/RecordFraming.h"

#include "CobolTestSupport.h"

using namespace orvane::cobol;

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
}
