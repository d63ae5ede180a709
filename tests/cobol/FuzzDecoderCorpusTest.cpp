// Replays the record decoder fuzzer's seeds in every test run (and so under the sanitizers).
// The copybook fuzzer's entry point lives in this program too, hence the new name.

#define LLVMFuzzerTestOneInput FuzzDecoderOneInput
#include "../../fuzz/fuzz_decoder.cpp"
#undef LLVMFuzzerTestOneInput

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(FuzzDecoderCorpus, EverySeedDecodes)
{
    const QDir dir(QStringLiteral(ORVANE_SOURCE_DIR "/fuzz/corpus_decoder"));
    const QStringList names = dir.entryList(QDir::Files);
    ASSERT_GE(names.size(), 4);
    for (const QString &name : names) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(FuzzDecoderOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                                      size_t(bytes.size())),
                  0);
    }
}
