// Reshaping a 100,000-field layout through the window, views attached: moving and pasting a
// subtree of 10,000 fields, Remove All, FILLER items before each of 100,000 fields, and
// importing a 100,000-field project with everything checked.
#include "BenchPlatform.h"
#include "platform/Platform.h"
#include "project/ProjectFile.h"
#include "ui/generator/ClipboardCommands.h"
#include "ui/generator/FieldTreeModel.h"
#include "ui/generator/FieldTreePanel.h"
#include "ui/generator/FieldTreeView.h"
#include "ui/generator/ImportBar.h"
#include "ui/generator/TreeButtons.h"
#include "ui/window/frmQEL.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

using namespace orvane;

void application()
{
    static int argc = 1;
    static char name[] = "bench_ui_reshape";
    static char *argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: taken down at exit, after Qt's own globals, it crashes.
    static QApplication *app = new QApplication(argc, argv);
    Q_UNUSED(app);
}

// Ten groups of 10,000 fields each (the group and 9,999 children).
void tenGroups(FieldTree &tree)
{
    for (int g = 0; g < 10; ++g) {
        const int group = tree.add(0, Relationship::Last, QStringLiteral("01 GROUP-%1.").arg(g));
        tree.setTag(group, QStringLiteral("1:99990"));
        for (int f = 0; f < 9999; ++f) {
            const int field = tree.add(group, Relationship::Child,
                                       QStringLiteral("05 F-%1 \u00A0PIC X(10).").arg(f));
            tree.setTag(field, QStringLiteral("%1:%2").arg(f * 10 + 1).arg(f * 10 + 10));
        }
    }
}

// One record of 100,000 one-byte fields with a one-byte hole before each.
void flatRecordWithHoles(FieldTree &tree)
{
    const int record = tree.add(0, Relationship::Last, QStringLiteral("01 REC."));
    tree.setTag(record, QStringLiteral("1:200000"));
    for (int f = 0; f < 100000; ++f) {
        const int field =
            tree.add(record, Relationship::Child, QStringLiteral("05 F-%1 \u00A0PIC X.").arg(f));
        tree.setTag(field, QStringLiteral("%1:%1").arg(2 * f + 2));
    }
}

struct Window {
    bench::BenchPlatform platform; // says Yes to every question
    std::unique_ptr<frmQEL> window;

    explicit Window(void (*fill)(FieldTree &))
    {
        application();
        platform.answer = MessageAnswer::Yes;
        window = std::make_unique<frmQEL>(platform.seams());
        if (fill)
            fill(window->fields());
        window->show();
        window->Timer1_Timer();
        QCoreApplication::processEvents();
    }
    FieldTreeView *view() const { return window->trvFields(); }
    QPushButton *button(const char *name) const
    {
        return window->findChild<QPushButton *>(QString::fromLatin1(name));
    }
    void settle() { QCoreApplication::processEvents(); }
};

void BM_Move10kSubtreeIn100kLayout(benchmark::State &state)
{
    Window w(tenGroups);
    w.button("cmdExpandCollaplse")->click(); // the groups open, as a user would open them
    w.settle();
    w.view()->selectNode(w.window->fields().topLevelAt(4));
    bool down = true;
    for (auto _ : state) {
        // Down moves the group itself, up moves the group before it: 10,000 fields each time.
        w.button(down ? "cmdMoveNodeDown" : "cmdMoveNodeUp")->click();
        w.settle();
        down = !down;
    }
    state.counters["fields"] = w.window->fields().count();
}
BENCHMARK(BM_Move10kSubtreeIn100kLayout)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_Paste10kSubtreeInto100kLayout(benchmark::State &state)
{
    Window w(tenGroups);
    w.view()->setFocus();
    w.settle();
    w.view()->selectNode(w.window->fields().topLevelAt(3));
    w.window->clipboardCommands().copy_Click();
    for (auto _ : state) {
        w.window->clipboardCommands().paste_Click(); // Yes: before the selected group
        w.settle();
        state.PauseTiming();
        w.view()->selectNode(w.window->fields().topLevelAt(3));
        w.settle();
        state.ResumeTiming();
    }
    state.counters["fields"] = w.window->fields().count();
}
BENCHMARK(BM_Paste10kSubtreeInto100kLayout)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RemoveAllOf100k(benchmark::State &state)
{
    Window w(nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        tenGroups(w.window->fields());
        // Every group open, so every field is laid out in the view.
        w.button("cmdExpandCollaplse")->click();
        if (!w.window->treePanel()->treeButtons()->offersCollapse())
            w.button("cmdExpandCollaplse")->click();
        w.settle();
        state.ResumeTiming();
        w.button("cmdRemoveAll")->click();
        w.settle();
    }
}
BENCHMARK(BM_RemoveAllOf100k)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FillersBeforeEachOf100kFields(benchmark::State &state)
{
    Window w(nullptr);
    auto *type = w.window->findChild<QComboBox *>(QStringLiteral("cboFieldType"));
    auto *value = w.window->findChild<QComboBox *>(QStringLiteral("cboFieldValue"));
    for (auto _ : state) {
        state.PauseTiming();
        w.window->fields().clear();
        flatRecordWithHoles(w.window->fields());
        w.view()->expand(w.view()->fieldModel()->modelIndex(1)); // all 100,000 fields shown
        w.view()->selectNode(1);
        type->setEditText(QStringLiteral("AlphaNum (X)"));
        value->setEditText(QStringLiteral("SPACES"));
        w.settle();
        state.ResumeTiming();
        w.button("cmdAutoInsertFiller")->click();
        w.settle();
    }
    state.counters["fields"] = w.window->fields().count();
}
BENCHMARK(BM_FillersBeforeEachOf100kFields)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Import100kFieldProject(benchmark::State &state)
{
    QTemporaryDir dir;
    Window w(nullptr);
    w.platform.file = dir.filePath(QStringLiteral("big.qel"));
    {
        FieldTree big;
        tenGroups(big);
        if (!SaveNodes(big, w.platform.file).ok()) {
            state.SkipWithError("could not write the project");
            return;
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        w.window->fields().clear();
        w.settle();
        state.ResumeTiming();
        w.window->picImport()->import_Click();
        w.settle();
        w.button("cmdImportOk")->click();
        w.settle();
    }
    state.counters["fields"] = w.window->fields().count();
}
BENCHMARK(BM_Import100kFieldProject)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
