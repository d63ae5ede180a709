// Undo and redo through the window's actions on a 100,000-field layout, every group open in
// the view: of Remove All, of pasting a 10,000-field group and of 100,000 FILLER items; and the
// memory of a 1M-field layout through Remove All and its undo.
#include "BenchApplication.h"
#include "BenchPlatform.h"
#include "PeakMemory.h"
#include "ui/generator/UndoCommands.h"
#include "ui/window/frmQEL.h"

#include "ui/generator/ClipboardCommands.h"
#include "ui/generator/FieldTreeView.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

using namespace orvane;

struct Window {
    bench::BenchPlatform platform; // says Yes to every question
    std::unique_ptr<frmQEL> window;

    explicit Window(bool holes = false)
    {
        bench::application();
        platform.answer = MessageAnswer::Yes;
        window = std::make_unique<frmQEL>(platform.seams());
        FieldTree &tree = window->fields();
        for (int g = 0; g < 10 && !holes; ++g) {
            const int group =
                tree.add(0, Relationship::Last, QStringLiteral("01 GROUP-%1.").arg(g));
            tree.setTag(group, QStringLiteral("1:99990"));
            for (int f = 0; f < 9999; ++f)
                tree.setTag(tree.add(group, Relationship::Child,
                                     QStringLiteral("05 F-%1 \u00A0PIC X(10).").arg(f)),
                            QStringLiteral("%1:%2").arg(f * 10 + 1).arg(f * 10 + 10));
        }
        if (holes) {
            // One record of 100,000 one-byte fields with a one-byte hole before each.
            const int record = tree.add(0, Relationship::Last, QStringLiteral("01 REC."));
            tree.setTag(record, QStringLiteral("1:200000"));
            for (int f = 0; f < 100000; ++f)
                tree.setTag(tree.add(record, Relationship::Child,
                                     QStringLiteral("05 F-%1 \u00A0PIC X.").arg(f)),
                            QStringLiteral("%1:%1").arg(2 * f + 2));
        }
        window->undoCommands().clear(); // as opened
        window->show();
        window->Timer1_Timer();
        click("cmdExpandCollaplse");
        settle();
    }
    void click(const char *name)
    {
        window->findChild<QPushButton *>(QString::fromLatin1(name))->click();
    }
    void trigger(const char *name)
    {
        window->findChild<QAction *>(QString::fromLatin1(name))->trigger();
    }
    void settle() { QCoreApplication::processEvents(); }
};

// A 1M-field layout in the window, in a child process started before any window exists, so
// that its high-water mark is this layout's: the peak once the layout is shown, and after
// Remove All, its undo, redo and undo again, both less what the empty window held.
void BM_PeakMemoryRemoveAllAndUndo1MInTheWindow(benchmark::State &state)
{
    for (auto _ : state)
        bench::reportPeaks(state, [](bool &ok) {
            bench::application();
            bench::BenchPlatform platform;
            platform.answer = MessageAnswer::Yes;
            frmQEL window(platform.seams());
            window.show();
            QCoreApplication::processEvents();
            const long base = bench::startMeasuring();
            FieldTree &tree = window.fields();
            for (int g = 0; g < 100; ++g) {
                const int group =
                    tree.add(0, Relationship::Last, QStringLiteral("01 G-%1.").arg(g));
                for (int f = 0; f < 9999; ++f)
                    tree.setTag(tree.add(group, Relationship::Child,
                                         QStringLiteral("05 F-%1 \u00A0PIC X(10).").arg(f)),
                                QStringLiteral("%1:%2").arg(f * 10 + 1).arg(f * 10 + 10));
            }
            window.undoCommands().clear(); // as opened
            QCoreApplication::processEvents();
            const long layout = bench::statusKb("VmHWM:") - base;
            auto trigger = [&](const char *name) {
                window.findChild<QAction *>(QString::fromLatin1(name))->trigger();
                QCoreApplication::processEvents();
            };
            window.findChild<QPushButton *>(QStringLiteral("cmdRemoveAll"))->click();
            QCoreApplication::processEvents();
            trigger("undo");
            trigger("redo");
            trigger("undo");
            ok = tree.count() == 1000000;
            return bench::Peaks{layout, bench::statusKb("VmHWM:") - base};
        });
}
// First, while this process has no window yet.
BENCHMARK(BM_PeakMemoryRemoveAllAndUndo1MInTheWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

// Times the undo (or the redo) of the step the window was given; the other runs untimed.
// Reports the fields after the undo.
void undoRedo(benchmark::State &state, Window &w, bool timeRedo)
{
    int undone = 0;
    for (auto _ : state) {
        if (timeRedo)
            state.PauseTiming();
        w.trigger("undo");
        w.settle();
        if (timeRedo)
            state.ResumeTiming();
        else
            state.PauseTiming();
        undone = w.window->fields().count();
        w.trigger("redo");
        w.settle();
        if (!timeRedo)
            state.ResumeTiming();
    }
    state.counters["fields_after_undo"] = undone;
    state.counters["fields_after_redo"] = w.window->fields().count();
}

void BM_RemoveAllOf100k(benchmark::State &state)
{
    Window w;
    w.click("cmdRemoveAll");
    w.settle();
    undoRedo(state, w, state.range(0) == 1);
}
BENCHMARK(BM_RemoveAllOf100k)
    ->ArgName("redo")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void BM_Paste10kGroupInto100k(benchmark::State &state)
{
    Window w;
    w.window->trvFields()->setFocus();
    w.settle();
    w.window->trvFields()->selectNode(w.window->fields().topLevelAt(3));
    w.window->clipboardCommands().copy_Click();
    w.window->clipboardCommands().paste_Click(); // Yes: before the selected group
    w.settle();
    undoRedo(state, w, state.range(0) == 1);
}
BENCHMARK(BM_Paste10kGroupInto100k)
    ->ArgName("redo")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

void BM_FillersBeforeEachOf100kFields(benchmark::State &state)
{
    Window w(true);
    w.window->trvFields()->selectNode(1);
    w.window->findChild<QComboBox *>(QStringLiteral("cboFieldType"))
        ->setEditText(QStringLiteral("AlphaNum (X)"));
    w.window->findChild<QComboBox *>(QStringLiteral("cboFieldValue"))
        ->setEditText(QStringLiteral("SPACES"));
    w.click("cmdAutoInsertFiller");
    w.settle();
    undoRedo(state, w, state.range(0) == 1);
}
BENCHMARK(BM_FillersBeforeEachOf100kFields)
    ->ArgName("redo")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
