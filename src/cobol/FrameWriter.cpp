#include "FrameWriter.h"

#include <algorithm>

namespace orvane::cobol
{

namespace
{

constexpr qint64 kWord = 4;

} // namespace

FrameWriter::FrameWriter(const Framing &framing, const unsigned char *data, qint64 size)
    : framing_(framing), size_(size)
{
    if (framing.format == RecordFormat::Fixed) {
        lineEnd_ = framing.fixed.lineEnd;
    } else if (framing.format == RecordFormat::Lines) {
        // New lines end as the file's first line does.
        lineEnd_ = 1;
        if (!framing.starts.empty()) {
            const qint64 end = framing.starts[0] + framing.lengths[0];
            lineEnd_ = end < size && data[end] == '\r' ? 2 : 1;
        }
    }
}

QString FrameWriter::refusal() const
{
    if (framing_.format == RecordFormat::Vb)
        return QStringLiteral("Editing vb records is not possible yet: their blocks would have "
                              "to be written anew");
    return {};
}

qint64 FrameWriter::dataStart(qint64 record) const
{
    return framing_.format == RecordFormat::Fixed ? record * framing_.fixed.stride()
                                                  : framing_.starts[size_t(record)];
}

qint64 FrameWriter::dataLength(qint64 record) const
{
    return framing_.format == RecordFormat::Fixed ? framing_.fixed.recordLength
                                                  : qint64(framing_.lengths[size_t(record)]);
}

qint64 FrameWriter::frameStart(qint64 record) const
{
    return dataStart(record) - (framing_.format == RecordFormat::Rdw ? kWord : 0);
}

qint64 FrameWriter::frameEnd(qint64 record) const
{
    switch (framing_.format) {
    case RecordFormat::Fixed:
        return std::min((record + 1) * framing_.fixed.stride(), size_);
    case RecordFormat::Lines:
        // Up to the next line, whatever its line end; the last line runs to the file's end.
        return record + 1 < records() ? frameStart(record + 1) : size_;
    default:
        return dataStart(record) + dataLength(record);
    }
}

qint64 FrameWriter::tailStart() const
{
    return records() == 0 ? 0 : frameEnd(records() - 1);
}

QByteArray FrameWriter::lineEnd() const
{
    return lineEnd_ == 2 ? QByteArray("\r\n") : lineEnd_ == 1 ? QByteArray("\n") : QByteArray();
}

void FrameWriter::frame(const unsigned char *data, qint64 length, bool last, QByteArray &out) const
{
    if (framing_.format == RecordFormat::Rdw || framing_.format == RecordFormat::Vb) {
        const HeaderStyle &s = framing_.header;
        const quint32 n = quint32(length + (s.excludesHeader ? 0 : kWord));
        unsigned char word[kWord] = {0, 0, 0, 0};
        const int bytes = s.wide ? 4 : 2;
        for (int i = 0; i < bytes; ++i)
            word[s.littleEndian ? i : bytes - 1 - i] = (n >> (8 * i)) & 0xFF;
        out.append(reinterpret_cast<const char *>(word), kWord);
    }
    out.append(reinterpret_cast<const char *>(data), length);
    if (lineEnd_ == 0)
        return;
    // A file whose last line end is missing keeps it missing.
    const qint64 n = records();
    if (!(last && n > 0 && tailStart() == size_ && !missingAfter(n - 1).isEmpty()))
        out += lineEnd();
}

QByteArray FrameWriter::missingAfter(qint64 record) const
{
    const qint64 have = frameEnd(record) - dataStart(record) - dataLength(record);
    if (framing_.format == RecordFormat::Lines) // a line ends in LF or CR LF alike
        return have > 0 ? QByteArray() : lineEnd();
    return lineEnd().right(std::max<qint64>(lineEnd_ - have, 0));
}

} // namespace orvane::cobol
