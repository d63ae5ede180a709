// Edits save every byte not edited as it was, in one replacement of the file that a kill or a
// cancel leaves untouched; and GnuCOBOL reads back exactly what the editor set, and the viewer
// what the program wrote, in every usage.

#include "CobolTestSupport.h"
#include "cobol/DataFile.h"
#include "cobol/DataSave.h"
#include "cobol/RecordFields.h"

#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvane;
using namespace orvane::cobol;
using orvane::testing::compileAndRun;
using orvane::testing::layoutOf;
using orvane::testing::readBytes;
using orvane::testing::writeBytes;

namespace
{

// A data file mapped, framed and ready to edit.
struct Opened {
    DataFile file;
    Framing framing;
    std::unique_ptr<FrameWriter> writer;
    std::unique_ptr<RecordEdits> edits;

    Opened(const QString &path, qint64 recordLength, RecordFormat format = RecordFormat::Fixed)
    {
        QString error;
        EXPECT_TRUE(file.open(path, error)) << error.toStdString();
        FramingOptions options;
        options.format = format;
        options.recordLength = recordLength;
        framing = FrameRecords(file.data(), file.size(), options);
        writer = std::make_unique<FrameWriter>(framing, file.data(), file.size());
        edits = std::make_unique<RecordEdits>(*writer, file.data(), file.size());
    }
};

// Applies "sI=F=V" (set field F of record I to V), "iI" (insert a new record before I, as
// Insert makes it), "dI" (delete records I,J,...), "u" (undo), "r" (redo); records counted
// from 0. The refusal of a field set, which ends the script.
QString apply(RecordEdits &edits, const RecordLayout &layout, const QString &script,
              bool variable = false)
{
    const DecodeOptions o;
    for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
        const qint64 i = step.mid(1).section(u'=', 0, 0).toLongLong();
        if (step[0] == u's') {
            const QString refusal =
                SetNamedField(edits, i, layout, o, step.section(u'=', 1, 1), step.section(u'=', 2));
            if (!refusal.isEmpty())
                return refusal;
        } else if (step[0] == u'i') {
            edits.insert(i, RecordToInsert({}, layout, o, layout.length, variable));
        } else if (step[0] == u'd') {
            std::vector<qint64> rows;
            for (const QString &row : step.mid(1).split(u','))
                rows.push_back(row.toLongLong());
            edits.remove(rows);
        } else {
            step[0] == u'u' ? edits.undo() : edits.redo();
        }
    }
    return {};
}

constexpr auto word = &orvane::testing::descriptorWord;

// Fixed, RDW, VB and line records keep every byte but the fields set; a new DEPENDING ON count
// moves what follows its table and the record's length (its word), or keeps a fixed record's
// length.
TEST(RecordEdits, SavingChangesOnlyTheEditedBytes)
{
    const RecordLayout kn = layoutOf("01 R.\n 05 K PIC X(2).\n 05 N PIC S9(2).\n");
    const RecordLayout layout =
        layoutOf("01 R.\n 05 N PIC 9.\n 05 T OCCURS 1 TO 3 DEPENDING ON N.\n 10 TA PIC X.\n"
                 " 10 TB PIC 9.\n"
                 " 05 E PIC X(3).\n");
    const QByteArray rdw = word(12) + "2AABBxyz" + word(10) + "1CCuvw";
    const QByteArray block2 = word(14) + word(10) + "1DDpqr";
    const QByteArray vb = word(26) + rdw + block2;
    constexpr auto F = RecordFormat::Fixed, R = RecordFormat::Rdw, V = RecordFormat::Vb,
                   L = RecordFormat::Lines;
    const struct {
        const RecordLayout &layout;
        RecordFormat format;
        QByteArray file;
        const char *edits;
        QByteArray saved; // or the refusal of an edit
    } rows[] = {
        {kn, F, "AA01\nBB02\nCC03\n", "s1=K=XY", "AA01\nXY02\nCC03\n"},
        {kn, F, "AA01\r\nBB02\r\n", "s0=N=-5 s1=K=Q", "AA0u\r\nQ 02\r\n"},
        // The missing last line end stays missing, and comes back when a record follows.
        {kn, F, "AA01\nBB02", "s1=K=Z", "AA01\nZ 02"},
        {kn, F, "AA01\nBB02", "i2", "AA01\nBB02\n  00"},
        {kn, F, "AA01\nBB02", "d0", "BB02"},
        {kn, F, "AAAA\nBBBB\nCCCC\nDDDD\nEEEE\n", "d3,0,1", "CCCC\nEEEE\n"},
        // Bytes after the last whole record stay at the end.
        {kn, F, "AA01BB02CC03xy", "i1 d3 s0=K=0", "0 01  00BB02xy"},
        {kn, F, "AA01BB02CC03", "d1 u s2=K=Z u r", "AA01BB02Z 03"},
        // Setting a value the field already holds changes nothing; a bad one is overwritten.
        {kn, F, "AA01", "s0=K=AA", "AA01"},
        {kn, F, "AAXX", "s0=N=7", "AA07"},
        {layout, R, rdw, "s0=E=XYZ", word(12) + "2AABBXYZ" + word(10) + "1CCuvw"},
        {layout, R, rdw, "s0=N=3", word(14) + "3AABB 0xyz" + word(10) + "1CCuvw"},
        {layout, R, rdw, "s0=N=1 s1=N=2", word(10) + "1AAxyz" + word(12) + "2CC 0uvw"},
        {layout, R, rdw, "d0 s0=E=e", word(10) + "1CCe  "},
        {layout, R, rdw, "i2 s2=E=e", rdw + word(8) + "0e  "}, // cut to its count
        // Lengths that leave the word out stay so.
        {layout, R, word(8) + "2AABBxyz" + word(6) + "1CCuvw", "s1=N=3",
         word(8) + "2AABBxyz" + word(10) + "3CC 0 0uvw"},
        // Blocks: an unchanged one is copied, a changed one written anew within the longest.
        {layout, V, vb, "s0=E=XYZ",
         word(26) + word(12) + "2AABBXYZ" + word(10) + "1CCuvw" + block2},
        {layout, V, vb, "s2=N=2", word(26) + rdw + word(16) + word(12) + "2DD 0pqr"},
        {layout, V, vb, "s0=N=3",
         word(18) + word(14) + "3AABB 0xyz" + word(14) + word(10) + "1CCuvw" + block2},
        {layout, V, word(26) + rdw + word(24) + word(10) + "1DDpqr" + word(10) + "1EEstu", "s2=E=e",
         word(26) + rdw + word(24) + word(10) + "1DDe  " + word(10) + "1EEstu"},
        {layout, V, vb, "d1 s0=E=e", word(26) + word(12) + "2AABBe  " + word(10) + "1DDpqr"},
        // Lines keep their own ends; a short one grows by what the field needs.
        {layout, L, "2AABBxyz\n1CCuvw", "s1=E=e", "2AABBxyz\n1CCe  "},
        {layout, L, "2AABBxyz\r\n1CCuvw\r\n", "s0=N=1", "1AAxyz\r\n1CCuvw\r\n"},
        {layout, L, "2AABBxyz\n1CC", "i2 s1=E=e", "2AABBxyz\n1CCe  \n0 0 0 0   "},
        {layout, F, "2AABBxyz  ", "s0=N=3", "3AABB 0xyz"},
        {layout, F, "2AABBxyz  ", "s0=N=1", "1AAxyz    "},
        {layout, R, rdw, "s1=N=4", "N counts the entries of a table of 3: 4 cannot be taken"},
        {layout, R, rdw, "s1=TA(2)=Q",
         "TA(2) is not in record 2: another variant or a lower count leaves it out"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("data.dat");
    for (const auto &row : rows) {
        SCOPED_TRACE(row.edits);
        writeBytes(path, row.file);
        Opened opened(path, row.layout.length, row.format);
        const QString refusal = apply(*opened.edits, row.layout, QString::fromLatin1(row.edits),
                                      row.format == R || row.format == V);
        if (!refusal.isEmpty()) {
            EXPECT_EQ(refusal.toStdString(), row.saved.toStdString());
            continue;
        }
        const SaveResult saved = SaveDataFile(*opened.edits, path);
        ASSERT_TRUE(saved.ok) << saved.message.toStdString();
        EXPECT_EQ(readBytes(path).toHex().toStdString(), row.saved.toHex().toStdString());
    }
    // A record its 2-byte word cannot count is refused.
    const RecordLayout big =
        layoutOf("01 R.\n 05 N PIC 9(5).\n 05 T PIC X OCCURS 1 TO 70000 DEPENDING ON N.\n");
    writeBytes(path, word(10) + "00001A");
    Opened opened(path, 10, RecordFormat::Rdw);
    EXPECT_EQ(SetNamedField(*opened.edits, 0, big, {}, "N", "65527").toStdString(),
              "65532 bytes are more than a record's descriptor word can give: at most 65531");
    EXPECT_EQ(SetNamedField(*opened.edits, 0, big, {}, "N", "65526").toStdString(), "");
}

// A save killed or cancelled half-way leaves the old file whole (and a cancel leaves no
// temporary file); one let run leaves the new one whole.
TEST(RecordEdits, KilledOrCancelledSaveLeavesTheOldFile)
{
    const RecordLayout layout = layoutOf("01 R.\n 05 K PIC X(4).\n");
    QTemporaryDir dir;
    const QString path = dir.filePath("big.dat");
    QByteArray old;
    for (int i = 0; i < 1 << 20; ++i)
        old += QByteArray::number(i % 10000).rightJustified(4, '0');
    writeBytes(path, old);
    for (const char *stop : {"cancel", "kill", "none"}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            Opened opened(path, 4);
            apply(*opened.edits, layout, "s0=K=NEW d5");
            const SaveResult r = SaveDataFile(*opened.edits, path, [&](qint64 done, qint64 all) {
                if (done > all / 2 && *stop == 'k')
                    raise(SIGKILL);
                return done <= all / 2 || *stop != 'c';
            });
            _exit(r.cancelled ? 3 : 0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_EQ(WIFSIGNALED(status) || WEXITSTATUS(status) == 3, *stop != 'n');
        EXPECT_TRUE(*stop != 'c' ||
                    QDir(dir.path()).entryList(QDir::Files) == QStringList{"big.dat"});
        EXPECT_TRUE(readBytes(path) ==
                    (*stop == 'n' ? "NEW " + old.mid(4, 16) + old.mid(24) : old));
    }
}

// Replacing it would quietly lift the protection.
TEST(RecordEdits, ReadOnlyFileIsNotReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("data.dat");
    writeBytes(path, "AA01");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    Opened opened(path, 4);
    EXPECT_EQ(SaveDataFile(*opened.edits, path).message,
              "Cannot write " + path + ": the file is read only");
}

TEST(RecordFields, NewRecordTakesTheValueClauses)
{
    FieldTree tree;
    const StorageMap map = orvane::testing::mapOf(QStringLiteral("01 R.\n"
                                                                 " 05 A PIC X(3) VALUE 'A''B'.\n"
                                                                 " 05 B PIC S9(3)V9 VALUE -1.5.\n"
                                                                 " 05 C PIC 9(2) VALUE ZERO.\n"
                                                                 " 05 D PIC X(2) VALUE SPACES.\n"
                                                                 " 05 E PIC X(2) VALUE ALL '*'.\n"
                                                                 " 05 G PIC X(3) VALUE \"Q\".\n"
                                                                 " 05 H PIC 9(2) VALUE 123.\n"),
                                                  Dialect::Default, SourceFormat::Free, &tree);
    EXPECT_EQ(InitialRecord(tree, map, layoutOf(map), {}).toStdString(), "A'B001u00    Q  00");
}

} // namespace

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
    Opened opened(dir.filePath(QStringLiteral("records.dat")), layout.length);
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
