#include "ui/data/DataWindow.h"

#include "ui/data/DataEditing.h"
#include "ui/data/RecordTableModel.h"

#include "cobol/CopybookReader.h"
#include "cobol/LayoutChoices.h"
#include "cobol/RecordFields.h"
#include "model/FieldTree.h"

#include <QApplication>
#include <QCheckBox>
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
#include <QProgressDialog>
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

// Each code page by its name and what it is for.
QString encodingTitle(Encoding e)
{
    const char *what = "";
    switch (e) {
    case Encoding::Ascii:
        what = "ASCII";
        break;
    case Encoding::Cp1252:
        what = "Windows Western European";
        break;
    case Encoding::Utf8:
        what = "Unicode";
        break;
    case Encoding::Cp037:
        what = "EBCDIC US/Canada";
        break;
    case Encoding::Cp1140:
        what = "EBCDIC US/Canada with euro";
        break;
    case Encoding::Cp273:
        what = "EBCDIC Germany/Austria";
        break;
    case Encoding::Cp500:
        what = "EBCDIC International";
        break;
    case Encoding::Cp1047:
        what = "EBCDIC Latin-1 (Unix System Services)";
        break;
    }
    return EncodingName(e) + QStringLiteral(" \u2013 ") + QLatin1String(what);
}

QComboBox *choices(QComboBox *box, std::initializer_list<const char *> items)
{
    for (const char *item : items)
        box->addItem(QString::fromUtf8(item));
    return box;
}

constexpr int kHeadersSized = 500; // more columns keep the default width: measuring costs

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
        cboDataEncoding_->addItem(encodingTitle(e), int(e));
    spnDataRecordLength_ = named(new QSpinBox(this), "spnDataRecordLength");
    spnDataRecordLength_->setRange(0, 1 << 30);
    spnDataRecordLength_->setSpecialValueText(QStringLiteral("layout's"));
    auto *open = named(new QPushButton(QStringLiteral("Open"), this), "cmdDataOpen");
    // In the order of RecordFormat.
    cboDataRecordFormat_ =
        named(choices(new QComboBox(this),
                      {"Detect format", "Fixed length", "One record per line", "RDW", "VB blocks"}),
              "cboDataRecordFormat");
    cboDataRdwLength_ =
        named(choices(new QComboBox(this), {"Detect RDW length", "RDW length counts the word",
                                            "RDW length leaves out the word"}),
              "cboDataRdwLength");
    chkDataRdwLittle_ =
        named(new QCheckBox(QStringLiteral("Little-endian RDW"), this), "chkDataRdwLittle");
    chkDataRdwWide_ =
        named(new QCheckBox(QStringLiteral("4-byte RDW length"), this), "chkDataRdwWide");
    chkDataPaddedTables_ =
        named(new QCheckBox(QStringLiteral("Tables padded to their maximum"), this),
              "chkDataPaddedTables");
    cboDataRecord_ = named(new QComboBox(this), "cboDataRecord");
    cboDataVariant_ = named(new QComboBox(this), "cboDataVariant");
    txtDataRules_ = named(new QLineEdit(this), "txtDataRules");
    txtDataRules_->setPlaceholderText(QStringLiteral("FIELD=VALUE:VARIANT; ..."));
    txtDataRules_->setToolTip(QStringLiteral("When FIELD reads VALUE, show VARIANT; several "
                                             "rules separated by semicolons"));
    cboDataBinary_ =
        named(choices(new QComboBox(this), {"Binary as the encoding suggests", "Binary big-endian",
                                            "Binary in this machine's order"}),
              "cboDataBinary");
    cboDataFloat_ = named(
        choices(new QComboBox(this), {"IEEE floats", "IEEE big-endian floats", "IBM hex floats"}),
        "cboDataFloat");

    tblDataRecords_ = named(new QTableView(this), "tblDataRecords");
    tblDataRecords_->setModel(model_);
    tblDataRecords_->setSelectionMode(QAbstractItemView::ExtendedSelection);
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
    lblDataFindResult_ = named(new QLabel(this), "lblDataFindResult");
    auto *exportAll = named(new QPushButton(QStringLiteral("Export..."), this), "cmdDataExport");
    auto *exportSelected =
        named(new QPushButton(QStringLiteral("Export Selected..."), this), "cmdDataExportSelected");
    lblDataStatus_ = named(new QLabel(this), "lblDataStatus");
    lblDataStatus_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *top = new QHBoxLayout;
    top->addWidget(txtDataFile_, 1);
    top->addWidget(browse);
    top->addWidget(copybook);
    top->addWidget(cboDataEncoding_);
    top->addWidget(spnDataRecordLength_);
    top->addWidget(open);
    auto *format = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{
             cboDataRecordFormat_, cboDataRdwLength_, chkDataRdwLittle_, chkDataRdwWide_,
             chkDataPaddedTables_, cboDataBinary_, cboDataFloat_})
        format->addWidget(w);
    format->addStretch(1);
    auto *types = new QHBoxLayout;
    types->addWidget(new QLabel(QStringLiteral("Record:"), this));
    types->addWidget(cboDataRecord_);
    types->addWidget(new QLabel(QStringLiteral("Variant:"), this));
    types->addWidget(cboDataVariant_);
    types->addWidget(new QLabel(QStringLiteral("Rules:"), this));
    types->addWidget(txtDataRules_, 1);
    auto *search = new QHBoxLayout;
    search->addWidget(spnDataGoTo_);
    search->addWidget(goTo);
    search->addSpacing(16);
    search->addWidget(cboDataFindColumn_);
    search->addWidget(txtDataFind_, 1);
    search->addWidget(find);
    search->addWidget(lblDataFindResult_);
    search->addSpacing(16);
    search->addWidget(exportAll);
    search->addWidget(exportSelected);
    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(tblDataRecords_);
    split->addWidget(txtDataHex_);
    split->setStretchFactor(0, 3);
    auto *layoutBox = new QVBoxLayout(this);
    layoutBox->addLayout(top);
    layoutBox->addLayout(format);
    layoutBox->addLayout(types);
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
    connect(exportAll, &QPushButton::clicked, this, [this] { cmdDataExport_Click(false); });
    connect(exportSelected, &QPushButton::clicked, this, [this] { cmdDataExport_Click(true); });
    connect(tblDataRecords_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &DataWindow::showRecord);
    // Every choice reads the file again at once, as a new copybook does.
    for (QComboBox *box : readingCombos())
        connect(box, &QComboBox::currentIndexChanged, this, &DataWindow::reread);
    for (QCheckBox *box : readingChecks())
        connect(box, &QCheckBox::toggled, this, &DataWindow::reread);
    connect(txtDataRules_, &QLineEdit::editingFinished, this, &DataWindow::reread);
    resize(900, 600);
}

DataWindow::~DataWindow() = default;

bool DataWindow::openData(const QString &path)
{
    if (!editing_->maySave()) {
        restoreReadingChoices();
        return false;
    }
    txtDataFile_->setText(path);
    FieldTree tree;
    const FieldTree *layout = &layout_;
    if (!copybook_.isEmpty()) {
        ReadOptions options;
        options.copiesRequired = true; // records read through a part of the layout mislead
        const ReadResult read = ReadDataDescriptionFile(copybook_, options);
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
    const int binary = cboDataBinary_->currentIndex(); // 0: as the encoding has it
    options.binaryNative = binary == 2;
    options.comp5BigEndian = binary == 1;
    options.floats = FloatFormat(std::max(0, cboDataFloat_->currentIndex()));
    Dialect dialect = Dialect::Default;
    ApplyEncodingDefaults(options, dialect, false, binary != 0);
    const StorageMap map = BuildStorageMap(*layout, dialect);
    offerChoices(map);

    LayoutChoice choice;
    if (cboDataRecord_->currentIndex() > 0)
        choice.record = cboDataRecord_->currentText();
    if (cboDataVariant_->currentIndex() > 0)
        choice.variants << cboDataVariant_->currentText();
    choice.paddedTables = chkDataPaddedTables_->isChecked();
    QString bad;
    if (!ParseVariantRules(txtDataRules_->text(), choice.rules, bad)) {
        lblDataStatus_->setText(
            QStringLiteral("%1 is not a rule: write FIELD=VALUE:VARIANT").arg(bad));
        return false;
    }
    FramingOptions framing;
    framing.format = RecordFormat(std::max(0, cboDataRecordFormat_->currentIndex()));
    framing.recordLength = spnDataRecordLength_->value();
    framing.headerGiven = cboDataRdwLength_->currentIndex() > 0;
    framing.header.excludesHeader = cboDataRdwLength_->currentIndex() == 2;
    framing.header.littleEndian = chkDataRdwLittle_->isChecked();
    framing.header.wide = chkDataRdwWide_->isChecked();

    QString error;
    const bool ok = model_->open(path, map, choice, options, framing, error);
    cboDataFindColumn_->clear();
    txtDataHex_->clear();
    editing_->reset(ok ? path : QString(),
                    ok ? InitialRecord(*layout, map, model_->layout(), options) : QByteArray());
    lblDataFindResult_->clear();
    if (!ok) {
        lblDataStatus_->setText(error);
        return false;
    }
    readWith_.clear();
    for (const QComboBox *box : readingCombos())
        readWith_ << box->currentIndex();
    for (const QCheckBox *box : readingChecks())
        readWith_ << int(box->isChecked());
    rulesReadWith_ = txtDataRules_->text();
    for (const Column &c : model_->layout().columns)
        cboDataFindColumn_->addItem(c.name);
    spnDataGoTo_->setRange(1, std::max(1, model_->rowCount()));
    // Headers whole: the columns as wide as their names and the first rows' values.
    if (model_->columnCount() <= kHeadersSized)
        tblDataRecords_->resizeColumnsToContents();
    lblDataStatus_->setText(editing_->refusal().isEmpty()
                                ? model_->statusText()
                                : model_->statusText() + QStringLiteral("; ") +
                                      editing_->refusal());
    return true;
}

void DataWindow::closeEvent(QCloseEvent *event)
{
    if (editing_->maySave())
        event->accept();
    else
        event->ignore();
}

void DataWindow::reread()
{
    if (!txtDataFile_->text().isEmpty())
        openData(txtDataFile_->text());
}

std::array<QComboBox *, 7> DataWindow::readingCombos() const
{
    return {cboDataEncoding_, cboDataRecordFormat_, cboDataRdwLength_, cboDataRecord_,
            cboDataVariant_,  cboDataBinary_,       cboDataFloat_};
}

std::array<QCheckBox *, 3> DataWindow::readingChecks() const
{
    return {chkDataRdwLittle_, chkDataRdwWide_, chkDataPaddedTables_};
}

void DataWindow::restoreReadingChoices()
{
    if (readWith_.size() != qsizetype(readingCombos().size() + readingChecks().size()))
        return; // nothing read yet
    int i = 0;
    for (QComboBox *box : readingCombos()) {
        const QSignalBlocker block(box);
        box->setCurrentIndex(readWith_[i++]);
    }
    for (QCheckBox *box : readingChecks()) {
        const QSignalBlocker block(box);
        box->setChecked(readWith_[i++] != 0);
    }
    const QSignalBlocker block(txtDataRules_);
    txtDataRules_->setText(rulesReadWith_);
}

void DataWindow::offerChoices(const StorageMap &map)
{
    auto refill = [](QComboBox *box, const QString &first, const QStringList &items) {
        const QString kept = box->currentIndex() > 0 ? box->currentText() : QString();
        const QSignalBlocker block(box);
        box->clear();
        box->addItem(first);
        box->addItems(items);
        box->setCurrentIndex(std::max(0, int(items.indexOf(kept)) + 1));
    };
    const QStringList records = RecordNames(map);
    refill(cboDataRecord_, records.isEmpty() ? QString() : records.front(), records.mid(1));
    refill(cboDataVariant_, QStringLiteral("(no variant)"),
           VariantNames(map, cboDataRecord_->currentIndex() > 0 ? cboDataRecord_->currentText()
                                                                : QString()));
}

void DataWindow::openBeside(const Platform &platform, const FieldTree &layout, QWidget *owner)
{
    auto *window = new DataWindow(platform, layout, owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showInFront();
    window->cmdDataBrowse_Click();
}

void DataWindow::showInFront()
{
    show();
    raise();
    activateWindow();
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
    lblDataFindResult_->clear();
    const int column = cboDataFindColumn_->currentIndex();
    bool wrapped = false;
    const int row = model_->find(column, txtDataFind_->text(),
                                 tblDataRecords_->currentIndex().row() + 1, &wrapped);
    if (row < 0) {
        lblDataFindResult_->setText(
            QStringLiteral("%1 not found in %2")
                .arg(txtDataFind_->text(), cboDataFindColumn_->currentText()));
        return;
    }
    if (wrapped)
        lblDataFindResult_->setText(QStringLiteral("Passed the end: found from the first record"));
    const QModelIndex index = model_->index(row, column);
    tblDataRecords_->setCurrentIndex(index);
    tblDataRecords_->scrollTo(index);
}

void DataWindow::cmdDataExport_Click(bool selectedOnly)
{
    // The export reads the file itself, which edits not yet saved would contradict.
    if (editing_->modified()) {
        lblDataStatus_->setText(
            QStringLiteral("Save the changes first: the export reads the file"));
        return;
    }
    std::vector<qint64> rows;
    if (selectedOnly) {
        for (const QModelIndex &index : tblDataRecords_->selectionModel()->selectedRows())
            rows.push_back(index.row());
        if (rows.empty())
            for (const QModelIndex &index : tblDataRecords_->selectionModel()->selectedIndexes())
                rows.push_back(index.row());
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        if (rows.empty()) {
            lblDataStatus_->setText(QStringLiteral("No records are selected to export"));
            return;
        }
    }
    const QString path = platform_.files.saveFile(
        QStringLiteral("Export Records"),
        QStringLiteral("CSV (*.csv);;JSON Lines (*.jsonl);;All Files (*)"), QString());
    if (path.isEmpty() || model_->rowCount() == 0)
        return;
    const bool jsonl = path.endsWith(QStringLiteral(".jsonl"), Qt::CaseInsensitive) ||
                       path.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive);
    const ExportJob job = model_->exportJob(jsonl ? ExportFormat::JsonLines : ExportFormat::Csv,
                                            selectedOnly ? &rows : nullptr);
    const qint64 total = selectedOnly ? qint64(rows.size()) : model_->framing().records();
    QProgressDialog progress(QStringLiteral("Exporting records..."), QStringLiteral("Cancel"), 0,
                             1000, this);
    progress.setObjectName(QStringLiteral("dlgDataExport"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    QString error;
    const bool ok = ExportToFile(
        job, path,
        [&](qint64 done) {
            progress.setValue(int(done * 1000 / std::max<qint64>(total, 1)));
            QApplication::processEvents();
            return !progress.wasCanceled();
        },
        error);
    progress.reset();
    lblDataStatus_->setText(
        ok ? QStringLiteral("%1 records exported to %2").arg(total).arg(QFileInfo(path).fileName())
        : error.isEmpty() ? QStringLiteral("Export cancelled: no file written")
                          : error);
}

// The record as offset, hexadecimal and characters, 16 bytes a line; the current field's
// bytes selected.
void DataWindow::showRecord()
{
    const QModelIndex current = tblDataRecords_->currentIndex();
    if (current.isValid())
        spnDataGoTo_->setValue(current.row() + 1); // the record box follows the current record
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
    const qint64 offset = model_->fieldOffset(current.row(), current.column());
    QList<QTextEdit::ExtraSelection> marks;
    for (qint64 i = std::max<qint64>(offset, 0);
         offset >= 0 && i < offset + field.length && i < bytes.size(); ++i) {
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
