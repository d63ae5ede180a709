// Undo and redo on the core: the steps of Remove All and of one removal from large layouts,
// and the memory a 1M-field layout needs through Remove All and its undo.

#include "model/Reshape.h"
#include "model/TreeHistory.h"

#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

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

long statusKb(const char *key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::string(key).size()));
    return 0;
}

// In a child process, so that the high-water mark is this layout's alone: the peak after
// building it, then after Remove All, its undo and its redo, both less what the process held
// before building.
void BM_PeakMemoryRemoveAllAndUndo1M(benchmark::State &state)
{
    for (auto _ : state) {
        int pipeFd[2];
        if (pipe(pipeFd) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        const pid_t child = fork();
        if (child == 0) {
            // A forked process starts with its parent's high-water mark; start it afresh.
            std::ofstream("/proc/self/clear_refs") << "5";
            const long base = statusKb("VmRSS:");
            FieldTree tree;
            groups(tree, 1000000);
            const long layout = statusKb("VmHWM:") - base;
            TreeJournal journal;
            tree.setJournal(&journal);
            RemoveAllNodes(tree);
            TreeStep step = journal.take();
            step.undo(tree);
            step.redo(tree);
            step.undo(tree);
            const long peak = statusKb("VmHWM:") - base;
            long out[2] = {layout, peak};
            const ssize_t written = write(pipeFd[1], out, sizeof out);
            _exit(written == sizeof out && tree.count() == 1000000 ? 0 : 1);
        }
        long in[2] = {0, 0};
        const ssize_t got = read(pipeFd[0], in, sizeof in);
        int status = 0;
        waitpid(child, &status, 0);
        close(pipeFd[0]);
        close(pipeFd[1]);
        if (got != sizeof in || status != 0) {
            state.SkipWithError("the measuring process failed");
            return;
        }
        state.counters["layout_MiB"] = double(in[0]) / 1024.0;
        state.counters["peak_MiB"] = double(in[1]) / 1024.0;
        state.counters["ratio"] = double(in[1]) / double(in[0]);
    }
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
