#include "DataWindow.h"

#include "DataEditing.h"
#include "RecordTableModel.h"

#include "cobol/CopybookReader.h"
#include "cobol/RecordFields.h"
#include "model/FieldTree.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTextBlock>
#include <QVBoxLayout>

namespace orvane
{

using namespace orvane::cobol;

namespace
{

constexpr int kBytesPerLine = 16;
constexpr int kHexColumn = 10; // after "00000000  "

template <typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

DataWindow::DataWindow(const Platform &platform, const FieldTree &layout, QWidget *parent)
    : QWidget(parent, Qt::Window), platform_(platform), layout_(layout)
{
    setObjectName(QStringLiteral("DataWindow"));
    setWindowTitle(QStringLiteral("Data"));
    model_ = new RecordTableModel(this);

    txtDataFile_ = named(new QLineEdit(this), "txtDataFile");
    auto *browse = named(new QPushButton(QStringLiteral("Data File..."), this), "cmdDataBrowse");
    auto *copybook = named(new QPushButton(QStringLiteral("Copybook..."), this), "cmdDataCopybook");
    lblDataLayout_ =
        named(new QLabel(QStringLiteral("Layout: the current layout"), this), "lblDataLayout");
    cboDataEncoding_ = named(new QComboBox(this), "cboDataEncoding");
    for (Encoding e : {Encoding::Ascii, Encoding::Cp1252, Encoding::Utf8, Encoding::Cp037,
                       Encoding::Cp1140, Encoding::Cp273, Encoding::Cp500, Encoding::Cp1047})
        cboDataEncoding_->addItem(EncodingName(e), int(e));
    spnDataRecordLength_ = named(new QSpinBox(this), "spnDataRecordLength");
    spnDataRecordLength_->setRange(0, 1 << 30);
    spnDataRecordLength_->setSpecialValueText(QStringLiteral("layout's"));
    auto *open = named(new QPushButton(QStringLiteral("Open"), this), "cmdDataOpen");

    tblDataRecords_ = named(new QTableView(this), "tblDataRecords");
    tblDataRecords_->setModel(model_);
    tblDataRecords_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Fixed row heights keep a view over millions of rows from measuring each one.
    tblDataRecords_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    txtDataHex_ = named(new QPlainTextEdit(this), "txtDataHex");
    txtDataHex_->setReadOnly(true);
    txtDataHex_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    spnDataGoTo_ = named(new QSpinBox(this), "spnDataGoTo");
    spnDataGoTo_->setRange(1, 1);
    auto *goTo = named(new QPushButton(QStringLiteral("Go To Record"), this), "cmdDataGoTo");
    cboDataFindColumn_ = named(new QComboBox(this), "cboDataFindColumn");
    txtDataFind_ = named(new QLineEdit(this), "txtDataFind");
    auto *find = named(new QPushButton(QStringLiteral("Find Next"), this), "cmdDataFind");
    lblDataStatus_ = named(new QLabel(this), "lblDataStatus");
    lblDataStatus_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *top = new QHBoxLayout;
    top->addWidget(txtDataFile_, 1);
    top->addWidget(browse);
    top->addWidget(copybook);
    top->addWidget(cboDataEncoding_);
    top->addWidget(spnDataRecordLength_);
    top->addWidget(open);
    auto *search = new QHBoxLayout;
    search->addWidget(spnDataGoTo_);
    search->addWidget(goTo);
    search->addSpacing(16);
    search->addWidget(cboDataFindColumn_);
    search->addWidget(txtDataFind_, 1);
    search->addWidget(find);
    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(tblDataRecords_);
    split->addWidget(txtDataHex_);
    split->setStretchFactor(0, 3);
    auto *layoutBox = new QVBoxLayout(this);
    layoutBox->addLayout(top);
    layoutBox->addWidget(lblDataLayout_);
    layoutBox->addLayout(search);
    editing_ = new DataEditing(platform_, model_, tblDataRecords_, lblDataStatus_, this,
                               [this](const QString &saved) { return openData(saved); });
    layoutBox->addLayout(editing_->bar());
    connect(editing_, &DataEditing::titleChanged, this, &QWidget::setWindowTitle);
    layoutBox->addWidget(split, 1);
    layoutBox->addWidget(lblDataStatus_);

    connect(browse, &QPushButton::clicked, this, &DataWindow::cmdDataBrowse_Click);
    connect(copybook, &QPushButton::clicked, this, &DataWindow::cmdDataCopybook_Click);
    connect(open, &QPushButton::clicked, this, [this] { openData(txtDataFile_->text()); });
    connect(goTo, &QPushButton::clicked, this, &DataWindow::cmdDataGoTo_Click);
    connect(find, &QPushButton::clicked, this, &DataWindow::cmdDataFind_Click);
    connect(tblDataRecords_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &DataWindow::showRecord);
    resize(900, 600);
}

DataWindow::~DataWindow() = default;

bool DataWindow::openData(const QString &path)
{
    if (!editing_->maySave())
        return false;
    txtDataFile_->setText(path);
    FieldTree tree;
    const FieldTree *layout = &layout_;
    if (!copybook_.isEmpty()) {
        const ReadResult read = ReadDataDescriptionFile(copybook_, ReadOptions{});
        if (!read.ok()) {
            lblDataStatus_->setText(
                QStringLiteral("Cannot import %1: %2").arg(copybook_, read.errorText()));
            return false;
        }
        ImportEntries(tree, read);
        layout = &tree;
    }
    DecodeOptions options;
    options.encoding = Encoding(cboDataEncoding_->currentData().toInt());
    // A mainframe download: binary items sized and ordered as the mainframe has them.
    options.comp5BigEndian = IsEbcdic(options.encoding);
    const StorageMap map =
        BuildStorageMap(*layout, IsEbcdic(options.encoding) ? Dialect::Ibm : Dialect::Default);
    QString error;
    const bool ok =
        model_->open(path, map, {}, options, spnDataRecordLength_->value(), LineEnds::Auto, error);
    cboDataFindColumn_->clear();
    txtDataHex_->clear();
    editing_->reset(ok ? path : QString(),
                    ok ? InitialRecord(*layout, map, model_->layout(), options) : QByteArray());
    if (!ok) {
        lblDataStatus_->setText(error);
        return false;
    }
    for (const Column &c : model_->layout().columns)
        cboDataFindColumn_->addItem(c.name);
    spnDataGoTo_->setRange(1, std::max(1, model_->rowCount()));
    qint64 sampled = 0;
    const qint64 bad = model_->badFields(sampled);
    lblDataStatus_->setText(
        DataStatusText(model_->layout().problems, model_->shape(), bad, sampled));
    return true;
}

void DataWindow::closeEvent(QCloseEvent *event)
{
    if (editing_->maySave())
        event->accept();
    else
        event->ignore();
}

void DataWindow::cmdDataBrowse_Click()
{
    const QString path = platform_.files.openFile(
        QStringLiteral("Open Data File"), QStringLiteral("All Files (*)"), txtDataFile_->text());
    if (!path.isEmpty())
        openData(path);
}

void DataWindow::cmdDataCopybook_Click()
{
    const QString path = platform_.files.openFile(
        QStringLiteral("Open Copybook"),
        QStringLiteral("COBOL Copybooks (*.cpy *.cbl *.cob);;All Files (*)"), copybook_);
    if (path.isEmpty())
        return;
    copybook_ = path;
    lblDataLayout_->setText(QStringLiteral("Layout: %1").arg(QFileInfo(path).fileName()));
    if (!txtDataFile_->text().isEmpty())
        openData(txtDataFile_->text());
}

void DataWindow::cmdDataGoTo_Click()
{
    const int row = spnDataGoTo_->value() - 1;
    if (row >= model_->rowCount())
        return;
    const int column = std::max(0, tblDataRecords_->currentIndex().column());
    const QModelIndex index = model_->index(row, column);
    tblDataRecords_->setCurrentIndex(index);
    tblDataRecords_->scrollTo(index, QAbstractItemView::PositionAtTop);
}

void DataWindow::cmdDataFind_Click()
{
    const int column = cboDataFindColumn_->currentIndex();
    const int row =
        model_->find(column, txtDataFind_->text(), tblDataRecords_->currentIndex().row() + 1);
    if (row < 0) {
        lblDataStatus_->setText(QStringLiteral("%1 not found in %2")
                                    .arg(txtDataFind_->text(), cboDataFindColumn_->currentText()));
        return;
    }
    const QModelIndex index = model_->index(row, column);
    tblDataRecords_->setCurrentIndex(index);
    tblDataRecords_->scrollTo(index);
}

// The record as offset, hexadecimal and characters, 16 bytes a line; the current field's
// bytes selected.
void DataWindow::showRecord()
{
    const QModelIndex current = tblDataRecords_->currentIndex();
    const QByteArray bytes = model_->recordBytes(current.row());
    QString text;
    const char16_t *table = CodePageTable(model_->options().encoding);
    for (qsizetype at = 0; at < bytes.size(); at += kBytesPerLine) {
        QString hex;
        QString chars;
        for (qsizetype i = at; i < at + kBytesPerLine; ++i) {
            if (i >= bytes.size()) {
                hex += QStringLiteral("   ");
                continue;
            }
            const auto b = static_cast<unsigned char>(bytes[i]);
            hex += QStringLiteral("%1 ").arg(b, 2, 16, QLatin1Char('0')).toUpper();
            const QChar c = table ? QChar(table[b]) : QChar(b < 0x80 ? char16_t(b) : u'.');
            chars += c.isPrint() ? c : QChar(u'.');
        }
        text += QStringLiteral("%1  %2 %3\n").arg(at, 8, 16, QLatin1Char('0')).arg(hex, chars);
    }
    txtDataHex_->setPlainText(text);
    if (current.column() < 0 || size_t(current.column()) >= model_->layout().columns.size())
        return;
    const Column &field = model_->layout().columns[size_t(current.column())];
    QList<QTextEdit::ExtraSelection> marks;
    for (qint64 i = field.offset; i < field.offset + field.length && i < bytes.size(); ++i) {
        QTextEdit::ExtraSelection mark;
        const QTextBlock line = txtDataHex_->document()->findBlockByNumber(int(i / kBytesPerLine));
        mark.cursor = QTextCursor(line);
        mark.cursor.setPosition(line.position() + kHexColumn + int(i % kBytesPerLine) * 3);
        mark.cursor.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor, 2);
        mark.format.setBackground(QColor(255, 230, 150));
        marks << mark;
    }
    txtDataHex_->setExtraSelections(marks);
}

} // namespace orvane
