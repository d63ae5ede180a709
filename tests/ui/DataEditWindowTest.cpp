// The data window as a record editor, driven once through its widgets: a refused value keeps
// the editor open, typing starts one, records inserted, copied, deleted and undone, the "*" in
// the title, Save and Save As, and closing with changes. The rules themselves are the core's
// (encoder, edits, saving), tested with tables there.
#include "ui/data/DataEditing.h"
#include "ui/data/DataWindow.h"
#include "ui/data/RecordTableModel.h"

#include "MainWindowFixture.h"

#include <QComboBox>
#include <QPointer>
#include <QTableView>

namespace orvane::testing
{
namespace
{

using DataEditWindowTest = MainWindowTest;

TEST_F(DataEditWindowTest, EditsInsertsDeletesUndoesAndSaves)
{
    const int rec = tree().add(0, Relationship::Last, QStringLiteral("01 REC"));
    tree().add(rec, Relationship::Child, QStringLiteral("05 NAME PIC X(4)"));
    tree().add(rec, Relationship::Child, QStringLiteral("05 AMT PIC S9(3)V99"));
    const QString data = path("rec.dat");
    writeBytes(data, "ABCD1940}\nEFGH12X45\n");
    platform.files.answers.push_back(data);
    trigger("viewData");
    auto *w = window->findChild<DataWindow *>(QStringLiteral("DataWindow"));
    ASSERT_NE(w, nullptr);
    RecordTableModel *m = w->model();
    QTableView *table = child<QTableView>("tblDataRecords", w);

    // The bad AMT of record 2 is typed over; a value too long is refused and stays in the editor.
    table->setCurrentIndex(m->index(1, 1));
    QTest::keyClick(table, Qt::Key_F2);
    auto *editor = table->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), u"");
    QTest::keyClicks(editor, QStringLiteral("1234"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(child<QLabel>("lblDataStatus", w)->text(),
              u"AMT takes at most 3 digits before the point, 4 given");
    EXPECT_TRUE(editor->isVisible());
    editor->setText(QStringLiteral("-1.5"));
    QPointer<QLineEdit> closed = editor;
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(!closed || !closed->isVisible());
    EXPECT_EQ(m->data(m->index(1, 1), Qt::DisplayRole).toString(), u"-1.50");
    EXPECT_TRUE(m->data(m->index(1, 1), Qt::BackgroundRole).isValid()) << "marked as edited";
    EXPECT_EQ(w->windowTitle(), u"rec.dat* - Data");
    w->cmdDataExport_Click(false);
    EXPECT_EQ(child<QLabel>("lblDataStatus", w)->text(),
              u"Save the changes first: the export reads the file");

    // Typing on a cell starts its editor with what was typed.
    table->setCurrentIndex(m->index(0, 0));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the last editor
    QTest::keyClicks(table, QStringLiteral("Z"));
    editor = table->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Enter);
    EXPECT_EQ(m->data(m->index(0, 0), Qt::DisplayRole).toString(), u"Z   ");

    // Insert before record 1, copy it, delete both, undo the delete.
    table->setCurrentIndex(m->index(0, 1));
    QTest::mouseClick(child<QPushButton>("cmdDataInsert", w), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("cmdDataCopy", w), Qt::LeftButton);
    ASSERT_EQ(m->rowCount(), 4);
    table->selectionModel()->select(QItemSelection(m->index(0, 0), m->index(1, 0)),
                                    QItemSelectionModel::ClearAndSelect);
    QTest::mouseClick(child<QPushButton>("cmdDataDelete", w), Qt::LeftButton);
    EXPECT_EQ(m->rowCount(), 2);
    QTest::mouseClick(child<QPushButton>("cmdDataUndo", w), Qt::LeftButton);
    EXPECT_EQ(m->rowCount(), 4);
    QTest::mouseClick(child<QPushButton>("cmdDataRedo", w), Qt::LeftButton);

    // Save As writes the new file and leaves the old; Save then writes over the new one.
    const QString copy = path("copy.dat");
    platform.files.answers.push_back(copy);
    QTest::mouseClick(child<QPushButton>("cmdDataSaveAs", w), Qt::LeftButton);
    EXPECT_EQ(readBytes(copy), "Z   1940}\nEFGH0015p\n");
    EXPECT_EQ(readBytes(data), "ABCD1940}\nEFGH12X45\n");
    EXPECT_EQ(w->windowTitle(), u"copy.dat - Data");
    EXPECT_FALSE(m->data(m->index(1, 1), Qt::BackgroundRole).isValid()) << "saved: no marks";
    w->editing()->setCell(1, 0, QStringLiteral("X"));
    QTest::mouseClick(child<QPushButton>("cmdDataUndo", w), Qt::LeftButton);
    EXPECT_EQ(w->windowTitle(), u"copy.dat - Data") << "undone back to what is saved";
    w->editing()->setCell(1, 0, QStringLiteral("Q"));
    QTest::mouseClick(child<QPushButton>("cmdDataSave", w), Qt::LeftButton);
    EXPECT_EQ(readBytes(copy), "Z   1940}\nQ   0015p\n");

    // Reading the file another way asks too: Cancel keeps the edit and the box as it was read.
    w->editing()->setCell(0, 0, QStringLiteral("LOST"));
    platform.messages.answers = {MessageAnswer::Cancel, MessageAnswer::Cancel, MessageAnswer::No};
    auto *floats = child<QComboBox>("cboDataFloat", w);
    const int readWith = floats->currentIndex();
    floats->setCurrentIndex((readWith + 1) % floats->count());
    EXPECT_EQ(floats->currentIndex(), readWith);
    EXPECT_EQ(m->data(m->index(0, 0), Qt::DisplayRole).toString(), u"LOST");

    // Closing with changes asks; Cancel keeps the window, No closes it without saving.
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->close());
    EXPECT_EQ(platform.messages.shown.back(),
              (ShownMessage{QStringLiteral("Save the changes to copy.dat?"), QStringLiteral("Data"),
                            MessageButtons::YesNoCancel, MessageIcon::Question}));
    EXPECT_EQ(readBytes(copy), "Z   1940}\nQ   0015p\n");
}

} // namespace
} // namespace orvane::testing
