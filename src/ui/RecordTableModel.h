#pragma once

// The records of a data file as a table: one row per record, one column per field. The file is
// mapped, and a row is decoded only when the view asks for it, so a gigabyte opens at once.

#include "cobol/DataFile.h"
#include "cobol/RecordDecoder.h"

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

    // Reads the file through the layout; a record length of 0 takes the layout's.
    bool open(const QString &path, const cobol::StorageMap &map, const cobol::LayoutChoice &choice,
              const cobol::DecodeOptions &options, qint64 recordLength, cobol::LineEnds lineEnds,
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

    const cobol::FileShape &shape() const { return shape_; }
    const cobol::RecordLayout &layout() const { return layout_; }
    const cobol::DecodeOptions &options() const { return options_; }
    QByteArray recordBytes(int row) const;
    // Fields that did not decode in the first `sampled` records (all of a small file).
    qint64 badFields(qint64 &sampled) const;
    // The first row from `from` on whose field in `column` reads `text` (blanks around it
    // ignored); -1 when none.
    int find(int column, const QString &text, int from) const;

private:
    void decodeRow(int row) const;
    const unsigned char *recordAt(qint64 row, qint64 &length) const;

    cobol::DataFile file_;
    cobol::RecordLayout layout_;
    cobol::DecodeOptions options_;
    cobol::FileShape shape_;
    std::unique_ptr<cobol::RecordDecoder> decoder_;
    const cobol::RecordEdits *edits_ = nullptr;
    mutable int cachedRow_ = -1;
    mutable std::vector<QString> cells_;
    mutable std::vector<cobol::FieldState> states_;
};

} // namespace orvane
