#pragma once

// Records as text for other programs: CSV with a header row, or JSON (one object per record,
// a line each in JSON Lines). Fields past a table's count are empty (null in JSON); a field that
// does not decode keeps its bytes in hexadecimal. The command line and the data window's export
// share it. QtCore only.

#include "RecordDecoder.h"
#include "RecordFraming.h"

#include <QByteArray>

#include <atomic>
#include <functional>
#include <vector>

namespace orvane::cobol
{

enum class ExportFormat { Csv, JsonLines };

// One writer per thread: it keeps its decoder and buffers between records.
class RecordTextWriter
{
public:
    RecordTextWriter(const RecordLayout &layout, const DecodeOptions &options, ExportFormat format);
    void header(QByteArray &out) const; // the CSV header row; nothing for JSON
    // Appends record `number` (from 1) and its line end; returns the fields that did not decode.
    qint64 append(qint64 number, const unsigned char *record, qint64 length, QByteArray &out);

private:
    qint64 appendCsv(const unsigned char *record, qint64 length, QByteArray &out);
    // A text field straight from its bytes, without going through a string: trailing blanks
    // dropped, control characters as dots, quoted when it holds a comma or a quote.
    char *putText(char *w, const unsigned char *p, qint64 size) const;

    enum class Fast : char { None, Text, Zoned };
    struct Glyph {
        char bytes[4]; // UTF-8
        unsigned char size;
        bool blank;
        bool quote;
    };
    RecordDecoder decoder_;
    ExportFormat format_;
    bool ebcdic_;
    Glyph glyphs_[256];
    char first_[256];              // a glyph's first byte
    unsigned char plain_[256];     // 1 where that byte is the whole glyph and needs no quotes
    std::vector<Fast> fast_;       // by column
    qint64 csvBound_ = 1;          // the most bytes one record's line can take
    std::vector<QByteArray> keys_; // "NAME": ready for JSON
    std::vector<char> numeric_;
    std::string value_;
};

void AppendCsvValue(QByteArray &out, const std::string &value);
void AppendJsonString(QByteArray &out, const std::string &value);

struct ExportJob {
    const Framing *framing = nullptr;
    const unsigned char *data = nullptr;
    qint64 layoutLength = 0;
    unsigned char blank = ' ';
    const RecordLayout *layout = nullptr;
    DecodeOptions options;
    ExportFormat format = ExportFormat::Csv;
    // The records, from 0: these rows when given, otherwise from `from` to before `to`.
    const std::vector<qint64> *rows = nullptr;
    qint64 from = 0;
    qint64 to = 0;
    int threads = 2;
};

// The space of the encoding, with which a short line is padded.
inline unsigned char SpaceByte(Encoding encoding)
{
    return IsEbcdic(encoding) ? 0x40 : ' ';
}

// A job over every record of the framed file, to be narrowed by `from`, `to` or `rows`.
ExportJob WholeFileJob(const Framing &framing, const unsigned char *data,
                       const RecordLayout &layout, const DecodeOptions &options,
                       ExportFormat format);

// Formats the job's records in chunks, on several threads for a large job, and hands the text
// to `sink` in record order with the records done so far; stops early when `sink` returns
// false. Returns the fields that did not decode.
qint64 ExportRecords(const ExportJob &job,
                     const std::function<bool(const QByteArray &text, qint64 done)> &sink);

// Writes the job to `path` through a temporary file that takes its place only when complete:
// an export that `progress` cancels (by returning false) or that fails leaves no file behind.
// Returns false with a message, or with an empty one when cancelled.
bool ExportToFile(const ExportJob &job, const QString &path,
                  const std::function<bool(qint64 done)> &progress, QString &error);

} // namespace orvane::cobol
