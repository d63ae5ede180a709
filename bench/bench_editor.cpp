// The editor core on a 10 MB, 200,000-line source: reading and decoding it, finding the one
// match at its end, and working out a Replace All of 100,000 matches.
#include "editor/TextFile.h"
#include "editor/TextSearch.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

namespace
{

using namespace orvane;

// Every other line a MOVE, the last one a STOP RUN; CR LF line ends.
const QByteArray &sourceBytes()
{
    static const QByteArray bytes = [] {
        QByteArray b;
        b.reserve(200000 * 52);
        for (int i = 0; i < 199999; ++i)
            b += QStringLiteral("       %1 WS-FIELD-%2 TO WS-OTHER-%2.     \r\n")
                     .arg(i % 2 ? QStringLiteral("ADD ") : QStringLiteral("MOVE"))
                     .arg(i, 6, 10, QLatin1Char('0'))
                     .toLatin1();
        b += "           STOP RUN.                              \r\n";
        return b;
    }();
    return bytes;
}

void BM_ReadAndDecode10MB(benchmark::State &state)
{
    QByteArray bytes = sourceBytes();
    for (auto _ : state) {
        QBuffer device(&bytes);
        device.open(QIODevice::ReadOnly);
        DecodedText text;
        readTextFile(device, text);
        benchmark::DoNotOptimize(toEditorText(text.text));
    }
}
BENCHMARK(BM_ReadAndDecode10MB)->Unit(benchmark::kMillisecond);

void BM_FindDownToTheEnd(benchmark::State &state)
{
    const QString text = toEditorText(decodeText(sourceBytes()).text);
    const SearchOptions options{state.range(0) != 0, state.range(1) != 0};
    for (auto _ : state)
        benchmark::DoNotOptimize(findDown(text, u"STOP RUN", 0, 0, options));
}
BENCHMARK(BM_FindDownToTheEnd)
    ->ArgNames({"case", "word"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond);

void BM_ReplaceAll100kMatches(benchmark::State &state)
{
    const QString text = toEditorText(decodeText(sourceBytes()).text);
    for (auto _ : state) {
        const auto starts = replaceAllMatches(text, u"move", u"COPY", SearchOptions{});
        benchmark::DoNotOptimize(applyReplacements(text, starts, 4, u"COPY"));
        state.counters["matches"] = double(starts.size());
    }
}
BENCHMARK(BM_ReplaceAll100kMatches)->Unit(benchmark::kMillisecond);

} // namespace
