// Arbitrary bytes as a project file: they must load, generate and save without a crash, a
// hang or unbounded memory. Whatever saves must load back into the same layout.

#include "codegen/CodeGenerator.h"
#include "model/FieldTree.h"
#include "project/ProjectFile.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace
{

QByteArray save(const orvane::FieldTree &tree, bool &ok)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ok = orvane::SaveNodes(tree, buffer).ok();
    return bytes;
}

// Loads what the bytes hold; a foreign record may end the loading, but a buffer never fails to
// read, and bytes the writer made must always load.
void load(orvane::FieldTree &tree, const QByteArray &bytes, bool mustBeProject)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    const orvane::ProjectResult result = orvane::LoadNodes(tree, buffer);
    if (!result.ok() && (mustBeProject || result.status != orvane::ProjectStatus::NotAProjectFile))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    orvane::FieldTree tree;
    load(tree, input, false);
    const QString code = orvane::GenerateCode(tree);

    bool saved = false;
    const QByteArray file = save(tree, saved);
    if (!saved) {
        // Refused as a whole: not one byte may have been written.
        if (!file.isEmpty())
            __builtin_trap();
        return 0;
    }
    if (file.size() != qsizetype(tree.count()) * orvane::ProjectRecordSize)
        __builtin_trap();
    // What was saved is a well-formed file: it must load into the same layout.
    orvane::FieldTree again;
    load(again, file, true);
    bool savedAgain = false;
    if (save(again, savedAgain) != file || !savedAgain)
        __builtin_trap();
    if (orvane::GenerateCode(again) != code)
        __builtin_trap();
    return 0;
}
