// How a data file's bytes divide into records: line ends recognised or forced, and what is
// left over; and the data window's status line, moved out of the window so every form of it is
// checked here (the window's test checks that it shows the line).

#include "cobol/DataFile.h"

#include "../common/Files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

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
