// Arbitrary bytes and layouts to the record decoder: the input's first byte picks the options,
// the text up to the first NUL is a copybook, the rest is the data file. Every record must
// decode without a crash, a hang or unbounded memory, whatever the layout says; and the data
// bytes as one field of each usage, sign and scale must decode or come out as hexadecimal.

#include "cobol/CopybookReader.h"
#include "cobol/DataFile.h"
#include "cobol/RecordDecoder.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace
{

using namespace orvane::cobol;

void decodeOneField(const unsigned char *data, qint64 size, unsigned char options)
{
    static const Usage usages[] = {Usage::Display, Usage::Binary,  Usage::Comp5,
                                   Usage::Packed,  Usage::Float,   Usage::Double,
                                   Usage::Index,   Usage::Pointer, Usage::National};
    std::string out;
    for (Usage usage : usages) {
        for (int variant = 0; variant < 4; ++variant) {
            Column c;
            c.length = size;
            c.usage = usage;
            c.category = variant == 3 ? Category::Alphanumeric : Category::Numeric;
            c.isSigned = variant & 1;
            c.signSeparate = variant & 2;
            c.sign = options & 0x40 ? SignPosition::Leading : SignPosition::Trailing;
            c.scale = static_cast<signed char>(options);
            DecodeOptions o;
            o.encoding = Encoding(options % 8);
            o.binaryNative = variant & 1;
            o.floats = FloatFormat(variant % 3);
            out.clear();
            const FieldState state = DecodeField(c, data, size, o, out);
            if (state == FieldState::Bad && size > 0 && out.size() != size_t(size) * 2)
                __builtin_trap();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const unsigned char options = data[0];
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const qsizetype nul = rest.indexOf('\0');
    const QByteArray text = nul < 0 ? rest : rest.left(nul);
    const QByteArray bytes = nul < 0 ? QByteArray() : rest.mid(nul + 1);
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    if (bytes.size() <= 64)
        decodeOneField(p, bytes.size(), options);

    const ReadResult read = ReadDataDescriptions(DecodeSource(text), ReadOptions{});
    if (!read.ok())
        return 0;
    orvane::FieldTree tree;
    ImportEntries(tree, read);
    const StorageMap map = BuildStorageMap(tree, Dialect(options % 3));
    RecordLayout layout;
    QString error;
    if (!BuildRecordLayout(map, {}, layout, error))
        return 0;
    if (layout.columns.size() > size_t(kMaxColumns))
        __builtin_trap();
    const qint64 length =
        (options & 0x80) && bytes.size() > 0 ? qint64(bytes.size() / 2 + 1) : layout.length;
    const FileShape shape = ShapeOf(p, bytes.size(), length, LineEnds(options % 4));
    if (shape.records < 0 || shape.leftOver < 0 ||
        (shape.records > 0 && (shape.records - 1) * shape.stride() + length > bytes.size()))
        __builtin_trap();
    DecodeOptions o;
    o.encoding = Encoding((options >> 3) % 8);
    RecordDecoder decoder(layout, o);
    std::string value;
    for (qint64 r = 0; r < shape.records; ++r) {
        decoder.setRecord(p + r * shape.stride(), length);
        for (size_t c = 0; c < layout.columns.size(); ++c)
            decoder.field(c, value);
    }
    return 0;
}
