#pragma once

// Where each record of a data file lies: fixed-length records (with or without line ends),
// one record per line, records behind a record descriptor word (RDW), or blocks behind a block
// descriptor word (BDW) holding RDW records. Knows nothing of layouts or values. QtCore only.

#include "DataFile.h"

#include <QString>

#include <vector>

namespace orvane::cobol
{

enum class RecordFormat { Auto, Fixed, Lines, Rdw, Vb };
bool RecordFormatFromName(QStringView name, RecordFormat &format);
QString RecordFormatName(RecordFormat format);

// How a 4-byte descriptor word reads. The mainframe's: a big-endian 2-byte length that counts
// the word itself, then 2 zero bytes. GnuCOBOL's own variable files leave the word out.
struct HeaderStyle {
    bool excludesHeader = false;
    bool littleEndian = false;
    bool wide = false; // all 4 bytes are the length

    bool operator==(const HeaderStyle &) const = default;
};

struct FramingOptions {
    RecordFormat format = RecordFormat::Auto;
    qint64 recordLength = 0; // fixed records, and what a short line is padded to
    LineEnds lineEnds = LineEnds::Auto;
    HeaderStyle header;
    bool headerGiven = false; // otherwise Auto tries both ways of counting
};

struct Framing {
    RecordFormat format = RecordFormat::Fixed; // as read: never Auto
    HeaderStyle header;
    FileShape fixed; // the fixed records' shape
    // Variable records: where each one's bytes start and how many there are.
    std::vector<qint64> starts;
    std::vector<quint32> lengths;
    qint64 maxLength = 0;
    QString detected;     // what detection chose, in words; empty when the format was given
    QString problem;      // the first damage, by record number and byte offset
    bool refused = false; // detection could not choose: nothing was read

    qint64 records() const;
    // The bytes of record `index` (from 0) and their number.
    const unsigned char *record(const unsigned char *data, qint64 index, qint64 &length) const;
    // What the records are, for a status line: "12 rdw records of 7 to 37 bytes".
    QString describe() const;
};

Framing FrameRecords(const unsigned char *data, qint64 size, const FramingOptions &options);

// One record's bytes as a layout reads them: a line shorter than the layout is padded with
// blanks, as a line-sequential read does. Keeps one buffer, so a loop allocates nothing.
class RecordSource
{
public:
    RecordSource(const Framing &framing, const unsigned char *data, qint64 layoutLength,
                 unsigned char blank);
    const unsigned char *record(qint64 index, qint64 &length);
    // Any record's bytes (an edited one) padded as the file's own would be.
    const unsigned char *padded(const unsigned char *p, qint64 &length);

private:
    const Framing &framing_;
    const unsigned char *data_;
    qint64 layoutLength_;
    unsigned char blank_;
    std::vector<unsigned char> padded_;
};

} // namespace orvane::cobol
