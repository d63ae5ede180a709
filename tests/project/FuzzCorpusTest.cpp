// Replays the fuzzer's seed corpus through the fuzz target in every test run (and so under the
// sanitizers in CI), so that a regression in the reader, generator or writer shows up without
// a fuzzing session.

#include "../../fuzz/fuzz_project.cpp"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(FuzzCorpus, EverySeedLoadsGeneratesAndSavesConsistently)
{
    const QDir corpus(QStringLiteral(ORVANE_SOURCE_DIR "/fuzz/corpus"));
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
