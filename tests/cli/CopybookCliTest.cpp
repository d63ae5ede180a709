#include "RunCli.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace orvane::testing;

namespace
{

class CopybookCli : public CliFolder
{
protected:
    const QString copybook = write("rec.cpy", "      * a record with a binary counter\n"
                                              "       01  REC.\n"
                                              "           05  CODE      PIC X.\n"
                                              "           05  CNT       PIC S9(4) COMP SYNC.\n"
                                              "           05  AMT       PIC S9(5)V99 COMP-3.\n"
                                              "               88  NO-AMT VALUE ZERO.\n"
                                              "           05  NAME      PIC X(20).\n"
                                              "       77  COUNTER   PIC 9(4) COMP.\n");
};

} // namespace

TEST_F(CopybookCli, ImportWritesAProjectNextToTheCopybook)
{
    const QString project = path("rec.qel");
    const QByteArray summary = "7 fields imported.\n1 comment line(s) left out: a layout holds "
                               "no comments.\nWrote ";
    EXPECT_EQ(runCli({"import-copybook", copybook}),
              (Outcome{0, summary + project.toUtf8() + "\n", {}}));
    // What the entries become is the reader's own test; the project maps as the copybook does.
    EXPECT_EQ(runCli({"map", project}), runCli({"map", copybook}));

    // A second import does not overwrite the project it made; -o names another one.
    const QByteArray before = readBytes(project);
    EXPECT_EQ(runCli({"import-copybook", copybook}),
              (Outcome{1, {}, project.toUtf8() + " exists already; name the project with -o\n"}));
    EXPECT_EQ(readBytes(project), before);
    EXPECT_EQ(runCli({"import-copybook", copybook, "-o", path("other.qel")}).status, 0);
    EXPECT_EQ(readBytes(path("other.qel")), before);
}

TEST_F(CopybookCli, MapListsItemsSlackBytesAndRecordLengths)
{
    const Outcome table = runCli({"map", copybook});
    ASSERT_EQ(table.status, 0) << table.err.toStdString();
    EXPECT_EQ(table.out, "LVL NAME            OFFSET      END   LENGTH USAGE    OCCURS  PICTURE\n"
                         "01  REC                  1       28       28 GROUP\n"
                         "05  CODE                 1        1        1 DISPLAY          X\n"
                         "    (slack bytes)        2        2        1\n"
                         "05  CNT                  3        4        2 BINARY           S9(4)\n"
                         "05  AMT                  5        8        4 COMP-3           S9(5)V99\n"
                         "05  NAME                 9       28       20 DISPLAY          X(20)\n"
                         "Record REC: 28 bytes (default)\n\n"
                         "LVL NAME      OFFSET      END   LENGTH USAGE    OCCURS  PICTURE\n"
                         "77  COUNTER        1        2        2 BINARY           9(4)\n"
                         "Record COUNTER: 2 bytes (default)\n\n");

    const Outcome csv = runCli({"map", copybook, "--format", "csv", "--dialect", "mf"});
    ASSERT_EQ(csv.status, 0);
    EXPECT_TRUE(csv.out.startsWith("record,level,name,offset,length,end,usage,picture,occurs\n"
                                   "REC,01,REC,1,28,28,GROUP,,\n"))
        << csv.out.toStdString();
    EXPECT_TRUE(csv.out.contains("REC,,(slack bytes),2,1,2,,,\n"));

    const Outcome json = runCli({"map", copybook, "--format", "json"});
    ASSERT_EQ(json.status, 0);
    const QJsonObject root = QJsonDocument::fromJson(json.out).object();
    EXPECT_EQ(root["dialect"].toString(), "default");
    ASSERT_EQ(root["records"].toArray().size(), 2);
    const QJsonObject rec = root["records"].toArray()[0].toObject();
    EXPECT_EQ(rec["length"].toInt(), 28);
    EXPECT_EQ(rec["items"].toArray().size(), 6);
    EXPECT_EQ(rec["items"].toArray()[4].toObject()["usage"].toString(), "COMP-3");
}

// The 77 is no record and is not checked.
TEST_F(CopybookCli, RecordLengthNamesTheFieldThatCrossesIt)
{
    const QList<std::pair<const char *, QByteArray>> cases = {
        {"28", "Record REC: 28 bytes, as expected\n"},
        {"30", "Record REC: 28 bytes, 2 short of 30\n"},
        {"10", "Record REC: 28 bytes, 18 more than 10: NAME (bytes 9-28) crosses byte 10\n"},
        {"8", "Record REC: 28 bytes, 20 more than 8: NAME (bytes 9-28) lies beyond byte 8\n"},
    };
    for (const auto &[length, line] : cases) {
        const Outcome o = runCli({"map", copybook, "--record-length", length});
        EXPECT_EQ(o.status, QByteArray(length) == "28" ? 0 : 1) << length;
        EXPECT_TRUE(o.out.endsWith(line)) << o.out.toStdString();
    }
}

// Refusals say one line with status 1 and write no project. Why a copybook is no data
// description, or a line is wrong, is the reader's; here each way it reaches the command line.
TEST_F(CopybookCli, RefusalsNameTheFileAndWriteNothing)
{
    const QString bad = write("bad.cpy", "       01  REC.\n           05  A PIC X(3.\n");
    const QString missing =
        write("miss.cpy", "       01  REC.\n           COPY NOSUCH.\n           05  A PIC X.\n");
    const QString binary = write("data.bin", QByteArray("\x00\x01REC\xff\x00", 7));
    const QString constants = write("constants.cpy", "       78  MAX-ROWS VALUE 10.\n");
    const QString longOne = ORVANE_SOURCE_DIR "/tests/data/corpus/long-88-values.cpy";
    const QString project = path("out.qel");
    const QString folder = dir.path();
    const std::pair<QStringList, QString> cases[] = {
        {{"import-copybook", bad, "-o", project},
         "Cannot import " + bad +
             ": bad.cpy:2:22: PICTURE X(3: a repeat count must be a number from 1 in parentheses"},
        // A member not found: map refuses, as the compiler does; an import notes it (below).
        {{"map", missing},
         "Cannot import " + missing + ": miss.cpy:2:12: COPY NOSUCH was not found"},
        {{"map", folder}, "Cannot import " + folder + ": " + folder + ": it is a folder"},
        {{"import-copybook", binary, "-o", project},
         binary + " is not a COBOL data description: it holds NUL bytes"},
        {{"map", constants}, constants + " holds no record with storage"},
        // An entry too long for a project record maps whole (below); only a project refuses it.
        {{"import-copybook", longOne, "-o", project},
         "Cannot write " + project +
             ": too long for a project record (255 characters): VALID-STATE (line 3, 373 "
             "characters)"},
    };
    for (const auto &[args, err] : cases)
        EXPECT_EQ(runCli(args), (Outcome{1, {}, err.toUtf8() + '\n'}))
            << args.join(' ').toStdString();
    EXPECT_FALSE(QFileInfo::exists(project));
    EXPECT_EQ(runCli({"import-copybook", missing, "-o", project}).status, 0);
    const Outcome map = runCli({"map", longOne});
    EXPECT_EQ(map.status, 0) << map.err.toStdString();
    EXPECT_TRUE(map.out.contains("Record STATE-REC: 22 bytes")) << map.out.toStdString();
}
