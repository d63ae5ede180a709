// The find and replace dialog over the editor, the code view and the field tree, driven
// through its buttons with scripted message boxes.
#include "ui/editor/frmFind.h"

#include "MainWindowFixture.h"
#include "ui/editor/EditorPanel.h"

#include <functional>

namespace orvane::testing
{
namespace
{

class FindTest : public MainWindowTest
{
protected:
    frmFind *dialog() { return window->findChild<frmFind *>(QStringLiteral("frmFind")); }
    template <typename T> T *control(const char *name)
    {
        return dialog()->findChild<T *>(QString::fromLatin1(name));
    }
    QPlainTextEdit *editor() { return window->editorPanel()->txtEditor(); }
    void openFind() { window->findChild<QAction *>(QStringLiteral("find"))->trigger(); }
    void setTexts(const QString &find, const QString &replace = {})
    {
        control<QComboBox>("cboFind")->setEditText(find);
        control<QComboBox>("cboReplace")->setEditText(replace);
    }
    void click(const char *button) { MainWindowTest::click(button, dialog()); }
    // 1-based first position and length of the selection, as the cases are written.
    std::pair<int, int> selection(QPlainTextEdit *box)
    {
        const QTextCursor c = box->textCursor();
        return {c.selectionStart() + 1, c.selectionEnd() - c.selectionStart()};
    }
    void editorText(const QString &text)
    {
        window->tabGen_Click(2);
        editor()->setPlainText(text);
        openFind();
    }
};

// The engine's cases are the core's (TextSearchTest); here each button and option reaches it.
TEST_F(FindTest, FindUpwardAndReplaceInTheEditor)
{
    editorText(QStringLiteral("MOVE A TO B. MOVE C TO D."));
    setTexts(QStringLiteral("move"), QStringLiteral("ADD"));
    // Enter in the find box presses the default button, Find.
    QTest::keyClick(control<QComboBox>("cboFind")->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(selection(editor()), std::make_pair(1, 4));
    click("cmdFind");
    EXPECT_EQ(selection(editor()), std::make_pair(14, 4));
    platform.messages.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    click("cmdFind");
    EXPECT_EQ(platform.messages.shown.back(), plain("The search string was not found."));
    EXPECT_EQ(selection(editor()), std::make_pair(14, 4));
    // Upward, Replace changes the selection, then finds the next one up.
    control<QRadioButton>("optUp")->setChecked(true);
    click("cmdReplace");
    EXPECT_EQ(editor()->toPlainText(), u"MOVE A TO B. ADD C TO D.");
    EXPECT_EQ(selection(editor()), std::make_pair(1, 4));
    control<QCheckBox>("chkMatchCase")->setChecked(true);
    click("cmdReplace"); // "MOVE" is not "move"
    EXPECT_EQ(editor()->toPlainText(), u"ADD A TO B. ADD C TO D.");
    EXPECT_EQ(platform.messages.shown,
              std::vector<ShownMessage>(2, plain("The search string was not found.")));
}

// The dialog keeps a copy of the text between searches; every kind of edit must reach it.
TEST_F(FindTest, TheKeptTextFollowsEveryEdit)
{
    PlainTextCache kept;
    editor()->setPlainText(QStringLiteral("AB\nCD\u00A0\n"));
    const std::function<void()> edits[] = {
        [&] {
            QTest::keyClicks(editor(), QStringLiteral("x"));
            QTest::keyClick(editor(), Qt::Key_Return);
        },
        [&] {
            editor()->selectAll();
            QTest::keyClick(editor(), Qt::Key_Delete);
        },
        [&] { editor()->undo(); },
        [&] {
            editor()->moveCursor(QTextCursor::End);
            QTest::keyClick(editor(), Qt::Key_Backspace);
            QTest::keyClick(editor(), Qt::Key_Backspace);
        },
        [&] { editor()->insertPlainText(QStringLiteral("1\n2\n3")); },
        [&] { editor()->setPlainText(QStringLiteral("NEW")); },
        [&] { editor()->clear(); },
    };
    editor()->setFocus();
    for (const auto &edit : edits) {
        ASSERT_EQ(kept.text(editor()), plainText(editor()));
        edit();
    }
    EXPECT_EQ(kept.text(editor()), plainText(editor()));
}

TEST_F(FindTest, ReplaceAllCountsAndTakesOneUndo)
{
    editorText(QStringLiteral("aaa"));
    setTexts(QStringLiteral("a"), QStringLiteral("aa"));
    platform.messages.answers = {MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::Ok};
    click("cmdReplaceAll");
    EXPECT_EQ(editor()->toPlainText(), u"aaaaaa");
    EXPECT_EQ(editor()->textCursor().position(), 6);
    setTexts(QStringLiteral("x"), QStringLiteral("y"));
    click("cmdReplaceAll");
    setTexts(QString(), QStringLiteral("y"));
    click("cmdReplaceAll");
    EXPECT_EQ(platform.messages.shown,
              (std::vector<ShownMessage>{plain("3 items replaced"), plain("0 items replaced"),
                                         plain("Please enter a value in Find field")}));
    // The find and replace texts of both runs stay in the list.
    EXPECT_EQ(control<QComboBox>("cboFind")->count(), 4);
    editor()->undo();
    EXPECT_EQ(editor()->toPlainText(), u"aaa");
}

TEST_F(FindTest, TypingNeverCompletesFromTheHistory)
{
    editorText(QStringLiteral("CUST-CITY CUST-"));
    setTexts(QStringLiteral("CUST-CITY"));
    click("cmdFind"); // into the history
    for (const char *box : {"cboFind", "cboReplace"}) {
        QComboBox *combo = control<QComboBox>(box);
        dialog()->activateWindow(); // typed with the focus in the box, as a user does
        combo->setFocus();
        QTest::qWait(20);
        combo->setEditText(QString());
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("CUST-"));
        EXPECT_EQ(combo->currentText(), u"CUST-") << box;
        combo->setCurrentIndex(-1); // a pick from the list is still a pick
        QTest::keyClick(combo, Qt::Key_Down);
        EXPECT_EQ(combo->currentText(), u"CUST-CITY") << box;
    }
}

TEST_F(FindTest, AnEmptyTreeHidesTheDialogEqualTextsDisableReplacingAndTabsRetarget)
{
    openFind();
    EXPECT_FALSE(dialog()->isVisible());
    for (const auto &[find, replace, enabled] :
         {std::tuple{"", "", false}, {"A", "A", false}, {"A", "a", true}}) {
        setTexts(QString::fromLatin1(find), QString::fromLatin1(replace));
        EXPECT_EQ(control<QPushButton>("cmdReplace")->isEnabled(), enabled) << find;
        EXPECT_EQ(control<QPushButton>("cmdReplaceAll")->isEnabled(), enabled) << find;
    }
    window->tabGen_Click(2);
    openFind();
    EXPECT_TRUE(dialog()->isVisible());
    window->tabGen_Click(0);
    EXPECT_FALSE(dialog()->isVisible());

    // With a field to find, every tab change retargets the dialog.
    addField(QStringLiteral("01"), QStringLiteral("CUST-REC"), QStringLiteral("4"));
    window->tabGen_Click(2);
    openFind();
    editor()->setPlainText(QStringLiteral("CUST-REC IN THE EDITOR"));
    setTexts(QStringLiteral("CUST-REC"));
    click("cmdFind");
    EXPECT_EQ(selection(editor()), std::make_pair(1, 8));

    // Which panel is searched is FindRules' table; here the dialog follows to the field tree,
    // where Up makes no sense.
    window->tabGen_Click(0);
    EXPECT_FALSE(control<QRadioButton>("optUp")->isEnabled());
    click("cmdFind");
    EXPECT_EQ(view()->selectedNode(), 1);

    // Escape hides the dialog.
    QTest::keyClick(control<QComboBox>("cboFind"), Qt::Key_Escape);
    EXPECT_FALSE(dialog()->isVisible());
}

TEST_F(FindTest, TreeModeFindsInDisplayOrderAndReplaces)
{
    build(tree(), {{1, "01 A-REC."}, {2, "05 A-KEY."}, {3, "10 A-KEY-X."}, {1, "01 B-KEY."}});
    openFind();
    setTexts(QStringLiteral("KEY"), QStringLiteral("ID"));
    click("cmdFind");
    EXPECT_EQ(view()->selectedNode(), 2);
    // Away from the hit, Replace only finds again.
    view()->selectNode(1);
    click("cmdReplace");
    EXPECT_EQ(view()->selectedNode(), 2);
    // The children of a hit are skipped by the next search.
    click("cmdFind");
    EXPECT_EQ(view()->selectedNode(), 4);
    EXPECT_FALSE(modified());
    platform.messages.answers = {MessageAnswer::Ok};
    click("cmdReplace"); // replaces in the hit, then finds nothing further down
    EXPECT_EQ(tree().text(4), u"01 B-ID.");
    EXPECT_TRUE(modified());

    control<QCheckBox>("chkWholeWord")->setChecked(true);
    platform.messages.answers = {MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::Ok};
    click("cmdReplaceAll"); // No: nothing happens
    EXPECT_EQ(tree().text(2), u"05 A-KEY.");
    click("cmdReplaceAll");
    EXPECT_EQ(outline(tree()), u"01 A-REC.(05 A-ID.(10 A-ID-X.)),01 B-ID.");
    const ShownMessage question{
        QStringLiteral("During Replacement Find Whole Word Only option doesn't work"),
        QStringLiteral("Are you sure you want to continue?"), MessageButtons::YesNo,
        MessageIcon::Question};
    EXPECT_EQ(platform.messages.shown,
              (std::vector<ShownMessage>{plain("The search string was not found."), question,
                                         question, plain("Done")}));
}

} // namespace
} // namespace orvane::testing
