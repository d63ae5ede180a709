// GnuCOBOL judges the storage map: for each copybook under tests/data/copybooks and each
// dialect, every item's size in cobc's symbol table must be the map's; and the copybook
// imported and generated again must compile to the same sizes.

#include "../common/Files.h"
#include "../common/QStringPrinter.h"
#include "cobol/CopybookReader.h"
#include "cobol/StorageMap.h"

#include "codegen/CodeGenerator.h"
#include "codegen/WorkingStorage.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::cobol;

namespace
{

const QString kCopybooks = QStringLiteral(ORVANE_SOURCE_DIR "/tests/data/copybooks");

const QString kSkeleton = QStringLiteral("       IDENTIFICATION DIVISION.\n"
                                         "       PROGRAM-ID. SIZES.\n"
                                         "       DATA DIVISION.\n"
                                         "       WORKING-STORAGE SECTION.\n"
                                         "%1"
                                         "       PROCEDURE DIVISION.\n"
                                         "           STOP RUN.\n");

struct Listing {
    QStringList items; // "LEVEL NAME SIZE" per item with storage, in order
    QString messages;  // what cobc said when it failed
};

// Compiles the program and reads the symbol table of its listing.
Listing symbols(const QString &program, Dialect dialect, const QTemporaryDir &dir,
                const QStringList &includeDirs = {kCopybooks})
{
    Listing listing;
    const QString source = dir.filePath(QStringLiteral("sizes.cbl"));
    const QString lst = dir.filePath(QStringLiteral("sizes.lst"));
    orvane::testing::writeBytes(source, program.toLatin1());
    QProcess cobc;
    cobc.setProcessChannelMode(QProcess::MergedChannels);
    QStringList arguments{QStringLiteral("-std=") + DialectName(dialect),
                          QStringLiteral("-fsyntax-only"),
                          QStringLiteral("-t"),
                          lst,
                          QStringLiteral("-ftsymbols"),
                          source};
    for (const QString &include : includeDirs)
        arguments << QStringLiteral("-I") << include;
    cobc.start(QStandardPaths::findExecutable(QStringLiteral("cobc")), arguments);
    if (!cobc.waitForFinished(60000) || cobc.exitCode() != 0) {
        listing.messages = QString::fromLocal8Bit(cobc.readAll()) + u'\n' + program;
        return listing;
    }
    static const QRegularExpression row(QStringLiteral("^(\\d{5}) +\\S+ +(\\d\\d) +([^ ,]+)"));
    for (const QString &line : QString::fromLatin1(orvane::testing::readBytes(lst)).split(u'\n')) {
        const QRegularExpressionMatch m = row.match(line);
        if (m.hasMatch())
            listing.items << QStringLiteral("%1 %2 %3")
                                 .arg(m.captured(2), m.captured(3).toUpper())
                                 .arg(m.captured(1).toInt());
    }
    return listing;
}

// The same rows from the storage map. The listing gives a group table all its occurrences and
// an elementary table one.
QStringList mapRows(const StorageMap &map)
{
    QStringList rows;
    for (const StorageItem &item : map.items) {
        if (item.category == Category::Condition)
            continue;
        const bool groupTable = item.category == Category::Group && item.occursMax > 0;
        rows << QStringLiteral("%1 %2 %3")
                    .arg(item.level, 2, 10, QLatin1Char('0'))
                    .arg(item.name.isEmpty() ? QStringLiteral("FILLER") : item.name)
                    .arg(groupTable || item.occursMax == 0 ? item.length : item.entryLength);
    }
    return rows;
}

bool noCompiler()
{
    return QStandardPaths::findExecutable(QStringLiteral("cobc")).isEmpty();
}

#define SKIP_WITHOUT_COBC()                                                                        \
    if (noCompiler()) {                                                                            \
        if (qEnvironmentVariableIsSet("CI"))                                                       \
            FAIL() << "cobc not found (Debian package gnucobol3)";                                 \
        GTEST_SKIP() << "cobc not found (Debian package gnucobol3)";                               \
    }

class CompilerSizes : public ::testing::TestWithParam<const char *>
{
};

TEST_P(CompilerSizes, MapAndRegeneratedCodeMatchTheSymbolTable)
{
    SKIP_WITHOUT_COBC();
    const QString name = QString::fromLatin1(GetParam());
    const ReadResult read =
        ReadDataDescriptionFile(kCopybooks + u'/' + name + QStringLiteral(".cpy"), ReadOptions{});
    ASSERT_TRUE(read.ok()) << read.errorText().toStdString();
    FieldTree tree;
    ImportEntries(tree, read);
    const auto regenerated =
        InsertAfterWorkingStorage(kSkeleton.arg(QString()), GenerateCode(tree));
    ASSERT_TRUE(regenerated);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (Dialect dialect : {Dialect::Default, Dialect::Ibm, Dialect::Mf}) {
        SCOPED_TRACE("-std=" + DialectName(dialect).toStdString());
        const StorageMap map = BuildStorageMap(tree, dialect);
        EXPECT_TRUE(map.errors.isEmpty()) << map.errors.join(u'\n').toStdString();
        const QStringList expected = mapRows(map);

        const Listing original = symbols(
            kSkeleton.arg(QStringLiteral("       COPY \"%1.cpy\".\n").arg(name)), dialect, dir);
        ASSERT_TRUE(original.messages.isEmpty()) << original.messages.toStdString();
        EXPECT_EQ(original.items, expected);

        const Listing again = symbols(*regenerated, dialect, dir);
        ASSERT_TRUE(again.messages.isEmpty()) << again.messages.toStdString();
        EXPECT_EQ(again.items, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Copybooks, CompilerSizes,
                         ::testing::Values("customer", "account", "transaction", "statement"));

// The corpus: one or a few small copybooks per construct. A copybook without a row, or with a
// row without a refusal, must read, and its map must match cobc's symbol table in every
// dialect; a refused one must give its
// message, and cobc must refuse it too unless `compileAs` is "-" (no data description at all,
// which the compiler takes as an empty copybook). `compileAs` names the member cobc compiles in
// its place where it cannot read the original (EXEC SQL needs a precompiler).
struct CorpusRow {
    const char *file;
    const char *refusal = "";
    const char *compileAs = nullptr;
    // What the map says in the one dialect that refuses the layout (cobc's -std=default
    // refuses a REDEFINES larger than what it redefines, below level 01).
    const char *mapError = nullptr;
};

const CorpusRow kCorpus[] = {
    {"const-undefined.cpy",
     "const-undefined.cpy:2:48: expected a whole number, found 'MAX-UNKNOWN'"},
    {"copy-replacing-unclosed.cpy", "copy-replacing-unclosed.cpy:2:56: REPLACING: expected BY"},
    {"copy-self.cpy", "LOOPING.cpy:2:12: COPY LOOPING copies itself"},
    {"exec-no-end.cpy", "exec-no-end.cpy:3:12: the EXEC block has no END-EXEC"},
    {"exec-sql-dclgen.cpy", "", "DCLEMP-PLAIN.cpy"},
    {"exec-sql-include.cpy", "", "HOSTVARS-PLAIN.cpy"},
    {"level-out-of-range.cpy",
     "level-out-of-range.cpy:2:12: 50 is not a level number (01 to 49, 66, 77, 78 or 88)"},
    {"literal-unclosed.cpy", "literal-unclosed.cpy:2:48: the literal is not closed"},
    {"not-binary.cpy", "not-binary.cpy is not a COBOL data description: it holds NUL bytes", "-"},
    {"not-comments-only.cpy",
     "not-comments-only.cpy is not a COBOL data description: no data description entry found", "-"},
    {"not-empty.cpy",
     "not-empty.cpy is not a COBOL data description: no data description entry found", "-"},
    {"not-prose.cpy",
     "not-prose.cpy is not a COBOL data description: it starts with 'This', not with a level "
     "number",
     "-"},
    {"redef-larger.cpy", "", nullptr,
     "Field 3 (LONG-ONE): it is larger (10 bytes) than SHORT-ONE (2 bytes), which -std=default "
     "refuses"},
    {"redef-sibling-level.cpy",
     "redef-sibling-level.cpy:4:12: REDEFINES A1: A1 must be the item before, at the same level"},
    {"redef-wrong-name.cpy",
     "redef-wrong-name.cpy:4:12: REDEFINES A: A must be the item before, at the same level"},
    {"renames-unknown.cpy",
     "renames-unknown.cpy:3:8: RENAMES RN-NONE: no such item in the record before it"},
    {"usage-float-extended.cpy",
     "usage-float-extended.cpy:2:32: 'FLOAT-EXTENDED' is a reserved word, but isn't supported"},
    {"usage-function-pointer.cpy",
     "usage-function-pointer.cpy:2:32: 'FUNCTION-POINTER' is a reserved word, but isn't supported"},
    {"usage-pic-with-binary-long.cpy",
     "usage-pic-with-binary-long.cpy:2:12: a USAGE that fixes the size (COMP-1, COMP-2, INDEX, "
     "POINTER, BINARY-LONG, FLOAT-LONG, ...) takes no PICTURE"},
};

TEST(CompilerCorpus, EveryCopybookReadsAsCobcLaysItOutOrIsRefusedAsCobcDoes)
{
    SKIP_WITHOUT_COBC();
    const QString corpus = QStringLiteral(ORVANE_SOURCE_DIR "/tests/data/corpus");
    const QStringList includes{corpus, corpus + QStringLiteral("/members")};
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::map<Dialect, int> agree;
    // Only failures are recorded: a row agrees when it added none.
    const ::testing::TestResult &result =
        *::testing::UnitTest::GetInstance()->current_test_info()->result();
    const QStringList files = QDir(corpus).entryList({QStringLiteral("*.cpy")}, QDir::Files);
    ASSERT_GE(files.size(), 60);
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        const auto special = std::find_if(std::begin(kCorpus), std::end(kCorpus),
                                          [&](const CorpusRow &r) { return name == r.file; });
        const CorpusRow row = special != std::end(kCorpus) ? *special : CorpusRow{""};
        const ReadResult read =
            ReadDataDescriptionFile(corpus + u'/' + name, ReadOptions{{}, {}, {includes[1]}});
        const QString program =
            kSkeleton.arg(QStringLiteral("       COPY \"%1\".\n")
                              .arg(row.compileAs ? QString::fromLatin1(row.compileAs) : name));
        for (Dialect dialect : {Dialect::Default, Dialect::Ibm, Dialect::Mf}) {
            SCOPED_TRACE("-std=" + DialectName(dialect).toStdString());
            const int failedBefore = result.total_part_count();
            if (*row.refusal) {
                const QString refusal = read.errorText().remove(corpus + u'/');
                EXPECT_EQ(refusal.toStdString(), row.refusal);
                const bool cobcRefuses =
                    row.compileAs != nullptr ||
                    !symbols(program, dialect, dir, includes).messages.isEmpty();
                EXPECT_TRUE(cobcRefuses) << "cobc accepts it";
            } else {
                EXPECT_TRUE(read.ok()) << read.errorText().toStdString();
                if (!read.ok())
                    continue;
                FieldTree tree;
                ImportEntries(tree, read);
                const StorageMap map = BuildStorageMap(tree, dialect);
                const Listing listing = symbols(program, dialect, dir, includes);
                if (row.mapError && dialect == Dialect::Default) {
                    EXPECT_EQ(map.errors.join(u'\n').toStdString(), row.mapError);
                    EXPECT_FALSE(listing.messages.isEmpty()) << "cobc accepts it";
                } else {
                    EXPECT_TRUE(map.errors.isEmpty()) << map.errors.join(u'\n').toStdString();
                    EXPECT_TRUE(listing.messages.isEmpty()) << listing.messages.toStdString();
                    EXPECT_EQ(listing.items, mapRows(map));
                    // The layout generated again compiles to the same sizes.
                    const Listing again = symbols(
                        *InsertAfterWorkingStorage(kSkeleton.arg(QString()), GenerateCode(tree)),
                        dialect, dir, includes);
                    EXPECT_EQ(again.items, mapRows(map)) << again.messages.toStdString();
                }
            }
            agree[dialect] += result.total_part_count() == failedBefore;
        }
    }
    for (const auto &[dialect, rows] : agree)
        std::printf("corpus -std=%s: %d of %lld copybooks agree with cobc\n",
                    qPrintable(DialectName(dialect)), rows, qlonglong(files.size()));
}

} // namespace
