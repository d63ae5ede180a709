// Undo and redo on the core: the steps of Remove All and of one removal from large layouts,
// and the memory a 1M-field layout needs through Remove All and its undo.

#include "model/Reshape.h"
#include "model/TreeHistory.h"

#include "PeakMemory.h"

#include <benchmark/benchmark.h>

using namespace orvane;

namespace
{

// Groups of ten fields, each with its positions.
void groups(FieldTree &tree, int fields)
{
    int group = 0;
    for (int i = 0; i < fields; ++i) {
        const int n =
            i % 10 == 0
                ? (group = tree.add(0, Relationship::Last, QStringLiteral("01 G-%1.").arg(i)))
                : tree.add(group, Relationship::Child,
                           QStringLiteral("05 F-%1 \u00A0PIC X(10).").arg(i));
        tree.setTag(n, QStringLiteral("%1:%2").arg(i * 10 + 1).arg(i * 10 + 10));
    }
}

// In a child process, so that the high-water mark is this layout's alone: the peak after
// building it, then after Remove All, its undo and its redo, both less what the process held
// before building.
void BM_PeakMemoryRemoveAllAndUndo1M(benchmark::State &state)
{
    for (auto _ : state)
        bench::reportPeaks(state, [](bool &ok) {
            const long base = bench::startMeasuring();
            FieldTree tree;
            groups(tree, 1000000);
            const long layout = bench::statusKb("VmHWM:") - base;
            TreeJournal journal;
            tree.setJournal(&journal);
            RemoveAllNodes(tree);
            TreeStep step = journal.take();
            step.undo(tree);
            step.redo(tree);
            step.undo(tree);
            ok = tree.count() == 1000000;
            return bench::Peaks{layout, bench::statusKb("VmHWM:") - base};
        });
}
// First, before this process has held a large tree whose freed pages a child would reuse.
BENCHMARK(BM_PeakMemoryRemoveAllAndUndo1M)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_UndoRedoRemoveAll(benchmark::State &state)
{
    FieldTree tree;
    groups(tree, int(state.range(0)));
    TreeJournal journal;
    tree.setJournal(&journal);
    RemoveAllNodes(tree);
    TreeStep step = journal.take();
    for (auto _ : state) {
        step.undo(tree);
        step.redo(tree);
    }
    state.counters["fields"] = double(state.range(0));
}
BENCHMARK(BM_UndoRedoRemoveAll)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The removed record's nodes go back at their old numbers: one pass over the collection.
void BM_UndoRedoRemoveOfRecordIn1M(benchmark::State &state)
{
    FieldTree tree;
    groups(tree, 1000000);
    TreeJournal journal;
    tree.setJournal(&journal);
    RemoveNode(tree, tree.topLevelAt(tree.topLevelCount() / 2));
    TreeStep step = journal.take();
    for (auto _ : state) {
        step.undo(tree);
        step.redo(tree);
    }
}
BENCHMARK(BM_UndoRedoRemoveOfRecordIn1M)->Unit(benchmark::kMillisecond);

} // namespace
