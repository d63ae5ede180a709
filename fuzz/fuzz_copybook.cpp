// Arbitrary text as a copybook: the reader must accept it or name a line and column, in every
// source format, without a crash, a hang or unbounded memory. What it accepts must import,
// lay out in every dialect and generate; each field text must read back unchanged.

#include "cobol/CopybookReader.h"
#include "cobol/StorageMap.h"
#include "codegen/CodeGenerator.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace
{

void check(const QString &text, orvane::cobol::SourceFormat format)
{
    using namespace orvane::cobol;
    // No base folder and no include folders: COPY never reaches the file system here.
    const ReadResult read = ReadDataDescriptions(text, ReadOptions{format, {}, {}});
    if (!read.ok()) {
        if (!read.entries.empty() || read.errorLine < 0 || read.errorColumn < 0)
            __builtin_trap();
        return;
    }
    if (read.parents.size() != read.entries.size())
        __builtin_trap();
    for (const DataEntry &e : read.entries) {
        DataEntry again;
        if (!ParseFieldText(e.fieldText, again).isEmpty() || again.fieldText != e.fieldText)
            __builtin_trap();
    }
    orvane::FieldTree tree;
    if (ImportEntries(tree, read) != tree.count() || size_t(tree.count()) != read.entries.size())
        __builtin_trap();
    for (Dialect d : {Dialect::Default, Dialect::Ibm, Dialect::Mf}) {
        const StorageMap map = BuildStorageMap(tree, d);
        if (map.items.size() != size_t(tree.count()))
            __builtin_trap();
        for (const StorageItem &item : map.items)
            if (item.offset < 0 || item.length < 0 || item.entryLength < 0)
                __builtin_trap();
    }
    orvane::GenerateCode(tree);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = orvane::cobol::DecodeSource(
        QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    check(text, orvane::cobol::SourceFormat::Auto);
    check(text, orvane::cobol::SourceFormat::Fixed);
    check(text, orvane::cobol::SourceFormat::Free);
    return 0;
}
