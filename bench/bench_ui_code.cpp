// A 10 MB, 200,000-line COBOL source in a coloured source box with column guides: opening it
// (every line highlighted), a keystroke, and scrolling a page.
#include "BenchApplication.h"
#include "platform/Platform.h"
#include "ui/shared/CodeEdit.h"
#include "ui/shared/TextBoxes.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>

#include <benchmark/benchmark.h>

namespace
{

using namespace orvane;

using bench::SilentMessages;

using bench::application;

// 200,000 lines of 52 bytes with CR LF, a mix of what a program holds: comments, entries with
// pictures and literals, statements, a sequence number and text past column 72 now and then.
const QString &sourcePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("big.cbl"));
        QByteArray bytes;
        bytes.reserve(200000 * 52);
        for (int i = 0; i < 200000; ++i) {
            QByteArray line;
            switch (i % 4) {
            case 0:
                line = "000100* A COMMENT LINE ABOUT THE NEXT ENTRY " + QByteArray::number(i);
                break;
            case 1:
                line = "       05 WS-F" + QByteArray::number(i) + " PIC X(10) VALUE 'ABC'.";
                break;
            case 2:
                line = "           MOVE 12.5 TO WS-F" + QByteArray::number(i) + ".";
                break;
            default:
                line = "       10 WS-N" + QByteArray::number(i) + " PIC S9(4)V99 COMP-3.";
                break;
            }
            line = line.leftJustified(50, ' ', true);
            bytes += line + "\r\n";
        }
        QFile f(p);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return p;
    }();
    return path;
}

struct Box {
    QApplication &app = application(); // before any widget
    SilentMessages messages;
    QWidget main;
    CodeEdit *box = new CodeEdit(&main);
    TextForm form;

    Box()
    {
        box->setFont(codeFont());
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
        main.resize(1000, 700);
        box->resize(1000, 700);
        main.show();
    }
    void load()
    {
        LoadTextFile(sourcePath(), box, form, messages);
        QCoreApplication::processEvents(); // shown, as on screen
    }
};

void BM_OpenHighlighted10MB(benchmark::State &state)
{
    Box b;
    sourcePath();
    for (auto _ : state)
        b.load();
    state.counters["lines"] = b.box->blockCount();
}
BENCHMARK(BM_OpenHighlighted10MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_KeystrokeHighlighted10MB(benchmark::State &state)
{
    Box b;
    b.load();
    b.box->setFocus();
    QTextCursor middle(b.box->document()->findBlockByNumber(100001));
    middle.movePosition(QTextCursor::EndOfBlock);
    b.box->setTextCursor(middle);
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QCoreApplication::sendEvent(b.box, &press);
        QCoreApplication::sendEvent(b.box, &release);
        b.box->viewport()->repaint();
    }
}
BENCHMARK(BM_KeystrokeHighlighted10MB)->Unit(benchmark::kMillisecond)->Iterations(200);

// A keystroke that opens a literal: every following line's state changes, so the highlighter
// runs on until the states agree again (here at once, as the line is not continued).
void BM_QuoteKeystrokeHighlighted10MB(benchmark::State &state)
{
    Box b;
    b.load();
    b.box->setFocus();
    QTextCursor middle(b.box->document()->findBlockByNumber(100002));
    middle.movePosition(QTextCursor::EndOfBlock);
    b.box->setTextCursor(middle);
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_QuoteDbl, Qt::NoModifier, QStringLiteral("\""));
        QCoreApplication::sendEvent(b.box, &press);
        b.box->viewport()->repaint();
    }
}
BENCHMARK(BM_QuoteKeystrokeHighlighted10MB)->Unit(benchmark::kMillisecond)->Iterations(100);

void BM_ScrollPageHighlighted10MB(benchmark::State &state)
{
    Box b;
    b.load();
    QScrollBar *bar = b.box->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    for (auto _ : state) {
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        b.box->viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollPageHighlighted10MB)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace
