// File > "View Data File...": the records of a data file through the current layout, the hex
// view of the selected field, go to record, find, and the status line (its forms are the
// core's DataStatusText, tested with the data file).
#include "ui/DataWindow.h"
#include "ui/RecordTableModel.h"

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

} // namespace
} // namespace orvane::testing
