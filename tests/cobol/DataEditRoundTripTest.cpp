// GnuCOBOL writes a record with every usage, we set each field to a new value and save, and the
// compiled program reading the file back must DISPLAY exactly the values we set.

#include "CobolTestSupport.h"
#include "cobol/DataFile.h"
#include "cobol/DataSave.h"
#include "cobol/RecordFields.h"

#include "../common/Files.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::cobol;
using orvane::testing::mapOf;

namespace
{

// A field, the value the writer moves to it, the value we set, and the numeric-edited picture
// the reader shows a number through (none: DISPLAY it as it is, text in brackets).
struct Item {
    const char *name;
    const char *declaration;
    const char *written;
    const char *set;
    const char *shownAs;
};

const Item kItems[] = {
    {"T-TEXT", "PIC X(6)", "'ALPHA'", "BETA  ", nullptr},
    {"T-JUST", "PIC X(5) JUSTIFIED RIGHT", "'Q'", "   AB", nullptr},
    {"T-ZONED", "PIC S9(5)V99", "10", "-194.25", "-(5)9.99"},
    {"T-LEAD", "PIC S9(3) SIGN LEADING", "5", "-12", "-(3)9"},
    {"T-LSEP", "PIC S9(3) SIGN LEADING SEPARATE", "-5", "7", "-(3)9"},
    {"T-TSEP", "PIC S9(3)V9 SIGN TRAILING SEPARATE", "12.5", "-0.1", "-(3)9.9"},
    {"T-PSCALE", "PIC 9(3)PP", "100", "12300", "-(6)9"},
    {"T-VPP", "PIC SVPP99", "0.0099", "-0.0012", "-9.9(4)"},
    {"T-PACKED", "PIC S9(7)V99 COMP-3", "1", "-1234567.89", "-(7)9.99"},
    {"T-UPACK", "PIC 9(4) COMP-3", "1", "9876", "-(4)9"},
    {"T-HALF", "PIC S9(4) COMP", "1", "-9999", "-(4)9"},
    {"T-WORD", "PIC S9(9) COMP-4", "1", "-123456789", "-(9)9"},
    {"T-DWORD", "PIC S9(18) COMP", "1", "-123456789012345678", "-(18)9"},
    {"T-UDWORD", "PIC 9(18) BINARY", "1", "999999999999999999", "-(18)9"},
    {"T-NATIVE", "PIC S9(9) COMP-5", "1", "-65536", "-(9)9"},
    {"T-UNATIVE", "PIC 9(2) COMP-5", "1", "99", "-(2)9"},
    {"T-SHORT", "COMP-1", "1", "2.5", nullptr},
    {"T-LONG", "COMP-2", "1", "-0.75", nullptr},
    {"T-TABLE(2)", "PIC S9(3) COMP-3 OCCURS 3", "1", "-2", "-(3)9"},
};

QString base(const char *name)
{
    return QString::fromLatin1(name).section(u'(', 0, 0);
}

// The writer (moving the first values) or the reader (showing each field on a line).
QString program(bool writer)
{
    QString fields;
    QString shown;
    QString statements;
    int n = 0;
    for (const Item &item : kItems) {
        fields += QStringLiteral("           05 %1 %2.\n").arg(base(item.name), item.declaration);
        if (writer) {
            statements += QStringLiteral("           MOVE %1 TO %2\n").arg(item.written, item.name);
        } else if (item.shownAs) {
            shown += QStringLiteral("       01 E%1 PIC %2.\n").arg(++n).arg(item.shownAs);
            statements += QStringLiteral("           MOVE %1 TO E%2\n"
                                         "           DISPLAY FUNCTION TRIM(E%2)\n")
                              .arg(item.name)
                              .arg(n);
        } else if (QByteArray(item.declaration).startsWith("PIC X")) {
            statements += QStringLiteral("           DISPLAY '[' %1 ']'\n").arg(item.name);
        } else {
            statements += QStringLiteral("           DISPLAY %1\n").arg(item.name);
        }
    }
    return QStringLiteral("       IDENTIFICATION DIVISION.\n"
                          "       PROGRAM-ID. P.\n"
                          "       ENVIRONMENT DIVISION.\n"
                          "       INPUT-OUTPUT SECTION.\n"
                          "       FILE-CONTROL.\n"
                          "           SELECT DATA-FILE ASSIGN TO 'records.dat'\n"
                          "               ORGANIZATION IS SEQUENTIAL.\n"
                          "       DATA DIVISION.\n"
                          "       FILE SECTION.\n"
                          "       FD  DATA-FILE.\n"
                          "       01  REC.\n") +
           fields + QStringLiteral("       WORKING-STORAGE SECTION.\n") + shown +
           QStringLiteral("       PROCEDURE DIVISION.\n") +
           (writer ? QStringLiteral("           OPEN OUTPUT DATA-FILE\n") + statements +
                         QStringLiteral("           WRITE REC\n")
                   : QStringLiteral("           OPEN INPUT DATA-FILE\n"
                                    "           READ DATA-FILE\n") +
                         statements) +
           QStringLiteral("           CLOSE DATA-FILE\n           STOP RUN.\n");
}

// Compiles and runs a program in `dir`; its output.
QByteArray run(const QString &cobc, const QTemporaryDir &dir, const QString &name,
               const QString &text)
{
    const QString source = dir.filePath(name + QStringLiteral(".cbl"));
    orvane::testing::writeBytes(source, text.toLatin1());
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(cobc, {QStringLiteral("-x"), QStringLiteral("-std=ibm"), QStringLiteral("-o"),
                         dir.filePath(name), source});
    EXPECT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAll().toStdString();
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(dir.filePath(name), {});
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    return process.readAllStandardOutput();
}

} // namespace

TEST(DataEditRoundTrip, GnuCobolReadsBackEveryValueSet)
{
    const QString cobc = QStandardPaths::findExecutable(QStringLiteral("cobc"));
    if (cobc.isEmpty())
        GTEST_SKIP() << "cobc is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    run(cobc, dir, QStringLiteral("writer"), program(true));

    const StorageMap map = mapOf(program(true), Dialect::Ibm, SourceFormat::Auto);
    RecordLayout layout;
    QString error;
    ASSERT_TRUE(BuildRecordLayout(map, {}, layout, error)) << error.toStdString();
    const QString path = dir.filePath(QStringLiteral("records.dat"));
    QStringList expected;
    {
        DataFile file;
        ASSERT_TRUE(file.open(path, error)) << error.toStdString();
        ASSERT_EQ(file.size(), layout.length);
        const FixedFraming framing(layout.length, 0, 1, file.size());
        RecordEdits edits(framing, file.data(), file.size());
        // -std=ibm: COMP big-endian; COMP-5 and the floats in this machine's order.
        for (const Item &item : kItems) {
            const QString set = QString::fromLatin1(item.set);
            EXPECT_EQ(SetNamedField(edits, 0, layout, {}, item.name, set).toStdString(), "")
                << item.name;
            expected << (QByteArray(item.declaration).startsWith("PIC X") ? u'[' + set + u']'
                                                                          : set);
        }
        const SaveResult saved = SaveDataFile(edits, path);
        ASSERT_TRUE(saved.ok) << saved.message.toStdString();
    }
    const QByteArray shown = run(cobc, dir, QStringLiteral("reader"), program(false));
    EXPECT_EQ(shown.toStdString(), (expected.join(u'\n') + u'\n').toStdString());
}
