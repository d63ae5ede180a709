// The source boxes' column guides and their switch in the options window.
#include "ui/shared/CodeEdit.h"
#include "MainWindowFixture.h"
#include "project/StartupSettings.h"
#include "ui/generator/CodeViewPanel.h"
#include "ui/editor/EditorPanel.h"
#include "ui/dialogs/frmOptions.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

namespace orvane::testing
{
namespace
{

using CodeEditTest = MainWindowTest;

// Where the text really puts the start of 1-based column `column` + 1 in the box.
qreal textX(CodeEdit *box, int column)
{
    QTextCursor cursor(box->document()->firstBlock());
    cursor.setPosition(column);
    return box->cursorRect(cursor).left();
}

TEST_F(CodeEditTest, GuidesStandWhereTheTextsColumnsBeginForEachFontSize)
{
    CodeEdit *box = window->editorPanel()->txtEditor();
    box->setPlainText(QString(100, u'X'));
    qreal previous = 0;
    for (int points : {9, 18}) {
        QFont font = box->font();
        font.setPointSize(points);
        box->setFont(font);
        for (int column : {6, 7, 11, 72})
            EXPECT_NEAR(box->guideX(column), textX(box, column), 1.0)
                << points << " pt, column " << column;
        EXPECT_GT(box->guideX(72), previous * 1.5) << "a larger font moves the guides out";
        previous = box->guideX(72);
    }
}

TEST_F(CodeEditTest, TheOptionsWindowSwitchesTheGuidesOffInBothBoxesAndKeepsTheChoice)
{
    child<QAction>("options")->trigger();
    auto *guides = child<QCheckBox>("chkColumnGuides", window->optionsWindow());
    ASSERT_NE(guides, nullptr);
    EXPECT_TRUE(guides->isChecked()) << "on unless switched off";
    guides->setChecked(false);
    QTest::mouseClick(child<QPushButton>("cmdOK", window->optionsWindow()), Qt::LeftButton);
    EXPECT_FALSE(window->editorPanel()->txtEditor()->columnGuides());
    EXPECT_FALSE(window->codeViewPanel()->txtCodeView()->columnGuides());

    // A new window starts with the stored choice, given to both boxes as above.
    window.reset();
    start();
    EXPECT_FALSE(window->editorPanel()->txtEditor()->columnGuides());
}

bool coloured(const QTextBlock &block)
{
    return !block.layout()->formats().isEmpty();
}

TEST_F(CodeEditTest, AWholeFileIsColouredAsItsLinesComeIntoView)
{
    window->tabGen_Click(2);
    CodeEdit *box = window->editorPanel()->txtEditor();
    QString text;
    for (int i = 0; i < 5000; ++i)
        text += QStringLiteral("       01 WS-ITEM-%1 PIC X(10).\n").arg(i);
    box->setPlainText(text);
    box->viewport()->repaint();
    QTextDocument *document = box->document();
    EXPECT_TRUE(coloured(document->findBlockByNumber(0))) << "the lines in view";
    EXPECT_FALSE(coloured(document->findBlockByNumber(4000))) << "lines out of view wait";

    box->verticalScrollBar()->setValue(4000);
    box->viewport()->repaint();
    EXPECT_TRUE(coloured(document->findBlockByNumber(4000)));

    // Small edits are coloured at once, wherever they are.
    QTextCursor far(document->findBlockByNumber(100));
    far.insertText(QStringLiteral("      * NOTE\n"));
    EXPECT_TRUE(coloured(document->findBlockByNumber(100)));
}

} // namespace
} // namespace orvane::testing
