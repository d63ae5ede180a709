// GnuCOBOL judges the storage map: for each copybook under tests/data/copybooks and
// tests/data/corpus and each dialect, every item's size in cobc's symbol table must be the map's;
// and the copybook imported and generated again must compile to the same sizes.

#include "CobolTestSupport.h"

#include "cobol/CompilerMessages.h"
#include "codegen/CodeGenerator.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>

using namespace orvane;
using namespace orvane::cobol;

namespace
{

struct Listing {
    QStringList items; // "LEVEL NAME SIZE" per item with storage, in order
    QString messages;  // what cobc said when it failed
};

// Compiles the program and reads the symbol table of its listing.
Listing symbols(const QString &cobc, const QString &program, Dialect dialect,
                const QTemporaryDir &dir, const QStringList &includeDirs)
{
    Listing listing;
    const QString lst = dir.filePath(QStringLiteral("sizes.lst"));
    QStringList arguments{QStringLiteral("-std=") + DialectName(dialect),
                          QStringLiteral("-fsyntax-only"), QStringLiteral("-t"), lst,
                          QStringLiteral("-ftsymbols")};
    for (const QString &include : includeDirs)
        arguments << QStringLiteral("-I") << include;
    listing.messages = orvane::testing::compile(cobc, dir.path(), program, arguments);
    if (!listing.messages.isEmpty())
        return listing;
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

// The corpus: one or a few small copybooks per construct, and a few whole records. A copybook
// without a row, or with a row without a refusal, must read, and its map must match cobc's
// symbol table in every dialect; a refused one must give its message, and cobc must refuse it
// too unless `compileAs` is "-" (no data description at all, which the compiler takes as an
// empty copybook). `compileAs` names the member cobc compiles in its place where it cannot read
// the original (EXEC SQL needs a precompiler).
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
    COBC_OR_SKIP(cobc);
    const QString corpus = QStringLiteral(ORVANE_SOURCE_DIR "/tests/data/corpus");
    const QString records = QStringLiteral(ORVANE_SOURCE_DIR "/tests/data/copybooks");
    const QStringList includes{corpus, corpus + QStringLiteral("/members"), records};
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::map<Dialect, int> agree;
    // Only failures are recorded: a row agrees when it added none.
    const ::testing::TestResult &result =
        *::testing::UnitTest::GetInstance()->current_test_info()->result();
    QStringList files = QDir(corpus).entryList({QStringLiteral("*.cpy")}, QDir::Files);
    ASSERT_GE(files.size(), 60);
    files += QDir(records).entryList({QStringLiteral("*.cpy")}, QDir::Files);
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        const auto special = std::find_if(std::begin(kCorpus), std::end(kCorpus),
                                          [&](const CorpusRow &r) { return name == r.file; });
        const CorpusRow row = special != std::end(kCorpus) ? *special : CorpusRow{""};
        const QString folder = QFile::exists(corpus + u'/' + name) ? corpus : records;
        const ReadResult read =
            ReadDataDescriptionFile(folder + u'/' + name, ReadOptions{{}, {}, {includes[1]}});
        const QString program =
            wrapDataItems(QStringLiteral("       COPY \"%1\".\n")
                              .arg(row.compileAs ? QString::fromLatin1(row.compileAs) : name))
                .text;
        for (Dialect dialect : {Dialect::Default, Dialect::Ibm, Dialect::Mf}) {
            SCOPED_TRACE("-std=" + DialectName(dialect).toStdString());
            const int failedBefore = result.total_part_count();
            if (*row.refusal) {
                const QString refusal = read.errorText().remove(folder + u'/');
                EXPECT_EQ(refusal.toStdString(), row.refusal);
                const bool cobcRefuses =
                    row.compileAs != nullptr ||
                    !symbols(cobc, program, dialect, dir, includes).messages.isEmpty();
                EXPECT_TRUE(cobcRefuses) << "cobc accepts it";
            } else {
                EXPECT_TRUE(read.ok()) << read.errorText().toStdString();
                if (!read.ok())
                    continue;
                FieldTree tree;
                ImportEntries(tree, read);
                const StorageMap map = BuildStorageMap(tree, dialect);
                const Listing listing = symbols(cobc, program, dialect, dir, includes);
                if (row.mapError && dialect == Dialect::Default) {
                    EXPECT_EQ(map.errors.join(u'\n').toStdString(), row.mapError);
                    EXPECT_FALSE(listing.messages.isEmpty()) << "cobc accepts it";
                } else {
                    EXPECT_TRUE(map.errors.isEmpty()) << map.errors.join(u'\n').toStdString();
                    EXPECT_TRUE(listing.messages.isEmpty()) << listing.messages.toStdString();
                    EXPECT_EQ(listing.items, mapRows(map));
                    // The layout generated again compiles to the same sizes.
                    const Listing again = symbols(cobc, wrapDataItems(GenerateCode(tree)).text,
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
