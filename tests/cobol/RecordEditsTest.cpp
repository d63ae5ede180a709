// Edited records are saved with every byte that was not edited as it was, in one replacement
// of the file, which a kill or a cancel half-way leaves untouched.

#include "CobolTestSupport.h"
#include "cobol/DataFile.h"
#include "cobol/DataSave.h"
#include "cobol/RecordFields.h"

#include "../common/Files.h"

#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvane;
using namespace orvane::cobol;
using orvane::testing::mapOf;
using orvane::testing::readBytes;
using orvane::testing::writeBytes;

namespace
{

RecordLayout layoutOf(const char *copybook)
{
    RecordLayout layout;
    QString error;
    EXPECT_TRUE(BuildRecordLayout(mapOf(QString::fromLatin1(copybook)), {}, layout, error));
    return layout;
}

// The file mapped, framed and ready to edit.
struct Opened {
    DataFile file;
    std::unique_ptr<FixedFraming> framing;
    std::unique_ptr<RecordEdits> edits;

    Opened(const QString &path, qint64 recordLength)
    {
        QString error;
        EXPECT_TRUE(file.open(path, error)) << error.toStdString();
        const FileShape shape = ShapeOf(file.data(), file.size(), recordLength, LineEnds::Auto);
        framing =
            std::make_unique<FixedFraming>(recordLength, shape.lineEnd, shape.records, file.size());
        edits = std::make_unique<RecordEdits>(*framing, file.data(), file.size());
    }
};

template <size_t N> QByteArray B(const char (&s)[N])
{
    return QByteArray(s, N - 1);
}

// Applies "sI=F=V" (set field F of record I to V), "iI" (insert a blank record before I), "dI"
// (delete records I,J,...), "u" (undo), "r" (redo); records counted from 0.
void apply(RecordEdits &edits, const RecordLayout &layout, const QString &script)
{
    const DecodeOptions o;
    for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
        const qint64 i = step.mid(1).section(u'=', 0, 0).toLongLong();
        if (step[0] == u's') {
            EXPECT_EQ(
                SetNamedField(edits, i, layout, o, step.section(u'=', 1, 1), step.section(u'=', 2))
                    .toStdString(),
                "");
        } else if (step[0] == u'i') {
            edits.insert(i, BlankRecord(layout, o));
        } else if (step[0] == u'd') {
            std::vector<qint64> rows;
            for (const QString &row : step.mid(1).split(u','))
                rows.push_back(row.toLongLong());
            edits.remove(rows);
        } else {
            step[0] == u'u' ? edits.undo() : edits.redo();
        }
    }
}

TEST(RecordEdits, SavingChangesOnlyTheEditedBytes)
{
    const RecordLayout layout = layoutOf("01 R.\n 05 K PIC X(2).\n 05 N PIC S9(3) COMP-3.\n");
    struct Row {
        QByteArray file; // records of 4 bytes: K and a packed N
        const char *edits;
        QByteArray saved;
    };
    const Row rows[] = {
        {B("AA\x00\x1c\nBB\x00\x2c\nCC\x00\x3c\n"), "s1=K=XY",
         B("AA\x00\x1c\nXY\x00\x2c\nCC\x00\x3c\n")},
        {B("AA\x00\x1c\r\nBB\x00\x2c\r\n"), "s0=N=-5 s1=K=Q", B("AA\x00\x5d\r\nQ \x00\x2c\r\n")},
        // The missing last line end stays missing, and comes back when a record follows.
        {B("AA\x00\x1c\nBB\x00\x2c"), "s1=K=Z", B("AA\x00\x1c\nZ \x00\x2c")},
        {B("AA\x00\x1c\nBB\x00\x2c"), "i2", B("AA\x00\x1c\nBB\x00\x2c\n  \x00\x0c")},
        {B("AA\x00\x1c\nBB\x00\x2c"), "d0", B("BB\x00\x2c")},
        {B("AAAA\nBBBB\nCCCC\nDDDD\nEEEE\n"), "d3,0,1", B("CCCC\nEEEE\n")},
        {B("AAAA\nBBBB\nCCCC\n"), "d2,0 u", B("AAAA\nBBBB\nCCCC\n")},
        // Bytes after the last whole record stay at the end.
        {B("AA\x00\x1c"
           "BB\x00\x2c"
           "CC\x00\x3cxy"),
         "i1 d3 s0=K=0",
         B("0 \x00\x1c  \x00\x0c"
           "BB\x00\x2cxy")},
        {B("AA\x00\x1c"
           "BB\x00\x2c"
           "CC\x00\x3c"),
         "d1 u s2=K=Z u r",
         B("AA\x00\x1c"
           "BB\x00\x2cZ \x00\x3c")},
        // Setting a value the field already holds changes nothing.
        {B("AA\x00\x1c"), "s0=K=AA", B("AA\x00\x1c")},
        // A value already in the file that does not decode is overwritten.
        {B("AA\xff\xff"), "s0=N=7", B("AA\x00\x7c")},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("data.dat");
    for (const Row &row : rows) {
        SCOPED_TRACE(row.edits);
        writeBytes(path, row.file);
        Opened opened(path, 4);
        apply(*opened.edits, layout, QString::fromLatin1(row.edits));
        EXPECT_EQ(SavedSize(*opened.edits), row.saved.size());
        const SaveResult saved = SaveDataFile(*opened.edits, path);
        ASSERT_TRUE(saved.ok) << saved.message.toStdString();
        EXPECT_EQ(readBytes(path).toHex(' ').toStdString(), row.saved.toHex(' ').toStdString());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"data.dat"});
}

TEST(RecordEdits, UndoMarksAndModifiedFollowTheEdits)
{
    const RecordLayout layout = layoutOf("01 R.\n 05 K PIC X(2).\n 05 N PIC S9(3) COMP-3.\n");
    QTemporaryDir dir;
    const QString path = dir.filePath("data.dat");
    writeBytes(path, B("AA\x00\x1c"
                       "BB\x00\x2c"));
    Opened opened(path, 4);
    RecordEdits &edits = *opened.edits;
    apply(edits, layout, "s1=N=9 s1=K=X");
    EXPECT_TRUE(edits.modified());
    EXPECT_EQ(edits.editedColumns(1), (std::vector<int>{1, 0}));
    EXPECT_EQ(edits.original(0), 0);
    EXPECT_EQ(edits.original(1), -1);
    apply(edits, layout, "u");
    EXPECT_EQ(edits.editedColumns(1), (std::vector<int>{1}));
    apply(edits, layout, "u");
    EXPECT_FALSE(edits.modified());
    EXPECT_FALSE(edits.canUndo());
    EXPECT_TRUE(edits.editedColumns(1).empty());
    apply(edits, layout, "r i0");
    EXPECT_FALSE(edits.canRedo()) << "a new edit drops what could be redone";
    EXPECT_EQ(edits.count(), 3);
    EXPECT_EQ(RecordValues(edits, 2, layout, {}).join(u'|'), "BB|9");
}

// A save killed half-way leaves the old file whole; one let run leaves the new one whole.
TEST(RecordEdits, KilledSaveLeavesTheOldFile)
{
    const RecordLayout layout = layoutOf("01 R.\n 05 K PIC X(4).\n");
    QTemporaryDir dir;
    const QString path = dir.filePath("big.dat");
    QByteArray old;
    for (int i = 0; i < 1 << 20; ++i)
        old += QByteArray::number(i % 10000).rightJustified(4, '0');
    writeBytes(path, old);
    for (const bool kill : {true, false}) {
        SCOPED_TRACE(kill ? "killed" : "finished");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            Opened opened(path, 4);
            apply(*opened.edits, layout, "s0=K=NEW d5");
            SaveDataFile(*opened.edits, path, [&](qint64 written, qint64 total) {
                if (kill && written > total / 2)
                    raise(SIGKILL);
                return true;
            });
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_EQ(kill, WIFSIGNALED(status));
        const QByteArray now = readBytes(path);
        if (kill) {
            EXPECT_TRUE(now == old);
        } else {
            EXPECT_TRUE(now == "NEW " + old.mid(4, 16) + old.mid(24));
        }
    }
}

TEST(RecordEdits, CancelledOrFailedSaveKeepsTheOldFile)
{
    const RecordLayout layout = layoutOf("01 R.\n 05 K PIC X(4).\n");
    QTemporaryDir dir;
    const QString path = dir.filePath("data.dat");
    const QByteArray old(4 << 20, 'A');
    writeBytes(path, old);
    Opened opened(path, 4);
    apply(*opened.edits, layout, "s0=K=B");
    qint64 calls = 0;
    const SaveResult cancelled =
        SaveDataFile(*opened.edits, path, [&](qint64, qint64) { return ++calls < 2; });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_FALSE(cancelled.ok);
    EXPECT_TRUE(readBytes(path) == old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"data.dat"});

    QFile::setPermissions(path, QFileDevice::ReadOwner);
    const SaveResult readOnly = SaveDataFile(*opened.edits, path);
    EXPECT_EQ(readOnly.message.toStdString(),
              "Cannot write " + path.toStdString() + ": the file is read only");
    EXPECT_TRUE(readBytes(path) == old);
}

} // namespace

namespace
{

TEST(RecordFields, NewRecordTakesTheValueClauses)
{
    const ReadResult read = ReadDataDescriptions(QStringLiteral("01 R.\n"
                                                                " 05 A PIC X(3) VALUE 'A''B'.\n"
                                                                " 05 B PIC S9(3)V9 VALUE -1.5.\n"
                                                                " 05 C PIC 9(2) VALUE ZERO.\n"
                                                                " 05 D PIC X(2) VALUE SPACES.\n"
                                                                " 05 E PIC X(2) VALUE ALL '*'.\n"
                                                                " 05 F PIC 9(2) COMP-3.\n"
                                                                " 05 G PIC X(3) VALUE \"Q\".\n"
                                                                " 05 H PIC 9(2) VALUE 123.\n"
                                                                " 05 I PIC X(2).\n"),
                                                 {SourceFormat::Free, {}, {}});
    ASSERT_TRUE(read.ok());
    FieldTree tree;
    ImportEntries(tree, read);
    const StorageMap map = BuildStorageMap(tree, Dialect::Default);
    RecordLayout layout;
    QString error;
    ASSERT_TRUE(BuildRecordLayout(map, {}, layout, error));
    EXPECT_EQ(InitialRecord(tree, map, layout, {}).toHex(' ').toStdString(), B("A'B"
                                                                               "001u"
                                                                               "00"
                                                                               "  "
                                                                               "  "
                                                                               "\x00\x0f"
                                                                               "Q  "
                                                                               "00"
                                                                               "  ")
                                                                                 .toHex(' ')
                                                                                 .toStdString());
}

} // namespace
