#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include <array>

class QPalette;
class QTextBlock;

namespace orvane
{

// Paints the spans the COBOL line rules find. The block state carries a literal left open at
// column 72 into its continuation line.
class CobolHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    CobolHighlighter(QTextDocument *document, const QPalette &palette);

    // Picks colours that read on the palette's base colour, light or dark.
    void setPalette(const QPalette &palette);

    // While set, lines are read for the state they pass on but not coloured, and are marked
    // to be coloured when they come into view: a 10 MB file then opens without colouring
    // 200,000 lines nobody sees.
    void setDeferred(bool deferred) { deferred_ = deferred; }
    // Colours the lines of `first` and after, up to `count`, that were left for later.
    void colourPending(const QTextBlock &first, int count);
    static bool isPending(const QTextBlock &block);

protected:
    void highlightBlock(const QString &text) override;

private:
    std::array<QTextCharFormat, 9> formats_;
    bool dark_ = false;
    bool deferred_ = false;
};

} // namespace orvane
