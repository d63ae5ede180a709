// Replays the copybook fuzzer's seeds in every test run (and so under the sanitizers), so a
// regression in the reader or the storage map shows without a fuzzing session.

#include "../../fuzz/fuzz_copybook.cpp"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(FuzzCopybookCorpus, EverySeedReadsImportsAndLaysOut)
{
    const QDir corpus(QStringLiteral(ORVANE_SOURCE_DIR "/fuzz/corpus_copybook"));
    const QStringList seeds = corpus.entryList(QDir::Files);
    ASSERT_GE(seeds.size(), 5);
    for (const QString &name : seeds) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                                         size_t(bytes.size())),
                  0);
    }
}
