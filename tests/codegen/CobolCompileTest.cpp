// GnuCOBOL judges the generated code: each layout is wrapped in a minimal fixed-format program
// and must pass `cobc -fsyntax-only`.

#include "CodeGenTestSupport.h"

#include "codegen/CodeGenerator.h"
#include "codegen/WorkingStorage.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#if __has_include("project/ProjectFile.h")
#include "project/ProjectFile.h"
#define ORVANE_HAVE_PROJECT_READER 1
#endif

#include <random>

using namespace orvane;
using namespace orvane::test;

namespace
{

const QString Skeleton = QStringLiteral("       IDENTIFICATION DIVISION.\r\n"
                                        "       PROGRAM-ID. GENCHECK.\r\n"
                                        "       DATA DIVISION.\r\n"
                                        "       WORKING-STORAGE SECTION.\r\n"
                                        "       PROCEDURE DIVISION.\r\n"
                                        "%1"
                                        "           STOP RUN.\r\n");

QString cobcPath()
{
    return QStandardPaths::findExecutable(QStringLiteral("cobc"));
}

// Skips the test when the compiler is missing, except in CI where it must be there.
#define REQUIRE_COBC()                                                                             \
    do {                                                                                           \
        if (cobcPath().isEmpty()) {                                                                \
            if (qEnvironmentVariableIsSet("CI"))                                                   \
                FAIL() << "cobc not found (Debian package gnucobol3)";                             \
            GTEST_SKIP() << "cobc not found (Debian package gnucobol3)";                           \
        }                                                                                          \
    } while (false)

struct Compiled {
    int exitCode = -1;
    QString output;
    QString program;
    QString dir;
};

// Writes the program with the code behind its WORKING-STORAGE header and runs cobc on it.
Compiled compile(const QString &code, const QString &procedure, const QStringList &options,
                 const QTemporaryDir &dir)
{
    Compiled c;
    c.dir = dir.path();
    const auto program = InsertAfterWorkingStorage(Skeleton.arg(procedure), code);
    if (!program) {
        c.output = QStringLiteral("no WORKING-STORAGE header in the skeleton");
        return c;
    }
    c.program = *program;
    QFile file(dir.filePath(QStringLiteral("gencheck.cbl")));
    if (!file.open(QIODevice::WriteOnly) || file.write(program->toLatin1()) != program->size()) {
        c.output = QStringLiteral("cannot write ") + file.fileName();
        return c;
    }
    file.close();
    QProcess cobc;
    cobc.setWorkingDirectory(dir.path());
    cobc.setProcessChannelMode(QProcess::MergedChannels);
    cobc.start(cobcPath(), options + QStringList{file.fileName()});
    if (!cobc.waitForFinished(120000)) {
        c.output = QStringLiteral("cobc did not finish: ") + cobc.errorString();
        return c;
    }
    c.output = QString::fromLocal8Bit(cobc.readAll());
    c.exitCode = cobc.exitStatus() == QProcess::NormalExit ? cobc.exitCode() : -1;
    return c;
}

QString numbered(const QString &program)
{
    QString out;
    const QStringList lines = program.split(QStringLiteral("\r\n"));
    for (int i = 0; i < lines.size(); ++i)
        out += QStringLiteral("%1|%2\n").arg(i + 1, 4).arg(lines[i]);
    return out;
}

// cobc accepts the code, and no line passes column 72.
void expectAccepted(const QString &code)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Compiled c = compile(code, QString(), {QStringLiteral("-fsyntax-only")}, dir);
    EXPECT_EQ(c.exitCode, 0) << qPrintable(c.output) << "\n" << qPrintable(numbered(c.program));
    for (const QString &line : codeLines(code))
        EXPECT_LE(line.size(), CodeLastColumn) << qPrintable(line);
}

Field pic(const char *level, const char *name, const char *kind, const char *length)
{
    return {.level = level, .name = name, .picture = kind, .length = length};
}

const char *const X = "AlphaNum (X)";
const char *const N9 = "Numeric (9)";

// The customer record a new user builds first: groups several deep, an array with key and
// index, condition names and initial values.
void buildCustomerRecord(FieldTree &tree)
{
    const int rec = addField(tree, 0, {.level = "1", .name = "CUSTOMER-REC"});
    Field id = pic("5", "CUST-ID", N9, "8");
    id.value = "Zeroes";
    addField(tree, rec, id);
    Field name = pic("5", "CUST-NAME", X, "30");
    name.value = "Spaces";
    addField(tree, rec, name);
    const int status = addField(tree, rec, pic("5", "CUST-STATUS", X, "1"));
    addField(tree, status, {.level = "88", .name = "CUST-ACTIVE", .value = "a", .quoted = true});
    addField(tree, status,
             {.level = "88", .name = "CUST-CLOSED", .value = "\"c\" \"x\"", .values = true});
    const int address = addField(tree, rec, {.level = "5", .name = "CUST-ADDRESS"});
    addField(tree, address, pic("10", "CUST-STREET", X, "40"));
    const int cityLine = addField(tree, address, {.level = "10", .name = "CUST-CITY-LINE"});
    addField(tree, cityLine, pic("15", "CUST-CITY", X, "25"));
    const int postal = addField(tree, cityLine, {.level = "15", .name = "CUST-POSTAL"});
    addField(tree, postal, pic("20", "CUST-POSTAL-CODE", X, "10"));
    addField(tree, postal, pic("20", "CUST-POSTAL-COUNTRY", "Alpha (A)", "2"));
    const int orders = addField(tree, rec,
                                {.level = "5",
                                 .name = "CUST-ORDERS",
                                 .occurs = "12",
                                 .keyKind = "AKey",
                                 .keyName = "ORDER-DATE",
                                 .indexName = "ORD-IX"});
    addField(tree, orders, pic("10", "ORDER-DATE", N9, "8"));
    addField(tree, orders,
             {.level = "10", .name = "ORDER-AMOUNT", .picture = "S9(7)V99", .output = true});
    const int lines = addField(tree, orders,
                               {.level = "10",
                                .name = "ORDER-LINES",
                                .occurs = "5",
                                .keyKind = "DKey",
                                .keyName = "LINE-NO",
                                .indexName = "LINE-IX"});
    addField(tree, lines, pic("15", "LINE-NO", N9, "3"));
    addField(tree, lines,
             {.level = "15", .name = "LINE-TOTAL", .picture = "ZZ,ZZ9.99", .output = true});
    const int balance = addField(
        tree, 0,
        {.level = "1", .name = "CUST-BALANCE", .picture = "S9", .length = "9", .value = "0"});
    (void)balance;
}

} // namespace

TEST(Cobol, CustomerRecordIsAccepted)
{
    REQUIRE_COBC();
    FieldTree tree;
    buildCustomerRecord(tree);
    expectAccepted(GenerateCode(tree));
}

TEST(Cobol, WorkedExampleArrayWithValueBeforePictureIsAccepted)
{
    REQUIRE_COBC();
    FieldTree tree;
    const int rec = addField(tree, 0, {.level = "1", .name = "REC"});
    const int group = addField(tree, rec, {.level = "5", .name = "GRP"});
    addField(tree, group,
             {.level = "10",
              .name = "ITEM",
              .picture = "Alpha (A)",
              .length = "5",
              .occurs = "12",
              .keyKind = "AKey",
              .keyName = "ITEM",
              .indexName = "IX",
              .value = "Space"});
    expectAccepted(GenerateCode(tree));
}

TEST(Cobol, LongNamesLiteralsAndDeepFieldsAreAccepted)
{
    REQUIRE_COBC();
    FieldTree tree;
    int parent = addField(tree, 0, {.level = "1", .name = "CORRESPONDENCE-ARCHIVE-RECORD"});
    // Fourteen levels: past the depth reset and back.
    for (int level = 2; level <= 14; ++level) {
        if (level % 3 == 0) {
            Field text = pic(QByteArray::number(level).constData(), "", X, "150");
            text.name = QStringLiteral("ARCHIVE-LEVEL-%1-LETTER-TEXT").arg(level);
            text.value =
                QStringLiteral("Dear customer, thank you for your order of %1 May; the "
                               "goods will be shipped with \"\"express\"\" delivery next week.")
                    .arg(level);
            text.quoted = true;
            addField(tree, parent, text);
        }
        Field group{.level = QString::number(level),
                    .name = QStringLiteral("ARCHIVE-NESTING-LEVEL-%1-GROUP").arg(level)};
        if (level == 4) {
            group.occurs = "3";
            group.indexName = "ARCHIVE-GROUP-IX";
        }
        parent = addField(tree, parent, group);
    }
    Field amount = pic("15", "ARCHIVE-DEEPEST-ACCOUNT-AMOUNT", N9, "18");
    amount.value = "Zero";
    addField(tree, parent, amount);
    const int flag = addField(tree, parent, pic("15", "ARCHIVE-DEEPEST-STATUS-FLAG", X, "1"));
    addField(tree, flag,
             {.level = "88",
              .name = "ARCHIVE-DEEPEST-STATUS-IS-OPEN-OR-PENDING",
              .value = "\"o\" \"p\" \"q\" \"r\" \"s\" \"t\" \"u\" \"v\" \"w\" \"x\" \"y\"",
              .values = true});
    const QString code = GenerateCode(tree);
    ASSERT_TRUE(code.contains(u"\r\n      -")) << "the layout should need a continued literal";
    expectAccepted(code);
}

TEST(Cobol, RandomLayoutsAreAccepted)
{
    REQUIRE_COBC();
    std::mt19937 rng(1234);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto word = [&](int length, int serial) {
        QString w = QStringLiteral("F%1").arg(serial);
        while (w.size() < length)
            w += pick(0, 5) == 0 ? u'-' : QChar(u'A' + pick(0, 25));
        return w.endsWith(u'-') ? w.chopped(1) + u'Z' : w;
    };
    FieldTree tree;
    int serial = 0;
    for (int record = 0; record < 12; ++record) {
        // Depth-first with an explicit list of (parent, depth) still to fill.
        std::vector<std::pair<int, int>> open{{0, 1}};
        while (!open.empty()) {
            const auto [parent, depth] = open.back();
            open.pop_back();
            const int children = parent == 0 ? 1 : pick(1, 3);
            for (int c = 0; c < children; ++c) {
                Field f{.level = QString::number(depth), .name = word(pick(2, 30), ++serial)};
                const bool group = parent == 0 || (depth < 12 && pick(0, 2) == 0);
                if (depth > 1 && depth < 4 && pick(0, 5) == 0) {
                    f.occurs = QString::number(pick(1, 20));
                    f.indexName = QStringLiteral("IX%1").arg(serial);
                }
                if (!group) {
                    const int length = pick(1, 200);
                    f.picture = X;
                    f.length = QString::number(length);
                    if (pick(0, 1) == 0) {
                        f.value = word(pick(0, length), serial).toLower();
                        f.quoted = true;
                    }
                }
                const int index = addField(tree, parent, f);
                if (group)
                    open.push_back({index, depth + 1});
            }
        }
    }
    expectAccepted(GenerateCode(tree));
}

// The continued literals must also carry the right text: compiled and run, the program shows it.
TEST(Cobol, ContinuedLiteralKeepsItsText)
{
    REQUIRE_COBC();
    FieldTree tree;
    int parent = addField(tree, 0, {.level = "1", .name = "MSG-REC"});
    for (int level = 5; level <= 25; level += 5)
        parent = addField(tree, parent, {.level = QString::number(level), .name = "MSG-GROUP"});
    QString text;
    for (int i = 0; text.size() < 200; ++i)
        text += QStringLiteral("part %1 of the \"\"message\"\" ").arg(i);
    Field msg = pic("30", "MSG-TEXT", X, QByteArray::number(text.size()).constData());
    msg.value = text;
    msg.quoted = true;
    addField(tree, parent, msg);
    const QString code = GenerateCode(tree);
    ASSERT_TRUE(code.contains(u"\r\n      -"));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const Compiled c =
        compile(code, QStringLiteral("           DISPLAY MSG-TEXT.\r\n"),
                {QStringLiteral("-x"), QStringLiteral("-o"), dir.filePath("gencheck")}, dir);
    ASSERT_EQ(c.exitCode, 0) << qPrintable(c.output) << "\n" << qPrintable(numbered(c.program));
    QProcess run;
    run.start(dir.filePath("gencheck"), {});
    ASSERT_TRUE(run.waitForFinished(60000));
    const QString shown = QString::fromLatin1(run.readAllStandardOutput()).trimmed();
    // A quote inside the value is typed doubled, and the program shows it once.
    EXPECT_EQ(shown,
              text.toUpper().replace(QStringLiteral("\"\""), QStringLiteral("\"")).trimmed());
}

TEST(Cobol, ExampleProjectsAreAccepted)
{
    REQUIRE_COBC();
#ifndef ORVANE_HAVE_PROJECT_READER
    GTEST_SKIP() << "no project reader yet";
#else
    const QStringList files = QDir(QStringLiteral(ORVANE_SOURCE_DIR "/examples"))
                                  .entryList({QStringLiteral("*.qel")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        GTEST_SKIP() << "no examples/*.qel";
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        FieldTree tree;
        const ProjectResult r =
            LoadNodes(tree, QStringLiteral(ORVANE_SOURCE_DIR "/examples/") + name);
        ASSERT_TRUE(r.ok()) << qPrintable(r.message);
        ASSERT_GT(tree.count(), 0);
        expectAccepted(GenerateCode(tree));
    }
#endif
}
