#pragma once

#include <QPlainTextEdit>

namespace orvane
{

class CobolHighlighter;

// A source text box that shows the fixed-format areas: thin lines after columns 6, 7, 11 and
// 72, and a muted background over the sequence area and past column 72. The text is coloured
// as COBOL.
class CodeEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit CodeEdit(QWidget *parent = nullptr);

    void setColumnGuides(bool on);
    bool columnGuides() const { return guides_; }
    // The viewport x of the line after `column` (1-based), where column `column` + 1 begins.
    qreal guideX(int column) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void colourVisibleLines();

    CobolHighlighter *highlighter_ = nullptr;
    bool guides_ = true;
};

} // namespace orvane
