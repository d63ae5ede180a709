// File > "View Data File...": the records of a data file through the current layout, the hex
// view of the selected field, go to record, find, and the status line (its forms are the
// core's DataStatusText, tested with the data file).
#include "ui/data/DataWindow.h"
#include "ui/data/RecordTableModel.h"

#include "MainWindowFixture.h"

#include <QAbstractItemModelTester>
#include <QSpinBox>
#include <QTableView>

namespace orvane::testing
{
namespace
{

using DataWindowTest = MainWindowTest;

TEST_F(DataWindowTest, ShowsRecordsHexGoToAndFind)
{
    const int rec = tree().add(0, Relationship::Last, QStringLiteral("01 REC"));
    tree().add(rec, Relationship::Child, QStringLiteral("05 NAME PIC X(4)"));
    tree().add(rec, Relationship::Child, QStringLiteral("05 AMT PIC S9(3)V99"));
    tree().add(rec, Relationship::Child, QStringLiteral("05 QTY PIC 9 OCCURS 2"));
    writeBytes(path("rec.dat"), "ABCD1940}12\nEFGH0000101\nIJKL12X4512\n");
    platform.files.answers.push_back(path("rec.dat"));
    trigger("viewData");
    auto *w = window->findChild<DataWindow *>(QStringLiteral("DataWindow"));
    ASSERT_NE(w, nullptr);
    RecordTableModel *m = w->model();
    QAbstractItemModelTester tester(m, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(m->rowCount(), 3);
    ASSERT_EQ(m->columnCount(), 4);
    EXPECT_EQ(m->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), u"QTY(2)");
    EXPECT_EQ(m->data(m->index(0, 1), Qt::DisplayRole).toString(), u"-194.00");
    EXPECT_EQ(m->data(m->index(2, 1), Qt::DisplayRole).toString(), u"<bad 3132583435>");
    EXPECT_EQ(child<QLabel>("lblDataStatus", w)->text(),
              u"3 records of 11 bytes and LF; 1 fields did not decode");

    child<QSpinBox>("spnDataGoTo", w)->setValue(2);
    QTest::mouseClick(child<QPushButton>("cmdDataGoTo", w), Qt::LeftButton);
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

    child<QLineEdit>("txtDataFind", w)->setText(QStringLiteral("IJKL"));
    QTest::mouseClick(child<QPushButton>("cmdDataFind", w), Qt::LeftButton);
    EXPECT_EQ(table->currentIndex().row(), 2);
}

// An RDW file of three record types: detection named, export of the selected records, a rule
// and the base variant's mark, Find Next round the end, and a new encoding read at once.
TEST_F(DataWindowTest, ExportsRulesFindRoundTheEndAndEncoding)
{
    const int rec = tree().add(0, Relationship::Last, QStringLiteral("01 REC"));
    tree().add(rec, Relationship::Child, QStringLiteral("05 R-TYPE PIC X"));
    tree().add(rec, Relationship::Child, QStringLiteral("05 R-A PIC XX"));
    tree().add(rec, Relationship::Child, QStringLiteral("05 R-B REDEFINES R-A PIC 99"));
    const QByteArray word = QByteArray::fromHex("00070000");
    writeBytes(path("rec.dat"),
               word + "A12" + word + "B34" + QByteArray::fromHex("00080000") + "C567");
    platform.files.answers.push_back(path("rec.dat"));
    trigger("viewData");
    auto *w = window->findChild<DataWindow *>(QStringLiteral("DataWindow"));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), u"rec.dat - Data");
    EXPECT_EQ(child<QLabel>("lblDataStatus", w)->text(),
              u"detected rdw records, lengths count the 4-byte word; 3 rdw records of 3 to 4 "
              u"bytes; 0 fields did not decode");
    RecordTableModel *m = w->model();
    QTableView *table = child<QTableView>("tblDataRecords", w);
    table->selectionModel()->select(m->index(0, 0), QItemSelectionModel::Select);
    table->selectionModel()->select(m->index(2, 1), QItemSelectionModel::Select);
    platform.files.answers.push_back(path("out.csv"));
    QTest::mouseClick(child<QPushButton>("cmdDataExportSelected", w), Qt::LeftButton);
    EXPECT_EQ(readBytes(path("out.csv")), "R-TYPE,R-A\nA,12\nC,56\n");

    auto *rules = child<QLineEdit>("txtDataRules", w);
    rules->setText(QStringLiteral("R-TYPE=B:R-B"));
    emit rules->editingFinished();
    ASSERT_EQ(m->columnCount(), 3);
    EXPECT_EQ(m->data(m->index(1, 2), Qt::DisplayRole).toString(), u"34");
    EXPECT_EQ(m->data(m->index(1, 1), Qt::DisplayRole).toString(), u"");
    EXPECT_EQ(m->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), u"1 *");
    EXPECT_EQ(m->headerData(1, Qt::Vertical, Qt::DisplayRole).toString(), u"2");

    auto *find = child<QPushButton>("cmdDataFind", w);
    auto *result = child<QLabel>("lblDataFindResult", w);
    table->setCurrentIndex(m->index(2, 0));
    child<QLineEdit>("txtDataFind", w)->setText(QStringLiteral("Q"));
    QTest::mouseClick(find, Qt::LeftButton);
    EXPECT_EQ(result->text(), u"Q not found in R-TYPE");
    child<QLineEdit>("txtDataFind", w)->setText(QStringLiteral("A"));
    QTest::mouseClick(find, Qt::LeftButton);
    EXPECT_EQ(result->text(), u"Passed the end: found from the first record");
    EXPECT_EQ(table->currentIndex().row(), 0);
    EXPECT_EQ(child<QSpinBox>("spnDataGoTo", w)->value(), 1);
    child<QLineEdit>("txtDataFind", w)->setText(QStringLiteral("B"));
    QTest::mouseClick(find, Qt::LeftButton);
    EXPECT_EQ(result->text(), u"");

    auto *encoding = child<QComboBox>("cboDataEncoding", w);
    encoding->setCurrentIndex(encoding->findText(QStringLiteral("cp037 \u2013 EBCDIC US/Canada")));
    EXPECT_EQ(m->data(m->index(0, 0), Qt::DisplayRole).toString(), u"\u00A0"); // 0x41 in cp037
}

} // namespace
} // namespace orvane::testing
