// The CSV writer reads text and zoned numbers straight from the bytes; whatever the bytes, it
// must write what the decoder reads. And a cancelled export leaves no file.
#include "cobol/RecordExport.h"

#include "CobolTestSupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace orvane::cobol;

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
}
