// GnuCOBOL writes a file of records with every usage and the viewer must read back the values
// the program moved; and the same records in EBCDIC and in ASCII must read the same.

#include "cobol/CopybookReader.h"
#include "cobol/DataFile.h"
#include "cobol/RecordDecoder.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::cobol;

namespace
{

const char kProgram[] = "       IDENTIFICATION DIVISION.\n"
                        "       PROGRAM-ID. WRITER.\n"
                        "       ENVIRONMENT DIVISION.\n"
                        "       INPUT-OUTPUT SECTION.\n"
                        "       FILE-CONTROL.\n"
                        "           SELECT OUT-FILE ASSIGN TO 'records.dat'\n"
                        "               ORGANIZATION IS SEQUENTIAL.\n"
                        "       DATA DIVISION.\n"
                        "       FILE SECTION.\n"
                        "       FD  OUT-FILE.\n"
                        "       01  REC.\n"
                        "           05 R-TEXT    PIC X(6).\n"
                        "           05 R-ZONED   PIC S9(5)V99.\n"
                        "           05 R-LEAD    PIC S9(3) SIGN LEADING.\n"
                        "           05 R-SEP     PIC S9(3) SIGN LEADING SEPARATE.\n"
                        "           05 R-TSEP    PIC S9(3)V9 SIGN TRAILING SEPARATE.\n"
                        "           05 R-PSCALE  PIC 9(3)PP.\n"
                        "           05 R-VPP     PIC SVPP99.\n"
                        "           05 R-PACKED  PIC S9(7)V99 COMP-3.\n"
                        "           05 R-UPACK   PIC 9(4) COMP-3.\n"
                        "           05 R-HALF    PIC S9(4) COMP.\n"
                        "           05 R-UHALF   PIC 9(4) BINARY.\n"
                        "           05 R-WORD    PIC S9(9) COMP-4.\n"
                        "           05 R-DWORD   PIC S9(18) COMP.\n"
                        "           05 R-UDWORD  PIC 9(18) COMP.\n"
                        "           05 R-NATIVE  PIC S9(9) COMP-5.\n"
                        "           05 R-SHORT   COMP-1.\n"
                        "           05 R-LONG    COMP-2.\n"
                        "           05 R-TABLE   PIC S9(3) COMP-3 OCCURS 3.\n"
                        "       PROCEDURE DIVISION.\n"
                        "           OPEN OUTPUT OUT-FILE\n"
                        "           MOVE 'ALPHA' TO R-TEXT\n"
                        "           MOVE -194.00 TO R-ZONED\n"
                        "           MOVE -12 TO R-LEAD\n"
                        "           MOVE -7 TO R-SEP\n"
                        "           MOVE 12.5 TO R-TSEP\n"
                        "           MOVE 12300 TO R-PSCALE\n"
                        "           MOVE -.0012 TO R-VPP\n"
                        "           MOVE -1234567.89 TO R-PACKED\n"
                        "           MOVE 9876 TO R-UPACK\n"
                        "           MOVE -32768 TO R-HALF\n"
                        "           MOVE 9999 TO R-UHALF\n"
                        "           MOVE -123456789 TO R-WORD\n"
                        "           MOVE -123456789012345678 TO R-DWORD\n"
                        "           MOVE 999999999999999999 TO R-UDWORD\n"
                        "           MOVE -99999 TO R-NATIVE\n"
                        "           MOVE 0.5 TO R-SHORT\n"
                        "           MOVE -2.25 TO R-LONG\n"
                        "           MOVE 1 TO R-TABLE(1)\n"
                        "           MOVE -2 TO R-TABLE(2)\n"
                        "           MOVE 999 TO R-TABLE(3)\n"
                        "           WRITE REC\n"
                        "           MOVE 'BETA' TO R-TEXT\n"
                        "           MOVE 10 TO R-ZONED\n"
                        "           MOVE 3 TO R-LEAD\n"
                        "           MOVE 0 TO R-SEP\n"
                        "           MOVE -0.1 TO R-TSEP\n"
                        "           MOVE 0 TO R-PSCALE\n"
                        "           MOVE .0099 TO R-VPP\n"
                        "           MOVE 0.01 TO R-PACKED\n"
                        "           MOVE 0 TO R-UPACK\n"
                        "           MOVE 32767 TO R-HALF\n"
                        "           MOVE 0 TO R-UHALF\n"
                        "           MOVE 2147483 TO R-WORD\n"
                        "           MOVE 1 TO R-DWORD\n"
                        "           MOVE 0 TO R-UDWORD\n"
                        "           MOVE 65536 TO R-NATIVE\n"
                        "           MOVE -1024 TO R-SHORT\n"
                        "           MOVE 0.375 TO R-LONG\n"
                        "           MOVE -999 TO R-TABLE(1)\n"
                        "           MOVE 0 TO R-TABLE(2)\n"
                        "           MOVE 5 TO R-TABLE(3)\n"
                        "           WRITE REC\n"
                        "           CLOSE OUT-FILE\n"
                        "           STOP RUN.\n";

const char *const kExpected[2] = {
    "ALPHA |-194.00|-12|-7|12.5|12300|-0.0012|-1234567.89|9876|-32768|9999|-123456789|"
    "-123456789012345678|999999999999999999|-99999|0.5|-2.25|1|-2|999",
    "BETA  |10.00|3|0|-0.1|0|0.0099|0.01|0|32767|0|2147483|1|0|65536|-1024|0.375|-999|0|5",
};

StorageMap mapOf(const QString &text, Dialect dialect)
{
    const ReadResult read = ReadDataDescriptions(text, ReadOptions{SourceFormat::Auto, {}, {}});
    EXPECT_TRUE(read.ok()) << read.errorText().toStdString();
    FieldTree tree;
    ImportEntries(tree, read);
    return BuildStorageMap(tree, dialect);
}

// Each record's values joined by |, with bad values marked.
QStringList readBack(const RecordLayout &layout, const QByteArray &bytes,
                     const DecodeOptions &options)
{
    QStringList records;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const FileShape shape = ShapeOf(data, bytes.size(), layout.length, LineEnds::Auto);
    EXPECT_EQ(shape.problem.toStdString(), "");
    RecordDecoder decoder(layout, options);
    std::string value;
    for (qint64 r = 0; r < shape.records; ++r) {
        decoder.setRecord(data + r * shape.stride(), layout.length);
        QStringList values;
        for (size_t c = 0; c < layout.columns.size(); ++c) {
            const bool ok = decoder.field(c, value) == FieldState::Ok;
            values << (ok ? QString::fromStdString(value)
                          : QStringLiteral("<bad %1>").arg(QString::fromStdString(value)));
        }
        records << values.join(u'|');
    }
    return records;
}

} // namespace

TEST(DataRoundTrip, GnuCobolWritesWhatTheViewerReads)
{
    const QString cobc = QStandardPaths::findExecutable(QStringLiteral("cobc"));
    if (cobc.isEmpty())
        GTEST_SKIP() << "cobc is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile source(dir.filePath(QStringLiteral("writer.cbl")));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write(kProgram);
    source.close();
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(cobc, {QStringLiteral("-x"), QStringLiteral("-std=ibm"), QStringLiteral("-o"),
                         dir.filePath(QStringLiteral("writer")), source.fileName()});
    ASSERT_TRUE(process.waitForFinished(120000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAll().toStdString();
    process.start(dir.filePath(QStringLiteral("writer")), {});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAll().toStdString();

    const StorageMap map = mapOf(QString::fromLatin1(kProgram), Dialect::Ibm);
    RecordLayout layout;
    QString error;
    ASSERT_TRUE(BuildRecordLayout(map, {}, layout, error)) << error.toStdString();
    DataFile file;
    ASSERT_TRUE(file.open(dir.filePath(QStringLiteral("records.dat")), error))
        << error.toStdString();
    ASSERT_EQ(file.size(), 2 * layout.length);
    const QByteArray bytes(reinterpret_cast<const char *>(file.data()), file.size());
    // -std=ibm: COMP big-endian; COMP-5 and the floats in this machine's order.
    const QStringList records = readBack(layout, bytes, {Encoding::Ascii});
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].toStdString(), kExpected[0]);
    EXPECT_EQ(records[1].toStdString(), kExpected[1]);
}

TEST(DataRoundTrip, EbcdicAndAsciiCopiesReadAlike)
{
    const QString layoutText = QStringLiteral("01 R.\n"
                                              "   05 NAME PIC X(8).\n"
                                              "   05 AMOUNT PIC S9(5)V99.\n"
                                              "   05 LEAD PIC S999 SIGN LEADING SEPARATE.\n"
                                              "   05 PACKED PIC S9(5) COMP-3.\n"
                                              "   05 COUNTS PIC S9(4) COMP OCCURS 2.\n");
    const StorageMap map = mapOf(layoutText, Dialect::Ibm);
    RecordLayout layout;
    QString error;
    ASSERT_TRUE(BuildRecordLayout(map, {}, layout, error));
    ASSERT_EQ(layout.length, 26);
    // Text and zoned digits as characters (the mainframe's sign letters), the rest as bytes.
    struct Row {
        const char *text;
        QByteArray binary;
        const char *values;
    };
    const Row rows[] = {
        {"Zürich  001940}-042", QByteArray::fromHex("12345D0001FFFE"),
         "Zürich  |-194.00|-42|-12345|1|-2"},
        {"A,B \"C\" 000012A+100", QByteArray::fromHex("00000C7FFF8000"),
         "A,B \"C\" |1.21|100|0|32767|-32768"},
        {"        000000{+000", QByteArray::fromHex("00000F00000000"), "        |0.00|0|0|0|0"},
    };
    QByteArray ascii;
    QByteArray ebcdic;
    for (const Row &row : rows) {
        for (QChar ch : QString::fromUtf8(row.text)) {
            ascii += char(EncodeChar(ch.unicode(), Encoding::Cp1252));
            ebcdic += char(EncodeChar(ch.unicode(), Encoding::Cp037));
        }
        ascii += row.binary;
        ebcdic += row.binary;
    }
    ASSERT_EQ(ascii.size(), 3 * 26);
    const QStringList fromAscii = readBack(layout, ascii, {Encoding::Cp1252});
    const QStringList fromEbcdic = readBack(layout, ebcdic, {Encoding::Cp037});
    ASSERT_EQ(fromEbcdic.size(), 3);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(fromEbcdic[r].toStdString(), rows[r].values);
    EXPECT_EQ(fromAscii, fromEbcdic);
}
