// Undo and redo of Remove All on a 100,000-field layout through the window's actions, every
// group open in the view.
#include "BenchApplication.h"
#include "BenchPlatform.h"
#include "ui/UndoCommands.h"
#include "ui/frmQEL.h"

#include <QAction>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

using namespace orvane;

struct Window {
    bench::BenchPlatform platform; // says Yes to every question
    std::unique_ptr<frmQEL> window;

    Window()
    {
        bench::application();
        platform.answer = MessageAnswer::Yes;
        window = std::make_unique<frmQEL>(platform.seams());
        FieldTree &tree = window->fields();
        for (int g = 0; g < 10; ++g) {
            const int group = tree.add(0, Relationship::Last, QStringLiteral("01 GROUP-%1.").arg(g));
            tree.setTag(group, QStringLiteral("1:99990"));
            for (int f = 0; f < 9999; ++f)
                tree.setTag(tree.add(group, Relationship::Child,
                                     QStringLiteral("05 F-%1 \u00A0PIC X(10).").arg(f)),
                            QStringLiteral("%1:%2").arg(f * 10 + 1).arg(f * 10 + 10));
        }
        window->undoCommands().clear(); // as opened
        window->show();
        window->Timer1_Timer();
        click("cmdExpandCollaplse");
        settle();
        click("cmdRemoveAll");
        settle();
    }
    void click(const char *name)
    {
        window->findChild<QPushButton *>(QString::fromLatin1(name))->click();
    }
    void trigger(const char *name) { window->findChild<QAction *>(QString::fromLatin1(name))->trigger(); }
    void settle() { QCoreApplication::processEvents(); }
};

void BM_UndoRemoveAllOf100k(benchmark::State &state)
{
    Window w;
    int restored = 0;
    for (auto _ : state) {
        w.trigger("undo");
        w.settle();
        state.PauseTiming();
        restored = w.window->fields().count();
        w.trigger("redo");
        w.settle();
        state.ResumeTiming();
    }
    state.counters["fields"] = restored;
}
BENCHMARK(BM_UndoRemoveAllOf100k)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_RedoRemoveAllOf100k(benchmark::State &state)
{
    Window w;
    for (auto _ : state) {
        state.PauseTiming();
        w.trigger("undo");
        w.settle();
        state.ResumeTiming();
        w.trigger("redo");
        w.settle();
    }
}
BENCHMARK(BM_RedoRemoveAllOf100k)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
