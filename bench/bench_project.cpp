// Reading and writing project files of 100k records, in memory and through a real file.

#include "model/FieldTree.h"
#include "project/ProjectFile.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <vector>

using namespace orvane;

namespace
{

// A realistic shape: records of groups and elementary fields three to four levels deep.
void buildLayout(FieldTree &tree, int count)
{
    static const QString texts[] = {
        QStringLiteral("01 CUSTOMER-RECORD."),
        QStringLiteral("05 CUST-NAME."),
        QStringLiteral("10 CUST-LAST-NAME \u00A0PIC X(30) \u00A0VALUE SPACES."),
        QStringLiteral("10 CUST-FIRST-NAME \u00A0PIC X(20)."),
        QStringLiteral("05 CUST-ORDERS OCCURS 12 TIMES ASCENDING KEY IS ORDER-DATE INDEXED "
                       "BY ORD-IX."),
        QStringLiteral("10 ORDER-DATE."),
        QStringLiteral("15 ORDER-YEAR \u00A0PIC 9(4)."),
        QStringLiteral("15 ORDER-MONTH \u00A0PIC 9(2)."),
        QStringLiteral("10 ORDER-AMOUNT \u00A0PIC S9(7)V99 \u00A0VALUE ZERO."),
        QStringLiteral("88 ORDER-EMPTY \u00A0VALUE 0."),
    };
    static const int depths[] = {1, 2, 3, 3, 2, 3, 4, 4, 3, 4};
    std::vector<int> lastAt(5, 0);
    for (int i = 0; i < count; ++i) {
        const int k = i % 10;
        const int d = depths[k];
        const int idx = d == 1 ? tree.add(0, Relationship::Last, texts[k])
                               : tree.add(lastAt[size_t(d - 1)], Relationship::Child, texts[k]);
        tree.setTag(idx, QStringLiteral("%1:%2").arg(i + 1).arg(i + 30));
        lastAt[size_t(d)] = idx;
    }
}

QByteArray fileBytes(int count)
{
    FieldTree tree;
    buildLayout(tree, count);
    QByteArray bytes;
    bytes.reserve(qsizetype(count) * ProjectRecordSize);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    SaveNodes(tree, buffer);
    return bytes;
}

void BM_ReadBuffer(benchmark::State &state)
{
    QByteArray bytes = fileBytes(int(state.range(0)));
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        FieldTree tree;
        LoadNodes(tree, buffer);
        benchmark::DoNotOptimize(tree.count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_WriteBuffer(benchmark::State &state)
{
    FieldTree tree;
    buildLayout(tree, int(state.range(0)));
    for (auto _ : state) {
        // QBuffer grows its array to the exact size on every write; reserving keeps the
        // measurement on the writer rather than on repeated reallocation.
        QByteArray bytes;
        bytes.reserve(state.range(0) * ProjectRecordSize);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        SaveNodes(tree, buffer);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReadFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("big.qel");
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(fileBytes(int(state.range(0))));
    }
    for (auto _ : state) {
        FieldTree tree;
        LoadNodes(tree, path);
        benchmark::DoNotOptimize(tree.count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Through QSaveFile: temporary file, then the rename over the old one.
void BM_WriteFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("big.qel");
    FieldTree tree;
    buildLayout(tree, int(state.range(0)));
    for (auto _ : state) {
        const ProjectResult r = SaveNodes(tree, path);
        if (!r.ok())
            state.SkipWithError(r.message.toUtf8().constData());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A file nested as deep as it has records: the hostile case must stay linear.
void BM_ReadDeep(benchmark::State &state)
{
    const int count = int(state.range(0));
    FieldTree deep;
    int parent = deep.add(0, Relationship::Last, "01 A.");
    for (int i = 1; i < count; ++i)
        parent = deep.add(parent, Relationship::Child, "05 B.");
    QByteArray bytes;
    bytes.reserve(qsizetype(count) * ProjectRecordSize);
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        SaveNodes(deep, buffer);
    }
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        FieldTree tree;
        LoadNodes(tree, buffer);
        benchmark::DoNotOptimize(tree.count());
    }
    state.SetItemsProcessed(state.iterations() * count);
}

} // namespace

BENCHMARK(BM_ReadBuffer)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBuffer)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFile)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFile)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDeep)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
