// File > "View Data File...": the records of a data file through the current layout, the hex
// view of the selected field, go to record, find, and the size against the record length.

#include "ui/DataWindow.h"
#include "ui/RecordTableModel.h"

#include "../common/Files.h"
#include "MainWindowFixture.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>

using namespace orvane;
using orvane::testing::MainWindowTest;
using orvane::testing::writeBytes;

namespace
{

class DataWindowTest : public MainWindowTest
{
protected:
    DataWindow *openData(const QByteArray &bytes)
    {
        FieldTree &tree = window->fields();
        const int rec = tree.add(0, Relationship::Last, QStringLiteral("01 REC"));
        tree.add(rec, Relationship::Child, QStringLiteral("05 NAME PIC X(4)"));
        tree.add(rec, Relationship::Child, QStringLiteral("05 AMT PIC S9(3)V99"));
        tree.add(rec, Relationship::Child, QStringLiteral("05 QTY PIC 9 OCCURS 2"));
        const QString path = dir.filePath(QStringLiteral("rec.dat"));
        writeBytes(path, bytes);
        platform.files.answers.push_back(path);
        child<QAction>("viewData")->trigger();
        return window->findChild<DataWindow *>(QStringLiteral("DataWindow"));
    }
    template <typename T> T *in(DataWindow *w, const char *name)
    {
        return w->findChild<T *>(QString::fromLatin1(name));
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(DataWindowTest, ShowsRecordsHexGoToAndFind)
{
    DataWindow *w = openData("ABCD1940}12\nEFGH0000101\nIJKL12X4512\n");
    ASSERT_NE(w, nullptr);
    QAbstractItemModelTester tester(w->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    RecordTableModel *m = w->model();
    ASSERT_EQ(m->rowCount(), 3);
    ASSERT_EQ(m->columnCount(), 4);
    EXPECT_EQ(m->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), u"QTY(2)");
    EXPECT_EQ(m->data(m->index(0, 1), Qt::DisplayRole).toString(), u"-194.00");
    EXPECT_EQ(m->data(m->index(2, 1), Qt::DisplayRole).toString(), u"<bad 3132583435>");
    EXPECT_EQ(in<QLabel>(w, "lblDataStatus")->text(),
              u"3 records of 11 bytes and LF; 1 fields did not decode");

    in<QSpinBox>(w, "spnDataGoTo")->setValue(2);
    QTest::mouseClick(in<QPushButton>(w, "cmdDataGoTo"), Qt::LeftButton);
    QTableView *table = in<QTableView>(w, "tblDataRecords");
    EXPECT_EQ(table->currentIndex().row(), 1);
    table->setCurrentIndex(m->index(1, 1));
    QPlainTextEdit *hex = in<QPlainTextEdit>(w, "txtDataHex");
    EXPECT_EQ(hex->toPlainText(),
              u"00000000  45 46 47 48 30 30 30 30 31 30 31                 EFGH0000101\n");
    const QList<QTextEdit::ExtraSelection> marks = hex->extraSelections();
    ASSERT_EQ(marks.size(), 5); // AMT: bytes 5-9
    EXPECT_EQ(marks.front().cursor.selectedText(), u"30");
    EXPECT_EQ(marks.front().cursor.selectionStart(), 10 + 4 * 3);

    in<QLineEdit>(w, "txtDataFind")->setText(QStringLiteral("IJKL"));
    QTest::mouseClick(in<QPushButton>(w, "cmdDataFind"), Qt::LeftButton);
    EXPECT_EQ(table->currentIndex().row(), 2);
}

TEST_F(DataWindowTest, SaysWhenTheFileDoesNotFitTheLayout)
{
    DataWindow *w = openData(QByteArray(617, '1'));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->model()->rowCount(), 56);
    EXPECT_EQ(in<QLabel>(w, "lblDataStatus")->text(),
              u"file size is not a multiple of 11: 1 bytes left over; 56 records of 11 bytes; "
              u"0 fields did not decode");
}
