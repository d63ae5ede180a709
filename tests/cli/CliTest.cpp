#include "Cli.h"

#include "../common/Files.h"
#include "RunCli.h"

#include "codegen/CodeGenerator.h"
#include "codegen/WorkingStorage.h"
#include "model/Cp1252.h"
#include "model/FieldTree.h"
#include "project/ProjectFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace orvane;
using orvane::testing::Outcome;
using orvane::testing::readBytes;
using orvane::testing::runCli;
using orvane::testing::writeBytes;

namespace
{

const QString kSource = QStringLiteral(ORVANE_SOURCE_DIR);

class CliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // 01 CUSTOMER / 05 CAFÉ-NAME with a picture and value, 05 CODE
        const int rec = tree.add(0, Relationship::Last, "01 CUSTOMER.");
        tree.setTag(rec, "1:12");
        const int name = tree.add(rec, Relationship::Child,
                                  QString::fromUtf16(u"05 CAF\u00C9-NAME \u00A0PIC X(10) "
                                                     u"\u00A0VALUE SPACES."));
        tree.setTag(name, "1:10");
        tree.setTag(
            tree.add(rec, Relationship::Child, QString::fromUtf16(u"05 CODE \u00A0PIC 9(2).")),
            "11:12");
        project = dir.filePath("cust.qel");
        ASSERT_TRUE(SaveNodes(tree, project).ok());
    }

    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    FieldTree tree;
    QString project;
};

} // namespace

TEST_F(CliTest, HelpVersionAndUsageErrors)
{
    Outcome v = runCli({"--version"});
    EXPECT_EQ(v.status, 0);
    EXPECT_EQ(v.out, "orvane-cli " ORVANE_VERSION "\n");

    for (const char *help : {"--help", "-h", "help"}) {
        const Outcome h = runCli({help});
        EXPECT_EQ(h.status, 0) << help;
        EXPECT_TRUE(h.out.startsWith("Usage: orvane-cli COMMAND")) << h.out.toStdString();
        EXPECT_TRUE(h.err.isEmpty());
    }

    const QList<std::pair<QStringList, QByteArray>> usage = {
        {{}, "orvane-cli: no command given (try orvane-cli --help)\n"},
        {{"frobnicate"}, "orvane-cli: unknown command frobnicate (try orvane-cli --help)\n"},
        {{"generate"}, "orvane-cli: generate takes one project file (try orvane-cli --help)\n"},
        {{"generate", "a.qel", "-o"},
         "orvane-cli: option -o needs a value (try orvane-cli --help)\n"},
        {{"generate", "a.qel", "--eol", "cr"},
         "orvane-cli: --eol takes crlf or lf, not cr (try orvane-cli --help)\n"},
        {{"generate", "a.qel", "--bogus"},
         "orvane-cli: unknown option --bogus (try orvane-cli --help)\n"},
        {{"show", "a.qel", "-o", "x"}, "orvane-cli: unknown option -o (try orvane-cli --help)\n"},
        {{"show", "a.qel", "-"},
         "orvane-cli: show takes one project file (try orvane-cli --help)\n"},
        {{"generate", "a.qel", "--", "-o", "x"},
         "orvane-cli: generate takes one project file (try orvane-cli --help)\n"},
        {{"append", "a.qel"},
         "orvane-cli: append takes a project file and a COBOL source file (try orvane-cli "
         "--help)\n"},
    };
    for (const auto &[args, message] : usage) {
        const Outcome o = runCli(args);
        EXPECT_EQ(o.status, 2) << args.join(' ').toStdString();
        EXPECT_EQ(o.err, message);
        EXPECT_TRUE(o.out.isEmpty());
    }
}

TEST_F(CliTest, GenerateWritesWindows1252CodeWithOneLineEnd)
{
    const QByteArray code = cp1252::encode(GenerateCode(tree));
    ASSERT_TRUE(code.startsWith("\r\n"));
    ASSERT_TRUE(code.contains("CAF\xC9-NAME"));

    const Outcome crlf = runCli({"generate", project});
    EXPECT_EQ(crlf.status, 0) << crlf.err.toStdString();
    EXPECT_EQ(crlf.out, code + "\r\n");
    EXPECT_TRUE(crlf.err.isEmpty());

    const Outcome lf = runCli({"generate", "--eol", "lf", project});
    EXPECT_EQ(lf.status, 0);
    EXPECT_FALSE(lf.out.contains('\r'));
    EXPECT_EQ(lf.out, QByteArray(code).replace("\r\n", "\n") + "\n");

    const QString out = path("out.cpy");
    writeBytes(out, "old contents");
    const Outcome file = runCli({"generate", project, "-o", out});
    EXPECT_EQ(file.status, 0);
    EXPECT_TRUE(file.out.isEmpty());
    EXPECT_EQ(readBytes(out), code + "\r\n");

    // An empty project gives no output at all.
    const QString empty = path("empty.qel");
    writeBytes(empty, {});
    const Outcome none = runCli({"generate", empty});
    EXPECT_EQ(none.status, 0);
    EXPECT_TRUE(none.out.isEmpty());
}

TEST_F(CliTest, GenerateFailuresLeaveNoOutputFile)
{
    // Each fails with one line; where the reason comes from the system, only its start is
    // checked. Behind "--", or alone, a leading '-' names a file like any other.
    const QString nowhere = path("no/such/dir/out.cpy");
    const QByteArray folder = dir.path().toUtf8();
    const std::pair<QStringList, QByteArray> cases[] = {
        {{"generate", path("none.qel")}, "Cannot open " + path("none.qel").toUtf8() + ": "},
        {{"show", "--", "-o"}, "Cannot open -o: "},
        {{"show", "-"}, "Cannot open -: "},
        {{"show", dir.path()}, "Cannot open " + folder + ": it is a folder\n"},
        {{"generate", project, "-o", dir.path()}, "Cannot write " + folder + ": it is a folder\n"},
        {{"generate", project, "-o", nowhere}, "Cannot write " + nowhere.toUtf8() + ": "},
    };
    for (const auto &[args, err] : cases) {
        const Outcome o = runCli(args);
        EXPECT_EQ(o.status, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(o.err.startsWith(err)) << o.err.toStdString();
        EXPECT_EQ(o.err.count('\n'), 1);
        EXPECT_TRUE(o.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(nowhere));

    // Standard output that refuses the bytes.
    QBuffer closedOut;
    QByteArray err;
    QBuffer errBuffer(&err);
    errBuffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(cli::run({"generate", project}, closedOut, errBuffer), 1);
    EXPECT_TRUE(err.startsWith("Cannot write the code: ")) << err.toStdString();
}

TEST_F(CliTest, ShowListsTheTreeWithTagsAndVisibleMarkers)
{
    const Outcome o = runCli({"show", project});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(QString::fromUtf8(o.out),
              QString::fromUtf16(u"[1:12] 01 CUSTOMER.\n"
                                 u"  [1:10] 05 CAF\u00C9-NAME \u00A4PIC X(10) \u00A4VALUE SPACES.\n"
                                 u"  [11:12] 05 CODE \u00A4PIC 9(2).\n"));

    // Very deep fields stop being indented further and show their depth instead; a listing
    // of megabytes goes out in pieces.
    const int n = 15000;
    FieldTree deep;
    int parent = 0;
    for (int d = 1; d <= n; ++d)
        parent = deep.add(parent, parent ? Relationship::Child : Relationship::Last,
                          QStringLiteral("F%1.").arg(d));
    const QString deepFile = path("deep.qel");
    ASSERT_TRUE(SaveNodes(deep, deepFile).ok());
    const QList<QByteArray> lines = runCli({"show", deepFile}).out.split('\n');
    ASSERT_EQ(lines.size(), n + 1);
    EXPECT_EQ(lines[39], QByteArray(78, ' ') + "[] F40.");
    EXPECT_EQ(lines[40], QByteArray(78, ' ') + "(depth 41) [] F41.");
    EXPECT_EQ(lines[n - 1], QByteArray(78, ' ') + "(depth 15000) [] F15000.");
}

// Where the code goes is the core's insertion rule; here: the file keeps its own form, a
// Windows-1252 file with CR LF and a UTF-8 one with a byte order mark and LF.
TEST_F(CliTest, AppendInsertsBehindTheHeaderKeepingLineEndsAndEncoding)
{
    const QString code = GenerateCode(tree);
    struct Case {
        const char *name;
        QByteArray bytes;
        bool utf8;
    };
    const Case cases[] = {
        {"crlf.cbl",
         "       ID DIVISION.\r\n      * caf\xE9\r\n       working-storage section.\r\n"
         "       01 X PIC X.\r\n",
         false},
        {"bom.cbl",
         "\xEF\xBB\xBF      * caf\xC3\xA9\n       WORKING-STORAGE SECTION.\n"
         "       WORKING-STORAGE SECTION.\n",
         true},
    };
    for (const Case &c : cases) {
        const QString file = path(c.name);
        writeBytes(file, c.bytes);
        const Outcome o = runCli({"append", project, file});
        EXPECT_EQ(o.status, 0) << c.name << o.err.toStdString();
        EXPECT_EQ(o.out, "Append Successful\n");
        QStringDecoder keepBom(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        const QString before = c.utf8 ? keepBom.decode(c.bytes) : cp1252::decode(c.bytes);
        const QString after = *InsertAfterWorkingStorage(before, code);
        EXPECT_EQ(readBytes(file), c.utf8 ? after.toUtf8() : cp1252::encode(after)) << c.name;
    }
}

TEST_F(CliTest, AppendFailuresLeaveTheFileUntouched)
{
    const QString missing = path("missing.cbl");
    Outcome o = runCli({"append", project, missing});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "File " + missing.toUtf8() + " not found\n");
    EXPECT_FALSE(QFile::exists(missing));

    const QString source = path("prog.cbl");
    const QByteArray bytes = "       DATA DIVISION.\r\n      WORKING-STORAGE SECTION.\r\n";
    writeBytes(source, bytes);
    o = runCli({"append", project, source});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "WORKING-STORAGE SECTION. not found\n");
    EXPECT_TRUE(o.out.isEmpty());
    EXPECT_EQ(readBytes(source), bytes);

    // A pattern never names the file, even when it matches one.
    o = runCli({"append", project, path("*.cbl")});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "File " + path("*.cbl").toUtf8() + " not found\n");

    o = runCli({"append", project, dir.path()});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "Cannot read " + dir.path().toUtf8() + ": it is a folder\n");

    // An unreadable project stops before the source is looked at.
    o = runCli({"append", path("none.qel"), source});
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(o.err.startsWith("Cannot open ")) << o.err.toStdString();
    EXPECT_EQ(readBytes(source), bytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"cust.qel", "prog.cbl"}));
}

TEST(CliExamples, TheExampleProgramCompilesBeforeAndAfterAppendingTheExamples)
{
    const QString cobc = QStandardPaths::findExecutable("cobc");
    if (cobc.isEmpty())
        GTEST_SKIP() << "cobc (GnuCOBOL) is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program = dir.filePath("CUSTRPT.cbl");
    ASSERT_TRUE(QFile::copy(kSource + "/examples/CUSTRPT.cbl", program));
    const auto compiles = [&](const char *when) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(cobc, {"-fsyntax-only", program});
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << when << ":\n" << p.readAll().toStdString();
    };
    compiles("as committed");
    for (const char *example : {"customer.qel", "invoice.qel"}) {
        const Outcome o = runCli({"append", kSource + "/examples/" + example, program});
        ASSERT_EQ(o.status, 0) << o.err.toStdString();
        compiles(example);
    }
}

TEST(CliExamples, TheProgramRunsThroughMain)
{
    ASSERT_TRUE(QFile::exists(QStringLiteral(ORVANE_CLI_PATH)))
        << "build the orvane-cli target before these tests";
    QProcess p;
    p.start(QStringLiteral(ORVANE_CLI_PATH), {"generate", kSource + "/examples/customer.qel"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardOutput().contains("01 CUSTOMER-RECORD."));

    p.start(QStringLiteral(ORVANE_CLI_PATH), {"show"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_EQ(p.readAllStandardError(),
              "orvane-cli: show takes one project file (try orvane-cli --help)\n");
}

TEST_F(CliTest, SpecialFilesAreNeverReplaced)
{
    // A pipe is written to as it is, not swapped for a regular file.
    const QString fifo = path("pipe");
    ASSERT_EQ(QProcess::execute("mkfifo", {fifo}), 0);
    QByteArray received;
    QProcess reader;
    reader.start("cat", {fifo});
    ASSERT_TRUE(reader.waitForStarted());
    const Outcome o = runCli({"generate", project, "-o", fifo});
    ASSERT_TRUE(reader.waitForFinished(10000));
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(reader.readAllStandardOutput().contains("01 CUSTOMER."));
    EXPECT_FALSE(QFileInfo(fifo).isFile());

    // Appending needs a regular source file.
    const Outcome a = runCli({"append", project, fifo});
    EXPECT_EQ(a.status, 1);
    EXPECT_EQ(a.err, "Cannot read " + fifo.toUtf8() + ": it is not a regular file\n");
    EXPECT_FALSE(QFileInfo(fifo).isFile());

    // The project writer refuses too.
    EXPECT_EQ(SaveNodes(tree, fifo).status, ProjectStatus::OpenFailed);
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

TEST_F(CliTest, GenerateDoesNotOverwriteItsOwnProjectAndAppendKeepsReadOnlySources)
{
    const QByteArray before = readBytes(project);
    const Outcome o = runCli({"generate", project, "-o", project});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "Cannot write " + project.toUtf8() + ": it is the project file\n");
    EXPECT_EQ(readBytes(project), before);

    const QString source = path("ro.cbl");
    const QByteArray text = "       WORKING-STORAGE SECTION.\r\n";
    writeBytes(source, text);
    QFile::setPermissions(source, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    const Outcome a = runCli({"append", project, source});
    EXPECT_EQ(a.status, 1);
    EXPECT_EQ(a.err, "Cannot write " + source.toUtf8() + ": the file is read only\n");
    EXPECT_EQ(readBytes(source), text);
    EXPECT_FALSE(QFileInfo(source).permissions() & QFileDevice::WriteOwner);
}
