#include "project/ProjectFile.h"

#include "../common/FailingDevice.h"
#include "../common/Files.h"
#include "../common/ProjectRecords.h"
#include "../common/TaggedTree.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::testing;

namespace
{

ProjectResult load(FieldTree &tree, const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return LoadNodes(tree, buffer);
}

// The text of record n (1-based) as stored.
QByteArray recordText(const QByteArray &file, int n)
{
    const QByteArray r = file.mid(qsizetype(n - 1) * ProjectRecordSize, ProjectRecordSize);
    const int length = uchar(r[2]) | uchar(r[3]) << 8;
    return r.mid(4, length);
}

QString clauseOfLength(int n)
{
    return "05 F" + QString(n - 5, u'X') + u'.';
}

} // namespace

// Records load as the layout shown ("text[tag]" in pre-order) and save back byte for byte.
TEST(ProjectFile, RecordsLoadAsTheirLayoutAndSaveBackUnchanged)
{
    const struct {
        QByteArray file;
        const char16_t *layout;
    } cases[] = {
        {projectRecords({"5:50|1|01 A.", "1:10|1|01 B.", "2:20|2|05 B1 \xA0PIC X(2).",
                         "3:30|2|05 B2.", "4:40|1|01 C."}),
         u"01 A.[5:50],01 B.[1:10](05 B1 \u00A0PIC X(2).[2:20],05 B2.[3:30]),01 C.[4:40]"},
        // Only the first two separators split: a clause may hold '|'.
        {projectRecords({"1:3|1|05 A \xA0VALUE \"|\".", "7:9|2|", "|1|"}),
         u"05 A \u00A0VALUE \"|\".[1:3]([7:9]),[]"},
        // Windows-1252 bytes for characters beyond Latin-1 too (80, 8A, 9F)
        {projectRecords({"1:5|1|05 CAF\xC9 \xA0PIC X(5) \xA0VALUE \"\xC4\x80\xDF\xA4\".",
                         "6:6|2|88 \x8A\x9F."}),
         u"05 CAF\u00C9 \u00A0PIC X(5) \u00A0VALUE \"\u00C4\u20AC\u00DF\u00A4\".[1:5](88 "
         u"\u0160\u0178.[6:6])"},
        {{}, u""}, // an empty file; a layout cleared, then saved
    };
    for (const auto &c : cases) {
        FieldTree tree;
        ASSERT_TRUE(load(tree, c.file).ok());
        EXPECT_EQ(tagged(tree), QString::fromUtf16(c.layout));
        ProjectResult saved;
        EXPECT_EQ(projectBytes(tree, &saved), c.file);
        EXPECT_TRUE(saved.ok());
    }

    // Saved in tree order, not in the order the fields were added.
    FieldTree added;
    build(added, {{1, "01 B."}, {2, "05 B1."}, {1, "01 C."}});
    added.add(1, Relationship::Previous, "01 A.");
    EXPECT_EQ(projectBytes(added),
              projectRecords({"|1|01 A.", "|1|01 B.", "|2|05 B1.", "|1|01 C."}));
    // A record without separators is all text.
    FieldTree bare;
    ASSERT_TRUE(load(bare, projectRecords({"no separators", "7:9|2"})).ok());
    EXPECT_EQ(tagged(bare), "[no separators]([7:9])");
}

TEST(ProjectFile, DepthsAndRecordLengthsWhenLoading)
{
    const QByteArray a = projectRecord("|1|A");
    const std::pair<QByteArray, QString> cases[] = {
        // climbing back attaches to the first root's level
        {projectRecords({"|1|A", "|2|B", "|3|C", "|1|D"}), "A(B(C)),D"},
        {projectRecords({"|1|A", "|2|B", "|3|C", "|2|D", "|3|E"}), "A(B(C),D(E))"},
        // a jump of several levels counts as one; the depth read is remembered
        {projectRecords({"|1|A", "|3|B", "|3|C"}), "A(B,C)"},
        {projectRecords({"|1|A", "|3|B", "|2|C"}), "A(B),C"},
        // hostile depths: below 1, huge, not a number, fractional
        {projectRecords({"|0|A", "|-5|B", "|99999999999999999999999|C", "|2|D"}), "A,B(C),D"},
        {projectRecords({"|1|A", "|x|B", "||C", "|2.9|D", "|1e400|E"}), "A,B,C(D),E"},
        // a depth far beyond the real one climbs no further than the top level
        {projectRecords({"|1|A", "|2|B", "|1000000000|C", "|999999999|D", "|1|E"}), "A(B(C),D),E"},
        // The last record's text is all there though the padding is missing: it loads.
        {a + projectRecord("|1|B").left(4 + 4), "A,B"},
        // Its text is cut off: loading ends with the record before.
        {a + projectRecord("|1|BCDEF").left(4 + 6), "A"},
        {a + QByteArray("\x08\x00\x05", 3), "A"}, // fewer bytes than a record header
        // A length field beyond the record holds only what the record has room for.
        {projectRecord("|1|" + QByteArray(300, 'Q'), 0xFFFF) + projectRecord("|1|Z"),
         QString(ProjectRecordTextMax - 3, u'Q') + ",Z"},
        // Files written elsewhere may hold anything behind the text.
        {projectRecord("1:5|1|A", -1, '\xFF') + projectRecord("|2|B", -1, ' '), "A(B)"},
    };
    for (const auto &[bytes, expected] : cases) {
        FieldTree tree;
        ASSERT_TRUE(load(tree, bytes).ok());
        EXPECT_EQ(outline(tree), expected) << bytes.size();
    }
}

TEST(ProjectFile, ARecordThatIsNotTextMeansAnotherKindOfFile)
{
    // Two fields, then a record with type code 0 (as a binary file may hold).
    QByteArray other = projectRecord("|1|C");
    other[0] = 0;
    FieldTree a;
    const ProjectResult r =
        load(a, projectRecords({"|1|A", "|2|B"}) + other + projectRecord("|1|D"));
    EXPECT_EQ(r.status, ProjectStatus::NotAProjectFile);
    EXPECT_EQ(r.record, 3);
    EXPECT_EQ(outline(a), "A(B)"); // what came before is left for the caller to drop

    // The high byte counts too, and the record number goes on across read chunks.
    QByteArray many;
    for (int i = 0; i < 1500; ++i)
        many += projectRecord("|1|R");
    many[1499 * ProjectRecordSize + 1] = 1;
    FieldTree b;
    EXPECT_EQ(load(b, many).record, 1500);
    EXPECT_EQ(b.count(), 1499);

    // A COBOL source opened as a project: named in the message, nothing taken as a field.
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("prog.cbl"));
    writeBytes(source, "       IDENTIFICATION DIVISION.\n       PROGRAM-ID. PROG.\n");
    FieldTree c;
    const ProjectResult fromFile = LoadNodes(c, source);
    EXPECT_EQ(fromFile.status, ProjectStatus::NotAProjectFile);
    EXPECT_EQ(fromFile.message, source + " is not a project file: record 1 does not hold a field");
    EXPECT_TRUE(c.isEmpty());
}

// A record of 266 bytes fits and one more does not: "1:2|2|" leaves 260 for the clause, and at
// depth 10 "1:2|10|" leaves 259. What would load back differently is refused too.
TEST(ProjectFile, RefusesWhatWouldNotLoadBackAsSaved)
{
    const QString tooLong = "Field F" + QString(36, u'X') +
                            "... on line %1 of the layout (in %2) "
                            "needs 267 bytes; a project record holds at most 266";
    const struct {
        int depth;
        QString text, tag;
        ProjectStatus status;
        QString message;
    } cases[] = {
        {2, clauseOfLength(260), "1:2", ProjectStatus::Ok, ""},
        {2, clauseOfLength(261), "1:2", ProjectStatus::RecordTooLong, tooLong.arg(2).arg("F1")},
        {10, clauseOfLength(259), "1:2", ProjectStatus::Ok, ""},
        {10, clauseOfLength(260), "1:2", ProjectStatus::RecordTooLong,
         tooLong.arg(10).arg("F1 > ... > F7 > F8 > F9")},
        {2, "01 B.", "1|2", ProjectStatus::TagHasSeparator,
         "Field B on line 2 of the layout (in F1): its position tag \"1|2\" contains '|', which "
         "separates the parts of a record"},
        {1, QString::fromUtf16(u"01 \u0141ODZ."), "1:2", ProjectStatus::NotRepresentable,
         QString::fromUtf16(u"Field \u0141ODZ on line 1 of the layout: the character U+0141 "
                            u"cannot be stored in Windows-1252")},
    };
    for (const auto &c : cases) {
        FieldTree tree; // a chain down to the field, which comes last
        int node = 0;
        for (int depth = 1; depth <= c.depth; ++depth)
            node = tree.add(node, node ? Relationship::Child : Relationship::Last,
                            depth < c.depth ? QStringLiteral("F%1").arg(depth) : c.text);
        tree.setTag(node, c.tag);
        ProjectResult r;
        const QByteArray file = projectBytes(tree, &r);
        EXPECT_EQ(r.status, c.status) << c.depth << ' ' << c.tag.toStdString();
        if (c.status == ProjectStatus::Ok) {
            EXPECT_EQ(recordText(file, c.depth).size(), 266);
            continue;
        }
        EXPECT_EQ(r.record, c.depth);
        EXPECT_EQ(r.node, node);
        EXPECT_EQ(r.message.toStdString(), c.message.toStdString());
        EXPECT_TRUE(file.isEmpty()) << "nothing may be written when a record is refused";
    }
}

TEST(ProjectFile, DeviceFailuresAreReportedAtEveryPoint)
{
    // More records than one write chunk holds, so failures inside and between chunks occur.
    FieldTree tree;
    std::vector<std::pair<int, QString>> nodes;
    for (int i = 0; i < 2500; ++i)
        nodes.push_back({1 + i % 3, QStringLiteral("05 F%1.").arg(i)});
    build(tree, nodes);
    const QByteArray good = projectBytes(tree);
    const qint64 total = good.size();

    for (qint64 limit :
         {qint64(0), qint64(1), qint64(ProjectRecordSize), qint64(1024 * ProjectRecordSize),
          qint64(1024 * ProjectRecordSize + 5), total - 1}) {
        FailingDevice out({}, limit);
        out.open(QIODevice::WriteOnly);
        const ProjectResult w = SaveNodes(tree, out);
        EXPECT_EQ(w.status, ProjectStatus::WriteFailed) << limit;
        EXPECT_FALSE(w.message.isEmpty());

        FailingDevice in(good, limit);
        in.open(QIODevice::ReadOnly);
        FieldTree partial;
        const ProjectResult rd = LoadNodes(partial, in);
        EXPECT_EQ(rd.status, ProjectStatus::ReadFailed) << limit;
        // Only records read before the failure; the last may lack its padding.
        EXPECT_LE(qint64(partial.count()), limit / ProjectRecordSize + 1);
    }
    FailingDevice exact({}, total);
    exact.open(QIODevice::WriteOnly);
    EXPECT_TRUE(SaveNodes(tree, exact).ok());
    EXPECT_EQ(exact.written, good);

    // A device that hands out a few bytes per read, as a pipe does, still gives every record.
    FailingDevice trickle(good, total + 1, 7);
    trickle.open(QIODevice::ReadOnly);
    FieldTree whole;
    EXPECT_TRUE(LoadNodes(whole, trickle).ok());
    EXPECT_EQ(projectBytes(whole), good);

    // A device that is not open for writing fails cleanly too.
    QBuffer closed;
    EXPECT_EQ(SaveNodes(tree, closed).status, ProjectStatus::WriteFailed);
}

TEST(ProjectFile, FileNameOverloadKeepsTheOldFileOnFailure)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("cust.qel");
    const QByteArray old = projectRecords({"1:1|1|01 OLD."});
    writeBytes(path, old);

    FieldTree tooLong;
    tooLong.add(0, Relationship::Last, clauseOfLength(300));
    EXPECT_EQ(SaveNodes(tooLong, path).status, ProjectStatus::RecordTooLong);
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"cust.qel"})
        << "no temporary file may be left behind";

    FieldTree good;
    good.add(0, Relationship::Last, "01 NEW.");
    EXPECT_EQ(SaveNodes(good, dir.filePath("missing/x.qel")).status, ProjectStatus::OpenFailed);
    ASSERT_TRUE(SaveNodes(good, path).ok());
    EXPECT_EQ(readBytes(path), projectRecord("|1|01 NEW."));

    // An old file whose temporary neighbour cannot be made (its name would be too long).
    const QString longName = dir.filePath(QString(248, u'L') + ".qel");
    writeBytes(longName, "old bytes");
    EXPECT_FALSE(SaveNodes(good, longName).ok());
    EXPECT_EQ(readBytes(longName), "old bytes");

    // Saving through a link writes its target and keeps the link.
    const QString target = dir.filePath("real.qel");
    const QString link = dir.filePath("link.qel");
    writeBytes(target, "old");
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(SaveNodes(good, link).ok());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readBytes(target), readBytes(path));

    // Loading adds the records behind the layout already there.
    FieldTree loaded;
    loaded.add(0, Relationship::Last, "X");
    ASSERT_TRUE(LoadNodes(loaded, path).ok());
    EXPECT_EQ(outline(loaded), "X,01 NEW.");
    const ProjectResult missing = LoadNodes(loaded, dir.filePath("none.qel"));
    EXPECT_EQ(missing.status, ProjectStatus::OpenFailed);
    EXPECT_EQ(missing.record, 0);
    EXPECT_TRUE(missing.message.startsWith("Cannot open ")) << missing.message.toStdString();
}

TEST(ProjectFile, HundredThousandLevelsDeepLoadAndSave)
{
    const int n = 100000;
    FieldTree tree;
    std::vector<std::pair<int, QString>> nodes;
    nodes.reserve(n);
    for (int i = 1; i <= n; ++i)
        nodes.push_back({i, QStringLiteral("05 F%1.").arg(i)});
    build(tree, nodes);
    const QByteArray file = projectBytes(tree);
    ASSERT_EQ(file.size(), qsizetype(n) * ProjectRecordSize);
    EXPECT_EQ(recordText(file, n), "|100000|05 F100000.");

    FieldTree back;
    ASSERT_TRUE(load(back, file).ok());
    EXPECT_EQ(projectBytes(back), file); // depths and texts as written

    // Climbing all the way back from the bottom in one step.
    FieldTree climbed;
    ASSERT_TRUE(load(climbed, file + projectRecord("|1|TOP")).ok());
    EXPECT_EQ(climbed.topLevelCount(), 2);
}

TEST(ProjectFile, FileRoutines)
{
    EXPECT_EQ(PathPart("C:\\data\\cust.qel", PathFolder), "C:\\data\\");
    EXPECT_EQ(PathPart("/home/u\\x/cust.qel", PathFileName), "cust.qel");
    EXPECT_EQ(PathPart("/home/u/", PathFileName), "");
    EXPECT_EQ(PathPart("cust.qel", PathFolder), "");
    EXPECT_EQ(PathPart("cust.qel", PathFileName), "cust.qel");
    EXPECT_EQ(PathPart("cust.qel", 1), "");

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("cust.qel");
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(FileExists(""));
    writeBytes(path, "x");
    EXPECT_TRUE(FileExists(path));
    EXPECT_TRUE(FileExists(dir.path())); // a folder is an entry too
    EXPECT_TRUE(FileExists(dir.filePath("*.qel")));
    EXPECT_TRUE(FileExists(dir.filePath("cu?t.qel")));
    EXPECT_FALSE(FileExists(dir.filePath("*.cbl")));

    QFile::setPermissions(path, QFileDevice::ReadOwner);
    EXPECT_TRUE(RemoveFile(path));
    EXPECT_FALSE(FileExists(path));
    EXPECT_TRUE(RemoveFile(path)); // nothing there: already removed

    // A link whose target is gone is still something at the path, and removing takes it.
    const QString dangling = dir.filePath("dangling.qel");
    ASSERT_TRUE(QFile::link(dir.filePath("gone.qel"), dangling));
    EXPECT_TRUE(FileExists(dangling));
    EXPECT_TRUE(RemoveFile(dangling));
    EXPECT_FALSE(QFileInfo(dangling).isSymLink());
}

TEST(ProjectFile, ASaveFailureNamesWhatTheUserCanMend)
{
    const QString tooLong = QStringLiteral("Unsuccessful Save. Posible cause may be that the "
                                           "length of a field is greater than the maximum "
                                           "allowed length (255)");
    // Every other failure, writing and committing as well as opening, blames the disk.
    const std::pair<ProjectStatus, QString> cases[] = {
        {ProjectStatus::RecordTooLong, tooLong},
        {ProjectStatus::TagHasSeparator, "own words"},
        {ProjectStatus::NotRepresentable, "own words"},
        {ProjectStatus::OpenFailed, "The disk may be write protected"},
    };
    for (const auto &[status, text] : cases)
        EXPECT_EQ(SaveFailureText({status, 1, 1, "own words"}), text) << int(status);
}
