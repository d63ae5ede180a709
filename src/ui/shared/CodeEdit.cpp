#include "ui/shared/CodeEdit.h"

#include "ui/shared/CobolHighlighter.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>

namespace orvane
{

namespace
{

constexpr int GuideColumns[] = {6, 7, 11, 72};
constexpr int DeferredChange = 64 * 1024; // characters

} // namespace

CodeEdit::CodeEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    // Connected before the highlighter, so it runs first: a change as large as a whole file
    // is coloured as it comes into view, not all at once.
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int, int, int added) { highlighter_->setDeferred(added > DeferredChange); });
    highlighter_ = new CobolHighlighter(document(), palette());
}

void CodeEdit::setColumnGuides(bool on)
{
    if (guides_ == on)
        return;
    guides_ = on;
    viewport()->update();
}

qreal CodeEdit::guideX(int column) const
{
    // Source text is in a fixed-width font, so every column is one advance wide.
    const qreal advance = QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0'));
    return contentOffset().x() + document()->documentMargin() + column * advance;
}

void CodeEdit::colourVisibleLines()
{
    const QTextBlock first = firstVisibleBlock();
    if (!first.isValid())
        return;
    // A line is at least one font height: this many cover the viewport.
    const int lines = viewport()->height() / qMax(1, fontMetrics().height()) + 2;
    highlighter_->colourPending(first, lines);
}

void CodeEdit::paintEvent(QPaintEvent *event)
{
    colourVisibleLines();
    if (guides_) {
        // Tint first, so the text is drawn over it.
        QPainter painter(viewport());
        QColor muted = palette().color(QPalette::Text);
        muted.setAlpha(18);
        const qreal height = viewport()->height();
        const qreal sequenceEnd = guideX(6);
        if (sequenceEnd > 0)
            painter.fillRect(QRectF(0, 0, sequenceEnd, height), muted);
        const qreal ignoredStart = guideX(72);
        if (ignoredStart < viewport()->width())
            painter.fillRect(QRectF(ignoredStart, 0, viewport()->width() - ignoredStart, height),
                             muted);
    }
    QPlainTextEdit::paintEvent(event);
    if (!guides_)
        return;
    QPainter painter(viewport());
    QColor line = palette().color(QPalette::Text);
    line.setAlpha(60);
    painter.setPen(QPen(line, 0));
    for (int column : GuideColumns) {
        const qreal x = guideX(column);
        if (x >= 0 && x <= viewport()->width())
            painter.drawLine(QPointF(x, 0), QPointF(x, viewport()->height()));
    }
}

void CodeEdit::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    // Colours follow a switch between light and dark palettes.
    if (event->type() == QEvent::PaletteChange)
        highlighter_->setPalette(palette());
}

} // namespace orvane
