#pragma once

// The records of a data file as the person edits them: the file's own records, untouched, with
// the changed, inserted and removed ones laid over them. Only what was edited is held in memory,
// so a file of any size can be edited; undo and redo step through the changes. QtCore only.

#include "FrameWriter.h"
#include "RecordDecoder.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

namespace orvane::cobol
{

class RecordEdits
{
public:
    // The file's bytes must outlive this object (a mapping of the file).
    RecordEdits(const FrameWriter &framing, const unsigned char *data, qint64 size);

    qint64 count() const { return starts_.empty() ? 0 : starts_.back(); }
    // The record's bytes as they stand now.
    const unsigned char *record(qint64 index, qint64 &length) const;
    // Columns set since the last save, for marking; empty for a record not edited.
    const std::vector<int> &editedColumns(qint64 index) const;

    // Sets one field from typed text; returns the refusal, or empty when set (or unchanged).
    QString setField(qint64 index, const RecordLayout &layout, int column, QStringView value,
                     const DecodeOptions &options);
    // Inserts `bytes` (the record length) before `index` (count() to append).
    void insert(qint64 index, const QByteArray &bytes);
    // Removes the records, in any order, as one step to undo.
    void remove(std::vector<qint64> rows);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    void undo();
    void redo();
    bool modified() const { return generation_ != savedGeneration_; }
    void markSaved() { savedGeneration_ = generation_; }

    // Walks the records in order: an unchanged run of the file's records [first, first + n), or
    // one record's bytes. Saving and tests read the edits through this.
    struct Run {
        qint64 first = -1; // -1: `bytes` holds the record
        qint64 n = 0;
        const QByteArray *bytes = nullptr;
    };
    std::vector<Run> runs() const;

    const FrameWriter &framing() const { return framing_; }
    const unsigned char *data() const { return data_; }
    qint64 size() const { return size_; }

private:
    struct Owned {
        QByteArray bytes;
        std::vector<int> columns;
    };
    struct Piece {
        qint64 first = 0; // in the file; for an owned piece unused
        qint64 n = 0;
        std::shared_ptr<const Owned> owned;
    };
    // One edit to undo: the pieces from `at` on as they were and as they became. Only what
    // changed is kept, so that thousands of edits do not keep thousands of whole lists.
    struct Step {
        size_t at;
        std::vector<Piece> before;
        std::vector<Piece> after;
        int generationBefore;
        int generationAfter;
    };
    size_t pieceAt(qint64 index) const;
    // Splits so that a piece starts at `index`; returns its position.
    size_t splitAt(qint64 index);
    void change(); // before an edit
    void commit(); // after it: keep what changed as a step to undo
    void apply(const Step &step, bool back);
    void restarts();

    const FrameWriter &framing_;
    const unsigned char *data_;
    qint64 size_;
    std::vector<Piece> pieces_;
    std::vector<qint64> starts_; // record index of each piece's start, and the count at the end
    std::vector<Piece> before_;  // during an edit
    int beforeGeneration_ = 0;
    std::vector<Step> undo_;
    std::vector<Step> redo_;
    int generation_ = 0;
    int nextGeneration_ = 1;
    int savedGeneration_ = 0;
};

} // namespace orvane::cobol
