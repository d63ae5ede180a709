// GnuCOBOL writes a file of records with every usage and the viewer must read back the values
// the program moved; values set by the editor the same program must read back exactly.

#include "CobolTestSupport.h"
#include "cobol/DataSave.h"

#include <QTemporaryDir>

using namespace orvane;
using namespace orvane::cobol;
using orvane::testing::compileAndRun;

namespace
{

// One column of the record: its declaration (none for a later element of a table) and the
// value each of the two records moves to it, written as the viewer shows it.
struct Item {
    const char *target;
    const char *declaration;
    const char *values[2];
};

const Item kItems[] = {
    {"R-TEXT", "PIC X(6)", {"'ALPHA '", "'BETA  '"}},
    {"R-ZONED", "PIC S9(5)V99", {"-194.00", "10.00"}},
    {"R-LEAD", "PIC S9(3) SIGN LEADING", {"-12", "3"}},
    {"R-SEP", "PIC S9(3) SIGN LEADING SEPARATE", {"-7", "0"}},
    {"R-TSEP", "PIC S9(3)V9 SIGN TRAILING SEPARATE", {"12.5", "-0.1"}},
    {"R-PSCALE", "PIC 9(3)PP", {"12300", "0"}},
    {"R-VPP", "PIC SVPP99", {"-0.0012", "0.0099"}},
    {"R-PACKED", "PIC S9(7)V99 COMP-3", {"-1234567.89", "0.01"}},
    {"R-UPACK", "PIC 9(4) COMP-3", {"9876", "0"}},
    {"R-HALF", "PIC S9(4) COMP", {"-32768", "32767"}},
    {"R-UHALF", "PIC 9(4) BINARY", {"9999", "0"}},
    {"R-WORD", "PIC S9(9) COMP-4", {"-123456789", "2147483"}},
    {"R-DWORD", "PIC S9(18) COMP", {"-123456789012345678", "1"}},
    {"R-UDWORD", "PIC 9(18) COMP", {"999999999999999999", "0"}},
    {"R-NATIVE", "PIC S9(9) COMP-5", {"-99999", "65536"}},
    {"R-SHORT", "COMP-1", {"0.5", "-1024"}},
    {"R-LONG", "COMP-2", {"-2.25", "0.375"}},
    {"R-TABLE(1)", "PIC S9(3) COMP-3 OCCURS 3", {"1", "-999"}},
    {"R-TABLE(2)", nullptr, {"-2", "0"}},
    {"R-TABLE(3)", nullptr, {"999", "5"}},
};

// The program over the file of these records: `writer` moves the values and writes two records,
// otherwise it reads them and DISPLAYs each field, numbers through a numeric-edited item with
// the field's decimal places so that they show as the viewer shows them.
QString programText(bool writer, const RecordLayout *layout = nullptr)
{
    QString data;
    QString statements;
    for (const Item &item : kItems)
        if (item.declaration)
            data += QStringLiteral("           05 %1 %2.\n")
                        .arg(QString::fromLatin1(item.target).section(u'(', 0, 0),
                             QLatin1String(item.declaration));
    for (int r = 0; r < 2; ++r) {
        if (writer) {
            for (const Item &item : kItems)
                statements += QStringLiteral("           MOVE %1 TO %2\n")
                                  .arg(QLatin1String(item.values[r]), QLatin1String(item.target));
            statements += QStringLiteral("           WRITE REC\n");
            continue;
        }
        statements += QStringLiteral("           READ OUT-FILE\n");
        for (const Column &c : layout->columns) {
            const bool number = c.category == Category::Numeric && c.usage != Usage::Float &&
                                c.usage != Usage::Double;
            statements += number ? QStringLiteral("           MOVE %1 TO E%2\n"
                                                  "           DISPLAY FUNCTION TRIM(E%2)\n")
                                       .arg(c.name)
                                       .arg(std::max(c.scale, 0))
                                 : QStringLiteral("           DISPLAY %1\n").arg(c.name);
        }
    }
    QString edited;
    for (int scale = 0; scale < 5; ++scale)
        edited += QStringLiteral("       01 E%1 PIC -(18)9%2.\n")
                      .arg(scale)
                      .arg(scale ? QStringLiteral(".9(%1)").arg(scale) : QString());
    return orvane::testing::programHead("records.dat") +
           QStringLiteral("       FD  OUT-FILE.\n"
                          "       01  REC.\n") +
           data + QStringLiteral("       WORKING-STORAGE SECTION.\n") + edited +
           QStringLiteral("       PROCEDURE DIVISION.\n"
                          "           OPEN %1 OUT-FILE\n")
               .arg(writer ? QStringLiteral("OUTPUT") : QStringLiteral("INPUT")) +
           statements + QStringLiteral("           CLOSE OUT-FILE\n           STOP RUN.\n");
}

} // namespace

TEST(DataRoundTrip, GnuCobolWritesWhatTheViewerReadsAndReadsWhatTheEditorSets)
{
    COBC_OR_SKIP(cobc);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program = programText(true);
    compileAndRun(cobc, dir.path(), program, {QStringLiteral("-std=ibm")});

    const RecordLayout layout =
        orvane::testing::layoutOf(program, Dialect::Ibm, SourceFormat::Auto);
    orvane::testing::OpenedData opened(dir.filePath(QStringLiteral("records.dat")), layout.length);
    ASSERT_EQ(opened.file.size(), 2 * layout.length);
    // -std=ibm: COMP big-endian; COMP-5 and the floats in this machine's order.
    RecordDecoder decoder(layout, {Encoding::Ascii});
    for (int r = 0; r < 2; ++r) {
        QStringList expected;
        for (const Item &item : kItems)
            expected << QString::fromLatin1(item.values[r]).remove(u'\'');
        EXPECT_EQ(orvane::testing::shownValues(
                      decoder, layout, opened.file.data() + r * layout.length, layout.length, u'|'),
                  expected.join(u'|'));
    }

    // Each record given the other's values: the program must DISPLAY exactly the values set.
    RecordEdits &edits = *opened.edits;
    QString set;
    for (int r = 0; r < 2; ++r) {
        for (const Item &item : kItems) {
            const QString value = QString::fromLatin1(item.values[1 - r]).remove(u'\'');
            EXPECT_EQ(SetNamedField(edits, r, layout, {}, item.target, value).toStdString(), "");
            set += value + u'\n';
        }
    }
    ASSERT_TRUE(SaveDataFile(edits, dir.filePath(QStringLiteral("records.dat"))).ok);
    EXPECT_EQ(
        compileAndRun(cobc, dir.path(), programText(false, &layout), {QStringLiteral("-std=ibm")})
            .toStdString(),
        set.toStdString());
}
