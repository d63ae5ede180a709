// File > "View Data File...": the rules are the core's (decoder, encoder, edits, saving,
// DataStatusText), tested with tables there; here each is reached once through the widgets.
#include "ui/data/DataWindow.h"
#include "ui/data/DataEditing.h"
#include "ui/data/RecordTableModel.h"

#include "MainWindowFixture.h"

#include <QAbstractItemModelTester>
#include <QPointer>
#include <QSpinBox>
#include <QTableView>

namespace orvane::testing
{
namespace
{

class DataWindowTest : public MainWindowTest
{
protected:
    // Opens `bytes` as rec.dat through the File menu, read with 01 REC holding `fields`.
    DataWindow *open(std::initializer_list<const char *> fields, const QByteArray &bytes)
    {
        const int rec = tree().add(0, Relationship::Last, QStringLiteral("01 REC"));
        for (const char *field : fields)
            tree().add(rec, Relationship::Child, QString::fromLatin1(field));
        writeBytes(path("rec.dat"), bytes);
        trigger("viewData", {path("rec.dat")});
        return window->findChild<DataWindow *>(QStringLiteral("DataWindow"));
    }
};

TEST_F(DataWindowTest, ShowsRecordsHexAndGoTo)
{
    DataWindow *w = open({"05 NAME PIC X(4)", "05 AMT PIC S9(3)V99", "05 QTY PIC 9 OCCURS 2"},
                         "ABCD1940}12\nEFGH0000101\nIJKL12X4512\n");
    ASSERT_NE(w, nullptr);
    RecordTableModel *m = w->model();
    QAbstractItemModelTester tester(m, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(m->rowCount(), 3);
    ASSERT_EQ(m->columnCount(), 4);
    EXPECT_EQ(m->data(m->index(0, 1), Qt::DisplayRole).toString(), u"-194.00");

    child<QSpinBox>("spnDataGoTo", w)->setValue(2);
    click("cmdDataGoTo", w);
    QTableView *table = child<QTableView>("tblDataRecords", w);
    EXPECT_EQ(table->currentIndex().row(), 1);
    table->setCurrentIndex(m->index(1, 1));
    QPlainTextEdit *hex = child<QPlainTextEdit>("txtDataHex", w);
    EXPECT_EQ(hex->toPlainText(),
              u"00000000  45 46 47 48 30 30 30 30 31 30 31                 EFGH0000101\n");
    const QList<QTextEdit::ExtraSelection> marks = hex->extraSelections();
    ASSERT_EQ(marks.size(), 5); // AMT: bytes 5-9
    EXPECT_EQ(marks.front().cursor.selectedText(), u"30");
    EXPECT_EQ(marks.front().cursor.selectionStart(), 10 + 4 * 3);
}

// An RDW file of three record types: detection named, export of the selected records, a rule
// and the base variant's mark, Find Next round the end, and a new encoding read at once.
TEST_F(DataWindowTest, ExportsRulesFindRoundTheEndAndEncoding)
{
    const QByteArray word = QByteArray::fromHex("00070000");
    DataWindow *w = open({"05 R-TYPE PIC X", "05 R-A PIC XX", "05 R-B REDEFINES R-A PIC 99"},
                         word + "A12" + word + "B34" + QByteArray::fromHex("00080000") + "C567");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(child<QLabel>("lblDataStatus", w)->text(),
              u"detected rdw records, lengths count the 4-byte word; 3 rdw records of 3 to 4 "
              u"bytes; 0 fields did not decode");
    RecordTableModel *m = w->model();
    QTableView *table = child<QTableView>("tblDataRecords", w);
    table->selectionModel()->select(m->index(0, 0), QItemSelectionModel::Select);
    table->selectionModel()->select(m->index(2, 1), QItemSelectionModel::Select);
    click("cmdDataExportSelected", {path("out.csv")}, {}, w);
    EXPECT_EQ(readBytes(path("out.csv")), "R-TYPE,R-A\nA,12\nC,56\n");

    auto *rules = child<QLineEdit>("txtDataRules", w);
    rules->setText(QStringLiteral("R-TYPE=B:R-B"));
    emit rules->editingFinished();
    ASSERT_EQ(m->columnCount(), 3);
    EXPECT_EQ(m->data(m->index(1, 2), Qt::DisplayRole).toString(), u"34");
    EXPECT_EQ(m->data(m->index(1, 1), Qt::DisplayRole).toString(), u"");
    EXPECT_EQ(m->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), u"1 *");
    EXPECT_EQ(m->headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), u"2");

    const auto findNext = [&](const char *text) {
        child<QLineEdit>("txtDataFind", w)->setText(QString::fromLatin1(text));
        click("cmdDataFind", w);
        return child<QLabel>("lblDataFindResult", w)->text();
    };
    table->setCurrentIndex(m->index(2, 0));
    EXPECT_EQ(findNext("Q"), u"Q not found in R-TYPE");
    EXPECT_EQ(findNext("A"), u"Passed the end: found from the first record");
    EXPECT_EQ(table->currentIndex().row(), 0);
    EXPECT_EQ(child<QSpinBox>("spnDataGoTo", w)->value(), 1);
    EXPECT_EQ(findNext("B"), u"");

    auto *encoding = child<QComboBox>("cboDataEncoding", w);
    encoding->setCurrentIndex(encoding->findText(QStringLiteral("cp037 \u2013 EBCDIC US/Canada")));
    EXPECT_EQ(m->data(m->index(0, 0), Qt::DisplayRole).toString(), u"\u00A0"); // 0x41 in cp037
}

// A refused value keeps the editor open, typing starts one, records inserted, copied, deleted
// and undone, the "*" in the title, Save and Save As, and closing with changes.
TEST_F(DataWindowTest, EditsInsertsDeletesUndoesAndSaves)
{
    DataWindow *w = open({"05 NAME PIC X(4)", "05 AMT PIC S9(3)V99"}, "ABCD1940}\nEFGH12X45\n");
    ASSERT_NE(w, nullptr);
    const QString data = path("rec.dat");
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
    click("cmdDataInsert", w);
    click("cmdDataCopy", w);
    ASSERT_EQ(m->rowCount(), 4);
    table->selectionModel()->select(QItemSelection(m->index(0, 0), m->index(1, 0)),
                                    QItemSelectionModel::ClearAndSelect);
    click("cmdDataDelete", w);
    EXPECT_EQ(m->rowCount(), 2);
    click("cmdDataUndo", w);
    EXPECT_EQ(m->rowCount(), 4);
    click("cmdDataRedo", w);

    // Save As writes the new file and leaves the old; Save then writes over the new one.
    const QString copy = path("copy.dat");
    click("cmdDataSaveAs", {copy}, {}, w);
    EXPECT_EQ(readBytes(copy), "Z   1940}\nEFGH0015p\n");
    EXPECT_EQ(readBytes(data), "ABCD1940}\nEFGH12X45\n");
    EXPECT_EQ(w->windowTitle(), u"copy.dat - Data");
    EXPECT_FALSE(m->data(m->index(1, 1), Qt::BackgroundRole).isValid()) << "saved: no marks";
    w->editing()->setCell(1, 0, QStringLiteral("X"));
    click("cmdDataUndo", w);
    EXPECT_EQ(w->windowTitle(), u"copy.dat - Data") << "undone back to what is saved";
    w->editing()->setCell(1, 0, QStringLiteral("Q"));
    click("cmdDataSave", w);
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
