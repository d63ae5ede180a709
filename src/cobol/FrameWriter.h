#pragma once

// How edited records go back into a framed file: where each record's frame (its bytes and what
// surrounds them: a line end, a record descriptor word) starts and ends, so that unchanged runs
// are copied byte for byte, and how a new or changed record is framed; in a blocked file, where
// each block lies, so that unchanged blocks are copied and changed ones written anew. Reads the
// positions the reader (Framing) found. QtCore only.

#include "RecordFraming.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace orvane::cobol
{

class FrameWriter
{
public:
    // `framing` and the file's bytes must outlive the writer.
    FrameWriter(const Framing &framing, const unsigned char *data, qint64 size);

    // Why records of this framing cannot be written back (a damaged blocked file); empty when
    // they can.
    QString refusal() const;
    // Whether a record's length may change (each record carries its own).
    bool variable() const { return framing_.format != RecordFormat::Fixed; }
    // The most data a record's descriptor words can hold (unlimited for records without one).
    qint64 longestRecord() const;
    // Whether a line shorter than the layout is read padded with blanks.
    bool padsShortRecords() const { return framing_.format == RecordFormat::Lines; }

    qint64 records() const { return framing_.records(); }
    // The record's data, and its whole frame in the file.
    qint64 dataStart(qint64 record) const;
    qint64 dataLength(qint64 record) const;
    qint64 frameStart(qint64 record) const;
    qint64 frameEnd(qint64 record) const;
    // What follows the last record's frame and is kept as it is (a part record, damage).
    qint64 tailStart() const;
    // Appends a new or changed record with its frame; `last` when nothing follows it.
    void frame(const unsigned char *data, qint64 length, bool last, QByteArray &out) const;
    // What a copied frame lacks when another record comes after it (a missing last line end).
    QByteArray missingAfter(qint64 record) const;

    // Blocks of records behind a block descriptor word (vb).
    bool blocked() const { return framing_.format == RecordFormat::Vb; }
    qint64 blocks() const { return qint64(blockFirst_.size()); }
    qint64 blockOf(qint64 record) const;
    // The block's first record (records() past the last block), and its bytes with the word.
    qint64 blockFirst(qint64 block) const;
    qint64 blockStart(qint64 block) const { return blockStart_[size_t(block)]; }
    qint64 blockEnd(qint64 block) const;
    // The longest block the file has: a block written anew is kept within it.
    qint64 blockLimit() const { return blockLimit_; }
    // Appends a descriptor word for `total` bytes (the word included), in the file's style.
    void word(qint64 total, QByteArray &out) const;

private:
    QByteArray lineEnd() const;

    const Framing &framing_;
    qint64 size_;
    int lineEnd_ = 0; // bytes of the line end a framed record gets: 0, 1 (LF) or 2 (CR LF)
    std::vector<qint64> blockFirst_;
    std::vector<qint64> blockStart_;
    qint64 blockLimit_ = 0;
};

} // namespace orvane::cobol
