#pragma once

#include <QStringList>

class QIODevice;

namespace orvane::cli
{

// `view DATA --layout PROJECT.qel|COPYBOOK [--encoding E] [--record-length N]
//  [--format table|csv|json] [--records FROM:TO] ...`: the file's records decoded through the
// layout, streamed to `out`; the count of fields that did not decode and the size against the
// record length to `err`.
int viewData(const QStringList &arguments, QIODevice &out, QIODevice &err);

// The command's part of the tool's help, also shown by `view --help`.
extern const char kViewHelp[];

} // namespace orvane::cli
