#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include <array>

class QPalette;

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

protected:
    void highlightBlock(const QString &text) override;

private:
    std::array<QTextCharFormat, 9> formats_;
    bool dark_ = false;
};

} // namespace orvane
