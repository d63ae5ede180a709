#include "MainWindowFixture.h"
#include "model/TreeClipboard.h"
#include "project/ProjectFile.h"
#include "ui/generator/UndoCommands.h"

#include "../common/ProjectRecords.h"

#include <QAbstractItemModelTester>

#include <functional>

using namespace orvane;
using namespace orvane::testing;

namespace
{

const std::vector<Row> kLayout = {
    {1, "01 R.", "1:30"},  {2, "05 A.", "1:10"},  {3, "10 A1.", "1:5"},  {3, "10 A2.", "6:10"},
    {2, "05 B.", "13:20"}, {2, "05 C.", "21:30"}, {1, "01 S.", "31:40"},
};

} // namespace

class UndoWindowTest : public MainWindowTest
{
protected:
    // The layout as a project just opened: nothing to undo.
    void layout()
    {
        buildTagged(tree(), kLayout);
        window->undoCommands().clear();
    }
    QAction *undo() { return child<QAction>("undo"); }
    QAction *redo() { return child<QAction>("redo"); }
    void click(const char *button)
    {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    void editInPlace(const char *text)
    {
        window->cmdEdit_Click();
        QCoreApplication::processEvents();
        auto *editor = view()->viewport()->findChild<QLineEdit *>();
        ASSERT_NE(editor, nullptr);
        editor->setText(QString::fromLatin1(text));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the delegate commits on the next turn
    }
    // Opens `file` with these contents through the menu action, as the file box would give it.
    void openThrough(const char *action, const QString &file, const QByteArray &bytes)
    {
        writeBytes(dir.filePath(file), bytes);
        platform.files.answers = {dir.filePath(file)};
        child<QAction>(action)->trigger();
    }
    void fillers()
    {
        combo("cboFieldType")->setEditText(QStringLiteral("AlphaNum (X)"));
        combo("cboFieldValue")->setEditText(QStringLiteral("Spaces"));
        platform.messages.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
        click("autoInsertFillerForSameLevel");
    }
    struct Case {
        const char *select;
        std::function<void()> run;
        QString step;
    };
    // Each command as the user gives it, on the layout with this field selected.
    std::vector<Case> commands()
    {
        const QByteArray project = projectRecords({"1:9|1|01 G.", "1:9|2|05 G1."});
        auto answer = [this](MessageAnswer a) { platform.messages.answers = {a}; };
        // clang-format off
        return {
            {"05 A.", [this] { addField("10", "NEW", "3"); }, "Add NEW"},
            {"05 B.", [this] { editInPlace("05 BB."); }, "Edit B"},
            {"05 B.", [this] { platform.input.answers = {QStringLiteral("11:25")}; QTest::mouseDClick(window->stb()->panel(3), Qt::LeftButton); }, "Change Positions of B"},
            {"05 A.", [this] { click("cmdRemove"); }, "Remove A"},
            {"05 A.", [this, answer] { answer(MessageAnswer::Yes); click("cmdRemoveAll"); }, "Remove All"},
            {"05 A.", [this] { click("cmdMoveNodeDown"); }, "Move A Down"},
            {"10 A1.", [this] { click("cmdMakeNodeParent"); }, "Make A1 a Parent"},
            {"01 S.", [this] { drag(7, 2); }, "Drop S"},
            {"05 A.", [this] { QTest::keyClick(view(), Qt::Key_X, Qt::ControlModifier); }, "Cut A"},
            {"05 C.", [this, answer] { CopyToClipboard(tree(), 7, window->trvClipboardTree()); answer(MessageAnswer::Yes); QTest::keyClick(view(), Qt::Key_V, Qt::ControlModifier); }, "Paste S"},
            {"05 C.", [this, project] { openThrough("import", "other.qel", project); click("cmdImportOk"); }, "Import 2 Fields"},
            {"05 C.", [this, answer] { answer(MessageAnswer::Ok); openThrough("importCopybook", "c.cpy", "       01 CB.\n           05 CB-A PIC X(3).\n"); }, "Import Copybook"},
            {"05 A.", [this] { fillers(); }, "Insert 1 Filler"},
        };
        // clang-format on
    }
};

TEST_F(UndoWindowTest, EveryCommandIsOneStepThatUndoesAndRedoesWithItsSelectionAndMark)
{
    for (const Case &c : commands()) {
        SCOPED_TRACE(c.step.toStdString());
        window->ResetEntryPanel();
        layout();
        window->dlgedit().fileName = dir.filePath(QStringLiteral("saved.qel"));
        trigger("Save");
        select(c.select);
        const QString before = tagged(tree());
        const int selectedBefore = view()->selectedNode();
        c.run();
        platform.messages.shown.clear();
        const QString after = tagged(tree());
        const int selectedAfter = view()->selectedNode();
        ASSERT_NE(after, before);
        EXPECT_EQ(undo()->text(), QStringLiteral("Undo ") + c.step);
        EXPECT_FALSE(redo()->isEnabled());
        EXPECT_TRUE(modified()); // away from the state saved

        QAbstractItemModelTester checkModel(view()->fieldModel(),
                                            QAbstractItemModelTester::FailureReportingMode::Fatal);
        undo()->trigger();
        EXPECT_EQ(tagged(tree()), before);
        EXPECT_EQ(view()->selectedNode(), selectedBefore);
        EXPECT_FALSE(undo()->isEnabled());
        EXPECT_FALSE(modified());
        EXPECT_EQ(redo()->text(), QStringLiteral("Redo ") + c.step);
        redo()->trigger();
        EXPECT_EQ(tagged(tree()), after);
        EXPECT_EQ(view()->selectedNode(), selectedAfter);
        EXPECT_FALSE(redo()->isEnabled());
        EXPECT_TRUE(modified());
    }
    // Undoing past the state saved marks the title too; New forgets the history.
    trigger("Save");
    undo()->trigger();
    EXPECT_TRUE(modified());
    redo()->trigger();
    EXPECT_FALSE(modified());
    trigger("filenew");
    EXPECT_FALSE(undo()->isEnabled());
}

TEST_F(UndoWindowTest, CtrlZReachesTheTreeOnlyWhenTheTreeHasTheFocus)
{
    addFields({"01 A", "05 B"});
    QLineEdit *name = box("txtFieldName");
    focus(name);
    const QString typed = name->text();
    QTest::keyClicks(name, QStringLiteral("XY"));
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(name->text(), typed); // the box undid its own typing
    EXPECT_EQ(tree().count(), 2);
    focus(child<QPushButton>("cmdAdd"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(tree().count(), 2);

    struct Key {
        Qt::KeyboardModifiers modifiers;
        Qt::Key key;
        int count;
    } const keys[] = {{Qt::ControlModifier, Qt::Key_Z, 1},
                      {Qt::ControlModifier, Qt::Key_Z, 0},
                      {Qt::ControlModifier, Qt::Key_Y, 1},
                      {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z, 2}};
    for (const Key &k : keys) {
        focus(view());
        QTest::keyClick(view(), k.key, k.modifiers);
        EXPECT_EQ(tree().count(), k.count);
    }
}
