#include "FrameWriter.h"

#include <algorithm>
#include <limits>

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
    } else if (framing.format == RecordFormat::Vb) {
        // A record whose word does not follow the one before starts a block: the block's word
        // lies in between.
        for (qint64 r = 0; r < records(); ++r)
            if (r == 0 || frameStart(r) != frameEnd(r - 1)) {
                blockFirst_.push_back(r);
                blockStart_.push_back(frameStart(r) - kWord);
            }
        for (qint64 b = 0; b < blocks(); ++b)
            blockLimit_ = std::max(blockLimit_, blockEnd(b) - blockStart(b));
    }
}

qint64 FrameWriter::blockOf(qint64 record) const
{
    return std::upper_bound(blockFirst_.begin(), blockFirst_.end(), record) - blockFirst_.begin() -
           1;
}

qint64 FrameWriter::blockFirst(qint64 block) const
{
    return block < blocks() ? blockFirst_[size_t(block)] : records();
}

qint64 FrameWriter::blockEnd(qint64 block) const
{
    return block + 1 < blocks() ? blockStart(block + 1) : tailStart();
}

void FrameWriter::word(qint64 total, QByteArray &out) const
{
    const HeaderStyle &s = framing_.header;
    const quint32 n = quint32(total - (s.excludesHeader ? kWord : 0));
    unsigned char bytes[kWord] = {0, 0, 0, 0};
    const int width = s.wide ? 4 : 2;
    for (int i = 0; i < width; ++i)
        bytes[s.littleEndian ? i : width - 1 - i] = (n >> (8 * i)) & 0xFF;
    out.append(reinterpret_cast<const char *>(bytes), kWord);
}

QString FrameWriter::refusal() const
{
    if (framing_.format == RecordFormat::Vb && !framing_.problem.isEmpty())
        return QStringLiteral("A damaged vb file cannot be edited: %1").arg(framing_.problem);
    return {};
}

qint64 FrameWriter::longestRecord() const
{
    if (framing_.format != RecordFormat::Rdw && framing_.format != RecordFormat::Vb)
        return std::numeric_limits<qint64>::max();
    const HeaderStyle &s = framing_.header;
    // The words' largest value, less the words it counts besides the data: the record's own,
    // and in a block the block's too.
    const qint64 words = (framing_.format == RecordFormat::Vb ? 2 : 1) * kWord;
    return (s.wide ? 0xFFFFFFFFLL : 0xFFFFLL) - words + (s.excludesHeader ? kWord : 0);
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
    const bool worded = framing_.format == RecordFormat::Rdw || framing_.format == RecordFormat::Vb;
    return dataStart(record) - (worded ? kWord : 0);
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
    if (framing_.format == RecordFormat::Rdw || framing_.format == RecordFormat::Vb)
        word(length + kWord, out);
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
