// Editing a 1 GiB file of 1,000-byte records: setting a field in 1,000 records spread over it,
// and saving (unchanged runs copied from the mapping, a temporary file renamed over the
// target). Reports the save's time and the heap the edits and the save held.

#include "cobol/CopybookReader.h"
#include "cobol/DataFile.h"
#include "cobol/DataSave.h"
#include "cobol/RecordFields.h"

#include "PeakMemory.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace orvane;
using namespace orvane::cobol;

namespace
{

constexpr qint64 kLength = 1000;
constexpr qint64 kRecords = qint64(1) << 20; // 1 GiB and a little

struct Fixture {
    QTemporaryDir dir;
    QString data = dir.filePath(QStringLiteral("big.dat"));
    RecordLayout layout;
    Fixture()
    {
        QFile d(data);
        (void)d.open(QIODevice::WriteOnly);
        const QByteArray block = QByteArray(kLength * 1024, '0');
        for (qint64 n = 0; n < kRecords / 1024; ++n)
            d.write(block);
        const ReadResult read = ReadDataDescriptions(
            QStringLiteral("01 R.\n 05 K PIC 9(10).\n 05 T PIC X(990).\n"), {});
        FieldTree tree;
        ImportEntries(tree, read);
        QString error;
        BuildRecordLayout(BuildStorageMap(tree, Dialect::Default), {}, layout, error);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// Heap, not the file's mapped pages, which the system may drop at will.
long anonKb()
{
    return bench::statusKb("RssAnon:");
}

void BM_SaveGigabyteWithThousandEdits(benchmark::State &state)
{
    Fixture &f = fixture();
    const QString out = f.dir.filePath(QStringLiteral("out.dat"));
    long heldKb = 0;
    for (auto _ : state) {
        const long before = anonKb();
        DataFile file;
        QString error;
        if (!file.open(f.data, error))
            return state.SkipWithError("cannot open");
        FramingOptions fixed;
        fixed.format = RecordFormat::Fixed;
        fixed.recordLength = kLength;
        const Framing framing = FrameRecords(file.data(), file.size(), fixed);
        const FrameWriter writer(framing, file.data(), file.size());
        RecordEdits edits(writer, file.data(), file.size());
        for (qint64 r = 0; r < kRecords; r += kRecords / 1000)
            SetNamedField(edits, r, f.layout, {}, QStringLiteral("K"), QString::number(r));
        const SaveResult saved = SaveDataFile(edits, out);
        if (!saved.ok)
            return state.SkipWithError("save failed");
        heldKb = std::max(heldKb, anonKb() - before);
    }
    state.counters["file_MiB"] = double(kRecords * kLength) / (1 << 20);
    state.counters["heap_after_save_KiB"] = double(heldKb);
    state.SetBytesProcessed(state.iterations() * kRecords * kLength);
    QFile::remove(out);
}
BENCHMARK(BM_SaveGigabyteWithThousandEdits)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
