#include "DataFile.h"

#include <QFileInfo>

#include <algorithm>

namespace orvane::cobol
{

namespace
{

constexpr qint64 kBoundariesChecked = 4096;

bool endsAt(const unsigned char *data, qint64 size, qint64 at, int lineEnd)
{
    if (at + lineEnd > size)
        return false;
    return lineEnd == 1 ? data[at] == '\n' : data[at] == '\r' && data[at + 1] == '\n';
}

// Whether a line end of `lineEnd` bytes follows every record (checking a sample of them); the
// last record's may be missing at the end of the file.
bool lineEndsFit(const unsigned char *data, qint64 size, qint64 recordLength, int lineEnd)
{
    const qint64 stride = recordLength + lineEnd;
    if (size < recordLength + lineEnd)
        return false;
    const qint64 whole = size / stride;
    const qint64 rest = size % stride;
    if (rest != 0 && rest != recordLength)
        return false;
    const qint64 checked = std::min(whole, kBoundariesChecked);
    for (qint64 r = 0; r < checked; ++r)
        if (!endsAt(data, size, r * stride + recordLength, lineEnd))
            return false;
    return endsAt(data, size, (whole - 1) * stride + recordLength, lineEnd);
}

} // namespace

FileShape ShapeOf(const unsigned char *data, qint64 size, qint64 recordLength, LineEnds ends)
{
    FileShape s;
    s.recordLength = std::max<qint64>(recordLength, 1);
    switch (ends) {
    case LineEnds::Auto:
        if (lineEndsFit(data, size, s.recordLength, 2))
            s.lineEnd = 2;
        else if (lineEndsFit(data, size, s.recordLength, 1))
            s.lineEnd = 1;
        break;
    case LineEnds::None:
        break;
    case LineEnds::Lf:
        s.lineEnd = 1;
        break;
    case LineEnds::CrLf:
        s.lineEnd = 2;
        break;
    }
    const qint64 stride = s.stride();
    s.records = size / stride;
    s.leftOver = size % stride;
    // The last record of a text extract often has no line end.
    if (s.lineEnd > 0 && s.leftOver == s.recordLength) {
        ++s.records;
        s.leftOver = 0;
    }
    if (s.leftOver != 0)
        s.problem = QStringLiteral("file size is not a multiple of %1: %2 bytes left over")
                        .arg(stride)
                        .arg(s.leftOver);
    return s;
}

bool DataFile::open(const QString &path, QString &error)
{
    close();
    if (QFileInfo(path).isDir()) {
        error = QStringLiteral("Cannot open %1: it is a folder").arg(path);
        return false;
    }
    file_.setFileName(path);
    if (!file_.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot open %1: %2").arg(path, file_.errorString());
        return false;
    }
    const qint64 size = file_.size();
    if (size > 0 && !file_.isSequential()) {
        if (uchar *p = file_.map(0, size)) {
            data_ = p;
            size_ = size;
            return true;
        }
    }
    read_ = file_.readAll();
    if (file_.error() != QFileDevice::NoError) {
        error = QStringLiteral("Cannot read %1: %2").arg(path, file_.errorString());
        close();
        return false;
    }
    data_ = reinterpret_cast<const unsigned char *>(read_.constData());
    size_ = read_.size();
    return true;
}

void DataFile::close()
{
    file_.close(); // unmaps too
    read_.clear();
    data_ = nullptr;
    size_ = 0;
}

QString DataStatusText(const QStringList &layoutProblems, const FileShape &shape, qint64 badFields,
                       qint64 sampled)
{
    QStringList status = layoutProblems;
    if (!shape.problem.isEmpty())
        status << shape.problem;
    status << QStringLiteral("%1 records of %2 bytes%3")
                  .arg(shape.records)
                  .arg(shape.recordLength)
                  .arg(shape.lineEnd == 2   ? QStringLiteral(" and CR LF")
                       : shape.lineEnd == 1 ? QStringLiteral(" and LF")
                                            : QString());
    status << (sampled == shape.records
                   ? QStringLiteral("%1 fields did not decode").arg(badFields)
                   : QStringLiteral("%1 fields did not decode in the first %2 records")
                         .arg(badFields)
                         .arg(sampled));
    return status.join(QStringLiteral("; "));
}

} // namespace orvane::cobol
