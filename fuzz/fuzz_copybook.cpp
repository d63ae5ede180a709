// Arbitrary text as a copybook: the reader must accept it or name a line and column, in every
// source format, without a crash, a hang or unbounded memory. What it accepts must import,
// lay out in every dialect and generate; each field text must read back unchanged. The same
// lines as hand-typed field texts (indented by depth) must lay out too.

#include "cobol/CopybookReader.h"
#include "cobol/StorageMap.h"
#include "cobol/StoragePositions.h"
#include "codegen/CodeGenerator.h"

#include <QByteArray>

#include <algorithm>
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
    // Constants hold no storage: the map has an item for every other field.
    Constants constants;
    for (const DataEntry &e : read.entries) {
        DataEntry again;
        if (!ParseFieldText(e.fieldText, again, true, &constants).isEmpty() ||
            again.fieldText != e.fieldText)
            __builtin_trap();
        if (again.constant)
            constants.insert(again.name, again.constantValue);
    }
    orvane::FieldTree tree;
    if (ImportEntries(tree, read) != tree.count() || size_t(tree.count()) != read.entries.size())
        __builtin_trap();
    for (Dialect d : {Dialect::Default, Dialect::Ibm, Dialect::Mf}) {
        const StorageMap map = BuildStorageMap(tree, d);
        if (map.items.size() + size_t(constants.size()) < size_t(tree.count()))
            __builtin_trap();
        for (const StorageItem &item : map.items)
            if (item.offset < 0 || item.length < 0 || item.entryLength < 0)
                __builtin_trap();
    }
    orvane::GenerateCode(tree);
}

// Each line a field text, its leading blanks its depth: the storage map of a layout typed by
// hand, whatever its texts say.
void layOutLines(const QString &text)
{
    orvane::FieldTree tree;
    std::vector<int> lastAt;
    for (const QString &line : text.split(u'\n')) {
        qsizetype blanks = 0;
        while (blanks < line.size() && line[blanks] == u' ')
            ++blanks;
        const size_t depth = std::min<size_t>(size_t(blanks), lastAt.size());
        const int parent = depth > 0 ? lastAt[depth - 1] : 0;
        const int node = parent ? tree.add(parent, orvane::Relationship::Child, line.mid(blanks))
                                : tree.add(0, orvane::Relationship::Last, line.mid(blanks));
        lastAt.resize(depth + 1);
        lastAt[depth] = node;
    }
    for (orvane::cobol::Dialect d : {orvane::cobol::Dialect::Default, orvane::cobol::Dialect::Ibm,
                                     orvane::cobol::Dialect::Mf}) {
        const orvane::cobol::StorageMap map = orvane::cobol::BuildStorageMap(tree, d);
        if (map.items.size() > size_t(tree.count()))
            __builtin_trap();
    }
    orvane::cobol::StorageCache storage;
    for (int node = 1; node <= tree.count(); ++node)
        if (const orvane::cobol::StorageItem *item = storage.item(tree, node))
            orvane::cobol::DescribeStorage(*item);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = orvane::cobol::DecodeSource(
        QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    check(text, orvane::cobol::SourceFormat::Auto);
    check(text, orvane::cobol::SourceFormat::Fixed);
    check(text, orvane::cobol::SourceFormat::Free);
    layOutLines(text);
    return 0;
}
