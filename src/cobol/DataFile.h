#pragma once

// A data file of fixed-length records, mapped into memory and never written: its records'
// places, whether a line end follows each record, and what is left over. QtCore only.

#include <QFile>
#include <QString>
#include <QStringList>

namespace orvane::cobol
{

enum class LineEnds { Auto, None, Lf, CrLf };

struct FileShape {
    qint64 recordLength = 0;
    int lineEnd = 0; // bytes after each record: 0, 1 (LF) or 2 (CR LF)
    qint64 records = 0;
    qint64 leftOver = 0; // bytes after the last whole record
    QString problem;     // the size against the record length, when they disagree

    qint64 stride() const { return recordLength + lineEnd; }
};

// How the bytes divide into records. Auto takes line ends when one follows every record
// boundary it checks (the first few thousand and the last), the last record's may be missing.
FileShape ShapeOf(const unsigned char *data, qint64 size, qint64 recordLength, LineEnds ends);

// The data window's status line: what the layout could not give, the size against the record
// length, the records and their line ends, and how many fields did not decode in the `sampled`
// records checked (all of them, or the first ones of a large file).
QString DataStatusText(const QStringList &layoutProblems, const FileShape &shape, qint64 badFields,
                       qint64 sampled);

class DataFile
{
public:
    DataFile() = default;
    DataFile(const DataFile &) = delete;
    DataFile &operator=(const DataFile &) = delete;

    // Opens read-only and maps the whole file; a file that cannot be mapped (a pipe, a special
    // file) is read into memory instead. Returns false with a message.
    bool open(const QString &path, QString &error);
    void close();

    const unsigned char *data() const { return data_; }
    qint64 size() const { return size_; }

private:
    QFile file_;
    QByteArray read_; // when mapping failed
    const unsigned char *data_ = nullptr;
    qint64 size_ = 0;
};

} // namespace orvane::cobol
