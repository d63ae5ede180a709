#include "ui/data/RecordTableModel.h"

#include "cobol/RecordEdits.h"

#include <QBrush>
#include <QColor>
#include <QStringList>

#include <algorithm>
#include <climits>

namespace orvane
{

using namespace orvane::cobol;

namespace
{
constexpr qint64 kSampledRecords = 10000;
}

RecordTableModel::RecordTableModel(QObject *parent) : QAbstractTableModel(parent)
{
}

RecordTableModel::~RecordTableModel() = default;

bool RecordTableModel::open(const QString &path, const StorageMap &map, const LayoutChoice &choice,
                            const DecodeOptions &options, const FramingOptions &framing,
                            QString &error)
{
    beginResetModel();
    close();
    bool ok = BuildRecordLayout(map, choice, layout_, error);
    FramingOptions f = framing;
    if (f.recordLength < 1)
        f.recordLength = layout_.length;
    if (ok && f.recordLength < 1) {
        error = QStringLiteral("The record %1 has no length").arg(layout_.name);
        ok = false;
    }
    ok = ok && file_.open(path, error);
    if (ok) {
        framing_ = FrameRecords(file_.data(), file_.size(), f);
        if (framing_.refused) {
            error = framing_.problem;
            ok = false;
        }
    }
    if (ok) {
        options_ = options;
        decoder_ = std::make_unique<RecordDecoder>(layout_, options_);
        source_ = std::make_unique<RecordSource>(framing_, file_.data(), layout_.length,
                                                 SpaceByte(options.encoding));
    } else {
        layout_ = RecordLayout();
        file_.close();
    }
    endResetModel();
    return ok;
}

void RecordTableModel::close()
{
    edits_ = nullptr;
    decoder_.reset();
    source_.reset();
    file_.close();
    framing_ = Framing();
    cachedRow_ = -1;
}

int RecordTableModel::rowCount(const QModelIndex &parent) const
{
    const qint64 records = edits_ ? edits_->count() : framing_.records();
    return parent.isValid() || !decoder_ ? 0 : int(std::min<qint64>(records, INT_MAX));
}

int RecordTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !decoder_ ? 0 : int(layout_.columns.size());
}

void RecordTableModel::decodeRow(int row) const
{
    if (row == cachedRow_)
        return;
    qint64 length = 0;
    const unsigned char *record = recordAt(*source_, row, length);
    decoder_->setRecord(record, length);
    cells_.resize(layout_.columns.size());
    states_.resize(layout_.columns.size());
    std::string value;
    for (size_t c = 0; c < layout_.columns.size(); ++c) {
        states_[c] = decoder_->field(c, value);
        cells_[c] = QString::fromStdString(value);
    }
    cachedRow_ = row;
}

QVariant RecordTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role != Qt::DisplayRole && role != Qt::BackgroundRole && role != Qt::ToolTipRole &&
        role != Qt::TextAlignmentRole && role != Qt::EditRole)
        return {};
    decodeRow(index.row());
    const size_t c = size_t(index.column());
    const bool bad = states_[c] == FieldState::Bad;
    if (role == Qt::BackgroundRole && edits_ && !bad) {
        // Marked until saved.
        const std::vector<int> &edited = edits_->editedColumns(index.row());
        if (std::find(edited.begin(), edited.end(), index.column()) != edited.end())
            return QBrush(QColor(255, 240, 170));
    }
    switch (role) {
    case Qt::EditRole: // a bad value is typed over, not edited
        return bad ? QString() : cells_[c];
    case Qt::DisplayRole:
        return bad ? QStringLiteral("<bad %1>").arg(cells_[c]) : cells_[c];
    case Qt::BackgroundRole:
        return bad ? QVariant(QBrush(QColor(255, 200, 200))) : QVariant();
    case Qt::ToolTipRole:
        return bad ? QStringLiteral("%1 does not decode: %2")
                         .arg(layout_.columns[c].name, cells_[c])
                   : QVariant();
    default: {
        const Column &col = layout_.columns[c];
        const bool number = col.category == Category::Numeric && col.usage != Usage::Pointer &&
                            col.usage != Usage::National;
        return QVariant::fromValue(Qt::Alignment(number ? Qt::AlignRight : Qt::AlignLeft) |
                                   Qt::AlignVCenter);
    }
    }
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || section < 0)
        return {};
    if (orientation == Qt::Vertical) {
        // A record no rule matched shows the base variant: marked, so it is not taken for one.
        const bool base = !layout_.rules.empty() && section < rowCount() && !ruleMatched(section);
        if (role == Qt::ToolTipRole)
            return base ? QStringLiteral("No rule matched this record: the base variant is shown")
                        : QVariant();
        return QString::number(qint64(section) + 1) + (base ? QStringLiteral(" *") : QString());
    }
    if (size_t(section) >= layout_.columns.size())
        return {};
    return layout_.columns[size_t(section)].name;
}

QByteArray RecordTableModel::recordBytes(int row) const
{
    if (!decoder_ || row < 0 || row >= rowCount())
        return {};
    qint64 length = 0;
    RecordSource source(framing_, file_.data(), layout_.length, SpaceByte(options_.encoding));
    const unsigned char *record = recordAt(source, row, length);
    return QByteArray(reinterpret_cast<const char *>(record), length);
}

const unsigned char *RecordTableModel::recordAt(RecordSource &source, qint64 row,
                                                qint64 &length) const
{
    if (!edits_)
        return source.record(row, length);
    return source.padded(edits_->record(row, length), length);
}

void RecordTableModel::setEdits(const RecordEdits *edits)
{
    beginResetModel();
    edits_ = edits;
    cachedRow_ = -1;
    endResetModel();
}

void RecordTableModel::rowEdited(int row)
{
    cachedRow_ = -1;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void RecordTableModel::editsReset()
{
    beginResetModel();
    cachedRow_ = -1;
    endResetModel();
}

Qt::ItemFlags RecordTableModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return edits_ && index.isValid() ? flags | Qt::ItemIsEditable : flags;
}

qint64 RecordTableModel::fieldOffset(int row, int column) const
{
    if (!decoder_ || row < 0 || row >= rowCount() || column < 0 ||
        size_t(column) >= layout_.columns.size())
        return -1;
    decodeRow(row);
    return decoder_->offset(size_t(column));
}

bool RecordTableModel::ruleMatched(int row) const
{
    if (!decoder_ || row < 0 || row >= rowCount())
        return true;
    decodeRow(row);
    return decoder_->ruleMatched();
}

qint64 RecordTableModel::badFields(qint64 &sampled) const
{
    sampled = std::min<qint64>(rowCount(), kSampledRecords);
    if (!decoder_)
        return 0;
    RecordDecoder decoder(layout_, options_);
    RecordSource source(framing_, file_.data(), layout_.length, SpaceByte(options_.encoding));
    std::string value;
    qint64 bad = 0;
    qint64 length = 0;
    for (qint64 r = 0; r < sampled; ++r) {
        const unsigned char *record = recordAt(source, r, length);
        decoder.setRecord(record, length);
        for (size_t c = 0; c < layout_.columns.size(); ++c)
            bad += decoder.field(c, value) == FieldState::Bad;
    }
    return bad;
}

QString RecordTableModel::statusText() const
{
    qint64 sampled = 0;
    const qint64 bad = badFields(sampled);
    QStringList status = layout_.problems;
    // Fixed records need no word: the shape names their length and line ends.
    if (!framing_.detected.isEmpty() && framing_.format != RecordFormat::Fixed)
        status << framing_.detected;
    if (framing_.format == RecordFormat::Fixed)
        return (status + QStringList{DataStatusText({}, framing_.fixed, bad, sampled)})
            .join(QStringLiteral("; "));
    if (!framing_.problem.isEmpty())
        status << framing_.problem;
    status << framing_.describe();
    status << (sampled == framing_.records()
                   ? QStringLiteral("%1 fields did not decode").arg(bad)
                   : QStringLiteral("%1 fields did not decode in the first %2 records")
                         .arg(bad)
                         .arg(sampled));
    return status.join(QStringLiteral("; "));
}

ExportJob RecordTableModel::exportJob(ExportFormat format, const std::vector<qint64> *rows) const
{
    ExportJob job = WholeFileJob(framing_, file_.data(), layout_, options_, format);
    job.rows = rows;
    return job;
}

int RecordTableModel::find(int column, const QString &text, int from, bool *wrapped) const
{
    if (wrapped)
        *wrapped = false;
    if (!decoder_ || column < 0 || size_t(column) >= layout_.columns.size())
        return -1;
    const std::string wanted = text.trimmed().toStdString();
    RecordDecoder decoder(layout_, options_);
    RecordSource source(framing_, file_.data(), layout_.length, SpaceByte(options_.encoding));
    std::string value;
    const int rows = rowCount();
    const int start = std::clamp(from, 0, rows);
    qint64 length = 0;
    for (int i = 0; i < rows; ++i) {
        const int r = (start + i) % rows;
        const unsigned char *record = recordAt(source, r, length);
        decoder.setRecord(record, length);
        if (decoder.field(size_t(column), value) != FieldState::Ok)
            continue;
        const size_t first = value.find_first_not_of(' ');
        const size_t last = value.find_last_not_of(' ');
        if (first == std::string::npos ? wanted.empty()
                                       : value.compare(first, last - first + 1, wanted) == 0) {
            if (wrapped)
                *wrapped = r < start;
            return r;
        }
    }
    return -1;
}

} // namespace orvane
