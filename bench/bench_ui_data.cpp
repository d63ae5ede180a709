// The data window over a 1 GB file of 300-byte records: opening it (mapping, shape, the decode
// count of the first records, the table's first page), and scrolling the table by a page.

#include "model/FieldTree.h"
#include "platform/Platform.h"
#include "ui/data/RecordTableModel.h"

#include "cobol/StorageMap.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace orvane;
using namespace orvane::cobol;

namespace
{

QApplication &application()
{
    static int argc = 1;
    static char name[] = "bench_ui_data";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

struct Big {
    QTemporaryDir dir;
    QString path;
    StorageMap map;
    Big()
    {
        path = dir.filePath(QStringLiteral("big.dat"));
        QFile f(path);
        (void)f.open(QIODevice::WriteOnly);
        // One block of real records at the start, the rest sparse: no gigabyte on the disk.
        QByteArray block;
        for (int r = 0; r < 4096; ++r)
            block += QByteArray::number(r).rightJustified(10, '0') +
                     QByteArray("CUSTOMER NAME").leftJustified(40, ' ') + QByteArray(250, '7');
        f.write(block);
        f.resize(qint64(1) << 30);
        FieldTree tree;
        const int rec = tree.add(0, Relationship::Last, QStringLiteral("01 REC"));
        tree.add(rec, Relationship::Child, QStringLiteral("05 KEY PIC 9(10)"));
        tree.add(rec, Relationship::Child, QStringLiteral("05 NAME PIC X(40)"));
        tree.add(rec, Relationship::Child, QStringLiteral("05 AMOUNT PIC S9(7)V99 OCCURS 25"));
        tree.add(rec, Relationship::Child, QStringLiteral("05 REST PIC X(25)"));
        map = BuildStorageMap(tree, Dialect::Default);
    }
};

Big &big()
{
    static Big b;
    return b;
}

void BM_OpenGigabyteInTable(benchmark::State &state)
{
    application();
    Big &b = big();
    for (auto _ : state) {
        RecordTableModel model;
        QTableView view;
        view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view.resize(1000, 700);
        QString error;
        if (!model.open(b.path, b.map, {}, {}, {}, error))
            state.SkipWithError("open failed");
        qint64 sampled = 0;
        benchmark::DoNotOptimize(model.badFields(sampled));
        view.setModel(&model);
        view.show();
        QCoreApplication::processEvents();
        view.viewport()->repaint();
    }
}
BENCHMARK(BM_OpenGigabyteInTable)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void BM_ScrollOnePage(benchmark::State &state)
{
    application();
    Big &b = big();
    RecordTableModel model;
    QTableView view;
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.resize(1000, 700);
    QString error;
    if (!model.open(b.path, b.map, {}, {}, {}, error))
        state.SkipWithError("open failed");
    view.setModel(&model);
    view.show();
    QCoreApplication::processEvents(); // lays the view out, so the scroll bar has its range
    QScrollBar *bar = view.verticalScrollBar();
    if (bar->maximum() < 4000)
        state.SkipWithError("the table did not lay out");
    for (auto _ : state) {
        bar->setValue(bar->value() + bar->pageStep() > 4000 ? 0 : bar->value() + bar->pageStep());
        view.viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollOnePage)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

} // namespace
