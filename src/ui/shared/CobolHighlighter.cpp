#include "ui/shared/CobolHighlighter.h"

#include "editor/CobolHighlightRules.h"

#include <QPalette>
#include <QTextBlock>
#include <QTextLayout>

namespace orvane
{

CobolHighlighter::CobolHighlighter(QTextDocument *document, const QPalette &palette)
    : QSyntaxHighlighter(document)
{
    dark_ = palette.color(QPalette::Base).lightness() < 128;
    setPalette(palette);
}

void CobolHighlighter::setPalette(const QPalette &palette)
{
    const bool dark = palette.color(QPalette::Base).lightness() < 128;
    const bool changed = dark != dark_;
    dark_ = dark;
    // Each pair is light palette, dark palette; all keep enough contrast on their base.
    auto colour = [dark](const char *light, const char *darkColour) {
        return QColor(QLatin1String(dark ? darkColour : light));
    };
    auto format = [this](CobolSpanKind kind) -> QTextCharFormat & {
        return formats_[static_cast<size_t>(kind)];
    };
    for (QTextCharFormat &f : formats_)
        f = QTextCharFormat();
    const QColor muted = colour("#8a8a8a", "#7c7c7c");
    format(CobolSpanKind::SequenceArea).setForeground(muted);
    format(CobolSpanKind::Ignored).setForeground(muted);
    format(CobolSpanKind::Ignored).setFontItalic(true);
    format(CobolSpanKind::Comment).setForeground(colour("#2e7d32", "#8fc48c"));
    format(CobolSpanKind::Comment).setFontItalic(true);
    format(CobolSpanKind::Indicator).setForeground(colour("#c62828", "#ff8a80"));
    format(CobolSpanKind::Indicator).setFontWeight(QFont::Bold);
    format(CobolSpanKind::Literal).setForeground(colour("#a31515", "#e5a17a"));
    format(CobolSpanKind::Level).setForeground(colour("#00838f", "#5fd3dc"));
    format(CobolSpanKind::Level).setFontWeight(QFont::Bold);
    format(CobolSpanKind::Picture).setForeground(colour("#7b1fa2", "#d5a6f5"));
    format(CobolSpanKind::Keyword).setForeground(colour("#1a47b8", "#82aaff"));
    format(CobolSpanKind::Keyword).setFontWeight(QFont::Bold);
    format(CobolSpanKind::Number).setForeground(colour("#b45309", "#f2b866"));
    if (changed)
        rehighlight();
}

bool CobolHighlighter::isPending(const QTextBlock &block)
{
    // Lines left for later have text but no colours yet. (A mark in the block state would
    // not do: the highlighter carries on to the next line whenever a state changes.)
    return block.length() > 1 && block.layout() && block.layout()->formats().isEmpty();
}

void CobolHighlighter::colourPending(const QTextBlock &first, int count)
{
    const bool deferred = deferred_;
    deferred_ = false;
    QTextBlock block = first;
    for (int i = 0; i < count && block.isValid(); ++i, block = block.next())
        if (isPending(block))
            rehighlightBlock(block);
    deferred_ = deferred;
}

void CobolHighlighter::highlightBlock(const QString &text)
{
    CobolLineState state;
    const int before = previousBlockState();
    state.openQuote = before > 0 ? char16_t(before) : 0;
    const std::vector<CobolSpan> spans = cobolLineSpans(text, state);
    setCurrentBlockState(state.openQuote);
    if (deferred_)
        return;
    for (const CobolSpan &span : spans)
        setFormat(span.start, span.length, formats_[static_cast<size_t>(span.kind)]);
}

} // namespace orvane
