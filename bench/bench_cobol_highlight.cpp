// The COBOL line rules alone over 200,000 lines, the work a full highlight does.
#include "editor/CobolHighlightRules.h"

#include <QStringList>

#include <benchmark/benchmark.h>

namespace
{

void BM_CobolLineSpans200k(benchmark::State &state)
{
    const QStringList kinds = {QStringLiteral("000100* A COMMENT LINE ABOUT THE NEXT ENTRY"),
                               QStringLiteral("       05 WS-FIELD PIC X(10) VALUE 'ABC'."),
                               QStringLiteral("           MOVE 12.5 TO WS-FIELD(3)."),
                               QStringLiteral("       10 WS-NUMBER PIC S9(4)V99 COMP-3.") +
                                   QString(40, u' ') + "X"};
    size_t spans = 0;
    for (auto _ : state) {
        orvane::CobolLineState lineState;
        for (int i = 0; i < 200000; ++i)
            spans += orvane::cobolLineSpans(kinds[i % 4], lineState).size();
    }
    benchmark::DoNotOptimize(spans);
}
BENCHMARK(BM_CobolLineSpans200k)->Unit(benchmark::kMillisecond);

} // namespace
