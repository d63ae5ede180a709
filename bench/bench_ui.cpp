// The window with a large layout: adding one field through the entry panel, and switching to
// the Code View (generating and filling the text box).
#include "BenchPlatform.h"
#include "BenchApplication.h"
#include "platform/Platform.h"
#include "ui/generator/CodeViewPanel.h"
#include "ui/generator/EntryPanel.h"
#include "ui/generator/FieldTreeView.h"
#include "ui/window/StatusBar.h"
#include "ui/window/frmQEL.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

using namespace orvane;

// Benchmarks answer no questions: every level used here is valid.
using SilentPlatform = bench::BenchPlatform;

using bench::application;

// 1,000 records of 99 fields each under one group: 100,000 fields.
void fillLayout(FieldTree &tree)
{
    for (int r = 0; r < 1000; ++r) {
        const int record = tree.add(0, Relationship::Last, QStringLiteral("01 RECORD-%1.").arg(r));
        tree.setTag(record, QStringLiteral("1:990"));
        for (int f = 0; f < 99; ++f) {
            const int field = tree.add(
                record, Relationship::Child,
                QStringLiteral("05 FIELD-%1-%2 \u00A0PIC X(10) \u00A0VALUE SPACES.").arg(r).arg(f));
            tree.setTag(field, QStringLiteral("%1:%2").arg(f * 10 + 1).arg(f * 10 + 10));
        }
    }
}

struct Window {
    SilentPlatform platform;
    std::unique_ptr<frmQEL> window;

    Window()
    {
        application();
        window = std::make_unique<frmQEL>(platform.seams());
        fillLayout(window->fields());
        window->show();
        window->Timer1_Timer();
        QCoreApplication::processEvents();
    }
};

void BM_AddFieldTo100kLayout(benchmark::State &state)
{
    Window w;
    auto *level = w.window->findChild<QLineEdit *>(QStringLiteral("txtFieldLevel"));
    auto *name = w.window->findChild<QLineEdit *>(QStringLiteral("txtFieldName"));
    auto *length = w.window->findChild<QLineEdit *>(QStringLiteral("txtFieldLength"));
    auto *add = w.window->findChild<QPushButton *>(QStringLiteral("cmdAdd"));
    level->setText(QStringLiteral("05"));
    name->setText(QStringLiteral("NEW-FIELD"));
    length->setText(QStringLiteral("4"));
    // Fields go below a record in the middle of the layout.
    w.window->trvFields()->selectNode(w.window->fields().topLevelAt(500));
    for (auto _ : state) {
        add->click();
        QCoreApplication::processEvents(); // let the view catch up, as it would on screen
    }
    state.counters["fields"] = w.window->fields().count();
}
BENCHMARK(BM_AddFieldTo100kLayout)->Unit(benchmark::kMillisecond)->Iterations(200);

// An edit of one field's text, then a click on another field: the status bar shows the
// storage of the field, laid out again after the edit.
void BM_SelectFieldAfterEditIn100kLayout(benchmark::State &state)
{
    Window w;
    FieldTree &tree = w.window->fields();
    const int first = tree.child(tree.topLevelAt(500));
    const int fields[] = {first, tree.next(first)};
    int round = 0;
    for (auto _ : state) {
        ++round;
        tree.setText(first, QStringLiteral("05 EDITED \u00A0PIC X(%1).").arg(round % 20 + 1));
        QCoreApplication::processEvents();
        w.window->trvFields()->selectNode(fields[round % 2]);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(w.window->stb()->storage());
    }
    state.counters["fields"] = tree.count();
}
BENCHMARK(BM_SelectFieldAfterEditIn100kLayout)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_CodeViewOf100kFields(benchmark::State &state)
{
    Window w;
    for (auto _ : state) {
        w.window->tabGen_Click(1);
        QCoreApplication::processEvents();
        state.PauseTiming();
        state.counters["lines"] = w.window->codeViewPanel()->txtCodeView()->blockCount();
        w.window->tabGen_Click(0);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CodeViewOf100kFields)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
