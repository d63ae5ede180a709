// The Editor tab with a 10 MB, 200,000-line source: opening and showing it, a keystroke, Find
// Next from the top to the one match at the end, and Replace All of 100,000 matches.
#include "BenchApplication.h"
#include "platform/Platform.h"
#include "ui/shared/TextBoxes.h"
#include "ui/editor/frmFind.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace
{

using namespace orvane;

using bench::SilentMessages;

using bench::application;

// 200,000 lines of 52 bytes with CR LF: every other one a MOVE, the last one a STOP RUN.
const QString &sourcePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("big.cbl"));
        QByteArray bytes;
        bytes.reserve(200000 * 52);
        for (int i = 0; i < 199999; ++i)
            bytes += QStringLiteral("       %1 WS-FIELD-%2 TO WS-OTHER-%2.     \r\n")
                         .arg(i % 2 ? QStringLiteral("ADD ") : QStringLiteral("MOVE"))
                         .arg(i, 6, 10, QLatin1Char('0'))
                         .toLatin1();
        bytes += "           STOP RUN.                              \r\n";
        QFile f(p);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return p;
    }();
    return path;
}

struct Editor {
    QApplication &app = application(); // before any widget
    SilentMessages messages;
    QWidget main;
    QPlainTextEdit *box = new QPlainTextEdit(&main);
    frmFind *find = nullptr;
    TextForm form;

    Editor()
    {
        box->setFont(codeFont());
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
        main.resize(1000, 700);
        box->resize(1000, 700);
        main.show();
        frmFind::Views views;
        views.target = [] { return FindTarget::Editor; };
        views.txtEditor = box;
        find = new frmFind(views, messages, &main);
        find->ActivateForm();
    }
    void load()
    {
        LoadTextFile(sourcePath(), box, form, messages);
        QCoreApplication::processEvents(); // shown, as on screen
    }
    void search(const char *what, const char *with = "")
    {
        find->findChild<QComboBox *>(QStringLiteral("cboFind"))
            ->setEditText(QString::fromLatin1(what));
        find->findChild<QComboBox *>(QStringLiteral("cboReplace"))
            ->setEditText(QString::fromLatin1(with));
    }
};

void BM_OpenAndShow10MB(benchmark::State &state)
{
    Editor e;
    sourcePath();
    for (auto _ : state)
        e.load();
    state.counters["lines"] = e.box->blockCount();
}
BENCHMARK(BM_OpenAndShow10MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_KeystrokeIn10MB(benchmark::State &state)
{
    Editor e;
    e.load();
    // After a search the find dialog keeps its copy of the text up to date with every key.
    e.search("STOP RUN");
    e.find->cmdFind_Click();
    e.box->setFocus();
    e.box->moveCursor(QTextCursor::Start);
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QCoreApplication::sendEvent(e.box, &press);
        QCoreApplication::sendEvent(e.box, &release);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_KeystrokeIn10MB)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_FindNextToTheEnd(benchmark::State &state)
{
    Editor e;
    e.load();
    e.search("STOP RUN");
    for (auto _ : state) {
        e.box->moveCursor(QTextCursor::Start);
        e.find->cmdFind_Click();
        QCoreApplication::processEvents();
    }
    state.counters["found"] = e.box->textCursor().selectedText() == u"STOP RUN";
}
BENCHMARK(BM_FindNextToTheEnd)->Unit(benchmark::kMillisecond)->Iterations(20);

// The first search after an edit: the kept copy of the text follows the edit.
void BM_FindNextAfterAnEdit(benchmark::State &state)
{
    Editor e;
    e.load();
    e.search("STOP RUN");
    e.find->cmdFind_Click();
    for (auto _ : state) {
        state.PauseTiming();
        e.box->moveCursor(QTextCursor::Start);
        e.box->insertPlainText(QStringLiteral("x"));
        e.box->moveCursor(QTextCursor::Start);
        state.ResumeTiming();
        e.find->cmdFind_Click();
        QCoreApplication::processEvents();
    }
    state.counters["found"] = e.box->textCursor().selectedText() == u"STOP RUN";
}
BENCHMARK(BM_FindNextAfterAnEdit)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ReplaceAll100k(benchmark::State &state)
{
    Editor e;
    for (auto _ : state) {
        state.PauseTiming();
        e.load();
        e.search("MOVE", "COPY");
        state.ResumeTiming();
        e.find->cmdReplaceAll_Click();
        QCoreApplication::processEvents();
    }
    state.counters["left"] = double(e.box->toPlainText().count(u"MOVE"));
}
BENCHMARK(BM_ReplaceAll100k)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
