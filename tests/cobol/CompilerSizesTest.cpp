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
Listing symbols(const QString &program, Dialect dialect, const QTemporaryDir &dir)
{
    Listing listing;
    const QString source = dir.filePath(QStringLiteral("sizes.cbl"));
    const QString lst = dir.filePath(QStringLiteral("sizes.lst"));
    orvane::testing::writeBytes(source, program.toLatin1());
    QProcess cobc;
    cobc.setProcessChannelMode(QProcess::MergedChannels);
    cobc.start(QStandardPaths::findExecutable(QStringLiteral("cobc")),
               {QStringLiteral("-std=") + DialectName(dialect), QStringLiteral("-fsyntax-only"),
                QStringLiteral("-I"), kCopybooks, QStringLiteral("-t"), lst,
                QStringLiteral("-ftsymbols"), source});
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

class CompilerSizes : public ::testing::TestWithParam<const char *>
{
};

TEST_P(CompilerSizes, MapAndRegeneratedCodeMatchTheSymbolTable)
{
    if (QStandardPaths::findExecutable(QStringLiteral("cobc")).isEmpty()) {
        if (qEnvironmentVariableIsSet("CI"))
            FAIL() << "cobc not found (Debian package gnucobol3)";
        GTEST_SKIP() << "cobc not found (Debian package gnucobol3)";
    }
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

} // namespace
