// `orvane-cli view --format csv` over a file of 1 million 300-byte records of every usage,
// and the core decoder alone over the same records; opening a 1 GB file (mapping and shape).

#include "Cli.h"

#include "cobol/CopybookReader.h"
#include "cobol/DataFile.h"
#include "cobol/RecordDecoder.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace orvane;
using namespace orvane::cobol;

namespace
{

// 300 bytes: text, zoned, packed, binary, floats and a table.
const char kLayout[] = "01 REC.\n"
                       "   05 KEY PIC 9(10).\n"
                       "   05 NAME PIC X(40).\n"
                       "   05 CITY PIC X(30).\n"
                       "   05 AMOUNTS PIC S9(7)V99 OCCURS 10.\n"
                       "   05 PACKED PIC S9(9)V99 COMP-3 OCCURS 10.\n"
                       "   05 COUNTS PIC S9(9) COMP OCCURS 10.\n"
                       "   05 RATE COMP-2.\n"
                       "   05 FILLER PIC X(72).\n";
constexpr qint64 kRecords = 1000000;
constexpr qint64 kLength = 300;

QByteArray record(qint64 n)
{
    QByteArray r = QByteArray::number(n).rightJustified(10, '0');
    r += QByteArray("CUSTOMER ") + QByteArray::number(n % 977);
    r = r.leftJustified(50, ' ');
    r += QByteArray("SPRINGFIELD").leftJustified(30, ' ');
    for (int i = 0; i < 10; ++i)
        r += QByteArray::number((n * 7 + i) % 1000000000).rightJustified(8, '0') +
             (i % 2 ? 'p' : '5');
    for (int i = 0; i < 10; ++i)
        r += QByteArray::fromHex("00012345678C");
    for (int i = 0; i < 10; ++i)
        r += QByteArray::fromHex("FFFFFF85");
    r += QByteArray::fromHex("000000000000F03F");
    r += QByteArray(72, ' ');
    return r;
}

struct Fixture {
    QTemporaryDir dir;
    QString layout;
    QString data;
    Fixture()
    {
        layout = dir.filePath(QStringLiteral("rec.cpy"));
        data = dir.filePath(QStringLiteral("rec.dat"));
        QFile l(layout);
        (void)l.open(QIODevice::WriteOnly);
        l.write(kLayout);
        QFile d(data);
        (void)d.open(QIODevice::WriteOnly);
        QByteArray block;
        for (qint64 n = 0; n < 1000; ++n)
            block += record(n);
        for (qint64 n = 0; n < kRecords / 1000; ++n)
            d.write(block);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// A device that counts and drops what is written, as a pipe to a fast reader would.
class Sink : public QIODevice
{
public:
    qint64 written = 0;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 len) override
    {
        written += len;
        return len;
    }
};

void BM_ViewCsvMillionRecords(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        Sink out;
        Sink err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const int status = cli::run({QStringLiteral("view"), f.data, QStringLiteral("--layout"),
                                     f.layout, QStringLiteral("--format"), QStringLiteral("csv")},
                                    out, err);
        if (status != 0 || out.written == 0)
            state.SkipWithError("view failed");
        benchmark::DoNotOptimize(out.written);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_ViewCsvMillionRecords)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(3);

void BM_OpenGigabyteFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.dat"));
    QFile big(path);
    (void)big.open(QIODevice::WriteOnly);
    big.resize(qint64(1) << 30); // sparse: no gigabyte written to the shared disk
    big.close();
    for (auto _ : state) {
        DataFile file;
        QString error;
        if (!file.open(path, error))
            state.SkipWithError("open failed");
        const FileShape shape = ShapeOf(file.data(), file.size(), kLength, LineEnds::Auto);
        benchmark::DoNotOptimize(shape.records);
    }
}
BENCHMARK(BM_OpenGigabyteFile)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace
