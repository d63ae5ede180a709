// Arbitrary bytes to the record framing: the first byte picks the format, the descriptor word's
// form and the fixed record length, the rest is the data file. Every record it gives must lie
// inside the file, in order, and the reading must end without a crash or a hang.

#include "cobol/RecordFraming.h"

#include <cstddef>
#include <cstdint>

using namespace orvane::cobol;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t pick = data[0];
    FramingOptions o;
    o.format = RecordFormat(pick % 5);
    o.header.excludesHeader = pick & 0x08;
    o.header.littleEndian = pick & 0x10;
    o.header.wide = pick & 0x20;
    o.headerGiven = pick & 0x40;
    o.recordLength = 1 + (pick >> 5);
    const unsigned char *file = data + 1;
    const qint64 bytes = qint64(size - 1);
    const Framing f = FrameRecords(file, bytes, o);
    if (f.refused && f.problem.isEmpty())
        __builtin_trap();
    qint64 end = 0;
    RecordSource source(f, file, o.recordLength, ' ');
    for (qint64 r = 0; r < f.records(); ++r) {
        qint64 length = 0;
        const unsigned char *p = f.record(file, r, length);
        if (p < file + end || length < 0 || p + length > file + bytes)
            __builtin_trap();
        end = p - file + length;
        qint64 padded = 0;
        const unsigned char *q = source.record(r, padded);
        if (padded < length || (padded > 0 && (q[0] != p[0] && length > 0)))
            __builtin_trap();
    }
    return 0;
}
