// Tree operations at the sizes a large shop's copybooks reach.

#include "model/FieldClause.h"
#include "model/FieldTree.h"
#include "model/Placement.h"
#include "model/Positions.h"
#include "model/Subtree.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

using namespace orvane;

namespace
{

// Clause texts of a realistic record: a group of groups with elementary fields, cycled.
const QString kTexts[] = {
    QStringLiteral("01 CUSTOMER-RECORD."),
    QStringLiteral("05 CUST-ID \u00A0PIC 9(8)."),
    QStringLiteral("05 CUST-NAME."),
    QStringLiteral("10 CUST-LAST-NAME \u00A0PIC X(30) \u00A0VALUE SPACES."),
    QStringLiteral("10 CUST-FIRST-NAME \u00A0PIC X(20)."),
    QStringLiteral("05 CUST-BALANCE \u00A0PIC S9(9)V99 \u00A0VALUE ZERO."),
    QStringLiteral("88 CUST-IN-CREDIT \u00A0VALUE 0."),
    QStringLiteral("05 CUST-ORDERS OCCURS 12 TIMES ASCENDING KEY IS ORDER-DATE INDEXED BY ORD-IX."),
    QStringLiteral("10 ORDER-DATE \u00A0PIC 9(8)."),
    QStringLiteral("10 ORDER-AMOUNT \u00A0PIC S9(7)V99."),
};
constexpr int kLengths[] = {0, 8, 0, 30, 20, 11, 0, 0, 8, 9};

int addField(FieldTree &tree, int i)
{
    const int k = i % 10;
    PlacementAnswers answers{ConditionAnswer::Child, true};
    return AddField(tree, CurrentNodeIndex(tree, 0), kTexts[k], answers,
                    {false, {}, {}, QString::number(kLengths[k])});
}

void buildTree(FieldTree &tree, int fields)
{
    for (int i = 0; i < fields; ++i)
        addField(tree, i);
}

long peakRssKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

void BM_AddFields(benchmark::State &state)
{
    for (auto _ : state) {
        FieldTree tree;
        buildTree(tree, int(state.range(0)));
        benchmark::DoNotOptimize(tree.count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AddFields)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One more field added to a tree that already holds 100k.
void BM_AddOneFieldTo100k(benchmark::State &state)
{
    FieldTree tree;
    buildTree(tree, 100000);
    int i = 100000;
    for (auto _ : state)
        benchmark::DoNotOptimize(addField(tree, i++));
}
BENCHMARK(BM_AddOneFieldTo100k)->Unit(benchmark::kMicrosecond);

// Removes a record from the middle of a 100k-field tree (and puts one back, untimed).
void BM_RemoveSubtree100k(benchmark::State &state)
{
    FieldTree tree;
    buildTree(tree, 100000);
    for (auto _ : state) {
        const int middle = tree.topLevelAt(tree.topLevelCount() / 2);
        tree.remove(middle);
        state.PauseTiming();
        const int last = tree.topLevelAt(tree.topLevelCount() - 1);
        FieldTree record;
        buildTree(record, 10);
        CopySubtree(record, tree, Relationship::Next, last, 1, 1);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RemoveSubtree100k)->Unit(benchmark::kMicrosecond);

// Move down as the window does it: out into the scratch tree, back in after the next sibling.
void BM_MoveSubtreeDown100k(benchmark::State &state)
{
    FieldTree tree;
    buildTree(tree, 100000);
    FieldTree temp;
    for (auto _ : state) {
        const int n = tree.topLevelAt(tree.topLevelCount() / 2);
        const int m = tree.next(n);
        const int mRow = tree.node(m)->row();
        MoveSubtree(tree, temp, n);
        CopySubtree(temp, tree, Relationship::Next, tree.topLevelAt(mRow - 1), 1, 1);
        temp.clear();
    }
}
BENCHMARK(BM_MoveSubtreeDown100k)->Unit(benchmark::kMicrosecond);

void BM_PeakMemory1M(benchmark::State &state)
{
    for (auto _ : state) {
        FieldTree tree;
        buildTree(tree, 1000000);
        state.counters["peak_rss_MiB"] = double(peakRssKb()) / 1024.0;
    }
}
BENCHMARK(BM_PeakMemory1M)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
