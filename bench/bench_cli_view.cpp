// `orvane-cli view --format csv` over a file of 1 million 300-byte records of every usage;
// over 1 million 300-byte EBCDIC records of zoned numbers and text beside `iconv -f CP037 -t
// LATIN1` transcoding the same file; opening a 1 GB file (mapping and shape).

#include "Cli.h"

#include "cobol/CodePages.h"
#include "cobol/CopybookReader.h"
#include "cobol/DataFile.h"
#include "cobol/RecordDecoder.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

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

// `view DATA --layout LAYOUT --format csv` and the options given, its output thrown away.
void viewCsv(benchmark::State &state, const QString &data, const QString &layout,
             const QStringList &options)
{
    for (auto _ : state) {
        Sink out;
        Sink err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        const int status =
            cli::run(QStringList{QStringLiteral("view"), data, QStringLiteral("--layout"), layout,
                                 QStringLiteral("--format"), QStringLiteral("csv")} +
                         options,
                     out, err);
        if (status != 0 || out.written == 0)
            state.SkipWithError("view failed");
        benchmark::DoNotOptimize(out.written);
    }
}

void BM_ViewCsvMillionRecords(benchmark::State &state)
{
    viewCsv(state, fixture().data, fixture().layout, {});
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_ViewCsvMillionRecords)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(3);

// 300 bytes in 13 fields, as a mainframe customer extract has them.
const char kEbcdicLayout[] = "01 CUSTOMER.\n"
                             "   05 CUST-KEY PIC 9(10).\n"
                             "   05 CUST-NAME PIC X(40).\n"
                             "   05 ADDR-1 PIC X(40).\n"
                             "   05 ADDR-2 PIC X(40).\n"
                             "   05 CITY PIC X(30).\n"
                             "   05 STATE PIC XX.\n"
                             "   05 ZIP PIC 9(9).\n"
                             "   05 PHONE PIC X(15).\n"
                             "   05 BALANCE PIC S9(9)V99.\n"
                             "   05 CREDIT-LIMIT PIC S9(9)V99.\n"
                             "   05 OPENED PIC 9(8).\n"
                             "   05 STATUS-CODE PIC X(4).\n"
                             "   05 NOTES PIC X(80).\n";

struct EbcdicFixture {
    QTemporaryDir dir;
    QString layout = dir.filePath(QStringLiteral("customer.cpy"));
    QString data = dir.filePath(QStringLiteral("customer.dat"));
    EbcdicFixture()
    {
        QFile l(layout);
        (void)l.open(QIODevice::WriteOnly);
        l.write(kEbcdicLayout);
        unsigned char toEbcdic[256];
        for (int c = 0; c < 256; ++c)
            toEbcdic[c] =
                static_cast<unsigned char>(std::max(0, EncodeChar(char16_t(c), Encoding::Cp037)));
        QByteArray block;
        for (qint64 n = 0; n < 1000; ++n) {
            QByteArray r = QByteArray::number(n * 7919).rightJustified(10, '0');
            r += QByteArray("CUSTOMER NUMBER ") + QByteArray::number(n);
            r = r.leftJustified(50, ' ');
            r += QByteArray("12 MAIN STREET").leftJustified(40, ' ');
            r += QByteArray("SUITE ") + QByteArray::number(n % 300);
            r = r.leftJustified(130, ' ');
            r += QByteArray("SPRINGFIELD").leftJustified(30, ' ') + "IL";
            r += QByteArray::number(627010000 + n).rightJustified(9, '0');
            r += QByteArray("217-555-0100").leftJustified(15, ' ');
            QByteArray balance =
                QByteArray::number(n * 12345 % 100000000000).rightJustified(11, '0');
            QByteArray limit = QByteArray::number(n * 500).rightJustified(11, '0');
            r += balance + limit + "20260131" + "OPEN";
            r += QByteArray("NO NOTES").leftJustified(80, ' ');
            for (char &c : r)
                c = char(toEbcdic[static_cast<unsigned char>(c)]);
            // Signs as the mainframe zones them: minus on odd balances.
            r[196] = char((n % 2 ? 0xD0 : 0xC0) | (r[196] & 0x0F));
            r[207] = char(0xC0 | (r[207] & 0x0F));
            block += r;
        }
        QFile d(data);
        (void)d.open(QIODevice::WriteOnly);
        for (qint64 n = 0; n < kRecords / 1000; ++n)
            d.write(block);
    }
};

EbcdicFixture &ebcdic()
{
    static EbcdicFixture f;
    return f;
}

void BM_ViewCsvEbcdic(benchmark::State &state)
{
    viewCsv(state, ebcdic().data, ebcdic().layout,
            {QStringLiteral("--encoding"), QStringLiteral("cp037")});
    state.SetBytesProcessed(state.iterations() * kRecords * kLength);
}
BENCHMARK(BM_ViewCsvEbcdic)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(3);

// The same file through the iconv program, its output thrown away.
void BM_IconvEbcdic(benchmark::State &state)
{
    EbcdicFixture &f = ebcdic();
    const QString iconv = QStandardPaths::findExecutable(QStringLiteral("iconv"));
    if (iconv.isEmpty()) {
        state.SkipWithError("iconv is not installed");
        return;
    }
    rusage before{};
    getrusage(RUSAGE_CHILDREN, &before);
    for (auto _ : state) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(iconv, {QStringLiteral("-f"), QStringLiteral("CP037"), QStringLiteral("-t"),
                        QStringLiteral("LATIN1"), f.data});
        if (!p.waitForFinished(-1) || p.exitCode() != 0)
            state.SkipWithError("iconv failed");
    }
    // The child's processor time, to set beside the process time of the view above.
    rusage after{};
    getrusage(RUSAGE_CHILDREN, &after);
    auto ms = [](const timeval &t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    state.counters["iconv_cpu_ms"] = benchmark::Counter(
        (ms(after.ru_utime) + ms(after.ru_stime) - ms(before.ru_utime) - ms(before.ru_stime)) /
        double(state.iterations()));
    state.SetBytesProcessed(state.iterations() * kRecords * kLength);
}
BENCHMARK(BM_IconvEbcdic)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

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
