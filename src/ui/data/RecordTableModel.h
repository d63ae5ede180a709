#pragma once

// The records of a data file as a table: one row per record, one column per field. The file is
// mapped, and a row is decoded only when the view asks for it, so a gigabyte of fixed records
// opens at once (variable records are indexed once on opening).

#include "cobol/DataFile.h"
#include "cobol/RecordDecoder.h"
#include "cobol/RecordExport.h"
#include "cobol/RecordFraming.h"

#include <QAbstractTableModel>

#include <memory>

namespace orvane
{

namespace cobol
{
class RecordEdits;
}

class RecordTableModel : public QAbstractTableModel
{
public:
    explicit RecordTableModel(QObject *parent = nullptr);
    ~RecordTableModel() override;

    // Reads the file through the layout; a record length of 0 takes the layout's. A file whose
    // format detection cannot choose is not opened.
    bool open(const QString &path, const cobol::StorageMap &map, const cobol::LayoutChoice &choice,
              const cobol::DecodeOptions &options, const cobol::FramingOptions &framing,
              QString &error);
    void close();

    // Shows the records through `edits` (laid over this model's file), editable; null: the file.
    void setEdits(const cobol::RecordEdits *edits);
    const cobol::DataFile &file() const { return file_; }
    // After a field of `row` was set; after anything else, a reset.
    void rowEdited(int row);
    void editsReset();
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const cobol::Framing &framing() const { return framing_; }
    const cobol::RecordLayout &layout() const { return layout_; }
    const cobol::DecodeOptions &options() const { return options_; }
    QByteArray recordBytes(int row) const;
    // Where the field lies in that record, its tables' counts taken into account.
    qint64 fieldOffset(int row, int column) const;
    // Whether a rule of the layout chose the record's variant (true without rules).
    bool ruleMatched(int row) const;
    // The status line: detection, damage, layout problems, records and bad fields.
    QString statusText() const;
    // The job that writes these rows (all when none given) as text.
    cobol::ExportJob exportJob(cobol::ExportFormat format, const std::vector<qint64> *rows) const;
    // Fields that did not decode in the first `sampled` records (all of a small file).
    qint64 badFields(qint64 &sampled) const;
    // The first row from `from` on whose field in `column` reads `text` (blanks around it
    // ignored), going on from the first row when none is found below; -1 when none at all.
    // `wrapped` tells whether the search went round.
    int find(int column, const QString &text, int from, bool *wrapped = nullptr) const;

private:
    void decodeRow(int row) const;
    // The record as it stands (edited or not), a short line padded through `source`.
    const unsigned char *recordAt(cobol::RecordSource &source, qint64 row, qint64 &length) const;

    cobol::DataFile file_;
    cobol::RecordLayout layout_;
    cobol::DecodeOptions options_;
    cobol::Framing framing_;
    std::unique_ptr<cobol::RecordDecoder> decoder_;
    const cobol::RecordEdits *edits_ = nullptr;
    std::unique_ptr<cobol::RecordSource> source_;
    mutable int cachedRow_ = -1;
    mutable std::vector<QString> cells_;
    mutable std::vector<cobol::FieldState> states_;
};

} // namespace orvane
