// Importing a copybook of 100k entries, and the storage map of a 100k-field layout.

#include "cobol/CopybookReader.h"
#include "cobol/StorageMap.h"

#include <benchmark/benchmark.h>

using namespace orvane;
using namespace orvane::cobol;

namespace
{

// A fixed-format copybook of realistic records, ten entries each, with sequence numbers.
QString copybook(int entries)
{
    static const char *const lines[] = {
        "       01  CUSTOMER-RECORD.",
        "           05  CUST-KEY            PIC 9(8).",
        "           05  CUST-NAME.",
        "               10  CUST-LAST-NAME  PIC X(30) VALUE SPACES.",
        "               10  CUST-FIRST-NAME PIC X(20).",
        "           05  CUST-BALANCE        PIC S9(9)V99 COMP-3.",
        "               88  CUST-ZERO       VALUE ZERO.",
        "           05  CUST-COUNT          PIC S9(4) COMP SYNC.",
        "           05  CUST-ORDERS OCCURS 1 TO 12 DEPENDING ON CUST-COUNT",
        "                                   PIC X(10).",
        "           05  CUST-ALT REDEFINES CUST-ORDERS PIC X(120).",
    };
    QString text;
    text.reserve(entries * 60);
    int entry = 0;
    for (int line = 0; entry < entries; ++line) {
        const char *l = lines[line % 11];
        text += QString::fromLatin1(l);
        text += u'\n';
        if (line % 11 != 9) // the second line of the OCCURS entry is no entry of its own
            ++entry;
    }
    return text;
}

void BM_ImportCopybook(benchmark::State &state)
{
    const QString text = copybook(int(state.range(0)));
    for (auto _ : state) {
        const ReadResult read = ReadDataDescriptions(text, ReadOptions{});
        if (!read.ok())
            state.SkipWithError(read.errorText().toStdString().c_str());
        FieldTree tree;
        ImportEntries(tree, read);
        benchmark::DoNotOptimize(tree.count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ImportCopybook)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_StorageMap(benchmark::State &state)
{
    FieldTree tree;
    ImportEntries(tree, ReadDataDescriptions(copybook(int(state.range(0))), ReadOptions{}));
    for (auto _ : state) {
        const StorageMap map = BuildStorageMap(tree, Dialect::Default);
        benchmark::DoNotOptimize(map.items.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StorageMap)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace
