#pragma once

// Replays a fuzzer's seed files through its entry point in every test run (and so under the
// sanitizers), so a regression shows without a fuzzing session.

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

namespace orvane::testing
{

// Every file in the folders (named from the source tree's root) must be taken with 0; there
// must be at least `minimum` of them, so an emptied corpus does not pass unnoticed.
inline void replaySeeds(int (*entry)(const uint8_t *, size_t), const QStringList &folders,
                        int minimum)
{
    QStringList seeds;
    for (const QString &folder : folders) {
        const QDir dir(QStringLiteral(ORVANE_SOURCE_DIR "/") + folder);
        for (const QString &name : dir.entryList(QDir::Files))
            seeds << dir.filePath(name);
    }
    ASSERT_GE(seeds.size(), minimum);
    for (const QString &seed : seeds) {
        QFile file(seed);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << seed.toStdString();
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(entry(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())),
                  0)
            << seed.toStdString();
    }
}

} // namespace orvane::testing
