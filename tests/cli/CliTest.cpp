#include "Cli.h"

#include "../cobol/CobolTestSupport.h"
#include "../common/TaggedTree.h"
#include "RunCli.h"

#include "codegen/CodeGenerator.h"
#include "codegen/WorkingStorage.h"
#include "model/Cp1252.h"
#include "model/FieldTree.h"
#include "project/ProjectFile.h"
#include "project/StartupSettings.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::testing;

namespace
{

const QString kSource = QStringLiteral(ORVANE_SOURCE_DIR);

class CliTest : public CliFolder
{
protected:
    void SetUp() override
    {
        CliFolder::SetUp();
        buildTagged(
            tree, {{1, "01 CUSTOMER.", "1:12"},
                   {2, QString::fromUtf16(u"05 CAF\u00C9-NAME \u00A0PIC X(10) \u00A0VALUE SPACES."),
                    "1:10"},
                   {2, QString::fromUtf16(u"05 CODE \u00A0PIC 9(2)."), "11:12"}});
        ASSERT_TRUE(SaveNodes(tree, project).ok());
    }

    FieldTree tree;
    QString project = path("cust.qel");
};

} // namespace

TEST_F(CliTest, HelpVersionAndUsageErrors)
{
    EXPECT_EQ(runCli({"--version"}), (Outcome{0, "orvane-cli " ORVANE_VERSION "\n", {}}));

    // The help's contents are the manual page test's; each spelling gives the same text.
    const QByteArray help = runCli({"--help"}).out;
    for (const char *spelling : {"--help", "-h", "help"})
        EXPECT_EQ(runCli({spelling}), (Outcome{0, help, {}})) << spelling;
    // A command's own help is its part of the whole.
    const Outcome view = runCli({"view", "--help"});
    EXPECT_EQ(view.status, 0);
    EXPECT_TRUE(view.out.startsWith("Usage: orvane-cli view ...\n  view DATA"));
    EXPECT_TRUE(help.contains(view.out.sliced(view.out.indexOf('\n') + 1)));

    // Every usage error is one line: the reason, and where help is.
    const QList<std::pair<QStringList, QByteArray>> usage = {
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command frobnicate"},
        {{"generate"}, "generate takes one project file"},
        {{"generate", "a.qel", "-o"}, "option -o needs a value"},
        {{"generate", "a.qel", "--eol", "cr"}, "--eol takes crlf or lf, not cr"},
        {{"show", "a.qel", "-o", "x"}, "unknown option -o"},
        {{"append", "a.qel"}, "append takes a project file and a COBOL source file"},
        {{"map"}, "map takes one project file or copybook"},
        {{"map", "a.cpy", "--dialect", "vs"}, "--dialect takes default, ibm or mf, not vs"},
        {{"map", "a.cpy", "--format", "xml"}, "--format takes table, csv or json, not xml"},
        {{"map", "a.cpy", "--record-length", "0"},
         "--record-length takes a number of bytes, not 0"},
        {{"map", "a.cpy", "-o", "x"}, "unknown option -o"},
        {{"import-copybook"}, "import-copybook takes one copybook"},
        {{"import-copybook", "a.cpy", "-I"}, "option -I needs a value"},
        {{"import-copybook", "a.cpy", "--source-format", "card"},
         "--source-format takes fixed or free, not card"},
        {{"view", "a.dat"}, "view needs --layout PROJECT.qel|COPYBOOK"},
        {{"view", "a.dat", "--layout", "a.cpy", "--encoding", "cp999"},
         "--encoding takes ascii, cp1252, utf-8, cp037, cp1140, cp273, cp500 or cp1047, not cp999"},
        {{"view", "a.dat", "--layout", "a.cpy", "--records", "5:2"},
         "--records takes FROM:TO, counted from 1, not 5:2"},
        {{"check", "a.qel", "b.qel"}, "check takes one project file"},
        {{"view", "a.dat", "--layout", "a.cpy", "--when", "NAME"},
         "--when takes FIELD=VALUE:VARIANT, not NAME"},
    };
    for (const auto &[args, message] : usage)
        EXPECT_EQ(runCli(args),
                  (Outcome{2, {}, "orvane-cli: " + message + " (try orvane-cli --help)\n"}));
}

TEST_F(CliTest, GenerateWritesWindows1252CodeWithOneLineEnd)
{
    const QByteArray code = cp1252::encode(GenerateCode(tree));

    EXPECT_EQ(runCli({"generate", project}), (Outcome{0, code + "\r\n", {}}));
    EXPECT_EQ(runCli({"generate", "--eol", "lf", project}),
              (Outcome{0, QByteArray(code).replace("\r\n", "\n") + "\n", {}}));

    const QString out = write("out.cpy", "old contents");
    EXPECT_EQ(runCli({"generate", project, "-o", out}), (Outcome{0, {}, {}}));
    EXPECT_EQ(readBytes(out), code + "\r\n");

    // An empty project gives no output at all.
    EXPECT_EQ(runCli({"generate", write("empty.qel", {})}), (Outcome{0, {}, {}}));
}

TEST_F(CliTest, FailuresSayOneLineAndLeaveEveryFileAsItWas)
{
    const QString nowhere = path("no/such/dir/out.cpy");
    const QByteArray bytes = "       DATA DIVISION.\r\n      WORKING-STORAGE SECTION.\r\n";
    const QString source = write("prog.cbl", bytes);
    const QByteArray text = "       WORKING-STORAGE SECTION.\r\n";
    const QString readOnly = write("ro.cbl", text);
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    const QString missing = path("missing.cbl");
    const QString pattern = path("*.cbl");
    const QByteArray folder = dir.path().toUtf8();
    // Where the reason comes from the system, only the message's start is checked. Behind "--",
    // or alone, a leading '-' names a file like any other.
    const std::pair<QStringList, QByteArray> cases[] = {
        {{"generate", path("none.qel")}, "Cannot open " + path("none.qel").toUtf8() + ": "},
        {{"show", "--", "-o"}, "Cannot open -o: "},
        {{"show", "-"}, "Cannot open -: "},
        {{"show", dir.path()}, "Cannot open " + folder + ": it is a folder\n"},
        {{"generate", project, "-o", dir.path()}, "Cannot write " + folder + ": it is a folder\n"},
        {{"generate", project, "-o", nowhere}, "Cannot write " + nowhere.toUtf8() + ": "},
        {{"generate", project, "-o", project},
         "Cannot write " + project.toUtf8() + ": it is the project file\n"},
        {{"append", project, missing}, "File " + missing.toUtf8() + " not found\n"},
        {{"append", project, source}, "WORKING-STORAGE SECTION. not found\n"},
        // A pattern never names the file, even when it matches one.
        {{"append", project, pattern}, "File " + pattern.toUtf8() + " not found\n"},
        {{"append", project, dir.path()}, "Cannot read " + folder + ": it is a folder\n"},
        {{"append", project, readOnly},
         "Cannot write " + readOnly.toUtf8() + ": the file is read only\n"},
        // An unreadable project stops before the source is looked at.
        {{"append", path("none.qel"), source}, "Cannot open "},
    };
    const QByteArray before = readBytes(project);
    for (const auto &[args, err] : cases) {
        const Outcome o = runCli(args);
        EXPECT_EQ(o.status, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(o.err.startsWith(err)) << o.err.toStdString();
        EXPECT_EQ(o.err.count('\n'), 1);
        EXPECT_TRUE(o.out.isEmpty());
    }
    EXPECT_EQ(readBytes(project), before);
    EXPECT_EQ(readBytes(source), bytes);
    EXPECT_EQ(readBytes(readOnly), text);
    EXPECT_FALSE(QFileInfo(readOnly).permissions() & QFileDevice::WriteOwner);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"cust.qel", "prog.cbl", "ro.cbl"}));

    // Standard output that refuses the bytes.
    QBuffer closedOut, err;
    err.open(QIODevice::WriteOnly);
    EXPECT_EQ(cli::run({"generate", project}, closedOut, err), 1);
    EXPECT_TRUE(err.data().startsWith("Cannot write the code: ")) << err.data().toStdString();
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
}

// Where the code goes is the core's insertion rule; here: the file keeps its own form, a
// Windows-1252 file with CR LF and a UTF-8 one with a byte order mark and LF.
TEST_F(CliTest, AppendInsertsBehindTheHeaderKeepingLineEndsAndEncoding)
{
    const QString code = GenerateCode(tree);
    const struct {
        const char *name;
        QByteArray bytes;
        bool utf8;
    } cases[] = {
        {"crlf.cbl",
         "       ID DIVISION.\r\n      * caf\xE9\r\n       working-storage section.\r\n"
         "       01 X PIC X.\r\n",
         false},
        {"bom.cbl",
         "\xEF\xBB\xBF      * caf\xC3\xA9\n       WORKING-STORAGE SECTION.\n"
         "       WORKING-STORAGE SECTION.\n",
         true},
    };
    for (const auto &c : cases) {
        const QString file = write(c.name, c.bytes);
        EXPECT_EQ(runCli({"append", project, file}), (Outcome{0, "Append Successful\n", {}}))
            << c.name;
        QStringDecoder keepBom(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        const QString before = c.utf8 ? keepBom.decode(c.bytes) : cp1252::decode(c.bytes);
        const QString after = *InsertAfterWorkingStorage(before, code);
        EXPECT_EQ(readBytes(file), c.utf8 ? after.toUtf8() : cp1252::encode(after)) << c.name;
    }
}

TEST_F(CliTest, TheExamplesPassTheCheckAndCompileAppendedToTheExampleProgram)
{
    COBC_OR_SKIP(cobc);
    const QString program = path("CUSTRPT.cbl");
    ASSERT_TRUE(QFile::copy(kSource + "/examples/CUSTRPT.cbl", program));
    const auto compiles = [&](const char *when) {
        const QString text = QString::fromLatin1(readBytes(program));
        EXPECT_EQ(compile(cobc, dir.path(), text, {"-fsyntax-only"}).toStdString(), "") << when;
    };
    compiles("as committed");
    for (const char *example : {"customer.qel", "invoice.qel"}) {
        const QString project = kSource + "/examples/" + example;
        // The check command wraps the code in a program of its own; the compiler says nothing.
        EXPECT_EQ(runCli({"check", project}), (Outcome{0, {}, {}})) << example;
        ASSERT_EQ(runCli({"append", project, program}), (Outcome{0, "Append Successful\n", {}}));
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
    QProcess reader;
    reader.start("cat", {fifo});
    ASSERT_TRUE(reader.waitForStarted());
    const Outcome o = runCli({"generate", project, "-o", fifo});
    ASSERT_TRUE(reader.waitForFinished(10000));
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(reader.readAllStandardOutput().contains("01 CUSTOMER."));

    // Appending needs a regular source file.
    EXPECT_EQ(runCli({"append", project, fifo}),
              (Outcome{1, {}, "Cannot read " + fifo.toUtf8() + ": it is not a regular file\n"}));

    // The project writer refuses too, and none of the three replaced the pipe.
    EXPECT_EQ(SaveNodes(tree, fifo).status, ProjectStatus::OpenFailed);
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

// `check`: the layout's warnings, then the compiler's messages at the generated code's lines,
// all on standard error, ending with the compiler's status.
TEST_F(CliTest, CheckPutsTheCompilersMessagesAtTheCodesLinesAndEndsWithItsStatus)
{
    // A stand-in compiler: one message on the wrapper's fifth line, the first of the code.
    const QString fake = write("fakecobc", "#!/bin/sh\n"
                                           "for last; do :; done\n"
                                           "echo \"$last:5: error: bad item\"\n"
                                           "echo \"copy.cpy:2: warning: elsewhere\"\n"
                                           "exit 3\n");
    QFile::setPermissions(fake, QFile::permissions(fake) | QFileDevice::ExeOwner);
    FieldTree layout;
    buildTagged(layout, {{1, "01 B.", ""}, {1, "01 C PIC X(4).", "5:8"}});
    const QString odd = path("odd.qel");
    ASSERT_TRUE(SaveNodes(layout, odd).ok());
    const QString noPicture =
        odd +
        ": warning: field 1, B: an elementary item (no subordinate items) without a PICTURE\n";
    const QString none = path("none");
    FieldTree scratch; // the loader's own message is passed on
    const struct {
        QStringList arguments;
        int status;
        QString err;
    } cases[] = {
        {{odd, "--cobc", none},
         127,
         noPicture + "orvane-cli: the GnuCOBOL compiler \"" + none +
             "\" was not found; install the package gnucobol\n"},
        {{odd, "--exact-positions", "--cobc", fake},
         3,
         noPicture + odd + ": warning: field 2, C: position tag 5:8 is not its storage 1:4\n" +
             odd + ":1: error: bad item\ncopy.cpy:2: warning: elsewhere\n"},
        {{none, "--cobc", fake}, 1, LoadNodes(scratch, none).message + "\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(runCli(QStringList{"check"} + c.arguments),
                  (Outcome{c.status, {}, c.err.toUtf8()}))
            << c.arguments.join(' ').toStdString();
}

// Both manual pages name the same commands and options as their program's help.
TEST(ManPage, EachPageKeepsInStepWithItsProgramsHelp)
{
    const Outcome cli = runCli({QStringLiteral("--help")});
    ASSERT_EQ(cli.status, 0);
    const std::pair<QString, const char *> pages[] = {
        {QString::fromUtf8(cli.out), "orvane-cli.1.in"},
        {usageText(), "orvane.1.in"},
    };
    // The help's commands are the first word of its indented lines.
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--?[a-z][\\w-]*)"));
    static const QRegularExpression command(QStringLiteral("^  ([a-z][\\w-]*) "),
                                            QRegularExpression::MultilineOption);
    for (const auto &[help, name] : pages) {
        QString page = QString::fromUtf8(readBytes(ORVANE_SOURCE_DIR "/docs/man/" + QString(name)));
        page.remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")))
            .replace(QStringLiteral("\\-"), QStringLiteral("-"));
        QStringList mismatches;
        for (const QRegularExpression *named : {&option, &command})
            for (const QRegularExpressionMatch &m : named->globalMatch(help))
                if (!page.contains(m.captured(1)))
                    mismatches << QStringLiteral("not in the page: ") + m.captured(1);
        for (const QRegularExpressionMatch &m : option.globalMatch(page))
            if (!help.contains(m.captured(1)))
                mismatches << QStringLiteral("not in the help: ") + m.captured(1);
        mismatches.removeDuplicates();
        EXPECT_EQ(mismatches.join(u'\n').toStdString(), "") << name;
    }
}
