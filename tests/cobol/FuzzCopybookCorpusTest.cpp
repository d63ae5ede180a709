// Replays the copybook fuzzer's seeds, and the compiler test's copybooks that seed it too, in
// every test run (and so under the sanitizers), so a regression in the reader or the storage
// map shows without a fuzzing session.

#include "../../fuzz/fuzz_copybook.cpp"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(FuzzCopybookCorpus, EverySeedReadsImportsAndLaysOut)
{
    QStringList seeds;
    for (const char *folder : {"/fuzz/corpus_copybook", "/tests/data/copybooks"}) {
        const QDir dir(QStringLiteral(ORVANE_SOURCE_DIR) + QLatin1String(folder));
        for (const QString &name : dir.entryList(QDir::Files))
            seeds << dir.filePath(name);
    }
    ASSERT_GE(seeds.size(), 8);
    for (const QString &name : seeds) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                                         size_t(bytes.size())),
                  0);
    }
}
