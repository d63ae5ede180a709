#include "MainWindowFixture.h"
#include "model/Reshape.h"
#include "model/TreeClipboard.h"
#include "project/ProjectFile.h"
#include "ui/generator/ClipboardCommands.h"
#include "ui/generator/FieldTreePanel.h"
#include "ui/generator/TreeButtons.h"
#include "ui/generator/UndoCommands.h"

#include "../common/ProjectRecords.h"

#include <QAbstractItemModelTester>

#include <functional>

namespace orvane::testing
{
namespace
{

const std::vector<Row> kLayout = {
    {1, "01 R.", "1:30"},  {2, "05 A.", "1:10"},  {3, "10 A1.", "1:5"},  {3, "10 A2.", "6:10"},
    {2, "05 B.", "13:20"}, {2, "05 C.", "21:30"}, {1, "01 S.", "31:40"},
};

class ReshapeWindowTest : public MainWindowTest
{
protected:
    void layout(const std::vector<Row> &rows = kLayout) { buildTagged(tree(), rows); }
    bool enabled(const char *name) { return child<QPushButton>(name)->isEnabled(); }
};

} // namespace

TEST_F(ReshapeWindowTest, TreeButtonsReshapeSelectAndMark)
{
    // Each button runs its own reshaping (their results and selections are the core's).
    struct Case {
        const char *button;
        QString node;
        QString expected;
    } const cases[] = {
        {"cmdMoveNodeUp", "05 B.", "01 R.(05 B.,05 A.(10 A1.,10 A2.),05 C.),01 S."},
        {"cmdMakeNodeChild", "05 A.", "01 R.(05 B.(05 A.(10 A1.,10 A2.)),05 C.),01 S."},
        {"cmdMakeNodeParent", "10 A1.", "01 R.(10 A1.,05 A.(10 A2.),05 B.,05 C.),01 S."},
        {"cmdRemove", "05 A.", "01 R.(05 B.,05 C.),01 S."},
        {"cmdMoveNodeDown", "05 B.", "01 R.(05 A.(10 A1.,10 A2.),05 C.,05 B.),01 S."},
    };
    // The four moving buttons show the core's answer for the field selected.
    const auto buttonsFollow = [this] {
        const MoveButtons b = MoveButtonsFor(tree(), view()->selectedNode());
        return enabled("cmdMakeNodeParent") == b.makeParent &&
               enabled("cmdMakeNodeChild") == b.makeChild &&
               enabled("cmdMoveNodeDown") == b.moveDown && enabled("cmdMoveNodeUp") == b.moveUp;
    };
    for (const Case &c : cases) {
        tree().clear();
        layout();
        markSaved();
        select(c.node);
        click(c.button);
        EXPECT_EQ(outline(tree()), c.expected) << c.button;
        EXPECT_TRUE(modified()) << c.button;
        EXPECT_EQ(window->focusWidget(), view()) << c.button;
        EXPECT_TRUE(buttonsFollow()) << c.button;
    }
    // The moved field, a new node now, stays selected.
    EXPECT_EQ(tree().text(view()->selectedNode()), QStringLiteral("05 B."));
    // The Delete key removes the selected field; with nothing selected nothing changes.
    markSaved();
    select("01 S.");
    QTest::keyClick(view(), Qt::Key_Delete);
    EXPECT_EQ(find(tree(), "01 S."), 0);
    EXPECT_TRUE(modified());
    markSaved();
    view()->clearSelection();
    view()->setCurrentIndex({});
    click("cmdRemove");
    EXPECT_EQ(tree().count(), 6);
    EXPECT_FALSE(modified());
    EXPECT_TRUE(buttonsFollow());
}

TEST_F(ReshapeWindowTest, RemoveAllAsksFirst)
{
    layout();
    click("cmdRemoveAll", {}, {MessageAnswer::No, MessageAnswer::Yes});
    EXPECT_EQ(tree().count(), int(kLayout.size()));
    EXPECT_FALSE(modified());
    click("cmdRemoveAll");
    EXPECT_TRUE(tree().isEmpty());
    const ShownMessage question{"Are you sure you want to continue?", "Remove All",
                                MessageButtons::YesNo, MessageIcon::Exclamation};
    EXPECT_EQ(platform.messages.shown, (std::vector<ShownMessage>{question, question}));
}

TEST_F(ReshapeWindowTest, ExpandAndCollapseTheTopLevel)
{
    const TreeButtons *buttons = window->treePanel()->treeButtons();
    click("cmdExpandCollaplse");
    EXPECT_FALSE(buttons->offersCollapse()); // an empty tree: nothing, not even the picture

    layout();
    auto expanded = [this](const char *text) {
        return view()->isExpanded(view()->fieldModel()->modelIndex(find(tree(), text)));
    };
    click("cmdExpandCollaplse");
    EXPECT_TRUE(expanded("01 R."));
    EXPECT_FALSE(expanded("05 A.")); // deeper fields keep their state
    EXPECT_TRUE(buttons->offersCollapse());
    EXPECT_EQ(status(), QStringLiteral("Done"));
    EXPECT_TRUE(view()->isVisible());
    click("cmdExpandCollaplse");
    EXPECT_FALSE(expanded("01 R."));
    EXPECT_FALSE(buttons->offersCollapse());
}

TEST_F(ReshapeWindowTest, ImportChoosesFieldsThroughTheCheckBoxPreview)
{
    const QString file = path("other.qel");
    {
        FieldTree other;
        buildTagged(other, {{1, "01 G.", "1:9"},
                            {2, "05 C1.", "1:4"},
                            {2, "05 C2.", "5:9"},
                            {1, "01 H.", "10:12"}});
        ASSERT_TRUE(SaveNodes(other, file).ok());
    }
    layout({{1, "01 X.", "1:5"}});
    window->dlgedit().fileName = QStringLiteral("/work/current.qel");
    window->setWindowTitle(QStringLiteral("Orvane [current.qel]"));
    FieldTreeView *preview = window->treePanel()->trvTemp();
    auto *bar = child<QWidget>("picImport");

    select("01 X.");
    EXPECT_FALSE(enabled("autoInsertFillerForSameLevel")); // the only field
    trigger("import", {file});
    EXPECT_TRUE(preview->isVisible());
    EXPECT_TRUE(bar->isVisible());
    EXPECT_FALSE(child<QTabBar>("tabGen")->isVisible());
    EXPECT_FALSE(child<QMenu>("file")->menuAction()->isEnabled());
    // All start checked. The user unchecks C1 (how a mark carries to the subtree and the
    // ancestors is ImportMarks' table).
    FieldTreeModel *marks = preview->fieldModel();
    marks->setData(marks->modelIndex(2), Qt::Unchecked, Qt::CheckStateRole);

    click("cmdImportOk");
    EXPECT_EQ(tagged(tree()), "01 X.[1:5],01 G.[1:9](05 C2.[5:9]),01 H.[10:12]");
    QCoreApplication::processEvents();
    EXPECT_TRUE(enabled("autoInsertFillerForSameLevel")); // X has siblings now
    EXPECT_FALSE(modified());
    EXPECT_EQ(window->dlgedit().fileName, QStringLiteral("/work/current.qel"));
    EXPECT_FALSE(preview->isVisible());
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(child<QTabBar>("tabGen")->isVisible());
    EXPECT_TRUE(child<QMenu>("file")->menuAction()->isEnabled());
    EXPECT_EQ(platform.files.asked.back().fileName, QStringLiteral("/work/current.qel"));

    // Cancel imports nothing and empties the preview. From another tab the preview is shown
    // on the Generator tab.
    window->tabGen_Click(1);
    trigger("import", {file});
    EXPECT_TRUE(preview->isVisible());
    click("cmdImportCancel");
    EXPECT_EQ(tree().count(), 4);
    EXPECT_TRUE(window->treePanel()->trvTemp()->fieldModel()->tree().isEmpty());
}

TEST_F(ReshapeWindowTest, ImportRefusesWhatIsNoProjectFile)
{
    // The reader's own message, whatever the failure (its texts are tested with the reader).
    const QString source = path("prog.cbl");
    writeBytes(source, QByteArray(300, 'A'));
    layout({{1, "01 X.", "1:5"}});
    FieldTree expectedReader;
    const QString text = LoadNodes(expectedReader, source).message;
    trigger("import", {source}, {MessageAnswer::Ok});
    EXPECT_EQ(platform.messages.shown, std::vector<ShownMessage>{critical(text, "Orvane")});
    EXPECT_FALSE(child<QWidget>("picImport")->isVisible());
    EXPECT_TRUE(window->treePanel()->trvTemp()->fieldModel()->tree().isEmpty());
    EXPECT_EQ(outline(tree()), "01 X.");
    EXPECT_FALSE(modified());
}

TEST_F(ReshapeWindowTest, TreeClipboardThroughTheKeysAndTheMenu)
{
    const ShownMessage pasteQuestion{ClipboardCommands::pasteQuestion(), QStringLiteral("Paste"),
                                     MessageButtons::YesNo, MessageIcon::Question};
    // An empty tree: nothing to copy or cut; an empty clipboard: nothing to paste.
    view()->setFocus(Qt::OtherFocusReason);
    platform.messages.answers = {MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::Ok};
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(view(), Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(view(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(platform.messages.shown,
              (std::vector<ShownMessage>{plain("No data to copy"), plain("No data to cut"),
                                         plain("No data to paste")}));
    platform.messages.shown.clear();

    layout();
    select("05 A.");
    QTest::keyClick(view(), Qt::Key_C, Qt::ShiftModifier | Qt::ControlModifier); // not a copy
    EXPECT_TRUE(window->trvClipboardTree().isEmpty());
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(outline(window->trvClipboardTree()), "05 A.(10 A1.,10 A2.)");
    EXPECT_FALSE(modified());

    // Onto a level-05 field: Yes before it, No after it (the other targets are TreeClipboard's).
    platform.messages.answers = {MessageAnswer::Yes, MessageAnswer::No};
    select("05 C.");
    QTest::keyClick(view(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(view()->selectedNode(), tree().previous(find(tree(), "05 C.")));
    select("05 C.");
    QTest::keyClick(view(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(view()->selectedNode(), tree().next(find(tree(), "05 C.")));
    EXPECT_EQ(platform.messages.shown, (std::vector<ShownMessage>{pasteQuestion, pasteQuestion}));

    // Cut: the field leaves the tree and the next one is selected.
    select("05 B.");
    QTest::keyClick(view(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(outline(window->trvClipboardTree()), "05 B.");
    EXPECT_EQ(find(tree(), "05 B."), 0);
    EXPECT_EQ(view()->selectedNode(), tree().node(find(tree(), "01 R."))->childAt(1)->index());

    // Into an empty tree: there, but not selected and not marked.
    tree().clear();
    markSaved();
    trigger("paste");
    EXPECT_EQ(outline(tree()), "05 B.");
    EXPECT_EQ(view()->selectedNode(), 0);
    EXPECT_FALSE(modified());
}

TEST_F(ReshapeWindowTest, TextBoxesUseTheSystemClipboard)
{
    QLineEdit *name = box("txtFieldName");
    name->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(window->ActiveControl(), name);
    name->setText(QStringLiteral("CUST-NAME"));
    name->setSelection(0, 4);
    trigger("copy");
    EXPECT_EQ(platform.clipboard.value, QStringLiteral("CUST"));
    trigger("cut");
    EXPECT_EQ(name->text(), QStringLiteral("-NAME"));
    platform.clipboard.value = QStringLiteral("ORDER");
    name->setSelection(1, 4);
    trigger("paste");
    EXPECT_EQ(name->text(), QStringLiteral("-ORDER"));
    // A read-only box gives its text but takes none.
    window->tabGen_Click(2);
    QLineEdit *file = box("txtEditorFile");
    file->setText(QStringLiteral("/work/prog.cbl"));
    file->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(window->ActiveControl(), file);
    file->setSelection(0, 5);
    trigger("cut");
    trigger("paste");
    EXPECT_EQ(platform.clipboard.value, QStringLiteral("/work"));
    EXPECT_EQ(file->text(), QStringLiteral("/work/prog.cbl"));
}

TEST_F(ReshapeWindowTest, TheClipboardViewShowsWhatWasCopied)
{
    QAction *viewClipboard = child<QAction>("viewTreeViewclipboard");
    window->edit_Click();
    EXPECT_FALSE(viewClipboard->isEnabled());
    layout();
    select("05 B.");
    trigger("copy");
    window->edit_Click();
    viewClipboard->trigger(); // a disabled action would show nothing
    EXPECT_TRUE(window->treePanel()->trvClipboard()->isVisible());
    EXPECT_FALSE(child<QPushButton>("cmdImportCancel")->isVisible());
    window->edit_Click();
    EXPECT_FALSE(viewClipboard->isEnabled()); // not again while the bar is up
    click("cmdImportOk");
    EXPECT_FALSE(window->treePanel()->trvClipboard()->isVisible());
    EXPECT_EQ(outline(window->trvClipboardTree()), "05 B.");
    EXPECT_EQ(tree().count(), int(kLayout.size()));
}

// Which entries are refused or asked about is Fillers' table; here a refusal, the question
// and the inserting each reach the user.
TEST_F(ReshapeWindowTest, FillerButtonsCheckTheEntryPanelAndReport)
{
    const ShownMessage multiple =
        critical("Make sure the checkbox for multiple values is not selected");
    const ShownMessage noValue{
        QStringLiteral("Are You Sure You don't want the Fillers To Have Initial Value?"),
        QStringLiteral("Question"), MessageButtons::YesNo, MessageIcon::Question};
    const ShownMessage notice{FillerNoticeText(FillerMode::SameLevel), QStringLiteral("Message"),
                              MessageButtons::Ok, MessageIcon::Information};
    using A = MessageAnswer;
    struct Case {
        bool multipleValues;
        QString picture;
        QString value;
        std::vector<MessageAnswer> answers;
        std::vector<ShownMessage> shown; // a FILLER is inserted (once) when the count is reported
    } const cases[] = {
        {true, "AlphaNum (X)", "SPACES", {A::Ok}, {multiple}},
        {false, "AlphaNum (X)", "", {A::No}, {noValue}},
        {false, "AlphaNum (X)", "Spaces", {A::Ok, A::Ok}, {notice, plain("1 Fillers inserted")}},
    };
    layout({{1, "01 A.", "1:10"}, {1, "01 B.", "16:20"}});
    for (const Case &c : cases) {
        // The value box sets the multiple-values box, which sets treat as string.
        combo("cboFieldType")->setEditText(c.picture);
        combo("cboFieldValue")->setEditText(c.value);
        child<QCheckBox>("chkvalues")->setChecked(c.multipleValues);
        child<QCheckBox>("chkTreatAsString")->setChecked(false);
        select("01 A.");
        platform.messages.shown.clear();
        platform.messages.answers.assign(c.answers.begin(), c.answers.end());
        click("autoInsertFillerForSameLevel");
        EXPECT_EQ(platform.messages.shown, c.shown) << c.picture.toStdString();
        EXPECT_EQ(modified(), c.shown.size() == 2);
    }
    EXPECT_EQ(tagged(tree()), QStringLiteral("01 A.[1:10],01 FILLER ") + ClauseMark +
                                  QStringLiteral("PIC X(5) VALUE SPACES.[11:15],01 B.[16:20]"));

    // The subitems button fills the hole before a lone child (a click on it disabled would
    // insert nothing).
    tree().clear();
    layout({{1, "01 R.", "1:20"}, {2, "05 A.", "6:20"}});
    select("01 R.");
    click("cmdAutoInsertFiller", {}, {MessageAnswer::Ok, MessageAnswer::Ok});
    EXPECT_EQ(outline(tree()).count(QStringLiteral("FILLER")), 1);
}

TEST_F(ReshapeWindowTest, StatusAndExpandButtonFollowRemovePasteAndNew)
{
    layout();
    select(QStringLiteral("10 A1."));
    QTest::keyClick(view(), Qt::Key_Delete); // A2 is selected now
    EXPECT_EQ(status(), u"Fields 6 To 10");
    QTest::keyClick(view(), Qt::Key_C, Qt::ControlModifier);
    select(QStringLiteral("05 B."));
    window->stb()->setMessage(QStringLiteral("Done"));
    QTest::keyClick(view(), Qt::Key_V, Qt::ControlModifier); // a deeper level: a child
    EXPECT_EQ(status(), u"Fields 6 To 10");
    const TreeButtons *buttons = window->treePanel()->treeButtons();
    click("cmdExpandCollaplse");
    ASSERT_TRUE(buttons->offersCollapse());
    trigger("filenew", {}, {MessageAnswer::No});
    EXPECT_FALSE(buttons->offersCollapse());
    EXPECT_EQ(status() + window->stb()->storage(), QString());
}

namespace
{

class UndoWindowTest : public ReshapeWindowTest
{
protected:
    QAction *undo() { return child<QAction>("undo"); }
    QAction *redo() { return child<QAction>("redo"); }
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
        trigger(action, {dir.filePath(file)});
    }
    void fillers()
    {
        combo("cboFieldType")->setEditText(QStringLiteral("AlphaNum (X)"));
        combo("cboFieldValue")->setEditText(QStringLiteral("Spaces"));
        click("autoInsertFillerForSameLevel", {}, {MessageAnswer::Ok, MessageAnswer::Ok});
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
        window->undoCommands().clear(); // as a project just opened: nothing to undo
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

} // namespace

} // namespace orvane::testing
