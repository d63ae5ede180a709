#pragma once

#include <QStringList>

class QIODevice;

namespace orvane::cli
{

// `import-copybook COPYBOOK [-o PROJECT.qel] [-I DIR]... [--source-format fixed|free]`
int importCopybook(const QStringList &arguments, QIODevice &out, QIODevice &err);
// `map PROJECT.qel|COPYBOOK [--dialect default|ibm|mf] [--format table|csv|json]
//  [--record-length N] [-I DIR]...`
int storageMap(const QStringList &arguments, QIODevice &out, QIODevice &err);

} // namespace orvane::cli
